#include "imagefiles/jpeg_library.h"

#include <cstring>

#include "base/last_error.h"
#include "imagefiles/memory_block.h"
#include "platform/plat.h"
#include "text/ansi_text.h"

namespace zkw {

namespace {

uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t{p[3]} << 24; }
void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Reads and checks the header; the count in *count.
bool ReadHeader(TStream& lib, std::vector<uint8_t>& header, int32_t* count) {
  header.assign(kJpegLibHeaderSize, 0);
  if (lib.Seek(0, SeekOrigin::soBeginning) != 0 ||
      !lib.ReadExact(header.data(), kJpegLibHeaderSize)) {
    SetLastErrorText("JPEG library is shorter than its 20009-byte header");
    return false;
  }
  bool known = (std::memcmp(header.data(), "MTJL", 5) == 0 || std::memcmp(header.data(), "HGJL", 5) == 0);
  if (!known) {
    SetLastErrorText("not a JPEG library: the signature is neither \"MTJL\" nor \"HGJL\"");
    return false;
  }
  uint32_t n = Le32(header.data() + 5);
  if (n > kJpegLibSlots) {
    SetLastErrorText("JPEG library declares " + std::to_string(n) + " pictures, more than 5000");
    return false;
  }
  *count = static_cast<int32_t>(n);
  return true;
}

// The record of picture `index` (1-based, within the count): its name and data.
bool ReadRecord(TStream& lib, const std::vector<uint8_t>& header, int32_t index,
                TJpegLibRecord& record) {
  uint32_t offset = Le32(header.data() + 9 + 4 * (index - 1));
  int64_t size = lib.Size();
  uint8_t head[45];
  if (int64_t{offset} + 45 > size || lib.Seek(offset, SeekOrigin::soBeginning) != offset ||
      !lib.ReadExact(head, sizeof head)) {
    SetLastErrorText("JPEG library record " + std::to_string(index) + " at " +
                     std::to_string(offset) + " lies outside the file");
    return false;
  }
  uint32_t dataSize = Le32(head + 41);
  if (dataSize > kJpegCeiling || int64_t{offset} + 45 + dataSize > size) {
    SetLastErrorText("JPEG library record " + std::to_string(index) + " of " +
                     std::to_string(dataSize) + " bytes runs past the end of the file at " +
                     std::to_string(size));
    return false;
  }
  // A name without a zero ends after its 41 bytes.
  const char* name = reinterpret_cast<const char*>(head);
  record.Name.assign(name, strnlen(name, kJpegLibNameSize));
  record.Offset = offset;
  record.Data.resize(dataSize);
  if (dataSize && !lib.ReadExact(record.Data.data(), static_cast<int32_t>(dataSize))) {
    SetLastErrorText("JPEG library record " + std::to_string(index) + " could not be read");
    return false;
  }
  return true;
}

}  // namespace

std::unique_ptr<TJpegImage> ReadJpegFromLibrary(TStream& lib, int32_t Index, ZString* Name) {
  std::vector<uint8_t> header;
  int32_t count = 0;
  if (Index <= 0) {
    SetLastErrorText("JPEG library pictures are numbered from 1");
    return nullptr;
  }
  if (!ReadHeader(lib, header, &count)) return nullptr;
  if (Index > count) {
    SetLastErrorText("JPEG library has no picture " + std::to_string(Index) + " (" +
                     std::to_string(count) + " pictures)");
    return nullptr;
  }
  TJpegLibRecord record;
  if (!ReadRecord(lib, header, Index, record)) return nullptr;
  auto image = std::make_unique<TJpegImage>();
  if (!image->LoadFromBytes(std::move(record.Data))) return nullptr;
  if (Name) *Name = FromAnsi(record.Name);
  return image;
}

std::unique_ptr<TJpegImage> ReadJpegFromLibrary(const ZChar* file, int32_t Index, ZString* Name) {
  if (Index <= 0) {
    SetLastErrorText("JPEG library pictures are numbered from 1");
    return nullptr;
  }
  TFileStream lib(file, FileMode::fmOpenRead);
  if (!lib.IsOpen()) {
    SetLastErrorText("cannot open \"" + ToUtf8(file) + "\"");
    return nullptr;
  }
  return ReadJpegFromLibrary(lib, Index, Name);
}

