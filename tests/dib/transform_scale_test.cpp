// Plain transforms: scaling blocks and overwrite order, shadows, rotation by 0 and 90 degrees,
// scaled rotation against the per-pixel rule, depth pairs and do-nothing cases.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "support/dib_builders.h"
#include "dib/dib24.h"
#include "dib/dib8.h"
#include "exports/zkwgdi32.h"

using zkw::TDib24Bits;
using zkw::TDib8Bits;
using zkw::TDibBaseObj;

namespace {

using zkwtest::Col;
using zkwtest::ExpectGrid;
using zkwtest::Indexed;
using zkwtest::Solid24;

std::vector<uint8_t> Pixels(const TDibBaseObj& d) {
  return std::vector<uint8_t>(d.DibData, d.DibData + d.DibSize);
}

}  // namespace

TEST(TransformScale, BlocksOverlapAndLaterPixelsWin) {
  // 2 x 2 source: 1 2 / key 4, scaled 200 % at (1, 1): 3 x 3 blocks from (1 + 2i, 1 + 2j).
  auto src = Indexed(2, 2, {1, 2, 0, 4});
  auto t = Solid24(7, 7, 0xFFFFFF);
  dibScale(t.get(), 1, 1, 200, 200, src.get());
  const int _ = -1;
  ExpectGrid(*t,
             {_, _, _, _, _, _, _,  //
              _, 1, 1, 2, 2, 2, _,  //
              _, 1, 1, 2, 2, 2, _,  //
              _, 1, 1, 4, 4, 4, _,  //
              _, _, _, 4, 4, 4, _,  //
              _, _, _, 4, 4, 4, _,  //
              _, _, _, _, _, _, _},
             "200 %");
  // The same onto an 8-bit target writes the indexes; rx = 150, ry = 100 enlarges with blocks
  // 2 wide and 2 tall (ry div 100 = 1).
  auto t8 = Indexed(6, 3, std::vector<int>(18, 9));
  t8->Scale(0, 0, 150, 100, src.get());
  const std::vector<int> want8 = {1, 2, 2, 9, 9, 9,  //
                                  1, 4, 4, 9, 9, 9,  //
                                  9, 4, 4, 9, 9, 9};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(t8->GetPixel(x, y), uint32_t(want8[y * 6 + x])) << x << "," << y;
}

TEST(TransformScale, ShrinkingPutsOnePixelPerSourcePixel) {
  // 5 x 1 at 50 %: columns 0 0 1 1 2; the later pixel of a pair wins, keyed pixels never draw.
  auto src = Indexed(5, 1, {1, 2, 3, 0, 5});
  auto t = Solid24(4, 1, 0xFFFFFF);
  t->Scale(1, 0, 50, 50, src.get());
  ExpectGrid(*t, {-1, 2, 3, 5}, "50 %");
  // 100 % draws like DrawTransparent, clipped the same way.
  std::mt19937 rng(7);
  std::vector<int> px(9 * 6);
  for (int& p : px) p = static_cast<int>(rng() % 4);
  auto big = Indexed(9, 6, px);
  auto a = Solid24(8, 8, 0x123456), b = Solid24(8, 8, 0x123456);
  a->Scale(-2, 3, 100, 100, big.get());
  b->DrawTransparent(-2, 3, big.get(), 1, 1);
  EXPECT_EQ(Pixels(*a), Pixels(*b));
  // A 24-bit source is drawn in its own colours, without a colour key; onto an 8-bit target
  // it draws nothing. A factor of 0 draws nothing.
  auto rgb = Solid24(2, 1, 0x0000FF);
  auto c = Solid24(3, 1, 0xFFFFFF);
  c->Scale(0, 0, 100, 100, rgb.get());
  EXPECT_EQ(c->GetPixelEx(1, 0), 0x0000FFu);
  EXPECT_EQ(c->GetPixelEx(2, 0), 0xFFFFFFu);
  auto t8 = Indexed(3, 1, {9, 9, 9});
  t8->Scale(0, 0, 100, 100, rgb.get());
  EXPECT_EQ(t8->GetPixel(0, 0), 9u);
  auto before = Pixels(*c);
  c->Scale(0, 0, 0, 100, src.get());
  c->Scale(0, 0, 100, 0, src.get());
  EXPECT_EQ(Pixels(*c), before);
}

