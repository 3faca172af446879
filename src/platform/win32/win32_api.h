// Brings in the real Windows API for the forwarding functions of src/platform/win32.
//
// The plat headers declare constants with the Win32 names (GMEM_MOVEABLE, SRCCOPY, ...) and an
// inline RGB, all of which <windows.h> defines as macros. So the plat headers are parsed first
// and the system header afterwards; from here on, a macro expands to the same value as the plat
// constant it shadows.
#pragma once
#include "platform/plat.h"
#include "platform/plat_gdi.h"
#include "platform/plat_window.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <type_traits>

namespace plat::win32 {

// Layouts the plat structs share with the system's.
static_assert(sizeof(plat::BITMAPINFOHEADER) == sizeof(::BITMAPINFOHEADER));
static_assert(sizeof(plat::RGBQUAD) == sizeof(::RGBQUAD));
static_assert(sizeof(plat::PALETTEENTRY) == sizeof(::PALETTEENTRY));
static_assert(sizeof(plat::BITMAP) == sizeof(::BITMAP));
static_assert(sizeof(plat::RECT) == sizeof(::RECT));
static_assert(sizeof(plat::POINT) == sizeof(::POINT));
static_assert(sizeof(plat::LOGPEN) == sizeof(::LOGPEN));
static_assert(std::is_same_v<plat::WCHAR, ::WCHAR>);
static_assert(sizeof(plat::WNDCLASSW) == sizeof(::WNDCLASSW));
static_assert(sizeof(plat::MSG) == sizeof(::MSG));
static_assert(sizeof(plat::PAINTSTRUCT) == sizeof(::PAINTSTRUCT));

// Handles cross the boundary as void*; the system's are distinct pointer types.
template <class T>
T H(void* handle) {
  return static_cast<T>(handle);
}

}  // namespace plat::win32
