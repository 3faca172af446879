// GDI helpers and button images: fonts from point sizes, boxes, lines, frames, shadowed text,
// bitmap blits, and the radio-button cells drawn into DIB objects.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <vector>

#include "colour/gdi_helpers.h"
#include "dib/dib24.h"
#include "exports/zkwgdi32.h"

namespace {

using namespace zkw;

struct Canvas {
  Canvas(int w, int h, uint32_t fill = 0xFFFFFF) : width(w), height(h), dc(zkwCreateMemoryDC(w, h)) {
    zkw::FillBox(dc, 0, 0, w, h, fill);
  }
  ~Canvas() { zkwDeleteMemoryDC(dc); }
  uint32_t At(int x, int y) const { return plat::GetPixel(dc, x, y); }
  // The grid of pixels equal to `colour` ('#') or not ('.'), row by row.
  std::vector<std::string> Mask(uint32_t colour) const {
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
      std::string r;
      for (int x = 0; x < width; ++x) r += At(x, y) == colour ? '#' : '.';
      rows.push_back(r);
    }
    return rows;
  }
  int width, height;
  void* dc;
};

using Rows = std::vector<std::string>;

TEST(GdiHelpers, FontRecordsFromPointSizes) {
  Canvas c(1, 1);
  plat::LOGFONTW lf;
  const plat::WCHAR face[] = {'A', 'r', 'i', 'a', 'l', 0};
  zkw::GetFont(c.dc, &lf, face, 12, 1, 1, 0);
  EXPECT_EQ(lf.lfHeight, -16);  // 12 points at 96 pixels per inch
  EXPECT_EQ(lf.lfWeight, 700);
  EXPECT_EQ(lf.lfItalic, 1);
  EXPECT_EQ(lf.lfUnderline, 0);
  EXPECT_EQ(lf.lfFaceName[4], 'l');
  EXPECT_EQ(lf.lfFaceName[5], 0);
  zkw::GetFont(c.dc, &lf, face, 9, 0, 0, 1);
  EXPECT_EQ(lf.lfHeight, -12);
  EXPECT_EQ(lf.lfWeight, 400);
  // Face names are cut to 31 units and a terminator.
  std::vector<plat::WCHAR> longName(40, 'x');
  longName.push_back(0);
  zkw::GetFont(c.dc, &lf, longName.data(), 10, 0, 0, 0);
  EXPECT_EQ(lf.lfFaceName[30], 'x');
  EXPECT_EQ(lf.lfFaceName[31], 0);
  EXPECT_EQ(lf.lfHeight, -13);  // Round(13.33)
  plat::HFONT f = zkw::CreatePhysFont(c.dc, face, 12, 0, 0, 0);
  ASSERT_NE(f, nullptr);
  plat::DeleteObject(f);
  ::GetFont(c.dc, nullptr, face, 12, 0, 0, 0);  // no record: nothing
}

TEST(GdiHelpers, BoxesLinesAndFrames) {
  Canvas c(12, 8);
  zkw::FillBox(c.dc, 1, 1, 4, 3, 0x0000FF);  // right and bottom excluded
  zkw::Line(c.dc, 5, 1, 9, 1, 1, 0x00FF00);  // end excluded
  zkw::Line(c.dc, 5, 3, 8, 6, 1, 0x00FF00);
  EXPECT_EQ(c.Mask(0x0000FF), (Rows{"............", ".###........", ".###........", "............",
                                    "............", "............", "............", "............"}));
  EXPECT_EQ(c.Mask(0x00FF00), (Rows{"............", ".....####...", "............", ".....#......",
                                    "......#.....", ".......#....", "............", "............"}));
  // A wide pen: round caps reach half the width past both ends.
  Canvas w(12, 7);
  zkw::Line(w.dc, 3, 3, 8, 3, 3, 0);
  EXPECT_EQ(w.Mask(0), (Rows{"............", "............", "..########..", "..########..",
                             "..########..", "............", "............"}));
  // Where the ideal line passes between two pixels the smaller coordinate is taken, in either
  // direction (the platform's pixels).
  const struct {
    int x1, y1, x2, y2;
    Rows mask;
  } ties[] = {{0, 0, 4, 2, {"##...", "..##.", "....."}},
              {4, 2, 0, 0, {".#...", "..##.", "....#"}},
              {0, 2, 4, 0, {"...#.", ".##..", "#...."}},
              {0, 0, 2, 4, {"#....", "#....", ".#...", ".#...", "....."}}};
  for (const auto& t : ties) {
    Canvas m(5, static_cast<int>(t.mask.size()));
    zkw::Line(m.dc, t.x1, t.y1, t.x2, t.y2, 1, 0);
    EXPECT_EQ(m.Mask(0), t.mask) << t.x1 << "," << t.y1 << " to " << t.x2 << "," << t.y2;
  }
  // The frame's four sides, closed.
  Canvas f(7, 6);
  zkw::DisplayRect(f.dc, 1, 1, 5, 4, 1, 0);
  EXPECT_EQ(f.Mask(0), (Rows{".......", ".#####.", ".#...#.", ".#...#.", ".#####.", "......."}));
}

