// DIB objects through their exports: geometry, colour conventions, handles and ownership.
#include <gtest/gtest.h>

#include <cstring>

#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/palette.h"
#include "platform/plat_gdi.h"
#include "exports/zkwgdi32.h"
#include "support/test_support.h"

using namespace zkwtest;

namespace {

struct Dib {
  explicit Dib(uint8_t bits) : h(CreateDibObject(bits)) {}
  ~Dib() { FreeDibObject(h); }
  ZHANDLE h;
};

TEST(DibObject, Fresh8BitImageUsesDefaultPaletteAndIndex255) {
  Dib d(8);
  EXPECT_EQ(dibGetHandle(d.h), nullptr);
  EXPECT_EQ(dibGetBits(d.h), 1);
  dibSetAttributes(d.h, 3, 2);
  EXPECT_NE(dibGetHandle(d.h), nullptr);
  EXPECT_EQ(dibGetAlignWidth(d.h), 4);
  EXPECT_EQ(dibGetDibSize(d.h), 8);
  EXPECT_EQ(dibGetTransColor(d.h), 255);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(dibGetPixel(d.h, x, y), 255u);
      EXPECT_EQ(dibGetPixelEx(d.h, x, y), 0xFCFCFCu);
    }
  // Header as the block's layout fixes it, palette entry 0x6D = (3*36, 3*36, 84).
  auto* header = static_cast<const uint8_t*>(dibGetDibPtr(d.h));
  std::vector<uint8_t> head(header, header + 40);
  EXPECT_EQ(GetLE<uint32_t>(head, 0), 40u);
  EXPECT_EQ(GetLE<uint16_t>(head, 14), 8);
  EXPECT_EQ(GetLE<int32_t>(head, 24), 96);
  auto* pal = static_cast<const zkw::TRGBQuad*>(dibGetDibPal(d.h));
  EXPECT_EQ(pal[0x6D].rgbRed, 108);
  EXPECT_EQ(pal[0x6D].rgbGreen, 108);
  EXPECT_EQ(pal[0x6D].rgbBlue, 84);
  EXPECT_EQ(static_cast<uint8_t*>(dibGetDibData(d.h)) - header, 1064);
}

TEST(DibObject, Fresh24BitImageIsWhiteWithPaddedRows) {
  Dib d(24);
  EXPECT_EQ(dibGetBits(d.h), 3);
  dibSetAttributes(d.h, 3, 2);
  EXPECT_EQ(dibGetAlignWidth(d.h), 12);
  EXPECT_EQ(dibGetDibSize(d.h), 24);
  EXPECT_EQ(dibGetDibPal(d.h), nullptr);
  EXPECT_EQ(dibGetPixel(d.h, 2, 1), 0xFFFFFFu);
  EXPECT_EQ(static_cast<uint8_t*>(dibGetDibData(d.h)) - static_cast<uint8_t*>(dibGetDibPtr(d.h)), 40);
  // The block is two rows longer than the picture.
  EXPECT_EQ(plat::GlobalSize(dibGetHandle(d.h)), 40u + 12 * 4);
}

TEST(DibObject, ColourOrderOf24BitPixels) {
  Dib d(24);
  dibSetAttributes(d.h, 2, 2);
  dibPutPixel(d.h, 0, 0, 0x0000FF);  // pure red
  auto* data = static_cast<uint8_t*>(dibGetDibData(d.h));
  const uint8_t* topRow = data + dibGetAlignWidth(d.h);  // picture row 0 is stored last
  EXPECT_EQ(topRow[0], 0x00);
  EXPECT_EQ(topRow[1], 0x00);
  EXPECT_EQ(topRow[2], 0xFF);
  EXPECT_EQ(dibGetPixel(d.h, 0, 0), 0xFF0000u);
  EXPECT_EQ(dibGetPixelEx(d.h, 0, 0), 0x0000FFu);
  dibPutPixel(d.h, 1, 1, 0xAB123456);  // bits 24-31 are not stored
  EXPECT_EQ(dibGetPixelEx(d.h, 1, 1), 0x123456u);
}

