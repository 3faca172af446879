// Layout and drawing of equations on the portable GDI: the edge cases that hold whatever the
// glyph raster, exact pen pixels of the drawn marks, and exact boxes on the bitmap-font path.
#include <gtest/gtest.h>

#include <filesystem>

#include "equation/equation_defaults.h"
#include "equation/items.h"
#include "equation/layout_metrics.h"
#include "equation/layout_rows.h"
#include "fonts/font_manager.h"
#include "support/font_builders.h"
#include "support/memory_dc.h"
#include "support/test_support.h"

using namespace zkw;
using namespace zkwtest;

namespace {

constexpr plat::COLORREF kRed = 0x0000FF;   // lines and symbols
constexpr plat::COLORREF kBlue = 0xFF0000;  // text

TSimpleExpr* Text(const char* s) { return new TSimpleExpr(Z(s)); }

// An equation of one item drawn in red and blue at 96 pixels per inch on a 256 x 256 DC.
struct Drawn {
  MemoryDC surface{256, 256};
  TEquation e;
  explicit Drawn(TEquationItem* item, int32_t size = 12, int32_t x = 40, int32_t y = 128) {
    ResetEquationDefaults();
    e.Add(item);
    e.SetColor(kRed);
    e.SetTextColor(kBlue);
    e.SetDC(surface.dc());
    e.SetFontSize(size);
    e.SetBasePoint(x, y);
  }
  TEquationItem& Item() { return *e.GetItem(0); }
  void Draw() { e.Draw(); }
};

bool SameRect(const plat::RECT& a, int l, int t, int r, int b) {
  return a.left == l && a.top == t && a.right == r && a.bottom == b;
}

}  // namespace

TEST(EquationLayout, EdgeCasesThatHoldWhateverTheRaster) {
  ResetEquationDefaults();
  {  // the placeholder box, before anything was measured
    TEquation empty;
    empty.SetBasePoint(100, 50);
    EXPECT_TRUE(SameRect(empty.FRegion, 100, 41, 110, 59));
  }
  {  // one pixel between the bar and each part of a fraction
    auto* f = new TFraction;
    f->NAdd(Text("a+b"));
    f->DAdd(Text("c"));
    Drawn d(f);
    EXPECT_EQ(f->GetItem(0)->FRegion.bottom, 128 - 1);
    EXPECT_EQ(f->GetItem(1)->FRegion.top, 128 + 1);
    EXPECT_EQ(f->GetItem(0)->FBoundsRect.right - f->GetItem(0)->FBoundsRect.left, f->FRect.right - f->FRect.left);
  }
  for (auto [size, script] : {std::pair{12, 8}, std::pair{10, 7}}) {
    auto* s = new TSimpleSuper;
    s->Add(Text("2"));
    Drawn d(s, size);
    EXPECT_EQ(s->GetItem(0)->FFontID.ftSize, script) << size;
  }
  {  // a root over an empty radicand: the stretched sign of placeholder height and 12 pixels
    auto* r = new TSquareRoot;
    Drawn d(r);
    EXPECT_EQ(r->FRect.right - r->FRect.left, SymbolGlyphWidth(*r, 214, PlaceholderHeight()) + 12);
    EXPECT_GT(PlaceholderHeight(), 0);
  }
  {  // a sign outside its table keeps its rectangle and draws nothing
    auto* s = new TSign;
    Drawn d(s);
    const plat::RECT before = s->FRect;
    s->FStyle = 9;
    d.e.SetBasePoint(60, 100);
    EXPECT_TRUE(SameRect(s->FRect, before.left, before.top, before.right, before.bottom));
    MemoryDC clean(256, 256);
    d.e.SetDC(clean.dc());
    s->Draw();
    EXPECT_TRUE(clean.Blank());
  }
  {  // an equation that fits its box is not drawn by DrawScale
    Drawn d(Text("x"));
    d.e.DrawScale(250, 250);
    EXPECT_TRUE(d.surface.Blank());
    d.e.DrawScale(4, 4);  // shrinks, draws, and comes back to its size
    EXPECT_FALSE(d.surface.Blank());
    EXPECT_EQ(d.e.FFontID.ftSize, 12);
  }
}

