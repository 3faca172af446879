// Reading DIB library files: the header of every layout and the entries behind it.
#include "imagefiles/dib_library.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/last_error.h"
#include "imagefiles/bmp_file.h"
#include "imagefiles/dex.h"
#include "imagefiles/memory_block.h"
#include "imagefiles/packed_dib.h"
#include "imagefiles/row_bitmap.h"
#include "platform/plat.h"

namespace zkw {

namespace {

struct LayoutInfo {
  TDibLibLayout layout;
  uint32_t signature;
  uint32_t headerSize;
  uint32_t slots;
  uint32_t entrySize;  // 8 without the kind byte, 9 with it
  bool raw;
};

constexpr LayoutInfo kLayouts[] = {
    {TDibLibLayout::dlV0, 0xADB0, 410, 50, 8, true},
    {TDibLibLayout::dlV1, 0xADB1, 1610, 200, 8, true},
    {TDibLibLayout::dlV2, 0xADB2, 1810, 200, 9, false},
    {TDibLibLayout::dlV3, 0xADB3, 2712, 300, 9, false},
    {TDibLibLayout::dlV5, 0xADB5, 9012, 1000, 9, false},
    {TDibLibLayout::dlArray, 0xADB5, 2712, 300, 9, true},
};

const LayoutInfo& InfoOf(TDibLibLayout layout) {
  return kLayouts[static_cast<int32_t>(layout)];
}

// Versions 3 and 5 keep the header size at 4 and the count at 10; the others the count at 4.
bool HasHeaderSizeField(TDibLibLayout layout) {
  return layout == TDibLibLayout::dlV3 || layout == TDibLibLayout::dlV5 ||
         layout == TDibLibLayout::dlArray;
}

uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t{p[3]} << 24; }
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
void Put16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

// The layout of the first 12 bytes; false for an unknown signature.
bool LayoutOf(const uint8_t* head, TDibLibLayout& layout) {
  uint32_t signature = Le32(head);
  if (signature == kDibLibSignatureV5) {
    layout = Le16(head + 4) == kDibLibHeaderSizeArray ? TDibLibLayout::dlArray
                                                       : TDibLibLayout::dlV5;
    return true;
  }
  for (const LayoutInfo& info : kLayouts)
    if (info.signature == signature) {
      layout = info.layout;
      return true;
    }
  char text[64];
  std::snprintf(text, sizeof text, "not a DIB library: unknown signature 0x%X", signature);
  SetLastErrorText(text);
  return false;
}

// A read-only view of [start, start + size) of another stream.
class TWindowStream : public TStream {
 public:
  TWindowStream(TStream& source, int64_t start, int64_t size)
      : FSource(source), FStart(start), FSize(size) {}
  int32_t Read(void* buffer, int32_t count) override {
    int64_t left = FSize - FPosition;
    if (count <= 0 || left <= 0) return 0;
    int32_t want = static_cast<int32_t>(std::min<int64_t>(count, left));
    if (FSource.Seek(FStart + FPosition, SeekOrigin::soBeginning) != FStart + FPosition) return 0;
    int32_t got = FSource.Read(buffer, want);
    if (got > 0) FPosition += got;
    return got;
  }
  int32_t Write(const void*, int32_t) override { return 0; }
  int64_t Seek(int64_t offset, SeekOrigin origin) override {
    int64_t base = origin == SeekOrigin::soBeginning ? 0
                   : origin == SeekOrigin::soCurrent ? FPosition
                                                     : FSize;
    int64_t target = base + offset;
    if (target < 0) return -1;
    FPosition = target;
    return target;
  }
  int64_t Size() override { return FSize; }

