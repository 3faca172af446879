// Animated buttons: TDibButton (kind 25) plays the frame range of its state (normal, hot,
// pressed) from a strip; TMoveButton (kind 27) also moves and can follow a movie's frames.
#pragma once
#include "player/objects/kind_fields.h"
#include "player/objects/moving_obj.h"

namespace zkw {

class TDibButton : public TKind<TDibButton, TMovingObj> {
 public:
  TDibButton();
  template <class V>
  static void Fields(V& v);
  // Frame (130): written without the frame event.
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  // Writing Downed (65) shows the state it gives.
  void PropertyWritten(int32_t PropID) override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;
  void BeforePlay() override;
  bool PtInObject(int32_t X, int32_t Y) override;
  bool IsSolidAt(int32_t X, int32_t Y) override;
  bool MouseMove(TDibAnimator* AParent, int32_t X, int32_t Y) override;
  bool MouseDown(TDibAnimator* AParent, int32_t X, int32_t Y) override;
  bool MouseUp(TDibAnimator* AParent, int32_t X, int32_t Y) override;
  TAnimateObj* MatchButtonID(int32_t ID) override { return ID == FGroupID ? this : nullptr; }

  enum TButtonState : uint8_t { bsNormal = 0, bsHot = 1, bsPressed = 2 };
  // Shows a state: its range restarts at its first frame.
  void SetStates(uint8_t State);
  void SetNormal() { SetStates(FDowned ? bsPressed : bsNormal); }
  // Toggles an up-down button; a grouped one goes down and releases the others of its group.
  void ToggleState();
  uint8_t GetState() const { return FState; }
  void SetFrame(int32_t Value, bool Event);
  // The current state's frame range.
  void Range(int16_t& Start, int16_t& End) const;

  bool FUpDownButton = false, FDowned = false;
  int16_t FGroupID = 0;
  int16_t FFrames = 1;
  int16_t FNormalStart = 1, FNormalEnd = 1, FHotStart = 1, FHotEnd = 1, FPressedStart = 1, FPressedEnd = 1;
  int16_t FSpeed = 1;
  bool FRecycled = false;
  int16_t FEvent = 0;
  int16_t FInterval = 0;   // steps left until the next frame
  int16_t FCurrentFrame = 1;
  int16_t FStep = 1;
  uint8_t FState = bsNormal;

 protected:
  // One frame step; true when the frame counter restarted (every Speed steps).
  bool AnimateStep();
  void PieceOrigin(int32_t& x) const;
};
extern template class TKind<TDibButton, TMovingObj>;

class TMoveButton : public TKind<TMoveButton, TDibButton> {
 public:
  TMoveButton();
  template <class V>
  static void Fields(V& v);
  void Action(TDibBaseObj* ADib) override;
  void BeforePlay() override;

  int16_t FSyncObjID = -1, FSyncNormal = 1, FSyncHot = 1, FSyncPressed = 1;
  TAnimateObj* FSyncObj = nullptr;  // resolved at play start
};
extern template class TKind<TMoveButton, TDibButton>;

}  // namespace zkw
