// Layout and drawing of big operators: integrals, repeated and nested integrals, sums and
// products with limits, the evaluation bar, and operators with aligned scripts.
#include <algorithm>

#include "common/round.h"
#include "equation/items_operators.h"
#include "equation/layout_metrics.h"

namespace zkw {

namespace {

int32_t HalfHeight(const TEquation& row) { return std::max(row.AboveHeight(), row.BelowHeight()); }

// Places a row with its bottom (its top) at a line, starting at x.
void PlaceAbove(TEquation& row, int32_t x, int32_t bottom) {
  row.SetBasePoint(x, bottom);
  row.MoveBasePoint(x, bottom - row.BelowHeight());
}
void PlaceBelow(TEquation& row, int32_t x, int32_t top) {
  row.SetBasePoint(x, top);
  row.MoveBasePoint(x, top + row.AboveHeight());
}

// Grows the top and bottom of a rectangle to a row's region when the row has items.
void GrowVertically(plat::RECT& r, const TEquation& row) {
  if (!row.HasItems()) return;
  r.top = std::min(r.top, row.FRegion.top);
  r.bottom = std::max(r.bottom, row.FRegion.bottom);
}

}  // namespace

void TIntegral::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  TEquation& main = Child(0);
  const int32_t p = P();
  main.SetBasePoint(x + p, y);
  const int64_t H = 2LL * HalfHeight(main);
  const int32_t S = Coord(H + Round(H / 2.0));
  const int32_t c = SymbolGlyphWidth(*this, FCharCode, S) - Pt(2);
  PlaceAbove(Child(1), x + p + c / 2, y - S / 2);
  PlaceBelow(Child(2), x + p + c / 2, y + S / 2);
  main.MoveBasePoint(x + p + c, y);
  const int64_t grow = Round(H / 20.0);
  SetRect(x, y - H - grow, main.FRegion.right, y + H + grow);
  if (FStyle > 0) {
    Widen(Child(1));
    Widen(Child(2));
  }
}

void TIntegral::DrawContent() {
  const int64_t H = 2LL * HalfHeight(Child(0));
  DrawStretchedSymbol(*this, FCharCode, Coord(H + Round(H / 2.0)), FBasePoint.x, FBasePoint.y);
  Child(0).DrawItems();
  if (FStyle > 0) {
    Child(1).DrawItems();
    Child(2).DrawItems();
  }
}

void TIntegralEx::Nested(std::vector<TIntegralEx*>& out) const {
  if (ChildCount() == 0) return;
  for (auto& item : Child(0).FList)
    if (auto* nested = dynamic_cast<TIntegralEx*>(item.get())) {
      out.push_back(nested);
      nested->Nested(out);
    }
}

void TIntegralEx::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  if (FOuterLocked) return PlaceLocked(x, y);
  if (!FMain) return FLockHeight ? PlaceLocked(x, y) : PlaceUnlocked(x, y);
  // A main integral measures its main row with every nested sign locked, then gives them all
  // three times the row's half height.
  std::vector<TIntegralEx*> nested;
  Nested(nested);
  FLockHeight = true;
  for (TIntegralEx* n : nested) n->FLockHeight = n->FOuterLocked = true;
  Child(0).SetBasePoint(x + 1, y);
  FIntegalHeight = Coord(3LL * HalfHeight(Child(0)));
  for (TIntegralEx* n : nested) {
    n->FIntegalHeight = FIntegalHeight;
    n->FLockHeight = n->FOuterLocked = false;
  }
  FLockHeight = false;
  PlaceUnlocked(x, y);
  for (TIntegralEx* n : nested)
    if (n->FStyle > 0) {
      GrowVertically(FRect, n->Child(1));
      GrowVertically(FRect, n->Child(2));
    }
}

void TIntegralEx::PlaceLocked(int32_t x, int32_t y) {
  TEquation& main = Child(0);
  main.SetBasePoint(x + 1, y);
  if (!FMain) {
    FRect = main.FRegion;
    return;
  }
  const int64_t H = HalfHeight(main), grow = Round(H / 20.0);
  SetRect(x, y - H - grow, main.FRegion.right, y + H + grow);
}

