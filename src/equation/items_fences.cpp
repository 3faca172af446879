#include "equation/items_fences.h"

namespace zkw {

void TFence::InitDefaults() {
  TEquationItem::InitDefaults();
  FSuper = FSub = true;
  SetFenceStyle(1);
  CreateChildren(3);
}

void TFence::StoredFields(TFieldList& list) {
  list.Byte("FFenceStyle", FFenceStyle);
  list.Bool("FSuper", FSuper);
  list.Bool("FSub", FSub);
}

void TFence::SetFenceStyle(uint8_t value) {
  static const uint8_t kCodes[6][2] = {{225, 241}, {40, 41}, {91, 93}, {123, 125}, {91, 41}, {40, 93}};
  FFenceStyle = value;
  const uint8_t* codes = kCodes[value >= 1 && value <= 5 ? value : 0];
  FLCharCode = codes[0];
  FRCharCode = codes[1];
}

void TAbsolute::InitDefaults() {
  TEquationItem::InitDefaults();
  FSuper = FSub = false;
  FNumClass = 2;
  CreateChildren(3);
}

void TAbsolute::StoredFields(TFieldList& list) {
  list.Bool("FSuper", FSuper);
  list.Bool("FSub", FSub);
  list.Byte("FNumClass", FNumClass);
}

void TSimpleRect::InitDefaults() {
  TEquationItem::InitDefaults();
  FStyle = 0;
  CreateChildren(1);
}

}  // namespace zkw
