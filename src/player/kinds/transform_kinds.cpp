#include "player/kinds/transform_kinds.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "common/round.h"
#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/dib_base.h"
#include "dib/gp_draw.h"
#include "platform/plat_gdi.h"
#include "platform/plat_imaging.h"
#include "player/kinds/kinds_common.h"
#include "player/scene/dib_animator.h"

namespace zkw {

namespace {

uint16_t Rate(int32_t Trans) { return static_cast<uint16_t>(std::clamp<int32_t>(Trans, 0, 100)); }

int16_t Sat16(int64_t v) { return static_cast<int16_t>(std::clamp<int64_t>(v, INT16_MIN, INT16_MAX)); }

// The object's image when it can be drawn now (visible, near the view, with pixels); else null.
TDibBaseObj* DrawableImage(TAnimateObj* o, TDibBaseObj* ADib) {
  if (IsFarAway(o) || !o->FEnabled || !ADib || ADib->Handle() == 0) return nullptr;
  TDibBaseObj* d = FetchImage(o);
  if (!d || d->Handle() == 0 || d->Width() <= 0 || d->Height() <= 0) return nullptr;
  return d;
}

// One turning step: the angle grows by the step and starts again at 0 once it lies beyond
// +-(360 - |step|), so a full turn never shows the same angle twice.
int16_t NextAngle(int16_t Angle, int16_t Step) {
  int32_t a = Angle + Step;
  int32_t limit = 360 - std::abs(static_cast<int32_t>(Step));
  if (a > limit || a < -limit) a = 0;
  return static_cast<int16_t>(a);
}

// A value stepping between two bounds (either order): past a bound the step reverses and the
// value stays at the bound (Return), or the value jumps to the other bound.
template <class T>
void Swing(T& Value, int16_t& Step, int32_t A, int32_t B, bool Return) {
  if (Step == 0) return;
  int64_t lo = std::min(A, B), hi = std::max(A, B);
  int64_t v = int64_t{Value} + Step;
  if (v > hi || v < lo) {
    if (Return) {
      Step = static_cast<int16_t>(-Step);
      v = std::clamp(v, lo, hi);
    } else {
      v = v > hi ? lo : hi;
    }
  }
  Value = static_cast<T>(v);
}

// A device context over the target image for the smooth drawing: the frame bitmap itself when
// the target is the scene's frame buffer; otherwise a section holding a copy of the target's
// pixels, copied back when the context closes.
class TTargetDC {
 public:
  TTargetDC(TAnimateObj* o, TDibBaseObj* Target) : FTarget(Target) {
    FDC = plat::CreateCompatibleDC(nullptr);
    if (!FDC) return;
    TDibAnimator* ani = o->FParent;
    if (ani && static_cast<TDibBaseObj*>(ani->FDib) == Target && ani->FBkBitmap) {
      FOld = plat::SelectObject(FDC, ani->FBkBitmap);
      return;
    }
    plat::BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(plat::BITMAPINFOHEADER);
    info.bmiHeader.biWidth = Target->Width();
    info.bmiHeader.biHeight = Target->Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    FTemp = plat::CreateDIBSection(nullptr, &info, plat::DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!FTemp || !bits) return;
    FTempBits = static_cast<uint8_t*>(bits);
    CopyRows(true);
    FOld = plat::SelectObject(FDC, FTemp);
  }
  ~TTargetDC() {
    if (FDC && FOld) plat::SelectObject(FDC, FOld);
    if (FTempBits && FOld) CopyRows(false);
    if (FDC) plat::DeleteDC(FDC);
    if (FTemp) plat::DeleteObject(FTemp);
  }
  TTargetDC(const TTargetDC&) = delete;
  TTargetDC& operator=(const TTargetDC&) = delete;
  plat::HDC DC() const { return FOld ? FDC : nullptr; }

 private:
  // Between the target and the bottom-up section (image row y is section row H - 1 - y).
  void CopyRows(bool ToSection) {
    const int32_t w = FTarget->Width(), h = FTarget->Height();
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};
    for (int32_t y = 0; y < h; ++y) {
      uint8_t* s = FTempBits + static_cast<size_t>(h - 1 - y) * stride;
      uint8_t* t = FTarget->PixelAddress(0, y);
      if (ToSection)
        std::memcpy(s, t, static_cast<size_t>(w) * 3);
      else
        std::memcpy(t, s, static_cast<size_t>(w) * 3);
    }
  }