void TIntegralEx::PlaceUnlocked(int32_t x, int32_t y) {
  TEquation& main = Child(0);
  const int32_t c = SymbolGlyphWidth(*this, FCharCode, FIntegalHeight), x1 = x + 1;
  const int32_t k = FIntegalHeight / 2;
  PlaceAbove(Child(1), x1 + c / 2, y - k);
  PlaceBelow(Child(2), x1 + c / 2, y + k);
  main.SetBasePoint(x1 + c, y);
  const int64_t grow = Round(k / 20.0);
  SetRect(x, static_cast<int64_t>(y) - k - grow, main.HasItems() ? main.FRegion.right : main.FRegion.left,
          static_cast<int64_t>(y) + k + grow);
  if (FStyle > 0) {
    GrowVertically(FRect, Child(1));
    GrowVertically(FRect, Child(2));
  }
}

void TIntegralEx::DrawContent() {
  DrawStretchedSymbol(*this, FCharCode, FIntegalHeight, FBasePoint.x, FBasePoint.y);
  Child(0).DrawItems();
  if (FStyle > 0) {
    Child(1).DrawItems();
    Child(2).DrawItems();
  }
}

void T3SubOtherwise::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  TEquation& main = Child(0);
  main.SetBasePoint(x, y);
  const int32_t S = Coord(2LL * HalfHeight(main));
  const TSymbolGlyph glyph{"Symbol", FCharCode, S, false};
  const int32_t sw = SymbolExtent(*this, glyph).cx;
  int32_t widest = 0;
  if (FSuper) {
    Child(1).SetBasePoint(x, y);
    widest = std::max(widest, Child(1).Width());
  }
  if (FSub) {
    Child(2).SetBasePoint(x, y);
    widest = std::max(widest, Child(2).Width());
  }
  const int32_t sx = widest > sw ? x + (widest - sw) / 2 + 2 : x;
  FSymbolRect = SymbolBox(*this, glyph, sx, y + 1);
  const int32_t middle = FSymbolRect.left + (FSymbolRect.right - FSymbolRect.left) / 2;
  if (FSuper) PlaceAbove(Child(1), middle - Child(1).Width() / 2, FSymbolRect.top);
  if (FSub) PlaceBelow(Child(2), middle - Child(2).Width() / 2, FSymbolRect.bottom);
  main.MoveBasePoint(std::max(FSymbolRect.right, widest > sw ? x + widest + 2 : FSymbolRect.right), y);
  FRect = FSymbolRect;
  FRect.left = x;
  Widen(main);
  if (FSuper) Widen(Child(1));
  if (FSub) Widen(Child(2));
}

void T3SubOtherwise::DrawContent() {
  DrawSymbol(*this, TSymbolGlyph{"Symbol", FCharCode, Coord(2LL * HalfHeight(Child(0))), false}, FSymbolRect);
  Child(0).DrawItems();
  if (FSuper) Child(1).DrawItems();
  if (FSub) Child(2).DrawItems();
}

namespace {
int32_t SignCount(int32_t numClass) { return std::clamp(numClass, 1, 16); }
int32_t SignStep(int32_t s) { return static_cast<int32_t>(Round(2.0 * s / 3)); }
}  // namespace

void TMultiIntegral::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  TEquation& main = Child(0);
  main.SetBasePoint(x, y);
  const int64_t H = HalfHeight(main);
  const int32_t S = Coord(3 * H);
  const int32_t s = SymbolGlyphWidth(*this, FCharCode, S);
  const int32_t n = SignCount(FNumClass);
  const int64_t d = n < 2 ? s : s + static_cast<int64_t>(n - 1) * SignStep(s);
  int64_t e = d;
  if (FSuper) {
    Child(1).SetBasePoint(x, y);
    e = std::max<int64_t>(e, Child(1).Width());
  }
  if (FSub) {
    Child(2).SetBasePoint(x, y);
    e = std::max<int64_t>(e, Child(2).Width());
  }
  FSignX = Coord(x + (e - d) / 2);
  const int32_t centre = Coord(x + e / 2);
  if (FSuper) PlaceAbove(Child(1), centre - Child(1).Width() / 2, y - S / 2);
  if (FSub) PlaceBelow(Child(2), centre - Child(2).Width() / 2, y + S / 2);
  main.MoveBasePoint(Coord(FSignX + d + Pt(2)), y);
  const int64_t h2 = 2 * H, grow = Round(h2 / 20.0);
  SetRect(x, y - h2 / 2 - grow, main.FRegion.right, y + h2 / 2 + grow);
  if (FSuper) Widen(Child(1));
  if (FSub) Widen(Child(2));
  FRect.left = x;
}

