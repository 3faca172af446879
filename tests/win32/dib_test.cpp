// DIB objects through the real DLL: geometry and pixels, image blocks as real movable global
// memory, ownership, the alpha companion, palette helpers, and a 24-bit DIB section attached
// as the object's pixels.
#include <gtest/gtest.h>

#include <cstring>

#include "zkw_dll.h"

namespace {

struct Dib {
  explicit Dib(uint8_t bits) : h(ZKW(CreateDibObject)(bits)) {}
  ~Dib() { ZKW(FreeDibObject)(h); }
  ZHANDLE h;
};

const uint8_t* Bytes(void* p) { return static_cast<const uint8_t*>(p); }

// A movable block holding a packed DIB header of the given depth and its rows.
HGLOBAL HostBlock(int32_t w, int32_t h, uint16_t bits) {
  DWORD table = bits <= 8 ? 4u << bits : 0;
  DWORD stride = ((w * bits + 31) / 32) * 4;
  HGLOBAL block = ::GlobalAlloc(GHND, 40 + table + stride * h);
  auto* header = static_cast<BITMAPINFOHEADER*>(::GlobalLock(block));
  header->biSize = 40;
  header->biWidth = w;
  header->biHeight = h;
  header->biPlanes = 1;
  header->biBitCount = bits;
  ::GlobalUnlock(block);
  return block;
}

}  // namespace

TEST(Win32Dib, GeometryAndPixels) {
  Dib d8(8), d24(24);
  ZKW(dibSetAttributes)(d8.h, 3, 2);
  ZKW(dibSetAttributes)(d24.h, 3, 2);
  EXPECT_EQ(ZKW(dibGetWidth)(d8.h), 3);
  EXPECT_EQ(ZKW(dibGetHeight)(d8.h), 2);
  EXPECT_EQ(ZKW(dibGetBits)(d8.h), 1);
  EXPECT_EQ(ZKW(dibGetBits)(d24.h), 3);
  EXPECT_EQ(ZKW(dibGetAlignWidth)(d8.h), 4);
  EXPECT_EQ(ZKW(dibGetAlignWidth)(d24.h), 12);
  EXPECT_EQ(ZKW(dibGetDibSize)(d8.h), 8);
  EXPECT_EQ(ZKW(dibGetDibSize)(d24.h), 24);
  EXPECT_EQ(ZKW(dibGetTransColor)(d8.h), 255);
  EXPECT_EQ(ZKW(dibGetPixel)(d8.h, 2, 1), 255u);
  EXPECT_EQ(ZKW(dibGetPixelEx)(d8.h, 2, 1), 0xFCFCFCu);
  EXPECT_EQ(ZKW(dibGetPixel)(d24.h, 2, 1), 0xFFFFFFu);
  EXPECT_EQ(Bytes(ZKW(dibGetDibData)(d8.h)) - Bytes(ZKW(dibGetDibPtr)(d8.h)), 1064);
  EXPECT_EQ(Bytes(ZKW(dibGetDibData)(d24.h)) - Bytes(ZKW(dibGetDibPtr)(d24.h)), 40);
  EXPECT_EQ(Bytes(ZKW(dibGetDibPal)(d8.h)) - Bytes(ZKW(dibGetDibPtr)(d8.h)), 40);
  EXPECT_EQ(ZKW(dibGetDibPal)(d24.h), nullptr);

  // Red is stored blue, green, red; GetPixel reads the bytes back little-endian.
  ZKW(dibPutPixel)(d24.h, 0, 0, 0x0000FF);
  const uint8_t* top = Bytes(ZKW(dibGetDibData)(d24.h)) + 12;  // picture row 0 is stored last
  EXPECT_EQ(top[0], 0x00);
  EXPECT_EQ(top[1], 0x00);
  EXPECT_EQ(top[2], 0xFF);
  EXPECT_EQ(ZKW(dibGetPixel)(d24.h, 0, 0), 0xFF0000u);
  EXPECT_EQ(ZKW(dibGetPixelEx)(d24.h, 0, 0), 0x0000FFu);
  // 8-bit images take the palette index from the low byte only.
  ZKW(dibPutPixel)(d8.h, 1, 0, 0x1234);
  EXPECT_EQ(ZKW(dibGetPixel)(d8.h, 1, 0), 0x34u);
  EXPECT_EQ(ZKW(dibGetPixel)(d8.h, 0, 0), 255u);
  EXPECT_EQ(ZKW(dibGetPixel)(d8.h, 2, 0), 255u);
  // Outside the image: 0 and all bits set; writes change nothing.
  EXPECT_EQ(ZKW(dibGetPixel)(d8.h, -1, 0), 0u);
  EXPECT_EQ(ZKW(dibGetPixel)(d8.h, 3, 0), 0u);
  EXPECT_EQ(ZKW(dibGetPixel)(d24.h, 0, 2), 0xFFFFFFFFu);
  ZKW(dibPutPixel)(d24.h, 3, 0, 0);
  EXPECT_EQ(ZKW(dibGetPixel)(d24.h, 0, 1), 0xFFFFFFu);
  // Shading and merging.
  ZKW(dibPutPixel)(d24.h, 1, 1, 0x3264C8);  // red 200, green 100, blue 50
  ZKW(dibPutShadPixel)(d24.h, 1, 1, 50);
  EXPECT_EQ(ZKW(dibGetPixelEx)(d24.h, 1, 1), 0x193264u);
  ZKW(dibPutPixel)(d24.h, 2, 1, 0x0000C8);
  ZKW(dibPutMergePixel)(d24.h, 2, 1, 0x000064, 50);
  EXPECT_EQ(ZKW(dibGetPixelEx)(d24.h, 2, 1) & 0xFF, 150u);
  ZKW(dibPutShadPixel)(d8.h, 0, 1, 50);  // empty shadow table: index 0
  EXPECT_EQ(ZKW(dibGetPixel)(d8.h, 0, 1), 0u);
}

