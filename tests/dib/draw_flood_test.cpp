// Flood fill: region bounds, unchanged images, and the same result whatever the span stack cap.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <random>
#include <vector>

#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/draw_flood.h"

using zkw::TDib24Bits;
using zkw::TDib8Bits;
using zkw::TDibBaseObj;

namespace {

std::vector<uint8_t> Pixels(const TDibBaseObj& d) {
  return std::vector<uint8_t>(d.DibData, d.DibData + d.DibSize);
}

// Breadth-first fill over raw values, one pixel at a time: what the span fill must match.
void ReferenceFill(TDibBaseObj& d, int x, int y, uint32_t color) {
  uint32_t seed = d.GetPixel(x, y);
  std::vector<char> seen(static_cast<size_t>(d.FWidth) * d.FHeight, 0);
  std::deque<std::pair<int, int>> queue{{x, y}};
  seen[y * d.FWidth + x] = 1;
  std::vector<std::pair<int, int>> region;
  while (!queue.empty()) {
    auto [px, py] = queue.front();
    queue.pop_front();
    region.push_back({px, py});
    const int nx[] = {px - 1, px + 1, px, px}, ny[] = {py, py, py - 1, py + 1};
    for (int k = 0; k < 4; ++k) {
      if (!d.Inside(nx[k], ny[k]) || seen[ny[k] * d.FWidth + nx[k]]) continue;
      if (d.GetPixel(nx[k], ny[k]) != seed) continue;
      seen[ny[k] * d.FWidth + nx[k]] = 1;
      queue.push_back({nx[k], ny[k]});
    }
  }
  for (auto [px, py] : region) d.PutPixel(px, py, color);
}

TEST(DrawFlood, StopsAtOutlinesAndLeavesFilledImagesAlone) {
  TDib8Bits d;
  d.SetAttributes(20, 20);
  d.Bar(0, 0, 19, 19, 0);
  d.Rectangle(4, 4, 12, 12, 1, 7);
  d.FloodFill(8, 8, 3);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      bool border = (x == 4 || x == 12) ? (y >= 4 && y <= 12) : (y == 4 || y == 12) && x > 4 && x < 12;
      bool inside = x > 4 && x < 12 && y > 4 && y < 12;
      EXPECT_EQ(d.GetPixel(x, y), border ? 7u : inside ? 3u : 0u) << x << "," << y;
    }
  // Filling with the colour the region already has changes nothing.
  std::vector<uint8_t> before = Pixels(d);
  d.FloodFill(8, 8, 0x103);  // index 3 again (only the low byte is written)
  d.FloodFill(-1, 5, 9);     // seed outside
  d.FloodFill(5, 20, 9);
  EXPECT_EQ(Pixels(d), before);

  TDib24Bits t;
  t.SetAttributes(30, 10);
  t.Bar(0, 0, 29, 9, 0x336699);
  t.Line(15, 0, 15, 9, 0x000000);  // splits the image in two
  before = Pixels(t);
  t.FloodFill(3, 3, 0x336699);     // same colour: unchanged
  EXPECT_EQ(Pixels(t), before);
  t.FloodFill(3, 3, 0xFF336699);   // bits 24-31 are not stored: still the same colour
  EXPECT_EQ(Pixels(t), before);
  t.FloodFill(3, 3, 0x0000FF);
  EXPECT_EQ(t.GetPixelEx(0, 9), 0x0000FFu);
  EXPECT_EQ(t.GetPixelEx(14, 0), 0x0000FFu);
  EXPECT_EQ(t.GetPixelEx(15, 5), 0x000000u);
  EXPECT_EQ(t.GetPixelEx(16, 5), 0x336699u);
}

TEST(DrawFlood, SameResultForAnyStackCap) {
  // A random maze with some pixels already in the fill colour: every cap, down to a single
  // pending span, must give exactly the breadth-first result.
  std::mt19937 rng(11);
  for (int round = 0; round < 6; ++round) {
    TDib8Bits maze;
    maze.SetAttributes(61, 47);
    std::bernoulli_distribution wall(0.38);
    std::uniform_int_distribution<int> kind(0, 9);
    for (int y = 0; y < 47; ++y)
      for (int x = 0; x < 61; ++x) maze.PutPixel(x, y, wall(rng) ? (kind(rng) == 0 ? 5 : 1) : 0);
    maze.PutPixel(30, 23, 0);
    TDib8Bits expected;
    expected.SetAttributes(61, 47);
    maze.CopyTo(&expected);
    ReferenceFill(expected, 30, 23, 5);
    for (size_t cap : {size_t{1}, size_t{2}, size_t{7}, zkw::FloodStackCap(61, 47)}) {
      TDib8Bits d;
      d.SetAttributes(61, 47);
      maze.CopyTo(&d);
      zkw::FloodFillSpans(d, 30, 23, 5, cap);
      ASSERT_EQ(Pixels(d), Pixels(expected)) << "round " << round << " cap " << cap;
    }
  }
  // A serpentine corridor through a whole 24-bit image.
  TDib24Bits s;
  s.SetAttributes(64, 64);
  s.Bar(0, 0, 63, 63, 0xFFFFFF);
  for (int y = 1; y < 64; y += 2) s.Line(y % 4 == 1 ? 0 : 1, y, y % 4 == 1 ? 62 : 63, y, 0);
  TDib24Bits ref;
  ref.SetAttributes(64, 64);
  std::memcpy(ref.DibData, s.DibData, s.DibSize);
  ReferenceFill(ref, 63, 62, 0x00FF00);
  zkw::FloodFillSpans(s, 63, 62, 0x00FF00, 1);
  EXPECT_EQ(Pixels(s), Pixels(ref));
  EXPECT_EQ(s.GetPixelEx(0, 0), 0x00FF00u);
}

}  // namespace
