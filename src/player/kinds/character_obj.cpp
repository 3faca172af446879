#include "player/kinds/character_obj.h"

#include <algorithm>
#include <cstdlib>

#include "player/kinds/kinds_common.h"
#include "player/scene/dib_animator.h"
#include "text/ansi_text.h"

namespace zkw {

namespace {

// Calls F on every object of a list and of the groups in it.
template <class F>
void EachObject(TLinkList* List, F&& Fn) {
  for (TItemNode* n = List ? List->Head() : nullptr; n; n = n->NextItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    Fn(o);
    if (o->FStyle == kGroupKind) EachObject(o->ChildList(), Fn);
  }
}

// The edges a move towards (dx, dy) meets.
uint8_t EdgesOfMove(int32_t dx, int32_t dy) {
  uint8_t edges = 0;
  if (dx > 0) edges |= EdgeBit(ceRight);
  if (dx < 0) edges |= EdgeBit(ceLeft);
  if (dy > 0) edges |= EdgeBit(ceBottom);
  if (dy < 0) edges |= EdgeBit(ceTop);
  return edges;
}

// The sound entry numbers of a comma-separated list (at most 255; other items are skipped).
std::vector<int32_t> GuideNumbers(const std::string& Guides) {
  std::vector<int32_t> numbers;
  size_t at = 0;
  while (at <= Guides.size() && numbers.size() < 255) {
    size_t comma = Guides.find(',', at);
    if (comma == std::string::npos) comma = Guides.size();
    const std::string item = Guides.substr(at, comma - at);
    char* end = nullptr;
    const long n = std::strtol(item.c_str(), &end, 10);
    if (end != item.c_str() && n >= 0 && n <= 32767) numbers.push_back(static_cast<int32_t>(n));
    at = comma + 1;
  }
  return numbers;
}

constexpr int32_t kMaxPushPasses = 5;
constexpr size_t kMaxGuides = 255;

}  // namespace

TCharacterObj::TCharacterObj() {
  FStyle = kKind;
  macroUserName = "OnStop";
}

TCharacterObj::~TCharacterObj() = default;

template <class V>
void TCharacterObj::Fields(V& v) {
  using namespace fields;
  v(&Self::FPath, CountedText("Path").Prop(181));
  v(&Self::FPose, CountedText("Pose"));
  v.Hand(83);
  v(&Self::FBoundary, I16("Boundary").Prop(84));
  v(&Self::FFast, Bool("Fast").Prop(88));
  v(&Self::FGravity, I16("Gravity").Prop(208));
  v(&Self::FNotReturn, Bool("NotReturn"));
  v(&Self::FEnableIdle, Bool("EnableIdle").Prop(104));
  v(&Self::FEnableGoing, Bool("EnableGoing").Prop(105));
  v(&Self::FEnableGuide, Bool("EnableGuide").Prop(106));
  v.Block(&Self::ReadIdleList, &Self::WriteIdleList);
  v(&Self::FIdleList, Kept("IdleList"));
  v(&Self::FIdleInterval, I16("IdleInterval").Prop(107));
  v(&Self::FLeftBound, I16("LeftBound").Prop(109));
  v(&Self::FRightBound, I16("RightBound").Prop(110));
  v(&Self::FGoLeft, CountedText("GoLeft"));
  v(&Self::FGoRight, CountedText("GoRight"));
  v(&Self::FSpeakingPose, CountedText("SpeakingPose"));
  v(&Self::FRepeatTime, I16("RepeatTime").Prop(111));
  v(&Self::FGuides, CountedText("Guides"));
  v(&Self::FGuideInterval, I16("GuideInterval").Prop(108));
  v(&Self::FEnableRegion, Bool("EnableRegion").Prop(172));
  v.Block(&Self::ReadHotRegions, &Self::WriteHotRegions);
  v(&Self::FHotRegions, Kept("HotRegions"));
  v(&Self::FForcePlay, Kept("ForcePlay").Prop(86));
  v.Hand(87);
  v.Hand(190);
  v(&Self::FScale, Kept("Scale").Prop(52));
  v(&Self::FSpeaking, Kept("Speaking").Prop(112).ReadOnly().NotCopied());
  v(&Self::FOnGround, Kept("OnGround").Prop(161).ReadOnly().NotCopied());
}
template class TKind<TCharacterObj, TAnimateObj>;

// --- record blocks --------------------------------------------------------------------------------

bool TCharacterObj::ReadIdleList(TRecordReader& r, int32_t Version) {
  (void)Version;
  const uint16_t count = r.U16("idle pose count");
  if (!r.Ok()) return false;
  // Each entry takes at least its two length bytes.
  if (count > r.Remaining() / 2)
    return r.Fail("idle pose count " + std::to_string(count) + " cannot fit in the file");
  FIdleList.clear();
  for (uint16_t i = 0; i < count && r.Ok(); ++i) FIdleList.push_back(ReadStringRecord(r, "idle pose"));
  return r.Ok();
}

void TCharacterObj::WriteIdleList(TRecordWriter& w) const {
  const size_t count = std::min<size_t>(FIdleList.size(), 65535);
  w.U16(static_cast<uint16_t>(count));
  for (size_t i = 0; i < count; ++i) WriteStringRecord(w, FIdleList[i]);
}

bool TCharacterObj::ReadHotRegions(TRecordReader& r, int32_t Version) {
  (void)Version;
  const uint16_t count = r.U16("hot region count");
  if (!r.Ok()) return false;
  // Each region takes at least its rectangle and the script's two length bytes.
  if (count > r.Remaining() / 18)
    return r.Fail("hot region count " + std::to_string(count) + " cannot fit in the file");
  FHotRegions.clear();
  for (uint16_t i = 0; i < count && r.Ok(); ++i) {
    THotRegionInfo region;
    region.Rect.left = r.I32("hot region left");
    region.Rect.top = r.I32("hot region top");
    region.Rect.right = r.I32("hot region right");
    region.Rect.bottom = r.I32("hot region bottom");
    region.Script = ReadCountedText(r, "hot region script");
    FHotRegions.push_back(std::move(region));
  }
  return r.Ok();
}

void TCharacterObj::WriteHotRegions(TRecordWriter& w) const {
  const size_t count = std::min<size_t>(FHotRegions.size(), 65535);
  w.U16(static_cast<uint16_t>(count));
  for (size_t i = 0; i < count; ++i) {
    const THotRegionInfo& region = FHotRegions[i];
    w.I32(region.Rect.left);
    w.I32(region.Rect.top);
    w.I32(region.Rect.right);
    w.I32(region.Rect.bottom);
    WriteCountedText(w, region.Script);
  }
}

// --- the character --------------------------------------------------------------------------------

bool TCharacterObj::LoadCharacter() {
  FCharacter.reset();
  FNotes.clear();
  FSpeaking = false;
  FOnGround = false;
  FIdleCount = FIdleRepeat = FGuideCount = 0;
  if (FParent) FParent->NeedDrawNow = true;
  if (FPath.empty()) return false;
  const ZString file = (FParent ? FParent->CharacterPath : ZString()) + FromAnsi(FPath);
  auto character = std::make_unique<TDibCharacter>();
  character->SetRestPoseName(FPose);
  character->OnCharAction = [this](int32_t) {
    if (FParent) FParent->NeedDrawNow = true;
  };
  // A gesture that ended is still the current command when it reports; the boundary reports
  // after the rest pose started, so the item that was moving is the one of the step's start.
  character->OnNotify = [this](int32_t Code) {
    if (Code == TDibCharacter::ntStep || !FCharacter) return;
    FNotes.emplace_back(Code, Code == TDibCharacter::ntBoundary ? FStepItem : FCharacter->CurrentCommandIdx());
  };
  if (!character->LoadFromFile(file.c_str())) return false;
  character->SetPos(Fx, Fy);
  character->SetBoundary(FBoundary);
  character->SetMinimumSpeed(FFast);
  character->SetReturnable(!FNotReturn);
  FCharacter = std::move(character);
  SyncCharacter();
  return true;
}

void TCharacterObj::SyncCharacter() {
  if (!FCharacter) return;
  FCharacter->Scale = FScale;
  FCharacter->Opacity = FTrans;
  FCharacter->SetFlipX(FFlipX);
  FCharacter->SetFlipY(FFlipY);
  FWidth = static_cast<int16_t>(std::clamp(FCharacter->Width(), 0, 32767));
  FHeight = static_cast<int16_t>(std::clamp(FCharacter->Height(), 0, 32767));
}

void TCharacterObj::CopyFrom(const TAnimateObj& AObj) {
  TKind::CopyFrom(AObj);
  auto* from = dynamic_cast<const TCharacterObj*>(&AObj);
  if (from && from->FCharacter) LoadCharacter();
}

bool TCharacterObj::Rests() const {
  return !FCharacter->Playing() || SameCharName(FCharacter->CurrentCommand(), FCharacter->RestPoseName());
}

// Pose commands of scripts: at once, or forced while ForcePlay is on.
void TCharacterObj::PlayPose(const std::string& Pose) {
  if (!FCharacter) return;
  if (FForcePlay)
    FCharacter->ForcePlay(Pose);
  else
    FCharacter->Play(Pose, false);
}

void TCharacterObj::BeforePlay() {
  if (!LoadCharacter()) return;
  FCharacter->ForcePlay(FPose);
}

// --- properties -------------------------------------------------------------------------------------

int32_t TCharacterObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  switch (PropID) {
    case 83:
      SValue = FCharacter ? FCharacter->CurrentCommand() : FPose;
      return 3;
    case 87:
      Value = FCharacter ? FCharacter->CurrentCommandIdx() : -1;
      return 2;
    case 190:
      Value = FCharacter ? static_cast<long double>(FCharacter->QueueLength()) : 0;
      return 2;
    default: return TKind::GetValue(PropID, Value, SValue);
  }
}

void TCharacterObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  switch (PropID) {
    case 83:
      if (FCharacter)
        PlayPose(SValue);
      else
        FPose = SValue;
      return;
    case 87:
      if (FCharacter) {
        const std::string name = FCharacter->GetGestureName(RoundProp(IValue));
        if (!name.empty()) PlayPose(name);
      }
      return;
    case 190:
      if (FCharacter) FCharacter->Play(SValue, true);
      return;
    default: TKind::SetValue(PropID, SValue, IValue);
  }
}

void TCharacterObj::PropertyWritten(int32_t PropID) {
  if (PropID == 181) {
    if (FParent) LoadCharacter();
    return;
  }
  if (PropID == 52 && FParent) FParent->NeedDrawNow = true;
  if (!FCharacter) return;
  if (PropID == 84) FCharacter->SetBoundary(FBoundary);
  if (PropID == 88) FCharacter->SetMinimumSpeed(FFast);
}

// --- the action step --------------------------------------------------------------------------------

// (1) Idle poses and walks.
void TCharacterObj::IdleStep() {
  if (!FEnableIdle || FSpeaking || FIdleList.empty()) return;
  if (++FIdleCount < FIdleInterval) return;
  FIdleCount = 0;
  const int32_t x = FCharacter->XPos();
  if (FEnableGoing && FRightBound > 0 && Rests() && AniRandomBelow(2000) % 255 % 10 == 0) {
    const int32_t reach = AniRandomBelow(FRightBound);
    const int64_t middle = (int64_t{FLeftBound} + FRightBound) / 2;
    // The walk's target is the character's boundary: the gesture walks until a move would
    // cross it, then the rest pose plays.
    if (x > middle) {
      FCharacter->SetBoundary(static_cast<int32_t>(std::max<int64_t>(int64_t{x} - reach, FLeftBound)));
      FCharacter->Play(FGoLeft, false);
    } else {
      FCharacter->SetBoundary(static_cast<int32_t>(std::min<int64_t>(int64_t{x} + reach, FRightBound)));
      FCharacter->Play(FGoRight, false);
    }
    return;
  }
  if (FIdleRepeat > 0) {
    if (--FIdleRepeat == 0) FCharacter->Play(FCharacter->RestPoseName(), false);
    return;
  }
  if (Rests() && AniRandomBelow(10) == 0) {
    const auto pick = static_cast<size_t>(AniRandomBelow(static_cast<int32_t>(FIdleList.size())));
    FCharacter->Play(FIdleList[pick], false);
    FIdleRepeat = FRepeatTime;
  }
}

