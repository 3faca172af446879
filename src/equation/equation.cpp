// The equation row: items, their order and the settings passed down the tree.
#include "equation/equation.h"

#include <algorithm>

#include "common/round.h"
#include "equation/equation_defaults.h"
#include "equation/layout_metrics.h"

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

namespace {
// Depth of setters passing a value down the tree: only the outermost one lays out again.
int gSetterDepth = 0;
struct TSetterScope {
  TSetterScope() { ++gSetterDepth; }
  ~TSetterScope() { --gSetterDepth; }
};
}  // namespace

void TEquation::Relayout() {
  if (gSetterDepth != 1) return;
  MeasurePlaceholder(*this);
  Invalidate();
}

void TEquation::SetBasePoint(int32_t x, int32_t y) {
  TCanvasScope canvases;
  FBasePoint = {x, y};
  int64_t next = x;
  for (auto& item : FList) {
    item->SetBasePoint(Coord(next + item->FSpacingFirst), y);
    next = static_cast<int64_t>(item->FBasePoint.x) + (item->FRect.right - item->FRect.left);
  }
  CalcRegion();
}

void TEquation::MoveBasePoint(int32_t x, int32_t y) {
  Offset(Coord(static_cast<int64_t>(x) - FBasePoint.x), Coord(static_cast<int64_t>(y) - FBasePoint.y));
}

void TEquation::Offset(int32_t dx, int32_t dy) {
  if (dx == 0 && dy == 0) return;
  FBasePoint = {Coord(static_cast<int64_t>(FBasePoint.x) + dx), Coord(static_cast<int64_t>(FBasePoint.y) + dy)};
  FRegion = plat::RECT{Coord(static_cast<int64_t>(FRegion.left) + dx), Coord(static_cast<int64_t>(FRegion.top) + dy),
                       Coord(static_cast<int64_t>(FRegion.right) + dx), Coord(static_cast<int64_t>(FRegion.bottom) + dy)};
  for (auto& item : FList) item->Offset(dx, dy);
}

void TEquation::CalcRegion() {
  const int32_t x = FBasePoint.x, y = FBasePoint.y, ph = PlaceholderHeight();
  FRegion = plat::RECT{x, y - ph / 2, x + 10, y + ph / 2};
  if (!FList.empty()) {
    const TEquationItem& first = *FList.front();
    const auto* text = first.ClassCode() == 1 ? &first : nullptr;
    if (text && first.FRect.left == first.FRect.right && first.FRect.top == first.FRect.bottom)
      FRegion = plat::RECT{first.FBasePoint.x, first.FBasePoint.y, first.FBasePoint.x, first.FBasePoint.y};
    else
      FRegion = first.FRect;
    for (size_t i = 1; i < FList.size(); ++i) {
      const plat::RECT& r = FList[i]->FRect;
      if (r.top < FRegion.top) FRegion.top = r.top;
      if (r.bottom > FRegion.bottom) FRegion.bottom = r.bottom;
    }
    FRegion.right = FList.back()->FRect.right;
  }
  FBaseline = 0;
  if (!FDC) return;
  if (FUseDibFont) {
    const TExtent m = EquationCanvasMeasure(*this);
    FBaseline = m.cx - m.cy / 2;
    return;
  }
  plat::HFONT font = NewTextFont(FFontID, plat::GetDeviceCaps(FDC, plat::LOGPIXELSY));
  plat::HGDIOBJ old = plat::SelectObject(FDC, font);
  plat::TEXTMETRICW tm{};
  plat::GetTextMetricsW(FDC, &tm);
  plat::SIZE a{};
  const ZChar letter[1] = {'A'};
  plat::GetTextExtentPoint32W(FDC, letter, 1, &a);
  plat::SelectObject(FDC, old);
  plat::DeleteObject(font);
  FBaseline = tm.tmAscent - a.cy / 2;
}

plat::RECT TEquation::BoundsRect() const {
  const plat::RECT& b = FBoundsRect;
  return (b.right <= b.left || b.bottom <= b.top) ? FRegion : b;
}

// Placing the row lays out every item from scratch.
void TEquation::Invalidate() { SetBasePoint(FBasePoint.x, FBasePoint.y); }

void TEquation::DrawItems() {
  for (auto& item : FList) item->Draw();
}

void TEquation::Draw() {
  if (!FDC) return;
  TCanvasScope canvases;
  const plat::UINT old = plat::SetTextAlign(FDC, 0);
  DrawItems();
  plat::SetTextAlign(FDC, old);
}

void TEquation::DrawScale(int32_t aWidth, int32_t aHeight) {
  const int32_t width = Width(), height = Height();
  if (width < aWidth && height < aHeight) return;  // it fits: the caller draws it
  if (width <= 0 || height <= 0) return;
  const int32_t original = FFontID.ftSize;
  const double factor = aWidth < width ? static_cast<double>(aWidth) / width : static_cast<double>(aHeight) / height;
  int32_t trial = static_cast<int32_t>(Round(LayoutSize(original) * factor));
  if (trial < 2) return;
  // The largest size from the trial down (to 2) that fits, as stepping down one by one would
  // find it, but in a logarithmic number of layouts: sizes that fit lie below those that do not.
  auto fits = [&](int32_t size) {
    SetFontSize(size);
    return Width() <= aWidth && Height() <= aHeight;
  };
  if (!fits(trial) && trial > 2) {
    int32_t failing = trial, size = trial;
    do {  // down in proportion until a size fits, or 2
      const double shrink = std::min(static_cast<double>(aWidth) / std::max(1, Width()),
                                     static_cast<double>(aHeight) / std::max(1, Height()));
      failing = size;
      size = std::max<int32_t>(2, std::min<int32_t>(size - 1, static_cast<int32_t>(Round(size * shrink))));
    } while (!fits(size) && size > 2);
    int32_t fitting = size;
    while (failing - fitting > 1) {  // the boundary between them
      const int32_t middle = fitting + (failing - fitting) / 2;
      if (fits(middle))
        fitting = middle;
      else
        failing = middle;
    }
    if (FFontID.ftSize != fitting) SetFontSize(fitting);
  }
  Draw();
  SetFontSize(original);
}

void TEquation::SetFontID(const TFontID& font) {
  TSetterScope scope;
  FFontID = font;
  for (auto& item : FList) item->ApplyFontID(font);
  Relayout();
}

void TEquation::SetFontName(const std::string& name) {
  TSetterScope scope;
  ApplyFontName(name);
  Relayout();
}

void TEquation::SetFontSize(int32_t size) {
  TSetterScope scope;
  FFontID.ftSize = size;
  for (auto& item : FList) item->ApplyFontSize(size);
  Relayout();
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
  TSetterScope scope;
  FDC = value;
  for (auto& item : FList) item->SetDC(value);
  Relayout();
}

void TEquation::SetResolution(int32_t value) {
  TSetterScope scope;
  FResolution = value;
  for (auto& item : FList) item->SetResolution(value);
  Relayout();
}

void TEquation::SetUseDibFont(bool value) {
  TSetterScope scope;
  FUseDibFont = value;
  for (auto& item : FList) item->SetUseDibFont(value);
  Relayout();
}

void TEquation::SetDibFontManager(TDibFontManager* value) {
  TSetterScope scope;
  FDibFontManager = value;
  for (auto& item : FList) item->SetDibFontManager(value);
  Relayout();
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
