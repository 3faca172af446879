// The walks shared by the shape routines: the integer midpoint line walk from the end with the
// smaller major coordinate, with points outside a window skipped without visiting them one by
// one (a line far longer than the image costs only what lies inside).
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "common/round.h"

namespace zkw {

// Points outside [LoX, HiX] x [LoY, HiY] are not visited.
struct TWalkWindow {
  int64_t LoX, HiX, LoY, HiY;
};

// floor(a * b / c) and (a * b) mod c for c > 0, exact for any 64-bit a and b.
inline void MulDivMod(uint64_t a, uint64_t b, uint64_t c, uint64_t& quot, uint64_t& rem) {
  // 128-bit product from 32-bit halves.
  uint64_t al = a & 0xFFFFFFFFu, ah = a >> 32, bl = b & 0xFFFFFFFFu, bh = b >> 32;
  uint64_t ll = al * bl, lh = al * bh, hl = ah * bl, hh = ah * bh;
  uint64_t mid = (ll >> 32) + (lh & 0xFFFFFFFFu) + (hl & 0xFFFFFFFFu);
  uint64_t lo = (ll & 0xFFFFFFFFu) | (mid << 32);
  uint64_t hi = hh + (lh >> 32) + (hl >> 32) + (mid >> 32);
  // Long division, one bit at a time (the walk needs this at most once per line).
  quot = 0;
  rem = 0;
  for (int bit = 127; bit >= 0; --bit) {
    uint64_t next = bit >= 64 ? (hi >> (bit - 64)) & 1 : (lo >> bit) & 1;
    bool carry = (rem >> 63) != 0;
    rem = (rem << 1) | next;
    if (carry || rem >= c) {
      rem -= c;
      if (bit < 64) quot |= uint64_t{1} << bit;
    }
  }
}

// Walks the major axis from `start` to `stop` (start < stop) with the minor coordinate starting
// at `minor0` and moving by `step`; dMinor <= dMajor, both positive. Decision d = 2 dMinor -
// dMajor; a minor step is taken when d >= 0. Only major positions in [lo, hi] are visited.
// After k steps the minor offset is floor((2 k dMinor + dMajor) / (2 dMajor)), which lets the
// walk start directly at the first position inside the window.
template <class Visit>
void WalkMajor(int64_t start, int64_t stop, int64_t minor0, int64_t step, int64_t dMinor,
               int64_t dMajor, int64_t lo, int64_t hi, Visit&& visit) {
  int64_t kFirst = std::max<int64_t>(0, lo - start);
  int64_t kLast = std::min(stop, hi) - start;
  if (kFirst > kLast) return;
  uint64_t q, r;
  MulDivMod(static_cast<uint64_t>(kFirst), static_cast<uint64_t>(dMinor),
            static_cast<uint64_t>(dMajor), q, r);
  int64_t m = static_cast<int64_t>(q) +
              (2 * static_cast<int64_t>(r) + dMajor) / (2 * dMajor);  // 0 or 1 more
  int64_t d = 2 * dMinor - dMajor + 2 * static_cast<int64_t>(r) -
              2 * (m - static_cast<int64_t>(q)) * dMajor;
  int64_t minor = minor0 + step * m;
  for (int64_t k = kFirst;; ++k) {
    visit(start + k, minor);
    if (k == kLast) break;
    if (d < 0) {
      d += 2 * dMinor;
    } else {
      minor += step;
      d += 2 * dMinor - 2 * dMajor;
    }
  }
}

// The line walk of `Line`: horizontal and vertical lines from the smaller to the larger end,
// otherwise the midpoint walk along the major axis. visit(x, y) gets each point in order.
template <class Visit>
void WalkLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1, const TWalkWindow& win,
              Visit&& visit) {
  if (y0 == y1) {
    if (y0 < win.LoY || y0 > win.HiY) return;
    int64_t from = std::max(std::min(x0, x1), win.LoX), to = std::min(std::max(x0, x1), win.HiX);
    for (int64_t x = from; x <= to; ++x) visit(x, y0);
    return;
  }
  if (x0 == x1) {
    if (x0 < win.LoX || x0 > win.HiX) return;
    int64_t from = std::max(std::min(y0, y1), win.LoY), to = std::min(std::max(y0, y1), win.HiY);
    for (int64_t y = from; y <= to; ++y) visit(x0, y);
    return;
  }
  int64_t dx = x1 > x0 ? x1 - x0 : x0 - x1;
  int64_t dy = y1 > y0 ? y1 - y0 : y0 - y1;
  if (dx < dy) {
    // Steep: one point per row, the walk starts at the upper end.
    int64_t sx, sy, stop, step;
    if (y1 < y0) {
      sx = x1, sy = y1, stop = y0, step = x0 < x1 ? -1 : 1;
    } else {
      sx = x0, sy = y0, stop = y1, step = x0 < x1 ? 1 : -1;
    }
    WalkMajor(sy, stop, sx, step, dx, dy, win.LoY, win.HiY, [&](int64_t y, int64_t x) {
      if (x >= win.LoX && x <= win.HiX) visit(x, y);
    });
  } else {
    // Shallow: one point per column, the walk starts at the left end.
    int64_t sx, sy, stop, step;
    if (x1 < x0) {
      sx = x1, sy = y1, stop = x0, step = y0 < y1 ? -1 : 1;
    } else {
      sx = x0, sy = y0, stop = x1, step = y0 < y1 ? 1 : -1;
    }
    WalkMajor(sx, stop, sy, step, dy, dx, win.LoX, win.HiX, [&](int64_t x, int64_t y) {
      if (y >= win.LoY && y <= win.HiY) visit(x, y);
    });
  }
}