 private:
  TStream& FSource;
  int64_t FStart;
  int64_t FSize;
  int64_t FPosition = 0;
};

std::string EntryName(int32_t index) { return "entry " + std::to_string(index); }

// The entry Index of a header read from `lib`, checked against the file: total size, index,
// table, offset past the header and data within the total size.
bool LocateEntry(TStream& lib, const TDibLibHeader& header, int32_t index, TDibLibEntry& entry) {
  int64_t fileSize = lib.Size();
  if (header.TotalSize != fileSize) {
    SetLastErrorText("DIB library declares " + std::to_string(header.TotalSize) +
                     " bytes but has " + std::to_string(fileSize));
    return false;
  }
  int64_t usable = std::min<int64_t>(header.Count, header.Slots());
  if (index < 1 || index > usable) {
    SetLastErrorText("DIB library has no " + EntryName(index) + " (" +
                     std::to_string(header.Count) + " entries, " +
                     std::to_string(header.Slots()) + " slots)");
    return false;
  }
  entry = header.Table[index - 1];
  uint64_t end = uint64_t{entry.Offset} + entry.Size;
  if (entry.Offset < header.HeaderSize() || end > header.TotalSize || entry.Size == 0) {
    SetLastErrorText(EntryName(index) + " at " + std::to_string(entry.Offset) + " of " +
                     std::to_string(entry.Size) + " bytes lies outside the data of the library (" +
                     std::to_string(header.HeaderSize()) + " to " +
                     std::to_string(header.TotalSize) + ")");
    return false;
  }
  return true;
}

// A raw packed-DIB entry into a new block; its bits per pixel in *bits.
plat::HGLOBAL ReadRawEntry(TStream& lib, const TDibLibEntry& entry, int32_t index,
                           uint32_t* bits) {
  if (entry.Size > kDibLibEntryCeiling || entry.Size < kInfoHeaderSize) {
    SetLastErrorText(EntryName(index) + " of " + std::to_string(entry.Size) +
                     " bytes cannot hold an image");
    return nullptr;
  }
  std::vector<uint8_t> bytes(entry.Size);
  if (lib.Seek(entry.Offset, SeekOrigin::soBeginning) != entry.Offset ||
      !lib.ReadExact(bytes.data(), static_cast<int32_t>(bytes.size()))) {
    SetLastErrorText(EntryName(index) + " could not be read");
    return nullptr;
  }
  *bits = Le16(bytes.data() + offsetof(TBitmapInfoHeader, biBitCount));
  return NewBlockFrom(bytes.data(), bytes.size());
}

uint32_t ReadEntry(TStream& lib, int32_t index, bool requireHeaderSize, plat::HGLOBAL* image,
                   plat::HGLOBAL* alpha, uint32_t* objectBits) {
  *image = *alpha = nullptr;
  TDibLibHeader header;
  if (!ReadDibLibHeader(lib, header)) return 0;
  if (requireHeaderSize && !header.HeaderSizeMatches()) {
    SetLastErrorText("DIB library header-size field " + std::to_string(header.HeaderSizeField) +
                     " is not " + std::to_string(header.HeaderSize()));
    return 0;
  }
  TDibLibEntry entry;
  if (!LocateEntry(lib, header, index, entry)) return 0;
  if (header.RawEntries()) {
    uint32_t blockBits = 0;
    *image = ReadRawEntry(lib, entry, index, &blockBits);
    if (!*image) return 0;
    if (objectBits) *objectBits = blockBits;
    bool versionZeroOrOne = header.Layout != TDibLibLayout::dlArray;
    uint32_t result = versionZeroOrOne ? 8 : blockBits;
    if (result == 0) {
      SetLastErrorText(EntryName(index) + " declares 0 bits per pixel");
      plat::GlobalFree(*image);
      *image = nullptr;
    }
    return result;
  }
  TWindowStream record(lib, entry.Offset, entry.Size);
  uint32_t bits = LoadDibExFromStream(&record, image, alpha);
  if (objectBits) *objectBits = bits;
  return bits;
}

// Bytes of the colour table of a BMP written from a part whose header is `info`.
int64_t TableBytes(const TBitmapInfoHeader& info) {
  if (info.biClrUsed) return 4 * int64_t{info.biClrUsed};
  switch (info.biBitCount) {
    case 1: return 8;
    case 4: return 64;
    case 8: return 1024;
    default: return 0;
  }
}

// Copies `size` bytes from the source's position to the destination's.
bool CopyBytes(TStream& from, TStream& to, int64_t size) {
  std::vector<uint8_t> buffer(static_cast<size_t>(std::min<int64_t>(size, 1 << 16)));
  while (size > 0) {
    int32_t chunk = static_cast<int32_t>(std::min<int64_t>(size, buffer.size()));
    if (!from.ReadExact(buffer.data(), chunk) || !to.WriteExact(buffer.data(), chunk)) return false;
    size -= chunk;
  }
  return true;
}

// A DEX entry with raw parts as a BMP file: file header, then the image part as stored.
// 0 when the entry is not such a record (the caller decodes it instead), -1 on failure.
int32_t CopyRawDexAsBmp(TStream& out, TStream& lib, const TDibLibEntry& entry, int32_t index) {
  TWindowStream record(lib, entry.Offset, entry.Size);
  TDexHeader dex;
  if (!record.ReadExact(&dex, sizeof dex) || dex.Signature != kDexSignature ||
      dex.HeaderSize != 24 || dex.Version == kDexVersionCompressed)
    return 0;
  TBitmapInfoHeader info;
  if (dex.ImageSize < sizeof info || dex.ImageSize > entry.Size - sizeof dex ||
      !record.ReadExact(&info, sizeof info)) {
    SetLastErrorText(EntryName(index) + ": image part of " + std::to_string(dex.ImageSize) +
                     " bytes does not fit its entry");
    return -1;
  }
  int64_t table = TableBytes(info);
  if (table > int64_t{dex.ImageSize} - int64_t{sizeof info}) {
    SetLastErrorText(EntryName(index) + ": colour table of " + std::to_string(table) +
                     " bytes runs past the image part");
    return -1;
  }
  uint8_t head[14] = {'B', 'M'};
  Put32(head + 2, 14 + dex.ImageSize);
  Put32(head + 10, static_cast<uint32_t>(54 + table));
  if (out.Seek(0, SeekOrigin::soBeginning) != 0 || !out.WriteExact(head, sizeof head) ||
      !out.WriteExact(&info, sizeof info) || !CopyBytes(record, out, dex.ImageSize - sizeof info)) {
    SetLastErrorText(EntryName(index) + " could not be copied to the stream");
    return -1;
  }
  return 1;
}

}  // namespace

