// Items of two stacked rows: fractions, the mixed fraction, arrows with texts, the horizontal
// brace.
#pragma once
#include "equation/equation.h"
#include "equation/equation_item.h"
#include "equation/item_macros.h"

namespace zkw {

class TFraction : public TEquationItem {
 public:
  TFraction() { TFraction::InitDefaults(); }
  ZKW_EQ_CLASS(2, TFraction)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void GetText(ZString& St) override;
  void NAdd(TEquationItem* item) { FEQList[0]->Add(item); }  // numerator
  void DAdd(TEquationItem* item) { FEQList[1]->Add(item); }  // denominator
};

class TFractionEx : public TEquationItem {
 public:
  TFractionEx() { TFractionEx::InitDefaults(); }
  ZKW_EQ_CLASS(17, TFractionEx)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void NAdd(TEquationItem* item) { FEQList[0]->Add(item); }
  void DAdd(TEquationItem* item) { FEQList[1]->Add(item); }
  void IAdd(TEquationItem* item) { FEQList[2]->Add(item); }  // whole part
};

// Texts above and below an arrow, at three quarters of the item's size.
class TArrow : public TFraction {
 public:
  TArrow() { TArrow::InitDefaults(); }
  ZKW_EQ_CLASS(24, TArrow)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void StoredFields(TFieldList& list) override;
  TChildScale ChildScale(size_t) const override { return TChildScale::csThreeQuarter; }
  void GetText(ZString& St) override { ChildrenText(St); }
  int32_t FTextStyle = 1;
  int32_t FArrowStyle = 1;
};

class TArrowEx : public TArrow {
 public:
  TArrowEx() { TArrowEx::InitDefaults(); }
  ZKW_EQ_CLASS(45, TArrowEx)
};

class TBracketHor : public TFraction {
 public:
  TBracketHor() { TBracketHor::InitDefaults(); }
  ZKW_EQ_CLASS(36, TBracketHor)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void StoredFields(TFieldList& list) override { list.Int("FTextStyle", FTextStyle); }
  void GetText(ZString& St) override { ChildrenText(St); }
  int32_t FTextStyle = 1;
  plat::RECT FRectBracket{};  // the brace's own box
  void Offset(int32_t dx, int32_t dy) override {
    TEquationItem::Offset(dx, dy);
    OffsetRect(FRectBracket, dx, dy);
  }
};

}  // namespace zkw
