// The smoothed line of the script command SmoothLineTo, drawn through a device context.
#pragma once
#include <cstdint>

#include "platform/plat_gdi.h"

namespace zkw {

class TDibBaseObj;

// An anti-aliased line from DC's pen position to (X, Y) in Color with Width, on Dib (the pixels
// DC stands for), with a round cap at its start. Each pixel near the line gets a weight w from
// its distance to the ideal line and is mixed by DC's drawing mode: merge-pen, white and
// merge-not-pen add w x the colour (white: white; merge-not-pen: the inverted colour), each
// channel limited to 255; copy-pen, black and not-copy-pen move the pixel towards the colour by
// w (black: black; not-copy-pen: the inverted colour). Any other mode, and a null pen, draw
// nothing. DC's pen position ends at (X, Y).
void SmoothLine(plat::HDC DC, TDibBaseObj& Dib, int32_t X, int32_t Y, uint32_t Color,
                int32_t Width);

}  // namespace zkw