TEST(DibObject, PixelAccessOutsideTheImage) {
  Dib d8(8), d24(24);
  dibSetAttributes(d8.h, 4, 3);
  dibSetAttributes(d24.h, 4, 3);
  for (auto [x, y] : {std::pair{-1, 0}, {4, 0}, {0, 3}, {0, -1}}) {
    EXPECT_EQ(dibGetPixel(d8.h, x, y), 0u);
    EXPECT_EQ(dibGetPixel(d24.h, x, y), 0xFFFFFFFFu);
    dibPutPixel(d8.h, x, y, 1);
    dibPutPixel(d24.h, x, y, 0);
  }
  // Nothing was written: every pixel and every padding byte is still as allocated.
  auto* data8 = static_cast<uint8_t*>(dibGetDibData(d8.h));
  for (int i = 0; i < dibGetDibSize(d8.h); ++i) EXPECT_EQ(data8[i], 0xFF);
  auto* data24 = static_cast<uint8_t*>(dibGetDibData(d24.h));
  for (int i = 0; i < dibGetDibSize(d24.h); ++i) EXPECT_EQ(data24[i], 0xFF);
}

TEST(DibObject, EightBitPutWritesOnlyTheLowByte) {
  Dib d(8);
  dibSetAttributes(d.h, 4, 1);
  dibPutPixel(d.h, 1, 0, 0x1234);
  EXPECT_EQ(dibGetPixel(d.h, 0, 0), 255u);
  EXPECT_EQ(dibGetPixel(d.h, 1, 0), 0x34u);
  EXPECT_EQ(dibGetPixel(d.h, 2, 0), 255u);
}

TEST(DibObject, SetAttributesKeepsOrResetsPixelsPaletteAndAlpha) {
  Dib d(8);
  dibSetAttributes(d.h, 5, 5);
  dibPutPixel(d.h, 2, 2, 7);
  auto* pal = static_cast<zkw::TRGBQuad*>(dibGetDibPal(d.h));
  pal[1].rgbRed = 1;
  dibCreateAlphaChannel(d.h);
  dibSetAttributes(d.h, 5, 5);
  EXPECT_EQ(dibGetPixel(d.h, 2, 2), 7u);
  EXPECT_NE(dibGetAlphaDib(d.h), nullptr);
  dibSetAttributes(d.h, 6, 5);
  EXPECT_EQ(dibGetPixel(d.h, 2, 2), 255u);
  EXPECT_EQ(static_cast<zkw::TRGBQuad*>(dibGetDibPal(d.h))[1].rgbRed, 0);
  EXPECT_EQ(dibGetAlphaDib(d.h), nullptr);
}

TEST(DibObject, SetHandleRejectsBadBlocksAndFreesThem) {
  Dib d(8);
  dibSetAttributes(d.h, 3, 3);
  // A 4-bit image is refused and freed; the size is kept while there is no block.
  plat::HGLOBAL fourBit = BlockFrom(PackedDib(4, 4, 4));
  dibSetHandle(d.h, fourBit);
  EXPECT_EQ(dibGetHandle(d.h), nullptr);
  EXPECT_FALSE(BlockAlive(fourBit));
  EXPECT_EQ(dibGetWidth(d.h), 3);
  dibPutPixel(d.h, 0, 0, 1);  // no block: nothing happens
  EXPECT_EQ(dibGetPixel(d.h, 0, 0), 0u);

  // A header that declares more rows than the block holds is refused like a bad header.
  std::vector<uint8_t> shortBlock = PackedDib(16, 16, 8);
  shortBlock.resize(shortBlock.size() - 1);
  plat::HGLOBAL truncated = BlockFrom(shortBlock);
  zkwClearLastError();
  dibSetHandle(d.h, truncated);
  EXPECT_EQ(dibGetHandle(d.h), nullptr);
  EXPECT_FALSE(BlockAlive(truncated));
  EXPECT_NE(zkw::ToUtf8(zkwGetLastErrorText()).find("needs"), std::string::npos);

  // Sizes whose row bytes overflow 64 bits are refused, not wrapped into a small number.
  std::vector<uint8_t> huge = PackedDib(1, 1, 8);
  PutLE<int32_t>(huge, 4, 0x7FFFFFFF);
  PutLE<int32_t>(huge, 8, 0x7FFFFFFF);
  PutLE<uint16_t>(huge, 14, 32);
  plat::HGLOBAL hugeBlock = BlockFrom(huge);
  void* dc = zkwCreateMemoryDC(1, 1);
  EXPECT_EQ(PutDIB(dc, 0, 0, hugeBlock, 0), 0);
  zkwDeleteMemoryDC(dc);
  PutLE<uint16_t>(huge, 14, 8);
  plat::GlobalFree(hugeBlock);
  hugeBlock = BlockFrom(huge);
  dibSetHandle(d.h, hugeBlock);
  EXPECT_EQ(dibGetHandle(d.h), nullptr);

  // Header size other than 40, negative sizes, a 24-bit block handed to an 8-bit object.
  std::vector<uint8_t> badSize = PackedDib(2, 2, 8);
  PutLE<uint32_t>(badSize, 0, 12);
  std::vector<uint8_t> topDown = PackedDib(2, 2, 8);
  PutLE<int32_t>(topDown, 8, -2);
  for (auto bytes : {badSize, topDown, PackedDib(2, 2, 24)}) {
    plat::HGLOBAL block = BlockFrom(bytes);
    dibSetHandle(d.h, block);
    EXPECT_EQ(dibGetHandle(d.h), nullptr);
    EXPECT_FALSE(BlockAlive(block));
  }
}

