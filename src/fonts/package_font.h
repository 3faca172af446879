// Font packages (".dfp"): a 266-byte header ("KPFD" signature, font names) and an index of
// 16-byte entries (size, bold, italic, offset and length of a complete font file inside the
// package). TFontPackage reads the header and index; LoadPackageFont takes one font straight
// from a package; WriteFontPackage makes one.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/text16.h"
#include "common/byte_stream.h"

namespace zkw {

class TDibFont;

constexpr int32_t kPackageHeaderSize = 266;
constexpr int32_t kPackageEntrySize = 16;
constexpr int32_t kPackageNameFieldSize = 256;

// One index entry. Usable is false when the offset lies inside the header or index (offset 0
// would read the package itself as a font) or at or past the end of the package.
struct TFontPackageEntry {
  uint16_t Size = 0;  // 0: a font for every size
  bool Bold = false;
  bool Italic = false;
  uint32_t Offset = 0;
  uint32_t Length = 0;
  bool Usable = false;
};

// The header and index of a package, read and checked against the stream's size.
class TFontPackage {
 public:
  // Reads from the stream's start. False (last-error text set) when the stream is shorter than
  // the header, the header size or signature is wrong, or the index runs past the end.
  bool Open(TStream& f);
  // Loads entry Index into a new font owned by the caller; null (last-error text set) when the
  // entry is not usable or its data is not a font.
  TDibFont* LoadEntry(TStream& f, size_t Index) const;

  std::string NameField;           // the 8-bit name field up to its first zero (at most 256 bytes)
  std::vector<ZString> Names;      // split at ";" and line breaks, trimmed, empty ones dropped
  std::vector<TFontPackageEntry> Entries;
  int64_t FileSize = 0;
};

// The names of a name field: split at ";", CR and LF, blanks around each removed, empty ones
// dropped, converted from the system code page.
std::vector<ZString> SplitPackageNames(const std::string& Field);

// Parses a style text: surrounding blanks removed, upper-cased; "B" bold, "I" italic, the size
// from all its decimal digits in order (0 when there are none).
void ParsePackageStyle(const std::string& Style, int32_t& Size, bool& Bold, bool& Italic);

// The first usable index entry of the package with the wanted bold and italic state and size
// (any size when Size is 0; an entry of size 0 serves only a request for 0), loaded into a new
// font owned by the caller; null when the file is missing, not a package, has no such entry or
// the entry does not load (the last-error text says why).
TDibFont* LoadPackageFont(const ZChar* FileName, const std::string& Style);

// A font to put into a package: the bytes of a complete font file, copied unchanged.
struct TFontPackageItem {
  uint16_t Size = 0;
  bool Bold = false;
  bool Italic = false;
  std::vector<uint8_t> Data;
};

// Writes a package: the header with the 8-bit name field (at most 255 bytes and a zero), the
// index, then the fonts in order. False (last-error text set) when the names are too long,
// there are more than 65,535 fonts, the package would pass 4 GiB, or writing fails.
bool WriteFontPackage(TStream& f, const std::string& NameField,
                      const std::vector<TFontPackageItem>& Items);

}  // namespace zkw
