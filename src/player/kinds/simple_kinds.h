// Small kinds without images: the scroll marker (kind 28), the timer (kind 37) and the object
// drawn by the host (kind 255).
#pragma once
#include "player/objects/animate_obj.h"

namespace zkw {

// Runs "OnInView" (code 10) when scrolling carries it across the view's left or top edge.
class TMarkerObj : public TAnimateObj {
 public:
  TMarkerObj();
  bool ReadFromStream(TRecordReader& r, int32_t Version) override;
  bool Write(TRecordWriter& w) override;
  void CopyFrom(const TAnimateObj& AObj) override;
  TAnimateObj* NewOfSameKind() const override { return new TMarkerObj(); }
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  void GetPropsToList(TPropList& List) override;
  void Action(TDibBaseObj* ADib) override { (void)ADib; FParentSetPos = false; }
  void Draw(TDibBaseObj* ADib) override { (void)ADib; }
  void ShiftBy(int32_t dx, int32_t dy) override;

  int16_t FIdentifier = 0;
};

// Runs "OnTimer" (code 10) every Interval action steps; with AutoDie only once.
class TAniTimerObj : public TAnimateObj {
 public:
  TAniTimerObj();
  bool ReadFromStream(TRecordReader& r, int32_t Version) override;
  bool Write(TRecordWriter& w) override;
  void CopyFrom(const TAnimateObj& AObj) override;
  TAnimateObj* NewOfSameKind() const override { return new TAniTimerObj(); }
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  void GetPropsToList(TPropList& List) override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override { (void)ADib; }
  void BeforePlay() override { FCount = 0; }
  void SetActive(bool Value) override;

  int16_t FInterval = 1;
  bool FAutoDie = false;
  int32_t FCount = 0;
};

// Drawn by the host (OnTask atDraw); mouse events go to the host's OnMouseEvent.
class TAniExternalObj : public TAnimateObj {
 public:
  TAniExternalObj();
  bool ReadFromStream(TRecordReader& r, int32_t Version) override;
  bool ReadFromStream2(TRecordReader& r) override;
  bool Write(TRecordWriter& w) override;
  void CopyFrom(const TAnimateObj& AObj) override;
  TAnimateObj* NewOfSameKind() const override { return new TAniExternalObj(); }
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  void GetPropsToList(TPropList& List) override;
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

}  // namespace zkw
