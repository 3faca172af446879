// The df and dfu exports: they reach the same font object, setters return what they stored,
// the opacity variants restore 100, the 24-bit-only variants leave other images alone.
#include <gtest/gtest.h>

#include "exports/zkwgdi32.h"
#include "fonts/dib_font.h"
#include "support/font_builders.h"
#include "support/test_support.h"

using namespace zkwtest;

TEST(FontExports, ForwardToTheFontObject) {
  FontBuilder b(4, 3, 1);
  b.Solid(0, 3, 0).Solid(33, 2, 255).Solid(232, 1, 255).Accent(5, 0, -3);
  std::string path = TempPath("exports-font.dfu");
  WriteFileBytes(path, b.Bytes());

  void* f = CreateDFUFont();
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(dfGetFontImage(f), nullptr);
  EXPECT_EQ(dfuTextWidth(f, Z("AA").c_str(), 2), 0) << "a new font has no glyphs";
  ASSERT_EQ(dfLoadFromFile(f, Z(path).c_str()), 1);
  EXPECT_EQ(dfLoadFromFile(f, Z(TempPath("missing.dfu")).c_str()), 0);
  ASSERT_EQ(dfuLoadFromFile(f, Z(path).c_str()), 1);
  EXPECT_NE(dfGetFontImage(f), nullptr);
  EXPECT_EQ(dfTextHeight(f), 5);
  EXPECT_EQ(dfuBaseline(f), 4);
  EXPECT_EQ(dfExternalLeading(f), 1);
  EXPECT_EQ(dfuGetAscent(f), -3);
  EXPECT_EQ(dfTextWidth(f, Z("A A").c_str(), 3), 7);
  EXPECT_EQ(dfuSetKerning(f, 1), 1);
  EXPECT_EQ(dfGetKerning(f), 1);
  EXPECT_EQ(dfTextWidth(f, Z("A A").c_str(), 3), 5);
  dfSetKerning(f, 0);

  // Every dfu pair reads back what it wrote; Boolean setters give 0 or 1.
  EXPECT_EQ(dfuSetFontColor(f, 0x123456), 0x123456);
  EXPECT_EQ(dfuGetFontColor(f), 0x123456);
  EXPECT_EQ(dfuSetOutline(f, 7), 1);
  EXPECT_EQ(dfuGetOutline(f), 1);
  EXPECT_EQ(dfuSetShadowOpacity(f, 40), 40);
  EXPECT_EQ(dfuSetUnderlineStyle(f, 13), 13);
  EXPECT_EQ(dfuSetBkMode(f, 2), 2u);
  EXPECT_EQ(dfuSetShadX(f, -3), -3);
  EXPECT_EQ(dfuGetShadX(f), -3);
  EXPECT_EQ(dfuSetLeading(f, 9), 9);
  EXPECT_EQ(dfuGetExtra(f), 0);
  EXPECT_EQ(dfuGetOpacity(f), 100);
  dfuSetBkMode(f, 1);
  dfuSetOutline(f, 0);

  dfSetAttr(f, 0x0000FF, 1, 0x00FF00, 1, 0x010203);
  int32_t color = 0, outlineColor = 0, shadowColor = 0;
  uint8_t outline = 9, shadow = 9;
  EXPECT_EQ(dfGetAttr(f, &color, &outline, &outlineColor, &shadow, &shadowColor), 0x010203);
  EXPECT_EQ(color, 0x0000FF);
  EXPECT_EQ(outline, 1);
  EXPECT_EQ(outlineColor, 0x00FF00);
  EXPECT_EQ(shadow, 1);
  EXPECT_EQ(dfuGetShadowColor(f), 0x010203);
  dfSetAttr(f, 0x0000FF, 0, 0, 0, 0);
  dfuSetColor(f, 0x0000FF, 0xFFFFFF);

  // Opacity for one call, then 100; the 24-bit-only variants leave 8-bit images alone.
  auto d = Canvas(10, 10);
  dfuSetOpacity(f, 30);
  dfWriteTextEx(f, 0, 0, Z("A").c_str(), 1, d.get(), 100);
  EXPECT_EQ(dfuGetOpacity(f), 100);
  EXPECT_EQ(Px(*d, 0, 1), 0x0000FEu);
  void* eight = CreateDibObject(8);
  dibSetAttributes(eight, 4, 4);
  dfWriteTextMerge1(f, 0, 0, Z("A").c_str(), 1, eight, 100);
  EXPECT_EQ(dibGetPixel(eight, 0, 1), 255u);
  EXPECT_EQ(dfDrawTextMerge(f, 0, 0, 10, 10, Z("A").c_str(), 1, eight, 0, 100), 0);
  EXPECT_EQ(dfDrawTextMerge(f, 0, 0, 10, 10, Z("A").c_str(), 1, d.get(), 0, 100), 5);
  EXPECT_EQ(dfDrawTextEx(f, 0, 0, 10, 10, Z("A A").c_str(), 3, d.get(), 16, 50), 5);
  EXPECT_EQ(dfuCalcText(f, 0, 0, 2, 10, Z("A A").c_str(), 3), 10);
  auto m = Canvas(10, 10);
  dfWriteTextMerge2(f, 0, 2, 10, 10, Z("A").c_str(), 1, 0, m.get(), 100);  // Flag before dib
  EXPECT_EQ(Px(*m, 0, 3), 0x0000FEu);
  EXPECT_EQ(dfuDrawText(f, 0, 0, 10, 10, Z("A").c_str(), 1, m.get(), 8), 5);

  // Process-wide state.
  DibFontSetTextJustification(4, 2);
  EXPECT_EQ(dfTextWidth(f, Z("  ").c_str(), 2), 3 + 3 + 3 + 3 - 2);
  DibFontSetTextJustification(0, 0);
  SetFontClipRegion(5, 5, 6, 6);
  auto c = Canvas(10, 10);
  dfuWriteText(f, 0, 0, Z("A").c_str(), 1, c.get());
  EXPECT_EQ(Px(*c, 0, 1), 0xFFFFFFu);
  ClearFontClipRegion();
  dfWriteText(f, 0, 0, Z("A").c_str(), 1, c.get());
  EXPECT_EQ(Px(*c, 0, 1), 0x0000FEu);

  // Saving under a name without extension adds ".dfu".
  std::string saved = TempPath("exports-saved");
  EXPECT_EQ(dfSaveToFile(f, Z(saved).c_str()), 1);
  EXPECT_FALSE(ReadFileBytes(saved + ".dfu").empty());

  // The exports that do nothing exist and return nothing harmful.
  dfUpdateColors(f);
  dfWriteTextShadow(0, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(dfCreateFontFrom(0, 0, 0, 0, 0, 0, 0), nullptr);
  EXPECT_EQ(dfCreateFontExFrom(0, 0, 0, 0, 0, 0, 0, 0), nullptr);
  FreeDibObject(eight);
  dfFreeDibFont(f);
  FreeDFUFont(nullptr);

  // Strip images through the exports.
  void* g = dfCreateDibFont();
  EXPECT_EQ(dfuLoadFontImage(g, Z(TempPath("none.bmp")).c_str()), 0);
  dfFreeDibFont(g);
}