  TDibBaseObj* FTarget;
  plat::HDC FDC = nullptr;
  plat::HGDIOBJ FOld = nullptr;
  plat::HBITMAP FTemp = nullptr;
  uint8_t* FTempBits = nullptr;
};

// The image's alpha companion when it has one of its own size.
TDib8Bits* AlphaOf(TDibBaseObj* d) {
  TDib8Bits* a = d->AlphaDib;
  if (!a || a->Handle() == 0 || a->Width() != d->Width() || a->Height() != d->Height()) return nullptr;
  return a;
}

// Draws with one of the plain transforms, which know neither opacity nor alpha companions.
// Draw(target, ox, oy, source) runs the transform of source with its coordinates moved by
// (-ox, -oy). An image without alpha at full opacity goes straight onto the target. Otherwise
// the area the image can reach is drawn into a scratch image whose alpha is made by the same
// transform: from the image's alpha companion, or, without one, from two passes over a black
// and a white background (a pixel the transform wrote holds the same colour in both). The
// scratch image is then blended onto the target at the object's opacity.
template <class F>
void DrawPlain(TDibBaseObj* ADib, TDibBaseObj* d, uint16_t rate, double cx, double cy, double radius, F&& Draw) {
  TDib8Bits* alpha = ADib->Bits() == 3 ? AlphaOf(d) : nullptr;
  if (!alpha && (rate >= 100 || ADib->Bits() != 3)) {
    Draw(*ADib, 0, 0, d);
    return;
  }
  const int64_t l = std::max<int64_t>(0, static_cast<int64_t>(std::floor(cx - radius)));
  const int64_t t = std::max<int64_t>(0, static_cast<int64_t>(std::floor(cy - radius)));
  const int64_t r = std::min<int64_t>(ADib->Width() - 1, static_cast<int64_t>(std::ceil(cx + radius)));
  const int64_t b = std::min<int64_t>(ADib->Height() - 1, static_cast<int64_t>(std::ceil(cy + radius)));
  if (l > r || t > b) return;
  const int32_t w = static_cast<int32_t>(r - l + 1), h = static_cast<int32_t>(b - t + 1);
  const int32_t ox = static_cast<int32_t>(l), oy = static_cast<int32_t>(t);
  TDib24Bits scratch;
  scratch.SetAttributes(w, h);
  if (scratch.Handle() == 0) return;
  scratch.Bar(0, 0, w - 1, h - 1, 0x000000);
  Draw(scratch, ox, oy, d);
  scratch.CreateAlphaChannel();
  TDib8Bits* mask = scratch.AlphaDib;
  if (!mask || mask->Handle() == 0) return;
  if (alpha) {
    // The transform skips the source's transparent index: for the companion that is alpha 0,
    // which leaves those pixels at 0, and every other alpha value is drawn.
    mask->Bar(0, 0, w - 1, h - 1, 0);
    const uint8_t key = alpha->TransparentColor;
    alpha->TransparentColor = 0;
    Draw(*mask, ox, oy, alpha);
    alpha->TransparentColor = key;
  } else {
    TDib24Bits light;
    light.SetAttributes(w, h);
    if (light.Handle() == 0) return;
    light.Bar(0, 0, w - 1, h - 1, 0xFFFFFF);
    Draw(light, ox, oy, d);
    for (int32_t y = 0; y < h; ++y) {
      const uint8_t* p = scratch.PixelAddress(0, y);
      const uint8_t* q = light.PixelAddress(0, y);
      uint8_t* a = mask->PixelAddress(0, y);
      for (int32_t x = 0; x < w; ++x, p += 3, q += 3) a[x] = std::memcmp(p, q, 3) == 0 ? 255 : 0;
    }
  }
  ADib->DrawMerge(ox, oy, &scratch, 0, 0, w, h, 1, 1, rate);
}

// How a kind's image is placed: its unturned, unscaled box at (X, Y), turned by Angle degrees
// (clockwise) about its centre and scaled by ScaleX, ScaleY per cent; plain scaling aligns the
// scaled image in the box by HAlign, VAlign (1 left / top, 2 right / bottom, other centred).
enum class TShape { Turn, ScaleTurn, Scale };
struct TPlacement {
  TShape Shape;
  int32_t X, Y;
  int32_t Angle = 0;
  int32_t ScaleX = 100, ScaleY = 100;
  int32_t HAlign = 0, VAlign = 0;
};

// Offset of the scaled size inside the unscaled one by alignment code.
int64_t AlignOffset(int32_t Code, int64_t Size, int64_t Scaled) {
  if (Code == 1) return 0;
  if (Code == 2) return Size - Scaled;
  return (Size - Scaled) / 2;
}

// Draws the object's image d onto ADib as placed: smoothly through the image's cached ARGB copy
// while the image-drawing service runs (nothing when the copy cannot be made), otherwise with
// the DIB transforms, which give the same centre and size: the blended ones for an 8-bit image
// with an alpha companion, the plain ones (with opacity and alpha added) for other images.
void DrawPlaced(TAnimateObj* o, TDibBaseObj* ADib, TDibBaseObj* d, const TPlacement& p) {
  if (plat::ImagingRunning() && ADib->Bits() == 3) {
    if (!d->RequireGPBitmap()) return;
    TTargetDC dc(o, ADib);
    if (!dc.DC()) return;
    const float t = static_cast<float>(o->FTrans) / 100.0f;
    const float sx = static_cast<float>(p.ScaleX) / 100.0f, sy = static_cast<float>(p.ScaleY) / 100.0f;
    switch (p.Shape) {
      case TShape::Turn: DrawImageRotated(dc.DC(), p.X, p.Y, 0, 0, t, d->GPImage(), p.Angle); break;
      case TShape::ScaleTurn:
        DrawImageScaledRotated(dc.DC(), p.X, p.Y, 0, 0, t, d->GPImage(), sy, sx, p.Angle);
        break;
      case TShape::Scale: DrawImageScaled(dc.DC(), p.X, p.Y, p.VAlign, p.HAlign, t, d->GPImage(), sy, sx); break;
    }
    return;
  }
  const uint16_t rate = Rate(o->FTrans);
  if (rate == 0) return;
  const int32_t W = d->Width(), H = d->Height();
  const bool blended = d->Bits() == 1 && AlphaOf(d) && ADib->Bits() == 3;
  // The DIB scales are unsigned 16-bit percentages; 0 draws nothing.
  if (p.ScaleX <= 0 || p.ScaleY <= 0) return;
  const int32_t rx = std::min(p.ScaleX, 65535), ry = std::min(p.ScaleY, 65535);
  // Reach of the drawn image from its centre, with room for the bars the transforms put.
  const double radius = std::hypot(W * (rx / 100.0), H * (ry / 100.0)) / 2 + rx / 100 + ry / 100 + 4;
  const double cx = p.X + W / 2.0, cy = p.Y + H / 2.0;
  switch (p.Shape) {
    case TShape::Turn:
      if (blended) {
        ADib->RotateEx(p.X, p.Y, p.Angle, d, 0, 0, W, H, rate);
        return;
      }
      DrawPlain(ADib, d, rate, cx, cy, radius, [&](TDibBaseObj& t, int32_t ox, int32_t oy, TDibBaseObj* src) {
        t.Rotate(p.X - ox, p.Y - oy, p.Angle, src);
      });
      return;
    case TShape::ScaleTurn: {
      // The transforms put the centre at x + (rx (W div 2)) div 100; move it to the centre of
      // the unscaled box, where the smooth drawing turns the image about.
      const int32_t x = AddSat(p.X, W / 2 - (int64_t{rx} * (W / 2)) / 100);
      const int32_t y = AddSat(p.Y, H / 2 - (int64_t{ry} * (H / 2)) / 100);
      const uint16_t angle = static_cast<uint16_t>((p.Angle % 360 + 360) % 360);
      if (blended) {
        ADib->ScaleRotateEx(x, y, rx, ry, angle, d, 0, 0, W, H, rate);
        return;
      }
      DrawPlain(ADib, d, rate, cx, cy, radius, [&](TDibBaseObj& t, int32_t ox, int32_t oy, TDibBaseObj* src) {
        t.ScaleRotate(x - ox, y - oy, rx, ry, angle, src);
      });
      return;
    }
    case TShape::Scale: {
      const int64_t sw = Round(int64_t{rx} * W / 100.0), sh = Round(int64_t{ry} * H / 100.0);
      const int32_t x = AddSat(p.X, AlignOffset(p.HAlign, W, sw));
      const int32_t y = AddSat(p.Y, AlignOffset(p.VAlign, H, sh));
      if (blended) {
        ADib->ScaleEx(x, y, rx, ry, d, 0, 0, W, H, rate);
        return;
      }
      DrawPlain(ADib, d, rate, x + sw / 2.0, y + sh / 2.0, radius,
                [&](TDibBaseObj& t, int32_t ox, int32_t oy, TDibBaseObj* src) { t.Scale(x - ox, y - oy, rx, ry, src); });
      return;
    }
  }
}

void NeedDraw(TAnimateObj* o) {
  if (o->FParent) o->FParent->NeedDrawNow = true;
}

}  // namespace

