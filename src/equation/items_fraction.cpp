#include "equation/items_fraction.h"

namespace zkw {

void TFraction::InitDefaults() {
  TEquationItem::InitDefaults();
  CreateChildren(2);
}

void TFractionEx::InitDefaults() {
  TEquationItem::InitDefaults();
  CreateChildren(3);
}

void TArrow::InitDefaults() {
  TFraction::InitDefaults();
  FTextStyle = 1;
  FArrowStyle = 1;
}

void TArrow::StoredFields(TFieldList& list) {
  list.Int("FTextStyle", FTextStyle);
  list.Int("FArrowStyle", FArrowStyle);
}

void TBracketHor::InitDefaults() {
  TFraction::InitDefaults();
  FTextStyle = 1;
}

}  // namespace zkw
