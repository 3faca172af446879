// Round backgrounds: concentric discs, painted row by row with each pixel written once, and
// nested rotating polygons. Only discs and polygons that can reach the window of the rectangle
// on the image are looked at.
#include <climits>
#include <cmath>
#include <vector>

#include "colour/background_steps.h"
#include "colour/backgrounds.h"
#include "dib/draw_walk.h"

namespace zkw {

namespace {

// Half-widths of the filled discs rMin .. rMax (the midpoint walk of Slice) on the rows
// dy = lo .. hi (0 <= lo), row by row: hw[(dy - lo) * rings + r - rMin] = the largest |dx| the
// disc covers on that row, at most `reach`; -1 where it misses the row.
void DiscTable(int64_t rMin, int64_t rMax, int64_t lo, int64_t hi, int64_t reach,
               std::vector<int32_t>& hw) {
  const int64_t rings = rMax - rMin + 1;
  hw.assign(static_cast<size_t>(rings * (hi - lo + 1)), -1);
  for (int64_t r = rMin; r <= rMax; ++r) {
    auto mark = [&](int64_t dy, int64_t half) {
      if (dy < lo || dy > hi) return;
      int32_t& cell = hw[static_cast<size_t>((dy - lo) * rings + r - rMin)];
      cell = std::max(cell, static_cast<int32_t>(std::min(half, reach)));
    };
    MidpointWalk(r, [&](int64_t i, int64_t y) {
      mark(y, i);
      mark(i, y);
    });
  }
}

// Writes one pixel of Bytes bytes.
template <int Bytes>
inline void Put(uint8_t* p, uint32_t Color) {
  if (Bytes == 1) {
    *p = static_cast<uint8_t>(Color);
  } else {
    p[0] = static_cast<uint8_t>(Color >> 16);
    p[1] = static_cast<uint8_t>(Color >> 8);
    p[2] = static_cast<uint8_t>(Color);
  }
}

// Each pixel takes the colour of the smallest disc over it: along a row the discs are taken
// from the smallest up, each painting the columns |dx| the smaller ones left, on both sides.
// Columns are counted from the centre and kept to the window by `from` and `to` per side.
template <int Bytes>
void PaintDiscRows(TDibWindow& w, int64_t cx, int64_t cy, int64_t rings, int64_t dyLo,
                   int64_t reach, const std::vector<int32_t>& hw,
                   const std::vector<uint32_t>& colours) {
  TDibBaseObj& v = w.View();
  // Right of the centre: dx from max(0, left - cx) to right - cx; left: from max(0, cx - right)
  // to cx - left (as positive offsets).
  const int64_t rightFrom = std::max<int64_t>(0, w.Left() - cx), rightTo = w.Right() - cx;
  const int64_t leftFrom = std::max<int64_t>(1, cx - w.Right()), leftTo = cx - w.Left();
  for (int64_t y = w.Top(); y <= w.Bottom(); ++y) {
    uint8_t* centre = v.PixelAddress(0, static_cast<int32_t>(y - w.OY)) + (cx - w.OX) * Bytes;
    const int32_t* cells = &hw[static_cast<size_t>((std::abs(y - cy) - dyLo) * rings)];
    int64_t covered = -1;
    for (int64_t k = 0; k < rings && covered < reach; ++k) {
      const int64_t h = cells[k];
      if (h <= covered) continue;
      const uint32_t c = colours[static_cast<size_t>(k)];
      for (int64_t dx = std::max(covered + 1, rightFrom), e = std::min(h, rightTo); dx <= e; ++dx)
        Put<Bytes>(centre + dx * Bytes, c);
      for (int64_t dx = std::max(covered + 1, leftFrom), e = std::min(h, leftTo); dx <= e; ++dx)
        Put<Bytes>(centre - dx * Bytes, c);
      covered = h;
    }
  }
}

// Smallest and largest distance |v - c| for v in [a, b].
int64_t NearOffset(int64_t c, int64_t a, int64_t b) { return c < a ? a - c : c > b ? c - b : 0; }
int64_t FarOffset(int64_t c, int64_t a, int64_t b) { return std::max(std::abs(a - c), std::abs(b - c)); }

}  // namespace

void CircleGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1, int32_t x2,
                  int32_t y2) {
  if (!Dib || C1 == C2) return;
  TDibWindow w(*Dib, x1, y1, x2, y2);
  if (w.Empty()) return;
  const int64_t wd = int64_t{x2} - x1, ht = int64_t{y2} - y1;
  int64_t n = std::max(wd + 1, ht + 1) / 2;
  n += n / 2;
  const int64_t cx = x1 + wd / 2, cy = y1 + ht / 2;
  const TColourSteps steps(C1, C2, n);
  // Discs that can reach the window: disc r covers only |dx|, |dy| <= r, and every pixel
  // nearer than r - 2 lies in disc r - 1 already.
  const int64_t dyLo = NearOffset(cy, w.Top(), w.Bottom()), dyHi = FarOffset(cy, w.Top(), w.Bottom());
  const int64_t dxLo = NearOffset(cx, w.Left(), w.Right()), dxHi = FarOffset(cx, w.Left(), w.Right());
  const double far = std::hypot(static_cast<double>(dxHi), static_cast<double>(dyHi));
  const int64_t rMin = std::max<int64_t>({1, dxLo, dyLo});
  const int64_t rMax = std::min<int64_t>(n, static_cast<int64_t>(far) + 2);
  if (rMax < rMin) return;
  const int64_t rings = rMax - rMin + 1;
  std::vector<int32_t> hw;
  DiscTable(rMin, rMax, dyLo, dyHi, dxHi, hw);
  // Disc r is drawn after the discs n .. r + 1, each step taken when the radius divides by g.
  std::vector<uint32_t> colours(static_cast<size_t>(rings));
  for (int64_t k = 0; k < rings; ++k) {
    const int64_t r = rMin + k;
    colours[static_cast<size_t>(k)] = static_cast<uint32_t>(
        (steps.C1 + steps.Dir * std::min<int64_t>(n / steps.G - r / steps.G, steps.D)) & 0xFF);
  }
  if (w.View().FBits == 1)
    PaintDiscRows<1>(w, cx, cy, rings, dyLo, dxHi, hw, colours);
  else
    PaintDiscRows<3>(w, cx, cy, rings, dyLo, dxHi, hw, colours);
}

