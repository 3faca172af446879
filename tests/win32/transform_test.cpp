// Transforms through the DLL (Word and double arguments of stdcall exports, exact pixels) and
// smooth drawing through the real GDI+ of the platform: where the image lands, and opacity.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "zkw_dll.h"

namespace {

struct MemDC {
  MemDC(int w, int h) : dc(ZKW(zkwCreateMemoryDC)(w, h)), width(w) { Fill(RGB(255, 255, 255)); }
  ~MemDC() { ZKW(zkwDeleteMemoryDC)(dc); }
  uint32_t At(int x, int y) const {
    auto* p = static_cast<uint8_t*>(ZKW(zkwMemoryDCPixels)(dc)) + (y * width + x) * 4;
    return p[2] | (p[1] << 8) | (p[0] << 16);
  }
  void Fill(COLORREF color) {
    HBRUSH brush = ::CreateSolidBrush(color);
    RECT r{0, 0, 1000, 1000};
    ::FillRect(static_cast<HDC>(dc), &r, brush);
    ::DeleteObject(brush);
  }
  void* dc;
  int width;
};

struct Dib {
  explicit Dib(uint8_t bits) : h(ZKW(CreateDibObject)(bits)) {}
  ~Dib() { ZKW(FreeDibObject)(h); }
  ZHANDLE h;
};

::testing::AssertionResult Near(uint32_t got, uint32_t want, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    int g = (got >> shift) & 0xFF, w = (want >> shift) & 0xFF;
    if (std::abs(g - w) > tolerance)
      return ::testing::AssertionFailure() << std::hex << "0x" << got << " is not near 0x" << want;
  }
  return ::testing::AssertionSuccess();
}

constexpr uint32_t kWhite = 0xFFFFFF, kRed = 0x0000FF, kBlue = 0xFF0000;

}  // namespace

TEST(Win32Transform, ExactPixelsThroughTheExports) {
  // 8-bit source 2 x 1: index 1 then the key 0; entry 1 is pure red.
  Dib src(8), t(24);
  ZKW(dibSetAttributes)(src.h, 2, 1);
  auto* pal = static_cast<RGBQUAD*>(ZKW(dibGetDibPal)(src.h));
  pal[1] = RGBQUAD{0, 0, 255, 0};
  ZKW(dibPutPixel)(src.h, 0, 0, 1);
  ZKW(dibPutPixel)(src.h, 1, 0, 0);
  ZKW(dibSetTransColor)(src.h, 0);
  ZKW(dibSetAttributes)(t.h, 6, 4);
  ZKW(dibBar)(t.h, 0, 0, 5, 3, 0x3264C8);
  // 200 %: a 3 x 3 red block at (1, 0); the key's block is not drawn.
  ZKW(dibScale)(t.h, 1, 0, 200, 200, src.h);
  EXPECT_EQ(ZKW(dibGetPixelEx)(t.h, 3, 2), kRed);
  EXPECT_EQ(ZKW(dibGetPixelEx)(t.h, 4, 0), 0x3264C8u);
  // Word arguments: shadow at 50 % where the source's pixel falls.
  ZKW(dibScaleShadow)(t.h, 5, 3, 100, 100, 50, src.h);
  EXPECT_EQ(ZKW(dibGetPixelEx)(t.h, 5, 3), 0x193264u);
  // Double arguments: hx = 0.5 with OrgX = 3 moves rows down by Round(1.5) = 2; hy = 1 moves
  // row 0 right by OrgY - 0 = 1.
  ZKW(dibBar)(t.h, 0, 0, 5, 3, kWhite);
  ZKW(dibShear)(t.h, 0, 0, 3, 1, 0.5, 1.0, src.h);
  EXPECT_EQ(ZKW(dibGetPixelEx)(t.h, 1, 2), kRed);
  EXPECT_EQ(ZKW(dibGetPixelEx)(t.h, 0, 2), kWhite);
  // Rotation by 90 degrees of a 1 x 2 column about (0, 1): (0, 0) goes to (1, 1).
  Dib col(8);
  ZKW(dibSetAttributes)(col.h, 1, 2);
  static_cast<RGBQUAD*>(ZKW(dibGetDibPal)(col.h))[1] = RGBQUAD{255, 0, 0, 0};
  ZKW(dibPutPixel)(col.h, 0, 0, 1);
  ZKW(dibPutPixel)(col.h, 0, 1, 0);
  ZKW(dibSetTransColor)(col.h, 0);
  ZKW(dibBar)(t.h, 0, 0, 5, 3, kWhite);
  ZKW(dibRotate)(t.h, 0, 0, 90, col.h);
  EXPECT_EQ(ZKW(dibGetPixelEx)(t.h, 1, 1), kBlue);
  EXPECT_EQ(ZKW(dibGetPixelEx)(t.h, 2, 1), kBlue);
  EXPECT_EQ(ZKW(dibGetPixelEx)(t.h, 0, 1), kWhite);
  // Offset tables and flips.
  std::vector<int16_t> values(1025, 7);
  ZKW(GetSinLine)(10.0, 1.0, values.data());
  EXPECT_EQ(values[2], 9);
  ZKW(GetLine)(0, 3, 1024, 3, values.data(), 1);
  EXPECT_EQ(values[1024], 3);
  ZKW(dibFlipHorizontal)(src.h);
  EXPECT_EQ(ZKW(dibGetPixel)(src.h, 1, 0), 1u);
  ZKW(dibFlipHorizontal)(src.h);
  EXPECT_EQ(ZKW(dibGetPixel)(src.h, 0, 0), 1u);
  // The scaled copy of an image with alpha.
  ZKW(dibCreateAlphaChannel)(src.h);
  ZHANDLE big = ZKW(dibGetScaleDib)(200, 200, src.h);
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(ZKW(dibGetWidth)(big), 4);
  EXPECT_EQ(ZKW(dibGetPixelEx)(big, 0, 0), kRed);
  EXPECT_EQ(ZKW(dibGetPixel)(ZKW(dibGetAlphaDib)(big), 2, 1), 255u);
  ZKW(FreeDibObject)(big);
}