TEST(GdiHelpers, DipFrameStaysInsideItsRectangle) {
  Canvas c(12, 12);
  const uint32_t C1 = 0x111111, C2 = 0x222222, C3 = 0x333333;
  zkw::DrawDipRectColor(c.dc, 0, 0, 10, 10, C1, C2, C3);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(c.At(10, i), 0xFFFFFFu) << i;
    EXPECT_EQ(c.At(i, 10), 0xFFFFFFu) << i;
  }
  EXPECT_EQ(c.At(0, 0), C1);
  EXPECT_EQ(c.At(9, 0), C1);
  EXPECT_EQ(c.At(0, 9), C1);
  EXPECT_EQ(c.At(9, 9), C2);
  EXPECT_EQ(c.At(9, 1), C2);
  EXPECT_EQ(c.At(1, 9), C2);
  EXPECT_EQ(c.At(1, 1), C3);
  EXPECT_EQ(c.At(8, 1), C3);
  EXPECT_EQ(c.At(1, 8), C3);
  EXPECT_EQ(c.At(8, 8), C1);
  EXPECT_EQ(c.At(2, 8), C1);
  EXPECT_EQ(c.At(8, 2), C1);
  EXPECT_EQ(c.At(2, 2), 0xFFFFFFu);
}

TEST(GdiHelpers, ShadowedTextAndBitmaps) {
  Canvas c(60, 30);
  const plat::WCHAR face[] = {'A', 'r', 'i', 'a', 'l', 0}, text[] = {'H', 'I', 0};
  plat::HFONT font = zkw::CreatePhysFont(c.dc, face, 14, 1, 0, 0);
  plat::HGDIOBJ before = plat::GetCurrentObject(c.dc, plat::OBJ_FONT);
  EXPECT_EQ(zkw::TextShadow(c.dc, 4, 2, text, 0x0000FF, 0x00FF00, font, 3), before);
  EXPECT_EQ(plat::GetCurrentObject(c.dc, plat::OBJ_FONT), before);
  std::set<uint32_t> seen;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) seen.insert(c.At(x, y));
  EXPECT_TRUE(seen.count(0x0000FF));  // the text
  EXPECT_TRUE(seen.count(0x00FF00));  // its shadow, left showing below and right of it
  // Formatted: the text centred in the rectangle, the shadow moved by 2.
  Canvas d(60, 30);
  EXPECT_EQ(zkw::DrawTextShadow(d.dc, 0, 0, 60, 30, text, 0x0000FF, 0x00FF00, font, 2,
                           plat::DT_CENTER | plat::DT_VCENTER | plat::DT_SINGLELINE),
            before);
  int left = 60, right = -1;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x)
      if (d.At(x, y) == 0x0000FF) left = std::min(left, x), right = std::max(right, x);
  ASSERT_GE(right, left);
  EXPECT_LE(std::abs((left + right) - 60), 3);  // centred
  plat::DeleteObject(font);

  // A 2 x 2 device bitmap blitted as it is and doubled.
  plat::HDC screen = plat::GetDC(nullptr);
  plat::HBITMAP bm = plat::CreateCompatibleBitmap(screen, 2, 2);
  plat::ReleaseDC(nullptr, screen);
  plat::HDC mem = plat::CreateCompatibleDC(nullptr);
  plat::HGDIOBJ old = plat::SelectObject(mem, bm);
  plat::SetPixel(mem, 0, 0, 0x0000FF);
  plat::SetPixel(mem, 1, 0, 0x00FF00);
  plat::SetPixel(mem, 0, 1, 0xFF0000);
  plat::SetPixel(mem, 1, 1, 0x000000);
  plat::SelectObject(mem, old);
  plat::DeleteDC(mem);
  Canvas b(8, 8);
  zkw::PutBitmap(b.dc, 1, 1, bm, nullptr, 0);
  EXPECT_EQ(b.At(1, 1), 0x0000FFu);
  EXPECT_EQ(b.At(2, 2), 0u);
  EXPECT_EQ(b.At(3, 1), 0xFFFFFFu);
  zkw::PutStretchBitmap(b.dc, 4, 4, 4, 4, 1, 1, bm, nullptr, 0);
  EXPECT_EQ(b.Mask(0x00FF00)[4], "......##");
  EXPECT_EQ(b.Mask(0xFF0000)[7], "....##..");
  // Mx = 0: an empty source draws nothing.
  Canvas e(4, 4);
  zkw::PutStretchBitmap(e.dc, 0, 0, 4, 4, 0, 1, bm, nullptr, 0);
  EXPECT_EQ(e.Mask(0xFFFFFF), Rows(4, "####"));
  plat::DeleteObject(bm);
}

