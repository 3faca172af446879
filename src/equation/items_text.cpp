#include "equation/items_text.h"

#include <algorithm>

namespace zkw {

void TSimpleExpr::InitDefaults() {
  TEquationItem::InitDefaults();
  FExpr.clear();
}

void TSimpleExpr::SetExpr(const ZString& text) {
  ZString cut = text.substr(0, std::min(text.find(ZChar(0)), kMaxExprLength));
  for (ZChar& c : cut) {
    if (c == '\'') c = static_cast<ZChar>(0x2019);
    else if (c == '-') c = static_cast<ZChar>(0x2013);
  }
  FExpr = std::move(cut);
}

void TSimpleVector::InitDefaults() {
  TSimpleExpr::InitDefaults();
  FStyle = 1;
}

void TSimpleVector::StoredFields(TFieldList& list) {
  TSimpleExpr::StoredFields(list);
  list.Int("FStyle", FStyle);
}

void TSimpleAngle::InitDefaults() {
  TSimpleExpr::InitDefaults();
  FArcHeight = 3;
}

void TSimpleArc::InitDefaults() {
  TSimpleExpr::InitDefaults();
  FStyle = 0;
  FArcHeight = 3;
}

void TSimpleArc::StoredFields(TFieldList& list) {
  TSimpleExpr::StoredFields(list);
  list.Byte("FStyle", FStyle);
}

void TSimpleValue::InitDefaults() {
  TSimpleExpr::InitDefaults();
  FStyle = 1;
  FArcHeight = 3;
}

void TSimpleValue::StoredFields(TFieldList& list) {
  TSimpleExpr::StoredFields(list);
  list.Int("FStyle", FStyle);
}

}  // namespace zkw
