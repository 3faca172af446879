// The equation gallery against its golden picture (renewed by `make golden`), and a single
// equation drawn with its margin.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "equation/items.h"
#include "equation_gallery.h"
#include "png_io.h"
#include "support/test_support.h"

using namespace zkwtool;

TEST(EquationGallery, MatchesTheGoldenPicture) {
  TRgbaImage drawn, golden;
  ASSERT_TRUE(RenderGallery(drawn));
  std::string error;
  ASSERT_TRUE(ReadPng(std::string(ZKW_TEST_DATA) + "/equation-gallery.png", golden, error)) << error;
  ASSERT_EQ(drawn.Width, golden.Width);
  ASSERT_EQ(drawn.Height, golden.Height);
  // Tolerance: at most 0.5 % of the pixels differ by more than 48 in a channel (glyph rasters of
  // other FreeType versions); lines and boxes must not move.
  int64_t differing = 0;
  for (size_t i = 0; i < drawn.Pixels.size(); i += 4)
    for (int c = 0; c < 3; ++c)
      if (std::abs(drawn.Pixels[i + c] - golden.Pixels[i + c]) > 48) {
        ++differing;
        break;
      }
  EXPECT_LE(differing * 200, static_cast<int64_t>(drawn.Width) * drawn.Height) << differing << " pixels differ";
}

TEST(EquationGallery, RenderKeepsAMarginAroundTheRegion) {
  zkw::TEquation e;
  auto* f = new zkw::TFraction;
  f->NAdd(new zkw::TSimpleExpr(zkwtest::Z("1")));
  f->DAdd(new zkw::TSimpleExpr(zkwtest::Z("2")));
  e.Add(f);
  TRgbaImage image;
  ASSERT_TRUE(RenderEquation(e, TEqRenderOptions{20, 96, nullptr}, image));
  ASSERT_GT(image.Width, 16);
  ASSERT_GT(image.Height, 16);
  // The bar: one row black from the left margin to the right one, white in the margins.
  auto red = [&](int32_t x, int32_t y) { return image.Pixels[(static_cast<size_t>(y) * image.Width + x) * 4]; };
  int32_t bars = 0;
  for (int32_t y = 0; y < image.Height; ++y) {
    int32_t black = 0;
    for (int32_t x = 8; x < image.Width - 8; ++x) black += red(x, y) == 0;
    if (black != image.Width - 16) continue;
    ++bars;
    EXPECT_EQ(red(7, y), 255);
    EXPECT_EQ(red(image.Width - 8, y), 255);
  }
  EXPECT_EQ(bars, 1);
}
