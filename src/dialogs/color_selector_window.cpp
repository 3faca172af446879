#include "dialogs/color_selector_window.h"

#include <algorithm>

#include "platform/plat.h"

namespace zkw {

const plat::WCHAR kColorSelectorClass[] = {'Z', 'K', 'W', 'C', 'o', 'l', 'o', 'r', 'S',
                                           'e', 'l', 'e', 'c', 't', 'o', 'r', 0};
const plat::WCHAR kColorSelectorCaption[] = {'S', 'e', 'l', 'e', 'c', 't', ' ', 'c', 'o', 'l',
                                             'o', 'r', 0};

namespace {

TColorSelector* SelectorOf(plat::HWND wnd) {
  return reinterpret_cast<TColorSelector*>(plat::GetWindowLongPtrW(wnd, plat::GWLP_USERDATA));
}

int32_t LowX(plat::LPARAM l) { return static_cast<int16_t>(l & 0xFFFF); }
int32_t HighY(plat::LPARAM l) { return static_cast<int16_t>((l >> 16) & 0xFFFF); }

void Paint(plat::HWND wnd, TColorSelector& sel) {
  plat::PAINTSTRUCT ps;
  plat::HDC dc = plat::BeginPaint(wnd, &ps);
  if (!dc) return;
  // Drawn off screen first, then copied in one piece.
  plat::BITMAPINFO info{};
  info.bmiHeader = {sizeof(plat::BITMAPINFOHEADER), TColorSelector::kWidth, -TColorSelector::kHeight,
                    1, 32, plat::BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  plat::HBITMAP buffer = plat::CreateDIBSection(dc, &info, plat::DIB_RGB_COLORS, &bits, nullptr, 0);
  plat::HDC mem = buffer ? plat::CreateCompatibleDC(dc) : nullptr;
  if (mem) {
    plat::HGDIOBJ old = plat::SelectObject(mem, buffer);
    PaintColorSelector(sel, mem);
    plat::BitBlt(dc, 0, 0, TColorSelector::kWidth, TColorSelector::kHeight, mem, 0, 0,
                 plat::SRCCOPY);
    plat::SelectObject(mem, old);
    plat::DeleteDC(mem);
  }
  if (buffer) plat::DeleteObject(buffer);
  plat::EndPaint(wnd, &ps);
}

plat::LRESULT ZKW_CALLBACK SelectorProc(plat::HWND wnd, plat::UINT msg, plat::WPARAM wParam,
                                        plat::LPARAM lParam) {
  try {
    TColorSelector* sel = SelectorOf(wnd);
    if (sel) {
      switch (msg) {
        case plat::WM_PAINT: Paint(wnd, *sel); return 0;
        case plat::WM_ERASEBKGND: return 1;
        case plat::WM_LBUTTONDOWN:
        case plat::WM_LBUTTONDBLCLK:
          plat::SetCapture(wnd);
          sel->Click(LowX(lParam), HighY(lParam));
          plat::InvalidateRect(wnd, nullptr, 0);
          return 0;
        case plat::WM_MOUSEMOVE:
          if (wParam & plat::MK_LBUTTON) {
            sel->Drag(LowX(lParam), HighY(lParam));
            plat::InvalidateRect(wnd, nullptr, 0);
          }
          return 0;
        case plat::WM_LBUTTONUP: plat::ReleaseCapture(); return 0;
        case plat::WM_KEYDOWN: sel->Key(static_cast<uint32_t>(wParam)); return 0;
        case plat::WM_CLOSE: sel->End(false); return 0;
        default: break;
      }
    }
  } catch (...) {
    return 0;  // no exception leaves a window procedure
  }
  return plat::DefWindowProcW(wnd, msg, wParam, lParam);
}

bool RegisterOnce() {
  static const bool registered = [] {
    plat::WNDCLASSW wc{};
    wc.style = plat::CS_DBLCLKS;
    wc.lpfnWndProc = SelectorProc;
    wc.hInstance = plat::LibraryModule();
    wc.lpszClassName = kColorSelectorClass;
    return plat::RegisterClassW(&wc) != 0;
  }();
  return registered;
}

// The top-left corner that centres the dialog on the monitor nearest to the owner.
plat::POINT CentredOn(plat::HWND Owner) {
  plat::MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  plat::HMONITOR monitor = plat::MonitorFromWindow(Owner, plat::MONITOR_DEFAULTTONEAREST);
  if (!monitor || !plat::GetMonitorInfoW(monitor, &mi)) mi.rcMonitor = {0, 0, 1024, 768};
  const plat::RECT& m = mi.rcMonitor;
  int32_t x = m.left + (m.right - m.left - TColorSelector::kWidth) / 2;
  int32_t y = m.top + (m.bottom - m.top - TColorSelector::kHeight) / 2;
  return {std::max(x, m.left), std::max(y, m.top)};
}

}  // namespace

bool RunColorSelector(plat::HWND Owner, uint32_t Initial, bool ShowStandard, bool ShowSystem,
                      uint32_t& Value) {
  if (!RegisterOnce()) return false;
  TColorSelector sel(Initial, ShowStandard, ShowSystem);
  plat::POINT at = CentredOn(Owner);
  plat::HWND dlg = plat::CreateWindowExW(0, kColorSelectorClass, kColorSelectorCaption,
                                         plat::WS_POPUP, at.x, at.y, TColorSelector::kWidth,
                                         TColorSelector::kHeight, Owner, nullptr,
                                         plat::LibraryModule(), nullptr);
  if (!dlg) return false;
  plat::SetWindowLongPtrW(dlg, plat::GWLP_USERDATA, reinterpret_cast<plat::LONG_PTR>(&sel));
  // EnableWindow returns non-zero when the owner was disabled already: leave it so then.
  const bool reenable = Owner && !plat::EnableWindow(Owner, 0);
  plat::ShowWindow(dlg, plat::SW_SHOW);
  plat::UpdateWindow(dlg);
  plat::SetFocus(dlg);
  while (!sel.Done()) {
    plat::MSG m;
    if (plat::PeekMessageW(&m, nullptr, 0, 0, plat::PM_REMOVE)) {
      if (m.message == plat::WM_QUIT) {  // handed on to the loop outside
        plat::PostQuitMessage(static_cast<int>(m.wParam));
        sel.End(false);
        break;
      }
      plat::TranslateMessage(&m);
      plat::DispatchMessageW(&m);
      continue;
    }
    if (!plat::IsWindow(dlg) || !plat::ModalIdle(dlg)) sel.End(false);
  }
  // The owner comes back before the dialog goes, so that it is activated again.
  if (reenable) plat::EnableWindow(Owner, 1);
  if (plat::IsWindow(dlg)) {
    plat::SetWindowLongPtrW(dlg, plat::GWLP_USERDATA, 0);
    plat::DestroyWindow(dlg);
  }
  Value = sel.Value();
  return sel.Confirmed();
}

}  // namespace zkw
