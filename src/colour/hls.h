// Conversions between COLORREF and hue, lightness and saturation (each 0..255; the hue wheel
// has 255 steps and hue 170 also stands for grey), and lightness changes.
#pragma once
#include <cstdint>

namespace zkw {

// The colour of (H, L, S): channels computed from the two lightness bounds M1 and M2 on the
// 255-step hue wheel, then moved to the even neighbour above (odd values) and limited to
// 0..255. S = 0 gives grey L for hue 170 and black for any other hue.
uint32_t HLStoRGB(int32_t H, int32_t L, int32_t S);

// Hue, lightness and saturation of a colour (its low 24 bits); grey gives hue 170.
void RGBtoHLS(uint32_t Color, int32_t& H, int32_t& L, int32_t& S);

// The colour with its lightness moved by Delta (limited to 0..255), hue and saturation kept.
// Lightness 255 is not always white: an odd saturation leaves 254 in a channel.
uint32_t ChangeColorLight(uint32_t Color, int32_t Delta);

}  // namespace zkw
