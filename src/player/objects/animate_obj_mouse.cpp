// Mouse behaviour of every object: hover, press and click, dragging and dropping onto
// containers, wheel and double click.
#include <algorithm>
#include <string>

#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"

namespace zkw {

void TAnimateObj::MouseInChanged(bool Inside) {
  if (Inside == FMouseIn) return;
  FMouseIn = Inside;
  RunMacro(Inside ? ocMouseOver : ocMouseLeave, Inside ? ocMouseOver : ocMouseLeave);
}

bool TAnimateObj::MouseMove(TDibAnimator* AParent, int32_t X, int32_t Y) {
  bool result = false;
  if (FEnabled && FFloatWhenClick) {
    if (FLeftDown) {
      SetPos(X - FOx, Y - FOy);
      if (AParent) {
        AParent->FHotContainer = nullptr;
        AParent->FHotContainer = AParent->SearchObjBelow(this);
      }
      result = true;
    } else {
      result = PtInObject(X, Y);
    }
  } else if (FEnabled) {
    result = FSensitive && PtInObject(X, Y);
  }
  MouseInChanged(PtInObject(X, Y));
  return result;
}

bool TAnimateObj::MouseDown(TDibAnimator* AParent, int32_t X, int32_t Y) {
  FLeftDown = PtInObject(X, Y);
  bool result = false;
  if (FLeftDown && FFloatWhenClick) {
    FOx = X - Fx;
    FOy = Y - Fy;
    if (AParent) AParent->FCaptureMouseObj = this;
    result = true;
  }
  if (FLeftDown && Macro(ocMouseDown) && AParent) {
    AParent->FEventValue1 = X - Fx;
    AParent->FEventValue2 = Y - Fy;
    RunMacro(ocMouseDown, ocMouseDown);
    result = true;
  }
  return result;
}

bool TAnimateObj::MouseUp(TDibAnimator* AParent, int32_t X, int32_t Y) {
  bool result = false;
  if (AParent) AParent->FHotContainer = nullptr;
  if (FLeftDown && AParent) {
    if (EnableClickEvent && Macro(ocClick) && PtInObject(X, Y)) {
      AParent->FEventValue1 = AParent->FEventValue2 = 0;
      RunMacro(ocClick, ocClick);
      result = true;
    }
    if (Macro(ocMouseUp)) {
      AParent->FEventValue1 = X - Fx;
      AParent->FEventValue2 = Y - Fy;
      RunMacro(ocMouseUp, ocMouseUp);
    }
    if (FFloatWhenClick) {
      if (AParent->FOnDrop) AParent->FOnDrop(AParent, this);
      if (Macro(ocDrop)) {
        AParent->FEventValue1 = reinterpret_cast<intptr_t>(AParent->SearchObjBelow(this));
        AParent->FEventValue2 = 0;
        RunMacro(ocDrop, ocDrop);
      }
    }
  }
  FLeftDown = false;
  return result;
}

bool TAnimateObj::MouseWheel(TDibAnimator* AParent, int32_t Delta, int32_t X, int32_t Y) {
  if (!AParent || !InRect(X, Y) || !Macro(ocMouseWheel)) return false;
  AParent->FEventValue1 = X - Fx;
  AParent->FEventValue2 = Y - Fy;
  AParent->FEventString = std::to_string(Delta);
  RunMacro(ocMouseWheel, ocMouseWheel);
  return true;
}

bool TAnimateObj::DoubleClick(TDibAnimator* AParent, int32_t X, int32_t Y) {
  if (!AParent || !InRect(X, Y) || !Macro(ocDblClk)) return false;
  AParent->FEventValue1 = X - Fx;
  AParent->FEventValue2 = Y - Fy;
  AParent->FEventString.clear();
  RunMacro(ocDblClk, ocDblClk);
  return true;
}

TAnimateObj* TAnimateObj::ContainerAt(TAnimateObj* Dragged, const TSmallRect& Rect) {
  if (!FEnabled || !FContainer || !Dragged) return nullptr;
  TSmallRect mine = ObjRect();
  int32_t left = std::max(mine.left, Rect.left), right = std::min(mine.right, Rect.right);
  int32_t top = std::max(mine.top, Rect.top), bottom = std::min(mine.bottom, Rect.bottom);
  if (left > right || top > bottom) return nullptr;
  if (right - left + 1 < Dragged->FWidth / 2 && bottom - top + 1 < Dragged->FHeight / 2) return nullptr;
  for (int32_t y = top; y <= bottom; ++y)
    for (int32_t x = left; x <= right; ++x)
      if (Dragged->IsSolidAt(x - Dragged->Fx, y - Dragged->Fy) && IsSolidAt(x - Fx, y - Fy)) return this;
  return nullptr;
}

void TAnimateObj::SetFocus() {
  if (FParent) FParent->SetFocusedObj(this);
}

// --- the animator's routing -------------------------------------------------------------------

TAnimateObj* TDibAnimator::SearchObjBelow(TAnimateObj* Obj) {
  if (!Obj) return nullptr;
  TSmallRect rect = Obj->ObjRect();
  for (TItemNode* n = Obj->PrevItem; n; n = n->PrevItem)
    if (TAnimateObj* c = static_cast<TAnimateObj*>(n)->ContainerAt(Obj, rect)) return c;
  return nullptr;
}

bool TDibAnimator::MouseMove(int32_t X, int32_t Y) {
  if (FPaused) return false;
  if (FCaptureMouseObj) return FCaptureMouseObj->MouseMove(this, X, Y);
  bool handled = false;
  for (TItemNode* n = Tail(); n; n = n->PrevItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    if (!o->FEnabled || !o->MouseMove(this, X, Y)) continue;
    handled = true;
    if (o->FStyle != kGroupKind) FHotObject = o;
    break;
  }
  if (macroOnMouseMove) {
    FEventValue1 = X;
    FEventValue2 = Y;
    RunEventScript(nullptr, macroOnMouseMove.get(), scMouseMove);
  }
  return handled;
}

bool TDibAnimator::MouseDown(int32_t X, int32_t Y) {
  if (FPaused) return false;
  bool handled = false;
  for (TItemNode* n = Tail(); n && !handled; n = n->PrevItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    handled = o->FEnabled && o->MouseDown(this, X, Y);
  }
  if (macroOnMouseDown) {
    FEventValue1 = X;
    FEventValue2 = Y;
    RunEventScript(nullptr, macroOnMouseDown.get(), scMouseDown);
  }
  return handled;
}

void TDibAnimator::MouseUp(int32_t X, int32_t Y) {
  if (FPaused) return;
  FCaptureMouseObj = nullptr;
  bool handled = false;
  for (TItemNode* n = Tail(); n && !handled; n = n->PrevItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    handled = o->FEnabled && o->MouseUp(this, X, Y);
  }
  if (macroOnMouseUp) {
    FEventValue1 = X;
    FEventValue2 = Y;
    RunEventScript(nullptr, macroOnMouseUp.get(), scMouseUp);
  }
}

bool TDibAnimator::MouseWheel(int32_t Delta, int32_t X, int32_t Y) {
  if (FPaused) return false;
  for (TItemNode* n = Tail(); n; n = n->PrevItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    if (o->FEnabled && o->MouseWheel(this, Delta, X, Y)) return true;
  }
  return false;
}

bool TDibAnimator::DoubleClick(int32_t X, int32_t Y) {
  if (FPaused) return false;
  for (TItemNode* n = Tail(); n; n = n->PrevItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    if (o->FEnabled && o->DoubleClick(this, X, Y)) return true;
  }
  return false;
}

bool TDibAnimator::KeyDown(int32_t Key) {
  TAnimateObj* f = FFocused;
  if (!f || !f->FEnabled) return false;
  f->KeyDown(Key);
  return f->FKeysNeeded && Key != 13 && Key != 27;
}

bool TDibAnimator::KeyPress(int32_t Key) {
  TAnimateObj* f = FFocused;
  if (!f || !f->FEnabled) return false;
  f->KeyPress(Key);
  return f->FKeysNeeded;
}

}  // namespace zkw

namespace zkw {

void TAnimateObj::Float() {
  if (!FFloatWhenClick || !FParent) return;
  FOx = FWidth / 2;
  FOy = FHeight / 2;
  if (FParent->FOnSetMousePos) FParent->FOnSetMousePos(FParent, Fx + FOx, Fy + FOy);
  FLeftDown = true;
  FParent->FCaptureMouseObj = this;
}

void TAnimateObj::ShowCaret(int32_t AHeight) {
  if (FParent) FParent->FCaret.ShowCaret(this, AHeight);
}

void TAnimateObj::HideCaret() {
  if (FParent) FParent->FCaret.FOwner = nullptr;
}

}  // namespace zkw
