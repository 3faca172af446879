// A double advanced by many additions of one step, with the rounding of each addition, without
// performing them one by one: a gradient whose first visible line lies billions of lines after
// its start still shows exactly the values the addition loop would reach.
#pragma once
#include <cmath>
#include <cstdint>

namespace zkw {

// v + s + s + ... (`count` additions, each rounded to double, to nearest with ties to even).
//
// While a sum stays within one binade [2^(e-1), 2^e) (of either sign), each addition rounds
// v + s to a multiple of that binade's unit u: v + s/u rounds to v/u plus an integer that is the
// same every time, except that a tie rounds to the even neighbour. After one addition in the
// binade every value is even (a tie left it even) or no tie ever occurs, so from the second
// addition on the increment is constant and a run of them is one multiplication.
inline double AddRepeated(double v, double s, int64_t count) {
  constexpr int64_t kLow = int64_t{1} << 52, kHigh = (int64_t{1} << 53) - 1;
  while (count > 0) {
    if (count < 4 || s == 0) {
      for (; count > 0 && s != 0; --count) v += s;
      return v;
    }
    const double v1 = v + s, v2 = v1 + s, v3 = v2 + s;
    count -= 3;
    v = v3;
    int e1, e3;
    std::frexp(v1, &e1);
    std::frexp(v3, &e3);
    if (!std::isnormal(v1) || !std::isnormal(v3) || e1 != e3 ||
        std::signbit(v1) != std::signbit(v3))
      continue;
    const double unit = std::ldexp(1.0, e1 - 53);
    const int64_t mag = static_cast<int64_t>(std::fabs(v3) / unit);  // in [2^52, 2^53)
    int64_t step = static_cast<int64_t>((v3 - v2) / unit);
    if (step == 0) return v3;  // the additions no longer change the value
    if (std::signbit(v3)) step = -step;  // as a change of the magnitude
    // Shrinking sums stop a unit above the binade's floor: a sum just below it would round in
    // the finer units of the binade beneath.
    const int64_t room = step > 0 ? (kHigh - mag) / step : (mag - kLow - 1) / -step;
    const int64_t jump = room < count ? room : count;
    count -= jump;
    const double moved = std::ldexp(static_cast<double>(mag + jump * step), e1 - 53);
    v = std::signbit(v3) ? -moved : moved;
  }
  return v;
}

}  // namespace zkw
