// JPEG pictures made directly with libjpeg for the tests and fuzz seeds: grey, colour and CMYK,
// baseline or progressive, of a pattern the tests can predict.
#pragma once
#include <cstdint>
#include <vector>

namespace zkwtest {

// components: 1 grey, 3 colour (RGB in), 4 CMYK. Pixel (x, y) of channel c is PatternValue.
std::vector<uint8_t> JpegOf(int width, int height, int components, bool progressive,
                            int quality = 95);
inline uint8_t PatternValue(int x, int y, int c) {
  return static_cast<uint8_t>(x * 3 + y * 2 + c * 40);  // no wrap below 32 x 24
}

}  // namespace zkwtest
