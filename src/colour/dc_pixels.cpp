#include "colour/dc_pixels.h"

#include <cstring>

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
  FStride = ((h.biWidth * h.biBitCount + 31) / 32) * 4;  // DIB rows are 4-byte aligned
  FHeight = height;
  if (!ProbeRowOrder()) FBits = nullptr;
}

// The sign of the section's height is not reported alike by every platform, so the row order is
// seen by changing pixel (0, 0) through SetPixel: it shows in the first or the last row in
// memory. Both are put back byte for byte. False when neither (or both) changed.
bool TDcPixels::ProbeRowOrder() {
  uint8_t* first = FBits;
  uint8_t* last = FBits + static_cast<intptr_t>(FHeight - 1) * FStride;
  uint8_t keepFirst[4], keepLast[4];
  std::memcpy(keepFirst, first, FBytes);
  std::memcpy(keepLast, last, FBytes);
  const uint32_t c = plat::GetPixel(FDC, 0, 0);
  if (c == plat::CLR_INVALID) return false;
  const uint32_t probe = c ^ 0x010101u;
  plat::SetPixel(FDC, 0, 0, probe);
  plat::GdiFlush();
  auto shows = [&](const uint8_t* p) {
    return (p[2] | (p[1] << 8) | (static_cast<uint32_t>(p[0]) << 16)) == probe;
  };
  const bool inFirst = shows(first), inLast = FHeight > 1 && shows(last);
  std::memcpy(first, keepFirst, FBytes);
  std::memcpy(last, keepLast, FBytes);
  FTopDown = inFirst;
  return inFirst != inLast;
}

}  // namespace zkw
