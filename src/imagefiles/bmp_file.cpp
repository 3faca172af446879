#include "imagefiles/bmp_file.h"

#include <climits>
#include <cstring>
#include <vector>

#include "common/byte_stream.h"
#include "base/last_error.h"
#include "imagefiles/bmp_layout.h"
#include "imagefiles/bmp_pixels.h"
#include "imagefiles/memory_block.h"
#include "imagefiles/packed_dib.h"
#include "platform/plat.h"

namespace zkw {

namespace {
// Reads the file header and checks the signature and the declared size against the length.
bool CheckFileHeader(const uint8_t* bytes, uint64_t size, TBitmapFileHeader& header) {
  if (size < sizeof header) {
    SetLastErrorText("BMP file of " + std::to_string(size) + " bytes is shorter than its header");
    return false;
  }
  std::memcpy(&header, bytes, sizeof header);
  if (header.bfType != kBmpSignature) {
    SetLastErrorText("file does not start with \"BM\"");
    return false;
  }
  if (header.bfSize != size) {
    SetLastErrorText("BMP file declares " + std::to_string(header.bfSize) + " bytes but holds " +
                     std::to_string(size));
    return false;
  }
  return true;
}
}  // namespace

bool BmpFileHeaderValid(const uint8_t* bytes, uint64_t size) {
  TBitmapFileHeader header;
  return CheckFileHeader(bytes, size, header);
}

plat::HGLOBAL LoadDIBFromBytes(const uint8_t* bytes, uint64_t size, plat::HGLOBAL* alpha) {
  if (alpha) *alpha = nullptr;
  TBitmapFileHeader header;
  if (!CheckFileHeader(bytes, size, header)) return nullptr;
  TBmpLayout layout;
  std::string reason;
  if (!ParseBmpLayout(bytes, size, layout, reason)) {
    SetLastErrorText(reason);
    return nullptr;
  }
  plat::HGLOBAL block = nullptr;
  if (IsLibraryLayout(layout)) {
    // Already the library's form: the file without its header, as it is.
    block = NewBlockFrom(bytes + sizeof header, size - sizeof header);
  } else if (!ConvertBmpPixels(bytes, layout, block, alpha)) {
    block = nullptr;
  }
  if (!block) SetLastErrorText("cannot allocate memory for the BMP picture");
  return block;
}

plat::HGLOBAL LoadDIBFile(const ZChar* name, plat::HGLOBAL* alpha) {
  if (alpha) *alpha = nullptr;
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(name, bytes)) {
    SetLastErrorText("cannot read \"" + ToUtf8(name) + "\"");
    return nullptr;
  }
  return LoadDIBFromBytes(bytes.data(), bytes.size(), alpha);
}

bool BitmapFileValid(const ZChar* name) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(name, bytes) || bytes.size() <= 53) return false;
  TBitmapFileHeader header;
  TBmpLayout layout;
  std::string reason;
  return CheckFileHeader(bytes.data(), bytes.size(), header) &&
         ParseBmpLayout(bytes.data(), bytes.size(), layout, reason);
}

int64_t SaveDibToBitmapStream(TStream& stream, plat::HGLOBAL block) {
  LockedBlock locked(block);
  std::string reason;
  if (!locked.Data() || !CheckPackedDib(locked.Data(), locked.Size(), reason)) {
    SetLastErrorText(locked.Data() ? reason : "no image block to save");
    return 0;
  }
  TBitmapInfoHeader info;
  std::memcpy(&info, locked.Data(), sizeof info);
  int64_t tableEntries = ColorTableEntries(info);
  int64_t dataSize = RawDibSize(info);
  if (dataSize > INT32_MAX - 14) {
    SetLastErrorText("image is too large for a BMP file");
    return 0;
  }
  TBitmapFileHeader header{kBmpSignature, static_cast<uint32_t>(dataSize + 14), 0, 0,
                           static_cast<uint32_t>(54 + 4 * tableEntries)};
  if (!stream.WriteExact(&header, sizeof header) ||
      !stream.WriteExact(locked.Data(), static_cast<int32_t>(dataSize))) {
    SetLastErrorText("the BMP file could not be written");
    return 0;
  }
  return dataSize + 14;
}

bool SaveDibToBitmap(const ZChar* name, plat::HGLOBAL block) {
  {
    LockedBlock locked(block);
    std::string reason;
    if (!locked.Data() || !CheckPackedDib(locked.Data(), locked.Size(), reason)) {
      SetLastErrorText(locked.Data() ? reason : "no image block to save");
      return false;
    }
  }
  TFileStream file(name, FileMode::fmCreate);
  if (!file.IsOpen()) {
    SetLastErrorText("cannot create \"" + ToUtf8(name) + "\"");
    return false;
  }
  return SaveDibToBitmapStream(file, block) > 0;
}

void CreateDIBFile(const ZChar* bmpName, const ZChar* outName) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(bmpName, bytes)) return;
  TFileStream out(outName, FileMode::fmCreate);
  if (!out.IsOpen() || bytes.size() <= sizeof(TBitmapFileHeader)) return;
  out.WriteExact(bytes.data() + sizeof(TBitmapFileHeader),
                 static_cast<int32_t>(bytes.size() - sizeof(TBitmapFileHeader)));
}

void GetDIBObj(plat::HGLOBAL block, void* header) {
  LockedBlock locked(block);
  if (!locked.Data() || !header) return;
  size_t n = locked.Size() < kInfoHeaderSize ? locked.Size() : kInfoHeaderSize;
  std::memset(header, 0, kInfoHeaderSize);
  std::memcpy(header, locked.Data(), n);
}

}  // namespace zkw
