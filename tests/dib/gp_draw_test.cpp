// Smooth drawing: the image-drawing service's start and stop, the image cache's lifetime, the
// ARGB words it holds, where the rotated and scaled images land (with room for the filter at
// the edges), opacity, and surfaces of 32, 24 and 16 bits.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "support/dib_builders.h"
#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/gp_draw.h"
#include "exports/zkwgdi32.h"
#include "platform/plat_gdi.h"
#include "platform/plat_imaging.h"

using zkw::TDib24Bits;
using zkw::TDib8Bits;

namespace {

using zkwtest::Col;
using zkwtest::ExpectGrid;
using zkwtest::Indexed;
using zkwtest::Solid24;

// A memory DC over a top-down 32-bit section (zkwCreateMemoryDC), filled white.
struct MemDC {
  MemDC(int w, int h) : dc(zkwCreateMemoryDC(w, h)), width(w), height(h) { Fill(0xFFFFFF); }
  ~MemDC() { zkwDeleteMemoryDC(dc); }
  uint32_t At(int x, int y) const {
    auto* p = static_cast<uint8_t*>(zkwMemoryDCPixels(dc)) + (y * width + x) * 4;
    return p[2] | (p[1] << 8) | (p[0] << 16);
  }
  void Fill(uint32_t color) {
    plat::HBRUSH brush = plat::CreateSolidBrush(color);
    plat::RECT r{0, 0, width, height};
    plat::FillRect(dc, &r, brush);
    plat::DeleteObject(brush);
  }
  void* dc;
  int width, height;
};

// A memory DC over a bottom-up section of the given depth, filled white.
struct SectionDC {
  SectionDC(int w, int h, uint16_t bits) {
    plat::BITMAPINFO info{};
    info.bmiHeader = {40, w, h, 1, bits, plat::BI_RGB, 0, 0, 0, 0, 0};
    dc = plat::CreateCompatibleDC(nullptr);
    void* pixels = nullptr;
    section = plat::CreateDIBSection(dc, &info, plat::DIB_RGB_COLORS, &pixels, nullptr, 0);
    old = plat::SelectObject(dc, section);
    plat::HBRUSH brush = plat::CreateSolidBrush(0xFFFFFF);
    plat::RECT r{0, 0, w, h};
    plat::FillRect(dc, &r, brush);
    plat::DeleteObject(brush);
  }
  ~SectionDC() {
    plat::SelectObject(dc, old);
    plat::DeleteObject(section);
    plat::DeleteDC(dc);
  }
  plat::HDC dc;
  plat::HBITMAP section;
  plat::HGDIOBJ old;
};

// The service runs for the test and is stopped afterwards.
struct Running {
  Running() { EXPECT_TRUE(plat::ImagingStartup()); }
  ~Running() { plat::ImagingShutdown(); }
};

// Channels within `tolerance` of a COLORREF.
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

TEST(ImagingService, StartStopAndTheImageCache) {
  plat::ImagingShutdown();
  EXPECT_FALSE(plat::ImagingRunning());
  auto d = Solid24(3, 2, kRed);
  EXPECT_FALSE(d->RequireGPBitmap());  // not running
  EXPECT_EQ(d->GPImage(), nullptr);
  EXPECT_EQ(zkwImagingStartup(), 1);
  EXPECT_TRUE(plat::ImagingRunning());
  EXPECT_TRUE(plat::ImagingStartup());  // already running
  ASSERT_TRUE(d->RequireGPBitmap());
  void* first = d->GPImage();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(d->RequireGPBitmap());
  EXPECT_EQ(d->GPImage(), first);  // built once
  // The cache is not refreshed by pixel changes; removing it rebuilds it from the pixels.
  d->Bar(0, 0, 2, 1, kBlue);
  MemDC m(8, 8);
  zkw::DrawImageScaled(m.dc, 0, 0, 1, 1, 1.0f, d->GPImage(), 1.0f, 1.0f);
  EXPECT_EQ(m.At(1, 1), kRed);
  d->RemoveGPBitmap();
  EXPECT_EQ(d->GPImage(), nullptr);
  ASSERT_TRUE(d->RequireGPBitmap());
  zkw::DrawImageScaled(m.dc, 0, 0, 1, 1, 1.0f, d->GPImage(), 1.0f, 1.0f);
  EXPECT_EQ(m.At(1, 1), kBlue);
  // After a stop the cached image is unusable: nothing is drawn with it, the cache answers
  // false, and after a new start it is built again.
  void* stale = d->GPImage();
  zkwImagingShutdown();
  EXPECT_FALSE(plat::ImagingRunning());
  m.Fill(kWhite);
  zkw::DrawImageScaled(m.dc, 0, 0, 1, 1, 1.0f, stale, 1.0f, 1.0f);
  EXPECT_EQ(m.At(1, 1), kWhite);
  EXPECT_FALSE(d->RequireGPBitmap());
  EXPECT_EQ(d->GPImage(), nullptr);
  auto kept = Solid24(2, 2, kRed);
  {
    Running on;
    ASSERT_TRUE(kept->RequireGPBitmap());
    EXPECT_TRUE(d->RequireGPBitmap());
  }
  {
    Running again;  // kept's image is from the previous run: rebuilt
    void* old = kept->GPImage();
    EXPECT_FALSE(plat::ImagingImageUsable(static_cast<plat::ImagingImage*>(old)));
    ASSERT_TRUE(kept->RequireGPBitmap());
    EXPECT_TRUE(plat::ImagingImageUsable(static_cast<plat::ImagingImage*>(kept->GPImage())));
  }
  // An image without pixels has no cache even while the service runs.
  Running on;
  TDib24Bits empty;
  EXPECT_FALSE(empty.RequireGPBitmap());
}

TEST(ImagingService, CachedWordsCarryColoursAndAlpha) {
  Running on;
  // 8-bit image: colours through its table, alpha from the companion (255, 0, 128).
  TDib8Bits d;
  d.SetAttributes(3, 1);
  d.DibPal[1] = zkw::TRGBQuad{0x30, 0x20, 0x10, 0};
  for (int x = 0; x < 3; ++x) d.PutPixel(x, 0, 1);
  d.CreateAlphaChannel();
  d.AlphaDib->PutPixel(1, 0, 0);
  d.AlphaDib->PutPixel(2, 0, 128);
  MemDC m(4, 2);
  // Scale 1 places the image pixel for pixel (the filter samples pixel centres exactly).
  zkwDrawDibScaled(m.dc, 0, 0, 1, 1, 1.0f, &d, 1.0f, 1.0f);
  EXPECT_EQ(m.At(0, 0), 0x302010u);
  EXPECT_EQ(m.At(1, 0), kWhite);
  EXPECT_TRUE(Near(m.At(2, 0), 0x989088, 2));  // half of 0x10..0x30 over 0xFF
  EXPECT_EQ(m.At(3, 0), kWhite);
  // 24-bit image without a companion: opaque.
  auto rgb = Solid24(2, 1, 0x123456);
  zkwDrawDibScaled(m.dc, 1, 1, 1, 1, 1.0f, rgb.get(), 1.0f, 1.0f);
  EXPECT_EQ(m.At(1, 1), 0x123456u);
  EXPECT_EQ(m.At(2, 1), 0x123456u);
  EXPECT_EQ(m.At(0, 1), kWhite);
}

TEST(ImagingDraw, ScaledImageLandsInItsAlignedBox) {
  Running on;
  auto d = Solid24(100, 100, kRed);
  ASSERT_TRUE(d->RequireGPBitmap());
  struct Case {
    int V, H, left, top;
  } cases[] = {{0, 0, 35, 35}, {1, 1, 10, 10}, {2, 2, 60, 60}, {1, 2, 60, 10}};
  for (const Case& c : cases) {
    MemDC m(200, 200);
    zkw::DrawImageScaled(m.dc, 10, 10, c.V, c.H, 1.0f, d->GPImage(), 0.5f, 0.5f);
    // 50 x 50 at (left, top): inside red, one pixel off each edge white (the filter may
    // soften the edge pixels themselves).
    for (int y = c.top + 1; y < c.top + 49; ++y)
      for (int x = c.left + 1; x < c.left + 49; ++x)
        ASSERT_EQ(m.At(x, y), kRed) << c.V << c.H << " " << x << "," << y;
    for (int k = c.top; k < c.top + 50; ++k) {
      EXPECT_EQ(m.At(c.left - 1, k), kWhite);
      EXPECT_EQ(m.At(c.left + 50, k), kWhite);
      EXPECT_EQ(m.At(k - c.top + c.left, c.top - 1), kWhite);
      EXPECT_EQ(m.At(k - c.top + c.left, c.top + 50), kWhite);
    }
  }
  // Different factors per axis: 40 x 30 box of a 100 x 100 image, centred.
  MemDC m(200, 200);
  zkw::DrawImageScaled(m.dc, 0, 0, 0, 0, 1.0f, d->GPImage(), 0.3f, 0.4f);
  EXPECT_EQ(m.At(31, 36), kRed);
  EXPECT_EQ(m.At(68, 63), kRed);
  EXPECT_EQ(m.At(28, 50), kWhite);
  EXPECT_EQ(m.At(50, 33), kWhite);
  EXPECT_EQ(m.At(71, 50), kWhite);
  EXPECT_EQ(m.At(50, 66), kWhite);
}

TEST(ImagingDraw, RotatedImagesTurnClockwiseAboutTheAnchor) {
  Running on;
  // 40 x 20 image, top row red, the rest blue.
  auto d = Solid24(40, 20, kBlue);
  d->Bar(0, 0, 39, 0, kRed);
  ASSERT_TRUE(d->RequireGPBitmap());
  {
    // 0 degrees: the parallelogram (5, 5), (44, 5), (5, 24).
    MemDC m(100, 100);
    zkw::DrawImageRotated(m.dc, 5, 5, 0, 0, 1.0f, d->GPImage(), 0);
    EXPECT_EQ(m.At(20, 15), kBlue);
    EXPECT_TRUE(Near(m.At(20, 5), kRed, 60));
    EXPECT_EQ(m.At(3, 15), kWhite);
    EXPECT_EQ(m.At(46, 15), kWhite);
    EXPECT_EQ(m.At(20, 3), kWhite);
    EXPECT_EQ(m.At(20, 26), kWhite);
  }
  {
    // 90 degrees about the centre (20, 10): (px, py) -> (x + 30 - py, y - 10 + px), the
    // corners (80, 40), (80, 79), (61, 40): pixels 61..79 across, 40..78 down, the top row
    // on the right.
    MemDC m(120, 120);
    zkw::DrawImageRotated(m.dc, 50, 50, 0, 0, 1.0f, d->GPImage(), 90);
    EXPECT_EQ(m.At(65, 45), kBlue);
    EXPECT_EQ(m.At(70, 75), kBlue);
    EXPECT_TRUE(Near(m.At(79, 60), kRed, 60));
    EXPECT_EQ(m.At(59, 60), kWhite);
    EXPECT_EQ(m.At(82, 60), kWhite);
    EXPECT_EQ(m.At(70, 38), kWhite);
    EXPECT_EQ(m.At(70, 81), kWhite);
  }
  {
    // Top-left anchor, 90 degrees: (px, py) -> (x - py, y + px), the corners (50, 30),
    // (50, 69), (31, 30): pixels 31..49 across, 30..68 down.
    MemDC m(120, 120);
    zkw::DrawImageRotated(m.dc, 50, 30, 1, 1, 1.0f, d->GPImage(), 90);
    EXPECT_EQ(m.At(40, 50), kBlue);
    EXPECT_TRUE(Near(m.At(49, 50), kRed, 60));
    EXPECT_EQ(m.At(52, 50), kWhite);
    EXPECT_EQ(m.At(29, 50), kWhite);
    EXPECT_EQ(m.At(40, 28), kWhite);
    EXPECT_EQ(m.At(40, 71), kWhite);
  }
  {
    // Scaled and rotated: offsets scaled by 0.5 across and 2 down, 0 degrees, centre anchor:
    // the corners (60, 40), (Round(79.5) = 80, 40), (60, 78).
    MemDC m(120, 120);
    zkwDrawDibScaledRotated(m.dc, 50, 50, 0, 0, 1.0f, d.get(), 2.0f, 0.5f, 0);
    EXPECT_EQ(m.At(70, 60), kBlue);
    EXPECT_EQ(m.At(62, 75), kBlue);
    EXPECT_EQ(m.At(58, 60), kWhite);
    EXPECT_EQ(m.At(82, 60), kWhite);
    EXPECT_EQ(m.At(70, 38), kWhite);
    EXPECT_EQ(m.At(70, 80), kWhite);
  }
}

TEST(ImagingDraw, OpacityMultipliesAlpha) {
  Running on;
  auto d = Solid24(10, 10, kRed);
  MemDC m(12, 12);
  zkwDrawDibRotated(m.dc, 1, 1, 0, 0, 0.0f, d.get(), 0);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_EQ(m.At(x, y), kWhite);
  zkwDrawDibScaled(m.dc, 1, 1, 0, 0, 0.5f, d.get(), 1.0f, 1.0f);
  EXPECT_TRUE(Near(m.At(5, 5), 0x8080FF, 1));
  EXPECT_EQ(m.At(0, 5), kWhite);
  // Out-of-range factors count as their limits.
  m.Fill(kWhite);
  zkwDrawDibScaled(m.dc, 1, 1, 0, 0, 7.0f, d.get(), 1.0f, 1.0f);
  EXPECT_EQ(m.At(5, 5), kRed);
  m.Fill(kWhite);
  zkwDrawDibScaled(m.dc, 1, 1, 0, 0, -1.0f, d.get(), 1.0f, 1.0f);
  EXPECT_EQ(m.At(5, 5), kWhite);
}

TEST(ImagingDraw, BottomUpAndSixteenBitSurfaces) {
  Running on;
  auto d = Solid24(4, 3, kBlue);
  d->PutPixel(0, 0, kRed);
  ASSERT_TRUE(d->RequireGPBitmap());
  // A bottom-up 24-bit section: the image is not turned upside down.
  SectionDC s24(10, 8, 24);
  zkw::DrawImageScaled(s24.dc, 3, 2, 1, 1, 1.0f, d->GPImage(), 1.0f, 1.0f);
  EXPECT_EQ(plat::GetPixel(s24.dc, 3, 2), kRed);
  EXPECT_EQ(plat::GetPixel(s24.dc, 4, 2), kBlue);
  EXPECT_EQ(plat::GetPixel(s24.dc, 6, 4), kBlue);
  EXPECT_EQ(plat::GetPixel(s24.dc, 3, 5), kWhite);
  EXPECT_EQ(plat::GetPixel(s24.dc, 7, 2), kWhite);
  EXPECT_EQ(plat::GetPixel(s24.dc, 2, 2), kWhite);
  // A bottom-up 32-bit section.
  SectionDC s32(10, 8, 32);
  zkw::DrawImageScaled(s32.dc, 0, 5, 1, 1, 1.0f, d->GPImage(), 1.0f, 1.0f);
  EXPECT_EQ(plat::GetPixel(s32.dc, 0, 5), kRed);
  EXPECT_EQ(plat::GetPixel(s32.dc, 3, 7), kBlue);
  EXPECT_EQ(plat::GetPixel(s32.dc, 0, 4), kWhite);
  // A 16-bit (5-5-5) section goes through a copy of the touched pixels.
  SectionDC s16(10, 8, 16);
  zkw::DrawImageScaled(s16.dc, 1, 1, 1, 1, 1.0f, d->GPImage(), 1.0f, 1.0f);
  EXPECT_TRUE(Near(plat::GetPixel(s16.dc, 1, 1), kRed, 8));
  EXPECT_TRUE(Near(plat::GetPixel(s16.dc, 4, 3), kBlue, 8));
  EXPECT_TRUE(Near(plat::GetPixel(s16.dc, 5, 3), kWhite, 8));
  // Drawing wholly outside the surface, or with no image, changes nothing.
  zkw::DrawImageScaled(s24.dc, 50, 50, 1, 1, 1.0f, d->GPImage(), 1.0f, 1.0f);
  zkw::DrawImageRotated(s24.dc, 0, 0, 1, 1, 1.0f, nullptr, 0);
  EXPECT_EQ(plat::GetPixel(s24.dc, 0, 0), kWhite);
}
