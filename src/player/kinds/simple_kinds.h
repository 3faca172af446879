// Small kinds without images: the scroll marker (kind 28), the timer (kind 37) and the object
// drawn by the host (kind 255).
#pragma once
#include "player/objects/animate_obj.h"
#include "player/objects/kind_fields.h"

namespace zkw {

// Runs "OnInView" (code 10) when scrolling carries it across the view's left or top edge.
class TMarkerObj : public TKind<TMarkerObj, TAnimateObj> {
 public:
  TMarkerObj();
  template <class V>
  static void Fields(V& v);
  void Action(TDibBaseObj* ADib) override { (void)ADib; FParentSetPos = false; }
  void Draw(TDibBaseObj* ADib) override { (void)ADib; }
  void ShiftBy(int32_t dx, int32_t dy) override;

  int16_t FIdentifier = 0;
};
extern template class TKind<TMarkerObj, TAnimateObj>;

// Runs "OnTimer" (code 10) every Interval action steps; with AutoDie only once.
class TAniTimerObj : public TKind<TAniTimerObj, TAnimateObj> {
 public:
  TAniTimerObj();
  template <class V>
  static void Fields(V& v);
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override { (void)ADib; }
  void BeforePlay() override { FCount = 0; }
  void SetActive(bool Value) override;
  // A timer starts when a script activates it.
  bool ReadKindRecord(TRecordReader& r, int32_t Version) override;

  int16_t FInterval = 1;
  bool FAutoDie = false;
  int32_t FCount = 0;
};
extern template class TKind<TAniTimerObj, TAnimateObj>;

// Drawn by the host (OnTask atDraw); mouse events go to the host's OnMouseEvent.
class TAniExternalObj : public TKind<TAniExternalObj, TAnimateObj> {
 public:
  TAniExternalObj();
  template <class V>
  static void Fields(V& v);
  uint16_t ExternalIdentifier() const override { return static_cast<uint16_t>(FIdentifier); }
  TAnimateObj* MatchExternalID(int32_t ID) override { return ID == FIdentifier ? this : nullptr; }
  void Draw(TDibBaseObj* ADib) override { (void)ADib; }
  void Action(TDibBaseObj* ADib) override { (void)ADib; FParentSetPos = false; }
  bool MouseMove(TDibAnimator* AParent, int32_t X, int32_t Y) override;
  bool MouseDown(TDibAnimator* AParent, int32_t X, int32_t Y) override;
  bool MouseUp(TDibAnimator* AParent, int32_t X, int32_t Y) override;

  int16_t FIdentifier = 0;

 private:
  bool Notify(TDibAnimator* AParent, uint8_t Task);
};
extern template class TKind<TAniExternalObj, TAnimateObj>;

}  // namespace zkw
