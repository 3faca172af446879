// Shapes of the Linux GDI back end: stock objects, polylines, filled polygons, Bezier curves,
// elliptic arcs and rectangles. Outlines are pen strokes as LineTo draws them; insides are the
// pixels whose centres lie inside the shape (alternate rule), painted with the selected brush.
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/portable/gdi_objects.h"
#include "platform/portable/pixel_access.h"

namespace plat {

using portable::GdiDC;
using portable::GdiKind;

namespace {

constexpr double kPi = 3.14159265358979323846;

void Stroke(GdiDC& d, const std::vector<POINT>& pts) {
  for (size_t i = 1; i < pts.size(); ++i)
    portable::StrokeSegment(d, pts[i - 1].x, pts[i - 1].y, pts[i].x, pts[i].y);
}

// Paints the pixels whose centres lie inside the closed outline (alternate rule).
void FillInside(GdiDC& d, const POINT* pts, int count) {
  portable::GdiBrush* brush = d.State.Brush;
  if (!brush || brush->Null || !d.Surface() || count < 3) return;
  portable::PixelView view = portable::ViewOf(*d.Surface());
  int64_t top = pts[0].y, bottom = pts[0].y;
  for (int i = 1; i < count; ++i) top = std::min<int64_t>(top, pts[i].y), bottom = std::max<int64_t>(bottom, pts[i].y);
  top = std::max<int64_t>(top, 0);
  bottom = std::min<int64_t>(bottom, view.Height - 1);
  std::vector<double> xs;
  for (int64_t y = top; y <= bottom; ++y) {
    const double cy = static_cast<double>(y) + 0.5;
    xs.clear();
    for (int i = 0; i < count; ++i) {
      const POINT& a = pts[i];
      const POINT& b = pts[(i + 1) % count];
      if ((a.y <= cy) == (b.y <= cy)) continue;
      xs.push_back(a.x + (cy - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t k = 0; k + 1 < xs.size(); k += 2) {
      int64_t x0 = std::max<int64_t>(static_cast<int64_t>(std::ceil(xs[k] - 0.5)), 0);
      int64_t x1 = std::min<int64_t>(static_cast<int64_t>(std::ceil(xs[k + 1] - 0.5)), view.Width);
      for (int64_t x = x0; x < x1; ++x)
        portable::WritePixel(view, static_cast<int32_t>(x), static_cast<int32_t>(y), brush->Color);
    }
  }
}

// Point of a cubic Bezier curve at t.
POINT BezierPoint(const POINT* p, double t) {
  const double u = 1 - t, a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, e = t * t * t;
  return POINT{static_cast<LONG>(std::lround(a * p[0].x + b * p[1].x + c * p[2].x + e * p[3].x)),
               static_cast<LONG>(std::lround(a * p[0].y + b * p[1].y + c * p[2].y + e * p[3].y))};
}

// Segments enough for a curve whose control polygon is `length` pixels long (at most 1024).
int Steps(double length) { return static_cast<int>(std::clamp(length / 2.0, 8.0, 1024.0)); }

}  // namespace

HGDIOBJ GetStockObject(int index) { return portable::StockObject(index); }

BOOL Polyline(HDC dc, const POINT* points, int count) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d || !points || count < 2) return 0;
  Stroke(*d, std::vector<POINT>(points, points + count));
  return 1;
}

BOOL Polygon(HDC dc, const POINT* points, int count) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d || !points || count < 2) return 0;
  FillInside(*d, points, count);
  std::vector<POINT> closed(points, points + count);
  closed.push_back(points[0]);
  Stroke(*d, closed);
  return 1;
}

BOOL PolyBezier(HDC dc, const POINT* points, DWORD count) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d || !points || count < 4 || (count - 1) % 3 != 0) return 0;
  std::vector<POINT> path{points[0]};
  for (DWORD i = 0; i + 3 < count; i += 3) {
    const POINT* p = points + i;
    double length = 0;
    for (int k = 0; k < 3; ++k) length += std::hypot(double(p[k + 1].x - p[k].x), double(p[k + 1].y - p[k].y));
    const int n = Steps(length);
    for (int k = 1; k <= n; ++k) path.push_back(BezierPoint(p, static_cast<double>(k) / n));
  }
  Stroke(*d, path);
  return 1;
}

BOOL Arc(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d) return 0;
  const double cx = (left + static_cast<double>(right)) / 2, cy = (top + static_cast<double>(bottom)) / 2;
  const double rx = std::abs(right - static_cast<double>(left)) / 2, ry = std::abs(bottom - static_cast<double>(top)) / 2;
  if (rx < 0.5 && ry < 0.5) return 1;
  const double a0 = std::atan2(cy - yStart, xStart - cx), a1 = std::atan2(cy - yEnd, xEnd - cx);
  double sweep = a1 - a0;
  while (sweep <= 0) sweep += 2 * kPi;
  const int n = Steps(sweep * std::max(rx, ry));
  std::vector<POINT> path;
  for (int k = 0; k <= n; ++k) {
    const double a = a0 + sweep * k / n;
    path.push_back(POINT{static_cast<LONG>(std::lround(cx + rx * std::cos(a))),
                         static_cast<LONG>(std::lround(cy - ry * std::sin(a)))});
  }
  Stroke(*d, path);
  return 1;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d) return 0;
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  const LOGPEN pen = d->State.Pen ? d->State.Pen->Log : LOGPEN{PS_SOLID, POINT{1, 0}, 0};
  if (pen.lopnStyle == PS_NULL) {  // the inside only, one pixel smaller
    const POINT inside[4] = {{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}};
    FillInside(*d, inside, 4);
    return 1;
  }
  const int w = std::max<int>(1, pen.lopnWidth.x);
  const bool inside = pen.lopnStyle == PS_INSIDEFRAME || w == 1;
  // The frame's centre line: inside pens keep all their width within the box.
  const int inset = inside ? w / 2 : 0;
  const int outset = inside ? (w - 1) / 2 : 0;
  const int l = left + inset, t = top + inset, r = right - 1 - outset, b = bottom - 1 - outset;
  const POINT fill[4] = {{l, t}, {r, t}, {r, b}, {l, b}};
  FillInside(*d, fill, 4);
  Stroke(*d, {POINT{l, t}, POINT{r, t}, POINT{r, b}, POINT{l, b}, POINT{l, t}});
  return 1;
}

}  // namespace plat
