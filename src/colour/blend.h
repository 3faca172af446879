// Colour blends: two colours mixed by a percentage, channel multiplies, and blends of the
// pixels of a device context (rectangles, lines, a one-pixel frame with rounded corners).
#pragma once
#include <cstdint>

#include "platform/plat_gdi.h"

namespace zkw {

// A colour with bit 31 set is the system colour of index (Color and 0xFF); others are kept.
uint32_t ResolveColor(uint32_t Color);
// Percent limited to 0..100.
int32_t LimitPercent(int32_t Percent);
// Round(Percent x 255 / 100) of the limited percentage: the blend weight 0..255.
int32_t BlendWeight(int32_t Percent);

// Color mixed into Color2 by Percent (0: Color2, 100: Color at weight 255): per channel
// c2 + floor(d (c1 - c2) / 256). System colours are resolved first.
uint32_t BlendColor(uint32_t Color, uint32_t Color2, int32_t Percent);

// Per channel (c1 c2) div 512 + (c1 shr 1), written red, green, blue to Dest (when not null);
// returns the red result.
uint8_t MultiplyColor(uint8_t* Dest, uint32_t Color1, uint32_t Color2);

// Every pixel of the inclusive rectangle (rows outer) becomes BlendColor(Color, pixel, Percent).
void BlendRect(plat::HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t Color,
               int32_t Percent);
// The same for columns x1..x2 of row y.
void BlendLine(plat::HDC dc, int32_t x1, int32_t y, int32_t x2, uint32_t Color, int32_t Percent);

// A blended one-pixel frame inside (x1, y1)-(x2, y2) (right and bottom excluded) with its
// corners cut and softened by weights A - 20 and A - 80 (A = BlendWeight(Percent); below 0
// they are 0 and leave the pixel alone).
void DrawCornerFrameAlpha(plat::HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                          uint32_t Color, int32_t Percent);

}  // namespace zkw