// --- kind 8: rotating image --------------------------------------------------------------------

template <class V>
void TDibRotate::Fields(V& v) {
  using namespace fields;
  v.ListOrder({17, 18, 19, 20, 21, 22, 23, 24, 34, 125});
  StartStepAndRegion(v);
  v(&Self::FAngle, I16("Angle").Prop(125));
  v(&Self::FDAngle, I16("DAngle").Prop(34).Alias(31));
}
template class TKind<TDibRotate, TMovingObj>;

void TDibRotate::PropertyWritten(int32_t PropID) {
  if (PropID == 125) NeedDraw(this);
}

TDibRotate::TDibRotate() {
  FStyle = 8;
  FBounce = true;
}

void TDibRotate::Action(TDibBaseObj* ADib) {
  (void)ADib;
  if (!FEnabled || !FetchImage(this) || !FActive) return;
  FAngle = NextAngle(FAngle, FDAngle);
  NeedDraw(this);
  if (FParentSetPos) {
    FParentSetPos = false;
    return;
  }
  MoveStep();
}

void TDibRotate::CollideAction(uint8_t Edges) {
  if (FBounce && (Edges & (EdgeBit(ceLeft) | EdgeBit(ceRight)))) FDAngle = static_cast<int16_t>(-FDAngle);
  TMovingObj::CollideAction(Edges);
}

