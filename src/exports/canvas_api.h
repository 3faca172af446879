// Exported font manager (dfm) and DIB canvas (dic) functions, and the host helpers for the
// canvas's bitmaps. A manager handle is the address of a TDibFontManager, a canvas handle that
// of a TDibCanvas; names and texts are zero-terminated UTF-16; Boolean arguments count their
// low byte; rectangles are four integers left, top, right, bottom. The font record of
// dicSetFontInfo, dicGetFontInfo and dicGetFont is the 524-byte TDibCanvasFontInfo
// (docs/api-canvas.md).
#pragma once
#include <cstdint>

#include "exports/api.h"
#include "platform/plat_types.h"

using ZFONTMANAGER = void*;
using ZCANVAS = void*;

// --- Font manager ---------------------------------------------------------------------------
ZKW_EXPORT ZFONTMANAGER ZKWAPI CreateDibFontManager();
ZKW_EXPORT void ZKWAPI FreeDibFontManager(ZFONTMANAGER Manager);
ZKW_EXPORT void* ZKWAPI dfmCreateFont(ZFONTMANAGER Manager, const plat::WCHAR* Name, int32_t Size,
                                      uint8_t Bold, uint8_t Italic);
ZKW_EXPORT void ZKWAPI dfmDeleteFont(ZFONTMANAGER Manager, void* Font);
ZKW_EXPORT void ZKWAPI dfmRegisterFont(ZFONTMANAGER Manager, const plat::WCHAR* Name, int32_t Size,
                                       uint8_t Bold, uint8_t Italic, const plat::WCHAR* FileName);
ZKW_EXPORT void ZKWAPI dfmRegisterFontPackage(ZFONTMANAGER Manager, const plat::WCHAR* Name,
                                              const plat::WCHAR* FileName);
ZKW_EXPORT void ZKWAPI dfmAutoRegisterPackages(ZFONTMANAGER Manager, const plat::WCHAR* Directory);
ZKW_EXPORT void ZKWAPI dfmRegisterAsDefaultFont(ZFONTMANAGER Manager, const plat::WCHAR* FileName);

// --- Canvas ---------------------------------------------------------------------------------
ZKW_EXPORT ZCANVAS ZKWAPI CreateDibCanvas();
ZKW_EXPORT void ZKWAPI FreeDibCanvas(ZCANVAS Canvas);
ZKW_EXPORT void ZKWAPI dicSetFontManager(ZCANVAS Canvas, ZFONTMANAGER Manager);
ZKW_EXPORT void ZKWAPI dicSetFontInfo(ZCANVAS Canvas, const void* Info);
ZKW_EXPORT void ZKWAPI dicGetFontInfo(ZCANVAS Canvas, void* Info);
ZKW_EXPORT void ZKWAPI dicSetCanvasSize(ZCANVAS Canvas, int32_t Width, int32_t Height);
ZKW_EXPORT int32_t ZKWAPI dicTextWidth(ZCANVAS Canvas, const plat::WCHAR* Text, int32_t Count);
ZKW_EXPORT int32_t ZKWAPI dicTextHeight(ZCANVAS Canvas);
ZKW_EXPORT void ZKWAPI dicTextOut(ZCANVAS Canvas, int32_t x, int32_t y, const plat::WCHAR* Text,
                                  int32_t Count);
ZKW_EXPORT int32_t ZKWAPI dicDrawText(ZCANVAS Canvas, int32_t left, int32_t top, int32_t right,
                                      int32_t bottom, const plat::WCHAR* Text, int32_t Count,
                                      uint16_t Flag);
ZKW_EXPORT void ZKWAPI dicAdvTextOutW(ZCANVAS Canvas, int32_t x, int32_t y, const plat::WCHAR* Text,
                                      int32_t Count, uint16_t UnderlineStyle,
                                      uint32_t UnderlineColor, uint16_t StrikeStyle,
                                      uint32_t StrikeColor);
ZKW_EXPORT int32_t ZKWAPI dicCalcText(ZCANVAS Canvas, int32_t left, int32_t top, int32_t right,
                                      int32_t bottom, const plat::WCHAR* Text, int32_t Len);
ZKW_EXPORT void ZKWAPI dicClear(ZCANVAS Canvas);
ZKW_EXPORT void ZKWAPI dicSetTextJustification(ZCANVAS Canvas, int32_t jaWidth, int32_t BreakCount);
ZKW_EXPORT void ZKWAPI dicFillRect(ZCANVAS Canvas, int32_t left, int32_t top, int32_t right,
                                   int32_t bottom, uint32_t Color);
ZKW_EXPORT void ZKWAPI dicLine(ZCANVAS Canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                               uint32_t Color);
ZKW_EXPORT void ZKWAPI dicInvertRect(ZCANVAS Canvas, int32_t left, int32_t top, int32_t right,
                                     int32_t bottom);
