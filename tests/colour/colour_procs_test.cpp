// Colour procedures: HLS conversions, blends, gradients and frames on device contexts, and the
// box blur of row bitmaps.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "colour/blend.h"
#include "colour/box_blur.h"
#include "colour/gradient.h"
#include "colour/hls.h"
#include "common/repeated_sum.h"
#include "common/round.h"
#include "exports/zkwgdi32.h"
#include "platform/plat_gdi.h"

namespace {

using namespace zkw;

// A 32-bit memory DC: a DIB section (blended in memory) or a device bitmap (blended through
// GetPixel and SetPixel).
struct Canvas {
  Canvas(int w, int h, bool section = true) : width(w), height(h) {
    if (section) {
      dc = zkwCreateMemoryDC(w, h);
    } else {
      dc = plat::CreateCompatibleDC(nullptr);
      plat::HDC screen = plat::GetDC(nullptr);
      bitmap = plat::CreateCompatibleBitmap(screen, w, h);
      plat::ReleaseDC(nullptr, screen);
      old = plat::SelectObject(dc, bitmap);
    }
    Fill(0xFFFFFF);
  }
  ~Canvas() {
    if (!bitmap) {
      zkwDeleteMemoryDC(dc);
      return;
    }
    plat::SelectObject(dc, old);
    plat::DeleteObject(bitmap);
    plat::DeleteDC(dc);
  }
  void Fill(uint32_t color) {
    plat::HBRUSH brush = plat::CreateSolidBrush(color);
    plat::RECT r{0, 0, width, height};
    plat::FillRect(dc, &r, brush);
    plat::DeleteObject(brush);
  }
  uint32_t At(int x, int y) const { return plat::GetPixel(dc, x, y); }
  std::vector<uint32_t> Column(int x) const {
    std::vector<uint32_t> c;
    for (int y = 0; y < height; ++y) c.push_back(At(x, y));
    return c;
  }
  std::vector<uint32_t> Row(int y) const {
    std::vector<uint32_t> c;
    for (int x = 0; x < width; ++x) c.push_back(At(x, y));
    return c;
  }
  void* dc = nullptr;
  plat::HBITMAP bitmap = nullptr;
  plat::HGDIOBJ old = nullptr;
  int width, height;
};

uint32_t Grey(uint32_t v) { return v | v << 8 | v << 16; }
constexpr uint32_t W = 0xFFFFFF;

TEST(ColourProcs, HlsConversionsAndLightness) {
  struct Case {
    uint32_t rgb;
    int32_t h, l, s;
  } cases[] = {{0xFFFFFF, 170, 255, 0}, {0x000000, 170, 0, 0},  {0x0000FF, 0, 128, 255},
               {0x00FF00, 85, 128, 255}, {0xFF0000, 170, 128, 255}, {0x16B416, 85, 102, 200},
               {0x336699, 21, 102, 128}, {0x10E0F0, 39, 128, 224}};
  for (const Case& c : cases) {
    int32_t h = -1, l = -1, s = -1;
    zkw::RGBtoHLS(c.rgb, h, l, s);
    EXPECT_EQ(h, c.h) << std::hex << c.rgb;
    EXPECT_EQ(l, c.l) << std::hex << c.rgb;
    EXPECT_EQ(s, c.s) << std::hex << c.rgb;
  }
  EXPECT_EQ(zkw::HLStoRGB(100, 50, 0), 0u);
  EXPECT_EQ(zkw::HLStoRGB(170, 50, 0), Grey(50));
  // Lightness 255 of red leaves 254 in red (odd saturation), not white.
  EXPECT_EQ(zkw::ChangeColorLight(0x0000FF, 200), 0xFFFFFEu);
  EXPECT_EQ(zkw::ChangeColorLight(0x0000FF, -50), 0x00009Cu);
  EXPECT_EQ(zkw::ChangeColorLight(0x336699, 30), 0x4884C2u);
  EXPECT_EQ(zkw::ChangeColorLight(0x808080, -1000), 0u);
  // The export writes through the three addresses and skips null ones.
  int32_t h = 0, s = 0;
  ::RGBtoHLS(0x0000FF, &h, nullptr, &s);
  EXPECT_EQ(h, 0);
  EXPECT_EQ(s, 255);
}

TEST(ColourProcs, BlendColorAndMultiply) {
  EXPECT_EQ(zkw::BlendColor(W, 0, 100), Grey(254));
  EXPECT_EQ(zkw::BlendColor(0x123456, 0x654321, 0), 0x654321u);
  // Weight Round(50 x 255 / 100) = 128 (the floating 2.55 product gave 127, hence 126 here).
  EXPECT_EQ(zkw::BlendColor(W, 0, 50), Grey(127));
  EXPECT_EQ(zkw::BlendColor(0, W, 50), Grey(127));  // 255 + floor(-127.5)
  EXPECT_EQ(zkw::BlendColor(0x0000FF, 0xFF0000, 25), 0xBF003Fu);  // weight 64
  // Percentages are limited to 0..100 (150 used to wrap through its low byte).
  EXPECT_EQ(zkw::BlendColor(W, 0, 150), Grey(254));
  EXPECT_EQ(zkw::BlendColor(W, 0, -5), 0u);
  // Bit 31: a system colour (index 5, the window colour, is white here).
  EXPECT_EQ(zkw::BlendColor(0x80000005u, 0, 100), zkw::BlendColor(plat::GetSysColor(5), 0, 100));
  uint8_t d[3] = {};
  EXPECT_EQ(zkw::MultiplyColor(d, W, W), 254);
  EXPECT_EQ(d[0], 254);
  EXPECT_EQ(d[2], 254);
  EXPECT_EQ(zkw::MultiplyColor(d, 0x0064C8, 0x32FF64), 139);  // 200 x 100 div 512 + 100
  EXPECT_EQ(d[1], 99);                                    // 100 x 255 div 512 + 50
  EXPECT_EQ(d[2], 0);
  EXPECT_EQ(::MultiplyColor(nullptr, W, W), 254);
}

TEST(ColourProcs, TwoAndThreeColourGradients) {
  Canvas c(3, 6);
  zkw::VColorGradient(c.dc, 0, W, 0, 0, 2, 4);
  EXPECT_EQ(c.Column(0), (std::vector<uint32_t>{0, Grey(51), Grey(102), Grey(153), W, W}));
  EXPECT_EQ(c.At(1, 3), Grey(153));
  EXPECT_EQ(c.At(2, 0), W);  // right edge excluded
  zkw::VColorGradient(c.dc, 0, 0x0000FF, 0, 0, 3, 0);  // no rows: nothing
  EXPECT_EQ(c.At(0, 0), 0u);

  Canvas h(6, 2);
  zkw::HColorGradient(h.dc, 0x0000FF, 0xFF0000, 1, 0, 5, 1);
  // Steps of 255 / 5 = 51 per column; red falls, blue rises.
  EXPECT_EQ(h.Row(0), (std::vector<uint32_t>{W, 0x0000FF, 0x3300CC, 0x660099, 0x990066, W}));
  EXPECT_EQ(h.At(1, 1), W);

  // Split row 0 + Round(50 x 10 / 100) = 5; each half is a two-colour gradient.
  Canvas v(1, 10);
  zkw::VerticalGradient(v.dc, 0, Grey(100), Grey(200), 0, 0, 1, 9, 50);
  EXPECT_EQ(v.Column(0), (std::vector<uint32_t>{0, Grey(17), Grey(33), Grey(50), Grey(67),
                                                Grey(100), Grey(120), Grey(140), Grey(160), W}));
  // Split column 0 + Round(25 x 6 / 100) = Round(1.5) = 2.
  Canvas s(6, 1);
  zkw::HorizontalGradient(s.dc, 0, Grey(90), Grey(180), 0, 0, 5, 1, 25);
  EXPECT_EQ(s.Row(0), (std::vector<uint32_t>{0, Grey(30), Grey(90), Grey(112), Grey(135), W}));
}

TEST(ColourProcs, GradientsStartingFarAboveTheClipBoxAddUpAsTheLoopWould) {
  // The value after k additions, jumped binade by binade, against the addition loop: steps of
  // gradients over 2 .. 10^6 lines between random channel values, both directions, with and
  // without halfway cases (steps of a power of two times an odd multiple of half a unit).
  std::mt19937_64 rng(11);
  for (int t = 0; t < 300; ++t) {
    const double a = static_cast<double>(1 + rng() % 255), b = static_cast<double>(rng() % 256);
    const int64_t n = 2 + static_cast<int64_t>(rng() % 1000000);
    int e;
    std::frexp(a, &e);
    const double halfUnits = static_cast<double>(rng() % 64) * 2 + 1;  // of a's binade
    const double s = t % 3 == 2 ? std::ldexp(halfUnits, e - 54) * (t % 2 ? 1 : -1)
                                : (b - a) / static_cast<double>(n + 1);
    const int64_t k = static_cast<int64_t>(rng() % static_cast<uint64_t>(n));
    const double from = a + (t % 4 == 1 ? std::ldexp(1.0, e - 53) : 0.0);  // an odd unit too
    double loop = from;
    for (int64_t i = 0; i < k; ++i) loop += s;
    ASSERT_EQ(zkw::AddRepeated(from, s, k), loop) << from << " + " << k << " x " << s;
  }
  // A gradient over 2^32 - 1 rows starting at INT32_MIN shows the rows at 0 .. 3 at once, as
  // the addition loop reaches them: 255 - (2^31 + y) x 255 / 2^32 + the rounding of 2^31 sums.
  Canvas c(1, 4);
  const auto start = std::chrono::steady_clock::now();
  zkw::VColorGradient(c.dc, 0xFFFFFF, 0, 0, INT32_MIN, 1, INT32_MAX);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  const double step = -255.0 / 4294967296.0;
  const double at0 = zkw::AddRepeated(255, step, int64_t{1} << 31);
  EXPECT_NEAR(at0, 127.5, 1e-4);
  for (int y = 0; y < 4; ++y) EXPECT_EQ(c.At(0, y), Grey(static_cast<int>(zkw::Round(at0 + y * step))));
}

TEST(ColourProcs, MultiColourGradients) {
  const int32_t colours[] = {0, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFFFF};
  const int32_t positions[] = {20, 60, 70, 80, 100};
  // Boundaries 0 + Round(10 x 20 / 100) = 2 and 6; the last position is below 100, so
  // columns 6..9 take the last colour instead of a colour past the array.
  Canvas h(11, 1);
  zkw::HorizontalMultiGradient(h.dc, colours, positions, 3, 0, 0, 10, 1);
  EXPECT_EQ(h.Row(0), (std::vector<uint32_t>{0, 0x000055, 0x0000FF, 0x0033CC, 0x006699,
                                             0x009966, 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00, W}));
  Canvas none(11, 1);
  zkw::HorizontalMultiGradient(none.dc, colours, positions, 2, 0, 0, 10, 1);
  zkw::HorizontalMultiGradient(none.dc, nullptr, positions, 6, 0, 0, 10, 1);
  zkw::VerticalMultiGradient(none.dc, colours, positions, 4, 0, 0, 10, 1);
  EXPECT_EQ(none.Row(0), std::vector<uint32_t>(11, W));

  // Five colours: the first three segments end at rows 2, 6 and 7 (positions 20, 60, 70 of 10
  // rows), then Colors[3] to Colors[4] runs down to row 10.
  Canvas v(1, 11);
  zkw::VerticalMultiGradient(v.dc, colours, positions, 5, 0, 0, 1, 10);
  EXPECT_EQ(v.Column(0), (std::vector<uint32_t>{0, 0x000055, 0x0000FF, 0x0033CC, 0x006699,
                                                0x009966, 0x00FF00, 0xFF0000, 0xBF4040,
                                                0x808080, W}));
  // Absolute boundaries.
  const int32_t at[] = {1, 3, 4};
  Canvas p(8, 1);
  zkw::HorizontalMultiGradientPos(p.dc, colours, at, 5, 0, 0, 7, 1);
  EXPECT_EQ(p.Row(0), (std::vector<uint32_t>{0, 0x0000FF, 0x0055AA, 0x00FF00, 0xFF0000,
                                             0xBF4040, 0x808080, W}));
}

TEST(ColourProcs, BlendRectOnSectionsAndDeviceBitmapsAlike) {
  for (bool section : {true, false}) {
    Canvas c(5, 4, section);
    c.Fill(0x204060);
    zkw::BlendRect(c.dc, 1, 1, 3, 2, 0xFFFFFF, 50);
    zkw::BlendLine(c.dc, -10, 3, 1, 0x000000, 100);  // clipped at the left edge
    zkw::BlendRect(c.dc, -100000, 3, 100000, 100000, 0, 0);  // weight 0 keeps every pixel
    SCOPED_TRACE(section ? "DIB section" : "device bitmap");
    // 0x60 + floor(128 (255 - 0x60) / 256) = 0x60 + 79, and so on per channel.
    EXPECT_EQ(c.At(1, 1), 0x8F9FAFu);
    EXPECT_EQ(c.At(3, 2), 0x8F9FAFu);
    EXPECT_EQ(c.At(4, 2), 0x204060u);
    EXPECT_EQ(c.At(0, 1), 0x204060u);
    // Weight 255 of black: c + floor(255 (0 - c) / 256) = 0 for every c below 256.
    EXPECT_EQ(c.At(0, 3), 0u);
    EXPECT_EQ(c.At(1, 3), 0u);
    EXPECT_EQ(c.At(2, 3), 0x204060u);
  }
}

TEST(ColourProcs, BlendRectMatchesBlendColorOnEverySectionLayout) {
  // 24- and 32-bit sections, bottom-up and top-down, widths that leave partial vector blocks:
  // every pixel becomes BlendColor(Color, pixel, Percent), pixels outside stay.
  for (int bits : {24, 32})
    for (int height : {3, -3}) {
      SCOPED_TRACE(std::to_string(bits) + " bits, height " + std::to_string(height));
      plat::BITMAPINFO bi{};
      bi.bmiHeader = {40, 21, height, 1, static_cast<plat::WORD>(bits), plat::BI_RGB, 0, 0, 0, 0, 0};
      void* bits0 = nullptr;
      plat::HDC dc = plat::CreateCompatibleDC(nullptr);
      plat::HBITMAP section = plat::CreateDIBSection(dc, &bi, plat::DIB_RGB_COLORS, &bits0, nullptr, 0);
      plat::HGDIOBJ old = plat::SelectObject(dc, section);
      std::vector<uint32_t> before;
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 21; ++x) {
          plat::SetPixel(dc, x, y, (x * 53 + y * 97) * 0x010305u & 0xFFFFFF);
          before.push_back(plat::GetPixel(dc, x, y));
        }
      zkw::BlendRect(dc, 1, 0, 19, 1, 0x40C020, 37);
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 21; ++x) {
          uint32_t was = before[y * 21 + x];
          bool inside = x >= 1 && x <= 19 && y <= 1;
          ASSERT_EQ(plat::GetPixel(dc, x, y), inside ? zkw::BlendColor(0x40C020, was, 37) : was)
              << x << ", " << y;
        }
      plat::SelectObject(dc, old);
      plat::DeleteObject(section);
      plat::DeleteDC(dc);
    }
}

