// Windows back end of GDI: direct calls of the real functions.
#include <windows.h>

#include "platform/plat_gdi.h"

namespace plat {

static_assert(sizeof(plat::BITMAP) == sizeof(::BITMAP), "BITMAP layout matches the platform's");

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset) {
  return ::CreateDIBSection(static_cast<::HDC>(dc), reinterpret_cast<const ::BITMAPINFO*>(info),
                            usage, bits, section, offset);
}
int GetObjectW(HGDIOBJ obj, int size, void* out) { return ::GetObjectW(obj, size, out); }
BOOL DeleteObject(HGDIOBJ obj) { return ::DeleteObject(obj); }

}  // namespace plat
