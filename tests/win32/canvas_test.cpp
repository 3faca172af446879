// The DIB canvas on the real GDI: a surface that is a real DIB section (own, and a host's made by
// zkwCreateBitmap), GDI fallback text, InvertRect, and dicDraw onto a memory DC.
#include <gtest/gtest.h>

#include <algorithm>

#include "zkw_dll.h"  // the library's headers first: windows.h after them, as in the library

namespace {

// A 32-bit memory DC of w x h, black.
struct MemoryDC {
  MemoryDC(int w, int h) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old = SelectObject(dc, bitmap);
  }
  ~MemoryDC() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
};

}  // namespace

TEST(Canvas, RealDibSectionFallbackTextInvertAndDraw) {
  void* c = ZKW(CreateDibCanvas)();
  ASSERT_NE(c, nullptr);
  ZKW(dicSetCanvasSize)(c, 60, 30);
  ASSERT_NE(ZKW(dicGetHandle)(c), nullptr);
  DIBSECTION section{};
  ASSERT_EQ(GetObjectW(static_cast<HBITMAP>(ZKW(dicGetBkBitmap)(c)), sizeof section, &section),
            static_cast<int>(sizeof section));
  EXPECT_EQ(section.dsBm.bmBitsPixel, 24);
  EXPECT_GT(section.dsBmih.biHeight, 0);
  auto* dib = static_cast<ZHANDLE>(ZKW(dicGetDib)(c));
  EXPECT_EQ(ZKW(dibGetPixelEx)(dib, 59, 29) & 0xFFFFFF, 0xFFFFFFu) << "new surfaces are white";

  // No manager: the text is drawn by GDI with the logical font (12 pt) and measured by it.
  ZKW(dicSetTextColor)(c, 0x000000);
  const wchar_t text[] = L"Ag";
  EXPECT_EQ(ZKW(dicDrawText)(c, 0, 0, 60, 30, text, 2, 0), 0);
  int width = ZKW(dicTextWidth)(c, text, 2);
  EXPECT_GT(width, 8);
  EXPECT_LT(width, 40);
  ZKW(dicTextOut)(c, 2, 2, text, 2);
  int dark = 0, right = -1;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x)
      if ((ZKW(dibGetPixelEx)(dib, x, y) & 0xFF) < 0x80) ++dark, right = std::max(right, x);
  EXPECT_GT(dark, 10);
  EXPECT_LE(right, 2 + width + 1);

  // InvertRect excludes right and bottom; FillRect includes them.
  ZKW(dicClear)(c);
  ZKW(dicFillRect)(c, 10, 10, 12, 11, 0x0000FF);
  ZKW(dicInvertRect)(c, 11, 10, 13, 12);
  EXPECT_EQ(ZKW(dibGetPixelEx)(dib, 10, 10) & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(ZKW(dibGetPixelEx)(dib, 11, 10) & 0xFFFFFF, 0xFFFF00u);
  EXPECT_EQ(ZKW(dibGetPixelEx)(dib, 12, 11) & 0xFFFFFF, 0xFFFF00u);
  EXPECT_EQ(ZKW(dibGetPixelEx)(dib, 13, 11) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(ZKW(dibGetPixelEx)(dib, 11, 12) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(ZKW(dibGetPixelEx)(dib, 12, 12) & 0xFFFFFF, 0xFFFFFFu);

  MemoryDC target(80, 40);
  ZKW(dicDraw)(c, target.dc, 5, 6);
  EXPECT_EQ(GetPixel(target.dc, 15, 16) & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(GetPixel(target.dc, 5, 6) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(GetPixel(target.dc, 4, 6) & 0xFFFFFF, 0u);
  ZKW(FreeDibCanvas)(c);
}

TEST(Canvas, HostBitmapIsWrappedRefusedOrReleased) {
  void* own = ZKW(zkwCreateBitmap)(8, 4);
  ASSERT_NE(own, nullptr);
  void* c = ZKW(CreateDibCanvas)();
  ZKW(dicSetBkBitmap)(c, own);
  EXPECT_EQ(ZKW(dicGetBkBitmap)(c), own);
  EXPECT_EQ(ZKW(dicGetCanvasWidth)(c), 8);
  ZKW(dicFillRect)(c, 0, 0, 0, 0, 0x123456);
  auto* bits = static_cast<uint8_t*>(ZKW(zkwBitmapBits)(own));
  ASSERT_NE(bits, nullptr);
  EXPECT_EQ(bits[3 * 24], 0x12) << "top row stored last, blue first";

  // A top-down section is refused; the surface stays.
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 4, -4, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* topBits = nullptr;
  HBITMAP topDown = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &topBits, nullptr, 0);
  ZKW(dicSetBkBitmap)(c, topDown);
  EXPECT_EQ(ZKW(dicGetBkBitmap)(c), own);
  DeleteObject(topDown);

  ZKW(FreeDibCanvas)(c);  // the host's bitmap survives and can be selected elsewhere
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, static_cast<HBITMAP>(own));
  EXPECT_NE(old, nullptr);
  EXPECT_EQ(GetPixel(dc, 0, 0) & 0xFFFFFF, 0x123456u);
  SelectObject(dc, old);
  DeleteDC(dc);
  ZKW(zkwDeleteBitmap)(own);
}
