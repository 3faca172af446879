// The player window on the real window system: the class the DLL registers when it loads, the
// window object kept in its property, messages answered by it, and frames composed on the
// system's timer.
#include <gtest/gtest.h>

#include "zkw_dll.h"  // the library's headers first: windows.h after them, as in the library

namespace {

int gComposed = 0;
WNDPROC gPlayerProc = nullptr;

LRESULT CALLBACK CountFrames(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == 1044) ++gComposed;
  return CallWindowProcW(gPlayerProc, wnd, msg, wp, lp);
}

}  // namespace

TEST(PlayerWindow, RegisteredClassWindowObjectAndTimer) {
  ZKW(DAGetSysVersion);  // loads the DLL, which registers the class
  EXPECT_EQ(ZKW(DAGetSysVersion)(), 0x90000);
  const wchar_t* kClass = L"zelvantoriumDIBANPlayer32Window2011";
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetClassInfoExW(static_cast<HINSTANCE>(ZKW(zkwLibraryModule)()), kClass, &info));
  EXPECT_EQ(info.style, 16392u);

  HWND wnd = CreateWindowExW(0, kClass, L"", WS_POPUP | WS_VISIBLE, 0, 0, 64, 48, nullptr, nullptr,
                             nullptr, nullptr);
  ASSERT_NE(wnd, nullptr);
  EXPECT_NE(GetPropW(wnd, L"DIBANOBJ"), nullptr);
  EXPECT_NE(SendMessageW(wnd, 1025, 0, 0), 0);
  EXPECT_EQ(SendMessageW(wnd, 1031, 0, 0), 40);
  EXPECT_EQ(SendMessageW(wnd, WM_GETDLGCODE, 0, 0), 133);
  EXPECT_EQ(SendMessageW(wnd, 1041, 0, reinterpret_cast<LPARAM>(L"C:\\no\\such\\scene.dan")), -1);

  gPlayerProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountFrames)));
  SendMessageW(wnd, 1028, 1, 0);
  EXPECT_EQ(SendMessageW(wnd, 1027, 0, 0), 1);
  DWORD end = GetTickCount() + 400;
  MSG msg;
  while (static_cast<int32_t>(end - GetTickCount()) > 0) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(5);
  }
  SendMessageW(wnd, 1028, 0, 0);
  EXPECT_GT(gComposed, 2);  // 25 ms frames on the system timer
  EXPECT_TRUE(DestroyWindow(wnd));
}
