// Blended transforms through the work image: the work image's exact content (compared with
// DrawMerge of an image built by hand), the marker colour counting as unwritten, the alpha
// mix, pieces, windows cut by the target's edges, and the scaled copy of an image.
#include <gtest/gtest.h>

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

// An 8-bit sprite: pixel colours given as COLORREFs (each gets its own palette entry, index
// k + 1 for pixel k) and alphas, rows from the top.
std::unique_ptr<TDib8Bits> Sprite(int w, int h, const std::vector<uint32_t>& colours,
                                  const std::vector<int>& alphas) {
  auto d = std::make_unique<TDib8Bits>();
  d->SetAttributes(w, h);
  for (int k = 0; k < w * h; ++k) {
    uint32_t c = colours[k];
    d->DibPal[k + 1] = zkw::TRGBQuad{static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                                     static_cast<uint8_t>(c), 0};
    d->PutPixel(k % w, k / w, k + 1);
  }
  d->TransparentColor = 1;  // the alpha paths ignore the colour key
  d->CreateAlphaChannel();
  for (int k = 0; k < w * h; ++k) d->AlphaDib->PutPixel(k % w, k / w, alphas[k]);
  return d;
}

// A 24-bit image with alpha built by hand: what the work image must hold.
std::unique_ptr<TDib24Bits> Work(int w, int h, const std::vector<uint32_t>& colours,
                                 const std::vector<int>& alphas) {
  auto d = Solid24(w, h, 0);
  d->CreateAlphaChannel();
  for (int k = 0; k < w * h; ++k) {
    d->PutPixel(k % w, k / w, colours[k]);
    d->AlphaDib->PutPixel(k % w, k / w, alphas[k]);
  }
  return d;
}

std::vector<uint8_t> Pixels(const TDibBaseObj& d) {
  return std::vector<uint8_t>(d.DibData, d.DibData + d.DibSize);
}

constexpr uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kMagenta = 0xFF00FF;

// `draw` on a fresh grey target equals DrawMerge of the hand-built work image at (wx, wy).
template <class Draw>
void ExpectWork(Draw&& draw, const TDib24Bits& work, int wx, int wy, uint16_t AMerge,
                const char* what) {
  auto got = Solid24(12, 10, 0x808080), want = Solid24(12, 10, 0x808080);
  draw(*got);
  want->DrawMerge(wx, wy, const_cast<TDib24Bits*>(&work), 0, 0, work.Width(), work.Height(), 1, 1,
                  AMerge);
  EXPECT_EQ(Pixels(*got), Pixels(*want)) << what;
}

}  // namespace

TEST(TransformEx, ScaleExWorkImageContent) {
  // 200 %: blocks of 3 x 3 from (2i, 2j); a pixel keeps the first colour that reaches it.
  auto src = Sprite(2, 1, {kRed, kBlue}, {255, 128});
  auto work = Work(4, 2, {kRed, kRed, kRed, kBlue, kRed, kRed, kRed, kBlue},
                   {255, 255, 255, 128, 255, 255, 255, 128});
  ExpectWork([&](TDib24Bits& t) { dibScaleEx(&t, 3, 2, 200, 200, src.get(), 0, 0, 2, 1, 70); },
             *work, 3, 2, 70, "200 %");
  // 50 %: the four pixels of a 2 x 2 source meet in one work pixel: the first colour, the
  // alpha mixed in order: 40, then (40 + 80) shr 1 = 60, (60 + 200) shr 1 = 130, then 65.
  auto four = Sprite(2, 2, {kGreen, kRed, kBlue, kRed}, {40, 80, 200, 0});
  auto one = Work(1, 1, {kGreen}, {65});
  ExpectWork([&](TDib24Bits& t) { t.ScaleEx(5, 5, 50, 50, four.get(), 0, 0, 2, 2, 100); }, *one,
             5, 5, 100, "50 %");
  // The piece: (1, 0, 5, 1) of a 3 x 1 source is limited to 2 pixels.
  auto three = Sprite(3, 1, {kRed, kGreen, kBlue}, {255, 255, 255});
  auto piece = Work(4, 2, {kGreen, kGreen, kGreen, kBlue, kGreen, kGreen, kGreen, kBlue},
                    std::vector<int>(8, 255));
  ExpectWork([&](TDib24Bits& t) { t.ScaleEx(0, 0, 200, 200, three.get(), 1, 0, 5, 1, 100); },
             *piece, 0, 0, 100, "piece");
}

