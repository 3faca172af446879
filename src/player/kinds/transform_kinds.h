// Image kinds that turn and scale their image: rotating images (kind 8), rotating and pulsing
// images (9), pulsing scale (13) and run-scale travellers (20). They draw smoothly through the
// image-drawing service while it runs, and through the DIB transforms otherwise.
#pragma once
#include <cstdint>

#include "player/objects/kind_fields.h"
#include "player/objects/moving_obj.h"

namespace zkw {

// Kind 8: an image turning by DAngle degrees each step while it moves in its region; a
// horizontal bounce also reverses the turning.
class TDibRotate : public TKind<TDibRotate, TMovingObj> {
 public:
  TDibRotate();
  template <class V>
  static void Fields(V& v);
  // Scripts writing its properties redraw the scene.
  void PropertyWritten(int32_t PropID) override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;
  void CollideAction(uint8_t Edges) override;

  int16_t FAngle = 0, FDAngle = 5;

};
extern template class TKind<TDibRotate, TMovingObj>;

// Kind 9: an image turning while its two scales and its position swing between lower and
// upper values.
class TScaleRotate : public TKind<TScaleRotate, TAnimateObj> {
 public:
  TScaleRotate();
  template <class V>
  static void Fields(V& v);
  // Scripts writing its properties redraw the scene.
  void PropertyWritten(int32_t PropID) override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;
  // The running scales start at the lower scales read.
  bool ReadKindRecord(TRecordReader& r, int32_t Version) override;
  // Play start: the angle at 0 and both scales at their lower values.
  void BeforePlay() override;
  // Scrolling moves the position bounds with the object (even when Locked).
  void ShiftBy(int32_t dx, int32_t dy) override;

  // Stored.
  int16_t FDAngle = 5;
  int16_t FOScaleX = 50, FOScaleY = 50;  // lower scales, per cent
  int16_t FDScaleX = 5, FDScaleY = 5;
  int16_t FMaxScaleX = 100, FMaxScaleY = 100;
  int16_t FDx = 0, FDy = 0;
  int32_t FFromX = 0, FFromY = 0;    // lower position
  int16_t FMaxX = 320, FMaxY = 200;  // upper position
  bool FReturn = true;
  // Running state.
  int16_t FAngle = 0;
  int16_t FScaleX = 50, FScaleY = 50;

};
extern template class TKind<TScaleRotate, TAnimateObj>;

// Kind 13: an image whose scale pulses between Min and Max, aligned in the box of the unscaled
// image; at the end it turns back, starts again or ends (macroOnEnd) and stops.
class TDibScaleObj : public TKind<TDibScaleObj, TMovingObj> {
 public:
  TDibScaleObj();
  template <class V>
  static void Fields(V& v);
  // Scripts writing its properties redraw the scene.
  void PropertyWritten(int32_t PropID) override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;
  // The scale drawn: Scale limited to the upper end of the range.
  int32_t DrawnScale() const;

  int16_t FScale = 100, FMin = 50, FMax = 150, FIncreasement = 5;
  bool FReturn = true, FRebirth = false;
  // Alignment in the unscaled box: 1 left / top, 3 right / bottom, any other value centred.
  int16_t FHAlign = 0, FVAlign = 0;

};
extern template class TKind<TDibScaleObj, TMovingObj>;

// Kind 20: travels along one axis from a start to an end coordinate while its scale follows
// the distance travelled; past the end it starts again.
class TRunScaleObj : public TKind<TRunScaleObj, TAnimateObj> {
 public:
  TRunScaleObj();
  template <class V>
  static void Fields(V& v);
  // Scripts writing its properties redraw the scene.
  void PropertyWritten(int32_t PropID) override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;
  // Scrolling moves the start and end points with the object (even when Locked).
  void ShiftBy(int32_t dx, int32_t dy) override;

  uint8_t FOrient = 1;  // 1 vertical travel, any other value horizontal
  int32_t FFromX = 160, FFromY = 120, FToX = 0, FToY = 240;
  int16_t FDX = -2, FDY = 1;
  int16_t FMinScale = 10, FMaxScale = 100, FCurrentScale = 10;
  bool FReverse = false, FRandom = false;

 private:
  // Keeps the travel coordinate between start and end and sets the scale from the distance
  // travelled; Reposition allows the random place across the travel.
  void Limit(bool Reposition);
};
extern template class TKind<TRunScaleObj, TAnimateObj>;

}  // namespace zkw
