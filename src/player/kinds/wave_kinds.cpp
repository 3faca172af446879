#include "player/kinds/wave_kinds.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "common/round.h"
#include "dib/dib_base.h"
#include "dib/transform_ops.h"
#include "player/kinds/kinds_common.h"
#include "player/scene/dib_animator.h"

namespace zkw {

namespace {

const std::array<double, 361>& TangentTable() {
  static const std::array<double, 361> table = [] {
    std::array<double, 361> t{};
    const double pi = std::acos(-1.0);
    for (int i = 0; i <= 360; ++i) t[static_cast<size_t>(i)] = std::tan(i * pi / 180.0);
    return t;
  }();
  return table;
}

uint16_t Rate(int32_t Trans) { return static_cast<uint16_t>(std::clamp<int32_t>(Trans, 0, 100)); }

// The image of a shifted draw is drawn when it has pixels and a usable origin.
bool CanDrawShifted(TAnimateObj* o, TDibBaseObj* ADib) {
  if (IsFarAway(o) || !o->FEnabled || !ADib) return false;
  TDibBaseObj* d = FetchImage(o);
  if (!d || d->Handle() == 0) return false;
  if (o->FOriginY > d->Height() - 1 || o->FOriginX > d->Width() - 1) return false;
  if (o->FOriginX < 0) o->FOriginX = 0;
  if (o->FOriginY < 0) o->FOriginY = 0;
  return true;
}

// Nothing is drawn when the offsets would reach past the target: the position plus the
// amplitude beyond the target's extent, or the position plus the object's size below it.
bool AmplitudeFits(int32_t Pos, int32_t Size, int32_t Amplitude, int32_t TargetExtent) {
  return int64_t{Pos} + Amplitude <= TargetExtent && int64_t{Pos} + Size >= Amplitude;
}

// The piece of the object's image with each row (Columns false) or column displaced by
// Line[delta + i], by DibStyle: 0 area, 1 transparent, 2 and 4 blended at Transparent.
void DrawShifted(TAnimateObj* o, TDibBaseObj* ADib, bool Columns, const int16_t* Line, int32_t delta) {
  TDibBaseObj* d = o->FDib;
  const int32_t x = o->Fx, y = o->Fy, xx = o->FOriginX, yy = o->FOriginY, w = o->FWidth, h = o->FHeight;
  const int32_t fx = o->FFlipX, fy = o->FFlipY;
  switch (o->FDibStyle) {
    case 0:
      if (Columns)
        ADib->DrawNormalOnLineX(x, y, d, xx, yy, w, h, fx, fy, Line, delta);
      else
        ADib->DrawNormalOnLineY(x, y, d, xx, yy, w, h, fx, fy, Line, delta);
      break;
    case 1:
      if (Columns)
        ADib->DrawOnLineX(x, y, d, xx, yy, w, h, fx, fy, Line, delta);
      else
        ADib->DrawOnLineY(x, y, d, xx, yy, w, h, fx, fy, Line, delta);
      break;
    case 2:
    case 4:
      if (Columns)
        ADib->DrawMergeOnLineX(x, y, d, xx, yy, w, h, fx, fy, Line, delta, Rate(o->FTrans));
      else
        ADib->DrawMergeOnLineY(x, y, d, xx, yy, w, h, fx, fy, Line, delta, Rate(o->FTrans));
      break;
    default: break;
  }
}

int16_t SignOf(int32_t v) { return static_cast<int16_t>(v > 0 ? 1 : v < 0 ? -1 : 0); }

// Offsets of the skew line are held inside 16 bits (an angle near 90 degrees has an enormous
// tangent; the table entries are 16-bit anyway).
int32_t OffsetOf(double v) {
  if (!std::isfinite(v)) return v < 0 ? -32767 : 32767;
  return static_cast<int32_t>(Round(std::clamp(v, -32767.0, 32767.0)));
}

}  // namespace

void StartAnimationEngine() {
  auto now = std::chrono::system_clock::now().time_since_epoch();
  SetAniRandomSeed(static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count()));
  (void)TangentTable();
}

double EngineTangent(int32_t Degrees) {
  int32_t a = Degrees % 360;
  if (a < 0) a += 360;
  return TangentTable()[static_cast<size_t>(a)];
}

