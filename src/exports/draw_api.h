// Exported drawing and compositing of DIB objects: shapes, filled rectangles, blended shapes
// and the draws of one image into another. Each forwards to the operation of the same name
// without the dib prefix; colours are palette indexes on 8-bit images and COLORREFs on 24-bit
// images; Word arguments (AMerge, Shad, Rate) count their low 16 bits.
#pragma once
#include <cstdint>

#include "exports/api.h"

// --- Shapes ---------------------------------------------------------------------------------
ZKW_EXPORT void ZKWAPI dibBar(void* Dib, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                              uint32_t Color);
ZKW_EXPORT void ZKWAPI dibBarShadow(void* Dib, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                    uint16_t Shad);
ZKW_EXPORT void ZKWAPI dibBarMerge(void* Dib, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                   uint32_t Color, uint16_t AMerge);
ZKW_EXPORT void ZKWAPI dibLine(void* Dib, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                               uint32_t Color);
ZKW_EXPORT void ZKWAPI dibLineEx(void* Dib, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                                 int32_t Thick, uint32_t Color);
ZKW_EXPORT void ZKWAPI dibRectangle(void* Dib, int32_t left, int32_t top, int32_t right,
                                    int32_t bottom, int32_t LineWidth, uint32_t Color);
ZKW_EXPORT void ZKWAPI dibCircle(void* Dib, int32_t x0, int32_t y0, int32_t r, int32_t LineWidth,
                                 uint32_t Color);
ZKW_EXPORT void ZKWAPI dibSlice(void* Dib, int32_t x0, int32_t y0, int32_t r, uint32_t Color);
ZKW_EXPORT void ZKWAPI dibEllipse(void* Dib, int32_t x0, int32_t y0, int32_t rx, int32_t ry,
                                  int32_t LineWidth, uint32_t Color);
ZKW_EXPORT void ZKWAPI dibFillEllipse(void* Dib, int32_t x0, int32_t y0, int32_t rx, int32_t ry,
                                      uint32_t Color);
ZKW_EXPORT void ZKWAPI dibPolygon(void* Dib, int32_t x, int32_t y, int32_t Num, int32_t Radius,
                                  int32_t StartAngle, int32_t Thick, uint32_t Color);
ZKW_EXPORT void ZKWAPI dibPetal(void* Dib, int32_t x, int32_t y, int32_t r, int32_t n,
                                int32_t StartAngle, uint32_t Color);
ZKW_EXPORT void ZKWAPI dibFloodFill(void* Dib, int32_t x, int32_t y, uint32_t AColor);
ZKW_EXPORT void ZKWAPI dibLineMerge(void* Dib, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                                    uint32_t Color, uint16_t AMerge);
ZKW_EXPORT void ZKWAPI dibRectangleMerge(void* Dib, int32_t left, int32_t top, int32_t right,
                                         int32_t bottom, int32_t LineWidth, uint32_t Color,
                                         uint16_t AMerge);
ZKW_EXPORT void ZKWAPI dibCircleMerge(void* Dib, int32_t x0, int32_t y0, int32_t r,
                                      int32_t LineWidth, uint32_t Color, uint16_t AMerge);
ZKW_EXPORT void ZKWAPI dibSliceMerge(void* Dib, int32_t x0, int32_t y0, int32_t r,
                                     uint32_t Color, uint16_t AMerge);
ZKW_EXPORT void ZKWAPI dibEllipseMerge(void* Dib, int32_t x0, int32_t y0, int32_t rx, int32_t ry,
                                       int32_t LineWidth, uint32_t Color, uint16_t AMerge);
ZKW_EXPORT void ZKWAPI dibFillEllipseMerge(void* Dib, int32_t x0, int32_t y0, int32_t rx,
                                           int32_t ry, uint32_t Color, uint16_t AMerge);
ZKW_EXPORT void ZKWAPI dibPolygonMerge(void* Dib, int32_t x, int32_t y, int32_t Num,
                                       int32_t Radius, int32_t StartAngle, uint32_t Color,
                                       uint16_t AMerge);
ZKW_EXPORT void ZKWAPI dibPetalMerge(void* Dib, int32_t x, int32_t y, int32_t r, int32_t n,
                                     int32_t StartAngle, uint32_t Color, uint16_t AMerge);

// --- One image into another (the target first, then the source Dib) --------------------------
ZKW_EXPORT void ZKWAPI dibDrawTransparent(void* Target, int32_t x, int32_t y, void* Dib,
                                          int32_t dx, int32_t dy);
ZKW_EXPORT void ZKWAPI dibDrawShadow(void* Target, int32_t x, int32_t y, void* Dib, int32_t dx,
                                     int32_t dy, uint16_t Rate);
ZKW_EXPORT void ZKWAPI dibDrawPeace(void* Target, int32_t x, int32_t y, void* Dib, int32_t xx,
                                    int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy);
ZKW_EXPORT void ZKWAPI dibDrawPeaceShadow(void* Target, int32_t x, int32_t y, void* Dib,
                                          int32_t xx, int32_t yy, int32_t w, int32_t h,
                                          int32_t dx, int32_t dy, uint16_t Rate);
ZKW_EXPORT void ZKWAPI dibDrawArea(void* Target, int32_t x, int32_t y, void* Dib, int32_t xx,
                                   int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy);
ZKW_EXPORT void ZKWAPI dibDrawMerge(void* Target, int32_t x, int32_t y, void* Dib, int32_t xx,
                                    int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy,
                                    uint16_t Rate);
ZKW_EXPORT void ZKWAPI dibDrawMergeOpaque(void* Target, int32_t x, int32_t y, void* Dib,
                                          int32_t xx, int32_t yy, int32_t w, int32_t h,
                                          int32_t dx, int32_t dy, uint16_t Rate);
ZKW_EXPORT void ZKWAPI dibDrawNormalOnLineY(void* Target, int32_t x, int32_t y, void* Dib,
                                            int32_t xx, int32_t yy, int32_t w, int32_t h,
                                            int32_t dx, int32_t dy, const int16_t* Lines,
                                            int32_t delta);
ZKW_EXPORT void ZKWAPI dibDrawOnLineY(void* Target, int32_t x, int32_t y, void* Dib, int32_t xx,
                                      int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy,
                                      const int16_t* Lines, int32_t delta);
ZKW_EXPORT void ZKWAPI dibDrawMergeOnLineY(void* Target, int32_t x, int32_t y, void* Dib,
                                           int32_t xx, int32_t yy, int32_t w, int32_t h,
                                           int32_t dx, int32_t dy, const int16_t* Lines,
                                           int32_t delta, int32_t Rate);
ZKW_EXPORT void ZKWAPI dibDrawOnLineX(void* Target, int32_t x, int32_t y, void* Dib, int32_t xx,
                                      int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy,
                                      const int16_t* Lines, int32_t delta);
ZKW_EXPORT void ZKWAPI dibDrawNormalOnLineX(void* Target, int32_t x, int32_t y, void* Dib,
                                            int32_t xx, int32_t yy, int32_t w, int32_t h,
                                            int32_t dx, int32_t dy, const int16_t* Lines,
                                            int32_t delta);
ZKW_EXPORT void ZKWAPI dibDrawMergeOnLineX(void* Target, int32_t x, int32_t y, void* Dib,
                                           int32_t xx, int32_t yy, int32_t w, int32_t h,
                                           int32_t dx, int32_t dy, const int16_t* Lines,
                                           int32_t delta, int32_t Rate);
