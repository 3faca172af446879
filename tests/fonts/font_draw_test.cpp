// Drawing text with small hand-made fonts: exact pixels of the coverage blend, advances,
// justification, composed letters, clipping, background boxes, strike and underline styles,
// the three passes with opacity, and the measuring and word wrap of DrawText and CalcText.
#include <gtest/gtest.h>

#include <memory>

#include "fonts/dib_font.h"
#include "fonts/glyph_state.h"
#include "support/font_builders.h"
#include "support/test_support.h"

using namespace zkwtest;
using zkw::TDibFont;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF, kRed = 0x0000FF, kBlue = 0xFF0000;

// Height 4, baseline 3. Space 3 wide; A 2 wide; B 4 wide with one column of overhang on each
// side (advance 2); the missing glyph half covered; bullet; O-horn; a hook mark in the top row.
FontBuilder Basic() {
  FontBuilder b(4, 3);
  b.Solid(0, 3, 0).Solid(33, 2, 255, 0, 0, 255, 255).Solid(34, 4, 255, 1, 1);
  b.Solid(237, 2, 128).Solid(117, 1, 255).Solid(225, 3, 255);
  GlyphSpec hook;
  hook.slot = 234;
  hook.width = 1;
  hook.face = {255, 0, 0, 0};
  b.Glyph(hook).Accent(34, 1, -2);
  return b.Planes(true, true);
}

std::unique_ptr<TDibFont> Font(const FontBuilder& b = Basic()) {
  auto f = b.Load();
  EXPECT_TRUE(f);
  f->FColor = kRed;
  return f;
}

zkw::ZString W(std::u16string s) { return zkw::ZString(s.begin(), s.end()); }

// Columns of row y that differ from white, as a string of '#' and '.'.
std::string Row(zkw::TDibBaseObj& d, int y) {
  std::string s;
  for (int x = 0; x < d.Width(); ++x) s += Px(d, x, y) == kWhite ? '.' : '#';
  return s;
}

struct ResetState {
  ~ResetState() {
    zkw::ClearFontClipRegion();
    zkw::DibFontSetTextJustification(0, 0);
  }
};

}  // namespace

TEST(FontDraw, CoverageBlendIsExact) {
  ResetState reset;
  auto f = Font();
  auto d = Canvas(8, 6);
  f->WriteText(1, 1, W(u"A").c_str(), 1, d.get());
  EXPECT_EQ(Px(*d, 1, 1), 0x0000FEu) << "full coverage and opacity: 255 becomes 254";
  EXPECT_EQ(Px(*d, 2, 4), 0x0000FEu);
  EXPECT_EQ(Px(*d, 0, 1), kWhite);
  EXPECT_EQ(Px(*d, 3, 1), kWhite);
  EXPECT_EQ(Px(*d, 1, 5), kWhite);

  // Coverage 128 at opacity 50 over 200 in colour 100: alpha 128, d 64, e 191:
  // (200 x 191) shr 8 + (100 x 64) shr 8 = 149 + 25.
  auto g = Canvas(8, 6, 0xC8C8C8);
  f->OutDibChar(f->FDib, 0, 0, f->FHeader.dfTable[237].GlyphLeft, 0, 2, 4, 0x646464, g.get(), 50);
  EXPECT_EQ(Px(*g, 0, 0), 0xAEAEAEu);
  // Opacity 33: alpha Round(84.48) = 84, full coverage gives d 83, e 172: 255 -> 171.
  auto h = Canvas(4, 4);
  f->OutDibChar(f->FDib, 0, 0, f->FHeader.dfTable[33].GlyphLeft, 0, 2, 4, 0, h.get(), 33);
  EXPECT_EQ(Px(*h, 1, 3), 0xABABABu);
  // Rates above 100 blend as 100; 8-bit targets and planes are left alone.
  auto k = Canvas(4, 4);
  f->OutDibChar(f->FDib, 0, 0, f->FHeader.dfTable[33].GlyphLeft, 0, 2, 4, kRed, k.get(), 400);
  EXPECT_EQ(Px(*k, 0, 0), 0x0000FEu);
}

