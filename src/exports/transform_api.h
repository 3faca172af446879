// Exported transforms of DIB objects: scaling, rotation, shear, run scaling and flips (each
// forwards to the operation of the same name without the dib prefix; the target first, then
// the operation's arguments with the source Dib where it stands), the scaled copy of an image,
// the offset-table fillers, and the host helpers of smooth drawing.
#pragma once
#include <cstdint>

#include "exports/api.h"

// --- Scaling and rotation ------------------------------------------------------------------
ZKW_EXPORT void ZKWAPI dibScale(void* Target, int32_t x, int32_t y, int32_t rx, int32_t ry,
                                void* Dib);
ZKW_EXPORT void ZKWAPI dibScaleShadow(void* Target, uint16_t x, uint16_t y, int32_t rx,
                                      int32_t ry, uint16_t Shad, void* Dib);
ZKW_EXPORT void ZKWAPI dibRotate(void* Target, int32_t x, int32_t y, int32_t Angle, void* Dib);
ZKW_EXPORT void ZKWAPI dibScaleRotate(void* Target, int32_t x, int32_t y, int32_t rx, int32_t ry,
                                      uint16_t Angle, void* Dib);
ZKW_EXPORT void ZKWAPI dibScaleEx(void* Target, int32_t x, int32_t y, int32_t rx, int32_t ry,
                                  void* Dib, int32_t xx, int32_t yy, int32_t w, int32_t h,
                                  uint16_t AMerge);
ZKW_EXPORT void ZKWAPI dibRotateEx(void* Target, int32_t x, int32_t y, int32_t Angle, void* Dib,
                                   int32_t xx, int32_t yy, int32_t w, int32_t h, uint16_t AMerge);
ZKW_EXPORT void ZKWAPI dibScaleRotateEx(void* Target, int32_t x, int32_t y, int32_t rx,
                                        int32_t ry, uint16_t Angle, void* Dib, int32_t xx,
                                        int32_t yy, int32_t w, int32_t h, uint16_t AMerge);
// A new 24-bit image (the caller frees it with FreeDibObject), or 0.
ZKW_EXPORT void* ZKWAPI dibGetScaleDib(int32_t rx, int32_t ry, void* Dib);

// --- Shear, run scaling, flips ---------------------------------------------------------------
ZKW_EXPORT void ZKWAPI dibShear(void* Target, int32_t x, int32_t y, int32_t OrgX, int32_t OrgY,
                                double hx, double hy, void* Dib);
ZKW_EXPORT void ZKWAPI dibRunScaleY(void* Target, int32_t x, int32_t y, void* Dib,
                                    const int16_t* LData, int32_t OrgX, int32_t Limit);
ZKW_EXPORT void ZKWAPI dibRunScaleX(void* Target, int32_t x, int32_t y, void* Dib,
                                    const int16_t* ALine, int32_t OrgY, int32_t Limit);
ZKW_EXPORT void ZKWAPI dibDrawScaledColumn(void* Target, int32_t x, int32_t y, void* Dib,
                                           int32_t Rate, int32_t Column);
ZKW_EXPORT void ZKWAPI dibDrawScaledRow(void* Target, int32_t x, int32_t y, void* Dib,
                                        int32_t Rate, int32_t Row);
ZKW_EXPORT void ZKWAPI dibFlipVertical(void* Dib);
ZKW_EXPORT void ZKWAPI dibFlipHorizontal(void* Dib);

// --- Offset tables (1025 entries per line) ---------------------------------------------------
ZKW_EXPORT void ZKWAPI GetLine(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int16_t* Values,
                               int32_t Mode);
ZKW_EXPORT void ZKWAPI GetSinLine(double A, double B, int16_t* Values);

// --- Smooth drawing (host helpers) -----------------------------------------------------------
// Start and stop the image-drawing service (GDI+ on Windows); the start returns 1 when it runs.
ZKW_EXPORT int32_t ZKWAPI zkwImagingStartup();
ZKW_EXPORT void ZKWAPI zkwImagingShutdown();
// Draw a DIB object's cached ARGB copy (built on first use) rotated, scaled or both; V and H
// are the alignment codes (1 top / left, 2 bottom / right, other centre), t the opacity 0..1.
ZKW_EXPORT void ZKWAPI zkwDrawDibRotated(void* dc, int32_t x, int32_t y, int32_t V, int32_t H,
                                         float t, void* Dib, int32_t Angle);
ZKW_EXPORT void ZKWAPI zkwDrawDibScaled(void* dc, int32_t x, int32_t y, int32_t V, int32_t H,
                                        float t, void* Dib, float ScaleY, float ScaleX);
ZKW_EXPORT void ZKWAPI zkwDrawDibScaledRotated(void* dc, int32_t x, int32_t y, int32_t V,
                                               int32_t H, float t, void* Dib, float ScaleY,
                                               float ScaleX, int32_t Angle);
