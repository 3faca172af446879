// Marked-up text on device contexts: widths, breaks and metrics against the GDI fonts measured
// directly, colours, embedded equations (well-formed, unterminated, malformed) and settings.
#include <gtest/gtest.h>

#include <vector>

#include "equation/items.h"
#include "exports/zkwgdi32.h"
#include "spectext/gdi_canvas.h"
#include "spectext/spec_settings.h"
#include "support/equation_builders.h"
#include "support/memory_dc.h"
#include "support/test_support.h"

using namespace zkw;
using namespace zkwtest;

namespace {

struct Piece {
  const char* text;
  int32_t points;
  bool bold;
  const char* face = nullptr;
};

class SpecGdiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSpecTextSettings();
    TDibCanvasFontInfo info{};
    const char16_t face[] = u"Arial";
    for (int i = 0; face[i]; ++i) info.FaceName[i] = face[i];
    info.Size = 12;
    info.Color = 0xFF0000;  // blue
    canvas = zkwCreateGdiCanvas(dc.dc(), &info);
  }
  void TearDown() override { zkwFreeGdiCanvas(canvas); }
  // Width of a run in a font made here, as the text functions should make it.
  int32_t Extent(const Piece& p) {
    const ZString face = Z(p.face ? p.face : "Arial"), text = Z(p.text);
    plat::HFONT font = plat::CreateFontW(-PointsToDevice(p.points, plat::GetDeviceCaps(dc.dc(), plat::LOGPIXELSY)), 0, 0,
                                         0, p.bold ? plat::FW_BOLD : plat::FW_NORMAL, 0, 0, 0, plat::DEFAULT_CHARSET, 0,
                                         0, 0, 0, face.c_str());
    plat::HGDIOBJ old = plat::SelectObject(dc.dc(), font);
    plat::SIZE size{};
    plat::GetTextExtentPoint32W(dc.dc(), text.c_str(), static_cast<int>(text.size()), &size);
    plat::SelectObject(dc.dc(), old);
    plat::DeleteObject(font);
    return size.cx;
  }
  plat::TEXTMETRICW Metrics(int32_t points) {
    plat::HFONT font = plat::CreateFontW(-PointsToDevice(points, plat::GetDeviceCaps(dc.dc(), plat::LOGPIXELSY)), 0, 0,
                                         0, plat::FW_NORMAL, 0, 0, 0, plat::DEFAULT_CHARSET, 0, 0, 0, 0, u"Arial");
    plat::HGDIOBJ old = plat::SelectObject(dc.dc(), font);
    plat::TEXTMETRICW tm{};
    plat::GetTextMetricsW(dc.dc(), &tm);
    plat::SelectObject(dc.dc(), old);
    plat::DeleteObject(font);
    return tm;
  }
  // One line without wrapping, measured: the width it reports through the rectangle.
  int32_t LineWidth(const ZString& text, int32_t left = 0) {
    TEqRect rt{left, 0, left + 5, 100};
    DrawSpecText(canvas, &rt, text.c_str(), 3);
    return rt.right - left;
  }
  ZString FractionForm() {
    TEquation eq;
    auto* fraction = new TFraction;
    fraction->NAdd(TextItem("x+1"));
    fraction->DAdd(TextItem("y"));
    eq.Add(fraction);
    return TextForm(eq);
  }
  MemoryDC dc{200, 120};
  ZGDICANVAS canvas = nullptr;
};

}  // namespace

