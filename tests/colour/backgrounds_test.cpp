// Background generators: exact pixels of the stepped ramps, equality with the generators'
// line-by-line and disc-by-disc definitions on whole images, and confinement to the rectangle.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <memory>

#include "colour/backgrounds.h"
#include "dib/dib24.h"
#include "dib/dib8.h"
#include "exports/zkwgdi32.h"

namespace {

using namespace zkw;

std::unique_ptr<TDib8Bits> Image(int w, int h, uint8_t fill = 7) {
  auto d = std::make_unique<TDib8Bits>();
  d->SetAttributes(w, h);
  d->Bar(0, 0, w - 1, h - 1, fill);
  return d;
}

std::vector<int> ColumnOf(TDibBaseObj& d, int x) {
  std::vector<int> c;
  for (int y = 0; y < d.Height(); ++y) c.push_back(static_cast<int>(d.GetPixel(x, y)));
  return c;
}

// Pixel-for-pixel equality, with the first difference in the message.
void ExpectSame(TDibBaseObj& a, TDibBaseObj& b, const char* what) {
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y)) {
        ADD_FAILURE() << what << ": pixel (" << x << ", " << y << ") is " << a.GetPixel(x, y)
                      << ", expected " << b.GetPixel(x, y);
        return;
      }
}

// The colour after k lines: one step towards C2 after line 0, g, 2g, ...
uint32_t Stepped(int c1, int c2, int64_t g, int64_t k) {
  int d = c2 > c1 ? 1 : -1;
  int steps = static_cast<int>(std::min<int64_t>((k + g - 1) / g, std::abs(c2 - c1)));
  return static_cast<uint32_t>(c1 + d * steps);
}

TEST(Backgrounds, HorizonStepsAndEqualColoursDrawNothing) {
  auto d = Image(3, 100);
  zkw::HorizonGround(d.get(), 10, 20, 0, 0, 2, 99);
  std::vector<int> c = ColumnOf(*d, 2);
  EXPECT_EQ(c[0], 10);
  EXPECT_EQ(c[1], 11);
  EXPECT_EQ(c[11], 11);
  EXPECT_EQ(c[12], 12);
  EXPECT_EQ(c[99], 19);  // g = 11: ceil(99 / 11) = 9 steps
  using Gen = std::function<void(TDibBaseObj*)>;
  const Gen same[] = {
      [](TDibBaseObj* t) { zkw::RectangleGround(t, 5, 5, 0, 0, 9, 9); },
      [](TDibBaseObj* t) { zkw::HorzCenterGround(t, 5, 5, 0, 0, 9, 9); },
      [](TDibBaseObj* t) { zkw::HorizonGround(t, 5, 5, 0, 0, 9, 9); },
      [](TDibBaseObj* t) { zkw::VerticalGround(t, 5, 5, 0, 0, 9, 9); },
      [](TDibBaseObj* t) { zkw::VertCenterGround(t, 5, 5, 0, 0, 9, 9); },
      [](TDibBaseObj* t) { zkw::CircleGround(t, 5, 5, 0, 0, 9, 9); },
      [](TDibBaseObj* t) { zkw::HorzSineGround(t, 5, 5, 3, 2, 0, 0, 9, 9); },
      [](TDibBaseObj* t) { zkw::VertSineGround(t, 5, 5, 3, 2, 0, 0, 9, 9); },
      [](TDibBaseObj* t) { zkw::BandsGround(t, 5, 5, true, 0, 0, 9, 9); }};
  for (const Gen& g : same) {
    auto e = Image(10, 10), keep = Image(10, 10);
    g(e.get());
    ExpectSame(*e, *keep, "C1 = C2");
  }
}

