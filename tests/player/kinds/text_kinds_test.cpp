// Text kinds and the portable GDI text under them: text extents and metrics, where DrawText
// puts its lines (alignment, word break, vertical centring, clipping), labels by alignment and
// with numbers, text fields (answer matching, typing, limits, cut lines, keys and the key
// event), DIB-font objects and font packages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "fonts/dib_font.h"
#include "fonts/package_font.h"
#include "kind_test_support.h"
#include "platform/plat_gdi.h"
#include "player/kinds/font_obj.h"
#include "player/kinds/label_obj.h"
#include "player/kinds/system_text.h"
#include "player/kinds/text_obj.h"
#include "support/font_builders.h"
#include "support/test_support.h"

using namespace zkw;
using kindtest::KindScene;

namespace {

// Bounding box of the pixels that differ from `background` inside a rectangle.
struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  bool Empty() const { return right < 0; }
};
Box Changed(TDibBaseObj& dib, uint32_t background, int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1) {
  if (x1 < 0) x1 = dib.Width() - 1;
  if (y1 < 0) y1 = dib.Height() - 1;
  Box b;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if (dib.GetPixel(x, y) != background) {
        b.left = std::min(b.left, x);
        b.right = std::max(b.right, x);
        b.top = std::min(b.top, y);
        b.bottom = std::max(b.bottom, y);
      }
  return b;
}

// Colours equal within one step per channel (the font blends full coverage to 254 of 255).
bool Near(uint32_t a, uint32_t b) {
  for (int shift = 0; shift < 24; shift += 8) {
    int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    if (d < -1 || d > 1) return false;
  }
  return true;
}

std::u16string U(const char* s) { return std::u16string(s, s + std::char_traits<char>::length(s)); }

}  // namespace

TEST(PortableText, ExtentsMetricsAndDrawTextPlacement) {
  plat::HDC dc = plat::CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  plat::HFONT font = plat::CreateFontW(-20, 0, 0, 0, plat::FW_NORMAL, 0, 0, 0, plat::DEFAULT_CHARSET, 0, 0, 0, 0,
                                       reinterpret_cast<const plat::WCHAR*>(u"Arial"));
  ASSERT_NE(font, nullptr);
  plat::HGDIOBJ old = plat::SelectObject(dc, font);
  EXPECT_NE(old, nullptr);  // the system font
  plat::TEXTMETRICW tm{};
  ASSERT_TRUE(plat::GetTextMetricsW(dc, &tm));
  // A 20-pixel em of a metric-compatible Arial: ascent about 18, descent about 4.
  EXPECT_NEAR(tm.tmAscent, 18, 1);
  EXPECT_NEAR(tm.tmDescent, 4, 1);
  EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
  plat::SIZE one{}, two{};
  const auto* w = reinterpret_cast<const plat::WCHAR*>(u"WWWW");
  ASSERT_TRUE(plat::GetTextExtentPoint32W(dc, w, 2, &one));
  ASSERT_TRUE(plat::GetTextExtentPoint32W(dc, w, 4, &two));
  EXPECT_EQ(two.cx, 2 * one.cx);
  EXPECT_NEAR(one.cx, 2 * 19, 3);  // "W" advances about 0.94 em
  EXPECT_EQ(one.cy, tm.tmHeight);

  // Drawing on a 24-bit section: word break, centring, clipping to the rectangle.
  plat::BITMAPINFO info{};
  info.bmiHeader = {sizeof(plat::BITMAPINFOHEADER), 200, 100, 1, 24, 0, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  plat::HBITMAP section = plat::CreateDIBSection(nullptr, &info, plat::DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(section, nullptr);
  std::memset(bits, 0xFF, 600 * 100);
  plat::HGDIOBJ oldBitmap = plat::SelectObject(dc, section);
  plat::SetBkMode(dc, plat::TRANSPARENT);
  plat::SetTextColor(dc, 0);
  plat::RECT r{10, 10, 110, 90};
  const auto* text = reinterpret_cast<const plat::WCHAR*>(u"WW WW WW");
  int h = plat::DrawTextW(dc, text, 8, &r, plat::DT_WORDBREAK | plat::DT_CENTER);
  EXPECT_EQ(h, 2 * tm.tmHeight);  // "WW WW" fits in 100 pixels, the third word wraps
  plat::RECT calc{10, 10, 110, 90};
  EXPECT_EQ(plat::DrawTextW(dc, text, 8, &calc, plat::DT_WORDBREAK | plat::DT_CALCRECT), h);
  EXPECT_EQ(calc.bottom, 10 + h);
  EXPECT_LE(calc.right, 110);
  // Read back through GetPixel of the DC: dark pixels only inside the rectangle, on two lines.
  int minX = 1000, maxX = -1, maxY = -1;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x)
      if ((plat::GetPixel(dc, x, y) & 0xFF) < 128) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
      }
  EXPECT_GE(minX, 10);
  EXPECT_LE(maxX, 109);
  EXPECT_GT(maxY, 10 + tm.tmHeight);  // second line
  EXPECT_LE(maxY, 10 + h);
  EXPECT_NEAR((minX - 10) - (109 - maxX), 0, 3);  // centred
  // A single centred line inside a tiny rectangle is clipped to it.
  std::memset(bits, 0xFF, 600 * 100);
  plat::RECT tiny{150, 40, 160, 50};
  plat::DrawTextW(dc, text, 2, &tiny, plat::DT_SINGLELINE | plat::DT_VCENTER | plat::DT_CENTER);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x)
      if ((plat::GetPixel(dc, x, y) & 0xFF) < 250) {
        EXPECT_TRUE(x >= 150 && x < 160 && y >= 40 && y < 50) << x << "," << y;
      }
  plat::SelectObject(dc, oldBitmap);
  plat::SelectObject(dc, old);
  EXPECT_TRUE(plat::DeleteObject(font));
  plat::DeleteObject(section);
  plat::DeleteDC(dc);
}

