// Small text helpers of the script compiler.
#pragma once
#include <string>

namespace zkw {

// Blanks and control characters (every byte up to 32).
inline bool IsBlank(char Ch) { return static_cast<unsigned char>(Ch) <= 32; }

// The text without blanks and control characters at both ends.
inline std::string TrimText(const std::string& S) {
  size_t a = 0, b = S.size();
  while (a < b && IsBlank(S[a])) ++a;
  while (b > a && IsBlank(S[b - 1])) --b;
  return S.substr(a, b - a);
}

}  // namespace zkw
