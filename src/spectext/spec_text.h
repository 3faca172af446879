// Marked-up text laid out in lines and drawn: on a GDI canvas, on a device context, on a DIB canvas,
// and the DIB canvas's line functions for hosts that place lines themselves.
#pragma once
#include <cstdint>

#include "base/text16.h"
#include "platform/plat_gdi.h"

namespace zkw {

class TDibCanvas;
struct TGdiCanvas;

// Flags of the drawing functions.
constexpr uint32_t kSpecMeasureOnly = 1;
constexpr uint32_t kSpecSingleLine = 2;
constexpr uint32_t kSpecCentre = 4;
constexpr uint32_t kSpecRight = 8;

// Wrapped: the total height of the lines. With kSpecSingleLine: the line height in the low 16
// bits and the baseline in the high 16 bits, the rectangle's right edge set to the text's end.
int32_t DrawSpecText(TGdiCanvas& Canvas, plat::RECT& Rt, const ZChar* Text, uint32_t Flags);
// DrawSpecText on a canvas made from the device context's font and text colour.
int32_t DrawSpecTextDC(plat::HDC DC, plat::RECT& Rt, const ZChar* Text, uint32_t Flags);
// As DrawSpecText with the canvas's bitmap fonts; lines may be centred or right-aligned, and
// with kSpecSingleLine the right edge is set only when measuring.
int32_t DibDrawSpecText(TDibCanvas& Canvas, plat::RECT& Rt, const ZChar* Text, uint32_t Flags);

struct TDibLineResult {
  int32_t Units = 0;
  int32_t Baseline = 0;
  int32_t Height = 0;
  int32_t Width = 0;
  bool AtEnd = false;
};
// One line of the canvas's text from Rt.left; BaseFace (null or empty: the canvas's face) is
// the face of embedded equations.
TDibLineResult DibGetALine(TDibCanvas& Canvas, const plat::RECT& Rt, const ZChar* Text, bool WordBreak,
                           const ZChar* BaseFace);
// Draws Count code units (fewer up to a NUL) as a line whose top is y.
void DibDrawASpecText(TDibCanvas& Canvas, int32_t x, int32_t y, const ZChar* Text, int32_t Count,
                      int32_t Baseline, bool MeasureOnly, const ZChar* BaseFace);

}  // namespace zkw
