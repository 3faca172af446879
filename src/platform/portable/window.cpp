// Windows of the Linux back end: window objects with classes, procedures and properties, one
// message queue, timers on a replaceable clock, painting onto a 32-bit client surface, focus,
// capture, key state, cursor position and the system caret, all kept in process memory. Input
// comes from the host (InjectInput); frames are read back with CopyWindowPixels.
#include <algorithm>
#include <chrono>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/plat_window.h"
#include "platform/portable/window_surface.h"

namespace plat {

namespace {

using Text16 = std::basic_string<WCHAR>;

Text16 Upper(LPCWSTR text) {
  Text16 out;
  for (; text && *text; ++text) {
    WCHAR c = *text;
    out.push_back(c >= u'a' && c <= u'z' ? static_cast<WCHAR>(c - 32) : c);
  }
  return out;
}

struct WindowClass {
  WNDCLASSW Info{};
  Text16 Name;
};

struct Window {
  const WindowClass* Class = nullptr;
  WNDPROC Proc = nullptr;
  HWND Parent = nullptr;
  HWND Owner = nullptr;  // pop-up windows: top-level, owned by the window given as parent
  DWORD Style = 0;
  RECT Rect{};  // in the parent's client coordinates (the screen for top-level windows)
  bool Visible = false;
  bool Enabled = true;
  Text16 Text;
  bool NeedsPaint = false;
  bool Destroying = false;
  LONG_PTR UserData = 0;
  std::map<Text16, HANDLE> Props;
  std::unique_ptr<portable::GdiBitmap> Surface;
};

struct Timer {
  HWND Window;
  UINT_PTR Id;
  DWORD Interval;
  uint64_t Due;
  TIMERPROC Proc;
};

struct CaretState {
  HWND Owner = nullptr;
  int Width = 0, Height = 0, X = 0, Y = 0;
  int HideCount = 1;
};

struct State {
  std::recursive_mutex Lock;
  std::map<Text16, std::unique_ptr<WindowClass>> Classes;
  std::map<HWND, std::unique_ptr<Window>> Windows;
  std::deque<MSG> Queue;
  std::vector<Timer> Timers;
  bool Manual = false;
  uint64_t ManualNow = 0;
  bool QuitPosted = false;
  HWND Focus = nullptr, Capture = nullptr;
  POINT Cursor{0, 0};
  uint8_t Keys[256] = {};
  CaretState Caret;
  MODALHOOK ModalHook = nullptr;
  void* ModalData = nullptr;
};

State& S() {
  static State* state = new State();  // lives until exit; windows may outlive statics
  return *state;
}

uint64_t Now() {
  State& s = S();
  if (s.Manual) return s.ManualNow;
  using namespace std::chrono;
  return static_cast<uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

Window* Find(HWND window) {
  State& s = S();
  auto it = s.Windows.find(window);
  return it == s.Windows.end() || it->second->Destroying ? nullptr : it->second.get();
}

void ResizeSurface(Window& w) {
  int32_t cw = std::max<LONG>(0, w.Rect.right - w.Rect.left);
  int32_t ch = std::max<LONG>(0, w.Rect.bottom - w.Rect.top);
  if (cw <= 0 || ch <= 0 || cw > 16384 || ch > 16384) {
    w.Surface.reset();
    return;
  }
  if (w.Surface && w.Surface->Width() == cw && w.Surface->Height() == ch) return;
  auto bm = std::make_unique<portable::GdiBitmap>();
  bm->Header = {sizeof(BITMAPINFOHEADER), cw, ch, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  bm->Pixels.assign(static_cast<size_t>(cw) * static_cast<size_t>(ch) * 4, 0);
  bm->IsDibSection = true;
  w.Surface = std::move(bm);
}

POINT ClientOrigin(HWND window) {
  POINT p{0, 0};
  for (Window* w = Find(window); w; w = Find(w->Parent)) {
    p.x += w->Rect.left;
    p.y += w->Rect.top;
  }
  return p;
}

bool IsMouseMessage(UINT msg) { return msg >= WM_MOUSEMOVE && msg <= WM_MOUSEWHEEL; }

// The next message to hand out: posted messages first, then paints, then due timers.
bool NextMessage(MSG* msg, HWND filter, bool remove) {
  State& s = S();
  std::lock_guard<std::recursive_mutex> guard(s.Lock);
  for (auto it = s.Queue.begin(); it != s.Queue.end(); ++it) {
    if (filter && it->hwnd != filter) continue;
    *msg = *it;
    if (remove) s.Queue.erase(it);
    return true;
  }
  for (auto& [handle, w] : s.Windows) {
    if (w->Destroying || !w->NeedsPaint || (filter && handle != filter)) continue;
    *msg = MSG{handle, WM_PAINT, 0, 0, static_cast<DWORD>(Now()), s.Cursor};
    return true;  // WM_PAINT stays until BeginPaint validates the window
  }
  uint64_t now = Now();
  Timer* due = nullptr;
  for (Timer& t : s.Timers)
    if ((!filter || t.Window == filter) && t.Due <= now && (!due || t.Due < due->Due)) due = &t;
  if (!due) return false;
  *msg = MSG{due->Window, WM_TIMER, due->Id, reinterpret_cast<LPARAM>(due->Proc),
             static_cast<DWORD>(now), s.Cursor};
  if (remove) due->Due = (s.Manual ? due->Due : now) + due->Interval;
  return true;
}

}  // namespace

namespace portable {
GdiBitmap* WindowSurface(HWND window) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  Window* w = Find(window);
  return w ? w->Surface.get() : nullptr;
}
}  // namespace portable

// --- classes and windows ------------------------------------------------------------------------

ATOM RegisterClassW(const WNDCLASSW* wc) {
  if (!wc || !wc->lpszClassName || !wc->lpfnWndProc) return 0;
  State& s = S();
  std::lock_guard<std::recursive_mutex> guard(s.Lock);
  Text16 name = Upper(wc->lpszClassName);
  if (s.Classes.count(name)) return 0;
  auto cls = std::make_unique<WindowClass>();
  cls->Info = *wc;
  cls->Info.lpszClassName = nullptr;
  cls->Name = name;
  s.Classes[name] = std::move(cls);
  return static_cast<ATOM>(0xC000 + s.Classes.size());
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE) {
  State& s = S();
  std::lock_guard<std::recursive_mutex> guard(s.Lock);
  auto it = s.Classes.find(Upper(className));
  if (it == s.Classes.end()) return 0;
  for (auto& [h, w] : s.Windows)
    if (w->Class == it->second.get()) return 0;  // windows of the class still exist
  s.Classes.erase(it);
  return 1;
}

HWND CreateWindowExW(DWORD, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU, HINSTANCE, void* param) {
  State& s = S();
  HWND handle = nullptr;
  {
    std::lock_guard<std::recursive_mutex> guard(s.Lock);
    auto it = s.Classes.find(Upper(className));
    if (it == s.Classes.end()) return nullptr;
    if (parent && !Find(parent)) return nullptr;
    auto w = std::make_unique<Window>();
    w->Class = it->second.get();
    w->Proc = w->Class->Info.lpfnWndProc;
    // A pop-up window is top-level (screen coordinates); the window given is its owner.
    (style & WS_POPUP ? w->Owner : w->Parent) = parent;
    w->Style = style;
    if (x == CW_USEDEFAULT) x = 0;
    if (y == CW_USEDEFAULT) y = 0;
    if (width == CW_USEDEFAULT || width < 0) width = 640;
    if (height == CW_USEDEFAULT || height < 0) height = 480;
    w->Rect = RECT{x, y, x + width, y + height};
    w->Visible = (style & WS_VISIBLE) != 0;
    if (windowName) w->Text = windowName;
    ResizeSurface(*w);
    handle = w.get();
    s.Windows[handle] = std::move(w);
  }
  if (SendMessageW(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(param)) == -1) {
    DestroyWindow(handle);
    return nullptr;
  }
  RECT r{};
  GetClientRect(handle, &r);
  SendMessageW(handle, WM_SIZE, 0, static_cast<LPARAM>((r.right & 0xFFFF) | ((r.bottom & 0xFFFF) << 16)));
  if (IsWindowVisible(handle)) InvalidateRect(handle, nullptr, 1);
  return handle;
}

BOOL DestroyWindow(HWND window) {
  State& s = S();
  std::vector<HWND> children;
  {
    std::lock_guard<std::recursive_mutex> guard(s.Lock);
    if (!Find(window)) return 0;
    for (auto& [h, w] : s.Windows)
      if ((w->Parent == window || w->Owner == window) && !w->Destroying) children.push_back(h);
  }
  for (HWND child : children) DestroyWindow(child);
  SendMessageW(window, WM_DESTROY, 0, 0);
  std::lock_guard<std::recursive_mutex> guard(s.Lock);
  auto it = s.Windows.find(window);
  if (it == s.Windows.end()) return 0;
  it->second->Destroying = true;
  s.Timers.erase(std::remove_if(s.Timers.begin(), s.Timers.end(),
                                [&](const Timer& t) { return t.Window == window; }),
                 s.Timers.end());
  s.Queue.erase(std::remove_if(s.Queue.begin(), s.Queue.end(),
                               [&](const MSG& m) { return m.hwnd == window; }),
                s.Queue.end());
  if (s.Focus == window) s.Focus = nullptr;
  if (s.Capture == window) s.Capture = nullptr;
  if (s.Caret.Owner == window) s.Caret = CaretState{};
  s.Windows.erase(it);
  return 1;
}

BOOL IsWindow(HWND window) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  return Find(window) != nullptr;
}

BOOL IsWindowVisible(HWND window) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  for (Window* w = Find(window); w; w = Find(w->Parent))
    if (!w->Visible) return 0;
  return Find(window) != nullptr;
}

