#include "common/colour_units.h"

#include "platform/plat_gdi.h"

namespace zkw {

uint32_t ColorToRGB(uint32_t Color) {
  return (Color & 0x80000000u) ? plat::GetSysColor(static_cast<int>(Color & 0xFF)) : Color;
}

}  // namespace zkw
