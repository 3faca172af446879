// Image and effect kinds: coloured backgrounds (kind 0), still images (1), floating images with
// and without a drop shadow (2, 3), one-way sliders (14), palette brightness cycling (19),
// fading floaters (21), palette rotation (23) and growing squares (24).
#pragma once
#include <array>
#include <vector>

#include "player/objects/kind_fields.h"
#include "player/objects/moving_obj.h"

namespace zkw {

// Kind 0: a coloured rectangle without image, filled and/or bordered.
class TBackgroundObj : public TKind<TBackgroundObj, TAnimateObj> {
 public:
  TBackgroundObj();
  template <class V>
  static void Fields(V& v);
  // Writing one of the kind's own properties redraws the scene.
  void PropertyWritten(int32_t PropID) override;
  void Draw(TDibBaseObj* ADib) override;
  bool PtInObject(int32_t X, int32_t Y) override;
  bool IsSolidAt(int32_t X, int32_t Y) override;

  uint32_t FColor = 0;
  int16_t FBorderSize = 0;
  uint32_t FBorderColor = 0xFFFFFF;
  bool FFill = true;
};
extern template class TKind<TBackgroundObj, TAnimateObj>;

// Kind 1: a still image, optionally repeated side by side.
class TDibDrawObj : public TKind<TDibDrawObj, TAnimateObj> {
 public:
  TDibDrawObj();
  template <class V>
  static void Fields(V& v);
  // Writing one of the kind's own properties redraws the scene.
  void PropertyWritten(int32_t PropID) override;
  void Draw(TDibBaseObj* ADib) override;
  bool IsSolidAt(int32_t X, int32_t Y) override;
  bool PtInObject(int32_t X, int32_t Y) override;

  bool FAutoDie = false;
  int16_t FRepeatTime = 1;
};
extern template class TKind<TDibDrawObj, TAnimateObj>;

// Kind 2: a floating image moving in its region every Speed steps.
class TDibFloatObj : public TKind<TDibFloatObj, TMovingObj> {
 public:
  TDibFloatObj();
  template <class V>
  static void Fields(V& v);
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;
  void BeforePlay() override { FSpeedCount = 0; }
  // Bounce with Return; otherwise back to the start coordinate of that axis, and with IsRandom
  // a random place on the other axis when the object does not move along it.
  void CollideAction(uint8_t Edges) override;

  int16_t FSpeed = 1, FSpeedCount = 0;
};
extern template class TKind<TDibFloatObj, TMovingObj>;

// Kind 3: a floating image with a drop shadow.
class TDibFloatShadow : public TKind<TDibFloatShadow, TDibFloatObj> {
 public:
  TDibFloatShadow();
  template <class V>
  static void Fields(V& v);
  void Draw(TDibBaseObj* ADib) override;

  int16_t FShadowX = 5, FShadowY = 5, FShadow = 50;
};
extern template class TKind<TDibFloatShadow, TDibFloatObj>;

// Kind 14: slides along one axis between two limits; reaching a limit hides it until the
// scene's Continue.
class TFloatLimitObj : public TKind<TFloatLimitObj, TAnimateObj> {
 public:
  TFloatLimitObj();
  template <class V>
  static void Fields(V& v);
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;

  int16_t FFromPos = 0, FToPos = 0, FDelta = 1;
  uint8_t FOrient = 0;
};
extern template class TKind<TFloatLimitObj, TAnimateObj>;

// Kind 19: cycles the brightness of a set of palette entries of an 8-bit image.
class TBrightObj : public TKind<TBrightObj, TAnimateObj> {
 public:
  TBrightObj();
  template <class V>
  static void Fields(V& v);
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;

  bool HasColor(int32_t Index) const { return (FColors[static_cast<size_t>(Index >> 3)] >> (Index & 7)) & 1; }
  void SetColor(int32_t Index, bool On);

  int16_t FMin = -100, FMax = 100, FCurrent = 0, FIncreasement = 10;
  bool FReturn = true;
  std::array<uint8_t, 32> FColors{};
};
extern template class TKind<TBrightObj, TAnimateObj>;

// Kind 21: a floater whose opacity swings between two limits.
class TMergeObj : public TKind<TMergeObj, TMovingObj> {
 public:
  TMergeObj();
  template <class V>
  static void Fields(V& v);
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;

  int16_t FDt = 5, FMinTrans = 0, FMaxTrans = 100;
  bool FReturn = true;
};
extern template class TKind<TMergeObj, TMovingObj>;

// Kind 23: rotates a range of palette entries of an 8-bit image by one each step.
class TAniPaletteObj : public TKind<TAniPaletteObj, TAnimateObj> {
 public:
  TAniPaletteObj();
  template <class V>
  static void Fields(V& v);
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;

  int16_t FFromColor = 0, FToColor = 0;
};
extern template class TKind<TAniPaletteObj, TAnimateObj>;

// Kind 24: squares growing (or shrinking) inside the object's box, re-created at random places.
class TAniSquaresObj : public TKind<TAniSquaresObj, TAnimateObj> {
 public:
  TAniSquaresObj();
  template <class V>
  static void Fields(V& v);
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;
  void BeforePlay() override { FSquares.clear(); }

  struct TSquareObj {
    int32_t x, y, size;
    uint32_t color;
    int32_t opacity;
  };
  int16_t FNumSquare = 10;
  uint32_t FColor = 0xFFFFFF;
  int16_t FSpeed = 1;
  bool FRandomColor = false, FEnableMerge = false;
  int16_t FThickness = 1;
  std::vector<TSquareObj> FSquares;

 private:
  TSquareObj NewSquare() const;
};
extern template class TKind<TAniSquaresObj, TAnimateObj>;

}  // namespace zkw
