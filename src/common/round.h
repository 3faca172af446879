// Integer rounding as the library's arithmetic defines it.
#pragma once
#include <cmath>
#include <cstdint>

namespace zkw {

// Round to the nearest integer, halves to the even neighbour. Values beyond the 64-bit range
// are held at its ends and NaN gives 0, so that no file or script value converts out of range.
inline int64_t Round(double v) {
  double r = std::nearbyint(v);
  if (r >= 9223372036854775807.0) return INT64_MAX;
  if (r >= -9223372036854775808.0) return static_cast<int64_t>(r);
  return r < 0 ? INT64_MIN : 0;
}
// The extended form splits off the integer part instead of calling nearbyintl, which saves and
// restores the floating-point environment on every call (the script engine rounds on every
// line); the result is the same for every value in the int64 range.
inline int64_t Round(long double v) {
  if (!(v > -9223372036854775808.0L && v < 9223372036854775807.0L))
    return v > 0 ? INT64_MAX : v < 0 ? INT64_MIN : 0;
  int64_t t = static_cast<int64_t>(v);  // towards zero
  long double f = v - static_cast<long double>(t);
  if (f > 0.5L || (f == 0.5L && (t & 1))) return t + 1;
  if (f < -0.5L || (f == -0.5L && (t & 1))) return t - 1;
  return t;
}

// A whole-numbered double (floor, ceil, trunc) as a 32-bit integer, held at the range's ends;
// NaN gives 0.
inline int32_t ClampToInt32(double v) {
  if (v >= 2147483647.0) return INT32_MAX;
  if (v >= -2147483648.0) return static_cast<int32_t>(v);
  return v < 0 ? INT32_MIN : 0;
}

// Truncating division and remainder (towards zero), named so the intent is visible.
inline int32_t Div(int32_t a, int32_t b) { return a / b; }
inline int32_t Mod(int32_t a, int32_t b) { return a % b; }

}  // namespace zkw