TEST(Win32Dib, BlocksAreRealMovableMemory) {
  Dib d(24);
  ZKW(dibSetAttributes)(d.h, 3, 2);
  auto block = static_cast<HGLOBAL>(ZKW(dibGetHandle)(d.h));
  ASSERT_NE(block, nullptr);
  // Two spare rows after the picture; the object keeps its block locked.
  EXPECT_EQ(::GlobalSize(block), 40u + 12 * 4);
  EXPECT_GE(::GlobalFlags(block) & GMEM_LOCKCOUNT, 1u);
  EXPECT_EQ(::GlobalLock(block), ZKW(dibGetDibPtr)(d.h));
  ::GlobalUnlock(block);

  // A host's block handed over is adopted, then freed with the object unless it is locked.
  HGLOBAL host = HostBlock(5, 4, 24);
  ZKW(dibSetHandle)(d.h, host);
  EXPECT_EQ(ZKW(dibGetHandle)(d.h), host);
  EXPECT_EQ(ZKW(dibGetWidth)(d.h), 5);
  EXPECT_EQ(ZKW(dibGetAlignWidth)(d.h), 16);
  EXPECT_EQ(ZKW(dibGetLock)(d.h), 0);
  ZKW(dibSetLock)(d.h, 1);
  EXPECT_EQ(ZKW(dibGetLock)(d.h), 1);
  {
    Dib copy(24);
    ZKW(FreeDibObject)(copy.h);
    copy.h = ZKW(CreateDibFrom)(d.h);
    ASSERT_NE(copy.h, nullptr);
    EXPECT_NE(ZKW(dibGetHandle)(copy.h), host);
    EXPECT_EQ(::GlobalSize(ZKW(dibGetHandle)(copy.h)), ::GlobalSize(host));
  }
  ZKW(FreeDibObject)(d.h);
  d.h = ZKW(CreateDibObject)(24);
  // Still the host's: it can be locked and freed by the host.
  EXPECT_EQ(::GlobalSize(host), 40u + 16 * 4);
  EXPECT_EQ(::GlobalFree(host), nullptr);

  // A 4-bit block is refused, freed by the object, and the reason is recorded.
  ZKW(zkwClearLastError)();
  EXPECT_EQ(zkwtest::LastErrorText(), L"");
  ZKW(dibSetHandle)(d.h, HostBlock(8, 2, 4));
  EXPECT_EQ(ZKW(dibGetHandle)(d.h), nullptr);
  EXPECT_NE(zkwtest::LastErrorText().find(L"4 bits per pixel"), std::wstring::npos)
      << zkwtest::LastErrorText();
  ZKW(zkwClearLastError)();
  EXPECT_EQ(zkwtest::LastErrorText(), L"");
}

