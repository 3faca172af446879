#include "player/kinds/run_kinds.h"

#include <algorithm>

#include "dib/dib_base.h"
#include "player/kinds/kinds_common.h"
#include "player/scene/dib_animator.h"

namespace zkw {

namespace {

// A piece of the object's image by DibStyle with the object's flips.
void DrawPieceAt(TAnimateObj* o, TDibBaseObj* ADib, int32_t x, int32_t y, int32_t xx, int32_t yy, int32_t w,
                 int32_t h) {
  if (w <= 0 || h <= 0) return;
  TDibBaseObj* d = o->FDib;
  uint16_t rate = static_cast<uint16_t>(std::clamp<int32_t>(o->FTrans, 0, 100));
  const int32_t fx = o->FFlipX, fy = o->FFlipY;
  switch (o->FDibStyle) {
    case 0: ADib->DrawArea(x, y, d, xx, yy, w, h, fx, fy); break;
    case 1: ADib->DrawPeace(x, y, d, xx, yy, w, h, fx, fy); break;
    case 2: ADib->DrawMerge(x, y, d, xx, yy, w, h, fx, fy, rate); break;
    case 3: ADib->DrawPeaceShadow(x, y, d, xx, yy, w, h, fx, fy, rate); break;
    case 4: ADib->DrawMergeOpaque(x, y, d, xx, yy, w, h, fx, fy, rate); break;
    default: break;
  }
}

bool HasImage(TAnimateObj* o) {
  TDibBaseObj* d = FetchImage(o);
  return d && d->Handle() != 0 && d->Width() > 0 && d->Height() > 0;
}

}  // namespace

// --- kinds 10 and 11: endless scrolls ----------------------------------------------------------

TDibRunHorz::TDibRunHorz() { FStyle = 10; }

template <class V>
void TDibRunHorz::Fields(V& v) {
  v(&Self::FStep, fields::I16("Dx").Prop(19));
}
template class TKind<TDibRunHorz, TScrollImage>;

TDibRunVert::TDibRunVert() {
  FStyle = 11;
  FVertical = true;
}

template <class V>
void TDibRunVert::Fields(V& v) {
  v(&Self::FStep, fields::I16("Dy").Prop(20));
}
template class TKind<TDibRunVert, TScrollImage>;

void TScrollImage::Action(TDibBaseObj* ADib) {
  (void)ADib;
  if (!FEnabled || !HasImage(this) || !FActive) return;
  FParentSetPos = false;
  int16_t& origin = FVertical ? FOriginY : FOriginX;
  // The origin runs from 0 to the image's extent (origin = extent shows the image from its
  // start, as origin 0 does); past it the scroll goes on from 1, below 0 from extent - 1.
  int32_t extent = std::min<int32_t>(FVertical ? FDib->Height() : FDib->Width(), INT16_MAX);
  int32_t o = origin + FStep;
  if (o > extent)
    o = 1;
  else if (o < 0)
    o = extent - 1;
  origin = static_cast<int16_t>(o);
  if (FParent) FParent->NeedDrawNow = true;
}

void TScrollImage::Draw(TDibBaseObj* ADib) {
  if (IsFarAway(this) || !FEnabled || !ADib || !HasImage(this)) return;
  const int32_t W = FDib->Width(), H = FDib->Height();
  if (FOriginX < 0) FOriginX = 0;
  if (FOriginY < 0) FOriginY = 0;
  if (!FVertical) {
    if (FOriginX > W || FOriginY > H - 1) return;
    // The piece from the origin to the image's right edge, then the rest of the box from the
    // image's left edge; mirrored, the two change sides.
    int32_t piece = std::min<int32_t>(FWidth, W - FOriginX);
    int32_t rest = std::min<int32_t>(FWidth - piece, W);
    bool mirror = FFlipX < 0;
    DrawPieceAt(this, ADib, mirror ? AddSat(Fx, std::max(rest, 0)) : Fx, Fy, FOriginX, FOriginY, piece, FHeight);
    if (rest > 0) DrawPieceAt(this, ADib, mirror ? Fx : AddSat(Fx, piece), Fy, 0, FOriginY, rest, FHeight);
  } else {
    if (FOriginY > H || FOriginX > W - 1) return;
    int32_t piece = std::min<int32_t>(FHeight, H - FOriginY);
    int32_t rest = std::min<int32_t>(FHeight - piece, H);
    bool mirror = FFlipY < 0;
    DrawPieceAt(this, ADib, Fx, mirror ? AddSat(Fy, std::max(rest, 0)) : Fy, FOriginX, FOriginY, FWidth, piece);
    if (rest > 0) DrawPieceAt(this, ADib, Fx, mirror ? Fy : AddSat(Fy, piece), FOriginX, 0, FWidth, rest);
  }
}

// --- kinds 15 to 18: perspective strips --------------------------------------------------------

namespace {
// The record of a strip: its region, Return (kinds 15 and 17 only; the wrapping kinds keep it for
// copies), the step along x (id 19, kinds 15 and 16) or y (id 20, kinds 17 and 18) and the
// run-line set.
template <class V>
void StripRecord(V& v, int16_t StepProp, bool WithReturn) {
  using namespace fields;
  using S = TPerspectiveStrip;
  if (WithReturn)
    v.ListOrder({StepProp, 21, 22, 23, 24, 28});
  else
    v.ListOrder({StepProp, 21, 22, 23, 24});
  v(&S::FRegion, Region("Region").Prop(21));
  v(&S::FReturn, (WithReturn ? Bool("Return").Prop(28) : Kept("Return")));
  v(&S::FStep, I16(StepProp == 19 ? "Dx" : "Dy").Prop(StepProp));
  v(&S::FLines, I16("Lines"));
}
}  // namespace

template <class V>
void TPerspectYObj::Fields(V& v) { StripRecord(v, 19, true); }
template class TKind<TPerspectYObj, TPerspectiveStrip>;

template <class V>
void TPerspectXObj::Fields(V& v) { StripRecord(v, 20, true); }
template class TKind<TPerspectXObj, TPerspectiveStrip>;

template <class V>
void TRunPersYObj::Fields(V& v) { StripRecord(v, 19, false); }
template class TKind<TRunPersYObj, TWrappingStrip>;

template <class V>
void TRunPersXObj::Fields(V& v) { StripRecord(v, 20, false); }
template class TKind<TRunPersXObj, TWrappingStrip>;

TPerspectYObj::TPerspectYObj() { FStyle = 15; }

TPerspectXObj::TPerspectXObj() {
  FStyle = 17;
  FRows = true;
}

TRunPersYObj::TRunPersYObj() { FStyle = 16; }

TRunPersXObj::TRunPersXObj() {
  FStyle = 18;
  FRows = true;
}

void TPerspectiveStrip::ShiftBy(int32_t dx, int32_t dy) {
  TAnimateObj::ShiftBy(dx, dy);
  FRegion.left = AddSat(FRegion.left, dx);
  FRegion.right = AddSat(FRegion.right, dx);
  FRegion.top = AddSat(FRegion.top, dy);
  FRegion.bottom = AddSat(FRegion.bottom, dy);
}

void TPerspectiveStrip::DrawStrip(TDibBaseObj* ADib, int32_t Pos) {
  // The run-line set is indexed by target column (row); the region's far edge limits it.
  if (FRows)
    ADib->RunScaleX(Fx, Pos, FDib, FLines.data(), 0, FRegion.bottom);
  else
    ADib->RunScaleY(Pos, Fy, FDib, FLines.data(), 0, FRegion.right);
}

void TPerspectiveStrip::DrawStrips(TDibBaseObj* ADib) { DrawStrip(ADib, FRows ? Fy : Fx); }

void TPerspectiveStrip::Move() {
  int32_t oldX = Fx, oldY = Fy;
  int32_t& pos = FRows ? Fy : Fx;
  int32_t lo = FRows ? FRegion.top : FRegion.left, hi = FRows ? FRegion.bottom : FRegion.right;
  pos = AddSat(pos, FStep);
  if (pos > hi || pos < lo) {
    if (FReturn)
      FStep = static_cast<int16_t>(-FStep);
    else
      pos = FRows ? FOriginY : FOriginX;
  }
  if (Fx != oldX || Fy != oldY) PositionChanged(oldX, oldY);
}

void TPerspectiveStrip::Action(TDibBaseObj* ADib) {
  if (!FEnabled || !HasImage(this) || !FActive) return;
  if (ADib && !IsFarAway(this)) DrawStrips(ADib);
  if (FParentSetPos) {
    FParentSetPos = false;
    return;
  }
  Move();
  if (FParent) FParent->NeedDrawNow = true;
}

void TPerspectiveStrip::Draw(TDibBaseObj* ADib) {
  if (IsFarAway(this) || !FEnabled || !ADib || !HasImage(this)) return;
  DrawStrips(ADib);
}

void TWrappingStrip::DrawStrips(TDibBaseObj* ADib) {
  // Copies of the strip every image extent, from the first one that reaches the region's near
  // edge to the region's far edge (the tables end at index 1024).
  const int64_t extent = FRows ? FDib->Height() : FDib->Width();
  const int64_t lo = FRows ? FRegion.top : FRegion.left;
  const int64_t hi = std::min<int64_t>(FRows ? FRegion.bottom : FRegion.right, kLineOffsetCount - 1);
  int64_t pos = FRows ? Fy : Fx;
  if (pos > lo) pos -= ((pos - lo + extent - 1) / extent) * extent;
  if (pos + extent <= 0) pos += ((-pos) / extent) * extent;  // copies wholly before index 0
  for (; pos <= hi; pos += extent) DrawStrip(ADib, static_cast<int32_t>(pos));
}

void TWrappingStrip::Move() {
  // The position wraps by the image extent: it stays within extent of the region's near edge.
  int32_t oldX = Fx, oldY = Fy;
  const int64_t extent = FRows ? FDib->Height() : FDib->Width();
  const int64_t lo = FRows ? FRegion.top : FRegion.left;
  int32_t& pos = FRows ? Fy : Fx;
  int64_t rel = (int64_t{pos} + FStep - lo) % extent;
  if (rel < 0) rel += extent;
  pos = AddSat(lo, rel);
  if (Fx != oldX || Fy != oldY) PositionChanged(oldX, oldY);
}

}  // namespace zkw
