// Process-wide equation defaults: the colours given to new equations and items and the height
// of the placeholder box of an empty equation (the last measured line height).
#pragma once
#include <cstdint>

#include "platform/plat_gdi.h"

namespace zkw {

struct TEquationDefaults {
  plat::COLORREF FColor = 0;
  plat::COLORREF FTextColor = 0;
  int32_t FPlaceholderHeight = 18;
};

// The one set of defaults of the process (unguarded, as all process-wide state of the library).
TEquationDefaults& EquationDefaults();
void SetEquationDefaultColors(plat::COLORREF lineColor, plat::COLORREF textColor);
// Back to the state at load time (colours 0, placeholder height 18); used by tests.
void ResetEquationDefaults();

// Format version of items: 0x00020000 for everything this library writes, 0x00010000 for
// buffers of the older layout (8-bit texts).
constexpr int32_t kEquationVersion2 = 0x00020000;
constexpr int32_t kEquationVersion1 = 0x00010000;
// Third common value of every item in the buffer form.
constexpr int32_t kBufferMarker = 141072;

}  // namespace zkw
