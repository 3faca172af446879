#include "base/text16.h"

namespace zkw {

size_t ZLength(const ZChar* text) {
  size_t n = 0;
  if (text)
    while (text[n]) ++n;
  return n;
}

static void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string ToUtf8(const ZChar* text) {
  std::string out;
  size_t n = ZLength(text);
  for (size_t i = 0; i < n; ++i) {
    uint32_t u = static_cast<uint16_t>(text[i]);
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < n) {
      uint32_t lo = static_cast<uint16_t>(text[i + 1]);
      if (lo >= 0xDC00 && lo < 0xE000) {
        AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00));
        ++i;
        continue;
      }
    }
    if (u >= 0xD800 && u < 0xE000) u = 0xFFFD;
    AppendUtf8(out, u);
  }
  return out;
}

std::string ToUtf8(const ZString& text) { return ToUtf8(text.c_str()); }

ZString FromUtf8(const std::string& text) {
  ZString out;
  size_t i = 0, n = text.size();
  while (i < n) {
    uint8_t b = static_cast<uint8_t>(text[i]);
    uint32_t cp = 0xFFFD;
    size_t len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > n) {
      ++i;
    } else {
      cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
      bool ok = true;
      for (size_t k = 1; k < len; ++k) {
        uint8_t c = static_cast<uint8_t>(text[i + k]);
        if ((c & 0xC0) != 0x80) ok = false;
        cp = (cp << 6) | (c & 0x3F);
      }
      i += ok ? len : 1;
      if (!ok) cp = 0xFFFD;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<ZChar>(0xD800 + (cp >> 10));
      out += static_cast<ZChar>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<ZChar>(cp);
    }
  }
  return out;
}

}  // namespace zkw