TEST(Win32Dib, AlphaCompanion) {
  Dib d(8);
  ZKW(dibSetAttributes)(d.h, 4, 2);
  ZKW(dibPutPixel)(d.h, 1, 0, 7);
  EXPECT_EQ(ZKW(dibGetAlphaDib)(d.h), nullptr);
  EXPECT_EQ(ZKW(dibGetAlphaHandle)(d.h), nullptr);
  ZKW(dibCreateAlphaChannel)(d.h);
  ZHANDLE alpha = ZKW(dibGetAlphaDib)(d.h);
  ASSERT_NE(alpha, nullptr);
  EXPECT_EQ(ZKW(dibGetAlphaHandle)(d.h), ZKW(dibGetHandle)(alpha));
  EXPECT_EQ(ZKW(dibGetWidth)(alpha), 4);
  EXPECT_EQ(ZKW(dibGetBits)(alpha), 1);
  // Transparent where the pixel is the transparent index (255), opaque elsewhere.
  EXPECT_EQ(ZKW(dibGetPixel)(alpha, 0, 0), 0u);
  EXPECT_EQ(ZKW(dibGetPixel)(alpha, 1, 0), 255u);
  EXPECT_EQ(ZKW(dibGetPixelEx)(alpha, 1, 0), 0xFFFFFFu);  // grey ramp
  // Greyscale conversion reads the companion's colour table: 0.3 R + 0.59 G + 0.11 B.
  uint8_t table[1024] = {};
  table[4 * 9 + 2] = 100;  // entry 9: red 100 -> 30
  ZKW(dibSetDibPal)(alpha, table);
  ZKW(dibPutPixel)(alpha, 2, 1, 9);
  ZKW(dibConvertAlphaGrayscale)(d.h);
  EXPECT_EQ(ZKW(dibGetPixel)(alpha, 2, 1), 30u);
  EXPECT_EQ(ZKW(dibGetPixel)(alpha, 1, 0), 0u);  // entry 255 of the zeroed table is black
  // A companion of another size is refused; the block is freed by the library.
  ZKW(dibSetAlphaHandle)(d.h, HostBlock(3, 2, 8));
  EXPECT_EQ(ZKW(dibGetAlphaDib)(d.h), nullptr);
  // A new size drops the companion.
  ZKW(dibCreateAlphaChannel)(d.h);
  ZKW(dibSetAttributes)(d.h, 5, 2);
  EXPECT_EQ(ZKW(dibGetAlphaDib)(d.h), nullptr);
}

