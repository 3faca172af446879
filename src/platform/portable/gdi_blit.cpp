// Pixel transfers of the Linux GDI back end: DIBs to devices, device to device, single pixels
// and solid fills. Stretching is nearest-neighbour and picks the source pixels the Windows
// platform picks: when enlarging (D >= S) destination pixel i shows source pixel
// floor(((2i + 1) S - 1) / 2D), the one under its centre (a centre on a boundary takes the
// lower one); when shrinking, source pixel s lands on destination pixel
// floor(((2s + 1) D - 1) / 2S) and the last one to land there stays. Negative extents mirror.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/portable/gdi_objects.h"
#include "platform/portable/pixel_access.h"

namespace plat {

using portable::GdiDC;
using portable::GdiKind;
using portable::PixelView;

namespace {

COLORREF ApplyRop(DWORD rop, COLORREF s, COLORREF d, COLORREF brush) {
  switch (rop) {
    case SRCCOPY: return s;
    case SRCPAINT: return (s | d) & 0xFFFFFF;
    case SRCAND: return s & d;
    case SRCINVERT: return (s ^ d) & 0xFFFFFF;
    case NOTSRCCOPY: return ~s & 0xFFFFFF;
    case DSTINVERT: return ~d & 0xFFFFFF;
    case PATCOPY: return brush;
    case BLACKNESS: return 0;
    case WHITENESS: return 0xFFFFFF;
    default: return s;
  }
}

// For each of `dst` destination pixels, the source pixel (offset by `origin`) it shows.
void StretchMap(int src, int dst, int origin, bool mirror, std::vector<int>& map) {
  map.assign(static_cast<size_t>(dst), 0);
  if (dst >= src) {
    for (int i = 0; i < dst; ++i)
      map[i] = static_cast<int>(((2 * static_cast<int64_t>(i) + 1) * src - 1) / (2 * static_cast<int64_t>(dst)));
  } else {
    for (int k = 0; k < src; ++k)
      map[static_cast<size_t>(((2 * static_cast<int64_t>(k) + 1) * dst - 1) / (2 * static_cast<int64_t>(src)))] = k;
  }
  for (int& k : map) k = origin + (mirror ? src - 1 - k : k);
}

// Row kernels of unstretched copies between true-colour surfaces: `count` pixels from `from` to
// `to`, as ReadPixel and WritePixel would move them one by one (a 32-bit pixel's fourth byte
// written as 0).
using RowCopy = void (*)(const uint8_t* from, uint8_t* to, int count);

void Copy24To24(const uint8_t* from, uint8_t* to, int count) { std::memmove(to, from, static_cast<size_t>(count) * 3); }

void Copy32To32(const uint8_t* from, uint8_t* to, int count) {
  for (int i = 0; i < count; ++i) {
    uint32_t p;
    std::memcpy(&p, from + 4 * i, 4);
    p &= 0x00FFFFFFu;
    std::memcpy(to + 4 * i, &p, 4);
  }
}

void Copy24To32(const uint8_t* from, uint8_t* to, int count) {
  for (int i = 0; i < count; ++i, from += 3, to += 4) {
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
    to[3] = 0;
  }
}

void Copy32To24(const uint8_t* from, uint8_t* to, int count) {
  for (int i = 0; i < count; ++i, from += 4, to += 3) {
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
  }
}

RowCopy RowCopyFor(int srcBpp, int dstBpp) {
  if (srcBpp == 24) return dstBpp == 24 ? Copy24To24 : dstBpp == 32 ? Copy24To32 : nullptr;
  if (srcBpp == 32) return dstBpp == 24 ? Copy32To24 : dstBpp == 32 ? Copy32To32 : nullptr;
  return nullptr;
}

// Copies the w x h block at (sx, sy) of `src` to (dx, dy) of `dst`, both top-down picture
// coordinates, clipped to both surfaces; false when the formats have no row kernel.
bool CopyBlock(const PixelView& dst, int dx, int dy, int w, int h, const PixelView& src, int sx, int sy) {
  const RowCopy copy = RowCopyFor(src.Bpp, dst.Bpp);
  if (!copy) return false;
  const int64_t left = std::max<int64_t>({0, -static_cast<int64_t>(dx), -static_cast<int64_t>(sx)});
  const int64_t right = std::min<int64_t>({w, static_cast<int64_t>(dst.Width) - dx, static_cast<int64_t>(src.Width) - sx});
  const int64_t top = std::max<int64_t>({0, -static_cast<int64_t>(dy), -static_cast<int64_t>(sy)});
  const int64_t bottom = std::min<int64_t>({h, static_cast<int64_t>(dst.Height) - dy, static_cast<int64_t>(src.Height) - sy});
  if (left >= right) return true;
  const int count = static_cast<int>(right - left);
  const int fromStep = src.Bpp / 8, toStep = dst.Bpp / 8;
  for (int64_t j = top; j < bottom; ++j)
    copy(src.Row(static_cast<int32_t>(sy + j)) + (sx + left) * fromStep, dst.Row(static_cast<int32_t>(dy + j)) + (dx + left) * toStep, count);
  return true;
}

bool UsesSource(DWORD rop) {
  return rop != DSTINVERT && rop != PATCOPY && rop != BLACKNESS && rop != WHITENESS;
}

// Maps destination rectangle (dx, dy, dw, dh) onto source rectangle (sx, sy, sw, sh), all in
// top-down picture coordinates of their views, and combines pixels with the raster operation.
void Transfer(const PixelView& dst, int dx, int dy, int dw, int dh, const PixelView* src, int sx,
              int sy, int sw, int sh, DWORD rop, COLORREF brush) {
  if (dw == 0 || dh == 0 || (src && (sw == 0 || sh == 0))) return;
  if (src && rop == SRCCOPY && dw == sw && dh == sh && dw > 0 && dh > 0 && CopyBlock(dst, dx, dy, dw, dh, *src, sx, sy)) return;
  bool mirrorX = (dw < 0) != (sw < 0), mirrorY = (dh < 0) != (sh < 0);
  if (dw < 0) { dx += dw + 1; dw = -dw; }
  if (dh < 0) { dy += dh + 1; dh = -dh; }
  if (sw < 0) { sx += sw + 1; sw = -sw; }
  if (sh < 0) { sy += sh + 1; sh = -sh; }
  // Source column and row of each destination column and row, chosen once per call.
  std::vector<int> columns, rows;
  StretchMap(src ? sw : dw, dw, sx, mirrorX, columns);
  StretchMap(src ? sh : dh, dh, sy, mirrorY, rows);
  bool needSource = src && UsesSource(rop);
  for (int j = 0; j < dh; ++j) {
    int y = dy + j;
    if (y < 0 || y >= dst.Height) continue;
    if (needSource && (rows[j] < 0 || rows[j] >= src->Height)) continue;
    for (int i = 0; i < dw; ++i) {
      int x = dx + i;
      if (x < 0 || x >= dst.Width) continue;
      COLORREF s = 0;
      if (needSource) {
        if (columns[i] < 0 || columns[i] >= src->Width) continue;
        s = portable::ReadPixel(*src, columns[i], rows[j]);
      }
      COLORREF d = rop == SRCCOPY ? 0 : portable::ReadPixel(dst, x, y);
      portable::WritePixel(dst, x, y, ApplyRop(rop, s, d, brush));
    }
  }
}

bool SurfaceOf(HDC dc, GdiDC*& d, PixelView& view) {
  d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d || !d->Surface()) return false;
  view = portable::ViewOf(*d->Surface());
  return true;
}

COLORREF BrushColor(const GdiDC* d) { return d->State.Brush ? d->State.Brush->Color : 0xFFFFFF; }

}  // namespace

