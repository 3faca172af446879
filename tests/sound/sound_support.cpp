#include "sound/sound_support.h"

#include <cstring>

#include "support/wave_builders.h"

namespace zkwtest {

namespace {
const plat::WCHAR kClass[] = {'z', 'k', 'w', 'S', 'o', 'u', 'n', 'd', 'T', 'e', 's', 't', 0};

plat::LRESULT ZKW_CALLBACK Proc(plat::HWND w, plat::UINT msg, plat::WPARAM wp, plat::LPARAM lp) {
  if (msg == plat::WM_NOTIFY) {
    SoundTestWindow::Notifies().emplace_back(wp, lp);
    return 0;
  }
  return plat::DefWindowProcW(w, msg, wp, lp);
}
}  // namespace

std::vector<std::pair<uintptr_t, intptr_t>>& SoundTestWindow::Notifies() {
  static std::vector<std::pair<uintptr_t, intptr_t>> list;
  return list;
}

SoundTestWindow::SoundTestWindow() {
  plat::UseManualClock(1);
  plat::WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = plat::LibraryModule();
  wc.lpszClassName = kClass;
  plat::RegisterClassW(&wc);
  FWindow = plat::CreateWindowExW(0, kClass, nullptr, plat::WS_POPUP, 0, 0, 16, 16, nullptr, nullptr,
                                  plat::LibraryModule(), nullptr);
  plat::PumpMessages();
  Notifies().clear();
}

SoundTestWindow::~SoundTestWindow() {
  if (FWindow) plat::DestroyWindow(FWindow);
  plat::PumpMessages();
  plat::UseManualClock(0);
}

plat::HGLOBAL BlockOf(const std::vector<uint8_t>& bytes) {
  plat::HGLOBAL h = plat::GlobalAlloc(plat::GMEM_MOVEABLE, bytes.size());
  std::memcpy(plat::GlobalLock(h), bytes.data(), bytes.size());
  plat::GlobalUnlock(h);
  return h;
}

std::vector<uint8_t> WaveOfMs(uint32_t milliseconds) { return PcmWave(1, 8, 8000, milliseconds * 8); }

}  // namespace zkwtest