TEST_F(KindScene, LabelAlignsItsTextAndWritesNumbers) {
  auto* label = Add<TDibLabelObj>("L");
  label->Fx = 20;
  label->Fy = 10;
  label->FWidth = 160;
  label->FHeight = 40;
  label->FTextID = "Mm";
  label->FFontColor = 0;
  const uint32_t white = Ref(0xFFFFFF);
  auto box = [&](int16_t alignment) {
    label->FAlignment = alignment;
    ani.FDib->Bar(0, 0, 199, 99, 0xFFFFFF);
    ani.DoDraw(ani.FDib);
    return Changed(*ani.FDib, white);
  };
  Box left = box(0), centre = box(1), right = box(2), other = box(7);
  ASSERT_FALSE(left.Empty());
  EXPECT_NEAR(left.left, 20, 2);
  EXPECT_NEAR(right.right, 179, 2);
  EXPECT_NEAR((centre.left - 20) - (179 - centre.right), 0, 2);
  EXPECT_EQ(other.left, centre.left);  // any value but 0 and 2 centres
  EXPECT_EQ(centre.right - centre.left, left.right - left.left);
  EXPECT_GE(left.top, 10);
  // The whole rectangle is solid.
  EXPECT_TRUE(label->PtInObject(21, 48));
  EXPECT_FALSE(label->PtInObject(180, 20));
  // Width and height through the measuring hooks match what was drawn.
  int32_t width = 0, height = 0;
  EXPECT_TRUE(label->TextWidthFor(U("Mm"), width));
  EXPECT_TRUE(label->TextHeightFor(U("Mm"), height));
  EXPECT_NEAR(width, left.right - left.left + 1, 4);
  long double v;
  std::string s;
  label->GetValue(170, v, s);
  EXPECT_EQ(v, width);
  // Numbers: a real value is kept while it rounds to Value; the separator replaces "." and ",".
  label->SetValue(97, "", 2.5L);
  label->SetValue(206, ";", 0);
  label->FUseValue = true;
  EXPECT_EQ(label->ShownText(), U("2;5"));
  EXPECT_EQ(label->FValue, 2);
  label->FValue = 3;
  EXPECT_EQ(label->ShownText(), U("3"));
  EXPECT_EQ(FormatSceneNumber(1.0L / 3, ','), "0,333333333333333");
  // Shake: every Speed steps the label moves by (DX, DY) and both change sign.
  label->FDX = 2;
  label->FDY = -1;
  label->FSpeed = 1;
  std::vector<int> xs;
  for (int i = 0; i < 3; ++i) {
    ani.DoAction(ani.FDib);
    xs.push_back(label->Fx);
  }
  EXPECT_EQ(xs, (std::vector<int>{22, 20, 22}));
}

