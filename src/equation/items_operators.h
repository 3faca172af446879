// Big operators with a main row and two limits: integrals, sums and products, repeated
// integral signs, the evaluation bar, nested integrals, and operators with aligned scripts.
#pragma once
#include <vector>
#include "equation/equation.h"
#include "equation/equation_item.h"
#include "equation/item_macros.h"

namespace zkw {

// Abstract: a main row (0) and two limits at two thirds of the size (1 upper, 2 lower).
class T3SubEquation : public TEquationItem {
 public:
  void InitDefaults() override;
  TChildScale ChildScale(size_t i) const override {
    return i == 0 ? TChildScale::csFull : TChildScale::csSmall;
  }
  void AddMainExpr(TEquationItem* item) { FEQList[0]->Add(item); }
  void AddSuperExpr(TEquationItem* item) { FEQList[1]->Add(item); }
  void AddSubExpr(TEquationItem* item) { FEQList[2]->Add(item); }
  uint8_t FCharCode = 229;  // Symbol-font code of the sign
  bool FSuper = false;
  bool FSub = false;
};

class TIntegral : public T3SubEquation {
 public:
  TIntegral() { TIntegral::InitDefaults(); }
  ZKW_EQ_CLASS(4, TIntegral)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void StoredFields(TFieldList& list) override;
  // A style above 0 shows both limits.
  void SetStyle(int32_t value);
  int32_t FStyle = 0;
};

// Integrals nested in a main one share one sign height.
class TIntegralEx : public TIntegral {
 public:
  TIntegralEx() { TIntegralEx::InitDefaults(); }
  ZKW_EQ_CLASS(32, TIntegralEx)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void StoredFields(TFieldList& list) override;
  void FieldsRead() override { SetMain(FMain); }
  // Stores FMain and gives every nested integral the lock of the new value.
  void SetMain(bool value);
  bool FMain = true;
  bool FLockHeight = true;
  int32_t FIntegalHeight = 20;
  bool FOuterLocked = false;  // held by an outer main integral while it measures

 private:
  // The integrals nested in the main child, directly and through their main children.
  void Nested(std::vector<TIntegralEx*>& out) const;
  void PlaceUnlocked(int32_t x, int32_t y);
  void PlaceLocked(int32_t x, int32_t y);
};

class T3SubOtherwise : public T3SubEquation {
 public:
  T3SubOtherwise() { T3SubOtherwise::InitDefaults(); }
  ZKW_EQ_CLASS(18, T3SubOtherwise)
  ZKW_EQ_LAYOUT
  void StoredFields(TFieldList& list) override;
  void Offset(int32_t dx, int32_t dy) override {
    TEquationItem::Offset(dx, dy);
    OffsetRect(FSymbolRect, dx, dy);
  }
  plat::RECT FSymbolRect{};
};

class TMultiIntegral : public T3SubEquation {
 public:
  TMultiIntegral() { TMultiIntegral::InitDefaults(); }
  ZKW_EQ_CLASS(26, TMultiIntegral)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void StoredFields(TFieldList& list) override;
  int32_t FNumClass = 2;  // number of signs
  int32_t FSignX = 0;     // where the first sign starts
  void Offset(int32_t dx, int32_t dy) override {
    TEquationItem::Offset(dx, dy);
    FSignX += dx;
  }
};

class TRightIntegral : public T3SubEquation {
 public:
  TRightIntegral() { TRightIntegral::InitDefaults(); }
  ZKW_EQ_CLASS(27, TRightIntegral)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void StoredFields(TFieldList& list) override;
};

class TMinMax : public TEquationItem {
 public:
  TMinMax() { TMinMax::InitDefaults(); }
  ZKW_EQ_CLASS(35, TMinMax)
  ZKW_EQ_LAYOUT
  void InitDefaults() override;
  void StoredFields(TFieldList& list) override;
  void Add(TEquationItem* item) { FEQList[0]->Add(item); }
  void Add1(TEquationItem* item) { FEQList[1]->Add(item); }
  void Add2(TEquationItem* item) { FEQList[2]->Add(item); }
  bool FSuper = false;
  bool FSub = false;
  uint8_t FAlign = 0;  // 0 centred, 1 right, 2 left
};

}  // namespace zkw
