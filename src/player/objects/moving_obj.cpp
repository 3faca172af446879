#include "player/objects/moving_obj.h"

#include "player/objects/kind_fields.h"

#include <climits>
#include <cmath>
#include <random>

#include "common/round.h"
#include "player/scene/dib_animator.h"
#include "player/scene/record_io.h"

namespace zkw {

namespace {
std::mt19937& Generator() {
  static std::mt19937 gen(0x2011u);
  return gen;
}
}  // namespace

void SetAniRandomSeed(uint32_t Seed) { Generator().seed(Seed); }

double AniRandomFraction() {
  return static_cast<double>(Generator()() >> 5) / static_cast<double>(1u << 27);
}

int32_t AniRandomBelow(int32_t N) {
  if (N <= 0) return 0;
  return static_cast<int32_t>(AniRandomFraction() * N);
}

int32_t RoundProp(long double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0L) return INT32_MAX;
  if (v <= -2147483648.0L) return INT32_MIN;
  return static_cast<int32_t>(Round(v));
}

int32_t ReadCoord(TRecordReader& r, int32_t Version, const char* what) {
  return Version >= 0x60000 ? r.I32(what) : r.I16(what);
}

void ReadRegion(TRecordReader& r, int32_t Version, TSmallRect& Region) {
  Region.left = ReadCoord(r, Version, "region left");
  Region.top = ReadCoord(r, Version, "region top");
  Region.right = ReadCoord(r, Version, "region right");
  Region.bottom = ReadCoord(r, Version, "region bottom");
}

void WriteRegion(TRecordWriter& w, const TSmallRect& Region) {
  w.I32(Region.left);
  w.I32(Region.top);
  w.I32(Region.right);
  w.I32(Region.bottom);
}

void TMovingObj::MoveStep() {
  int32_t oldX = Fx, oldY = Fy;
  uint8_t edges = 0;
  if (FCollide) edges = Collide(FDx, FDy);
  Fx = AddSat(Fx, FDx);
  Fy = AddSat(Fy, FDy);
  if (!edges) {
    if (FParent) FParent->FEventValue1 = 0;
    if (Fx > FRegion.right)
      edges |= EdgeBit(ceRight);
    else if (Fx < FRegion.left)
      edges |= EdgeBit(ceLeft);
    if (Fy < FRegion.top)
      edges |= EdgeBit(ceTop);
    else if (Fy > FRegion.bottom)
      edges |= EdgeBit(ceBottom);
  }
  if (edges) CollideAction(edges);
  if (Fx != oldX || Fy != oldY) PositionChanged(oldX, oldY);
}

void TMovingObj::CollideAction(uint8_t Edges) {
  if (Edges & (EdgeBit(ceLeft) | EdgeBit(ceRight))) {
    if (FBounce) {
      FDx = static_cast<int16_t>(-FDx);
      if (FFlip && FEnableFlipX) FFlipX = static_cast<int16_t>(-FFlipX);
    } else if (FIsRandom) {
      Fx = AddSat(FRegion.left, Round(AniRandomFraction() * (static_cast<double>(FRegion.right) - FRegion.left)));
    } else {
      Fx = FFromX;
    }
  }
  if (Edges & (EdgeBit(ceTop) | EdgeBit(ceBottom))) {
    if (FBounce) {
      FDy = static_cast<int16_t>(-FDy);
      if (FFlip && FEnableFlipY) FFlipY = static_cast<int16_t>(-FFlipY);
    } else if (FIsRandom) {
      Fy = AddSat(FRegion.top, Round(AniRandomFraction() * (static_cast<double>(FRegion.bottom) - FRegion.top)));
    } else {
      Fy = FFromY;
    }
  }
  ReportCollision(Edges);
}

void TMovingObj::ReportCollision(uint8_t Edges) {
  FHasCollided = true;
  if (EnableCollideEvent && Macro(ocCollide) && FParent) {
    int32_t bits = 0;
    if (Edges & EdgeBit(ceLeft)) bits |= 1;
    if (Edges & EdgeBit(ceRight)) bits |= 2;
    if (Edges & EdgeBit(ceTop)) bits |= 4;
    if (Edges & EdgeBit(ceBottom)) bits |= 8;
    FParent->FEventValue2 = bits;
    RunMacro(ocCollide, ocCollide);
  }
}

void TMovingObj::ShiftBy(int32_t dx, int32_t dy) {
  TAnimateObj::ShiftBy(dx, dy);
  FFromX = AddSat(FFromX, dx);
  FFromY = AddSat(FFromY, dy);
  FRegion.left = AddSat(FRegion.left, dx);
  FRegion.right = AddSat(FRegion.right, dx);
  FRegion.top = AddSat(FRegion.top, dy);
  FRegion.bottom = AddSat(FRegion.bottom, dy);
}

void TMovingObj::CopyFrom(const TAnimateObj& AObj) {
  TAnimateObj::CopyFrom(AObj);
  if (auto* m = dynamic_cast<const TMovingObj*>(&AObj)) CopyFields(*this, *m);
}

}  // namespace zkw
