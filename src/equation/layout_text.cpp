// Layout and drawing of text items and of the accents over a text: the vector arrow, bars,
// the angle wedge and the arc.
#include <algorithm>

#include "common/round.h"
#include "equation/items_text.h"
#include "equation/layout_accents.h"
#include "equation/layout_metrics.h"

namespace zkw {

int32_t TSimpleExpr::ArcHeightOf(int32_t textHeight) {
  return std::max<int32_t>(3, static_cast<int32_t>(Round(textHeight / 6.0)));
}

int32_t TSimpleExpr::PlaceText(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  const TExtent e = ItemTextExtent(*this, FExpr);
  if (e.cx == 0 && e.cy == 0) {
    SetRect(x, y, x, y);
  } else {
    const int64_t k = e.cy / 2;
    SetRect(x, y - k + 1 - Round(2.0 * e.cy / 26), static_cast<int64_t>(x) + e.cx, y + k + 1 - Round(2.0 * e.cy / 42));
  }
  FTextRect = FRect;
  return e.cy;
}

void TSimpleExpr::SetBasePoint(int32_t x, int32_t y) { PlaceText(x, y); }

void TSimpleExpr::DrawContent() { DrawItemText(*this, FExpr, FTextRect); }

void TSimpleVector::SetBasePoint(int32_t x, int32_t y) {
  PlaceText(x, y);
  FRect.top = Coord(static_cast<int64_t>(FTextRect.top) - Pt(2) - 1);
}

void TSimpleVector::DrawContent() {
  TSimpleExpr::DrawContent();
  const int32_t r = Pt(2);
  DrawArrowLine(*this, plat::RECT{FRect.left, FRect.top, FRect.right - std::max(r, 2) + 1, FRect.top + 2 * r}, 1);
}

void TSimpleValue::SetBasePoint(int32_t x, int32_t y) {
  FArcHeight = ArcHeightOf(PlaceText(x, y));
  const int32_t p = std::max(1, P());
  FRect.top = Coord(FTextRect.top - std::max<int64_t>(FArcHeight, p + 2LL * p * BarCount(FStyle)));
}

void TSimpleValue::DrawContent() {
  TSimpleExpr::DrawContent();
  DrawBars(*this, FTextRect.left, FTextRect.right, FTextRect.top, BarCount(FStyle));
}

void TSimpleAngle::SetBasePoint(int32_t x, int32_t y) {
  FArcHeight = ArcHeightOf(PlaceText(x, y));
  FRect.top = Coord(static_cast<int64_t>(FTextRect.top) - FArcHeight - std::max(1, P()));
}

void TSimpleAngle::DrawContent() {
  TSimpleExpr::DrawContent();
  DrawWedge(*this, FRect.left, FRect.right, FRect.top, FArcHeight);
}

void TSimpleArc::SetBasePoint(int32_t x, int32_t y) {
  FArcHeight = ArcHeightOf(PlaceText(x, y));
  FRect.top = Coord(static_cast<int64_t>(FTextRect.top) - FArcHeight - std::max(1, P()));
}

void TSimpleArc::DrawContent() {
  TSimpleExpr::DrawContent();
  DrawArcAccent(*this, FRect.left, FRect.right, FRect.top, FArcHeight, FStyle != 0);
}

}  // namespace zkw
