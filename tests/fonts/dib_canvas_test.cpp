// The DIB canvas: exact pixels of bitmap-font text (alignment, origin, opacity, colour), the
// variant cache, script sizes, shapes, surfaces and the exchange with device contexts.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <memory>

#include "dib/dib_base.h"
#include "exports/zkwgdi32.h"
#include "fonts/dib_canvas.h"
#include "fonts/font_manager.h"
#include "platform/plat_gdi.h"
#include "support/font_builders.h"
#include "support/test_support.h"

using namespace zkw;
using namespace zkwtest;

namespace {

// A manager serving "Arial": 8 pt regular ("A" a 4 x 6 block, baseline 5), 8 pt bold ("A" 2
// wide), 10 pt regular ("A" 3 wide), and "Default" at every size ("A" 1 wide).
class CanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string dir = TempPath("canvas-fonts") + "/";
    std::filesystem::create_directories(dir);
    manager.FontPath = Z(dir);
    const struct {
      const char* file;
      const char* name;
      int size, width;
      bool bold;
    } fonts[] = {{"r8.dfu", "Arial", 8, 4, false}, {"b8.dfu", "Arial", 8, 2, true},
                 {"r10.dfu", "Arial", 10, 3, false}, {"def.dfu", "Default", 0, 1, false}};
    for (const auto& f : fonts) {
      FontBuilder b(6, 5);
      b.Solid(33, f.width, 255);
      WriteFileBytes(dir + f.file, b.Bytes());
      manager.RegisterFont(Z(f.name), f.size, f.bold, false, Z(f.file));
    }
  }
  int WidthOfCurrent(TDibCanvas& c) { return c.FCurrentDibFont ? c.FCurrentDibFont->TextWidth(A.c_str(), 1) : -1; }
  static uint32_t Pixel(TDibCanvas& c, int x, int y) { return Px(*c.FDib, x, y) & 0xFFFFFF; }
  // The box of pixels that differ from white: left, top, right, bottom (inclusive).
  static std::array<int, 4> Inked(TDibCanvas& c) {
    std::array<int, 4> box{1 << 30, 1 << 30, -1, -1};
    for (int y = 0; y < c.FCanvasHeight; ++y)
      for (int x = 0; x < c.FCanvasWidth; ++x)
        if (Pixel(c, x, y) != 0xFFFFFF)
          box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
    return box;
  }
  TDibFontManager manager;
  ZString A = Z("A");
};

}  // namespace

TEST_F(CanvasTest, TextPixelsAlignmentOriginAndOpacity) {
  TDibCanvas c;
  c.SetCanvasSize(30, 20);
  ASSERT_NE(c.FDib, nullptr);
  EXPECT_EQ(Inked(c)[2], -1) << "a new surface is white";
  c.SetFontManager(&manager);
  ASSERT_EQ(WidthOfCurrent(c), 4);
  c.SetTextColor(0x0000FF);
  struct Case {
    uint32_t align;
    int ox, oy, x, y;
    uint16_t opacity;
    std::array<int, 4> box;
    uint32_t colour;
  } cases[] = {
      {0, 0, 0, 1, 2, 100, {1, 2, 4, 7}, 0x0000FE},        // top-left at (x, y); 255 becomes 254
      {24, 0, 1, 10, 8, 100, {10, 4, 13, 9}, 0x0000FE},    // baseline (row 5) on y + origin
      {8, 2, 0, 10, 8, 100, {12, 3, 15, 8}, 0x0000FE},     // TA_BOTTOM counts as baseline
      {2, 0, 0, 10, 0, 100, {6, 0, 9, 5}, 0x0000FE},       // ends at x
      {6, 0, 0, 10, 0, 100, {6, 0, 9, 5}, 0x0000FE},       // TA_CENTER counts as right
      {0, 0, 0, 0, 0, 50, {0, 0, 3, 5}, 0x7F7FFD},         // half opacity over white
  };
  for (const Case& k : cases) {
    c.Clear();
    c.FTextAlign = k.align;
    c.SetViewPort(k.ox, k.oy);
    c.FOpacity = k.opacity;
    c.TextOut(k.x, k.y, A.c_str(), 1);
    EXPECT_EQ(Inked(c), k.box) << "align " << k.align;
    EXPECT_EQ(Pixel(c, k.box[0], k.box[1]), k.colour) << "align " << k.align;
    EXPECT_EQ(c.FCurrentDibFont->Opacity, 100);
  }
  // Negative and zero counts draw and measure nothing.
  c.Clear();
  c.SetViewPort(0, 0);
  c.FTextAlign = 0;
  c.TextOut(0, 0, A.c_str(), -1);
  c.AdvTextOutW(0, 0, A.c_str(), -1, 1, 0, 0, 0);
  EXPECT_EQ(c.DrawText(TFontRect{0, 0, 30, 20}, A.c_str(), -1, 0), 0);
  EXPECT_EQ(Inked(c)[2], -1);
  EXPECT_EQ(c.TextWidth(A.c_str(), -1), 0);
  EXPECT_EQ(c.TextWidth(A.c_str(), 1), 4);
  EXPECT_EQ(c.TextHeight(), 6);
  EXPECT_EQ(c.GetBaseline(), 5);
  EXPECT_EQ(c.GetLineHeight(), 6);
  // DrawText with baseline alignment moves the rectangle up by the baseline.
  c.FTextAlign = 24;
  EXPECT_EQ(c.DrawText(TFontRect{2, 10, 30, 20}, A.c_str(), 1, 0), 6);
  EXPECT_EQ(Inked(c), (std::array<int, 4>{2, 5, 5, 10}));
  c.SetFontManager(nullptr);
}

