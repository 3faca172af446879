// Run scaling: each target column (or row) shows one source column (row) stretched between a
// start and an end offset taken from a run-line set, drawn as one run per source pixel.
#include "common/round.h"
#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/transform_source.h"

namespace zkw {

namespace {

using namespace transform;

// AMerge of an alpha value: Round(alpha / 255 x 100).
struct TAlphaPercent {
  uint8_t Of[256];
  TAlphaPercent() {
    for (int a = 0; a < 256; ++a) Of[a] = static_cast<uint8_t>(Round(a / 255.0 * 100));
  }
};
const TAlphaPercent& AlphaPercent() {
  static const TAlphaPercent table;
  return table;
}

// The pixel rule of one run.
enum class TRunRule { Index, Colour, Merge };

// Source line `index` (a column when Columns, else a row), pixel k = 1 .. n, drawn as the run
// from p = (k Rate) div 100 to p + Rate div 100 along the target line at (x, y); each run is a
// Bar (or BarMerge) of the target, so its ends follow the target's Bar.
template <bool Columns>
void ScaledLine(TDibBaseObj& t, TDibBaseObj* Dib, int32_t x, int32_t y, int32_t Rate,
                int32_t index) {
  if (!HasPixels(&t) || !HasPixels(Dib) || Dib->FBits != 1) return;
  if (index < 0 || index >= (Columns ? Dib->FWidth : Dib->FHeight)) return;
  TSourceView src;
  if (!ViewSource(Dib, &t, src)) return;
  const TRunRule rule =
      t.FBits == 1 ? TRunRule::Index : src.Alpha ? TRunRule::Merge : TRunRule::Colour;
  const uint8_t* percent = AlphaPercent().Of;
  const int64_t n = Columns ? src.Height : src.Width;
  const int64_t base = Columns ? y : x, len = Rate / 100;
  for (int64_t k = 1; k <= n; ++k) {
    const int64_t sx = Columns ? index : k - 1, sy = Columns ? k - 1 : index;
    const uint8_t idx = *src.Pixel(sx, sy);
    uint8_t m = 100;
    if (rule == TRunRule::Merge) {
      m = percent[*src.AlphaAt(sx, sy)];
      if (*src.AlphaAt(sx, sy) == 0) continue;
    } else if (idx == src.Key) {
      continue;
    }
    int64_t p1 = base + (k * Rate) / 100, p2 = p1 + len;
    int64_t x1 = Columns ? x : p1, x2 = Columns ? x : p2;
    int64_t y1 = Columns ? p1 : y, y2 = Columns ? p2 : y;
    if (!BarRect(t, x1, y1, x2, y2)) continue;
    for (int64_t ty = y1; ty <= y2; ++ty) {
      uint8_t* d = t.PixelAddress(static_cast<int32_t>(x1), static_cast<int32_t>(ty));
      if (rule == TRunRule::Index) {
        FillRaw<1>(d, x2 - x1 + 1, idx);
        continue;
      }
      const TRGBQuad& q = src.Pal[idx];
      const uint8_t fresh[3] = {q.rgbBlue, q.rgbGreen, q.rgbRed};
      for (int64_t i = 0; i <= x2 - x1; ++i, d += 3) {
        for (int c = 0; c < 3; ++c)
          d[c] = static_cast<uint8_t>((d[c] * (100 - m)) / 100 + (m * fresh[c]) / 100);
      }
    }
  }
}

// Rate of a run line: Round((end - start) / size x 100).
int32_t RunRate(int16_t start, int16_t end, int32_t size) {
  return static_cast<int32_t>(
      Round(static_cast<long double>(int32_t{end} - start) / size * 100));
}

}  // namespace

void TDib8Bits::DrawScaledColumn(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t Rate,
                                 int32_t Column) {
  ScaledLine<true>(*this, Dib, x, y, Rate, Column);
}
void TDib8Bits::DrawScaledRow(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t Rate, int32_t Row) {
  ScaledLine<false>(*this, Dib, x, y, Rate, Row);
}
void TDib24Bits::DrawScaledColumn(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t Rate,
                                  int32_t Column) {
  ScaledLine<true>(*this, Dib, x, y, Rate, Column);
}
void TDib24Bits::DrawScaledRow(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t Rate,
                               int32_t Row) {
  ScaledLine<false>(*this, Dib, x, y, Rate, Row);
}

void TDibBaseObj::RunScaleY(int32_t x, int32_t /*y*/, TDibBaseObj* Dib, const int16_t* LData,
                            int32_t OrgX, int32_t Limit) {
  if (!LData || !HasPixels(Dib)) return;
  if (OrgX < 0) OrgX = 0;
  const int32_t W = Dib->FWidth, H = Dib->FHeight;
  if (OrgX > W - 1) return;
  for (int64_t c = OrgX, tx = x; c < W; ++c, ++tx) {
    if (tx > 1024 || tx >= Limit) break;
    if (tx < 0) continue;
    DrawScaledColumn(static_cast<int32_t>(tx), LData[tx], Dib,
                     RunRate(LData[tx], LData[kLineOffsetCount + tx], H), static_cast<int32_t>(c));
  }
}

void TDibBaseObj::RunScaleX(int32_t /*x*/, int32_t y, TDibBaseObj* Dib, const int16_t* ALine,
                            int32_t OrgY, int32_t Limit) {
  if (!ALine || !HasPixels(Dib)) return;
  if (OrgY < 0) OrgY = 0;
  const int32_t W = Dib->FWidth, H = Dib->FHeight;
  if (OrgY > H - 1) return;
  for (int64_t r = OrgY, ty = y; r < H; ++r, ++ty) {
    if (ty > 1024 || ty >= Limit) break;
    if (ty < 0) continue;
    DrawScaledRow(ALine[ty], static_cast<int32_t>(ty), Dib,
                  RunRate(ALine[ty], ALine[kLineOffsetCount + ty], W), static_cast<int32_t>(r));
  }
}

}  // namespace zkw
