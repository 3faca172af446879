// Lines of the Linux GDI back end. One-pixel pens walk the integer midpoint line from the pen
// position to the end point and leave the end point out. Where the ideal line passes exactly
// between two pixels the smaller coordinate is taken (as the platform rasterises: (0, 0) to
// (4, 2) gives (0, 0), (1, 0), (2, 1), (3, 1)), so a line and its reverse cover the same pixels
// but for their ends. Wider pens cover every pixel whose centre lies within half the width of the
// segment: the line with round caps. Pixels are combined with the pen through the DC's drawing
// mode.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/portable/gdi_objects.h"
#include "platform/portable/pixel_access.h"

namespace plat {

using portable::GdiDC;
using portable::GdiKind;
using portable::PixelView;

namespace {

COLORREF Mix(int mode, COLORREF p, COLORREF d) {
  switch (mode) {
    case R2_BLACK: return 0;
    case R2_NOTMERGEPEN: return ~(d | p);
    case R2_MASKNOTPEN: return d & ~p;
    case R2_NOTCOPYPEN: return ~p;
    case R2_MASKPENNOT: return p & ~d;
    case R2_NOT: return ~d;
    case R2_XORPEN: return d ^ p;
    case R2_NOTMASKPEN: return ~(d & p);
    case R2_MASKPEN: return d & p;
    case R2_NOTXORPEN: return ~(d ^ p);
    case R2_NOP: return d;
    case R2_MERGENOTPEN: return d | ~p;
    case R2_MERGEPENNOT: return p | ~d;
    case R2_MERGEPEN: return d | p;
    case R2_WHITE: return 0xFFFFFF;
    default: return p;  // R2_COPYPEN
  }
}

struct TPlotter {
  PixelView View;
  COLORREF Pen;
  int Mode;
  void operator()(int64_t x, int64_t y) const {
    if (x < 0 || y < 0 || x >= View.Width || y >= View.Height) return;
    int32_t xi = static_cast<int32_t>(x), yi = static_cast<int32_t>(y);
    COLORREF d = Mode == R2_COPYPEN ? 0 : portable::ReadPixel(View, xi, yi);
    portable::WritePixel(View, xi, yi, Mix(Mode, Pen, d) & 0xFFFFFF);
  }
};

void ThinLine(const TPlotter& plot, int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  const int64_t dx = std::llabs(x1 - x0), dy = std::llabs(y1 - y0);
  const bool xMajor = dx >= dy;
  const int64_t n = xMajor ? dx : dy;  // points from the start, end excluded
  if (n == 0) return;
  // Walk from the end with the smaller major coordinate; skip the original end point.
  bool reversed = xMajor ? x1 < x0 : y1 < y0;
  int64_t sx = reversed ? x1 : x0, sy = reversed ? y1 : y0;
  int64_t ex = reversed ? x0 : x1, ey = reversed ? y0 : y1;
  const int64_t dMajor = n, dMinor = xMajor ? dy : dx;
  const int64_t step = xMajor ? (ey > sy ? 1 : -1) : (ex > sx ? 1 : -1);
  int64_t d = 2 * dMinor - dMajor, minor = xMajor ? sy : sx;
  for (int64_t k = 0; k <= n; ++k) {
    bool isEnd = reversed ? k == 0 : k == n;
    if (!isEnd) {
      if (xMajor) plot(sx + k, minor);
      else plot(minor, sy + k);
    }
    if (step > 0 ? d > 0 : d >= 0) {  // on a tie (d = 0) only towards the smaller coordinate
      minor += step;
      d += 2 * dMinor - 2 * dMajor;
    } else {
      d += 2 * dMinor;
    }
  }
}

void WideLine(const TPlotter& plot, int64_t x0, int64_t y0, int64_t x1, int64_t y1, int width) {
  const double r = width / 2.0;
  const int64_t reach = static_cast<int64_t>(std::ceil(r));
  const int64_t left = std::max<int64_t>(std::min(x0, x1) - reach, 0);
  const int64_t right = std::min<int64_t>(std::max(x0, x1) + reach, plot.View.Width - 1);
  const int64_t top = std::max<int64_t>(std::min(y0, y1) - reach, 0);
  const int64_t bottom = std::min<int64_t>(std::max(y0, y1) + reach, plot.View.Height - 1);
  const double vx = static_cast<double>(x1 - x0), vy = static_cast<double>(y1 - y0);
  const double len2 = vx * vx + vy * vy;
  for (int64_t y = top; y <= bottom; ++y)
    for (int64_t x = left; x <= right; ++x) {
      double px = static_cast<double>(x - x0), py = static_cast<double>(y - y0);
      double t = len2 > 0 ? std::clamp((px * vx + py * vy) / len2, 0.0, 1.0) : 0.0;
      double ex = px - t * vx, ey = py - t * vy;
      if (ex * ex + ey * ey <= r * r) plot(x, y);
    }
}

}  // namespace

void portable::StrokeSegment(GdiDC& d, int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  const LOGPEN pen = d.State.Pen ? d.State.Pen->Log : LOGPEN{PS_SOLID, POINT{1, 0}, 0};
  if (pen.lopnStyle == PS_NULL || !d.Surface()) return;
  TPlotter plot{portable::ViewOf(*d.Surface()), pen.lopnColor & 0xFFFFFF, d.State.Rop2};
  if (pen.lopnWidth.x <= 1) ThinLine(plot, x0, y0, x1, y1);
  else WideLine(plot, x0, y0, x1, y1, pen.lopnWidth.x);
}

BOOL LineTo(HDC dc, int x, int y) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d) return 0;
  POINT from = d->State.Position;
  d->State.Position = POINT{x, y};
  portable::StrokeSegment(*d, from.x, from.y, x, y);
  return 1;
}

}  // namespace plat