TEST(ColourProcs, CornerFrameWeights) {
  Canvas c(8, 8);
  c.Fill(0);
  zkw::DrawCornerFrameAlpha(c.dc, 0, 0, 8, 8, 0xFFFFFF, 100);
  // Edges blended at weight 255 (254); diagonal corner pixels weight 235, their neighbours 175;
  // the outermost corner pixels are left alone.
  EXPECT_EQ(c.Row(0), (std::vector<uint32_t>{0, 0, Grey(254), Grey(254), Grey(254), Grey(254), 0, 0}));
  EXPECT_EQ(c.Row(1), (std::vector<uint32_t>{0, Grey(234), Grey(174), 0, 0, Grey(174), Grey(234), 0}));
  EXPECT_EQ(c.Row(2), (std::vector<uint32_t>{Grey(254), Grey(174), 0, 0, 0, 0, Grey(174), Grey(254)}));
  EXPECT_EQ(c.At(1, 6), Grey(234));
  EXPECT_EQ(c.At(6, 5), Grey(174));
  // A faint frame (A = Round(5 x 255 / 100) = 13): weights 13 - 20 and 13 - 80 are 0, so the corners
  // stay untouched instead of wrapping to near-opaque white.
  Canvas f(8, 8);
  f.Fill(0);
  zkw::DrawCornerFrameAlpha(f.dc, 0, 0, 8, 8, 0xFFFFFF, 5);
  EXPECT_EQ(f.At(1, 1), 0u);
  EXPECT_EQ(f.At(2, 1), 0u);
  EXPECT_EQ(f.At(3, 0), Grey(12));  // floor(13 x 255 / 256)
  zkw::DrawCornerFrameAlpha(f.dc, 8, 0, 0, 8, 0xFFFFFF, 100);  // inverted: nothing
  EXPECT_EQ(f.At(1, 1), 0u);
}

