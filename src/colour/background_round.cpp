// Round backgrounds: concentric discs, painted row by row with each pixel written once, and
// nested rotating polygons. Only discs and polygons that can reach the window of the rectangle
// on the image are looked at.
#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "colour/background_steps.h"
#include "colour/backgrounds.h"
#include "colour/polygon_reach.h"
#include "dib/draw_walk.h"

namespace zkw {

namespace {

// The discs as bands of radii that share a colour: a pixel takes the colour of the smallest disc
// over it, and the discs of the midpoint walk are nested (on every row disc r + 1 reaches at
// least as far as disc r: the walk of the larger radius never lies below the smaller one's, as
// its step test d >= 0 only gets harder to pass as r grows), so on each row a band covers the
// columns between the half-width of the band below it and its own outermost disc's half-width.
struct TDiscBands {
  std::vector<int64_t> Ends;                    // the largest radius of each band, smallest first
  std::vector<std::array<uint8_t, 16>> Fills;  // 16 bytes of the band's colour
};

// Bands of rMin .. rMax: radius r has the colour C1 + Dir min(n div g - r div g, D) (each step
// taken when the radius divides by g, never passing C2).
TDiscBands DiscBands(const TColourSteps& steps, int64_t n, int64_t rMin, int64_t rMax) {
  TDiscBands b;
  const int64_t g = steps.G, capped = n / g - steps.D;  // r div g <= capped: C2
  for (int64_t r = rMin; r <= rMax;) {
    const int64_t q = r / g, end = std::min(rMax, (q <= capped ? capped : q) * g + g - 1);
    b.Ends.push_back(end);
    b.Fills.emplace_back();
    b.Fills.back().fill(static_cast<uint8_t>(
        (steps.C1 + steps.Dir * std::min<int64_t>(n / g - q, steps.D)) & 0xFF));
    r = end + 1;
  }
  return b;
}

// Half-widths of the bands' outermost discs on the rows dy = lo .. hi (0 <= lo), band by band:
// hw[b * rows + dy - lo] = the largest |dx| (at most `reach`) that disc Ends[b] covers on that
// row (the midpoint walk of Slice), for the rows dy <= Ends[b] it reaches (the walk leaves no
// row of them out); the others are left unset. A row reads one entry per band, and the next row
// the entries beside them.
//
// The walk visits (i, y) with i rising and y falling, i <= y: row y gets the half-width i (the
// last write, the largest i, stays) and row i gets y. A row written both ways is written as row i
// last, with y >= i, the larger; so plain stores give the largest half-width.
void BandEdges(const std::vector<int64_t>& ends, int64_t lo, int64_t hi, int64_t reach,
               std::unique_ptr<int32_t[]>& hw) {
  const size_t rows = static_cast<size_t>(hi - lo + 1);
  hw.reset(new int32_t[ends.size() * rows]);
  for (size_t b = 0; b < ends.size(); ++b) {
    int32_t* band = &hw[b * rows];
    const int64_t r = ends[b], top = std::min(hi, r);
    // A walk costs about 0.7 r steps, a row by formula about as much as 20 steps: discs far
    // larger than the rows they cross (a centre far outside the image) are not walked.
    if (top >= lo && r > 28 * (top - lo + 1)) {
      const TMidpointRows disc(r);
      for (int64_t dy = lo; dy <= top; ++dy)
        band[dy - lo] = static_cast<int32_t>(std::min(disc.HalfWidth(dy), reach));
      continue;
    }
    auto mark = [&](int64_t dy, int64_t half) {
      if (static_cast<uint64_t>(dy - lo) < rows)
        band[dy - lo] = static_cast<int32_t>(std::min(half, reach));
    };
    MidpointWalk(r, [&](int64_t i, int64_t y) {
      mark(y, i);
      mark(i, y);
    });
  }
}

// One half-row of colour bytes: half[dx - base] for dx = base .. `to` (base, the nearest |dx| of
// the window, is 0 unless the centre lies beside it), bands from the centre outwards, each
// written 16 bytes at a time from its first column (up to 15 bytes past its end, which the next
// band or the 16 bytes of padding after `to` take). Bands before `first` miss the row.
void BandHalfRow(const int32_t* edges, size_t rows, const TDiscBands& bands, size_t first,
                 int64_t base, int64_t to, uint8_t* half) {
  int64_t inner = base - 1;
  for (size_t b = first; b < bands.Fills.size() && inner < to; ++b) {
    const int64_t edge = std::min<int64_t>(edges[b * rows], to);
    if (edge <= inner) continue;
    const uint8_t* fill = bands.Fills[b].data();
    for (int64_t p = inner + 1; p <= edge; p += 16) std::memcpy(half + (p - base), fill, 16);
    inner = edge;
  }
}

// dst[k] = src[count - 1 - k].
void ReverseBytes(uint8_t* dst, const uint8_t* src, int64_t count) {
  int64_t k = 0;
#if defined(__SSE2__)
  for (; k + 16 <= count; k += 16) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + count - 16 - k));
    v = _mm_shuffle_epi32(v, _MM_SHUFFLE(0, 1, 2, 3));
    v = _mm_shufflelo_epi16(v, _MM_SHUFFLE(2, 3, 0, 1));
    v = _mm_shufflehi_epi16(v, _MM_SHUFFLE(2, 3, 0, 1));
    v = _mm_or_si128(_mm_srli_epi16(v, 8), _mm_slli_epi16(v, 8));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + k), v);
  }
