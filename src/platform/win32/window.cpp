// Windows back end of window management: direct calls of the real functions, plus the host
// support that only makes sense on the portable back end (the clock cannot be replaced here).
#include <vector>

#include "platform/win32/win32_api.h"

// On 32-bit Windows these are macros for the 32-bit functions.
#ifdef SetWindowLongPtrW
#undef SetWindowLongPtrW
#endif
#ifdef GetWindowLongPtrW
#undef GetWindowLongPtrW
#endif

namespace plat {

namespace {
::HWND W(HWND window) { return static_cast<::HWND>(window); }
}  // namespace

ATOM RegisterClassW(const WNDCLASSW* wc) {
  return ::RegisterClassW(reinterpret_cast<const ::WNDCLASSW*>(wc));
}
BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance) {
  return ::UnregisterClassW(className, static_cast<::HINSTANCE>(instance));
}
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     void* param) {
  return ::CreateWindowExW(exStyle, className, windowName, style, x, y, width, height, W(parent),
                           static_cast<::HMENU>(menu), static_cast<::HINSTANCE>(instance), param);
}
BOOL DestroyWindow(HWND window) { return ::DestroyWindow(W(window)); }
BOOL IsWindow(HWND window) { return ::IsWindow(W(window)); }
BOOL IsWindowVisible(HWND window) { return ::IsWindowVisible(W(window)); }
BOOL ShowWindow(HWND window, int cmd) { return ::ShowWindow(W(window), cmd); }
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  return ::MoveWindow(W(window), x, y, width, height, repaint);
}
LRESULT DefWindowProcW(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(W(window), msg, wParam, lParam);
}
LRESULT CallWindowProcW(WNDPROC proc, HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcW(reinterpret_cast<::WNDPROC>(proc), W(window), msg, wParam, lParam);
}
LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
#ifdef _WIN64
  return ::SetWindowLongPtrW(W(window), index, value);
#else
  return ::SetWindowLongW(W(window), index, static_cast<LONG>(value));
#endif
}
LONG_PTR GetWindowLongPtrW(HWND window, int index) {
#ifdef _WIN64
  return ::GetWindowLongPtrW(W(window), index);
#else
  return ::GetWindowLongW(W(window), index);
#endif
}

BOOL SetPropW(HWND window, LPCWSTR name, HANDLE data) { return ::SetPropW(W(window), name, data); }
HANDLE GetPropW(HWND window, LPCWSTR name) { return ::GetPropW(W(window), name); }
HANDLE RemovePropW(HWND window, LPCWSTR name) { return ::RemovePropW(W(window), name); }

LRESULT SendMessageW(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageW(W(window), msg, wParam, lParam);
}
BOOL PostMessageW(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::PostMessageW(W(window), msg, wParam, lParam);
}
BOOL GetMessageW(MSG* msg, HWND window, UINT filterMin, UINT filterMax) {
  return ::GetMessageW(reinterpret_cast<::MSG*>(msg), W(window), filterMin, filterMax);
}
BOOL PeekMessageW(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT remove) {
  return ::PeekMessageW(reinterpret_cast<::MSG*>(msg), W(window), filterMin, filterMax, remove);
}
BOOL TranslateMessage(const MSG* msg) { return ::TranslateMessage(reinterpret_cast<const ::MSG*>(msg)); }
LRESULT DispatchMessageW(const MSG* msg) {
  return ::DispatchMessageW(reinterpret_cast<const ::MSG*>(msg));
}
void PostQuitMessage(int exitCode) { ::PostQuitMessage(exitCode); }

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  return ::SetTimer(W(window), id, elapse, reinterpret_cast<::TIMERPROC>(proc));
}
BOOL KillTimer(HWND window, UINT_PTR id) { return ::KillTimer(W(window), id); }
DWORD GetTickCount() { return ::GetTickCount(); }

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
  return ::InvalidateRect(W(window), reinterpret_cast<const ::RECT*>(rect), erase);
}
BOOL UpdateWindow(HWND window) { return ::UpdateWindow(W(window)); }
HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
  return ::BeginPaint(W(window), reinterpret_cast<::PAINTSTRUCT*>(paint));
}
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
  return ::EndPaint(W(window), reinterpret_cast<const ::PAINTSTRUCT*>(paint));
}
HDC GetDCEx(HWND window, HANDLE clip, DWORD flags) {
  return ::GetDCEx(W(window), static_cast<::HRGN>(clip), flags);
}

