#include "player/kinds/effect_kinds.h"

#include <algorithm>

#include "common/round.h"
#include "dib/dib_base.h"
#include "player/kinds/kinds_common.h"
#include "player/scene/dib_animator.h"

namespace zkw {

namespace {

uint16_t Rate(int32_t Trans) { return static_cast<uint16_t>(std::clamp<int32_t>(Trans, 0, 100)); }

// The image piece by DibStyle (the drawing of a plain image object), with the object's flips.
void DrawPiece(TAnimateObj* o, TDibBaseObj* ADib, int32_t x) {
  TDibBaseObj* d = o->FDib;
  uint16_t rate = Rate(o->FTrans);
  switch (o->FDibStyle) {
    case 0: ADib->DrawArea(x, o->Fy, d, o->FOriginX, o->FOriginY, o->FWidth, o->FHeight, o->FFlipX, o->FFlipY); break;
    case 1: ADib->DrawPeace(x, o->Fy, d, o->FOriginX, o->FOriginY, o->FWidth, o->FHeight, o->FFlipX, o->FFlipY); break;
    case 2:
      ADib->DrawMerge(x, o->Fy, d, o->FOriginX, o->FOriginY, o->FWidth, o->FHeight, o->FFlipX, o->FFlipY, rate);
      break;
    case 3:
      ADib->DrawPeaceShadow(x, o->Fy, d, o->FOriginX, o->FOriginY, o->FWidth, o->FHeight, o->FFlipX, o->FFlipY, rate);
      break;
    case 4:
      ADib->DrawMergeOpaque(x, o->Fy, d, o->FOriginX, o->FOriginY, o->FWidth, o->FHeight, o->FFlipX, o->FFlipY, rate);
      break;
    default: break;
  }
}

// True when the object has an image it can draw.
bool ReadyToDraw(TAnimateObj* o, TDibBaseObj* ADib) {
  if (IsFarAway(o) || !o->FEnabled || !ADib) return false;
  TDibBaseObj* d = FetchImage(o);
  return d && d->Handle() != 0;
}

// The palette of an 8-bit image (null for other depths).
TRGBQuad* Palette8(TDibBaseObj* d) {
  if (!d || d->Handle() == 0 || d->Bits() != 1) return nullptr;  // one byte a pixel
  return d->DibPal;
}

// Entries the image's colour table holds (an attached image may carry fewer than 256).
int32_t PaletteEntries(TDibBaseObj* d) {
  ptrdiff_t bytes = d->DibData - reinterpret_cast<uint8_t*>(d->DibPal);
  return static_cast<int32_t>(std::clamp<ptrdiff_t>(bytes / 4, 0, 256));
}

uint8_t Channel(int32_t v, int32_t delta) { return static_cast<uint8_t>(std::clamp(v + delta, 0, 255)); }

}  // namespace

// --- kind 0: background ------------------------------------------------------------------------

template <class V>
void TBackgroundObj::Fields(V& v) {
  using namespace fields;
  v.ListOrder({136, 140, 141, 197});
  v(&Self::FColor, U32("Color").Prop(136));
  v(&Self::FBorderSize, I16("BorderSize").NotOld().Prop(141));
  v(&Self::FBorderColor, U32("BorderColor").NotOld().Prop(140));
  v(&Self::FFill, Bool("Fill").Since(0x40000).Prop(197));
}
template class TKind<TBackgroundObj, TAnimateObj>;

TBackgroundObj::TBackgroundObj() {
  FStyle = 0;
  FID = -1;
}

void TBackgroundObj::PropertyWritten(int32_t PropID) {
  (void)PropID;
  if (FParent) FParent->NeedDrawNow = true;
}

void TBackgroundObj::Draw(TDibBaseObj* ADib) {
  if (IsFarAway(this) || !FEnabled || !ADib || FWidth <= 0 || FHeight <= 0) return;
  TSmallRect r = ObjRect();
  if (FDibStyle == 2 || FDibStyle == 4) {
    uint16_t rate = Rate(FTrans);
    if (FFill) ADib->BarMerge(r.left, r.top, r.right, r.bottom, FColor, rate);
    if (FBorderSize > 0) ADib->RectangleMerge(r.left, r.top, r.right, r.bottom, FBorderSize, FBorderColor, rate);
  } else {
    if (FFill) ADib->Bar(r.left, r.top, r.right, r.bottom, FColor);
    if (FBorderSize > 0) ADib->Rectangle(r.left, r.top, r.right, r.bottom, FBorderSize, FBorderColor);
  }
  if (FContainer && FShowHotrack && FParent && FParent->FHotContainer == this) {
    ADib->RectangleMerge(r.left, r.top, r.right, r.bottom, 1, FHottrackColor, FHotOpacity);
    FHotOpacity = static_cast<uint16_t>(FHotOpacity + FHotDelta);
    if (FHotOpacity < 10 || FHotOpacity > 80) FHotDelta = -FHotDelta;
  }
}

bool TBackgroundObj::PtInObject(int32_t X, int32_t Y) { return !IsFarAway(this) && InRect(X, Y); }

bool TBackgroundObj::IsSolidAt(int32_t X, int32_t Y) { return X >= 0 && Y >= 0 && X < FWidth && Y < FHeight; }

// --- kind 1: still image -----------------------------------------------------------------------

template <class V>
void TDibDrawObj::Fields(V& v) {
  using namespace fields;
  v(&Self::FAutoDie, Bool("AutoDie").NotOld().Prop(49));
  v(&Self::FRepeatTime, I16("RepeatTime").NotOld().Prop(184));
}
template class TKind<TDibDrawObj, TAnimateObj>;

TDibDrawObj::TDibDrawObj() {
  FStyle = 1;
  FDibStyle = 0;
}

void TDibDrawObj::PropertyWritten(int32_t PropID) {
  (void)PropID;
  if (FParent) FParent->NeedDrawNow = true;
}

void TDibDrawObj::Draw(TDibBaseObj* ADib) {
  if (IsFarAway(this) || !FEnabled || !ADib) return;
  if (FAutoDie && FParent && !FParent->Designing) {
    // Outside the view the image is let go (the animator may unload it) and nothing is drawn.
    if (Fx >= FParent->FViewWidth || Fy >= FParent->FViewHeight || Fx + FWidth <= 0 || Fy + FHeight <= 0) {
      if (FDib) ReleaseImage();
      return;
    }
  }
  if (!ReadyToDraw(this, ADib)) return;
  if (FOriginY > FDib->Height() - 1 || FOriginX > FDib->Width() - 1) return;
  FOriginX = std::max<int16_t>(FOriginX, 0);
  FOriginY = std::max<int16_t>(FOriginY, 0);
  if (FRepeatTime < 2) {
    DrawPiece(this, ADib, Fx);
    return;
  }
  int32_t w = FDib->Width();
  FWidth = static_cast<int16_t>(std::min<int32_t>(static_cast<int32_t>(FRepeatTime) * w, INT16_MAX));
  int16_t whole = FWidth;
  FWidth = static_cast<int16_t>(w);
  for (int32_t i = 0; i < FRepeatTime; ++i) DrawPiece(this, ADib, AddSat(Fx, static_cast<int64_t>(i) * w));
  FWidth = whole;
}

bool TDibDrawObj::IsSolidAt(int32_t X, int32_t Y) {
  if (!FDib) return false;
  if (FDibStyle == 0 || FDibStyle > 2) return true;
  int32_t w = FDib->Width();
  if (FRepeatTime >= 2 && w > 0 && X >= 0) X %= w;
  return IsPixelSolid(FFlipX < 0 ? std::min<int32_t>(FWidth, w) - X : X, FFlipY < 0 ? FHeight - Y : Y);
}

bool TDibDrawObj::PtInObject(int32_t X, int32_t Y) {
  if (IsFarAway(this) || !FDib || !InRect(X, Y)) return false;
  if (FDibStyle == 0 || FDibStyle >= 3) return true;
  return IsSolidAt(X - Fx, Y - Fy);
}

// --- kind 2: floating image --------------------------------------------------------------------

template <class V>
void TDibFloatObj::Fields(V& v) {
  using namespace fields;
  StartStepAndRegion(v);
  v(&Self::FFlip, Bool("Flip").Prop(25));
  v(&Self::FEnableFlipX, Bool("EnableFlipX").NotOld().Prop(26));
  v(&Self::FEnableFlipY, Bool("EnableFlipY").NotOld().Prop(27));
  v(&Self::FBounce, Bool("Return").Prop(28));
  v(&Self::FIsRandom, Bool("IsRandom").Prop(29));
  v(&Self::FSpeed, I16("Speed").NotOld().Prop(30));
  v(&Self::FSpeedCount, Kept("SpeedCount"));
}
template class TKind<TDibFloatObj, TMovingObj>;

TDibFloatObj::TDibFloatObj() {
  FStyle = 2;
  FDx = FDy = 1;
  FBounce = true;
}

void TDibFloatObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  if (!FEnabled || !FetchImage(this) || !FActive) return;
  if (FParentSetPos) {
    FParentSetPos = false;
    return;
  }
  if (++FSpeedCount < FSpeed) return;
  FSpeedCount = 0;
  MoveStep();
}

