// Accents over a child row: vector arrows, bars, angle wedges and arcs, and the arcs spanning
// point names.
#pragma once
#include "equation/equation.h"
#include "equation/equation_item.h"
#include "equation/item_macros.h"

namespace zkw {

class TAngleVecto : public TEquationItem {
 public:
  TAngleVecto() { TAngleVecto::InitDefaults(); }
  ZKW_EQ_CLASS(31, TAngleVecto)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void Add(TEquationItem* item) { FEQList[0]->Add(item); }
  int32_t FArcHeight = 3;
};

class TArcVecto : public TAngleVecto {
 public:
  TArcVecto() { TArcVecto::InitDefaults(); }
  ZKW_EQ_CLASS(34, TArcVecto)
};

// A bar accent over the main row (0) with an optional exponent at two thirds of the size (1).
class TSimpleValueEx : public TEquationItem {
 public:
  TSimpleValueEx() { TSimpleValueEx::InitDefaults(); }
  ZKW_EQ_CLASS(38, TSimpleValueEx)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void StoredFields(TFieldList& list) override;
  TChildScale ChildScale(size_t i) const override {
    return i == 1 ? TChildScale::csSmall : TChildScale::csFull;
  }
  void Add(TEquationItem* item) { FEQList[0]->Add(item); }
  void Add1(TEquationItem* item) { FEQList[1]->Add(item); }
  int32_t FStyle = 1;
  bool FSuper = false;
};

class TSimpleVectorEx : public TEquationItem {
 public:
  TSimpleVectorEx() { TSimpleVectorEx::InitDefaults(); }
  ZKW_EQ_CLASS(39, TSimpleVectorEx)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void StoredFields(TFieldList& list) override;
  TChildScale ChildScale(size_t i) const override {
    return i == 1 ? TChildScale::csSmall : TChildScale::csFull;
  }
  void Add(TEquationItem* item) { FEQList[0]->Add(item); }
  void Add1(TEquationItem* item) { FEQList[1]->Add(item); }
  int32_t FStyle = 1;
  bool FSuper = false;
  int32_t FArcHeight = 1;
};

class TSimpleAngleEx : public TEquationItem {
 public:
  TSimpleAngleEx() { TSimpleAngleEx::InitDefaults(); }
  ZKW_EQ_CLASS(43, TSimpleAngleEx)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void Add(TEquationItem* item) { FEQList[0]->Add(item); }
  int32_t FArcHeight = 3;
};

class TSimpleArcEx : public TSimpleAngleEx {
 public:
  TSimpleArcEx() { TSimpleArcEx::InitDefaults(); }
  ZKW_EQ_CLASS(47, TSimpleArcEx)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void StoredFields(TFieldList& list) override { list.Int("FStyle", FStyle); }
  int32_t FStyle = 0;
};

}  // namespace zkw
