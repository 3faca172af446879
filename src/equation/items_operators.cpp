#include "equation/items_operators.h"

namespace zkw {

void T3SubEquation::InitDefaults() {
  TEquationItem::InitDefaults();
  FCharCode = 229;
  FSuper = FSub = false;
  CreateChildren(3);
}

void TIntegral::InitDefaults() {
  T3SubEquation::InitDefaults();
  FCharCode = 242;
  FStyle = 0;
}

void TIntegral::StoredFields(TFieldList& list) {
  list.Byte("FCharCode", FCharCode);
  list.Bool("FSuper", FSuper);
  list.Bool("FSub", FSub);
  list.Int("FStyle", FStyle);
}

void TIntegral::SetStyle(int32_t value) {
  FStyle = value;
  if (value > 0) FSuper = FSub = true;
}

void TIntegralEx::InitDefaults() {
  TIntegral::InitDefaults();
  FMain = true;
  FLockHeight = true;
  FIntegalHeight = 20;
}

void TIntegralEx::StoredFields(TFieldList& list) {
  TIntegral::StoredFields(list);
  list.Bool("FMain", FMain);
}

// Every TIntegralEx in the main row, and in their main rows in turn.
static void LockNested(TEquation& row, bool lock) {
  for (auto& item : row.FList) {
    auto* nested = dynamic_cast<TIntegralEx*>(item.get());
    if (!nested) continue;
    nested->FLockHeight = lock;
    if (nested->ChildCount() > 0) LockNested(*nested->GetItem(0), lock);
  }
}

void TIntegralEx::SetMain(bool value) {
  FMain = value;
  if (ChildCount() > 0) LockNested(*GetItem(0), value);
}

void T3SubOtherwise::StoredFields(TFieldList& list) {
  list.Byte("FCharCode", FCharCode);
  list.Bool("FSuper", FSuper);
  list.Bool("FSub", FSub);
}

void TMultiIntegral::InitDefaults() {
  T3SubEquation::InitDefaults();
  FCharCode = 242;
  FNumClass = 2;
}

void TMultiIntegral::StoredFields(TFieldList& list) {
  list.Bool("FSuper", FSuper);
  list.Bool("FSub", FSub);
  list.Int("FNumClass", FNumClass);
}

void TRightIntegral::InitDefaults() {
  T3SubEquation::InitDefaults();
  FSuper = FSub = true;
}

void TRightIntegral::StoredFields(TFieldList& list) {
  list.Bool("FSuper", FSuper);
  list.Bool("FSub", FSub);
}

void TMinMax::InitDefaults() {
  TEquationItem::InitDefaults();
  FSuper = FSub = false;
  FAlign = 0;
  CreateChildren(3);
}

void TMinMax::StoredFields(TFieldList& list) {
  list.Bool("FSuper", FSuper);
  list.Bool("FSub", FSub);
  list.Byte("FAlign", FAlign);
}

}  // namespace zkw
