// Shear, run scaling along offset tables, flips and the offset-table fillers.
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

TEST(TransformShear, RowsShiftAboutThePivotRow) {
  // hy = 1, pivot row 1: row 0 moves right by 1, row 2 left by 1; OrgX x hx = 0.5 x 3 = 1.5
  // rounds to 2 (half to even), moving every row down by 2. The key is not drawn.
  auto src = Indexed(2, 3, {1, 2, 3, 0, 5, 6});
  auto t = Solid24(4, 6, 0xFFFFFF);
  dibShear(t.get(), 1, 0, 3, 1, 0.5, 1.0, src.get());
  const int _ = -1;
  ExpectGrid(*t,
             {_, _, _, _,  //
              _, _, _, _,  //
              _, _, 1, 2,  //
              _, 3, _, _,  //
              5, 6, _, _,  //
              _, _, _, _},
             "shear");
  // hx = hy = 0 draws like DrawTransparent (8-bit and 24-bit targets, clipped).
  std::mt19937 rng(9);
  std::vector<int> px(7 * 5);
  for (int& p : px) p = static_cast<int>(rng() % 3);
  auto big = Indexed(7, 5, px);
  auto a = Solid24(6, 6, 0x102030), b = Solid24(6, 6, 0x102030);
  a->Shear(-2, 3, 4, 4, 0, 0, big.get());
  b->DrawTransparent(-2, 3, big.get(), 1, 1);
  EXPECT_EQ(Pixels(*a), Pixels(*b));
  auto a8 = Indexed(6, 6, std::vector<int>(36, 9)), b8 = Indexed(6, 6, std::vector<int>(36, 9));
  a8->Shear(2, -1, 0, 0, 0, 0, big.get());
  b8->DrawTransparent(2, -1, big.get(), 1, 1);
  EXPECT_EQ(Pixels(*a8), Pixels(*b8));
  // Offsets no image could reach draw nothing.
  auto before = Pixels(*a);
  a->Shear(0, 0, 1, 0, 1e300, 0, big.get());
  a->Shear(0, 0, 0, 1, 0, std::nan(""), big.get());
  EXPECT_EQ(Pixels(*a), before);
}

TEST(TransformRun, ScaledColumnsAndRows) {
  // A column of two pixels at Rate 100 from y = 0: pixel k (1-based) runs from row k to k + 1.
  auto col = Indexed(1, 2, {4, 5});
  auto t = Solid24(3, 5, 0xFFFFFF);
  dibDrawScaledColumn(t.get(), 1, 0, col.get(), 100, 0);
  const int _ = -1;
  ExpectGrid(*t, {_, _, _, _, 4, _, _, 5, _, _, 5, _, _, _, _}, "column");
  // Rate 250 on a row: pixel k from column (250 k) div 100 = 2, 5, runs of 3.
  auto row = Indexed(2, 1, {6, 0});
  auto r = Solid24(9, 1, 0xFFFFFF);
  r->DrawScaledRow(0, 0, row.get(), 250, 0);
  ExpectGrid(*r, {_, _, 6, 6, 6, _, _, _, _}, "row");
  // With an alpha companion: BarMerge at Round(alpha / 255 x 100) %, alpha 0 skipped, no key.
  auto a = Indexed(1, 2, {0, 7});
  a->CreateAlphaChannel();
  a->AlphaDib->PutPixel(0, 0, 128);  // 50 %
  a->AlphaDib->PutPixel(0, 1, 0);
  auto m = Solid24(1, 4, 0x646464);  // 100 in every channel
  m->DrawScaledColumn(0, 0, a.get(), 100, 0);
  // Pixel 1 (index 0 = red 0, green 0, blue 0) at 50 %: 100 / 2 = 50.
  EXPECT_EQ(m->GetPixelEx(0, 1), 0x323232u);
  EXPECT_EQ(m->GetPixelEx(0, 2), 0x323232u);
  EXPECT_EQ(m->GetPixelEx(0, 3), 0x646464u);
  // 8-bit targets take indexes; a 24-bit source draws nothing on either depth.
  auto t8 = Indexed(1, 4, {9, 9, 9, 9});
  t8->DrawScaledColumn(0, 0, col.get(), 100, 0);
  EXPECT_EQ(t8->GetPixel(0, 1), 4u);
  EXPECT_EQ(t8->GetPixel(0, 3), 5u);
  auto rgb = Solid24(1, 2, 0);
  auto before = Pixels(*t);
  t->DrawScaledColumn(0, 0, rgb.get(), 100, 0);
  t->DrawScaledColumn(0, 0, col.get(), 100, 5);  // no such column
  EXPECT_EQ(Pixels(*t), before);
}

