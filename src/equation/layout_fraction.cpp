// Layout and drawing of the items of two stacked rows: the fraction, the mixed fraction, the
// arrow with texts and the horizontal brace.
#include <algorithm>

#include "equation/items_fraction.h"
#include "equation/layout_metrics.h"

namespace zkw {

namespace {

// Gives a child the width from left to right as its bounds rectangle.
void SetBounds(TEquation& child, int32_t left, int32_t right) {
  child.FBoundsRect = plat::RECT{left, child.FRegion.top, right, child.FRegion.bottom};
}

void DrawIfItems(TEquation& child) {
  if (child.HasItems()) child.DrawItems();
}

}  // namespace

void TFraction::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  TEquation& num = Child(0);
  TEquation& den = Child(1);
  const int32_t p = P();
  num.SetBasePoint(x, y);
  den.SetBasePoint(x, y);
  const int32_t w = std::max(num.Width(), den.Width());
  num.MoveBasePoint(x + (w - num.Width()) / 2, y - num.BelowHeight() - p);
  den.MoveBasePoint(x + (w - den.Width()) / 2, y + den.AboveHeight() + p);
  SetRect(x, static_cast<int64_t>(y) - num.Height() - p, static_cast<int64_t>(x) + w, static_cast<int64_t>(y) + p + den.Height());
  SetBounds(num, x, x + w);
  SetBounds(den, x, x + w);
}

void TFraction::DrawContent() {
  DrawIfItems(Child(0));
  DrawIfItems(Child(1));
  ItemLine(*this, FBasePoint.x, FBasePoint.y, FRect.right, FBasePoint.y, plat::PS_INSIDEFRAME);
}

void TFractionEx::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  TEquation& num = Child(0);
  TEquation& den = Child(1);
  TEquation& whole = Child(2);
  const int32_t p = P();
  whole.SetBasePoint(x, y);
  const int32_t start = whole.FRegion.right;
  num.SetBasePoint(start, y);
  den.SetBasePoint(start, y);
  const int32_t w = std::max(num.Width(), den.Width());
  // An empty part stands as far from the bar as the larger distance of the two.
  const int32_t apart = std::max(num.BelowHeight() + p, den.AboveHeight() + p);
  num.MoveBasePoint(start + (w - num.Width()) / 2, y - (num.HasItems() ? num.BelowHeight() + p : apart));
  den.MoveBasePoint(start + (w - den.Width()) / 2, y + (den.HasItems() ? den.AboveHeight() + p : apart));
  SetRect(x, std::min({num.FRegion.top, whole.FRegion.top}), static_cast<int64_t>(start) + w,
          std::max({den.FRegion.bottom, whole.FRegion.bottom}));
  SetBounds(num, start, start + w);
  SetBounds(den, start, start + w);
}

void TFractionEx::DrawContent() {
  DrawIfItems(Child(2));
  DrawIfItems(Child(0));
  DrawIfItems(Child(1));
  ItemLine(*this, Child(2).FRegion.right, FBasePoint.y, FRect.right, FBasePoint.y, plat::PS_INSIDEFRAME);
}