void TDibRotate::Draw(TDibBaseObj* ADib) {
  TDibBaseObj* d = DrawableImage(this, ADib);
  if (!d) return;
  TPlacement p{TShape::Turn, Fx, Fy};
  p.Angle = FAngle;
  DrawPlaced(this, ADib, d, p);
}

// --- kind 9: rotating and pulsing image --------------------------------------------------------

template <class V>
void TScaleRotate::Fields(V& v) {
  using namespace fields;
  v.ListOrder({17, 18, 19, 20, 28, 34, 35, 36, 37, 38, 39, 40, 41, 42, 125});
  v(&Self::FDAngle, I16("DAngle").Prop(34).Alias(31));
  v(&Self::FOScaleX, I16("OScaleX").Prop(35));
  v(&Self::FOScaleY, I16("OScaleY").Prop(36));
  v(&Self::FDScaleX, I16("DScaleX").Prop(39));
  v(&Self::FDScaleY, I16("DScaleY").Prop(40));
  v(&Self::FMaxScaleX, I16("MaxScaleX").Prop(37));
  v(&Self::FMaxScaleY, I16("MaxScaleY").Prop(38));
  v(&Self::FDx, I16("Dx").Prop(19));
  v(&Self::FDy, I16("Dy").Prop(20));
  v(&Self::FFromX, Coord("FromX").Prop(17));
  v(&Self::FFromY, Coord("FromY").Prop(18));
  v(&Self::FMaxX, I16("MaxX").Prop(41));
  v(&Self::FMaxY, I16("MaxY").Prop(42));
  v(&Self::FReturn, Bool("Return").Prop(28));
  v(&Self::FAngle, Kept("Angle").Prop(125));
  v(&Self::FScaleX, Kept("ScaleX"));
  v(&Self::FScaleY, Kept("ScaleY"));
}
template class TKind<TScaleRotate, TAnimateObj>;

bool TScaleRotate::ReadKindRecord(TRecordReader& r, int32_t Version) {
  if (!TKind::ReadKindRecord(r, Version)) return false;
  FScaleX = FOScaleX;
  FScaleY = FOScaleY;
  return true;
}

void TScaleRotate::PropertyWritten(int32_t PropID) {
  (void)PropID;
  NeedDraw(this);
}

TScaleRotate::TScaleRotate() { FStyle = 9; }

void TScaleRotate::BeforePlay() {
  FAngle = 0;
  FScaleX = FOScaleX;
  FScaleY = FOScaleY;
}

void TScaleRotate::ShiftBy(int32_t dx, int32_t dy) {
  TAnimateObj::ShiftBy(dx, dy);
  FFromX = AddSat(FFromX, dx);
  FFromY = AddSat(FFromY, dy);
  FMaxX = Sat16(int64_t{FMaxX} + dx);
  FMaxY = Sat16(int64_t{FMaxY} + dy);
}

