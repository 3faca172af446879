// Per-pixel work on a device context. Every loop is bounded by the DC's clip box. On a DC
// whose selected bitmap is an unclipped 24- or 32-bit DIB section the pixels are read and
// written in memory (the same bytes GetPixel and SetPixel give), once a probe through SetPixel
// has shown where pixel (0, 0) lies in memory; any other DC goes through GetPixel and SetPixel.
// The path is chosen once, when the object is made.
#pragma once
#include <algorithm>
#include <cstdint>

#include "platform/plat_gdi.h"

namespace zkw {

class TDcPixels {
 public:
  explicit TDcPixels(plat::HDC dc);

  // Clips an inclusive rectangle to the clip box; false when nothing is left.
  bool Clip(int64_t& x1, int64_t& y1, int64_t& x2, int64_t& y2) const {
    x1 = std::max<int64_t>(x1, FBox.left);
    y1 = std::max<int64_t>(y1, FBox.top);
    x2 = std::min<int64_t>(x2, int64_t{FBox.right} - 1);
    y2 = std::min<int64_t>(y2, int64_t{FBox.bottom} - 1);
    return FValid && x1 <= x2 && y1 <= y2;
  }
  bool Contains(int64_t x, int64_t y) const {
    return FValid && x >= FBox.left && x < FBox.right && y >= FBox.top && y < FBox.bottom;
  }
  bool Direct() const { return FBits != nullptr; }
  // On the direct path: the bytes of picture row y (blue, green, red per pixel) and the bytes
  // per pixel (3 or 4).
  uint8_t* RowBytes(int32_t y) const { return Row(y); }
  int32_t PixelBytes() const { return FBytes; }

  // Replaces each pixel of row y, columns x1..x2 (inside the clip box), by f(pixel).
  template <class F>
  void MapRow(int32_t y, int32_t x1, int32_t x2, F&& f) {
    if (!FBits) {
      for (int32_t x = x1; x <= x2; ++x) {
        uint32_t c = plat::GetPixel(FDC, x, y);
        if (c != plat::CLR_INVALID) plat::SetPixel(FDC, x, y, f(c));
      }
      return;
    }
    uint8_t* p = Row(y) + static_cast<intptr_t>(x1) * FBytes;
    for (int32_t x = x1; x <= x2; ++x, p += FBytes) {
      uint32_t c = f(p[2] | (p[1] << 8) | (static_cast<uint32_t>(p[0]) << 16));
      p[0] = static_cast<uint8_t>(c >> 16);
      p[1] = static_cast<uint8_t>(c >> 8);
      p[2] = static_cast<uint8_t>(c);
      if (FBytes == 4) p[3] = 0;  // as SetPixel leaves it
    }
  }
  // One pixel (inside the clip box).
  template <class F>
  void MapPixel(int32_t x, int32_t y, F&& f) {
    MapRow(y, x, x, f);
  }

 private:
  bool ProbeRowOrder();
  uint8_t* Row(int32_t y) const {
    return FBits + static_cast<intptr_t>(FTopDown ? y : FHeight - 1 - y) * FStride;
  }

  plat::HDC FDC;
  plat::RECT FBox{0, 0, 0, 0};
  bool FValid = false;
  uint8_t* FBits = nullptr;  // the DIB section's memory on the direct path
  int32_t FBytes = 0;
  int32_t FStride = 0;
  int32_t FHeight = 0;
  bool FTopDown = false;
};

}  // namespace zkw
