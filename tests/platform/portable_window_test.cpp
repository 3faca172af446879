// The portable window layer: classes and procedures, properties, the queue, timers on the manual
// clock, painting onto the window surface, focus and capture, injected input, subclassing.
#include <gtest/gtest.h>

#include <vector>

#include "platform/plat_window.h"

using namespace plat;

namespace {

const WCHAR kClass[] = u"ZkwTestWindow";
std::vector<UINT> gSeen;
int gTimerTicks = 0;

LRESULT TestProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  gSeen.push_back(msg);
  if (msg == WM_TIMER) ++gTimerTicks;
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    RECT r{0, 0, 2, 1};
    HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    EndPaint(wnd, &ps);
    return 0;
  }
  if (msg == WM_USER + 5) return static_cast<LRESULT>(wParam + 2 * lParam);
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

LRESULT gOldProcResult = 0;
WNDPROC gOld = nullptr;
LRESULT Subclass(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_USER + 6) return 99;
  gOldProcResult = CallWindowProcW(gOld, wnd, msg, wParam, lParam);
  return gOldProcResult;
}

struct PortableWindow : ::testing::Test {
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = TestProc;
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    UseManualClock(1);
    gSeen.clear();
    gTimerTicks = 0;
    wnd = CreateWindowExW(0, kClass, nullptr, WS_VISIBLE, 10, 20, 4, 3, nullptr, nullptr, nullptr,
                          nullptr);
    ASSERT_NE(wnd, nullptr);
  }
  void TearDown() override {
    DestroyWindow(wnd);
    PumpMessages();
    UseManualClock(0);
    UnregisterClassW(kClass, nullptr);
  }
  HWND wnd = nullptr;
};

}  // namespace

TEST_F(PortableWindow, CreationSendsCreateAndSizeAndDestructionForgetsTheWindow) {
  EXPECT_EQ(gSeen.at(0), WM_CREATE);
  EXPECT_EQ(gSeen.at(1), WM_SIZE);
  RECT r{};
  ASSERT_TRUE(GetClientRect(wnd, &r));
  EXPECT_EQ(r.right, 4);
  EXPECT_EQ(r.bottom, 3);
  POINT p{1, 1};
  ClientToScreen(wnd, &p);
  EXPECT_EQ(p.x, 11);
  EXPECT_EQ(p.y, 21);
  EXPECT_EQ(CreateWindowExW(0, u"NoSuchClass", nullptr, 0, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                            nullptr),
            nullptr);
  HWND other = CreateWindowExW(0, kClass, nullptr, 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_FALSE(IsWindowVisible(other));
  EXPECT_TRUE(DestroyWindow(other));
  EXPECT_FALSE(IsWindow(other));
  EXPECT_EQ(SendMessageW(other, WM_USER + 5, 1, 1), 0);
  EXPECT_FALSE(DestroyWindow(other));
}

TEST_F(PortableWindow, PropertiesMessagesAndSubclassing) {
  EXPECT_TRUE(SetPropW(wnd, u"DibanObj", reinterpret_cast<HANDLE>(0x1234)));
  EXPECT_EQ(GetPropW(wnd, u"DIBANOBJ"), reinterpret_cast<HANDLE>(0x1234));
  EXPECT_EQ(RemovePropW(wnd, u"dibanobj"), reinterpret_cast<HANDLE>(0x1234));
  EXPECT_EQ(GetPropW(wnd, u"DIBANOBJ"), nullptr);

  EXPECT_EQ(SendMessageW(wnd, WM_USER + 5, 3, 4), 11);
  gOld = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Subclass)));
  EXPECT_EQ(gOld, TestProc);
  EXPECT_EQ(SendMessageW(wnd, WM_USER + 6, 0, 0), 99);
  EXPECT_EQ(SendMessageW(wnd, WM_USER + 5, 1, 1), 3);
  EXPECT_EQ(gOldProcResult, 3);

  gSeen.clear();
  PostMessageW(wnd, WM_USER + 7, 0, 0);
  EXPECT_TRUE(gSeen.empty());  // posted messages wait for the pump
  EXPECT_GE(PumpMessages(), 1);
  EXPECT_NE(std::find(gSeen.begin(), gSeen.end(), WM_USER + 7), gSeen.end());
}

TEST_F(PortableWindow, TimersFireAtEveryDueMomentOfTheManualClock) {
  PumpMessages();
  ASSERT_EQ(SetTimer(wnd, 1, 25, nullptr), 1u);
  AdvanceClock(24);
  EXPECT_EQ(gTimerTicks, 0);
  AdvanceClock(1);
  EXPECT_EQ(gTimerTicks, 1);
  AdvanceClock(100);
  EXPECT_EQ(gTimerTicks, 5);
  KillTimer(wnd, 1);
  AdvanceClock(100);
  EXPECT_EQ(gTimerTicks, 5);
}

TEST_F(PortableWindow, PaintingDrawsOnTheSurfaceTheHostReads) {
  InvalidateRect(wnd, nullptr, 0);
  PumpMessages();
  std::vector<uint8_t> px(4 * 4 * 3, 0xEE);
  ASSERT_TRUE(CopyWindowPixels(wnd, px.data(), 4, 3, 16));
  EXPECT_EQ(px[0], 30);  // blue, green, red of the top-left pixel
  EXPECT_EQ(px[1], 20);
  EXPECT_EQ(px[2], 10);
  EXPECT_EQ(px[8], 0);   // the third pixel of the top row was not painted
  EXPECT_FALSE(CopyWindowPixels(wnd, px.data(), 5, 3, 20));  // the size must match

  MoveWindow(wnd, 10, 20, 6, 2, 1);
  std::vector<uint8_t> wide(6 * 4 * 2);
  EXPECT_TRUE(CopyWindowPixels(wnd, wide.data(), 6, 2, 24));
}

TEST_F(PortableWindow, InjectedInputSetsCursorButtonsAndKeys) {
  InjectInput(wnd, WM_LBUTTONDOWN, MK_LBUTTON, (2 << 16) | 3);
  POINT p{};
  GetCursorPos(&p);
  EXPECT_EQ(p.x, 13);
  EXPECT_EQ(p.y, 22);
  EXPECT_NE(GetAsyncKeyState(0x01) & 0x8000, 0);
  InjectInput(wnd, WM_KEYDOWN, 0x25, 0);
  EXPECT_NE(GetKeyState(0x25) & 0x8000, 0);
  InjectInput(wnd, WM_KEYUP, 0x25, 0);
  InjectInput(wnd, WM_LBUTTONUP, 0, (2 << 16) | 3);
  EXPECT_EQ(GetAsyncKeyState(0x25) & 0x8000, 0);
  EXPECT_EQ(GetAsyncKeyState(0x01) & 0x8000, 0);
  gSeen.clear();
  PumpMessages();
  EXPECT_EQ(std::count(gSeen.begin(), gSeen.end(), WM_LBUTTONDOWN), 1);
  EXPECT_EQ(std::count(gSeen.begin(), gSeen.end(), WM_KEYUP), 1);

  EXPECT_EQ(SetFocus(wnd), nullptr);
  EXPECT_EQ(GetFocus(), wnd);
  SetCapture(wnd);
  EXPECT_EQ(GetCapture(), wnd);
  ReleaseCapture();
  EXPECT_EQ(GetCapture(), nullptr);
}
