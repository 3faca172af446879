// Shapes and rectangles: exact pixels of lines, outlines, circles, ellipses, polygons and
// petals, blended variants to the exact channel value, clipping of far-away coordinates.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/draw_walk.h"
#include "exports/zkwgdi32.h"

using zkw::TDib24Bits;
using zkw::TDib8Bits;
using zkw::TDibBaseObj;

namespace {

using Points = std::set<std::pair<int, int>>;

// An 8-bit image of index 0 everywhere.
std::unique_ptr<TDib8Bits> Blank8(int w, int h) {
  auto d = std::make_unique<TDib8Bits>();
  d->SetAttributes(w, h);
  d->Bar(0, 0, w - 1, h - 1, 0);
  return d;
}

// A 24-bit image of one grey level.
std::unique_ptr<TDib24Bits> Grey24(int w, int h, uint8_t level) {
  auto d = std::make_unique<TDib24Bits>();
  d->SetAttributes(w, h);
  d->Bar(0, 0, w - 1, h - 1, level * 0x010101u);
  return d;
}

// Pixels whose raw value is not `background`, relative to (ox, oy).
Points Painted(TDibBaseObj& d, uint32_t background, int ox = 0, int oy = 0) {
  Points p;
  for (int y = 0; y < d.FHeight; ++y)
    for (int x = 0; x < d.FWidth; ++x)
      if (d.GetPixel(x, y) != background) p.insert({x - ox, y - oy});
  return p;
}

// The line walk written out step by step, without any clipping.
Points ReferenceLine(int x0, int y0, int x1, int y1) {
  Points p;
  int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
  if (y0 == y1) {
    for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x) p.insert({x, y0});
  } else if (x0 == x1) {
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y) p.insert({x0, y});
  } else if (dx < dy) {
    int x, y, stop, step;
    if (y1 < y0) {
      x = x1, y = y1, stop = y0, step = x0 < x1 ? -1 : 1;
    } else {
      x = x0, y = y0, stop = y1, step = x0 < x1 ? 1 : -1;
    }
    int d = 2 * dx - dy;
    p.insert({x, y});
    while (y < stop) {
      if (d < 0) {
        d += 2 * dx;
      } else {
        x += step;
        d += 2 * dx - 2 * dy;
      }
      ++y;
      p.insert({x, y});
    }
  } else {
    int x, y, stop, step;
    if (x1 < x0) {
      x = x1, y = y1, stop = x0, step = y0 < y1 ? -1 : 1;
    } else {
      x = x0, y = y0, stop = x1, step = y0 < y1 ? 1 : -1;
    }
    int d = 2 * dy - dx;
    p.insert({x, y});
    while (x < stop) {
      if (d < 0) {
        d += 2 * dy;
      } else {
        d += 2 * dy - 2 * dx;
        y += step;
      }
      ++x;
      p.insert({x, y});
    }
  }
  return p;
}

Points Inside(const Points& p, int w, int h) {
  Points in;
  for (auto& q : p)
    if (q.first >= 0 && q.second >= 0 && q.first < w && q.second < h) in.insert(q);
  return in;
}

TEST(DrawBar, CornersClampingAndChannels) {
  auto d8 = Blank8(8, 8);
  d8->Bar(5, 5, 2, 2, 0x1207);  // corners swapped on 8-bit images; only the low byte is written
  Points block;
  for (int y = 2; y <= 5; ++y)
    for (int x = 2; x <= 5; ++x) block.insert({x, y});
  EXPECT_EQ(Painted(*d8, 0), block);
  EXPECT_EQ(d8->GetPixel(3, 3), 7u);

  auto d24 = Grey24(8, 8, 0);
  d24->Bar(5, 5, 2, 2, 0xFFFFFF);  // 24-bit: reversed corners draw nothing
  EXPECT_TRUE(Painted(*d24, 0).empty());
  d24->Bar(-3, -3, 1, 1, 0x0000FF);
  EXPECT_EQ(Painted(*d24, 0), (Points{{0, 0}, {1, 0}, {0, 1}, {1, 1}}));
  const uint8_t* p = d24->PixelAddress(1, 1);
  EXPECT_EQ(p[0], 0);
  EXPECT_EQ(p[1], 0);
  EXPECT_EQ(p[2], 0xFF);  // red stored last
  d24->Bar(6, 6, 100, 100, 0x123456);
  EXPECT_EQ(d24->GetPixelEx(7, 7), 0x123456u);
  d24->Bar(100, 100, 200, 200, 0xFFFFFF);  // wholly outside
  d24->Bar(INT32_MIN, INT32_MIN, INT32_MAX, -1, 0xFFFFFF);
  EXPECT_EQ(Painted(*d24, 0).size(), 4u + 4u);
}