TEST(Win32Dib, PaletteHelpers) {
  Dib d(8);
  ZKW(dibSetAttributes)(d.h, 2, 1);
  // Default palette: a 3-3-2 cube; index 0x6D is (108, 108, 84).
  const auto* pal = static_cast<const RGBQUAD*>(ZKW(dibGetDibPal)(d.h));
  EXPECT_EQ(pal[0x6D].rgbRed, 108);
  EXPECT_EQ(pal[0x6D].rgbGreen, 108);
  EXPECT_EQ(pal[0x6D].rgbBlue, 84);
  RGBQUAD same[256];
  std::memcpy(same, pal, sizeof same);
  for (RGBQUAD& q : same) q.rgbReserved = 9;  // the fourth byte is not compared
  EXPECT_EQ(ZKW(SamePalette)(pal, same), 1);
  same[17].rgbGreen ^= 1;
  EXPECT_EQ(ZKW(SamePalette)(pal, same), 0);
  EXPECT_EQ(ZKW(NearestColor)(0x54'6C'6C, pal), 0x6D);  // exact match, COLORREF (108,108,84)
  // Nothing closer than 255.0: index 0.
  RGBQUAD blank[256] = {};
  EXPECT_EQ(ZKW(NearestColor)(0xFFFFFF, blank), 0);

  // A new table: each pixel moves to the nearest entry of it, then the table is copied in.
  RGBQUAD grey[256];
  for (int i = 0; i < 256; ++i) grey[i] = RGBQUAD{uint8_t(i), uint8_t(i), uint8_t(i), 0};
  ZKW(dibPutPixel)(d.h, 0, 0, 0xFF);  // (252, 252, 252)
  ZKW(dibPutPixel)(d.h, 1, 0, 0x00);  // black
  ZKW(ChangeDibPaletteTo)(d.h, grey);
  EXPECT_EQ(ZKW(dibGetPixel)(d.h, 0, 0), 252u);
  EXPECT_EQ(ZKW(dibGetPixel)(d.h, 1, 0), 0u);
  EXPECT_EQ(ZKW(SamePalette)(ZKW(dibGetDibPal)(d.h), grey), 1);

  // dibSetDibPal copies 1024 bytes into 8-bit images only.
  ZKW(dibSetDibPal)(d.h, blank);
  EXPECT_EQ(ZKW(dibGetPixelEx)(d.h, 0, 0), 0u);
  Dib d24(24);
  ZKW(dibSetAttributes)(d24.h, 1, 1);
  ZKW(dibSetDibPal)(d24.h, blank);
  EXPECT_EQ(ZKW(dibGetDibPal)(d24.h), nullptr);
}

TEST(Win32Dib, AttachedDibSection) {
  // A bottom-up 24-bit DIB section of 3 x 2: the object draws straight into its pixels.
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 3;
  info.bmiHeader.biHeight = 2;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(section, nullptr);
  ASSERT_NE(bits, nullptr);
  std::memset(bits, 0, 24);
  {
    Dib d(24);
    ZKW(dibAttachBitmap)(d.h, section);
    EXPECT_EQ(ZKW(dibGetHandle)(d.h), reinterpret_cast<ZBLOCK>(1));
    EXPECT_EQ(ZKW(dibGetDibData)(d.h), bits);
    EXPECT_EQ(ZKW(dibGetWidth)(d.h), 3);
    EXPECT_EQ(ZKW(dibGetHeight)(d.h), 2);
    EXPECT_EQ(ZKW(dibGetAlignWidth)(d.h), 12);
    EXPECT_EQ(ZKW(dibGetLock)(d.h), 1);
    ZKW(dibPutPixel)(d.h, 2, 0, 0x332211);  // top row, stored second; blue, green, red
    const uint8_t* top = static_cast<const uint8_t*>(bits) + 12;
    EXPECT_EQ(top[6], 0x33);
    EXPECT_EQ(top[7], 0x22);
    EXPECT_EQ(top[8], 0x11);
    // GDI sees the object's drawing, and the object sees GDI's.
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, section);
    EXPECT_EQ(::GetPixel(dc, 2, 0), 0x332211u);
    ::SetPixel(dc, 0, 1, RGB(10, 20, 30));
    ::GdiFlush();
    EXPECT_EQ(ZKW(dibGetPixelEx)(d.h, 0, 1), static_cast<uint32_t>(RGB(10, 20, 30)));
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    // No copy of an attached image, and the section is not the object's to free.
    EXPECT_EQ(ZKW(CreateDibFrom)(d.h), nullptr);
  }
  BITMAP bm = {};
  EXPECT_EQ(::GetObjectW(section, sizeof bm, &bm), static_cast<int>(sizeof bm));
  // An 8-bit object does not attach.
  Dib d8(8);
  ZKW(dibAttachBitmap)(d8.h, section);
  EXPECT_EQ(ZKW(dibGetHandle)(d8.h), nullptr);
  EXPECT_TRUE(::DeleteObject(section));
}
