// Exported GDI helpers, button images and the colour selection dialog.
#pragma once
#include <cstdint>

#include "exports/api.h"
#include "platform/plat_window.h"

// --- GDI helpers ------------------------------------------------------------------------------
ZKW_EXPORT void* ZKWAPI AdvInstance();
// LogFont is a UTF-16 logical font record (92 bytes).
ZKW_EXPORT void ZKWAPI GetFont(void* dc, void* LogFont, const plat::WCHAR* FaceName, int32_t Size,
                               int32_t Bold, uint8_t Italic, uint8_t Underline);
ZKW_EXPORT void* ZKWAPI CreatePhysFont(void* dc, const plat::WCHAR* FaceName, int32_t Size,
                                       int32_t Bold, uint8_t Italic, uint8_t Underline);
ZKW_EXPORT void ZKWAPI FillBox(void* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                               uint32_t Color);
ZKW_EXPORT void ZKWAPI Line(void* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                            int32_t Width, uint32_t Color);
ZKW_EXPORT void ZKWAPI DisplayRect(void* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                   int32_t Width, uint32_t Color);
ZKW_EXPORT void* ZKWAPI AdvGetDC(void* Window, void* Palette, uint8_t Background);
ZKW_EXPORT void ZKWAPI DrawDipRectColor(void* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                        uint32_t C1, uint32_t C2, uint32_t C3);
ZKW_EXPORT void* ZKWAPI TextShadow(void* dc, int32_t x, int32_t y, const plat::WCHAR* Text,
                                   uint32_t Color, uint32_t ShadowColor, void* Font,
                                   int32_t Offset);
ZKW_EXPORT void* ZKWAPI DrawTextShadow(void* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                       const plat::WCHAR* Text, uint32_t Color,
                                       uint32_t ShadowColor, void* Font, int32_t Offset,
                                       uint32_t Format);
ZKW_EXPORT void ZKWAPI PutBitmap(void* dc, int32_t x, int32_t y, void* Bitmap, void* Palette,
                                 uint8_t Background);
ZKW_EXPORT void ZKWAPI PutStretchBitmap(void* dc, int32_t x, int32_t y, int32_t w, int32_t h,
                                        int32_t Mx, int32_t My, void* Bitmap, void* Palette,
                                        uint8_t Background);

// --- Button images ----------------------------------------------------------------------------
ZKW_EXPORT void* ZKWAPI kwgdiLoadRadioButtonImage();
ZKW_EXPORT void ZKWAPI kwgdiFreeRadioButtonImage(void* Image);
ZKW_EXPORT void ZKWAPI kwgdiDrawRadioButton(void* Image, void* Target, int32_t x, int32_t y,
                                            uint32_t State);
ZKW_EXPORT void* ZKWAPI kwgdiLoadSysButtonImage();

// --- Colour selection dialog ------------------------------------------------------------------
// Record: size (36; 48 in 64-bit builds), owner window, colour address, 16 unused bytes, show the
// standard colours, show the system colours. All bits set when confirmed, else 0.
ZKW_EXPORT uint32_t ZKWAPI SelectColorDialog(void* Record);
// Linux hosts: called with the dialog and Data whenever a modal dialog has no message to handle;
// it may inject input or move the clock. Returning 0 (or having no hook) cancels the dialog.
// Ignored on Windows, where the dialog waits for messages.
ZKW_EXPORT void ZKWAPI zkwSetModalHook(int32_t(ZKW_CALLBACK* Proc)(void* Dialog, void* Data),
                                       void* Data);
