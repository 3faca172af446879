// Window management of the platform subset: classes and window procedures, properties,
// messages and the message loop, timers, painting, client coordinates, focus, capture, cursor
// position, key state, the system caret and subclassing. Same names, argument orders and
// meanings as the Win32 API. The portable back end keeps windows as objects with a message
// queue, runs timers on a clock that tests can replace by a manual one, takes injected input
// and gives each window a 32-bit pixel surface that its device contexts draw on.
#pragma once
#include <cstdint>

#include "platform/plat.h"
#include "platform/plat_gdi.h"

namespace plat {

using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using ATOM = uint16_t;
using HMENU = void*;
using HICON = void*;
using HCURSOR = void*;
using HBRUSH = void*;
using LONG_PTR = intptr_t;
using UINT_PTR = uintptr_t;
#ifdef _WIN32
#define ZKW_CALLBACK __stdcall
#else
#define ZKW_CALLBACK
#endif
using WNDPROC = LRESULT(ZKW_CALLBACK*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void(ZKW_CALLBACK*)(HWND, UINT, UINT_PTR, DWORD);


struct WNDCLASSW {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCWSTR lpszMenuName;
  LPCWSTR lpszClassName;
};

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
};

struct PAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
};

// Class styles.
constexpr UINT CS_VREDRAW = 0x0001, CS_HREDRAW = 0x0002, CS_DBLCLKS = 0x0008,
               CS_GLOBALCLASS = 0x4000;
// Window styles.
constexpr DWORD WS_OVERLAPPED = 0x00000000, WS_CHILD = 0x40000000, WS_VISIBLE = 0x10000000,
                WS_CLIPSIBLINGS = 0x04000000, WS_CLIPCHILDREN = 0x02000000,
                WS_POPUP = 0x80000000u, WS_OVERLAPPEDWINDOW = 0x00CF0000;
constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);
// ShowWindow.
constexpr int SW_HIDE = 0, SW_SHOW = 5;
// GetDCEx.
constexpr DWORD DCX_WINDOW = 0x1, DCX_CACHE = 0x2, DCX_CLIPCHILDREN = 0x8,
                DCX_CLIPSIBLINGS = 0x10;
// Window long indexes.
constexpr int GWLP_WNDPROC = -4, GWLP_USERDATA = -21;
// PeekMessage.
constexpr UINT PM_NOREMOVE = 0, PM_REMOVE = 1;

// Messages.
constexpr UINT WM_NULL = 0x0000, WM_CREATE = 0x0001, WM_DESTROY = 0x0002, WM_SIZE = 0x0005,
               WM_SETFOCUS = 0x0007, WM_KILLFOCUS = 0x0008, WM_PAINT = 0x000F,
               WM_CLOSE = 0x0010, WM_QUIT = 0x0012, WM_ERASEBKGND = 0x0014,
               WM_NOTIFY = 0x004E, WM_GETDLGCODE = 0x0087, WM_KEYDOWN = 0x0100,
               WM_KEYUP = 0x0101, WM_CHAR = 0x0102, WM_TIMER = 0x0113,
               WM_MOUSEMOVE = 0x0200, WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202,
               WM_LBUTTONDBLCLK = 0x0203, WM_RBUTTONDOWN = 0x0204, WM_RBUTTONUP = 0x0205,
               WM_MOUSEWHEEL = 0x020A, WM_CAPTURECHANGED = 0x0215, WM_USER = 0x0400;
// Mouse key flags of wParam.
constexpr WPARAM MK_LBUTTON = 0x1, MK_RBUTTON = 0x2, MK_SHIFT = 0x4, MK_CONTROL = 0x8;

ATOM RegisterClassW(const WNDCLASSW* wc);
BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance);
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     void* param);
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
BOOL IsWindowVisible(HWND window);
BOOL ShowWindow(HWND window, int cmd);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
LRESULT DefWindowProcW(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcW(WNDPROC proc, HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value);
LONG_PTR GetWindowLongPtrW(HWND window, int index);

BOOL SetPropW(HWND window, LPCWSTR name, HANDLE data);
HANDLE GetPropW(HWND window, LPCWSTR name);
HANDLE RemovePropW(HWND window, LPCWSTR name);

LRESULT SendMessageW(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessageW(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL GetMessageW(MSG* msg, HWND window, UINT filterMin, UINT filterMax);
BOOL PeekMessageW(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT remove);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageW(const MSG* msg);
void PostQuitMessage(int exitCode);

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND window, UINT_PTR id);
DWORD GetTickCount();

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND window);
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);
HDC GetDCEx(HWND window, HANDLE clip, DWORD flags);

