// Exports of the transforms of DIB objects, the offset-table fillers and smooth drawing.
#include "dib/dib24.h"
#include "dib/gp_draw.h"
#include "dib/transform_ops.h"
#include "exports/zkwgdi32.h"
#include "platform/plat_imaging.h"

using zkw::Guarded;
using zkw::GuardedVoid;
using zkw::TDibBaseObj;

namespace {
TDibBaseObj* D(void* h) { return static_cast<TDibBaseObj*>(h); }
}  // namespace

ZKW_EXPORT void ZKWAPI dibScale(void* Target, int32_t x, int32_t y, int32_t rx, int32_t ry,
                                void* Dib) {
  GuardedVoid([&] { D(Target)->Scale(x, y, rx, ry, D(Dib)); });
}
ZKW_EXPORT void ZKWAPI dibScaleShadow(void* Target, uint16_t x, uint16_t y, int32_t rx,
                                      int32_t ry, uint16_t Shad, void* Dib) {
  GuardedVoid([&] { D(Target)->ScaleShadow(x, y, rx, ry, Shad, D(Dib)); });
}
ZKW_EXPORT void ZKWAPI dibRotate(void* Target, int32_t x, int32_t y, int32_t Angle, void* Dib) {
  GuardedVoid([&] { D(Target)->Rotate(x, y, Angle, D(Dib)); });
}
ZKW_EXPORT void ZKWAPI dibScaleRotate(void* Target, int32_t x, int32_t y, int32_t rx, int32_t ry,
                                      uint16_t Angle, void* Dib) {
  GuardedVoid([&] { D(Target)->ScaleRotate(x, y, rx, ry, Angle, D(Dib)); });
}
ZKW_EXPORT void ZKWAPI dibScaleEx(void* Target, int32_t x, int32_t y, int32_t rx, int32_t ry,
                                  void* Dib, int32_t xx, int32_t yy, int32_t w, int32_t h,
                                  uint16_t AMerge) {
  GuardedVoid([&] { D(Target)->ScaleEx(x, y, rx, ry, D(Dib), xx, yy, w, h, AMerge); });
}
ZKW_EXPORT void ZKWAPI dibRotateEx(void* Target, int32_t x, int32_t y, int32_t Angle, void* Dib,
                                   int32_t xx, int32_t yy, int32_t w, int32_t h, uint16_t AMerge) {
  GuardedVoid([&] { D(Target)->RotateEx(x, y, Angle, D(Dib), xx, yy, w, h, AMerge); });
}
ZKW_EXPORT void ZKWAPI dibScaleRotateEx(void* Target, int32_t x, int32_t y, int32_t rx,
                                        int32_t ry, uint16_t Angle, void* Dib, int32_t xx,
                                        int32_t yy, int32_t w, int32_t h, uint16_t AMerge) {
  GuardedVoid(
      [&] { D(Target)->ScaleRotateEx(x, y, rx, ry, Angle, D(Dib), xx, yy, w, h, AMerge); });
}
ZKW_EXPORT void* ZKWAPI dibGetScaleDib(int32_t rx, int32_t ry, void* Dib) {
  return Guarded<void*>(nullptr, [&]() -> void* { return zkw::GetScaleDib(rx, ry, D(Dib)); });
}

ZKW_EXPORT void ZKWAPI dibShear(void* Target, int32_t x, int32_t y, int32_t OrgX, int32_t OrgY,
                                double hx, double hy, void* Dib) {
  GuardedVoid([&] { D(Target)->Shear(x, y, OrgX, OrgY, hx, hy, D(Dib)); });
}
ZKW_EXPORT void ZKWAPI dibRunScaleY(void* Target, int32_t x, int32_t y, void* Dib,
                                    const int16_t* LData, int32_t OrgX, int32_t Limit) {
  GuardedVoid([&] { D(Target)->RunScaleY(x, y, D(Dib), LData, OrgX, Limit); });
}
ZKW_EXPORT void ZKWAPI dibRunScaleX(void* Target, int32_t x, int32_t y, void* Dib,
                                    const int16_t* ALine, int32_t OrgY, int32_t Limit) {
  GuardedVoid([&] { D(Target)->RunScaleX(x, y, D(Dib), ALine, OrgY, Limit); });
}
ZKW_EXPORT void ZKWAPI dibDrawScaledColumn(void* Target, int32_t x, int32_t y, void* Dib,
                                           int32_t Rate, int32_t Column) {
  GuardedVoid([&] { D(Target)->DrawScaledColumn(x, y, D(Dib), Rate, Column); });
}
ZKW_EXPORT void ZKWAPI dibDrawScaledRow(void* Target, int32_t x, int32_t y, void* Dib,
                                        int32_t Rate, int32_t Row) {
  GuardedVoid([&] { D(Target)->DrawScaledRow(x, y, D(Dib), Rate, Row); });
}
ZKW_EXPORT void ZKWAPI dibFlipVertical(void* Dib) {
  GuardedVoid([&] { D(Dib)->FlipVertical(); });
}
ZKW_EXPORT void ZKWAPI dibFlipHorizontal(void* Dib) {
  GuardedVoid([&] { D(Dib)->FlipHorizontal(); });
}

ZKW_EXPORT void ZKWAPI GetLine(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int16_t* Values,
                               int32_t Mode) {
  GuardedVoid([&] { zkw::GetLine(X1, Y1, X2, Y2, Values, Mode); });
}
ZKW_EXPORT void ZKWAPI GetSinLine(double A, double B, int16_t* Values) {
  GuardedVoid([&] { zkw::GetSinLine(A, B, Values); });
}

ZKW_EXPORT int32_t ZKWAPI zkwImagingStartup() {
  return Guarded<int32_t>(0, [] { return plat::ImagingStartup() ? 1 : 0; });
}
ZKW_EXPORT void ZKWAPI zkwImagingShutdown() {
  GuardedVoid([] { plat::ImagingShutdown(); });
}
ZKW_EXPORT void ZKWAPI zkwDrawDibRotated(void* dc, int32_t x, int32_t y, int32_t V, int32_t H,
                                         float t, void* Dib, int32_t Angle) {
  GuardedVoid([&] {
    if (Dib && D(Dib)->RequireGPBitmap())
      zkw::DrawImageRotated(dc, x, y, V, H, t, D(Dib)->GPImage(), Angle);
  });
}
ZKW_EXPORT void ZKWAPI zkwDrawDibScaled(void* dc, int32_t x, int32_t y, int32_t V, int32_t H,
                                        float t, void* Dib, float ScaleY, float ScaleX) {
  GuardedVoid([&] {
    if (Dib && D(Dib)->RequireGPBitmap())
      zkw::DrawImageScaled(dc, x, y, V, H, t, D(Dib)->GPImage(), ScaleY, ScaleX);
  });
}
ZKW_EXPORT void ZKWAPI zkwDrawDibScaledRotated(void* dc, int32_t x, int32_t y, int32_t V,
                                               int32_t H, float t, void* Dib, float ScaleY,
                                               float ScaleX, int32_t Angle) {
  GuardedVoid([&] {
    if (Dib && D(Dib)->RequireGPBitmap())
      zkw::DrawImageScaledRotated(dc, x, y, V, H, t, D(Dib)->GPImage(), ScaleY, ScaleX, Angle);
  });
}