namespace {

// The colour of polygon s (0, 1, ...): from lo up to hi and back; with lo = hi the byte runs
// once up around the wheel and then downwards for good (the direction turns to -1 each time
// the colour meets lo = hi).
uint32_t PolygonColour(int64_t s, int32_t lo, int32_t hi) {
  if (lo < hi) {
    const int64_t D = hi - lo, p = s % (2 * D);
    return static_cast<uint32_t>(lo + (p <= D ? p : 2 * D - p));
  }
  if (s <= 256) return static_cast<uint32_t>((lo + s) & 0xFF);
  return static_cast<uint32_t>((lo - (s - 256)) & 0xFF);
}

}  // namespace

int64_t PolygonGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t Num, int32_t Density,
                      bool Outward, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (!Dib || x2 < x1 || y2 < y1) return 0;
  const int64_t den = std::max(Density, 1);
  const int64_t h = (int64_t{y2} - y1 + 1) * den;
  TDibWindow w(*Dib, x1, y1, x2, y2);
  if (w.Empty()) return h;
  TDibBaseObj& v = w.View();
  v.Bar(0, 0, v.FWidth - 1, v.FHeight - 1, 255);
  if (Num < 1 || Num > kMaxPolygonVertices) return h;
  const int64_t cx = x1 + (int64_t{x2} - x1) / 2, cy = y1 + (int64_t{y2} - y1) / 2;
  const int32_t lo = std::min(C1, C2), hi = std::max(C1, C2);
  // Radii that can reach the window: a polygon of radius R lies between R cos(pi / Num) and
  // R from the centre (all of 0 .. R for Num < 3), thickened by 3 pixels.
  const double far = std::hypot(static_cast<double>(FarOffset(cx, w.Left(), w.Right())),
                                static_cast<double>(FarOffset(cy, w.Top(), w.Bottom())));
  const double nearest = std::max(NearOffset(cx, w.Left(), w.Right()),
                                  NearOffset(cy, w.Top(), w.Bottom()));
  const double inner = Num < 3 ? 0.0 : std::cos(3.14159265358979323846 / Num);
  const int64_t rLo = std::max<int64_t>(0, static_cast<int64_t>(nearest) - 5);
  const int64_t rHi = inner > 0 ? static_cast<int64_t>((far + 5) / inner) + 1 : INT64_MAX / 4;
  // l runs 0 .. h - 1 (Outward) or h .. 1; polygon s = |l - start| in drawing order.
  const int64_t first = Outward ? 0 : 1, last = Outward ? h - 1 : h;
  const int64_t rows = int64_t{y2} - y1 + 1;
  const int64_t lFrom = std::max(first, std::min(rLo, rows) * den);
  const int64_t lTo = std::min(last, std::min(rHi, rows) * den + den - 1);
  // The centre stays where it is, even outside the window.
  auto near32 = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2)); };
  const int32_t px = near32(cx - w.OX), py = near32(cy - w.OY);
  auto draw = [&](int64_t l) {
    const int64_t s = Outward ? l : h - l;
    v.Polygon(px, py, Num, near32(l / den), static_cast<int32_t>(l % 360), 3,
              PolygonColour(s, lo, hi));
  };
  // Polygons of one radius with equal start angles cover the same pixels, so of each radius
  // only the last 360 drawn can show. Outward draws radii upwards, inward downwards.
  if (lFrom > lTo) return h;
  const int64_t rFirst = lFrom / den, rLast = lTo / den;
  for (int64_t i = 0; i <= rLast - rFirst; ++i) {
    const int64_t R = Outward ? rFirst + i : rLast - i;
    const int64_t a = std::max(lFrom, R * den), b = std::min(lTo, R * den + den - 1);
    if (Outward)
      for (int64_t l = std::max(a, b - 359); l <= b; ++l) draw(l);
    else
      for (int64_t l = std::min(b, a + 359); l >= a; --l) draw(l);
  }
  return h;
}

}  // namespace zkw
