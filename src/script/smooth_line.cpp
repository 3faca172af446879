// SmoothLineTo: an anti-aliased line of the pen colour and width on the frame buffer, with a
// round cap at its start, mixed by the drawing mode of the device context it is drawn through.
#include "script/smooth_line.h"

#include <algorithm>
#include <cmath>

#include "common/round.h"
#include "dib/dib24.h"
#include "dib/dib_base.h"
#include "player/scene/dib_animator.h"
#include "script/execute.h"

namespace zkw {

namespace {

double Clamp01(double W) { return W < 0 ? 0 : (W > 1 ? 1 : W); }

// Moves each channel of Pixel towards Color by W (0..1), rounding to the nearest value.
uint32_t MixTowards(uint32_t Pixel, uint32_t Color, double W) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    double p = (Pixel >> shift) & 0xFF, c = (Color >> shift) & 0xFF;
    auto v = static_cast<uint32_t>(std::lround(p + (c - p) * W));
    out |= std::min<uint32_t>(v, 255) << shift;
  }
  return out;
}

// Adds W x Color to each channel of Pixel, rounding to the nearest value, limited to 255.
uint32_t MixAdd(uint32_t Pixel, uint32_t Color, double W) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    double p = (Pixel >> shift) & 0xFF, c = (Color >> shift) & 0xFF;
    auto v = static_cast<uint32_t>(std::lround(p + c * W));
    out |= std::min<uint32_t>(v, 255) << shift;
  }
  return out;
}

using TMix = uint32_t (*)(uint32_t, uint32_t, double);

// The mixing and the colour a drawing mode uses; false for a mode that draws nothing.
bool MixOfMode(int Mode, uint32_t Color, TMix& Mix, uint32_t& Used) {
  const uint32_t inverted = ~Color & 0xFFFFFF;
  switch (Mode) {
    case plat::R2_MERGEPEN: Mix = MixAdd; Used = Color; return true;
    case plat::R2_WHITE: Mix = MixAdd; Used = 0xFFFFFF; return true;
    case plat::R2_MERGENOTPEN: Mix = MixAdd; Used = inverted; return true;
    case plat::R2_COPYPEN: Mix = MixTowards; Used = Color; return true;
    case plat::R2_BLACK: Mix = MixTowards; Used = 0; return true;
    case plat::R2_NOTCOPYPEN: Mix = MixTowards; Used = inverted; return true;
    default: return false;
  }
}

// True when DC's selected pen is a null pen.
bool NullPen(plat::HDC DC) {
  plat::LOGPEN pen{};
  plat::HGDIOBJ current = plat::GetCurrentObject(DC, plat::OBJ_PEN);
  return current && plat::GetObjectW(current, sizeof pen, &pen) == sizeof pen &&
         pen.lopnStyle == static_cast<plat::UINT>(plat::PS_NULL);
}

}  // namespace

void SmoothLine(plat::HDC DC, TDibBaseObj& Dib, int32_t X, int32_t Y, uint32_t Color,
                int32_t Width) {
  plat::POINT from{0, 0};
  bool placed = plat::GetCurrentPositionEx(DC, &from) != 0;
  TMix mix = nullptr;
  uint32_t color = 0;
  if (!placed || NullPen(DC) || !MixOfMode(plat::GetROP2(DC), Color & 0xFFFFFF, mix, color)) {
    plat::MoveToEx(DC, X, Y, nullptr);
    return;
  }
  const double x0 = from.x, y0 = from.y, x1 = X, y1 = Y;
  const double width = std::max<int32_t>(Width, 1);
  const double dx = x1 - x0, dy = y1 - y0, len = std::hypot(dx, dy);
  const double cap = 5.25 * width / 2;
  // The band visited around the segment: far enough for the weights to reach 0.
  const double reach = std::max(cap, 0.51 * width + 1.25) + 1;
  // A wide pen or far end points put the band beyond the 32-bit range; it is held there and
  // then clipped to the picture.
  int32_t left = ClampToInt32(std::floor(std::min(x0, x1) - reach));
  int32_t right = ClampToInt32(std::ceil(std::max(x0, x1) + reach));
  int32_t top = ClampToInt32(std::floor(std::min(y0, y1) - reach));
  int32_t bottom = ClampToInt32(std::ceil(std::max(y0, y1) + reach));
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, Dib.Width() - 1);
  bottom = std::min(bottom, Dib.Height() - 1);
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
      if (w > 0) Dib.PutPixel(px, py, mix(Dib.GetPixelEx(px, py), color, w));
    }
  }
  plat::MoveToEx(DC, X, Y, nullptr);
}

void SmoothLineTo(TDibAnimator* Animator, int32_t X, int32_t Y) {
  if (!Animator || !Animator->FDib) return;
  // A DC of its own: copy-pen mode and a solid pen of the scene's pen colour and width.
  plat::HDC dc = plat::CreateCompatibleDC(nullptr);
  if (!dc) return;
  plat::HPEN pen = plat::CreatePen(plat::PS_SOLID, Animator->GraphWidth, Animator->GraphColor);
  plat::HGDIOBJ old = pen ? plat::SelectObject(dc, pen) : nullptr;
  plat::MoveToEx(dc, Animator->GraphX, Animator->GraphY, nullptr);
  SmoothLine(dc, *Animator->FDib, X, Y, Animator->GraphColor, Animator->GraphWidth);
  if (old) plat::SelectObject(dc, old);
  if (pen) plat::DeleteObject(pen);
  plat::DeleteDC(dc);
  Animator->NeedDrawNow = true;
}

}  // namespace zkw
