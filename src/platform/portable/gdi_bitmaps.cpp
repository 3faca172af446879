// Bitmaps of the Linux GDI back end: DIB sections, device-dependent bitmaps (kept as 32-bit
// rows, the screen's format), and conversion to caller DIBs with GetDIBits.
#include <climits>
#include <cstring>

#include "platform/portable/gdi_objects.h"
#include "platform/portable/pixel_access.h"

namespace plat {

using portable::GdiBitmap;
using portable::GdiDC;
using portable::GdiKind;

namespace {

constexpr int64_t kMaxBitmapBytes = int64_t{1} << 30;

GdiBitmap* NewBitmap(int32_t w, int32_t h, uint16_t bits, bool dibSection) {
  int64_t stride = ((static_cast<int64_t>(w) * bits + 31) / 32) * 4;
  int64_t height = h < 0 ? -static_cast<int64_t>(h) : h;
  if (w <= 0 || h == 0 || h == INT_MIN || height > kMaxBitmapBytes / stride) return nullptr;
  auto* bm = new GdiBitmap();
  bm->Header = {sizeof(BITMAPINFOHEADER), w, h, 1, bits, BI_RGB, 0, 0, 0, 0, 0};
  if (bits <= 8) bm->Colors.assign(size_t{1} << bits, RGBQUAD{0, 0, 0, 0});
  bm->Pixels.assign(static_cast<size_t>(stride * height), 0);
  bm->IsDibSection = dibSection;
  return bm;
}

// Copies every pixel of a caller's DIB into a bitmap of the same size.
void CopyDibInto(GdiBitmap* bm, const portable::PixelView& src) {
  portable::PixelView dst = portable::ViewOf(*bm);
  for (int32_t y = 0; y < dst.Height && y < src.Height; ++y)
    for (int32_t x = 0; x < dst.Width && x < src.Width; ++x)
      portable::WritePixel(dst, x, y, portable::ReadPixel(src, x, y));
}

}  // namespace

HBITMAP CreateDIBSection(HDC /*dc*/, const BITMAPINFO* info, UINT usage, void** bits,
                         HANDLE /*section*/, DWORD /*offset*/) {
  if (bits) *bits = nullptr;
  if (!info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) return nullptr;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  int bpp = h.biBitCount;
  if ((bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) ||
      h.biCompression != BI_RGB)
    return nullptr;
  GdiBitmap* bm = NewBitmap(h.biWidth, h.biHeight, static_cast<uint16_t>(bpp), true);
  if (!bm) return nullptr;
  if (bpp <= 8 && usage == DIB_RGB_COLORS) {
    size_t entries = h.biClrUsed ? h.biClrUsed : (size_t{1} << bpp);
    if (entries > bm->Colors.size()) entries = bm->Colors.size();
    std::memcpy(bm->Colors.data(), reinterpret_cast<const uint8_t*>(info) + h.biSize, entries * 4);
  }
  if (bits) *bits = bm->Pixels.data();
  return portable::RegisterGdiObject(bm);
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d || width <= 0 || height <= 0) return nullptr;
  GdiBitmap* surface = d->Surface();
  GdiBitmap* bm;
  if (d->IsMemory && surface == portable::StockBitmap()) {
    bm = NewBitmap(width, height, 1, false);  // a fresh memory DC is monochrome
    if (bm) bm->Colors[1] = RGBQUAD{255, 255, 255, 0};
  } else if (d->IsMemory && surface && surface->IsDibSection) {
    bm = NewBitmap(width, height, surface->Header.biBitCount, true);
    if (bm) bm->Colors = surface->Colors;
  } else {
    bm = NewBitmap(width, height, 32, false);
  }
  return bm ? portable::RegisterGdiObject(bm) : nullptr;
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!header || header->biWidth <= 0 || header->biHeight == 0) return nullptr;
  GdiBitmap* bm = NewBitmap(header->biWidth, header->biHeight < 0 ? -header->biHeight : header->biHeight,
                            32, false);
  if (!bm) return nullptr;
  if ((init & CBM_INIT) && bits && info) {
    std::vector<RGBQUAD> colors;
    portable::PixelView src;
    if (portable::ViewOfDib(info, bits, usage, d ? d->State.Palette : nullptr, colors, src))
      CopyDibInto(bm, src);
  }
  return portable::RegisterGdiObject(bm);
}

