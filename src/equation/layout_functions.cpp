// Layout and drawing of named functions: trigonometric names, logarithms and limits.
#include <algorithm>

#include "equation/items_functions.h"
#include "equation/layout_metrics.h"

namespace zkw {

namespace {

ZString Wide(const std::string& s) {
  ZString w;
  for (char c : s) w.push_back(static_cast<ZChar>(static_cast<uint8_t>(c)));
  return w;
}

// The name's box, vertically centred on the axis, starting at x.
plat::RECT NameBox(const TEquationItem& item, const std::string& name, int32_t x, int32_t y) {
  const TExtent e = ItemTextExtent(item, Wide(name));
  return plat::RECT{x, y - e.cy / 2, x + e.cx, y - e.cy / 2 + e.cy};
}

void DrawName(const TEquationItem& item, const std::string& name, const plat::RECT& box) {
  DrawItemName(item, name, box.left, box.top, ItemLineColor(item));
}

}  // namespace

void TCos::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  FNameBox = NameBox(*this, FStr, x, y);
  Child(0).SetBasePoint(FNameBox.right + 2 * P(), y);
  FRect = FNameBox;
  Widen(Child(0));
}

void TCos::DrawContent() {
  DrawName(*this, FStr, FNameBox);
  Child(0).DrawItems();
}

void TLog::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  FNameBox = NameBox(*this, FStr, x, y);
  int32_t next = FNameBox.right;
  if (FLogStyle != 0) {
    TEquation& base = Child(1);
    base.SetBasePoint(next, y);
    base.MoveBasePoint(next, y + base.AboveHeight());
    next = base.FRegion.right;
  }
  Child(0).SetBasePoint(next + 2 * P(), y);
  FRect = FNameBox;
  Widen(Child(0));
  if (FLogStyle != 0) Widen(Child(1));
}

void TLog::DrawContent() {
  DrawName(*this, FStr, FNameBox);
  if (FLogStyle != 0) Child(1).DrawItems();
  Child(0).DrawItems();
}

void TLim::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  static const std::string kName = "lim ";
  FNameBox = NameBox(*this, kName, x, y);
  TEquation& under = Child(1);
  under.SetBasePoint(x, y);
  const int32_t nameWidth = FNameBox.right - FNameBox.left, wider = std::max(nameWidth, under.Width());
  // The narrower of the name and the limit is centred on the other.
  const int32_t nx = x + (wider - nameWidth) / 2;
  FNameBox = NameBox(*this, kName, nx, y);
  const int32_t top = y + FontAscent(*this, under.FFontID) + 1;
  under.MoveBasePoint(x + (wider - under.Width()) / 2, top + under.AboveHeight());
  Child(0).SetBasePoint(x + wider + 2 * P(), y);
  FRect = FNameBox;
  FRect.left = x;
  Widen(Child(0));
  Widen(under);
}

void TLim::DrawContent() {
  DrawName(*this, "lim ", FNameBox);
  Child(1).DrawItems();
  Child(0).DrawItems();
}

}  // namespace zkw
