#include "imagefiles/device_dib.h"

#include <climits>
#include <cstring>

#include "base/last_error.h"
#include "imagefiles/packed_dib.h"

namespace zkw {

bool CheckDeviceDib(const uint8_t* dib, uint64_t available, uint64_t& pixelOffset,
                    std::string& reason) {
  if (!dib || available < kInfoHeaderSize) {
    reason = "image block is shorter than a bitmap header";
    return false;
  }
  TBitmapInfoHeader h;
  std::memcpy(&h, dib, sizeof h);
  uint64_t headerSize = h.biSize >= kInfoHeaderSize ? h.biSize : kInfoHeaderSize;
  uint16_t bpp = h.biBitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) {
    reason = "image has " + std::to_string(bpp) + " bits per pixel";
    return false;
  }
  if (h.biCompression != 0) {
    reason = "compressed images are not drawn";
    return false;
  }
  if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT_MIN) {
    reason = "image size " + std::to_string(h.biWidth) + " x " + std::to_string(h.biHeight) +
             " cannot be drawn";
    return false;
  }
  uint64_t entries = h.biClrUsed ? h.biClrUsed : bpp == 1 ? 2 : bpp == 4 ? 16 : bpp == 8 ? 256 : 0;
  uint64_t height = h.biHeight < 0 ? -static_cast<int64_t>(h.biHeight) : h.biHeight;
  uint64_t rows = static_cast<uint64_t>(RowsSize(RowStride(h.biWidth, bpp), static_cast<int64_t>(height)));
  pixelOffset = headerSize + 4 * entries;
  // Palettised images are drawn with a full table after the header: it must be inside too.
  uint64_t tableEnd = headerSize + 4 * (bpp <= 8 ? (uint64_t{1} << bpp) : 0);
  bool tooLarge = rows > available || pixelOffset > available;
  uint64_t need = tooLarge ? UINT64_MAX : pixelOffset + rows > tableEnd ? pixelOffset + rows : tableEnd;
  if (entries > 0x10000 || need > available) {
    reason = "image of " + std::to_string(h.biWidth) + " x " + std::to_string(height) + " at " +
             std::to_string(bpp) + " bits needs " + std::to_string(need) +
             " bytes but the block holds " + std::to_string(available);
    return false;
  }
  return true;
}

DeviceDib::DeviceDib(plat::HGLOBAL block) : FLocked(block) {
  std::string reason = "image block cannot be locked";
  FValid = FLocked.Data() && CheckDeviceDib(FLocked.Data(), FLocked.Size(), FPixelOffset, reason);
  if (!FValid) SetLastErrorText(reason);
}

}  // namespace zkw
