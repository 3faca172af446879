#include "player/kinds/movie_obj.h"

#include <algorithm>

#include "dib/dib_base.h"
#include "player/kinds/kinds_common.h"
#include "player/scene/dib_animator.h"

namespace zkw {

TDibMovieObj::TDibMovieObj() {
  FStyle = 12;
  macroUserName = "OnFrameChange";
  FBounce = true;  // MoveReturn
}

bool TDibMovieObj::ReadFromStream(TRecordReader& r, int32_t Version) {
  if (!TAnimateObj::ReadFromStream(r, Version)) return false;
  FDx = r.I16("movie dx");
  FDy = r.I16("movie dy");
  ReadRegion(r, Version, FRegion);
  FOrient = r.U8("movie orientation");
  FFlip = ReadBool(r, "movie flip");
  FEnableFlipX = ReadBool(r, "movie flip x");
  FEnableFlipY = ReadBool(r, "movie flip y");
  FReturn = ReadBool(r, "movie return");
  FDCount = r.I16("movie increment");
  FMaxCount = r.I16("movie frames");
  FShadow = ReadBool(r, "movie shadow");
  FShadowX = r.I16("movie shadow x");
  FShadowY = r.I16("movie shadow y");
  FFromX = ReadCoord(r, Version, "movie from x");
  FFromY = ReadCoord(r, Version, "movie from y");
  FBounce = ReadBool(r, "movie move return");
  FIsRandom = ReadBool(r, "movie random");
  FSpeed = r.I16("movie speed");
  FStartFrame = r.I16("movie play from");
  FEndFrame = r.I16("movie play to");
  FLoopCount = r.I16("movie loop count");
  FAutoDie = ReadBool(r, "movie auto die");
  return r.Ok();
}

bool TDibMovieObj::ReadFromStream2(TRecordReader& r) {
  if (!TAnimateObj::ReadFromStream2(r)) return false;
  FDx = r.I16("movie dx");
  FDy = r.I16("movie dy");
  ReadRegion(r, 0x20000, FRegion);
  FOrient = r.U8("movie orientation");
  FFlip = ReadBool(r, "movie flip");
  FReturn = ReadBool(r, "movie return");
  FDCount = r.I16("movie increment");
  FMaxCount = r.I16("movie frames");
  FShadow = ReadBool(r, "movie shadow");
  FShadowX = r.I16("movie shadow x");
  FShadowY = r.I16("movie shadow y");
  FFromX = r.I16("movie from x");
  FFromY = r.I16("movie from y");
  FBounce = ReadBool(r, "movie move return");
  FIsRandom = ReadBool(r, "movie random");
  FSpeed = r.I16("movie speed");
  FLoopCount = 0;
  FStartFrame = 1;
  FEndFrame = FMaxCount;
  return r.Ok();
}

bool TDibMovieObj::Write(TRecordWriter& w) {
  TAnimateObj::Write(w);
  w.I16(FDx);
  w.I16(FDy);
  WriteRegion(w, FRegion);
  w.U8(FOrient);
  w.U8(FFlip);
  w.U8(FEnableFlipX);
  w.U8(FEnableFlipY);
  w.U8(FReturn);
  w.I16(FDCount);
  w.I16(FMaxCount);
  w.U8(FShadow);
  w.I16(FShadowX);
  w.I16(FShadowY);
  w.I32(FFromX);
  w.I32(FFromY);
  w.U8(FBounce);
  w.U8(FIsRandom);
  w.I16(FSpeed);
  w.I16(FStartFrame);
  w.I16(FEndFrame);
  w.I16(FLoopCount);
  w.U8(FAutoDie);
  return w.Ok();
}

void TDibMovieObj::CopyFrom(const TAnimateObj& AObj) {
  TMovingObj::CopyFrom(AObj);
  auto* m = dynamic_cast<const TDibMovieObj*>(&AObj);
  if (!m) return;
  FOrient = m->FOrient;
  FReturn = m->FReturn;
  FStopWhenCollided = m->FStopWhenCollided;
  FCount = m->FCount;
  FDCount = m->FDCount;
  FMaxCount = m->FMaxCount;
  FShadow = m->FShadow;
  FShadowX = m->FShadowX;
  FShadowY = m->FShadowY;
  FSpeed = m->FSpeed;
  FSpeedCount = m->FSpeedCount;
  FStartFrame = m->FStartFrame;
  FEndFrame = m->FEndFrame;
  FLoopCount = m->FLoopCount;
  FLoop = m->FLoop;
  FAutoDie = m->FAutoDie;
}

int32_t TDibMovieObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  if (GetMotionValue(PropID, Value)) return 2;
  switch (PropID) {
    case 28: Value = FReturn; return 2;
    case 30: Value = FSpeed; return 2;
    case 43: Value = FMaxCount; return 2;
    case 44: Value = FStartFrame; return 2;
    case 45: Value = FEndFrame; return 2;
    case 46: Value = FDCount; return 2;
    case 47: Value = FBounce; return 2;
    case 48: Value = FLoopCount; return 2;
    case 49: Value = FAutoDie; return 2;
    case 130: Value = FCount; return 2;
    default: return TAnimateObj::GetValue(PropID, Value, SValue);
  }
}

void TDibMovieObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  if (SetMotionValue(PropID, IValue)) return;
  int16_t n = PropI16(IValue);
  bool b = IValue != 0;
  switch (PropID) {
    case 28: FReturn = b; break;
    case 30: FSpeed = n; break;
    case 43: FMaxCount = n; break;
    case 44: FStartFrame = n; break;
    case 45: FEndFrame = n; break;
    case 46: FDCount = n; break;
    case 47: FBounce = b; break;
    case 48: FLoopCount = n; break;
    case 49: FAutoDie = b; break;
    case 130: SetFrame(n, false); break;
    default: TAnimateObj::SetValue(PropID, SValue, IValue); break;
  }
}

void TDibMovieObj::GetPropsToList(TPropList& List) {
  TAnimateObj::GetPropsToList(List);
  AddPropRange(List, 17, 30);
  AddPropRange(List, 43, 49);
  AddProps(List, {130});
}

void TDibMovieObj::SetFrame(int32_t Value, bool Event) {
  int16_t v = static_cast<int16_t>(Value);
  if (v == FCount) return;
  int16_t old = FCount;
  FCount = v;
  if (Event) RaiseUserEvent(this, ocUserRaised, old, v);
  if (FParent) FParent->NeedDrawNow = true;
}

void TDibMovieObj::EndMovie() {
  SetActive(false);
  if (Macro(ocEnd) && EnableEndEvent && FParent) {
    FParent->FEventValue1 = FParent->FEventValue2 = 0;
    RunMacro(ocEnd, ocEnd);
  }
  if (FAutoDie) Die();
}

void TDibMovieObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  if (!FEnabled) return;
  if (!FetchImage(this) || !FActive) return;
  if (--FSpeedCount > 0) return;
  SetFrame(FCount + FDCount, true);
  FSpeedCount = FSpeed;
  if (FStartFrame < 1) FStartFrame = 1;
  if (FReturn) {
    if (FCount > FEndFrame) {
      SetFrame(FEndFrame, true);
      FDCount = static_cast<int16_t>(-FDCount);
    } else if (FCount < FStartFrame) {
      SetFrame(FStartFrame, true);
      FDCount = static_cast<int16_t>(-FDCount);
      if (FLoopCount > 0 && ++FLoop > FLoopCount) {
        EndMovie();
        return;
      }
    }
  } else if (FCount < FStartFrame || FCount > FEndFrame) {
    SetFrame(FDCount > 0 ? FStartFrame : FEndFrame, true);
    if (FLoopCount > 0 && ++FLoop > FLoopCount) {
      SetFrame(FDCount > 0 ? FEndFrame : FStartFrame, true);
      EndMovie();
      return;
    }
  }
  if (FParentSetPos) {
    FParentSetPos = false;
    return;
  }
  MoveStep();
}

void TDibMovieObj::PieceOrigin(int32_t& x, int32_t& y) const {
  int32_t frames = std::max<int32_t>(1, FMaxCount);
  int32_t frame = std::clamp<int32_t>(FCount, 1, frames);
  x = y = 0;
  if (FOrient == 0)
    x = (frame - 1) * FWidth;
  else
    y = (frame - 1) * FHeight;
}