TEST(DibObject, SetHandleReadsGeometryAndColoursUsed) {
  Dib d(8);
  std::vector<uint8_t> bytes = PackedDib(5, 3, 8, 2, 256);  // 2 colours used, full table kept
  bytes.resize(40 + 8 + 8 * 3 + 1024);  // rows start after the 2 entries
  bytes[40 + 8 + 8 * 2] = 0x42;         // stored row 2 = picture row 0, pixel 0
  plat::HGLOBAL block = BlockFrom(bytes);
  dibSetHandle(d.h, block);
  ASSERT_EQ(dibGetHandle(d.h), block);
  EXPECT_EQ(dibGetWidth(d.h), 5);
  EXPECT_EQ(dibGetHeight(d.h), 3);
  EXPECT_EQ(dibGetAlignWidth(d.h), 8);
  EXPECT_EQ(dibGetPixel(d.h, 0, 0), 0x42u);
  EXPECT_EQ(dibGetTransColor(d.h), 0x42);
  // Handing the same block again keeps it alive and usable.
  dibSetHandle(d.h, block);
  EXPECT_EQ(dibGetHandle(d.h), block);
  EXPECT_EQ(dibGetPixel(d.h, 0, 0), 0x42u);

  // A 24-bit block with a table of colours-used entries: its rows follow the table.
  Dib t(24);
  std::vector<uint8_t> table24 = PackedDib(1, 1, 24, 3, 3);
  PutLE<uint32_t>(table24, 40 + 12, 0x00112233);  // blue 0x33, green 0x22, red 0x11
  dibSetHandle(t.h, BlockFrom(table24));
  ASSERT_NE(dibGetHandle(t.h), nullptr);
  EXPECT_EQ(dibGetPixelEx(t.h, 0, 0), 0x332211u);
}

TEST(DibObject, SizesBeyondTwoGigabytesAreRefusedBeforeAllocating) {
  // Block = 40 + 1024 + stride x (height + 2) must stay below 2^31: an 8-bit image one pixel
  // wide (stride 4) may be 536870643 rows high, not one more.
  Dib d(8);
  zkwClearLastError();
  dibSetAttributes(d.h, 1, 536870644);
  EXPECT_EQ(dibGetHandle(d.h), nullptr);
  EXPECT_EQ(dibGetAlignWidth(d.h), 0);
  EXPECT_EQ(dibGetDibSize(d.h), 0);
  EXPECT_NE(zkw::ToUtf8(zkwGetLastErrorText()).find("beyond 2 GiB"), std::string::npos);
  // A stride of 2^31 or more is refused even with no rows: the header of a 24-bit picture
  // 973078529 pixels wide and 0 high (a 58-byte BMP file asked for its gigabyte this way).
  Dib wide(24);
  std::vector<uint8_t> flat = PackedDib(1, 1, 24);
  PutLE<int32_t>(flat, 4, 973078529);
  PutLE<int32_t>(flat, 8, 0);
  plat::HGLOBAL block = BlockFrom(flat);
  dibSetHandle(wide.h, block);
  EXPECT_EQ(dibGetHandle(wide.h), nullptr);
  EXPECT_FALSE(BlockAlive(block));
  dibCreateAlphaChannel(wide.h);
  EXPECT_EQ(dibGetAlphaHandle(wide.h), nullptr);
  dibSetAttributes(wide.h, 715827883, 0);  // stride 2147483652
  EXPECT_EQ(dibGetHandle(wide.h), nullptr);
  EXPECT_EQ(dibGetAlignWidth(wide.h), 0);
}

