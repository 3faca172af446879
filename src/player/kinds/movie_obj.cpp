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

template <class V>
void TDibMovieObj::Fields(V& v) {
  using namespace fields;
  v.ListOrder({17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 43, 44, 45, 46, 47, 48, 49, 130});
  v(&Self::FDx, I16("Dx").Prop(19));
  v(&Self::FDy, I16("Dy").Prop(20));
  v(&Self::FRegion, Region("Region").Prop(21));
  v(&Self::FOrient, U8("Orient"));
  v(&Self::FFlip, Bool("Flip").Prop(25));
  v(&Self::FEnableFlipX, Bool("EnableFlipX").NotOld().Prop(26));
  v(&Self::FEnableFlipY, Bool("EnableFlipY").NotOld().Prop(27));
  v(&Self::FReturn, Bool("Return").Prop(28));
  v(&Self::FDCount, I16("Increasement").Prop(46));
  v(&Self::FMaxCount, I16("MaxFrames").Prop(43));
  v(&Self::FShadow, Bool("Shadow"));
  v(&Self::FShadowX, I16("ShadowX"));
  v(&Self::FShadowY, I16("ShadowY"));
  v(&Self::FFromX, Coord("FromX").Prop(17));
  v(&Self::FFromY, Coord("FromY").Prop(18));
  v(&Self::FBounce, Bool("MoveReturn").Prop(47));
  v(&Self::FIsRandom, Bool("IsRandom").Prop(29));
  v(&Self::FSpeed, I16("Speed").Prop(30));
  v(&Self::FStartFrame, I16("PlayFrom").NotOld().Prop(44));
  v(&Self::FEndFrame, I16("PlayTo").NotOld().Prop(45));
  v(&Self::FLoopCount, I16("LoopCount").NotOld().Prop(48));
  v(&Self::FAutoDie, Bool("AutoDie").NotOld().Prop(49));
  v(&Self::FCount, Kept("Frame").Prop(130).ReadOnly());
  v(&Self::FStopWhenCollided, Kept("StopWhenCollided"));
  v(&Self::FSpeedCount, Kept("SpeedCount"));
  v(&Self::FLoop, Kept("Loop"));
}
template class TKind<TDibMovieObj, TMovingObj>;

bool TDibMovieObj::ReadKindRecord(TRecordReader& r, int32_t Version) {
  if (!TKind::ReadKindRecord(r, Version)) return false;
  if (Version < kCurrentLayoutVersion) {
    FLoopCount = 0;
    FStartFrame = 1;
    FEndFrame = FMaxCount;
  }
  return true;
}

void TDibMovieObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  if (PropID == 130)
    SetFrame(PropI16(IValue), false);
  else
    TKind::SetValue(PropID, SValue, IValue);
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