void TDibMovieObj::Draw(TDibBaseObj* ADib) {
  if (IsFarAway(this)) return;
  if (!FEnabled || !ADib || !FetchImage(this) || FDib->Handle() == 0) return;
  int32_t frames = std::max<int32_t>(1, FMaxCount);
  if (FOrient == 0) {
    FWidth = static_cast<int16_t>(FDib->Width() / frames);
    FHeight = static_cast<int16_t>(FDib->Height());
  } else {
    FWidth = static_cast<int16_t>(FDib->Width());
    FHeight = static_cast<int16_t>(FDib->Height() / frames);
  }
  int32_t px, py;
  PieceOrigin(px, py);
  uint16_t rate = static_cast<uint16_t>(std::clamp<int32_t>(FTrans, 0, 100));
  if (FShadow)
    ADib->DrawPeaceShadow(Fx + FShadowX, Fy + FShadowY, FDib, px, py, FWidth, FHeight, FFlipX, FFlipY, rate);
  switch (FDibStyle) {
    case 0: ADib->DrawArea(Fx, Fy, FDib, px, py, FWidth, FHeight, FFlipX, FFlipY); break;
    case 1: ADib->DrawPeace(Fx, Fy, FDib, px, py, FWidth, FHeight, FFlipX, FFlipY); break;
    case 2: ADib->DrawMerge(Fx, Fy, FDib, px, py, FWidth, FHeight, FFlipX, FFlipY, rate); break;
    case 3: ADib->DrawPeaceShadow(Fx, Fy, FDib, px, py, FWidth, FHeight, FFlipX, FFlipY, rate); break;
    case 4: ADib->DrawMergeOpaque(Fx, Fy, FDib, px, py, FWidth, FHeight, FFlipX, FFlipY, rate); break;
    default: break;
  }
}

bool TDibMovieObj::IsSolidAt(int32_t X, int32_t Y) {
  if (!FDib) return false;
  if (FDibStyle == 0 || FDibStyle > 2) return true;
  int32_t px, py;
  PieceOrigin(px, py);
  int32_t ix = FFlipX < 0 ? FWidth - X : X, iy = FFlipY < 0 ? FHeight - Y : Y;
  if (ix < 0 || iy < 0 || ix >= FWidth || iy >= FHeight) return false;
  return IsPixelSolid(px + ix, py + iy);
}

bool TDibMovieObj::PtInObject(int32_t X, int32_t Y) {
  if (IsFarAway(this)) return false;
  if (!FDib || !InRect(X, Y)) return false;
  if (FDibStyle == 0 || FDibStyle >= 3) return true;
  return IsSolidAt(X - Fx, Y - Fy);
}

void TDibMovieObj::SetActive(bool Value) {
  TAnimateObj::SetActive(Value);
  if (!Value) return;
  int16_t from = FStartFrame;
  if (FEndFrame < FStartFrame) {
    std::swap(FStartFrame, FEndFrame);
    FDCount = -1;
  } else {
    FDCount = 1;
  }
  SetFrame(from, true);
  FLoop = 1;
  FSpeedCount = FSpeed;
}

void TDibMovieObj::BeforePlay() {
  FSpeedCount = FSpeed;
  FDCount = 1;
  FCount = FStartFrame;
  FLoop = 1;
  SetActive(FActive);
}

void TDibMovieObj::Reset() {
  int16_t frames = std::max<int16_t>(1, FMaxCount);
  FStartFrame = std::clamp<int16_t>(FStartFrame, 1, frames);
  FEndFrame = std::clamp<int16_t>(FEndFrame, 1, frames);
  FDCount = FEndFrame < FStartFrame ? -1 : 1;
  SetFrame(FStartFrame, true);
  FSpeedCount = 0;
  if (FParent) FParent->NeedDrawNow = true;
}

bool TDibMovieObj::PlayFrames(int32_t From, int32_t To) {
  FStartFrame = static_cast<int16_t>(From > 0 ? From : FCount);
  FEndFrame = static_cast<int16_t>(To);
  Reset();
  return true;
}

}  // namespace zkw
