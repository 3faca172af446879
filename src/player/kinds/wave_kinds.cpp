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

TDibDistortY::TDibDistortY() {
  FStyle = 6;
  FBounce = true;
}

TDibDistortX::TDibDistortX() {
  FStyle = 7;
  FColumns = true;
}

void TDibDistortY::ReadOwn(TRecordReader& r, int32_t Version) {
  FFromX = ReadCoord(r, Version, "wave from x");
  FFromY = ReadCoord(r, Version, "wave from y");
  FDx = r.I16("wave dx");
  FDy = r.I16("wave dy");
  FFlip = ReadBool(r, "wave flip");
  ReadRegion(r, Version, FRegion);
  FPhase = r.I16("wave phase");
  FMaxLine = r.I16("wave phase limit");
  FLineIncreament = r.U16("wave phase step");
  for (int16_t& v : FTheLine) v = r.I16("wave line");
  FBounce = ReadBool(r, "wave return");
  FIsRandom = ReadBool(r, "wave random");
}

bool TDibDistortY::ReadFromStream(TRecordReader& r, int32_t Version) {
  if (!TAnimateObj::ReadFromStream(r, Version)) return false;
  ReadOwn(r, Version);
  return r.Ok();
}

bool TDibDistortY::ReadFromStream2(TRecordReader& r) {
  if (!TAnimateObj::ReadFromStream2(r)) return false;
  ReadOwn(r, 0x20000);
  return r.Ok();
}

bool TDibDistortY::Write(TRecordWriter& w) {
  TAnimateObj::Write(w);
  w.I32(FFromX);
  w.I32(FFromY);
  w.I16(FDx);
  w.I16(FDy);
  w.U8(FFlip);
  WriteRegion(w, FRegion);
  w.I16(FPhase);
  w.I16(FMaxLine);
  w.U16(FLineIncreament);
  for (int16_t v : FTheLine) w.I16(v);
  w.U8(FBounce);
  w.U8(FIsRandom);
  return w.Ok();
}

void TDibDistortY::CopyFrom(const TAnimateObj& AObj) {
  TMovingObj::CopyFrom(AObj);
  auto* d = dynamic_cast<const TDibDistortY*>(&AObj);
  if (!d) return;
  FPhase = d->FPhase;
  FMaxLine = d->FMaxLine;
  FLineIncreament = d->FLineIncreament;
  FTheLine = d->FTheLine;
}

int32_t TDibDistortY::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  if (PropID != 26 && PropID != 27 && GetMotionValue(PropID, Value)) return 2;
  switch (PropID) {
    case 28: Value = FBounce; return 2;
    case 32: Value = FLineIncreament; return 2;
    case 33: Value = FMaxLine; return 2;
    default: return TAnimateObj::GetValue(PropID, Value, SValue);
  }
}

void TDibDistortY::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  if (PropID != 26 && PropID != 27 && SetMotionValue(PropID, IValue)) return;
  switch (PropID) {
    case 28: FBounce = IValue != 0; break;
    case 32: FLineIncreament = static_cast<uint16_t>(RoundProp(IValue)); break;
    case 33: FMaxLine = PropI16(IValue); break;
    default: TAnimateObj::SetValue(PropID, SValue, IValue); break;
  }
}

void TDibDistortY::GetPropsToList(TPropList& List) {
  TAnimateObj::GetPropsToList(List);
  AddPropRange(List, 17, 25);
  AddProps(List, {28, 29, 32, 33});
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

TDibSkew::TDibSkew() {
  FStyle = 41;
  FDx = FDy = 0;
  FBounce = true;
}

bool TDibSkew::ReadFromStream(TRecordReader& r, int32_t Version) {
  if (!TAnimateObj::ReadFromStream(r, Version)) return false;
  FFromX = r.I32("skew from x");
  FFromY = r.I32("skew from y");
  FDx = r.I16("skew dx");
  FDy = r.I16("skew dy");
  FFlip = ReadBool(r, "skew flip");
  ReadRegion(r, 0x60000, FRegion);
  FBounce = ReadBool(r, "skew return");
  FIsRandom = ReadBool(r, "skew random");
  FOrient = r.I16("skew orientation");
  FMin = r.I16("skew min");
  FMax = r.I16("skew max");
  FCenterPos = r.I16("skew centre");
  FLineIncreasement = r.I16("skew step");
  FTurbulence = ReadBool(r, "skew turbulence");
  FSpeed = r.I16("skew speed");
  return r.Ok();
}

bool TDibSkew::Write(TRecordWriter& w) {
  TAnimateObj::Write(w);
  w.I32(FFromX);
  w.I32(FFromY);
  w.I16(FDx);
  w.I16(FDy);
  w.U8(FFlip);
  WriteRegion(w, FRegion);
  w.U8(FBounce);
  w.U8(FIsRandom);
  w.I16(FOrient);
  w.I16(FMin);
  w.I16(FMax);
  w.I16(FCenterPos);
  w.I16(FLineIncreasement);
  w.U8(FTurbulence);
  w.I16(FSpeed);
  return w.Ok();
}

void TDibSkew::CopyFrom(const TAnimateObj& AObj) {
  TMovingObj::CopyFrom(AObj);
  auto* s = dynamic_cast<const TDibSkew*>(&AObj);
  if (!s) return;
  FOrient = s->FOrient;
  FMin = s->FMin;
  FMax = s->FMax;
  FCenterPos = s->FCenterPos;
  FLineIncreasement = s->FLineIncreasement;
  FTurbulence = s->FTurbulence;
  FSpeed = s->FSpeed;
  FAngle = s->FAngle;
  FAngleStep = s->FAngleStep;
  FAmplitude = s->FAmplitude;
  FLine = s->FLine;
}

int32_t TDibSkew::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  if (PropID >= 17 && PropID <= 25 && GetMotionValue(PropID, Value)) return 2;
  switch (PropID) {
    case 28: Value = FBounce; return 2;
    case 29: Value = FIsRandom; return 2;
    case 32: Value = FLineIncreasement; return 2;
    case 103: Value = FMax; return 2;
    case 125: Value = FAngle; return 2;
    case 192: Value = FCenterPos; return 2;
    case 193: Value = FTurbulence; return 2;
    case 194: Value = FMin; return 2;
    default: return TAnimateObj::GetValue(PropID, Value, SValue);
  }
}

void TDibSkew::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  if (PropID >= 17 && PropID <= 25 && SetMotionValue(PropID, IValue)) return;
  switch (PropID) {
    case 28: FBounce = IValue != 0; break;
    case 29: FIsRandom = IValue != 0; break;
    case 32: FLineIncreasement = PropI16(IValue); break;
    case 103: FMax = PropI16(IValue); break;
    case 125:
      FAngle = std::clamp(RoundProp(IValue), -89, 89);
      MakeLine();
      if (FParent) FParent->NeedDrawNow = true;
      break;
    case 192: FCenterPos = PropI16(IValue); break;
    case 193: FTurbulence = IValue != 0; break;
    case 194: FMin = PropI16(IValue); break;
    default: TAnimateObj::SetValue(PropID, SValue, IValue); break;
  }
}

void TDibSkew::GetPropsToList(TPropList& List) {
  TAnimateObj::GetPropsToList(List);
  AddPropRange(List, 17, 25);
  AddProps(List, {28, 29, 32, 103, 194, 192, 193, 125});
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
