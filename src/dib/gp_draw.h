// Smooth drawing of an image's cached ARGB copy (TDibBaseObj::GPImage, built by
// RequireGPBitmap) onto a device context: rotated, scaled, or both, with bilinear filtering
// and a translucency factor t (0..1, every pixel's alpha multiplied by it). Nothing is drawn
// while the image-drawing service is not running or for an image made before it last stopped.
// Alignment codes of the anchor: 1 = left / top, 2 = right / bottom, any other = centre.
#pragma once
#include <cstdint>

#include "platform/plat_gdi.h"

namespace zkw {

// The image rotated by Angle degrees (clockwise on screen) about its anchor point, the
// unrotated image's top-left at (x, y). The source rectangle (0, 0, W, H) goes into the
// parallelogram of the rotated points (0, 0), (W - 1, 0), (0, H - 1).
void DrawImageRotated(plat::HDC dc, int32_t x, int32_t y, int32_t V, int32_t H, float t,
                      void* image, int32_t Angle);
// The image scaled to Round(W ScaleX) x Round(H ScaleY) and aligned in the box of the
// unscaled image at (x, y).
void DrawImageScaled(plat::HDC dc, int32_t x, int32_t y, int32_t V, int32_t H, float t,
                     void* image, float ScaleY, float ScaleX);
// As DrawImageRotated with the offsets from the anchor scaled first (ScaleX horizontally,
// ScaleY vertically).
void DrawImageScaledRotated(plat::HDC dc, int32_t x, int32_t y, int32_t V, int32_t H, float t,
                            void* image, float ScaleY, float ScaleX, int32_t Angle);

}  // namespace zkw
