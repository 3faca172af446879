// Marked-up text on a DIB canvas with bitmap fonts made by the tests: exact line breaks, widths,
// heights and ink positions of scripts, colours, tabs, alignment and the line functions.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "dib/dib_base.h"
#include "exports/zkwgdi32.h"
#include "fonts/dib_canvas.h"
#include "fonts/font_manager.h"
#include "spectext/spec_settings.h"
#include "support/font_builders.h"
#include "support/test_support.h"

using namespace zkw;
using namespace zkwtest;

namespace {

// "Arial" 12 pt: 12 rows, baseline 10, glyphs 5 wide, space 3; bold: glyphs 6 wide; 8 pt (the
// script variant of 12 pt): 8 rows, baseline 6, glyphs 3 wide, space 2.
class SpecDibTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSpecTextSettings();
    const std::string dir = TempPath("spec-dib-fonts") + "/";
    std::filesystem::create_directories(dir);
    manager.FontPath = Z(dir);
    const struct {
      const char* file;
      int size, height, baseline, width, space;
      bool bold;
    } fonts[] = {{"r12.dfu", 12, 12, 10, 5, 3, false}, {"b12.dfu", 12, 12, 10, 6, 3, true},
                 {"r8.dfu", 8, 8, 6, 3, 2, false}};
    for (const auto& f : fonts) {
      FontBuilder b(f.height, f.baseline);
      b.Solid(0, f.space, 0);
      for (int slot = 1; slot < 95; ++slot) b.Solid(slot, f.width, 255);
      WriteFileBytes(dir + f.file, b.Bytes());
      manager.RegisterFont(Z("Arial"), f.size, f.bold, false, Z(f.file));
    }
    canvas.SetCanvasSize(120, 60);
    TCanvasFont font;
    font.SetName(Z("Arial"));
    font.SetSize(12);
    canvas.SetFont(font);
    canvas.SetFontManager(&manager);
    canvas.SetTextColor(0);
  }
  uint32_t Pixel(int x, int y) { return Px(*canvas.FDib, x, y) & 0xFFFFFF; }
  // The box of pixels that differ from white within columns [x0, x1).
  std::array<int, 4> Inked(int x0 = 0, int x1 = 120) {
    std::array<int, 4> box{-1, -1, -1, -1};
    for (int y = 0; y < canvas.FCanvasHeight; ++y)
      for (int x = x0; x < x1 && x < canvas.FCanvasWidth; ++x)
        if (Pixel(x, y) != 0xFFFFFF) {
          if (box[0] < 0) box = {x, y, x, y};
          box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
        }
    return box;
  }
  TDibFontManager manager;
  TDibCanvas canvas;
};

}  // namespace

