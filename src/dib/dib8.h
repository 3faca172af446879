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

  // --- Drawing and compositing (draw_bar.cpp, composite_draw.cpp) ---
  void Bar(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t Color) override;
  void BarShadow(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint16_t Shad) override;
  void DrawTransparent(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t dx, int32_t dy) override;
  void DrawShadow(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t dx, int32_t dy,
                  uint16_t Rate) override;
  void DrawPeace(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy, int32_t w,
                 int32_t h, int32_t dx, int32_t dy) override;
  void DrawPeaceShadow(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy, int32_t w,
                       int32_t h, int32_t dx, int32_t dy, uint16_t Rate) override;
  void DrawArea(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy, int32_t w,
                int32_t h, int32_t dx, int32_t dy) override;
  // --- end of drawing and compositing ---

  // --- Transforms (transform_*.cpp) ---
  void DrawScaledColumn(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t Rate,
                        int32_t Column) override;
  void DrawScaledRow(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t Rate, int32_t Row) override;
  void Shear(int32_t x, int32_t y, int32_t OrgX, int32_t OrgY, double hx, double hy,
             TDibBaseObj* Dib) override;
  void Scale(int32_t x, int32_t y, int32_t rx, int32_t ry, TDibBaseObj* Dib) override;
  void Rotate(int32_t x, int32_t y, int32_t Angle, TDibBaseObj* Dib) override;
  void ScaleRotate(int32_t x, int32_t y, int32_t rx, int32_t ry, uint16_t Angle,
                   TDibBaseObj* Dib) override;
  // --- end of transforms ---

  // Fills the shadow table from the colour table, darkened (Rat < 0) or lightened (Rat >= 0).
  void MakeExtraPalette(int32_t Rat);
  // Copies the pixel bytes into Dib (same stride and height expected; never writes past Dib).
  void CopyTo(TDibBaseObj* Dib);
  // A new logical palette of the colour table (the caller owns it); 0 without a block.
  plat::HPALETTE GetPalette();

  TColorArray DarkPal = {};
  uint8_t* DarkPalAddr;
};

}  // namespace zkw