// (2) Guide sounds with the speaking pose.
void TCharacterObj::GuideStep() {
  if (!FEnableGuide || FSpeaking || !FParent) return;
  if (++FGuideCount < FGuideInterval) return;
  FGuideCount = 0;
  const std::vector<int32_t> guides = GuideNumbers(FGuides);
  if (guides.empty()) return;
  const int32_t entry = guides[static_cast<size_t>(AniRandomBelow(static_cast<int32_t>(std::min(guides.size(), kMaxGuides))))];
  if (!FParent->PlaySoundItem(entry, this, entry)) return;
  FSpeaking = true;
  FForcePlay = true;
  PlayPose(FSpeakingPose);
}

void TCharacterObj::SoundFinished(int32_t ID) {
  TKind::SoundFinished(ID);
  if (!FSpeaking) return;
  FSpeaking = false;
  if (FCharacter) FCharacter->ForcePlay(FCharacter->RestPoseName());
}

// Pushes the moved box out of the floors (visible kinds 0 and 1 with collision on the same
// level, groups included): along the axis whose own move made the overlap, or, when both or
// neither did, along the axis of the smaller overlap.
void TCharacterObj::PushOutOfFloors(int32_t& dx, int32_t& dy) {
  const int64_t w = std::max<int64_t>(FWidth, 1), h = std::max<int64_t>(FHeight, 1);
  int64_t x = int64_t{Fx} + dx, y = int64_t{Fy} + dy;
  bool stoppedVertically = false;
  for (int32_t pass = 0; pass < kMaxPushPasses; ++pass) {
    bool moved = false;
    EachObject(FParent, [&](TAnimateObj* o) {
      if (o == this || o->FStyle > 1 || !o->FEnabled || !o->FCollide || o->FLevel != FLevel) return;
      const TSmallRect r = o->ObjRect();
      const int64_t overlapX = std::min<int64_t>(x + w - 1, r.right) - std::max<int64_t>(x, r.left) + 1;
      const int64_t overlapY = std::min<int64_t>(y + h - 1, r.bottom) - std::max<int64_t>(y, r.top) + 1;
      if (overlapX <= 0 || overlapY <= 0) return;
      const bool wasInX = std::min<int64_t>(int64_t{Fx} + w - 1, r.right) >= std::max<int64_t>(Fx, r.left);
      const bool wasInY = std::min<int64_t>(int64_t{Fy} + h - 1, r.bottom) >= std::max<int64_t>(Fy, r.top);
      bool vertical = overlapY <= overlapX;
      if (wasInX != wasInY) vertical = wasInX;
      if (vertical) {
        const bool fromAbove = dy > 0 || (dy == 0 && 2 * y + h <= int64_t{r.top} + r.bottom);
        y = fromAbove ? int64_t{r.top} - h : int64_t{r.bottom} + 1;
        stoppedVertically = true;
      } else {
        const bool fromLeft = dx > 0 || (dx == 0 && 2 * x + w <= int64_t{r.left} + r.right);
        x = fromLeft ? int64_t{r.left} - w : int64_t{r.right} + 1;
      }
      moved = true;
    });
    if (!moved) break;
  }
  FOnGround = stoppedVertically;
  dx = static_cast<int32_t>(std::clamp<int64_t>(x - Fx, -kFarAway, kFarAway));
  dy = static_cast<int32_t>(std::clamp<int64_t>(y - Fy, -kFarAway, kFarAway));
}

