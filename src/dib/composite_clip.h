// What every compositing operation works from: a read-only view of the source image (pixels,
// colour table, alpha companion, colour key) and the clipped mapping of a piece onto the
// target, one axis at a time.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "dib/dib_base.h"

namespace zkw {

// Number of entries of an offset table line (as GetLine and GetSinLine fill them).
constexpr int32_t kLineOffsetCount = 1025;

// A source image as the kernels read it.
struct TSourceView {
  const uint8_t* Data = nullptr;
  ptrdiff_t Stride = 0;
  int32_t Width = 0, Height = 0;
  int32_t Bytes = 0;                  // 1 or 3
  const TRGBQuad* Pal = nullptr;      // colour table of an 8-bit source
  uint8_t Key = 0;                    // transparent index of an 8-bit source
  const uint8_t* Alpha = nullptr;     // alpha companion pixels, or null
  ptrdiff_t AlphaStride = 0;
  std::vector<uint8_t> Copy;          // private copy when source and target are one image

  const uint8_t* Pixel(int64_t x, int64_t y) const {
    return Data + (Height - 1 - y) * Stride + x * Bytes;
  }
  const uint8_t* AlphaAt(int64_t x, int64_t y) const {
    return Alpha ? Alpha + (Height - 1 - y) * AlphaStride + x : nullptr;
  }
};

// True when an image has pixels to draw into or from.
inline bool HasPixels(const TDibBaseObj* dib) {
  return dib && dib->FHandle != 0 && dib->DibData && dib->FWidth > 0 && dib->FHeight > 0 &&
         (dib->FBits == 3 || (dib->FBits == 1 && dib->DibPal));
}

// Fills `view` from Dib; false when Dib has no pixels. An alpha companion counts only when it
// is an 8-bit image of the source's size. When Dib is the target itself its pixels are copied
// first, so the draw reads the image as it was before the call.
bool ViewSource(const TDibBaseObj* Dib, const TDibBaseObj* target, TSourceView& view);

// One axis of a piece: piece indexes Lo..Hi are drawn (none when Lo > Hi); index i shows source
// coordinate Src(i). Len is the piece length after limiting it to the source, the base of the
// mirrored mapping; clipping only narrows Lo..Hi.
struct TPieceAxis {
  int64_t Lo = 0, Hi = -1;
  int64_t Start = 0, Len = 0;
  bool Mirror = false;

  int64_t Src(int64_t i) const { return Mirror ? Start + Len - 1 - i : Start + i; }
  int64_t Step() const { return Mirror ? -1 : 1; }
  void Restrict(int64_t lo, int64_t hi) {
    Lo = std::max(Lo, lo);
    Hi = std::min(Hi, hi);
  }
  // Keeps the indexes whose target position pos + i lies in 0..size - 1.
  void Place(int64_t pos, int32_t size) { Restrict(-pos, int64_t{size} - 1 - pos); }
  bool Empty() const { return Lo > Hi; }
  int32_t Count() const { return Empty() ? 0 : static_cast<int32_t>(Hi - Lo + 1); }
};

// The axis of a piece starting at `start` of length `len` in a source of `srcSize` pixels,
// mirrored when `flag` < 0; only indexes inside the source are kept.
TPieceAxis PieceAxis(int32_t start, int32_t len, int32_t srcSize, int32_t flag);

// Blend amounts of one call: the percentage limited to 0..100 and its 256-step form
// A = Round(Rate x 256 / 100), at most 255.
int32_t ClampRate(int64_t Rate);
int32_t Rate256(int32_t rate);

}  // namespace zkw
