// Waving and shearing images: rows (kind 6) or columns (kind 7) displaced by an authored offset
// table whose phase advances every step, and an image sheared by a swinging angle (kind 41).
// Also the animation engine's start-up work: the random seed and the tangent table.
#pragma once
#include <array>
#include <cstdint>

#include "dib/composite_clip.h"
#include "player/objects/kind_fields.h"
#include "player/objects/moving_obj.h"

namespace zkw {

// Seeds the engine's random generator from the clock and builds the tangent table; run once
// when the library loads.
void StartAnimationEngine();
// tan of a whole number of degrees from the engine's table of 0..360 degrees (the angle taken
// modulo 360, negative angles too).
double EngineTangent(int32_t Degrees);

// Largest minus smallest of Line[First .. First + Count - 1] (entries inside the table only).
int32_t LineAmplitude(const int16_t* Line, int32_t First, int32_t Count);

// Kind 6: a moving image whose rows are shifted sideways by TheLine, read from the phase on.
class TDibDistortY : public TKind<TDibDistortY, TMovingObj> {
 public:
  TDibDistortY();
  template <class V>
  static void Fields(V& v);
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;

  int16_t FPhase = 0;           // the current phase: first table entry used
  int16_t FMaxLine = 10;        // the phase goes back to 0 beyond this
  uint16_t FLineIncreament = 1; // phase step
  std::array<int16_t, kLineOffsetCount> FTheLine{};

 protected:
  // Columns shift up and down instead of rows sideways (kind 7).
  bool FColumns = false;
};
extern template class TKind<TDibDistortY, TMovingObj>;

// Kind 7: the same with the columns shifted up and down.
class TDibDistortX : public TDibDistortY {
 public:
  TDibDistortX();
  TAnimateObj* NewOfSameKind() const override { return new TDibDistortX(); }
};

// Kind 41: an image sheared by an angle that swings between Min and Max, moving in its region.
class TDibSkew : public TKind<TDibSkew, TMovingObj> {
 public:
  TDibSkew();
  template <class V>
  static void Fields(V& v);
  // Angle (125): written values are limited to -89..89 and redraw the line.
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  void BeforePlay() override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;
  // Bounce with Return; otherwise back to FromX/FromY, and with Random a random place on the
  // other axis when the object does not move along it.
  void CollideAction(uint8_t Edges) override;
  // Fills the skew line for the current angle and keeps its amplitude.
  void MakeLine();

  int16_t FOrient = 0;  // 0: rows shift sideways; 1: columns shift up and down
  int16_t FMin = -10, FMax = 10;
  int16_t FCenterPos = 0;
  int16_t FLineIncreasement = 1;
  bool FTurbulence = false;
  int16_t FSpeed = 1;

  int32_t FAngle = 0;      // current angle in degrees
  int32_t FAngleStep = 1;  // set from LineIncreasement at play start
  int16_t FSpeedCount = 0;
  int32_t FAmplitude = 0;
  std::array<int16_t, kLineOffsetCount> FLine{};
};
extern template class TKind<TDibSkew, TMovingObj>;

}  // namespace zkw
