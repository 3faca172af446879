#include "text/case_table.h"

#include <string>

#include "base/last_error.h"

namespace zkw {

namespace {
uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
}  // namespace

bool TCaseList::LoadFromBuffer(const void* buf, size_t size) {
  FPairs.clear();
  const auto* bytes = static_cast<const uint8_t*>(buf);
  if (!bytes || size < 2) {
    SetLastErrorText("case table of " + std::to_string(size) + " bytes has no count");
    return false;
  }
  const size_t count = bytes[0];  // the low byte of the 16-bit count
  if (count * 4 > size - 2) {
    SetLastErrorText("case table of " + std::to_string(count) + " pairs runs past the end of its " +
                     std::to_string(size) + " bytes");
    return false;
  }
  FPairs.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* p = bytes + 2 + 4 * i;
    FPairs.push_back({ReadU16(p), ReadU16(p + 2)});
  }
  return true;
}

ZChar TCaseList::Uppercase(ZChar ch) const {
  for (const TCasePair& pair : FPairs)
    if (pair.Lower == static_cast<uint16_t>(ch)) return static_cast<ZChar>(pair.Upper);
  return ch;
}

ZChar TCaseList::Lowercase(ZChar ch) const {
  for (const TCasePair& pair : FPairs)
    if (pair.Upper == static_cast<uint16_t>(ch)) return static_cast<ZChar>(pair.Lower);
  return ch;
}

bool TCaseList::IsUppercase(ZChar ch) const {
  for (const TCasePair& pair : FPairs)
    if (pair.Upper == static_cast<uint16_t>(ch)) return true;
  return false;
}

bool TCaseList::IsLowercase(ZChar ch) const {
  for (const TCasePair& pair : FPairs)
    if (pair.Lower == static_cast<uint16_t>(ch)) return true;
  return false;
}

ZString TCaseList::Uppercase(ZStringView text) const {
  ZString out(text);
  for (ZChar& ch : out) ch = Uppercase(ch);
  return out;
}

ZString TCaseList::Lowercase(ZStringView text) const {
  ZString out(text);
  for (ZChar& ch : out) ch = Lowercase(ch);
  return out;
}

}  // namespace zkw
