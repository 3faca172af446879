// The three smooth-drawing routines on top of the image-drawing service.
#include "dib/gp_draw.h"

#include <algorithm>
#include <cmath>

#include "common/round.h"
#include "platform/plat_imaging.h"

namespace zkw {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Beyond this a coordinate or size is no drawing at all.
constexpr double kFar = 1e9;

const plat::ImagingImage* AsImage(void* p) { return static_cast<const plat::ImagingImage*>(p); }

// The translucency as the service takes it: 0..1, anything that is not a number is 0.
float Opacity(float t) { return std::isnan(t) ? 0.0f : std::clamp(t, 0.0f, 1.0f); }

// Anchor offset along an axis of `size` pixels: 0, size - 1 or size div 2.
int32_t Anchor(int32_t code, int32_t size) {
  return code == 1 ? 0 : code == 2 ? size - 1 : size / 2;
}

bool Near(double v) { return std::isfinite(v) && std::fabs(v) < kFar; }

// Draws the whole image into the parallelogram of the source points (0, 0), (W - 1, 0),
// (0, H - 1) mapped about the anchor: offsets from the anchor scaled by (sx, sy), then turned
// by Angle degrees, then placed at (x, y) + anchor. Corners are rounded to whole pixels.
void DrawTurned(plat::HDC dc, int32_t x, int32_t y, int32_t V, int32_t H, float t, void* image,
                double sx, double sy, int32_t Angle) {
  const plat::ImagingImage* img = AsImage(image);
  if (!plat::ImagingImageUsable(img)) return;
  const int32_t W = plat::ImagingImageWidth(img), Hh = plat::ImagingImageHeight(img);
  const double theta = Angle * kPi / 180;
  const double cs = std::cos(theta), sn = std::sin(theta);
  const double ax = Anchor(H, W), ay = Anchor(V, Hh);
  const double px[3] = {0, W - 1.0, 0}, py[3] = {0, 0, Hh - 1.0};
  plat::POINT dest[3];
  for (int k = 0; k < 3; ++k) {
    double u = (px[k] - ax) * sx, v = (py[k] - ay) * sy;
    double dx = x + ax + u * cs - v * sn;
    double dy = y + ay + u * sn + v * cs;
    if (!Near(dx) || !Near(dy)) return;
    dest[k] = {static_cast<plat::LONG>(Round(dx)), static_cast<plat::LONG>(Round(dy))};
  }
  plat::ImagingDraw how;
  how.SrcW = W;
  how.SrcH = Hh;
  how.Opacity = Opacity(t);
  plat::ImagingDrawPoints(dc, img, dest, how);
}

}  // namespace

void DrawImageRotated(plat::HDC dc, int32_t x, int32_t y, int32_t V, int32_t H, float t,
                      void* image, int32_t Angle) {
  DrawTurned(dc, x, y, V, H, t, image, 1.0, 1.0, Angle);
}

void DrawImageScaledRotated(plat::HDC dc, int32_t x, int32_t y, int32_t V, int32_t H, float t,
                            void* image, float ScaleY, float ScaleX, int32_t Angle) {
  DrawTurned(dc, x, y, V, H, t, image, ScaleX, ScaleY, Angle);
}

void DrawImageScaled(plat::HDC dc, int32_t x, int32_t y, int32_t V, int32_t H, float t,
                     void* image, float ScaleY, float ScaleX) {
  const plat::ImagingImage* img = AsImage(image);
  if (!plat::ImagingImageUsable(img)) return;
  const int32_t W = plat::ImagingImageWidth(img), Hh = plat::ImagingImageHeight(img);
  const double sw = W * static_cast<double>(ScaleX), sh = Hh * static_cast<double>(ScaleY);
  if (!Near(sw) || !Near(sh)) return;
  const int64_t w = Round(sw), h = Round(sh);
  // Aligned in the unscaled box: left / top, right / bottom or centred.
  auto offset = [](int32_t code, int64_t size, int64_t scaled) -> int64_t {
    if (code == 1) return 0;
    if (code == 2) return size - scaled;
    return (size - scaled) / 2;
  };
  const int64_t left = x + offset(H, W, w), top = y + offset(V, Hh, h);
  if (!Near(static_cast<double>(left)) || !Near(static_cast<double>(top))) return;
  plat::ImagingDraw how;
  how.SrcW = W;
  how.SrcH = Hh;
  how.Opacity = Opacity(t);
  how.Smooth = true;
  plat::ImagingDrawRect(dc, img, static_cast<int32_t>(left), static_cast<int32_t>(top),
                        static_cast<int32_t>(w), static_cast<int32_t>(h), how);
}

}  // namespace zkw
