#include "colour/dc_pixels.h"

#include "platform/plat_gdi.h"

namespace zkw {

TDcPixels::TDcPixels(plat::HDC dc) : FDC(dc) {
  int region = dc ? plat::GetClipBox(dc, &FBox) : plat::RGN_ERROR;
  FValid = region == plat::SIMPLEREGION || region == plat::COMPLEXREGION;
  if (!FValid) return;
  plat::DIBSECTION section{};
  plat::HGDIOBJ bitmap = plat::GetCurrentObject(dc, plat::OBJ_BITMAP);
  if (!bitmap || plat::GetObjectW(bitmap, sizeof section, &section) != sizeof section) return;
  const plat::BITMAPINFOHEADER& h = section.dsBmih;
  const int32_t height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  // Only a whole, unclipped surface without colour masks is written directly.
  if (!section.dsBm.bmBits || (h.biBitCount != 24 && h.biBitCount != 32) ||
      h.biCompression != plat::BI_RGB || region != plat::SIMPLEREGION || FBox.left != 0 ||
      FBox.top != 0 || FBox.right != h.biWidth || FBox.bottom != height)
    return;
  plat::GdiFlush();
  FBits = static_cast<uint8_t*>(section.dsBm.bmBits);
  FBytes = h.biBitCount / 8;
  FStride = section.dsBm.bmWidthBytes;
  FHeight = height;
  FTopDown = h.biHeight < 0;
}

}  // namespace zkw
