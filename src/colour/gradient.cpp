#include "colour/gradient.h"

#include <algorithm>

#include "colour/dc_pixels.h"
#include "common/repeated_sum.h"
#include "common/round.h"

namespace zkw {

namespace {

// Fills (l, t)-(r, b), right and bottom excluded, with a brush made for the fill.
void FillSolid(plat::HDC dc, int64_t l, int64_t t, int64_t r, int64_t b, uint32_t Color) {
  plat::HBRUSH brush = plat::CreateSolidBrush(Color & 0xFFFFFF);
  if (!brush) return;
  plat::RECT rect{static_cast<plat::LONG>(l), static_cast<plat::LONG>(t),
                  static_cast<plat::LONG>(r), static_cast<plat::LONG>(b)};
  plat::FillRect(dc, &rect, brush);
  plat::DeleteObject(brush);
}

// Steps k = 0 .. n - 1 from C1 towards C2; fill(k, colour) draws line k. Only the lines
// first .. last (within 0 .. n - 1) are drawn; the values reach line `first` as the additions
// of all the lines before it would bring them, without a loop over those lines.
template <class Fill>
void Ramp(uint32_t C1, uint32_t C2, int64_t n, int64_t first, int64_t last, Fill&& fill) {
  double v[3], step[3];
  first = std::max<int64_t>(first, 0);
  for (int ch = 0; ch < 3; ++ch) {
    int32_t a = (C1 >> (8 * ch)) & 0xFF, b = (C2 >> (8 * ch)) & 0xFF;
    step[ch] = (b - a) / static_cast<double>(n + 1);
    v[ch] = AddRepeated(a, step[ch], first);
  }
  last = std::min(last, n - 1);
  for (int64_t k = first; k <= last; ++k) {
    uint32_t c = 0;
    for (int ch = 0; ch < 3; ++ch)
      c |= static_cast<uint32_t>(std::clamp<int64_t>(Round(v[ch]), 0, 255)) << (8 * ch);
    fill(k, c);
    for (int ch = 0; ch < 3; ++ch) v[ch] += step[ch];
  }
}

// Round(Pos x extent / 100) of the integer product.
int64_t Split(int64_t extent, int64_t Pos) { return Round(static_cast<double>(extent * Pos) / 100); }

// Clamps a coordinate far outside the DC to just outside its clip box (fills stay the same).
int64_t Near(int64_t v) { return std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2); }

// A two-colour gradient over lines of (x1, y1)-(x2, y2) (right and bottom excluded): rows from
// y1 when Vertical, else columns from x1.
void LineRamp(plat::HDC dc, uint32_t C1, uint32_t C2, int64_t x1, int64_t y1, int64_t x2,
              int64_t y2, bool Vertical) {
  const int64_t n = Vertical ? y2 - y1 : x2 - x1;
  if (n <= 0 || x2 <= x1 || y2 <= y1) return;
  int64_t l = x1, t = y1, r = x2 - 1, b = y2 - 1;
  if (!TDcPixels(dc).Clip(l, t, r, b)) return;
  if (Vertical)
    Ramp(C1, C2, n, t - y1, b - y1,
         [&](int64_t k, uint32_t c) { FillSolid(dc, l, y1 + k, r + 1, y1 + k + 1, c); });
  else
    Ramp(C1, C2, n, l - x1, r - x1,
         [&](int64_t k, uint32_t c) { FillSolid(dc, x1 + k, t, x1 + k + 1, b + 1, c); });
}

void VRamp(plat::HDC dc, uint32_t C1, uint32_t C2, int64_t x1, int64_t y1, int64_t x2,
           int64_t y2) {
  LineRamp(dc, C1, C2, x1, y1, x2, y2, true);
}

void HRamp(plat::HDC dc, uint32_t C1, uint32_t C2, int64_t x1, int64_t y1, int64_t x2,
           int64_t y2) {
  LineRamp(dc, C1, C2, x1, y1, x2, y2, false);
}

// The multi-gradients with Count >= 5 along y (Vertical) or x: segments i = 0 .. Count - 3
// end at their boundary (Positions[i] itself when Absolute, else the percentage of the
// extent), the last one (Colors[Count - 2] to Colors[Count - 1]) at the far edge.
void MultiSegments(plat::HDC dc, const int32_t* Colors, const int32_t* Positions, int32_t Count,
                   int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool Vertical, bool Absolute) {
  if (!Colors || !Positions || Count < 5) return;
  const int64_t start = Vertical ? y1 : x1, end = Vertical ? y2 : x2;
  auto segment = [&](uint32_t a, uint32_t b, int64_t e, int64_t f) {
    if (Vertical) VRamp(dc, a, b, x1, e, x2, f);
    else HRamp(dc, a, b, e, y1, f, y2);
  };
  int64_t e = start;
  for (int32_t i = 0; i <= Count - 3; ++i) {
    int64_t f = Absolute ? Positions[i] : Near(start + Split(end - start, Positions[i]));
    segment(Colors[i], Colors[i + 1], e, f);
    e = f;
  }
  segment(Colors[Count - 2], Colors[Count - 1], e, end);
}

}  // namespace

