// The 8-bit code page of the Linux library: Windows-1252. Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D,
// which the code page leaves undefined, map to the C1 controls of the same value, as on Windows,
// so every byte has a unit and converts back to itself. From UTF-16 no best fit is applied:
// a unit the code page lacks becomes the default character, with or without
// WC_NO_BEST_FIT_CHARS.
#include <cstdint>

#include "platform/plat.h"

namespace plat {
namespace {

constexpr UINT kCp1252 = 1252;

// Units of bytes 0x80..0x9F; every other byte is the unit of the same value.
constexpr uint16_t kHighUnits[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

uint16_t UnitOf(uint8_t byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighUnits[byte - 0x80] : byte;
}

// The byte of a unit, or -1 when the code page has none.
int ByteOf(uint16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit < 0x100)) return unit;
  for (int i = 0; i < 32; ++i)
    if (kHighUnits[i] == unit) return 0x80 + i;
  return -1;
}

bool KnownCodePage(UINT codePage) { return codePage == CP_ACP || codePage == kCp1252; }

}  // namespace

UINT GetACP() { return kCp1252; }

int MultiByteToWideChar(UINT codePage, DWORD flags, const char* multiByte, int multiByteLen,
                        WCHAR* wide, int wideLen) {
  if (!KnownCodePage(codePage) || (flags & ~(MB_PRECOMPOSED | MB_ERR_INVALID_CHARS)) != 0)
    return 0;
  if (!multiByte || multiByteLen == 0 || multiByteLen < -1 || wideLen < 0 || (wideLen && !wide))
    return 0;
  size_t count = 0;
  if (multiByteLen == -1) {
    while (multiByte[count]) ++count;
    ++count;  // the terminator converts too
  } else {
    count = static_cast<size_t>(multiByteLen);
  }
  if (wideLen == 0) return static_cast<int>(count);
  size_t fit = count < static_cast<size_t>(wideLen) ? count : static_cast<size_t>(wideLen);
  for (size_t i = 0; i < fit; ++i)
    wide[i] = static_cast<WCHAR>(UnitOf(static_cast<uint8_t>(multiByte[i])));
  return fit == count ? static_cast<int>(count) : 0;
}

int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int wideLen,
                        char* multiByte, int multiByteLen, const char* defaultChar,
                        BOOL* usedDefaultChar) {
  if (!KnownCodePage(codePage) || (flags & ~WC_NO_BEST_FIT_CHARS) != 0) return 0;
  if (!wide || wideLen == 0 || wideLen < -1 || multiByteLen < 0 || (multiByteLen && !multiByte))
    return 0;
  size_t count = 0;
  if (wideLen == -1) {
    while (wide[count]) ++count;
    ++count;
  } else {
    count = static_cast<size_t>(wideLen);
  }
  const char fallback = defaultChar ? *defaultChar : '?';
  bool usedDefault = false;
  size_t fit = multiByteLen == 0 ? count : (count < static_cast<size_t>(multiByteLen)
                                                ? count
                                                : static_cast<size_t>(multiByteLen));
  for (size_t i = 0; i < count; ++i) {
    int byte = ByteOf(static_cast<uint16_t>(wide[i]));
    if (byte < 0) usedDefault = true;
    if (multiByteLen && i < fit) multiByte[i] = byte < 0 ? fallback : static_cast<char>(byte);
  }
  if (usedDefaultChar) *usedDefaultChar = usedDefault ? 1 : 0;
  if (multiByteLen && fit < count) return 0;
  return static_cast<int>(count);
}

}  // namespace plat
