// Colour-table helpers shared by 8-bit images.
#pragma once
#include <cstdint>

#include "imagefiles/packed_dib.h"

namespace zkw {

class TDibBaseObj;

// Index of the first entry nearest to Color (a COLORREF); 0 when none is closer than 255.0.
uint8_t NearestColor(uint32_t Color, const TRGBQuad* Table);
// True when blue, green and red of all 256 entries agree.
bool SamePalette(const TRGBQuad* A, const TRGBQuad* B);
// Re-maps an 8-bit image's pixels to their nearest entries in Table, then adopts Table.
void ChangeDibPaletteTo(TDibBaseObj* Dib, const TRGBQuad* Table);

}  // namespace zkw