// The first visible object of kind 2 or above with collision on the same level (groups
// included) whose solid pixels the figure meets after the move.
TAnimateObj* TCharacterObj::PixelHit(int32_t dx, int32_t dy) {
  TAnimateObj* hit = nullptr;
  EachObject(FParent, [&](TAnimateObj* o) {
    if (hit || o == this || o->FStyle < 2 || o->FStyle == kGroupKind || !o->FEnabled || !o->FCollide ||
        o->FLevel != FLevel)
      return;
    if (CollideWith(o, dx, dy)) hit = o;
  });
  return hit;
}

// (4) The step's move (dx, dy), taken back, is tested and adjusted; the edges hit.
uint8_t TCharacterObj::CollisionStep(int32_t& dx, int32_t& dy) {
  if (!FParent) return 0;
  if (FGravity < 1) return Collide(dx, dy);
  if (dy == 0) dy = FGravity;
  PushOutOfFloors(dx, dy);
  TAnimateObj* hit = PixelHit(dx, dy);
  if (!hit) return 0;
  FParent->FEventValue1 = reinterpret_cast<intptr_t>(hit);
  return EdgesOfMove(dx, dy);
}

void TCharacterObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  FParentSetPos = false;
  if (!FEnabled || !FActive || !FCharacter || !FCharacter->Active()) return;
  FCharacter->SetPos(Fx, Fy);
  SyncCharacter();
  IdleStep();
  GuideStep();
  // (3) The character's own step.
  FStepItem = FCharacter->CurrentCommandIdx();
  FCharacter->DoAction();
  int32_t dx = AddSat(FCharacter->XPos(), -int64_t{Fx});
  int32_t dy = AddSat(FCharacter->YPos(), -int64_t{Fy});
  SyncCharacter();
  uint8_t edges = 0;
  if (FCollide) edges = CollisionStep(dx, dy);
  if (edges) CollideAction(edges);
  // (5) The object takes the character's place; the collision was tested already. Scripts of
  // the collision may have loaded another character (or none).
  const int32_t oldX = Fx, oldY = Fy;
  Fx = AddSat(Fx, dx);
  Fy = AddSat(Fy, dy);
  if (FCharacter) FCharacter->SetPos(Fx, Fy);
  if (Fx != oldX || Fy != oldY) {
    FHasCollided = FCollide;
    PositionChanged(oldX, oldY);
    FHasCollided = false;
  }
  // "OnStop": 1 a gesture ended, 3 the boundary stopped the character; the item index second.
  std::vector<std::pair<int32_t, int32_t>> notes;
  notes.swap(FNotes);
  for (const auto& [code, item] : notes) RaiseUserEvent(this, ocUser, code, item);
}

