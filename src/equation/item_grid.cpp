#include "equation/item_grid.h"

#include <string>

#include "equation/items_text.h"

namespace zkw {

ZString GridCellName(int32_t row, int32_t col) {
  ZString name(1, static_cast<ZChar>(64 + col));
  for (char c : std::to_string(row)) name += static_cast<ZChar>(c);
  return name;
}

void TArrayEquationEx::InitDefaults() {
  TEquationItem::InitDefaults();
  FStyle = 0;
  FLCharCode = 40;
  FRCharCode = 41;
  FSpacing = 15;
  Rebuild(2, 2);
}

TEquation* TArrayEquationEx::NewCell() {
  std::unique_ptr<TEquation> cell = NewChild(TChildScale::csFull);
  cell->FBasePoint = FBasePoint;
  FEQList.push_back(std::move(cell));
  return FEQList.back().get();
}

void TArrayEquationEx::Rebuild(int32_t rows, int32_t cols) {
  FEQList.clear();
  FEQList.reserve(static_cast<size_t>(rows) * static_cast<size_t>(cols));
  FEqArray.assign(static_cast<size_t>(rows), std::vector<TEquation*>(static_cast<size_t>(cols)));
  for (auto& row : FEqArray)
    for (auto& cell : row) cell = NewCell();
  FRow = rows;
  FCol = cols;
}

int64_t TArrayEquationEx::ObjSize() const {
  int64_t size = ParameterSize() + 12;
  for (const auto& row : FEqArray)
    for (const TEquation* cell : row) size += cell ? cell->StreamSize() : 4;
  return size;
}

bool TArrayEquationEx::ReadBody(TEqReader& r) {
  if (r.Form() == TEqForm::efText && !r.FGridCells) return true;
  int32_t style, rows, cols;
  if (!r.Field(style, 4) || !r.Field(rows, 4) || !r.Field(cols, 4)) return false;
  if (rows < 1 || rows > kMaxGridSize || cols < 1 || cols > kMaxGridSize)
    return r.Refuse("grid of " + std::to_string(rows) + " x " + std::to_string(cols) + " cells " + r.Where() +
                    " is outside 1..100 x 1..100");
  if (int64_t{rows} * cols * r.LeastEquation() > r.Left())
    return r.Refuse("grid of " + std::to_string(rows) + " x " + std::to_string(cols) + " cells " + r.Where() +
                    " cannot fit in what is left");
  Rebuild(rows, cols);
  if (!r.Enter()) return false;
  for (auto& row : FEqArray)
    for (TEquation* cell : row)
      if (!cell->ReadItems(r)) return false;
  r.Leave();
  SetStyle(style);
  return true;
}

void TArrayEquationEx::WriteBody(TEqWriter& w) {
  w.Field(FStyle, 4);
  w.Field(FRow, 4);
  w.Field(FCol, 4);
  for (auto& row : FEqArray)
    for (TEquation* cell : row) {
      if (cell)
        cell->WriteItems(w);
      else
        w.Count(0);
    }
}

void TArrayEquationEx::ChildRemoved(TEquation* child) {
  for (auto& row : FEqArray)
    for (auto& cell : row)
      if (cell == child) cell = nullptr;
}

void TArrayEquationEx::Add(TEquationItem* item, int32_t index) {
  if (TEquation* cell = GetItem(index)) cell->Add(item);
}

void TArrayEquationEx::AddEqItem(TEquationItem* item, int32_t aRow, int32_t aCol) {
  if (TEquation* cell = Cell(aRow, aCol)) cell->Add(item);
}

TEquation* TArrayEquationEx::Cell(int32_t aRow, int32_t aCol) const {
  if (aRow < 1 || aRow > FRow || aCol < 1 || aCol > FCol) return nullptr;
  return FEqArray[static_cast<size_t>(aRow - 1)][static_cast<size_t>(aCol - 1)];
}

TEquation* TArrayEquationEx::AddColumnEq() {
  if (FCol >= kMaxGridSize) return nullptr;
  const int32_t col = FCol + 1;
  for (int32_t row = 1; row <= FRow; ++row) {
    TEquation* cell = NewCell();
    if (row >= 2) cell->Add(new TSimpleExpr(GridCellName(row, col)));
    FEqArray[static_cast<size_t>(row - 1)].push_back(cell);
  }
  FCol = col;
  return FEqArray[0].back();
}

TEquation* TArrayEquationEx::AddRowEq() {
  if (FRow >= kMaxGridSize) return nullptr;
  const int32_t row = FRow + 1;
  std::vector<TEquation*> cells;
  for (int32_t col = 1; col <= FCol; ++col) {
    TEquation* cell = NewCell();
    if (col >= 2) cell->Add(new TSimpleExpr(GridCellName(row, col)));
    cells.push_back(cell);
  }
  FEqArray.push_back(std::move(cells));
  FRow = row;
  return FEqArray.back().front();
}

void TArrayEquationEx::SetStyle(int32_t value) {
  FStyle = value;
  switch (value) {
    case 1: FLCharCode = 40, FRCharCode = 41; break;
    case 2: FLCharCode = 91, FRCharCode = 93; break;
    case 3: FLCharCode = 123, FRCharCode = 125; break;
    case 0:
    case 6: FLCharCode = FRCharCode = 0; break;
    default: FLCharCode = 225, FRCharCode = 241; break;
  }
}

}  // namespace zkw
