#include "fonts/package_font.h"

#include <cctype>
#include <cstring>
#include <memory>

#include "base/last_error.h"
#include "fonts/dib_font.h"
#include "text/ansi_text.h"

namespace zkw {

namespace {

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16)) | (static_cast<uint32_t>(p[3]) << 24);
}
void Put16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
  Put16(p, v);
  Put16(p + 2, v >> 16);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<ZString> SplitPackageNames(const std::string& Field) {
  std::vector<ZString> names;
  size_t start = 0;
  while (start <= Field.size()) {
    size_t end = Field.find_first_of(";\r\n", start);
    if (end == std::string::npos) end = Field.size();
    size_t a = start, b = end;
    while (a < b && IsBlank(Field[a])) ++a;
    while (b > a && IsBlank(Field[b - 1])) --b;
    if (b > a) names.push_back(FromAnsi(std::string_view(Field).substr(a, b - a)));
    start = end + 1;
  }
  return names;
}

bool TFontPackage::Open(TStream& f) {
  Names.clear();
  Entries.clear();
  NameField.clear();
  FileSize = f.Size();
  uint8_t header[kPackageHeaderSize];
  if (FileSize < kPackageHeaderSize || f.Seek(0, SeekOrigin::soBeginning) != 0 ||
      !f.ReadExact(header, kPackageHeaderSize)) {
    SetLastErrorText("font package of " + std::to_string(FileSize) +
                     " bytes is shorter than its 266-byte header");
    return false;
  }
  if (U16(header) != kPackageHeaderSize || std::memcmp(header + 2, "KPFD", 4) != 0) {
    SetLastErrorText("file is not a font package (header size or signature)");
    return false;
  }
  const char* field = reinterpret_cast<const char*>(header + 6);
  NameField.assign(field, strnlen(field, kPackageNameFieldSize));
  const uint16_t count = U16(header + 264);
  const int64_t indexEnd = kPackageHeaderSize + int64_t{count} * kPackageEntrySize;
  if (indexEnd > FileSize) {
    SetLastErrorText("font package index of " + std::to_string(count) + " entries ends at " +
                     std::to_string(indexEnd) + ", past the end of the file at " + std::to_string(FileSize));
    return false;
  }
  std::vector<uint8_t> index(static_cast<size_t>(count) * kPackageEntrySize);
  if (count && !f.ReadExact(index.data(), static_cast<int32_t>(index.size()))) {
    SetLastErrorText("font package index cannot be read");
    return false;
  }
  Entries.resize(count);
  for (uint16_t i = 0; i < count; ++i) {
    const uint8_t* e = &index[static_cast<size_t>(i) * kPackageEntrySize];
    TFontPackageEntry& entry = Entries[i];
    entry.Size = U16(e);
    entry.Bold = e[2] != 0;
    entry.Italic = e[3] != 0;
    entry.Offset = U32(e + 8);
    entry.Length = U32(e + 12);
    entry.Usable = entry.Offset >= indexEnd && entry.Offset < FileSize;
  }
  Names = SplitPackageNames(NameField);
  return true;
}

TDibFont* TFontPackage::LoadEntry(TStream& f, size_t Index) const {
  if (Index >= Entries.size()) return nullptr;
  const TFontPackageEntry& entry = Entries[Index];
  if (!entry.Usable) {
    SetLastErrorText("font package entry " + std::to_string(Index) + " starts at " +
                     std::to_string(entry.Offset) + ", outside the fonts of the package (" +
                     std::to_string(FileSize) + " bytes)");
    return nullptr;
  }
  if (f.Seek(entry.Offset, SeekOrigin::soBeginning) != entry.Offset) return nullptr;
  auto font = std::make_unique<TDibFont>();
  if (!font->LoadFromStream(f) || !font->FDib) {
    SetLastErrorText("font package entry " + std::to_string(Index) + " at " +
                     std::to_string(entry.Offset) + " is not a font");
    return nullptr;
  }
  return font.release();
}

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
  TFontPackage package;
  if (!package.Open(file)) return nullptr;
  for (size_t i = 0; i < package.Entries.size(); ++i) {
    const TFontPackageEntry& e = package.Entries[i];
    if (e.Bold != bold || e.Italic != italic || (size != 0 && e.Size != size) || !e.Usable) continue;
    return package.LoadEntry(file, i);
  }
  SetLastErrorText("font package has no font of the wanted size and style");
  return nullptr;
}

bool WriteFontPackage(TStream& f, const std::string& NameField,
                      const std::vector<TFontPackageItem>& Items) {
  if (NameField.size() >= kPackageNameFieldSize) {
    SetLastErrorText("font package names take " + std::to_string(NameField.size()) +
                     " bytes; at most 255 fit");
    return false;
  }
  if (Items.size() > 0xFFFF) {
    SetLastErrorText("a font package holds at most 65,535 fonts");
    return false;
  }
  std::vector<uint8_t> head(kPackageHeaderSize + Items.size() * kPackageEntrySize, 0);
  Put16(&head[0], kPackageHeaderSize);
  std::memcpy(&head[2], "KPFD", 4);
  std::memcpy(&head[6], NameField.data(), NameField.size());
  Put16(&head[264], static_cast<uint32_t>(Items.size()));
  uint64_t offset = head.size();
  for (size_t i = 0; i < Items.size(); ++i) {
    const TFontPackageItem& item = Items[i];
    if (offset + item.Data.size() > 0xFFFFFFFFu) {
      SetLastErrorText("font package would pass 4 GiB");
      return false;
    }
    uint8_t* e = &head[kPackageHeaderSize + i * kPackageEntrySize];
    Put16(e, item.Size);
    e[2] = item.Bold ? 1 : 0;
    e[3] = item.Italic ? 1 : 0;
    Put32(e + 8, static_cast<uint32_t>(offset));
    Put32(e + 12, static_cast<uint32_t>(item.Data.size()));
    offset += item.Data.size();
  }
  bool written = f.WriteExact(head.data(), static_cast<int32_t>(head.size()));
  for (const TFontPackageItem& item : Items)
    written = written && (item.Data.empty() ||
                          f.WriteExact(item.Data.data(), static_cast<int32_t>(item.Data.size())));
  if (!written) SetLastErrorText("font package cannot be written");
  return written;
}

}  // namespace zkw
