// SmoothLineTo: an anti-aliased line of the pen colour and width on the frame buffer, with a
// round cap at its start. Each pixel near the line moves towards the colour by a weight taken
// from its distance to the ideal line.
#include <algorithm>
#include <cmath>

#include "dib/dib24.h"
#include "dib/dib_base.h"
#include "player/scene/dib_animator.h"
#include "script/execute.h"

namespace zkw {

namespace {

double Clamp01(double W) { return W < 0 ? 0 : (W > 1 ? 1 : W); }

// Moves each channel of Pixel towards Color by W (0..1), rounding to the nearest value.
uint32_t Mix(uint32_t Pixel, uint32_t Color, double W) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    double p = (Pixel >> shift) & 0xFF, c = (Color >> shift) & 0xFF;
    auto v = static_cast<uint32_t>(std::lround(p + (c - p) * W));
    out |= std::min<uint32_t>(v, 255) << shift;
  }
  return out;
}

}  // namespace

void SmoothLineTo(TDibAnimator* Animator, int32_t X, int32_t Y) {
  if (!Animator || !Animator->FDib) return;
  TDibBaseObj& dib = *Animator->FDib;
  const double x0 = Animator->GraphX, y0 = Animator->GraphY, x1 = X, y1 = Y;
  const double width = std::max<int32_t>(Animator->GraphWidth, 1);
  const double dx = x1 - x0, dy = y1 - y0, len = std::hypot(dx, dy);
  const double cap = 5.25 * width / 2;
  // The band visited around the segment: far enough for the weights to reach 0.
  const double reach = std::max(cap, 0.51 * width + 1.25) + 1;
  int32_t left = static_cast<int32_t>(std::floor(std::min(x0, x1) - reach));
  int32_t right = static_cast<int32_t>(std::ceil(std::max(x0, x1) + reach));
  int32_t top = static_cast<int32_t>(std::floor(std::min(y0, y1) - reach));
  int32_t bottom = static_cast<int32_t>(std::ceil(std::max(y0, y1) + reach));
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, dib.Width() - 1);
  bottom = std::min(bottom, dib.Height() - 1);
  const uint32_t color = Animator->GraphColor & 0xFFFFFF;
  for (int32_t py = top; py <= bottom; ++py) {
    for (int32_t px = left; px <= right; ++px) {
      double w = 0;
      if (len > 0) {
        // Along the segment: the perpendicular distance to the line.
        double t = ((px - x0) * dx + (py - y0) * dy) / len;
        if (t >= 0 && t <= len) {
          double d = std::fabs((px - x0) * dy - (py - y0) * dx) / len;
          w = Clamp01(1 - (d - 0.51 * width + 0.42) / 1.25);
        }
      }
      if (std::fabs(px - x0) <= cap && std::fabs(py - y0) <= cap) {
        double d = std::hypot(px - x0, py - y0);
        w = std::max(w, Clamp01(1 - (d - 0.51 * width + 0.42) / 1.5));
      }
      if (w > 0) dib.PutPixel(px, py, Mix(dib.GetPixel(px, py), color, w));
    }
  }
  Animator->NeedDrawNow = true;
}

}  // namespace zkw
