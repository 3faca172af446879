// Items that enclose a row: fences with optional scripts, absolute-value bars, the box.
#pragma once
#include "equation/equation.h"
#include "equation/equation_item.h"
#include "equation/item_macros.h"

namespace zkw {

class TFence : public TEquationItem {
 public:
  TFence() { TFence::InitDefaults(); }
  ZKW_EQ_CLASS(11, TFence)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void StoredFields(TFieldList& list) override;
  void FieldsRead() override { SetFenceStyle(FFenceStyle); }
  void GetText(ZString& St) override;
  // Style and fence characters: 1 ( ), 2 [ ], 3 { }, 4 [ ), 5 ( ], others the angle brackets.
  void SetFenceStyle(uint8_t value);
  void Add(TEquationItem* item) { FEQList[0]->Add(item); }   // content
  void Add1(TEquationItem* item) { FEQList[1]->Add(item); }  // superscript
  void Add2(TEquationItem* item) { FEQList[2]->Add(item); }  // subscript
  uint8_t FFenceStyle = 1;
  bool FSuper = true;
  bool FSub = true;
  uint8_t FLCharCode = 40;
  uint8_t FRCharCode = 41;
};

class TAbsolute : public TEquationItem {
 public:
  TAbsolute() { TAbsolute::InitDefaults(); }
  ZKW_EQ_CLASS(12, TAbsolute)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void StoredFields(TFieldList& list) override;
  void FieldsRead() override { SetNumClass(FNumClass); }
  // Number of bars on each side; 0 counts as 1.
  void SetNumClass(uint8_t value) { FNumClass = value == 0 ? 1 : value; }
  void Add(TEquationItem* item) { FEQList[0]->Add(item); }
  void Add1(TEquationItem* item) { FEQList[1]->Add(item); }
  void Add2(TEquationItem* item) { FEQList[2]->Add(item); }
  bool FSuper = false;
  bool FSub = false;
  uint8_t FNumClass = 2;
};

// A box around a row. The text form carries no style for it.
class TSimpleRect : public TEquationItem {
 public:
  TSimpleRect() { TSimpleRect::InitDefaults(); }
  ZKW_EQ_CLASS(44, TSimpleRect)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void StoredFields(TFieldList& list) override { list.Int("FStyle", FStyle); }
  void TextFields(TFieldList&) override {}
  void Add(TEquationItem* item) { FEQList[0]->Add(item); }
  int32_t FStyle = 0;
};

}  // namespace zkw
