// Font files: the current format written and read back byte for byte, the glyph fill and
// tone-mark ascent on load, the two older formats, and refusals of malformed files.
#include <gtest/gtest.h>

#include <cstring>

#include "common/byte_stream.h"
#include "base/last_error.h"
#include "dib/dib8.h"
#include "fonts/dib_font.h"
#include "support/font_builders.h"
#include "support/test_support.h"

using namespace zkwtest;
using zkw::TDibFont;

namespace {

// Three glyphs with distinct coverage in all three planes, and two accents.
FontBuilder Sample() {
  FontBuilder b(5, 4, 1);
  GlyphSpec a;
  a.slot = 33;  // "A"
  a.width = 3;
  a.overhangLeft = 1;
  a.overhangRight = -2;
  for (int i = 0; i < 15; ++i) {
    a.face.push_back(static_cast<uint8_t>(i * 17));
    a.outline.push_back(static_cast<uint8_t>(255 - i));
    a.shadow.push_back(static_cast<uint8_t>(i + 100));
  }
  b.Glyph(a).Solid(0, 2, 0).Solid(234, 2, 200, 0, 0, 10, 20);
  b.Accent(34, 1, -3).Accent(5, -2, -7).Accent(9, 0, 4);
  return b.Planes(true, true);
}

bool LoadBytes(TDibFont& font, const std::vector<uint8_t>& bytes) {
  zkw::TMemoryStream s(bytes);
  return font.LoadFromStream(s);
}

}  // namespace

TEST(FontFile, SaveAndLoadKeepHeaderTableAccentsAndPlanes) {
  FontBuilder b = Sample();
  std::vector<uint8_t> bytes = b.Bytes();
  auto font = b.Load(/*designing=*/true);
  ASSERT_TRUE(font);
  EXPECT_EQ(+font->FHeader.dfTable[33].OverhangRight, -2);
  EXPECT_EQ(font->tmAscent, -7) << "least accent dy";
  EXPECT_EQ(font->TextHeight(), 6);
  EXPECT_EQ(font->Baseline(), 5);
  ASSERT_TRUE(font->FDib && font->FODib && font->FSDib);
  EXPECT_EQ(font->FDib->GetPixel(0 + 2, 4), 14 * 17u) << "face pixel (2, 4) of glyph A";
  EXPECT_EQ(font->FODib->GetPixelEx(0, 0), 0xFFFFFFu) << "grey colour table";
  EXPECT_FALSE(font->SpecialFontWithAlpha);

  // A name without extension gets ".dfu"; the file is the builder's bytes exactly.
  std::string path = TempPath("font_roundtrip");
  std::remove((path + ".dfu").c_str());
  ASSERT_TRUE(font->SaveToFile(Z(path).c_str()));
  EXPECT_EQ(ReadFileBytes(path + ".dfu"), bytes);
  // A name with an extension is used as it is.
  ASSERT_TRUE(font->SaveToFile(Z(path + ".fnt").c_str()));
  EXPECT_EQ(ReadFileBytes(path + ".fnt"), bytes);

  TDibFont again;
  again.Designing = true;
  ASSERT_TRUE(again.LoadFromFile(Z(path + ".dfu").c_str()));
  EXPECT_EQ(std::memcmp(&again.FHeader, &font->FHeader, sizeof again.FHeader), 0);

  // An alpha plane goes to the face image's alpha companion and marks a picture font.
  GlyphSpec p;
  p.slot = 10;
  p.width = 2;
  p.face = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  p.alpha = {255, 0, 128, 0, 1, 2, 3, 4, 5, 6};
  FontBuilder withAlpha(5, 4);
  withAlpha.Glyph(p).Planes(false, false, true);
  auto pic = withAlpha.Load(true);
  ASSERT_TRUE(pic && pic->FDib->AlphaDib);
  EXPECT_TRUE(pic->SpecialFontWithAlpha);
  EXPECT_EQ(pic->FDib->AlphaDib->GetPixel(0, 1), 128u);
  ASSERT_TRUE(pic->SaveToFile(Z(path + "-alpha.dfu").c_str()));
  EXPECT_EQ(ReadFileBytes(path + "-alpha.dfu"), withAlpha.Bytes());
}