BOOL ShowWindow(HWND window, int cmd) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  Window* w = Find(window);
  if (!w) return 0;
  BOOL was = w->Visible;
  w->Visible = cmd != SW_HIDE;
  if (w->Visible && !was) w->NeedsPaint = true;
  return was;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  {
    std::lock_guard<std::recursive_mutex> guard(S().Lock);
    Window* w = Find(window);
    if (!w) return 0;
    w->Rect = RECT{x, y, x + std::max(0, width), y + std::max(0, height)};
    ResizeSurface(*w);
    if (repaint) w->NeedsPaint = true;
  }
  SendMessageW(window, WM_SIZE, 0,
               static_cast<LPARAM>((std::max(0, width) & 0xFFFF) | ((std::max(0, height) & 0xFFFF) << 16)));
  return 1;
}

LRESULT DefWindowProcW(HWND window, UINT msg, WPARAM, LPARAM) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(window, &ps);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_CLOSE: DestroyWindow(window); return 0;
    default: return 0;
  }
}

LRESULT CallWindowProcW(WNDPROC proc, HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(window, msg, wParam, lParam) : 0;
}

LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  Window* w = Find(window);
  if (!w) return 0;
  LONG_PTR old = 0;
  if (index == GWLP_WNDPROC) {
    if (!value) return 0;
    old = reinterpret_cast<LONG_PTR>(w->Proc);
    w->Proc = reinterpret_cast<WNDPROC>(value);
  } else if (index == GWLP_USERDATA) {
    old = w->UserData;
    w->UserData = value;
  }
  return old;
}