void TDibFloatObj::CollideAction(uint8_t Edges) {
  auto randomIn = [](int32_t lo, int32_t hi) {
    return AddSat(lo, Round(AniRandomFraction() * (static_cast<double>(hi) - lo)));
  };
  if (Edges & (EdgeBit(ceLeft) | EdgeBit(ceRight))) {
    if (FBounce) {
      FDx = static_cast<int16_t>(-FDx);
      if (FFlip && FEnableFlipX) FFlipX = static_cast<int16_t>(-FFlipX);
    } else {
      Fx = FFromX;
      if (FIsRandom && FDy == 0) Fy = randomIn(FRegion.top, FRegion.bottom);
    }
  }
  if (Edges & (EdgeBit(ceTop) | EdgeBit(ceBottom))) {
    if (FBounce) {
      FDy = static_cast<int16_t>(-FDy);
      if (FFlip && FEnableFlipY) FFlipY = static_cast<int16_t>(-FFlipY);
    } else {
      Fy = FFromY;
      if (FIsRandom && FDx == 0) Fx = randomIn(FRegion.left, FRegion.right);
    }
  }
  ReportCollision(Edges);
}

void TDibFloatObj::Draw(TDibBaseObj* ADib) {
  if (!ReadyToDraw(this, ADib)) return;
  TAnimateObj::Draw(ADib);
}