int SetDIBitsToDevice(HDC dc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc,
                      UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info,
                      UINT usage) {
  GdiDC* d;
  PixelView dst;
  if (!SurfaceOf(dc, d, dst)) return 0;
  std::vector<RGBQUAD> colors;
  PixelView src;
  if (!portable::ViewOfDib(info, bits, usage, d->State.Palette, colors, src)) return 0;
  // The bits hold scans startScan .. startScan + lines - 1, counted from the bottom; the source
  // rectangle's origin (xSrc, ySrc) is its lower-left corner in those coordinates.
  int available = static_cast<int>(lines);
  if (static_cast<int64_t>(startScan) + available > src.Height) available = src.Height - static_cast<int>(startScan);
  if (available <= 0) return 0;
  for (DWORD j = 0; j < h; ++j) {
    int y = yDest + static_cast<int>(j);
    if (y < 0 || y >= dst.Height) continue;
    int scan = src.TopDown ? ySrc + static_cast<int>(j)
                           : ySrc + static_cast<int>(h) - 1 - static_cast<int>(j);
    int local = scan - static_cast<int>(startScan);
    if (local < 0 || local >= available) continue;
    // Row `local` of the bits, in the bits' own order.
    int pictureRow = src.TopDown ? local : src.Height - 1 - local;
    for (DWORD i = 0; i < w; ++i) {
      int x = xDest + static_cast<int>(i), sx = xSrc + static_cast<int>(i);
      if (x < 0 || x >= dst.Width || sx < 0 || sx >= src.Width) continue;
      portable::WritePixel(dst, x, y, portable::ReadPixel(src, sx, pictureRow));
    }
  }
  return available;
}

