// Converting the pixels of a BMP file of any layout (see bmp_layout.h) into the library's image
// blocks: 8-bit with a 256-entry table for up to 8 bits per pixel, 24-bit otherwise, a 40-byte
// header and bottom-up rows; a 32-bit file's alpha mask gives an 8-bit alpha block.
#pragma once
#include <cstdint>

#include "imagefiles/bmp_layout.h"
#include "platform/plat_types.h"

namespace zkw {

// New zero-initialised movable blocks for the picture of a checked layout. `alpha` (when asked
// for) receives the alpha block, or 0 when the file has no alpha or every pixel's alpha is 0.
// False only when memory runs out.
bool ConvertBmpPixels(const uint8_t* file, const TBmpLayout& layout, plat::HGLOBAL& image,
                      plat::HGLOBAL* alpha);

// The n-bit value v widened to 8 bits by repeating its bits (5 bits: v << 3 | v >> 2).
uint8_t WidenChannel(uint32_t v, uint32_t n);

}  // namespace zkw