TEST(TransformRun, RunScaleFollowsTheRunLineSet) {
  // Source columns 0, 1, ... of a 3 x 2 image from target column 4; target column tx runs from
  // LData[tx] to LData[1025 + tx]: rate Round((end - start) / 2 x 100).
  auto src = Indexed(3, 2, {1, 2, 3, 4, 5, 6});
  std::vector<int16_t> lines(2 * 1025, 0);
  lines[4] = 0, lines[1025 + 4] = 2;  // rate 100
  lines[5] = 1, lines[1025 + 5] = 5;  // rate 200
  lines[6] = 0, lines[1025 + 6] = 2;
  auto t = Solid24(8, 8, 0xFFFFFF);
  dibRunScaleY(t.get(), 4, 99, src.get(), lines.data(), 0, 6);
  // Column 4 shows source column 0 (1 over 4) at rate 100: rows 1..2 and 2..3.
  EXPECT_EQ(t->GetPixelEx(4, 0), 0xFFFFFFu);
  EXPECT_EQ(t->GetPixelEx(4, 1), Col(1));
  EXPECT_EQ(t->GetPixelEx(4, 2), Col(4));
  EXPECT_EQ(t->GetPixelEx(4, 3), Col(4));
  // Column 5 shows source column 1 at rate 200 from row 1: rows 3..5 and 5..7.
  EXPECT_EQ(t->GetPixelEx(5, 3), Col(2));
  EXPECT_EQ(t->GetPixelEx(5, 5), Col(5));
  EXPECT_EQ(t->GetPixelEx(5, 7), Col(5));
  EXPECT_EQ(t->GetPixelEx(5, 2), 0xFFFFFFu);
  // Limit 6 stops before column 6 (source column 2).
  for (int y = 0; y < 8; ++y) EXPECT_EQ(t->GetPixelEx(6, y), 0xFFFFFFu);
  // The row variant: target row 2 shows source row 0 from column rl[2] = 1.
  auto r = Solid24(8, 4, 0xFFFFFF);
  std::vector<int16_t> rl(2 * 1025, 0);
  rl[2] = 1, rl[1025 + 2] = 4;  // rate Round(3 / 3 x 100) = 100
  r->RunScaleX(99, 2, src.get(), rl.data(), 0, 3);
  EXPECT_EQ(r->GetPixelEx(2, 2), Col(1));
  EXPECT_EQ(r->GetPixelEx(3, 2), Col(2));
  EXPECT_EQ(r->GetPixelEx(4, 2), Col(3));
  EXPECT_EQ(r->GetPixelEx(5, 2), Col(3));
  EXPECT_EQ(r->GetPixelEx(1, 2), 0xFFFFFFu);
  // OrgX beyond the source and a missing table draw nothing.
  auto before = Pixels(*t);
  t->RunScaleY(0, 0, src.get(), lines.data(), 3, 1025);
  t->RunScaleY(0, 0, src.get(), nullptr, 0, 1025);
  EXPECT_EQ(Pixels(*t), before);
}