TEST(FontDraw, AdvancesOverhangsKerningAndWrapAround) {
  ResetState reset;
  auto f = Font();
  auto d = Canvas(12, 4);
  // A at 0..1; B's pen at 2, its cell one column left (1..4); the next A at 2 + 2 = 4.
  f->WriteText(0, 0, W(u"ABA").c_str(), 3, d.get());
  EXPECT_EQ(Row(*d, 0), "######......");
  EXPECT_EQ(f->TextWidth(W(u"ABA").c_str(), 3), 6);
  EXPECT_EQ(f->WriteStdChar(0, 0, 34, f->FDib, d.get(), kRed, 100, false), 2);
  f->Kerning = 1;
  EXPECT_EQ(f->TextWidth(W(u"ABA").c_str(), 3), 3);
  EXPECT_EQ(f->TextWidth(W(u"A A").c_str(), 3), 5) << "kerning does not apply to the space";
  // 16-bit sums: 70 advances of 1002 are 70140 = 65536 + 4604; negative sums wrap too.
  f->Kerning = -1000;
  zkw::ZString many(70, u'A');
  EXPECT_EQ(f->TextWidth(many.c_str(), 70), 4604);
  f->Kerning = 5;
  EXPECT_EQ(f->TextWidth(W(u"AA").c_str(), 2), 65530);
  // Count is a Word: only its low 16 bits count.
  EXPECT_EQ(f->TextWidth(W(u"AA").c_str(), 0), 0);
}

TEST(FontDraw, SpacesWithJustificationCounters) {
  ResetState reset;
  auto f = Font();
  zkw::DibFontSetTextJustification(10, 4);  // 2 extra each, the first two spaces one more
  EXPECT_EQ(zkw::TextJustification.SpaceExtra, 2);
  EXPECT_EQ(f->TextWidth(W(u"    ").c_str(), 4), 6 + 6 + 5 + 5);
  EXPECT_EQ(f->TextWidth(W(u"    ").c_str(), 4), 20) << "the measuring counter is used up";
  // Drawing has its own counter: two spaces of 6, then A at 12.
  auto d = Canvas(16, 4);
  f->WriteText(0, 0, W(u"  A").c_str(), 3, d.get());
  EXPECT_EQ(Row(*d, 0), "............##..");
  auto e = Canvas(16, 4);
  f->WriteText(0, 0, W(u"  A").c_str(), 3, e.get());
  EXPECT_EQ(Row(*e, 0), "..........##....");
  zkw::DibFontSetTextJustification(10, 0);
  EXPECT_EQ(zkw::TextJustification.SpaceExtra, 0);
  EXPECT_EQ(zkw::TextJustification.DrawLeft, 0);

  // With shadow and outline, every pass puts the glyph at the same place, and the line uses
  // the counter once.
  zkw::DibFontSetTextJustification(3, 2);  // 1 extra, the first space one more
  f->FShadow = f->FOutline = true;
  f->FShadowColor = kBlue;
  f->FShadY = 1;
  auto p = Canvas(12, 6);
  f->WriteText(0, 0, W(u" A A").c_str(), 4, p.get());
  EXPECT_EQ(Row(*p, 0), ".....##....#") << "spaces of 5 and 4";
  EXPECT_EQ(Row(*p, 4), ".....##....#") << "shadow one row lower, same columns";
  EXPECT_EQ(zkw::TextJustification.DrawLeft, 0);
}

TEST(FontDraw, ComposedLettersMissingGlyphsAndTheBullet) {
  ResetState reset;
  auto f = Font();
  // U+1EDE: O-horn (225) at the pen, hook (234) at the offset of entry 34 (1, -2).
  auto d = Canvas(8, 8);
  EXPECT_EQ(f->WriteUChar(2, 3, 0x1EDE, f->FDib, d.get(), kRed, 100), 3);
  EXPECT_EQ(Row(*d, 1), "...#....") << "the mark's top row at 3 - 2";
  EXPECT_EQ(Row(*d, 2), "........");
  EXPECT_EQ(Row(*d, 3), "..###...");
  EXPECT_EQ(f->CharWidth(0x1EDE), 3);
  EXPECT_EQ(f->TextWidth(W(u"\u1EDE\u1EDE").c_str(), 2), 6);
  // A letter whose base the font lacks draws the glyph filled in on load (237, half cover).
  auto e = Canvas(8, 4);
  f->WriteText(0, 0, W(u"\n\u1EA2z").c_str(), 3, e.get());
  EXPECT_EQ(Px(*e, 0, 0), 0x7E7EFDu) << "code below 32: the missing-character glyph";
  EXPECT_EQ(Row(*e, 0), "######..");
  // U+25CF is the Windows-1252 bullet; codes above 8500 are missing.
  auto g = Canvas(8, 4);
  EXPECT_EQ(f->WriteUChar(0, 0, 0x25CF, f->FDib, g.get(), kRed, 100), 1);
  EXPECT_EQ(Row(*g, 0), "#.......");
  EXPECT_EQ(f->CharWidth(0x2200), 2);
}

