// Accent marks shared by the accents over a text and over a child row.
#pragma once
#include <cstdint>

namespace zkw {

class TEquationItem;

// Number of bars drawn for a style: at least 1, at most 16 (the stored style is kept).
int32_t BarCount(int32_t style);
// `count` bars from left to right - p + 1, the first on row `top`, each further one 2p higher.
void DrawBars(const TEquationItem& item, int32_t left, int32_t right, int32_t top, int32_t count);
// The wedge from (left, top + p) over the width, round(arcHeight x 4 / 3) high.
void DrawWedge(const TEquationItem& item, int32_t left, int32_t right, int32_t top, int32_t arcHeight);
// An arc over the same box; with an arrowhead at its right end when asked.
void DrawArcAccent(const TEquationItem& item, int32_t left, int32_t right, int32_t top, int32_t arcHeight,
                   bool arrow);

}  // namespace zkw
