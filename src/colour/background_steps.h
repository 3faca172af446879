// What the background generators share: the stepped colour, the window their rectangle makes
// on the image, and spans drawn through that window.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "dib/dib_window.h"

namespace zkw {

// The colour moving from C1 one step towards C2 after line 0, g, 2g, ...: line k shows
// C1 + dir x ceil(k / g), never beyond C2.
struct TColourSteps {
  int32_t C1, Dir, D;
  int64_t G;
  TColourSteps(uint8_t c1, uint8_t c2, int64_t lines) : C1(c1), Dir(c2 >= c1 ? 1 : -1) {
    D = std::abs(int32_t{c2} - int32_t{c1});
    G = D ? lines / D + 1 : 1;
  }
  uint32_t At(int64_t k) const {
    int64_t steps = std::min<int64_t>((k + G - 1) / G, D);
    return static_cast<uint32_t>((C1 + Dir * steps) & 0xFF);
  }
};

// Row y from x1 to x2 (outer coordinates, either order) through the window.
inline void WindowRow(TDibWindow& w, int64_t x1, int64_t x2, int64_t y, uint32_t Color) {
  if (y < w.Top() || y > w.Bottom()) return;
  if (x1 > x2) std::swap(x1, x2);
  w.View().Bar(w.X(x1), w.Y(y), w.X(x2), w.Y(y), Color);
}
inline void WindowColumn(TDibWindow& w, int64_t x, int64_t y1, int64_t y2, uint32_t Color) {
  if (x < w.Left() || x > w.Right()) return;
  if (y1 > y2) std::swap(y1, y2);
  w.View().Bar(w.X(x), w.Y(y1), w.X(x), w.Y(y2), Color);
}

// Calls f(k) for each k in [lo, hi] that lies in [from, to].
template <class F>
void ForRange(int64_t lo, int64_t hi, int64_t from, int64_t to, F&& f) {
  for (int64_t k = std::max(lo, from), e = std::min(hi, to); k <= e; ++k) f(k);
}

}  // namespace zkw