TEST(DibObject, LockedBlockOutlivesTheObject) {
  ZHANDLE h = CreateDibObject(24);
  dibSetAttributes(h, 2, 2);
  ZBLOCK block = dibGetHandle(h);
  dibSetLock(h, 1);
  EXPECT_EQ(dibGetLock(h), 1);
  FreeDibObject(h);
  EXPECT_TRUE(BlockAlive(block));
  plat::GlobalFree(block);
  FreeDibObject(nullptr);  // ignored
}

TEST(DibObject, MergeAndShadePixels) {
  Dib d(24);
  dibSetAttributes(d.h, 1, 1);
  dibPutPixel(d.h, 0, 0, 200 | (200 << 8) | (200 << 16));
  dibPutMergePixel(d.h, 0, 0, 0x646464, 0);
  EXPECT_EQ(dibGetPixelEx(d.h, 0, 0), 0xC8C8C8u);
  dibPutMergePixel(d.h, 0, 0, 100 | (100 << 8) | (100 << 16), 50);
  EXPECT_EQ(dibGetPixelEx(d.h, 0, 0), 0x969696u);  // 100 + 50 = 150
  dibPutMergePixel(d.h, 0, 0, 0x0A141E, 100);
  EXPECT_EQ(dibGetPixelEx(d.h, 0, 0), 0x0A141Eu);
  // Each product is truncated on its own: 33 * 67 / 100 = 22, 67 * 255 / 100 = 170.
  dibPutPixel(d.h, 0, 0, 33);
  dibPutMergePixel(d.h, 0, 0, 255, 67);
  EXPECT_EQ(dibGetPixelEx(d.h, 0, 0) & 0xFF, 10u + 170u);

  dibPutPixel(d.h, 0, 0, 200 | (100 << 8) | (50 << 16));
  dibPutShadPixel(d.h, 0, 0, 50);
  EXPECT_EQ(dibGetPixelEx(d.h, 0, 0), 100u | (50u << 8) | (25u << 16));

  Dib d8(8);
  dibSetAttributes(d8.h, 2, 1);
  dibPutMergePixel(d8.h, 0, 0, 3, 50);  // no effect on 8-bit images
  EXPECT_EQ(dibGetPixel(d8.h, 0, 0), 255u);
  dibPutShadPixel(d8.h, 0, 0, 50);  // empty shadow table: index 0
  EXPECT_EQ(dibGetPixel(d8.h, 0, 0), 0u);
}

TEST(DibObject, ShadowTableFromTheColourTable) {
  zkw::TDib8Bits dib;
  dib.SetAttributes(1, 1);
  // Darkening entry 0xFF (252,252,252) by 40 gives (212,212,212), mapped to its nearest entry.
  dib.MakeExtraPalette(-40);
  uint32_t darker = 212 | (212 << 8) | (212 << 16);
  EXPECT_EQ(dib.DarkPal[255], zkw::NearestColor(darker, dib.DibPal));
  // Black stays black; lightening clamps at 255.
  EXPECT_EQ(dib.DarkPal[0], 0);
  dib.MakeExtraPalette(10);
  EXPECT_EQ(dib.DarkPal[255], 255);
  EXPECT_EQ(dib.DarkPal[0], zkw::NearestColor(0x0A0A0A, dib.DibPal));
}