void TMultiIntegral::DrawContent() {
  const int32_t S = Coord(3LL * HalfHeight(Child(0)));
  const int32_t step = SignStep(SymbolGlyphWidth(*this, FCharCode, S));
  for (int32_t i = 0; i < SignCount(FNumClass); ++i)
    DrawStretchedSymbol(*this, FCharCode, S, FSignX + i * step, FBasePoint.y);
  Child(0).DrawItems();
  if (FSuper) Child(1).DrawItems();
  if (FSub) Child(2).DrawItems();
}

void TRightIntegral::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  TEquation& main = Child(0);
  TEquation& upper = Child(1);
  TEquation& lower = Child(2);
  main.SetBasePoint(x, y);
  const int32_t H = HalfHeight(main);
  const int32_t lx = Coord(static_cast<int64_t>(x) + main.Width() + Pt(5));
  PlaceBarLimits(upper, lower, lx, y, H);
  FRect = main.FRegion;
  if (FSuper) Widen(upper);
  if (FSub) Widen(lower);
}

void TRightIntegral::DrawContent() {
  TEquation& main = Child(0);
  main.DrawItems();
  if (FSuper) Child(1).DrawItems();
  if (FSub) Child(2).DrawItems();
  if (!FSuper && !FSub) return;
  const int32_t H = HalfHeight(main), q = std::max(1, P()), y = FBasePoint.y;
  const int32_t x = FBasePoint.x + main.Width() + Pt(2);
  ItemLine(*this, x, y + q - H, x, y + H - q);
}

void TMinMax::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  TEquation& main = Child(0);
  TEquation& upper = Child(1);
  TEquation& lower = Child(2);
  main.SetBasePoint(x, y);
  upper.SetBasePoint(x, y);
  lower.SetBasePoint(x, y);
  const int32_t uw = FSuper ? upper.Width() : 0, lw = FSub ? lower.Width() : 0;
  if (FAlign == 0) {
    const int32_t widest = std::max({main.Width(), uw, lw});
    main.MoveBasePoint(x + (widest - main.Width()) / 2, y);
    upper.MoveBasePoint(x + (widest - upper.Width()) / 2, main.FRegion.top - upper.BelowHeight());
    lower.MoveBasePoint(x + (widest - lower.Width()) / 2, main.FRegion.bottom + lower.AboveHeight());
  } else {
    const int32_t scripts = std::max(uw, lw);
    const int32_t uy = y - std::max<int32_t>(main.AboveHeight() - upper.BelowHeight(),
                                             static_cast<int32_t>(Round(4.0 * upper.AboveHeight() / 5)));
    const int32_t ly = y + std::max<int32_t>(main.BelowHeight() - lower.AboveHeight(),
                                             static_cast<int32_t>(Round(4.0 * lower.BelowHeight() / 5)));
    if (FAlign == 1) {
      upper.MoveBasePoint(main.FRegion.right, uy);
      lower.MoveBasePoint(main.FRegion.right, ly);
    } else {
      upper.MoveBasePoint(x + scripts - upper.Width(), uy);
      lower.MoveBasePoint(x + scripts - lower.Width(), ly);
      main.MoveBasePoint(x + scripts, y);
    }
  }
  FRect = main.FRegion;
  FRect.left = x;
  if (FSuper) Widen(upper);
  if (FSub) Widen(lower);
}

void TMinMax::DrawContent() {
  Child(0).DrawItems();
  if (FSuper) Child(1).DrawItems();
  if (FSub) Child(2).DrawItems();
}

}  // namespace zkw