TEST_F(SpecGdiTest, SingleLineWidthsFollowTheMarkup) {
  struct Case {
    const char* text;
    std::vector<Piece> pieces;
    int32_t extra;  // pixels beyond the pieces (tab stops)
  } cases[] = {
      {"x~-2~0y", {{"x", 12, false}, {"2", 8, false}, {"y", 12, false}}, 0},  // scripts: 2/3 of 12
      {"x~_2~0y", {{"x", 12, false}, {"2", 8, false}, {"y", 12, false}}, 0},
      {"a~Bb~Bc", {{"a", 12, false}, {"b", 12, true}, {"c", 12, false}}, 0},
      {"a~Yb", {{"a", 12, false}, {"b", 12, false, "Symbol"}}, 0},
      {"ab~/cd", {{"ab", 12, false}, {"cd", 12, false}}, 0},  // a soft break is a zero-width space
      {"ab\rcd", {{"ab", 12, false}}, 0},                     // the line ends at CR
      {"a~Exyz~eb", {{"a", 12, false}, {"b", 12, false}}, 0},  // a malformed equation: nothing
      {"a~C12~", {{"a", 12, false}}, 0},                       // cut short at the end
      {"a~Mb~M~Nc~N", {{"a", 12, false}, {"b", 12, true}, {"c", 12, true}}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    int32_t expected = c.extra;
    for (const Piece& p : c.pieces) expected += Extent(p);
    EXPECT_EQ(LineWidth(Z(c.text)), expected);
  }
  // Tab stops every half inch from the rectangle's left, wherever that is.
  const int32_t step = plat::GetDeviceCaps(dc.dc(), plat::LOGPIXELSX) / 2;
  EXPECT_EQ(LineWidth(Z("a\tb"), 100), step + Extent({"b", 12, false}));
  EXPECT_EQ(LineWidth(Z("a\tb"), 7), step + Extent({"b", 12, false}));
}

TEST_F(SpecGdiTest, WrappingHeightsAndPackedMetrics) {
  const plat::TEXTMETRICW tm = Metrics(12);
  const int32_t two = 2 * Extent({"aaa", 12, false}) + Extent({" ", 12, false});
  struct Case {
    const char* text;
    int32_t width;
    uint32_t flags;
    int32_t result;
  } cases[] = {
      {"aaa aaa aaa", two, 1, 2 * tm.tmHeight},     // breaks after the second "aaa "
      {"aaa aaa aaa", two - 1, 1, 3 * tm.tmHeight},
      {"aaaaaaaa bb", 5, 1, 2 * tm.tmHeight},        // a word wider than the rectangle: alone
      {"aaa aaa~/aaa", two, 1, 2 * tm.tmHeight},     // the soft break is used when it fits
      {"aaa\r\rbbb", 500, 1, 3 * tm.tmHeight},       // CR ends lines, an empty one included
      {"aaa bbb ccc", 5, 3, tm.tmHeight | (tm.tmAscent << 16)},  // flag 2 never wraps
      {"", 500, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const ZString text = Z(c.text);
    TEqRect rt{10, 0, 10 + c.width, 100};
    EXPECT_EQ(DrawSpecText(canvas, &rt, text.c_str(), c.flags), c.result);
  }
  EXPECT_EQ(DrawSpecText(nullptr, nullptr, u"a", 0), 0);
}

TEST_F(SpecGdiTest, EmbeddedEquationsSetTheLine) {
  const ZString form = FractionForm();
  const plat::TEXTMETRICW tm = Metrics(12);
  const ZString closed = Z("a~E") + form + Z("~eb"), open = Z("a~E") + form;
  TEqRect rt{0, 0, 5, 100};
  const int32_t packed = DrawSpecText(canvas, &rt, closed.c_str(), 3);
  const int32_t height = packed & 0xFFFF, baseline = packed >> 16;
  EXPECT_GT(height, tm.tmHeight) << "a fraction is taller than the font";
  EXPECT_GE(baseline, tm.tmAscent);
  EXPECT_GE(height - baseline, tm.tmHeight - tm.tmAscent);
  const int32_t withEquation = LineWidth(closed);
  EXPECT_GT(withEquation, Extent({"ab", 12, false}) + 10);
  // Without "~e" the equation runs to the end.
  EXPECT_EQ(LineWidth(open), withEquation - Extent({"b", 12, false}));
  // Drawn: the fraction bar in the canvas colour (blue) between the text's lines.
  TEqRect draw{0, 0, 200, 120};
  EXPECT_EQ(DrawSpecText(canvas, &draw, closed.c_str(), 0), height);
  EXPECT_GT(dc.Count(0xFF0000), 0);
}

TEST_F(SpecGdiTest, ColoursOnTheDeviceContext) {
  struct Case {
    const char* text;
    plat::COLORREF first, second;  // the pure colour found under the first and the second half
  } cases[] = {
      {"WWW~Cff0000WWW", 0xFF0000, 0x0000FF},
      {"~Cff0000WWW~C000000WWW", 0x0000FF, 0xFF0000},  // "~C000000": the default (blue), not black
  };
  const int32_t half = Extent({"WWW", 12, false});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    plat::RECT all{0, 0, 200, 120};
    plat::HBRUSH white = plat::CreateSolidBrush(0xFFFFFF);
    plat::FillRect(dc.dc(), &all, white);
    plat::DeleteObject(white);
    const ZString text = Z(c.text);
    TEqRect rt{0, 0, 200, 120};
    DrawSpecText(canvas, &rt, text.c_str(), 0);
    EXPECT_GT(dc.Count(c.first, 0, 0, half), 0);
    EXPECT_EQ(dc.Count(c.second, 0, 0, half), 0);
    EXPECT_GT(dc.Count(c.second, half, 0, 2 * half), 0);
  }
}

TEST_F(SpecGdiTest, DeviceContextFontAndSettings) {
  plat::HFONT font = plat::CreateFontW(-16, 0, 0, 0, plat::FW_NORMAL, 0, 0, 0, plat::DEFAULT_CHARSET, 0, 0, 0, 0,
                                       u"Arial");
  plat::HGDIOBJ old = plat::SelectObject(dc.dc(), font);
  plat::TEXTMETRICW tm{};
  plat::GetTextMetricsW(dc.dc(), &tm);
  plat::SetTextAlign(dc.dc(), plat::TA_RIGHT);
  TEqRect rt{0, 0, 5, 100};
  EXPECT_EQ(DrawSpecTextDC(dc.dc(), &rt, u"abc", 3), tm.tmHeight | (tm.tmAscent << 16));
  EXPECT_EQ(plat::GetTextAlign(dc.dc()), plat::TA_RIGHT) << "the context's state is put back";
  EXPECT_EQ(plat::GetCurrentObject(dc.dc(), plat::OBJ_FONT), font);
  plat::SetTextAlign(dc.dc(), 0);
  plat::SelectObject(dc.dc(), old);
  plat::DeleteObject(font);

  EXPECT_EQ(SetSpecTextColor(1, 2), 2u);
  EXPECT_EQ(SetSpecialDibTextColor(3, 4), 4u);
  EXPECT_EQ(SpecTextSettings().GdiColorA, 1u);
  EXPECT_EQ(SpecTextSettings().DibColorB, 4u);
  const ZString longFace(300, u'F');
  SetFormulaFont(longFace.c_str());
  EXPECT_EQ(SpecTextSettings().FormulaFace, ZString(256, u'F'));
  SetFormulaFont(nullptr);
  EXPECT_TRUE(SpecTextSettings().FormulaFace.empty());
}
