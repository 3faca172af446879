#include "equation/items_symbols.h"

namespace zkw {

void TSpecialChar::InitDefaults() {
  TEquationItem::InitDefaults();
  FFaceName = "Symbol";
  FCharCode = 32;
  FFontHeight = 16;
  FLockFontSize = true;
  FScale = 0;
  FLockPosition = false;
}

void TSpecialChar::StoredFields(TFieldList& list) {
  list.Byte("FCharCode", FCharCode);
  list.Int("FFontHeight", FFontHeight);
  list.Bool("FLockFontSize", FLockFontSize);
}

void TSpecialCharEx::InitDefaults() {
  TSpecialChar::InitDefaults();
  FAngle = 180;
}

void TSpecialArrow::InitDefaults() {
  TEquationItem::InitDefaults();
  FStyle = 1;
}

void TSign::InitDefaults() {
  TEquationItem::InitDefaults();
  FStyle = 1;
}

}  // namespace zkw
