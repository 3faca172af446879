#include "equation/items_rows.h"

namespace zkw {

void TPolynomical::InitDefaults() {
  TEquationItem::InitDefaults();
  CreateChildren(2);
}

void TPolynomical::Add(TEquation* row) {
  if (row)
    AddItem(row);
  else
    FEQList.push_back(NewChild(TChildScale::csFull));
}

void TEquationSystem::InitDefaults() {
  TPolynomical::InitDefaults();
  FCharCode = 123;
  FLeftBracket = 0;
}

void TEquationSystem::StoredFields(TFieldList& list) {
  list.Byte("FCharCode", FCharCode);
  list.Byte("FLeftBracket", FLeftBracket);
}

void TArrayEquation::InitDefaults() {
  TPolynomical::InitDefaults();
  FLCharCode = 40;
  FRCharCode = 41;
  FStyle = 1;
}

void TArrayEquation::StoredFields(TFieldList& list) {
  list.Byte("FLCharCode", FLCharCode);
  list.Byte("FRCharCode", FRCharCode);
  list.Int("FStyle", FStyle);
}

void TDeterminant::InitDefaults() {
  TPolynomical::InitDefaults();
  FLineWidth = 1;
}

}  // namespace zkw