TEST(Backgrounds, WholeImagesMatchTheLineAndDiscDefinitions) {
  for (auto [w, h] : {std::pair{9, 7}, std::pair{10, 10}, std::pair{17, 6}}) {
    SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
    const int x2 = w - 1, y2 = h - 1;
    // Outlines from the edge.
    auto got = Image(w, h), want = Image(w, h);
    zkw::RectangleGround(got.get(), 40, 30, 0, 0, x2, y2);
    int half = std::min(w, h) / 2;
    for (int k = 0; k <= half; ++k)
      want->Rectangle(k, k, x2 - k, y2 - k, 1, Stepped(40, 30, half / 10 + 1, k));
    ExpectSame(*got, *want, "RectangleGround");
    // Centre rows (the row above the image for even heights is simply not there).
    got = Image(w, h), want = Image(w, h);
    zkw::HorzCenterGround(got.get(), 1, 4, 0, 0, x2, y2);
    int n = (y2 + 1) / 2, yc = y2 / 2;
    for (int k = 0; k <= n; ++k) {
      want->Line(0, yc + k, x2, yc + k, Stepped(1, 4, n / 3 + 1, k));
      want->Line(0, yc - k, x2, yc - k, Stepped(1, 4, n / 3 + 1, k));
    }
    ExpectSame(*got, *want, "HorzCenterGround");
    // Discs from the outside in, each one step nearer C2 after every g-th radius.
    got = Image(w, h), want = Image(w, h);
    zkw::CircleGround(got.get(), 200, 190, 0, 0, x2, y2);
    int r0 = std::max(w, h) / 2;
    r0 += r0 / 2;
    int g = r0 / 10 + 1, c = 200;
    for (int r = r0; r >= 1; --r) {
      want->Slice(x2 / 2, y2 / 2, r, static_cast<uint32_t>(c));
      if (r % g == 0 && c != 190) --c;
    }
    ExpectSame(*got, *want, "CircleGround");
    // The same discs on a 24-bit image (the numbers as shades of red).
    TDib24Bits got24, want24;
    got24.SetAttributes(w, h);
    want24.SetAttributes(w, h);
    zkw::CircleGround(&got24, 200, 190, 0, 0, x2, y2);
    for (int r = r0, c24 = 200; r >= 1; --r) {
      want24.Slice(x2 / 2, y2 / 2, r, static_cast<uint32_t>(c24));
      if (r % g == 0 && c24 != 190) --c24;
    }
    ExpectSame(got24, want24, "CircleGround, 24 bits");
    // Nested polygons, both directions.
    for (bool outward : {true, false}) {
      got = Image(w, h), want = Image(w, h);
      EXPECT_EQ(zkw::PolygonGround(got.get(), 3, 6, 5, 2, outward, 0, 0, x2, y2), 2 * h);
      want->Bar(0, 0, x2, y2, 255);
      int64_t hh = 2 * h, l = outward ? 0 : hh;
      int colour = 3, dir = 1;
      for (;;) {
        want->Polygon(x2 / 2, y2 / 2, 5, static_cast<int32_t>(l / 2), static_cast<int32_t>(l % 360), 3,
                      static_cast<uint32_t>(colour));
        l += outward ? 1 : -1;
        colour = (colour + dir) & 0xFF;
        if (l == hh || l == 0) break;
        if (colour == 3) dir = 1;
        if (colour == 6) dir = -1;
      }
      ExpectSame(*got, *want, outward ? "PolygonGround outward" : "PolygonGround inward");
    }
  }
}

// CircleGround as its definition draws it: discs from radius n down to 1 on an image of the
// same size and depth filled with `fill`.
// `got` holds `inside`'s pixels within (x1, y1)-(x2, y2) and `outside`'s everywhere else.
void ExpectInsideAndOutside(TDibBaseObj& got, TDibBaseObj& inside, TDibBaseObj& outside, int x1,
                            int y1, int x2, int y2) {
  for (int y = 0; y < got.Height(); ++y)
    for (int x = 0; x < got.Width(); ++x) {
      const bool in = x >= x1 && x <= x2 && y >= y1 && y <= y2;
      ASSERT_EQ(got.GetPixel(x, y), (in ? inside : outside).GetPixel(x, y)) << "(" << x << ", " << y << ")";
    }
}

