// Drawing DIB objects on device contexts: plain copies and stretches, and compositing, where the
// DC's pixels are copied into a temporary 24-bit section, the image is drawn into that with a
// DIB operation, and the result goes back to the DC.
#pragma once
#include <cstdint>

#include "dib/dib_base.h"
#include "platform/plat_gdi.h"

namespace zkw {

void DrawAlphaDibOnDC(plat::HDC dc, int32_t x, int32_t y, TDibBaseObj* Dib, int32_t dx = 1,
                      int32_t dy = 1);
void DrawMergeDC(plat::HDC dc, int32_t x, int32_t y, TDibBaseObj* Dib, uint16_t Rate,
                 int32_t dx = 1, int32_t dy = 1);
void DrawPartAlpha(TDibBaseObj* Dib, plat::HDC dc, int32_t x, int32_t y, int32_t xx, int32_t yy,
                   int32_t w, int32_t h, int32_t dx = 1, int32_t dy = 1);
void DrawMergePartAlpha(TDibBaseObj* Dib, plat::HDC dc, int32_t x, int32_t y, int32_t xx,
                        int32_t yy, int32_t w, int32_t h, uint16_t Rate, int32_t dx = 1,
                        int32_t dy = 1);
// Composites like DrawAlphaDibOnDC, then puts the result scaled to w x h (0: natural size).
void PrintAlphaDibOnDC(plat::HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, TDibBaseObj* Dib);
// Composites the image scaled to the inclusive rectangle (x1, y1)-(x2, y2).
void StretchAlphaDibOnDC(plat::HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                         TDibBaseObj* Dib);

}  // namespace zkw
