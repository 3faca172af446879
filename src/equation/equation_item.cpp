// The item base: defaults, children, fonts and settings passed down, and the generic reading
// and writing of an item through a form.
#include "equation/equation_item.h"

#include "common/round.h"
#include "equation/equation.h"
#include "equation/equation_defaults.h"
#include "equation/layout_metrics.h"
#include "common/colour_units.h"

namespace zkw {

int32_t ScaledFontSize(int32_t size, TChildScale scale) {
  switch (scale) {
    case TChildScale::csSmall: return static_cast<int32_t>(Round(size * 2.0 / 3.0));
    case TChildScale::csThreeQuarter: return static_cast<int32_t>(Round(size * 3.0 / 4.0));
    default: return size;
  }
}

// Every class's constructor runs its own InitDefaults, which runs this class's first.
TEquationItem::TEquationItem() = default;

TEquationItem::~TEquationItem() = default;

void TEquationItem::InitDefaults() {
  FEQList.clear();
  FFontID = DefaultFontID();
  FColor = EquationDefaults().FColor;
  FTextColor = EquationDefaults().FTextColor;
  FRect = plat::RECT{};
  FResolution = 96;
  FSpacingFirst = 0;
  FVersion = kEquationVersion2;
  FUseDibFont = false;
}

std::unique_ptr<TEquation> TEquationItem::NewChild(TChildScale scale) const {
  auto child = std::make_unique<TEquation>();
  TFontID font = FFontID;
  font.ftSize = ScaledFontSize(FFontID.ftSize, scale);
  child->FFontID = font;
  child->FColor = FColor;
  child->FTextColor = FTextColor;
  child->FDC = FDC;
  child->FResolution = FResolution;
  child->FUseDibFont = FUseDibFont;
  child->FDibFontManager = FDibFontManager;
  child->FParentObj = const_cast<TEquationItem*>(this);
  return child;
}

void TEquationItem::CreateChildren(size_t count) {
  FEQList.clear();
  FEQList.reserve(count);
  for (size_t i = 0; i < count; ++i) FEQList.push_back(NewChild(ChildScale(i)));
}

void TEquationItem::ApplyFontID(const TFontID& font) {
  FFontID = font;
  for (size_t i = 0; i < FEQList.size(); ++i) {
    TFontID scaled = font;
    scaled.ftSize = ScaledFontSize(font.ftSize, ChildScale(i));
    FEQList[i]->SetFontID(scaled);
  }
}

void TEquationItem::ApplyFontName(const std::string& name) {
  SetFaceName(FFontID, name);
  for (auto& child : FEQList) child->ApplyFontName(name);
}

void TEquationItem::ApplyFontSize(int32_t size) {
  FFontID.ftSize = size;
  for (size_t i = 0; i < FEQList.size(); ++i) FEQList[i]->SetFontSize(ScaledFontSize(size, ChildScale(i)));
}

int64_t TEquationItem::EqListSize() const {
  int64_t size = 4;
  for (const auto& child : FEQList) size += child->StreamSize();
  return size;
}

int64_t TEquationItem::ObjSize() const {
  int64_t size = ParameterSize();
  if (HasChildren()) size += EqListSize();
  TFieldList fields;
  const_cast<TEquationItem*>(this)->StoredFields(fields);
  for (int i = 0; i < fields.n; ++i) {
    switch (fields.f[i].kind) {
      case TStoredField::fkInt: size += 4; break;
      case TStoredField::fkText: size += 4 + 2 * static_cast<int64_t>(static_cast<ZString*>(fields.f[i].place)->size()) + 2; break;
      default: size += 1; break;
    }
  }
  return size;
}

void TEquationItem::SetBasePoint(int32_t x, int32_t y) {
  FRect.right += x - FBasePoint.x;
  FRect.left += x - FBasePoint.x;
  FRect.top += y - FBasePoint.y;
  FRect.bottom += y - FBasePoint.y;
  FBasePoint = {x, y};
}

void TEquationItem::Draw() {
  if (!FDC) return;
  plat::SetTextColor(FDC, ColorToRGB(FTextColor) & 0xFFFFFF);
  DrawContent();
}

void OffsetRect(plat::RECT& r, int32_t dx, int32_t dy) {
  r = plat::RECT{Coord(static_cast<int64_t>(r.left) + dx), Coord(static_cast<int64_t>(r.top) + dy),
                 Coord(static_cast<int64_t>(r.right) + dx), Coord(static_cast<int64_t>(r.bottom) + dy)};
}

void TEquationItem::Offset(int32_t dx, int32_t dy) {
  FBasePoint = {Coord(static_cast<int64_t>(FBasePoint.x) + dx), Coord(static_cast<int64_t>(FBasePoint.y) + dy)};
  OffsetRect(FRect, dx, dy);
  for (auto& child : FEQList) child->Offset(dx, dy);
}

TEquation& TEquationItem::Child(size_t i) const {
  if (i < FEQList.size()) return *FEQList[i];
  static thread_local TEquation missing;
  missing.Clear();
  return missing;
}

int32_t TEquationItem::Pt(double points) const { return PointsToPixels(points, FResolution); }

void TEquationItem::SetRect(int64_t left, int64_t top, int64_t right, int64_t bottom) {
  FRect = plat::RECT{Coord(left), Coord(top), Coord(right), Coord(bottom)};
}

void TEquationItem::Widen(const TEquation& child, bool horizontally) {
  if (!child.HasItems()) return;
  const plat::RECT& r = child.FRegion;
  if (r.top < FRect.top) FRect.top = r.top;
  if (r.bottom > FRect.bottom) FRect.bottom = r.bottom;
  if (horizontally && r.right > FRect.right) FRect.right = r.right;
  if (horizontally && r.left < FRect.left) FRect.left = r.left;
}

bool TEquationItem::ReadFrom(TEqReader& r) {
  // The item arrives with its class defaults and fresh children; the common part changes only
  // the colours and the version, so running the defaults again (which would keep those three)
  // would rebuild the same children.
  if (!r.Common(*this)) return false;
  return ReadBody(r);
}

void TEquationItem::WriteTo(TEqWriter& w) {
  w.Common(*this);
  WriteBody(w);
}

bool TEquationItem::ReadBody(TEqReader& r) {
  if (HasChildren() && !ReadChildren(r)) return false;
  TFieldList fields;
  if (r.Form() == TEqForm::efText)
    TextFields(fields);
  else
    StoredFields(fields);
  for (int i = 0; i < fields.n; ++i) {
    TStoredField& f = fields.f[i];
    int32_t value = 0;
    switch (f.kind) {
      case TStoredField::fkText:
        if (!r.Text(*static_cast<ZString*>(f.place), *this)) return false;
        break;
      case TStoredField::fkInt:
        if (!r.Field(value, 4)) return false;
        *static_cast<int32_t*>(f.place) = value;
        break;
      case TStoredField::fkByte:
        if (!r.Field(value, 1)) return false;
        *static_cast<uint8_t*>(f.place) = static_cast<uint8_t>(value);
        break;
      case TStoredField::fkBool:
        if (!r.Field(value, 1)) return false;
        *static_cast<bool*>(f.place) = value != 0;
        break;
    }
  }
  FieldsRead();
  return true;
}

void TEquationItem::WriteBody(TEqWriter& w) {
  if (HasChildren()) WriteChildren(w);
  TFieldList fields;
  if (w.Form() == TEqForm::efText)
    TextFields(fields);
  else
    StoredFields(fields);
  for (int i = 0; i < fields.n; ++i) {
    const TStoredField& f = fields.f[i];
    switch (f.kind) {
      case TStoredField::fkText: w.Text(*static_cast<ZString*>(f.place)); break;
      case TStoredField::fkInt: w.Field(*static_cast<int32_t*>(f.place), 4); break;
      case TStoredField::fkByte: w.Field(*static_cast<uint8_t*>(f.place), 1); break;
      case TStoredField::fkBool: w.Field(*static_cast<bool*>(f.place) ? 1 : 0, 1); break;
    }
  }
}

bool TEquationItem::ReadChildren(TEqReader& r) {
  int32_t n;
  if (!r.Count(n, r.LeastEquation(), "child equations")) return false;
  while (FEQList.size() < static_cast<size_t>(n)) {
    std::unique_ptr<TEquation> child = NewChild(TChildScale::csFull);
    child->FBasePoint = {0, 0};
    FEQList.push_back(std::move(child));
  }
  if (!r.Enter()) return false;
  for (int32_t i = 0; i < n; ++i)
    if (!FEQList[static_cast<size_t>(i)]->ReadItems(r)) return false;
  r.Leave();
  return true;
}

void TEquationItem::WriteChildren(TEqWriter& w) {
  w.Count(ChildCount());
  for (auto& child : FEQList) child->WriteItems(w);
}

// Placing an item lays out its children from scratch, so recomputing is placing again.
void TEquationItem::Invalidate() { CalcRect(); }

void TEquationItem::AddItem(TEquation* aEquation) { InsertItem(ChildCount(), aEquation); }

void TEquationItem::InsertItem(int32_t index, TEquation* aEquation) {
  if (!aEquation) return;
  if (index < 0) index = 0;
  if (index > ChildCount()) index = ChildCount();
  aEquation->FParentObj = this;
  aEquation->SetDC(FDC);
  aEquation->SetFontID(FFontID);
  FEQList.emplace(FEQList.begin() + index, aEquation);
}

TEquation* TEquationItem::GetItem(int32_t Index) const {
  return Index >= 0 && Index < ChildCount() ? FEQList[static_cast<size_t>(Index)].get() : nullptr;
}

int32_t TEquationItem::GetIndex(const TEquation* p) const {
  for (size_t i = 0; i < FEQList.size(); ++i)
    if (FEQList[i].get() == p) return static_cast<int32_t>(i);
  return -1;
}

void TEquationItem::Delete(int32_t index) {
  if (index < 0 || index >= ChildCount()) return;
  ChildRemoved(FEQList[static_cast<size_t>(index)].get());
  FEQList.erase(FEQList.begin() + index);
}

void TEquationItem::SetVersion(int32_t aVer) {
  FVersion = aVer;
  for (auto& child : FEQList) child->SetVersion(aVer);
}

void TEquationItem::SetColor(plat::COLORREF value) {
  FColor = value;
  for (auto& child : FEQList) child->SetColor(value);
}

void TEquationItem::SetTextColor(plat::COLORREF value) {
  FTextColor = value;
  for (auto& child : FEQList) child->SetTextColor(value);
}

void TEquationItem::SetDC(plat::HDC value) {
  FDC = value;
  for (auto& child : FEQList) child->SetDC(value);
}

void TEquationItem::SetResolution(int32_t value) {
  FResolution = value;
  for (auto& child : FEQList) child->SetResolution(value);
}

void TEquationItem::SetUseDibFont(bool value) {
  FUseDibFont = value;
  for (auto& child : FEQList) child->SetUseDibFont(value);
}

void TEquationItem::SetDibFontManager(TDibFontManager* value) {
  FDibFontManager = value;
  for (auto& child : FEQList) child->SetDibFontManager(value);
}

void TEquationItem::ChildrenText(ZString& St) {
  for (auto& child : FEQList) child->GetTextTo(St);
}

}  // namespace zkw