// --- kind 3: floating image with a shadow ------------------------------------------------------

template <class V>
void TDibFloatShadow::Fields(V& v) {
  using namespace fields;
  v(&Self::FShadowX, I16("ShadowX"));
  v(&Self::FShadowY, I16("ShadowY"));
  v(&Self::FShadow, I16("Shadow"));
}
template class TKind<TDibFloatShadow, TDibFloatObj>;

TDibFloatShadow::TDibFloatShadow() { FStyle = 3; }

void TDibFloatShadow::Draw(TDibBaseObj* ADib) {
  if (!ReadyToDraw(this, ADib)) return;
  if (FOriginX >= 0 && FOriginY >= 0 && FOriginX < FDib->Width() && FOriginY < FDib->Height())
    ADib->DrawPeaceShadow(AddSat(Fx, FShadowX), AddSat(Fy, FShadowY), FDib, FOriginX, FOriginY, FWidth, FHeight,
                          FFlipX, FFlipY, Rate(FShadow));
  TAnimateObj::Draw(ADib);
}

// --- kind 14: one-way slider -------------------------------------------------------------------

template <class V>
void TFloatLimitObj::Fields(V& v) {
  using namespace fields;
  v(&Self::FFromPos, I16("FromPos"));
  v(&Self::FToPos, I16("ToPos"));
  v(&Self::FDelta, I16("Delta"));
  v(&Self::FOrient, U8("Orient"));
}
template class TKind<TFloatLimitObj, TAnimateObj>;

TFloatLimitObj::TFloatLimitObj() { FStyle = 14; }

void TFloatLimitObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  if (!FEnabled || !FActive) return;
  if (FParentSetPos) {
    FParentSetPos = false;
    return;
  }
  int32_t oldX = Fx, oldY = Fy;
  int32_t& pos = FOrient == 1 ? Fy : Fx;
  int32_t lo = std::min(FFromPos, FToPos), hi = std::max(FFromPos, FToPos);
  pos = AddSat(pos, FDelta);
  if (pos < lo || pos > hi) {
    pos = pos < lo ? lo : hi;
    FDelta = static_cast<int16_t>(-FDelta);
    // Hidden by the flag alone: no hide event, the image stays.
    FEnabled = false;
  }
  if (Fx != oldX || Fy != oldY) PositionChanged(oldX, oldY);
}

void TFloatLimitObj::Draw(TDibBaseObj* ADib) {
  if (!ReadyToDraw(this, ADib)) return;
  TAnimateObj::Draw(ADib);
}

// --- kind 19: brightness -----------------------------------------------------------------------

