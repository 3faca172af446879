// Flood fill: scanline spans on an explicit stack of bounded size. Filled pixels are told from
// unfilled ones by their value (the fill colour differs from the seed value, otherwise nothing
// is filled) and, for the sweep after a stack overflow, by a bit per pixel.
#include "dib/draw_flood.h"

#include <algorithm>
#include <vector>

#include "dib/dib_base.h"

namespace zkw {

namespace {

struct TSpan {
  int32_t y, xl, xr;  // scan row y from xl to xr for seed pixels
};

class TFloodFill {
 public:
  TFloodFill(TDibBaseObj& dib, uint32_t seed, uint32_t color, size_t cap)
      : dib_(dib),
        seed_(seed),
        color_(color),
        cap_(std::max<size_t>(cap, 1)),
        words_((static_cast<size_t>(dib.FWidth) + 63) / 64),
        filled_(words_ * static_cast<size_t>(dib.FHeight), 0) {
    stack_.reserve(std::min<size_t>(cap_, 4096));
  }

  // The seed pixel has been written already; fill its run and everything reachable.
  void Run(int32_t x, int32_t y) {
    Mark(x, y);
    FillRunAround(x, x, y);
    Drain();
    while (overflowed_) {
      overflowed_ = false;
      Sweep();
      Drain();
    }
  }

 private:
  bool IsSeed(int32_t x, int32_t y) const { return dib_.GetPixel(x, y) == seed_; }
  bool Filled(int32_t x, int32_t y) const {
    return (filled_[static_cast<size_t>(y) * words_ + (x >> 6)] >> (x & 63)) & 1;
  }
  void Mark(int32_t x, int32_t y) {
    filled_[static_cast<size_t>(y) * words_ + (x >> 6)] |= uint64_t{1} << (x & 63);
  }
  void Fill(int32_t x, int32_t y) {
    dib_.PutPixel(x, y, color_);
    Mark(x, y);
  }

  void Push(int32_t y, int32_t xl, int32_t xr) {
    if (y < 0 || y >= dib_.FHeight) return;
    if (stack_.size() >= cap_) {
      overflowed_ = true;  // the sweep finds this part again
      return;
    }
    stack_.push_back({y, xl, xr});
  }

  // Extends the filled stretch [l, r] of row y over the seed pixels on both sides, fills them
  // and queues the rows above and below.
  void FillRunAround(int32_t l, int32_t r, int32_t y) {
    while (l > 0 && IsSeed(l - 1, y)) Fill(--l, y);
    while (r + 1 < dib_.FWidth && IsSeed(r + 1, y)) Fill(++r, y);
    Push(y - 1, l, r);
    Push(y + 1, l, r);
  }

  void Scan(const TSpan& s) {
    for (int32_t x = s.xl; x <= s.xr; ++x) {
      if (!IsSeed(x, s.y)) continue;
      Fill(x, s.y);
      FillRunAround(x, x, s.y);
      while (x <= s.xr && Filled(x, s.y)) ++x;
    }
  }

  void Drain() {
    while (!stack_.empty()) {
      TSpan s = stack_.back();
      stack_.pop_back();
      Scan(s);
    }
  }

  // After an overflow: every run of seed pixels that touches a filled pixel belongs to the
  // region; queue it (draining whenever the stack is full).
  void Sweep() {
    const int32_t w = dib_.FWidth, h = dib_.FHeight;
    for (int32_t y = 0; y < h; ++y) {
      for (int32_t x = 0; x < w;) {
        if (!IsSeed(x, y)) {
          ++x;
          continue;
        }
        int32_t a = x;
        bool touches = a > 0 && Filled(a - 1, y);
        while (x < w && IsSeed(x, y)) {
          if ((y > 0 && Filled(x, y - 1)) || (y + 1 < h && Filled(x, y + 1))) touches = true;
          ++x;
        }
        if (x < w && Filled(x, y)) touches = true;
        if (!touches) continue;
        if (stack_.size() >= cap_) Drain();
        stack_.push_back({y, a, a});
      }
    }
  }

  TDibBaseObj& dib_;
  uint32_t seed_, color_;
  size_t cap_;
  size_t words_;
  std::vector<uint64_t> filled_;
  std::vector<TSpan> stack_;
  bool overflowed_ = false;
};

}  // namespace

size_t FloodStackCap(int32_t width, int32_t height) {
  return 4 * (static_cast<size_t>(std::max(width, 0)) + static_cast<size_t>(std::max(height, 0))) +
         64;
}

void FloodFillSpans(TDibBaseObj& dib, int32_t x, int32_t y, uint32_t AColor, size_t maxSpans) {
  if (!dib.Inside(x, y)) return;
  uint32_t seed = dib.GetPixel(x, y);
  dib.PutPixel(x, y, AColor);
  // Writing the fill colour left the seed value: the region already has that colour.
  if (dib.GetPixel(x, y) == seed) return;
  TFloodFill(dib, seed, AColor, maxSpans).Run(x, y);
}

void TDibBaseObj::FloodFill(int32_t x, int32_t y, uint32_t AColor) {
  FloodFillSpans(*this, x, y, AColor, FloodStackCap(FWidth, FHeight));
}

}  // namespace zkw
