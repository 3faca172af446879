// Named functions: limits, trigonometric functions, logarithms.
#pragma once
#include <string>

#include "equation/equation.h"
#include "equation/equation_item.h"
#include "equation/item_macros.h"

namespace zkw {

// "lim" with the expression (0) and, under the name at three quarters of the size, the limit (1).
class TLim : public TEquationItem {
 public:
  TLim() { TLim::InitDefaults(); }
  ZKW_EQ_CLASS(28, TLim)
  ZKW_EQ_LAYOUT
  void Offset(int32_t dx, int32_t dy) override {
    TEquationItem::Offset(dx, dy);
    OffsetRect(FNameBox, dx, dy);
  }
  plat::RECT FNameBox{};
  void InitDefaults() override;
  TChildScale ChildScale(size_t i) const override {
    return i == 1 ? TChildScale::csThreeQuarter : TChildScale::csFull;
  }
  void Add1(TEquationItem* item) { FEQList[0]->Add(item); }
  void Add2(TEquationItem* item) { FEQList[1]->Add(item); }
};

class TCos : public TEquationItem {
 public:
  TCos() { TCos::InitDefaults(); }
  ZKW_EQ_CLASS(29, TCos)
  ZKW_EQ_LAYOUT
  void Offset(int32_t dx, int32_t dy) override {
    TEquationItem::Offset(dx, dy);
    OffsetRect(FNameBox, dx, dy);
  }
  plat::RECT FNameBox{};
  void InitDefaults() override;
  void StoredFields(TFieldList& list) override { list.Byte("FStyle", FStyle); }
  void FieldsRead() override { SetStyle(FStyle); }
  // 1..8 name the function "cos" .. "arccotg"; other values keep the name.
  void SetStyle(uint8_t value);
  void Add(TEquationItem* item) { FEQList[0]->Add(item); }
  uint8_t FStyle = 1;
  std::string FStr = "cos";
};

// Code 30: the editor's kind number for logarithms, which no other class uses.
class TLog : public TEquationItem {
 public:
  TLog() { TLog::InitDefaults(); }
  ZKW_EQ_CLASS(30, TLog)
  ZKW_EQ_LAYOUT
  void Offset(int32_t dx, int32_t dy) override {
    TEquationItem::Offset(dx, dy);
    OffsetRect(FNameBox, dx, dy);
  }
  plat::RECT FNameBox{};
  void InitDefaults() override;
  void StoredFields(TFieldList& list) override;
  void FieldsRead() override { SetStyle(FStyle); }
  // 1 "log", 2 "ln"; other values keep the name.
  void SetStyle(uint8_t value);
  void Add1(TEquationItem* item) { FEQList[0]->Add(item); }  // argument
  void Add2(TEquationItem* item) { FEQList[1]->Add(item); }  // base
  uint8_t FStyle = 1;
  uint8_t FLogStyle = 1;  // 0: no base
  std::string FStr = "log";
};

}  // namespace zkw