TEST(Win32Transform, SmoothDrawingThroughGdiPlus) {
  ASSERT_EQ(ZKW(zkwImagingStartup)(), 1);
  Dib d(24);
  ZKW(dibSetAttributes)(d.h, 40, 20);
  ZKW(dibBar)(d.h, 0, 0, 39, 19, kRed);
  {
    // Scale 0.5, centred: a 20 x 10 image at (10 + 10, 10 + 5).
    MemDC m(80, 60);
    ZKW(zkwDrawDibScaled)(m.dc, 10, 10, 0, 0, 1.0f, d.h, 0.5f, 0.5f);
    EXPECT_EQ(m.At(25, 20), kRed);
    EXPECT_TRUE(Near(m.At(21, 16), kRed, 8));
    EXPECT_TRUE(Near(m.At(38, 23), kRed, 8));
    EXPECT_EQ(m.At(17, 20), kWhite);
    EXPECT_EQ(m.At(42, 20), kWhite);
    EXPECT_EQ(m.At(25, 13), kWhite);
    EXPECT_EQ(m.At(25, 27), kWhite);
  }
  {
    // Opacity 0.5 halves alpha: red over white gives about (255, 128, 128); 0 draws nothing.
    MemDC m(60, 40);
    ZKW(zkwDrawDibScaled)(m.dc, 5, 5, 1, 1, 0.5f, d.h, 1.0f, 1.0f);
    EXPECT_TRUE(Near(m.At(20, 10), 0x8080FF, 3));
    ZKW(zkwDrawDibRotated)(m.dc, 5, 5, 0, 0, 0.0f, d.h, 45);
    EXPECT_TRUE(Near(m.At(20, 10), 0x8080FF, 3));
    EXPECT_EQ(m.At(2, 30), kWhite);
  }
  {
    // 90 degrees about the centre (20, 10) at (50, 50): about 20 wide and 40 tall, centred
    // on (70, 60).
    MemDC m(120, 120);
    ZKW(zkwDrawDibRotated)(m.dc, 50, 50, 0, 0, 1.0f, d.h, 90);
    EXPECT_EQ(m.At(70, 45), kRed);
    EXPECT_EQ(m.At(65, 75), kRed);
    EXPECT_EQ(m.At(57, 60), kWhite);
    EXPECT_EQ(m.At(83, 60), kWhite);
    EXPECT_EQ(m.At(70, 37), kWhite);
    EXPECT_EQ(m.At(70, 82), kWhite);
  }
  ZKW(zkwImagingShutdown)();
  {
    // Stopped: the cached image is not drawn.
    MemDC m(60, 40);
    ZKW(zkwDrawDibScaled)(m.dc, 5, 5, 1, 1, 1.0f, d.h, 1.0f, 1.0f);
    EXPECT_EQ(m.At(20, 10), kWhite);
  }
}
