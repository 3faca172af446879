// Font packages (".dfp"): a 266-byte header ("KPFD" signature, font names) and an index of
// 16-byte entries (size, bold, italic, offset and length of a complete font file inside the
// package). LoadPackageFont takes one font straight from a package.
#pragma once
#include <cstdint>
#include <string>

#include "base/text16.h"

namespace zkw {

class TDibFont;

constexpr int32_t kPackageHeaderSize = 266;
constexpr int32_t kPackageEntrySize = 16;

// Parses a style text: surrounding blanks removed, upper-cased; "B" bold, "I" italic, the size
// from all its decimal digits in order (0 when there are none).
void ParsePackageStyle(const std::string& Style, int32_t& Size, bool& Bold, bool& Italic);

// The first index entry of the package with the wanted bold and italic state and size (any
// size when Size is 0), loaded into a new font owned by the caller; null when the file is
// missing, shorter than its header, not a package, or has no such entry (the last-error text
// says why).
TDibFont* LoadPackageFont(const ZChar* FileName, const std::string& Style);

}  // namespace zkw