TEST(EquationLayout, EmptyFirstTextAndGridOffsets) {
  // An empty first text stands at its base point: the region does not depend on where the row is.
  int32_t heights[2], aboves[2];
  for (int i = 0; i < 2; ++i) {
    auto* r = new TSquareRoot;
    r->Add(new TSimpleExpr);
    Drawn d(r, 12, 20, 60 + 100 * i);
    heights[i] = d.e.Height();
    aboves[i] = d.e.AboveHeight();
  }
  EXPECT_EQ(heights[0], heights[1]);
  EXPECT_EQ(aboves[0], aboves[1]);
  EXPECT_LT(heights[0], 60);

  for (int32_t style : {0, 6}) {
    auto* g = new TArrayEquationEx;
    g->SetStyle(style);
    g->AddEqItem(Text("a"), 1, 1);
    g->AddEqItem(Text("a"), 2, 1);
    g->AddEqItem(Text("b"), 1, 2);
    g->AddEqItem(Text("b"), 2, 2);
    Drawn d(g);
    const int32_t h = g->FRect.bottom - g->FRect.top;
    EXPECT_EQ(g->Cell(1, 1)->FBasePoint.x - 40, style == 0 ? 0 : BarWidth(h) + 2) << style;
    // Columns: the second starts after the first column's width and the spacing.
    EXPECT_EQ(g->Cell(1, 2)->FBasePoint.x, g->Cell(1, 1)->FBasePoint.x + g->Cell(1, 1)->Width() + 15);
    // Rows of an even count meet at the axis.
    EXPECT_EQ(g->Cell(1, 1)->FRegion.bottom, 128);
    EXPECT_EQ(g->Cell(2, 1)->FRegion.top, 128);
    d.Draw();
    EXPECT_EQ(d.surface.Count(kRed, 40 + 1, g->FRect.top, 40 + 2, g->FRect.bottom), style == 6 ? h : 0);
  }
}

TEST(EquationLayout, PenPixels) {
  {  // the fraction bar: the row of the axis over the fraction's width, end excluded
    auto* f = new TFraction;
    f->NAdd(Text("x"));
    f->DAdd(Text("yy"));
    Drawn d(f);
    d.Draw();
    const int32_t w = f->FRect.right - f->FRect.left;
    EXPECT_EQ(d.surface.Count(kRed, 40, 128, 40 + w, 129), w);
    EXPECT_EQ(d.surface.Count(kRed, 0, 127, 256, 128) + d.surface.Count(kRed, 0, 129, 256, 130), 0);
    EXPECT_NE(d.surface.At(40 + w, 128), kRed);
  }
  {  // determinant bars: lw pixels inside the item, from top + lw to bottom - lw
    auto* m = new TDeterminant;
    m->GetItem(0)->Add(Text("1"));
    m->GetItem(0)->Add(Text("2"));
    m->GetItem(1)->Add(Text("3"));
    m->GetItem(1)->Add(Text("4"));
    Drawn d(m);
    d.Draw();
    const plat::RECT r = m->FRect;
    const int32_t lw = BarWidth(r.bottom - r.top);
    EXPECT_EQ(lw, 1);
    EXPECT_EQ(d.surface.Count(kRed, r.left + lw, 0, r.left + lw + 1, 256), r.bottom - r.top - 2 * lw);
    EXPECT_EQ(d.surface.Count(kRed, r.right - lw, r.top + lw, r.right - lw + 1, r.bottom - lw), r.bottom - r.top - 2 * lw);
  }
  {  // the brace: a 6-pixel box bends 3 pixels below its top and points at the bottom's middle
    auto* b = new TBracketHor;
    b->FEQList[0]->Add(Text("a+b+c"));
    Drawn d(b);
    d.Draw();
    const plat::RECT r = b->FRectBracket;
    ASSERT_EQ(r.bottom - r.top, 6);
    const int32_t m = (r.right - r.left) / 2;
    for (auto [x, y] : {std::pair{r.left, r.top}, {r.left + 3, r.top + 3}, {r.left + m - 3, r.top + 3},
                        {r.left + m, r.bottom}, {r.left + m + 3, r.top + 3}, {r.right - 3, r.top + 3}})
      EXPECT_EQ(d.surface.At(x, y), kRed) << x << "," << y;
    EXPECT_EQ(d.surface.Count(kRed, r.left + 4, r.top + 3, r.left + m - 3, r.top + 4), m - 7);
    EXPECT_EQ(d.surface.Count(kRed, 0, r.bottom + 1, 256, 256), 0);
  }
  for (uint8_t style : {1, 4, 5, 7}) {
    auto* s = new TSign;
    s->FStyle = style;
    Drawn d(s);
    d.Draw();
    const plat::RECT r = s->FRect;
    const int32_t w = r.right - r.left, h = r.bottom - r.top;
    switch (style) {
      case 1:  // the diagonal in the line colour with the standard pen, end excluded; the dots
                // are drawn over it
        EXPECT_EQ(d.surface.At(r.left, r.bottom), kRed);
        EXPECT_EQ(d.surface.At(r.left + 1, r.bottom - 1), kRed);
        EXPECT_NE(d.surface.At(r.right, r.top), kRed);
        EXPECT_LE(d.surface.Count(kRed), std::max(w, h));
        EXPECT_GE(d.surface.Count(kRed), std::max(w, h) / 2);
        break;
      case 4:  // the outline only
        EXPECT_EQ(d.surface.Count(kRed), 2 * (w + h) - 4);
        EXPECT_EQ(d.surface.At(r.left + w / 2, r.top + h / 2), 0xFFFFFFu);
        break;
      case 5:  // a triangle pointing left, filled
        EXPECT_EQ(d.surface.At(r.right - 1, r.top + h / 2), kRed);
        EXPECT_EQ(d.surface.At(r.left, r.top + h / 2), kRed);
        EXPECT_NE(d.surface.At(r.left + 1, r.top + 1), kRed);
        break;
      case 7:  // pointing up
        EXPECT_EQ(d.surface.At(r.left + w / 2, r.bottom - 1), kRed);
        EXPECT_EQ(d.surface.At(r.left + w / 2, r.top), kRed);
        EXPECT_NE(d.surface.At(r.left + 1, r.top + 1), kRed);
        break;
    }
  }
  {  // an arrow with no text: the line on the axis and a head of two strokes at the right end
    auto* a = new TArrow;
    a->FTextStyle = 0;
    a->FArrowStyle = 1;
    Drawn d(a);
    d.Draw();
    const plat::RECT r = a->FRect;
    EXPECT_EQ(r.right - r.left, 10 + 20 + 8);
    EXPECT_EQ(d.surface.Count(kRed, r.left, 128, r.right + 1, 129), r.right - r.left + 1);
    // back 4 points (5 pixels) along the line, 2 points (3 pixels) to either side
    EXPECT_GE(d.surface.Count(kRed, r.right - 5, 125, r.right + 1, 128), 3);
    EXPECT_GE(d.surface.Count(kRed, r.right - 5, 129, r.right + 1, 132), 3);
    EXPECT_EQ(d.surface.Count(kRed, 0, 0, r.right - 5, 128) + d.surface.Count(kRed, 0, 0, 256, 125), 0);
  }
}