TEST_F(KindScene, LabelOutlineAndShadowPassesWidenTheText) {
  auto* label = Add<TDibLabelObj>("L");
  label->Fx = 20, label->Fy = 10, label->FWidth = 160, label->FHeight = 40;
  label->FTextID = "I";
  label->FFontColor = 0;
  const uint32_t white = Ref(0xFFFFFF);
  ani.FDib->Bar(0, 0, 199, 99, 0xFFFFFF);
  ani.DoDraw(ani.FDib);
  Box plain = Changed(*ani.FDib, white);
  label->FOutline = true;
  label->FOutlineColor = 0x0000FF;
  label->FShadow = true;
  label->FShadowColor = 0x00FF00;
  ani.FDib->Bar(0, 0, 199, 99, 0xFFFFFF);
  ani.DoDraw(ani.FDib);
  Box rich = Changed(*ani.FDib, white);
  EXPECT_EQ(rich.left, plain.left - 1);
  EXPECT_EQ(rich.top, plain.top - 1);
  EXPECT_EQ(rich.right, plain.right + 2);  // the shadow's outline reaches two to the right
  EXPECT_EQ(rich.bottom, plain.bottom + 2);
}

TEST(TextField, AnswerRules) {
  TDibTextObj t;
  auto typed = [&](const char* text, const char* answer) {
    t.FBuffer = U(text);
    t.FTextID = answer;
    return t.Equal();
  };
  t.FEnglish = true;
  EXPECT_TRUE(typed("He's here.", "he is here"));
  EXPECT_TRUE(typed("I can't go", "no\\I cannot go"));
  EXPECT_FALSE(typed("He's there.", "he is here"));
  t.FEnglish = false;
  EXPECT_TRUE(typed("ha noi.", "Ha Noi"));
  t.FCaseSensitive = true;
  EXPECT_FALSE(typed("ha noi.", "Ha Noi"));
  t.FCaseSensitive = false;
  t.FIgnoreSigns = false;
  EXPECT_FALSE(typed("ha noi.", "Ha Noi"));
  EXPECT_FALSE(typed("", ""));  // an empty field never matches
  EXPECT_EQ(RemoveSigns(U("  a  (b), \"c\"!  ")), U("a b c"));
  EXPECT_EQ(ExpandContractions(U("it's what's")), U("it is what is"));
  // A stop inside the text leaves a space, and the space after it stays as well: the double
  // space goes when the signs are removed for the comparison.
  EXPECT_EQ(NormaliseEnglish(U(" Yes,it is. Ok ")), U("Yes it is  Ok"));
}