TEST(ColourProcs, BoxBlurPassesAndGrey) {
  auto make = [](int w, int h, std::vector<uint8_t> v) {
    TRowBitmap b;
    b.SetSize(w, h, 24);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        uint8_t* p = b.ScanLine(y) + 3 * x;
        p[0] = p[1] = p[2] = v[(w == 1 ? y : x)];
      }
    return b;
  };
  auto blues = [](TRowBitmap& b, bool column) {
    std::vector<int> out;
    int n = column ? b.Height() : b.Width();
    for (int i = 0; i < n; ++i) out.push_back(column ? b.ScanLine(i)[0] : b.ScanLine(b.Height() - 1)[3 * i]);
    return out;
  };
  const std::vector<uint8_t> line = {0, 30, 60, 90, 255};
  const std::vector<int> once = {18, 36, 87, 138, 183};  // radius 2, ends copied twice
  // Horizontal passes only touch rows; the vertical passes over equal rows change nothing.
  TRowBitmap rows = make(5, 3, line);
  zkw::FXBoxBlur(&rows, 2, 1);
  EXPECT_EQ(blues(rows, false), once);
  // Passes 0: no horizontal pass, one vertical pass.
  TRowBitmap col = make(1, 5, line);
  zkw::FXBoxBlur(&col, 2, 0);
  EXPECT_EQ(blues(col, true), once);
  // Passes -1: no pass at all, only the grey.
  TRowBitmap grey;
  grey.SetSize(2, 2, 24);
  grey.ScanLine(1)[3] = 30, grey.ScanLine(1)[4] = 60, grey.ScanLine(1)[5] = 91;
  zkw::FXBoxBlur(&grey, 3, -1);
  EXPECT_EQ(grey.ScanLine(1)[3], 60);
  EXPECT_EQ(grey.ScanLine(1)[5], 60);
  // A radius far beyond the line: each end weighs in about half (exact division path).
  TRowBitmap wide = make(2, 1, {0, 255});
  zkw::FXBoxBlur(&wide, 1000000000, 1);
  EXPECT_EQ(blues(wide, false), (std::vector<int>{127, 127}));
  // Radius 0 and 8-bit bitmaps are left alone (not even greyed).
  TRowBitmap keep = make(2, 1, {0, 255});
  keep.ScanLine(0)[0] = 9;
  zkw::FXBoxBlur(&keep, 0, 3);
  EXPECT_EQ(keep.ScanLine(0)[0], 9);
  TRowBitmap eight;
  eight.SetSize(3, 1, 8);
  eight.ScanLine(0)[1] = 200;
  zkw::FXBoxBlur(&eight, 1, 1);
  EXPECT_EQ(eight.ScanLine(0)[1], 200);
  zkw::FXBoxBlur(nullptr, 1, 1);
}

}  // namespace
