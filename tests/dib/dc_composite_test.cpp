// DIB objects drawn and composited on device contexts, read back through the DC's pixels.
#include <gtest/gtest.h>

#include "dib/dib8.h"
#include "exports/zkwgdi32.h"
#include "platform/plat_gdi.h"

namespace {

struct MemDC {
  MemDC(int w, int h) : dc(zkwCreateMemoryDC(w, h)), width(w) {}
  ~MemDC() { zkwDeleteMemoryDC(dc); }
  // Pixel as a COLORREF, straight from the section's memory.
  uint32_t At(int x, int y) const {
    auto* p = static_cast<uint8_t*>(zkwMemoryDCPixels(dc)) + (y * width + x) * 4;
    return p[2] | (p[1] << 8) | (p[0] << 16);
  }
  void Fill(uint32_t color) {
    plat::HBRUSH brush = plat::CreateSolidBrush(color);
    plat::RECT r{0, 0, 1000, 1000};
    plat::FillRect(dc, &r, brush);
    plat::DeleteObject(brush);
  }
  void* dc;
  int width;
};

TEST(DcComposite, DrawCopiesTheImageAndMemoryDcExposesPixels) {
  MemDC m(6, 4);
  ASSERT_NE(m.dc, nullptr);
  ZHANDLE d = CreateDibObject(24);
  dibSetAttributes(d, 2, 2);
  dibPutPixel(d, 0, 0, 0x0000FF);
  dibPutPixel(d, 1, 1, 0x00FF00);
  dibDraw(d, m.dc, 3, 1);
  EXPECT_EQ(m.At(3, 1), 0x0000FFu);
  EXPECT_EQ(m.At(4, 2), 0x00FF00u);
  EXPECT_EQ(m.At(4, 1), 0xFFFFFFu);
  EXPECT_EQ(m.At(2, 1), 0u);
  EXPECT_EQ(plat::GetPixel(m.dc, 3, 1), 0x0000FFu);
  // 8-bit images go through their colour table.
  ZHANDLE d8 = CreateDibObject(8);
  dibSetAttributes(d8, 1, 1);
  dibPutPixel(d8, 0, 0, 0xE0);  // (252, 0, 0) in the default palette
  dibDraw(d8, m.dc, 0, 0);
  EXPECT_EQ(m.At(0, 0), 0x0000FCu);
  FreeDibObject(d);
  FreeDibObject(d8);
}

TEST(DcComposite, DrawPartStretchesWithSourceRowsFromTheBottom) {
  MemDC m(4, 4);
  ZHANDLE d = CreateDibObject(24);
  dibSetAttributes(d, 2, 2);
  dibPutPixel(d, 0, 0, 0x000011);
  dibPutPixel(d, 1, 0, 0x000022);
  dibPutPixel(d, 0, 1, 0x000033);
  dibPutPixel(d, 1, 1, 0x000044);
  dibDrawPart(d, m.dc, 0, 0, 4, 4, 0, 0, 2, 2);
  EXPECT_EQ(m.At(0, 0), 0x000011u);
  EXPECT_EQ(m.At(3, 0), 0x000022u);
  EXPECT_EQ(m.At(0, 3), 0x000033u);
  EXPECT_EQ(m.At(3, 3), 0x000044u);
  // oy = 0, dh = 1 is the bottom row of the picture.
  dibDrawPart(d, m.dc, 0, 0, 1, 1, 1, 0, 1, 1);
  EXPECT_EQ(m.At(0, 0), 0x000044u);
  FreeDibObject(d);
}

TEST(DcComposite, AlphaCompanionBlendsOverTheDcPixels) {
  MemDC m(3, 1);
  m.Fill(0x000000);
  ZHANDLE d = CreateDibObject(24);
  dibSetAttributes(d, 3, 1);
  for (int x = 0; x < 3; ++x) dibPutPixel(d, x, 0, 0xFFFFFF);
  dibCreateAlphaChannel(d);
  ZHANDLE a = dibGetAlphaDib(d);
  dibPutPixel(a, 0, 0, 0);
  dibPutPixel(a, 1, 0, 128);
  dibPutPixel(a, 2, 0, 255);
  dibDraw(d, m.dc, 0, 0);  // with an alpha companion, Draw composites
  EXPECT_EQ(m.At(0, 0), 0u);
  uint32_t half = m.At(1, 0) & 0xFF;
  EXPECT_GT(half, 100u);
  EXPECT_LT(half, 160u);
  // e = (255 x 255) shr 8 = 254, then (254 x 255) shr 8 = 253 of white over black.
  EXPECT_EQ(m.At(2, 0) & 0xFF, 253u);
  FreeDibObject(d);
}

TEST(DcComposite, KeyedEightBitImageAndPiecesWithMirroring) {
  MemDC m(4, 1);
  m.Fill(0x123456);
  ZHANDLE d = CreateDibObject(8);
  dibSetAttributes(d, 4, 1);  // every pixel 255 = transparent index
  dibPutPixel(d, 1, 0, 0xE0);
  DrawAlphaDibOnDC(m.dc, 0, 0, d);
  EXPECT_EQ(m.At(0, 0), 0x123456u);
  EXPECT_EQ(m.At(1, 0), 0x0000FCu);
  // Piece xx = 1, w = 2 mirrored: target column 0 shows source column 2 (transparent), column 1
  // shows source column 1.
  m.Fill(0x123456);
  dibDrawPartAlphaEx(d, m.dc, 0, 0, 1, 0, 2, 1, -1, 1);
  EXPECT_EQ(m.At(0, 0), 0x123456u);
  EXPECT_EQ(m.At(1, 0), 0x0000FCu);
  DrawAlphaDibOnDC(m.dc, 0, 0, nullptr);  // nothing, no crash
  FreeDibObject(d);
}

TEST(DcComposite, MergeOntoTheDc) {
  MemDC m(1, 1);
  m.Fill(100 | (100 << 8) | (100 << 16));
  ZHANDLE d = CreateDibObject(24);
  dibSetAttributes(d, 1, 1);
  dibPutPixel(d, 0, 0, 200 | (200 << 8) | (200 << 16));
  dibDrawMergeDC(m.dc, 0, 0, d, 50);
  EXPECT_EQ(m.At(0, 0), 150u | (150u << 8) | (150u << 16));
  FreeDibObject(d);
}

TEST(DcComposite, PrintScalesTheComposite) {
  MemDC m(4, 4);
  m.Fill(0);
  ZHANDLE d = CreateDibObject(24);
  dibSetAttributes(d, 2, 2);
  dibPutPixel(d, 1, 1, 0x0000FF);
  PrintAlphaDibOnDC(m.dc, 0, 0, 4, 4, d);
  EXPECT_EQ(m.At(0, 0), 0xFFFFFFu);
  EXPECT_EQ(m.At(3, 3), 0x0000FFu);
  EXPECT_EQ(m.At(2, 2), 0x0000FFu);
  FreeDibObject(d);
}

TEST(DcComposite, EightBitGetPaletteCopiesTheColourTable) {
  ZHANDLE d = CreateDibObject(8);
  EXPECT_EQ(static_cast<zkw::TDib8Bits*>(d)->GetPalette(), nullptr);
  dibSetAttributes(d, 1, 1);
  plat::HPALETTE pal = static_cast<zkw::TDib8Bits*>(d)->GetPalette();
  ASSERT_NE(pal, nullptr);
  plat::PALETTEENTRY e[256];
  EXPECT_EQ(plat::GetPaletteEntries(pal, 0, 256, e), 256u);
  EXPECT_EQ(e[0xE0].peRed, 252);
  EXPECT_EQ(e[0xE0].peBlue, 0);
  plat::DeleteObject(pal);
  FreeDibObject(d);
}

}  // namespace
