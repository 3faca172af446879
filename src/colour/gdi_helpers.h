// Thin helpers over the platform's drawing calls: fonts from a point size, filled boxes, lines,
// frames, a sunken frame, shadowed text and bitmap blits with palette realisation. Each makes
// and deletes its own pens, brushes and memory DCs and puts back what it selected.
#pragma once
#include <cstdint>

#include "platform/plat_gdi.h"
#include "platform/plat_window.h"

namespace zkw {

// Fills LogFont: height -Round(Size x vertical pixels per inch / 72), weight 700 or 400,
// italic and underline as given, everything else 0, the face name truncated to 31 units.
void GetFont(plat::HDC dc, plat::LOGFONTW* LogFont, const plat::WCHAR* FaceName, int32_t Size,
             int32_t Bold, uint8_t Italic, uint8_t Underline);
plat::HFONT CreatePhysFont(plat::HDC dc, const plat::WCHAR* FaceName, int32_t Size,
                           int32_t Bold, uint8_t Italic, uint8_t Underline);
// Fills (x1, y1)-(x2, y2), right and bottom excluded.
void FillBox(plat::HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t Color);
// A solid pen of Width from (x1, y1) to (x2, y2), the end point left out for width 1.
void Line(plat::HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t Width,
          uint32_t Color);
// The four sides with an inside-frame pen of Width.
void DisplayRect(plat::HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t Width,
                 uint32_t Color);
// The window's DC with the palette (if any) selected and realised.
plat::HDC AdvGetDC(plat::HWND window, plat::HPALETTE palette, uint8_t Background);
// A sunken frame of one-pixel lines: C1 outer top-left, C2 outer bottom-right, C3 inner
// top-left, C1 inner bottom-right; only pixels of columns x1 .. x2 - 1 and rows y1 .. y2 - 1.
void DrawDipRectColor(plat::HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t C1,
                      uint32_t C2, uint32_t C3);
// Text at (x + Offset, y + Offset) in ShadowColor, then at (x, y) in Color, with Font and a
// transparent background; returns the font selected before.
plat::HFONT TextShadow(plat::HDC dc, int32_t x, int32_t y, const plat::WCHAR* Text,
                       uint32_t Color, uint32_t ShadowColor, plat::HFONT Font, int32_t Offset);
// The same with formatted text in the rectangle (moved by Offset for the shadow).
plat::HFONT DrawTextShadow(plat::HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                           const plat::WCHAR* Text, uint32_t Color, uint32_t ShadowColor,
                           plat::HFONT Font, int32_t Offset, uint32_t Format);
// The whole bitmap at (x, y), after selecting and realising the palette (if any).
void PutBitmap(plat::HDC dc, int32_t x, int32_t y, plat::HBITMAP Bitmap, plat::HPALETTE palette,
               uint8_t Background);
// Source (0, 0, Mx x width, My x height) stretched to (x, y, w, h), colour on colour.
void PutStretchBitmap(plat::HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, int32_t Mx,
                      int32_t My, plat::HBITMAP Bitmap, plat::HPALETTE palette,
                      uint8_t Background);

}  // namespace zkw
