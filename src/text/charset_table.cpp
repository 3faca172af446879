#include "text/charset_table.h"

#include <cstring>

#include "base/last_error.h"

namespace zkw {

namespace {

constexpr size_t kTitleSize = 26;
constexpr size_t kEntrySize = 36;
constexpr size_t kTextUnits = 9;

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

// A zero-padded field of 9 UTF-16 units; all 9 are text when no zero ends it earlier.
ZString ReadText(const uint8_t* p) {
  ZString text;
  for (size_t i = 0; i < kTextUnits; ++i) {
    uint16_t unit = ReadU16(p + 2 * i);
    if (!unit) break;
    text += static_cast<ZChar>(unit);
  }
  return text;
}

bool Refuse(std::string reason) {
  SetLastErrorText("typing table: " + std::move(reason));
  return false;
}

}  // namespace

void TCharSetList::Clear() {
  FTitle.clear();
  FStyle = 0;
  FHotKeys.clear();
  FEntries.clear();
}

bool TCharSetList::LoadFromBuffer(const void* buf, size_t size) {
  Clear();
  const auto* bytes = static_cast<const uint8_t*>(buf);
  if (!bytes || size < kTitleSize + 4)
    return Refuse(std::to_string(size) + " bytes are too few for the header");
  const uint16_t style = ReadU16(bytes + kTitleSize);
  if (style > 1) return Refuse("style " + std::to_string(style) + " is neither 0 nor 1");
  const size_t hotCount = bytes[kTitleSize + 2];  // the low byte of the 16-bit count
  const size_t hotPos = kTitleSize + 4;
  if (hotCount + 2 > size - hotPos)
    return Refuse(std::to_string(hotCount) + " hot keys run past the end of " +
                  std::to_string(size) + " bytes");
  const auto* hot = bytes + hotPos;
  const void* hotEnd = std::memchr(hot, 0, hotCount);
  if (hotCount && !hotEnd) return Refuse("the hot keys have no terminating zero");
  const size_t entryCount = bytes[hotPos + hotCount];  // low byte again
  const size_t entryPos = hotPos + hotCount + 2;
  if (entryCount * kEntrySize > size - entryPos)
    return Refuse(std::to_string(entryCount) + " entries run past the end of " +
                  std::to_string(size) + " bytes");

  const auto* titleEnd = static_cast<const uint8_t*>(std::memchr(bytes, 0, kTitleSize));
  FTitle.assign(reinterpret_cast<const char*>(bytes),
                titleEnd ? static_cast<size_t>(titleEnd - bytes) : kTitleSize);
  FStyle = style;
  if (hotEnd)
    FHotKeys.assign(reinterpret_cast<const char*>(hot),
                    static_cast<const uint8_t*>(hotEnd) - hot);
  FEntries.reserve(entryCount);
  for (size_t i = 0; i < entryCount; ++i) {
    const uint8_t* p = bytes + entryPos + kEntrySize * i;
    FEntries.push_back({ReadText(p), ReadText(p + 2 * kTextUnits)});
  }
  return true;
}

bool TCharSetList::IsHotKey(uint32_t ch) const {
  const char code = static_cast<char>(ch >= 256 ? 255 : ch);
  return FHotKeys.find(code) != std::string::npos;
}

ZString TCharSetList::Lookup(ZStringView key) const {
  for (const TCharSetEntry& entry : FEntries)
    if (entry.Key == key) return entry.Value;
  return {};
}

}  // namespace zkw
