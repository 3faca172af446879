// Rotation by whole degrees (clockwise on screen) about the source's centre, plain and with
// scaling. Each non-transparent source pixel is put as a small bar, which closes most of the
// gaps a forward mapping leaves.
#include <cmath>

#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/transform_source.h"

namespace zkw {

namespace {

using namespace transform;

constexpr double kPi = 3.14159265358979323846;

// Whether the bar (x1, y1)-(x1 + bw, y1 + bh), bw and bh >= 0, lies inside the target.
inline bool Inside(const TDibBaseObj& t, int64_t x1, int64_t y1, int64_t bw, int64_t bh) {
  return x1 >= 0 && y1 >= 0 && x1 + bw < t.FWidth && y1 + bh < t.FHeight;
}

// Pixel (i, j), dx = i - W div 2, dy = j - H div 2, lands at
// (x + W div 2 + Round(cos dx - sin dy), y + H div 2 + Round(sin dx + cos dy)) as two pixels.
template <class R>
void RotateKernel(TDibBaseObj& t, const R& r, int64_t x, int64_t y, int32_t Angle) {
  const double theta = Angle * kPi / 180;
  const double cs = std::cos(theta), sn = std::sin(theta);
  const int64_t W = r.View.Width, H = r.View.Height;
  const int64_t cx = W / 2, cy = H / 2;
  const TColumnTerms terms(cs, sn, W, [cx](int64_t i) { return static_cast<double>(i - cx); });
  uint32_t c;
  for (int64_t j = 0; j < H; ++j) {
    const uint8_t* row = r.Row(j);
    const double dy = static_cast<double>(j - cy);
    const double sdy = sn * dy, cdy = cs * dy;
    for (int64_t i = 0; i < W; ++i) {
      if (!r.Get(row, i, c)) continue;
      int64_t tx = x + cx + RoundPixel(terms.CosAt(i) - sdy);
      int64_t ty = y + cy + RoundPixel(terms.SinAt(i) + cdy);
      if (Inside(t, tx, ty, 1, 0)) {
        uint8_t* d = t.PixelAddress(static_cast<int32_t>(tx), static_cast<int32_t>(ty));
        PutRaw<R::kDst>(d, c);
        PutRaw<R::kDst>(d + R::kDst, c);
      } else {
        BarRaw<R::kDst>(t, tx, ty, tx + 1, ty, c);
      }
    }
  }
}

// Pixel (i, j), u = (i - W div 2) rx / 100, v = (j - H div 2) ry / 100, lands at
// px = Trunc(cos u - sin v) + x + (rx (W div 2)) div 100, py likewise, as the bar
// (px, py)-(px + rx div 100 + 1, py + ry div 100 + 1).
template <class R>
void ScaleRotateKernel(TDibBaseObj& t, const R& r, int64_t x, int64_t y, int64_t rx,
                       int64_t ry, uint16_t Angle) {
  const double theta = Angle * kPi / 180;
  const double cs = std::cos(theta), sn = std::sin(theta);
  const int64_t W = r.View.Width, H = r.View.Height;
  const int64_t ox = x + (rx * (W / 2)) / 100, oy = y + (ry * (H / 2)) / 100;
  const int64_t bw = rx / 100 + 1, bh = ry / 100 + 1;
  const TColumnTerms terms(cs, sn, W, [W, rx](int64_t i) {
    return static_cast<double>(i - W / 2) * static_cast<double>(rx) / 100;
  });
  // Bars inside the target are filled row by row here; the others (clipped, or reversed by a
  // negative scale) go through BarRaw.
  const bool plainBars = bw >= 0 && bh >= 0;
  const ptrdiff_t up = -static_cast<ptrdiff_t>(t.FDWidth);  // picture row y + 1 from row y
  uint32_t c;
  for (int64_t j = 0; j < H; ++j) {
    const uint8_t* row = r.Row(j);
    const double v = static_cast<double>(j - H / 2) * static_cast<double>(ry) / 100;
    const double sv = sn * v, cv = cs * v;
    for (int64_t i = 0; i < W; ++i) {
      if (!r.Get(row, i, c)) continue;
      int64_t px = static_cast<int64_t>(std::trunc(terms.CosAt(i) - sv)) + ox;
      int64_t py = static_cast<int64_t>(std::trunc(terms.SinAt(i) + cv)) + oy;
      if (plainBars && Inside(t, px, py, bw, bh)) {
        uint8_t* d = t.PixelAddress(static_cast<int32_t>(px), static_cast<int32_t>(py));
        for (int64_t k = 0; k <= bh; ++k, d += up) FillRaw<R::kDst>(d, bw + 1, c);
      } else {
        BarRaw<R::kDst>(t, px, py, px + bw, py + bh, c);
      }
    }
  }
}

void RotateAny(TDibBaseObj& t, TDibBaseObj* Dib, int32_t x, int32_t y, int32_t Angle) {
  TSourceView view;
  WithReader(t, Dib, view, [&](const auto& r) { RotateKernel(t, r, x, y, Angle); });
}

void ScaleRotateAny(TDibBaseObj& t, TDibBaseObj* Dib, int32_t x, int32_t y, int32_t rx,
                    int32_t ry, uint16_t Angle) {
  if (rx == 0 || ry == 0) return;
  TSourceView view;
  WithReader(t, Dib, view, [&](const auto& r) { ScaleRotateKernel(t, r, x, y, rx, ry, Angle); });
}

}  // namespace

void TDib8Bits::Rotate(int32_t x, int32_t y, int32_t Angle, TDibBaseObj* Dib) {
  RotateAny(*this, Dib, x, y, Angle);
}

void TDib24Bits::Rotate(int32_t x, int32_t y, int32_t Angle, TDibBaseObj* Dib) {
  RotateAny(*this, Dib, x, y, Angle);
}

void TDib8Bits::ScaleRotate(int32_t x, int32_t y, int32_t rx, int32_t ry, uint16_t Angle,
                            TDibBaseObj* Dib) {
  ScaleRotateAny(*this, Dib, x, y, rx, ry, Angle);
}

void TDib24Bits::ScaleRotate(int32_t x, int32_t y, int32_t rx, int32_t ry, uint16_t Angle,
                             TDibBaseObj* Dib) {
  ScaleRotateAny(*this, Dib, x, y, rx, ry, Angle);
}

}  // namespace zkw