LONG_PTR GetWindowLongPtrW(HWND window, int index) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  Window* w = Find(window);
  if (!w) return 0;
  if (index == GWLP_WNDPROC) return reinterpret_cast<LONG_PTR>(w->Proc);
  if (index == GWLP_USERDATA) return w->UserData;
  return 0;
}

// --- properties ---------------------------------------------------------------------------------

BOOL SetPropW(HWND window, LPCWSTR name, HANDLE data) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  Window* w = Find(window);
  if (!w || !name) return 0;
  w->Props[Upper(name)] = data;
  return 1;
}

HANDLE GetPropW(HWND window, LPCWSTR name) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  // A window being destroyed still answers its properties until it is gone.
  auto it = S().Windows.find(window);
  if (it == S().Windows.end() || !name) return nullptr;
  auto p = it->second->Props.find(Upper(name));
  return p == it->second->Props.end() ? nullptr : p->second;
}

HANDLE RemovePropW(HWND window, LPCWSTR name) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  auto it = S().Windows.find(window);
  if (it == S().Windows.end() || !name) return nullptr;
  auto p = it->second->Props.find(Upper(name));
  if (p == it->second->Props.end()) return nullptr;
  HANDLE data = p->second;
  it->second->Props.erase(p);
  return data;
}

// --- messages -----------------------------------------------------------------------------------

LRESULT SendMessageW(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  WNDPROC proc = nullptr;
  {
    std::lock_guard<std::recursive_mutex> guard(S().Lock);
    auto it = S().Windows.find(window);
    if (it == S().Windows.end()) return 0;
    proc = it->second->Proc;
  }
  return proc(window, msg, wParam, lParam);
}

