#include "player/kinds/simple_kinds.h"

#include <cstdlib>

#include "player/kinds/kinds_common.h"
#include "player/scene/dib_animator.h"

namespace zkw {

// --- marker -----------------------------------------------------------------------------------

TMarkerObj::TMarkerObj() {
  FStyle = 28;
  macroUserName = "OnInView";
}

template <class V>
void TMarkerObj::Fields(V& v) {
  v(&Self::FIdentifier, fields::I16("Identifier").Prop(123));
}
template class TKind<TMarkerObj, TAnimateObj>;

void TMarkerObj::ShiftBy(int32_t dx, int32_t dy) {
  int32_t oldX = Fx, oldY = Fy;
  TAnimateObj::ShiftBy(dx, dy);
  if (!FEnabled || !FActive || !FParent) return;
  FParent->FEventValue1 = FParent->FEventValue2 = 0;
  auto crosses = [](int32_t before, int32_t after, int32_t view) {
    int64_t delta = static_cast<int64_t>(after) - before;
    return ((before > 0 && after <= 0) || (before < 0 && after > 0)) && (delta < 0 ? -delta : delta) < view;
  };
  if (crosses(oldX, Fx, FParent->FViewWidth) || crosses(oldY, Fy, FParent->FViewHeight))
    RunMacro(ocUser, ocUser);
}

// --- timer ------------------------------------------------------------------------------------

TAniTimerObj::TAniTimerObj() {
  FStyle = 37;
  macroUserName = "OnTimer";
}

template <class V>
void TAniTimerObj::Fields(V& v) {
  using namespace fields;
  v(&Self::FInterval, I16("Interval").Prop(91));
  v(&Self::FAutoDie, Bool("AutoDie").Prop(49));
  v.Reserved(I16("Reserved"));
  v.Reserved(I16("Reserved"));
}
template class TKind<TAniTimerObj, TAnimateObj>;

bool TAniTimerObj::ReadKindRecord(TRecordReader& r, int32_t Version) {
  if (!TKind::ReadKindRecord(r, Version)) return false;
  FActive = false;
  return true;
}

void TAniTimerObj::SetActive(bool Value) {
  if (Value && !FActive) FCount = 0;
  TAnimateObj::SetActive(Value);
}

void TAniTimerObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  FParentSetPos = false;
  if (!FEnabled || !FActive) return;
  if (++FCount < FInterval) return;
  FCount = 0;
  if (FParent) {
    FParent->FEventValue1 = FParent->FEventValue2 = 0;
    RunMacro(ocUser, ocUser);
  }
  if (FAutoDie) {
    SetActive(false);
    Die();
  }
}

// --- external object --------------------------------------------------------------------------

TAniExternalObj::TAniExternalObj() { FStyle = kExternalKind; }

template <class V>
void TAniExternalObj::Fields(V& v) {
  v(&Self::FIdentifier, fields::I16("Identifier").Prop(123));
}
template class TKind<TAniExternalObj, TAnimateObj>;

bool TAniExternalObj::Notify(TDibAnimator* AParent, uint8_t Task) {
  bool handled = false;
  if (AParent && AParent->FOnMouseEvent)
    AParent->FOnMouseEvent(AParent, static_cast<TMouseTask>(Task), static_cast<uint16_t>(FIdentifier), this, handled);
  return handled;
}

bool TAniExternalObj::MouseMove(TDibAnimator* AParent, int32_t X, int32_t Y) {
  if (IsFarAway(this)) return false;
  if (!FEnabled || !FActive) return false;
  bool inside = InRect(X, Y);
  bool handled = false;
  if (inside != FMouseIn) {
    FMouseIn = inside;
    handled = Notify(AParent, inside ? mtOver : mtLeave);
    RunMacro(inside ? ocMouseOver : ocMouseLeave, inside ? ocMouseOver : ocMouseLeave);
  }
  if (inside) handled = Notify(AParent, mtMove) || handled || FSensitive;
  return handled;
}

bool TAniExternalObj::MouseDown(TDibAnimator* AParent, int32_t X, int32_t Y) {
  if (IsFarAway(this)) return false;
  if (!FEnabled || !FActive || !InRect(X, Y)) return false;
  FLeftDown = true;
  return Notify(AParent, mtDown);
}

bool TAniExternalObj::MouseUp(TDibAnimator* AParent, int32_t X, int32_t Y) {
  (void)X;
  (void)Y;
  if (!FEnabled || !FActive) return false;
  FLeftDown = false;
  return Notify(AParent, mtUp);
}

}  // namespace zkw