void TArrow::SetBasePoint(int32_t x, int32_t y) {
  if (FTextStyle < 0) {  // outside the table: the rectangle stays where it was
    FBasePoint = {x, y};
    return;
  }
  FBasePoint = {x, y};
  TEquation& above = Child(0);
  TEquation& below = Child(1);
  const int32_t r2 = Pt(2), r6 = Pt(6);
  const bool showAbove = FTextStyle != 0 && FTextStyle != 2, showBelow = FTextStyle != 0 && FTextStyle != 1;
  above.SetBasePoint(x, y);
  below.SetBasePoint(x, y);
  int32_t w = 0;
  if (showAbove) w = std::max(w, above.Width());
  if (showBelow) w = std::max(w, below.Width());
  const int32_t shift = FArrowStyle == 1 ? 0 : r6;
  above.MoveBasePoint(x + shift + (w - above.Width()) / 2, y - above.BelowHeight() - r2);
  below.MoveBasePoint(x + shift + (w - below.Width()) / 2, y + below.AboveHeight() + r2);
  int64_t length = FTextStyle == 0 ? 10 + 20 : static_cast<int64_t>(w) + shift;
  if (FArrowStyle == 1 || FArrowStyle == 3) length += r6;
  int64_t top = y - 3, bottom = y + 3;
  if (showAbove) top = std::min<int64_t>(top, above.FRegion.top);
  if (showBelow) bottom = std::max<int64_t>(bottom, below.FRegion.bottom);
  if (FTextStyle > 3 || FTextStyle < 0) {
    const int64_t half = std::max(y - top, bottom - y);
    top = y - half;
    bottom = y + half;
  }
  SetRect(x, top, x + length, bottom);
}

void TArrow::DrawContent() {
  const bool showAbove = FTextStyle != 0 && FTextStyle != 2, showBelow = FTextStyle != 0 && FTextStyle != 1;
  if (showAbove) DrawIfItems(Child(0));
  if (showBelow) DrawIfItems(Child(1));
  const int32_t y = FBasePoint.y, r2 = Pt(2);
  if (FArrowStyle >= 4)
    DrawArrowLine(*this, FRect, FArrowStyle);
  else
    DrawArrowLine(*this, plat::RECT{FRect.left, y - r2, FRect.right, y + r2}, FArrowStyle);
}

void TBracketHor::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  TEquation& over = Child(0);
  TEquation& under = Child(1);
  over.SetBasePoint(x, y);
  under.SetBasePoint(x, y);
  const int32_t w = std::max(over.Width(), under.Width());
  over.MoveBasePoint(over.HasItems() ? x + (w - over.Width()) / 2 : x, y);
  int32_t top, bottom;
  if (FTextStyle != 0) {
    top = over.FRegion.bottom;
    bottom = top + 6;
  } else {
    top = y - 3;
    bottom = y + 3;
  }
  FRectBracket = plat::RECT{x, top, x + w, bottom};
  under.MoveBasePoint(under.HasItems() ? x + (w - under.Width()) / 2 : x, bottom + under.BelowHeight());
  switch (FTextStyle) {
    case 0: FRect = FRectBracket; break;
    case 1: FRect = plat::RECT{x, over.FRegion.top, over.FRegion.right, bottom}; break;
    case 2: FRect = plat::RECT{x, top, under.FRegion.right, under.FRegion.bottom}; break;
    case 3:
      FRect = plat::RECT{x, over.FRegion.top, std::max(over.FRegion.right, under.FRegion.right), under.FRegion.bottom};
      break;
    default: break;  // other styles keep the previous rectangle
  }
  SetBounds(over, x, x + w);
  SetBounds(under, x, x + w);
}

void TBracketHor::DrawContent() {
  if (FTextStyle > 0) {
    DrawIfItems(Child(0));
    DrawIfItems(Child(1));
  }
  const plat::RECT& b = FRectBracket;
  const int32_t c = (b.bottom - b.top) / 2, m = (b.right - b.left) / 2;
  const plat::POINT pts[7] = {{b.left, b.top},          {b.left + c, b.top + c},  {b.left + m - c, b.top + c},
                              {b.left + m, b.bottom},   {b.left + m + c, b.top + c}, {b.right - c, b.top + c},
                              {b.right, b.top}};
  if (!FDC) return;
  plat::HPEN pen = plat::CreatePen(plat::PS_SOLID, StandardPenWidth(FResolution), ItemLineColor(*this));
  plat::HGDIOBJ old = plat::SelectObject(FDC, pen);
  plat::Polyline(FDC, pts, 7);
  plat::SelectObject(FDC, old);
  plat::DeleteObject(pen);
}

}  // namespace zkw
