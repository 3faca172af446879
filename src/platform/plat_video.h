// The video-draw service: the platform's DrawDib functions, loaded by name when the library
// starts and used when present. The Linux back end has none.
#pragma once
#include "platform/plat_gdi.h"

namespace plat {

using HDRAWDIB = void*;

// True when the service was found at start-up.
bool VideoDrawAvailable();
HDRAWDIB DrawDibOpen();
BOOL DrawDibClose(HDRAWDIB hdd);
BOOL DrawDibDraw(HDRAWDIB hdd, HDC dc, int xDst, int yDst, int dxDst, int dyDst,
                 const BITMAPINFOHEADER* header, const void* bits, int xSrc, int ySrc, int dxSrc,
                 int dySrc, UINT flags);

}  // namespace plat