uint32_t TDibLibHeader::HeaderSize() const { return InfoOf(Layout).headerSize; }
uint32_t TDibLibHeader::Slots() const { return InfoOf(Layout).slots; }
bool TDibLibHeader::RawEntries() const { return InfoOf(Layout).raw; }
bool TDibLibHeader::HeaderSizeMatches() const {
  return !HasHeaderSizeField(Layout) || HeaderSizeField == HeaderSize();
}

std::vector<uint8_t> TDibLibHeader::Bytes() const {
  const LayoutInfo& info = InfoOf(Layout);
  std::vector<uint8_t> bytes(info.headerSize, 0);
  Put32(bytes.data(), Signature);
  Put32(bytes.data() + 6, TotalSize);
  size_t tableAt = 10;
  if (HasHeaderSizeField(Layout)) {
    Put16(bytes.data() + 4, HeaderSizeField);
    Put16(bytes.data() + 10, Count);
    tableAt = 12;
  } else {
    Put16(bytes.data() + 4, Count);
  }
  for (size_t i = 0; i < Table.size() && i < info.slots; ++i) {
    uint8_t* slot = bytes.data() + tableAt + i * info.entrySize;
    Put32(slot, Table[i].Offset);
    Put32(slot + 4, Table[i].Size);
    if (info.entrySize == 9) slot[8] = Table[i].Kind;
  }
  return bytes;
}

bool ReadDibLibHeader(TStream& lib, TDibLibHeader& header) {
  uint8_t head[12];
  if (lib.Seek(0, SeekOrigin::soBeginning) != 0 || !lib.ReadExact(head, sizeof head)) {
    SetLastErrorText("not a DIB library: shorter than 12 bytes");
    return false;
  }
  if (!LayoutOf(head, header.Layout)) return false;
  const LayoutInfo& info = InfoOf(header.Layout);
  std::vector<uint8_t> bytes(info.headerSize);
  std::memcpy(bytes.data(), head, sizeof head);
  if (!lib.ReadExact(bytes.data() + sizeof head, static_cast<int32_t>(bytes.size() - sizeof head))) {
    SetLastErrorText("DIB library is shorter than its " + std::to_string(info.headerSize) +
                     "-byte header");
    return false;
  }
  header.Signature = Le32(head);
  header.TotalSize = Le32(head + 6);
  size_t tableAt = 10;
  if (HasHeaderSizeField(header.Layout)) {
    header.HeaderSizeField = Le16(head + 4);
    header.Count = Le16(head + 10);
    tableAt = 12;
  } else {
    header.HeaderSizeField = 0;
    header.Count = Le16(head + 4);
  }
  header.Table.assign(info.slots, TDibLibEntry{});
  for (uint32_t i = 0; i < info.slots; ++i) {
    const uint8_t* slot = bytes.data() + tableAt + i * info.entrySize;
    header.Table[i] = {Le32(slot), Le32(slot + 4),
                       static_cast<uint8_t>(info.entrySize == 9 ? slot[8] : 0)};
  }
  return true;
}

bool ValidDibLib(TStream& lib) {
  TDibLibHeader header;
  if (!ReadDibLibHeader(lib, header)) return false;
  if (!header.HeaderSizeMatches()) {
    SetLastErrorText("DIB library header-size field " + std::to_string(header.HeaderSizeField) +
                     " is not " + std::to_string(header.HeaderSize()));
    return false;
  }
  if (header.TotalSize != lib.Size()) {
    SetLastErrorText("DIB library declares " + std::to_string(header.TotalSize) +
                     " bytes but has " + std::to_string(lib.Size()));
    return false;
  }
  return true;
}