std::unique_ptr<TDibBaseObj> CircleByDiscs(const TDibBaseObj& img, uint32_t fill, uint8_t c1,
                                           uint8_t c2, int x1, int y1, int x2, int y2) {
  const int64_t wd = int64_t{x2} - x1, ht = int64_t{y2} - y1;
  int64_t n = std::max(wd + 1, ht + 1) / 2;
  n += n / 2;
  const int64_t d = std::abs(int{c2} - int{c1}), g = d ? n / d + 1 : 1;
  std::unique_ptr<TDibBaseObj> discs;
  if (img.FBits == 1)
    discs = std::make_unique<TDib8Bits>();
  else
    discs = std::make_unique<TDib24Bits>();
  discs->SetAttributes(img.Width(), img.Height());
  discs->Bar(0, 0, img.Width() - 1, img.Height() - 1, fill);
  int c = c1;
  for (int64_t r = n; r >= 1; --r) {
    discs->Slice(static_cast<int32_t>(x1 + wd / 2), static_cast<int32_t>(y1 + ht / 2),
                 static_cast<int32_t>(r), static_cast<uint32_t>(c));
    if (r % g == 0 && c != c2) c += c2 > c1 ? 1 : -1;
  }
  return discs;
}

TEST(Backgrounds, CircleBandsMatchTheDiscsOnLargeAndClippedRectangles) {
  // Sizes where bands span many 16-byte blocks, colour steps of one radius (D >= n), of many
  // radii and a wide innermost band held at C2, both directions, rectangles reaching past the
  // image on each side, centres outside it, and rectangles too small to cover their corners.
  struct Case {
    int w, h, x1, y1, x2, y2;
    uint8_t c1, c2;
  };
  const Case cases[] = {
      {64, 48, 0, 0, 63, 47, 0, 200},       {200, 150, 0, 0, 199, 149, 10, 14},
      {131, 77, 0, 0, 130, 76, 255, 0},     {100, 70, -50, -30, 120, 90, 3, 40},
      {100, 70, 40, 20, 300, 250, 90, 30},  {100, 70, -200, -100, 60, 50, 20, 21},
      {100, 70, 5, 3, 94, 66, 100, 107},    {2, 2, 0, 0, 1, 1, 5, 9},
      {1, 1, 0, 0, 0, 0, 5, 9},             {37, 90, 2, -7, 33, 96, 60, 0}};
  for (const Case& k : cases)
    for (int bits : {8, 24}) {
      SCOPED_TRACE(std::to_string(k.w) + " x " + std::to_string(k.h) + " rect " +
                   std::to_string(k.x1) + ", " + std::to_string(k.y1) + " - " +
                   std::to_string(k.x2) + ", " + std::to_string(k.y2) + ", " +
                   std::to_string(bits) + " bits");
      std::unique_ptr<TDibBaseObj> got, want;
      const uint32_t fill = bits == 8 ? 7 : 0x123456;
      if (bits == 8) {
        got = Image(k.w, k.h), want = Image(k.w, k.h);
      } else {
        got = std::make_unique<TDib24Bits>(), want = std::make_unique<TDib24Bits>();
        got->SetAttributes(k.w, k.h);
        want->SetAttributes(k.w, k.h);
        got->Bar(0, 0, k.w - 1, k.h - 1, fill);
        want->Bar(0, 0, k.w - 1, k.h - 1, fill);
      }
      zkw::CircleGround(got.get(), k.c1, k.c2, k.x1, k.y1, k.x2, k.y2);
      const auto discs = CircleByDiscs(*want, fill, k.c1, k.c2, k.x1, k.y1, k.x2, k.y2);
      // Inside the rectangle the discs' pixels, outside it the image as it was.
      ExpectInsideAndOutside(*got, *discs, *want, k.x1, k.y1, k.x2, k.y2);
    }
}

