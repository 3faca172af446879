// How the plain transforms (scale, rotate, shear, run scaling) read source pixels and fill
// target rectangles: one typed reader per depth pair, chosen once per call, and the
// rectangle rules of the targets' Bar.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "common/round.h"
#include "dib/composite_clip.h"

namespace zkw {
namespace transform {

// Round (halves to even) for the per-pixel geometry: where doubles are computed in SSE
// registers, adding and removing 1.5 x 2^52 rounds in the current (nearest-even) mode exactly
// like nearbyint for |v| < 2^51, without a library call. Elsewhere (x87 arithmetic, whose wider
// registers would round at another bit) and for large values, Round itself.
inline int64_t RoundPixel(double v) {
#if defined(__SSE2_MATH__)
  constexpr double kMagic = 6755399441055744.0;
  if (v > -1e15 && v < 1e15) return static_cast<int64_t>((v + kMagic) - kMagic);
#endif
  return Round(v);
}

// Depth pairs the plain transforms draw: 8-bit indexes onto an 8-bit target, 8-bit indexes
// through the colour table onto a 24-bit target, 24-bit colours onto a 24-bit target.
enum class TPair { Idx8, Pal24, Rgb24 };

// A source pixel in the target's byte order: the index, or blue | green << 8 | red << 16.
template <TPair P>
struct TReader {
  static constexpr int kDst = P == TPair::Idx8 ? 1 : 3;
  static constexpr int kSrc = P == TPair::Rgb24 ? 3 : 1;
  const TSourceView& View;

  // Start of picture row y of the source.
  const uint8_t* Row(int64_t y) const { return View.Pixel(0, y); }
  // The colour of pixel i of a row; false for the transparent index of an 8-bit source (24-bit
  // sources have no colour key).
  bool Get(const uint8_t* row, int64_t i, uint32_t& c) const {
    if (P == TPair::Rgb24) {
      const uint8_t* s = row + 3 * i;
      c = s[0] | (s[1] << 8) | (static_cast<uint32_t>(s[2]) << 16);
      return true;
    }
    uint8_t idx = row[i];
    if (idx == View.Key) return false;
    if (P == TPair::Idx8) {
      c = idx;
    } else {
      const TRGBQuad& q = View.Pal[idx];
      c = q.rgbBlue | (q.rgbGreen << 8) | (static_cast<uint32_t>(q.rgbRed) << 16);
    }
    return true;
  }
};

template <int Bytes>
inline void PutRaw(uint8_t* d, uint32_t c) {
  d[0] = static_cast<uint8_t>(c);
  if (Bytes == 3) {
    d[1] = static_cast<uint8_t>(c >> 8);
    d[2] = static_cast<uint8_t>(c >> 16);
  }
}

// n pixels from d with one raw colour.
template <int Bytes>
inline void FillRaw(uint8_t* d, int64_t n, uint32_t c) {
  if (Bytes == 1) {
    std::memset(d, static_cast<int>(c & 0xFF), static_cast<size_t>(n));
    return;
  }
  for (int64_t i = 0; i < n; ++i, d += 3) PutRaw<3>(d, c);
}

// The rectangle (x1, y1)-(x2, y2) as the target's Bar takes it: an 8-bit image orders the
// corners, a 24-bit image draws nothing when they are reversed; then clipped to the image.
// False when nothing is left.
inline bool BarRect(const TDibBaseObj& t, int64_t& x1, int64_t& y1, int64_t& x2, int64_t& y2) {
  if (t.FBits == 1) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
  }
  x1 = std::max<int64_t>(x1, 0);
  y1 = std::max<int64_t>(y1, 0);
  x2 = std::min<int64_t>(x2, int64_t{t.FWidth} - 1);
  y2 = std::min<int64_t>(y2, int64_t{t.FHeight} - 1);
  return x1 <= x2 && y1 <= y2;
}

// Bar(x1, y1, x2, y2) with a raw colour, on a target of `Bytes` bytes per pixel.
template <int Bytes>
inline void BarRaw(TDibBaseObj& t, int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint32_t c) {
  if (!BarRect(t, x1, y1, x2, y2)) return;
  for (int64_t y = y1; y <= y2; ++y)
    FillRaw<Bytes>(t.PixelAddress(static_cast<int32_t>(x1), static_cast<int32_t>(y)),
                   x2 - x1 + 1, c);
}

// The column terms cos x u(i) and sin x u(i) of a kernel: the products depend on the column only,
// so they are computed once per call rather than once per pixel (the same products, so the same
// results). Sources wider than kMaxColumns compute them as they go.
constexpr int64_t kMaxColumns = 1 << 16;

template <class U>
struct TColumnTerms {
  double Cos, Sin;
  U Column;  // u(i) as a double
  std::vector<double> C, S;
  TColumnTerms(double cs, double sn, int64_t W, U column) : Cos(cs), Sin(sn), Column(column) {
    if (W > kMaxColumns) return;
    C.resize(static_cast<size_t>(W));
    S.resize(static_cast<size_t>(W));
    for (int64_t i = 0; i < W; ++i) {
      C[static_cast<size_t>(i)] = Cos * Column(i);
      S[static_cast<size_t>(i)] = Sin * Column(i);
    }
  }
  double CosAt(int64_t i) const { return C.empty() ? Cos * Column(i) : C[static_cast<size_t>(i)]; }
  double SinAt(int64_t i) const { return S.empty() ? Sin * Column(i) : S[static_cast<size_t>(i)]; }
};

// Calls run(reader) with the reader of this source onto this target; false (nothing run) when
// either image has no pixels or the pair is not drawn (24-bit sources onto 8-bit targets).
// `view` receives the source; it holds a copy when the source is the target.
template <class Run>
bool WithReader(const TDibBaseObj& target, const TDibBaseObj* Dib, TSourceView& view,
                Run&& run) {
  if (!HasPixels(&target) || !HasPixels(Dib)) return false;
  if (target.FBits == 1 && Dib->FBits != 1) return false;
  if (!ViewSource(Dib, &target, view)) return false;
  if (target.FBits == 1)
    run(TReader<TPair::Idx8>{view});
  else if (view.Bytes == 1)
    run(TReader<TPair::Pal24>{view});
  else
    run(TReader<TPair::Rgb24>{view});
  return true;
}

}  // namespace transform
}  // namespace zkw
