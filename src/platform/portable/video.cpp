// Linux has no video-draw service: callers take their plain GDI path.
#include "platform/plat_video.h"

namespace plat {

bool VideoDrawAvailable() { return false; }
HDRAWDIB DrawDibOpen() { return nullptr; }
BOOL DrawDibClose(HDRAWDIB) { return 0; }
BOOL DrawDibDraw(HDRAWDIB, HDC, int, int, int, int, const BITMAPINFOHEADER*, const void*, int, int,
                 int, int, UINT) {
  return 0;
}

}  // namespace plat