int StretchDIBits(HDC dc, int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc,
                  int wSrc, int hSrc, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop) {
  GdiDC* d;
  PixelView dst;
  if (!SurfaceOf(dc, d, dst)) return 0;
  std::vector<RGBQUAD> colors;
  PixelView src;
  if (!portable::ViewOfDib(info, bits, usage, d->State.Palette, colors, src)) return 0;
  // For bottom-up DIBs ySrc counts from the bottom row: convert to a top-down rectangle.
  int top = src.TopDown ? ySrc : src.Height - ySrc - hSrc;
  if (!src.TopDown && hSrc < 0) top = src.Height - ySrc - 1;
  Transfer(dst, xDest, yDest, wDest, hDest, &src, xSrc, top, wSrc, hSrc, rop, BrushColor(d));
  return hSrc < 0 ? -hSrc : hSrc;
}

BOOL StretchBlt(HDC dstDc, int x, int y, int w, int h, HDC srcDc, int xSrc, int ySrc, int wSrc,
                int hSrc, DWORD rop) {
  GdiDC* d;
  PixelView dst;
  if (!SurfaceOf(dstDc, d, dst)) return 0;
  if (!UsesSource(rop)) {
    Transfer(dst, x, y, w, h, nullptr, 0, 0, 0, 0, rop, BrushColor(d));
    return 1;
  }
  GdiDC* s;
  PixelView src;
  if (!SurfaceOf(srcDc, s, src)) return 0;
  if (d->Surface() == s->Surface()) {  // overlapping copy: read from a snapshot
    std::vector<uint8_t> copy(src.Bits, src.Bits + static_cast<size_t>(src.Stride) * src.Height);
    src.Bits = copy.data();
    Transfer(dst, x, y, w, h, &src, xSrc, ySrc, wSrc, hSrc, rop, BrushColor(d));
    return 1;
  }
  Transfer(dst, x, y, w, h, &src, xSrc, ySrc, wSrc, hSrc, rop, BrushColor(d));
  return 1;
}

BOOL BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, DWORD rop) {
  return StretchBlt(dst, x, y, w, h, src, xSrc, ySrc, w, h, rop);
}

COLORREF GetPixel(HDC dc, int x, int y) {
  GdiDC* d;
  PixelView view;
  if (!SurfaceOf(dc, d, view) || !view.Contains(x, y)) return CLR_INVALID;
  return portable::ReadPixel(view, x, y);
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  GdiDC* d;
  PixelView view;
  if (!SurfaceOf(dc, d, view) || !view.Contains(x, y)) return CLR_INVALID;
  portable::WritePixel(view, x, y, color & 0xFFFFFF);
  return portable::ReadPixel(view, x, y);
}

BOOL GdiFlush() { return 1; }

// Device contexts here have no clip regions: the box is the surface.
int GetClipBox(HDC dc, RECT* rect) {
  GdiDC* d;
  PixelView view;
  if (!rect || !SurfaceOf(dc, d, view)) return RGN_ERROR;
  *rect = RECT{0, 0, view.Width, view.Height};
  return view.Width > 0 && view.Height > 0 ? SIMPLEREGION : NULLREGION;
}

HBRUSH CreateSolidBrush(COLORREF color) {
  auto* brush = new portable::GdiBrush();
  brush->Color = color & 0xFFFFFF;
  return portable::RegisterGdiObject(brush);
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  GdiDC* d;
  PixelView view;
  auto* b = portable::FindGdi<portable::GdiBrush>(brush, GdiKind::Brush);
  if (!rect || !b || !SurfaceOf(dc, d, view)) return 0;
  if (b->Null) return 1;
  for (int y = rect->top < 0 ? 0 : rect->top; y < rect->bottom && y < view.Height; ++y)
    for (int x = rect->left < 0 ? 0 : rect->left; x < rect->right && x < view.Width; ++x)
      portable::WritePixel(view, x, y, b->Color);
  return 1;
}

// Inverts the stored bits of each pixel: colour channels of true-colour surfaces, indexes of
// palettised ones.
BOOL InvertRect(HDC dc, const RECT* rect) {
  GdiDC* d;
  PixelView view;
  if (!rect || !SurfaceOf(dc, d, view)) return 0;
  const int x0 = rect->left < 0 ? 0 : rect->left, x1 = rect->right < view.Width ? rect->right : view.Width;
  const int y0 = rect->top < 0 ? 0 : rect->top, y1 = rect->bottom < view.Height ? rect->bottom : view.Height;
  for (int y = y0; y < y1; ++y) {
    uint8_t* row = view.Row(y);
    for (int x = x0; x < x1; ++x) {
      if (view.Bpp >= 8) {
        uint8_t* p = row + static_cast<intptr_t>(x) * (view.Bpp / 8);
        for (int b = 0; b < view.Bpp / 8; ++b) p[b] = static_cast<uint8_t>(~p[b]);
      } else {
        const int bit = x * view.Bpp;
        row[bit / 8] ^= static_cast<uint8_t>(((1 << view.Bpp) - 1) << (8 - view.Bpp - bit % 8));
      }
    }
  }
  return 1;
}

}  // namespace plat
