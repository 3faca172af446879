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

  // --- Drawing: rectangles and blended shapes (draw_bar.cpp, draw_merge.cpp) ---
  void Bar(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t Color) override;
  void BarShadow(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint16_t Shad) override;
  void BarMerge(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t Color,
                uint16_t AMerge) override;
  void LineMerge(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t Color,
                 uint16_t AMerge) override;
  void RectangleMerge(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t LineWidth,
                      uint32_t Color, uint16_t AMerge) override;
  void CircleMerge(int32_t x0, int32_t y0, int32_t r, int32_t LineWidth, uint32_t Color,
                   uint16_t AMerge) override;
  void SliceMerge(int32_t x0, int32_t y0, int32_t r, uint32_t Color, uint16_t AMerge) override;
  void EllipseMerge(int32_t x0, int32_t y0, int32_t rx, int32_t ry, int32_t LineWidth,
                    uint32_t Color, uint16_t AMerge) override;
  void FillEllipseMerge(int32_t x0, int32_t y0, int32_t rx, int32_t ry, uint32_t Color,
                        uint16_t AMerge) override;
  void PolygonMerge(int32_t x, int32_t y, int32_t Num, int32_t Radius, int32_t StartAngle,
                    uint32_t Color, uint16_t AMerge) override;
  void PetalMerge(int32_t x, int32_t y, int32_t r, int32_t n, int32_t StartAngle, uint32_t Color,
                  uint16_t AMerge) override;
  // The bound writers of a blended shape: blend with FMergeRate.
  void MergePixelProc(int32_t x, int32_t y, uint32_t Color);
  void MergeBarProc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t Color);

  // --- Compositing (composite_draw.cpp, composite_shifted.cpp) ---
  void DrawTransparent(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t dx, int32_t dy) override;
  void DrawShadow(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t dx, int32_t dy,
                  uint16_t Rate) override;
  void DrawPeace(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy, int32_t w,
                 int32_t h, int32_t dx, int32_t dy) override;
  void DrawPeaceShadow(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy, int32_t w,
                       int32_t h, int32_t dx, int32_t dy, uint16_t Rate) override;
  void DrawArea(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy, int32_t w,
                int32_t h, int32_t dx, int32_t dy) override;
  void DrawMerge(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy, int32_t w,
                 int32_t h, int32_t dx, int32_t dy, uint16_t Rate) override;
  void DrawMergeOpaque(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy, int32_t w,
                       int32_t h, int32_t dx, int32_t dy, uint16_t Rate) override;
  void DrawNormalOnLineY(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                         int32_t w, int32_t h, int32_t dx, int32_t dy, const int16_t* Lines,
                         int32_t delta) override;
  void DrawOnLineY(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy, int32_t w,
                   int32_t h, int32_t dx, int32_t dy, const int16_t* Lines,
                   int32_t delta) override;
  void DrawMergeOnLineY(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                        int32_t w, int32_t h, int32_t dx, int32_t dy, const int16_t* Lines,
                        int32_t delta, int32_t Rate) override;
  void DrawOnLineX(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy, int32_t w,
                   int32_t h, int32_t dx, int32_t dy, const int16_t* Lines,
                   int32_t delta) override;
  void DrawNormalOnLineX(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                         int32_t w, int32_t h, int32_t dx, int32_t dy, const int16_t* Lines,
                         int32_t delta) override;
  void DrawMergeOnLineX(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                        int32_t w, int32_t h, int32_t dx, int32_t dy, const int16_t* Lines,
                        int32_t delta, int32_t Rate) override;
  // --- end of drawing and compositing ---

  // --- Transforms (transform_*.cpp) ---
  void DrawScaledColumn(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t Rate,
                        int32_t Column) override;
  void DrawScaledRow(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t Rate, int32_t Row) override;
  void Shear(int32_t x, int32_t y, int32_t OrgX, int32_t OrgY, double hx, double hy,
             TDibBaseObj* Dib) override;
  void ScaleEx(int32_t x, int32_t y, int32_t rx, int32_t ry, TDibBaseObj* Dib, int32_t xx,
               int32_t yy, int32_t w, int32_t h, uint16_t AMerge) override;
  void RotateEx(int32_t x, int32_t y, int32_t Angle, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                int32_t w, int32_t h, uint16_t AMerge) override;
  void ScaleRotateEx(int32_t x, int32_t y, int32_t rx, int32_t ry, uint16_t Angle,
                     TDibBaseObj* Dib, int32_t xx, int32_t yy, int32_t w, int32_t h,
                     uint16_t AMerge) override;
  void Scale(int32_t x, int32_t y, int32_t rx, int32_t ry, TDibBaseObj* Dib) override;
  void Rotate(int32_t x, int32_t y, int32_t Angle, TDibBaseObj* Dib) override;
  void ScaleRotate(int32_t x, int32_t y, int32_t rx, int32_t ry, uint16_t Angle,
                   TDibBaseObj* Dib) override;
  // The two filling strategies of ScaleEx: the piece (x, y, w, h) of the 8-bit source Dib is
  // scaled by rx, ry percent into tempDib (24-bit, with an alpha companion, pre-filled with the
  // marker colour 0xFF00FF and alpha 0). Small: one pixel per source pixel; Big: one block of
  // (rx div 100 + 1) x (ry div 100 + 1) pixels per source pixel. Only pixels still holding the
  // marker colour are written.
  void ScaleSmallEx(int32_t x, int32_t y, int32_t w, int32_t h, int32_t rx, int32_t ry,
                    TDibBaseObj* Dib, TDib24Bits* tempDib);
  void ScaleBigEx(int32_t x, int32_t y, int32_t w, int32_t h, int32_t rx, int32_t ry,
                  TDibBaseObj* Dib, TDib24Bits* tempDib);
  // --- end of transforms ---

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