TEST(Backgrounds, PolygonsMatchTheirDefinitionOnBothDepthsAndClippedRectangles) {
  // The definition: Bar in 255 over the rectangle, then polygons l = 0 .. h - 1 (or h .. 1) of
  // radius l div Density and start angle l mod 360, the colour running lo .. hi and back.
  struct Case {
    int w, h, x1, y1, x2, y2, num, density;
    uint8_t c1, c2;
  };
  const Case cases[] = {{40, 30, 0, 0, 39, 29, 6, 1, 0, 200},   {33, 21, 0, 0, 32, 20, 3, 3, 9, 4},
                        {30, 30, -9, -5, 35, 40, 7, 1, 5, 5},   {30, 30, 12, 8, 70, 50, 2, 2, 1, 3},
                        {25, 31, -40, -30, 20, 24, 1, 1, 7, 9}, {26, 18, 3, 2, 22, 15, 4, 2, 250, 3},
                        // Centres far beside the image, where only polygons whose start angle
                        // turns an edge onto the image are drawn.
                        {30, 20, 0, -150, 420, 170, 6, 1, 0, 255}, {24, 24, -300, 3, 20, 40, 3, 2, 5, 60},
                        {20, 30, 5, -400, 25, 5, 7, 1, 40, 9},     {16, 16, -200, -200, 10, 10, 5, 400, 3, 90}};
  for (const Case& k : cases)
    for (int bits : {8, 24})
      for (bool outward : {true, false}) {
        SCOPED_TRACE("num " + std::to_string(k.num) + " density " + std::to_string(k.density) +
                     " rect " + std::to_string(k.x1) + ", " + std::to_string(k.y1) + " - " +
                     std::to_string(k.x2) + ", " + std::to_string(k.y2) + ", " +
                     std::to_string(bits) + " bits" + (outward ? ", outward" : ", inward"));
        auto make = [&]() -> std::unique_ptr<TDibBaseObj> {
          if (bits == 8) return Image(k.w, k.h);
          auto d = std::make_unique<TDib24Bits>();
          d->SetAttributes(k.w, k.h);
          d->Bar(0, 0, k.w - 1, k.h - 1, 0x123456);
          return d;
        };
        auto got = make(), keep = make(), want = make();
        const int64_t h = int64_t{k.y2 - k.y1 + 1} * k.density;
        EXPECT_EQ(zkw::PolygonGround(got.get(), k.c1, k.c2, k.num, k.density, outward, k.x1, k.y1,
                                     k.x2, k.y2),
                  h);
        want->Bar(k.x1, k.y1, k.x2, k.y2, 255);
        const int lo = std::min(k.c1, k.c2), hi = std::max(k.c1, k.c2);
        int colour = lo, dir = 1;
        for (int64_t l = outward ? 0 : h;;) {
          want->Polygon(k.x1 + (k.x2 - k.x1) / 2, k.y1 + (k.y2 - k.y1) / 2, k.num,
                        static_cast<int32_t>(l / k.density), static_cast<int32_t>(l % 360), 3,
                        static_cast<uint32_t>(colour));
          l += outward ? 1 : -1;
          colour = (colour + dir) & 0xFF;
          if (l == h || l == 0) break;
          if (colour == lo) dir = 1;
          if (colour == hi) dir = -1;
        }
        ExpectInsideAndOutside(*got, *want, *keep, k.x1, k.y1, k.x2, k.y2);
      }
}