TEST(TransformFlip, FlipsMovePixelsAndAlphaAndTwiceRestore) {
  std::mt19937 rng(13);
  for (int bits : {8, 24})
    for (int w : {1, 4, 5})
      for (int h : {1, 2, 3}) {
        auto* d = static_cast<TDibBaseObj*>(CreateDibObject(static_cast<uint8_t>(bits)));
        d->SetAttributes(w, h);
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) d->PutPixel(x, y, rng() & 0xFFFFFF);
        d->CreateAlphaChannel();
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) d->AlphaDib->PutPixel(x, y, rng() & 0xFF);
        auto pixels = Pixels(*d), alpha = Pixels(*d->AlphaDib);
        const uint32_t corner = d->GetPixel(0, 0), acorner = d->AlphaDib->GetPixel(0, 0);
        dibFlipHorizontal(d);
        EXPECT_EQ(d->GetPixel(w - 1, 0), corner);
        EXPECT_EQ(d->AlphaDib->GetPixel(w - 1, 0), acorner);
        dibFlipHorizontal(d);
        EXPECT_EQ(Pixels(*d), pixels) << bits << " " << w << "x" << h;
        dibFlipVertical(d);
        EXPECT_EQ(d->GetPixel(0, h - 1), corner);
        EXPECT_EQ(d->AlphaDib->GetPixel(0, h - 1), acorner);
        dibFlipVertical(d);
        EXPECT_EQ(Pixels(*d), pixels);
        EXPECT_EQ(Pixels(*d->AlphaDib), alpha);
        FreeDibObject(d);
      }
  // A 24-bit pixel keeps its colour when moved.
  auto c = Solid24(3, 1, 0xFFFFFF);
  c->PutPixel(0, 0, 0x0000FF);
  c->FlipHorizontal();
  EXPECT_EQ(c->GetPixelEx(2, 0), 0x0000FFu);
  TDib24Bits empty;
  empty.FlipVertical();  // no block: nothing
}

TEST(TransformLines, GetLineAndGetSinLine) {
  std::vector<int16_t> v(1025, 77);
  GetLine(0, 0, 1024, 0, v.data(), 1);
  for (int i = 0; i < 1025; ++i) ASSERT_EQ(v[i], 0) << i;
  // Mode other than 1 stores x by y; a vertical line stores its x for every y.
  std::vector<int16_t> w(1025, 77);
  GetLine(5, 2, 5, 6, w.data(), 0);
  for (int y = 2; y <= 6; ++y) EXPECT_EQ(w[y], 5);
  EXPECT_EQ(w[1], 77);
  EXPECT_EQ(w[7], 77);
  // A sloped line with the walk of Line; indexes outside 0..1024 are skipped.
  std::vector<int16_t> s(1025, 77);
  GetLine(-2, 10, 4, 7, s.data(), 1);
  EXPECT_EQ(s[0], 9);
  EXPECT_EQ(s[2], 8);
  EXPECT_EQ(s[4], 7);
  EXPECT_EQ(s[5], 77);
  std::vector<int16_t> far(1025, 77);
  GetLine(1020, 3, 1030, 3, far.data(), 1);
  EXPECT_EQ(far[1024], 3);
  EXPECT_EQ(far[1019], 77);
  // Sine: Values[i] = Round(sin(i / B) x A).
  std::vector<int16_t> sine(1025, 77);
  GetSinLine(10, 1, sine.data());
  EXPECT_EQ(sine[0], 0);
  EXPECT_EQ(sine[2], 9);
  EXPECT_EQ(sine[4], -8);   // sin 4 = -0.7568
  EXPECT_EQ(sine[1024], static_cast<int16_t>(std::nearbyint(std::sin(1024.0) * 10)));
  // B = 0 is no number: 0 everywhere; values beyond 16 bits keep their low 16 bits.
  GetSinLine(10, 0, sine.data());
  EXPECT_EQ(sine[0], 0);
  EXPECT_EQ(sine[3], 0);
  GetSinLine(70000, 1e9, sine.data());  // sin(i / B) x A is about 7e-5 i
  EXPECT_EQ(sine[1000], 0);
  GetSinLine(-65537 * 2, 2 / 3.14159265358979323846 * 1000, sine.data());
  EXPECT_EQ(sine[1000], -2);  // -131074 keeps its low 16 bits
}
