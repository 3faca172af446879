// Drawing one image into another: exact channel values of every rule, clipping and mirroring of
// pieces, 8-bit targets, attached bitmaps, and random pieces against the per-pixel rules.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "common/round.h"
#include "support/dib_builders.h"
#include "dib/dib24.h"
#include "dib/dib8.h"
#include "exports/zkwgdi32.h"
#include "platform/plat_gdi.h"

using zkw::TDib24Bits;
using zkw::TDib8Bits;
using zkw::TDibBaseObj;

namespace {

using zkwtest::Col;
using zkwtest::ExpectGrid;
using zkwtest::Indexed;
using zkwtest::Solid24;

std::unique_ptr<TDib8Bits> Solid8(int w, int h, uint8_t index) {
  auto d = std::make_unique<TDib8Bits>();
  d->SetAttributes(w, h);
  d->Bar(0, 0, w - 1, h - 1, index);
  return d;
}

// Blue, green, red bytes of a 24-bit pixel.
std::vector<int> Bytes(TDibBaseObj& d, int x, int y) {
  const uint8_t* p = d.PixelAddress(x, y);
  return {p[0], p[1], p[2]};
}

void SetPal(TDib8Bits& d, int index, uint8_t r, uint8_t g, uint8_t b) {
  d.DibPal[index] = zkw::TRGBQuad{b, g, r, 0};
}

int B256(int e, int s, int d) { return ((e * s) >> 8) + (((255 - e) * d) >> 8); }

TEST(CompositeRules, ExactChannelValues) {
  // DrawTransparent of a 1 x 1 source changes exactly one pixel.
  auto t = Solid24(4, 4, 0x101010);
  auto one = Solid8(1, 1, 9);
  one->TransparentColor = 0;
  SetPal(*one, 9, 200, 100, 50);
  t->DrawTransparent(0, 0, one.get(), 1, 1);
  EXPECT_EQ(t->GetPixelEx(0, 0), 0x3264C8u);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      if (x || y) EXPECT_EQ(t->GetPixelEx(x, y), 0x101010u);
  one->TransparentColor = 9;  // now the key: nothing drawn
  t->Bar(0, 0, 3, 3, 0x101010);
  t->DrawTransparent(0, 0, one.get(), 1, 1);
  EXPECT_EQ(t->GetPixelEx(0, 0), 0x101010u);

  // DrawMerge, 8-bit source without alpha, Rate 100: A = 255, so (255 x s) shr 8 (+ 0).
  auto src8 = Solid8(2, 1, 1);
  src8->TransparentColor = 0;
  SetPal(*src8, 1, 200, 0, 255);
  src8->PutPixel(1, 0, 2);
  SetPal(*src8, 2, 0, 0, 0);
  t = Solid24(2, 1, 0xFFFFFF);
  t->DrawMerge(0, 0, src8.get(), 0, 0, 2, 1, 1, 1, 100);
  EXPECT_EQ(Bytes(*t, 0, 0), (std::vector<int>{254, 0, 199}));  // blue, green, red
  EXPECT_EQ(Bytes(*t, 1, 0), (std::vector<int>{0, 0, 0}));      // black stays black
  // Rate 0 of an 8-bit source: (255 x d) shr 8, one less than d.
  t = Solid24(2, 1, 0x646464);
  t->DrawMerge(0, 0, src8.get(), 0, 0, 2, 1, 1, 1, 0);
  EXPECT_EQ(Bytes(*t, 0, 0), (std::vector<int>{99, 99, 99}));
  // Rate 50: A = 128.
  t = Solid24(2, 1, 0x646464);
  t->DrawMerge(0, 0, src8.get(), 0, 0, 2, 1, 1, 1, 50);
  EXPECT_EQ(Bytes(*t, 0, 0), (std::vector<int>{B256(128, 255, 100), B256(128, 0, 100),
                                               B256(128, 200, 100)}));

  // DrawMerge, 24-bit source without alpha: BLEND100.
  auto src24 = Solid24(1, 1, 0xC8C8C8);
  t = Solid24(1, 1, 0x646464);
  t->DrawMerge(0, 0, src24.get(), 0, 0, 1, 1, 1, 1, 50);
  EXPECT_EQ(t->GetPixelEx(0, 0), 0x969696u);  // 50 + 100
  t->DrawMerge(0, 0, src24.get(), 0, 0, 1, 1, 1, 1, 0);
  EXPECT_EQ(t->GetPixelEx(0, 0), 0x969696u);
  t = Solid24(1, 1, 0x0A1E32);
  t->DrawMerge(0, 0, src24.get(), 0, 0, 1, 1, 1, 1, 33);  // 67*50/100 + 33*200/100 = 33 + 66
  EXPECT_EQ(Bytes(*t, 0, 0), (std::vector<int>{10 * 67 / 100 + 66, 30 * 67 / 100 + 66, 99}));
  t->DrawMerge(0, 0, src24.get(), 0, 0, 1, 1, 1, 1, 500);  // above 100: all of the source
  EXPECT_EQ(t->GetPixelEx(0, 0), 0xC8C8C8u);

  // 24-bit source with alpha: e = (alpha x A) shr 8, e = 0 leaves the pixel.
  auto srcA = Solid24(3, 1, 0xC8C8C8);
  srcA->CreateAlphaChannel();
  srcA->AlphaDib->PutPixel(0, 0, 255);
  srcA->AlphaDib->PutPixel(1, 0, 1);  // e = 0 even at Rate 100
  srcA->AlphaDib->PutPixel(2, 0, 100);
  t = Solid24(3, 1, 0x646464);
  t->DrawMerge(0, 0, srcA.get(), 0, 0, 3, 1, 1, 1, 100);
  EXPECT_EQ(Bytes(*t, 0, 0)[0], B256((255 * 255) >> 8, 200, 100));
  EXPECT_EQ(Bytes(*t, 1, 0)[0], 100);
  EXPECT_EQ(Bytes(*t, 2, 0)[0], B256((100 * 255) >> 8, 200, 100));
  t = Solid24(3, 1, 0x646464);
  t->DrawTransparent(0, 0, srcA.get(), 1, 1);  // with alpha: DrawMerge at Rate 100
  EXPECT_EQ(Bytes(*t, 2, 0)[1], B256(99, 200, 100));
  t = Solid24(3, 1, 0x646464);
  t->DrawMerge(0, 0, srcA.get(), 0, 0, 3, 1, 1, 1, 50);
  EXPECT_EQ(Bytes(*t, 2, 0)[2], B256((100 * 128) >> 8, 200, 100));

  // 8-bit source with alpha: only alpha 0 is skipped, no key test.
  auto src8A = Solid8(3, 1, 1);
  src8A->TransparentColor = 1;  // ignored when there is alpha
  SetPal(*src8A, 1, 200, 200, 200);
  src8A->CreateAlphaChannel();
  src8A->AlphaDib->PutPixel(0, 0, 0);
  src8A->AlphaDib->PutPixel(1, 0, 1);  // e = 0 but not skipped: (255 x d) shr 8
  src8A->AlphaDib->PutPixel(2, 0, 255);
  t = Solid24(3, 1, 0x646464);
  t->DrawMerge(0, 0, src8A.get(), 0, 0, 3, 1, 1, 1, 100);
  EXPECT_EQ(Bytes(*t, 0, 0)[0], 100);
  EXPECT_EQ(Bytes(*t, 1, 0)[0], 99);
  EXPECT_EQ(Bytes(*t, 2, 0)[0], B256(254, 200, 100));

  // A 24-bit source without alpha is copied whole, whatever its colours.
  auto plain = Solid24(2, 2, 0x000000);
  plain->PutPixel(1, 1, 0xFFFFFF);
  t = Solid24(2, 2, 0x123456);
  t->DrawTransparent(0, 0, plain.get(), 1, 1);
  EXPECT_EQ(t->GetPixelEx(0, 0), 0u);
  EXPECT_EQ(t->GetPixelEx(1, 1), 0xFFFFFFu);

  // DrawShadow, Rate 30: 70 % (truncated) under the non-transparent pixels.
  auto mask = Solid8(2, 1, 3);
  mask->TransparentColor = 0;
  mask->PutPixel(1, 0, 0);
  t = Solid24(2, 1, 0x0A6499);
  t->DrawShadow(0, 0, mask.get(), 1, 1, 30);
  EXPECT_EQ(Bytes(*t, 0, 0), (std::vector<int>{10 * 70 / 100, 100 * 70 / 100, 153 * 70 / 100}));
  EXPECT_EQ(t->GetPixelEx(1, 0), 0x0A6499u);
  t->DrawShadow(0, 0, plain.get(), 1, 1, 30);  // 24-bit sources cast no shadow
  EXPECT_EQ(t->GetPixelEx(1, 0), 0x0A6499u);

  // DrawMergeOpaque blends every pixel of an 8-bit source, the key included; 24-bit: nothing.
  t = Solid24(2, 1, 0x646464);
  mask->TransparentColor = 3;
  SetPal(*mask, 3, 50, 50, 50);
  t->DrawMergeOpaque(0, 0, mask.get(), 0, 0, 2, 1, 1, 1, 50);
  EXPECT_EQ(Bytes(*t, 0, 0)[0], B256(128, 50, 100));
  t = Solid24(2, 1, 0x646464);
  t->DrawMergeOpaque(0, 0, plain.get(), 0, 0, 2, 1, 1, 1, 50);
  EXPECT_EQ(t->GetPixelEx(0, 0), 0x646464u);
}

TEST(CompositeClip, PiecesClipWithoutShiftingTheMapping) {
  // A source whose column c has blue = c and row r has green = r.
  auto src = Solid24(10, 6, 0);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 10; ++x) src->PutPixel(x, y, (x << 16) | (y << 8) | 0x80);
  auto blue = [](TDibBaseObj& d, int x, int y) { return d.PixelAddress(x, y)[0]; };
  auto green = [](TDibBaseObj& d, int x, int y) { return d.PixelAddress(x, y)[1]; };

