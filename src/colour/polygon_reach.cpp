#include "colour/polygon_reach.h"

#include <algorithm>
#include <cmath>

namespace zkw {

namespace {

constexpr double kPi = 3.14159265358979323846;

// A square's points lie within 2 pixels (x and y) of the walked line, the walk within 1 pixel of
// the line between the rounded vertices, and those within a pixel of the true polygon: a polygon
// that paints a pixel of the window has a true point within 5 pixels of it.
constexpr int64_t kMargin = 5;

struct TView {
  double ThetaLo, ThetaHi;  // the directions of the widened window, ThetaHi - ThetaLo < pi
  double DMin, DMax;        // nearest and farthest distance of the widened window
};

TView ViewOf(const TPolygonReach& r) {
  const double l = static_cast<double>(-kMargin - r.Cx), t = static_cast<double>(-kMargin - r.Cy);
  const double rt = static_cast<double>(r.Width - 1 + kMargin - r.Cx);
  const double b = static_cast<double>(r.Height - 1 + kMargin - r.Cy);
  const double mid = std::atan2((t + b) / 2, (l + rt) / 2);
  TView v{0, 0, 0, 0};
  double lo = 0, hi = 0;
  for (const double x : {l, rt})
    for (const double y : {t, b}) {
      const double off = std::remainder(std::atan2(y, x) - mid, 2 * kPi);
      lo = std::min(lo, off);
      hi = std::max(hi, off);
      v.DMax = std::max(v.DMax, std::hypot(x, y));
    }
  v.ThetaLo = mid + lo - 1e-9;
  v.ThetaHi = mid + hi + 1e-9;
  const double nx = l > 0 ? l : rt < 0 ? rt : 0, ny = t > 0 ? t : b < 0 ? b : 0;
  v.DMin = std::hypot(nx, ny);
  return v;
}

// g(u) = cos(pi / Num) / cos(u - pi / Num) over one edge, u in [0, 2 pi / Num].
struct TEdgeShape {
  double Period, Half, Inner;
  explicit TEdgeShape(int32_t Num)
      : Period(2 * kPi / Num), Half(kPi / Num), Inner(std::cos(kPi / Num)) {}
  double G(double u) const {
    u = std::fmod(u, Period);
    return Inner / std::cos(u - Half);
  }
  // Smallest and largest g over the directions phi .. phi + width.
  void Range(double phi, double width, double& gMin, double& gMax) const {
    if (width >= Period) {
      gMin = Inner;
      gMax = 1;
      return;
    }
    double u1 = std::fmod(phi, Period);
    if (u1 < 0) u1 += Period;
    const double u2 = u1 + width;
    const double a = G(u1), b = G(u2);
    gMax = u2 >= Period ? 1 : std::max(a, b);  // passes a vertex
    gMin = (u1 <= Half && u2 >= Half) || u2 >= Period + Half ? Inner : std::min(a, b);
  }
};

}  // namespace

// The last l drawn with l = angle (mod 360) among from .. to, or -1.
int64_t LastWithAngle(int64_t from, int64_t to, int64_t angle, bool Outward) {
  if (from > to) return -1;
  if (Outward) {
    const int64_t l = to - ((to - angle) % 360 + 360) % 360;
    return l >= from ? l : -1;
  }
  const int64_t l = from + ((angle - from) % 360 + 360) % 360;
  return l <= to ? l : -1;
}

bool PolygonReachApplies(const TPolygonReach& r) {
  return r.Num >= 1 && (r.Cx < -kMargin || r.Cx > r.Width - 1 + kMargin || r.Cy < -kMargin ||
                        r.Cy > r.Height - 1 + kMargin);
}

bool ReachingPolygons(const TPolygonReach& reach, int64_t Density, bool Outward, int64_t lFrom,
                      int64_t lTo, int64_t maxRadius, size_t limit, std::vector<int64_t>& out) {
  out.clear();
  const TView view = ViewOf(reach);
  const TEdgeShape shape(std::max(reach.Num, 3));
  // A segment (Num 2) longer than the farthest distance crosses the window from side to side;
  // of the longer ones only the last drawn of each start angle is drawn.
  if (reach.Num == 2) maxRadius = std::min(maxRadius, static_cast<int64_t>(view.DMax) + 64);
  const int64_t rLast = lTo / Density, rFirst = std::min(lFrom / Density, maxRadius);
  for (int64_t angle = 0; angle < 360; ++angle) {
    double lo, hi;
    if (reach.Num >= 3) {
      double gMin, gMax;
      shape.Range(view.ThetaLo - angle * kPi / 180, view.ThetaHi - view.ThetaLo, gMin, gMax);
      lo = std::floor(view.DMin / gMax * (1 - 1e-12)) - 1;
      hi = std::ceil(view.DMax / gMin * (1 + 1e-12)) + 1;
    } else {
      // A point (Num 1) or a segment through the centre: only along its vertex directions.
      bool seen = false;
      for (int32_t k = 0; k < reach.Num; ++k) {
        double off = std::remainder(angle * kPi / 180 + k * kPi - view.ThetaLo, 2 * kPi);
        if (off < 0) off += 2 * kPi;
        seen = seen || off <= view.ThetaHi - view.ThetaLo;
      }
      if (!seen) continue;
      lo = std::floor(view.DMin) - 1;
      hi = reach.Num == 1 ? std::ceil(view.DMax) + 1 : static_cast<double>(maxRadius);
    }
    if (hi < static_cast<double>(rFirst) || lo > static_cast<double>(std::min(rLast, maxRadius)))
      continue;
    const int64_t from = std::max<int64_t>(rFirst, static_cast<int64_t>(std::max(lo, 0.0)));
    const int64_t to = std::min<int64_t>(rLast, hi >= static_cast<double>(maxRadius)
                                                    ? maxRadius
                                                    : static_cast<int64_t>(hi));
    for (int64_t R = from; R <= to; ++R) {
      // Radii from maxRadius on are drawn alike: one block from there to the end.
      const bool clamped = R == maxRadius;
      const int64_t a = std::max(lFrom, R * Density);
      const int64_t b = clamped ? lTo : std::min(lTo, R * Density + Density - 1);
      const int64_t l = LastWithAngle(a, b, angle, Outward);
      if (l < 0) continue;
      if (out.size() >= limit) return false;
      out.push_back(l);
    }
  }
  if (Outward)
    std::sort(out.begin(), out.end());
  else
    std::sort(out.begin(), out.end(), std::greater<int64_t>());
  return true;
}

}  // namespace zkw