int32_t LibDibCount(TStream& lib) {
  uint8_t head[12];
  if (lib.Seek(0, SeekOrigin::soBeginning) != 0 || !lib.ReadExact(head, sizeof head)) {
    SetLastErrorText("not a DIB library: shorter than 12 bytes");
    return 0;
  }
  TDibLibLayout layout;
  if (!LayoutOf(head, layout)) return 0;
  return HasHeaderSizeField(layout) ? Le16(head + 10) : Le16(head + 4);
}

uint32_t GetDibFromLib(TStream& lib, int32_t Index, plat::HGLOBAL* image, plat::HGLOBAL* alpha,
                       uint32_t* objectBits) {
  plat::HGLOBAL imageDummy = nullptr, alphaDummy = nullptr;
  plat::HGLOBAL* imageOut = image ? image : &imageDummy;
  plat::HGLOBAL* alphaOut = alpha ? alpha : &alphaDummy;
  uint32_t bits = ReadEntry(lib, Index, false, imageOut, alphaOut, objectBits);
  if (imageDummy) plat::GlobalFree(imageDummy);
  if (alphaDummy) plat::GlobalFree(alphaDummy);
  return bits;
}

plat::HGLOBAL GetDibBitmap(TStream& lib, int32_t Index) {
  plat::HGLOBAL image = nullptr, alpha = nullptr;
  ReadEntry(lib, Index, true, &image, &alpha, nullptr);
  if (alpha) plat::GlobalFree(alpha);
  return image;
}

bool GetDibToStream(TStream& out, TStream& lib, int32_t Index) {
  TDibLibHeader header;
  TDibLibEntry entry;
  if (!ReadDibLibHeader(lib, header) || !LocateEntry(lib, header, Index, entry)) return false;
  if (!header.RawEntries()) {
    int32_t copied = CopyRawDexAsBmp(out, lib, entry, Index);
    if (copied != 0) return copied > 0;
  }
  plat::HGLOBAL image = nullptr, alpha = nullptr;
  if (!ReadEntry(lib, Index, false, &image, &alpha, nullptr)) return false;
  bool written = out.Seek(0, SeekOrigin::soBeginning) == 0 && SaveDibToBitmapStream(out, image) > 0;
  plat::GlobalFree(image);
  if (alpha) plat::GlobalFree(alpha);
  return written;
}

bool GetDibToBitmap(TRowBitmap& bitmap, TStream& lib, int32_t Index) {
  TMemoryStream bmp;
  if (!GetDibToStream(bmp, lib, Index)) return false;
  bmp.Seek(0, SeekOrigin::soBeginning);
  return bitmap.LoadFromStream(bmp);
}

// --- Files -----------------------------------------------------------------------------------

namespace {

// Opens a library for reading; false (with the reason) when it cannot be opened.
bool Opened(TFileStream& file, const ZChar* name) {
  if (file.IsOpen()) return true;
  SetLastErrorText("cannot open \"" + ToUtf8(name) + "\"");
  return false;
}

}  // namespace

bool ValidDibLib(const ZChar* name) {
  TFileStream file(name, FileMode::fmOpenRead);
  return Opened(file, name) && ValidDibLib(file);
}

int32_t LibDibCount(const ZChar* name) {
  TFileStream file(name, FileMode::fmOpenRead);
  return Opened(file, name) ? LibDibCount(file) : 0;
}

uint32_t GetDibFromLib(const ZChar* name, int32_t Index, plat::HGLOBAL* image,
                       plat::HGLOBAL* alpha, uint32_t* objectBits) {
  if (image) *image = nullptr;
  if (alpha) *alpha = nullptr;
  TFileStream file(name, FileMode::fmOpenRead);
  return Opened(file, name) ? GetDibFromLib(file, Index, image, alpha, objectBits) : 0;
}

plat::HGLOBAL GetDibBitmap(const ZChar* name, int32_t Index) {
  TFileStream file(name, FileMode::fmOpenRead);
  return Opened(file, name) ? GetDibBitmap(file, Index) : nullptr;
}

bool GetDibToStream(TStream& out, const ZChar* name, int32_t Index) {
  TFileStream file(name, FileMode::fmOpenRead);
  return Opened(file, name) && GetDibToStream(out, file, Index);
}

bool GetDibToBitmap(TRowBitmap& bitmap, const ZChar* name, int32_t Index) {
  TFileStream file(name, FileMode::fmOpenRead);
  return Opened(file, name) && GetDibToBitmap(bitmap, file, Index);
}

}  // namespace zkw
