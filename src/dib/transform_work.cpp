// The work image of the blended transforms and the scaled fills that write into it.
#include "dib/transform_work.h"

#include <algorithm>
#include <cstring>

#include "dib/composite_kernels.h"
#include "dib/dib24.h"
#include "dib/dib8.h"

namespace zkw {
namespace transform {

namespace {

// Fills n pixels with the marker colour by doubling copies.
void FillMarker(uint8_t* p, size_t n) {
  if (n == 0) return;
  p[0] = kMarkerB;
  p[1] = kMarkerG;
  p[2] = kMarkerR;
  size_t done = 1;
  while (done < n) {
    size_t part = std::min(done, n - done);
    std::memcpy(p + 3 * done, p, 3 * part);
    done += part;
  }
}

// The window [lo, hi) of a virtual axis of `size` pixels placed at `pos` on a target axis of
// `limit` pixels.
void Window(int64_t pos, int64_t size, int64_t limit, int64_t& lo, int64_t& hi) {
  lo = std::max<int64_t>(0, -pos);
  hi = std::min<int64_t>(size, limit - pos);
}

}  // namespace

TWorkImage::TWorkImage(const TDibBaseObj& target, int64_t PosX, int64_t PosY, int64_t SizeX,
                       int64_t SizeY) {
  if (!HasPixels(&target) || SizeX < 1 || SizeY < 1) return;
  int64_t x0, x1, y0, y1;
  Window(PosX, SizeX, target.FWidth, x0, x1);
  Window(PosY, SizeY, target.FHeight, y0, y1);
  if (x0 >= x1 || y0 >= y1) return;
  const int64_t w = x1 - x0, h = y1 - y0;
  FPixels.resize(static_cast<size_t>(3 * w * h));
  FAlpha.assign(static_cast<size_t>(w * h), 0);
  FillMarker(FPixels.data(), static_cast<size_t>(w * h));
  FView.Top = FPixels.data();
  FView.Stride = static_cast<ptrdiff_t>(3 * w);
  FView.AlphaTop = FAlpha.data();
  FView.AlphaStride = static_cast<ptrdiff_t>(w);
  FView.Width = w;
  FView.Height = h;
  FView.OrgX = x0;
  FView.OrgY = y0;
  FPosX = PosX + x0;
  FPosY = PosY + y0;
}

void TWorkImage::MergeOnto(TDibBaseObj& target, uint16_t AMerge) const {
  if (Empty()) return;
  // The window as a 24-bit source with alpha (top-down rows: the view's stride is negative).
  TSourceView src;
  const int64_t w = FView.Width, h = FView.Height;
  src.Data = FView.Top + (h - 1) * FView.Stride;
  src.Stride = -FView.Stride;
  src.Width = static_cast<int32_t>(w);
  src.Height = static_cast<int32_t>(h);
  src.Bytes = 3;
  src.Alpha = FView.AlphaTop + (h - 1) * FView.AlphaStride;
  src.AlphaStride = -FView.AlphaStride;
  TPieceAxis ax = PieceAxis(0, src.Width, src.Width, 1);
  TPieceAxis ay = PieceAxis(0, src.Height, src.Height, 1);
  ax.Place(FPosX, target.FWidth);
  ay.Place(FPosY, target.FHeight);
  if (ax.Empty() || ay.Empty()) return;
  kernels::WithRule24(src, kernels::TRuleSet::Merge, ClampRate(AMerge), [&](const auto& rule) {
    kernels::DrawRect(target, src, FPosX, FPosY, ax, ay, rule);
  });
}

bool WorkViewOf(TDib24Bits& dib, TWorkView& view) {
  if (!HasPixels(&dib) || dib.FBits != 3) return false;
  view = TWorkView{};
  view.Top = dib.PixelAddress(0, 0);
  view.Stride = -static_cast<ptrdiff_t>(dib.FDWidth);
  const TDib8Bits* alpha = dib.AlphaDib;
  if (alpha && HasPixels(alpha) && alpha->FWidth == dib.FWidth && alpha->FHeight == dib.FHeight) {
    view.AlphaTop = alpha->PixelAddress(0, 0);
    view.AlphaStride = -static_cast<ptrdiff_t>(alpha->FDWidth);
  }
  view.Width = dib.FWidth;
  view.Height = dib.FHeight;
  return true;
}

void FillUnwritten(const TWorkView& w, int64_t u1, int64_t v1, int64_t u2, int64_t v2,
                   const TRGBQuad& colour, uint8_t alpha) {
  u1 = std::max<int64_t>(u1 - w.OrgX, 0);
  v1 = std::max<int64_t>(v1 - w.OrgY, 0);
  u2 = std::min<int64_t>(u2 - w.OrgX, w.Width - 1);
  v2 = std::min<int64_t>(v2 - w.OrgY, w.Height - 1);
  FillUnwrittenInside(w, u1, v1, u2, v2, colour, alpha);
}

namespace {

// The colour of pixel i of a source row: through the colour table of an 8-bit source, as stored
// in a 24-bit one. The fills take the depth as a template argument, chosen once per call.
template <int Bytes>
inline TRGBQuad SourceColour(const TSourceView& src, const uint8_t* s, int64_t i) {
  if constexpr (Bytes == 1) {
    return src.Pal[s[i]];
  } else {
    const uint8_t* p = s + 3 * i;
    return TRGBQuad{p[0], p[1], p[2], 0};
  }
}

template <int Bytes>
void FillSmall(const TWorkView& w, const TSourceView& src, int64_t xx, int64_t yy, int64_t pw,
               int64_t ph, int64_t rx, int64_t ry) {
  // The colour walk (first writer wins) and the alpha walk (running mix) read nothing of each
  // other, so one pass in picture order does both.
  for (int64_t j = 0; j < ph; ++j) {
    int64_t v = (j * ry) / 100 - w.OrgY;
    if (v < 0 || v >= w.Height) continue;
    const uint8_t* s = src.Pixel(xx, yy + j);
    const uint8_t* sa = src.AlphaAt(xx, yy + j);
    uint8_t* row = w.Pixel(0, v);
    uint8_t* arow = w.AlphaTop ? w.Alpha(0, v) : nullptr;
    for (int64_t i = 0; i < pw; ++i) {
      int64_t u = (i * rx) / 100 - w.OrgX;
      if (u < 0 || u >= w.Width) continue;
      uint8_t* p = row + 3 * u;
      if (Unwritten(p)) {
        const TRGBQuad q = SourceColour<Bytes>(src, s, i);
        p[0] = q.rgbBlue;
        p[1] = q.rgbGreen;
        p[2] = q.rgbRed;
      }
      if (arow) arow[u] = MixAlpha(arow[u], sa ? sa[i] : 255);
    }
  }
}

template <int Bytes>
void FillBig(const TWorkView& w, const TSourceView& src, int64_t xx, int64_t yy, int64_t pw,
             int64_t ph, int64_t rx, int64_t ry) {
  const int64_t bw = rx / 100, bh = ry / 100;
  for (int64_t j = 0; j < ph; ++j) {
    int64_t v = (j * ry) / 100;
    if (v + bh < w.OrgY || v >= w.OrgY + w.Height) continue;
    const uint8_t* s = src.Pixel(xx, yy + j);
    const uint8_t* sa = src.AlphaAt(xx, yy + j);
    for (int64_t i = 0; i < pw; ++i) {
      int64_t u = (i * rx) / 100;
      if (u + bw < w.OrgX || u >= w.OrgX + w.Width) continue;
      FillUnwritten(w, u, v, u + bw, v + bh, SourceColour<Bytes>(src, s, i), sa ? sa[i] : 255);
    }
  }
}

}  // namespace

void FillScaledSmall(const TWorkView& w, const TSourceView& src, int64_t xx, int64_t yy,
                     int64_t pw, int64_t ph, int64_t rx, int64_t ry) {
  if (src.Bytes == 3)
    FillSmall<3>(w, src, xx, yy, pw, ph, rx, ry);
  else
    FillSmall<1>(w, src, xx, yy, pw, ph, rx, ry);
}

void FillScaledBig(const TWorkView& w, const TSourceView& src, int64_t xx, int64_t yy,
                   int64_t pw, int64_t ph, int64_t rx, int64_t ry) {
  if (src.Bytes == 3)
    FillBig<3>(w, src, xx, yy, pw, ph, rx, ry);
  else
    FillBig<1>(w, src, xx, yy, pw, ph, rx, ry);
}

}  // namespace transform
}  // namespace zkw
