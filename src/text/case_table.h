// The Vietnamese case table behind VUPPER and VLOWER: pairs of a lower-case letter and its
// upper-case form, searched in stored order.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "text/ansi_text.h"

namespace zkw {

struct TCasePair {
  uint16_t Lower;
  uint16_t Upper;
};

class TCaseList {
 public:
  // Replaces the pairs with those of a resource image: a 16-bit count (only its low byte is
  // read, so at most 255 pairs), then 4 bytes per pair. A buffer too short for the count it
  // states leaves the list empty and gives false.
  bool LoadFromBuffer(const void* buf, size_t size);
  void Clear() { FPairs.clear(); }

  size_t Count() const { return FPairs.size(); }
  const TCasePair& Pair(size_t index) const { return FPairs[index]; }

  // The upper unit of the first pair whose lower unit is ch; ch itself when none is.
  ZChar Uppercase(ZChar ch) const;
  // The lower unit of the first pair whose upper unit is ch; ch itself when none is.
  ZChar Lowercase(ZChar ch) const;
  bool IsUppercase(ZChar ch) const;
  bool IsLowercase(ZChar ch) const;
  // Every unit of a text mapped.
  ZString Uppercase(ZStringView text) const;
  ZString Lowercase(ZStringView text) const;

 private:
  std::vector<TCasePair> FPairs;
};

}  // namespace zkw
