#include "colour/blend.h"

#include <algorithm>

#include "colour/dc_pixels.h"
#include "common/colour_units.h"
#include "common/round.h"

namespace zkw {

namespace {

// The blend of one colour into any pixel, as three tables of the 256 channel values.
struct TBlendTables {
  uint8_t R[256], G[256], B[256];
  TBlendTables(uint32_t Color, int32_t d) {
    const int32_t c[3] = {static_cast<int32_t>(Color & 0xFF),
                          static_cast<int32_t>((Color >> 8) & 0xFF),
                          static_cast<int32_t>((Color >> 16) & 0xFF)};
    uint8_t* t[3] = {R, G, B};
    for (int ch = 0; ch < 3; ++ch)
      for (int32_t c2 = 0; c2 < 256; ++c2)  // >> of a negative product is floor
        t[ch][c2] = static_cast<uint8_t>(c2 + ((d * (c[ch] - c2)) >> 8));
  }
  uint32_t operator()(uint32_t p) const {
    return R[p & 0xFF] | (G[(p >> 8) & 0xFF] << 8) | (static_cast<uint32_t>(B[(p >> 16) & 0xFF]) << 16);
  }
};

// Blends a run of raw section bytes (blue, green, red[, unused] per pixel) at weight d with the
// byte arithmetic of the tables: v + floor(d (c - v) / 256) is the high half of the product of
// 128 d and 2 (c - v), all in 16-bit lanes. The per-byte values repeat every Block bytes (a whole
// number of pixels and of 16-byte vectors), so the inner loop is one the compiler vectorises.
// The unused byte of 32-bit pixels becomes 0, as SetPixel leaves it.
template <int Bytes>
class TSectionBlend {
 public:
  static constexpr int Block = Bytes == 4 ? 16 : 48;
  TSectionBlend(uint32_t Color, int32_t d) {
    const int16_t channel[3] = {static_cast<int16_t>((Color >> 16) & 0xFF),
                                static_cast<int16_t>((Color >> 8) & 0xFF),
                                static_cast<int16_t>(Color & 0xFF)};
    for (int k = 0; k < Block; ++k) {
      const bool unused = k % Bytes == 3;
      FColour[k] = unused ? 0 : channel[k % Bytes];
      FWeight[k] = static_cast<int16_t>(unused ? 0 : 128 * d);
      FKeep[k] = unused ? 0 : 0xFF;
    }
  }
  void Run(uint8_t* __restrict p, int64_t bytes) const {
    int64_t j = 0;
    for (; j + Block <= bytes; j += Block)
      for (int k = 0; k < Block; ++k) p[j + k] = One(p[j + k], k);
    for (int k = 0; j < bytes; ++j, ++k) p[j] = One(p[j], k);
  }

 private:
  uint8_t One(uint8_t v, int k) const {
    const int16_t t = static_cast<int16_t>(2 * (FColour[k] - v));
    return static_cast<uint8_t>((v + static_cast<int16_t>((int32_t{FWeight[k]} * t) >> 16)) & FKeep[k]);
  }
  int16_t FColour[Block], FWeight[Block];
  uint8_t FKeep[Block];
};

template <int Bytes>
void BlendSection(TDcPixels& pixels, int64_t l, int64_t t, int64_t r, int64_t b, uint32_t Color,
                  int32_t d) {
  const TSectionBlend<Bytes> blend(Color, d);
  for (int64_t y = t; y <= b; ++y)
    blend.Run(pixels.RowBytes(static_cast<int32_t>(y)) + l * Bytes, (r - l + 1) * Bytes);
}

// Corner pixel with weight w: ((c w) shr 8) + ((p (255 - w)) shr 8) per channel.
uint32_t WeighCorner(uint32_t Color, uint32_t p, int32_t w) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    int32_t c = (Color >> shift) & 0xFF, q = (p >> shift) & 0xFF;
    out |= static_cast<uint32_t>(((c * w) >> 8) + ((q * (255 - w)) >> 8)) << shift;
  }
  return out;
}

}  // namespace

uint32_t ResolveColor(uint32_t Color) {
  return ColorToRGB(Color);
}

int32_t LimitPercent(int32_t Percent) { return std::clamp(Percent, 0, 100); }