#endif
  for (; k < count; ++k) dst[k] = src[count - 1 - k];
}

// Writes columns from .. to of a row (window coordinates, centre column cj) from the half-row:
// column j takes half[|j - cj| - base]; 24-bit pixels take the byte as a shade of red.
void PutHalfRow(uint8_t* row, const uint8_t* half, int64_t base, int64_t cj, int64_t from,
                int64_t to, int32_t bytes) {
  if (bytes == 3) {
    for (int64_t j = from; j <= to; ++j) {
      uint8_t* p = row + j * 3;
      p[0] = 0;
      p[1] = 0;
      p[2] = half[std::abs(j - cj) - base];
    }
    return;
  }
  const int64_t leftEnd = std::min(to, cj - 1);  // columns left of the centre
  if (from <= leftEnd) ReverseBytes(row + from, half + (cj - leftEnd - base), leftEnd - from + 1);
  const int64_t rightFrom = std::max(from, cj);
  if (rightFrom <= to)
    std::memcpy(row + rightFrom, half + (rightFrom - cj - base),
                static_cast<size_t>(to - rightFrom + 1));
}

// Paints the rows of the window: rows cy + dy and cy - dy are the same, and so are the columns
// cx + dx and cx - dx, so each row is built once as a half-row of |dx|.
void PaintBands(TDibWindow& w, int64_t cx, int64_t cy, int64_t dyLo, int64_t dyHi,
                const TDiscBands& bands, const int32_t* hw) {
  TDibBaseObj& v = w.View();
  const int32_t bytes = v.FBits == 1 ? 1 : 3;
  const int64_t width = w.Right() - w.Left() + 1, cj = cx - w.Left();
  const int64_t farthest = std::max(std::abs(cj), std::abs(width - 1 - cj));
  const int64_t nearest = cj < 0 ? -cj : cj >= width ? cj - width + 1 : 0;
  std::vector<uint8_t> half(static_cast<size_t>(farthest - nearest) + 17);
  const size_t rows = static_cast<size_t>(dyHi - dyLo + 1), count = bands.Ends.size();
  size_t first = 0;  // the smallest band that reaches the row
  for (int64_t dy = dyLo; dy <= dyHi; ++dy) {
    while (first < count && bands.Ends[first] < dy) ++first;
    if (first == count) break;  // no disc reaches this row or any further one
    const int32_t* edges = &hw[static_cast<size_t>(dy - dyLo)];
    const int64_t reach = edges[(count - 1) * rows];
    const int64_t from = std::max<int64_t>(0, cj - reach), to = std::min(width - 1, cj + reach);
    if (from > to) continue;
    BandHalfRow(edges, rows, bands, first, nearest, std::min(reach, farthest), half.data());
    uint8_t* first = nullptr;
    for (const int64_t y : {cy - dy, cy + dy}) {
      if (y < w.Top() || y > w.Bottom()) continue;
      uint8_t* row = v.PixelAddress(0, static_cast<int32_t>(y - w.OY));
      if (first)
        std::memcpy(row + from * bytes, first + from * bytes, static_cast<size_t>((to - from + 1) * bytes));
      else
        PutHalfRow(row, half.data(), nearest, cj, from, to, bytes);
      first = row;
      if (dy == 0) break;
    }
  }
}

// Smallest and largest distance |v - c| for v in [a, b].
int64_t NearOffset(int64_t c, int64_t a, int64_t b) { return c < a ? a - c : c > b ? c - b : 0; }
int64_t FarOffset(int64_t c, int64_t a, int64_t b) { return std::max(std::abs(a - c), std::abs(b - c)); }

}  // namespace

void CircleGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1, int32_t x2,
                  int32_t y2) {
  if (!Dib || C1 == C2) return;
  TDibWindow w(*Dib, x1, y1, x2, y2);
  if (w.Empty()) return;
  const int64_t wd = int64_t{x2} - x1, ht = int64_t{y2} - y1;
  int64_t n = std::max(wd + 1, ht + 1) / 2;
  n += n / 2;
  const int64_t cx = x1 + wd / 2, cy = y1 + ht / 2;
  const TColourSteps steps(C1, C2, n);
  // Discs that can reach the window: disc r covers only |dx|, |dy| <= r, and every pixel
  // nearer than r - 2 lies in disc r - 1 already.
  const int64_t dyLo = NearOffset(cy, w.Top(), w.Bottom()), dyHi = FarOffset(cy, w.Top(), w.Bottom());
  const int64_t dxLo = NearOffset(cx, w.Left(), w.Right()), dxHi = FarOffset(cx, w.Left(), w.Right());
  const double far = std::hypot(static_cast<double>(dxHi), static_cast<double>(dyHi));
  const int64_t rMin = std::max<int64_t>({1, dxLo, dyLo});
  const int64_t rMax = std::min<int64_t>(n, static_cast<int64_t>(far) + 2);
  if (rMax < rMin) return;
  const TDiscBands bands = DiscBands(steps, n, rMin, rMax);
  std::unique_ptr<int32_t[]> hw;
  BandEdges(bands.Ends, dyLo, dyHi, dxHi, hw);
  PaintBands(w, cx, cy, dyLo, dyHi, bands, hw.get());
}

namespace {

// The colour of polygon s (0, 1, ...): from lo up to hi and back; with lo = hi the byte runs
// once up around the wheel and then downwards for good (the direction turns to -1 each time
// the colour meets lo = hi).
uint32_t PolygonColour(int64_t s, int32_t lo, int32_t hi) {
  if (lo < hi) {
    const int64_t D = hi - lo, p = s % (2 * D);
    return static_cast<uint32_t>(lo + (p <= D ? p : 2 * D - p));
  }
  if (s <= 256) return static_cast<uint32_t>((lo + s) & 0xFF);
  return static_cast<uint32_t>((lo - (s - 256)) & 0xFF);
}

// Writes n pixels of one colour byte (a shade of red on 24 bits), as the image's Bar does.
template <int Bytes>
inline void PutRun(uint8_t* p, int64_t n, uint8_t c) {
  for (int64_t i = 0; i < n; ++i) {
    if (Bytes == 1) {
      p[i] = c;
    } else {
      p[3 * i] = 0;
      p[3 * i + 1] = 0;
      p[3 * i + 2] = c;
    }
  }
}

// The 3 x 3 square at (x, y)-(x + 2, y + 2), clipped to the image; `pitch` is the address step
// from a row to the next one down.
template <int Bytes>
inline void Square3(TDibBaseObj& v, ptrdiff_t pitch, int64_t x, int64_t y, uint8_t c) {
  if (x >= 0 && y >= 0 && x + 2 < v.FWidth && y + 2 < v.FHeight) {
    uint8_t* p = v.PixelAddress(static_cast<int32_t>(x), static_cast<int32_t>(y));
    for (int row = 0; row < 3; ++row, p += pitch) PutRun<Bytes>(p, 3, c);
    return;
  }
  const int64_t x1 = std::max<int64_t>(x, 0), x2 = std::min<int64_t>(x + 2, v.FWidth - 1);
  const int64_t y1 = std::max<int64_t>(y, 0), y2 = std::min<int64_t>(y + 2, v.FHeight - 1);
  for (int64_t yy = y1; yy <= y2; ++yy)
    PutRun<Bytes>(v.PixelAddress(static_cast<int32_t>(x1), static_cast<int32_t>(yy)), x2 - x1 + 1, c);
}

// Polygon(x, y, Num, Radius, StartAngle, 3, c) on the plain image, its squares written in place.
template <int Bytes>
void Polygon3(TDibBaseObj& v, int32_t x, int32_t y, int32_t Num, int32_t Radius,
              int32_t StartAngle, uint8_t c) {
  const TWalkWindow win{-2, int64_t{v.FWidth} - 1, -2, int64_t{v.FHeight} - 1};
  const ptrdiff_t pitch = v.FHeight > 1 ? v.PixelAddress(0, 1) - v.PixelAddress(0, 0) : 0;
  PolygonEdges(x, y, Num, Radius, StartAngle, [&](int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    WalkLine(x0, y0, x1, y1, win,
             [&](int64_t px, int64_t py) { Square3<Bytes>(v, pitch, px, py, c); });
  });
}

}  // namespace