TEST(TransformScale, ShadowDarkensWhereSourcePixelsFallOncePerPixel) {
  auto src = Indexed(2, 1, {1, 0});
  auto t = Solid24(4, 2, 0x3264C8);  // red 200, green 100, blue 50
  dibScaleShadow(t.get(), 1, 0, 100, 100, 50, src.get());
  EXPECT_EQ(t->GetPixelEx(1, 0), 0x193264u);
  EXPECT_EQ(t->GetPixelEx(2, 0), 0x3264C8u);  // under the transparent pixel
  EXPECT_EQ(t->GetPixelEx(0, 0), 0x3264C8u);
  // Shrinking: both pixels of a 2 x 1 source fall on one pixel, which is shaded twice.
  auto two = Indexed(2, 1, {1, 1});
  auto s = Solid24(2, 1, 0x3264C8);
  s->ScaleShadow(0, 0, 50, 50, 50, two.get());
  EXPECT_EQ(s->GetPixelEx(0, 0), 0x0C1932u);  // 200 -> 100 -> 50 and so on
  EXPECT_EQ(s->GetPixelEx(1, 0), 0x3264C8u);
  // Enlarging: blocks of 3 x 3 overlap in column 2, shaded twice there.
  auto e = Solid24(6, 3, 0x3264C8);
  e->ScaleShadow(0, 0, 200, 200, 50, two.get());
  EXPECT_EQ(e->GetPixelEx(1, 1), 0x193264u);
  EXPECT_EQ(e->GetPixelEx(2, 1), 0x0C1932u);
  EXPECT_EQ(e->GetPixelEx(4, 2), 0x193264u);
  EXPECT_EQ(e->GetPixelEx(5, 0), 0x3264C8u);
  // An 8-bit target shades through its shadow table.
  auto t8 = Indexed(2, 1, {7, 7});
  t8->DarkPal[7] = 3;
  t8->ScaleShadow(0, 0, 100, 100, 0, src.get());
  EXPECT_EQ(t8->GetPixel(0, 0), 3u);
  EXPECT_EQ(t8->GetPixel(1, 0), 7u);
}

TEST(TransformRotate, ZeroAndNinetyDegrees) {
  // 0 degrees: every non-transparent pixel and its right neighbour; later pixels overwrite.
  auto row = Indexed(3, 1, {1, 2, 0});
  auto t = Solid24(5, 1, 0xFFFFFF);
  dibRotate(t.get(), 1, 0, 0, row.get());
  ExpectGrid(*t, {-1, 1, 2, 2, -1}, "0 degrees");
  // 90 degrees clockwise about (1, 1) of a 3 x 3 source: pixel (i, j) goes to (1 - (j - 1),
  // 1 + (i - 1)) = (2 - j, i), and its copy to the right is overwritten by the next row's.
  auto sq = Indexed(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  auto r = Solid24(5, 3, 0xFFFFFF);
  r->Rotate(0, 0, 90, sq.get());
  ExpectGrid(*r,
             {7, 7, 4, 1, -1,  //
              8, 8, 5, 2, -1,  //
              9, 9, 6, 3, -1},
             "90 degrees");
  // 180 degrees of a 2 x 1 source: centre (1, 0); pixel 0 lands at 2, pixel 1 at 1.
  auto two = Indexed(2, 1, {1, 2});
  auto h = Solid24(4, 1, 0xFFFFFF);
  h->Rotate(0, 0, 180, two.get());
  ExpectGrid(*h, {-1, 2, 2, 1}, "180 degrees");
}

TEST(TransformRotate, ScaleRotateMatchesThePerPixelRule) {
  std::mt19937 rng(11);
  std::vector<int> px(7 * 5);
  for (int& p : px) p = static_cast<int>(rng() % 5);
  auto src = Indexed(7, 5, px);
  const int cases[][4] = {{100, 100, 0, 0}, {150, 80, 30, 2}, {250, 250, 135, -3},
                          {60, 120, 270, 4}, {100, 300, 359, 1}};
  for (const auto& c : cases) {
    const int rx = c[0], ry = c[1], angle = c[2], x = c[3], y = 1;
    auto got = Solid24(24, 24, 0xFFFFFF), want = Solid24(24, 24, 0xFFFFFF);
    got->ScaleRotate(x, y, rx, ry, static_cast<uint16_t>(angle), src.get());
    const double th = angle * 3.14159265358979323846 / 180;
    for (int j = 0; j < 5; ++j)
      for (int i = 0; i < 7; ++i) {
        int p = px[j * 7 + i];
        if (p == 0) continue;
        double u = (i - 7 / 2) * rx / 100.0, v = (j - 5 / 2) * ry / 100.0;
        int qx = static_cast<int>(std::trunc(std::cos(th) * u - std::sin(th) * v)) + x + rx * (7 / 2) / 100;
        int qy = static_cast<int>(std::trunc(std::sin(th) * u + std::cos(th) * v)) + y + ry * (5 / 2) / 100;
        want->Bar(qx, qy, qx + rx / 100 + 1, qy + ry / 100 + 1, Col(p));
      }
    EXPECT_EQ(Pixels(*got), Pixels(*want)) << rx << " " << ry << " " << angle;
  }
  // Factors of 0 draw nothing.
  auto t = Solid24(4, 4, 0xFFFFFF);
  auto before = Pixels(*t);
  t->ScaleRotate(0, 0, 0, 100, 0, src.get());
  EXPECT_EQ(Pixels(*t), before);
}