TEST(FontDraw, ClipRectangleAndImageEdges) {
  ResetState reset;
  auto f = Font();
  auto d = Canvas(10, 6);
  zkw::SetFontClipRegion(1, 1, 4, 3);  // right and bottom exclusive
  f->WriteText(0, 0, W(u"AAA").c_str(), 3, d.get());
  EXPECT_EQ(Row(*d, 0), "..........");
  EXPECT_EQ(Row(*d, 1), ".###......");
  EXPECT_EQ(Row(*d, 2), ".###......");
  EXPECT_EQ(Row(*d, 3), "..........");
  zkw::ClearFontClipRegion();
  // Glyphs reach the last column and row of the image, and hang off its edges safely.
  auto e = Canvas(5, 5);
  f->WriteText(3, 1, W(u"A").c_str(), 1, e.get());
  EXPECT_EQ(Row(*e, 4), "...##");
  f->WriteText(-1, -2, W(u"AB").c_str(), 2, e.get());
  EXPECT_EQ(Row(*e, 0), "####.");
  EXPECT_EQ(Row(*e, 1), "#####");
  f->WriteText(30000, 30000, W(u"A").c_str(), 1, e.get());
  f->WriteText(32766, 0, W(u"AAA").c_str(), 3, e.get());  // the pen wraps to -32768
  EXPECT_EQ(Row(*e, 2), "...##") << "nothing drawn far off the image";
}

TEST(FontDraw, BackgroundBoxStrikeAndUnderlineStyles) {
  ResetState reset;
  auto f = Font();
  f->BkMode = 2;
  f->BackColor = 0x00FF00;
  auto d = Canvas(8, 8);
  // The box runs from the pen to pen - overhang + advance and one row below the cell.
  f->WriteText(1, 1, W(u"A").c_str(), 1, d.get());
  EXPECT_EQ(Px(*d, 1, 1), 0x0000FEu);
  EXPECT_EQ(Px(*d, 3, 1), 0x00FF00u);
  EXPECT_EQ(Px(*d, 3, 5), 0x00FF00u);
  EXPECT_EQ(Px(*d, 4, 1), kWhite);
  EXPECT_EQ(Px(*d, 1, 6), kWhite);

  // The boxes of a line lie under every pass: a shadow stays visible.
  f->FShadow = true;
  f->FShadX = 2;
  f->FShadowColor = 0;
  auto s = Canvas(8, 8);
  f->WriteText(0, 0, W(u"A").c_str(), 1, s.get());
  EXPECT_EQ(Px(*s, 3, 0), 0u) << "shadow over the box";
  EXPECT_EQ(Px(*s, 2, 3), 0u) << "the shadow of a glyph is not covered by boxes";
  EXPECT_EQ(Px(*s, 4, 0), kWhite);
  f->FShadow = false;
  f->BkMode = 1;

  // Strike-through at the cell top + Round(baseline x 2 / 3) = 2, from the cell to + advance.
  f->StrokeStyle = 1;
  f->StrokeColor = 0;
  auto t = Canvas(6, 6);
  f->WriteText(0, 0, W(u"A").c_str(), 1, t.get());
  EXPECT_EQ(Px(*t, 2, 2), 0u);
  EXPECT_EQ(Px(*t, 3, 2), kWhite);
  EXPECT_EQ(Px(*t, 2, 1), kWhite);
  f->StrokeStyle = 2;
  auto t2 = Canvas(6, 6);
  f->WriteText(0, 0, W(u"A").c_str(), 1, t2.get());
  EXPECT_EQ(Px(*t2, 2, 1), 0u);
  EXPECT_EQ(Px(*t2, 2, 3), 0u);
  EXPECT_EQ(Px(*t2, 2, 2), kWhite);
  f->StrokeStyle = 0;

  // Underline below the baseline: y + 3 + 0 + 2; styles 3 and 4 double it two rows lower.
  f->Underline = true;
  f->UnderlineColor = 0;
  auto u = Canvas(10, 10);
  f->WriteText(0, 0, W(u"A").c_str(), 1, u.get());
  EXPECT_EQ(Row(*u, 5), "###.......");
  EXPECT_EQ(Row(*u, 7), "..........");
  f->UnderlineStyle = 4;
  auto u2 = Canvas(10, 10);
  f->WriteText(0, 0, W(u"A").c_str(), 1, u2.get());
  EXPECT_EQ(Row(*u2, 5), "###.......");
  EXPECT_EQ(Row(*u2, 7), "###.......");
  // Zigzags of 6-pixel periods: (x + 6k, y + 1) up to (x + 6k + 3, y - 1) and back down.
  f->UnderlineStyle = 13;
  auto z = Canvas(12, 10);
  f->WriteText(0, 0, W(u"AAAA").c_str(), 4, z.get());
  EXPECT_EQ(Row(*z, 6), "#.....#.....");
  EXPECT_EQ(Row(*z, 4), "...#....#...") << "the second period ends at the line end, 8";
  f->UnderlineStyle = 14;
  auto z2 = Canvas(12, 12);
  f->WriteText(0, 0, W(u"AAAA").c_str(), 4, z2.get());
  EXPECT_EQ(Row(*z2, 2).substr(3, 1), "#") << "the second zigzag two rows higher";
  // The underline width is measured without using up the justification counters.
  zkw::DibFontSetTextJustification(4, 2);
  auto j = Canvas(12, 10);
  f->UnderlineStyle = 1;
  f->WriteText(0, 0, W(u"A").c_str(), 1, j.get());
  EXPECT_EQ(zkw::TextJustification.MeasureLeft, 0);
}