TEST(TransformEx, MarkerColourCountsAsUnwritten) {
  // A magenta pixel leaves its work pixel unwritten: the next pixel still writes its colour,
  // while the alpha mixes both (first 100, then (100 + 200) shr 1 = 150).
  auto src = Sprite(2, 1, {kMagenta, kGreen}, {100, 200});
  auto small = Work(1, 1, {kGreen}, {150});
  ExpectWork([&](TDib24Bits& t) { t.ScaleEx(2, 2, 50, 100, src.get(), 0, 0, 2, 1, 100); }, *small,
             2, 2, 100, "small");
  // Enlarging (rx 200, ry 100): the magenta block (0..2, 0) stays unwritten with alpha 100;
  // the green block (2..4, 0) writes (2, 0) with alpha (100 + 200) shr 1 and (3, 0) with 200.
  auto big = Work(4, 1, {kMagenta, kMagenta, kGreen, kGreen}, {100, 100, 150, 200});
  ExpectWork([&](TDib24Bits& t) { t.ScaleEx(1, 1, 200, 100, src.get(), 0, 0, 2, 1, 100); }, *big,
             1, 1, 100, "big");
  // A red first pixel is written, so the green one does not replace it.
  auto red = Sprite(2, 1, {kRed, kGreen}, {100, 200});
  auto kept = Work(1, 1, {kRed}, {150});
  ExpectWork([&](TDib24Bits& t) { t.ScaleEx(0, 0, 50, 100, red.get(), 0, 0, 2, 1, 100); }, *kept,
             0, 0, 100, "first writer");
}

TEST(TransformEx, ScaleExShortcutsAndRefusals) {
  std::mt19937 rng(3);
  std::vector<uint32_t> colours(6 * 5);
  std::vector<int> alphas(6 * 5);
  for (auto& c : colours) c = rng() & 0xFFFFFF;
  for (auto& a : alphas) a = static_cast<int>(rng() % 256);
  auto src = Sprite(6, 5, colours, alphas);
  // 100 % is DrawMerge of the piece.
  auto a = Solid24(10, 10, 0x404040), b = Solid24(10, 10, 0x404040);
  a->ScaleEx(1, -1, 100, 100, src.get(), 2, 1, 3, 9, 60);
  b->DrawMerge(1, -1, src.get(), 2, 1, 3, 9, 1, 1, 60);
  EXPECT_EQ(Pixels(*a), Pixels(*b));
  // Without an alpha companion: Scale, the piece and AMerge unused.
  auto plain = Sprite(6, 5, colours, alphas);
  plain->FreeAlpha();
  auto c = Solid24(14, 12, 0x404040), d = Solid24(14, 12, 0x404040);
  c->ScaleEx(0, 0, 200, 200, plain.get(), 3, 3, 1, 1, 10);
  d->Scale(0, 0, 200, 200, plain.get());
  EXPECT_EQ(Pixels(*c), Pixels(*d));
  // Nothing for xx or yy below 0, a factor of 0, a 24-bit source or an 8-bit target.
  auto before = Pixels(*a);
  a->ScaleEx(0, 0, 200, 200, src.get(), -1, 0, 2, 2, 100);
  a->ScaleEx(0, 0, 0, 200, src.get(), 0, 0, 2, 2, 100);
  a->RotateEx(0, 0, 0, src.get(), 0, -1, 2, 2, 100);
  a->ScaleEx(0, 0, 200, 200, a.get(), 0, 0, 2, 2, 100);
  EXPECT_EQ(Pixels(*a), before);
  auto t8 = Sprite(2, 2, {kRed, kRed, kRed, kRed}, {255, 255, 255, 255});
  auto before8 = Pixels(*t8);
  t8->ScaleEx(0, 0, 200, 200, src.get(), 0, 0, 2, 2, 100);
  t8->RotateEx(0, 0, 0, src.get(), 0, 0, 2, 2, 100);
  EXPECT_EQ(Pixels(*t8), before8);
}

