// Writer of BMP files as other programs make them (every header size, depth, compression, row
// order, colour-table size, pixel-offset gap), with the picture each file holds.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace zkwtest {

struct BmpSpec {
  uint32_t headerSize = 40;  // 12 (OS/2 1.x), 16 or 64 (OS/2 2.x), 40, 52, 56, 108, 124
  uint16_t bits = 24;        // 1, 4, 8, 16, 24, 32
  uint32_t compression = 0;  // 0 plain, 1 RLE8, 2 RLE4, 3 bit fields, 6 bit fields with alpha
  int32_t width = 7;
  int32_t height = 5;
  bool topDown = false;
  uint32_t colorsUsed = 0;   // the header's field and the entries written (0: 2^bits up to 8 bits)
  uint32_t gap = 0;          // bytes between the colour table and the pixels
  uint32_t masks[4] = {};    // red, green, blue, alpha for bit fields
  bool alphaZero = false;    // 32-bit: every alpha value 0
};

struct GeneratedBmp {
  std::vector<uint8_t> file;
  // Per pixel, top row first: the colour as a COLORREF, the palette index (-1 for true-colour
  // files) and the alpha (-1 when the file carries none).
  std::vector<uint32_t> colour;
  std::vector<int> index;
  std::vector<int> alpha;
};

GeneratedBmp MakeBmp(const BmpSpec& spec);

// A readable name of a spec for test messages ("h108 32-bit c3 7x5 top-down").
std::string BmpSpecName(const BmpSpec& spec);

}  // namespace zkwtest
