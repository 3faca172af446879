#include "dib/dib24.h"

#include <cstring>

#include "platform/plat_gdi.h"

namespace zkw {

TDib24Bits::TDib24Bits() : TDibBaseObj(3) {}

uint32_t TDib24Bits::GetPixel(int32_t x, int32_t y) {
  if (!Inside(x, y)) return 0xFFFFFFFFu;
  const uint8_t* p = PixelAddress(x, y);
  return p[0] | (p[1] << 8) | (static_cast<uint32_t>(p[2]) << 16);
}

uint32_t TDib24Bits::GetPixelEx(int32_t x, int32_t y) {
  if (!Inside(x, y)) return 0xFFFFFFFFu;
  const uint8_t* p = PixelAddress(x, y);
  return p[2] | (p[1] << 8) | (static_cast<uint32_t>(p[0]) << 16);
}

void TDib24Bits::PutPixel(int32_t x, int32_t y, uint32_t Color) {
  if (!Inside(x, y)) return;
  uint8_t* p = PixelAddress(x, y);
  p[0] = static_cast<uint8_t>(Color >> 16);
  p[1] = static_cast<uint8_t>(Color >> 8);
  p[2] = static_cast<uint8_t>(Color);
}

void TDib24Bits::PutShadPixel(int32_t x, int32_t y, int32_t Shad) {
  if (!Inside(x, y)) return;
  uint8_t* p = PixelAddress(x, y);
  // Shad above 100 lightens; the channel stays within a byte instead of wrapping.
  for (int c = 0; c < 3; ++c) {
    int64_t v = (int64_t{Shad} * p[c]) / 100;
    p[c] = static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
  }
}

void TDib24Bits::PutMergePixel(int32_t x, int32_t y, uint32_t Color, uint16_t AMerge) {
  if (!Inside(x, y)) return;
  uint8_t* p = PixelAddress(x, y);
  const uint8_t fresh[3] = {static_cast<uint8_t>(Color >> 16), static_cast<uint8_t>(Color >> 8),
                            static_cast<uint8_t>(Color)};
  if (AMerge > 100) AMerge = 100;  // more than all of the new colour is all of it
  int32_t keep = 100 - AMerge;
  for (int c = 0; c < 3; ++c)
    p[c] = static_cast<uint8_t>((p[c] * keep) / 100 + (AMerge * fresh[c]) / 100);
}

void TDib24Bits::AttachBitmap(void* Bm) {
  plat::BITMAP bm{};
  if (!Bm || plat::GetObjectW(Bm, sizeof bm, &bm) != sizeof bm || bm.bmBitsPixel != 24 ||
      !bm.bmBits)
    return;
  ReleaseBlock();
  FreeAlpha();
  std::memset(&DibInfo, 0, sizeof DibInfo);
  DibInfo.bmiHeader.biSize = kInfoHeaderSize;
  DibInfo.bmiHeader.biWidth = bm.bmWidth;
  DibInfo.bmiHeader.biHeight = bm.bmHeight;
  DibInfo.bmiHeader.biPlanes = bm.bmPlanes;
  DibInfo.bmiHeader.biBitCount = 24;
  DibInfo.bmiHeader.biCompression = 0;
  FHandle = 1;
  DibPtr = reinterpret_cast<uint8_t*>(&DibInfo);
  DibData = static_cast<uint8_t*>(bm.bmBits);
  FWidth = bm.bmWidth;
  FHeight = bm.bmHeight;
  FDWidth = static_cast<int32_t>(RowStride(bm.bmWidth, 24));
  DibPal = nullptr;
  FBits = 3;
  DibSize = FDWidth * FHeight;
  FLock = true;
  FHandleInvalid = true;
}

void TDib24Bits::CopyFrom(TDibBaseObj* Dib) {
  if (!Dib || FHandle == 0 || Dib->FHandle == 0 || Dib->FBits != 1 || !Dib->DibPal) return;
  // Only the part both images cover is converted.
  int32_t rows = FHeight < Dib->FHeight ? FHeight : Dib->FHeight;
  int32_t cols = FWidth < Dib->FWidth ? FWidth : Dib->FWidth;
  for (int32_t r = 0; r < rows; ++r) {
    const uint8_t* src = Dib->DibData + static_cast<intptr_t>(r) * Dib->FDWidth;
    uint8_t* dst = DibData + static_cast<intptr_t>(r) * FDWidth;
    for (int32_t x = 0; x < cols; ++x) {
      const TRGBQuad& q = Dib->DibPal[src[x]];
      dst[3 * x] = q.rgbBlue;
      dst[3 * x + 1] = q.rgbGreen;
      dst[3 * x + 2] = q.rgbRed;
    }
  }
}

}  // namespace zkw
