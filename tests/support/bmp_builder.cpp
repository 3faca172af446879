#include "support/bmp_builder.h"

#include <algorithm>

#include "support/test_support.h"

namespace zkwtest {

namespace {

void Put16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

int TableSize(const BmpSpec& s) {
  if (s.headerSize == 12) return s.bits <= 8 ? 1 << s.bits : 0;
  return s.colorsUsed ? static_cast<int>(s.colorsUsed) : s.bits <= 8 ? 1 << s.bits : 0;
}

// Colour-table entry i as blue, green, red.
uint32_t TableBgr(int i) { return static_cast<uint32_t>((i * 37 + 5) & 255) | ((i * 91 + 17) & 255) << 8 | ((255 - i * 13) & 255) << 16; }
uint32_t BgrToColorRef(uint32_t bgr) { return (bgr >> 16 & 255) | (bgr & 0xFF00) | (bgr & 255) << 16; }

// The value a channel of n bits reads back as at 8 bits (bits repeated).
uint32_t Widened(uint32_t v, uint32_t n) { return n >= 8 ? v >> (n - 8) : (v << (8 - n)) | (v >> (2 * n - 8)); }

// Index of pixel (x, y) of a palettised picture: runs, zero stretches and varied values, so
// that RLE coding uses every code.
int IndexAt(const BmpSpec& s, int x, int y) {
  int count = std::min(TableSize(s), 1 << s.bits);
  if (s.compression == 0) return (x * 7 + y * 3) % count;
  if ((x / 4 + y) % 3 == 0) return 0;
  return x % 9 < 4 ? 1 + y % (count - 1) : 1 + (x * 5 + y) % (count - 1);
}

// Header fields after the first 16 bytes, in the order of the 124-byte header.
void PutHeader(std::vector<uint8_t>& f, const BmpSpec& s, uint32_t imageBytes) {
  size_t start = f.size();
  Put32(f, s.headerSize);
  if (s.headerSize == 12) {
    Put16(f, static_cast<uint32_t>(s.width));
    Put16(f, static_cast<uint32_t>(s.height));
    Put16(f, 1);
    Put16(f, s.bits);
    return;
  }
  Put32(f, static_cast<uint32_t>(s.width));
  Put32(f, static_cast<uint32_t>(s.topDown ? -s.height : s.height));
  Put16(f, 1);
  Put16(f, s.bits);
  for (uint32_t v : {s.compression, imageBytes, 2835u, 2835u, s.colorsUsed, 0u}) Put32(f, v);
  bool masksInside = s.headerSize == 52 || s.headerSize == 56 || s.headerSize >= 108;
  if (masksInside)
    for (int i = 0; i < (s.headerSize == 52 ? 3 : 4); ++i) Put32(f, s.masks[i]);
  if (s.headerSize >= 108) Put32(f, 0x73524742);  // "sRGB"
  f.resize(start + s.headerSize, 0);           // end points, gamma, profile fields: 0
  if (!masksInside && (s.compression == 3 || s.compression == 6))
    for (int i = 0; i < (s.compression == 6 ? 4 : 3); ++i) Put32(f, s.masks[i]);
}

// Plain rows of a palettised picture, stored bottom-up unless top-down.
void PutIndexRows(std::vector<uint8_t>& f, const BmpSpec& s, const std::vector<int>& index) {
  size_t stride = ((static_cast<size_t>(s.bits) * s.width + 31) / 32) * 4;
  for (int r = 0; r < s.height; ++r) {
    int y = s.topDown ? r : s.height - 1 - r;
    std::vector<uint8_t> row(stride, 0);
    for (int x = 0; x < s.width; ++x) {
      int bit = x * s.bits;
      row[bit / 8] |= static_cast<uint8_t>(index[y * s.width + x] << (8 - s.bits - bit % 8));
    }
    f.insert(f.end(), row.begin(), row.end());
  }
}

// Length of the run at x where each pixel repeats the one `period` before (RLE4 runs alternate
// two indexes), at most 255.
int RunAt(const std::vector<int>& row, int x, int period) {
  int n = 1;
  while (x + n < static_cast<int>(row.size()) && n < 255 &&
         (n < period ? true : row[x + n] == row[x + n - period]))
    ++n;
  return n;
}

// RLE8 / RLE4 coding: zero stretches inside a row as deltas, trailing zeros left to the end of
// line, runs of 3 or more coded, stretches of 3 or more other pixels absolute.
void PutRleRows(std::vector<uint8_t>& f, const BmpSpec& s, const std::vector<int>& index) {
  const bool four = s.compression == 2;
  const int period = four ? 2 : 1;
  for (int y = s.height - 1; y >= 0; --y) {
    std::vector<int> row(index.begin() + y * s.width, index.begin() + (y + 1) * s.width);
    int x = 0;
    while (x < s.width) {
      int z = 0;
      while (x + z < s.width && row[x + z] == 0) ++z;
      if (x + z == s.width) break;
      if (z >= 2) {
        f.insert(f.end(), {0, 2, static_cast<uint8_t>(z), 0});
        x += z;
        continue;
      }
      int run = RunAt(row, x, period);
      int k = 0;  // an absolute stretch lasts until a run of 3 starts
      while (x + k < s.width && k < 255 && RunAt(row, x + k, period) < 3) ++k;
      if (run >= 3 || k < 3) {
        int n = run >= 3 ? run : 1;
        int c = four ? row[x] << 4 | (n > 1 ? row[x + 1] : 0) : row[x];
        f.insert(f.end(), {static_cast<uint8_t>(n), static_cast<uint8_t>(c)});
        x += n;
        continue;
      }
      f.insert(f.end(), {0, static_cast<uint8_t>(k)});
      size_t bytes = four ? (k + 1) / 2 : k;
      std::vector<uint8_t> data(bytes + bytes % 2, 0);
      for (int i = 0; i < k; ++i)
        data[four ? i / 2 : i] |= static_cast<uint8_t>(four ? row[x + i] << (i % 2 ? 0 : 4) : row[x + i]);
      f.insert(f.end(), data.begin(), data.end());
      x += k;
    }
    f.insert(f.end(), {0, static_cast<uint8_t>(y == 0 ? 1 : 0)});  // end of line / of picture
  }
}

// True-colour rows: 24-bit as blue, green, red; 16- and 32-bit through the masks (5-5-5 and
// 8-8-8 with an unused fourth byte of 0x7F when plain).
void PutColourRows(std::vector<uint8_t>& f, const BmpSpec& s, GeneratedBmp& g) {
  uint32_t masks[4] = {s.masks[0], s.masks[1], s.masks[2], s.masks[3]};
  if (s.compression == 0 && s.bits == 16) masks[0] = 0x7C00, masks[1] = 0x3E0, masks[2] = 0x1F, masks[3] = 0;
  if (s.compression == 0 && s.bits == 32) masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF, masks[3] = 0;
  size_t stride = ((static_cast<size_t>(s.bits) * s.width + 31) / 32) * 4;
  for (int r = 0; r < s.height; ++r) {
    int y = s.topDown ? r : s.height - 1 - r;
    std::vector<uint8_t> row;
    for (int x = 0; x < s.width; ++x) {
      uint32_t seed = static_cast<uint32_t>(x * 2654435761u ^ y * 40503u) * 2246822519u >> 7;
      int i = y * s.width + x;
      if (s.bits == 24) {
        uint32_t bgr = seed & 0xFFFFFF;
        row.insert(row.end(), {static_cast<uint8_t>(bgr), static_cast<uint8_t>(bgr >> 8), static_cast<uint8_t>(bgr >> 16)});
        g.colour[i] = BgrToColorRef(bgr);
        continue;
      }
      uint32_t pixel = 0, rgb[4] = {};
      for (int c = 0; c < 4; ++c) {
        if (!masks[c]) continue;
        int shift = __builtin_ctz(masks[c]), n = __builtin_popcount(masks[c]);
        uint32_t v = (seed >> (5 * c)) & ((1u << n) - 1);
        if (c == 3 && s.alphaZero) v = 0;
        pixel |= v << shift;
        rgb[c] = Widened(v, n);
      }
      if (s.compression == 0 && s.bits == 32) pixel |= 0x7F000000;
      g.colour[i] = rgb[0] | rgb[1] << 8 | rgb[2] << 16;
      if (masks[3] && !s.alphaZero) g.alpha[i] = static_cast<int>(rgb[3]);
      for (int b = 0; b < s.bits / 8; ++b) row.push_back(static_cast<uint8_t>(pixel >> (8 * b)));
    }
    row.resize(stride, 0);
    f.insert(f.end(), row.begin(), row.end());
  }
}

}  // namespace

GeneratedBmp MakeBmp(const BmpSpec& s) {
  GeneratedBmp g;
  size_t n = static_cast<size_t>(s.width) * s.height;
  g.colour.assign(n, 0);
  g.index.assign(n, -1);
  g.alpha.assign(n, -1);
  std::vector<uint8_t> pixels;
  if (s.bits <= 8) {
    for (int y = 0; y < s.height; ++y)
      for (int x = 0; x < s.width; ++x) {
        int i = IndexAt(s, x, y);
        g.index[y * s.width + x] = i;
        g.colour[y * s.width + x] = BgrToColorRef(TableBgr(i));
      }
    if (s.compression == 1 || s.compression == 2)
      PutRleRows(pixels, s, g.index);
    else
      PutIndexRows(pixels, s, g.index);
  } else {
    PutColourRows(pixels, s, g);
  }
  std::vector<uint8_t>& f = g.file;
  f = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  PutHeader(f, s, s.compression == 1 || s.compression == 2 ? static_cast<uint32_t>(pixels.size()) : 0);
  for (int i = 0; i < TableSize(s); ++i) {  // entries past the picture's indexes are written too
    uint32_t bgr = TableBgr(i);
    for (int b = 0; b < (s.headerSize == 12 ? 3 : 4); ++b) f.push_back(b < 3 ? static_cast<uint8_t>(bgr >> (8 * b)) : 0);
  }
  f.insert(f.end(), s.gap, 0xAB);
  PutLE<uint32_t>(f, 10, static_cast<uint32_t>(f.size()));
  f.insert(f.end(), pixels.begin(), pixels.end());
  PutLE<uint32_t>(f, 2, static_cast<uint32_t>(f.size()));
  return g;
}

std::string BmpSpecName(const BmpSpec& s) {
  return "h" + std::to_string(s.headerSize) + " " + std::to_string(s.bits) + "-bit c" +
         std::to_string(s.compression) + " " + std::to_string(s.width) + "x" +
         std::to_string(s.height) + (s.topDown ? " top-down" : "") +
         (s.colorsUsed ? " used " + std::to_string(s.colorsUsed) : "") +
         (s.gap ? " gap " + std::to_string(s.gap) : "");
}

}  // namespace zkwtest
