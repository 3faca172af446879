// The equation gallery against its golden picture (renewed by `make golden`), and a single
// equation drawn with its margin.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "equation/items.h"
#include "equation_gallery.h"
#include "png_io.h"
#include "support/memory_dc.h"
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

// The Win32 suite draws every gallery entry through the DLL and compares its measures with this
// build's, kept in tests/win32/data/gallery.txt as "WIDTH HEIGHT FORM CAPTION" lines (the text
// form as hexadecimal UTF-16 code units; 12 points, 96 pixels per inch). The file must hold this
// build's measures; ZKW_RECORD_GALLERY=1 writes it anew.
TEST(EquationGallery, TheWin32SuiteHoldsThisBuildsMeasures) {
  std::ostringstream lines;
  for (const TGalleryEntry& entry : GalleryEntries()) {
    zkw::ZString form;
    int32_t index = 1;
    entry.Equation->ExportTo(form, index);
    zkw::TEquation e;
    int32_t position = 1;
    ASSERT_TRUE(e.ImportFrom(form, position)) << entry.Caption;
    zkwtest::MemoryDC surface(16, 16);
    e.SetDC(surface.dc());
    e.SetResolution(96);
    e.SetFontSize(12);
    e.SetBasePoint(20, 128);
    lines << e.Width() << ' ' << e.Height() << ' ';
    for (char16_t unit : form) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(unit));
      lines << hex;
    }
    lines << ' ' << entry.Caption << '\n';
    e.SetDC(nullptr);
  }
  const std::string path = std::string(ZKW_WIN32_DATA_DIR) + "/gallery.txt";
  if (std::getenv("ZKW_RECORD_GALLERY")) std::ofstream(path, std::ios::binary) << lines.str();
  std::ifstream in(path, std::ios::binary);
  std::ostringstream kept;
  kept << in.rdbuf();
  EXPECT_EQ(kept.str(), lines.str());
}
