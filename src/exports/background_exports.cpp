// Exports of the generated backgrounds.
#include <algorithm>

#include "colour/backgrounds.h"
#include "exports/zkwgdi32.h"

using zkw::GuardedVoid;

namespace {
zkw::TDibBaseObj* D(void* h) { return static_cast<zkw::TDibBaseObj*>(h); }
}  // namespace

ZKW_EXPORT void ZKWAPI RectangleGround(void* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                                       int32_t x2, int32_t y2) {
  GuardedVoid([&] { zkw::RectangleGround(D(Dib), C1, C2, x1, y1, x2, y2); });
}
ZKW_EXPORT void ZKWAPI HorzCenterGround(void* Dib, uint8_t C1, uint8_t C2, int32_t x1,
                                        int32_t y1, int32_t x2, int32_t y2) {
  GuardedVoid([&] { zkw::HorzCenterGround(D(Dib), C1, C2, x1, y1, x2, y2); });
}
ZKW_EXPORT void ZKWAPI HorizonGround(void* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                                     int32_t x2, int32_t y2) {
  GuardedVoid([&] { zkw::HorizonGround(D(Dib), C1, C2, x1, y1, x2, y2); });
}
ZKW_EXPORT void ZKWAPI VerticalGround(void* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                                      int32_t x2, int32_t y2) {
  GuardedVoid([&] { zkw::VerticalGround(D(Dib), C1, C2, x1, y1, x2, y2); });
}
ZKW_EXPORT void ZKWAPI VertCenterGround(void* Dib, uint8_t C1, uint8_t C2, int32_t x1,
                                        int32_t y1, int32_t x2, int32_t y2) {
  GuardedVoid([&] { zkw::VertCenterGround(D(Dib), C1, C2, x1, y1, x2, y2); });
}
ZKW_EXPORT void ZKWAPI CircleGround(void* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                                    int32_t x2, int32_t y2) {
  GuardedVoid([&] { zkw::CircleGround(D(Dib), C1, C2, x1, y1, x2, y2); });
}
ZKW_EXPORT void ZKWAPI HorzSineGround(void* Dib, uint8_t C1, uint8_t C2, int32_t Period,
                                      int32_t Amp, int32_t x1, int32_t y1, int32_t x2,
                                      int32_t y2) {
  GuardedVoid([&] { zkw::HorzSineGround(D(Dib), C1, C2, Period, Amp, x1, y1, x2, y2); });
}
ZKW_EXPORT void ZKWAPI VertSineGround(void* Dib, uint8_t C1, uint8_t C2, int32_t Period,
                                      int32_t Amp, int32_t x1, int32_t y1, int32_t x2,
                                      int32_t y2) {
  GuardedVoid([&] { zkw::VertSineGround(D(Dib), C1, C2, Period, Amp, x1, y1, x2, y2); });
}
ZKW_EXPORT void ZKWAPI BorderGround(void* Dib, uint32_t Color, uint32_t Color2, int32_t Step,
                                    int32_t Offset, int32_t Thick, int32_t x1, int32_t y1,
                                    int32_t x2, int32_t y2) {
  GuardedVoid(
      [&] { zkw::BorderGround(D(Dib), Color, Color2, Step, Offset, Thick, x1, y1, x2, y2); });
}
ZKW_EXPORT void ZKWAPI BandsGround(void* Dib, uint8_t C1, uint8_t C2, uint8_t Vertical,
                                   int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  GuardedVoid([&] { zkw::BandsGround(D(Dib), C1, C2, Vertical != 0, x1, y1, x2, y2); });
}
ZKW_EXPORT int32_t ZKWAPI PolygonGround(void* Dib, uint8_t C1, uint8_t C2, int32_t Num,
                                        int32_t Density, uint8_t Outward, int32_t x1,
                                        int32_t y1, int32_t x2, int32_t y2) {
  return zkw::Guarded<int32_t>(0, [&] {
    int64_t h = zkw::PolygonGround(D(Dib), C1, C2, Num, Density, Outward != 0, x1, y1, x2, y2);
    return static_cast<int32_t>(std::min<int64_t>(h, INT32_MAX));
  });
}