BOOL GetClientRect(HWND window, RECT* rect) {
  return ::GetClientRect(W(window), reinterpret_cast<::RECT*>(rect));
}
BOOL ClientToScreen(HWND window, POINT* point) {
  return ::ClientToScreen(W(window), reinterpret_cast<::POINT*>(point));
}
BOOL ScreenToClient(HWND window, POINT* point) {
  return ::ScreenToClient(W(window), reinterpret_cast<::POINT*>(point));
}
HWND SetFocus(HWND window) { return ::SetFocus(W(window)); }
HWND GetFocus() { return ::GetFocus(); }
HWND SetCapture(HWND window) { return ::SetCapture(W(window)); }
BOOL ReleaseCapture() { return ::ReleaseCapture(); }
HWND GetCapture() { return ::GetCapture(); }
BOOL GetCursorPos(POINT* point) { return ::GetCursorPos(reinterpret_cast<::POINT*>(point)); }
BOOL SetCursorPos(int x, int y) { return ::SetCursorPos(x, y); }
int16_t GetAsyncKeyState(int virtualKey) { return ::GetAsyncKeyState(virtualKey); }
int16_t GetKeyState(int virtualKey) { return ::GetKeyState(virtualKey); }

BOOL CreateCaret(HWND window, HBITMAP bitmap, int width, int height) {
  return ::CreateCaret(W(window), static_cast<::HBITMAP>(bitmap), width, height);
}
BOOL DestroyCaret() { return ::DestroyCaret(); }
BOOL SetCaretPos(int x, int y) { return ::SetCaretPos(x, y); }
BOOL ShowCaret(HWND window) { return ::ShowCaret(W(window)); }
BOOL HideCaret(HWND window) { return ::HideCaret(W(window)); }

BOOL UseManualClock(BOOL manual) { return manual ? 0 : 1; }

int PumpMessages() {
  int count = 0;
  ::MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) break;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
    ++count;
  }
  return count;
}

int AdvanceClock(DWORD milliseconds) {
  int count = PumpMessages();
  DWORD end = ::GetTickCount() + milliseconds;
  while (static_cast<int32_t>(end - ::GetTickCount()) > 0) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, end - ::GetTickCount(), QS_ALLINPUT);
    count += PumpMessages();
  }
  return count;
}

BOOL InjectInput(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg >= WM_MOUSEMOVE && msg <= WM_MOUSEWHEEL && msg != WM_MOUSEWHEEL) {
    ::POINT p{static_cast<int16_t>(lParam & 0xFFFF), static_cast<int16_t>((lParam >> 16) & 0xFFFF)};
    ::ClientToScreen(W(window), &p);
    ::SetCursorPos(p.x, p.y);
  }
  return ::PostMessageW(W(window), msg, wParam, lParam);
}

BOOL CopyWindowPixels(HWND window, void* buffer, int width, int height, int stride) {
  ::RECT r;
  if (!buffer || !::GetClientRect(W(window), &r) || r.right != width || r.bottom != height ||
      stride < width * 4)
    return 0;
  ::HDC dc = ::GetDC(W(window));
  if (!dc) return 0;
  ::BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  ::HBITMAP bm = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  BOOL ok = 0;
  if (bm) {
    ::HDC mem = ::CreateCompatibleDC(dc);
    ::HGDIOBJ old = ::SelectObject(mem, bm);
    ok = ::BitBlt(mem, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    ::GdiFlush();
    for (int y = 0; ok && y < height; ++y)
      memcpy(static_cast<uint8_t*>(buffer) + static_cast<size_t>(y) * stride,
             static_cast<uint8_t*>(bits) + static_cast<size_t>(y) * width * 4, width * 4u);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::DeleteObject(bm);
  }
  ::ReleaseDC(W(window), dc);
  return ok;
}

BOOL EnableWindow(HWND window, BOOL enable) { return ::EnableWindow(W(window), enable); }
BOOL IsWindowEnabled(HWND window) { return ::IsWindowEnabled(W(window)); }
BOOL GetWindowRect(HWND window, RECT* rect) {
  return ::GetWindowRect(W(window), reinterpret_cast<::RECT*>(rect));
}
BOOL SetWindowTextW(HWND window, LPCWSTR text) { return ::SetWindowTextW(W(window), text); }
int GetWindowTextW(HWND window, WCHAR* buffer, int maxCount) {
  return ::GetWindowTextW(W(window), buffer, maxCount);
}
HWND FindWindowW(LPCWSTR className, LPCWSTR windowName) {
  return ::FindWindowW(className, windowName);
}
HMONITOR MonitorFromWindow(HWND window, DWORD flags) {
  return ::MonitorFromWindow(W(window), flags);
}
BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info) {
  static_assert(sizeof(MONITORINFO) == sizeof(::MONITORINFO), "MONITORINFO layout");
  return ::GetMonitorInfoW(static_cast<::HMONITOR>(monitor), reinterpret_cast<::MONITORINFO*>(info));
}
// Waits for the next message; the dialog goes on.
BOOL ModalIdle(HWND) { return ::WaitMessage(); }
void SetModalHook(MODALHOOK, void*) {}

}  // namespace plat