TEST(FontFile, LoadFillsAbsentGlyphsWithMissingThenQuestionThenSpace) {
  auto withMissing = FontBuilder(4, 3).Solid(0, 2, 0).Solid(31, 3, 9).Solid(237, 5, 9, 1, 1).Load();
  ASSERT_TRUE(withMissing);
  for (int s : {1, 100, 224, 236, 238, 255}) {
    EXPECT_EQ(+withMissing->FHeader.dfTable[s].GlyphWidth, 5) << s;
    EXPECT_EQ(+withMissing->FHeader.dfTable[s].OverhangLeft, 1) << s;
    EXPECT_EQ(+withMissing->FHeader.dfTable[s].GlyphLeft, 5u) << s;
  }
  EXPECT_EQ(+withMissing->FHeader.dfTable[31].GlyphWidth, 3);

  auto withQuestion = FontBuilder(4, 3).Solid(0, 2, 0).Solid(31, 3, 9).Load();
  EXPECT_EQ(+withQuestion->FHeader.dfTable[237].GlyphWidth, 3);
  auto spaceOnly = FontBuilder(4, 3).Solid(0, 2, 0).Load();
  EXPECT_EQ(+spaceOnly->FHeader.dfTable[65].GlyphWidth, 2);
  auto designing = FontBuilder(4, 3).Solid(0, 2, 0).Solid(237, 5, 9).Load(true);
  EXPECT_EQ(+designing->FHeader.dfTable[65].GlyphWidth, 0);
  EXPECT_EQ(designing->tmAscent, 0) << "never above 0";
}

TEST(FontFile, OlderFormatsLoadWithColourTableAndNoFill) {
  GlyphSpec g;
  g.slot = 33;
  g.width = 3;
  g.overhangLeft = 2;  // older formats have no overhangs
  for (int i = 0; i < 12; ++i) g.face.push_back(static_cast<uint8_t>(i + 1)), g.alpha.push_back(static_cast<uint8_t>(200 + i));
  FontBuilder b(4, 3, 2);
  b.Solid(0, 2, 0).Glyph(g);

  TDibFont ex;
  ASSERT_TRUE(LoadBytes(ex, b.OldBytes(true, true)));
  EXPECT_TRUE(ex.SpecialFontWithAlpha);
  ASSERT_TRUE(ex.FDib && ex.FDib->AlphaDib);
  EXPECT_EQ(ex.FODib, nullptr);
  EXPECT_EQ(ex.FDib->TransparentColor, 0);
  EXPECT_EQ(ex.FDib->GetPixelEx(0, 0), 0x00FF07u) << "entry 0 of the stored table: blue 0, green 255, red 7";
  EXPECT_EQ(ex.FDib->GetPixel(2, 0), 1u);
  EXPECT_EQ(ex.FDib->AlphaDib->GetPixel(4, 3), 211u);
  EXPECT_EQ(+ex.FHeader.dfTable[33].GlyphLeft, 2u);
  EXPECT_EQ(+ex.FHeader.dfTable[33].OverhangLeft, 0);
  EXPECT_EQ(+ex.FHeader.dfTable[65].GlyphWidth, 0) << "no glyph fill for older files";
  EXPECT_EQ(+ex.FHeader.dfExternalLeading, 2);
  EXPECT_EQ(std::string(ex.FHeader.dfIdentifier), "DFONTU");
  EXPECT_EQ(+ex.FHeader.dfChannels, 1);

  TDibFont old;
  ASSERT_TRUE(LoadBytes(old, b.OldBytes(false, false)));
  EXPECT_FALSE(old.SpecialFontWithAlpha);
  EXPECT_EQ(old.FDib->AlphaDib, nullptr);
  EXPECT_EQ(old.FDib->GetPixel(4, 3), 12u);
  EXPECT_EQ(+old.FHeader.dfChannels, 0);

  // dfSize without the row padding (5 x 4 of a stride-8 plane): the rest stays empty. Longer:
  // no more than the image is read, and the alpha plane is found after dfSize face bytes.
  // Shorter than the pixels: refused, so a plane is never allocated for data not there.
  TDibFont shorter;
  ASSERT_TRUE(LoadBytes(shorter, b.OldBytes(true, false, 20)));
  EXPECT_EQ(shorter.FDib->GetPixel(2, 3), 10u) << "bottom row: bytes 0..7";
  EXPECT_EQ(shorter.FDib->GetPixel(4, 1), 0u) << "byte 20, not read; 8 with the whole plane";
  EXPECT_EQ(shorter.FDib->GetPixel(3, 1), 5u) << "byte 19: glyph A at (1, 1)";
  EXPECT_FALSE(LoadBytes(shorter, b.OldBytes(true, false, 19)));
  TDibFont longer;
  ASSERT_TRUE(LoadBytes(longer, b.OldBytes(true, true, 50)));
  EXPECT_EQ(longer.FDib->GetPixel(4, 3), 12u);
  EXPECT_EQ(longer.FDib->AlphaDib->GetPixel(4, 3), 211u);
}

