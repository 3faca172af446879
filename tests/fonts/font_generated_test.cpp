// Fonts made by `zkw font make` at build time from DejaVu and Liberation: they load, hold the
// glyphs and marks they should, and a Vietnamese sentence is drawn as wide as it measures.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "dib/dib24.h"
#include "fonts/dib_font.h"
#include "fonts/glyph_state.h"
#include "support/font_builders.h"
#include "support/test_support.h"

using namespace zkwtest;

namespace {

const char* kFonts[] = {"dejavu-sans-12",         "dejavu-sans-16",      "dejavu-sans-24",
                        "dejavu-sans-32",         "dejavu-sans-bold-16", "dejavu-sans-bold-32",
                        "liberation-sans-16",     "liberation-sans-bold-32",
                        "liberation-serif-16",    "liberation-serif-bold-32"};

std::string FontPath(const std::string& name) {
  return std::string(ZKW_TEST_FONTS) + "/" + name + ".dfu";
}

// Loads a generated font; a missing file fails the test (the build makes them).
bool LoadGenerated(const std::string& name, zkw::TDibFont& font) {
  std::string path = FontPath(name);
  if (!std::ifstream(path).good()) {
    ADD_FAILURE() << path << " is missing: the build makes it with `zkw font make`";
    return false;
  }
  EXPECT_TRUE(font.LoadFromFile(Z(path).c_str())) << path;
  return font.FDib != nullptr;
}

// Advance of one code unit read straight from the table.
int Advance(const zkw::TDibFont& f, char16_t c) {
  int composed;
  uint8_t g = zkw::GlyphOfCode(c, composed);
  const zkw::TDibFontGlyph e = f.FHeader.dfTable[g];
  return g == zkw::kGlyphSpace ? e.GlyphWidth : e.GlyphWidth - e.OverhangLeft - e.OverhangRight;
}

}  // namespace

TEST(GeneratedFonts, HoldTheGlyphsPlanesAndMarksTheyShould) {
  for (const char* name : kFonts) {
    zkw::TDibFont f;
    f.Designing = true;  // absent glyphs stay absent
    if (!LoadGenerated(name, f)) continue;
    SCOPED_TRACE(name);
    EXPECT_EQ(f.FHeader.dfChannels, 14) << "face, outline and shadow planes";
    ASSERT_TRUE(f.FODib && f.FSDib);
    for (int c = 33; c < 127; ++c) EXPECT_GT(+f.FHeader.dfTable[c - 32].GlyphWidth, 0) << c;
    for (int s = zkw::kGlyphFirstExtra; s <= zkw::kGlyphMissing; ++s)
      EXPECT_GT(+f.FHeader.dfTable[s].GlyphWidth, 0) << "slot " << s;
    EXPECT_EQ(+f.FHeader.dfTable[0].OverhangLeft, 0) << "the space has no overhangs";
    EXPECT_EQ(+f.FHeader.dfTable[0x81 - 32].GlyphWidth, 0) << "0x81 is not a Windows-1252 character";
    // Marks over capitals sit higher than over small letters: O-horn/o-horn with hook (34, 85),
    // A-breve/a-breve with acute (8, 59).
    EXPECT_LT(+f.FHeader.dfAccents[34].dy, +f.FHeader.dfAccents[85].dy);
    EXPECT_LT(+f.FHeader.dfAccents[8].dy, +f.FHeader.dfAccents[59].dy);
    EXPECT_LT(f.tmAscent, 0);
    EXPECT_GT(+f.FHeader.dfBaseline, 0);
    EXPECT_LT(+f.FHeader.dfBaseline, +f.FHeader.dfHeight);
  }
}

TEST(GeneratedFonts, VietnameseSentenceIsDrawnAsWideAsItMeasures) {
  zkw::TDibFont f;
  if (!LoadGenerated("dejavu-sans-16", f)) return;
  const std::u16string text = u"Tiếng Việt có dấu: Ở đây, người ta viết chữ Quốc ngữ.";
  const zkw::ZString w(text.begin(), text.end());
  const int n = static_cast<int>(w.size());
  int sum = 0, maxRight = 0, maxLeft = 0;
  for (char16_t c : text) {
    sum += Advance(f, c);
    int composed;
    const zkw::TDibFontGlyph e = f.FHeader.dfTable[zkw::GlyphOfCode(c, composed)];
    maxRight = std::max<int>(maxRight, e.OverhangRight);
    maxLeft = std::max<int>(maxLeft, e.OverhangLeft);
  }
  EXPECT_EQ(f.TextWidth(w.c_str(), static_cast<uint16_t>(n)), sum);

  const int x = 20, y = 20;
  auto d = Canvas(sum + 60, f.TextHeight() + 40);
  f.WriteText(x, y, w.c_str(), n, d.get());
  int left = d->Width(), right = -1, top = d->Height();
  for (int yy = 0; yy < d->Height(); ++yy)
    for (int xx = 0; xx < d->Width(); ++xx)
      if (Px(*d, xx, yy) != 0xFFFFFF) {
        left = std::min(left, xx), right = std::max(right, xx), top = std::min(top, yy);
      }
  ASSERT_GE(right, 0) << "nothing drawn";
  EXPECT_GE(left, x - maxLeft);
  EXPECT_LE(left, x + 2);
  EXPECT_LE(right, x + sum + maxRight);
  EXPECT_GE(right, x + sum - 6) << "the last glyph reaches the measured end";
  // Tone marks over capitals rise above the line top, by no more than the font's ascent.
  EXPECT_LT(top, y + f.FHeader.dfExternalLeading + f.FHeader.dfBaseline - 11);
  EXPECT_GE(top, y + f.tmAscent);

  // A composed letter is its base plus ink above it.
  auto ink = [&](char16_t c) {
    auto g = Canvas(40, 60);
    zkw::ZString s(1, c);
    f.WriteText(10, 20, s.c_str(), 1, g.get());
    int t = 60, count = 0;
    for (int yy = 0; yy < 60; ++yy)
      for (int xx = 0; xx < 40; ++xx)
        if (Px(*g, xx, yy) != 0xFFFFFF) t = std::min(t, yy), ++count;
    return std::make_pair(t, count);
  };
  EXPECT_LT(ink(0x1EDE).first, ink(0x01A0).first) << "hook above O-horn";
  EXPECT_GT(ink(0x1EDE).second, ink(0x01A0).second);
  EXPECT_EQ(f.CharWidth(0x1EDE), f.CharWidth(0x01A0));
}
