// Row- and column-shifted draws: offsets per row and column, clipping of each shifted run, the
// bounds of the offset table, and the pixel rules of the six variants.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/dib_builders.h"
#include "dib/dib24.h"
#include "dib/dib8.h"
#include "exports/zkwgdi32.h"

using zkw::TDib24Bits;
using zkw::TDib8Bits;

namespace {

using zkwtest::Col;
using zkwtest::ExpectGrid;
using zkwtest::Indexed;
using zkwtest::Solid24;

constexpr uint32_t kWhite = 0xFFFFFF;

// A 3 x 4 8-bit source: pixel (x, y) has index 1 + x + 3y and palette entry i is grey i, so
// the target's blue byte tells which source pixel landed there.
std::unique_ptr<TDib8Bits> Numbered() {
  auto s = std::make_unique<TDib8Bits>();
  s->SetAttributes(3, 4);
  for (int i = 0; i < 256; ++i)
    s->DibPal[i] = zkw::TRGBQuad{static_cast<uint8_t>(i), static_cast<uint8_t>(i),
                                 static_cast<uint8_t>(i), 0};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 3; ++x) s->PutPixel(x, y, static_cast<uint32_t>(1 + x + 3 * y));
  s->TransparentColor = 0;
  return s;
}

// Source index shown at a target pixel (0 = untouched white shows as 255).
int Shown(TDib24Bits& t, int x, int y) { return t.PixelAddress(x, y)[0]; }

TEST(CompositeShifted, RowsMoveByTheirOffsetsAndClipOneByOne) {
  auto s = Numbered();
  std::vector<int16_t> lines(1025, 0);
  lines[5] = 0;
  lines[6] = 1;
  lines[7] = -3;
  lines[8] = 10;
  auto t = Solid24(8, 6, kWhite);
  t->DrawNormalOnLineY(2, 1, s.get(), 0, 0, 3, 4, 1, 1, lines.data(), 5);
  EXPECT_EQ(Shown(*t, 2, 1), 1);  // row 0 at column 2
  EXPECT_EQ(Shown(*t, 4, 1), 3);
  EXPECT_EQ(Shown(*t, 3, 2), 4);  // row 1 one column to the right
  EXPECT_EQ(Shown(*t, 2, 2), 255);
  EXPECT_EQ(Shown(*t, 0, 3), 8);  // row 2 from column -1: its first pixel is cut off
  EXPECT_EQ(Shown(*t, 1, 3), 9);
  EXPECT_EQ(Shown(*t, 2, 3), 255);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(Shown(*t, x, 4), 255) << x;  // row 3 fell off the right

  // Mirrored rows keep their offsets; the rows themselves are reversed.
  t = Solid24(8, 6, kWhite);
  t->DrawNormalOnLineY(2, 1, s.get(), 0, 0, 3, 4, -1, 1, lines.data(), 5);
  EXPECT_EQ(Shown(*t, 2, 1), 3);
  EXPECT_EQ(Shown(*t, 5, 2), 4);

  // Vertical clipping as for a piece: rows above the target are skipped, the offsets still
  // belong to their piece rows.
  t = Solid24(8, 6, kWhite);
  t->DrawNormalOnLineY(2, -2, s.get(), 0, 0, 3, 4, 1, 1, lines.data(), 5);
  EXPECT_EQ(Shown(*t, 0, 0), 8);
  EXPECT_EQ(Shown(*t, 1, 0), 9);
  EXPECT_EQ(Shown(*t, 2, 0), 255);

  // Only entries 0..1024 of the table are read: rows past its end are not drawn.
  t = Solid24(8, 6, kWhite);
  t->DrawNormalOnLineY(0, 0, s.get(), 0, 0, 3, 4, 1, 1, lines.data(), 1023);
  EXPECT_EQ(Shown(*t, 0, 0), 1);
  EXPECT_EQ(Shown(*t, 0, 1), 4);
  EXPECT_EQ(Shown(*t, 0, 2), 255);
  t->DrawNormalOnLineY(0, 0, s.get(), 0, 0, 3, 4, 1, 1, lines.data(), -2);
  EXPECT_EQ(Shown(*t, 0, 2), 7);  // piece row 2 reads entry 0
  t->DrawNormalOnLineY(0, 0, s.get(), 0, 0, 3, 4, 1, 1, nullptr, 0);
}

TEST(CompositeShifted, ColumnsMoveByTheirOffsets) {
  auto s = Numbered();
  std::vector<int16_t> lines(1025, 0);
  lines[0] = 0;
  lines[1] = 2;
  lines[2] = -1;
  auto t = Solid24(6, 8, kWhite);
  t->DrawNormalOnLineX(1, 1, s.get(), 0, 0, 3, 4, 1, 1, lines.data(), 0);
  EXPECT_EQ(Shown(*t, 1, 1), 1);
  EXPECT_EQ(Shown(*t, 1, 4), 10);
  EXPECT_EQ(Shown(*t, 2, 3), 2);   // column 1 two rows down
  EXPECT_EQ(Shown(*t, 2, 6), 11);
  EXPECT_EQ(Shown(*t, 3, 0), 3);   // column 2 one row up
  EXPECT_EQ(Shown(*t, 3, 3), 12);
  int columns = 0;
  for (int x = 0; x < 6; ++x) {
    bool drawn = false;
    for (int y = 0; y < 8; ++y) drawn = drawn || Shown(*t, x, y) != 255;
    columns += drawn;
  }
  EXPECT_EQ(columns, 3);
  // Vertically mirrored columns, the top one cut by the target edge.
  t = Solid24(6, 8, kWhite);
  lines[2] = -2;
  t->DrawNormalOnLineX(1, 1, s.get(), 0, 0, 3, 4, 1, -1, lines.data(), 0);
  EXPECT_EQ(Shown(*t, 1, 1), 10);
  EXPECT_EQ(Shown(*t, 3, 0), 9);  // rows -1 and 0 of column 2: the first is cut off
  EXPECT_EQ(Shown(*t, 3, 2), 3);
}

