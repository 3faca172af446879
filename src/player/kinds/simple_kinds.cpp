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

bool TMarkerObj::ReadFromStream(TRecordReader& r, int32_t Version) {
  if (!TAnimateObj::ReadFromStream(r, Version)) return false;
  FIdentifier = r.I16("marker identifier");
  return r.Ok();
}

bool TMarkerObj::Write(TRecordWriter& w) {
  TAnimateObj::Write(w);
  w.I16(FIdentifier);
  return w.Ok();
}

void TMarkerObj::CopyFrom(const TAnimateObj& AObj) {
  TAnimateObj::CopyFrom(AObj);
  if (auto* m = dynamic_cast<const TMarkerObj*>(&AObj)) FIdentifier = m->FIdentifier;
}

int32_t TMarkerObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  if (PropID == 123) {
    SValue.clear();
    Value = FIdentifier;
    return 2;
  }
  return TAnimateObj::GetValue(PropID, Value, SValue);
}

void TMarkerObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  if (PropID == 123)
    FIdentifier = PropI16(IValue);
  else
    TAnimateObj::SetValue(PropID, SValue, IValue);
}

void TMarkerObj::GetPropsToList(TPropList& List) {
  TAnimateObj::GetPropsToList(List);
  AddProps(List, {123});
}

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

bool TAniTimerObj::ReadFromStream(TRecordReader& r, int32_t Version) {
  if (!TAnimateObj::ReadFromStream(r, Version)) return false;
  FInterval = r.I16("timer interval");
  FAutoDie = ReadBool(r, "timer auto die");
  r.I16("timer reserved");
  r.I16("timer reserved");
  FActive = false;  // a timer starts when a script activates it
  return r.Ok();
}

bool TAniTimerObj::Write(TRecordWriter& w) {
  TAnimateObj::Write(w);
  w.I16(FInterval);
  w.U8(FAutoDie);
  w.I16(0);
  w.I16(0);
  return w.Ok();
}

void TAniTimerObj::CopyFrom(const TAnimateObj& AObj) {
  TAnimateObj::CopyFrom(AObj);
  if (auto* t = dynamic_cast<const TAniTimerObj*>(&AObj)) {
    FInterval = t->FInterval;
    FAutoDie = t->FAutoDie;
  }
}

int32_t TAniTimerObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  switch (PropID) {
    case 91: Value = FInterval; return 2;
    case 49: Value = FAutoDie; return 2;
    default: return TAnimateObj::GetValue(PropID, Value, SValue);
  }
}

void TAniTimerObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  switch (PropID) {
    case 91: FInterval = PropI16(IValue); break;
    case 49: FAutoDie = IValue != 0; break;
    default: TAnimateObj::SetValue(PropID, SValue, IValue); break;
  }
}

void TAniTimerObj::GetPropsToList(TPropList& List) {
  TAnimateObj::GetPropsToList(List);
  AddProps(List, {91, 49});
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

bool TAniExternalObj::ReadFromStream(TRecordReader& r, int32_t Version) {
  if (!TAnimateObj::ReadFromStream(r, Version)) return false;
  FIdentifier = r.I16("external identifier");
  return r.Ok();
}

bool TAniExternalObj::ReadFromStream2(TRecordReader& r) {
  if (!TAnimateObj::ReadFromStream2(r)) return false;
  FIdentifier = r.I16("external identifier");
  return r.Ok();
}

bool TAniExternalObj::Write(TRecordWriter& w) {
  TAnimateObj::Write(w);
  w.I16(FIdentifier);
  return w.Ok();
}

void TAniExternalObj::CopyFrom(const TAnimateObj& AObj) {
  TAnimateObj::CopyFrom(AObj);
  if (auto* e = dynamic_cast<const TAniExternalObj*>(&AObj)) FIdentifier = e->FIdentifier;
}

int32_t TAniExternalObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  if (PropID == 123) {
    SValue.clear();
    Value = FIdentifier;
    return 2;
  }
  return TAnimateObj::GetValue(PropID, Value, SValue);
}

void TAniExternalObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  if (PropID == 123)
    FIdentifier = PropI16(IValue);
  else
    TAnimateObj::SetValue(PropID, SValue, IValue);
}

void TAniExternalObj::GetPropsToList(TPropList& List) {
  TAnimateObj::GetPropsToList(List);
  AddProps(List, {123});
}

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