// --- drawing and hits -------------------------------------------------------------------------------

void TCharacterObj::Draw(TDibBaseObj* ADib) {
  if (!FEnabled || !ADib || !FCharacter || IsFarAway(this)) return;
  SyncCharacter();
  FCharacter->Draw(Fx, Fy, ADib);
}

bool TCharacterObj::DrawEx(TDibBaseObj* ADib, int32_t x, int32_t y, int32_t ox, int32_t oy, int32_t w,
                           int32_t h, int32_t fx, int32_t fy, int32_t Opacity) {
  if (!FCharacter || !ADib) return false;
  const int32_t kept = FCharacter->Opacity;
  FCharacter->Opacity = Opacity;
  const bool drawn = FCharacter->DrawExOn(ADib, x, y, ox, oy, w, h, fx, fy);
  FCharacter->Opacity = kept;
  return drawn;
}

bool TCharacterObj::IsSolidAt(int32_t X, int32_t Y) {
  if (!FCharacter) return false;
  SyncCharacter();
  return FCharacter->AlphaAt(X, Y) != 0;
}

bool TCharacterObj::PtInObject(int32_t X, int32_t Y) {
  if (!FCharacter || IsFarAway(this)) return false;
  return IsSolidAt(X - Fx, Y - Fy);
}

bool TCharacterObj::MouseDown(TDibAnimator* AParent, int32_t X, int32_t Y) {
  if (FEnableRegion && FCharacter && !FSpeaking && !IsFarAway(this)) {
    const int32_t rx = X - Fx, ry = Y - Fy;
    if (IsSolidAt(rx, ry)) {
      for (const THotRegionInfo& region : FHotRegions) {
        const TSmallRect& r = region.Rect;
        if (rx < r.left || rx > r.right || ry < r.top || ry > r.bottom) continue;
        const std::string script = region.Script;  // the script may change the regions
        RunScriptText(this, script);
        return true;
      }
    }
  }
  return TKind::MouseDown(AParent, X, Y);
}

}  // namespace zkw
