// 24-bit true-colour DIB image.
#pragma once
#include "dib/dib_base.h"

namespace zkw {

class TDib24Bits : public TDibBaseObj {
 public:
  TDib24Bits();

  uint32_t GetPixel(int32_t x, int32_t y) override;
  uint32_t GetPixelEx(int32_t x, int32_t y) override;
  void PutPixel(int32_t x, int32_t y, uint32_t Color) override;
  void PutShadPixel(int32_t x, int32_t y, int32_t Shad) override;
  void PutMergePixel(int32_t x, int32_t y, uint32_t Color, uint16_t AMerge) override;

  // Draws straight into the pixels of a bottom-up 24-bit DIB section.
  void AttachBitmap(void* Bm);
  // Converts the 8-bit image Dib into this image through Dib's colour table.
  void CopyFrom(TDibBaseObj* Dib);

  uint16_t FMergeRate = 100;
#pragma pack(push, 1)
  struct TDibInfoBlock {
    TBitmapInfoHeader bmiHeader;
    TRGBQuad bmiColors[1];
  };
#pragma pack(pop)
  static_assert(sizeof(TDibInfoBlock) == 44, "private bitmap information block is 44 bytes");
  TDibInfoBlock DibInfo = {};  // hides the base field of the same name
};

}  // namespace zkw
