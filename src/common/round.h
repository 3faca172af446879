// Integer rounding as the library's arithmetic defines it.
#pragma once
#include <cmath>
#include <cstdint>

namespace zkw {

// Round to the nearest integer, halves to the even neighbour.
inline int64_t Round(double v) { return static_cast<int64_t>(std::nearbyint(v)); }
// The extended form splits off the integer part instead of calling nearbyintl, which saves and
// restores the floating-point environment on every call (the script engine rounds on every
// line); the result is the same for every value in the int64 range.
inline int64_t Round(long double v) {
  int64_t t = static_cast<int64_t>(v);  // towards zero
  long double f = v - static_cast<long double>(t);
  if (f > 0.5L || (f == 0.5L && (t & 1))) return t + 1;
  if (f < -0.5L || (f == -0.5L && (t & 1))) return t - 1;
  return t;
}

// Truncating division and remainder (towards zero), named so the intent is visible.
inline int32_t Div(int32_t a, int32_t b) { return a / b; }
inline int32_t Mod(int32_t a, int32_t b) { return a % b; }

}  // namespace zkw