template <class V>
void TBrightObj::Fields(V& v) {
  using namespace fields;
  v(&Self::FMin, I16("Min").Prop(194));
  v(&Self::FMax, I16("Max").Prop(103));
  v(&Self::FCurrent, I16("Current"));
  v(&Self::FIncreasement, I16("Increasement").Prop(46));
  v(&Self::FReturn, Bool("Return").Prop(28));
  v(&Self::FColors, U8("Colors"));
}
template class TKind<TBrightObj, TAnimateObj>;

TBrightObj::TBrightObj() { FStyle = 19; }

void TBrightObj::SetColor(int32_t Index, bool On) {
  if (Index < 0 || Index > 255) return;
  uint8_t bit = static_cast<uint8_t>(1u << (Index & 7));
  uint8_t& b = FColors[static_cast<size_t>(Index >> 3)];
  b = static_cast<uint8_t>(On ? (b | bit) : (b & ~bit));
}

void TBrightObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  if (!FEnabled || !FActive) return;
  int32_t lo = std::min(FMin, FMax), hi = std::max(FMin, FMax);
  int32_t v = FCurrent + FIncreasement;
  if (v > hi || v < lo) {
    if (FReturn) {
      FIncreasement = static_cast<int16_t>(-FIncreasement);
      v = std::clamp(v, lo, hi);
    } else {
      v = FIncreasement >= 0 ? lo : hi;
    }
  }
  FCurrent = static_cast<int16_t>(v);
  if (FParent) FParent->NeedDrawNow = true;
}

void TBrightObj::Draw(TDibBaseObj* ADib) {
  if (!ReadyToDraw(this, ADib)) return;
  TRGBQuad* pal = Palette8(FDib);
  if (!pal) {
    TAnimateObj::Draw(ADib);
    return;
  }
  int32_t n = PaletteEntries(FDib);
  std::array<TRGBQuad, 256> saved;
  std::copy(pal, pal + n, saved.begin());
  for (int32_t i = 0; i < n; ++i) {
    if (!HasColor(i)) continue;
    pal[i].rgbRed = Channel(pal[i].rgbRed, FCurrent);
    pal[i].rgbGreen = Channel(pal[i].rgbGreen, FCurrent);
    pal[i].rgbBlue = Channel(pal[i].rgbBlue, FCurrent);
  }
  TAnimateObj::Draw(ADib);
  std::copy(saved.begin(), saved.begin() + n, pal);
}

// --- kind 21: fading floater -------------------------------------------------------------------

TMergeObj::TMergeObj() {
  FStyle = 21;
  FDibStyle = 2;
  FBounce = true;
}

template <class V>
void TMergeObj::Fields(V& v) {
  using namespace fields;
  v.ListOrder({17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 46, 47, 61, 62});
  v(&Self::FDt, I16("Dt").Prop(46));
  v(&Self::FMinTrans, I16("MinTrans").Prop(61));
  v(&Self::FMaxTrans, I16("MaxTrans").Prop(62));
  v(&Self::FReturn, Bool("Return").Prop(28));
  v(&Self::FFromX, Coord("FromX").Prop(17));
  v(&Self::FFromY, Coord("FromY").Prop(18));
  v(&Self::FDx, I16("Dx").Prop(19));
  v(&Self::FDy, I16("Dy").Prop(20));
  v(&Self::FFlip, Bool("Flip").Prop(25));
  v(&Self::FBounce, Bool("MoveReturn").Prop(47));
  v(&Self::FIsRandom, Bool("IsRandom").Prop(29));
  v(&Self::FRegion, Region("Region").Prop(21));
  v(&Self::FEnableFlipX, Kept("EnableFlipX").Prop(26));
  v(&Self::FEnableFlipY, Kept("EnableFlipY").Prop(27));
}
template class TKind<TMergeObj, TMovingObj>;

void TMergeObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  if (!FEnabled || !FetchImage(this) || !FActive) return;
  int32_t lo = std::min(FMinTrans, FMaxTrans), hi = std::max(FMinTrans, FMaxTrans);
  int32_t t = FTrans + FDt;
  if (t > hi || t < lo) {
    if (FReturn) {
      FDt = static_cast<int16_t>(-FDt);
      t = std::clamp(t, lo, hi);
    } else {
      t = FMinTrans;
    }
  }
  FTrans = static_cast<int16_t>(t);
  if (FParentSetPos) {
    FParentSetPos = false;
    return;
  }
  MoveStep();
}

