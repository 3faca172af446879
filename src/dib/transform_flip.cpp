// In-place flips: rows (or columns) y and H - 1 - y exchanged, pixels moved unchanged, then the
// alpha companion flipped the same way.
#include <algorithm>

#include "dib/dib8.h"

namespace zkw {

namespace {

void FlipRows(TDibBaseObj& d) {
  if (d.FHandle == 0 || !d.DibData || d.FWidth <= 0 || d.FHeight <= 0) return;
  const size_t bytes = static_cast<size_t>(d.FWidth) * d.FBits;
  for (int32_t y = 0; y < d.FHeight / 2; ++y)
    std::swap_ranges(d.PixelAddress(0, y), d.PixelAddress(0, y) + bytes,
                     d.PixelAddress(0, d.FHeight - 1 - y));
}

// Pixels of `Bytes` bytes reversed in every row.
template <int Bytes>
void ReverseRows(TDibBaseObj& d) {
  for (int32_t y = 0; y < d.FHeight; ++y) {
    uint8_t* lo = d.PixelAddress(0, y);
    uint8_t* hi = d.PixelAddress(d.FWidth - 1, y);
    for (; lo < hi; lo += Bytes, hi -= Bytes) std::swap_ranges(lo, lo + Bytes, hi);
  }
}

void FlipColumns(TDibBaseObj& d) {
  if (d.FHandle == 0 || !d.DibData || d.FWidth <= 0 || d.FHeight <= 0) return;
  if (d.FBits == 1)
    ReverseRows<1>(d);
  else if (d.FBits == 3)
    ReverseRows<3>(d);
}

}  // namespace

void TDibBaseObj::FlipVertical() {
  if (FHandle == 0) return;
  FlipRows(*this);
  if (AlphaDib) FlipRows(*AlphaDib);
}

void TDibBaseObj::FlipHorizontal() {
  if (FHandle == 0) return;
  FlipColumns(*this);
  if (AlphaDib) FlipColumns(*AlphaDib);
}

}  // namespace zkw
