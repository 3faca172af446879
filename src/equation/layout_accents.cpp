// Accent marks, and the layout and drawing of the accents over a child row: vector arrows, bars,
// wedges, arcs, and the wedge or arc spanning point names.
#include "equation/layout_accents.h"

#include <algorithm>

#include "common/round.h"
#include "equation/items_accents.h"
#include "equation/items_text.h"
#include "equation/layout_metrics.h"

namespace zkw {

int32_t BarCount(int32_t style) { return std::clamp(style, 1, 16); }

void DrawBars(const TEquationItem& item, int32_t left, int32_t right, int32_t top, int32_t count) {
  const int32_t p = std::max(1, PointsToPixels(1, item.FResolution));
  for (int32_t i = 0; i < count; ++i) {
    const int32_t y = top - 2 * p * i;
    ItemLine(item, left, y, right - p + 1, y);
  }
}

void DrawWedge(const TEquationItem& item, int32_t left, int32_t right, int32_t top, int32_t arcHeight) {
  const int32_t p = std::max(1, PointsToPixels(1, item.FResolution));
  const int32_t h = static_cast<int32_t>(Round(arcHeight * 4 / 3.0));
  const int32_t mid = left + (right - left) / 2;
  ItemLine(item, left, top + p + h, mid, top + p);
  ItemLine(item, mid, top + p, right, top + p + h);
}

void DrawArcAccent(const TEquationItem& item, int32_t left, int32_t right, int32_t top, int32_t arcHeight, bool arrow) {
  if (!item.FDC) return;
  const int32_t p = std::max(1, PointsToPixels(1, item.FResolution));
  const int32_t h = static_cast<int32_t>(Round(arcHeight * 4 / 3.0));
  const int32_t y0 = top + p, mid = y0 + h;
  plat::HPEN pen = plat::CreatePen(plat::PS_SOLID, StandardPenWidth(item.FResolution), ItemLineColor(item));
  plat::HGDIOBJ old = plat::SelectObject(item.FDC, pen);
  // The upper half of the ellipse in (left, y0, right, y0 + 2h), counter-clockwise from right to left.
  plat::Arc(item.FDC, left, y0, right, y0 + 2 * h, right, mid, left, mid);
  plat::SelectObject(item.FDC, old);
  plat::DeleteObject(pen);
  if (arrow) {
    const int32_t r2 = PointsToPixels(2, item.FResolution);
    ItemLine(item, right, mid, right - r2, mid - r2);
    ItemLine(item, right, mid, right + r2, mid - r2);
  }
}

namespace {

int32_t ArcHeightOfRow(const TEquation& row) {
  return std::max<int32_t>(3, static_cast<int32_t>(Round(row.Height() / 6.0)));
}

// Whether a row holds a text with its own accent, which the spanning accent clears.
bool HoldsAccentedText(const TEquation& row) {
  for (const auto& item : row.FList)
    if (item->ClassCode() == 13 || item->ClassCode() == 21) return true;
  return false;
}

int32_t ItemMiddle(const TEquationItem& item) { return item.FRect.left + (item.FRect.right - item.FRect.left) / 2; }

}  // namespace

void TSimpleVectorEx::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  TEquation& main = Child(0);
  const int32_t m = ItemTextExtent(*this, "m").cx;
  main.SetBasePoint(x, y);
  if (main.Width() < m) main.MoveBasePoint(x + (m - main.Width()) / 2, y);
  const int32_t r = Pt(2), p = P();
  SetRect(x, static_cast<int64_t>(main.FRegion.top) - r - 1, static_cast<int64_t>(x) + std::max(main.Width(), m), main.FRegion.bottom);
  if (FSuper && ChildCount() > 1) {
    Child(1).SetBasePoint(Coord(static_cast<int64_t>(x) + std::max(main.Width(), m) + p), main.FRegion.top + p - 2 * p);
    Widen(Child(1));
  }
}

void TSimpleVectorEx::DrawContent() {
  Child(0).DrawItems();
  const int32_t r = Pt(2);
  const int32_t m = ItemTextExtent(*this, "m").cx;
  const int32_t right = FRect.left + std::max(Child(0).Width(), m);
  const int32_t kind = FStyle & 0xFF;
  if (kind >= 4 && kind <= 6)
    DrawArrowLine(*this, plat::RECT{FRect.left, FRect.top, right, Child(0).FRegion.bottom}, kind);
  else
    DrawArrowLine(*this, plat::RECT{FRect.left, FRect.top, right - std::max(r, 2) + 1, FRect.top + 2 * r}, kind);
  if (FSuper && ChildCount() > 1) Child(1).DrawItems();
}

void TSimpleValueEx::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  TEquation& main = Child(0);
  main.SetBasePoint(x, y);
  const int32_t p = std::max(1, P()), bars = BarCount(FStyle);
  const int64_t raise = std::max<int64_t>(ArcHeightOfRow(main), p + 2LL * p * bars);
  SetRect(x, main.FRegion.top - raise, main.FRegion.right, main.FRegion.bottom);
  if (FSuper && ChildCount() > 1) {
    Child(1).SetBasePoint(Coord(static_cast<int64_t>(x) + main.Width() + p), Coord(main.FRegion.top + p - 2LL * p * bars));
    Widen(Child(1));
  }
}

void TSimpleValueEx::DrawContent() {
  Child(0).DrawItems();
  DrawBars(*this, Child(0).FRegion.left, Child(0).FRegion.right, Child(0).FRegion.top, BarCount(FStyle));
  if (FSuper && ChildCount() > 1) Child(1).DrawItems();
}

void TSimpleAngleEx::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  TEquation& main = Child(0);
  main.SetBasePoint(x, y);
  FArcHeight = ArcHeightOfRow(main);
  SetRect(x, static_cast<int64_t>(main.FRegion.top) - FArcHeight - std::max(1, P()), main.FRegion.right, main.FRegion.bottom);
}

void TSimpleAngleEx::DrawContent() {
  Child(0).DrawItems();
  DrawWedge(*this, FRect.left, FRect.right, FRect.top, FArcHeight);
}

void TSimpleArcEx::SetBasePoint(int32_t x, int32_t y) { TSimpleAngleEx::SetBasePoint(x, y); }

void TSimpleArcEx::DrawContent() {
  Child(0).DrawItems();
  DrawArcAccent(*this, FRect.left, FRect.right, FRect.top, FArcHeight, FStyle != 0);
}

void TAngleVecto::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  TEquation& main = Child(0);
  main.SetBasePoint(x, y);
  FArcHeight = ArcHeightOfRow(main);
  const int32_t p = std::max(1, P());
  SetRect(x, static_cast<int64_t>(main.FRegion.top) - FArcHeight - (HoldsAccentedText(main) ? 3 * p : p),
          main.FRegion.right, main.FRegion.bottom);
}

void TAngleVecto::DrawContent() {
  TEquation& main = Child(0);
  main.DrawItems();
  if (main.Count() < 2) return;
  const int32_t left = ItemMiddle(*main.FList.front()), right = ItemMiddle(*main.FList.back());
  if (ClassCode() == 34)
    DrawArcAccent(*this, left, right, FRect.top, FArcHeight, true);
  else
    DrawWedge(*this, left, right, FRect.top, FArcHeight);
}

}  // namespace zkw