void TScaleRotate::Action(TDibBaseObj* ADib) {
  (void)ADib;
  if (!FEnabled || !FetchImage(this) || !FActive) return;
  FAngle = NextAngle(FAngle, FDAngle);
  Swing(FScaleX, FDScaleX, FOScaleX, FMaxScaleX, FReturn);
  Swing(FScaleY, FDScaleY, FOScaleY, FMaxScaleY, FReturn);
  NeedDraw(this);
  if (FParentSetPos) {
    FParentSetPos = false;
    return;
  }
  // Only a coordinate that moves is held between its bounds.
  int32_t oldX = Fx, oldY = Fy;
  Swing(Fx, FDx, FFromX, FMaxX, FReturn);
  Swing(Fy, FDy, FFromY, FMaxY, FReturn);
  if (Fx != oldX || Fy != oldY) PositionChanged(oldX, oldY);
}

void TScaleRotate::Draw(TDibBaseObj* ADib) {
  TDibBaseObj* d = DrawableImage(this, ADib);
  if (!d) return;
  TPlacement p{TShape::ScaleTurn, Fx, Fy};
  p.Angle = FAngle;
  p.ScaleX = FScaleX;
  p.ScaleY = FScaleY;
  DrawPlaced(this, ADib, d, p);
}

// --- kind 13: pulsing scale --------------------------------------------------------------------

template <class V>
void TDibScaleObj::Fields(V& v) {
  using namespace fields;
  v.ListOrder({21, 22, 23, 24, 28, 29, 46, 50, 51, 52, 53});
  v(&Self::FScale, I16("Scale").Prop(52));
  v(&Self::FMin, I16("Min").Prop(50).Alias(194));
  v(&Self::FMax, I16("Max").Prop(51).Alias(103));
  v(&Self::FReturn, Bool("Return").Prop(28));
  v(&Self::FIncreasement, I16("Increasement").Prop(46));
  v(&Self::FHAlign, I16("HAlign"));
  v(&Self::FVAlign, I16("VAlign"));
  v(&Self::FRegion, Region("Region").Prop(21));
  v(&Self::FRebirth, Bool("Rebirth").Prop(53));
  v(&Self::FIsRandom, Bool("IsRandom").Prop(29));
}
template class TKind<TDibScaleObj, TMovingObj>;

void TDibScaleObj::PropertyWritten(int32_t PropID) {
  (void)PropID;
  NeedDraw(this);
}

TDibScaleObj::TDibScaleObj() { FStyle = 13; }

void TDibScaleObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  if (!FEnabled || !FetchImage(this) || !FActive) return;
  const int32_t lo = std::min(FMin, FMax), hi = std::max(FMin, FMax);
  const bool inside = FScale >= lo && FScale <= hi;
  if (inside) FScale = Sat16(int32_t{FScale} + FIncreasement);
  NeedDraw(this);
  if (FScale >= lo && FScale <= hi) return;
  if (FReturn) {
    // The step turns round and this step's change is taken back.
    FIncreasement = static_cast<int16_t>(-FIncreasement);
    if (inside) FScale = Sat16(int32_t{FScale} + FIncreasement);
  } else if (FRebirth) {
    FScale = FMin;
    int16_t step = static_cast<int16_t>(std::min(std::abs(static_cast<int32_t>(FIncreasement)), 32767));
    FIncreasement = FMax >= FMin ? step : static_cast<int16_t>(-step);
    if (FIsRandom) {
      int32_t oldX = Fx, oldY = Fy;
      Fx = AddSat(FRegion.left, Round(AniRandomFraction() * (static_cast<double>(FRegion.right) - FRegion.left)));
      Fy = AddSat(FRegion.top, Round(AniRandomFraction() * (static_cast<double>(FRegion.bottom) - FRegion.top)));
      if (Fx != oldX || Fy != oldY) PositionChanged(oldX, oldY);
    }
  } else {
    if (Macro(ocEnd) && EnableEndEvent && FParent) {
      FParent->FEventValue1 = FParent->FEventValue2 = 0;
      RunMacro(ocEnd, ocEnd);
    }
    SetActive(false);
  }
}

int32_t TDibScaleObj::DrawnScale() const { return std::min<int32_t>(FScale, std::max(FMin, FMax)); }