TEST(TransformEx, RotateExWorkImage) {
  // 0 degrees: each pixel and its right neighbour where unwritten: A A B over a 3-wide work
  // row of the 3 x 3 work image (S = 2 + 1, c = 1), drawn at (x + 1 - 1, y + 0 - 1).
  auto src = Sprite(2, 1, {kRed, kBlue}, {255, 200});
  auto work0 = Work(3, 3, {kMagenta, kMagenta, kMagenta, kRed, kRed, kBlue, kMagenta, kMagenta,
                           kMagenta},
                    {0, 0, 0, 255, 255, 200, 0, 0, 0});
  ExpectWork([&](TDib24Bits& t) { dibRotateEx(&t, 4, 4, 0, src.get(), 0, 0, 2, 1, 80); }, *work0,
             4, 3, 80, "0 degrees");
  // 90 degrees of a 2 x 2 sprite (S = 3, c = 1): pixel (i, j), r = i - 1, t = j - 1, lands at
  // (1 - t, 1 + r) and its right neighbour.
  auto sq = Sprite(2, 2, {kRed, kGreen, kBlue, 0x00FFFF}, {255, 255, 255, 255});
  auto work90 = Work(3, 3,
                     {kMagenta, kBlue, kRed, kMagenta, 0x00FFFF, kGreen, kMagenta, kMagenta,
                      kMagenta},
                     {0, 255, 255, 0, 255, 255, 0, 0, 0});
  ExpectWork([&](TDib24Bits& t) { t.RotateEx(2, 2, 90, sq.get(), 0, 0, 2, 2, 100); }, *work90, 2,
             2, 100, "90 degrees");
}

TEST(TransformEx, WindowsCutByTheTargetEdgeDrawTheSamePixels) {
  // Drawing partly off a small target gives the pixels the same call gives on a large target
  // where everything fits.
  std::mt19937 rng(5);
  std::vector<uint32_t> colours(9 * 7);
  std::vector<int> alphas(9 * 7);
  for (auto& c : colours) c = (rng() & 0xFFFFFF) | 0x010101;
  for (auto& a : alphas) a = static_cast<int>(rng() % 256);
  colours[5] = kMagenta;
  auto src = Sprite(9, 7, colours, alphas);
  auto check = [&](const char* what, auto draw) {
    auto small = Solid24(12, 9, 0x336699), large = Solid24(60, 60, 0x336699);
    draw(*small, -4, -5);
    draw(*large, 20, 20);
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 12; ++x)
        ASSERT_EQ(small->GetPixel(x, y), large->GetPixel(x + 24, y + 25)) << what << " " << x << "," << y;
  };
  check("ScaleEx 250", [&](TDib24Bits& t, int x, int y) {
    t.ScaleEx(x, y, 250, 170, src.get(), 1, 0, 8, 7, 90);
  });
  check("ScaleEx 60", [&](TDib24Bits& t, int x, int y) {
    t.ScaleEx(x, y, 60, 90, src.get(), 0, 0, 9, 7, 100);
  });
  check("RotateEx", [&](TDib24Bits& t, int x, int y) {
    t.RotateEx(x, y, 33, src.get(), 0, 1, 9, 6, 100);
  });
  check("ScaleRotateEx", [&](TDib24Bits& t, int x, int y) {
    t.ScaleRotateEx(x, y, 180, 130, 300, src.get(), 0, 0, 9, 7, 75);
  });
}

