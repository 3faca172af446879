// Exported drawing of images on device contexts: DIB objects drawn, stretched and composited
// onto a DC, image memory blocks put on a DC, conversions between bitmaps, files, resources and
// blocks, and (for Linux hosts) memory DCs over pixel buffers.
#pragma once
#include <cstdint>

#include "exports/api.h"
#include "platform/plat_types.h"

// --- DIB objects on a DC --------------------------------------------------------------------
ZKW_EXPORT void ZKWAPI dibDraw(void* Dib, void* dc, int32_t x, int32_t y);
ZKW_EXPORT void ZKWAPI dibDrawPart(void* Dib, void* dc, int32_t x, int32_t y, int32_t w,
                                   int32_t h, int32_t ox, int32_t oy, int32_t dw, int32_t dh);
ZKW_EXPORT void ZKWAPI DrawAlphaDibOnDC(void* dc, int32_t x, int32_t y, void* Dib);
ZKW_EXPORT void ZKWAPI DrawAlphaDibOnDCEx(void* dc, int32_t x, int32_t y, void* Dib, int32_t dx,
                                          int32_t dy);
ZKW_EXPORT void ZKWAPI dibDrawMergeDC(void* dc, int32_t x, int32_t y, void* Dib, uint16_t Rate);
ZKW_EXPORT void ZKWAPI dibDrawMergeDCEx(void* dc, int32_t x, int32_t y, void* Dib, uint16_t Rate,
                                        int32_t dx, int32_t dy);
ZKW_EXPORT void ZKWAPI dibDrawPartAlpha(void* Dib, void* dc, int32_t x, int32_t y, int32_t xx,
                                        int32_t yy, int32_t w, int32_t h);
ZKW_EXPORT void ZKWAPI dibDrawPartAlphaEx(void* Dib, void* dc, int32_t x, int32_t y, int32_t xx,
                                          int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy);
ZKW_EXPORT void ZKWAPI dibDrawMergePartAlpha(void* Dib, void* dc, int32_t x, int32_t y,
                                             int32_t xx, int32_t yy, int32_t w, int32_t h,
                                             uint16_t Rate);
ZKW_EXPORT void ZKWAPI dibDrawMergePartAlphaEx(void* Dib, void* dc, int32_t x, int32_t y,
                                               int32_t xx, int32_t yy, int32_t w, int32_t h,
                                               uint16_t Rate, int32_t dx, int32_t dy);
ZKW_EXPORT void ZKWAPI PrintAlphaDibOnDC(void* dc, int32_t x, int32_t y, int32_t w, int32_t h,
                                         void* Dib);
ZKW_EXPORT void ZKWAPI StretchAlphaDibOnDC(void* dc, int32_t x1, int32_t y1, int32_t x2,
                                           int32_t y2, void* Dib);

// --- Image memory blocks on a DC ------------------------------------------------------------
ZKW_EXPORT int32_t ZKWAPI PutDIB(void* dc, int32_t x, int32_t y, void* Block, uint32_t Flags);
ZKW_EXPORT int32_t ZKWAPI PutDIBStr(void* dc, int32_t x, int32_t y, int32_t w, int32_t h,
                                    void* Block, uint32_t Flags);
ZKW_EXPORT void ZKWAPI PutDIBit(void* dc, int32_t x, int32_t y, int32_t w, int32_t h, void* Block);
ZKW_EXPORT void ZKWAPI PutDIBitStr(void* dc, int32_t x, int32_t y, int32_t w, int32_t h,
                                   void* Block);
ZKW_EXPORT int32_t ZKWAPI AdvPutDIBStr(void* dc, int32_t x, int32_t y, int32_t w, int32_t h,
                                       void* Block, int32_t xs, int32_t ys, int32_t ws, int32_t hs,
                                       uint32_t Flags);
ZKW_EXPORT void ZKWAPI AdvPutDIBit(void* dc, int32_t x, int32_t y, int32_t w, int32_t h,
                                   void* Block, int32_t xs, int32_t ys, int32_t ws, int32_t hs);
ZKW_EXPORT int32_t ZKWAPI StretchDIBToRect(void* dc, int32_t x1, int32_t y1, int32_t x2,
                                           int32_t y2, void* Block, uint32_t Flags);

// --- Bitmaps, palettes, resources -----------------------------------------------------------
ZKW_EXPORT void* ZKWAPI BitmapToDIB(void* dc, void* Bitmap, void* Palette);
ZKW_EXPORT int32_t ZKWAPI SaveBitmapToFile(void* dc, const plat::WCHAR* Name, void* Bitmap,
                                           void* Palette);
ZKW_EXPORT void* ZKWAPI BitmapFromDIB(void* Block, void** Palette);
ZKW_EXPORT void* ZKWAPI ReadBitmap(const plat::WCHAR* Name, void** Palette);
ZKW_EXPORT void* ZKWAPI LoadBitmap256(void* Instance, const plat::WCHAR* Name, void** Palette);
ZKW_EXPORT void* ZKWAPI LoadResDIB(void* Instance, const plat::WCHAR* Name);
ZKW_EXPORT void* ZKWAPI GetDibPattern(const plat::WCHAR* Name);

// --- Memory DCs over pixel buffers (what a Linux host lacks) --------------------------------
// A memory DC with a top-down 32-bit (blue, green, red, unused) section of w x h selected.
ZKW_EXPORT void* ZKWAPI zkwCreateMemoryDC(int32_t w, int32_t h);
// The section's first (top) row; rows are w * 4 bytes apart.
ZKW_EXPORT void* ZKWAPI zkwMemoryDCPixels(void* dc);
ZKW_EXPORT void ZKWAPI zkwDeleteMemoryDC(void* dc);
