#include "player/kinds/scrollbar_obj.h"

#include <algorithm>

#include "dib/dib_base.h"
#include "player/kinds/kinds_common.h"
#include "player/scene/dib_animator.h"

namespace zkw {

TDibScrollbarObj::TDibScrollbarObj() { FStyle = 33; }

template <class V>
void TDibScrollbarObj::Fields(V& v) {
  using namespace fields;
  v.ListOrder({102, 103});
  v(&Self::FUpButtonID, I16("UpButtonID"));
  v(&Self::FDownButtonID, I16("DownButtonID"));
  v(&Self::FBoxButtonID, I16("BoxButtonID"));
  v(&Self::FMax, I16("Max").Prop(103));
  v(&Self::FAffectObject, CountedText("AffectObject"));
  v(&Self::FPosition, Kept("Position").Prop(102).ReadOnly());
}
template class TKind<TDibScrollbarObj, TAnimateObj>;

void TDibScrollbarObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  if (PropID == 102)
    SetPosition(RoundProp(IValue));
  else
    TKind::SetValue(PropID, SValue, IValue);
}

void TDibScrollbarObj::PropertyWritten(int32_t PropID) {
  if (PropID == 103) FPosition = std::clamp<int32_t>(FPosition, 0, std::max<int32_t>(0, FMax));
}

TDibBaseObj* TDibScrollbarObj::Image(int16_t ID) { return FParent && ID >= 0 ? FParent->GetDib(ID) : nullptr; }

int32_t TDibScrollbarObj::Extent(TDibBaseObj* Image) const {
  return !Image ? 0 : Horizontal() ? Image->Width() : Image->Height();
}

void TDibScrollbarObj::ThumbPlace(int32_t& Top, int32_t& Height) {
  int32_t upH = Extent(Image(FUpButtonID)), downH = Extent(Image(FDownButtonID));
  Height = Extent(Image(FBoxButtonID));
  int32_t track = std::max(0, Length() - upH - downH - Height);
  Top = Start() + upH + (FMax > 0 ? static_cast<int32_t>(static_cast<int64_t>(track) * FPosition / FMax) : 0);
}

uint8_t TDibScrollbarObj::PartAt(int32_t X, int32_t Y) {
  if (IsFarAway(this)) return spNone;
  if (!InRect(X, Y)) return spNone;
  int32_t upH = Extent(Image(FUpButtonID)), downH = Extent(Image(FDownButtonID));
  const int32_t p = Along(X, Y);
  if (p < Start() + upH) return spUp;
  if (p >= Start() + Length() - downH) return spDown;
  int32_t top, height;
  ThumbPlace(top, height);
  if (p < top) return spPageUp;
  if (p >= top + height) return spPageDown;
  return spThumb;
}

void TDibScrollbarObj::SetPosition(int32_t Value) {
  int32_t v = std::clamp<int32_t>(Value, 0, std::max<int32_t>(0, FMax));
  if (v == FPosition) return;
  int32_t change = v - FPosition;
  FPosition = v;
  if (!FParent) return;
  FParent->NeedDrawNow = true;
  if (TAnimateObj* target = FAffectObject.empty() ? nullptr : FParent->GetObjectName(FAffectObject))
    target->VScroll(change);
  if (Macro(ocClick)) {
    FParent->FEventValue1 = FParent->FEventValue2 = 0;
    RunMacro(ocClick, ocClick);
  }
}

void TDibScrollbarObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  FParentSetPos = false;
  if (!FEnabled || !FActive) return;
  switch (FPart) {
    case spUp: SetPosition(FPosition - 1); break;
    case spDown: SetPosition(FPosition + 1); break;
    case spPageUp: SetPosition(FPosition - 8); break;
    case spPageDown: SetPosition(FPosition + 8); break;
    default: break;
  }
}

void TDibScrollbarObj::DrawAt(TDibBaseObj* ADib, TDibBaseObj* Image, int32_t Place) {
  if (!Image) return;
  const int32_t x = Horizontal() ? Place : Fx, y = Horizontal() ? Fy : Place;
  ADib->DrawPeace(x, y, Image, 0, 0, Image->Width(), Image->Height(), 1, 1);
}

void TDibScrollbarObj::Draw(TDibBaseObj* ADib) {
  if (IsFarAway(this)) return;
  if (!FEnabled || !ADib) return;
  TDibBaseObj* down = Image(FDownButtonID);
  DrawAt(ADib, Image(FUpButtonID), Start());
  DrawAt(ADib, down, Start() + Length() - Extent(down));
  int32_t top, height;
  ThumbPlace(top, height);
  DrawAt(ADib, Image(FBoxButtonID), top);
}

bool TDibScrollbarObj::MouseDown(TDibAnimator* AParent, int32_t X, int32_t Y) {
  TAnimateObj::MouseDown(AParent, X, Y);
  if (!FEnabled || !FActive) return false;
  FPart = PartAt(X, Y);
  if (FPart == spNone) return false;
  if (FPart == spThumb) {
    int32_t top, height;
    ThumbPlace(top, height);
    FGrabY = Along(X, Y) - top;
    if (AParent) AParent->FCaptureMouseObj = this;
  }
  return true;
}

bool TDibScrollbarObj::MouseMove(TDibAnimator* AParent, int32_t X, int32_t Y) {
  if (IsFarAway(this)) return false;
  if (FPart != spThumb) return TAnimateObj::MouseMove(AParent, X, Y) || (FEnabled && InRect(X, Y));
  int32_t upH = Extent(Image(FUpButtonID)), downH = Extent(Image(FDownButtonID));
  int32_t track = Length() - upH - downH - Extent(Image(FBoxButtonID));
  if (track > 0)
    SetPosition(static_cast<int32_t>(static_cast<int64_t>(Along(X, Y) - FGrabY - Start() - upH) * FMax / track));
  return true;
}

bool TDibScrollbarObj::MouseUp(TDibAnimator* AParent, int32_t X, int32_t Y) {
  bool held = FPart != spNone;
  FPart = spNone;
  if (AParent && AParent->FCaptureMouseObj == this) AParent->FCaptureMouseObj = nullptr;
  // The click script runs on position changes only.
  bool keep = EnableClickEvent;
  EnableClickEvent = false;
  bool result = TAnimateObj::MouseUp(AParent, X, Y);
  EnableClickEvent = keep;
  return result || held;
}

}  // namespace zkw
