// Which of PolygonGround's polygons can reach a window whose centre lies far outside it: a
// regular polygon of radius R turned by a degrees lies at distance R g(theta - a) from its centre
// in direction theta, with g between cos(pi / Num) (mid-edge) and 1 (vertex), so a window seen
// from the centre under a narrow angle is reached only by a narrow band of radii for each start
// angle. Used when the centre lies outside the window, where the band of radii that could reach
// it at some angle is wide (about 15 % of the distance for hexagons).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zkw {

// The window is (0, 0) - (Width - 1, Height - 1); the centre (cx, cy) in the same coordinates.
struct TPolygonReach {
  int64_t Width, Height, Cx, Cy;
  int32_t Num;  // 1 and more
};

// Whether the window lies beside the centre, so that the polygons' angles narrow the radii.
bool PolygonReachApplies(const TPolygonReach& reach);

// The last l drawn (l rising when Outward, else falling) with l = angle (mod 360) among
// from .. to, or -1 when there is none.
int64_t LastWithAngle(int64_t from, int64_t to, int64_t angle, bool Outward);

// The polygons l of lFrom .. lTo (radius l div Density, start angle l mod 360) that can show in
// the window, in drawing order (l rising when Outward, else falling): of the polygons with the
// same radius and start angle only the last drawn, and of those only the ones whose band of
// radii at their start angle meets the radius (points and segments, Num 1 and 2: those whose
// vertex directions meet the window). Radii above `maxRadius` are drawn as `maxRadius`, so of
// them only the last drawn of each start angle is listed. Gives up (false) when more than
// `limit` polygons would be listed.
bool ReachingPolygons(const TPolygonReach& reach, int64_t Density, bool Outward, int64_t lFrom,
                      int64_t lTo, int64_t maxRadius, size_t limit, std::vector<int64_t>& out);

}  // namespace zkw