int32_t LineAmplitude(const int16_t* Line, int32_t First, int32_t Count) {
  int32_t lo = INT32_MAX, hi = INT32_MIN;
  int64_t end = std::min<int64_t>(int64_t{First} + Count, kLineOffsetCount);
  for (int64_t i = std::max(First, 0); i < end; ++i) {
    lo = std::min<int32_t>(lo, Line[i]);
    hi = std::max<int32_t>(hi, Line[i]);
  }
  return lo > hi ? 0 : hi - lo;
}

// --- kinds 6 and 7: waving images --------------------------------------------------------------

template <class V>
void TDibDistortY::Fields(V& v) {
  using namespace fields;
  v.ListOrder({17, 18, 19, 20, 21, 22, 23, 24, 25, 28, 29, 32, 33});
  v(&Self::FFromX, Coord("FromX").Prop(17));
  v(&Self::FFromY, Coord("FromY").Prop(18));
  v(&Self::FDx, I16("Dx").Prop(19));
  v(&Self::FDy, I16("Dy").Prop(20));
  v(&Self::FFlip, Bool("Flip").Prop(25));
  v(&Self::FRegion, Region("Region").Prop(21));
  v(&Self::FPhase, I16("Phase"));
  v(&Self::FMaxLine, I16("MaxLine").Prop(33));
  v(&Self::FLineIncreament, U16("LineIncreament").Prop(32));
  v(&Self::FTheLine, I16("TheLine"));
  v(&Self::FBounce, Bool("Return").Prop(28));
  v(&Self::FIsRandom, Bool("IsRandom").Prop(29));
}
template class TKind<TDibDistortY, TMovingObj>;

TDibDistortY::TDibDistortY() {
  FStyle = 6;
  FBounce = true;
}

TDibDistortX::TDibDistortX() {
  FStyle = 7;
  FColumns = true;
}

void TDibDistortY::Action(TDibBaseObj* ADib) {
  (void)ADib;
  if (!FEnabled || !FetchImage(this) || !FActive) return;
  if (FParentSetPos)
    FParentSetPos = false;
  else
    MoveStep();
  // The phase step is unsigned: a phase beyond the limit (or wrapped past 16 bits) restarts.
  int32_t phase = FPhase + static_cast<int32_t>(FLineIncreament);
  FPhase = static_cast<int16_t>(phase > FMaxLine || phase > INT16_MAX ? 0 : phase);
  if (FFlip) {
    FFlipX = SignOf(FDx);
    FFlipY = SignOf(FDy);
  }
  if (FParent) FParent->NeedDrawNow = true;
}

void TDibDistortY::Draw(TDibBaseObj* ADib) {
  if (!CanDrawShifted(this, ADib)) return;
  int32_t amplitude = LineAmplitude(FTheLine.data(), 0, FDib->Width());
  bool fits = FColumns ? AmplitudeFits(Fy, FHeight, amplitude, ADib->Height())
                       : AmplitudeFits(Fx, FWidth, amplitude, ADib->Width());
  if (!fits) return;
  DrawShifted(this, ADib, FColumns, FTheLine.data(), FPhase);
}

// --- kind 41: shearing image -------------------------------------------------------------------

template <class V>
void TDibSkew::Fields(V& v) {
  using namespace fields;
  v.ListOrder({17, 18, 19, 20, 21, 22, 23, 24, 25, 28, 29, 32, 103, 194, 192, 193, 125});
  v(&Self::FFromX, I32("FromX").Prop(17));
  v(&Self::FFromY, I32("FromY").Prop(18));
  v(&Self::FDx, I16("DX").Prop(19));
  v(&Self::FDy, I16("DY").Prop(20));
  v(&Self::FFlip, Bool("Flip").Prop(25));
  v(&Self::FRegion, Rect32("Region").Prop(21));
  v(&Self::FBounce, Bool("Return").Prop(28));
  v(&Self::FIsRandom, Bool("Random").Prop(29));
  v(&Self::FOrient, I16("Orient"));
  v(&Self::FMin, I16("Min").Prop(194));
  v(&Self::FMax, I16("Max").Prop(103));
  v(&Self::FCenterPos, I16("CenterPos").Prop(192));
  v(&Self::FLineIncreasement, I16("LineIncreasement").Prop(32));
  v(&Self::FTurbulence, Bool("Turbulence").Prop(193));
  v(&Self::FSpeed, I16("Speed"));
  v(&Self::FAngle, Kept("Angle").Prop(125).ReadOnly());
  v(&Self::FAngleStep, Kept("AngleStep"));
  v(&Self::FAmplitude, Kept("Amplitude"));
  v(&Self::FLine, Kept("Line"));
}
template class TKind<TDibSkew, TMovingObj>;

