// Shapes, stock objects, text alignment, faces, glyph metrics and scaled or rotated fonts of the
// portable GDI.
#include <gtest/gtest.h>

#include "platform/plat_gdi.h"
#include "support/memory_dc.h"
#include "support/test_support.h"

using zkwtest::MemoryDC;

namespace {

constexpr plat::COLORREF kRed = 0x0000FF, kGreen = 0x00FF00, kWhite = 0xFFFFFF;

plat::HFONT Font(const char* face, int height, int width = 0, int escapement = 0) {
  return plat::CreateFontW(height, width, escapement, escapement, plat::FW_NORMAL, 0, 0, 0, plat::DEFAULT_CHARSET, 0, 0,
                           0, 0, zkwtest::Z(face).c_str());
}

// Selects a pen and a brush for the life of the guard.
struct Tools {
  plat::HDC dc;
  plat::HGDIOBJ pen, brush, oldPen, oldBrush;
  Tools(plat::HDC d, plat::HGDIOBJ p, plat::HGDIOBJ b) : dc(d), pen(p), brush(b) {
    oldPen = plat::SelectObject(dc, pen);
    oldBrush = plat::SelectObject(dc, brush);
  }
  ~Tools() {
    plat::SelectObject(dc, oldPen);
    plat::SelectObject(dc, oldBrush);
    plat::DeleteObject(pen);
    plat::DeleteObject(brush);
  }
};

}  // namespace

