// The Linux GDI back end: device contexts, bitmaps, transfers and palettes, read back pixel by
// pixel through the DC.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/plat_gdi.h"

namespace {

using namespace plat;

// A 24-bit bottom-up DIB of w x h whose pixel (x, y) (y from the top) is colour(x, y).
struct Dib24 {
  Dib24(int w, int h, COLORREF (*colour)(int, int)) : stride(((w * 24 + 31) / 32) * 4) {
    info.bmiHeader = {40, w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    bits.assign(static_cast<size_t>(stride * h), 0);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        COLORREF c = colour(x, y);
        uint8_t* p = &bits[static_cast<size_t>((h - 1 - y) * stride + 3 * x)];
        p[0] = (c >> 16) & 0xFF;
        p[1] = (c >> 8) & 0xFF;
        p[2] = c & 0xFF;
      }
  }
  BITMAPINFO info{};
  int stride;
  std::vector<uint8_t> bits;
};

// A memory DC with a 24-bit section selected.
struct Canvas {
  Canvas(int w, int h) {
    BITMAPINFO bi{};
    bi.bmiHeader = {40, w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    dc = CreateCompatibleDC(nullptr);
    section = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    old = SelectObject(dc, section);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteObject(section);
    DeleteDC(dc);
  }
  HDC dc;
  HBITMAP section;
  HGDIOBJ old;
  void* bits = nullptr;
};

COLORREF Coded(int x, int y) { return RGB(static_cast<BYTE>(x * 10), static_cast<BYTE>(y * 10), 7); }

TEST(PortableGdi, SetDIBitsToDevicePlacesTheImageTopDown) {
  Canvas c(8, 6);
  Dib24 dib(3, 2, Coded);
  EXPECT_EQ(SetDIBitsToDevice(c.dc, 2, 1, 3, 2, 0, 0, 0, 2, dib.bits.data(), &dib.info,
                              DIB_RGB_COLORS),
            2);
  EXPECT_EQ(GetPixel(c.dc, 2, 1), Coded(0, 0));
  EXPECT_EQ(GetPixel(c.dc, 4, 2), Coded(2, 1));
  EXPECT_EQ(GetPixel(c.dc, 5, 1), RGB(0, 0, 0));  // outside the placed image
  EXPECT_EQ(GetPixel(c.dc, 8, 0), CLR_INVALID);
  // Partly off the surface: clipped, no crash.
  SetDIBitsToDevice(c.dc, -2, 5, 3, 2, 0, 0, 0, 2, dib.bits.data(), &dib.info, DIB_RGB_COLORS);
  EXPECT_EQ(GetPixel(c.dc, 0, 5), Coded(2, 0));
}

TEST(PortableGdi, StretchDIBitsScalesMirrorsAndCountsSourceRowsFromTheBottom) {
  Canvas c(8, 8);
  Dib24 dib(2, 2, Coded);
  SetStretchBltMode(c.dc, COLORONCOLOR);
  StretchDIBits(c.dc, 0, 0, 4, 4, 0, 0, 2, 2, dib.bits.data(), &dib.info, DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(GetPixel(c.dc, 0, 0), Coded(0, 0));
  EXPECT_EQ(GetPixel(c.dc, 1, 1), Coded(0, 0));
  EXPECT_EQ(GetPixel(c.dc, 2, 0), Coded(1, 0));
  EXPECT_EQ(GetPixel(c.dc, 3, 3), Coded(1, 1));
  // Mirrored horizontally by a negative destination width.
  StretchDIBits(c.dc, 5, 0, -2, 2, 0, 0, 2, 2, dib.bits.data(), &dib.info, DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(GetPixel(c.dc, 4, 0), Coded(1, 0));
  EXPECT_EQ(GetPixel(c.dc, 5, 0), Coded(0, 0));
  // Source rectangle (0, 0, 1, 1) of a bottom-up DIB is the bottom-left pixel.
  StretchDIBits(c.dc, 7, 7, 1, 1, 0, 0, 1, 1, dib.bits.data(), &dib.info, DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(GetPixel(c.dc, 7, 7), Coded(0, 1));
}

// The source columns the real platform picks for these stretches (measured under Wine).
TEST(PortableGdi, NearestNeighbourStretchMatchesThePlatform) {
  auto columns = [](int src, int dst) {
    Canvas c(dst, 1);
    Dib24 dib(src, 1, [](int x, int) { return static_cast<COLORREF>(x); });
    StretchDIBits(c.dc, 0, 0, dst, 1, 0, 0, src, 1, dib.bits.data(), &dib.info, DIB_RGB_COLORS,
                  SRCCOPY);
    std::vector<COLORREF> got;
    for (int x = 0; x < dst; ++x) got.push_back(GetPixel(c.dc, x, 0));
    return got;
  };
  EXPECT_EQ(columns(4, 10), (std::vector<COLORREF>{0, 0, 0, 1, 1, 2, 2, 2, 3, 3}));
  EXPECT_EQ(columns(5, 8), (std::vector<COLORREF>{0, 0, 1, 2, 2, 3, 4, 4}));
  EXPECT_EQ(columns(10, 4), (std::vector<COLORREF>{2, 4, 7, 9}));
  EXPECT_EQ(columns(5, 3), (std::vector<COLORREF>{1, 2, 4}));
}

TEST(PortableGdi, BitBltBetweenDCsAndRasterOperations) {
  Canvas a(4, 4), b(4, 4);
  Dib24 dib(4, 4, Coded);
  SetDIBitsToDevice(a.dc, 0, 0, 4, 4, 0, 0, 0, 4, dib.bits.data(), &dib.info, DIB_RGB_COLORS);
  EXPECT_EQ(BitBlt(b.dc, 1, 1, 2, 2, a.dc, 2, 2, SRCCOPY), 1);
  EXPECT_EQ(GetPixel(b.dc, 1, 1), Coded(2, 2));
  EXPECT_EQ(GetPixel(b.dc, 2, 2), Coded(3, 3));
  EXPECT_EQ(GetPixel(b.dc, 0, 0), 0u);
  BitBlt(b.dc, 0, 0, 4, 4, nullptr, 0, 0, WHITENESS);
  EXPECT_EQ(GetPixel(b.dc, 3, 3), 0xFFFFFFu);
  BitBlt(b.dc, 0, 0, 1, 1, a.dc, 1, 1, SRCAND);
  EXPECT_EQ(GetPixel(b.dc, 0, 0), Coded(1, 1));
  BitBlt(b.dc, 0, 0, 1, 1, nullptr, 0, 0, DSTINVERT);
  EXPECT_EQ(GetPixel(b.dc, 0, 0), ~Coded(1, 1) & 0xFFFFFF);
  // Overlapping copy inside one DC reads the pixels as they were.
  BitBlt(a.dc, 1, 0, 3, 1, a.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(a.dc, 1, 0), Coded(0, 0));
  EXPECT_EQ(GetPixel(a.dc, 3, 0), Coded(2, 0));
}

// Unstretched copies between 24- and 32-bit sections of either row order, clipped at every edge
// of both surfaces: each destination pixel shows its source pixel or keeps its own, and a 32-bit
// destination's fourth byte is 0.
TEST(PortableGdi, UnstretchedCopiesBetweenTrueColourSurfacesClipAtEveryEdge) {
  struct Surface {
    Surface(int bpp, int w, int h, bool topDown) : w(w), h(h), bpp(bpp) {
      BITMAPINFO bi{};
      bi.bmiHeader = {40, w, topDown ? -h : h, 1, static_cast<WORD>(bpp), BI_RGB, 0, 0, 0, 0, 0};
      dc = CreateCompatibleDC(nullptr);
      section = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
      old = SelectObject(dc, section);
      std::memset(bits, 0xA5, static_cast<size_t>(((w * bpp + 31) / 32) * 4) * h);
    }
    ~Surface() {
      SelectObject(dc, old);
      DeleteObject(section);
      DeleteDC(dc);
    }
    int w, h, bpp;
    HDC dc;
    HBITMAP section;
    HGDIOBJ old;
    void* bits = nullptr;
  };
  struct Case { int srcBpp, dstBpp, x, y, w, h, sx, sy; };
  const Case cases[] = {
      {24, 24, 1, 1, 3, 2, 0, 0},   {24, 32, -2, -1, 6, 4, 1, 0}, {32, 24, 3, 2, 9, 9, -1, -2},
      {32, 32, 0, 0, 5, 4, 2, 1},   {24, 24, 4, 3, 5, 5, 5, 3},   {32, 24, -9, 0, 3, 3, 0, 0},
  };
  for (const Case& c : cases) {
    for (bool topDown : {false, true}) {
      SCOPED_TRACE(std::to_string(c.srcBpp) + " to " + std::to_string(c.dstBpp) + (topDown ? " top-down" : ""));
      Surface src(c.srcBpp, 6, 4, topDown), dst(c.dstBpp, 5, 4, !topDown);
      for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) SetPixel(src.dc, x, y, Coded(x, y));
      std::vector<COLORREF> before;
      for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) before.push_back(GetPixel(dst.dc, x, y));
      EXPECT_EQ(BitBlt(dst.dc, c.x, c.y, c.w, c.h, src.dc, c.sx, c.sy, SRCCOPY), 1);
      for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) {
          const int i = x - c.x, j = y - c.y, sx = c.sx + i, sy = c.sy + j;
          const bool copied = i >= 0 && j >= 0 && i < c.w && j < c.h && sx >= 0 && sy >= 0 && sx < 6 && sy < 4;
          EXPECT_EQ(GetPixel(dst.dc, x, y), copied ? Coded(sx, sy) : before[static_cast<size_t>(y * 5 + x)]) << x << "," << y;
          if (copied && c.dstBpp == 32) {
            const int row = topDown ? 3 - y : y;  // the destination is bottom-up when the source is top-down
            EXPECT_EQ(static_cast<const uint8_t*>(dst.bits)[row * 20 + 4 * x + 3], 0) << x << "," << y;
          }
        }
    }
  }
}

TEST(PortableGdi, GetDIBitsAndCreateDIBitmapRoundTrip) {
  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 96);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
  Dib24 dib(3, 2, Coded);
  HBITMAP ddb = CreateDIBitmap(screen, &dib.info.bmiHeader, CBM_INIT, dib.bits.data(), &dib.info,
                               DIB_RGB_COLORS);
  ASSERT_NE(ddb, nullptr);
  BITMAP bm{};
  EXPECT_EQ(GetObjectW(ddb, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 3);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(bm.bmBits, nullptr);
  BITMAPINFO out{};
  out.bmiHeader = {40, 3, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<uint8_t> bits(dib.bits.size(), 0xEE);
  EXPECT_EQ(GetDIBits(screen, ddb, 0, 2, bits.data(), &out, DIB_RGB_COLORS), 2);
  for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 12, 13, 14})
    EXPECT_EQ(bits[static_cast<size_t>(i)], dib.bits[static_cast<size_t>(i)]) << i;
  EXPECT_EQ(out.bmiHeader.biSizeImage, 24u);
  DeleteObject(ddb);
  ReleaseDC(nullptr, screen);
}

TEST(PortableGdi, SelectionSavedStatesAndFills) {
  Canvas c(4, 4);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT r{1, 1, 3, 2};
  EXPECT_EQ(FillRect(c.dc, &r, red), 1);
  EXPECT_EQ(GetPixel(c.dc, 1, 1), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(c.dc, 2, 1), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(c.dc, 3, 1), 0u);  // right and bottom edges are exclusive
  EXPECT_EQ(GetPixel(c.dc, 1, 2), 0u);
  // A selected bitmap cannot be deleted or selected into a second DC.
  EXPECT_EQ(DeleteObject(c.section), 0);
  HDC other = CreateCompatibleDC(c.dc);
  EXPECT_EQ(SelectObject(other, c.section), nullptr);
  int saved = SaveDC(c.dc);
  EXPECT_EQ(saved, 1);
  SetStretchBltMode(c.dc, HALFTONE);
  HBITMAP second = CreateCompatibleBitmap(c.dc, 2, 2);  // same format as the selected section
  BITMAP bm{};
  GetObjectW(second, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 24);
  SelectObject(c.dc, second);
  EXPECT_EQ(RestoreDC(c.dc, -1), 1);
  EXPECT_EQ(GetStretchBltMode(c.dc), BLACKONWHITE);
  EXPECT_EQ(GetCurrentObject(c.dc, OBJ_BITMAP), c.section);
  EXPECT_EQ(DeleteObject(second), 1);
  EXPECT_EQ(RestoreDC(c.dc, 1), 0);  // nothing saved any more
  // A fresh memory DC makes monochrome compatible bitmaps.
  HBITMAP mono = CreateCompatibleBitmap(other, 8, 8);
  GetObjectW(mono, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  DeleteObject(mono);
  DeleteDC(other);
  DeleteObject(red);
}

TEST(PortableGdi, PensDrawingModesAndPenPosition) {
  Canvas c(2, 2);
  // A new DC: the stock black pen, copy-pen mode, the pen at the origin.
  LOGPEN log{};
  ASSERT_EQ(GetObjectW(GetCurrentObject(c.dc, OBJ_PEN), sizeof log, &log),
            static_cast<int>(sizeof log));
  EXPECT_EQ(log.lopnStyle, static_cast<UINT>(PS_SOLID));
  EXPECT_EQ(log.lopnColor, 0u);
  EXPECT_EQ(GetROP2(c.dc), R2_COPYPEN);
  POINT at{-1, -1};
  ASSERT_EQ(GetCurrentPositionEx(c.dc, &at), 1);
  EXPECT_EQ(at.x, 0);
  EXPECT_EQ(at.y, 0);
  // Pens keep what they were made with; a style past the last is refused.
  HPEN none = CreatePen(PS_NULL, 0, RGB(1, 2, 3));
  HPEN wide = CreatePen(PS_SOLID, 7, RGB(10, 20, 30));
  EXPECT_EQ(CreatePen(PS_INSIDEFRAME + 1, 1, 0), nullptr);
  ASSERT_EQ(GetObjectW(wide, sizeof log, &log), static_cast<int>(sizeof log));
  EXPECT_EQ(log.lopnWidth.x, 7);
  EXPECT_EQ(log.lopnColor, RGB(10, 20, 30));
  EXPECT_EQ(GetObjectW(wide, 4, &log), 0);  // too small a buffer
  // Selection, modes and the position are part of the saved state.
  HGDIOBJ stock = SelectObject(c.dc, wide);
  EXPECT_EQ(DeleteObject(wide), 0);  // selected
  EXPECT_EQ(SetROP2(c.dc, R2_MERGEPEN), R2_COPYPEN);
  EXPECT_EQ(SetROP2(c.dc, 0), 0);
  EXPECT_EQ(SetROP2(c.dc, R2_WHITE + 1), 0);
  EXPECT_EQ(GetROP2(c.dc), R2_MERGEPEN);
  POINT old{};
  ASSERT_EQ(MoveToEx(c.dc, 5, -3, &old), 1);
  EXPECT_EQ(old.x, 0);
  SaveDC(c.dc);
  SelectObject(c.dc, none);
  SetROP2(c.dc, R2_NOP);
  MoveToEx(c.dc, 9, 9, nullptr);
  EXPECT_EQ(GetCurrentObject(c.dc, OBJ_PEN), none);
  EXPECT_EQ(RestoreDC(c.dc, -1), 1);
  EXPECT_EQ(GetCurrentObject(c.dc, OBJ_PEN), wide);
  EXPECT_EQ(GetROP2(c.dc), R2_MERGEPEN);
  GetCurrentPositionEx(c.dc, &at);
  EXPECT_EQ(at.x, 5);
  EXPECT_EQ(at.y, -3);
  EXPECT_EQ(SelectObject(c.dc, stock), wide);
  EXPECT_EQ(DeleteObject(wide), 1);
  EXPECT_EQ(DeleteObject(none), 1);
  EXPECT_EQ(GetROP2(nullptr), 0);
  EXPECT_EQ(MoveToEx(nullptr, 1, 1, nullptr), 0);
}

TEST(PortableGdi, PalettesAndPaletteIndexedDibs) {
  std::vector<uint8_t> store(sizeof(LOGPALETTE) + 3 * sizeof(PALETTEENTRY));
  auto* lp = reinterpret_cast<LOGPALETTE*>(store.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = 3;
  lp->palPalEntry[0] = {10, 20, 30, 0};
  lp->palPalEntry[1] = {40, 50, 60, 0};
  lp->palPalEntry[2] = {70, 80, 90, 0};
  HPALETTE pal = CreatePalette(lp);
  ASSERT_NE(pal, nullptr);
  PALETTEENTRY back[3];
  EXPECT_EQ(GetPaletteEntries(pal, 0, 3, back), 3u);
  EXPECT_EQ(back[2].peBlue, 90);
  lp->palVersion = 0x200;
  EXPECT_EQ(CreatePalette(lp), nullptr);

  Canvas c(2, 1);
  HPALETTE old = SelectPalette(c.dc, pal, 0);
  EXPECT_NE(old, nullptr);
  RealizePalette(c.dc);
  // An 8-bit DIB whose colour table holds palette indexes (2 and 0).
  std::vector<uint8_t> info(40 + 2 * 256, 0);
  BITMAPINFOHEADER h{40, 2, 1, 1, 8, BI_RGB, 0, 0, 0, 2, 0};
  std::memcpy(info.data(), &h, 40);
  info[40] = 2;
  info[42] = 0;
  uint8_t pixels[4] = {0, 1, 0, 0};
  SetDIBitsToDevice(c.dc, 0, 0, 2, 1, 0, 0, 0, 1, pixels, reinterpret_cast<BITMAPINFO*>(info.data()),
                    DIB_PAL_COLORS);
  EXPECT_EQ(GetPixel(c.dc, 0, 0), RGB(70, 80, 90));
  EXPECT_EQ(GetPixel(c.dc, 1, 0), RGB(10, 20, 30));
  SelectPalette(c.dc, old, 0);
  EXPECT_EQ(DeleteObject(pal), 1);
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
}

}  // namespace
