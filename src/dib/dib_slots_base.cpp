// Base-class behaviour of the drawing, compositing and transform slots: an image of no
// particular depth draws nothing. TDib8Bits and TDib24Bits override what they support; the
// slots both of them implement (Bar, BarShadow, the plain and shadow draws) are pure virtual.
// ScaleShadow is implemented by the base class itself (transform_scale.cpp).
#include "dib/dib_base.h"

namespace zkw {

void TDibBaseObj::DrawScaledColumn(int32_t, int32_t, TDibBaseObj*, int32_t, int32_t) {}
void TDibBaseObj::DrawScaledRow(int32_t, int32_t, TDibBaseObj*, int32_t, int32_t) {}
void TDibBaseObj::BarMerge(int32_t, int32_t, int32_t, int32_t, uint32_t, uint16_t) {}
void TDibBaseObj::Shear(int32_t, int32_t, int32_t, int32_t, double, double, TDibBaseObj*) {}
void TDibBaseObj::ScaleEx(int32_t, int32_t, int32_t, int32_t, TDibBaseObj*, int32_t, int32_t,
                          int32_t, int32_t, uint16_t) {}
void TDibBaseObj::RotateEx(int32_t, int32_t, int32_t, TDibBaseObj*, int32_t, int32_t, int32_t,
                           int32_t, uint16_t) {}
void TDibBaseObj::ScaleRotateEx(int32_t, int32_t, int32_t, int32_t, uint16_t, TDibBaseObj*,
                                int32_t, int32_t, int32_t, int32_t, uint16_t) {}
void TDibBaseObj::LineMerge(int32_t, int32_t, int32_t, int32_t, uint32_t, uint16_t) {}
void TDibBaseObj::RectangleMerge(int32_t, int32_t, int32_t, int32_t, int32_t, uint32_t,
                                 uint16_t) {}
void TDibBaseObj::CircleMerge(int32_t, int32_t, int32_t, int32_t, uint32_t, uint16_t) {}
void TDibBaseObj::SliceMerge(int32_t, int32_t, int32_t, uint32_t, uint16_t) {}
void TDibBaseObj::EllipseMerge(int32_t, int32_t, int32_t, int32_t, int32_t, uint32_t, uint16_t) {}
void TDibBaseObj::FillEllipseMerge(int32_t, int32_t, int32_t, int32_t, uint32_t, uint16_t) {}
void TDibBaseObj::PolygonMerge(int32_t, int32_t, int32_t, int32_t, int32_t, uint32_t, uint16_t) {}
void TDibBaseObj::PetalMerge(int32_t, int32_t, int32_t, int32_t, int32_t, uint32_t, uint16_t) {}
void TDibBaseObj::DrawMerge(int32_t, int32_t, TDibBaseObj*, int32_t, int32_t, int32_t, int32_t,
                            int32_t, int32_t, uint16_t) {}
void TDibBaseObj::DrawMergeOpaque(int32_t, int32_t, TDibBaseObj*, int32_t, int32_t, int32_t,
                                  int32_t, int32_t, int32_t, uint16_t) {}
void TDibBaseObj::DrawNormalOnLineY(int32_t, int32_t, TDibBaseObj*, int32_t, int32_t, int32_t,
                                    int32_t, int32_t, int32_t, const int16_t*, int32_t) {}
void TDibBaseObj::DrawOnLineY(int32_t, int32_t, TDibBaseObj*, int32_t, int32_t, int32_t, int32_t,
                              int32_t, int32_t, const int16_t*, int32_t) {}
void TDibBaseObj::DrawMergeOnLineY(int32_t, int32_t, TDibBaseObj*, int32_t, int32_t, int32_t,
                                   int32_t, int32_t, int32_t, const int16_t*, int32_t, int32_t) {}
void TDibBaseObj::DrawOnLineX(int32_t, int32_t, TDibBaseObj*, int32_t, int32_t, int32_t, int32_t,
                              int32_t, int32_t, const int16_t*, int32_t) {}
void TDibBaseObj::DrawNormalOnLineX(int32_t, int32_t, TDibBaseObj*, int32_t, int32_t, int32_t,
                                    int32_t, int32_t, int32_t, const int16_t*, int32_t) {}
void TDibBaseObj::DrawMergeOnLineX(int32_t, int32_t, TDibBaseObj*, int32_t, int32_t, int32_t,
                                   int32_t, int32_t, int32_t, const int16_t*, int32_t, int32_t) {}
void TDibBaseObj::Scale(int32_t, int32_t, int32_t, int32_t, TDibBaseObj*) {}
void TDibBaseObj::Rotate(int32_t, int32_t, int32_t, TDibBaseObj*) {}
void TDibBaseObj::ScaleRotate(int32_t, int32_t, int32_t, int32_t, uint16_t, TDibBaseObj*) {}

}  // namespace zkw
