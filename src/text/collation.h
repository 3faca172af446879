// The Vietnamese collation order behind STRVCHANGE and STRACHANGE. The order string lists 215
// bytes, punctuation and digits first, then each letter followed by its Vietnamese variants;
// the forward map sends the byte at position j (from 1) to 32 + j, so that texts compared byte
// by byte after it follow that order, and the backward map undoes it.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/ansi_text.h"

namespace zkw {

using TCollationMap = std::array<uint8_t, 256>;

// The order string (215 bytes, no byte twice).
std::string_view CollationOrder();
// Built from the order string: bytes the string lacks map to themselves (forward), values
// outside 33..247 map to themselves (backward).
TCollationMap BuildForwardCollation();
TCollationMap BuildBackwardCollation();

// Every byte of an 8-bit text through a map.
std::string MapBytes(const TCollationMap& map, std::string_view text);
// A UTF-16 text to the system's 8-bit code page, through the forward (sort codes) or backward
// map, and back to UTF-16 through the same code page. The whole text is mapped, however long.
ZString CollationForward(ZStringView text);
ZString CollationBackward(ZStringView text);

}  // namespace zkw
