#include "player/window/waiting_thread.h"

#include "dib/dc_composite.h"
#include "dib/dib_base.h"
#include "player/window/animator_window.h"

namespace zkw {

TWaitingThread::TWaitingThread(plat::HWND Window, TDibBaseObj* ADib) : HWindow(Window), Dib(ADib) {
  FThread = std::thread([this] {
    if (!FTerminated) plat::PostMessageW(HWindow, wm::PaintWaiting, 0, 0);
  });
}

TWaitingThread::~TWaitingThread() {
  FTerminated = true;
  if (FThread.joinable()) FThread.join();
}

void TWaitingThread::PaintOn(plat::HDC DC, plat::HWND Window) const {
  if (FTerminated || !DC || !Dib || Dib->Handle() == 0) return;
  plat::RECT client{};
  plat::GetClientRect(Window, &client);
  int32_t x = (client.right - Dib->Width()) / 2;
  int32_t y = (client.bottom - Dib->Height()) / 2;
  DrawAlphaDibOnDC(DC, x, y, Dib);
}

}  // namespace zkw