TEST_F(KindScene, TextFieldTypingKeysLimitsAndKeyEvent) {
  auto* t = Add<TDibTextObj>("T");
  t->Fx = 10, t->Fy = 10, t->FWidth = 180, t->FHeight = 80;
  t->FFontSize = 10;
  t->SetFocus();
  for (char c : std::string("abc")) ani.KeyPress(c);
  EXPECT_EQ(t->FBuffer, U("abc"));
  ani.KeyDown(0x25);  // Left
  ani.KeyPress('X');
  EXPECT_EQ(t->FBuffer, U("abXc"));
  ani.KeyPress(8);  // Backspace
  EXPECT_EQ(t->FBuffer, U("abc"));
  ani.KeyDown(0x24);  // Home
  ani.KeyDown(0x2E);  // Delete
  EXPECT_EQ(t->FBuffer, U("bc"));
  // Enter only with EnableEnterKey; CR LF counts as one character for the keys.
  ani.KeyPress(13);
  EXPECT_EQ(t->FBuffer, U("bc"));
  t->SetValue(173, "", 1);
  ani.KeyDown(0x23);  // End
  ani.KeyPress(13);
  ani.KeyPress('d');
  EXPECT_EQ(t->FBuffer, U("bc\r\nd"));
  EXPECT_EQ(t->FLineStarts.size(), 2u);
  ani.KeyDown(0x25);
  ani.KeyDown(0x25);
  EXPECT_EQ(t->FCaretPos, 2);
  // Number input: digits and one separator only.
  t->SetValue(131, "", 0);
  t->SetValue(205, "", 1);
  t->SetValue(206, ",", 0);
  for (char c : std::string("1a2,3,4")) ani.KeyPress(c);
  EXPECT_EQ(t->FBuffer, U("12,34"));
  long double v;
  std::string s;
  t->GetValue(97, v, s);
  EXPECT_EQ(v, 12.34L);
  t->SetValue(97, "", 2.5);
  EXPECT_EQ(t->FBuffer, U("2,5"));
  // At most 255 units: further typing is ignored.
  t->SetValue(205, "", 0);
  t->SetValue(131, std::string(255, 'x'), 0);
  ani.KeyPress('y');
  EXPECT_EQ(t->FBuffer.size(), 255u);
  // The key event runs first and the key it leaves is used.
  t->SetValue(131, "", 0);
  t->SetMacro(ocUser, TScriptList::FromText("key"));
  gEventScriptRunner = [](TDibAnimator* a, TAnimateObj* o, TScriptList* l, int32_t code) {
    kindtest::Recorder(a, o, l, code);
    if (code == 18) a->FEventValue1 = 'Q';
  };
  ani.KeyPress('k');
  EXPECT_EQ(t->FBuffer, U("Q"));
  ASSERT_EQ(EventsOf(t, 18).size(), 1u);
  EXPECT_EQ(EventsOf(t, 18)[0].Value1, 'k');
  // Read only and inactive fields take no typing.
  t->SetValue(174, "", 1);
  ani.KeyPress('z');
  EXPECT_EQ(t->FBuffer, U("Q"));
}

TEST_F(KindScene, TextFieldCutsLinesBelowTheBoxAndDrawsItsFrame) {
  auto* t = Add<TDibTextObj>("T");
  t->Fx = 10, t->Fy = 10, t->FWidth = 60, t->FHeight = 30;
  t->FFontSize = 10;
  t->FBorderColor = 0x0000FF;
  t->FColor = 0x00FF00;
  t->SetValue(131, "aa bb cc dd ee ff gg hh ii jj kk", 0);
  int32_t line = t->LineHeight();
  ASSERT_GT(line, 0);
  int32_t fit = (30 - 2) / line;
  EXPECT_EQ(static_cast<int32_t>(t->FLineStarts.size()), fit);
  EXPECT_LT(t->FBuffer.size(), 32u);  // the text below the box was cut off
  ani.FDib->Bar(0, 0, 199, 99, 0xFFFFFF);
  ani.DoDraw(ani.FDib);
  EXPECT_EQ(ani.FDib->GetPixel(10, 10), Ref(0x0000FF));   // border
  EXPECT_EQ(ani.FDib->GetPixel(69, 39), Ref(0x0000FF));
  EXPECT_EQ(ani.FDib->GetPixel(11, 38), Ref(0x00FF00));   // fill (no text at the left edge)
  EXPECT_EQ(ani.FDib->GetPixel(70, 20), Ref(0xFFFFFF));   // outside
  Box text = Changed(*ani.FDib, Ref(0x00FF00), 11, 11, 68, 38);
  ASSERT_FALSE(text.Empty());
  EXPECT_GE(text.left, 10 + 1 + 2);
}

