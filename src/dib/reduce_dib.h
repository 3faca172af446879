// Reduction of a 24-bit image to an 8-bit one with a palette of its own: the image is encoded
// as JPEG at quality 100 and decoded to 256 colours by the two-pass quantiser (Floyd-Steinberg
// dithering). The alpha companion is copied unchanged.
#pragma once
#include "dib/dib8.h"

namespace zkw {

// A new 8-bit image; null (with the reason) for an empty image or a codec failure.
TDib8Bits* ReduceDibTo8Bits(TDibBaseObj* source);

}  // namespace zkw