BOOL GetClientRect(HWND window, RECT* rect);
BOOL ClientToScreen(HWND window, POINT* point);
BOOL ScreenToClient(HWND window, POINT* point);
HWND SetFocus(HWND window);
HWND GetFocus();
HWND SetCapture(HWND window);
BOOL ReleaseCapture();
HWND GetCapture();
BOOL GetCursorPos(POINT* point);
BOOL SetCursorPos(int x, int y);
int16_t GetAsyncKeyState(int virtualKey);
int16_t GetKeyState(int virtualKey);

// Enabling, outer rectangles and titles. EnableWindow returns non-zero when the window was
// disabled before. The portable back end has no window frames: the outer rectangle is the
// client area in screen coordinates, and disabled windows (or children of one) get no input.
BOOL EnableWindow(HWND window, BOOL enable);
BOOL IsWindowEnabled(HWND window);
BOOL GetWindowRect(HWND window, RECT* rect);
BOOL SetWindowTextW(HWND window, LPCWSTR text);
// Copies at most maxCount - 1 units and a terminator; returns the units copied.
int GetWindowTextW(HWND window, WCHAR* buffer, int maxCount);
// The first top-level window of the class and title (either may be null for any).
HWND FindWindowW(LPCWSTR className, LPCWSTR windowName);

// Monitors. The portable back end has one monitor, the 1024 x 768 screen.
using HMONITOR = void*;
constexpr DWORD MONITOR_DEFAULTTONULL = 0, MONITOR_DEFAULTTOPRIMARY = 1,
                MONITOR_DEFAULTTONEAREST = 2;
constexpr DWORD MONITORINFOF_PRIMARY = 1;
struct MONITORINFO {
  DWORD cbSize;
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags;
};
HMONITOR MonitorFromWindow(HWND window, DWORD flags);
BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info);

// Keys the dialogs answer.
constexpr WPARAM VK_RETURN = 0x0D, VK_ESCAPE = 0x1B;
constexpr UINT WM_ENABLE = 0x000A, WM_SYSCOLORCHANGE = 0x0015;

BOOL CreateCaret(HWND window, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret();
BOOL SetCaretPos(int x, int y);
BOOL ShowCaret(HWND window);
BOOL HideCaret(HWND window);

// --- Host support (what a host on Linux needs to drive windows without a window system) ---
// Timers run on the real clock, or on a manual clock that only moves by AdvanceClock.
// Returns false where the platform cannot replace its clock (Windows).
BOOL UseManualClock(BOOL manual);
// Moves the manual clock forward by Milliseconds, delivering every timer at each moment it falls
// due, in time order (a 100 ms advance of a 25 ms timer gives four WM_TIMER messages). Posted
// messages are dispatched as well. Returns the number of messages dispatched.
int AdvanceClock(DWORD milliseconds);
// Dispatches queued messages (and due timers and pending paints) until none is left; returns the
// number dispatched.
int PumpMessages();
// Feeds input as the system would: mouse messages set the cursor position and button state,
// key messages the key state, then the message is posted to the window.
BOOL InjectInput(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
// What a modal loop does when its queue is empty: Windows waits for the next message; the
// portable back end calls the host's modal hook (SetModalHook) with the dialog, which may inject
// input, move the clock or pump. False (no hook, or the hook returned 0) means the dialog is
// to be cancelled, so that a modal loop never waits for input that cannot come.
BOOL ModalIdle(HWND dialog);
using MODALHOOK = int32_t(ZKW_CALLBACK*)(HWND dialog, void* data);
// Sets (or with a null proc removes) the portable modal hook; ignored on Windows.
void SetModalHook(MODALHOOK proc, void* data);

// Copies the window's client pixels (32-bit BGRX, top row first) into Buffer of Stride bytes per
// row; returns false when the window has no surface or the buffer is too small.
BOOL CopyWindowPixels(HWND window, void* buffer, int width, int height, int stride);

}  // namespace plat
