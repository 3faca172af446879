// Scrolling and perspective images: endless scrolls inside the image (kinds 10, 11) and images
// drawn through a run-line set, the perspective strips (kinds 15, 17 moving in a region and
// 16, 18 wrapping endlessly).
#pragma once
#include <array>
#include <cstdint>

#include "dib/composite_clip.h"
#include "player/objects/kind_fields.h"
#include "player/objects/moving_obj.h"

namespace zkw {

// Kinds 10 and 11: the shown piece scrolls through the image without end; the part that runs
// out on the right (bottom) comes in again from the image's left (top) edge.
class TScrollImage : public TAnimateObj {
 public:
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;

  // Step along the scrolling axis (Dx of kind 10, Dy of kind 11).
  int16_t FStep = 1;

 protected:
  bool FVertical = false;
};

// Kind 10: scrolling sideways.
class TDibRunHorz : public TKind<TDibRunHorz, TScrollImage> {
 public:
  TDibRunHorz();
  template <class V>
  static void Fields(V& v);
};
extern template class TKind<TDibRunHorz, TScrollImage>;

// Kind 11: the same, scrolling up and down.
class TDibRunVert : public TKind<TDibRunVert, TScrollImage> {
 public:
  TDibRunVert();
  template <class V>
  static void Fields(V& v);
};
extern template class TKind<TDibRunVert, TScrollImage>;

// A run-line set: start values at 0..1024, end values at 1025..2049.
using TRunLineSet = std::array<int16_t, 2 * kLineOffsetCount>;

// Kinds 15 (columns, moving along x) and 17 (rows, moving along y): the image drawn through a
// run-line set, moving inside its region; at a region edge it bounces with Return or starts
// again at OriginX (OriginY).
class TPerspectiveStrip : public TAnimateObj {
 public:
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;
  void ShiftBy(int32_t dx, int32_t dy) override;

  TSmallRect FRegion{0, 0, 320, 200};
  bool FReturn = true;
  int16_t FStep = 1;  // Dx (kinds 15, 16) or Dy (kinds 17, 18)
  TRunLineSet FLines{};

 protected:
  // Draws the strip once (RunScaleY for kinds 15, 16; RunScaleX for 17, 18).
  void DrawStrip(TDibBaseObj* ADib, int32_t Pos);
  virtual void DrawStrips(TDibBaseObj* ADib);
  virtual void Move();
  bool FRows = false;  // kinds 17, 18
};

// Kinds 16 and 18: the strip repeated every image width (height) and scrolling without end.
class TWrappingStrip : public TPerspectiveStrip {
 protected:
  void DrawStrips(TDibBaseObj* ADib) override;
  void Move() override;
};

class TPerspectYObj : public TKind<TPerspectYObj, TPerspectiveStrip> {
 public:
  TPerspectYObj();
  template <class V>
  static void Fields(V& v);
};
extern template class TKind<TPerspectYObj, TPerspectiveStrip>;

class TPerspectXObj : public TKind<TPerspectXObj, TPerspectiveStrip> {
 public:
  TPerspectXObj();
  template <class V>
  static void Fields(V& v);
};
extern template class TKind<TPerspectXObj, TPerspectiveStrip>;

class TRunPersYObj : public TKind<TRunPersYObj, TWrappingStrip> {
 public:
  TRunPersYObj();
  template <class V>
  static void Fields(V& v);
};
extern template class TKind<TRunPersYObj, TWrappingStrip>;

class TRunPersXObj : public TKind<TRunPersXObj, TWrappingStrip> {
 public:
  TRunPersXObj();
  template <class V>
  static void Fields(V& v);
};
extern template class TKind<TRunPersXObj, TWrappingStrip>;

}  // namespace zkw
