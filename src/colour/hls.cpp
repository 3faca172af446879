// HLS and RGB conversions with the library's integer steps (HLSMAX = RGBMAX = 255, a sixth of the wheel is
// 42.5). Products are taken in 64-bit so that any input stays defined.
#include "colour/hls.h"

#include <algorithm>

#include "common/round.h"

namespace zkw {

namespace {

// One channel from its hue position h.
int64_t HueToChannel(int64_t M1, int64_t M2, int64_t h) {
  if (h < 0) h += 255;
  if (h > 255) h -= 255;
  if (h < 42) return Round(M1 + ((M2 - M1) * h + 21.25) / 42.5);
  if (h < 128) return M2;
  if (h < 170) return Round(M1 + ((M2 - M1) * (170 - h) + 21.25) / 42.5);
  return M1;
}

// Odd values to the even neighbour above, then limited to 0..255.
uint32_t Channel(int64_t c) {
  int64_t v = Round((static_cast<double>(c) * 255 + 127.5) / 255);
  return static_cast<uint32_t>(std::clamp<int64_t>(v, 0, 255));
}

}  // namespace

uint32_t HLStoRGB(int32_t H, int32_t L, int32_t S) {
  if (S == 0) {
    if (H != 170) return 0;
    uint32_t g = static_cast<uint32_t>(std::clamp<int32_t>(L, 0, 255));
    return g | (g << 8) | (g << 16);
  }
  const int64_t l = L, s = S;
  int64_t M2 = l <= 128 ? Round((static_cast<double>(l) * (s + 255) + 127.5) / 255)
                        : l + s - Round((static_cast<double>(l) * s + 127.5) / 255);
  int64_t M1 = 2 * l - M2;
  uint32_t r = Channel(HueToChannel(M1, M2, int64_t{H} + 85));
  uint32_t g = Channel(HueToChannel(M1, M2, H));
  uint32_t b = Channel(HueToChannel(M1, M2, int64_t{H} - 85));
  return r | (g << 8) | (b << 16);
}

void RGBtoHLS(uint32_t Color, int32_t& H, int32_t& L, int32_t& S) {
  const int64_t R = Color & 0xFF, G = (Color >> 8) & 0xFF, B = (Color >> 16) & 0xFF;
  const int64_t cMax = std::max({R, G, B}), cMin = std::min({R, G, B});
  const int64_t sum = cMax + cMin;
  int64_t l = Round((sum * 255.0 + 255) / 510);
  int64_t s = 0, h = 170;
  if (cMax != cMin) {
    const int64_t delta = cMax - cMin;
    // The halves of sum and delta are real: 255 / 2 is 127.5.
    s = l <= 128 ? Round((delta * 255.0 + sum / 2.0) / sum)
                 : Round((delta * 255.0 + (510 - sum) / 2.0) / (510 - sum));
    auto part = [&](int64_t c) { return Round(((cMax - c) * 42.5 + delta / 2.0) / delta); };
    const int64_t Rd = part(R), Gd = part(G), Bd = part(B);
    if (R == cMax) h = Bd - Gd;
    else if (G == cMax) h = 85 + Rd - Bd;
    else h = 170 + Gd - Rd;
    if (h < 0) h += 255;
    if (h > 255) h -= 255;
  }
  H = static_cast<int32_t>(h);
  L = static_cast<int32_t>(std::min<int64_t>(l, 255));
  S = static_cast<int32_t>(std::min<int64_t>(s, 255));
}

uint32_t ChangeColorLight(uint32_t Color, int32_t Delta) {
  int32_t H, L, S;
  RGBtoHLS(Color, H, L, S);
  int64_t l = std::clamp<int64_t>(int64_t{L} + Delta, 0, 255);
  return HLStoRGB(H, static_cast<int32_t>(l), S);
}

}  // namespace zkw
