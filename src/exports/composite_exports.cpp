// Exports of the draws of one DIB object into another (the target's handle comes first).
#include "dib/dib_base.h"
#include "exports/zkwgdi32.h"

using zkw::GuardedVoid;
using zkw::TDibBaseObj;

namespace {
TDibBaseObj* D(void* h) { return static_cast<TDibBaseObj*>(h); }
}  // namespace

ZKW_EXPORT void ZKWAPI dibDrawTransparent(void* Target, int32_t x, int32_t y, void* Dib,
                                          int32_t dx, int32_t dy) {
  GuardedVoid([&] { D(Target)->DrawTransparent(x, y, D(Dib), dx, dy); });
}
ZKW_EXPORT void ZKWAPI dibDrawShadow(void* Target, int32_t x, int32_t y, void* Dib, int32_t dx,
                                     int32_t dy, uint16_t Rate) {
  GuardedVoid([&] { D(Target)->DrawShadow(x, y, D(Dib), dx, dy, Rate); });
}
ZKW_EXPORT void ZKWAPI dibDrawPeace(void* Target, int32_t x, int32_t y, void* Dib, int32_t xx,
                                    int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy) {
  GuardedVoid([&] { D(Target)->DrawPeace(x, y, D(Dib), xx, yy, w, h, dx, dy); });
}
ZKW_EXPORT void ZKWAPI dibDrawPeaceShadow(void* Target, int32_t x, int32_t y, void* Dib,
                                          int32_t xx, int32_t yy, int32_t w, int32_t h,
                                          int32_t dx, int32_t dy, uint16_t Rate) {
  GuardedVoid([&] { D(Target)->DrawPeaceShadow(x, y, D(Dib), xx, yy, w, h, dx, dy, Rate); });
}
ZKW_EXPORT void ZKWAPI dibDrawArea(void* Target, int32_t x, int32_t y, void* Dib, int32_t xx,
                                   int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy) {
  GuardedVoid([&] { D(Target)->DrawArea(x, y, D(Dib), xx, yy, w, h, dx, dy); });
}
ZKW_EXPORT void ZKWAPI dibDrawMerge(void* Target, int32_t x, int32_t y, void* Dib, int32_t xx,
                                    int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy,
                                    uint16_t Rate) {
  GuardedVoid([&] { D(Target)->DrawMerge(x, y, D(Dib), xx, yy, w, h, dx, dy, Rate); });
}
ZKW_EXPORT void ZKWAPI dibDrawMergeOpaque(void* Target, int32_t x, int32_t y, void* Dib,
                                          int32_t xx, int32_t yy, int32_t w, int32_t h,
                                          int32_t dx, int32_t dy, uint16_t Rate) {
  GuardedVoid([&] { D(Target)->DrawMergeOpaque(x, y, D(Dib), xx, yy, w, h, dx, dy, Rate); });
}
ZKW_EXPORT void ZKWAPI dibDrawNormalOnLineY(void* Target, int32_t x, int32_t y, void* Dib,
                                            int32_t xx, int32_t yy, int32_t w, int32_t h,
                                            int32_t dx, int32_t dy, const int16_t* Lines,
                                            int32_t delta) {
  GuardedVoid(
      [&] { D(Target)->DrawNormalOnLineY(x, y, D(Dib), xx, yy, w, h, dx, dy, Lines, delta); });
}
ZKW_EXPORT void ZKWAPI dibDrawOnLineY(void* Target, int32_t x, int32_t y, void* Dib, int32_t xx,
                                      int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy,
                                      const int16_t* Lines, int32_t delta) {
  GuardedVoid([&] { D(Target)->DrawOnLineY(x, y, D(Dib), xx, yy, w, h, dx, dy, Lines, delta); });
}
ZKW_EXPORT void ZKWAPI dibDrawMergeOnLineY(void* Target, int32_t x, int32_t y, void* Dib,
                                           int32_t xx, int32_t yy, int32_t w, int32_t h,
                                           int32_t dx, int32_t dy, const int16_t* Lines,
                                           int32_t delta, int32_t Rate) {
  GuardedVoid([&] {
    D(Target)->DrawMergeOnLineY(x, y, D(Dib), xx, yy, w, h, dx, dy, Lines, delta, Rate);
  });
}
ZKW_EXPORT void ZKWAPI dibDrawOnLineX(void* Target, int32_t x, int32_t y, void* Dib, int32_t xx,
                                      int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy,
                                      const int16_t* Lines, int32_t delta) {
  GuardedVoid([&] { D(Target)->DrawOnLineX(x, y, D(Dib), xx, yy, w, h, dx, dy, Lines, delta); });
}
ZKW_EXPORT void ZKWAPI dibDrawNormalOnLineX(void* Target, int32_t x, int32_t y, void* Dib,
                                            int32_t xx, int32_t yy, int32_t w, int32_t h,
                                            int32_t dx, int32_t dy, const int16_t* Lines,
                                            int32_t delta) {
  GuardedVoid(
      [&] { D(Target)->DrawNormalOnLineX(x, y, D(Dib), xx, yy, w, h, dx, dy, Lines, delta); });
}
ZKW_EXPORT void ZKWAPI dibDrawMergeOnLineX(void* Target, int32_t x, int32_t y, void* Dib,
                                           int32_t xx, int32_t yy, int32_t w, int32_t h,
                                           int32_t dx, int32_t dy, const int16_t* Lines,
                                           int32_t delta, int32_t Rate) {
  GuardedVoid([&] {
    D(Target)->DrawMergeOnLineX(x, y, D(Dib), xx, yy, w, h, dx, dy, Lines, delta, Rate);
  });
}
