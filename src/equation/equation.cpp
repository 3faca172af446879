// The equation row: items, their order and the settings passed down the tree.
#include "equation/equation.h"

#include "equation/equation_defaults.h"

namespace zkw {

TEquation::TEquation() { TEquation::InitDefaults(); }

TEquation::~TEquation() = default;

void TEquation::InitDefaults() {
  FList.clear();
  FRegion = FBoundsRect = plat::RECT{};
  FBasePoint = plat::POINT{};
  FResolution = 96;
  FColor = EquationDefaults().FColor;
  FTextColor = EquationDefaults().FTextColor;
  FFontID = DefaultFontID();
  FBaseline = 0;
  FUseDibFont = false;
}

void TEquation::ApplyFontName(const std::string& name) {
  SetFaceName(FFontID, name);
  for (auto& item : FList) item->ApplyFontName(name);
}

int64_t TEquation::StreamSize() const {
  int64_t size = 4;
  for (const auto& item : FList) size += 4 + item->ObjSize();
  return size;
}

void TEquation::Clear() { FList.clear(); }

void TEquation::Adopt(TEquationItem* item) {
  item->FDC = FDC;
  item->FParentObj = this;
  item->ApplyFontID(FFontID);
}

void TEquation::Add(TEquationItem* item) {
  if (!item) return;
  Adopt(item);
  if (FList.empty()) {
    item->SetBasePoint(FBasePoint.x + 1, FBasePoint.y);
  } else {
    const TEquationItem& last = *FList.back();
    item->SetBasePoint(last.FRect.right + last.FBasePoint.x - last.FRect.left, last.FBasePoint.y);
  }
  item->FFontID = FFontID;
  FList.emplace_back(item);
}

void TEquation::Insert(int32_t index, TEquationItem* item) {
  if (!item) return;
  if (index < 0) index = 0;
  if (index >= Count()) {
    Add(item);
    return;
  }
  Adopt(item);
  FList.emplace(FList.begin() + index, item);
  SetBasePoint(FBasePoint.x, FBasePoint.y);
}

void TEquation::Delete(int32_t index) {
  if (index < 0 || index >= Count()) return;
  FList.erase(FList.begin() + index);
  SetBasePoint(FBasePoint.x, FBasePoint.y);
}

TEquationItem* TEquation::GetItem(int32_t index) const {
  return index >= 0 && index < Count() ? FList[static_cast<size_t>(index)].get() : nullptr;
}

void TEquation::SetVersion(int32_t aVer) {
  for (auto& item : FList) item->SetVersion(aVer);
}

void TEquation::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  int32_t next = x;
  for (auto& item : FList) {
    item->SetBasePoint(next + item->FSpacingFirst, y);
    next = item->FBasePoint.x + (item->FRect.right - item->FRect.left);
  }
}

void TEquation::Invalidate() {
  for (auto& item : FList) item->Invalidate();
  SetBasePoint(FBasePoint.x, FBasePoint.y);
}

void TEquation::SetFontID(const TFontID& font) {
  FFontID = font;
  for (auto& item : FList) item->ApplyFontID(font);
}

void TEquation::SetFontName(const std::string& name) { ApplyFontName(name); }

void TEquation::SetFontSize(int32_t size) {
  FFontID.ftSize = size;
  for (auto& item : FList) item->ApplyFontSize(size);
}

void TEquation::SetColor(plat::COLORREF value) {
  FColor = value;
  for (auto& item : FList) item->SetColor(value);
}

void TEquation::SetTextColor(plat::COLORREF value) {
  FTextColor = value;
  for (auto& item : FList) item->SetTextColor(value);
}

void TEquation::SetDC(plat::HDC value) {
  FDC = value;
  for (auto& item : FList) item->SetDC(value);
}

void TEquation::SetResolution(int32_t value) {
  FResolution = value;
  for (auto& item : FList) item->SetResolution(value);
}

void TEquation::SetUseDibFont(bool value) {
  FUseDibFont = value;
  for (auto& item : FList) item->SetUseDibFont(value);
}

void TEquation::SetDibFontManager(TDibFontManager* value) {
  FDibFontManager = value;
  for (auto& item : FList) item->SetDibFontManager(value);
}

bool TEquation::ReadItems(TEqReader& r) {
  int32_t count;
  if (!r.Count(count, r.LeastItem(), "items")) return false;
  FList.clear();
  // The count was checked against what is left; the unsized buffer reader has no such bound.
  FList.reserve(static_cast<size_t>(count < 4096 ? count : 4096));
  for (int32_t i = 0; i < count; ++i) {
    int32_t code;
    if (!r.Code(code)) return false;
    std::unique_ptr<TEquationItem> item = NewEquationItem(code);
    if (!item) return r.Refuse("item code " + std::to_string(code) + " ending " + r.Where() + " is not an item class");
    if (!item->ReadFrom(r)) return false;
    Add(item.release());
  }
  return true;
}

void TEquation::WriteItems(TEqWriter& w) {
  w.Count(Count());
  for (auto& item : FList) {
    int32_t code = item->ClassCode();
    if (w.Form() == TEqForm::efText && code == 46) code = 48;  // the grid with its cells
    w.Code(code);
    item->WriteTo(w);
  }
}

bool TEquation::ReadReplacing(TEqReader& r) {
  TEquation fresh;
  fresh.FFontID = FFontID;
  fresh.FDC = FDC;
  fresh.FBasePoint = FBasePoint;
  if (!fresh.ReadItems(r)) return false;
  FList = std::move(fresh.FList);
  for (auto& item : FList) item->FParentObj = this;
  return true;
}

}  // namespace zkw
