// The square root with its optional index, superscripts and subscripts.
#pragma once
#include "equation/equation.h"
#include "equation/equation_item.h"
#include "equation/item_macros.h"

namespace zkw {

class TSquareRoot : public TEquationItem {
 public:
  TSquareRoot() { TSquareRoot::InitDefaults(); }
  ZKW_EQ_CLASS(3, TSquareRoot)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void StoredFields(TFieldList& list) override { list.Int("FStyle", FStyle); }
  TChildScale ChildScale(size_t i) const override {
    return i == 1 ? TChildScale::csThreeQuarter : TChildScale::csFull;
  }
  void GetText(ZString& St) override;
  void Add(TEquationItem* item) { FEQList[0]->Add(item); }   // radicand
  void EAdd(TEquationItem* item) { FEQList[1]->Add(item); }  // index
  int32_t FStyle = 0;  // 0: no index
  plat::RECT FTextRect{};   // the radicand's box under the sign
  void Offset(int32_t dx, int32_t dy) override {
    TEquationItem::Offset(dx, dy);
    OffsetRect(FTextRect, dx, dy);
  }
  int32_t FSignShift = 0;   // the sign moves right when the index is wide
};

// Superscripts and subscripts: one row at two thirds of the item's size; FSize keeps the
// item's own size.
#define ZKW_EQ_SCRIPT_MEMBERS                                                               \
  void InitDefaults() override {                                                            \
    TEquationItem::InitDefaults();                                                          \
    FSize = FFontID.ftSize;                                                                 \
    CreateChildren(1);                                                                      \
  }                                                                                         \
  void ApplyFontID(const TFontID& font) override {                                          \
    TEquationItem::ApplyFontID(font);                                                       \
    FSize = font.ftSize;                                                                    \
  }                                                                                         \
  void ApplyFontSize(int32_t size) override {                                               \
    TEquationItem::ApplyFontSize(size);                                                     \
    FSize = size;                                                                           \
  }                                                                                         \
  TChildScale ChildScale(size_t) const override { return TChildScale::csSmall; }            \
  void Add(TEquationItem* item) { FEQList[0]->Add(item); }                                  \
  int32_t FSize = 10;

class TSimpleSuper : public TEquationItem {
 public:
  TSimpleSuper() { TSimpleSuper::InitDefaults(); }
  ZKW_EQ_CLASS(8, TSimpleSuper)
  ZKW_EQ_LAYOUT
  ZKW_EQ_SCRIPT_MEMBERS
  void GetText(ZString& St) override;
};

class TSimpleSub : public TEquationItem {
 public:
  TSimpleSub() { TSimpleSub::InitDefaults(); }
  ZKW_EQ_CLASS(9, TSimpleSub)
  ZKW_EQ_LAYOUT
  ZKW_EQ_SCRIPT_MEMBERS
  void GetText(ZString&) override {}  // subscripts have no markup
};

#undef ZKW_EQ_SCRIPT_MEMBERS

}  // namespace zkw
