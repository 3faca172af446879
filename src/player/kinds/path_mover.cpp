#include "player/kinds/path_mover.h"

#include <algorithm>
#include <set>

#include "player/kinds/kinds_common.h"
#include "player/objects/moving_obj.h"
#include "player/scene/dib_animator.h"

namespace zkw {

namespace {
// Every live mover, so that the deletion notification of a taken object finds its movers.
std::set<TPathMover*>& Movers() {
  static std::set<TPathMover*> movers;
  return movers;
}
void TakenDeleted(TAnimateObj* Sender) {
  for (TPathMover* m : Movers()) m->Forget(Sender);
}
int32_t Anchor(uint8_t Align, int32_t Size) { return Align == 1 ? Size / 2 : Align == 2 ? Size : 0; }
}  // namespace

TPathMover::TPathMover() {
  FStyle = 42;
  macroUserName = "OnMoveObject";
  Movers().insert(this);
}

TPathMover::~TPathMover() {
  for (TTaken& t : FTaken)
    if (t.Obj && t.Obj->FOnDeleted == TakenDeleted) t.Obj->FOnDeleted = nullptr;
  Movers().erase(this);
}

template <class V>
void TPathMover::Fields(V& v) {
  using namespace fields;
  v.Block(&Self::ReadObjects, &Self::WriteObjects);
  v.Block(&Self::ReadPath, &Self::WritePath);
  v(&Self::FMaximum, I16("Maximum").Prop(90).ReadOnly());
  v(&Self::FReturn, Bool("Return").Prop(28));
  v(&Self::FSpeed, I16("Speed").Prop(30));
  v.Hand(165);
  v(&Self::FObjects, Kept("Objects"));
  v(&Self::FPath, Kept("Path"));
}
template class TKind<TPathMover, TAnimateObj>;

bool TPathMover::ReadObjects(TRecordReader& r, int32_t Version) {
  (void)Version;
  int16_t count = r.I16("path mover object count");
  if (!r.Ok()) return false;
  if (count < 0 || count > r.Remaining() / 6)
    return r.Fail("path mover object count " + std::to_string(count) + " cannot fit in the file");
  FObjects.clear();
  for (int16_t i = 0; i < count && r.Ok(); ++i) {
    TPathObjectSource s;
    int16_t n = r.I16("path mover name length");
    if (!r.Ok()) return false;
    if (n < 0) return r.Fail("path mover name length " + std::to_string(n) + " is negative");
    std::string name(static_cast<size_t>(n), '\0');
    if (n > 0 && !r.Bytes(name.data(), n, "path mover object name")) return false;
    size_t zero = name.find('\0');
    if (zero != std::string::npos) name.resize(zero);
    s.Name = name;
    s.PosStyle = r.U8("path mover position style");
    s.PathStyle = r.U8("path mover path style");
    s.HAlign = r.U8("path mover horizontal anchor");
    s.VAlign = r.U8("path mover vertical anchor");
    FObjects.push_back(s);
  }
  return r.Ok();
}

bool TPathMover::ReadPath(TRecordReader& r, int32_t Version) {
  (void)Version;
  for (auto& p : FPath) {
    p.first = r.I32("path point x");
    p.second = r.I32("path point y");
  }
  return r.Ok();
}

void TPathMover::WriteObjects(TRecordWriter& w) const {
  w.I16(static_cast<int16_t>(std::min<size_t>(FObjects.size(), 32767)));
  for (size_t i = 0; i < FObjects.size() && i < 32767; ++i) {
    const TPathObjectSource& s = FObjects[i];
    std::string name = s.Name.substr(0, 32766);
    w.I16(static_cast<int16_t>(name.size() + 1));
    w.Bytes(name.data(), static_cast<int64_t>(name.size()));
    w.U8(0);
    w.U8(s.PosStyle);
    w.U8(s.PathStyle);
    w.U8(s.HAlign);
    w.U8(s.VAlign);
  }
}

void TPathMover::WritePath(TRecordWriter& w) const {
  for (const auto& p : FPath) {
    w.I32(p.first);
    w.I32(p.second);
  }
}

void TPathMover::Forget(TAnimateObj* Obj) {
  // Only the freed object's entry goes; the names stay, so a later play start or save still
  // has them.
  FTaken.erase(std::remove_if(FTaken.begin(), FTaken.end(), [&](const TTaken& t) { return t.Obj == Obj; }),
               FTaken.end());
}

void TPathMover::BuildLookups() {
  FByX.clear();
  FByY.clear();
  int32_t max = std::clamp<int32_t>(FMaximum, 0, kPoints);
  for (int32_t i = 0; i < max; ++i) {
    FByX.emplace(FPath[static_cast<size_t>(i)].first, i);  // a value already present is left out
    FByY.emplace(FPath[static_cast<size_t>(i)].second, i);
  }
}

void TPathMover::BeforePlay() {
  for (TTaken& t : FTaken)
    if (t.Obj && t.Obj->FOnDeleted == TakenDeleted) t.Obj->FOnDeleted = nullptr;
  FTaken.clear();
  if (FSpeed <= 0) FSpeed = 1;
  FSpeedCount = 0;
  if (FParent) {
    for (const TPathObjectSource& s : FObjects) {
      TAnimateObj* o = FParent->GetObjectName(s.Name);
      if (!o || o == this || (o->FOnDeleted && o->FOnDeleted != TakenDeleted)) continue;
      o->FOnDeleted = TakenDeleted;
      FTaken.push_back({o, &s, o->Fx, o->Fy, 0, 1});
    }
  }
  BuildLookups();
}

void TPathMover::Place(TTaken& t) {
  TAnimateObj* o = t.Obj;
  const TPathObjectSource& s = *t.Source;
  int32_t ax = Anchor(s.HAlign, o->FWidth), ay = Anchor(s.VAlign, o->FHeight);
  int32_t max = std::clamp<int32_t>(FMaximum, 0, kPoints - 1);
  auto point = [&](int32_t i) { return FPath[static_cast<size_t>(std::clamp<int32_t>(i, 0, kPoints - 1))]; };
  if (s.PathStyle == 0) {
    auto p = point(t.Index);
    if (s.PosStyle == 1)
      o->SetPos(AddSat(p.first, t.StartX), AddSat(p.second, t.StartY));
    else
      o->SetPos(AddSat(p.first, -ax), AddSat(p.second, -ay));
    int32_t next = t.Index + t.Step;
    if (next > max || next < 0) {
      if (FReturn)
        t.Step = -t.Step;  // the index stays and the walk turns
      else
        t.Index = 0;
    } else {
      t.Index = next;
    }
    return;
  }
  const std::map<int32_t, int32_t>& lookup = s.PathStyle == 1 ? FByX : FByY;
  if (s.PosStyle != 0) {
    auto p = point(t.Index);
    if (s.PathStyle == 1)
      o->SetYPos(AddSat(p.second, t.StartY));
    else
      o->SetXPos(AddSat(p.first, t.StartX));
    return;
  }
  int32_t key = s.PathStyle == 1 ? o->Fx : o->Fy;
  auto it = lookup.upper_bound(key);
  if (it == lookup.begin()) return;
  --it;
  t.Index = it->second;
  auto p = point(it->second);
  if (s.PathStyle == 1)
    o->SetYPos(AddSat(p.second, -ay));
  else
    o->SetXPos(AddSat(p.first, -ax));
}

void TPathMover::Action(TDibBaseObj* ADib) {
  (void)ADib;
  FParentSetPos = false;
  if (!FEnabled || !FActive) return;
  if (--FSpeedCount > 0) return;
  FSpeedCount = FSpeed;
  // Scripts run per moved object may free objects: walk a copy and re-check membership.
  std::vector<TAnimateObj*> objs;
  for (const TTaken& t : FTaken) objs.push_back(t.Obj);
  for (TAnimateObj* o : objs) {
    auto it = std::find_if(FTaken.begin(), FTaken.end(), [&](const TTaken& t) { return t.Obj == o; });
    if (it == FTaken.end() || !o->FEnabled || !o->FActive) continue;
    Place(*it);
    int32_t index = it->Index;
    RaiseUserEvent(this, 22, reinterpret_cast<intptr_t>(o), index);
  }
}

int32_t TPathMover::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  bool inPath = FItemIndex >= 0 && FItemIndex < FMaximum && FItemIndex < kPoints;
  switch (PropID) {
    case 165: Value = FItemIndex; return 2;
    case 5: Value = inPath ? FPath[static_cast<size_t>(FItemIndex)].first : 0; return 2;
    case 6: Value = inPath ? FPath[static_cast<size_t>(FItemIndex)].second : 0; return 2;
    default: return TKind::GetValue(PropID, Value, SValue);
  }
}

void TPathMover::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  int32_t n = RoundProp(IValue);
  bool inPath = FItemIndex >= 0 && FItemIndex < kPoints;
  switch (PropID) {
    case 90:
      FMaximum = static_cast<int16_t>(std::clamp(n, 0, kPoints));
      BuildLookups();
      break;
    case 165:
      FItemIndex = n;
      for (TTaken& t : FTaken) {
        t.Index = std::clamp(n, 0, kPoints - 1);
        auto p = FPath[static_cast<size_t>(t.Index)];
        t.Obj->SetPos(p.first, p.second);
      }
      break;
    case 5:
      if (inPath) FPath[static_cast<size_t>(FItemIndex)].first = n;
      BuildLookups();
      break;
    case 6:
      if (inPath) FPath[static_cast<size_t>(FItemIndex)].second = n;
      BuildLookups();
      break;
    default: TKind::SetValue(PropID, SValue, IValue); break;
  }
}

}  // namespace zkw
