// Gradients painted on a device context with solid fills: two colours along y or x, three
// colours split at a percentage, and many colours split at percentages or coordinates. Channel
// values are reals that start at the first colour and grow by repeated addition of
// (c2 - c1) / (n + 1); each line shows their rounded values, so the last line is one step short
// of the second colour.
#pragma once
#include <cstdint>

#include "platform/plat_gdi.h"

namespace zkw {

// Rows y1 .. y2 - 1 (columns x1 .. x2 - 1) from Color1 towards Color2; nothing when y2 <= y1.
void VColorGradient(plat::HDC dc, uint32_t Color1, uint32_t Color2, int32_t x1, int32_t y1,
                    int32_t x2, int32_t y2);
// Columns x1 .. x2 - 1 (rows y1 .. y2 - 1) from Color1 towards Color2; nothing when x2 <= x1.
void HColorGradient(plat::HDC dc, uint32_t Color1, uint32_t Color2, int32_t x1, int32_t y1,
                    int32_t x2, int32_t y2);
// Color1 to Color2 above row y1 + Round(Pos (y2 - y1 + 1) / 100), Color2 to Color3 below.
void VerticalGradient(plat::HDC dc, uint32_t Color1, uint32_t Color2, uint32_t Color3,
                      int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t Pos);
void HorizontalGradient(plat::HDC dc, uint32_t Color1, uint32_t Color2, uint32_t Color3,
                        int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t Pos);

// Count colours; segment i ends at x1 + Round((x2 - x1) Positions[i] / 100). Needs Count >= 3;
// the area after the last boundary (last position below 100) takes the last colour.
void HorizontalMultiGradient(plat::HDC dc, const int32_t* Colors, const int32_t* Positions,
                             int32_t Count, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Count colours; segments i = 0 .. Count - 3 end at y1 + Round((y2 - y1) Positions[i] / 100),
// the last one (Colors[Count - 2] to Colors[Count - 1]) ends at y2. Needs Count >= 5.
void VerticalMultiGradient(plat::HDC dc, const int32_t* Colors, const int32_t* Positions,
                           int32_t Count, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// As the vertical multi-gradient, with Positions[i] the boundary coordinates themselves.
void VerticalMultiGradientPos(plat::HDC dc, const int32_t* Colors, const int32_t* Positions,
                              int32_t Count, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void HorizontalMultiGradientPos(plat::HDC dc, const int32_t* Colors, const int32_t* Positions,
                                int32_t Count, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

}  // namespace zkw
