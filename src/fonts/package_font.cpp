#include "fonts/package_font.h"

#include <cctype>
#include <cstring>
#include <memory>

#include "common/byte_stream.h"
#include "base/last_error.h"
#include "fonts/dib_font.h"

namespace zkw {

void ParsePackageStyle(const std::string& Style, int32_t& Size, bool& Bold, bool& Italic) {
  Size = 0;
  Bold = Italic = false;
  int64_t size = 0;
  for (char c : Style) {
    char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (u == 'B') Bold = true;
    if (u == 'I') Italic = true;
    if (u >= '0' && u <= '9' && size < 100000000) size = size * 10 + (u - '0');
  }
  Size = static_cast<int32_t>(size);
}

TDibFont* LoadPackageFont(const ZChar* FileName, const std::string& Style) {
  int32_t size;
  bool bold, italic;
  ParsePackageStyle(Style, size, bold, italic);
  if (!FileName) return nullptr;
  TFileStream file(FileName, FileMode::fmOpenRead);
  if (!file.IsOpen()) {
    SetLastErrorText("font package cannot be opened");
    return nullptr;
  }
  int64_t fileSize = file.Size();
  uint8_t header[kPackageHeaderSize];
  if (fileSize < kPackageHeaderSize || file.Read(header, kPackageHeaderSize) != kPackageHeaderSize) {
    SetLastErrorText("font package of " + std::to_string(fileSize) + " bytes is shorter than its 266-byte header");
    return nullptr;
  }
  uint16_t headerSize = static_cast<uint16_t>(header[0] | (header[1] << 8));
  if (headerSize != kPackageHeaderSize || std::memcmp(header + 2, "KPFD", 4) != 0) {
    SetLastErrorText("file is not a font package (header size or signature)");
    return nullptr;
  }
  uint16_t count = static_cast<uint16_t>(header[264] | (header[265] << 8));
  for (uint16_t i = 0; i < count; ++i) {
    uint8_t e[kPackageEntrySize];
    if (file.Read(e, kPackageEntrySize) != kPackageEntrySize) {
      SetLastErrorText("font package index entry " + std::to_string(i) + " runs past the end of the file");
      return nullptr;
    }
    uint16_t entrySize = static_cast<uint16_t>(e[0] | (e[1] << 8));
    bool entryBold = e[2] != 0, entryItalic = e[3] != 0;
    uint32_t offset = static_cast<uint32_t>(e[8] | (e[9] << 8) | (e[10] << 16) | (static_cast<uint32_t>(e[11]) << 24));
    if (entryBold != bold || entryItalic != italic || (size != 0 && entrySize != size)) continue;
    if (offset >= static_cast<uint64_t>(fileSize)) {
      SetLastErrorText("font package entry " + std::to_string(i) + " starts at " + std::to_string(offset) +
                       ", past the end of the file");
      return nullptr;
    }
    file.Seek(offset, SeekOrigin::soBeginning);
    auto font = std::make_unique<TDibFont>();
    font->LoadFromStream(file);
    return font.release();
  }
  SetLastErrorText("font package has no font of the wanted size and style");
  return nullptr;
}

}  // namespace zkw
