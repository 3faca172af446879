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

template <class V>
void TParticleObj::Fields(V& v) {
  using namespace fields;
  v.Block(&Self::ReadNames, &Self::WriteNames);
  v(&Self::FMaximum, I16("Maximum").Prop(90));
  v(&Self::FInterval, I16("Interval").Prop(91));
  v(&Self::FLifeTime, I16("LifeTime"));
  v(&Self::FRegion, Region("Region").Prop(21));
  v(&Self::FFaded, Bool("Faded"));
  v.Hand(169);
  v(&Self::FObjNames, Kept("ObjNames"));
}
template class TKind<TParticleObj, TAnimateObj>;

TParticleObj::~TParticleObj() {
  for (TParticle& p : FParticles)
    if (p.Obj->FOnDeleted == ParticleDeleted) p.Obj->FOnDeleted = nullptr;
  Emitters().erase(this);
}

int32_t TParticleObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  if (PropID != 169) return TKind::GetValue(PropID, Value, SValue);
  SValue.clear();
  Value = static_cast<long double>(FParticles.size());
  return 2;
}

bool TParticleObj::ReadNames(TRecordReader& r, int32_t Version) {
  (void)Version;
  uint16_t count = r.U16("particle template count");
  if (!r.Ok()) return false;
  if (count > r.Remaining() / 2)
    return r.Fail("particle template count " + std::to_string(count) + " cannot fit in the file");
  FObjNames.clear();
  for (uint16_t i = 0; i < count && r.Ok(); ++i) FObjNames.push_back(ReadStringRecord(r, "particle template name"));
  return r.Ok();
}

void TParticleObj::WriteNames(TRecordWriter& w) const {
  w.U16(static_cast<uint16_t>(std::min<size_t>(FObjNames.size(), 65535)));
  for (size_t i = 0; i < FObjNames.size() && i < 65535; ++i) WriteStringRecord(w, FObjNames[i]);
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

}  // namespace zkw
