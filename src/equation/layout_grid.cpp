// Layout and drawing of the cell grid: columns as wide as their widest cell, rows stacked around
// the axis, optional fences.
#include <algorithm>

#include "common/round.h"
#include "equation/item_grid.h"
#include "equation/layout_metrics.h"
#include "equation/layout_rows.h"

namespace zkw {

int32_t TArrayEquationEx::PlaceCells(int32_t x, int32_t y) {
  const int32_t rows = static_cast<int32_t>(FEqArray.size());
  const int32_t cols = rows > 0 ? static_cast<int32_t>(FEqArray[0].size()) : 0;
  std::vector<int32_t> widths(static_cast<size_t>(cols), 0), above(static_cast<size_t>(rows), 0),
      below(static_cast<size_t>(rows), 0);
  for (int32_t r = 0; r < rows; ++r)
    for (int32_t c = 0; c < cols; ++c) {
      TEquation& cell = *FEqArray[r][c];
      cell.SetBasePoint(x, y);
      widths[c] = std::max(widths[c], cell.Width());
      above[r] = std::max(above[r], cell.AboveHeight());
      below[r] = std::max(below[r], cell.BelowHeight());
    }
  const std::vector<int64_t> ys = StackedAxes(above, below, y);
  int64_t cx = x;
  for (int32_t c = 0; c < cols; ++c) {
    for (int32_t r = 0; r < rows; ++r) {
      TEquation& cell = *FEqArray[r][c];
      const int64_t offset = Round(std::abs(widths[c] - cell.Width()) / 2.0);
      cell.MoveBasePoint(Coord(cx + offset), Coord(ys[r]));
    }
    cx += static_cast<int64_t>(widths[c]) + FSpacing;
  }
  if (rows == 0 || cols == 0) return 0;
  int64_t top = y, bottom = y;
  for (TEquation* cell : FEqArray.front()) top = std::min<int64_t>(top, cell->FRegion.top);
  for (TEquation* cell : FEqArray.back()) bottom = std::max<int64_t>(bottom, cell->FRegion.bottom);
  return Coord(std::max(y - top, bottom - y));
}

void TArrayEquationEx::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  int32_t start = x, grow = 0;
  if (FStyle == 6) {
    const int32_t m = PlaceCells(x, y);
    start = x + BarWidth(2 * m) + 2;
  } else if (FStyle > 0) {
    const int32_t m = PlaceCells(x, y);
    start = x + SymbolGlyphWidth(*this, FLCharCode, 2 * m);
  }
  const int32_t f = PlaceCells(start, y);
  if (FStyle == 6)
    grow = BarWidth(2 * f) + 2;
  else if (FStyle > 0)
    grow = SymbolGlyphWidth(*this, FRCharCode, 2 * f);
  int64_t right = start;
  for (const auto& row : FEqArray)
    if (!row.empty()) right = std::max<int64_t>(right, row.back()->FRegion.right);
  SetRect(x, static_cast<int64_t>(y) - f, right + grow, static_cast<int64_t>(y) + f);
}

void TArrayEquationEx::DrawContent() {
  const int32_t h = FRect.bottom - FRect.top;
  const int32_t y = FBasePoint.y - static_cast<int32_t>(Round(h / 10.0));
  const TSymbolGlyph right{"Symbol", FRCharCode, h, true};
  if (FStyle == 6) {
    ItemLine(*this, FRect.left + 1, FRect.top, FRect.left + 1, FRect.bottom);
    const int32_t rx = FRect.right - BarWidth(h) - 1;
    ItemLine(*this, rx, FRect.top, rx, FRect.bottom);
  } else if (FStyle > 0) {
    DrawStretchedSymbol(*this, FLCharCode, h, FRect.left, y);
  }
  for (const auto& row : FEqArray)
    for (TEquation* cell : row) cell->DrawItems();
  if (FStyle > 0 && FStyle != 6) DrawSymbol(*this, right, SymbolBox(*this, right, FRect.right - SymbolExtent(*this, right).cx, y));
}

}  // namespace zkw
