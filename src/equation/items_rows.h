// Items made of stacked rows: systems, matrices, determinants, alternatives.
#pragma once
#include "equation/equation.h"
#include "equation/equation_item.h"
#include "equation/item_macros.h"

namespace zkw {

// Abstract: two rows at creation; Add appends a row.
class TPolynomical : public TEquationItem {
 public:
  void InitDefaults() override;
  // 27: appends the row (a new empty row for null).
  virtual void Add(TEquation* row);
};

class TEquationSystem : public TPolynomical {
 public:
  TEquationSystem() { TEquationSystem::InitDefaults(); }
  ZKW_EQ_CLASS(14, TEquationSystem)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void StoredFields(TFieldList& list) override;
  uint8_t FCharCode = 123;
  uint8_t FLeftBracket = 0;  // 0: brace on the left, 1: on the right
};

class TArrayEquation : public TPolynomical {
 public:
  TArrayEquation() { TArrayEquation::InitDefaults(); }
  ZKW_EQ_CLASS(15, TArrayEquation)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void StoredFields(TFieldList& list) override;
  uint8_t FLCharCode = 40;
  uint8_t FRCharCode = 41;
  int32_t FStyle = 1;
};

class TDeterminant : public TPolynomical {
 public:
  TDeterminant() { TDeterminant::InitDefaults(); }
  ZKW_EQ_CLASS(16, TDeterminant)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  int32_t FLineWidth = 1;
};

class TEquationOr : public TPolynomical {
 public:
  TEquationOr() { TEquationOr::InitDefaults(); }
  ZKW_EQ_CLASS(22, TEquationOr)
  ZKW_EQ_LAYOUT
  int32_t FTick = 0;  // length of the ticks to the rows
};

}  // namespace zkw
