// Blended shapes of 24-bit images: the plain shape routines run with PixelProc (and, where the
// shape draws squares or spans, BarProc) bound to the blending writers at FMergeRate.
#include "dib/dib24.h"

namespace zkw {

namespace {

using TPixelCode = void (TDibBaseObj::*)(int32_t, int32_t, uint32_t);
using TBarCode = void (TDibBaseObj::*)(int32_t, int32_t, int32_t, int32_t, uint32_t);

// Binds the blending writers for the length of one shape and binds PutPixel and Bar back.
class TMergeBinding {
 public:
  TMergeBinding(TDib24Bits& dib, uint16_t rate, bool bars) : dib_(dib) {
    dib.FMergeRate = rate;
    dib.PixelProc = {&dib, static_cast<TPixelCode>(&TDib24Bits::MergePixelProc)};
    if (bars) dib.BarProc = {&dib, static_cast<TBarCode>(&TDib24Bits::MergeBarProc)};
  }
  ~TMergeBinding() {
    dib_.PixelProc = {&dib_, &TDibBaseObj::PutPixel};
    dib_.BarProc = {&dib_, &TDibBaseObj::Bar};
  }
  TMergeBinding(const TMergeBinding&) = delete;
  TMergeBinding& operator=(const TMergeBinding&) = delete;

 private:
  TDib24Bits& dib_;
};

}  // namespace

void TDib24Bits::MergePixelProc(int32_t x, int32_t y, uint32_t Color) {
  PutMergePixel(x, y, Color, FMergeRate);
}

void TDib24Bits::MergeBarProc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t Color) {
  BarMerge(x1, y1, x2, y2, Color, FMergeRate);
}

void TDib24Bits::LineMerge(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t Color,
                           uint16_t AMerge) {
  TMergeBinding bind(*this, AMerge, false);
  Line(x0, y0, x1, y1, Color);
}

void TDib24Bits::RectangleMerge(int32_t left, int32_t top, int32_t right, int32_t bottom,
                                int32_t LineWidth, uint32_t Color, uint16_t AMerge) {
  TMergeBinding bind(*this, AMerge, false);
  Rectangle(left, top, right, bottom, LineWidth, Color);
}

void TDib24Bits::CircleMerge(int32_t x0, int32_t y0, int32_t r, int32_t LineWidth, uint32_t Color,
                             uint16_t AMerge) {
  TMergeBinding bind(*this, AMerge, true);
  Circle(x0, y0, r, LineWidth, Color);
}

void TDib24Bits::SliceMerge(int32_t x0, int32_t y0, int32_t r, uint32_t Color, uint16_t AMerge) {
  TMergeBinding bind(*this, AMerge, true);
  Slice(x0, y0, r, Color);
}

void TDib24Bits::EllipseMerge(int32_t x0, int32_t y0, int32_t rx, int32_t ry, int32_t LineWidth,
                              uint32_t Color, uint16_t AMerge) {
  TMergeBinding bind(*this, AMerge, true);
  Ellipse(x0, y0, rx, ry, LineWidth, Color);
}

void TDib24Bits::FillEllipseMerge(int32_t x0, int32_t y0, int32_t rx, int32_t ry, uint32_t Color,
                                  uint16_t AMerge) {
  TMergeBinding bind(*this, AMerge, true);
  FillEllipse(x0, y0, rx, ry, Color);
}

void TDib24Bits::PolygonMerge(int32_t x, int32_t y, int32_t Num, int32_t Radius,
                              int32_t StartAngle, uint32_t Color, uint16_t AMerge) {
  TMergeBinding bind(*this, AMerge, true);
  Polygon(x, y, Num, Radius, StartAngle, 1, Color);
}

void TDib24Bits::PetalMerge(int32_t x, int32_t y, int32_t r, int32_t n, int32_t StartAngle,
                            uint32_t Color, uint16_t AMerge) {
  TMergeBinding bind(*this, AMerge, false);
  Petal(x, y, r, n, StartAngle, Color);
}

}  // namespace zkw