TDibSkew::TDibSkew() {
  FStyle = 41;
  FDx = FDy = 0;
  FBounce = true;
}

void TDibSkew::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  if (PropID != 125) return TKind::SetValue(PropID, SValue, IValue);
  FAngle = std::clamp(RoundProp(IValue), -89, 89);
  MakeLine();
  if (FParent) FParent->NeedDrawNow = true;
}

void TDibSkew::BeforePlay() {
  FAngleStep = FLineIncreasement;
  FSpeedCount = 0;
  MakeLine();
}

void TDibSkew::MakeLine() {
  FLine.fill(0);
  FAmplitude = 0;
  TDibBaseObj* d = FetchImage(this);
  if (!d || d->Handle() == 0) return;
  const int32_t size = FOrient == 1 ? d->Width() : d->Height();
  if (size <= 0) return;
  const double t = EngineTangent(FAngle);
  int32_t first, last;
  if (FCenterPos <= 0) {
    first = 0;
    last = -OffsetOf(size * t);
  } else {
    first = OffsetOf(FCenterPos * t);
    last = -OffsetOf(t * (size - FCenterPos));
  }
  // One offset per row (Values[y] = x) or per column (Values[x] = y).
  if (FOrient == 1)
    GetLine(0, first, size - 1, last, FLine.data(), 1);
  else
    GetLine(first, 0, last, size - 1, FLine.data(), 0);
  FAmplitude = LineAmplitude(FLine.data(), 0, size);
}

void TDibSkew::CollideAction(uint8_t Edges) {
  auto randomIn = [](int32_t lo, int32_t hi) {
    return AddSat(lo, Round(AniRandomFraction() * (static_cast<double>(hi) - lo)));
  };
  if (Edges & (EdgeBit(ceLeft) | EdgeBit(ceRight))) {
    if (FBounce) {
      FDx = static_cast<int16_t>(-FDx);
    } else {
      Fx = FFromX;
      if (FIsRandom && FDy == 0) Fy = randomIn(FRegion.top, FRegion.bottom);
    }
  }
  if (Edges & (EdgeBit(ceTop) | EdgeBit(ceBottom))) {
    if (FBounce) {
      FDy = static_cast<int16_t>(-FDy);
    } else {
      Fy = FFromY;
      if (FIsRandom && FDx == 0) Fx = randomIn(FRegion.left, FRegion.right);
    }
  }
  ReportCollision(Edges);
}

void TDibSkew::Action(TDibBaseObj* ADib) {
  (void)ADib;
  if (!FEnabled) return;
  // The image is fetched even while inactive, so that a later start has its size.
  if (!FetchImage(this) || !FActive) return;
  // No own move in the step in which the parent moved the object.
  bool parentMoved = FParentSetPos;
  FParentSetPos = false;
  if (++FSpeedCount < FSpeed) return;
  FSpeedCount = 0;
  if (!parentMoved) MoveStep();
  if (FFlip) {
    FFlipX = FDx;
    FFlipY = FDy;
  }
  if (FSpeed > 0) {
    FAngle += FAngleStep;
    bool turn = FAngle > FMax || FAngle < FMin;
    if (!turn && FTurbulence) turn = AniRandomBelow(1000) % 7 == 0;
    if (turn) FAngleStep = -FAngleStep;
  }
  MakeLine();
  if (FParent) FParent->NeedDrawNow = true;
}

void TDibSkew::Draw(TDibBaseObj* ADib) {
  if (!CanDrawShifted(this, ADib)) return;
  bool columns = FOrient == 1;
  bool fits = columns ? AmplitudeFits(Fy, FHeight, FAmplitude, ADib->Height())
                      : AmplitudeFits(Fx, FWidth, FAmplitude, ADib->Width());
  if (!fits) return;
  DrawShifted(this, ADib, columns, FLine.data(), 0);
}

}  // namespace zkw
