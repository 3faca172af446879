// Layout and drawing of the items that enclose a row: fences with scripts, absolute-value bars
// and the box.
#include <algorithm>

#include "common/round.h"
#include "equation/items_fences.h"
#include "equation/layout_metrics.h"

namespace zkw {

namespace {

int32_t HalfHeight(const TEquation& row) { return std::max(row.AboveHeight(), row.BelowHeight()); }

// Scripts after x: superscript and subscript against the content's height.
void PlaceScripts(TEquation& sup, TEquation& sub, const TEquation& content, int32_t x, int32_t y) {
  sup.SetBasePoint(x, y);
  sub.SetBasePoint(x, y);
  sup.MoveBasePoint(x, y - std::max<int32_t>(content.AboveHeight() - sup.BelowHeight(),
                                             static_cast<int32_t>(Round(4.0 * sup.AboveHeight() / 5))));
  sub.MoveBasePoint(x, y + std::max<int32_t>(content.BelowHeight() - sub.AboveHeight(),
                                             static_cast<int32_t>(Round(4.0 * sub.BelowHeight() / 5))));
}

}  // namespace

void TFence::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  TEquation& content = Child(0);
  content.SetBasePoint(x, y);
  const int32_t H = Coord(2LL * HalfHeight(content));
  content.MoveBasePoint(Coord(static_cast<int64_t>(x) + SymbolGlyphWidth(*this, FLCharCode, H)), y);
  const int32_t rightWidth = SymbolGlyphWidth(*this, FRCharCode, H);
  if (FSuper || FSub)
    PlaceScripts(Child(1), Child(2), content, Coord(static_cast<int64_t>(rightWidth) + content.FRegion.right + P()), y);
  const int64_t grow = Round(H / 20.0);
  SetRect(x, y - H / 2 - grow, static_cast<int64_t>(rightWidth) + content.FRegion.right, y + H / 2 + grow);
  if (FSuper) Widen(Child(1));
  if (FSub) Widen(Child(2));
}

void TFence::DrawContent() {
  TEquation& content = Child(0);
  const int32_t H = Coord(2LL * HalfHeight(content)), y = FBasePoint.y - static_cast<int32_t>(Round(H / 10.0));
  DrawStretchedSymbol(*this, FLCharCode, H, FBasePoint.x, y);
  content.DrawItems();
  DrawStretchedSymbol(*this, FRCharCode, H, content.FRegion.right, y);
  if (FSuper) Child(1).DrawItems();
  if (FSub) Child(2).DrawItems();
}

namespace {
int32_t BarCountOf(uint8_t numClass) { return std::clamp<int32_t>(numClass, 1, 16); }
}  // namespace

void TAbsolute::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  TEquation& content = Child(0);
  content.SetBasePoint(x, y);
  const int32_t H = HalfHeight(content), p = P(), q = std::max(1, P()), n = BarCountOf(FNumClass);
  content.MoveBasePoint(x + p + (p + q) * n, y);
  const int32_t right = content.FRegion.right + (p + q) * n + p;
  if (FSuper || FSub) {
    TEquation& upper = Child(1);
    TEquation& lower = Child(2);
    PlaceBarLimits(upper, lower, right + Pt(2), y, H);
  }
  SetRect(x, static_cast<int64_t>(y) - H, right, static_cast<int64_t>(y) + H);
  if (FSuper) Widen(Child(1));
  if (FSub) Widen(Child(2));
}

void TAbsolute::DrawContent() {
  TEquation& content = Child(0);
  const int32_t H = HalfHeight(content), p = P(), q = std::max(1, P()), n = BarCountOf(FNumClass);
  const int32_t y = FBasePoint.y;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t left = FBasePoint.x + p + (p + q) * i, right = content.FRegion.right + p + (p + q) * i;
    ItemLine(*this, left, y + q - H, left, y + H - q);
    ItemLine(*this, right, y + q - H, right, y + H - q);
  }
  content.DrawItems();
  if (FSuper) Child(1).DrawItems();
  if (FSub) Child(2).DrawItems();
}

void TSimpleRect::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  TEquation& content = Child(0);
  content.SetBasePoint(x, y);
  FRect = content.FRegion;
  if (FStyle > 0) {
    const int64_t b = std::max(content.Width(), content.Height()), p = std::max(1, P());
    SetRect(FRect.left, y - Round(b / 2.0) - p - 4, FRect.left + b + p + 2, y + Round(b / 2.0) + p + 4);
  }
}

void TSimpleRect::DrawContent() {
  Child(0).DrawItems();
  const int32_t p = std::max(1, P());
  plat::RECT box = FRect;
  if (FStyle == 1) box = plat::RECT{FRect.left, FRect.top + p + 4, FRect.right - p, FRect.bottom - p - 4};
  DrawOutline(*this, box, plat::PS_INSIDEFRAME);
}

}  // namespace zkw
