// Stacking of rows around an axis, shared by the row items and the cell grid.
#pragma once
#include <cstdint>
#include <vector>

namespace zkw {

class TEquation;

// Base y of each row, given the rows' above and below heights: the middle row of an odd count on
// the axis, the two middle rows of an even count meeting at it, every other row touching its
// neighbour.
std::vector<int64_t> StackedAxes(const std::vector<int32_t>& above, const std::vector<int32_t>& below, int32_t axis);

// The line width of determinant and grid bars: v div 20 limited to 1..4.
int32_t BarWidth(int32_t v);

}  // namespace zkw