TEST(DrawBar, ShadowAndMergeChannels) {
  auto d = Grey24(4, 4, 0);
  d->PutPixel(1, 1, 0x3264C8);  // red 200, green 100, blue 50
  d->BarShadow(0, 0, 3, 3, 50);
  EXPECT_EQ(d->GetPixelEx(1, 1), 0x193264u);  // 100, 50, 25
  d->BarShadow(1, 1, 1, 1, 300);              // lightening stays within a byte
  EXPECT_EQ(d->GetPixelEx(1, 1), 0x4B96FFu);  // 255, 150, 75

  auto m = Grey24(4, 4, 200);
  m->BarMerge(0, 0, 1, 1, 0x646464, 50);  // 200 * 50 / 100 + 50 * 100 / 100 = 150
  EXPECT_EQ(m->GetPixelEx(0, 0), 0x969696u);
  EXPECT_EQ(m->GetPixelEx(2, 2), 0xC8C8C8u);
  m->BarMerge(2, 2, 2, 2, 0x000033, 33);  // red: 200*67/100 + 33*51/100 = 134 + 16
  EXPECT_EQ(m->GetPixelEx(2, 2), 0x868696u);
  m->BarMerge(3, 3, 3, 3, 0x0A0A0A, 0);
  EXPECT_EQ(m->GetPixelEx(3, 3), 0xC8C8C8u);
  m->BarMerge(3, 3, 3, 3, 0x0A0A0A, 100);
  EXPECT_EQ(m->GetPixelEx(3, 3), 0x0A0A0Au);
  m->BarMerge(3, 3, 3, 3, 0x141414, 250);  // more than 100 % is the new colour
  EXPECT_EQ(m->GetPixelEx(3, 3), 0x141414u);

  auto d8 = Blank8(4, 4);
  for (int i = 0; i < 256; ++i) d8->DarkPal[i] = static_cast<uint8_t>(i + 10);
  d8->Bar(0, 0, 3, 3, 5);
  d8->BarShadow(3, 3, 2, 2, 0);
  EXPECT_EQ(d8->GetPixel(2, 2), 15u);
  EXPECT_EQ(d8->GetPixel(1, 1), 5u);
}

