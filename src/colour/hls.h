// Conversion from hue, lightness and saturation (each 0..255, hue 170 = grey) to a COLORREF.
#pragma once
#include <cstdint>

namespace zkw {

// The colour of (H, L, S): channels computed from the two lightness bounds M1 and M2 on the
// 255-step hue wheel, then moved to the even neighbour above (odd values) and limited to
// 0..255. S = 0 gives grey L for hue 170 and black for any other hue.
uint32_t HLStoRGB(int32_t H, int32_t L, int32_t S);

}  // namespace zkw
