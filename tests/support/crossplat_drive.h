// The cross-platform frames of tests/win32/data/crossplat.dan: both builds drive a player window
// with the same messages (random seed, image-drawing service stopped, load, play, a click at
// frame 60, one action-and-draw step per frame) and hash the frame buffer after every step.
// The native suite holds its hashes to the committed list (crossplat.frames.txt), the Win32
// suite under Wine holds the DLL's to the same list: every frame byte-identical.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace crossplat {

constexpr int kFrames = 120;
constexpr uint32_t kSeed = 20261209;
constexpr int kClickFrame = 60, kClickX = 100, kClickY = 138;  // on the button

// FNV-1a over the frame's pixels (each as 4 little-endian bytes), top row first.
template <class Pixel>
uint64_t FrameHash(int width, int height, Pixel&& pixel) {
  uint64_t h = 14695981039346656037ull;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const uint32_t p = pixel(x, y);
      for (int k = 0; k < 4; ++k) {
        h ^= (p >> (8 * k)) & 0xFF;
        h *= 1099511628211ull;
      }
    }
  return h;
}

// Api: Send(msg, wParam, lParam), Seed(seed), ImagingOff(), Load(), and Frame(hash) that hashes
// the frame buffer (message 1064) with FrameHash. The window is made, visible, by the caller.
template <class Api>
std::vector<uint64_t> DriveScene(Api& api) {
  std::vector<uint64_t> hashes;
  api.Seed(kSeed);
  api.ImagingOff();
  if (!api.Load()) return hashes;
  api.Send(1028, 1, 0);  // play (its timer never runs: no messages are pumped)
  const intptr_t at = (kClickY << 16) | kClickX;
  for (int frame = 1; frame <= kFrames; ++frame) {
    if (frame == kClickFrame) {
      api.Send(0x0200, 0, at);  // WM_MOUSEMOVE
      api.Send(0x0201, 1, at);  // WM_LBUTTONDOWN, MK_LBUTTON
      api.Send(0x0202, 0, at);  // WM_LBUTTONUP
    }
    api.Send(1054, 0, 0);  // one action-and-draw step
    hashes.push_back(api.Frame());
  }
  return hashes;
}

inline std::string HashText(const std::vector<uint64_t>& hashes) {
  std::string text;
  char line[48];
  for (size_t i = 0; i < hashes.size(); ++i) {
    std::snprintf(line, sizeof line, "%zu %016llx\n", i + 1, static_cast<unsigned long long>(hashes[i]));
    text += line;
  }
  return text;
}

}  // namespace crossplat