TEST_F(SpecDibTest, LinesEndAtTheLastBreakThatFits) {
  struct Case {
    const char* text;
    int32_t width;
    bool wrap;
    int32_t units, lineWidth, height, baseline;
    bool atEnd;
  } cases[] = {
      {"ab cd ef", 30, true, 6, 23, 12, 10, false},   // "ef" ends at 36
      {"ab cd ef", 100, true, 8, 36, 12, 10, true},
      {"ab cd ef", 5, false, 8, 36, 12, 10, true},    // no wrapping: the whole line
      {"abcdefgh ij", 8, true, 9, 40, 12, 10, false},  // a first word too wide is taken alone
      {"abcdefgh", 8, true, 8, 40, 12, 10, true},
      {"abc~/defgh", 20, true, 5, 15, 12, 10, false},  // a soft break fits, takes no room
      {"abc~/defgh", 100, true, 10, 40, 12, 10, true},
      {"ab\rcd", 100, true, 3, 10, 12, 10, false},     // CR ends the line and belongs to it
      {"ab\rcd", 100, false, 3, 10, 12, 10, false},    // also without wrapping
      {"a\tb", 100, false, 3, 53, 12, 10, true},       // tab stops every 48 from the left
      {"a~Bb~B c", 100, true, 8, 19, 12, 10, true},    // bold b is 6 wide
      {"x~-2~0y", 100, true, 7, 13, 12, 10, true},     // the script variant is 3 wide
      {"~Cff0000a", 100, true, 9, 5, 12, 10, true},
      {"a~Cf", 100, true, 4, 5, 12, 10, true},         // nothing read past the end
      {"a~", 100, true, 2, 5, 12, 10, true},
      {"x~Pabx", 100, true, 6, 10, 12, 10, true},      // "~P" takes its letters on a canvas
      {"a\x01" "b", 100, true, 3, 10, 12, 10, true},   // control characters take no room
      {"~Yab~F", 100, true, 6, 10, 12, 10, true},      // faces stay on a canvas
      {"", 100, true, 0, 0, 12, 10, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const ZString text = Z(c.text);
    const TEqRect rt{7, 0, 7 + c.width, 50};
    int32_t baseline = -1, height = -1, width = -1;
    uint8_t atEnd = 9;
    const int32_t units =
        dfuGetALine(&canvas, &rt, text.c_str(), &baseline, &height, c.wrap ? 1 : 0, nullptr, &width, &atEnd);
    EXPECT_EQ(units, c.units);
    EXPECT_EQ(width, c.lineWidth);
    EXPECT_EQ(height, c.height);
    EXPECT_EQ(baseline, c.baseline);
    EXPECT_EQ(atEnd, c.atEnd ? 1 : 0);
  }
  EXPECT_EQ(canvas.FFont.Style(), 0u) << "styles are put back";
  EXPECT_EQ(canvas.ScriptMode, 0);
  EXPECT_EQ(canvas.FTextAlign, 0u);
}

TEST_F(SpecDibTest, InkOfScriptsColoursAndAlignedLines) {
  struct Case {
    const char* text;
    int32_t left, right;
    uint32_t flags;
    int32_t result;
    std::array<int, 4> box;  // ink of the whole canvas
    int x0, x1;              // columns of a second box
    std::array<int, 4> part;
  } cases[] = {
      // x at 0..4 rows 0..11; the 2 raised by 10 div 3 with the 8-row script font; y after it.
      {"x~-2~0y", 0, 100, 0, 12, {0, 0, 12, 11}, 5, 8, {5, 1, 7, 8}},
      // subscript: lowered by 10 div 4.
      {"x~_2", 0, 100, 0, 12, {0, 0, 7, 13}, 5, 8, {5, 6, 7, 13}},
      // two lines: "ab cd " then "ef" 12 rows lower.
      {"ab cd ef", 0, 30, 0, 24, {0, 0, 22, 23}, 0, 10, {0, 0, 9, 23}},
      // centred: (40 - 10) div 2; right-aligned: 40 - 10.
      {"ab", 0, 40, 4, 12, {15, 0, 24, 11}, 0, 120, {15, 0, 24, 11}},
      {"ab", 0, 40, 8, 12, {30, 0, 39, 11}, 0, 120, {30, 0, 39, 11}},
      // one line without wrapping: height and baseline packed.
      {"ab cd ef", 2, 10, 2, 12 | (10 << 16), {2, 0, 37, 11}, 0, 120, {2, 0, 37, 11}},
      // measuring only draws nothing; each word is wider than the rectangle and alone.
      {"ab cd ef", 2, 10, 1, 36, {-1, -1, -1, -1}, 0, 120, {-1, -1, -1, -1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    canvas.Clear();
    const ZString text = Z(c.text);
    TEqRect rt{c.left, 0, c.right, 50};
    EXPECT_EQ(DibDrawSpecText(&canvas, &rt, text.c_str(), c.flags), c.result);
    EXPECT_EQ(Inked(), c.box);
    EXPECT_EQ(Inked(c.x0, c.x1), c.part);
  }
  TEqRect rt{3, 0, 10, 50};
  const ZString text = Z("ab~Cff0000cd");
  EXPECT_EQ(DibDrawSpecText(&canvas, &rt, text.c_str(), 3), 12 | (10 << 16));
  EXPECT_EQ(rt.right, 23) << "measured without wrapping: the right edge is the text's end";
  EXPECT_EQ(DibDrawSpecText(nullptr, &rt, text.c_str(), 0), 0);
}

TEST_F(SpecDibTest, ColoursAndHighlights) {
  SetSpecialDibTextColor(0x00FF00, 0xFF0000);
  canvas.SetTextColor(0x0000FF);
  struct Case {
    const char* text;
    std::array<uint32_t, 4> colours;  // of the glyphs at x = 2, 7, 12, 17 (row 5)
  } cases[] = {
      {"a~Cff0000b~C000000cd", {0x0000FE, 0x0000FE, 0x0000FE, 0x0000FE}},  // red = the default
      {"a~C00ff00b~C000000cd", {0x0000FE, 0x00FE00, 0x0000FE, 0x0000FE}},
      {"a~Mb~Mcd", {0x0000FE, 0xFE0000, 0x0000FE, 0x0000FE}},  // "~M": colour b
      {"a~Nb~Mcd", {0x0000FE, 0x00FE00, 0xFE0000, 0xFE0000}},  // "~N": colour a, then switched
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    canvas.Clear();
    const ZString text = Z(c.text);
    TEqRect rt{0, 0, 100, 50};
    DibDrawSpecText(&canvas, &rt, text.c_str(), 2);
    EXPECT_EQ(Pixel(2, 5), c.colours[0]);
    // Bold glyphs are 6 wide: sample each glyph near its start.
    EXPECT_EQ(Pixel(6, 5), c.colours[1]);
    EXPECT_EQ(Pixel(12, 5), c.colours[2]);
    EXPECT_EQ(Pixel(18, 5), c.colours[3]);
  }
  EXPECT_EQ(canvas.GetTextColor(), 0x0000FFu);
}

TEST_F(SpecDibTest, HostPlacedLines) {
  // dfuGetALine then dfuDrawASpecText line by line, as a host lays out its own lines.
  const ZString text = Z("ab cd ef");
  TEqRect rt{0, 0, 30, 50};
  int32_t baseline = 0, height = 0, width = 0, y = 0;
  uint8_t atEnd = 0;
  size_t pos = 0;
  int lines = 0;
  while (!atEnd && lines < 5) {
    const int32_t n = dfuGetALine(&canvas, &rt, text.c_str() + pos, &baseline, &height, 1, nullptr, &width, &atEnd);
    ASSERT_GT(n, 0);
    dfuDrawASpecText(&canvas, 0, y, text.c_str() + pos, n, baseline, 0, nullptr);
    pos += static_cast<size_t>(n);
    y += height;
    ++lines;
  }
  EXPECT_EQ(lines, 2);
  EXPECT_EQ(Inked(), (std::array<int, 4>{0, 0, 22, 23}));
  canvas.Clear();
  dfuDrawASpecText(&canvas, 0, 0, text.c_str(), 8, 10, 1, nullptr);
  EXPECT_EQ(Inked()[0], -1) << "measure only";
  dfuDrawASpecText(&canvas, 0, 0, text.c_str(), 2, 10, 0, nullptr);
  EXPECT_EQ(Inked(), (std::array<int, 4>{0, 0, 9, 11})) << "the count bounds the line";
}
