// Colour codes and font sizes as GDI takes them.
#pragma once
#include <cstdint>

namespace zkw {

// A COLORREF, or a system colour code (high bit set, system colour index in the low byte)
// converted through the platform's system colour table.
uint32_t ColorToRGB(uint32_t Color);

// Pixel height of a font size in points at 96 pixels per inch, halves rounded up: the rule of
// the player's system text, shared by every GDI text fallback.
inline int32_t PointsToPixels(int32_t Points) {
  return static_cast<int32_t>((int64_t{Points} * 96 + 36) / 72);
}

}  // namespace zkw
