// The box blur that turns a drawn shape into a soft grey mask (shadows and glows).
#pragma once
#include <cstdint>

#include "imagefiles/row_bitmap.h"

namespace zkw {

// Passes horizontal box passes over every row, then Passes + 1 vertical passes over every
// column (none when Passes < 0), each pixel becoming the truncated mean of the 2 Radius + 1
// pixels centred on it (the line extended by copies of its end pixels); finally every pixel
// becomes grey, (R + G + B) div 3. Nothing for Radius <= 0 or a bitmap that is not 24-bit.
// Time is proportional to pixels x passes, whatever the radius.
void FXBoxBlur(TRowBitmap* Bitmap, int32_t Radius, int32_t Passes);

}  // namespace zkw
