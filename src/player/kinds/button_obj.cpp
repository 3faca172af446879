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

bool TDibButton::ReadButton(TRecordReader& r, bool Old) {
  if (!Old) {
    FUpDownButton = ReadBool(r, "button up-down flag");
    FDowned = ReadBool(r, "button downed flag");
    FGroupID = r.I16("button group");
  }
  FFrames = r.I16("button frames");
  FNormalStart = r.I16("button normal start");
  FNormalEnd = r.I16("button normal end");
  FHotStart = r.I16("button hot start");
  FHotEnd = r.I16("button hot end");
  FPressedStart = r.I16("button pressed start");
  FPressedEnd = r.I16("button pressed end");
  FSpeed = r.I16("button speed");
  FRecycled = ReadBool(r, "button recycled flag");
  FEvent = r.I16("button event");
  return r.Ok();
}

void TDibButton::WriteButton(TRecordWriter& w) {
  w.U8(FUpDownButton);
  w.U8(FDowned);
  w.I16(FGroupID);
  w.I16(FFrames);
  w.I16(FNormalStart);
  w.I16(FNormalEnd);
  w.I16(FHotStart);
  w.I16(FHotEnd);
  w.I16(FPressedStart);
  w.I16(FPressedEnd);
  w.I16(FSpeed);
  w.U8(FRecycled);
  w.I16(FEvent);
}

bool TDibButton::ReadFromStream(TRecordReader& r, int32_t Version) {
  return TAnimateObj::ReadFromStream(r, Version) && ReadButton(r, false);
}

bool TDibButton::ReadFromStream2(TRecordReader& r) { return TAnimateObj::ReadFromStream2(r) && ReadButton(r, true); }

bool TDibButton::Write(TRecordWriter& w) {
  TAnimateObj::Write(w);
  WriteButton(w);
  return w.Ok();
}

void TDibButton::CopyFrom(const TAnimateObj& AObj) {
  TMovingObj::CopyFrom(AObj);
  auto* b = dynamic_cast<const TDibButton*>(&AObj);
  if (!b) return;
  FUpDownButton = b->FUpDownButton;
  FDowned = b->FDowned;
  FGroupID = b->FGroupID;
  FFrames = b->FFrames;
  FNormalStart = b->FNormalStart;
  FNormalEnd = b->FNormalEnd;
  FHotStart = b->FHotStart;
  FHotEnd = b->FHotEnd;
  FPressedStart = b->FPressedStart;
  FPressedEnd = b->FPressedEnd;
  FSpeed = b->FSpeed;
  FRecycled = b->FRecycled;
  FEvent = b->FEvent;
  FCurrentFrame = b->FCurrentFrame;
  FState = b->FState;
}

int32_t TDibButton::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  switch (PropID) {
    case 30: Value = FSpeed; return 2;
    case 63: Value = FFrames; return 2;
    case 64: Value = FUpDownButton; return 2;
    case 65: Value = FDowned; return 2;
    case 66: Value = FGroupID; return 2;
    case 67: Value = FNormalStart; return 2;
    case 68: Value = FNormalEnd; return 2;
    case 69: Value = FHotStart; return 2;
    case 70: Value = FHotEnd; return 2;
    case 71: Value = FPressedStart; return 2;
    case 72: Value = FPressedEnd; return 2;
    case 73: Value = FRecycled; return 2;
    case 91: Value = FInterval; return 2;
    case 124: Value = FEvent; return 2;
    case 130: Value = FCurrentFrame; return 2;
    default: return TAnimateObj::GetValue(PropID, Value, SValue);
  }
}