// An int64 coordinate pushed into the 32-bit range (for corners beyond the image).
inline int32_t Clamp32(int64_t v) {
  return static_cast<int32_t>(std::min<int64_t>(std::max<int64_t>(v, INT32_MIN), INT32_MAX));
}

// The midpoint circle walk of radius r (decision d = 3 - 2r): step(i, y) for each point of the
// octant from (0, r) to the diagonal, including the last one when the walk ends exactly there.
template <class Step>
void MidpointWalk(int64_t r, Step&& step) {
  int64_t i = 0, y = r, d = 3 - 2 * r;
  while (i < y) {
    step(i, y);
    if (d < 0) {
      d += 4 * i + 6;
    } else {
      d += 4 * i + 10 - 4 * y;
      y -= 1;
    }
    i += 1;
  }
  if (i == y) step(i, y);
}

// The rows of the walk of radius r (1 <= r < 2^32) without walking it: HalfWidth(dy) is the
// largest |x| that the eight-fold walk marks on row dy (-1 when dy > r), what a walk over all
// of the octant's points would find, in a few square roots however large r is.
//
// With F(i, y) = 2i^2 + y^2 + (y - 1)^2 - 2r^2 the walk's decision before column i is F(i, y),
// so the octant's point in column i has the largest y with F(i, y) < 0, i.e. y (y - 1) < r^2 - i^2.
class TMidpointRows {
 public:
  explicit TMidpointRows(int64_t r) : R2(static_cast<uint64_t>(r) * static_cast<uint64_t>(r)), Radius(r) {
    // The walk ends in the first column where y <= i, and visits it only when y = i there.
    int64_t i = std::max<int64_t>(0, static_cast<int64_t>(static_cast<double>(r) * 0.70710678118654752) - 2);
    while (i > 0 && ColumnY(i - 1) <= i - 1) --i;
    while (ColumnY(i) > i) ++i;
    LastColumn = ColumnY(i) == i ? i : i - 1;
    LastY = ColumnY(LastColumn);
  }

  // The point's y in column i (0 <= i <= r).
  int64_t ColumnY(int64_t i) const {
    const uint64_t t = R2 - static_cast<uint64_t>(i) * static_cast<uint64_t>(i);  // y (y - 1) < t
    if (t == 0) return 0;
    auto fits = [t](uint64_t y) { return y * (y - 1) < t; };
    uint64_t y = static_cast<uint64_t>(0.5 + std::sqrt(static_cast<double>(t)));
    while (y > 1 && !fits(y)) --y;
    while (fits(y + 1)) ++y;
    return static_cast<int64_t>(y);
  }

  int64_t HalfWidth(int64_t dy) const {
    if (dy < 0 || dy > Radius) return -1;
    int64_t width = -1;
    if (dy <= LastColumn) width = ColumnY(dy);  // row dy as a column of the octant
    if (dy >= LastY) {
      // Row dy as the octant's y: its last column, the largest i with i^2 < r^2 - dy (dy - 1).
      const uint64_t limit = R2 - static_cast<uint64_t>(dy) * static_cast<uint64_t>(dy - 1) - 1;
      uint64_t i = static_cast<uint64_t>(std::sqrt(static_cast<double>(limit)));
      while (i > 0 && i * i > limit) --i;
      while ((i + 1) * (i + 1) <= limit) ++i;
      width = std::max(width, std::min(LastColumn, static_cast<int64_t>(i)));
    }
    return width;
  }

 private:
  uint64_t R2;
  int64_t Radius, LastColumn = 0, LastY = 0;
};

// The edges of the regular polygon of `Polygon`: vertex k at angle k (2 pi / Num) + StartAngle
// (degrees) around (x, y), rounded to the nearest pixel; edge(x0, y0, x1, y1) for each side in
// order, the last one back to vertex 0. Num >= 1.
template <class Edge>
void PolygonEdges(int32_t x, int32_t y, int32_t Num, int32_t Radius, int32_t StartAngle,
                  Edge&& edge) {
  constexpr double kPi = 3.14159265358979323846;
  auto vertex = [&](int32_t k, int64_t& vx, int64_t& vy) {
    double a = k * (2 * kPi / Num) + StartAngle * kPi / 180;
    vx = Round(x + Radius * std::cos(a));
    vy = Round(y + Radius * std::sin(a));
  };
  int64_t firstX, firstY;
  vertex(0, firstX, firstY);
  int64_t px = firstX, py = firstY;
  for (int32_t k = 0; k + 1 < Num; ++k) {
    int64_t nx, ny;
    vertex(k + 1, nx, ny);
    edge(px, py, nx, ny);
    px = nx;
    py = ny;
  }
  edge(px, py, firstX, firstY);
}

}  // namespace zkw
