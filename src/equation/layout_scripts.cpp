// Layout and drawing of superscripts, subscripts and the square root.
#include <algorithm>

#include "common/round.h"
#include "equation/items_scripts.h"
#include "equation/layout_metrics.h"

namespace zkw {

void TSimpleSuper::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  TEquation& script = Child(0);
  script.SetBasePoint(x, y);
  script.MoveBasePoint(x, Coord(y - Round(4.0 * script.AboveHeight() / 5)));
  FRect = script.FRegion;
}

void TSimpleSuper::DrawContent() { Child(0).DrawItems(); }

void TSimpleSub::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  TEquation& script = Child(0);
  script.SetBasePoint(x, y);
  script.MoveBasePoint(x, Coord(y + Round(4.0 * script.BelowHeight() / 5)));
  FRect = script.FRegion;
}

void TSimpleSub::DrawContent() { Child(0).DrawItems(); }

void TSquareRoot::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  TEquation& radicand = Child(0);
  radicand.SetBasePoint(x, y);
  const int32_t H = 2 * std::max(radicand.AboveHeight(), radicand.BelowHeight());
  int64_t b = SymbolGlyphWidth(*this, 214, H);
  FSignShift = 0;
  const bool indexed = FStyle > 0 && ChildCount() > 1;
  if (indexed) {
    TEquation& index = Child(1);
    index.SetBasePoint(x, y);
    const int32_t c = static_cast<int32_t>(Round(b / 3.0));
    const int32_t iy = Coord(y - Round((H / 2) / 3.0) - index.BelowHeight());
    if (index.Width() > c) {
      index.MoveBasePoint(x, iy);
      FSignShift = index.Width() - c;
      b += FSignShift;
    } else {
      index.MoveBasePoint(x + c - index.Width(), iy);
    }
  }
  radicand.MoveBasePoint(Coord(x + b), y);
  const int32_t ph = PlaceholderHeight();
  if (radicand.HasItems()) {
    const int32_t h = std::max(radicand.AboveHeight(), radicand.BelowHeight());
    SetRect(x, static_cast<int64_t>(y) - h, radicand.FRegion.right, static_cast<int64_t>(y) + h);
  } else {
    SetRect(x, y - ph / 2, static_cast<int64_t>(x) + SymbolGlyphWidth(*this, 214, ph) + 10, y + ph / 2);
  }
  FRect.right = Coord(static_cast<int64_t>(FRect.right) + 2);
  FTextRect = FRect;
  SetRect(FRect.left, FRect.top - 2LL, FRect.right, FRect.bottom + 2LL);
  if (indexed && Child(1).HasItems()) {
    FRect.left = std::min(FRect.left, Child(1).FRegion.left);
    FRect.top = std::min(FRect.top, Child(1).FRegion.top);
  }
  FRect.top = Coord(FRect.top - Round((static_cast<int64_t>(FRect.bottom) - FRect.top) / 8.0));
  FRect.bottom = Coord(FRect.bottom + Round((static_cast<int64_t>(FRect.bottom) - FRect.top) / 15.0));
}

void TSquareRoot::DrawContent() {
  if (FStyle > 0 && ChildCount() > 1 && Child(1).HasItems()) Child(1).DrawItems();
  const int32_t T = FTextRect.bottom - FTextRect.top;
  const plat::RECT sign = DrawStretchedSymbol(*this, 214, T, FBasePoint.x + FSignShift, FBasePoint.y);
  const int32_t d = SymbolGlyphWidth(*this, 214, T);
  int32_t row = sign.top + (T - SymbolGlyphHeight(*this, 214, T)) / 2;
  if (T >= 80) --row;
  ItemLine(*this, sign.left + d - 1, row, sign.left + d + Child(0).Width() + 1, row);
  Child(0).DrawItems();
}

}  // namespace zkw