TEST(PortableShapes, LinesPolygonsRectanglesCurvesAndArcs) {
  MemoryDC s(64, 64);
  Tools t(s.dc(), plat::CreatePen(plat::PS_SOLID, 1, kRed), plat::CreateSolidBrush(kGreen));
  // Polyline: each segment leaves out its end; the pen position stays.
  plat::MoveToEx(s.dc(), 7, 7, nullptr);
  const plat::POINT path[3] = {{0, 0}, {4, 0}, {4, 3}};
  ASSERT_TRUE(plat::Polyline(s.dc(), path, 3));
  EXPECT_EQ(s.Count(kRed, 0, 0, 8, 8), 4 + 3);
  EXPECT_EQ(s.At(4, 3), kWhite);
  plat::POINT pos{};
  plat::GetCurrentPositionEx(s.dc(), &pos);
  EXPECT_EQ(pos.x, 7);
  // Rectangle: outline on the box's edge pixels (right and bottom excluded), inside filled.
  ASSERT_TRUE(plat::Rectangle(s.dc(), 10, 10, 20, 16));
  EXPECT_EQ(s.Count(kRed, 10, 10, 20, 16), 2 * (10 + 6) - 4);
  EXPECT_EQ(s.Count(kGreen, 10, 10, 20, 16), 8 * 4);
  EXPECT_EQ(s.Count(kRed, 20, 10, 21, 17) + s.Count(kRed, 10, 16, 21, 17), 0);
  // The null brush leaves the inside alone.
  plat::SelectObject(s.dc(), plat::GetStockObject(plat::NULL_BRUSH));
  plat::Rectangle(s.dc(), 30, 10, 40, 16);
  EXPECT_EQ(s.Count(kGreen, 30, 10, 40, 16), 0);
  EXPECT_EQ(s.Count(kRed, 30, 10, 40, 16), 2 * (10 + 6) - 4);
  // An inside-frame pen 3 wide keeps its whole width within the box.
  {
    Tools wide(s.dc(), plat::CreatePen(plat::PS_INSIDEFRAME, 3, kRed), plat::CreateSolidBrush(kGreen));
    plat::Rectangle(s.dc(), 44, 10, 56, 22);
    EXPECT_EQ(s.Count(kRed, 0, 0, 64, 64) - s.Count(kRed, 0, 0, 42, 64), s.Count(kRed, 44, 10, 56, 22));
    EXPECT_EQ(s.Count(kGreen, 44, 10, 56, 22), 6 * 6);
  }
  // Polygon: the inside by pixel centres with the brush, the closed outline with the pen.
  plat::SelectObject(s.dc(), t.brush);
  const plat::POINT tri[3] = {{10, 30}, {20, 30}, {10, 40}};
  ASSERT_TRUE(plat::Polygon(s.dc(), tri, 3));
  EXPECT_EQ(s.At(10, 40), kRed);  // the closing edge reaches back to the first point
  EXPECT_EQ(s.At(12, 32), kGreen);
  EXPECT_EQ(s.At(19, 38), kWhite);
  // PolyBezier: passes through its ends (the last left out), stays in the control hull.
  const plat::POINT bez[4] = {{30, 40}, {34, 30}, {42, 30}, {46, 40}};
  ASSERT_TRUE(plat::PolyBezier(s.dc(), bez, 4));
  EXPECT_EQ(s.At(30, 40), kRed);
  EXPECT_EQ(s.Count(kRed, 30, 29, 47, 41), s.Count(kRed, 30, 0, 64, 64) - s.Count(kRed, 30, 0, 64, 29) -
                                              s.Count(kRed, 30, 41, 64, 64) - s.Count(kRed, 47, 29, 64, 41));
  EXPECT_GT(s.Count(kRed, 30, 32, 47, 34), 0);  // the top of the curve, y = 32.5
  EXPECT_EQ(s.Count(kRed, 30, 23, 64, 32), 0);
  EXPECT_FALSE(plat::PolyBezier(s.dc(), bez, 3));
  // Arc: the upper half of a circle, counter-clockwise from the right to the left.
  ASSERT_TRUE(plat::Arc(s.dc(), 20, 44, 40, 64, 40, 54, 20, 54));
  EXPECT_EQ(s.At(30, 44), kRed);
  EXPECT_EQ(s.Count(kRed, 20, 56, 41, 64), 0);
  EXPECT_GT(s.Count(kRed, 20, 44, 41, 55), 20);
  // Stock pens and brushes: null pen draws nothing.
  EXPECT_NE(plat::GetStockObject(plat::NULL_PEN), nullptr);
  EXPECT_EQ(plat::GetStockObject(3), nullptr);
  plat::SelectObject(s.dc(), plat::GetStockObject(plat::NULL_PEN));
  const int32_t before = s.Count(kRed);
  plat::MoveToEx(s.dc(), 0, 63, nullptr);
  plat::LineTo(s.dc(), 63, 63);
  EXPECT_EQ(s.Count(kRed), before);
  plat::SelectObject(s.dc(), t.pen);
}

