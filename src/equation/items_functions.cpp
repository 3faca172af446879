#include "equation/items_functions.h"

namespace zkw {

void TLim::InitDefaults() {
  TEquationItem::InitDefaults();
  CreateChildren(2);
}

void TCos::InitDefaults() {
  TEquationItem::InitDefaults();
  FStr.clear();
  SetStyle(1);
  CreateChildren(1);
}

void TCos::SetStyle(uint8_t value) {
  static const char* const kNames[8] = {"cos", "sin", "tg", "cotg", "arccos", "arcsin", "arctg", "arccotg"};
  FStyle = value;
  if (value >= 1 && value <= 8) FStr = kNames[value - 1];
}

void TLog::InitDefaults() {
  TEquationItem::InitDefaults();
  FStr.clear();
  SetStyle(1);
  FLogStyle = 1;
  CreateChildren(2);
}

void TLog::StoredFields(TFieldList& list) {
  list.Byte("FStyle", FStyle);
  list.Byte("FLogStyle", FLogStyle);
}

void TLog::SetStyle(uint8_t value) {
  FStyle = value;
  if (value == 1) FStr = "log";
  else if (value == 2) FStr = "ln";
}

}  // namespace zkw