TEST(GdiHelpers, RadioButtonCellsAndStates) {
  void* image = kwgdiLoadRadioButtonImage();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(dibGetWidth(image), 39);
  EXPECT_EQ(dibGetHeight(image), 13);
  void* sys = kwgdiLoadSysButtonImage();
  ASSERT_NE(sys, nullptr);
  EXPECT_EQ(dibGetWidth(sys) * 1000 + dibGetHeight(sys), 80064);
  FreeDibObject(sys);
  auto draw = [&](uint32_t state) {
    auto t = std::make_unique<TDib24Bits>();
    t->SetAttributes(13, 13);
    t->Bar(0, 0, 12, 12, 0xFFFFFF);
    kwgdiDrawRadioButton(image, t.get(), 0, 0, state);
    return t;
  };
  // States 0-2: the cell state x 13 drawn with its alpha; 3 and 4: the unchecked and checked
  // cells blended at 50 percent.
  auto direct = [&](int32_t cell, bool merged) {
    auto t = std::make_unique<TDib24Bits>();
    t->SetAttributes(13, 13);
    t->Bar(0, 0, 12, 12, 0xFFFFFF);
    if (merged) t->DrawMerge(0, 0, static_cast<TDibBaseObj*>(image), cell, 0, 13, 13, 1, 1, 50);
    else t->DrawPeace(0, 0, static_cast<TDibBaseObj*>(image), cell, 0, 13, 13, 1, 1);
    return t;
  };
  const struct {
    uint32_t state;
    int32_t cell;
    bool merged;
  } states[] = {{0, 0, false}, {1, 13, false}, {2, 26, false}, {3, 0, true}, {4, 26, true}};
  for (const auto& s : states) {
    auto got = draw(s.state), want = direct(s.cell, s.merged);
    for (int y = 0; y < 13; ++y)
      for (int x = 0; x < 13; ++x)
        ASSERT_EQ(got->GetPixelEx(x, y), want->GetPixelEx(x, y)) << s.state << " at " << x << ", " << y;
  }
  auto unchecked = draw(0), pressed = draw(1), checked = draw(2), on = draw(4);
  EXPECT_EQ(checked->GetPixelEx(6, 6), 0u);         // the dot
  EXPECT_EQ(checked->GetPixelEx(0, 0), 0xFFFFFFu);  // outside: transparent
  EXPECT_GT(unchecked->GetPixelEx(6, 6) & 0xFF, pressed->GetPixelEx(6, 6) & 0xFF);
  EXPECT_GT(on->GetPixelEx(6, 6) & 0xFF, 0x40u);  // the dot at half strength
  EXPECT_LT(on->GetPixelEx(6, 6) & 0xFF, 0xC0u);
  uint32_t edge = checked->GetPixelEx(4, 0) & 0xFF;  // the soft edge lets the white through
  EXPECT_GT(edge, checked->GetPixelEx(6, 1) & 0xFF);
  EXPECT_LT(edge, 0xFFu);
  // Other states, no image or no target: nothing.
  auto other = draw(5);
  EXPECT_EQ(other->GetPixelEx(6, 1), 0xFFFFFFu);
  uint32_t before = unchecked->GetPixelEx(6, 6);
  kwgdiDrawRadioButton(nullptr, unchecked.get(), 0, 0, 2);
  kwgdiDrawRadioButton(image, nullptr, 0, 0, 2);
  EXPECT_EQ(unchecked->GetPixelEx(6, 6), before);
  kwgdiFreeRadioButtonImage(image);
  kwgdiFreeRadioButtonImage(nullptr);
  EXPECT_EQ(AdvInstance(), zkwLibraryModule());
}

}  // namespace
