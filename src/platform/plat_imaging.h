// The image-drawing service: smooth drawing of 32-bit ARGB images onto device contexts with an
// affine placement, bilinear filtering and a constant opacity. GDI+ (the flat API, loaded at
// run time) on Windows; pixman on Linux. The service runs between ImagingStartup and
// ImagingShutdown; images made while it runs become unusable when it stops.
#pragma once
#include <cstdint>

#include "platform/plat_gdi.h"

namespace plat {

// Starts the service (once; later calls while it runs only report that it runs). True when it
// runs afterwards.
bool ImagingStartup();
// Stops the service; images made so far can then only be freed.
void ImagingShutdown();
// The shared success flag: true between a successful start-up and the shut-down.
bool ImagingRunning();

// An image of the service.
struct ImagingImage;

// A new image of w x h pixels from non-premultiplied ARGB words (alpha << 24 | red << 16 |
// green << 8 | blue), top row first, w words a row. Null when the service is not running, the
// size is not positive or the image cannot be made.
ImagingImage* ImagingCreateImage(int32_t w, int32_t h, const uint32_t* argb);
// Frees an image (null is ignored); safe after the service stopped.
void ImagingFreeImage(ImagingImage* image);
// True when the image was made by the service as it runs now (not before a shut-down).
bool ImagingImageUsable(const ImagingImage* image);
int32_t ImagingImageWidth(const ImagingImage* image);
int32_t ImagingImageHeight(const ImagingImage* image);

// How an image is drawn: the source rectangle of the image, bilinear high-quality filtering,
// every pixel's alpha multiplied by Opacity (0..1), composited over the DC's pixels.
struct ImagingDraw {
  int32_t SrcX = 0, SrcY = 0, SrcW = 0, SrcH = 0;
  float Opacity = 1.0f;
  bool Smooth = false;  // anti-aliased smoothing (the scaling routine sets it)
};

// Draws the source rectangle into the parallelogram whose upper-left, upper-right and
// lower-left corners are dest[0], dest[1], dest[2]. False when nothing could be drawn.
bool ImagingDrawPoints(HDC dc, const ImagingImage* image, const POINT dest[3],
                       const ImagingDraw& how);
// Draws the source rectangle into the rectangle (x, y, w, h).
bool ImagingDrawRect(HDC dc, const ImagingImage* image, int32_t x, int32_t y, int32_t w,
                     int32_t h, const ImagingDraw& how);

}  // namespace plat