TEST(CompositeShifted, PixelRulesOfTheVariants) {
  std::vector<int16_t> zero(1025, 0);
  auto s = Numbered();
  s->TransparentColor = 5;
  auto t = Solid24(4, 5, kWhite);
  t->DrawOnLineY(0, 0, s.get(), 0, 0, 3, 4, 1, 1, zero.data(), 0);
  EXPECT_EQ(Shown(*t, 1, 1), 255);  // index 5 is the key
  EXPECT_EQ(Shown(*t, 0, 1), 4);
  t = Solid24(4, 5, kWhite);
  t->DrawOnLineX(0, 0, s.get(), 0, 0, 3, 4, 1, 1, zero.data(), 0);
  EXPECT_EQ(Shown(*t, 1, 1), 255);
  t->DrawNormalOnLineX(0, 0, s.get(), 0, 0, 3, 4, 1, 1, zero.data(), 0);
  EXPECT_EQ(Shown(*t, 1, 1), 5);  // Normal copies the key too

  // 8-bit source with alpha: BLEND256((alpha x 255) shr 8), alpha 0 skipped, no key test.
  s->CreateAlphaChannel();
  s->AlphaDib->Bar(0, 0, 2, 3, 128);
  s->AlphaDib->PutPixel(0, 0, 0);
  t = Solid24(4, 5, 0x646464);
  t->DrawOnLineY(0, 0, s.get(), 0, 0, 3, 4, 1, 1, zero.data(), 0);
  const int e = (128 * 255) >> 8;
  EXPECT_EQ(Shown(*t, 0, 0), 100);
  EXPECT_EQ(Shown(*t, 1, 1), ((e * 5) >> 8) + (((255 - e) * 100) >> 8));
  // DrawMergeOnLineX takes the key test and no alpha; DrawMergeOnLineY the DrawMerge rules.
  t = Solid24(4, 5, 0x646464);
  t->DrawMergeOnLineX(0, 0, s.get(), 0, 0, 3, 4, 1, 1, zero.data(), 0, 50);
  EXPECT_EQ(Shown(*t, 0, 0), ((128 * 1) >> 8) + ((127 * 100) >> 8));
  EXPECT_EQ(Shown(*t, 1, 1), 100);
  t = Solid24(4, 5, 0x646464);
  t->DrawMergeOnLineY(0, 0, s.get(), 0, 0, 3, 4, 1, 1, zero.data(), 0, 50);
  EXPECT_EQ(Shown(*t, 0, 0), 100);  // alpha 0
  EXPECT_EQ(Shown(*t, 1, 1), (((128 * 128) >> 8) * 5 >> 8) +
                                 (((255 - ((128 * 128) >> 8)) * 100) >> 8));

  // 24-bit sources: BLEND100 for the merge variants, whatever their alpha.
  auto rgb = Solid24(2, 2, 0xC8C8C8);
  rgb->CreateAlphaChannel();
  rgb->AlphaDib->Bar(0, 0, 1, 1, 0);
  t = Solid24(4, 5, 0x646464);
  t->DrawMergeOnLineY(1, 1, rgb.get(), 0, 0, 2, 2, 1, 1, zero.data(), 0, 50);
  t->DrawMergeOnLineX(1, 3, rgb.get(), 0, 0, 2, 1, 1, 1, zero.data(), 0, 150);
  EXPECT_EQ(Shown(*t, 1, 1), 150);
  EXPECT_EQ(Shown(*t, 2, 2), 150);
  EXPECT_EQ(Shown(*t, 1, 3), 200);  // rates above 100 are 100
  EXPECT_EQ(Shown(*t, 0, 0), 100);

  // Exports reach the same operations; 8-bit targets draw nothing.
  ZHANDLE target = CreateDibObject(24);
  dibSetAttributes(target, 4, 5);
  dibBar(target, 0, 0, 3, 4, kWhite);
  dibDrawNormalOnLineX(target, 0, 0, s.get(), 0, 0, 3, 4, 1, 1, zero.data(), 0);
  EXPECT_EQ(dibGetPixelEx(target, 2, 3), 0x0C0C0Cu);
  FreeDibObject(target);
  TDib8Bits eight;
  eight.SetAttributes(4, 5);
  std::vector<uint8_t> before(eight.DibData, eight.DibData + eight.DibSize);
  eight.DrawNormalOnLineY(0, 0, s.get(), 0, 0, 3, 4, 1, 1, zero.data(), 0);
  eight.DrawOnLineX(0, 0, s.get(), 0, 0, 3, 4, 1, 1, zero.data(), 0);
  EXPECT_EQ(std::vector<uint8_t>(eight.DibData, eight.DibData + eight.DibSize), before);
}

}  // namespace
