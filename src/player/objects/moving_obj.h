// TMovingObj: the common motion of the moving kinds. A moving object steps by (Dx, Dy) each
// action step inside its region; at an edge of the region or on hitting another object it
// bounces (reversing the step, optionally mirroring itself), jumps to a random place, or
// restarts at its start point. Kinds that move derive from it and call MoveStep from Action.
#pragma once
#include <climits>
#include <cstdint>

#include "player/objects/animate_obj.h"

namespace zkw {

class TRecordReader;
class TRecordWriter;

// The animation engine's random generator (seeded when the library starts; tests reseed it).
void SetAniRandomSeed(uint32_t Seed);
// A fraction in [0, 1).
double AniRandomFraction();
// An integer in [0, N) (0 when N <= 0).
int32_t AniRandomBelow(int32_t N);

// A property value rounded to the nearest integer (halves to even), held inside the 32-bit
// range; NaN gives 0.
int32_t RoundProp(long double v);

// A sum held inside the 32-bit range (positions read from files may lie anywhere).
inline int32_t AddSat(int64_t a, int64_t b) {
  int64_t s = a + b;
  return static_cast<int32_t>(s > INT32_MAX ? INT32_MAX : s < INT32_MIN ? INT32_MIN : s);
}
// Objects farther than this from the view's origin are neither drawn nor hit, so that sums of
// their coordinates and sizes stay in range.
constexpr int32_t kFarAway = 1 << 28;
inline bool IsFarAway(const TAnimateObj* o) {
  return o->Fx > kFarAway || o->Fx < -kFarAway || o->Fy > kFarAway || o->Fy < -kFarAway;
}

// A coordinate by the version rule: int16 before 0x60000, int32 from 0x60000 on.
int32_t ReadCoord(TRecordReader& r, int32_t Version, const char* what);
void ReadRegion(TRecordReader& r, int32_t Version, TSmallRect& Region);
// The writer always writes version 0x60000: 32-bit coordinates.
void WriteRegion(TRecordWriter& w, const TSmallRect& Region);

class TMovingObj : public TAnimateObj {
 public:
  // One step of the common motion: collision test, move by (Dx, Dy), region edges, bounce,
  // then the position change from the old place (only when the place changed).
  void MoveStep();
  // Bounce, random restart or return to the start point by edge; then the collide event.
  void CollideAction(uint8_t Edges) override;
  // Marks the collision and runs the collide script with the edges (1 left, 2 right, 4 top,
  // 8 bottom) in the second event value.
  void ReportCollision(uint8_t Edges);
  // Scrolling moves the start point and the region with the object (even when Locked).
  void ShiftBy(int32_t dx, int32_t dy) override;
  // A copy takes the motion (each kind stores the parts its record holds).
  void CopyFrom(const TAnimateObj& AObj) override;
  template <class V>
  static void Fields(V& v);

  int16_t FDx = 0, FDy = 0;
  TSmallRect FRegion{0, 0, 320, 200};
  int32_t FFromX = 0, FFromY = 0;
  bool FBounce = true;       // MoveReturn (movies) / Return (buttons, movie-ex): bounce at edges
  bool FIsRandom = false;    // restart at a random place instead
  bool FFlip = false;        // mirror on a bounce
  bool FEnableFlipX = true, FEnableFlipY = true;
};

}  // namespace zkw