TEST(DibObject, NearestColorAndSamePalette) {
  zkw::TColorTable table{};
  for (int i = 0; i < 256; ++i) table[i] = {200, 200, 200, 0};
  // Every entry is sqrt(3*200^2) = 346 away from black: none is closer than 255.
  EXPECT_EQ(NearestColor(0, table), 0);
  table[7] = {10, 0, 0, 0};    // blue 10: distance 10
  table[9] = {0, 0, 10, 0};    // red 10: also distance 10, later: first one wins
  EXPECT_EQ(NearestColor(0, table), 7);
  table[3] = {0, 0, 0, 0};
  EXPECT_EQ(NearestColor(0, table), 3);

  zkw::TColorTable other;
  std::memcpy(other, table, sizeof table);
  other[5].rgbReserved = 99;  // the fourth byte is not compared
  EXPECT_EQ(SamePalette(table, other), 1);
  other[5].rgbGreen ^= 1;
  EXPECT_EQ(SamePalette(table, other), 0);
}

TEST(DibObject, ChangeDibPaletteToRemapsPixels) {
  Dib d(8);
  dibSetAttributes(d.h, 2, 1);
  dibPutPixel(d.h, 0, 0, 0xE0);  // default palette: (252, 0, 0) red
  dibPutPixel(d.h, 1, 0, 0x03);  // (0, 0, 252) blue
  zkw::TColorTable table{};
  table[1] = {0, 0, 250, 0};   // red
  table[2] = {250, 0, 0, 0};   // blue
  ChangeDibPaletteTo(d.h, table);
  EXPECT_EQ(dibGetPixel(d.h, 0, 0), 1u);
  EXPECT_EQ(dibGetPixel(d.h, 1, 0), 2u);
  EXPECT_EQ(SamePalette(dibGetDibPal(d.h), table), 1);

  Dib d24(24);  // left unchanged
  dibSetAttributes(d24.h, 1, 1);
  ChangeDibPaletteTo(d24.h, table);
  EXPECT_EQ(dibGetPixel(d24.h, 0, 0), 0xFFFFFFu);
}

TEST(DibObject, AlphaCompanion) {
  Dib d(8);
  dibSetAttributes(d.h, 3, 1);
  dibPutPixel(d.h, 1, 0, 5);
  dibSetTransColor(d.h, 255);
  dibCreateAlphaChannel(d.h);
  ZHANDLE alpha = dibGetAlphaDib(d.h);
  ASSERT_NE(alpha, nullptr);
  EXPECT_EQ(dibGetPixel(alpha, 0, 0), 0u);
  EXPECT_EQ(dibGetPixel(alpha, 1, 0), 255u);
  EXPECT_EQ(dibGetPixelEx(alpha, 2, 0), 0u);
  EXPECT_EQ(dibGetAlphaHandle(d.h), dibGetHandle(alpha));

  // Greyscale conversion: entry 3 = (r 100, g 50, b 200) -> 0.3*100 + 0.59*50 + 0.11*200
  // = 81.5, rounded half to even = 82; entry 4 = (r 5, g 0, b 0) -> 1.5 -> 2.
  auto* pal = static_cast<zkw::TRGBQuad*>(dibGetDibPal(alpha));
  pal[3] = {200, 50, 100, 0};
  pal[4] = {0, 0, 5, 0};
  dibPutPixel(alpha, 0, 0, 3);
  dibPutPixel(alpha, 1, 0, 4);
  dibConvertAlphaGrayscale(d.h);
  EXPECT_EQ(dibGetPixel(alpha, 0, 0), 82u);
  EXPECT_EQ(dibGetPixel(alpha, 1, 0), 2u);
  EXPECT_EQ(pal[3].rgbRed, 3);

  // A 24-bit image's companion starts fully opaque.
  Dib d24(24);
  dibSetAttributes(d24.h, 2, 2);
  dibCreateAlphaChannel(d24.h);
  EXPECT_EQ(dibGetPixel(dibGetAlphaDib(d24.h), 1, 1), 255u);
}

TEST(DibObject, SetAlphaHandleChecksDepthAndSize) {
  Dib d(24);
  plat::HGLOBAL early = BlockFrom(PackedDib(2, 2, 8));
  dibSetAlphaHandle(d.h, early);  // no image yet: the block stays the caller's
  EXPECT_EQ(dibGetAlphaHandle(d.h), nullptr);
  EXPECT_TRUE(BlockAlive(early));
  dibSetAttributes(d.h, 2, 2);
  dibSetAlphaHandle(d.h, early);
  EXPECT_EQ(dibGetAlphaHandle(d.h), early);
  plat::HGLOBAL wrongSize = BlockFrom(PackedDib(3, 2, 8));
  dibSetAlphaHandle(d.h, wrongSize);
  EXPECT_EQ(dibGetAlphaHandle(d.h), nullptr);
  EXPECT_FALSE(BlockAlive(wrongSize));
  EXPECT_FALSE(BlockAlive(early));  // the previous companion was freed with it
}

