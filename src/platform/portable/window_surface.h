// Portable back end only: the pixel surface of a window, for its device contexts.
#pragma once
#include "platform/portable/gdi_objects.h"

namespace plat::portable {

// The 32-bit client surface of a live window, or null.
GdiBitmap* WindowSurface(HWND window);

}  // namespace plat::portable
