#include "dib/palette.h"

#include <cmath>
#include <cstring>

#include "dib/dib_base.h"

namespace zkw {

uint8_t NearestColor(uint32_t Color, const TRGBQuad* Table) {
  int32_t r = Color & 0xFF, g = (Color >> 8) & 0xFF, b = (Color >> 16) & 0xFF;
  double best = 255.0;
  uint8_t bestIndex = 0;
  for (int i = 0; i < 256; ++i) {
    int32_t dr = r - Table[i].rgbRed, dg = g - Table[i].rgbGreen, db = b - Table[i].rgbBlue;
    double distance = std::sqrt(static_cast<double>(dr * dr + dg * dg + db * db));
    if (distance < best) {
      best = distance;
      bestIndex = static_cast<uint8_t>(i);
    }
  }
  return bestIndex;
}

bool SamePalette(const TRGBQuad* A, const TRGBQuad* B) {
  for (int i = 0; i < 256; ++i)
    if (A[i].rgbBlue != B[i].rgbBlue || A[i].rgbGreen != B[i].rgbGreen ||
        A[i].rgbRed != B[i].rgbRed)
      return false;
  return true;
}

void ChangeDibPaletteTo(TDibBaseObj* Dib, const TRGBQuad* Table) {
  if (!Dib || Dib->FBits != 1 || Dib->FHandle == 0 || !Dib->DibPal || !Table) return;
  // Each old index maps to one new index; compute the 256 answers once.
  uint8_t map[256];
  for (int i = 0; i < 256; ++i) map[i] = NearestColor(RGBQuadToColorRef(Dib->DibPal[i]), Table);
  for (int32_t y = 0; y < Dib->FHeight; ++y) {
    uint8_t* row = Dib->PixelAddress(0, y);
    for (int32_t x = 0; x < Dib->FWidth; ++x) row[x] = map[row[x]];
  }
  std::memmove(Dib->DibPal, Table, kPaletteBytes);
}

}  // namespace zkw