TEST_F(CanvasTest, VariantCacheScriptSizesAndManagerChange) {
  TDibCanvas c;
  c.SetFontManager(&manager);
  TDibFont* regular = c.FDFRegular;
  ASSERT_NE(regular, nullptr);
  c.FFont.SetStyle(fsBold);
  EXPECT_EQ(c.FDFRegular, regular) << "a style change keeps the cache";
  EXPECT_EQ(WidthOfCurrent(c), 2);
  c.FFont.SetStyle(fsItalic);  // no italic Arial and no italic "Default"
  EXPECT_EQ(WidthOfCurrent(c), -1);
  c.FFont.SetName(Z("Courier"));  // unknown name, same size: "Default" serves
  c.FFont.SetStyle(0);
  EXPECT_EQ(WidthOfCurrent(c), 1);
  c.FFont.SetName(Z("Arial"));
  c.FFont.SetStyle(fsItalic);
  c.FFont.SetSize(10);
  EXPECT_EQ(c.FDFRegular, nullptr) << "a size change releases all five";
  EXPECT_EQ(c.FDFBold, nullptr);
  c.FFont.SetStyle(0);
  EXPECT_EQ(WidthOfCurrent(c), 3);
  EXPECT_EQ(manager.ObjList.size(), 1u) << "released variants were given back";

  struct Script {
    int size, expected;
  } scripts[] = {{10, 8}, {15, 10}, {12, 8}, {13, 9}, {30, 20}, {4, 8}, {16, 11}};
  for (const Script& s : scripts) EXPECT_EQ(TDibCanvas::ScriptSize(s.size), s.expected) << s.size;
  c.ScriptMode = 1;
  c.FFont.SetSize(12);  // script variant asks for 8: the 8 pt regular
  EXPECT_EQ(c.FCurrentDibFont, c.FScript);
  EXPECT_EQ(WidthOfCurrent(c), 4);

  // A new manager: the cached variants go back to the old one first.
  TDibFontManager other;
  c.SetFontManager(&other);
  EXPECT_TRUE(manager.ObjList.empty());
  EXPECT_EQ(c.FCurrentDibFont, nullptr);
}

TEST_F(CanvasTest, SharedFontsTakeEachCanvasColourAndUnderline) {
  TDibCanvas a, b;
  for (TDibCanvas* c : {&a, &b}) {
    c->SetCanvasSize(10, 12);
    c->SetFontManager(&manager);
  }
  ASSERT_EQ(a.FCurrentDibFont, b.FCurrentDibFont);
  a.FFont.SetColor(0x0000FF);
  b.FFont.SetColor(0x00FF00);
  a.TextOut(0, 0, A.c_str(), 1);
  EXPECT_EQ(Pixel(a, 0, 0), 0x0000FEu);
  b.FFont.SetStyle(fsUnderline);
  a.TextOut(0, 0, A.c_str(), 1);
  EXPECT_EQ(Pixel(a, 0, 7), 0xFFFFFFu) << "a's font is not underlined";
  b.AdvTextOutW(0, 0, A.c_str(), 1, 0, 0, 0, 0);
  b.TextOut(0, 0, A.c_str(), 1);
  EXPECT_EQ(Pixel(b, 0, 0), 0x00FE00u);
  EXPECT_EQ(Pixel(b, 0, 5 + 2), 0x000000u) << "underline at baseline + 2 after AdvTextOutW";
  a.SetFontManager(nullptr);
  b.SetFontManager(nullptr);
}

