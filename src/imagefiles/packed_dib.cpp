#include "imagefiles/packed_dib.h"

#include <cstdint>
#include <cstring>

namespace zkw {

int64_t ColorTableEntries(const TBitmapInfoHeader& header) {
  if (header.biClrUsed != 0) return header.biClrUsed;
  switch (header.biBitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
  }
}

bool FitsImageObject(int64_t width, int64_t height, int64_t bitsPerPixel) {
  if (width < 0 || height < 0 || width > INT32_MAX || height > INT32_MAX) return false;
  int64_t stride = RowStride(width, bitsPerPixel);
  int64_t fixed = kInfoHeaderSize + kPaletteBytes;
  return stride <= INT32_MAX && RowsSize(stride, height + 2) <= INT32_MAX - fixed;
}

int64_t RawDibSize(const TBitmapInfoHeader& header) {
  int64_t height = header.biHeight < 0 ? -static_cast<int64_t>(header.biHeight) : header.biHeight;
  int64_t fixed = kInfoHeaderSize + 4 * ColorTableEntries(header);  // at most 2^34 + 40
  int64_t rows = RowsSize(RowStride(header.biWidth, header.biBitCount), height);
  return rows > INT64_MAX - fixed ? INT64_MAX : fixed + rows;
}

bool CheckPackedDib(const void* dib, uint64_t available, std::string& reason) {
  if (available < kInfoHeaderSize) {
    reason = "image block of " + std::to_string(available) + " bytes is shorter than its 40-byte header";
    return false;
  }
  TBitmapInfoHeader header;
  std::memcpy(&header, dib, sizeof header);
  if (header.biSize != kInfoHeaderSize) {
    reason = "image header size is " + std::to_string(header.biSize) + ", not 40";
    return false;
  }
  if (header.biWidth < 0 || header.biHeight < 0) {
    reason = "image size " + std::to_string(header.biWidth) + " x " +
             std::to_string(header.biHeight) + " is negative";
    return false;
  }
  int64_t need = RawDibSize(header);
  if (static_cast<uint64_t>(need) > available) {
    reason = "image of " + std::to_string(header.biWidth) + " x " +
             std::to_string(header.biHeight) + " at " + std::to_string(header.biBitCount) +
             " bits needs " + std::to_string(need) + " bytes but the block holds " +
             std::to_string(available);
    return false;
  }
  return true;
}

}  // namespace zkw