ZKW_EXPORT void ZKWAPI dicSetViewPort(ZCANVAS Canvas, int32_t ox, int32_t oy);
ZKW_EXPORT void ZKWAPI dicDraw(ZCANVAS Canvas, void* DC, int32_t x, int32_t y);
ZKW_EXPORT void ZKWAPI dicCopyBackground(ZCANVAS Canvas, void* DC, int32_t x, int32_t y);
ZKW_EXPORT void* ZKWAPI dicGetDib(ZCANVAS Canvas);
ZKW_EXPORT void* ZKWAPI dicGetBkBitmap(ZCANVAS Canvas);
ZKW_EXPORT void ZKWAPI dicSetBkBitmap(ZCANVAS Canvas, void* Bitmap);
ZKW_EXPORT void* ZKWAPI dicGetBkBitmapHandle(ZCANVAS Canvas);
ZKW_EXPORT const void* ZKWAPI dicGetFont(ZCANVAS Canvas);
ZKW_EXPORT void* ZKWAPI dicGetDibFont(ZCANVAS Canvas);
ZKW_EXPORT void ZKWAPI dicSetDibFont(ZCANVAS Canvas, void* Font);
ZKW_EXPORT int32_t ZKWAPI dicGetLineHeight(ZCANVAS Canvas);
ZKW_EXPORT int32_t ZKWAPI dicGetBaseline(ZCANVAS Canvas);
ZKW_EXPORT void* ZKWAPI dicGetHandle(ZCANVAS Canvas);
ZKW_EXPORT uint32_t ZKWAPI dicGetTextColor(ZCANVAS Canvas);
ZKW_EXPORT uint32_t ZKWAPI dicSetTextColor(ZCANVAS Canvas, uint32_t Value);
ZKW_EXPORT uint32_t ZKWAPI dicGetTextAlignment(ZCANVAS Canvas);
ZKW_EXPORT uint32_t ZKWAPI dicSetTextAlignment(ZCANVAS Canvas, uint32_t Value);
ZKW_EXPORT uint32_t ZKWAPI dicGetBackColor(ZCANVAS Canvas);
ZKW_EXPORT uint32_t ZKWAPI dicSetBackColor(ZCANVAS Canvas, uint32_t Value);
ZKW_EXPORT uint32_t ZKWAPI dicGetBkMode(ZCANVAS Canvas);
ZKW_EXPORT uint32_t ZKWAPI dicSetBkMode(ZCANVAS Canvas, uint32_t Value);
ZKW_EXPORT int32_t ZKWAPI dicGetOpacity(ZCANVAS Canvas);
ZKW_EXPORT int32_t ZKWAPI dicSetOpacity(ZCANVAS Canvas, uint16_t Value);
ZKW_EXPORT int32_t ZKWAPI dicGetScriptMode(ZCANVAS Canvas);
ZKW_EXPORT int32_t ZKWAPI dicSetScriptMode(ZCANVAS Canvas, int32_t Value);
ZKW_EXPORT int32_t ZKWAPI dicGetPenWidth(ZCANVAS Canvas);
ZKW_EXPORT int32_t ZKWAPI dicSetPenWidth(ZCANVAS Canvas, int32_t Value);
ZKW_EXPORT uint32_t ZKWAPI dicGetColor(ZCANVAS Canvas);
ZKW_EXPORT uint32_t ZKWAPI dicSetColor(ZCANVAS Canvas, uint32_t Value);
ZKW_EXPORT int32_t ZKWAPI dicGetShadow(ZCANVAS Canvas);
ZKW_EXPORT int32_t ZKWAPI dicSetShadow(ZCANVAS Canvas, uint8_t Value);
ZKW_EXPORT uint32_t ZKWAPI dicGetShadowColor(ZCANVAS Canvas);
ZKW_EXPORT uint32_t ZKWAPI dicSetShadowColor(ZCANVAS Canvas, uint32_t Value);
ZKW_EXPORT int32_t ZKWAPI dicGetOutline(ZCANVAS Canvas);
ZKW_EXPORT int32_t ZKWAPI dicSetOutline(ZCANVAS Canvas, uint8_t Value);
ZKW_EXPORT uint32_t ZKWAPI dicGetOutlineColor(ZCANVAS Canvas);
ZKW_EXPORT uint32_t ZKWAPI dicSetOutlineColor(ZCANVAS Canvas, uint32_t Value);
ZKW_EXPORT int32_t ZKWAPI dicGetOriginX(ZCANVAS Canvas);
ZKW_EXPORT int32_t ZKWAPI dicGetOriginY(ZCANVAS Canvas);
ZKW_EXPORT int32_t ZKWAPI dicGetCanvasWidth(ZCANVAS Canvas);
ZKW_EXPORT int32_t ZKWAPI dicGetCanvasHeight(ZCANVAS Canvas);

// --- Host helpers: bitmaps the canvas takes (bottom-up 24-bit DIB sections) ------------------
// A new w x h section (all pixels 0), or 0 for a size <= 0 or above 256 MiB of pixels.
ZKW_EXPORT void* ZKWAPI zkwCreateBitmap(int32_t w, int32_t h);
// The section's pixels (bottom-up rows of w x 3 bytes padded to 4), or 0 for no DIB section.
ZKW_EXPORT void* ZKWAPI zkwBitmapBits(void* Bitmap);
ZKW_EXPORT void ZKWAPI zkwDeleteBitmap(void* Bitmap);
