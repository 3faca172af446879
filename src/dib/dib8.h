// 8-bit palettised DIB image.
#pragma once
#include "dib/dib_base.h"

namespace zkw {

class TDib8Bits : public TDibBaseObj {
 public:
  TDib8Bits();

  uint32_t GetPixel(int32_t x, int32_t y) override;
  uint32_t GetPixelEx(int32_t x, int32_t y) override;
  void PutPixel(int32_t x, int32_t y, uint32_t Color) override;
  void PutShadPixel(int32_t x, int32_t y, int32_t Shad) override;

  // Fills the shadow table from the colour table, darkened (Rat < 0) or lightened (Rat >= 0).
  void MakeExtraPalette(int32_t Rat);
  // Copies the pixel bytes into Dib (same stride and height expected; never writes past Dib).
  void CopyTo(TDibBaseObj* Dib);

  TColorArray DarkPal = {};
  uint8_t* DarkPalAddr;
};

}  // namespace zkw
