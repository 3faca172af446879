// Running-sum box passes. A line of n pixels is seen extended by Radius copies of each end
// pixel; the copies are counted, not stored, so work memory follows the image, not Radius.
#include "colour/box_blur.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace zkw {

namespace {

// Exact floor(s / k) for 0 <= s < 2^32 / k by a multiply: used while 255 k^2 < 2^32.
struct TReciprocal {
  uint64_t M;
  explicit TReciprocal(uint64_t k) : M((uint64_t{1} << 32) / k + 1) {}
  uint32_t operator()(uint64_t s) const { return static_cast<uint32_t>((s * M) >> 32); }
};
struct TDivide {
  uint64_t K;
  uint32_t operator()(uint64_t s) const { return static_cast<uint32_t>(s / K); }
};

// One box pass over Lanes lines of n pixels held in `line` (pixel i of lane j at
// line[(i * Lanes + j) * 3]), results written through put(i, lane, b, g, r). `line` keeps the
// old values while the results are written elsewhere.
template <class Div, class Put>
void BoxLanes(const uint8_t* line, int64_t n, int32_t Lanes, int64_t R, const Div& div,
              std::vector<uint64_t>& sums, Put&& put) {
  auto px = [&](int64_t i, int32_t lane) { return line + (i * Lanes + lane) * 3; };
  sums.assign(static_cast<size_t>(Lanes) * 3, 0);
  // The window of pixel 0: (R + 1) copies of the first pixel, pixels 1 .. m, and R - m copies
  // of the last pixel.
  const int64_t m = std::min(R, n - 1);
  for (int32_t lane = 0; lane < Lanes; ++lane)
    for (int ch = 0; ch < 3; ++ch) {
      uint64_t s = static_cast<uint64_t>(R + 1) * px(0, lane)[ch];
      for (int64_t i = 1; i <= m; ++i) s += px(i, lane)[ch];
      s += static_cast<uint64_t>(R - m) * px(n - 1, lane)[ch];
      sums[lane * 3 + ch] = s;
    }
  for (int64_t i = 0; i < n; ++i) {
    const int64_t in = std::min(i + R + 1, n - 1), out = std::max<int64_t>(i - R, 0);
    for (int32_t lane = 0; lane < Lanes; ++lane) {
      uint64_t* s = &sums[lane * 3];
      put(i, lane, div(s[0]), div(s[1]), div(s[2]));
      const uint8_t *a = px(in, lane), *b = px(out, lane);
      s[0] += a[0] - b[0];
      s[1] += a[1] - b[1];
      s[2] += a[2] - b[2];
    }
  }
}

template <class Div>
void HorizontalPasses(TRowBitmap& bm, int64_t R, int32_t Passes, const Div& div) {
  const int64_t w = bm.Width();
  std::vector<uint8_t> copy(static_cast<size_t>(w) * 3);
  std::vector<uint64_t> sums;
  for (int32_t y = 0; y < bm.Height(); ++y) {
    uint8_t* row = bm.ScanLine(y);
    for (int32_t p = 0; p < Passes; ++p) {
      std::memcpy(copy.data(), row, copy.size());
      BoxLanes(copy.data(), w, 1, R, div, sums, [&](int64_t i, int32_t, uint32_t b, uint32_t g, uint32_t r) {
        uint8_t* q = row + i * 3;
        q[0] = static_cast<uint8_t>(b);
        q[1] = static_cast<uint8_t>(g);
        q[2] = static_cast<uint8_t>(r);
      });
    }
  }
}

// Columns in strips of up to 32, each strip gathered so that its rows are contiguous.
template <class Div>
void VerticalPasses(TRowBitmap& bm, int64_t R, int32_t Passes, const Div& div) {
  constexpr int32_t kStrip = 32;
  const int64_t h = bm.Height();
  std::vector<uint8_t> strip(static_cast<size_t>(h) * kStrip * 3);
  std::vector<uint64_t> sums;
  for (int32_t x0 = 0; x0 < bm.Width(); x0 += kStrip) {
    const int32_t lanes = std::min(kStrip, bm.Width() - x0);
    for (int32_t p = 0; p < Passes; ++p) {
      for (int64_t y = 0; y < h; ++y)
        std::memcpy(&strip[y * lanes * 3], bm.ScanLine(static_cast<int32_t>(y)) + x0 * 3,
                    static_cast<size_t>(lanes) * 3);
      BoxLanes(strip.data(), h, lanes, R, div, sums,
               [&](int64_t i, int32_t lane, uint32_t b, uint32_t g, uint32_t r) {
                 uint8_t* q = bm.ScanLine(static_cast<int32_t>(i)) + (x0 + lane) * 3;
                 q[0] = static_cast<uint8_t>(b);
                 q[1] = static_cast<uint8_t>(g);
                 q[2] = static_cast<uint8_t>(r);
               });
    }
  }
}

template <class Div>
void BoxPasses(TRowBitmap& bm, int64_t R, int32_t Passes, const Div& div) {
  HorizontalPasses(bm, R, Passes, div);
  if (Passes >= 0) VerticalPasses(bm, R, Passes + 1, div);
}

void Grey(TRowBitmap& bm) {
  for (int32_t y = 0; y < bm.Height(); ++y) {
    uint8_t* p = bm.ScanLine(y);
    for (int32_t x = 0; x < bm.Width(); ++x, p += 3) {
      uint8_t v = static_cast<uint8_t>((p[0] + p[1] + p[2]) / 3);
      p[0] = p[1] = p[2] = v;
    }
  }
}

}  // namespace

void FXBoxBlur(TRowBitmap* Bitmap, int32_t Radius, int32_t Passes) {
  if (!Bitmap || Radius <= 0 || Bitmap->BitCount() != 24) return;
  const uint64_t k = 2 * static_cast<uint64_t>(Radius) + 1;
  if (255 * k * k < (uint64_t{1} << 32))
    BoxPasses(*Bitmap, Radius, Passes, TReciprocal(k));
  else
    BoxPasses(*Bitmap, Radius, Passes, TDivide{k});
  Grey(*Bitmap);
}

}  // namespace zkw
