#include "player/kinds/button_obj.h"

#include <algorithm>

#include "dib/dib_base.h"
#include "player/kinds/kinds_common.h"
#include "player/kinds/movie_obj.h"
#include "player/scene/dib_animator.h"

namespace zkw {

namespace {
template <class F>
void WalkAll(TLinkList* list, F&& f) {
  for (TItemNode* n = list ? list->Head() : nullptr; n; n = n->NextItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    f(o);
    if (o->FStyle == kGroupKind) WalkAll(o->ChildList(), f);
  }
}
}  // namespace

TDibButton::TDibButton() {
  FStyle = 25;
  macroUserName = "OnFrameChange";
}

template <class V>
void TDibButton::Fields(V& v) {
  using namespace fields;
  v.ListOrder({30, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 91, 124, 130});
  v(&Self::FUpDownButton, Bool("UpDownButton").NotOld().Prop(64));
  v(&Self::FDowned, Bool("Downed").NotOld().Prop(65));
  v(&Self::FGroupID, I16("GroupID").NotOld().Prop(66));
  v(&Self::FFrames, I16("Frames").Prop(63));
  v(&Self::FNormalStart, I16("NormalStart").Prop(67));
  v(&Self::FNormalEnd, I16("NormalEnd").Prop(68));
  v(&Self::FHotStart, I16("HotStart").Prop(69));
  v(&Self::FHotEnd, I16("HotEnd").Prop(70));
  v(&Self::FPressedStart, I16("PressedStart").Prop(71));
  v(&Self::FPressedEnd, I16("PressedEnd").Prop(72));
  v(&Self::FSpeed, I16("Speed").Prop(30));
  v(&Self::FRecycled, Bool("Recycled").Prop(73));
  v(&Self::FEvent, I16("Event").Prop(124));
  v(&Self::FInterval, Kept("Interval").Prop(91).NotCopied());
  v(&Self::FCurrentFrame, Kept("Frame").Prop(130).ReadOnly());
  v(&Self::FState, Kept("State"));
}
template class TKind<TDibButton, TMovingObj>;

void TDibButton::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  if (PropID == 130)
    SetFrame(PropI16(IValue), false);
  else
    TKind::SetValue(PropID, SValue, IValue);
}

void TDibButton::PropertyWritten(int32_t PropID) {
  if (PropID == 65) SetNormal();
}

void TDibButton::SetFrame(int32_t Value, bool Event) {
  int16_t v = static_cast<int16_t>(Value);
  if (v == FCurrentFrame) return;
  int16_t old = FCurrentFrame;
  FCurrentFrame = v;
  if (Event) RaiseUserEvent(this, ocUserRaised, old, v);
  if (FParent) FParent->NeedDrawNow = true;
}

void TDibButton::Range(int16_t& Start, int16_t& End) const {
  switch (FState) {
    case bsHot: Start = FHotStart, End = FHotEnd; break;
    case bsPressed: Start = FPressedStart, End = FPressedEnd; break;
    default: Start = FNormalStart, End = FNormalEnd; break;
  }
}

void TDibButton::SetStates(uint8_t State) {
  FState = State;
  FStep = 1;
  FInterval = FSpeed;
  int16_t start, end;
  Range(start, end);
  SetFrame(start, true);
}

void TDibButton::ToggleState() {
  if (!FUpDownButton) return;
  if (FGroupID != 0) {
    FDowned = true;
    if (FParent)
      WalkAll(FParent, [&](TAnimateObj* o) {
        auto* other = dynamic_cast<TDibButton*>(o);
        if (other && other != this && other->FGroupID == FGroupID && other->FDowned) {
          other->FDowned = false;
          other->SetStates(bsNormal);
        }
      });
  } else {
    FDowned = !FDowned;
  }
}

bool TDibButton::AnimateStep() {
  if (--FInterval > 0) return false;
  FInterval = FSpeed;
  int16_t start, end;
  Range(start, end);
  int32_t frame = FCurrentFrame + FStep;
  if (FRecycled) {
    if (start >= end) {
      frame = start;
    } else if (frame > end || frame < start) {
      FStep = static_cast<int16_t>(-FStep);
      frame = FCurrentFrame + FStep;
      frame = std::clamp<int32_t>(frame, start, end);
    }
  } else if (frame > end || frame < start) {
    frame = start;
  }
  SetFrame(frame, true);
  return true;
}

void TDibButton::Action(TDibBaseObj* ADib) {
  (void)ADib;
  FParentSetPos = false;
  if (!FEnabled || !FetchImage(this) || !FActive) return;
  AnimateStep();
}

void TDibButton::PieceOrigin(int32_t& x) const {
  int32_t frames = std::max<int32_t>(1, FFrames);
  x = (std::clamp<int32_t>(FCurrentFrame, 1, frames) - 1) * FWidth;
}

void TDibButton::Draw(TDibBaseObj* ADib) {
  if (IsFarAway(this)) return;
  if (!FEnabled || !ADib || !FetchImage(this) || FDib->Handle() == 0) return;
  FWidth = static_cast<int16_t>(FDib->Width() / std::max<int32_t>(1, FFrames));
  int32_t x;
  PieceOrigin(x);
  // The base drawing shows the piece at OriginX; the stored origin stays as it was.
  int16_t keep = FOriginX;
  FOriginX = static_cast<int16_t>(x);
  TAnimateObj::Draw(ADib);
  FOriginX = keep;
}

