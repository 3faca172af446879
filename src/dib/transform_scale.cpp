// Percentage scaling of a source image into a target: shrinking puts one pixel per source
// pixel, enlarging one block per source pixel; the shadow variant darkens the target where
// the source's non-transparent pixels would fall. Source pixels are taken in picture order,
// so later pixels overwrite earlier ones.
#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/transform_source.h"

namespace zkw {

namespace {

using namespace transform;

// Scale of one depth pair: pixel (i, j) lands at (x + (i rx) div 100, y + (j ry) div 100).
template <class R>
void ScaleKernel(TDibBaseObj& t, const R& r, int64_t x, int64_t y, int64_t rx, int64_t ry) {
  constexpr int kDst = R::kDst;
  const int64_t W = r.View.Width, H = r.View.Height;
  uint32_t c;
  if (rx <= 100 && ry <= 100) {
    for (int64_t j = 0; j < H; ++j) {
      int64_t ty = y + (j * ry) / 100;
      if (ty < 0 || ty >= t.FHeight) continue;
      const uint8_t* row = r.Row(j);
      uint8_t* d = t.PixelAddress(0, static_cast<int32_t>(ty));
      for (int64_t i = 0; i < W; ++i) {
        int64_t tx = x + (i * rx) / 100;
        if (tx < 0 || tx >= t.FWidth || !r.Get(row, i, c)) continue;
        PutRaw<kDst>(d + tx * kDst, c);
      }
    }
    return;
  }
  // Enlarging: Bar from the pixel's corner to that + (rx div 100, ry div 100).
  const int64_t bw = rx / 100, bh = ry / 100;
  for (int64_t j = 0; j < H; ++j) {
    int64_t ty = y + (j * ry) / 100;
    if (std::max(ty, ty + bh) < 0 || std::min(ty, ty + bh) >= t.FHeight) continue;
    const uint8_t* row = r.Row(j);
    for (int64_t i = 0; i < W; ++i) {
      if (!r.Get(row, i, c)) continue;
      int64_t tx = x + (i * rx) / 100;
      BarRaw<kDst>(t, tx, ty, tx + bw, ty + bh, c);
    }
  }
}

void ScaleAny(TDibBaseObj& t, TDibBaseObj* Dib, int32_t x, int32_t y, int32_t rx, int32_t ry) {
  if (rx == 0 || ry == 0) return;
  TSourceView view;
  WithReader(t, Dib, view, [&](const auto& r) { ScaleKernel(t, r, x, y, rx, ry); });
}

// Shading of one target pixel, applied once per covering source pixel.
struct TShade {
  const uint8_t* Table;  // the shadow table of an 8-bit target, or the channel table of a 24-bit
  int32_t Bytes;
  void Run(uint8_t* p, int64_t n) const {
    for (int64_t k = 0; k < n * Bytes; ++k) p[k] = Table[p[k]];
  }
};

}  // namespace

void TDib8Bits::Scale(int32_t x, int32_t y, int32_t rx, int32_t ry, TDibBaseObj* Dib) {
  ScaleAny(*this, Dib, x, y, rx, ry);
}

void TDib24Bits::Scale(int32_t x, int32_t y, int32_t rx, int32_t ry, TDibBaseObj* Dib) {
  ScaleAny(*this, Dib, x, y, rx, ry);
}

void TDibBaseObj::ScaleShadow(uint16_t x, uint16_t y, int32_t rx, int32_t ry, uint16_t Shad,
                              TDibBaseObj* Dib) {
  if (rx == 0 || ry == 0 || !HasPixels(this) || !HasPixels(Dib)) return;
  if (FBits != 1 && FBits != 3) return;
  TSourceView view;
  if (!ViewSource(Dib, this, view)) return;
  // The target's own shading: PutShadPixel and BarShadow of its depth.
  uint8_t channel[256];
  TShade shade{channel, FBits};
  if (FBits == 1) {
    shade.Table = static_cast<TDib8Bits*>(this)->DarkPal;
  } else {
    for (int c = 0; c < 256; ++c) channel[c] = static_cast<uint8_t>(std::min(255, Shad * c / 100));
  }
  // Only where the source is not transparent; a 24-bit source has no colour key.
  auto covers = [&](const uint8_t* row, int64_t i) {
    return view.Bytes != 1 || row[i] != view.Key;
  };
  const int64_t W = view.Width, H = view.Height;
  if (rx <= 100 && ry <= 100) {
    for (int64_t j = 0; j < H; ++j) {
      int64_t ty = y + (j * ry) / 100;
      if (ty < 0 || ty >= FHeight) continue;
      const uint8_t* row = view.Pixel(0, j);
      for (int64_t i = 0; i < W; ++i) {
        int64_t tx = x + (i * rx) / 100;
        if (tx < 0 || tx >= FWidth || !covers(row, i)) continue;
        shade.Run(PixelAddress(static_cast<int32_t>(tx), static_cast<int32_t>(ty)), 1);
      }
    }
    return;
  }
  const int64_t bw = rx / 100, bh = ry / 100;
  for (int64_t j = 0; j < H; ++j) {
    const uint8_t* row = view.Pixel(0, j);
    int64_t ty = y + (j * ry) / 100;
    for (int64_t i = 0; i < W; ++i) {
      if (!covers(row, i)) continue;
      int64_t x1 = x + (i * rx) / 100, y1 = ty, x2 = x1 + bw, y2 = ty + bh;
      if (!BarRect(*this, x1, y1, x2, y2)) continue;
      for (int64_t yy = y1; yy <= y2; ++yy)
        shade.Run(PixelAddress(static_cast<int32_t>(x1), static_cast<int32_t>(yy)), x2 - x1 + 1);
    }
  }
}

}  // namespace zkw
