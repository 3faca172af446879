// Image and effect kinds: coloured backgrounds (kind 0), still images (1), floating images with
// and without a drop shadow (2, 3), one-way sliders (14), palette brightness cycling (19),
// fading floaters (21), palette rotation (23) and growing squares (24).
#pragma once
#include <array>
#include <vector>

#include "player/objects/moving_obj.h"

namespace zkw {

// Kind 0: a coloured rectangle without image, filled and/or bordered.
class TBackgroundObj : public TAnimateObj {
 public:
  TBackgroundObj();
  bool ReadFromStream(TRecordReader& r, int32_t Version) override;
  bool ReadFromStream2(TRecordReader& r) override;
  bool Write(TRecordWriter& w) override;
  void CopyFrom(const TAnimateObj& AObj) override;
  TAnimateObj* NewOfSameKind() const override { return new TBackgroundObj(); }
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  void GetPropsToList(TPropList& List) override;
  void Draw(TDibBaseObj* ADib) override;
  bool PtInObject(int32_t X, int32_t Y) override;
  bool IsSolidAt(int32_t X, int32_t Y) override;

  uint32_t FColor = 0;
  int16_t FBorderSize = 0;
  uint32_t FBorderColor = 0xFFFFFF;
  bool FFill = true;
};

// Kind 1: a still image, optionally repeated side by side.
class TDibDrawObj : public TAnimateObj {
 public:
  TDibDrawObj();
  bool ReadFromStream(TRecordReader& r, int32_t Version) override;
  bool ReadFromStream2(TRecordReader& r) override;
  bool Write(TRecordWriter& w) override;
  void CopyFrom(const TAnimateObj& AObj) override;
  TAnimateObj* NewOfSameKind() const override { return new TDibDrawObj(); }
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  void GetPropsToList(TPropList& List) override;
  void Draw(TDibBaseObj* ADib) override;
  bool IsSolidAt(int32_t X, int32_t Y) override;
  bool PtInObject(int32_t X, int32_t Y) override;

  bool FAutoDie = false;
  int16_t FRepeatTime = 1;
};

// Kind 2: a floating image moving in its region every Speed steps.
class TDibFloatObj : public TMovingObj {
 public:
  TDibFloatObj();
  bool ReadFromStream(TRecordReader& r, int32_t Version) override;
  bool ReadFromStream2(TRecordReader& r) override;
  bool Write(TRecordWriter& w) override;
  void CopyFrom(const TAnimateObj& AObj) override;
  TAnimateObj* NewOfSameKind() const override { return new TDibFloatObj(); }
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  void GetPropsToList(TPropList& List) override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;
  void BeforePlay() override { FSpeedCount = 0; }
  // Bounce with Return; otherwise back to the start coordinate of that axis, and with IsRandom
  // a random place on the other axis when the object does not move along it.
  void CollideAction(uint8_t Edges) override;

  int16_t FSpeed = 1, FSpeedCount = 0;

 protected:
  void ReadFloatRecord(TRecordReader& r, int32_t Version, bool Old);
};

// Kind 3: a floating image with a drop shadow.
class TDibFloatShadow : public TDibFloatObj {
 public:
  TDibFloatShadow();
  bool ReadFromStream(TRecordReader& r, int32_t Version) override;
  bool ReadFromStream2(TRecordReader& r) override;
  bool Write(TRecordWriter& w) override;
  void CopyFrom(const TAnimateObj& AObj) override;
  TAnimateObj* NewOfSameKind() const override { return new TDibFloatShadow(); }
  void Draw(TDibBaseObj* ADib) override;

  int16_t FShadowX = 5, FShadowY = 5, FShadow = 50;
};

// Kind 14: slides along one axis between two limits; reaching a limit hides it until the
// scene's Continue.
class TFloatLimitObj : public TAnimateObj {
 public:
  TFloatLimitObj();
  bool ReadFromStream(TRecordReader& r, int32_t Version) override;
  bool ReadFromStream2(TRecordReader& r) override;
  bool Write(TRecordWriter& w) override;
  void CopyFrom(const TAnimateObj& AObj) override;
  TAnimateObj* NewOfSameKind() const override { return new TFloatLimitObj(); }
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;

  int16_t FFromPos = 0, FToPos = 0, FDelta = 1;
  uint8_t FOrient = 0;

 private:
  void ReadOwn(TRecordReader& r);
};

// Kind 19: cycles the brightness of a set of palette entries of an 8-bit image.
class TBrightObj : public TAnimateObj {
 public:
  TBrightObj();
  bool ReadFromStream(TRecordReader& r, int32_t Version) override;
  bool ReadFromStream2(TRecordReader& r) override;
  bool Write(TRecordWriter& w) override;
  void CopyFrom(const TAnimateObj& AObj) override;
  TAnimateObj* NewOfSameKind() const override { return new TBrightObj(); }
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  void GetPropsToList(TPropList& List) override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;

  bool HasColor(int32_t Index) const { return (FColors[static_cast<size_t>(Index >> 3)] >> (Index & 7)) & 1; }
  void SetColor(int32_t Index, bool On);

  int16_t FMin = -100, FMax = 100, FCurrent = 0, FIncreasement = 10;
  bool FReturn = true;
  std::array<uint8_t, 32> FColors{};

 private:
  void ReadOwn(TRecordReader& r);
};

// Kind 21: a floater whose opacity swings between two limits.
class TMergeObj : public TMovingObj {
 public:
  TMergeObj();
  bool ReadFromStream(TRecordReader& r, int32_t Version) override;
  bool ReadFromStream2(TRecordReader& r) override;
  bool Write(TRecordWriter& w) override;
  void CopyFrom(const TAnimateObj& AObj) override;
  TAnimateObj* NewOfSameKind() const override { return new TMergeObj(); }
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  void GetPropsToList(TPropList& List) override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;

  int16_t FDt = 5, FMinTrans = 0, FMaxTrans = 100;
  bool FReturn = true;

 private:
  void ReadOwn(TRecordReader& r, int32_t Version);
};

// Kind 23: rotates a range of palette entries of an 8-bit image by one each step.
class TAniPaletteObj : public TAnimateObj {
 public:
  TAniPaletteObj();
  bool ReadFromStream(TRecordReader& r, int32_t Version) override;
  bool ReadFromStream2(TRecordReader& r) override;
  bool Write(TRecordWriter& w) override;
  void CopyFrom(const TAnimateObj& AObj) override;
  TAnimateObj* NewOfSameKind() const override { return new TAniPaletteObj(); }
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;

  int16_t FFromColor = 0, FToColor = 0;
};

// Kind 24: squares growing (or shrinking) inside the object's box, re-created at random places.
class TAniSquaresObj : public TAnimateObj {
 public:
  TAniSquaresObj();
  bool ReadFromStream(TRecordReader& r, int32_t Version) override;
  bool ReadFromStream2(TRecordReader& r) override;
  bool Write(TRecordWriter& w) override;
  void CopyFrom(const TAnimateObj& AObj) override;
  TAnimateObj* NewOfSameKind() const override { return new TAniSquaresObj(); }
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  void GetPropsToList(TPropList& List) override;
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
  void ReadOwn(TRecordReader& r);
  TSquareObj NewSquare() const;
};

}  // namespace zkw
