// The smoothed line through a device context: each drawing mode's mixing, exact pixel values
// (read as colour values, as the line is given its colour).
#include <gtest/gtest.h>

#include <climits>

#include "dib/dib24.h"
#include "platform/plat_gdi.h"
#include "script/smooth_line.h"

namespace {

using zkw::TDib24Bits;

constexpr uint32_t kBack = 0xC83264;   // channels 200, 50, 100
constexpr uint32_t kColor = 0x1080F0;  // channels 16, 128, 240

struct LineCase {
  int Mode;
  uint32_t OnLine;  // weight 1: on the line
  uint32_t Beside;  // weight 0.272: one pixel off the line
};

TEST(SmoothLine, EachDrawingModeMixesItsOwnWay) {
  const LineCase cases[] = {
      // Adding w x colour, channels limited to 255.
      {plat::R2_MERGEPEN, 0xD8B2FF, 0xCC55A5},
      {plat::R2_WHITE, 0xFFFFFF, 0xFF77A9},
      {plat::R2_MERGENOTPEN, 0xFFB173, 0xFF5568},  // inverted colour 0xEF7F0F
      // Moving towards the colour by w.
      {plat::R2_COPYPEN, kColor, 0x96478A},
      {plat::R2_BLACK, 0x000000, 0x922449},
      {plat::R2_NOTCOPYPEN, 0xEF7F0F, 0xD3474D},
      // Drawing nothing.
      {plat::R2_XORPEN, kBack, kBack},
      {plat::R2_NOP, kBack, kBack},
      {plat::R2_NOT, kBack, kBack},
      {plat::R2_MASKPEN, kBack, kBack},
      {plat::R2_MERGEPENNOT, kBack, kBack},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.Mode);
    TDib24Bits dib;
    dib.SetAttributes(20, 7);
    dib.Bar(0, 0, 19, 6, kBack);
    plat::HDC dc = plat::CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    plat::SetROP2(dc, c.Mode);
    plat::MoveToEx(dc, 2, 2, nullptr);
    zkw::SmoothLine(dc, dib, 14, 2, kColor, 1);
    EXPECT_EQ(dib.GetPixelEx(8, 2), c.OnLine);
    EXPECT_EQ(dib.GetPixelEx(8, 3), c.Beside);
    EXPECT_EQ(dib.GetPixelEx(8, 1), c.Beside);
    EXPECT_EQ(dib.GetPixelEx(8, 4), kBack);    // two pixels off: weight 0
    EXPECT_EQ(dib.GetPixelEx(17, 2), kBack);   // past the end point
    EXPECT_EQ(dib.GetPixelEx(2, 2), c.OnLine);  // the start cap
    plat::POINT at{};
    plat::GetCurrentPositionEx(dc, &at);
    EXPECT_EQ(at.x, 14);
    EXPECT_EQ(at.y, 2);
    plat::DeleteDC(dc);
  }
}

TEST(SmoothLine, NullPenDrawsNothingAndWidthWidensTheBand) {
  TDib24Bits dib;
  dib.SetAttributes(20, 9);
  dib.Bar(0, 0, 19, 8, kBack);
  plat::HDC dc = plat::CreateCompatibleDC(nullptr);
  plat::HPEN none = plat::CreatePen(plat::PS_NULL, 1, 0);
  plat::HGDIOBJ old = plat::SelectObject(dc, none);
  plat::MoveToEx(dc, 2, 4, nullptr);
  zkw::SmoothLine(dc, dib, 14, 4, kColor, 1);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(dib.GetPixelEx(x, y), kBack) << x << "," << y;
  plat::POINT at{};
  plat::GetCurrentPositionEx(dc, &at);
  EXPECT_EQ(at.x, 14);  // the pen still moves
  // A solid pen again, width 3: the pixel two off the line now has weight
  // 1 - (2 - 1.53 + 0.42) / 1.25 = 0.288 (copy-pen: 200 + (16 - 200) x 0.288 = 147 and so on).
  plat::SelectObject(dc, old);
  plat::MoveToEx(dc, 2, 4, nullptr);
  zkw::SmoothLine(dc, dib, 14, 4, kColor, 3);
  EXPECT_EQ(dib.GetPixelEx(9, 4), kColor);
  EXPECT_EQ(dib.GetPixelEx(9, 5), kColor);  // weight 1.04 limited to 1
  EXPECT_EQ(dib.GetPixelEx(9, 6), 0x93488Cu);
  EXPECT_EQ(dib.GetPixelEx(9, 7), kBack);
  plat::DeleteObject(none);
  plat::DeleteDC(dc);
}

TEST(SmoothLine, EndsAndWidthsNearTheIntegerLimitsStayInThePicture) {
  TDib24Bits dib;
  dib.SetAttributes(6, 5);
  plat::HDC dc = plat::CreateCompatibleDC(nullptr);
  // Across the whole integer range, width 1: the row of the line only.
  dib.Bar(0, 0, 5, 4, kBack);
  plat::MoveToEx(dc, INT32_MIN, 2, nullptr);
  zkw::SmoothLine(dc, dib, INT32_MAX, 2, kColor, 1);
  for (int x = 0; x < 6; ++x) {
    EXPECT_EQ(dib.GetPixelEx(x, 2), kColor) << x;
    EXPECT_EQ(dib.GetPixelEx(x, 0), kBack) << x;
  }
  // The widest pen covers the picture.
  dib.Bar(0, 0, 5, 4, kBack);
  plat::MoveToEx(dc, 1, 1, nullptr);
  zkw::SmoothLine(dc, dib, INT32_MAX, INT32_MIN, kColor, INT32_MAX);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(dib.GetPixelEx(x, y), kColor) << x << "," << y;
  plat::DeleteDC(dc);
}

}  // namespace
