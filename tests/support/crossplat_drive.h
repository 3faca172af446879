// The cross-platform frames of tests/win32/data/crossplat.dan and of the demo scene: both builds
// drive a player window with the same messages (random seed, image-drawing service stopped or
// running, load, play, a click, one action-and-draw step per frame) and hash the frame buffer
// after every step. With the service stopped the native suite holds its hashes to the committed
// lists (NAME.frames.txt) and the Win32 suite under Wine holds the DLL's to the same lists: every
// frame byte-identical. Some frames of crossplat.dan are also kept whole (NAME.exact.dex with the
// service stopped, NAME.smooth.dex with it running, the frames stacked top to bottom): the Win32
// suite compares its smooth frames to them within a tolerance, and on any difference writes its
// frame, the Linux frame and a difference image and names the first differing pixel.
#pragma once
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

// A frame as the frame buffer gives it: 0x00RRGGBB per pixel, top row first.
struct TFrame {
  int Width = 0, Height = 0;
  std::vector<uint32_t> Pixels;
  uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

// The frames kept whole: the first, before and around the click, and the last.
inline const std::vector<int>& KeptFrames() {
  static const std::vector<int> kept = {1, 30, 59, 60, 61, 90, 120};
  return kept;
}

// How far two frames may differ: in how many pixels (a share of those compared) any channel
// differs by more than Channel, and by how much on average over every channel.
struct TTolerance {
  int Channel;
  double ShareOver, MeanChannel;
};
constexpr TTolerance kExact{0, 0, 0};
// With the image-drawing service running the two platforms draw the turned and scaled images
// with their own filters (GDI+ on Windows, the portable smooth drawing on Linux), which sample
// the source at slightly different places: the edges of those sprites and steep gradients inside
// them differ by up to the whole range (measured under Wine 8: up to 3.9 % of the pixels by more
// than 8, 1.21 on average). A missing, misplaced or miscoloured object exceeds these limits.
constexpr TTolerance kSmooth{8, 0.05, 1.5};

inline bool Skipped(const TScene& scene, int x, int y) {
  for (const auto& r : scene.Skip)
    if (x >= r[0] && y >= r[1] && x < r[2] && y < r[3]) return true;
  return false;
}

// FNV-1a over the frame's pixels (each as 4 little-endian bytes), top row first; pixels in a
// skipped rectangle count as 0.
inline uint64_t FrameHash(const TFrame& frame, const TScene& scene) {
  uint64_t h = 14695981039346656037ull;
  for (int y = 0; y < frame.Height; ++y)
    for (int x = 0; x < frame.Width; ++x) {
      const uint32_t p = Skipped(scene, x, y) ? 0 : frame.At(x, y);
      for (int k = 0; k < 4; ++k) {
        h ^= (p >> (8 * k)) & 0xFF;
        h *= 1099511628211ull;
      }
    }
  return h;
}

struct TPlay {
  std::vector<uint64_t> Hashes;  // of every frame
  std::vector<TFrame> Kept;      // the KeptFrames
};

// Api: Send(msg, wParam, lParam), Seed(seed), Imaging(on), Load(scene), and Grab() that reads
// the frame buffer (message 1064) as a TFrame. The window is made, visible, by the caller.
template <class Api>
TPlay DriveScene(Api& api, const TScene& scene, bool smooth = false) {
  TPlay play;
  api.Seed(kSeed);
  api.Imaging(smooth);
  if (!api.Load(scene)) return play;
  api.Send(1028, 1, 0);  // play (its timer never runs: no messages are pumped)
  const intptr_t at = (static_cast<intptr_t>(scene.ClickY) << 16) | scene.ClickX;
  for (int frame = 1; frame <= kFrames; ++frame) {
    if (frame == scene.ClickFrame) {
      api.Send(0x0200, 0, at);  // WM_MOUSEMOVE
      api.Send(0x0201, 1, at);  // WM_LBUTTONDOWN, MK_LBUTTON
      api.Send(0x0202, 0, at);  // WM_LBUTTONUP
    }
    api.Send(1054, 0, 0);  // one action-and-draw step
    TFrame grabbed = api.Grab();
    play.Hashes.push_back(FrameHash(grabbed, scene));
    for (int kept : KeptFrames())
      if (kept == frame) play.Kept.push_back(std::move(grabbed));
  }
  api.Send(1028, 0, 0);
  return play;
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

// The kept frames stacked top to bottom, and frame k of such a strip.
inline TFrame Strip(const std::vector<TFrame>& frames) {
  TFrame strip;
  if (frames.empty()) return strip;
  strip.Width = frames[0].Width;
  for (const TFrame& f : frames) {
    strip.Height += f.Height;
    strip.Pixels.insert(strip.Pixels.end(), f.Pixels.begin(), f.Pixels.end());
  }
  return strip;
}
inline TFrame FromStrip(const TFrame& strip, size_t k, int height) {
  TFrame frame{strip.Width, height, {}};
  const size_t size = static_cast<size_t>(strip.Width) * height;
  if (strip.Pixels.size() >= (k + 1) * size)
    frame.Pixels.assign(strip.Pixels.begin() + static_cast<std::ptrdiff_t>(k * size),
                        strip.Pixels.begin() + static_cast<std::ptrdiff_t>((k + 1) * size));
  else
    frame.Width = frame.Height = 0;
  return frame;
}

// A frame's pixels into the rows of a 24-bit DIB (bottom row first, rows `stride` bytes apart),
// for the images the suites write.
inline void FillDib24(void* data, int stride, const TFrame& f) {
  auto* rows = static_cast<uint8_t*>(data);
  for (int y = 0; y < f.Height; ++y)
    for (int x = 0; x < f.Width; ++x) {
      uint8_t* p = rows + static_cast<size_t>(f.Height - 1 - y) * stride + 3 * static_cast<size_t>(x);
      const uint32_t c = f.At(x, y);
      p[0] = c & 0xFF;
      p[1] = (c >> 8) & 0xFF;
      p[2] = (c >> 16) & 0xFF;
    }
}

// A frame read pixel by pixel (pixel(x, y) gives 0x00RRGGBB).
template <class Pixel>
TFrame ReadFrame(int width, int height, Pixel&& pixel) {
  TFrame f{width, height, {}};
  f.Pixels.reserve(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) f.Pixels.push_back(pixel(x, y) & 0xFFFFFF);
  return f;
}

struct TDifference {
  int MaxChannel = 0;        // 256 when the sizes differ
  double MeanChannel = 0;    // over every channel of every compared pixel
  double ShareOver = 0;      // of the compared pixels, those with a channel off by more than the limit
  int X = -1, Y = -1;        // the first differing pixel, row by row
  uint32_t Got = 0, Want = 0;
};

inline TDifference Compare(const TFrame& got, const TFrame& want, const TScene& scene, int channelLimit) {
  TDifference d;
  if (got.Width != want.Width || got.Height != want.Height || got.Pixels.empty()) {
    d.MaxChannel = 256;
    return d;
  }
  uint64_t sum = 0, channels = 0, over = 0;
  for (int y = 0; y < got.Height; ++y)
    for (int x = 0; x < got.Width; ++x) {
      if (Skipped(scene, x, y)) continue;
      const uint32_t a = got.At(x, y), b = want.At(x, y);
      channels += 3;
      if (a == b) continue;
      if (d.X < 0) d = {d.MaxChannel, 0, 0, x, y, a, b};
      int most = 0;
      for (int k = 0; k < 3; ++k) {
        const int delta = std::abs(static_cast<int>((a >> (8 * k)) & 0xFF) - static_cast<int>((b >> (8 * k)) & 0xFF));
        sum += static_cast<uint64_t>(delta);
        most = delta > most ? delta : most;
      }
      over += most > channelLimit;
      d.MaxChannel = most > d.MaxChannel ? most : d.MaxChannel;
    }
  d.MeanChannel = channels ? static_cast<double>(sum) / static_cast<double>(channels) : 0;
  d.ShareOver = channels ? 3.0 * static_cast<double>(over) / static_cast<double>(channels) : 0;
  return d;
}

// White where the frames agree, red as deep as the largest channel difference (times 16) where
// they do not.
inline TFrame DifferenceImage(const TFrame& got, const TFrame& want) {
  TFrame diff{got.Width, got.Height, std::vector<uint32_t>(got.Pixels.size(), 0xFFFFFF)};
  for (size_t i = 0; i < got.Pixels.size() && i < want.Pixels.size(); ++i) {
    int most = 0;
    for (int k = 0; k < 3; ++k) {
      const int delta = std::abs(static_cast<int>((got.Pixels[i] >> (8 * k)) & 0xFF) -
                                 static_cast<int>((want.Pixels[i] >> (8 * k)) & 0xFF));
      most = delta > most ? delta : most;
    }
    if (most) diff.Pixels[i] = 0xFF0000u | static_cast<uint32_t>(255 - (most * 16 > 255 ? 255 : most * 16)) * 0x101u;
  }
  return diff;
}

// Compares each kept frame to frame k of the recorded strip. Where one differs by more than the
// tolerance, Api::Save(frame, name) writes NAME-WHAT-FRAME-got, -want and -diff images and the
// returned text names the frame, the first differing pixel and the differences; "" when all agree.
template <class Api>
std::string CheckKept(Api& api, const TScene& scene, const std::vector<TFrame>& kept, const TFrame& strip,
                      const TTolerance& limit, const char* what) {
  std::string report;
  for (size_t k = 0; k < KeptFrames().size(); ++k) {
    const TFrame got = k < kept.size() ? kept[k] : TFrame{};
    const TFrame want = FromStrip(strip, k, got.Height);
    const TDifference d = Compare(got, want, scene, limit.Channel);
    if (d.MaxChannel != 256 && d.ShareOver <= limit.ShareOver && d.MeanChannel <= limit.MeanChannel) continue;
    char line[320];
    if (d.MaxChannel == 256) {
      std::snprintf(line, sizeof line, "%s frame %d is %d x %d here, %d x %d in the Linux build's strip\n", what,
                    KeptFrames()[k], got.Width, got.Height, want.Width, want.Height);
      report += line;
      continue;
    }
    const std::string stem = std::string(scene.Name) + "-" + what + "-" + std::to_string(KeptFrames()[k]);
    std::snprintf(line, sizeof line,
                  "%s frame %d: first difference at (%d, %d), %06x here, %06x in the Linux build; %.2f %% of "
                  "the pixels off by more than %d (limit %.2f %%), largest %d; mean %.3f (limit %.3f); "
                  "images %s-got/-want/-diff\n",
                  what, KeptFrames()[k], d.X, d.Y, d.Got, d.Want, 100 * d.ShareOver, limit.Channel,
                  100 * limit.ShareOver, d.MaxChannel, d.MeanChannel, limit.MeanChannel, stem.c_str());
    report += line;
    api.Save(got, stem + "-got");
    api.Save(want, stem + "-want");
    api.Save(DifferenceImage(got, want), stem + "-diff");
  }
  return report;
}

}  // namespace crossplat
