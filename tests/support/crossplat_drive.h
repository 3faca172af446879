// The cross-platform frames of tests/win32/data/crossplat.dan and of the demo scene: both builds
// drive a player window with the same messages (random seed, image-drawing service stopped, load,
// play, a click, one action-and-draw step per frame) and hash the frame buffer after every step.
// The native suite holds its hashes to the committed lists (NAME.frames.txt), the Win32 suite
// under Wine holds the DLL's to the same lists: every frame byte-identical.
#pragma once
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace crossplat {

constexpr int kFrames = 120;
constexpr uint32_t kSeed = 20261209;

// A scene of the comparison: its file (tests/win32/data/NAME.dan, or the demo), the click it
// gets, and the rectangles left out of the hashes (system-font text, drawn by different
// rasterisers on the two platforms).
struct TScene {
  const char* Name;
  int ClickFrame, ClickX, ClickY;
  std::vector<std::array<int, 4>> Skip;  // left, top, right, bottom (exclusive)
};
inline const std::vector<TScene>& Scenes() {
  static const std::vector<TScene> scenes = {
      {"crossplat", 60, 100, 138, {}},
      {"demo", 30, 330, 300, {{20, 70, 320, 94}, {260, 250, 400, 274}, {20, 300, 140, 324}, {20, 12, 620, 60}}}};
  return scenes;
}

// FNV-1a over the frame's pixels (each as 4 little-endian bytes), top row first; pixels in a
// skipped rectangle count as 0.
template <class Pixel>
uint64_t FrameHash(int width, int height, const TScene& scene, Pixel&& pixel) {
  uint64_t h = 14695981039346656037ull;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      bool skip = false;
      for (const auto& r : scene.Skip) skip = skip || (x >= r[0] && y >= r[1] && x < r[2] && y < r[3]);
      const uint32_t p = skip ? 0 : pixel(x, y);
      for (int k = 0; k < 4; ++k) {
        h ^= (p >> (8 * k)) & 0xFF;
        h *= 1099511628211ull;
      }
    }
  return h;
}

// Api: Send(msg, wParam, lParam), Seed(seed), ImagingOff(), Load(scene), and Frame(scene) that
// hashes the frame buffer (message 1064) with FrameHash. The window is made, visible, by the
// caller.
template <class Api>
std::vector<uint64_t> DriveScene(Api& api, const TScene& scene) {
  std::vector<uint64_t> hashes;
  api.Seed(kSeed);
  api.ImagingOff();
  if (!api.Load(scene)) return hashes;
  api.Send(1028, 1, 0);  // play (its timer never runs: no messages are pumped)
  const intptr_t at = (static_cast<intptr_t>(scene.ClickY) << 16) | scene.ClickX;
  for (int frame = 1; frame <= kFrames; ++frame) {
    if (frame == scene.ClickFrame) {
      api.Send(0x0200, 0, at);  // WM_MOUSEMOVE
      api.Send(0x0201, 1, at);  // WM_LBUTTONDOWN, MK_LBUTTON
      api.Send(0x0202, 0, at);  // WM_LBUTTONUP
    }
    api.Send(1054, 0, 0);  // one action-and-draw step
    hashes.push_back(api.Frame(scene));
  }
  api.Send(1028, 0, 0);
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