TEST(Backgrounds, RectanglesFarBeyondTheImageTakeNoLongerThanTheImage) {
  // Centres a billion pixels away: discs and polygons of that radius are not walked point by
  // point. (0, 0)-(2e9, 47): n = 1.5e9, g = 5882353, the pixels' discs (radius 1e9 - x) all lie
  // in band 169 of n div g = 254: colour 85. The whole 32-bit plane: n = 3221225472,
  // g = 16865055, the image in band 0: 9 + 190. Polygons a billion pixels away cannot reach
  // the image with the radii a 32-bit call gives them: the fill alone.
  const auto start = std::chrono::steady_clock::now();
  auto far = Image(64, 48), plane = Image(64, 48), poly = Image(64, 48);
  zkw::CircleGround(far.get(), 0, 255, 0, 0, 2000000000, 47);
  zkw::CircleGround(plane.get(), 9, 200, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
  EXPECT_EQ(zkw::PolygonGround(poly.get(), 0, 255, 6, 3, false, 10, 10, INT32_MAX, INT32_MAX),
            (int64_t{INT32_MAX} - 9) * 3);
  // Every generator on rectangles reaching the ends of the 32-bit plane.
  const int32_t rects[][4] = {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
                              {-2000000000, 5, 10, 2000000000},
                              {20, -2000000000, 2000000000, 30}};
  auto any = Image(64, 48);
  for (const auto& r : rects) {
    zkw::RectangleGround(any.get(), 1, 200, r[0], r[1], r[2], r[3]);
    zkw::HorzCenterGround(any.get(), 1, 200, r[0], r[1], r[2], r[3]);
    zkw::HorizonGround(any.get(), 1, 200, r[0], r[1], r[2], r[3]);
    zkw::VerticalGround(any.get(), 1, 200, r[0], r[1], r[2], r[3]);
    zkw::VertCenterGround(any.get(), 1, 200, r[0], r[1], r[2], r[3]);
    zkw::CircleGround(any.get(), 1, 200, r[0], r[1], r[2], r[3]);
    zkw::HorzSineGround(any.get(), 1, 200, 7, 1000000, r[0], r[1], r[2], r[3]);
    zkw::VertSineGround(any.get(), 1, 200, 0, 30, r[0], r[1], r[2], r[3]);
    zkw::BorderGround(any.get(), 1, 200, 1, 1000, 3, r[0], r[1], r[2], r[3]);
    zkw::BandsGround(any.get(), 1, 200, true, r[0], r[1], r[2], r[3]);
    for (const int num : {2, 6})
      zkw::PolygonGround(any.get(), 1, 200, num, 1000, true, r[0], r[1], r[2], r[3]);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) {
      ASSERT_EQ(far->GetPixel(x, y), 85u) << x << ", " << y;
      ASSERT_EQ(plane->GetPixel(x, y), 199u) << x << ", " << y;
      ASSERT_EQ(poly->GetPixel(x, y), x >= 10 && y >= 10 ? 255u : 7u) << x << ", " << y;
    }
}

TEST(Backgrounds, GeneratorsChangeOnlyTheirRectangle) {
  // Each generator on (3, 2)-(10, 8) of a 16 x 12 image: nothing outside changes, and the
  // inside equals the same generator's whole-image result where the definition places lines by
  // absolute coordinates.
  using Gen = std::function<void(TDibBaseObj*, int, int, int, int)>;
  const std::pair<const char*, Gen> gens[] = {
      {"Rectangle", [](TDibBaseObj* t, int a, int b, int c, int d) { zkw::RectangleGround(t, 1, 9, a, b, c, d); }},
      {"HorzCenter", [](TDibBaseObj* t, int a, int b, int c, int d) { zkw::HorzCenterGround(t, 1, 9, a, b, c, d); }},
      {"VertCenter", [](TDibBaseObj* t, int a, int b, int c, int d) { zkw::VertCenterGround(t, 1, 9, a, b, c, d); }},
      {"Circle", [](TDibBaseObj* t, int a, int b, int c, int d) { zkw::CircleGround(t, 1, 9, a, b, c, d); }},
      {"HorzSine", [](TDibBaseObj* t, int a, int b, int c, int d) { zkw::HorzSineGround(t, 1, 9, 2, 3, a, b, c, d); }},
      {"VertSine", [](TDibBaseObj* t, int a, int b, int c, int d) { zkw::VertSineGround(t, 1, 9, 2, 3, a, b, c, d); }},
      {"Border", [](TDibBaseObj* t, int a, int b, int c, int d) { zkw::BorderGround(t, 1, 9, 3, 2, 2, a, b, c, d); }},
      {"Bands", [](TDibBaseObj* t, int a, int b, int c, int d) { zkw::BandsGround(t, 1, 4, false, a, b, c, d); }},
      {"Polygon", [](TDibBaseObj* t, int a, int b, int c, int d) { zkw::PolygonGround(t, 1, 9, 6, 1, true, a, b, c, d); }}};
  for (const auto& [name, gen] : gens) {
    SCOPED_TRACE(name);
    auto placed = Image(16, 12), alone = Image(8, 7);
    gen(placed.get(), 3, 2, 10, 8);
    gen(alone.get(), 0, 0, 7, 6);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 16; ++x) {
        bool inside = x >= 3 && x <= 10 && y >= 2 && y <= 8;
        uint32_t want = inside ? alone->GetPixel(x - 3, y - 2) : 7;
        ASSERT_EQ(placed->GetPixel(x, y), want) << "(" << x << ", " << y << ")";
      }
  }
}

