// Backgrounds made of lines: edge and centre ramps, outlines, sine waves, grids and bands.
// Each loop visits only the lines that reach the window of the rectangle on the image.
#include <cmath>
#include <vector>

#include "colour/background_steps.h"
#include "colour/backgrounds.h"
#include "common/round.h"

namespace zkw {

void RectangleGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                     int32_t x2, int32_t y2) {
  if (!Dib || C1 == C2) return;
  TDibWindow w(*Dib, x1, y1, x2, y2);
  if (w.Empty()) return;
  const int64_t half = std::min(int64_t{y2} - y1 + 1, int64_t{x2} - x1 + 1) / 2;
  const TColourSteps steps(C1, C2, half);
  // Outline k reaches the window through one of its four sides.
  std::vector<std::pair<int64_t, int64_t>> ranges = {
      {w.Top() - y1, w.Bottom() - y1}, {y2 - w.Bottom(), y2 - w.Top()},
      {w.Left() - x1, w.Right() - x1}, {x2 - w.Right(), x2 - w.Left()}};
  std::sort(ranges.begin(), ranges.end());
  int64_t next = 0;  // outlines below this one are drawn already
  for (auto [lo, hi] : ranges)
    ForRange(std::max(lo, next), hi, 0, half, [&](int64_t k) {
      w.View().Rectangle(w.X(x1 + k), w.Y(y1 + k), w.X(x2 - k), w.Y(y2 - k), 1, steps.At(k));
      next = k + 1;
    });
}

namespace {

// Rows of the window (columns when Columns) across the rectangle; line p takes the colour of
// step index(p), or is left alone when index(p) is negative.
template <class Index>
void WindowLines(TDibWindow& w, bool Columns, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                 const TColourSteps& steps, Index&& index) {
  const int64_t from = Columns ? w.Left() : w.Top(), to = Columns ? w.Right() : w.Bottom();
  for (int64_t p = from; p <= to; ++p) {
    const int64_t k = index(p);
    if (k < 0) continue;
    if (Columns) WindowColumn(w, p, y1, y2, steps.At(k));
    else WindowRow(w, x1, x2, p, steps.At(k));
  }
}

// Lines from the top (left) edge: g = lines div |C2 - C1| + 1.
void EdgeRamp(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1, int32_t x2,
              int32_t y2, bool Columns) {
  if (!Dib || C1 == C2) return;
  TDibWindow w(*Dib, x1, y1, x2, y2);
  if (w.Empty()) return;
  const int64_t start = Columns ? x1 : y1, n = (Columns ? int64_t{x2} : int64_t{y2}) - start + 1;
  const TColourSteps steps(C1, C2, n);
  WindowLines(w, Columns, x1, y1, x2, y2, steps, [&](int64_t p) { return p - start; });
}

// Lines c + k and c - k for k = 0 .. n around the centre line c (each line belongs to one k).
void CentreRamp(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1, int32_t x2,
                int32_t y2, bool Columns) {
  if (!Dib || C1 == C2) return;
  TDibWindow w(*Dib, x1, y1, x2, y2);
  if (w.Empty()) return;
  const int64_t start = Columns ? x1 : y1;
  const int64_t extent = (Columns ? int64_t{x2} : int64_t{y2}) - start;
  const int64_t n = (extent + 1) / 2, c = start + extent / 2;
  const TColourSteps steps(C1, C2, n);
  WindowLines(w, Columns, x1, y1, x2, y2, steps, [&](int64_t p) {
    const int64_t k = std::abs(p - c);
    return k <= n ? k : -1;
  });
}

}  // namespace

void HorizonGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1, int32_t x2,
                   int32_t y2) {
  EdgeRamp(Dib, C1, C2, x1, y1, x2, y2, false);
}

void VerticalGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                    int32_t x2, int32_t y2) {
  EdgeRamp(Dib, C1, C2, x1, y1, x2, y2, true);
}

void HorzCenterGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                      int32_t x2, int32_t y2) {
  CentreRamp(Dib, C1, C2, x1, y1, x2, y2, false);
}

void VertCenterGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                      int32_t x2, int32_t y2) {
  CentreRamp(Dib, C1, C2, x1, y1, x2, y2, true);
}