TEST(FontDraw, ThreePassesWithOpacity) {
  ResetState reset;
  // A: the face covers column 0, the outline and shadow planes both columns.
  GlyphSpec a;
  a.slot = 33;
  a.width = 2;
  a.face = {255, 0, 255, 0, 255, 0, 255, 0};
  a.outline.assign(8, 255);
  a.shadow.assign(8, 255);
  FontBuilder b(4, 3);
  b.Solid(0, 3, 0).Glyph(a).Planes(true, true);
  auto f = b.Load();
  f->SetColor(kBlue, kRed);
  f->FOutline = f->FShadow = true;
  f->FShadowColor = 0;
  f->FShadX = 2;
  f->Opacity = 50;
  f->ShadowOpacity = 50;  // Round(50 x 50 / 100) = 25 for the shadow
  auto d = Canvas(6, 4);
  f->WriteText(0, 0, W(u"A").c_str(), 1, d.get());
  // Shadow alone at 25: alpha 64, d 63, e 192: 255 -> 191.
  EXPECT_EQ(Px(*d, 2, 0), 0xBFBFBFu);
  EXPECT_EQ(Px(*d, 3, 3), 0xBFBFBFu);
  // Outline alone at 50 in red: alpha 128, d 127, e 128: 127 and 127 + 126.
  EXPECT_EQ(Px(*d, 1, 0), 0x7F7FFDu);
  // Outline, then face in blue: red 253 -> 126, green 127 -> 63, blue 127 -> 63 + 126.
  EXPECT_EQ(Px(*d, 0, 0), 0xBD3F7Eu);
  EXPECT_EQ(Px(*d, 4, 0), kWhite);
  // Without the planes' flags only the face is drawn.
  f->FOutline = f->FShadow = false;
  auto e = Canvas(6, 4);
  f->WriteText(0, 0, W(u"A").c_str(), 1, e.get());
  EXPECT_EQ(Px(*e, 1, 0), kWhite);
  EXPECT_EQ(Px(*e, 0, 0), 0xFD7F7Fu);
  // A font without images draws nothing, not even its box.
  TDibFont empty;
  empty.BkMode = 2;
  auto g = Canvas(4, 4);
  empty.WriteText(0, 0, W(u"A").c_str(), 1, g.get());
  EXPECT_EQ(Px(*g, 0, 0), kWhite);
}