TEST(FontFile, MalformedFilesGiveFalseAndNoImages) {
  FontBuilder b = Sample();
  const std::vector<uint8_t> good = b.Bytes();
  auto refused = [](const std::vector<uint8_t>& bytes, const char* what) {
    TDibFont font;
    zkw::ClearLastErrorText();
    zkw::TMemoryStream s(bytes);
    EXPECT_FALSE(font.LoadFromStream(s)) << what;
    EXPECT_EQ(font.FDib, nullptr) << what;
    EXPECT_EQ(font.FODib, nullptr) << what;
    EXPECT_EQ(font.FSDib, nullptr) << what;
    EXPECT_FALSE(zkw::LastErrorText().empty()) << what;
  };
  refused({'D', 'F', 'O'}, "shorter than the signature");
  std::vector<uint8_t> bad = good;
  bad[6] = 'X';
  refused(bad, "unknown signature (DFONTUX)");
  refused(std::vector<uint8_t>(good.begin(), good.begin() + 2000), "truncated header");
  refused(std::vector<uint8_t>(good.begin(), good.end() - 1), "last plane one byte short");
  bad = good;
  PutLE<int16_t>(bad, 146, -5);
  refused(bad, "negative height");
  bad = good;
  PutLE<uint32_t>(bad, 152, 0x7FFFFFF0);
  refused(bad, "width above the ceiling");
  bad = good;
  PutLE<int16_t>(bad, 146, 32000);
  PutLE<uint32_t>(bad, 152, 1u << 20);
  refused(bad, "plane above the ceiling");
  bad = good;
  PutLE<uint32_t>(bad, 156 + 8 * 33, 6);  // glyph A at 6 + 3 > width 7
  refused(bad, "cell past the strip");
  bad = good;
  bad[2460] = zkw::kChannelOutline;
  refused(bad, "no face plane");
  std::vector<uint8_t> old = b.OldBytes(true, true);
  refused(std::vector<uint8_t>(old.begin(), old.begin() + 1501 + 500), "colour table cut");
  PutLE<uint32_t>(old, 142, 0xFFFFFFF0u);
  refused(old, "DFONTEX alpha plane after a huge dfSize");

  // A load that fails takes the images of the previous font away.
  TDibFont font;
  ASSERT_TRUE(LoadBytes(font, good));
  EXPECT_FALSE(LoadBytes(font, {'n', 'o', 'p', 'e', 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(font.FDib, nullptr);
  EXPECT_FALSE(font.LoadFromFile(Z(TempPath("no-such-font.dfu")).c_str()));

  // Two fonts in one stream: the second starts where the first ended.
  std::vector<uint8_t> two = good;
  std::vector<uint8_t> second = FontBuilder(3, 2).Solid(0, 4, 0).Bytes();
  two.insert(two.end(), second.begin(), second.end());
  zkw::TMemoryStream s(two);
  TDibFont first, next;
  ASSERT_TRUE(first.LoadFromStream(s));
  ASSERT_TRUE(next.LoadFromStream(s));
  EXPECT_EQ(+next.FHeader.dfHeight, 3);
}

TEST(FontFile, SavingNeedsAFaceImageOfTheSameGeometryAsTheOthers) {
  TDibFont empty;
  EXPECT_FALSE(empty.SaveToFile(Z(TempPath("empty-font")).c_str()));
  auto font = Sample().Load(true);
  ASSERT_TRUE(font);
  font->FODib->SetAttributes(3, 3);
  EXPECT_FALSE(font->SaveToFile(Z(TempPath("mismatched-font")).c_str()));
  EXPECT_NE(zkw::LastErrorText().find("outline"), std::string::npos);

  // Strip images from BMP files set the header geometry and the planes present.
  auto strip = Sample().Load(true);
  std::string bmp = TempPath("strip.bmp");
  ASSERT_TRUE(strip->FDib->SaveToFile(Z(bmp).c_str()));
  TDibFont made;
  ASSERT_TRUE(made.LoadFontImage(Z(bmp).c_str()));
  EXPECT_EQ(+made.FHeader.dfChannels, zkw::kChannelFace);
  EXPECT_EQ(+made.FHeader.dfHeight, 5);
  EXPECT_EQ(+made.FHeader.dfBaseline, 5);
  EXPECT_EQ(+made.FHeader.dfMaxWidth, 7u);
  ASSERT_TRUE(made.LoadShadowImage(Z(bmp).c_str()));
  EXPECT_EQ(+made.FHeader.dfChannels, zkw::kChannelFace | zkw::kChannelShadow);
  ASSERT_TRUE(made.LoadOutlineImage(Z(bmp).c_str()));
  EXPECT_EQ(+made.FHeader.dfChannels, 14);
  EXPECT_FALSE(made.LoadOutlineImage(Z(TempPath("no-such.bmp")).c_str()));
}
