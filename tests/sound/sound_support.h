// Shared pieces of the sound tests: the manual clock, a window that records WM_NOTIFY, wave
// image blocks.
#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/plat.h"
#include "platform/plat_window.h"

namespace zkwtest {

// The manual clock for the length of a test, and a window that records its WM_NOTIFY messages
// (wParam, lParam).
class SoundTestWindow {
 public:
  SoundTestWindow();
  ~SoundTestWindow();
  plat::HWND Handle() const { return FWindow; }
  static std::vector<std::pair<uintptr_t, intptr_t>>& Notifies();

 private:
  plat::HWND FWindow = nullptr;
};

// A movable block holding the bytes (freed by the caller).
plat::HGLOBAL BlockOf(const std::vector<uint8_t>& bytes);

// A one-channel 8-bit PCM wave at 8000 Hz that plays for Milliseconds.
std::vector<uint8_t> WaveOfMs(uint32_t milliseconds);

}  // namespace zkwtest
