// TArrayEquationEx: a grid of cell equations, at most 100 rows by 100 columns.
#pragma once
#include <vector>

#include "equation/equation.h"
#include "equation/equation_item.h"
#include "equation/item_macros.h"

namespace zkw {

constexpr int32_t kMaxGridSize = 100;

class TArrayEquationEx : public TEquationItem {
 public:
  TArrayEquationEx() { TArrayEquationEx::InitDefaults(); }
  ZKW_EQ_CLASS(46, TArrayEquationEx)
  ZKW_EQ_LAYOUT
  // Two rows of two empty cells.
  void InitDefaults() override;
  int64_t ObjSize() const override;
  // Style, rows, columns and the cells row by row (no child count); the text form under code 46
  // carries none of it.
  bool ReadBody(TEqReader& r) override;
  void WriteBody(TEqWriter& w) override;
  void ChildRemoved(TEquation* child) override;

  // 27: appends the item to the cell at that position of the creation-order list.
  virtual void Add(TEquationItem* item, int32_t index);
  // 28: appends the item to cell (aRow, aCol), 1-based; nothing outside the grid.
  virtual void AddEqItem(TEquationItem* item, int32_t aRow, int32_t aCol);
  // Appends a column (a row); cells past the first row (column) hold their name, as "C2".
  // Returns the first new cell, or null when the grid already has 100 columns (rows).
  TEquation* AddColumnEq();
  TEquation* AddRowEq();
  // Cell (aRow, aCol), 1-based; null outside the grid.
  TEquation* Cell(int32_t aRow, int32_t aCol) const;
  // Style and fence characters: 1 ( ), 2 [ ], 3 { }, 0 and 6 none, others the angle brackets.
  void SetStyle(int32_t value);

  int32_t FStyle = 0;
  uint8_t FLCharCode = 40;
  uint8_t FRCharCode = 41;
  int32_t FRow = 2;
  int32_t FCol = 2;
  int32_t FSpacing = 15;
  std::vector<std::vector<TEquation*>> FEqArray;  // [row][column], 0-based; cells are in FEQList

 private:
  // Places the cells starting at x; returns the grid's half height around the axis.
  int32_t PlaceCells(int32_t x, int32_t y);
  TEquation* NewCell();
  // Empty cells, created row by row.
  void Rebuild(int32_t rows, int32_t cols);
};

// The name of cell (row, col): the column letter (code 64 + col) and the row number.
ZString GridCellName(int32_t row, int32_t col);

}  // namespace zkw
