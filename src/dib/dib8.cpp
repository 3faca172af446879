#include "dib/dib8.h"

#include <cstring>

#include "dib/palette.h"

namespace zkw {

TDib8Bits::TDib8Bits() : TDibBaseObj(1), DarkPalAddr(DarkPal) {}

uint32_t TDib8Bits::GetPixel(int32_t x, int32_t y) {
  if (!Inside(x, y)) return 0;
  return *PixelAddress(x, y);
}

uint32_t TDib8Bits::GetPixelEx(int32_t x, int32_t y) {
  if (!Inside(x, y) || !DibPal) return 0;
  return RGBQuadToColorRef(DibPal[*PixelAddress(x, y)]);
}

void TDib8Bits::PutPixel(int32_t x, int32_t y, uint32_t Color) {
  if (Inside(x, y)) *PixelAddress(x, y) = static_cast<uint8_t>(Color);
}

void TDib8Bits::PutShadPixel(int32_t x, int32_t y, int32_t /*Shad*/) {
  if (!Inside(x, y)) return;
  uint8_t* p = PixelAddress(x, y);
  *p = DarkPal[*p];
}

void TDib8Bits::MakeExtraPalette(int32_t Rat) {
  if (FHandle == 0 || !DibPal) return;
  auto shift = [Rat](uint8_t c) -> uint8_t {
    if (Rat < 0) {
      int32_t amount = -Rat;
      return c > amount ? static_cast<uint8_t>(c - amount) : 0;
    }
    int32_t v = c + Rat;
    return static_cast<uint8_t>(v > 255 ? 255 : v);
  };
  for (int i = 0; i < 256; ++i) {
    const TRGBQuad& q = DibPal[i];
    uint32_t color = shift(q.rgbRed) | (shift(q.rgbGreen) << 8) |
                     (static_cast<uint32_t>(shift(q.rgbBlue)) << 16);
    DarkPal[i] = NearestColor(color, DibPal);
  }
}

void TDib8Bits::CopyTo(TDibBaseObj* Dib) {
  if (!Dib || FHandle == 0 || Dib->FHandle == 0) return;
  // Never copy more than either image holds.
  int32_t bytes = DibSize < Dib->DibSize ? DibSize : Dib->DibSize;
  if (bytes > 0) std::memmove(Dib->DibData, DibData, static_cast<size_t>(bytes));
}

}  // namespace zkw