  auto t = Solid24(8, 8, 0xFFFFFF);
  t->DrawPeace(-2, 0, src.get(), 3, 1, 5, 2, 1, 1);
  EXPECT_EQ(blue(*t, 0, 0), 5);
  EXPECT_EQ(blue(*t, 1, 0), 6);
  EXPECT_EQ(blue(*t, 2, 0), 7);
  EXPECT_EQ(t->GetPixelEx(3, 0), 0xFFFFFFu);
  EXPECT_EQ(green(*t, 0, 1), 2);
  t = Solid24(8, 8, 0xFFFFFF);
  t->DrawPeace(-2, 0, src.get(), 3, 1, 5, 2, -1, 1);  // mirrored: xx + 2, xx + 1, xx
  EXPECT_EQ(blue(*t, 0, 0), 5);
  EXPECT_EQ(blue(*t, 1, 0), 4);
  EXPECT_EQ(blue(*t, 2, 0), 3);

  // Vertical mirror with the bottom cut off: row j shows yy + h - 1 - j of the uncut piece.
  t = Solid24(8, 8, 0xFFFFFF);
  t->DrawPeace(0, 6, src.get(), 0, 1, 4, 4, 1, -1);
  EXPECT_EQ(green(*t, 0, 6), 4);
  EXPECT_EQ(green(*t, 0, 7), 3);
  // w beyond the source is limited to source width - xx before mirroring.
  t = Solid24(8, 8, 0xFFFFFF);
  t->DrawArea(0, 0, src.get(), 7, 0, 100, 1, -1, 1);
  EXPECT_EQ(blue(*t, 0, 0), 9);
  EXPECT_EQ(blue(*t, 2, 0), 7);
  EXPECT_EQ(t->GetPixelEx(3, 0), 0xFFFFFFu);
  // Negative piece origin: the columns before the source are not drawn, the rest stay put.
  t = Solid24(8, 8, 0xFFFFFF);
  t->DrawArea(0, 0, src.get(), -2, 0, 4, 1, 1, 1);
  EXPECT_EQ(t->GetPixelEx(1, 0), 0xFFFFFFu);
  EXPECT_EQ(blue(*t, 2, 0), 0);
  EXPECT_EQ(blue(*t, 3, 0), 1);
  // One overlapping column or row is drawn; pieces wholly outside draw nothing.
  t = Solid24(8, 8, 0xFFFFFF);
  t->DrawTransparent(-9, 7, src.get(), 1, 1);
  EXPECT_EQ(blue(*t, 0, 7), 9);
  EXPECT_EQ(green(*t, 0, 7), 0);
  t->DrawTransparent(8, 0, src.get(), 1, 1);
  t->DrawArea(-5, -5, src.get(), 0, 0, 5, 5, 1, 1);
  t->DrawArea(INT32_MAX, INT32_MIN, src.get(), 0, 0, INT32_MAX, INT32_MAX, -1, -1);
  t->DrawArea(0, 0, src.get(), 0, 0, 0, 3, 1, 1);
  int changed = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) changed += t->GetPixelEx(x, y) != 0xFFFFFFu;
  EXPECT_EQ(changed, 1);

  // Mirrored copies move whole pixels: red stays red.
  auto red = Solid24(3, 1, 0x0000FF);
  red->PutPixel(0, 0, 0x00FF00);
  t = Solid24(3, 1, 0);
  t->DrawArea(0, 0, red.get(), 0, 0, 3, 1, -1, -1);
  EXPECT_EQ(t->GetPixelEx(0, 0), 0x0000FFu);
  EXPECT_EQ(t->GetPixelEx(2, 0), 0x00FF00u);
}