void VColorGradient(plat::HDC dc, uint32_t Color1, uint32_t Color2, int32_t x1, int32_t y1,
                    int32_t x2, int32_t y2) {
  VRamp(dc, Color1, Color2, x1, y1, x2, y2);
}

void HColorGradient(plat::HDC dc, uint32_t Color1, uint32_t Color2, int32_t x1, int32_t y1,
                    int32_t x2, int32_t y2) {
  HRamp(dc, Color1, Color2, x1, y1, x2, y2);
}

void VerticalGradient(plat::HDC dc, uint32_t Color1, uint32_t Color2, uint32_t Color3,
                      int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t Pos) {
  int64_t m = Near(y1 + Split(int64_t{y2} - y1 + 1, Pos));
  VRamp(dc, Color1, Color2, x1, y1, x2, m);
  VRamp(dc, Color2, Color3, x1, m, x2, y2);
}

void HorizontalGradient(plat::HDC dc, uint32_t Color1, uint32_t Color2, uint32_t Color3,
                        int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t Pos) {
  int64_t m = Near(x1 + Split(int64_t{x2} - x1 + 1, Pos));
  HRamp(dc, Color1, Color2, x1, y1, m, y2);
  HRamp(dc, Color2, Color3, m, y1, x2, y2);
}

void HorizontalMultiGradient(plat::HDC dc, const int32_t* Colors, const int32_t* Positions,
                             int32_t Count, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (!Colors || !Positions || Count < 3) return;
  int64_t e = x1;
  for (int32_t i = 0; i <= Count - 2; ++i) {
    int64_t f = Near(x1 + Split(int64_t{x2} - x1, Positions[i]));
    HRamp(dc, Colors[i], Colors[i + 1], e, y1, f, y2);
    e = f;
  }
  // What is left after the last boundary takes the last colour.
  HRamp(dc, Colors[Count - 1], Colors[Count - 1], e, y1, x2, y2);
}

void VerticalMultiGradient(plat::HDC dc, const int32_t* Colors, const int32_t* Positions,
                           int32_t Count, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  MultiSegments(dc, Colors, Positions, Count, x1, y1, x2, y2, true, false);
}

void VerticalMultiGradientPos(plat::HDC dc, const int32_t* Colors, const int32_t* Positions,
                              int32_t Count, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  MultiSegments(dc, Colors, Positions, Count, x1, y1, x2, y2, true, true);
}

void HorizontalMultiGradientPos(plat::HDC dc, const int32_t* Colors, const int32_t* Positions,
                                int32_t Count, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  MultiSegments(dc, Colors, Positions, Count, x1, y1, x2, y2, false, true);
}

}  // namespace zkw
