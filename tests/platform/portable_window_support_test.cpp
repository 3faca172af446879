// What the portable back end adds for dialogs: enabling, titles, outer rectangles, finding
// windows, the monitor, the modal hook, the system colour table and lines drawn with pens.
#include <gtest/gtest.h>

#include <vector>

#include "platform/plat_window.h"

using namespace plat;

namespace {

const WCHAR kClass[] = u"ZkwSupportWindow";
LRESULT Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }

int32_t gHookCalls = 0;
int32_t CountingHook(HWND, void* data) {
  ++gHookCalls;
  return *static_cast<int32_t*>(data);
}

TEST(PortableWindowSupport, EnablingTitlesRectanglesAndMonitors) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.lpszClassName = kClass;
  ASSERT_NE(RegisterClassW(&wc), 0);
  const WCHAR title[] = u"Main";
  HWND main = CreateWindowExW(0, kClass, title, WS_VISIBLE, 10, 20, 100, 50, nullptr, nullptr,
                              nullptr, nullptr);
  HWND child = CreateWindowExW(0, kClass, nullptr, WS_CHILD, 5, 6, 10, 10, main, nullptr, nullptr,
                               nullptr);
  HWND popup = CreateWindowExW(0, kClass, u"Pop", WS_POPUP, 300, 200, 40, 30, main, nullptr,
                               nullptr, nullptr);
  // Disabled windows and their children take no input; EnableWindow answers the old state.
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_EQ(EnableWindow(main, 0), 0);
  EXPECT_EQ(EnableWindow(main, 0), 1);
  EXPECT_FALSE(IsWindowEnabled(main));
  EXPECT_FALSE(InjectInput(main, WM_LBUTTONDOWN, 0, 0));
  EXPECT_FALSE(InjectInput(child, WM_KEYDOWN, VK_RETURN, 0));
  EXPECT_TRUE(InjectInput(popup, WM_KEYDOWN, VK_RETURN, 0));  // owned, not a child
  EXPECT_EQ(EnableWindow(main, 1), 1);
  EXPECT_TRUE(InjectInput(child, WM_KEYDOWN, VK_RETURN, 0));
  PumpMessages();
  // Outer rectangles in screen coordinates: a child inside its parent, a pop-up on its own.
  RECT r{};
  ASSERT_TRUE(GetWindowRect(child, &r));
  EXPECT_EQ(r.left * 1000 + r.top, 15026);
  ASSERT_TRUE(GetWindowRect(popup, &r));
  EXPECT_EQ(r.left * 1000 + r.top, 300200);
  EXPECT_EQ(r.right * 1000 + r.bottom, 340230);
  // Titles.
  WCHAR buffer[8];
  EXPECT_EQ(GetWindowTextW(main, buffer, 8), 4);
  EXPECT_EQ(buffer[3], u'n');
  const WCHAR longer[] = u"A longer title";
  EXPECT_TRUE(SetWindowTextW(main, longer));
  EXPECT_EQ(GetWindowTextW(main, buffer, 8), 7);
  EXPECT_EQ(buffer[7], 0);
  // Finding top-level windows by class and title (case-blind class names).
  EXPECT_EQ(FindWindowW(u"zkwsupportwindow", u"Pop"), popup);
  EXPECT_EQ(FindWindowW(nullptr, longer), main);
  EXPECT_EQ(FindWindowW(kClass, u"Nothing"), nullptr);
  // One monitor: the screen.
  HMONITOR m = MonitorFromWindow(popup, MONITOR_DEFAULTTONEAREST);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  ASSERT_TRUE(GetMonitorInfoW(m, &mi));
  EXPECT_EQ(mi.rcMonitor.right * 1000 + mi.rcMonitor.bottom, 1024768);
  EXPECT_EQ(mi.dwFlags, MONITORINFOF_PRIMARY);
  mi.cbSize = 4;
  EXPECT_FALSE(GetMonitorInfoW(m, &mi));
  // Destroying the owner destroys its pop-up.
  DestroyWindow(main);
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_FALSE(IsWindow(child));
  UnregisterClassW(kClass, nullptr);
}

TEST(PortableWindowSupport, ModalHookAndSystemColours) {
  gHookCalls = 0;
  EXPECT_FALSE(ModalIdle(nullptr));  // no hook: give up
  int32_t answer = 1;
  SetModalHook(CountingHook, &answer);
  EXPECT_TRUE(ModalIdle(nullptr));
  answer = 0;
  EXPECT_FALSE(ModalIdle(nullptr));
  SetModalHook(nullptr, nullptr);
  EXPECT_FALSE(ModalIdle(nullptr));
  EXPECT_EQ(gHookCalls, 2);
  // The table of system colours 0..30; 0 beyond.
  const struct {
    int index;
    COLORREF colour;
  } colours[] = {{0, RGB(200, 200, 200)}, {5, RGB(255, 255, 255)}, {8, 0},
                 {13, RGB(0, 120, 215)},   {15, RGB(240, 240, 240)}, {16, RGB(160, 160, 160)},
                 {24, RGB(255, 255, 225)}, {30, RGB(240, 240, 240)}, {31, 0}, {-1, 0}};
  for (const auto& c : colours) EXPECT_EQ(GetSysColor(c.index), c.colour) << c.index;
}

TEST(PortableWindowSupport, LinesWithPensAndDrawingModes) {
  BITMAPINFO bi{};
  bi.bmiHeader = {40, 8, -6, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP section = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, section);
  auto rows = [&](COLORREF c) {
    std::vector<std::string> out;
    for (int y = 0; y < 6; ++y) {
      std::string r;
      for (int x = 0; x < 8; ++x) r += GetPixel(dc, x, y) == c ? '#' : '.';
      out.push_back(r);
    }
    return out;
  };
  // Thin lines leave the end out, also when drawn right to left.
  HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HGDIOBJ stock = SelectObject(dc, red);
  MoveToEx(dc, 0, 0, nullptr);
  EXPECT_TRUE(LineTo(dc, 7, 2));
  POINT at{};
  GetCurrentPositionEx(dc, &at);
  EXPECT_EQ(at.x * 10 + at.y, 72);
  MoveToEx(dc, 7, 5, nullptr);
  LineTo(dc, 0, 3);
  EXPECT_EQ(rows(RGB(255, 0, 0)), (std::vector<std::string>{"##......", "..####..", "......#.",
                                                            ".#......", "..####..", "......##"}));
  // The drawing mode combines the pen with the pixels: XOR twice restores them.
  SetROP2(dc, R2_XORPEN);
  MoveToEx(dc, 0, 0, nullptr);
  LineTo(dc, 2, 0);
  EXPECT_EQ(GetPixel(dc, 0, 0), 0u);
  EXPECT_EQ(GetPixel(dc, 1, 0), 0u);
  EXPECT_EQ(GetPixel(dc, 2, 0), 0u);  // the end: untouched
  // A null pen only moves the position.
  HPEN none = CreatePen(PS_NULL, 1, 0);
  SelectObject(dc, none);
  SetROP2(dc, R2_COPYPEN);
  MoveToEx(dc, 0, 5, nullptr);
  LineTo(dc, 1, 5);
  EXPECT_EQ(GetPixel(dc, 0, 5), 0u);
  SelectObject(dc, stock);
  DeleteObject(red);
  DeleteObject(none);
  EXPECT_FALSE(LineTo(nullptr, 1, 1));
  SelectObject(dc, old);
  DeleteObject(section);
  DeleteDC(dc);
}

}  // namespace