TEST(PortableShapes, TextAlignBackgroundFaceAndGlyphMetrics) {
  MemoryDC s(96, 64);
  EXPECT_EQ(plat::GetTextAlign(s.dc()), 0u);
  EXPECT_EQ(plat::SetTextAlign(s.dc(), plat::TA_RIGHT | plat::TA_BASELINE), 0u);
  EXPECT_EQ(plat::GetTextAlign(s.dc()), plat::TA_RIGHT | plat::TA_BASELINE);
  EXPECT_EQ(plat::GetBkMode(s.dc()), plat::OPAQUE);
  plat::SetBkMode(s.dc(), plat::TRANSPARENT);
  EXPECT_EQ(plat::GetBkMode(s.dc()), plat::TRANSPARENT);
  plat::SetBkColor(s.dc(), 0x123456);
  EXPECT_EQ(plat::GetBkColor(s.dc()), 0x123456u);
  plat::HFONT font = Font("Arial", -20);
  plat::HGDIOBJ old = plat::SelectObject(s.dc(), font);
  plat::WCHAR face[32];
  EXPECT_EQ(plat::GetTextFaceW(s.dc(), 32, face), 6);
  EXPECT_EQ(zkw::ZString(face), zkwtest::Z("Arial"));
  EXPECT_EQ(plat::GetTextFaceW(s.dc(), 0, nullptr), 6);
  // Right and baseline alignment: the text ends at x and stands on y.
  plat::TextOutW(s.dc(), 60, 40, zkwtest::Z("H").c_str(), 1);
  EXPECT_EQ(s.Count(kWhite, 60, 0, 96, 64), 36 * 64);
  EXPECT_EQ(s.Count(kWhite, 0, 41, 96, 64), 96 * 23);
  EXPECT_LT(s.Count(kWhite, 40, 20, 60, 40), 20 * 20);
  // Glyph metrics: "H" has a black box inside its advance, "I" is narrower; a space has none.
  plat::GLYPHMETRICS h{}, i{}, sp{};
  ASSERT_NE(plat::GetGlyphOutlineW(s.dc(), 'H', plat::GGO_METRICS, &h, 0, nullptr, nullptr), plat::GDI_ERROR);
  plat::GetGlyphOutlineW(s.dc(), 'I', plat::GGO_METRICS, &i, 0, nullptr, nullptr);
  plat::GetGlyphOutlineW(s.dc(), ' ', plat::GGO_METRICS, &sp, 0, nullptr, nullptr);
  EXPECT_GT(h.gmBlackBoxX, i.gmBlackBoxX);
  EXPECT_LE(static_cast<int32_t>(h.gmBlackBoxX) + h.gmptGlyphOrigin.x, h.gmCellIncX + 1);
  EXPECT_GT(h.gmptGlyphOrigin.y, 10);
  EXPECT_EQ(sp.gmBlackBoxX, 1u);
  EXPECT_EQ(plat::GetGlyphOutlineW(s.dc(), 'H', 2, &h, 0, nullptr, nullptr), plat::GDI_ERROR);
  plat::SelectObject(s.dc(), old);
  plat::DeleteObject(font);
}

TEST(PortableShapes, SymbolFacesWidthScaledAndRotatedFonts) {
  MemoryDC s(128, 128);
  auto extent = [&](plat::HFONT f, const zkw::ZString& text) {
    plat::HGDIOBJ o = plat::SelectObject(s.dc(), f);
    plat::SIZE size{};
    plat::GetTextExtentPoint32W(s.dc(), text.c_str(), static_cast<int>(text.size()), &size);
    plat::SelectObject(s.dc(), o);
    plat::DeleteObject(f);
    return size;
  };
  // The Symbol positions: integral, summation and radical have ink and differ from Latin letters.
  for (plat::WCHAR code : {242, 229, 214}) {
    plat::HFONT symbol = Font("Symbol", -40);
    plat::HGDIOBJ o = plat::SelectObject(s.dc(), symbol);
    plat::GLYPHMETRICS gm{};
    plat::GetGlyphOutlineW(s.dc(), code, plat::GGO_METRICS, &gm, 0, nullptr, nullptr);
    EXPECT_GT(gm.gmBlackBoxY, 10u) << code;
    plat::SelectObject(s.dc(), o);
    plat::DeleteObject(symbol);
  }
  // A fixed width scales the face horizontally only.
  const plat::SIZE normal = extent(Font("Arial", -30), zkwtest::Z("MMMM"));
  const plat::SIZE narrow = extent(Font("Arial", -30, 5), zkwtest::Z("MMMM"));
  EXPECT_EQ(narrow.cy, normal.cy);
  EXPECT_LT(narrow.cx * 2, normal.cx);
  // Escapement 1800: the text turns about its reference point, up and to the left of it.
  plat::HFONT turned = Font("Arial", -30, 0, 1800);
  plat::HGDIOBJ o = plat::SelectObject(s.dc(), turned);
  plat::SetBkMode(s.dc(), plat::TRANSPARENT);
  plat::TextOutW(s.dc(), 64, 64, zkwtest::Z("LL").c_str(), 2);
  plat::SelectObject(s.dc(), o);
  plat::DeleteObject(turned);
  EXPECT_GT(s.Count(0, 0, 0, 64, 64) + (64 * 64 - s.Count(kWhite, 0, 0, 64, 64)), 0);
  EXPECT_EQ(s.Count(kWhite, 64, 0, 128, 128), 64 * 128);
  EXPECT_EQ(s.Count(kWhite, 0, 65, 128, 128), 63 * 128);
}

