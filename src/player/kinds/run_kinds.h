// Scrolling and perspective images: endless scrolls inside the image (kinds 10, 11) and images
// drawn through a run-line set, the perspective strips (kinds 15, 17 moving in a region and
// 16, 18 wrapping endlessly).
#pragma once
#include <array>
#include <cstdint>

#include "dib/composite_clip.h"
#include "player/objects/moving_obj.h"

namespace zkw {

// Kind 10: the shown piece scrolls sideways through the image without end; the part that runs
// out on the right comes in again from the image's left edge.
class TDibRunHorz : public TAnimateObj {
 public:
  TDibRunHorz();
  bool ReadFromStream(TRecordReader& r, int32_t Version) override;
  bool ReadFromStream2(TRecordReader& r) override;
  bool Write(TRecordWriter& w) override;
  void CopyFrom(const TAnimateObj& AObj) override;
  TAnimateObj* NewOfSameKind() const override { return new TDibRunHorz(); }
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  void GetPropsToList(TPropList& List) override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;

  // Step along the scrolling axis (Dx of kind 10, Dy of kind 11).
  int16_t FStep = 1;

 protected:
  bool FVertical = false;
};

// Kind 11: the same, scrolling up and down.
class TDibRunVert : public TDibRunHorz {
 public:
  TDibRunVert();
  TAnimateObj* NewOfSameKind() const override { return new TDibRunVert(); }
};

// A run-line set: start values at 0..1024, end values at 1025..2049.
using TRunLineSet = std::array<int16_t, 2 * kLineOffsetCount>;

// Kinds 15 (columns, moving along x) and 17 (rows, moving along y): the image drawn through a
// run-line set, moving inside its region; at a region edge it bounces with Return or starts
// again at OriginX (OriginY).
class TPerspectYObj : public TAnimateObj {
 public:
  TPerspectYObj();
  bool ReadFromStream(TRecordReader& r, int32_t Version) override;
  bool ReadFromStream2(TRecordReader& r) override;
  bool Write(TRecordWriter& w) override;
  void CopyFrom(const TAnimateObj& AObj) override;
  TAnimateObj* NewOfSameKind() const override { return new TPerspectYObj(); }
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  void GetPropsToList(TPropList& List) override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;
  void ShiftBy(int32_t dx, int32_t dy) override;

  TSmallRect FRegion{0, 0, 320, 200};
  bool FReturn = true;
  int16_t FStep = 1;  // Dx (kind 15) or Dy (kind 17)
  TRunLineSet FLines{};

 protected:
  // Draws the strip once (RunScaleY for kinds 15, 16; RunScaleX for 17, 18).
  void DrawStrip(TDibBaseObj* ADib, int32_t Pos);
  virtual void DrawStrips(TDibBaseObj* ADib);
  virtual void Move();
  bool FRows = false;     // kinds 17, 18
  bool FWrapping = false; // kinds 16, 18: no Return in the record

 private:
  void ReadOwn(TRecordReader& r, int32_t Version);
};

// Kind 17: the rows counterpart of kind 15.
class TPerspectXObj : public TPerspectYObj {
 public:
  TPerspectXObj();
  TAnimateObj* NewOfSameKind() const override { return new TPerspectXObj(); }
};

// Kind 16: the strip repeated every image width and scrolling without end.
class TRunPersYObj : public TPerspectYObj {
 public:
  TRunPersYObj();
  TAnimateObj* NewOfSameKind() const override { return new TRunPersYObj(); }

 protected:
  void DrawStrips(TDibBaseObj* ADib) override;
  void Move() override;
};

// Kind 18: the rows counterpart of kind 16.
class TRunPersXObj : public TRunPersYObj {
 public:
  TRunPersXObj();
  TAnimateObj* NewOfSameKind() const override { return new TRunPersXObj(); }
};

}  // namespace zkw