plat::HGLOBAL JpegLibraryToDib(TStream& lib, int32_t Index, ZString* Name, int32_t PixelFormat) {
  std::unique_ptr<TJpegImage> image = ReadJpegFromLibrary(lib, Index, Name);
  return image ? JpegToDib(*image, PixelFormat) : nullptr;
}

plat::HGLOBAL JpegLibraryToDib(const ZChar* file, int32_t Index, ZString* Name, int32_t PixelFormat) {
  std::unique_ptr<TJpegImage> image = ReadJpegFromLibrary(file, Index, Name);
  return image ? JpegToDib(*image, PixelFormat) : nullptr;
}

std::unique_ptr<TJpegImage> JpegBlockToImage(plat::HGLOBAL block) {
  std::vector<uint8_t> bytes;
  {
    LockedBlock locked(block);
    if (locked.Data()) bytes.assign(locked.Data(), locked.Data() + locked.Size());
  }
  if (block) plat::GlobalFree(block);
  auto image = std::make_unique<TJpegImage>();
  if (!image->LoadFromBytes(std::move(bytes))) return nullptr;
  return image;
}

plat::HGLOBAL JpegToDib(TJpegImage& image, int32_t PixelFormat) {
  image.Smoothing = true;
  image.PixelFormat = PixelFormat == 1 ? jpf8Bit : jpf24Bit;
  return image.ToBlock();
}

bool ReadJpegLibrary(TStream& lib, std::vector<TJpegLibRecord>& records) {
  std::vector<uint8_t> header;
  int32_t count = 0;
  records.clear();
  if (!ReadHeader(lib, header, &count)) return false;
  records.resize(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i)
    if (!ReadRecord(lib, header, i + 1, records[static_cast<size_t>(i)])) return false;
  return true;
}

bool WriteJpegLibrary(TStream& out, const std::vector<TJpegLibRecord>& records) {
  if (records.empty() || records.size() > static_cast<size_t>(kJpegLibSlots)) {
    SetLastErrorText("a JPEG library holds 1 to 5000 pictures, not " + std::to_string(records.size()));
    return false;
  }
  std::vector<uint8_t> header(kJpegLibHeaderSize, 0);
  std::memcpy(header.data(), "HGJL", 5);
  Put32(header.data() + 5, static_cast<uint32_t>(records.size()));
  uint64_t offset = kJpegLibHeaderSize;
  for (size_t i = 0; i < records.size(); ++i) {
    if (records[i].Name.size() >= static_cast<size_t>(kJpegLibNameSize) ||
        records[i].Data.size() > kJpegCeiling) {
      SetLastErrorText("picture " + std::to_string(i + 1) +
                       ": names take at most 40 bytes and data at most 256 MiB");
      return false;
    }
    Put32(header.data() + 9 + 4 * i, static_cast<uint32_t>(offset));
    offset += 45 + records[i].Data.size();
    if (offset > UINT32_MAX) {
      SetLastErrorText("a JPEG library cannot pass 4 GiB");
      return false;
    }
  }
  if (!out.WriteExact(header.data(), kJpegLibHeaderSize)) return false;
  for (const TJpegLibRecord& record : records) {
    uint8_t head[45] = {};
    std::memcpy(head, record.Name.data(), record.Name.size());
    Put32(head + 41, static_cast<uint32_t>(record.Data.size()));
    if (!out.WriteExact(head, sizeof head) ||
        !out.WriteExact(record.Data.data(), static_cast<int32_t>(record.Data.size()))) {
      SetLastErrorText("the JPEG library could not be written");
      return false;
    }
  }
  return true;
}

bool WriteJpegLibrary(const ZChar* name, const std::vector<TJpegLibRecord>& records) {
  TFileStream file(name, FileMode::fmCreate);
  if (!file.IsOpen()) {
    SetLastErrorText("cannot create \"" + ToUtf8(name) + "\"");
    return false;
  }
  return WriteJpegLibrary(file, records);
}

}  // namespace zkw