TEST(DibObject, CreateDibFromCopiesImageAndAlpha) {
  Dib d(8);
  dibSetAttributes(d.h, 3, 2);
  dibPutPixel(d.h, 2, 1, 9);
  dibCreateAlphaChannel(d.h);
  dibPutPixel(dibGetAlphaDib(d.h), 0, 0, 77);
  ZHANDLE copy = CreateDibFrom(d.h);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(dibGetBits(copy), 1);
  EXPECT_NE(dibGetHandle(copy), dibGetHandle(d.h));
  EXPECT_EQ(BlockBytes(dibGetHandle(copy)), BlockBytes(dibGetHandle(d.h)));
  EXPECT_EQ(dibGetPixel(dibGetAlphaDib(copy), 0, 0), 77u);
  FreeDibObject(copy);
  EXPECT_EQ(CreateDibFrom(nullptr), nullptr);
  Dib empty(24);
  EXPECT_EQ(CreateDibFrom(empty.h), nullptr);
}

TEST(DibObject, CopyToAndCopyFrom) {
  zkw::TDib8Bits a, b;
  a.SetAttributes(3, 2);
  b.SetAttributes(3, 2);
  a.PutPixel(1, 1, 17);
  a.CopyTo(&b);
  EXPECT_EQ(b.GetPixel(1, 1), 17u);
  zkw::TDib8Bits small;
  small.SetAttributes(1, 1);
  a.CopyTo(&small);  // different geometry: stays inside the smaller image
  EXPECT_EQ(small.GetPixel(0, 0), 255u);

  zkw::TDib24Bits c;
  c.SetAttributes(3, 2);
  a.PutPixel(0, 0, 0xE0);  // red in the default palette
  c.CopyFrom(&a);
  EXPECT_EQ(c.GetPixelEx(0, 0), 0x0000FCu);
  EXPECT_EQ(c.GetPixelEx(1, 1), zkw::RGBQuadToColorRef(a.DibPal[17]));
}

TEST(DibObject, AttachBitmapDrawsIntoTheSection) {
  plat::BITMAPINFO info{};
  info.bmiHeader = {40, 4, 3, 1, 24, 0, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  plat::HBITMAP section = plat::CreateDIBSection(nullptr, &info, plat::DIB_RGB_COLORS, &bits,
                                                 nullptr, 0);
  ASSERT_NE(section, nullptr);
  Dib d(24);
  dibAttachBitmap(d.h, section);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(dibGetHandle(d.h)), 1u);
  EXPECT_EQ(dibGetWidth(d.h), 4);
  EXPECT_EQ(dibGetDibData(d.h), bits);
  dibPutPixel(d.h, 0, 2, 0x0000FF);  // bottom row is first in memory
  EXPECT_EQ(static_cast<uint8_t*>(bits)[2], 0xFF);
  EXPECT_EQ(CreateDibFrom(d.h), nullptr);
  EXPECT_EQ(dibSaveToFile(d.h, TempName("attached.bmp").c_str()), 0);

  Dib d8(8);  // only 24-bit objects attach
  dibAttachBitmap(d8.h, section);
  EXPECT_EQ(dibGetHandle(d8.h), nullptr);
  FreeDibObject(d.h);
  d.h = nullptr;
  EXPECT_EQ(plat::DeleteObject(section), 1);  // the object never owned the section
}

TEST(DibObject, AllocationFailureLeavesNoBlock) {
  Dib d(24);
  dibSetAttributes(d.h, 1 << 30, 1 << 30);
  EXPECT_EQ(dibGetHandle(d.h), nullptr);
  EXPECT_EQ(dibGetWidth(d.h), 1 << 30);
  dibPutPixel(d.h, 0, 0, 0);
  EXPECT_EQ(dibGetPixel(d.h, 0, 0), 0xFFFFFFFFu);
  dibSetAttributes(d.h, -5, 3);
  EXPECT_EQ(dibGetHandle(d.h), nullptr);
}

}  // namespace