namespace {

// Sine offsets Round(sin(i / P) x Amp) of positions 0 .. count - 1 from `first`.
std::vector<int64_t> SineOffsets(int32_t Period, int32_t Amp, int64_t first, int64_t count) {
  const double P = Period == 0 ? 1.0 : Period;
  std::vector<int64_t> off(static_cast<size_t>(std::max<int64_t>(count, 0)));
  for (int64_t j = 0; j < count; ++j) off[j] = Round(std::sin((first + j) / P) * Amp);
  return off;
}

// Both sine generators in the wave's own terms: positions a run along it (x for the horizontal
// wave), lines b across it. Bands of C1 and C2 Amp lines wide at the two sides, then line k at
// position a shifted by Round(sin(a / Period) x Amp), all counted from (x1, y1).
void SineRamp(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t Period, int32_t Amp, int32_t x1,
              int32_t y1, int32_t x2, int32_t y2, bool Vertical) {
  if (!Dib || C1 == C2) return;
  TDibWindow w(*Dib, x1, y1, x2, y2);
  if (w.Empty()) return;
  TDibBaseObj& v = w.View();
  const int64_t a1 = Vertical ? y1 : x1, b1 = Vertical ? x1 : y1, b2 = Vertical ? x2 : y2;
  const int64_t aLo = Vertical ? w.Top() : w.Left(), aHi = Vertical ? w.Bottom() : w.Right();
  const int64_t bLo = Vertical ? w.Left() : w.Top(), bHi = Vertical ? w.Right() : w.Bottom();
  auto band = [&](int64_t from, int64_t to, uint32_t c) {
    if (Vertical) v.Bar(w.X(from), w.Y(y1), w.X(to), w.Y(y2), c);
    else v.Bar(w.X(x1), w.Y(from), w.X(x2), w.Y(to), c);
  };
  band(b1, b1 + Amp, C1);
  band(b2 - Amp, b2, C2);
  const int64_t n = b2 - b1 + 1;
  const TColourSteps steps(C1, C2, n);
  const int64_t i0 = aLo - a1;
  const std::vector<int64_t> off = SineOffsets(Period, Amp, i0, aHi - aLo + 1);
  for (size_t j = 0; j < off.size(); ++j) {
    const int64_t a = a1 + i0 + static_cast<int64_t>(j), base = b1 + off[j];
    ForRange(bLo - base, bHi - base, 0, n - 1, [&](int64_t k) {
      const int64_t b = base + k;
      v.PutPixel(w.X(Vertical ? b : a), w.Y(Vertical ? a : b), steps.At(k));
    });
  }
}

}  // namespace

void HorzSineGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t Period, int32_t Amp,
                    int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  SineRamp(Dib, C1, C2, Period, Amp, x1, y1, x2, y2, false);
}

void VertSineGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t Period, int32_t Amp,
                    int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  SineRamp(Dib, C1, C2, Period, Amp, x1, y1, x2, y2, true);
}

namespace {

// True when line p (a row or column) is one of the Thick lines from start + Step i, for some
// i in 1 .. count (Step > 0).
bool OnGrid(int64_t p, int64_t start, int64_t Step, int64_t count, int64_t Thick) {
  if (Thick < 1 || count < 1 || Step < 1) return false;
  auto floorDiv = [Step](int64_t a) { return a / Step - (a % Step < 0 ? 1 : 0); };
  const int64_t d = p - start;  // wanted: 0 <= d - Step i <= Thick - 1
  const int64_t hi = floorDiv(d), lo = -floorDiv(Thick - 1 - d);
  return std::max<int64_t>(lo, 1) <= std::min(hi, count);
}

}  // namespace

void BorderGround(TDibBaseObj* Dib, uint32_t Color, uint32_t Color2, int32_t Step,
                  int32_t Offset, int32_t Thick, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (!Dib) return;
  TDibWindow w(*Dib, x1, y1, x2, y2);
  if (w.Empty()) return;
  const int64_t step = Step == 0 ? 1 : Step;
  const int64_t nx = (int64_t{x2} - x1 + 1) / step, ny = (int64_t{y2} - y1 + 1) / step;
  // Rows first, then columns; each window line is tested instead of walking the grid.
  auto grid = [&](int64_t offset, uint32_t c) {
    for (int64_t y = w.Top(); y <= w.Bottom(); ++y)
      if (OnGrid(y, y1 + offset, step, ny, Thick)) WindowRow(w, x1, x2, y, c);
    for (int64_t x = w.Left(); x <= w.Right(); ++x)
      if (OnGrid(x, x1 + offset, step, nx, Thick)) WindowColumn(w, x, y1, y2, c);
  };
  if (Offset != 0) grid(Offset, Color2);  // the shadow
  grid(0, Color);
}

void BandsGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, bool Vertical, int32_t x1, int32_t y1,
                 int32_t x2, int32_t y2) {
  if (!Dib || C1 == C2) return;
  TDibWindow w(*Dib, x1, y1, x2, y2);
  if (w.Empty()) return;
  const int32_t dir = C2 > C1 ? 1 : -1, D = std::abs(int32_t{C2} - int32_t{C1});
  // Up from C1 to C2 and back: period 2 D.
  auto colour = [&](int64_t k) {
    int64_t p = k % (2 * D);
    return static_cast<uint32_t>((C1 + dir * (p <= D ? p : 2 * D - p)) & 0xFF);
  };
  if (Vertical)
    ForRange(w.Left() - x1, w.Right() - x1, 0, int64_t{x2} - x1,
             [&](int64_t k) { WindowColumn(w, x1 + k, y1, y2, colour(k)); });
  else
    ForRange(w.Top() - y1, w.Bottom() - y1, 0, int64_t{y2} - y1,
             [&](int64_t k) { WindowRow(w, x1, x2, y1 + k, colour(k)); });
}

}  // namespace zkw
