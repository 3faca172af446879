// Putting image memory blocks on device contexts, through the platform's video-draw service when
// it is present and through plain GDI calls otherwise. Blocks are checked against their real size
// first; a block that is not a drawable image draws nothing and gives false.
#pragma once
#include <cstdint>

#include "platform/plat_gdi.h"

namespace zkw {

bool PutDIB(plat::HDC dc, int32_t x, int32_t y, plat::HGLOBAL block, uint32_t Flags);
bool PutDIBStr(plat::HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, plat::HGLOBAL block,
               uint32_t Flags);
// Whole image stretched to (x, y, w, h); w or h of 0 stand for the image's own size.
void PutDIBit(plat::HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, plat::HGLOBAL block);
void PutDIBitStr(plat::HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, plat::HGLOBAL block);
bool AdvPutDIBStr(plat::HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, plat::HGLOBAL block,
                  int32_t xs, int32_t ys, int32_t ws, int32_t hs, uint32_t Flags);
void AdvPutDIBit(plat::HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, plat::HGLOBAL block,
                 int32_t xs, int32_t ys, int32_t ws, int32_t hs);
// Fits the image into the rectangle keeping its aspect ratio, centred.
bool StretchDIBToRect(plat::HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                      plat::HGLOBAL block, uint32_t Flags);

}  // namespace zkw