void TMergeObj::Draw(TDibBaseObj* ADib) {
  if (!ReadyToDraw(this, ADib)) return;
  if (FOriginX < 0 || FOriginY < 0 || FOriginX >= FDib->Width() || FOriginY >= FDib->Height()) return;
  ADib->DrawMerge(Fx, Fy, FDib, FOriginX, FOriginY, FWidth, FHeight, FFlipX, FFlipY, Rate(FTrans));
}

// --- kind 23: palette rotation -----------------------------------------------------------------

template <class V>
void TAniPaletteObj::Fields(V& v) {
  using namespace fields;
  v(&Self::FFromColor, I16("FromColor"));
  v(&Self::FToColor, I16("ToColor"));
}
template class TKind<TAniPaletteObj, TAnimateObj>;

TAniPaletteObj::TAniPaletteObj() { FStyle = 23; }

void TAniPaletteObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  if (!FEnabled || !FActive) return;
  TRGBQuad* pal = Palette8(FetchImage(this));
  // Entries outside the palette are never touched, whatever the record says.
  if (!pal) return;
  int32_t from = std::max<int32_t>(FFromColor, 0), to = std::min<int32_t>(FToColor, PaletteEntries(FDib) - 1);
  if (from >= to) return;
  TRGBQuad first = pal[from];
  std::copy(pal + from + 1, pal + to + 1, pal + from);
  pal[to] = first;
  if (FParent) FParent->NeedDrawNow = true;
}

void TAniPaletteObj::Draw(TDibBaseObj* ADib) {
  if (!ReadyToDraw(this, ADib)) return;
  TAnimateObj::Draw(ADib);
}

// --- kind 24: growing squares ------------------------------------------------------------------

template <class V>
void TAniSquaresObj::Fields(V& v) {
  using namespace fields;
  v.ListOrder({30, 136});
  v(&Self::FNumSquare, I16("NumSquare"));
  v(&Self::FColor, U32("Color").Prop(136));
  v(&Self::FSpeed, I16("Speed").Prop(30));
  v(&Self::FRandomColor, Bool("RandomColor"));
  v(&Self::FEnableMerge, Bool("EnableMerge"));
  v(&Self::FThickness, I16("Thickness"));
}
template class TKind<TAniSquaresObj, TAnimateObj>;

TAniSquaresObj::TAniSquaresObj() {
  FStyle = 24;
  FID = -1;
}

TAniSquaresObj::TSquareObj TAniSquaresObj::NewSquare() const {
  TSquareObj s;
  s.x = AniRandomBelow(FWidth);
  s.y = AniRandomBelow(FHeight);
  int32_t most = FSpeed > 0 ? FWidth / 2 : FWidth;
  s.size = 1 + AniRandomBelow(std::max(most, 1));
  s.color = FRandomColor ? static_cast<uint32_t>(AniRandomBelow(0x1000000)) : FColor;
  s.opacity = FEnableMerge ? (FSpeed > 0 ? 20 : 100) : 100;
  return s;
}

void TAniSquaresObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  if (!FEnabled || !FActive) return;
  size_t want = static_cast<size_t>(std::max<int16_t>(FNumSquare, 0));
  if (FSquares.size() > want) FSquares.resize(want);
  for (TSquareObj& s : FSquares) {
    s.size += FSpeed;
    if (s.size > FWidth || s.size < 1) {
      s = NewSquare();
      continue;
    }
    if (FEnableMerge) s.opacity = std::clamp(s.opacity + (FSpeed > 0 ? 2 : -2), 5, 100);
  }
  while (FSquares.size() < want) FSquares.push_back(NewSquare());
  if (FParent) FParent->NeedDrawNow = true;
}

void TAniSquaresObj::Draw(TDibBaseObj* ADib) {
  if (IsFarAway(this) || !FEnabled || !ADib) return;
  int32_t thick = std::max<int16_t>(FThickness, 1);
  for (const TSquareObj& s : FSquares) {
    // Centred on the square's point.
    int32_t left = Fx + s.x - s.size / 2, top = Fy + s.y - s.size / 2;
    int32_t right = left + s.size - 1, bottom = top + s.size - 1;
    if (FEnableMerge)
      ADib->RectangleMerge(left, top, right, bottom, thick, s.color, static_cast<uint16_t>(s.opacity));
    else
      ADib->Rectangle(left, top, right, bottom, thick, s.color);
  }
}

}  // namespace zkw
