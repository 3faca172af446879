// Exports of the shape and rectangle drawing of DIB objects (plain and blended).
#include "dib/dib_base.h"
#include "exports/zkwgdi32.h"

using zkw::GuardedVoid;
using zkw::TDibBaseObj;

namespace {
TDibBaseObj* D(void* h) { return static_cast<TDibBaseObj*>(h); }
}  // namespace

ZKW_EXPORT void ZKWAPI dibBar(void* Dib, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                              uint32_t Color) {
  GuardedVoid([&] { D(Dib)->Bar(x1, y1, x2, y2, Color); });
}
ZKW_EXPORT void ZKWAPI dibBarShadow(void* Dib, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                    uint16_t Shad) {
  GuardedVoid([&] { D(Dib)->BarShadow(x1, y1, x2, y2, Shad); });
}
ZKW_EXPORT void ZKWAPI dibBarMerge(void* Dib, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                   uint32_t Color, uint16_t AMerge) {
  GuardedVoid([&] { D(Dib)->BarMerge(x1, y1, x2, y2, Color, AMerge); });
}
ZKW_EXPORT void ZKWAPI dibLine(void* Dib, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                               uint32_t Color) {
  GuardedVoid([&] { D(Dib)->Line(x0, y0, x1, y1, Color); });
}
ZKW_EXPORT void ZKWAPI dibLineEx(void* Dib, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                                 int32_t Thick, uint32_t Color) {
  GuardedVoid([&] { D(Dib)->LineEx(x0, y0, x1, y1, Thick, Color); });
}
ZKW_EXPORT void ZKWAPI dibRectangle(void* Dib, int32_t left, int32_t top, int32_t right,
                                    int32_t bottom, int32_t LineWidth, uint32_t Color) {
  GuardedVoid([&] { D(Dib)->Rectangle(left, top, right, bottom, LineWidth, Color); });
}
ZKW_EXPORT void ZKWAPI dibCircle(void* Dib, int32_t x0, int32_t y0, int32_t r, int32_t LineWidth,
                                 uint32_t Color) {
  GuardedVoid([&] { D(Dib)->Circle(x0, y0, r, LineWidth, Color); });
}
ZKW_EXPORT void ZKWAPI dibSlice(void* Dib, int32_t x0, int32_t y0, int32_t r, uint32_t Color) {
  GuardedVoid([&] { D(Dib)->Slice(x0, y0, r, Color); });
}
ZKW_EXPORT void ZKWAPI dibEllipse(void* Dib, int32_t x0, int32_t y0, int32_t rx, int32_t ry,
                                  int32_t LineWidth, uint32_t Color) {
  GuardedVoid([&] { D(Dib)->Ellipse(x0, y0, rx, ry, LineWidth, Color); });
}
ZKW_EXPORT void ZKWAPI dibFillEllipse(void* Dib, int32_t x0, int32_t y0, int32_t rx, int32_t ry,
                                      uint32_t Color) {
  GuardedVoid([&] { D(Dib)->FillEllipse(x0, y0, rx, ry, Color); });
}
ZKW_EXPORT void ZKWAPI dibPolygon(void* Dib, int32_t x, int32_t y, int32_t Num, int32_t Radius,
                                  int32_t StartAngle, int32_t Thick, uint32_t Color) {
  GuardedVoid([&] { D(Dib)->Polygon(x, y, Num, Radius, StartAngle, Thick, Color); });
}
ZKW_EXPORT void ZKWAPI dibPetal(void* Dib, int32_t x, int32_t y, int32_t r, int32_t n,
                                int32_t StartAngle, uint32_t Color) {
  GuardedVoid([&] { D(Dib)->Petal(x, y, r, n, StartAngle, Color); });
}
ZKW_EXPORT void ZKWAPI dibFloodFill(void* Dib, int32_t x, int32_t y, uint32_t AColor) {
  GuardedVoid([&] { D(Dib)->FloodFill(x, y, AColor); });
}
ZKW_EXPORT void ZKWAPI dibLineMerge(void* Dib, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                                    uint32_t Color, uint16_t AMerge) {
  GuardedVoid([&] { D(Dib)->LineMerge(x0, y0, x1, y1, Color, AMerge); });
}
ZKW_EXPORT void ZKWAPI dibRectangleMerge(void* Dib, int32_t left, int32_t top, int32_t right,
                                         int32_t bottom, int32_t LineWidth, uint32_t Color,
                                         uint16_t AMerge) {
  GuardedVoid(
      [&] { D(Dib)->RectangleMerge(left, top, right, bottom, LineWidth, Color, AMerge); });
}
ZKW_EXPORT void ZKWAPI dibCircleMerge(void* Dib, int32_t x0, int32_t y0, int32_t r,
                                      int32_t LineWidth, uint32_t Color, uint16_t AMerge) {
  GuardedVoid([&] { D(Dib)->CircleMerge(x0, y0, r, LineWidth, Color, AMerge); });
}
ZKW_EXPORT void ZKWAPI dibSliceMerge(void* Dib, int32_t x0, int32_t y0, int32_t r,
                                     uint32_t Color, uint16_t AMerge) {
  GuardedVoid([&] { D(Dib)->SliceMerge(x0, y0, r, Color, AMerge); });
}
ZKW_EXPORT void ZKWAPI dibEllipseMerge(void* Dib, int32_t x0, int32_t y0, int32_t rx, int32_t ry,
                                       int32_t LineWidth, uint32_t Color, uint16_t AMerge) {
  GuardedVoid([&] { D(Dib)->EllipseMerge(x0, y0, rx, ry, LineWidth, Color, AMerge); });
}
ZKW_EXPORT void ZKWAPI dibFillEllipseMerge(void* Dib, int32_t x0, int32_t y0, int32_t rx,
                                           int32_t ry, uint32_t Color, uint16_t AMerge) {
  GuardedVoid([&] { D(Dib)->FillEllipseMerge(x0, y0, rx, ry, Color, AMerge); });
}
ZKW_EXPORT void ZKWAPI dibPolygonMerge(void* Dib, int32_t x, int32_t y, int32_t Num,
                                       int32_t Radius, int32_t StartAngle, uint32_t Color,
                                       uint16_t AMerge) {
  GuardedVoid([&] { D(Dib)->PolygonMerge(x, y, Num, Radius, StartAngle, Color, AMerge); });
}
ZKW_EXPORT void ZKWAPI dibPetalMerge(void* Dib, int32_t x, int32_t y, int32_t r, int32_t n,
                                     int32_t StartAngle, uint32_t Color, uint16_t AMerge) {
  GuardedVoid([&] { D(Dib)->PetalMerge(x, y, r, n, StartAngle, Color, AMerge); });
}
