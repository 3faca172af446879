// Row- and column-shifted draws of 24-bit targets: a piece drawn like DrawArea, DrawPeace or
// DrawMerge with each row (Y variants) or column (X variants) displaced by an entry of an
// offset table line. Every shifted row or column is clipped on its own.
#include <type_traits>

#include "dib/composite_clip.h"
#include "dib/composite_kernels.h"
#include "dib/dib24.h"

namespace zkw {

namespace {

using namespace kernels;

// The offset of piece row or column i, or false when the index falls outside the table line.
bool OffsetOf(const int16_t* Lines, int32_t delta, int64_t i, int64_t& offset) {
  int64_t index = int64_t{delta} + i;
  if (index < 0 || index >= kLineOffsetCount) return false;
  offset = Lines[index];
  return true;
}

// Row j of the piece is drawn at target row y + j from column x + Lines[delta + j].
template <class Rule>
void ShiftRows(TDibBaseObj& target, const TSourceView& src, int64_t x, int64_t y,
               const TPieceAxis& ax, const TPieceAxis& ay, const int16_t* Lines, int32_t delta,
               const Rule& rule) {
  auto rows = [&](auto mirror) {
    constexpr bool kMirror = decltype(mirror)::value;
    for (int64_t j = ay.Lo; j <= ay.Hi; ++j) {
      int64_t offset;
      if (!OffsetOf(Lines, delta, j, offset)) continue;
      int64_t left = x + offset;
      TPieceAxis row = ax;
      row.Place(left, target.FWidth);
      if (row.Empty()) continue;
      uint8_t* d = target.PixelAddress(static_cast<int32_t>(left + row.Lo),
                                       static_cast<int32_t>(y + j));
      rule.template Row<kMirror>(d, src.Pixel(ax.Src(row.Lo), ay.Src(j)),
                                 src.AlphaAt(ax.Src(row.Lo), ay.Src(j)), row.Count());
    }
  };
  if (ax.Mirror)
    rows(std::true_type{});
  else
    rows(std::false_type{});
}

// Column i of the piece is drawn at target column x + i from row y + Lines[delta + i].
template <class Rule>
void ShiftColumns(TDibBaseObj& target, const TSourceView& src, int64_t x, int64_t y,
                  const TPieceAxis& ax, const TPieceAxis& ay, const int16_t* Lines,
                  int32_t delta, const Rule& rule) {
  const ptrdiff_t dstep = -static_cast<ptrdiff_t>(target.FDWidth);
  const ptrdiff_t sstep = ay.Mirror ? src.Stride : -src.Stride;
  const ptrdiff_t astep = ay.Mirror ? src.AlphaStride : -src.AlphaStride;
  for (int64_t i = ax.Lo; i <= ax.Hi; ++i) {
    int64_t offset;
    if (!OffsetOf(Lines, delta, i, offset)) continue;
    int64_t top = y + offset;
    TPieceAxis column = ay;
    column.Place(top, target.FHeight);
    if (column.Empty()) continue;
    uint8_t* d = target.PixelAddress(static_cast<int32_t>(x + i),
                                     static_cast<int32_t>(top + column.Lo));
    DrawColumn(d, dstep, src.Pixel(ax.Src(i), ay.Src(column.Lo)), sstep,
               src.AlphaAt(ax.Src(i), ay.Src(column.Lo)), astep, column.Count(), rule);
  }
}

// Clips and draws one shifted piece with the rules of `set`.
void Shifted(TDibBaseObj& target, TDibBaseObj* Dib, int32_t x, int32_t y, int32_t xx,
             int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy, const int16_t* Lines,
             int32_t delta, TRuleSet set, int64_t rate, bool columns) {
  if (!Lines || !HasPixels(&target) || !HasPixels(Dib)) return;
  TPieceAxis ax = PieceAxis(xx, w, Dib->FWidth, dx);
  TPieceAxis ay = PieceAxis(yy, h, Dib->FHeight, dy);
  // The unshifted axis is clipped as for a piece; the shifted one per row or column.
  if (columns)
    ax.Place(x, target.FWidth);
  else
    ay.Place(y, target.FHeight);
  if (ax.Empty() || ay.Empty()) return;
  TSourceView src;
  if (!ViewSource(Dib, &target, src)) return;
  WithRule24(src, set, ClampRate(rate), [&](const auto& rule) {
    if (columns)
      ShiftColumns(target, src, x, y, ax, ay, Lines, delta, rule);
    else
      ShiftRows(target, src, x, y, ax, ay, Lines, delta, rule);
  });
}

}  // namespace

void TDib24Bits::DrawNormalOnLineY(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx,
                                   int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy,
                                   const int16_t* Lines, int32_t delta) {
  Shifted(*this, Dib, x, y, xx, yy, w, h, dx, dy, Lines, delta, TRuleSet::Area, 100, false);
}

void TDib24Bits::DrawOnLineY(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                             int32_t w, int32_t h, int32_t dx, int32_t dy, const int16_t* Lines,
                             int32_t delta) {
  Shifted(*this, Dib, x, y, xx, yy, w, h, dx, dy, Lines, delta, TRuleSet::Transparent, 100,
          false);
}

void TDib24Bits::DrawMergeOnLineY(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx,
                                  int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy,
                                  const int16_t* Lines, int32_t delta, int32_t Rate) {
  Shifted(*this, Dib, x, y, xx, yy, w, h, dx, dy, Lines, delta, TRuleSet::MergeLineY, Rate,
          false);
}

void TDib24Bits::DrawOnLineX(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                             int32_t w, int32_t h, int32_t dx, int32_t dy, const int16_t* Lines,
                             int32_t delta) {
  Shifted(*this, Dib, x, y, xx, yy, w, h, dx, dy, Lines, delta, TRuleSet::Transparent, 100,
          true);
}

void TDib24Bits::DrawNormalOnLineX(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx,
                                   int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy,
                                   const int16_t* Lines, int32_t delta) {
  Shifted(*this, Dib, x, y, xx, yy, w, h, dx, dy, Lines, delta, TRuleSet::Area, 100, true);
}

void TDib24Bits::DrawMergeOnLineX(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx,
                                  int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy,
                                  const int16_t* Lines, int32_t delta, int32_t Rate) {
  Shifted(*this, Dib, x, y, xx, yy, w, h, dx, dy, Lines, delta, TRuleSet::MergeLineX, Rate,
          true);
}

}  // namespace zkw