TEST_F(KindScene, DibFontObjectLoadsFromPackagesAndWritesForScripts) {
  zkwtest::FontBuilder fb(6, 5);
  fb.Solid(33, 4, 255);  // "A": a 4 x 6 block
  std::vector<uint8_t> font = fb.Bytes();
  // A package with two entries: 12 regular, 14 bold italic.
  std::vector<uint8_t> pkg = zkwtest::PackageBytes("Fam;Other", {{12, false, false, font}, {14, true, true, font}});
  std::string path = zkwtest::TempPath("fonts.dfp");
  zkwtest::WriteFileBytes(path, pkg);
  ZString name = zkwtest::Z(path);

  int32_t size;
  bool bold, italic;
  ParsePackageStyle(" 12 bi ", size, bold, italic);
  EXPECT_EQ(size, 12);
  EXPECT_TRUE(bold);
  EXPECT_TRUE(italic);
  std::unique_ptr<TDibFont> f(LoadPackageFont(name.c_str(), "14BI"));
  ASSERT_NE(f, nullptr);
  int32_t height6 = f->FHeader.dfHeight;  // a packed field: read by value
  EXPECT_EQ(height6, 6);
  EXPECT_EQ(LoadPackageFont(name.c_str(), "13BI"), nullptr);
  EXPECT_EQ(LoadPackageFont(name.c_str(), "B"), nullptr);  // bold only: no such entry
  f.reset(LoadPackageFont(name.c_str(), ""));  // size 0: the first regular entry
  EXPECT_NE(f, nullptr);
  pkg[2] = 'X';
  zkwtest::WriteFileBytes(path, pkg);
  EXPECT_EQ(LoadPackageFont(name.c_str(), "12"), nullptr);
  pkg[2] = 'K';
  zkwtest::WriteFileBytes(path, pkg);

  auto* fo = Add<TDibFontObj>("Font1");
  fo->FFilename = path + "|12";
  fo->FFontColor = 0x0000FF;
  fo->FKerning = 1;
  ASSERT_NE(fo->Font(), nullptr);
  EXPECT_EQ(fo->Font()->Kerning, 1);
  int32_t width = 0, height = 0;
  EXPECT_TRUE(fo->TextWidthFor(U("AA"), width));
  EXPECT_TRUE(fo->TextHeightFor(U("AA"), height));
  EXPECT_EQ(height, 6);
  EXPECT_EQ(width, 6);  // two 4-pixel glyphs drawn one pixel closer each by the kerning
  ani.FDib->Bar(0, 0, 199, 99, 0xFFFFFF);
  int32_t written = 0;
  EXPECT_TRUE(fo->TextOutFor(ani.FDib, 5, 5, U("A"), written));
  EXPECT_TRUE(Near(ani.FDib->GetPixel(6, 6), Ref(0x0000FF)));
  EXPECT_EQ(ani.FDib->GetPixel(6, 20), Ref(0xFFFFFF));
  // A label naming the font object draws with its DIB font in the label's colour.
  auto* label = Add<TDibLabelObj>("L");
  label->FUseDibFont = true;
  label->FFontname = "font1";
  label->FAlignment = 0;
  label->FFontColor = 0x00FF00;
  label->Fx = 50, label->Fy = 50, label->FWidth = 40, label->FHeight = 20;
  label->FTextID = "A";
  ani.DoDraw(ani.FDib);
  Box b = Changed(*ani.FDib, Ref(0xFFFFFF), 40, 40, 199, 99);
  ASSERT_FALSE(b.Empty());
  EXPECT_EQ(b.left, 50);
  EXPECT_EQ(b.top, 50);
  EXPECT_TRUE(Near(ani.FDib->GetPixel(51, 52), Ref(0x00FF00)));
  EXPECT_EQ(label->LabelTextHeight(), 6);
}
