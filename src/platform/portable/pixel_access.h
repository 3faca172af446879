// Reading and writing pixels of bitmaps and of DIBs handed in by callers, in every format the
// GDI back end supports (1, 4, 8, 16 (5-5-5), 24 and 32 bits per pixel).
#pragma once
#include <cstdint>
#include <vector>

#include "platform/plat_gdi.h"
#include "platform/portable/gdi_objects.h"

namespace plat::portable {

struct PixelView {
  uint8_t* Bits = nullptr;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t Stride = 0;
  bool TopDown = false;
  uint16_t Bpp = 0;
  const RGBQUAD* Colors = nullptr;
  int32_t ColorCount = 0;

  // Start of picture row y (y = 0 is the top).
  uint8_t* Row(int32_t y) const {
    return Bits + static_cast<intptr_t>(TopDown ? y : Height - 1 - y) * Stride;
  }
  bool Contains(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
};

PixelView ViewOf(GdiBitmap& bitmap);

// A caller's DIB (header, colour table, bits) as a view; false for a header this back end does
// not draw (compression, depth, sizes). Colour tables of DIB_PAL_COLORS DIBs are resolved
// through `palette` into `colorStorage`.
bool ViewOfDib(const BITMAPINFO* info, const void* bits, UINT usage, const GdiPalette* palette,
               std::vector<RGBQUAD>& colorStorage, PixelView& view);

COLORREF ReadPixel(const PixelView& view, int32_t x, int32_t y);
// Palettised formats store the index of the nearest colour.
void WritePixel(const PixelView& view, int32_t x, int32_t y, COLORREF color);
// Index of the nearest entry (first of equals) in a colour table.
int32_t NearestIndex(const RGBQUAD* colors, int32_t count, COLORREF color);

}  // namespace plat::portable