int64_t PolygonGround(TDibBaseObj* Dib, uint8_t C1, uint8_t C2, int32_t Num, int32_t Density,
                      bool Outward, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (!Dib || x2 < x1 || y2 < y1) return 0;
  const int64_t den = std::max(Density, 1);
  const int64_t h = (int64_t{y2} - y1 + 1) * den;
  TDibWindow w(*Dib, x1, y1, x2, y2);
  if (w.Empty()) return h;
  TDibBaseObj& v = w.View();
  v.Bar(0, 0, v.FWidth - 1, v.FHeight - 1, 255);
  if (Num < 1 || Num > kMaxPolygonVertices) return h;
  const int64_t cx = x1 + (int64_t{x2} - x1) / 2, cy = y1 + (int64_t{y2} - y1) / 2;
  const int32_t lo = std::min(C1, C2), hi = std::max(C1, C2);
  // Radii that can reach the window: a polygon of radius R lies between R cos(pi / Num) and
  // R from the centre (all of 0 .. R for Num < 3), thickened by 3 pixels.
  const double far = std::hypot(static_cast<double>(FarOffset(cx, w.Left(), w.Right())),
                                static_cast<double>(FarOffset(cy, w.Top(), w.Bottom())));
  const double nearest = std::max(NearOffset(cx, w.Left(), w.Right()),
                                  NearOffset(cy, w.Top(), w.Bottom()));
  // A one-vertex polygon is the point at distance R; two vertices make a segment through the centre.
  const double inner = Num == 1 ? 1.0 : Num == 2 ? 0.0 : std::cos(3.14159265358979323846 / Num);
  const int64_t rLo = std::max<int64_t>(0, static_cast<int64_t>(nearest) - 5);
  const int64_t rHi = inner > 0 ? static_cast<int64_t>((far + 5) / inner) + 1 : INT64_MAX / 4;
  // l runs 0 .. h - 1 (Outward) or h .. 1; polygon s = |l - start| in drawing order.
  const int64_t first = Outward ? 0 : 1, last = Outward ? h - 1 : h;
  const int64_t rows = int64_t{y2} - y1 + 1;
  const int64_t lFrom = std::max(first, std::min(rLo, rows) * den);
  const int64_t lTo = std::min(last, std::min(rHi, rows) * den + den - 1);
  // The centre stays where it is, even outside the window.
  auto near32 = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2)); };
  const int32_t px = near32(cx - w.OX), py = near32(cy - w.OY);
  const bool bytes8 = v.FBits == 1;
  auto draw = [&](int64_t l) {
    const int64_t s = Outward ? l : h - l;
    const auto c = static_cast<uint8_t>(PolygonColour(s, lo, hi));
    const int32_t r = near32(l / den), angle = static_cast<int32_t>(l % 360);
    if (bytes8)
      Polygon3<1>(v, px, py, Num, r, angle, c);
    else
      Polygon3<3>(v, px, py, Num, r, angle, c);
  };
  // Polygons of one radius with equal start angles cover the same pixels, so of each radius
  // only the last 360 drawn can show. Outward draws radii upwards, inward downwards.
  if (lFrom > lTo) return h;
  const int64_t rFirst = lFrom / den, rLast = lTo / den;
  const int64_t every = (rLast - rFirst + 1) * std::min<int64_t>(den, 360);
  const TPolygonReach reach{v.FWidth, v.FHeight, px, py, Num};
  std::vector<int64_t> reaching;
  if (PolygonReachApplies(reach) &&
      ReachingPolygons(reach, den, Outward, lFrom, lTo, INT32_MAX / 2,
                       static_cast<size_t>(std::min<int64_t>(every, 1 << 24)), reaching)) {
    for (const int64_t l : reaching) draw(l);
    return h;
  }
  // Segments (Num 2) longer than twice the farthest distance cross the window from side to side
  // at every radius, so a rectangle reaching far beyond the image would draw billions of them:
  // of those only the last drawn of each start angle is drawn. Rectangles within the image have
  // no such radii (rows <= 2 far + 1).
  const int64_t rCap = Num == 2 ? static_cast<int64_t>(2 * far) + 64 : INT64_MAX;
  std::vector<int64_t> longest;
  if (rLast > rCap) {
    const int64_t from = std::max(lFrom, (rCap + 1) * den);
    for (int64_t angle = 0; angle < 360; ++angle) {
      const int64_t l = LastWithAngle(from, lTo, angle, Outward);
      if (l >= 0) longest.push_back(l);
    }
    std::sort(longest.begin(), longest.end());
    if (!Outward) std::reverse(longest.begin(), longest.end());
  }
  if (!Outward)
    for (const int64_t l : longest) draw(l);
  for (int64_t i = 0; i <= std::min(rLast, rCap) - rFirst; ++i) {
    const int64_t R = Outward ? rFirst + i : std::min(rLast, rCap) - i;
    const int64_t a = std::max(lFrom, R * den), b = std::min(lTo, R * den + den - 1);
    if (Outward)
      for (int64_t l = std::max(a, b - 359); l <= b; ++l) draw(l);
    else
      for (int64_t l = std::min(b, a + 359); l >= a; --l) draw(l);
  }
  if (Outward)
    for (const int64_t l : longest) draw(l);
  return h;
}

}  // namespace zkw