void TDibButton::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  int16_t n = PropI16(IValue);
  bool b = IValue != 0;
  switch (PropID) {
    case 30: FSpeed = n; break;
    case 63: FFrames = n; break;
    case 64: FUpDownButton = b; break;
    case 65:
      FDowned = b;
      SetNormal();
      break;
    case 66: FGroupID = n; break;
    case 67: FNormalStart = n; break;
    case 68: FNormalEnd = n; break;
    case 69: FHotStart = n; break;
    case 70: FHotEnd = n; break;
    case 71: FPressedStart = n; break;
    case 72: FPressedEnd = n; break;
    case 73: FRecycled = b; break;
    case 91: FInterval = n; break;
    case 124: FEvent = n; break;
    case 130: SetFrame(n, false); break;
    default: TAnimateObj::SetValue(PropID, SValue, IValue); break;
  }
}

void TDibButton::GetPropsToList(TPropList& List) {
  TAnimateObj::GetPropsToList(List);
  AddProps(List, {30});
  AddPropRange(List, 63, 73);
  AddProps(List, {91, 124, 130});
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

bool TMoveButton::ReadMoving(TRecordReader& r, int32_t Version) {
  FFromX = ReadCoord(r, Version, "button from x");
  FFromY = ReadCoord(r, Version, "button from y");
  FDx = r.I16("button dx");
  FDy = r.I16("button dy");
  ReadRegion(r, Version, FRegion);
  FFlip = ReadBool(r, "button flip");
  FBounce = ReadBool(r, "button return");
  FIsRandom = ReadBool(r, "button random");
  FUpDownButton = ReadBool(r, "button up-down flag");
  FSyncObjID = r.I16("button sync object");
  FSyncNormal = r.I16("button sync normal");
  FSyncHot = r.I16("button sync hot");
  FSyncPressed = r.I16("button sync pressed");
  return r.Ok();
}

bool TMoveButton::ReadFromStream(TRecordReader& r, int32_t Version) {
  return TDibButton::ReadFromStream(r, Version) && ReadMoving(r, Version);
}

bool TMoveButton::ReadFromStream2(TRecordReader& r) {
  return TDibButton::ReadFromStream2(r) && ReadMoving(r, 0x20000);
}

bool TMoveButton::Write(TRecordWriter& w) {
  TDibButton::Write(w);
  w.I32(FFromX);
  w.I32(FFromY);
  w.I16(FDx);
  w.I16(FDy);
  WriteRegion(w, FRegion);
  w.U8(FFlip);
  w.U8(FBounce);
  w.U8(FIsRandom);
  w.U8(FUpDownButton);
  w.I16(FSyncObjID);
  w.I16(FSyncNormal);
  w.I16(FSyncHot);
  w.I16(FSyncPressed);
  return w.Ok();
}

void TMoveButton::CopyFrom(const TAnimateObj& AObj) {
  TDibButton::CopyFrom(AObj);
  auto* b = dynamic_cast<const TMoveButton*>(&AObj);
  if (!b) return;
  FSyncObjID = b->FSyncObjID;
  FSyncNormal = b->FSyncNormal;
  FSyncHot = b->FSyncHot;
  FSyncPressed = b->FSyncPressed;
  FSyncObj = b->FSyncObj;
}

int32_t TMoveButton::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  if (GetMotionValue(PropID, Value)) return 2;
  switch (PropID) {
    case 28: Value = FBounce; return 2;
    case 74: Value = FSyncObjID; return 2;
    case 75: Value = FSyncNormal; return 2;
    case 76: Value = FSyncHot; return 2;
    case 77: Value = FSyncPressed; return 2;
    default: return TDibButton::GetValue(PropID, Value, SValue);
  }
}

void TMoveButton::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  if (SetMotionValue(PropID, IValue)) return;
  int16_t n = PropI16(IValue);
  switch (PropID) {
    case 28: FBounce = IValue != 0; break;
    case 74: FSyncObjID = n; break;
    case 75: FSyncNormal = n; break;
    case 76: FSyncHot = n; break;
    case 77: FSyncPressed = n; break;
    default: TDibButton::SetValue(PropID, SValue, IValue); break;
  }
}

void TMoveButton::GetPropsToList(TPropList& List) {
  TDibButton::GetPropsToList(List);
  AddPropRange(List, 17, 29);
  AddPropRange(List, 74, 77);
}

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