TEST(FontDraw, DrawTextPlacesLinesAndCalcTextMeasuresThem) {
  ResetState reset;
  // Text height 20 (cell 18 below 2 rows of external leading).
  FontBuilder tall(18, 14, 2);
  tall.Solid(0, 3, 0).Solid(33, 2, 255);
  auto t = Font(tall);
  auto d = Canvas(220, 100);
  EXPECT_EQ(t->DrawText({10, 50, 200, 90}, W(u"A").c_str(), 1, d.get(), zkw::kDtBottom), 20);
  EXPECT_EQ(Px(*d, 10, 72), 0x0000FEu) << "line top 70, cell top 72";
  EXPECT_EQ(Px(*d, 10, 71), kWhite);
  EXPECT_EQ(zkw::FontClipRect.right, 65535) << "DrawText leaves the clip region cleared";
  auto v = Canvas(220, 100);
  t->DrawText({10, 50, 200, 91}, W(u"A").c_str(), 1, v.get(), zkw::kDtVCenter);
  EXPECT_EQ(Px(*v, 10, 62), 0x0000FEu) << "line top 50 + (41 - 20) div 2 = 60";
  EXPECT_EQ(Px(*v, 10, 61), kWhite);

  auto f = Font();
  // Right-aligned with shadow and outline: 7 pixels left of the right edge.
  f->FShadow = f->FOutline = true;
  auto r = Canvas(20, 4);
  f->DrawText({0, 0, 20, 4}, W(u"A").c_str(), 1, r.get(), zkw::kDtRight);
  EXPECT_EQ(Row(*r, 0), "...........##.......");
  f->FShadow = f->FOutline = false;
  auto c = Canvas(20, 4);
  f->DrawText({0, 0, 20, 4}, W(u"A").c_str(), 1, c.get(), zkw::kDtCenter);
  EXPECT_EQ(Row(*c, 0), ".........##.........");

  // Word wrap: "A A A" in 5 pixels gives three lines of one A each.
  auto w = Canvas(8, 14);
  EXPECT_EQ(f->DrawText({0, 0, 5, 14}, W(u"A A A").c_str(), 5, w.get(), zkw::kDtWordBreak), 12);
  for (int y : {0, 4, 8}) EXPECT_EQ(Row(*w, y), "##......") << y;
  EXPECT_EQ(f->CalcText({0, 0, 5, 14}, W(u"A A A").c_str(), 5), 12);
  // Two words fit in 7 pixels (2 + 3 + 2); the line end falls on the space before the third.
  EXPECT_EQ(f->GetLineEnd({0, 0, 7, 0}, W(u"A A A").c_str(), 5), 3);
  EXPECT_EQ(f->GetLineEnd({0, 0, 1, 0}, W(u"AAAA B").c_str(), 6), 6) << "first word too wide";
  // A rectangle narrower than the only word: one line, clipped at the rectangle.
  auto n = Canvas(10, 6);
  EXPECT_EQ(f->DrawText({0, 0, 3, 6}, W(u"AAAA").c_str(), 4, n.get(), zkw::kDtWordBreak), 4);
  EXPECT_EQ(Row(*n, 0), "###.......");
  // Empty lines count for DrawText but not for CalcText.
  auto e = Canvas(10, 16);
  EXPECT_EQ(f->DrawText({0, 0, 10, 16}, W(u"A\r\rA").c_str(), 4, e.get(), zkw::kDtWordBreak), 12);
  EXPECT_EQ(Row(*e, 8), "##........");
  EXPECT_EQ(Row(*e, 4), "..........");
  EXPECT_EQ(f->CalcText({0, 0, 10, 16}, W(u"A\r\rA").c_str(), 4), 8);
  EXPECT_EQ(f->CalcText({0, 0, 10, 16}, W(u"").c_str(), 0), 0);
  EXPECT_EQ(f->DrawText({0, 0, 10, 16}, W(u"").c_str(), 0, e.get(), zkw::kDtWordBreak), 4);
  // Measuring only.
  auto m = Canvas(10, 6);
  EXPECT_EQ(f->DrawText({0, 0, 10, 6}, W(u"A").c_str(), 1, m.get(),
                        zkw::kDtWordBreak | zkw::kDtCalcRect), 4);
  EXPECT_EQ(Row(*m, 0), "..........");
  // The clip reaches above the rectangle by the tone-mark ascent (2 here): the hook of U+1EDE
  // drawn at the rectangle's top shows.
  auto a = Canvas(10, 10);
  EXPECT_EQ(f->tmAscent, -2);
  f->DrawText({2, 4, 10, 10}, W(u"\u1EDE").c_str(), 1, a.get(), 0);
  EXPECT_EQ(Row(*a, 2), "...#......");
}