bool TDibButton::IsSolidAt(int32_t X, int32_t Y) {
  if (!FDib) return false;
  if (FDibStyle == 0 || FDibStyle > 2) return true;
  int32_t px;
  PieceOrigin(px);
  int32_t ix = FFlipX < 0 ? FWidth - X : X, iy = FFlipY < 0 ? FHeight - Y : Y;
  if (ix < 0 || iy < 0 || ix >= FWidth || iy >= FHeight) return false;
  return IsPixelSolid(px + ix, iy);
}

bool TDibButton::PtInObject(int32_t X, int32_t Y) {
  if (IsFarAway(this)) return false;
  if (!FDib || !InRect(X, Y)) return false;
  if (FDibStyle == 0 || FDibStyle >= 3) return true;
  return IsSolidAt(X - Fx, Y - Fy);
}

void TDibButton::BeforePlay() {
  FStep = 1;
  FInterval = FSpeed;
  FState = FDowned ? bsPressed : bsNormal;
  int16_t start, end;
  Range(start, end);
  FCurrentFrame = start;
}

bool TDibButton::MouseMove(TDibAnimator* AParent, int32_t X, int32_t Y) {
  bool wasIn = FMouseIn;
  bool result = TAnimateObj::MouseMove(AParent, X, Y);
  if (FEnabled && FActive && wasIn != FMouseIn) {
    if (!FLeftDown && !FDowned) SetStates(FMouseIn ? bsHot : bsNormal);
    if (AParent && AParent->FOnMouseEvent) {
      bool handled = false;
      AParent->FOnMouseEvent(AParent, FMouseIn ? mtOver : mtLeave, static_cast<uint16_t>(FEvent), this, handled);
    }
  }
  return result || (FEnabled && FMouseIn);
}

bool TDibButton::MouseDown(TDibAnimator* AParent, int32_t X, int32_t Y) {
  bool result = TAnimateObj::MouseDown(AParent, X, Y);
  if (FLeftDown && FEnabled && FActive) {
    SetStates(bsPressed);
    result = true;
  }
  return result;
}

bool TDibButton::MouseUp(TDibAnimator* AParent, int32_t X, int32_t Y) {
  if (!FLeftDown) return TAnimateObj::MouseUp(AParent, X, Y);
  bool inside = PtInObject(X, Y);
  bool releasedFromDown = false;
  if (inside && FActive) {
    bool wasDown = FDowned;
    ToggleState();
    releasedFromDown = FUpDownButton && wasDown && !FDowned;
    if (AParent && AParent->FOnEvent) AParent->FOnEvent(AParent, FEvent);
  }
  bool result = false;
  if (releasedFromDown) {
    // An up-down button released from its down state runs no click script.
    bool keep = EnableClickEvent;
    EnableClickEvent = false;
    result = TAnimateObj::MouseUp(AParent, X, Y);
    EnableClickEvent = keep;
  } else {
    result = TAnimateObj::MouseUp(AParent, X, Y);
  }
  SetStates(FDowned ? bsPressed : (inside ? bsHot : bsNormal));
  return result || inside;
}

// --- the moving button --------------------------------------------------------------------

TMoveButton::TMoveButton() {
  FStyle = 27;
  FBounce = true;
}

// The motion part follows the button's record, with UpDownButton stored a second time.
template <class V>
void TMoveButton::Fields(V& v) {
  using namespace fields;
  v.ListOrder({17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 74, 75, 76, 77});
  StartStepAndRegion(v);
  v(&Self::FFlip, Bool("Flip").Prop(25));
  v(&Self::FBounce, Bool("Return").Prop(28));
  v(&Self::FIsRandom, Bool("IsRandom").Prop(29));
  v(&Self::FUpDownButton, Bool("UpDownButton"));
  v(&Self::FSyncObjID, I16("SyncObjID").Prop(74));
  v(&Self::FSyncNormal, I16("SyncNormal").Prop(75));
  v(&Self::FSyncHot, I16("SyncHot").Prop(76));
  v(&Self::FSyncPressed, I16("SyncPressed").Prop(77));
  v(&Self::FEnableFlipX, Kept("EnableFlipX").Prop(26));
  v(&Self::FEnableFlipY, Kept("EnableFlipY").Prop(27));
  v(&Self::FSyncObj, Kept("SyncObj"));
}
template class TKind<TMoveButton, TDibButton>;

void TMoveButton::BeforePlay() {
  TDibButton::BeforePlay();
  FSyncObj = nullptr;
  if (FParent && FSyncObjID >= 0) {
    TAnimateObj* o = FParent->GetObject(FSyncObjID);
    if (o && o->FStyle == 12) FSyncObj = o;
  }
}

void TMoveButton::Action(TDibBaseObj* ADib) {
  bool parentMoved = FParentSetPos;
  FParentSetPos = false;
  if (!FEnabled || !FetchImage(this) || !FActive) return;
  bool restarted;
  auto* movie = dynamic_cast<TDibMovieObj*>(FSyncObj);
  if (movie && FParent && FParent->IndexOf(movie) >= 0) {
    // The movie's frame (limited to its play range) offset by this button's state.
    int32_t lo = std::min(movie->FStartFrame, movie->FEndFrame), hi = std::max(movie->FStartFrame, movie->FEndFrame);
    int32_t frame = std::clamp<int32_t>(movie->FCount, lo, hi);
    int16_t offset = FState == bsPressed ? FSyncPressed : FState == bsHot ? FSyncHot : FSyncNormal;
    SetFrame(frame + offset - 1, true);
    restarted = --FInterval <= 0;
    if (restarted) FInterval = FSpeed;
    // A synchronised button puts its frame into the frame buffer right away, so it shows the
    // movie's frame even in a scene that only draws on request.
    Draw(ADib);
  } else {
    restarted = AnimateStep();
  }
  if (restarted && FState != bsPressed && !parentMoved) MoveStep();
}

}  // namespace zkw
