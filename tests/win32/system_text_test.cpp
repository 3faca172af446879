// System-font text of a scene's label drawn by the real GDI: a scene made by `zkw scene build`
// from data/system_text.json (a white sheet and the bold navy label "Hello" at (8, 8), 140 x 32)
// is loaded into a player window and one frame is drawn without action; the frame buffer then
// holds the text inside the label's box and nothing outside it.
#include <gtest/gtest.h>

#include "zkw_dll.h"  // the library's headers first: windows.h after them, as in the library

namespace {

std::wstring BesideTheProgram(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L"\\/") + 1) + name;
}

bool IsNavy(uint32_t pixel) {
  uint32_t c[3] = {pixel & 0xFF, (pixel >> 8) & 0xFF, (pixel >> 16) & 0xFF};
  int dark = 0, mid = 0;
  for (uint32_t v : c) {
    dark += v <= 0x20;
    mid += v >= 0x60 && v <= 0xA0;
  }
  return dark == 2 && mid == 1;
}

}  // namespace

TEST(SystemText, LabelDrawnWithTheSystemFontInsideItsBox) {
  ZKW(DAGetSysVersion);  // loads the DLL, which registers the player class
  HWND wnd = CreateWindowExW(0, L"zelvantoriumDIBANPlayer32Window2011", L"", WS_POPUP, 0, 0, 160, 48, nullptr,
                             nullptr, nullptr, nullptr);
  ASSERT_NE(wnd, nullptr);
  std::wstring scene = BesideTheProgram(L"system_text.dan");
  ASSERT_EQ(SendMessageW(wnd, 1041, 0, reinterpret_cast<LPARAM>(scene.c_str())), 0);
  SendMessageW(wnd, 1053, 0, 0);  // one frame, no action
  auto frame = reinterpret_cast<ZHANDLE>(SendMessageW(wnd, 1064, 0, 0));
  ASSERT_NE(frame, ZHANDLE{});
  ASSERT_EQ(ZKW(dibGetWidth)(frame), 160);

  int inked = 0, navy = 0, outside = 0, left = 160, right = -1;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 160; ++x) {
      uint32_t pixel = ZKW(dibGetPixel)(frame, x, y) & 0xFFFFFF;
      if (pixel == 0xFFFFFF) continue;
      bool inBox = x >= 8 && x < 148 && y >= 8 && y < 40;
      if (!inBox) {
        ++outside;
        continue;
      }
      ++inked;
      navy += IsNavy(pixel);
      left = std::min(left, x);
      right = std::max(right, x);
    }
  EXPECT_EQ(outside, 0);
  EXPECT_GT(inked, 100);  // five bold letters of 18 points
  EXPECT_GT(navy, 40);    // the glyphs' cores are the label's colour
  EXPECT_LE(left, 12);    // left-aligned at the box's edge
  EXPECT_GT(right, 40);   // "Hello" is wider than 32 pixels, narrower than the box
  EXPECT_LT(right, 120);
  EXPECT_TRUE(DestroyWindow(wnd));
}