TEST(CompositeTargets, EightBitTargetsAttachedBitmapsAndSelfDraws) {
  auto t = Solid8(4, 2, 10);
  auto s = Solid8(3, 1, 20);
  s->TransparentColor = 0;
  s->PutPixel(1, 0, 0);
  t->DrawTransparent(0, 0, s.get(), 1, 1);
  EXPECT_EQ(t->GetPixel(0, 0), 20u);
  EXPECT_EQ(t->GetPixel(1, 0), 10u);  // key left alone
  t->DrawArea(1, 1, s.get(), 0, 0, 3, 1, -1, 1);
  EXPECT_EQ(t->GetPixel(1, 1), 20u);
  EXPECT_EQ(t->GetPixel(2, 1), 0u);  // area copies the key index too
  for (int i = 0; i < 256; ++i) t->DarkPal[i] = static_cast<uint8_t>(255 - i);
  t->DrawPeaceShadow(0, 0, s.get(), 0, 0, 3, 1, 1, 1, 0);
  EXPECT_EQ(t->GetPixel(0, 0), 235u);
  EXPECT_EQ(t->GetPixel(1, 0), 10u);
  std::vector<uint8_t> before(t->DibData, t->DibData + t->DibSize);
  auto rgb = Solid24(2, 2, 0x123456);
  t->DrawTransparent(0, 0, rgb.get(), 1, 1);  // 24-bit sources: nothing on 8-bit targets
  t->DrawArea(0, 0, rgb.get(), 0, 0, 2, 2, 1, 1);
  t->DrawMerge(0, 0, s.get(), 0, 0, 3, 1, 1, 1, 50);  // blends: 24-bit targets only
  t->DrawMergeOnLineY(0, 0, s.get(), 0, 0, 3, 1, 1, 1, nullptr, 0, 50);
  EXPECT_EQ(std::vector<uint8_t>(t->DibData, t->DibData + t->DibSize), before);
  // An image without a block draws nothing and receives nothing.
  TDib24Bits empty;
  empty.DrawArea(0, 0, rgb.get(), 0, 0, 2, 2, 1, 1);
  auto keep = Solid24(2, 2, 0x010101);
  keep->DrawArea(0, 0, &empty, 0, 0, 2, 2, 1, 1);
  EXPECT_EQ(keep->GetPixelEx(0, 0), 0x010101u);

  // A target attached to a DIB section draws into the section's own pixels.
  plat::BITMAPINFO info{};
  info.bmiHeader = {sizeof(plat::BITMAPINFOHEADER), 5, 3, 1, 24, plat::BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  plat::HBITMAP section = plat::CreateDIBSection(nullptr, &info, plat::DIB_RGB_COLORS, &bits,
                                                 nullptr, 0);
  ASSERT_NE(section, nullptr);
  std::memset(bits, 0, 16 * 3);
  TDib24Bits attached;
  attached.AttachBitmap(section);
  ASSERT_EQ(attached.FHandle, 1u);
  auto src = Solid24(2, 2, 0x0000FF);
  attached.DrawArea(3, 0, src.get(), 0, 0, 2, 2, 1, 1);
  auto* sectionBytes = static_cast<uint8_t*>(bits);
  EXPECT_EQ(sectionBytes[2 * 16 + 3 * 3 + 2], 0xFF);  // top row is the last stored row
  EXPECT_EQ(sectionBytes[2 * 16 + 3 * 2 + 2], 0x00);
  plat::DeleteObject(section);

  // Drawing an image into itself reads it as it was before the call.
  auto self = Solid24(1, 4, 0);
  for (int y = 0; y < 4; ++y) self->PutPixel(0, y, static_cast<uint32_t>(y + 1));
  self->DrawArea(0, 1, self.get(), 0, 0, 1, 3, 1, 1);
  EXPECT_EQ(self->GetPixelEx(0, 1), 1u);
  EXPECT_EQ(self->GetPixelEx(0, 2), 2u);
  EXPECT_EQ(self->GetPixelEx(0, 3), 3u);
}

// --- Random pieces against the rules written pixel by pixel ----------------------------------

enum class Op { Area, Transparent, Shadow, Merge, MergeOpaque };

// The expected target after drawing, computed one pixel at a time from the rules.
void ExpectedDraw(TDib24Bits& t, TDibBaseObj& s, Op op, int x, int y, int xx, int yy, int w,
                  int h, int dx, int dy, int rate) {
  int wl = std::min(w, s.FWidth - xx), hl = std::min(h, s.FHeight - yy);
  int A = static_cast<int>(std::min<int64_t>(zkw::Round(rate * 256 / 100.0), 255));
  bool alpha = s.AlphaDib != nullptr;
  for (int j = 0; j < hl; ++j)
    for (int i = 0; i < wl; ++i) {
      int tx = x + i, ty = y + j;
      int sx = dx < 0 ? xx + wl - 1 - i : xx + i, sy = dy < 0 ? yy + hl - 1 - j : yy + j;
      if (!t.Inside(tx, ty) || !s.Inside(sx, sy)) continue;
      uint8_t* d = t.PixelAddress(tx, ty);
      int sc[3], index = -1;
      if (s.FBits == 1) {
        index = static_cast<int>(s.GetPixel(sx, sy));
        sc[0] = s.DibPal[index].rgbBlue, sc[1] = s.DibPal[index].rgbGreen;
        sc[2] = s.DibPal[index].rgbRed;
      } else {
        const uint8_t* p = s.PixelAddress(sx, sy);
        sc[0] = p[0], sc[1] = p[1], sc[2] = p[2];
      }
      int a = alpha ? static_cast<int>(s.AlphaDib->GetPixel(sx, sy)) : 255;
      bool key = index >= 0 && index == s.TransparentColor;
      for (int c = 0; c < 3; ++c) {
        int dv = d[c], out = dv;
        switch (op) {
          case Op::Area:
            out = sc[c];
            break;
          case Op::Transparent:
            if (alpha) {
              int e = (a * 255) >> 8;
              if (s.FBits == 1 ? a != 0 : e != 0) out = B256(e, sc[c], dv);
            } else if (!key) {
              out = sc[c];
            }
            break;
          case Op::Shadow:
            if (s.FBits == 1 && !key) out = dv * (100 - rate) / 100;
            break;
          case Op::Merge:
            if (alpha) {
              int e = (a * A) >> 8;
              if (s.FBits == 1 ? a != 0 : e != 0) out = B256(e, sc[c], dv);
            } else if (s.FBits == 3) {
              out = (100 - rate) * dv / 100 + rate * sc[c] / 100;
            } else if (!key) {
              out = B256(A, sc[c], dv);
            }
            break;
          case Op::MergeOpaque:
            if (s.FBits == 1) out = B256(A, sc[c], dv);
            break;
        }
        d[c] = static_cast<uint8_t>(out);
      }
    }
}

void Draw(TDib24Bits& t, TDibBaseObj& s, Op op, int x, int y, int xx, int yy, int w, int h,
          int dx, int dy, int rate) {
  switch (op) {
    case Op::Area:
      return t.DrawArea(x, y, &s, xx, yy, w, h, dx, dy);
    case Op::Transparent:
      return t.DrawPeace(x, y, &s, xx, yy, w, h, dx, dy);
    case Op::Shadow:
      return t.DrawPeaceShadow(x, y, &s, xx, yy, w, h, dx, dy, static_cast<uint16_t>(rate));
    case Op::Merge:
      return t.DrawMerge(x, y, &s, xx, yy, w, h, dx, dy, static_cast<uint16_t>(rate));
    case Op::MergeOpaque:
      return t.DrawMergeOpaque(x, y, &s, xx, yy, w, h, dx, dy, static_cast<uint16_t>(rate));
  }
}

TEST(CompositeRules, RandomPiecesMatchTheRulesPixelByPixel) {
  std::mt19937 rng(3);
  auto byte = [&] { return static_cast<uint8_t>(rng() & 0xFF); };
  auto fill = [&](TDibBaseObj& d) {
    for (int32_t k = 0; k < d.DibSize; ++k) d.DibData[k] = byte();
  };
  int changed = 0;
  for (int round = 0; round < 120; ++round) {
    bool eight = round % 2 == 0, withAlpha = round % 4 >= 2;
    std::unique_ptr<TDibBaseObj> src;
    if (eight) {
      auto s8 = std::make_unique<TDib8Bits>();
      s8->SetAttributes(300, 9);
      for (int i = 0; i < 256; ++i) s8->DibPal[i] = zkw::TRGBQuad{byte(), byte(), byte(), 0};
      for (int32_t k = 0; k < s8->DibSize; ++k) s8->DibData[k] = byte() & 0x0F;  // keys occur
      s8->TransparentColor = static_cast<uint8_t>(rng() % 16);
      src = std::move(s8);
    } else {
      src = std::make_unique<TDib24Bits>();
      src->SetAttributes(300, 9);
      fill(*src);
    }
    if (withAlpha) {
      src->CreateAlphaChannel();
      for (int32_t k = 0; k < src->AlphaDib->DibSize; ++k)
        src->AlphaDib->DibData[k] = rng() % 3 == 0 ? 0 : byte();
    }
    TDib24Bits target, expected;
    target.SetAttributes(290, 12);
    fill(target);
    expected.SetAttributes(290, 12);
    std::memcpy(expected.DibData, target.DibData, target.DibSize);
    Op op = static_cast<Op>(rng() % 5);
    int x = static_cast<int>(rng() % 60) - 30, y = static_cast<int>(rng() % 10) - 5;
    int xx = static_cast<int>(rng() % 40), yy = static_cast<int>(rng() % 4);
    int w = 1 + static_cast<int>(rng() % 320), h = 1 + static_cast<int>(rng() % 12);
    int dx = rng() % 2 ? -1 : 1, dy = rng() % 2 ? -1 : 0;
    int rate = static_cast<int>(rng() % 101);
    std::vector<uint8_t> before(target.DibData, target.DibData + target.DibSize);
    Draw(target, *src, op, x, y, xx, yy, w, h, dx, dy, rate);
    changed += before != std::vector<uint8_t>(target.DibData, target.DibData + target.DibSize);
    ExpectedDraw(expected, *src, op, x, y, xx, yy, w, h, dx, dy, rate);
    ASSERT_EQ(std::vector<uint8_t>(target.DibData, target.DibData + target.DibSize),
              std::vector<uint8_t>(expected.DibData, expected.DibData + expected.DibSize))
        << "round " << round << " op " << static_cast<int>(op) << " depth " << (eight ? 8 : 24)
        << " alpha " << withAlpha << " at " << x << "," << y << " piece " << xx << "," << yy
        << " " << w << "x" << h << " mirror " << dx << "," << dy << " rate " << rate;
  }
  EXPECT_GT(changed, 70);  // most rounds draw something
}

TEST(CompositeExports, ForwardTargetFirst) {
  ZHANDLE t = CreateDibObject(24);
  ZHANDLE s = CreateDibObject(24);
  dibSetAttributes(t, 4, 4);
  dibSetAttributes(s, 2, 2);
  dibBar(t, 0, 0, 3, 3, 0x646464);
  dibBar(s, 0, 0, 1, 1, 0xC8C8C8);
  dibDrawMerge(t, 1, 1, s, 0, 0, 2, 2, 1, 1, 50);
  EXPECT_EQ(dibGetPixelEx(t, 1, 1), 0x969696u);
  EXPECT_EQ(dibGetPixelEx(t, 0, 0), 0x646464u);
  dibDrawArea(t, 3, 3, s, 0, 0, 2, 2, 1, 1);
  EXPECT_EQ(dibGetPixelEx(t, 3, 3), 0xC8C8C8u);
  dibDrawPeace(t, -1, 0, s, 0, 0, 2, 1, 1, 1);
  EXPECT_EQ(dibGetPixelEx(t, 0, 0), 0xC8C8C8u);
  FreeDibObject(s);
  FreeDibObject(t);
}

}  // namespace