TEST_F(CanvasTest, ShapesAndInvert) {
  TDibCanvas c;
  c.SetCanvasSize(12, 8);
  c.SetViewPort(1, 1);
  c.FillRect(TFontRect{1, 1, 3, 2}, 0x0000FF);  // inclusive: (2..4, 2..3)
  c.Line(0, 5, 3, 5, 0xFF0000);                   // inclusive: (1..4, 6)
  c.InvertRect(TFontRect{6, 0, 8, 2});            // exclusive: (7..8, 1..2)
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 12; ++x) {
      uint32_t want = 0xFFFFFF;
      if (x >= 2 && x <= 4 && y >= 2 && y <= 3) want = 0x0000FF;
      if (x >= 1 && x <= 4 && y == 6) want = 0xFF0000;
      if (x >= 7 && x <= 8 && y >= 1 && y <= 2) want = 0;
      ASSERT_EQ(Pixel(c, x, y), want) << x << "," << y;
    }
  c.FOpacity = 50;
  c.Color = 0x80000000u | 5;  // a system colour code: the window colour (white here)
  c.Clear();
  c.FillRect(TFontRect{0, 0, 0, 0}, 0);
  EXPECT_EQ(Pixel(c, 1, 1), 0x7F7F7Fu);
}

TEST_F(CanvasTest, SurfacesBitmapsAndDeviceContexts) {
  TDibCanvas c;
  c.SetCanvasSize(0, 5);
  EXPECT_EQ(c.FDib, nullptr);
  c.SetCanvasSize(1 << 20, 1 << 20);
  EXPECT_EQ(c.FDib, nullptr) << "too large";
  EXPECT_EQ(c.GetHandle(), nullptr);

  // A caller's bitmap is wrapped, drawn on, released and survives.
  void* own = zkwCreateBitmap(6, 4);
  ASSERT_NE(own, nullptr);
  ASSERT_TRUE(c.SetBkBitmap(own));
  EXPECT_FALSE(c.FOwnBitmap);
  EXPECT_EQ(c.FCanvasWidth, 6);
  c.FillRect(TFontRect{0, 0, 0, 0}, 0x123456);
  auto* bits = static_cast<uint8_t*>(zkwBitmapBits(own));
  EXPECT_EQ(bits[3 * 20], 0x12) << "the top row is the last stored row, blue first";

  // Other bitmaps are refused and the surface stays.
  plat::BITMAPINFO info{};
  info.bmiHeader = {40, 4, -4, 1, 24, plat::BI_RGB, 0, 0, 0, 0, 0};
  void* topDown = plat::CreateDIBSection(nullptr, &info, plat::DIB_RGB_COLORS, nullptr, nullptr, 0);
  info.bmiHeader.biHeight = 4;
  info.bmiHeader.biBitCount = 32;
  void* deep = plat::CreateDIBSection(nullptr, &info, plat::DIB_RGB_COLORS, nullptr, nullptr, 0);
  EXPECT_FALSE(c.SetBkBitmap(topDown));
  EXPECT_FALSE(c.SetBkBitmap(deep));
  EXPECT_EQ(c.GetBkBitmap(), own);
  EXPECT_TRUE(c.SetBkBitmap(nullptr));
  EXPECT_EQ(c.GetHandle(), nullptr);
  EXPECT_EQ(c.FCanvasWidth, 0);
  plat::DeleteObject(topDown);
  plat::DeleteObject(deep);

  // Draw and CopyBackground through a memory DC.
  c.SetCanvasSize(4, 3);
  c.FillRect(TFontRect{0, 0, 3, 0}, 0x0000FF);
  void* dc = zkwCreateMemoryDC(10, 10);
  c.Draw(dc, 2, 3);
  EXPECT_EQ(plat::GetPixel(dc, 2, 3), 0x0000FFu);
  EXPECT_EQ(plat::GetPixel(dc, 5, 4), 0xFFFFFFu);
  EXPECT_EQ(plat::GetPixel(dc, 6, 3), 0u);
  ASSERT_TRUE(c.SetBkBitmap(own));
  c.CopyBackground(dc, 1, 3);  // (1..6, 3..6) of the DC
  EXPECT_EQ(Pixel(c, 0, 0), 0u);
  EXPECT_EQ(Pixel(c, 1, 0), 0x0000FFu);
  EXPECT_EQ(Pixel(c, 1, 1), 0xFFFFFFu);
  zkwDeleteMemoryDC(dc);
  c.SetBkBitmap(nullptr);

  void* canvas = CreateDibCanvas();
  dicSetBkBitmap(canvas, own);
  FreeDibCanvas(canvas);
  plat::BITMAP bm{};
  EXPECT_EQ(plat::GetObjectW(own, sizeof bm, &bm), static_cast<int>(sizeof bm)) << "the caller's bitmap survives";
  zkwDeleteBitmap(own);
}

