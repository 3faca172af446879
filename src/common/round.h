// Integer rounding as the library's arithmetic defines it.
#pragma once
#include <cmath>
#include <cstdint>

namespace zkw {

// Round to the nearest integer, halves to the even neighbour.
inline int64_t Round(double v) { return static_cast<int64_t>(std::nearbyint(v)); }
inline int64_t Round(long double v) { return static_cast<int64_t>(std::nearbyintl(v)); }

// Truncating division and remainder (towards zero), named so the intent is visible.
inline int32_t Div(int32_t a, int32_t b) { return a / b; }
inline int32_t Mod(int32_t a, int32_t b) { return a % b; }

}  // namespace zkw
