// Horizontal shear: each source row is drawn shifted sideways in proportion to its distance
// from the pivot row, with the pixel rules of DrawTransparent. Rows are clipped one by one.
#include <cmath>

#include "common/round.h"
#include "dib/composite_kernels.h"
#include "dib/dib24.h"
#include "dib/dib8.h"

namespace zkw {

namespace {

using namespace kernels;

// Round(v) when it is a usable pixel offset; false for values no image could reach.
bool RoundOffset(double v, int64_t& out) {
  if (!std::isfinite(v) || std::fabs(v) > 4e18) return false;
  out = Round(v);
  return true;
}

// Source row r at target row y + Round(OrgX hx) + r, from target column x + Round(hy (OrgY - r)).
template <class Rule>
void ShearRows(TDibBaseObj& t, const TSourceView& src, int64_t x, int64_t y, int32_t OrgX,
               int32_t OrgY, double hx, double hy, const Rule& rule) {
  int64_t down;
  if (!RoundOffset(OrgX * hx, down)) return;
  for (int64_t r = 0; r < src.Height; ++r) {
    int64_t ty = y + down + r;
    if (ty < 0 || ty >= t.FHeight) continue;
    int64_t shift;
    if (!RoundOffset(hy * static_cast<double>(int64_t{OrgY} - r), shift)) continue;
    int64_t left = x + shift;
    TPieceAxis row = PieceAxis(0, src.Width, src.Width, 1);
    row.Place(left, t.FWidth);
    if (row.Empty()) continue;
    rule.template Row<false>(
        t.PixelAddress(static_cast<int32_t>(left + row.Lo), static_cast<int32_t>(ty)),
        src.Pixel(row.Lo, r), src.AlphaAt(row.Lo, r), row.Count());
  }
}

}  // namespace

void TDib8Bits::Shear(int32_t x, int32_t y, int32_t OrgX, int32_t OrgY, double hx, double hy,
                      TDibBaseObj* Dib) {
  TSourceView src;
  if (!HasPixels(this) || !Dib || Dib->FBits != 1 || !ViewSource(Dib, this, src)) return;
  ShearRows(*this, src, x, y, OrgX, OrgY, hx, hy, KeyIdx{src.Key});
}

void TDib24Bits::Shear(int32_t x, int32_t y, int32_t OrgX, int32_t OrgY, double hx, double hy,
                       TDibBaseObj* Dib) {
  TSourceView src;
  if (!HasPixels(this) || !ViewSource(Dib, this, src)) return;
  WithRule24(src, TRuleSet::Transparent, 100, [&](const auto& rule) {
    ShearRows(*this, src, x, y, OrgX, OrgY, hx, hy, rule);
  });
}

}  // namespace zkw