TEST(DrawLine, ExactPixelsBothDirections) {
  auto d = Blank8(8, 8);
  d->Line(0, 0, 3, 1, 1);
  EXPECT_EQ(Painted(*d, 0), (Points{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
  d = Blank8(8, 8);
  d->Line(3, 1, 0, 0, 1);
  EXPECT_EQ(Painted(*d, 0), (Points{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
  d = Blank8(8, 8);
  d->Line(0, 0, 1, 3, 1);
  EXPECT_EQ(Painted(*d, 0), (Points{{0, 0}, {0, 1}, {1, 2}, {1, 3}}));
  d = Blank8(8, 8);
  d->Line(6, 2, 2, 2, 1);
  EXPECT_EQ(Painted(*d, 0).size(), 5u);

  // LineEx with Thick 0 is the plain line; Thick 2 puts a 2 x 2 square on each point.
  auto a = Blank8(12, 12), b = Blank8(12, 12);
  a->Line(1, 2, 9, 7, 1);
  b->LineEx(1, 2, 9, 7, 0, 1);
  EXPECT_EQ(Painted(*a, 0), Painted(*b, 0));
  auto t = Blank8(6, 6);
  t->LineEx(1, 1, 1, 1, 2, 1);
  EXPECT_EQ(Painted(*t, 0), (Points{{1, 1}, {2, 1}, {1, 2}, {2, 2}}));
}

TEST(DrawLine, ClippedWalkMatchesTheFullWalk) {
  // Lines reaching far outside the image: only the part inside is walked, and it must be the
  // same pixels as the complete walk.
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> coord(-3000, 3000), near(-20, 60);
  for (int n = 0; n < 400; ++n) {
    int x0 = coord(rng), y0 = coord(rng), x1 = near(rng), y1 = near(rng);
    if (n % 2) std::swap(x0, x1), std::swap(y0, y1);
    auto d = Blank8(40, 30);
    d->Line(x0, y0, x1, y1, 1);
    ASSERT_EQ(Painted(*d, 0), Inside(ReferenceLine(x0, y0, x1, y1), 40, 30))
        << x0 << "," << y0 << " -> " << x1 << "," << y1;
  }
  // Endpoints a billion pixels away draw the diagonal at once.
  auto d = Blank8(16, 16);
  auto start = std::chrono::steady_clock::now();
  d->Line(-1000000000, -1000000000, 1000000000, 1000000000, 1);
  d->LineEx(INT32_MIN, 3, INT32_MAX, 3, 1, 2);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  for (int i = 0; i < 16; ++i) EXPECT_EQ(d->GetPixel(i, i), i == 3 ? 2u : 1u) << i;
  EXPECT_EQ(d->GetPixel(0, 3), 2u);
  EXPECT_EQ(d->GetPixel(15, 3), 2u);
}

TEST(DrawLine, WideProductsAreExact) {
  uint64_t q, r;
  zkw::MulDivMod(6000000007ull, 4000000009ull, 5000000011ull, q, r);
  unsigned __int128 p = static_cast<unsigned __int128>(6000000007ull) * 4000000009ull;
  EXPECT_EQ(q, static_cast<uint64_t>(p / 5000000011ull));
  EXPECT_EQ(r, static_cast<uint64_t>(p % 5000000011ull));
}

TEST(DrawCircle, RowWidthsByFormulaMatchTheWalk) {
  // Every row of every radius up to 1500, and radii up to a million on spread rows: the
  // half-widths computed per row equal what the eight-fold midpoint walk marks.
  auto walked = [](int64_t r) {
    std::vector<int64_t> w(static_cast<size_t>(r + 1), -1);
    zkw::MidpointWalk(r, [&](int64_t i, int64_t y) {
      w[static_cast<size_t>(y)] = std::max(w[static_cast<size_t>(y)], i);
      w[static_cast<size_t>(i)] = std::max(w[static_cast<size_t>(i)], y);
    });
    return w;
  };
  for (int64_t r = 1; r <= 1500; ++r) {
    const auto w = walked(r);
    const zkw::TMidpointRows rows(r);
    for (int64_t dy = 0; dy <= r; ++dy)
      ASSERT_EQ(rows.HalfWidth(dy), w[static_cast<size_t>(dy)]) << "r " << r << " row " << dy;
    ASSERT_EQ(rows.HalfWidth(r + 1), -1);
  }
  for (int64_t r : {4095, 65536, 99991, 1000000}) {
    const auto w = walked(r);
    const zkw::TMidpointRows rows(r);
    for (int64_t dy = 0; dy <= r; dy += 1 + dy / 50)
      ASSERT_EQ(rows.HalfWidth(dy), w[static_cast<size_t>(dy)]) << "r " << r << " row " << dy;
  }
  // Radii near 2^32 keep their products in 64 bits: the top row runs while i^2 < r (to
  // isqrt(r - 1) = 65535), and the row of the diagonal lies within a pixel of r / sqrt 2.
  const zkw::TMidpointRows huge(4294967295);
  EXPECT_EQ(huge.HalfWidth(4294967295), 65535);
  EXPECT_EQ(huge.HalfWidth(0), 4294967295);
  EXPECT_NEAR(static_cast<double>(huge.HalfWidth(3037000499)), 3037000499.0, 2.0);
}

TEST(DrawRectangle, OutlinesAndDoubleBlendedCorners) {
  auto d = Blank8(6, 6);
  d->Rectangle(0, 0, 3, 3, 2, 1);
  Points all;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) all.insert({x, y});
  EXPECT_EQ(Painted(*d, 0), all);
  d = Blank8(6, 6);
  d->Rectangle(3, 3, 0, 0, 257, 1);  // width 257 is one outline; corners in any order
  EXPECT_EQ(Painted(*d, 0).size(), 12u);

  auto m = Grey24(6, 6, 200);
  m->RectangleMerge(0, 0, 3, 3, 1, 0x646464, 50);
  EXPECT_EQ(m->GetPixelEx(1, 0), 0x969696u);  // blended once: 150
  EXPECT_EQ(m->GetPixelEx(0, 0), 0x7D7D7Du);  // corner blended twice: 125
  EXPECT_EQ(m->GetPixelEx(1, 1), 0xC8C8C8u);
  EXPECT_EQ(m->FMergeRate, 50);
  // The writers are bound back afterwards: a plain line writes the colour itself.
  m->Line(0, 5, 5, 5, 0x646464);
  EXPECT_EQ(m->GetPixelEx(2, 5), 0x646464u);
}

TEST(DrawCircle, CircleEllipseAndDiscPixels) {
  auto d = Blank8(21, 21);
  d->Circle(10, 10, 0, 1, 1);
  EXPECT_EQ(Painted(*d, 0), (Points{{10, 10}}));

  d = Blank8(21, 21);
  d->Circle(10, 10, 3, 1, 1);
  const Points circle3 = {{0, 3},  {0, -3},  {3, 0},  {-3, 0}, {1, 3},  {1, -3},
                          {-1, 3}, {-1, -3}, {3, 1},  {3, -1}, {-3, 1}, {-3, -1},
                          {2, 2},  {2, -2},  {-2, 2}, {-2, -2}};
  EXPECT_EQ(Painted(*d, 0, 10, 10), circle3);
  auto e = Blank8(21, 21);
  e->Ellipse(10, 10, 3, 3, 1, 1);
  EXPECT_EQ(Painted(*e, 0, 10, 10), circle3);
  e = Blank8(21, 21);
  e->Ellipse(10, 10, 0, 5, 1, 1);
  e->FillEllipse(10, 10, 5, 0, 1);
  EXPECT_TRUE(Painted(*e, 0).empty());

  // rx 4, ry 2: q = 0.5, with 0.5 and 1.5 rounded to the even neighbour.
  e = Blank8(21, 21);
  e->Ellipse(10, 10, 4, 2, 1, 1);
  EXPECT_EQ(Painted(*e, 0, 10, 10),
            (Points{{4, 0},  {-4, 0}, {0, 2},  {0, -2}, {1, 2},  {1, -2}, {-1, 2},
                    {-1, -2}, {3, 1},  {3, -1}, {-3, 1}, {-3, -1}, {2, 2},  {2, -2},
                    {-2, 2}, {-2, -2}, {3, 2},  {3, -2}, {-3, 2}, {-3, -2}}));

  // Disc of radius 3: rows 0 and +-1 span -3..3, rows +-2 span -2..2, rows +-3 span -1..1.
  auto s = Blank8(21, 21);
  s->Slice(10, 10, 3, 1);
  Points disc;
  const int half[] = {3, 3, 2, 1};
  for (int v = -3; v <= 3; ++v)
    for (int h = -half[std::abs(v)]; h <= half[std::abs(v)]; ++h) disc.insert({h, v});
  EXPECT_EQ(Painted(*s, 0, 10, 10), disc);

  // The same filled ellipse on both depths.
  auto f8 = Blank8(30, 20);
  auto f24 = Grey24(30, 20, 0);
  f8->FillEllipse(14, 9, 11, 6, 1);
  f24->FillEllipse(14, 9, 11, 6, 0xFFFFFF);
  EXPECT_EQ(Painted(*f8, 0), Painted(*f24, 0));
  EXPECT_EQ(f8->GetPixel(14, 9), 1u);
  EXPECT_EQ(f8->GetPixel(14 + 11, 9), 1u);
  EXPECT_EQ(f8->GetPixel(14, 9 - 6), 1u);
  EXPECT_EQ(f8->GetPixel(14 + 11, 9 - 6), 0u);

  // Thick circle: each point is a LineWidth square to its right and below.
  auto t = Blank8(10, 10);
  t->Circle(4, 4, 0, 3, 1);
  EXPECT_EQ(Painted(*t, 0).size(), 9u);
  EXPECT_EQ(t->GetPixel(6, 6), 1u);
}

TEST(DrawCircle, BlendedDiscBlendsRepeatedRows) {
  auto m = Grey24(21, 21, 200);
  m->SliceMerge(10, 10, 3, 0x646464, 50);
  EXPECT_EQ(m->GetPixelEx(10, 10), 0x7D7D7Du);  // row 0 is drawn twice at the first step
  EXPECT_EQ(m->GetPixelEx(10, 13), 0x7D7D7Du);  // the top row's centre twice
  EXPECT_EQ(m->GetPixelEx(11, 13), 0x969696u);
  EXPECT_EQ(m->GetPixelEx(13, 11), 0x969696u);
  EXPECT_EQ(m->GetPixelEx(14, 10), 0xC8C8C8u);

  auto c = Grey24(21, 21, 200);
  c->CircleMerge(10, 10, 0, 1, 0x646464, 50);  // the one point, blended eight times
  uint32_t v = 200;
  for (int i = 0; i < 8; ++i) v = v * 50 / 100 + 50;
  EXPECT_EQ(c->GetPixelEx(10, 10), v * 0x010101u);
}

TEST(DrawPolygon, VerticesEdgesAndBlending) {
  auto d = Blank8(41, 41);
  d->Polygon(20, 20, 4, 10, 0, 1, 1);
  Points expected;
  const int vx[] = {30, 20, 10, 20}, vy[] = {20, 30, 20, 10};
  for (int k = 0; k < 4; ++k) {
    Points edge = ReferenceLine(vx[k], vy[k], vx[(k + 1) % 4], vy[(k + 1) % 4]);
    expected.insert(edge.begin(), edge.end());
  }
  EXPECT_EQ(Painted(*d, 0), expected);

  d = Blank8(41, 41);
  d->Polygon(20, 20, 1, 5, 90, 3, 1);  // one vertex at (20, 25): one 3 x 3 square
  EXPECT_EQ(Painted(*d, 0),
            (Points{{20, 25}, {21, 25}, {22, 25}, {20, 26}, {21, 26}, {22, 26}, {20, 27},
                    {21, 27}, {22, 27}}));
  d = Blank8(41, 41);
  d->Polygon(20, 20, 0, 5, 0, 1, 1);
  EXPECT_TRUE(Painted(*d, 0).empty());

  auto m = Grey24(41, 41, 200);
  m->PolygonMerge(20, 20, 5, 15, 18, 0x646464, 50);
  int blended = 0;
  for (int y = 0; y < 41; ++y)
    for (int x = 0; x < 41; ++x) {
      uint32_t c = m->GetPixelEx(x, y) & 0xFF;
      EXPECT_TRUE(c == 200 || c == 150 || c == 125) << x << "," << y << " " << c;
      blended += c != 200;
    }
  EXPECT_GT(blended, 60);
}

TEST(DrawPetal, RoseCurvePassesThroughItsTips) {
  auto d = Blank8(41, 41);
  d->Petal(20, 20, 10, 2, 0, 1);
  // Four petals of length 10 along the axes, all meeting at the centre.
  for (auto [x, y] : {std::pair{30, 20}, {20, 10}, {10, 20}, {20, 30}, {20, 20}})
    EXPECT_EQ(d->GetPixel(x, y), 1u) << x << "," << y;
  EXPECT_EQ(d->GetPixel(27, 27), 0u);  // between the petals
  Points painted = Painted(*d, 0);
  for (auto& p : painted) {
    int dx = p.first - 20, dy = p.second - 20;
    EXPECT_LE(dx * dx + dy * dy, 121) << dx << "," << dy;
  }
  // Blended petals blend; on an 8-bit image they draw nothing.
  auto m = Grey24(41, 41, 200);
  m->PetalMerge(20, 20, 10, 3, 30, 0x646464, 50);
  Points blended = Painted(*m, 0xC8C8C8);
  EXPECT_GT(blended.size(), 20u);
  // Each segment shares its end points with the next, so every point is blended at least twice.
  for (auto& p : blended) {
    uint32_t c = m->GetPixelEx(p.first, p.second) & 0xFF;
    EXPECT_TRUE(c >= 100 && c <= 125) << c;
  }
}

TEST(DrawMergeShapes, EightBitImagesAreUnchanged) {
  auto d = Blank8(20, 20);
  for (int i = 0; i < 20; ++i) d->Line(0, i, 19, i, static_cast<uint32_t>(i));
  std::vector<uint8_t> before(d->DibData, d->DibData + d->DibSize);
  d->BarMerge(0, 0, 19, 19, 5, 50);
  d->LineMerge(0, 0, 19, 19, 5, 50);
  d->RectangleMerge(1, 1, 18, 18, 2, 5, 50);
  d->CircleMerge(10, 10, 5, 2, 5, 50);
  d->SliceMerge(10, 10, 5, 5, 50);
  d->EllipseMerge(10, 10, 6, 3, 1, 5, 50);
  d->FillEllipseMerge(10, 10, 6, 3, 5, 50);
  d->PolygonMerge(10, 10, 5, 6, 0, 5, 50);
  d->PetalMerge(10, 10, 6, 3, 0, 5, 50);
  d->PutMergePixel(3, 3, 5, 50);
  EXPECT_EQ(std::vector<uint8_t>(d->DibData, d->DibData + d->DibSize), before);
}

TEST(DrawExports, ForwardToTheShapes) {
  ZHANDLE h = CreateDibObject(24);
  dibSetAttributes(h, 16, 16);
  dibBar(h, 0, 0, 15, 15, 0x000000);
  dibLine(h, 0, 0, 3, 1, 0x0000FF);
  EXPECT_EQ(dibGetPixelEx(h, 2, 1), 0x0000FFu);
  dibLineMerge(h, 0, 5, 5, 5, 0x0000C8, 50);
  EXPECT_EQ(dibGetPixelEx(h, 2, 5), 0x000064u);
  dibFillEllipse(h, 8, 8, 3, 2, 0x00FF00);
  EXPECT_EQ(dibGetPixelEx(h, 8, 8), 0x00FF00u);
  dibBarShadow(h, 8, 8, 8, 8, 50);
  EXPECT_EQ(dibGetPixelEx(h, 8, 8), 0x007F00u);
  dibFloodFill(h, 15, 15, 0x102030);
  EXPECT_EQ(dibGetPixelEx(h, 15, 0), 0x102030u);
  EXPECT_EQ(dibGetPixelEx(h, 8, 8), 0x007F00u);
  dibPolygon(h, 8, 8, 3, 4, 0, 1, 0xFFFFFF);
  EXPECT_EQ(dibGetPixelEx(h, 12, 8), 0xFFFFFFu);
  FreeDibObject(h);
}

}  // namespace
