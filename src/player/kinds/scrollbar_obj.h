// The scroll bar (kind 33), drawn from three scene images: the up arrow at the top, the down
// arrow at the bottom and the thumb between them at Position of Max. A bar wider than high lies
// horizontally: the "up" arrow at the left, the "down" arrow at the right, the thumb dragged
// along x. Holding a part scrolls the object it drives (AffectObject) on every action step.
#pragma once
#include "player/objects/animate_obj.h"
#include "player/objects/kind_fields.h"
#include "player/objects/moving_obj.h"

namespace zkw {

class TDibScrollbarObj : public TKind<TDibScrollbarObj, TAnimateObj> {
 public:
  enum TPart : uint8_t { spNone = 0, spUp = 1, spDown = 2, spPageUp = 3, spPageDown = 4, spThumb = 5 };
  TDibScrollbarObj();
  template <class V>
  static void Fields(V& v);
  // Position (102) moves the bar with its events; Max (103) keeps the position inside it.
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  void PropertyWritten(int32_t PropID) override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;
  bool PtInObject(int32_t X, int32_t Y) override { return !IsFarAway(this) && InRect(X, Y); }
  bool IsSolidAt(int32_t X, int32_t Y) override { return X >= 0 && Y >= 0 && X < FWidth && Y < FHeight; }
  bool MouseMove(TDibAnimator* AParent, int32_t X, int32_t Y) override;
  bool MouseDown(TDibAnimator* AParent, int32_t X, int32_t Y) override;
  bool MouseUp(TDibAnimator* AParent, int32_t X, int32_t Y) override;

  // Sets Position (limited to 0..Max); a change scrolls the affected object and runs OnClick.
  void SetPosition(int32_t Value);
  // The part under a point (view pixels).
  uint8_t PartAt(int32_t X, int32_t Y);
  // Start of the thumb along the bar (top, or left when horizontal) and its extent.
  void ThumbPlace(int32_t& Top, int32_t& Height);
  // Whether the bar lies horizontally (wider than high).
  bool Horizontal() const { return FWidth > FHeight; }

  int16_t FUpButtonID = -1, FDownButtonID = -1, FBoxButtonID = -1;
  int16_t FMax = 100;
  int32_t FPosition = 0;
  std::string FAffectObject;
  uint8_t FPart = spNone;
  int32_t FGrabY = 0;  // where on the thumb it was grabbed, along the bar

 private:
  TDibBaseObj* Image(int16_t ID);
  // Along the bar: its start and length, an image's extent, a point's coordinate.
  int32_t Start() const { return Horizontal() ? Fx : Fy; }
  int32_t Length() const { return Horizontal() ? FWidth : FHeight; }
  int32_t Extent(TDibBaseObj* Image) const;
  int32_t Along(int32_t X, int32_t Y) const { return Horizontal() ? X : Y; }
  // Draws an image at a place along the bar.
  void DrawAt(TDibBaseObj* ADib, TDibBaseObj* Image, int32_t Place);
};
extern template class TKind<TDibScrollbarObj, TAnimateObj>;

}  // namespace zkw
