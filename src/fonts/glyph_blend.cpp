// The coverage blend of glyph cells: one rectangle of an 8-bit coverage plane blended into a
// 24-bit image in a colour, row by row on raw pixel memory.
#include <algorithm>

#include "common/round.h"
#include "fonts/dib_font.h"

namespace zkw {

namespace {

// Blends n source coverages into n destination pixels (blue, green, red). e[c] is the share
// kept of the old channel, add[k][c] the share of colour channel k, both for coverage c.
inline void BlendRow(const uint8_t* src, uint8_t* dst, int32_t n, const uint16_t* keep,
                     const uint8_t (*add)[256]) {
  for (int32_t i = 0; i < n; ++i, dst += 3) {
    uint32_t c = src[i];
    if (c == 0) continue;
    uint32_t e = keep[c];
    dst[0] = static_cast<uint8_t>(((dst[0] * e) >> 8) + add[0][c]);
    dst[1] = static_cast<uint8_t>(((dst[1] * e) >> 8) + add[1][c]);
    dst[2] = static_cast<uint8_t>(((dst[2] * e) >> 8) + add[2][c]);
  }
}

}  // namespace

void TDibFont::OutDibChar(TDibBaseObj* Dib, int32_t x, int32_t y, int32_t ox, int32_t oy,
                          int32_t w, int32_t h, uint32_t AColor, TDibBaseObj* DesDib,
                          uint16_t Rate) {
  if (!Dib || !DesDib || Dib->Handle() == 0 || DesDib->Handle() == 0) return;
  if (Dib->Bits() != 1 || DesDib->Bits() != 3) return;
  // Clip rectangle: the destination image and FontClipRect, right and bottom exclusive.
  int64_t left = std::max<int64_t>(0, FontClipRect.left);
  int64_t top = std::max<int64_t>(0, FontClipRect.top);
  int64_t right = std::min<int64_t>(DesDib->Width(), FontClipRect.right);
  int64_t bottom = std::min<int64_t>(DesDib->Height(), FontClipRect.bottom);
  if (left >= right || top >= bottom) return;
  int64_t sx = ox, sy = oy, dx = x, dy = y, cw = w, ch = h;
  // Inside the source plane.
  if (sx < 0) { dx -= sx; cw += sx; sx = 0; }
  if (sy < 0) { dy -= sy; ch += sy; sy = 0; }
  cw = std::min<int64_t>(cw, Dib->Width() - sx);
  ch = std::min<int64_t>(ch, Dib->Height() - sy);
  // Inside the clip rectangle: columns and rows cut on the left and top start the source later.
  if (dx < left) { sx += left - dx; cw -= left - dx; dx = left; }
  if (dy < top) { sy += top - dy; ch -= top - dy; dy = top; }
  cw = std::min<int64_t>(cw, right - dx);
  ch = std::min<int64_t>(ch, bottom - dy);
  if (cw <= 0 || ch <= 0) return;

  // alpha = Round(Rate x 256 / 100); rates above 100 count as 100.
  int32_t alpha = static_cast<int32_t>(std::min<int64_t>(Round(Rate * 256.0 / 100.0), 256));
  uint16_t keep[256];
  uint8_t add[3][256];
  const uint32_t comp[3] = {(AColor >> 16) & 0xFF, (AColor >> 8) & 0xFF, AColor & 0xFF};
  for (int32_t c = 0; c < 256; ++c) {
    uint32_t d = static_cast<uint32_t>(c * alpha) >> 8;
    keep[c] = static_cast<uint16_t>(255 - d);
    for (int k = 0; k < 3; ++k) add[k][c] = static_cast<uint8_t>((comp[k] * d) >> 8);
  }
  // Picture row r of a bottom-up image lies at DibData + (Height - r - 1) x stride.
  const uint8_t* src = Dib->PixelAddress(static_cast<int32_t>(sx), static_cast<int32_t>(sy));
  uint8_t* dst = DesDib->PixelAddress(static_cast<int32_t>(dx), static_cast<int32_t>(dy));
  const intptr_t srcStep = Dib->AlignedWidth(), dstStep = DesDib->AlignedWidth();
  for (int64_t r = 0; r < ch; ++r, src -= srcStep, dst -= dstStep)
    BlendRow(src, dst, static_cast<int32_t>(cw), keep, add);
}

}  // namespace zkw
