// Builders of small test images shared by the drawing, compositing and transform tests.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "dib/dib24.h"
#include "dib/dib8.h"

namespace zkwtest {

// A 24-bit image of w x h filled with one colour.
inline std::unique_ptr<zkw::TDib24Bits> Solid24(int w, int h, uint32_t color) {
  auto d = std::make_unique<zkw::TDib24Bits>();
  d->SetAttributes(w, h);
  d->Bar(0, 0, w - 1, h - 1, color);
  return d;
}

// An 8-bit image of the given indexes (row by row from the top), colour key 0, and entry i of
// its colour table = (i, 2i, 3i) so that every index has its own colour.
inline std::unique_ptr<zkw::TDib8Bits> Indexed(int w, int h, const std::vector<int>& px) {
  auto d = std::make_unique<zkw::TDib8Bits>();
  d->SetAttributes(w, h);
  for (int i = 0; i < 256; ++i)
    d->DibPal[i] = zkw::TRGBQuad{static_cast<uint8_t>(3 * i), static_cast<uint8_t>(2 * i),
                                 static_cast<uint8_t>(i), 0};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) d->PutPixel(x, y, static_cast<uint32_t>(px[y * w + x]));
  d->TransparentColor = 0;
  return d;
}

// The COLORREF of entry i of the table Indexed gives.
inline uint32_t Col(int i) { return static_cast<uint32_t>(i | (2 * i) << 8 | (3 * i) << 16); }

// The expected target as a grid of colour-table indexes (-1 = untouched white).
inline void ExpectGrid(zkw::TDibBaseObj& t, const std::vector<int>& grid, const char* what) {
  for (int y = 0; y < t.Height(); ++y)
    for (int x = 0; x < t.Width(); ++x) {
      int g = grid[y * t.Width() + x];
      uint32_t want = g < 0 ? 0xFFFFFFu : Col(g);
      EXPECT_EQ(t.GetPixelEx(x, y), want) << what << " at (" << x << ", " << y << ")";
    }
}

}  // namespace zkwtest
