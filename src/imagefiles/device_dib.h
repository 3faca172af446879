// An image memory block prepared for a device call: locked, its header, colour table and rows
// checked against the block's real size, and the address of its pixel data found.
#pragma once
#include <cstdint>
#include <string>

#include "imagefiles/memory_block.h"
#include "platform/plat_gdi.h"

namespace zkw {

// Checks a packed DIB of any depth the platform draws (1, 4, 8, 16, 24, 32 bits, uncompressed,
// either row order) held in `available` bytes. The header size is taken from the block when it
// is at least 40, otherwise 40. On success sets `pixelOffset`.
bool CheckDeviceDib(const uint8_t* dib, uint64_t available, uint64_t& pixelOffset,
                    std::string& reason);

class DeviceDib {
 public:
  explicit DeviceDib(plat::HGLOBAL block);
  // False (with the last-error text set) when the block cannot be locked or is not a DIB.
  bool Valid() const { return FValid; }
  const plat::BITMAPINFO* Info() const { return reinterpret_cast<const plat::BITMAPINFO*>(FLocked.Data()); }
  const plat::BITMAPINFOHEADER* Header() const { return &Info()->bmiHeader; }
  const void* Pixels() const { return FLocked.Data() + FPixelOffset; }
  int32_t Width() const { return Header()->biWidth; }
  int32_t Height() const { return Header()->biHeight < 0 ? -Header()->biHeight : Header()->biHeight; }

 private:
  LockedBlock FLocked;
  uint64_t FPixelOffset = 0;
  bool FValid = false;
};

}  // namespace zkw
