// Text items: a run of text, and the texts with an accent above them (vector arrow, bars,
// angle wedge, arc).
#pragma once
#include "equation/equation_item.h"
#include "equation/item_macros.h"

namespace zkw {

class TSimpleExpr : public TEquationItem {
 public:
  TSimpleExpr() { TSimpleExpr::InitDefaults(); }
  explicit TSimpleExpr(const ZString& text) : TSimpleExpr() { SetExpr(text); }
  ZKW_EQ_CLASS(1, TSimpleExpr)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  bool HasChildren() const override { return false; }
  void StoredFields(TFieldList& list) override { list.Text("FExpr", FExpr); }
  void FieldsRead() override { SetExpr(FExpr); }
  void GetText(ZString& St) override;
  // Stores the text cut at its first zero and at 101 units, apostrophes as U+2019 and hyphens
  // as U+2013.
  void SetExpr(const ZString& text);
  ZString FExpr;
  plat::RECT FTextRect{};  // the text's own box (accents raise FRect above it)
  void Offset(int32_t dx, int32_t dy) override {
    TEquationItem::Offset(dx, dy);
    OffsetRect(FTextRect, dx, dy);
  }

 protected:
  // Lays out the text alone; returns its height.
  int32_t PlaceText(int32_t x, int32_t y);
  // max(3, round(text height / 6)).
  static int32_t ArcHeightOf(int32_t textHeight);
};

class TSimpleVector : public TSimpleExpr {
 public:
  TSimpleVector() { TSimpleVector::InitDefaults(); }
  ZKW_EQ_CLASS(13, TSimpleVector)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void StoredFields(TFieldList& list) override;
  int32_t FStyle = 1;
};

class TSimpleAngle : public TSimpleExpr {
 public:
  TSimpleAngle() { TSimpleAngle::InitDefaults(); }
  ZKW_EQ_CLASS(19, TSimpleAngle)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  int32_t FArcHeight = 3;
};

class TSimpleArc : public TSimpleExpr {
 public:
  TSimpleArc() { TSimpleArc::InitDefaults(); }
  ZKW_EQ_CLASS(20, TSimpleArc)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void StoredFields(TFieldList& list) override;
  uint8_t FStyle = 0;
  int32_t FArcHeight = 3;
};

class TSimpleValue : public TSimpleExpr {
 public:
  TSimpleValue() { TSimpleValue::InitDefaults(); }
  ZKW_EQ_CLASS(21, TSimpleValue)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void StoredFields(TFieldList& list) override;
  int32_t FStyle = 1;
  int32_t FArcHeight = 3;
};

}  // namespace zkw
