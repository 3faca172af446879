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
  EXPECT_EQ(image.Width, e.Width() + 16);
  EXPECT_EQ(image.Height, e.Height() + 16);
  // The bar: black on the axis row from the margin over the fraction's width.
  const int32_t y = 8 + e.AboveHeight();
  for (int32_t x = 8; x < 8 + e.Width(); ++x) EXPECT_EQ(image.Pixels[(static_cast<size_t>(y) * image.Width + x) * 4], 0) << x;
  EXPECT_EQ(image.Pixels[(static_cast<size_t>(y) * image.Width + 7) * 4], 255);
}
