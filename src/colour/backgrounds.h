// Generated backgrounds painted into an image: stepped ramps from the edges or the centre,
// concentric discs, sine waves, grids, bouncing bands and nested rotating polygons. The
// colour moves by one (towards C2) every g lines or rings, so the generators suit 8-bit images
// whose palette holds a ramp between C1 and C2; on 24-bit images the numbers are COLORREFs.
// Rectangles are inclusive, and each generator changes only pixels inside its rectangle;
// every generator but BorderGround and PolygonGround draws nothing when C1 = C2.
#pragma once
#include <cstdint>

#include "dib/dib_base.h"

namespace zkw {

// Nested one-pixel outlines from the edge inwards, g = (min side div 2) div |C2 - C1| + 1.
void RectangleGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                     int32_t x2, int32_t y2);
// Rows outwards from the centre row y1 + (y2 - y1) div 2.
void HorzCenterGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                      int32_t x2, int32_t y2);
// Rows from the top, g = rows div |C2 - C1| + 1.
void HorizonGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1, int32_t x2,
                   int32_t y2);
// Columns from the left.
void VerticalGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                    int32_t x2, int32_t y2);
// Columns outwards from the centre column.
void VertCenterGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                      int32_t x2, int32_t y2);
// Discs from radius 1.5 x (larger side div 2) down to 1 around the centre: C1 outside, C2 (at
// most) in the middle.
void CircleGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1, int32_t x2,
                  int32_t y2);
// A band of C1 Amp rows high at the top and of C2 at the bottom, then every row k shifted down
// by Round(sin(i / Period) x Amp) at column i (Period 0 counts as 1), both counted from (x1, y1).
void HorzSineGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t Period, int32_t Amp,
                    int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// The same turned by a quarter: bands at the left and right, columns shifted right.
void VertSineGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t Period, int32_t Amp,
                    int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// A grid of Thick-pixel lines every Step pixels (Step 0 counts as 1) in Color over the same
// grid moved by Offset in Color2.
void BorderGround(TDibBaseObj* Dib, uint32_t Color, uint32_t Color2, int32_t Step,
                  int32_t Offset, int32_t Thick, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Lines (columns when Vertical) whose colour runs from C1 to C2 and back, one step per line.
void BandsGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, bool Vertical, int32_t x1, int32_t y1,
                 int32_t x2, int32_t y2);
// Index 255 over the rectangle, then h = rows x Density polygons of Num vertices (3 pixels
// thick) around the centre, radius l div Density and start angle l mod 360 for l = 0 .. h - 1
// (Outward) or h .. 1, the colour running between min(C1, C2) and max(C1, C2). Density below
// 1 counts as 1; Num outside 1..kMaxPolygonVertices draws only the fill. Returns h (0 for an
// empty rectangle, which draws nothing).
constexpr int32_t kMaxPolygonVertices = 1000;
int64_t PolygonGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t Num, int32_t Density,
                      bool Outward, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

}  // namespace zkw
