#include "text/scene_text.h"

#include <cstdint>

#include "text/text_tables.h"

namespace zkw {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

ZString DecodeSceneText(std::string_view text) {
  ZString out;
  out.reserve(text.size());
  const size_t n = text.size();
  size_t i = 0;
  while (i < n) {
    if (text[i] == '&' && i + 1 < n && text[i + 1] == '#') {
      // Read every digit, even past the 32-bit limit, so that an over-long number is kept whole.
      size_t j = i + 2;
      int64_t value = 0;
      bool fits = true;
      for (; j < n && IsDigit(text[j]); ++j) {
        if (!fits) continue;
        value = value * 10 + (text[j] - '0');
        if (value > INT32_MAX) fits = false;
      }
      if (j > i + 2 && fits) {
        out += static_cast<ZChar>(static_cast<uint16_t>(value & 0xFFFF));
        i = j;
        if (i < n && text[i] == '#') ++i;
        continue;
      }
      // No digit, or too many: the "&" stays, and the "#" and digits follow as plain bytes.
    }
    out += static_cast<ZChar>(static_cast<uint8_t>(text[i]));
    ++i;
  }
  return out;
}

std::string EncodeSceneText(ZStringView text) {
  const auto& ownByte = TextTables().OwnByte;
  std::string out;
  out.reserve(text.size());
  for (ZChar ch : text) {
    auto unit = static_cast<uint16_t>(ch);
    if (unit < 256 && ownByte[unit]) {
      out += static_cast<char>(unit);  // the code page's byte for it is this very value
      continue;
    }
    out += "&#";
    out += std::to_string(unit);
    out += '#';
  }
  return out;
}

std::u16string DecodeSceneText16(std::string_view text) {
  ZString z = DecodeSceneText(text);
  return std::u16string(z.begin(), z.end());
}

}  // namespace zkw
