// The image shown while a scene loads. Its thread paints once, but only by posting a message to
// the window, so the painting happens on the window's thread and the loader can wait for the
// thread without a deadlock.
#pragma once
#include <atomic>
#include <thread>

#include "platform/plat_window.h"

namespace zkw {

class TDibBaseObj;

class TWaitingThread {
 public:
  TWaitingThread(plat::HWND Window, TDibBaseObj* Dib);
  // Terminates and waits for the thread.
  ~TWaitingThread();
  // Draws the image with its alpha channel centred in the window's client area, unless the
  // thread is terminated or the image has no block.
  void PaintOn(plat::HDC DC, plat::HWND Window) const;
  void Terminate() { FTerminated = true; }

  plat::HWND HWindow;
  TDibBaseObj* Dib;

 private:
  std::atomic<bool> FTerminated{false};
  std::thread FThread;
};

}  // namespace zkw
