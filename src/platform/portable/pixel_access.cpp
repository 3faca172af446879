#include "platform/portable/pixel_access.h"

#include <climits>

namespace plat::portable {

PixelView ViewOf(GdiBitmap& bitmap) {
  PixelView v;
  v.Bits = bitmap.Pixels.data();
  v.Width = bitmap.Width();
  v.Height = bitmap.Height();
  v.Stride = bitmap.Stride();
  v.TopDown = bitmap.Header.biHeight < 0;
  v.Bpp = bitmap.Header.biBitCount;
  v.Colors = bitmap.Colors.empty() ? nullptr : bitmap.Colors.data();
  v.ColorCount = static_cast<int32_t>(bitmap.Colors.size());
  return v;
}

bool ViewOfDib(const BITMAPINFO* info, const void* bits, UINT usage, const GdiPalette* palette,
               std::vector<RGBQUAD>& colorStorage, PixelView& view) {
  if (!info || !bits || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) return false;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  uint16_t bpp = h.biBitCount;
  if ((bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) ||
      h.biCompression != BI_RGB || h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT_MIN)
    return false;
  view.Bits = static_cast<uint8_t*>(const_cast<void*>(bits));
  view.Width = h.biWidth;
  view.Height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  view.TopDown = h.biHeight < 0;
  view.Bpp = bpp;
  int64_t stride = ((static_cast<int64_t>(h.biWidth) * bpp + 31) / 32) * 4;
  if (stride > INT32_MAX / 2) return false;
  view.Stride = static_cast<int32_t>(stride);
  if (bpp <= 8) {
    int32_t count = h.biClrUsed ? static_cast<int32_t>(h.biClrUsed) : (1 << bpp);
    if (count > (1 << bpp)) count = 1 << bpp;
    const auto* table = reinterpret_cast<const uint8_t*>(info) + h.biSize;
    colorStorage.assign(static_cast<size_t>(1) << bpp, RGBQUAD{0, 0, 0, 0});
    for (int32_t i = 0; i < count; ++i) {
      if (usage == DIB_PAL_COLORS) {
        uint16_t index = static_cast<uint16_t>(table[2 * i] | (table[2 * i + 1] << 8));
        if (palette && index < palette->Entries.size()) {
          const PALETTEENTRY& e = palette->Entries[index];
          colorStorage[i] = RGBQUAD{e.peBlue, e.peGreen, e.peRed, 0};
        }
      } else {
        colorStorage[i] = RGBQUAD{table[4 * i], table[4 * i + 1], table[4 * i + 2], 0};
      }
    }
    view.Colors = colorStorage.data();
    view.ColorCount = static_cast<int32_t>(colorStorage.size());
  }
  return true;
}

static COLORREF FromQuad(const RGBQUAD& q) { return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue); }

COLORREF ReadPixel(const PixelView& v, int32_t x, int32_t y) {
  const uint8_t* row = v.Row(y);
  switch (v.Bpp) {
    case 1: {
      int index = (row[x >> 3] >> (7 - (x & 7))) & 1;
      return index < v.ColorCount ? FromQuad(v.Colors[index]) : 0;
    }
    case 4: {
      int index = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
      return index < v.ColorCount ? FromQuad(v.Colors[index]) : 0;
    }
    case 8: return row[x] < v.ColorCount ? FromQuad(v.Colors[row[x]]) : 0;
    case 16: {
      uint16_t p = static_cast<uint16_t>(row[2 * x] | (row[2 * x + 1] << 8));
      auto expand = [](int c) { return static_cast<BYTE>((c << 3) | (c >> 2)); };
      return RGB(expand((p >> 10) & 31), expand((p >> 5) & 31), expand(p & 31));
    }
    case 24: return RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    case 32: return RGB(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
    default: return 0;
  }
}

int32_t NearestIndex(const RGBQUAD* colors, int32_t count, COLORREF color) {
  int32_t r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
  int32_t best = 0, bestDistance = INT32_MAX;
  for (int32_t i = 0; i < count; ++i) {
    int32_t dr = r - colors[i].rgbRed, dg = g - colors[i].rgbGreen, db = b - colors[i].rgbBlue;
    int32_t d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  return best;
}

void WritePixel(const PixelView& v, int32_t x, int32_t y, COLORREF color) {
  uint8_t* row = v.Row(y);
  BYTE r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
  switch (v.Bpp) {
    case 1: {
      int bit = NearestIndex(v.Colors, v.ColorCount, color) & 1;
      uint8_t mask = static_cast<uint8_t>(0x80 >> (x & 7));
      row[x >> 3] = static_cast<uint8_t>(bit ? row[x >> 3] | mask : row[x >> 3] & ~mask);
      break;
    }
    case 4: {
      int index = NearestIndex(v.Colors, v.ColorCount, color) & 15;
      uint8_t& cell = row[x >> 1];
      cell = static_cast<uint8_t>((x & 1) ? (cell & 0xF0) | index : (cell & 0x0F) | (index << 4));
      break;
    }
    case 8: row[x] = static_cast<uint8_t>(NearestIndex(v.Colors, v.ColorCount, color)); break;
    case 16: {
      uint16_t p = static_cast<uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
      row[2 * x] = static_cast<uint8_t>(p);
      row[2 * x + 1] = static_cast<uint8_t>(p >> 8);
      break;
    }
    case 24:
      row[3 * x] = b;
      row[3 * x + 1] = g;
      row[3 * x + 2] = r;
      break;
    case 32:
      row[4 * x] = b;
      row[4 * x + 1] = g;
      row[4 * x + 2] = r;
      row[4 * x + 3] = 0;
      break;
    default: break;
  }
}

}  // namespace plat::portable