int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  auto* bm = portable::FindGdi<GdiBitmap>(bitmap, GdiKind::Bitmap);
  if (!d || !bm || !info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) return 0;
  BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biBitCount == 0) {  // the caller asks for the bitmap's own format
    h.biWidth = bm->Width();
    h.biHeight = bm->Height();
    h.biPlanes = 1;
    h.biBitCount = bm->Header.biBitCount;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(bm->Stride() * bm->Height());
    if (!bits) return 1;
  }
  uint16_t bpp = h.biBitCount;
  if ((bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) ||
      h.biCompression != BI_RGB)
    return 0;
  // The colour table of palettised output: the bitmap's own table when it has one of that
  // size, else the DC's selected palette, else the 3-3-2 colour cube.
  auto* table = reinterpret_cast<RGBQUAD*>(reinterpret_cast<uint8_t*>(info) + h.biSize);
  std::vector<RGBQUAD> colors;
  if (bpp <= 8) {
    size_t n = size_t{1} << bpp;
    if (bm->Colors.size() == n) {
      colors = bm->Colors;
    } else if (d->State.Palette && d->State.Palette != portable::StockPalette()) {
      for (size_t i = 0; i < n; ++i) {
        const auto& entries = d->State.Palette->Entries;
        PALETTEENTRY e = i < entries.size() ? entries[i] : PALETTEENTRY{0, 0, 0, 0};
        colors.push_back(RGBQUAD{e.peBlue, e.peGreen, e.peRed, 0});
      }
    } else {
      for (size_t i = 0; i < n; ++i)
        colors.push_back(RGBQUAD{static_cast<BYTE>((i & 3) * 85), static_cast<BYTE>(((i >> 2) & 7) * 36),
                                 static_cast<BYTE>(((i >> 5) & 7) * 36), 0});
    }
    if (usage == DIB_RGB_COLORS) std::memcpy(table, colors.data(), n * 4);
  }
  if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT_MIN) return 0;
  int32_t width = h.biWidth, height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  int64_t stride = ((static_cast<int64_t>(width) * bpp + 31) / 32) * 4;
  if (height > kMaxBitmapBytes / stride) return 0;
  h.biSizeImage = static_cast<DWORD>(stride * height);
  if (!bits) return 1;
  portable::PixelView src = portable::ViewOf(*bm);
  portable::PixelView dst;
  dst.Bits = static_cast<uint8_t*>(bits);
  dst.Width = width;
  dst.Height = height;
  dst.Stride = static_cast<int32_t>(stride);
  dst.TopDown = h.biHeight < 0;
  dst.Bpp = bpp;
  dst.Colors = colors.empty() ? nullptr : colors.data();
  dst.ColorCount = static_cast<int32_t>(colors.size());
  // Scan lines are counted from the bottom of the bitmap.
  UINT copied = 0;
  for (UINT line = start; line < start + lines && static_cast<int32_t>(line) < height &&
                          static_cast<int32_t>(line) < src.Height;
       ++line, ++copied) {
    int32_t srcY = src.Height - 1 - static_cast<int32_t>(line);
    int32_t dstY = height - 1 - static_cast<int32_t>(line - start);
    for (int32_t x = 0; x < width && x < src.Width; ++x)
      portable::WritePixel(dst, x, dstY, portable::ReadPixel(src, x, srcY));
  }
  return static_cast<int>(copied);
}

int GetObjectW(HGDIOBJ obj, int size, void* out) {
  portable::GdiObject* found = portable::FindGdiObject(obj);
  if (!found) return 0;
  if (found->Kind == GdiKind::Palette) {
    if (!out) return sizeof(WORD);
    if (size < static_cast<int>(sizeof(WORD))) return 0;
    WORD count = static_cast<WORD>(static_cast<portable::GdiPalette*>(found)->Entries.size());
    std::memcpy(out, &count, sizeof count);
    return sizeof(WORD);
  }
  if (found->Kind == GdiKind::Pen) {
    if (!out) return sizeof(LOGPEN);
    if (size < static_cast<int>(sizeof(LOGPEN))) return 0;
    std::memcpy(out, &static_cast<portable::GdiPen*>(found)->Log, sizeof(LOGPEN));
    return sizeof(LOGPEN);
  }
  if (found->Kind != GdiKind::Bitmap) return 0;
  auto* bm = static_cast<GdiBitmap*>(found);
  if (!out) return sizeof(BITMAP);
  if (bm->IsDibSection && size >= static_cast<int>(sizeof(DIBSECTION))) {
    DIBSECTION section{};
    GetObjectW(obj, sizeof(BITMAP), &section.dsBm);
    section.dsBmih = bm->Header;
    std::memcpy(out, &section, sizeof section);
    return sizeof(DIBSECTION);
  }
  if (size < static_cast<int>(sizeof(BITMAP))) return 0;
  BITMAP result{};
  result.bmType = 0;
  result.bmWidth = bm->Width();
  result.bmHeight = bm->Height();
  int32_t bpp = bm->Header.biBitCount;
  // Device-dependent bitmaps report rows padded to 16 bits; DIB sections their real stride.
  result.bmWidthBytes = bm->IsDibSection ? bm->Stride() : ((bm->Width() * bpp + 15) / 16) * 2;
  result.bmPlanes = 1;
  result.bmBitsPixel = static_cast<WORD>(bpp);
  result.bmBits = bm->IsDibSection ? bm->Pixels.data() : nullptr;
  std::memcpy(out, &result, sizeof result);
  return sizeof(BITMAP);
}

BOOL DeleteObject(HGDIOBJ obj) {
  portable::GdiObject* found = portable::FindGdiObject(obj);
  if (!found || found->Kind == GdiKind::DC) return 0;
  if (found->Stock) return 1;
  if (found->Selections > 0) return 0;  // still selected into a device context
  portable::UnregisterGdiObject(found);
  delete found;
  return 1;
}

}  // namespace plat