TEST(TransformEx, ScaleRotateExAtZeroDegreesAndDefaults) {
  // 1 x 1 sprite, 100 %: S = 1, the block (0, 0)-(2, 2) clipped to the single work pixel.
  auto dot = Sprite(1, 1, {kGreen}, {255});
  auto work = Work(1, 1, {kGreen}, {255});
  ExpectWork([&](TDib24Bits& t) { dibScaleRotateEx(&t, 3, 4, 100, 100, 0, dot.get(), 0, 0, 1, 1, 100); },
             *work, 3, 4, 100, "dot");
  // 2 x 1 at 100 %, 0 degrees: S = Round(100 x 3 / 100) = 3, c = 1; blocks of 3 x 3 from
  // (c - 1 + i, c) drawn at (x + 1 - 1, y - 1).
  auto two = Sprite(2, 1, {kRed, kBlue}, {255, 90});
  auto work2 = Work(3, 3, {kMagenta, kMagenta, kMagenta, kRed, kRed, kRed, kRed, kRed, kRed},
                    {0, 0, 0, 255, 255, 255, 255, 255, 255});
  ExpectWork([&](TDib24Bits& t) { t.ScaleRotateEx(5, 5, 100, 100, 0, two.get(), 0, 0, 2, 1, 100); },
             *work2, 5, 4, 100, "two");
}

TEST(TransformEx, GetScaleDib) {
  auto src = Sprite(10, 10, std::vector<uint32_t>(100, kRed), std::vector<int>(100, 200));
  auto* half = static_cast<TDib24Bits*>(dibGetScaleDib(50, 50, src.get()));
  ASSERT_NE(half, nullptr);
  EXPECT_EQ(half->Width(), 5);
  EXPECT_EQ(half->Height(), 5);
  ASSERT_NE(half->AlphaDib, nullptr);
  // Four source pixels per result pixel: alpha 200 mixed with 200 stays 200.
  EXPECT_EQ(half->GetPixelEx(4, 4), kRed);
  EXPECT_EQ(half->AlphaDib->GetPixel(4, 4), 200u);
  FreeDibObject(half);
  // 100 % with alpha copies pixels and alpha.
  auto sprite = Sprite(3, 2, {kRed, kGreen, kBlue, kRed, kGreen, kBlue}, {1, 2, 3, 4, 5, 6});
  auto* same = static_cast<TDib24Bits*>(dibGetScaleDib(100, 100, sprite.get()));
  ASSERT_NE(same, nullptr);
  EXPECT_EQ(same->GetPixelEx(2, 1), kBlue);
  EXPECT_EQ(same->AlphaDib->GetPixel(2, 1), 6u);
  FreeDibObject(same);
  // 150 %: ScaleBigEx over the whole source (4 x 3 result); unwritten pixels keep the marker.
  auto* big = static_cast<TDib24Bits*>(dibGetScaleDib(150, 150, sprite.get()));
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(big->Width(), 4);
  EXPECT_EQ(big->Height(), 3);
  EXPECT_EQ(big->GetPixelEx(0, 0), kRed);
  EXPECT_EQ(big->GetPixelEx(1, 0), kRed);  // pixel 0 covers (0..1, 0..1) first
  EXPECT_EQ(big->GetPixelEx(2, 0), kGreen);
  EXPECT_EQ(big->GetPixelEx(3, 0), kBlue);
  EXPECT_EQ(big->AlphaDib->GetPixel(3, 2), 6u);
  FreeDibObject(big);
  // Without alpha: filled with the top-left colour, then Scale (keyed pixels show the fill).
  auto plain = Sprite(2, 1, {kRed, kGreen}, {0, 0});
  plain->FreeAlpha();
  plain->TransparentColor = 2;  // the green pixel
  auto* p = static_cast<TDib24Bits*>(dibGetScaleDib(200, 100, plain.get()));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->AlphaDib, nullptr);
  EXPECT_EQ(p->GetPixelEx(3, 0), kRed);
  FreeDibObject(p);
  // Refusals: a 24-bit source, a factor of 0, a result without pixels.
  auto rgb = Solid24(10, 10, kRed);
  EXPECT_EQ(dibGetScaleDib(50, 50, rgb.get()), nullptr);
  EXPECT_EQ(dibGetScaleDib(0, 50, src.get()), nullptr);
  EXPECT_EQ(dibGetScaleDib(1, 50, src.get()), nullptr);
}
