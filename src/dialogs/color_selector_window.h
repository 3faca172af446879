// The colour selection dialog as a modal pop-up window of the class "ZKWColorSelector"
// (registered on first use), drawn with the library's gradients, frames and button images.
#pragma once
#include <cstdint>

#include "dialogs/color_selector.h"
#include "platform/plat_window.h"

namespace zkw {

extern const plat::WCHAR kColorSelectorClass[];  // "ZKWColorSelector"
extern const plat::WCHAR kColorSelectorCaption[];  // "Select color"

// Shows the dialog centred on the monitor nearest to Owner (kept inside its left and top
// edges), with Owner disabled meanwhile, and runs its modal loop. True when the user confirmed;
// Value is then the chosen value (a COLORREF or 0x80000000 + system colour index).
bool RunColorSelector(plat::HWND Owner, uint32_t Initial, bool ShowStandard, bool ShowSystem,
                      uint32_t& Value);

// Paints the whole dialog into dc (client coordinates).
void PaintColorSelector(const TColorSelector& Selector, plat::HDC dc);

}  // namespace zkw
