// Filled rectangles: plain, shaded and blended, for both depths. Corners are inclusive; the
// 8-bit versions order the corners first, the 24-bit versions draw nothing when they are
// reversed. Rows are filled as whole spans.
#include <algorithm>
#include <cstring>

#include "dib/dib24.h"
#include "dib/dib8.h"

namespace zkw {

namespace {

// Clamps an inclusive rectangle to the image; false when nothing of it is left.
bool ClampBar(const TDibBaseObj& dib, int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) {
  if (dib.FHandle == 0 || !dib.DibData) return false;
  x1 = std::max(x1, 0);
  y1 = std::max(y1, 0);
  x2 = std::min(x2, dib.FWidth - 1);
  y2 = std::min(y2, dib.FHeight - 1);
  return x2 >= x1 && y2 >= y1;
}

void OrderCorners(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
}

// Fills n pixels with one blue, green, red triple by doubling copies.
void FillPixels24(uint8_t* p, size_t n, const uint8_t bgr[3]) {
  if (n == 0) return;
  std::memcpy(p, bgr, 3);
  size_t done = 1;
  while (done < n) {
    size_t part = std::min(done, n - done);
    std::memcpy(p + 3 * done, p, 3 * part);
    done += part;
  }
}

// Shade table of a 24-bit channel: (Shad x c) div 100, kept within a byte.
void ShadeTable(uint16_t Shad, uint8_t table[256]) {
  for (int c = 0; c < 256; ++c) table[c] = static_cast<uint8_t>(std::min(255, Shad * c / 100));
}

}  // namespace

// --- 8-bit images ------------------------------------------------------------------------------

void TDib8Bits::Bar(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t Color) {
  OrderCorners(x1, y1, x2, y2);
  if (!ClampBar(*this, x1, y1, x2, y2)) return;
  size_t n = static_cast<size_t>(x2 - x1 + 1);
  for (int32_t y = y1; y <= y2; ++y) std::memset(PixelAddress(x1, y), Color & 0xFF, n);
}

void TDib8Bits::BarShadow(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint16_t /*Shad*/) {
  OrderCorners(x1, y1, x2, y2);
  if (!ClampBar(*this, x1, y1, x2, y2)) return;
  for (int32_t y = y1; y <= y2; ++y) {
    uint8_t* p = PixelAddress(x1, y);
    for (int32_t i = 0; i <= x2 - x1; ++i) p[i] = DarkPal[p[i]];
  }
}

// --- 24-bit images -----------------------------------------------------------------------------

void TDib24Bits::Bar(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t Color) {
  if (!ClampBar(*this, x1, y1, x2, y2)) return;
  const uint8_t bgr[3] = {static_cast<uint8_t>(Color >> 16), static_cast<uint8_t>(Color >> 8),
                          static_cast<uint8_t>(Color)};
  size_t n = static_cast<size_t>(x2 - x1 + 1);
  uint8_t* first = PixelAddress(x1, y1);
  FillPixels24(first, n, bgr);
  for (int32_t y = y1 + 1; y <= y2; ++y) std::memcpy(PixelAddress(x1, y), first, 3 * n);
}

void TDib24Bits::BarShadow(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint16_t Shad) {
  if (!ClampBar(*this, x1, y1, x2, y2)) return;
  uint8_t table[256];
  ShadeTable(Shad, table);
  size_t bytes = 3 * static_cast<size_t>(x2 - x1 + 1);
  for (int32_t y = y1; y <= y2; ++y) {
    uint8_t* p = PixelAddress(x1, y);
    for (size_t k = 0; k < bytes; ++k) p[k] = table[p[k]];
  }
}

void TDib24Bits::BarMerge(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t Color,
                          uint16_t AMerge) {
  if (!ClampBar(*this, x1, y1, x2, y2)) return;
  // Per channel: (old x (100 - AMerge)) div 100 + (AMerge x new) div 100, as PutMergePixel.
  int32_t rate = std::min<int32_t>(AMerge, 100);
  uint8_t keep[256];
  for (int c = 0; c < 256; ++c) keep[c] = static_cast<uint8_t>(c * (100 - rate) / 100);
  const uint8_t add[3] = {static_cast<uint8_t>(rate * ((Color >> 16) & 0xFF) / 100),
                          static_cast<uint8_t>(rate * ((Color >> 8) & 0xFF) / 100),
                          static_cast<uint8_t>(rate * (Color & 0xFF) / 100)};
  int32_t n = x2 - x1 + 1;
  for (int32_t y = y1; y <= y2; ++y) {
    uint8_t* p = PixelAddress(x1, y);
    for (int32_t i = 0; i < n; ++i, p += 3) {
      p[0] = static_cast<uint8_t>(keep[p[0]] + add[0]);
      p[1] = static_cast<uint8_t>(keep[p[1]] + add[1]);
      p[2] = static_cast<uint8_t>(keep[p[2]] + add[2]);
    }
  }
}

}  // namespace zkw