TEST(EquationLayout, EveryClassLaysOutAndDrawsInsideItsRegion) {
  for (int32_t code : {1, 2, 3, 4, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 24, 25, 26, 27, 28,
                       29, 30, 31, 32, 34, 35, 36, 37, 38, 39, 42, 43, 44, 45, 46, 47}) {
    std::unique_ptr<TEquationItem> item = NewEquationItem(code);
    // (The brace draws its lower text outside a style-1 box, as its table says.)
    for (int32_t i = 0; i < (code == 36 ? 1 : item->ChildCount()); ++i) item->GetItem(i)->Add(Text("x"));
    if (auto* text = dynamic_cast<TSimpleExpr*>(item.get())) text->SetExpr(Z("xy"));
    if (auto* symbol = dynamic_cast<TSpecialChar*>(item.get())) symbol->FCharCode = 242;
    Drawn d(item.release());
    d.Draw();
    const plat::RECT r = d.e.FRegion;
    EXPECT_GT(r.right, r.left) << code;
    EXPECT_GT(r.bottom, r.top) << code;
    EXPECT_GT(d.surface.Count(0xFFFFFF), 0) << code;
    // Ink stays within the region, give or take the pen and the glyphs' side bearings (the
    // repeated integral signs stand 3H tall in a box 2H high, as their layout says).
    if (code == 26) continue;
    const int32_t all = 256 * 256 - d.surface.Count(0xFFFFFF);
    const int32_t inside = (r.right - r.left + 8) * (r.bottom - r.top + 8) -
                           d.surface.Count(0xFFFFFF, r.left - 4, r.top - 4, r.right + 4, r.bottom + 4);
    EXPECT_GT(all, 0) << code;
    EXPECT_EQ(inside, all) << code;
  }
}

namespace {

// A manager serving "Arial" 12 points: "A" a 4 x 6 block, baseline 5, leading 0.
class DibFontLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string dir = TempPath("equation-dib-fonts") + "/";
    std::filesystem::create_directories(dir);
    manager.FontPath = Z(dir);
    FontBuilder b(6, 5);
    b.Solid(33, 4, 255);
    WriteFileBytes(dir + "a12.dfu", b.Bytes());
    manager.RegisterFont(Z("Arial"), 12, false, false, Z("a12.dfu"));
  }
  TDibFontManager manager;
};

}  // namespace

TEST_F(DibFontLayout, TextBoxesBaselineAndPixels) {
  MemoryDC surface(64, 64);
  ResetEquationDefaults();
  TEquation e;
  auto* text = Text("AA");
  e.Add(text);
  e.SetTextColor(kBlue);
  e.SetDC(surface.dc());
  e.SetDibFontManager(&manager);
  e.SetUseDibFont(true);
  e.SetFontSize(12);
  e.SetBasePoint(10, 30);
  // w 8, h 6, k 3: (x, y - 3 + 1 - 0, x + 8, y + 3 + 1 - 0)
  EXPECT_TRUE(SameRect(text->FRect, 10, 28, 18, 34));
  EXPECT_EQ(PlaceholderHeight(), 6);
  EXPECT_EQ(e.FBaseline, 5 - 6 / 2);
  e.Draw();
  EXPECT_EQ(64 * 64 - surface.Count(0xFFFFFF), 8 * 6);
  EXPECT_EQ(8 * 6 - surface.Count(0xFFFFFF, 10, 28, 18, 34), 8 * 6);
  EXPECT_EQ(surface.At(10, 28) & 0xF00000, 0xF00000u);  // the text colour, as the font blends it
  e.SetDC(nullptr);
  e.SetDibFontManager(nullptr);
}