BOOL PostMessageW(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  State& s = S();
  std::lock_guard<std::recursive_mutex> guard(s.Lock);
  if (window && !Find(window)) return 0;
  s.Queue.push_back(MSG{window, msg, wParam, lParam, static_cast<DWORD>(Now()), s.Cursor});
  return 1;
}

void PostQuitMessage(int exitCode) {
  State& s = S();
  std::lock_guard<std::recursive_mutex> guard(s.Lock);
  s.Queue.push_back(MSG{nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0, 0, s.Cursor});
}

BOOL PeekMessageW(MSG* msg, HWND window, UINT, UINT, UINT remove) {
  return msg && NextMessage(msg, window, remove == PM_REMOVE) ? 1 : 0;
}

BOOL GetMessageW(MSG* msg, HWND window, UINT, UINT) {
  // Without a system to wait on, an empty queue ends the loop like WM_QUIT would; hosts drive
  // the clock with AdvanceClock or poll with PeekMessageW.
  if (!msg || !NextMessage(msg, window, true)) return 0;
  return msg->message == WM_QUIT ? 0 : 1;
}

BOOL TranslateMessage(const MSG*) { return 0; }

LRESULT DispatchMessageW(const MSG* msg) {
  if (!msg || !msg->hwnd) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
    return 0;
  }
  return SendMessageW(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

// --- timers -------------------------------------------------------------------------------------

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  State& s = S();
  std::lock_guard<std::recursive_mutex> guard(s.Lock);
  if (window && !Find(window)) return 0;
  if (!window) id = 0x7FFF + s.Timers.size();
  elapse = std::max<UINT>(elapse, 10);
  for (Timer& t : s.Timers)
    if (t.Window == window && t.Id == id) {
      t.Interval = elapse;
      t.Due = Now() + elapse;
      t.Proc = proc;
      return id ? id : 1;
    }
  s.Timers.push_back(Timer{window, id, elapse, Now() + elapse, proc});
  return id ? id : 1;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
  State& s = S();
  std::lock_guard<std::recursive_mutex> guard(s.Lock);
  auto it = std::find_if(s.Timers.begin(), s.Timers.end(),
                         [&](const Timer& t) { return t.Window == window && t.Id == id; });
  if (it == s.Timers.end()) return 0;
  s.Timers.erase(it);
  return 1;
}

DWORD GetTickCount() { return static_cast<DWORD>(Now()); }

// --- painting -----------------------------------------------------------------------------------

BOOL InvalidateRect(HWND window, const RECT*, BOOL) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  Window* w = Find(window);
  if (!w) return 0;
  w->NeedsPaint = true;
  return 1;
}

BOOL UpdateWindow(HWND window) {
  bool paint;
  {
    std::lock_guard<std::recursive_mutex> guard(S().Lock);
    Window* w = Find(window);
    if (!w) return 0;
    paint = w->NeedsPaint && IsWindowVisible(window);
  }
  if (paint) SendMessageW(window, WM_PAINT, 0, 0);
  return 1;
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
  {
    std::lock_guard<std::recursive_mutex> guard(S().Lock);
    Window* w = Find(window);
    if (!w) return nullptr;
    w->NeedsPaint = false;
  }
  HDC dc = GetDC(window);
  if (paint) {
    *paint = PAINTSTRUCT{};
    paint->hdc = dc;
    GetClientRect(window, &paint->rcPaint);
  }
  return dc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
  if (paint && paint->hdc) ReleaseDC(window, paint->hdc);
  return 1;
}

HDC GetDCEx(HWND window, HANDLE, DWORD) { return GetDC(window); }

// --- coordinates, focus, capture, input state ----------------------------------------------------

BOOL GetClientRect(HWND window, RECT* rect) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  Window* w = Find(window);
  if (!w || !rect) return 0;
  *rect = RECT{0, 0, w->Rect.right - w->Rect.left, w->Rect.bottom - w->Rect.top};
  return 1;
}

BOOL ClientToScreen(HWND window, POINT* point) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  if (!Find(window) || !point) return 0;
  POINT o = ClientOrigin(window);
  point->x += o.x;
  point->y += o.y;
  return 1;
}

BOOL ScreenToClient(HWND window, POINT* point) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  if (!Find(window) || !point) return 0;
  POINT o = ClientOrigin(window);
  point->x -= o.x;
  point->y -= o.y;
  return 1;
}

