// The player window class: registered when the library loads; its window procedure keeps the
// window object in a window property and hands it every message.
#include "player/window/animator_window.h"

namespace zkw {

const plat::WCHAR kPlayerClassName[] = {'z', 'e', 'l', 'v', 'a', 'n', 't', 'o', 'r', 'i', 'u', 'm',
                                        'D', 'I', 'B', 'A', 'N', 'P', 'l', 'a', 'y', 'e', 'r',
                                        '3', '2', 'W', 'i', 'n', 'd', 'o', 'w', '2', '0', '1', '1', 0};
const plat::WCHAR kPlayerObjectProp[] = {'D', 'I', 'B', 'A', 'N', 'O', 'B', 'J', 0};

namespace {

plat::LRESULT ZKW_CALLBACK PlayerWindowProc(plat::HWND wnd, plat::UINT msg, plat::WPARAM wParam,
                                            plat::LPARAM lParam) {
  try {
    if (msg == plat::WM_CREATE) {
      plat::LRESULT r = plat::DefWindowProcW(wnd, msg, wParam, lParam);
      plat::SetPropW(wnd, kPlayerObjectProp, new TAnimatorWndObj(wnd));
      return r;
    }
    TAnimatorWndObj* obj = PlayerWindowObject(wnd);
    if (msg == plat::WM_DESTROY) {
      plat::RemovePropW(wnd, kPlayerObjectProp);
      delete obj;
      return plat::DefWindowProcW(wnd, msg, wParam, lParam);
    }
    if (obj) {
      plat::LRESULT result = 0;
      if (obj->HandleMessage(msg, wParam, lParam, result)) return result;
    }
  } catch (...) {
    // No exception may leave a window procedure; the message counts as handled.
    return 0;
  }
  return plat::DefWindowProcW(wnd, msg, wParam, lParam);
}

}  // namespace

TAnimatorWndObj* PlayerWindowObject(plat::HWND Wnd) {
  return static_cast<TAnimatorWndObj*>(plat::GetPropW(Wnd, kPlayerObjectProp));
}

bool RegisterPlayerWindowClass(plat::HINSTANCE Instance) {
  plat::WNDCLASSW wc{};
  wc.style = kPlayerClassStyle;
  wc.lpfnWndProc = PlayerWindowProc;
  wc.hInstance = Instance;
  wc.lpszClassName = kPlayerClassName;
  return plat::RegisterClassW(&wc) != 0;
}

void UnregisterPlayerWindowClass(plat::HINSTANCE Instance) {
  plat::UnregisterClassW(kPlayerClassName, Instance);
}

}  // namespace zkw
