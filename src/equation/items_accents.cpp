#include "equation/items_accents.h"

namespace zkw {

void TAngleVecto::InitDefaults() {
  TEquationItem::InitDefaults();
  FArcHeight = 3;
  CreateChildren(1);
}

void TSimpleValueEx::InitDefaults() {
  TEquationItem::InitDefaults();
  FStyle = 1;
  FSuper = false;
  CreateChildren(2);
}

void TSimpleValueEx::StoredFields(TFieldList& list) {
  list.Int("FStyle", FStyle);
  list.Bool("FSuper", FSuper);
}

void TSimpleVectorEx::InitDefaults() {
  TEquationItem::InitDefaults();
  FStyle = 1;
  FSuper = false;
  FArcHeight = 1;
  CreateChildren(2);
}

void TSimpleVectorEx::StoredFields(TFieldList& list) {
  list.Int("FStyle", FStyle);
  list.Bool("FSuper", FSuper);
}

void TSimpleAngleEx::InitDefaults() {
  TEquationItem::InitDefaults();
  FArcHeight = 3;
  CreateChildren(1);
}

void TSimpleArcEx::InitDefaults() {
  TSimpleAngleEx::InitDefaults();
  FStyle = 0;
}

}  // namespace zkw