HWND SetFocus(HWND window) {
  HWND old;
  {
    std::lock_guard<std::recursive_mutex> guard(S().Lock);
    if (window && !Find(window)) return nullptr;
    old = S().Focus;
    if (old == window) return old;
    S().Focus = window;
  }
  if (old) SendMessageW(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
  if (window) SendMessageW(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

HWND GetFocus() {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  return S().Focus;
}

HWND SetCapture(HWND window) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  HWND old = S().Capture;
  if (Find(window)) S().Capture = window;
  return old;
}

BOOL ReleaseCapture() {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  S().Capture = nullptr;
  return 1;
}

HWND GetCapture() {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  return S().Capture;
}

BOOL GetCursorPos(POINT* point) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  if (!point) return 0;
  *point = S().Cursor;
  return 1;
}

BOOL SetCursorPos(int x, int y) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  S().Cursor = POINT{x, y};
  return 1;
}

int16_t GetAsyncKeyState(int virtualKey) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  return (S().Keys[virtualKey & 0xFF] & 0x80) ? static_cast<int16_t>(0x8000) : 0;
}

int16_t GetKeyState(int virtualKey) { return GetAsyncKeyState(virtualKey); }

// --- caret --------------------------------------------------------------------------------------

BOOL CreateCaret(HWND window, HBITMAP, int width, int height) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  if (!Find(window)) return 0;
  S().Caret = CaretState{window, width, height, 0, 0, 1};
  return 1;
}

BOOL DestroyCaret() {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  S().Caret = CaretState{};
  return 1;
}

BOOL SetCaretPos(int x, int y) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  if (!S().Caret.Owner) return 0;
  S().Caret.X = x;
  S().Caret.Y = y;
  return 1;
}

BOOL ShowCaret(HWND window) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  CaretState& c = S().Caret;
  if (!c.Owner || (window && window != c.Owner)) return 0;
  if (c.HideCount > 0) --c.HideCount;
  return 1;
}

BOOL HideCaret(HWND window) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  CaretState& c = S().Caret;
  if (!c.Owner || (window && window != c.Owner)) return 0;
  ++c.HideCount;
  return 1;
}

// --- host support -------------------------------------------------------------------------------

BOOL UseManualClock(BOOL manual) {
  State& s = S();
  std::lock_guard<std::recursive_mutex> guard(s.Lock);
  if (s.Manual == (manual != 0)) return 1;
  uint64_t now = Now();
  s.Manual = manual != 0;
  if (s.Manual) s.ManualNow = now;  // the clock continues from the real time
  for (Timer& t : s.Timers) t.Due = Now() + t.Interval;
  return 1;
}

int PumpMessages() {
  int count = 0;
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) break;
    DispatchMessageW(&msg);
    ++count;
    // A window that leaves its paint pending after WM_PAINT must not loop forever.
    if (msg.message == WM_PAINT) {
      std::lock_guard<std::recursive_mutex> guard(S().Lock);
      if (Window* w = Find(msg.hwnd)) w->NeedsPaint = false;
    }
  }
  return count;
}

int AdvanceClock(DWORD milliseconds) {
  State& s = S();
  int count = PumpMessages();
  {
    std::lock_guard<std::recursive_mutex> guard(s.Lock);
    if (!s.Manual) return count;
  }
  uint64_t target;
  {
    std::lock_guard<std::recursive_mutex> guard(s.Lock);
    target = s.ManualNow + milliseconds;
  }
  for (;;) {
    uint64_t next = target;
    {
      std::lock_guard<std::recursive_mutex> guard(s.Lock);
      for (const Timer& t : s.Timers) next = std::min(next, std::max(t.Due, s.ManualNow));
      s.ManualNow = next;
    }
    count += PumpMessages();
    std::lock_guard<std::recursive_mutex> guard(s.Lock);
    if (s.ManualNow >= target) break;
  }
  return count;
}

