// Layout and drawing of the items made of stacked rows: alternatives, matrices, determinants
// and systems.
#include "equation/layout_rows.h"

#include <algorithm>

#include "common/round.h"
#include "equation/items_rows.h"
#include "equation/layout_metrics.h"

namespace zkw {

std::vector<int64_t> StackedAxes(const std::vector<int32_t>& above, const std::vector<int32_t>& below, int32_t axis) {
  const size_t n = above.size();
  std::vector<int64_t> ys(n, axis);
  if (n == 0) return ys;
  size_t upper, lower;  // the rows placed first
  if (n % 2 == 1) {
    upper = lower = (n - 1) / 2;
  } else {
    upper = n / 2 - 1;
    lower = n / 2;
    ys[upper] = static_cast<int64_t>(axis) - below[upper];
    ys[lower] = static_cast<int64_t>(axis) + above[lower];
  }
  for (size_t i = upper; i-- > 0;) ys[i] = ys[i + 1] - above[i + 1] - below[i];
  for (size_t i = lower + 1; i < n; ++i) ys[i] = ys[i - 1] + below[i - 1] + above[i];
  return ys;
}

int32_t BarWidth(int32_t v) { return std::clamp(v / 20, 1, 4); }

namespace {

// Stacks the rows around y, all starting at x.
void StackRows(TPolynomical& item, int32_t x, int32_t y) {
  std::vector<int32_t> above, below;
  for (auto& row : item.FEQList) {
    row->SetBasePoint(x, y);
    above.push_back(row->AboveHeight());
    below.push_back(row->BelowHeight());
  }
  const std::vector<int64_t> ys = StackedAxes(above, below, y);
  for (size_t i = 0; i < ys.size(); ++i) item.FEQList[i]->MoveBasePoint(x, Coord(ys[i]));
}

int32_t WidestRow(const TPolynomical& item) {
  int32_t w = 0;
  for (auto& row : item.FEQList) w = std::max(w, row->Width());
  return w;
}

// The rows' extent: top of the first, bottom of the last.
plat::RECT RowsBox(const TPolynomical& item) {
  if (item.FEQList.empty()) return plat::RECT{item.FBasePoint.x, item.FBasePoint.y, item.FBasePoint.x, item.FBasePoint.y};
  plat::RECT r = item.FEQList.front()->FRegion;
  for (auto& row : item.FEQList) {
    r.top = std::min(r.top, row->FRegion.top);
    r.bottom = std::max(r.bottom, row->FRegion.bottom);
    r.left = std::min(r.left, row->FRegion.left);
    r.right = std::max(r.right, row->FRegion.right);
  }
  return r;
}

// Sets the items of every row in columns as wide as their widest cell + 10, each cell centred.
void AlignCells(TPolynomical& item, int32_t x) {
  std::vector<int32_t> widths;
  for (auto& row : item.FEQList)
    for (size_t j = 0; j < row->FList.size(); ++j) {
      const plat::RECT& r = row->FList[j]->FRect;
      if (widths.size() <= j) widths.push_back(0);
      widths[j] = std::max<int32_t>(widths[j], r.right - r.left);
    }
  for (auto& row : item.FEQList) {
    int64_t cx = x;
    for (size_t j = 0; j < row->FList.size(); ++j) {
      TEquationItem& cell = *row->FList[j];
      const int32_t w = cell.FRect.right - cell.FRect.left;
      cell.Offset(Coord(cx + (widths[j] + 10 - w) / 2 - cell.FRect.left), 0);
      cx += widths[j] + 10;
    }
    if (!row->FList.empty()) row->CalcRegion();
  }
}

void DrawRows(TPolynomical& item) {
  for (auto& row : item.FEQList) row->DrawItems();
}

}  // namespace

void TEquationOr::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  StackRows(*this, x, y);
  const plat::RECT rows = RowsBox(*this);
  const int32_t tick = std::min<int32_t>(10, static_cast<int32_t>(Round((rows.bottom - rows.top) / 8.0)));
  for (auto& row : FEQList) row->MoveBasePoint(x + tick + 3, row->FBasePoint.y);
  SetRect(x, rows.top, static_cast<int64_t>(x) + tick + 3 + WidestRow(*this), rows.bottom);
  FTick = tick;
}

void TEquationOr::DrawContent() {
  if (FEQList.empty()) return;
  const int32_t lx = FRect.left + 2;
  ItemLine(*this, lx, FEQList.front()->FBasePoint.y, lx, FEQList.back()->FBasePoint.y + 1);
  for (auto& row : FEQList) ItemLine(*this, lx, row->FBasePoint.y, lx + FTick, row->FBasePoint.y);
  DrawRows(*this);
}