// Cell metrics and advances as GDI on FreeType reports them for the same faces (each font unit
// figure rounded on its own at a 16.16 scale; faces whose gasp table asks for no grid fitting
// unhinted). The figures are those of Wine 8 on this machine's fonts.
TEST(PortableShapes, TextMetricsAndAdvancesRoundAsGdiDoes) {
  struct Case {
    const char* face;
    int height, width;
    int cell, ascent, descent, internal, external, average;
    const char* text;
    int advance;
  };
  const Case cases[] = {
      {"Arial", -16, 0, 17, 14, 3, 2, 1, 9, "a+b", 27},   {"Arial", -13, 0, 15, 12, 3, 2, 0, 8, "f(x)dx", 33},
      {"Arial", -11, 0, 12, 10, 2, 1, 0, 6, "a+b", 18},   {"Arial", -21, 0, 23, 19, 4, 2, 1, 12, "f(x)dx", 54},
      {"Symbol", -16, 0, 20, 16, 4, 4, 0, 9, "a+b", 28},  {"Symbol", -13, 0, 16, 13, 3, 3, 0, 8, "f(x)dx", 33},
      {"Symbol", -11, 0, 13, 11, 2, 2, 0, 6, "a+b", 19},  {"Symbol", -21, 0, 26, 21, 5, 5, 0, 12, "f(x)dx", 55},
      {"Arial", -40, 0, 44, 36, 8, 5, 1, 23, "a+b", 67},  {"Arial", -64, 0, 72, 58, 14, 8, 2, 37, "f(x)dx", 160},
      {"Symbol", -40, 0, 49, 40, 9, 9, 0, 24, "\xF2", 11}, {"Symbol", -64, 0, 78, 64, 14, 14, 0, 38, "\xE5", 46},
      // A fixed average width of 9: the face is 15 pixels wide per em, advances rounded up.
      {"Symbol", -40, 9, 49, 40, 9, 9, 0, 9, "\xF2\xE5\xD6(x", 5 + 11 + 9 + 5 + 8},
      {"Symbol", -64, 9, 78, 64, 14, 14, 0, 9, "\xF2\xE5\xD6(x", 5 + 11 + 9 + 5 + 8},
  };
  MemoryDC s(16, 16);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.face) + " " + std::to_string(c.height));
    plat::HFONT font = Font(c.face, c.height, c.width);
    plat::HGDIOBJ old = plat::SelectObject(s.dc(), font);
    plat::TEXTMETRICW tm{};
    ASSERT_TRUE(plat::GetTextMetricsW(s.dc(), &tm));
    EXPECT_EQ(tm.tmHeight, c.cell);
    EXPECT_EQ(tm.tmAscent, c.ascent);
    EXPECT_EQ(tm.tmDescent, c.descent);
    EXPECT_EQ(tm.tmInternalLeading, c.internal);
    EXPECT_EQ(tm.tmExternalLeading, c.external);
    EXPECT_EQ(tm.tmAveCharWidth, c.average);
    zkw::ZString text;
    for (const char* p = c.text; *p; ++p) text.push_back(static_cast<uint8_t>(*p));
    plat::SIZE size{};
    plat::GetTextExtentPoint32W(s.dc(), text.c_str(), static_cast<int>(text.size()), &size);
    EXPECT_EQ(size.cx, c.advance);
    EXPECT_EQ(size.cy, c.cell);
    plat::SelectObject(s.dc(), old);
    plat::DeleteObject(font);
  }
}
