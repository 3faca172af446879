// Transforms that are not methods of an image: the scaled copy of an image and the fillers of
// offset tables (1025 signed 16-bit entries per line) read by run scaling and shifted draws.
#pragma once
#include <cstdint>

namespace zkw {

class TDibBaseObj;
class TDib24Bits;

// A new 24-bit image of the 8-bit image Dib scaled by rx, ry percent (Round(rx W / 100) x
// Round(ry H / 100)), with an alpha companion when Dib has one; null when Dib has no pixels,
// is not 8-bit, a factor is 0 or the scaled size has no pixels. The caller owns the result.
TDib24Bits* GetScaleDib(int32_t rx, int32_t ry, TDibBaseObj* Dib);
// The same for 8-bit and 24-bit images (a 24-bit image without alpha gets an opaque alpha
// companion): characters scale their frames of either depth alike with it.
TDib24Bits* GetScaledCopy(int32_t rx, int32_t ry, TDibBaseObj* Dib);

// Walks the line (X1, Y1)-(X2, Y2) like Line and stores, for every point, Values[x] = y
// (Mode 1) or Values[y] = x (any other Mode); indexes outside 0..1024 are skipped.
void GetLine(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int16_t* Values, int32_t Mode);

// Values[i] = Round(sin(i / B) x A) for i = 0..1024, kept in 16 bits.
void GetSinLine(double A, double B, int16_t* Values);

}  // namespace zkw