void TArrayEquation::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  StackRows(*this, x, y);
  AlignCells(*this, x);
  const plat::RECT rows = RowsBox(*this);
  const int32_t h = rows.bottom - rows.top;
  const int32_t left = FStyle == 6 ? BarWidth(h) + 2 : SymbolExtent(*this, {"Symbol", FLCharCode, h, true}).cx;
  const int32_t right = FStyle == 6 ? BarWidth(h) + 2 : SymbolExtent(*this, {"Symbol", FRCharCode, h, true}).cx;
  for (auto& row : FEQList) row->Offset(left, 0);
  const plat::RECT moved = RowsBox(*this);
  SetRect(x, rows.top, static_cast<int64_t>(moved.right) + right, rows.bottom);
}

void TArrayEquation::DrawContent() {
  const int32_t h = FRect.bottom - FRect.top, up = static_cast<int32_t>(Round(h / 10.0));
  const int32_t y = FBasePoint.y - up;
  if (FStyle == 6) {
    const int32_t lw = BarWidth(h);
    DrawPenLine(FDC, FRect.left + 1, FRect.top, FRect.left + 1, FRect.bottom, lw, ItemLineColor(*this), plat::PS_INSIDEFRAME);
    DrawPenLine(FDC, FRect.right - lw - 1, FRect.top, FRect.right - lw - 1, FRect.bottom, lw, ItemLineColor(*this),
                plat::PS_INSIDEFRAME);
  } else {
    const TSymbolGlyph right{"Symbol", FRCharCode, h, true};
    DrawStretchedSymbol(*this, FLCharCode, h, FRect.left, y);
    DrawSymbol(*this, right, SymbolBox(*this, right, FRect.right - SymbolExtent(*this, right).cx, y));
  }
  DrawRows(*this);
}

void TDeterminant::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  StackRows(*this, x + 3, y);
  const plat::RECT rows = RowsBox(*this);
  const int32_t lw = BarWidth(rows.bottom - rows.top);
  for (auto& row : FEQList) row->MoveBasePoint(x + 3 + 2 * lw + 1, row->FBasePoint.y);
  AlignCells(*this, x + 3 + 2 * lw + 1);
  const plat::RECT moved = RowsBox(*this);
  SetRect(x, rows.top, static_cast<int64_t>(moved.right) + 2 * lw + 1 + 3, rows.bottom);
}

void TDeterminant::DrawContent() {
  const int32_t lw = BarWidth(FRect.bottom - FRect.top);
  const plat::COLORREF color = ItemLineColor(*this);
  DrawPenLine(FDC, FRect.left + lw, FRect.top + lw, FRect.left + lw, FRect.bottom - lw, lw, color, plat::PS_INSIDEFRAME);
  DrawPenLine(FDC, FRect.right - lw, FRect.top + lw, FRect.right - lw, FRect.bottom - lw, lw, color,
              plat::PS_INSIDEFRAME);
  DrawRows(*this);
}

void TEquationSystem::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  int64_t block = 0;
  for (auto& row : FEQList) {
    row->SetBasePoint(x, y);
    block += row->Height();
  }
  if (block % 2 != 0) ++block;
  const int32_t widest = WidestRow(*this);
  const int32_t braceWidth = SymbolGlyphWidth(*this, FCharCode, Coord(block));
  const int32_t rowsX = FLeftBracket == 0 ? x + braceWidth : x;
  int64_t top = y - block / 2;
  for (auto& row : FEQList) {
    const int32_t rx = FLeftBracket == 0 ? rowsX : x + widest - row->Width();
    row->MoveBasePoint(rx, Coord(top + row->AboveHeight()));
    top += row->Height();
  }
  int64_t b = 0;
  if (!FEQList.empty())
    b = std::max<int64_t>(y - FEQList.front()->FRegion.top, FEQList.back()->FRegion.bottom - y);
  const int64_t right = FLeftBracket == 0 ? static_cast<int64_t>(rowsX) + widest
                                          : static_cast<int64_t>(x) + SymbolGlyphWidth(*this, FCharCode, Coord(2 * b)) + widest;
  SetRect(x, y - b, right, y + b);
}

void TEquationSystem::DrawContent() {
  const int32_t h = FRect.bottom - FRect.top;
  const TSymbolGlyph brace{"Symbol", FCharCode, h, true};
  const int32_t width = SymbolExtent(*this, brace).cx;
  const int32_t bx = FLeftBracket == 0 ? FRect.left : FRect.right - width;
  if (FLeftBracket == 0) DrawSymbol(*this, brace, SymbolBox(*this, brace, bx, FBasePoint.y));
  DrawRows(*this);
  if (FLeftBracket != 0) DrawSymbol(*this, brace, SymbolBox(*this, brace, bx, FBasePoint.y));
}

}  // namespace zkw