BOOL InjectInput(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  State& s = S();
  {
    std::lock_guard<std::recursive_mutex> guard(s.Lock);
    if (!Find(window)) return 0;
    // A disabled window, or a child of one, takes no mouse or key input.
    bool input = IsMouseMessage(msg) || (msg >= WM_KEYDOWN && msg <= WM_CHAR);
    for (Window* w = Find(window); input && w; w = Find(w->Parent))
      if (!w->Enabled) return 0;
    if (IsMouseMessage(msg) && msg != WM_MOUSEWHEEL) {
      POINT p{static_cast<int16_t>(lParam & 0xFFFF), static_cast<int16_t>((lParam >> 16) & 0xFFFF)};
      POINT o = ClientOrigin(window);
      s.Cursor = POINT{p.x + o.x, p.y + o.y};
      if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) s.Keys[0x01] = 0x80;
      if (msg == WM_LBUTTONUP) s.Keys[0x01] = 0;
      if (msg == WM_RBUTTONDOWN) s.Keys[0x02] = 0x80;
      if (msg == WM_RBUTTONUP) s.Keys[0x02] = 0;
    } else if (msg == WM_MOUSEWHEEL) {
      s.Cursor = POINT{static_cast<int16_t>(lParam & 0xFFFF), static_cast<int16_t>((lParam >> 16) & 0xFFFF)};
    } else if (msg == WM_KEYDOWN) {
      s.Keys[wParam & 0xFF] = 0x80;
    } else if (msg == WM_KEYUP) {
      s.Keys[wParam & 0xFF] = 0;
    }
  }
  return PostMessageW(window, msg, wParam, lParam);
}

BOOL CopyWindowPixels(HWND window, void* buffer, int width, int height, int stride) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  Window* w = Find(window);
  if (!w || !w->Surface || !buffer) return 0;
  const portable::GdiBitmap& bm = *w->Surface;
  if (width != bm.Width() || height != bm.Height() || stride < width * 4) return 0;
  int32_t rowBytes = bm.Stride();
  for (int32_t y = 0; y < height; ++y)
    std::copy_n(bm.Pixels.data() + static_cast<size_t>(height - 1 - y) * rowBytes, width * 4,
                static_cast<uint8_t*>(buffer) + static_cast<size_t>(y) * stride);
  return 1;
}

// --- enabling, titles, outer rectangles, monitors, modal loops -----------------------------------

BOOL EnableWindow(HWND window, BOOL enable) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  Window* w = Find(window);
  if (!w) return 0;
  BOOL wasDisabled = w->Enabled ? 0 : 1;
  w->Enabled = enable != 0;
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND window) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  Window* w = Find(window);
  return w && w->Enabled ? 1 : 0;
}

BOOL GetWindowRect(HWND window, RECT* rect) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  Window* w = Find(window);
  if (!w || !rect) return 0;
  POINT o = ClientOrigin(window);
  *rect = RECT{o.x, o.y, o.x + w->Rect.right - w->Rect.left, o.y + w->Rect.bottom - w->Rect.top};
  return 1;
}

BOOL SetWindowTextW(HWND window, LPCWSTR text) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  Window* w = Find(window);
  if (!w) return 0;
  w->Text = text ? Text16(text) : Text16();
  return 1;
}

int GetWindowTextW(HWND window, WCHAR* buffer, int maxCount) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  Window* w = Find(window);
  if (!w || !buffer || maxCount <= 0) return 0;
  int n = static_cast<int>(std::min<size_t>(w->Text.size(), static_cast<size_t>(maxCount - 1)));
  std::copy(w->Text.begin(), w->Text.begin() + n, buffer);
  buffer[n] = 0;
  return n;
}

HWND FindWindowW(LPCWSTR className, LPCWSTR windowName) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  Text16 cls = className ? Upper(className) : Text16();
  for (auto& [handle, w] : S().Windows) {
    if (w->Destroying || w->Parent) continue;
    if (className && w->Class->Name != cls) continue;
    if (windowName && w->Text != windowName) continue;
    return handle;
  }
  return nullptr;
}

namespace {
// The one monitor's handle: any non-null value that is not a window.
int gMonitor;
}  // namespace

HMONITOR MonitorFromWindow(HWND, DWORD) { return &gMonitor; }

BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info) {
  if (monitor != &gMonitor || !info || info->cbSize < sizeof(MONITORINFO)) return 0;
  const RECT screen{0, 0, 1024, 768};
  info->rcMonitor = screen;
  info->rcWork = screen;
  info->dwFlags = MONITORINFOF_PRIMARY;
  return 1;
}

void SetModalHook(MODALHOOK proc, void* data) {
  std::lock_guard<std::recursive_mutex> guard(S().Lock);
  S().ModalHook = proc;
  S().ModalData = data;
}

BOOL ModalIdle(HWND dialog) {
  MODALHOOK hook;
  void* data;
  {
    std::lock_guard<std::recursive_mutex> guard(S().Lock);
    hook = S().ModalHook;
    data = S().ModalData;
  }
  return hook && hook(dialog, data) != 0 ? 1 : 0;
}

}  // namespace plat