int32_t BlendWeight(int32_t Percent) {
  return static_cast<int32_t>(Round(LimitPercent(Percent) * 255 / 100.0));
}

uint32_t BlendColor(uint32_t Color, uint32_t Color2, int32_t Percent) {
  return TBlendTables(ResolveColor(Color), BlendWeight(Percent))(ResolveColor(Color2));
}

uint8_t MultiplyColor(uint8_t* Dest, uint32_t Color1, uint32_t Color2) {
  uint8_t out[3];
  for (int ch = 0; ch < 3; ++ch) {
    uint32_t a = (Color1 >> (8 * ch)) & 0xFF, b = (Color2 >> (8 * ch)) & 0xFF;
    out[ch] = static_cast<uint8_t>(a * b / 512 + (a >> 1));
  }
  if (Dest) std::copy(out, out + 3, Dest);
  return out[0];
}

void BlendRect(plat::HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t Color,
               int32_t Percent) {
  TDcPixels pixels(dc);
  int64_t l = x1, t = y1, r = x2, b = y2;
  if (!pixels.Clip(l, t, r, b)) return;
  const uint32_t color = ResolveColor(Color);
  if (pixels.Direct()) {
    if (pixels.PixelBytes() == 4) BlendSection<4>(pixels, l, t, r, b, color, BlendWeight(Percent));
    else BlendSection<3>(pixels, l, t, r, b, color, BlendWeight(Percent));
    return;
  }
  const TBlendTables blend(color, BlendWeight(Percent));
  for (int64_t y = t; y <= b; ++y)
    pixels.MapRow(static_cast<int32_t>(y), static_cast<int32_t>(l), static_cast<int32_t>(r), blend);
}

void BlendLine(plat::HDC dc, int32_t x1, int32_t y, int32_t x2, uint32_t Color, int32_t Percent) {
  BlendRect(dc, x1, y, x2, y, Color, Percent);
}

void DrawCornerFrameAlpha(plat::HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                          uint32_t Color, int32_t Percent) {
  if (x2 <= x1 || y2 <= y1) return;
  TDcPixels pixels(dc);
  const uint32_t color = ResolveColor(Color);
  const TBlendTables blend(color, BlendWeight(Percent));
  const int64_t L = x1, T = y1, R = int64_t{x2} - 1, B = int64_t{y2} - 1;
  // Edges: rows T and B from L + 2 to R - 2, columns L and R from T + 2 to B - 2.
  for (int64_t y : {T, B}) {
    int64_t a = L + 2, b = R - 2, yy = y, y2c = y;
    if (pixels.Clip(a, yy, b, y2c))
      pixels.MapRow(static_cast<int32_t>(y), static_cast<int32_t>(a), static_cast<int32_t>(b), blend);
  }
  for (int64_t x : {L, R}) {
    int64_t a = T + 2, b = B - 2, xx = x, x2c = x;
    if (!pixels.Clip(xx, a, x2c, b)) continue;
    for (int64_t y = a; y <= b; ++y)
      pixels.MapPixel(static_cast<int32_t>(x), static_cast<int32_t>(y), blend);
  }
  const int32_t A = BlendWeight(Percent);
  const int32_t wa = std::max(A - 20, 0), wb = std::max(A - 80, 0);
  // Each corner: the diagonal pixel with weight a, its two neighbours along the edges with b.
  const struct {
    int64_t x, y;
    int32_t w;
  } corners[] = {{L + 1, T + 1, wa}, {L + 2, T + 1, wb}, {L + 1, T + 2, wb},
                 {L + 1, B - 1, wa}, {L + 2, B - 1, wb}, {L + 1, B - 2, wb},
                 {R - 1, T + 1, wa}, {R - 2, T + 1, wb}, {R - 1, T + 2, wb},
                 {R - 1, B - 1, wa}, {R - 1, B - 2, wb}, {R - 2, B - 1, wb}};
  for (const auto& c : corners) {
    if (c.w == 0 || !pixels.Contains(c.x, c.y)) continue;
    pixels.MapPixel(static_cast<int32_t>(c.x), static_cast<int32_t>(c.y),
                    [&](uint32_t p) { return WeighCorner(color, p, c.w); });
  }
}

}  // namespace zkw