TEST(Backgrounds, GridsBandsSinesAndPolygonEdges) {
  // Step 3, Offset 1, Thick 1 on 0..8: shadow lines at 4 and 7 (and 10, outside), grid lines
  // at 3 and 6 (and 9, outside).
  auto b = Image(9, 9);
  zkw::BorderGround(b.get(), 50, 60, 3, 1, 1, 0, 0, 8, 8);
  EXPECT_EQ(ColumnOf(*b, 0), (std::vector<int>{7, 7, 7, 50, 60, 7, 50, 60, 7}));
  EXPECT_EQ(ColumnOf(*b, 3), std::vector<int>(9, 50));
  EXPECT_EQ(ColumnOf(*b, 4), (std::vector<int>{60, 60, 60, 50, 60, 60, 50, 60, 60}));
  // Step 0 is a line at every row and column.
  auto all = Image(4, 4);
  zkw::BorderGround(all.get(), 50, 60, 0, 0, 1, 0, 0, 3, 3);
  EXPECT_EQ(ColumnOf(*all, 2), std::vector<int>(4, 50));
  // Bands run C1 .. C2 and back.
  auto bands = Image(1, 9);
  zkw::BandsGround(bands.get(), 5, 8, false, 0, 0, 0, 8);
  EXPECT_EQ(ColumnOf(*bands, 0), (std::vector<int>{5, 6, 7, 8, 7, 6, 5, 6, 7}));
  // Sine: C1 band rows 0..Amp, C2 band rows y2 - Amp..y2, then each column's rows shifted by
  // Round(sin(i / Period) x Amp). With Amp 0 the rows are plain steps.
  auto sine = Image(3, 5);
  zkw::HorzSineGround(sine.get(), 10, 12, 1, 0, 0, 0, 2, 4);
  EXPECT_EQ(ColumnOf(*sine, 1), (std::vector<int>{10, 11, 11, 11, 12}));
  auto wave = Image(3, 8);
  zkw::HorzSineGround(wave.get(), 10, 30, 1, 2, 0, 0, 2, 7);  // column 1: shift Round(1.68) = 2
  EXPECT_EQ(ColumnOf(*wave, 1), (std::vector<int>{10, 10, 10, 11, 12, 13, 14, 15}));
  // PolygonGround: Density 0 counts as 1, an empty rectangle draws nothing and gives 0, and
  // h is computed in 64 bits (the result saturates).
  auto p = Image(6, 6);
  EXPECT_EQ(zkw::PolygonGround(p.get(), 1, 2, 4, 0, true, 0, 0, 5, 5), 6);
  auto e = Image(4, 4), keep = Image(4, 4);
  EXPECT_EQ(zkw::PolygonGround(e.get(), 1, 2, 4, 1, true, 3, 0, 2, 3), 0);
  ExpectSame(*e, *keep, "empty rectangle");
  EXPECT_EQ(zkw::PolygonGround(e.get(), 1, 2, 4, 2000000000, true, 0, 0, 3, 3), 8000000000);
  EXPECT_EQ(::PolygonGround(e.get(), 1, 2, 4, 2000000000, 1, 0, 0, 3, 3), INT32_MAX);
  // Huge rectangles only cost what reaches the image.
  auto big = Image(8, 8);
  zkw::CircleGround(big.get(), 1, 200, -2000000000, -2000000000, 2000000000, 2000000000);
  zkw::RectangleGround(big.get(), 1, 200, -2000000000, -2000000000, 2000000000, 2000000000);
  zkw::HorzSineGround(big.get(), 1, 200, 5, 3, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
  zkw::BorderGround(big.get(), 1, 2, 7, 3, 1000000000, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
}

}  // namespace
