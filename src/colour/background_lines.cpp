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

void HorizonGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1, int32_t x2,
                   int32_t y2) {
  if (!Dib || C1 == C2) return;
  TDibWindow w(*Dib, x1, y1, x2, y2);
  if (w.Empty()) return;
  const int64_t n = int64_t{y2} - y1 + 1;
  const TColourSteps steps(C1, C2, n);
  ForRange(w.Top() - y1, w.Bottom() - y1, 0, n - 1,
           [&](int64_t k) { WindowRow(w, x1, x2, y1 + k, steps.At(k)); });
}

void VerticalGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                    int32_t x2, int32_t y2) {
  if (!Dib || C1 == C2) return;
  TDibWindow w(*Dib, x1, y1, x2, y2);
  if (w.Empty()) return;
  const int64_t n = int64_t{x2} - x1 + 1;
  const TColourSteps steps(C1, C2, n);
  ForRange(w.Left() - x1, w.Right() - x1, 0, n - 1,
           [&](int64_t k) { WindowColumn(w, x1 + k, y1, y2, steps.At(k)); });
}

void HorzCenterGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                      int32_t x2, int32_t y2) {
  if (!Dib || C1 == C2) return;
  TDibWindow w(*Dib, x1, y1, x2, y2);
  if (w.Empty()) return;
  const int64_t h = int64_t{y2} - y1, n = (h + 1) / 2, yc = y1 + h / 2;
  const TColourSteps steps(C1, C2, n);
  // Rows yc + k and yc - k for k = 0 .. n: each row belongs to one k.
  for (int64_t y = w.Top(); y <= w.Bottom(); ++y) {
    int64_t k = std::abs(y - yc);
    if (k <= n) WindowRow(w, x1, x2, y, steps.At(k));
  }
}

void VertCenterGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                      int32_t x2, int32_t y2) {
  if (!Dib || C1 == C2) return;
  TDibWindow w(*Dib, x1, y1, x2, y2);
  if (w.Empty()) return;
  const int64_t wd = int64_t{x2} - x1, n = (wd + 1) / 2, xc = x1 + wd / 2;
  const TColourSteps steps(C1, C2, n);
  for (int64_t x = w.Left(); x <= w.Right(); ++x) {
    int64_t k = std::abs(x - xc);
    if (k <= n) WindowColumn(w, x, y1, y2, steps.At(k));
  }
}

namespace {

// Sine offsets Round(sin(i / P) x Amp) of positions 0 .. count - 1 from `first`.
std::vector<int64_t> SineOffsets(int32_t Period, int32_t Amp, int64_t first, int64_t count) {
  const double P = Period == 0 ? 1.0 : Period;
  std::vector<int64_t> off(static_cast<size_t>(std::max<int64_t>(count, 0)));
  for (int64_t j = 0; j < count; ++j) off[j] = Round(std::sin((first + j) / P) * Amp);
  return off;
}

}  // namespace

void HorzSineGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t Period, int32_t Amp,
                    int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (!Dib || C1 == C2) return;
  TDibWindow w(*Dib, x1, y1, x2, y2);
  if (w.Empty()) return;
  TDibBaseObj& v = w.View();
  v.Bar(w.X(x1), w.Y(y1), w.X(x2), w.Y(int64_t{y1} + Amp), C1);
  v.Bar(w.X(x1), w.Y(int64_t{y2} - Amp), w.X(x2), w.Y(y2), C2);
  const int64_t n = int64_t{y2} - y1 + 1;
  const TColourSteps steps(C1, C2, n);
  const int64_t i0 = w.Left() - x1;
  const std::vector<int64_t> off = SineOffsets(Period, Amp, i0, w.Right() - w.Left() + 1);
  for (size_t j = 0; j < off.size(); ++j) {
    const int64_t x = x1 + i0 + static_cast<int64_t>(j), base = y1 + off[j];
    ForRange(w.Top() - base, w.Bottom() - base, 0, n - 1, [&](int64_t k) {
      v.PutPixel(w.X(x), w.Y(base + k), steps.At(k));
    });
  }
}

void VertSineGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t Period, int32_t Amp,
                    int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (!Dib || C1 == C2) return;
  TDibWindow w(*Dib, x1, y1, x2, y2);
  if (w.Empty()) return;
  TDibBaseObj& v = w.View();
  v.Bar(w.X(x1), w.Y(y1), w.X(int64_t{x1} + Amp), w.Y(y2), C1);
  v.Bar(w.X(int64_t{x2} - Amp), w.Y(y1), w.X(x2), w.Y(y2), C2);
  const int64_t n = int64_t{x2} - x1 + 1;
  const TColourSteps steps(C1, C2, n);
  const int64_t i0 = w.Top() - y1;
  const std::vector<int64_t> off = SineOffsets(Period, Amp, i0, w.Bottom() - w.Top() + 1);
  for (size_t j = 0; j < off.size(); ++j) {
    const int64_t y = y1 + i0 + static_cast<int64_t>(j), base = x1 + off[j];
    ForRange(w.Left() - base, w.Right() - base, 0, n - 1, [&](int64_t k) {
      v.PutPixel(w.X(base + k), w.Y(y), steps.At(k));
    });
  }
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
