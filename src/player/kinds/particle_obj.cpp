#include "player/kinds/particle_obj.h"

#include <algorithm>
#include <set>

#include "player/kinds/kinds_common.h"
#include "player/scene/dib_animator.h"

namespace zkw {

namespace {
std::set<TParticleObj*>& Emitters() {
  static std::set<TParticleObj*> emitters;
  return emitters;
}
void ParticleDeleted(TAnimateObj* Sender) {
  for (TParticleObj* e : Emitters()) e->Forget(Sender);
}
}  // namespace

TParticleObj::TParticleObj() {
  FStyle = 32;
  macroUserName = "OnBorn";
  Emitters().insert(this);
}

TParticleObj::~TParticleObj() {
  for (TParticle& p : FParticles)
    if (p.Obj->FOnDeleted == ParticleDeleted) p.Obj->FOnDeleted = nullptr;
  Emitters().erase(this);
}

bool TParticleObj::ReadFromStream(TRecordReader& r, int32_t Version) {
  if (!TAnimateObj::ReadFromStream(r, Version)) return false;
  uint16_t count = r.U16("particle template count");
  if (!r.Ok()) return false;
  if (count > r.Remaining() / 2)
    return r.Fail("particle template count " + std::to_string(count) + " cannot fit in the file");
  FObjNames.clear();
  for (uint16_t i = 0; i < count && r.Ok(); ++i) FObjNames.push_back(ReadStringRecord(r, "particle template name"));
  FMaximum = r.I16("particle maximum");
  FInterval = r.I16("particle interval");
  FLifeTime = r.I16("particle life time");
  ReadRegion(r, Version, FRegion);
  FFaded = ReadBool(r, "particle fade flag");
  return r.Ok();
}

bool TParticleObj::Write(TRecordWriter& w) {
  TAnimateObj::Write(w);
  w.U16(static_cast<uint16_t>(std::min<size_t>(FObjNames.size(), 65535)));
  for (size_t i = 0; i < FObjNames.size() && i < 65535; ++i) WriteStringRecord(w, FObjNames[i]);
  w.I16(FMaximum);
  w.I16(FInterval);
  w.I16(FLifeTime);
  WriteRegion(w, FRegion);
  w.U8(FFaded);
  return w.Ok();
}

void TParticleObj::CopyFrom(const TAnimateObj& AObj) {
  TAnimateObj::CopyFrom(AObj);
  auto* p = dynamic_cast<const TParticleObj*>(&AObj);
  if (!p) return;
  FObjNames = p->FObjNames;
  FMaximum = p->FMaximum;
  FInterval = p->FInterval;
  FLifeTime = p->FLifeTime;
  FRegion = p->FRegion;
  FFaded = p->FFaded;
}

void TParticleObj::Forget(TAnimateObj* Obj) {
  FParticles.erase(std::remove_if(FParticles.begin(), FParticles.end(), [&](const TParticle& p) { return p.Obj == Obj; }),
                   FParticles.end());
}

void TParticleObj::BeforePlay() { FCount = 0; }

void TParticleObj::ShiftBy(int32_t dx, int32_t dy) {
  TAnimateObj::ShiftBy(dx, dy);
  FRegion.left = AddSat(FRegion.left, dx);
  FRegion.right = AddSat(FRegion.right, dx);
  FRegion.top = AddSat(FRegion.top, dy);
  FRegion.bottom = AddSat(FRegion.bottom, dy);
}

void TParticleObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  FParentSetPos = false;
  if (!FParent || FParent->Designing || !FEnabled || !FActive) return;
  // Ageing: a particle at the end of its life is deleted (at the next action step).
  for (size_t i = 0; i < FParticles.size();) {
    TParticle& p = FParticles[i];
    --p.Life;
    if (FFaded && p.Life < 10 && p.Life > 0) {
      p.Obj->FDibStyle = 2;
      p.Obj->FTrans = static_cast<int16_t>(10 * p.Life);
    }
    if (p.Life <= 0) {
      TAnimateObj* gone = p.Obj;
      gone->FOnDeleted = nullptr;
      FParticles.erase(FParticles.begin() + static_cast<ptrdiff_t>(i));
      FParent->DeleteThis(gone);
      continue;
    }
    ++i;
  }
  if (++FCount < FInterval) return;
  FCount = 0;
  if (static_cast<int32_t>(FParticles.size()) >= FMaximum || FObjNames.empty()) return;
  const std::string& name = FObjNames[static_cast<size_t>(AniRandomBelow(static_cast<int32_t>(FObjNames.size())))];
  TAnimateObj* templ = FParent->GetObjectName(name);
  if (!templ || templ == this) return;
  TAnimateObj* copy = FParent->NewFrom(templ);
  if (!copy) return;
  auto span = [](int32_t lo, int32_t hi) {
    return static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(hi) - lo + 1, 0, INT32_MAX));
  };
  int32_t x = AddSat(FRegion.left, AniRandomBelow(span(FRegion.left, FRegion.right)));
  int32_t y = AddSat(FRegion.top, AniRandomBelow(span(FRegion.top, FRegion.bottom)));
  copy->Fx = x;
  copy->Fy = y;
  copy->SetVisible(true);
  copy->SetActive(true);
  copy->FOnDeleted = ParticleDeleted;
  FParticles.push_back({copy, FLifeTime});
  FParent->FEventValue1 = FParent->FEventValue2 = 0;
  RunMacro(ocUser, ocUser);
}

int32_t TParticleObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  switch (PropID) {
    case 90: Value = FMaximum; return 2;
    case 91: Value = FInterval; return 2;
    case 21: Value = FRegion.left; return 2;
    case 22: Value = FRegion.top; return 2;
    case 23: Value = FRegion.right; return 2;
    case 24: Value = FRegion.bottom; return 2;
    case 169: Value = static_cast<long double>(FParticles.size()); return 2;
    default: return TAnimateObj::GetValue(PropID, Value, SValue);
  }
}

void TParticleObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  int32_t n = RoundProp(IValue);
  switch (PropID) {
    case 90: FMaximum = static_cast<int16_t>(n); break;
    case 91: FInterval = static_cast<int16_t>(n); break;
    case 21: FRegion.left = n; break;
    case 22: FRegion.top = n; break;
    case 23: FRegion.right = n; break;
    case 24: FRegion.bottom = n; break;
    default: TAnimateObj::SetValue(PropID, SValue, IValue); break;
  }
}

void TParticleObj::GetPropsToList(TPropList& List) {
  TAnimateObj::GetPropsToList(List);
  AddProps(List, {90, 91, 21, 22, 23, 24, 169});
}

}  // namespace zkw
