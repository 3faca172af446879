// Items without children: font symbols, the double diagonal arrow, drawn signs.
#pragma once
#include <string>

#include "equation/equation_item.h"
#include "equation/item_macros.h"

namespace zkw {

// A glyph of a symbol face. The face is not stored: a read symbol is in "Symbol".
class TSpecialChar : public TEquationItem {
 public:
  TSpecialChar() { TSpecialChar::InitDefaults(); }
  ZKW_EQ_CLASS(10, TSpecialChar)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  bool HasChildren() const override { return false; }
  void StoredFields(TFieldList& list) override;
  std::string FFaceName = "Symbol";
  uint8_t FCharCode = 32;
  int32_t FFontHeight = 16;
  bool FLockFontSize = true;
  int32_t FScale = 0;
  bool FLockPosition = false;
};

// A symbol drawn rotated by FAngle degrees.
class TSpecialCharEx : public TSpecialChar {
 public:
  TSpecialCharEx() { TSpecialCharEx::InitDefaults(); }
  ZKW_EQ_CLASS(42, TSpecialCharEx)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  int32_t FAngle = 180;
};

class TSpecialArrow : public TEquationItem {
 public:
  TSpecialArrow() { TSpecialArrow::InitDefaults(); }
  ZKW_EQ_CLASS(25, TSpecialArrow)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  bool HasChildren() const override { return false; }
  void StoredFields(TFieldList& list) override { list.Byte("FStyle", FStyle); }
  uint8_t FStyle = 1;
};

class TSign : public TEquationItem {
 public:
  TSign() { TSign::InitDefaults(); }
  ZKW_EQ_CLASS(37, TSign)
  ZKW_EQ_LAYOUT
  void Offset(int32_t dx, int32_t dy) override {
    TEquationItem::Offset(dx, dy);
    OffsetRect(FMinusBox, dx, dy);
  }
  plat::RECT FMinusBox{};  // style 2: the minus sign's box

 private:
  int32_t SymbolAscent() const;
  void DrawDots();

 public:
  void InitDefaults() override;
  bool HasChildren() const override { return false; }
  void StoredFields(TFieldList& list) override { list.Byte("FStyle", FStyle); }
  uint8_t FStyle = 1;
};

}  // namespace zkw
