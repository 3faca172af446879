// Fillers of offset table lines (1025 signed 16-bit entries): a straight line walked like Line,
// and a sine wave.
#include <cmath>

#include "common/round.h"
#include "dib/composite_clip.h"
#include "dib/draw_walk.h"
#include "dib/transform_ops.h"

namespace zkw {

namespace {

// Beyond any 32-bit coordinate: the axis that is not an index is not limited.
constexpr int64_t kFar = int64_t{1} << 40;

}  // namespace

void GetLine(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int16_t* Values, int32_t Mode) {
  if (!Values) return;
  const int64_t last = kLineOffsetCount - 1;
  if (Mode == 1) {
    WalkLine(X1, Y1, X2, Y2, TWalkWindow{0, last, -kFar, kFar},
             [&](int64_t x, int64_t y) { Values[x] = static_cast<int16_t>(y); });
  } else {
    WalkLine(X1, Y1, X2, Y2, TWalkWindow{-kFar, kFar, 0, last},
             [&](int64_t x, int64_t y) { Values[y] = static_cast<int16_t>(x); });
  }
}

void GetSinLine(double A, double B, int16_t* Values) {
  if (!Values) return;
  // i / 0 is no number for i = 0 and infinite otherwise: its sine is no number, stored as 0.
  if (B == 0) {
    for (int32_t i = 0; i < kLineOffsetCount; ++i) Values[i] = 0;
    return;
  }
  for (int32_t i = 0; i < kLineOffsetCount; ++i) {
    double v = std::nearbyint(std::sin(i / B) * A);
    // Kept in 16 bits as a SmallInt store keeps it; a value that is no number is 0.
    Values[i] = std::isfinite(v) ? static_cast<int16_t>(static_cast<uint16_t>(
                                       static_cast<int64_t>(std::fmod(v, 65536.0))))
                                 : 0;
  }
}

}  // namespace zkw