void TDibScaleObj::Draw(TDibBaseObj* ADib) {
  TDibBaseObj* d = DrawableImage(this, ADib);
  if (!d) return;
  // This kind's codes are 1 left / top, 3 right / bottom, any other value centred; the smooth
  // scaling takes 1 left / top, 2 right / bottom, any other value centred. So 3 goes over as
  // 2, 1 as 1, and every other code (2 included, which centres here) as 0.
  auto align = [](int16_t code) { return code == 1 ? 1 : code == 3 ? 2 : 0; };
  TPlacement p{TShape::Scale, Fx, Fy};
  p.ScaleX = p.ScaleY = DrawnScale();
  p.HAlign = align(FHAlign);
  p.VAlign = align(FVAlign);
  DrawPlaced(this, ADib, d, p);
}

// --- kind 20: run-scale traveller --------------------------------------------------------------

template <class V>
void TRunScaleObj::Fields(V& v) {
  using namespace fields;
  v.ListOrder({17, 41, 19, 18, 42, 20, 57, 58, 59, 60, 29});
  v(&Self::FOrient, U8("Orient"));
  v(&Self::FFromX, Coord("FromX").Prop(17));
  v(&Self::FFromY, Coord("FromY").Prop(18));
  v(&Self::FDX, I16("DX").Prop(19));
  v(&Self::FDY, I16("DY").Prop(20));
  v(&Self::FMinScale, I16("MinScale").Prop(57));
  v(&Self::FMaxScale, I16("MaxScale").Prop(58));
  v(&Self::FCurrentScale, I16("CurrentScale").Prop(59));
  v(&Self::FRandom, Bool("Random").Prop(29));
  v(&Self::FToX, Coord("ToX").Prop(41));
  v(&Self::FToY, Coord("ToY").Prop(42));
  v(&Self::FReverse, Bool("Reverse").Prop(60));
}
template class TKind<TRunScaleObj, TAnimateObj>;

void TRunScaleObj::PropertyWritten(int32_t PropID) {
  (void)PropID;
  NeedDraw(this);
}

TRunScaleObj::TRunScaleObj() { FStyle = 20; }

void TRunScaleObj::ShiftBy(int32_t dx, int32_t dy) {
  TAnimateObj::ShiftBy(dx, dy);
  FFromX = AddSat(FFromX, dx);
  FToX = AddSat(FToX, dx);
  FFromY = AddSat(FFromY, dy);
  FToY = AddSat(FToY, dy);
}

void TRunScaleObj::Limit(bool Reposition) {
  const bool vertical = FOrient == 1;
  int32_t& travel = vertical ? Fy : Fx;
  int32_t& cross = vertical ? Fx : Fy;
  const int32_t start = vertical ? FFromY : FFromX, end = vertical ? FToY : FToX;
  const int32_t crossStart = vertical ? FFromX : FFromY, crossEnd = vertical ? FToX : FToY;
  // Before the start and beyond the end, seen in the direction from start to end.
  const bool forward = end >= start;
  const bool before = forward ? travel < start : travel > start;
  const bool beyond = !before && (forward ? travel > end : travel < end);
  if (before) travel = end;
  if (beyond) travel = start;
  if (before || beyond) {
    // The random place lies between the two cross coordinates.
    if (!FRandom)
      cross = crossStart;
    else if (Reposition)
      cross = AddSat(std::min(crossStart, crossEnd),
                     Round(AniRandomFraction() * std::fabs(static_cast<double>(crossEnd) - crossStart)));
  }
  const double d = std::fabs(static_cast<double>(travel) - start);
  double L = std::fabs(static_cast<double>(end) - start);
  if (L == 0) L = 1;
  const int64_t grown = Round(d * std::abs(int32_t{FMaxScale} - FMinScale) / L);
  FCurrentScale = Sat16(FReverse ? FMaxScale - grown : FMinScale + grown);
}

void TRunScaleObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  if (!FEnabled || !FetchImage(this) || !FActive) return;
  if (FParentSetPos) {
    FParentSetPos = false;
    return;
  }
  int32_t oldX = Fx, oldY = Fy;
  Fx = AddSat(Fx, FDX);
  Fy = AddSat(Fy, FDY);
  Limit(true);
  NeedDraw(this);
  if (Fx != oldX || Fy != oldY) PositionChanged(oldX, oldY);
}

void TRunScaleObj::Draw(TDibBaseObj* ADib) {
  TDibBaseObj* d = DrawableImage(this, ADib);
  if (!d) return;
  Limit(false);
  TPlacement p{TShape::Scale, Fx, Fy};
  p.ScaleX = p.ScaleY = FCurrentScale;
  DrawPlaced(this, ADib, d, p);
}

}  // namespace zkw
