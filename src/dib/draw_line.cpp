// Straight-line shapes: lines, thick lines, rectangle outlines, regular polygons and rose
// curves. Every point goes through the object's bound PixelProc or BarProc, so the blended
// variants of 24-bit images reuse these routines.
#include <cmath>

#include "common/round.h"
#include "dib/dib_base.h"
#include "dib/draw_walk.h"

namespace zkw {

namespace {

constexpr double kPi = 3.14159265358979323846;

// The image as a walk window: points outside it are clipped by the writers anyway.
TWalkWindow ImageWindow(const TDibBaseObj& dib, int64_t reach = 0) {
  return {-reach, int64_t{dib.FWidth} - 1, -reach, int64_t{dib.FHeight} - 1};
}

// One-pixel line through PixelProc.
void PlotLine(TDibBaseObj& dib, int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t Color) {
  WalkLine(x0, y0, x1, y1, ImageWindow(dib), [&](int64_t x, int64_t y) {
    dib.PixelProc(static_cast<int32_t>(x), static_cast<int32_t>(y), Color);
  });
}

// Thick line: each point becomes the square BarProc(x, y, x + Thick - 1, y + Thick - 1).
void SquareLine(TDibBaseObj& dib, int64_t x0, int64_t y0, int64_t x1, int64_t y1, int32_t Thick,
                uint32_t Color) {
  if (Thick < 1) Thick = 1;
  int64_t reach = int64_t{Thick} - 1;
  WalkLine(x0, y0, x1, y1, ImageWindow(dib, reach), [&](int64_t x, int64_t y) {
    dib.BarProc(static_cast<int32_t>(x), static_cast<int32_t>(y), Clamp32(x + reach),
                Clamp32(y + reach), Color);
  });
}

}  // namespace

void TDibBaseObj::Line(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t Color) {
  if (FHandle == 0) return;
  PlotLine(*this, x0, y0, x1, y1, Color);
}

void TDibBaseObj::LineEx(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t Thick,
                         uint32_t Color) {
  if (FHandle == 0) return;
  SquareLine(*this, x0, y0, x1, y1, Thick, Color);
}

void TDibBaseObj::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom,
                            int32_t LineWidth, uint32_t Color) {
  if (FHandle == 0) return;
  // The outline count is kept in a byte: 1..256.
  int32_t n = ((std::max(LineWidth, 1) - 1) % 256) + 1;
  for (int32_t k = 0; k < n; ++k) {
    int64_t x1 = int64_t{left} + k, y1 = int64_t{top} + k;
    int64_t x2 = int64_t{right} - k, y2 = int64_t{bottom} - k;
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    // Top, left, right, bottom: the corners are plotted twice.
    PlotLine(*this, x1, y1, x2, y1, Color);
    PlotLine(*this, x1, y1, x1, y2, Color);
    PlotLine(*this, x2, y1, x2, y2, Color);
    PlotLine(*this, x1, y2, x2, y2, Color);
  }
}

void TDibBaseObj::Polygon(int32_t x, int32_t y, int32_t Num, int32_t Radius, int32_t StartAngle,
                          int32_t Thick, uint32_t Color) {
  if (FHandle == 0 || Num < 1) return;
  PolygonEdges(x, y, Num, Radius, StartAngle, [&](int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    SquareLine(*this, x0, y0, x1, y1, Thick, Color);
  });
}

void TDibBaseObj::Petal(int32_t x, int32_t y, int32_t r, int32_t n, int32_t StartAngle,
                        uint32_t Color) {
  if (FHandle == 0) return;
  double s = StartAngle * kPi / 180;
  int64_t px = x + Round(std::cos(s) * r), py = y + Round(std::sin(s) * r);
  for (int i = 0; i <= 360; ++i) {
    double t = i * kPi / 180;
    double rho = r * std::cos(n * t);
    int64_t nx = x + Round(std::cos(s + t) * rho), ny = y + Round(std::sin(s + t) * rho);
    PlotLine(*this, px, py, nx, ny, Color);
    px = nx;
    py = ny;
  }
}

}  // namespace zkw