TEST_F(CanvasTest, ExportsRecordsAndFallbacks) {
  void* c = CreateDibCanvas();
  ASSERT_NE(c, nullptr);
  // Defaults and setters that return what they stored.
  EXPECT_EQ(dicGetBackColor(c), 0xFFFFFFu);
  EXPECT_EQ(dicGetBkMode(c), 1u);
  EXPECT_EQ(dicGetOpacity(c), 100);
  EXPECT_EQ(dicGetColor(c), 0xFFFFFFu);
  EXPECT_EQ(dicGetOutlineColor(c), 0xFFFFFFu);
  EXPECT_EQ(dicSetShadow(c, 7), 1);
  EXPECT_EQ(dicSetOpacity(c, 40), 40);
  EXPECT_EQ(dicSetScriptMode(c, 3), 3);
  EXPECT_EQ(dicSetPenWidth(c, 2), 2);
  EXPECT_EQ(dicSetTextAlignment(c, 24), 24u);
  dicSetOpacity(c, 100);
  dicSetScriptMode(c, 0);
  dicSetTextAlignment(c, 0);
  dicSetViewPort(c, 3, 4);
  EXPECT_EQ(dicGetOriginX(c) * 10 + dicGetOriginY(c), 34);
  dicSetViewPort(c, 0, 0);

  // The font record: default "Arial" 8; long names are cut to 255 units and zero-filled.
  auto* live = static_cast<const TDibCanvasFontInfo*>(dicGetFont(c));
  EXPECT_EQ(live->Size, 8);
  EXPECT_EQ(live->FaceName[0], u'A');
  TDibCanvasFontInfo info;
  std::fill(std::begin(info.FaceName), std::end(info.FaceName), u'x');  // no terminator
  info.Size = 9;
  info.Bold = 1;
  info.Italic = 0;
  info.Underline = 1;
  info.StrikeOut = 1;
  info.Color = 0x80000008u;
  dicSetFontInfo(c, &info);
  TDibCanvasFontInfo back;
  std::memset(&back, 0xEE, sizeof back);
  dicGetFontInfo(c, &back);
  EXPECT_EQ(back.FaceName[254], u'x');
  EXPECT_EQ(back.FaceName[255], 0);
  EXPECT_EQ(back.Size, 9);
  EXPECT_EQ(back.Bold + back.Underline * 2 + back.StrikeOut * 4 + back.Italic * 8, 7);
  EXPECT_EQ(back.Color, 0x80000008u);
  EXPECT_EQ(std::memcmp(live, &back, sizeof back), 0) << "dicGetFont follows the font";
  EXPECT_EQ(dicGetTextColor(c), 0x80000008u);

  // Without a manager: DrawText gives 0, TextOut draws through GDI.
  info.FaceName[0] = u'A', info.FaceName[1] = 0;
  info.Size = 12, info.Underline = 0, info.StrikeOut = 0, info.Color = 0;
  dicSetFontInfo(c, &info);
  EXPECT_EQ(dicTextWidth(c, A.c_str(), 1), 0) << "no surface";
  dicSetCanvasSize(c, 40, 30);
  EXPECT_EQ(dicDrawText(c, 0, 0, 40, 30, A.c_str(), 1, 0), 0);
  EXPECT_EQ(dicGetLineHeight(c), 0);
  EXPECT_GT(dicTextWidth(c, A.c_str(), 1), 0);
  EXPECT_GT(dicTextHeight(c), 10);
  dicTextOut(c, 2, 2, A.c_str(), 1);
  auto* dib = static_cast<TDibBaseObj*>(dicGetDib(c));
  int dark = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) dark += (dib->GetPixel(x, y) & 0xFF) < 128;
  EXPECT_GT(dark, 5) << "fallback text was drawn";

  // With a manager; a font set directly is used and never given back.
  dicSetFontManager(c, &manager);
  EXPECT_EQ(dicGetDibFont(c), nullptr) << "no bold 12 and no bold Default";
  FontBuilder fb(6, 5);
  fb.Solid(33, 5, 255);
  std::unique_ptr<TDibFont> mine = fb.Load();
  dicSetDibFont(c, mine.get());
  EXPECT_EQ(dicTextWidth(c, A.c_str(), 1), 5);
  dicSetFontManager(c, nullptr);
  FreeDibCanvas(c);
  EXPECT_EQ(mine->UsedCount, 0);

  // A 0 manager: nothing or 0.
  dfmRegisterFont(nullptr, Z("x").c_str(), 0, 0, 0, nullptr);
  EXPECT_EQ(dfmCreateFont(nullptr, nullptr, 8, 0, 0), nullptr);
  void* m = CreateDibFontManager();
  dfmRegisterFont(m, nullptr, 0, 0, 0, Z("def.dfu").c_str());
  EXPECT_EQ(dfmCreateFont(m, nullptr, 8, 0, 0), nullptr) << "FontPath is empty: no such file";
  FreeDibFontManager(m);
}
