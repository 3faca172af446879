// Case-insensitive comparison of 8-bit names (ASCII letters only, as the tables hold).
#pragma once
#include <string_view>

namespace zkw {

// True when A and B are equal ignoring the case of ASCII letters.
inline bool SameName(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (size_t i = 0; i < A.size(); ++i) {
    unsigned char a = static_cast<unsigned char>(A[i]), b = static_cast<unsigned char>(B[i]);
    if (a >= 'a' && a <= 'z') a = static_cast<unsigned char>(a - 32);
    if (b >= 'a' && b <= 'z') b = static_cast<unsigned char>(b - 32);
    if (a != b) return false;
  }
  return true;
}

}  // namespace zkw
