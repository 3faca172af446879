// The frame cycle of a scene: the action step, the draw step with the fade, key polling, play
// start and end, z-order changes, deferred deletions and copies, scrolling.
#include <algorithm>

#include "dib/dib24.h"
#include "dib/dib_base.h"
#include "fonts/dib_font.h"
#include "text/scene_text.h"
#include "player/objects/animate_obj.h"
#include "script/execute.h"
#include "player/scene/dib_animator.h"
#include "player/scene/scene_entries.h"
#include "sound/sound_manager.h"

namespace zkw {

namespace {

// Virtual keys of the key slots 1..10: Left, Right, Up, Down, Space, Return, Escape, Control,
// Shift, Alt.
const int32_t kSlotKeys[10] = {0x25, 0x27, 0x26, 0x28, 0x20, 0x0D, 0x1B, 0x11, 0x10, 0x12};

template <class F>
void ForEachObject(TLinkList* list, F&& f) {
  for (TItemNode* n = list ? list->Head() : nullptr; n; n = n->NextItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    f(o);
    if (o->FStyle == kGroupKind) ForEachObject(o->ChildList(), f);
  }
}

}  // namespace

TLinkList* TDibAnimator::ListOf(TAnimateObj* Obj) {
  if (Obj && Obj->FGroup && Obj->FGroup->ChildList()) return Obj->FGroup->ChildList();
  return this;
}

// --- action step ------------------------------------------------------------------------------

void TDibAnimator::FreeDeleteds() {
  std::vector<TAnimateObj*> gone;
  gone.swap(FDeleteds);
  auto forget = [&](TAnimateObj* obj) {
    if (obj->FOnDeleted) obj->FOnDeleted(obj);
    // Nothing may keep pointing at the freed object.
    if (FFocused == obj) FFocused = nullptr;
    if (FHotObject == obj) FHotObject = nullptr;
    if (FHotContainer == obj) FHotContainer = nullptr;
    if (FCaptureMouseObj == obj) FCaptureMouseObj = nullptr;
    if (CurrentObj == obj) CurrentObj = nullptr;
    if (FCaret.FOwner == obj) FCaret.FOwner = nullptr;
    ForEachObject(this, [&](TAnimateObj* o) {
      auto& kids = o->FChildren;
      kids.erase(std::remove(kids.begin(), kids.end(), obj), kids.end());
    });
    // Its sounds play on without an owner.
    DXSoundManager->ObjectInvalid(obj);
    MoveObjects.erase(std::remove_if(MoveObjects.begin(), MoveObjects.end(),
                                     [&](const PendingMove& m) { return m.Obj == obj || m.Ref == obj; }),
                      MoveObjects.end());
    FSounds.erase(std::remove_if(FSounds.begin(), FSounds.end(),
                                 [&](const PendingSound& s) { return s.Owner == obj; }),
                  FSounds.end());
  };
  auto marked = [&](TAnimateObj* o) { return std::find(gone.begin(), gone.end(), o) != gone.end(); };
  for (TAnimateObj* obj : gone) {
    // A member of a group that goes in the same step is freed with its group, once.
    bool withGroup = false;
    for (TAnimateObj* g = obj->FGroup; g && !withGroup; g = g->FGroup) withGroup = marked(g);
    if (withGroup) continue;
    forget(obj);
    if (obj->FStyle == kGroupKind) ForEachObject(obj->ChildList(), forget);
    ListOf(obj)->FreeItem(obj);
  }
}

void TDibAnimator::DoAction(TDibBaseObj* ADib) {
  if (!FSceneReady || FWorking || FPaused) return;
  FreeDeleteds();
  if (!ADib) return;
  DXSoundManager->Check();
  PollKeys();
  for (TItemNode* n = Head(); n; n = n->NextItem) {
    auto* obj = static_cast<TAnimateObj*>(n);
    if (!obj->FEnabled) continue;
    obj->Action(ADib);
    if (obj->Macro(ocAction) && obj->FActive) {
      FEventValue1 = FEventValue2 = 0;
      RunEventScript(obj, obj->Macro(ocAction), ocAction);
    }
  }
  if (!MoveObjects.empty()) ProcessPendingMoves();
  PlayPendingSounds();
}

void TDibAnimator::PlayPendingSounds() {
  // Sounds queued while these play (by scripts of the sound notifications) wait for the next
  // step, so a sound whose end queues itself again cannot loop within one step.
  std::vector<PendingSound> queue;
  queue.swap(FSounds);
  for (auto it = queue.rbegin(); it != queue.rend(); ++it) {
    // A script run by a notification may have removed the entry meanwhile.
    bool exists = false;
    for (TItemNode* n = FSoundEntries.Head(); n && !exists; n = n->NextItem) exists = n == it->Entry;
    if (exists) it->Entry->Play(it->Owner, it->EventID);
  }
}

void TDibAnimator::SetPlaying(bool Value) {
  FPlaying = Value;
  if (!Value) DXSoundManager->StopAll();
}

void TDibAnimator::SetPaused(bool Value) {
  FPaused = Value;
  if (Value) DXSoundManager->StopAllWithNotify();
}

void TDibAnimator::PollKeys() {
  if (NoKeyboardProcess) return;
  bool onlyReturnEscape = FFocused && FFocused->FKeysNeeded;
  for (int slot = 1; slot <= 10; ++slot) {
    if (onlyReturnEscape && slot != 6 && slot != 7) continue;
    bool down = FKeyDown && FKeyDown(kSlotKeys[slot - 1]);
    if (KeyStates[slot - 1] && !down && macroUpKeys[slot]) {
      FEventValue1 = FEventValue2 = 0;
      RunEventScript(nullptr, macroUpKeys[slot].get(), 0);
    }
    KeyStates[slot - 1] = down ? 1 : 0;
    if (down && macroDownKeys[slot]) {
      FEventValue1 = FEventValue2 = 0;
      RunEventScript(nullptr, macroDownKeys[slot].get(), 0);
    }
  }
}

// --- draw step --------------------------------------------------------------------------------

void TDibAnimator::DoDraw(TDibBaseObj* ADib) {
  if (FPaused || !ADib) return;
  for (TItemNode* n = Head(); n; n = n->NextItem) {
    auto* obj = static_cast<TAnimateObj*>(n);
    if (!obj->FEnabled) continue;
    RunEventScript(obj, obj->Macro(ocBeforeDraw), ocBeforeDraw);
    if (obj->FStyle != kExternalKind)
      obj->Draw(ADib);
    else if (FOnTask)
      FOnTask(this, atDraw, obj->ExternalIdentifier(), obj);
    if (obj == FFocused && obj == FCaret.FOwner) FCaret.Draw(ADib);
    RunEventScript(obj, obj->Macro(ocDraw), ocDraw);
  }
  DrawTextBlock(ADib);
  if (FFadeDelta > 0) {
    if (FCurrentFade < 100) {
      ADib->BarMerge(0, 0, FViewWidth, FViewHeight, FFadeColor, static_cast<uint16_t>(100 - FCurrentFade));
      FCurrentFade = static_cast<int16_t>(std::min(100, FCurrentFade + FFadeDelta));
    }
  } else if (FFadeDelta < 0) {
    if (FCurrentFade >= 0) {
      ADib->BarMerge(0, 0, FViewWidth, FViewHeight, FFadeColor, static_cast<uint16_t>(100 - FCurrentFade));
      FCurrentFade = static_cast<int16_t>(std::max(0, FCurrentFade + FFadeDelta));
    }
    if (FCurrentFade == 0 && macroOnFadeOut) {
      FEventValue1 = FEventValue2 = 0;
      RunEventScript(nullptr, macroOnFadeOut.get(), scFadeOut);
    }
  }
}

void TDibAnimator::SetText(const char* Text, uint16_t Len) {
  FText = Text;
  FTextLen = Text ? Len : 0;
}

void TDibAnimator::DrawTextBlock(TDibBaseObj* ADib) {
  if (!FText || !FFont || !ADib) return;
  ZString text = DecodeSceneText(std::string_view(FText, FTextLen));
  TFontRect rect{FTextRect.left, FTextRect.top, FTextRect.right, FTextRect.bottom};
  int32_t len = static_cast<int32_t>(text.size());
  int32_t height = FFont->CalcText(rect, text.c_str(), len);
  int32_t space = rect.bottom - rect.top - height;
  if (FTextVAlign == 1)
    rect.top += space / 2;
  else if (FTextVAlign == 8)
    rect.top += space;
  uint16_t flags = static_cast<uint16_t>(kDtWordBreak | (FTextHAlign == 1 ? kDtCenter : FTextHAlign == 2 ? kDtRight : 0));
  FFont->DrawText(rect, text.c_str(), len, ADib, flags);
}

void TDibAnimator::FadeIn(int16_t Delta, uint32_t Color) {
  FFadeDelta = static_cast<int16_t>(Delta < 0 ? -Delta : Delta);
  FFadeColor = Color;
  FCurrentFade = 0;
}

void TDibAnimator::FadeOut(int16_t Delta, uint32_t Color) {
  FFadeDelta = static_cast<int16_t>(Delta < 0 ? Delta : -Delta);
  FFadeColor = Color;
  FCurrentFade = 100;
}

// --- play start and end -----------------------------------------------------------------------

void TDibAnimator::ResetParents() {
  ForEachObject(this, [](TAnimateObj* o) { o->FChildren.clear(); });
  ForEachObject(this, [&](TAnimateObj* o) {
    if (o->FParentName.empty()) return;
    TAnimateObj* parent = GetObjectName(o->FParentName);
    if (parent && parent != o) parent->FChildren.push_back(o);
  });
}

void TDibAnimator::BeforePlay() {
  GlobalValue1 = GlobalValue2 = GlobalValue3 = 0;
  ResetParents();
  int32_t index = 0;
  for (TItemNode* n = Head(); n; n = n->NextItem) {
    auto* obj = static_cast<TAnimateObj*>(n);
    obj->FIndex = ++index;
    obj->BeforePlay();
  }
  PrepareSceneScripts(this);
  FEventValue1 = FEventValue2 = 0;
  RunEventScript(nullptr, macroOnInit.get(), scInit);
}

void TDibAnimator::EndPlay() {
  FEventValue1 = FEventValue2 = 0;
  RunEventScript(nullptr, macroOnClose.get(), scClose);
  DXSoundManager->StopAll();
}

// --- z-order, deletion, copies ----------------------------------------------------------------

void TDibAnimator::DeleteThis(TAnimateObj* Obj) {
  if (!Obj) return;
  if (std::find(FDeleteds.begin(), FDeleteds.end(), Obj) == FDeleteds.end()) FDeleteds.push_back(Obj);
  if (FFocused == Obj) SetFocusedObj(nullptr);
}

TAnimateObj* TDibAnimator::NewFrom(TAnimateObj* Obj) {
  if (!Obj) return nullptr;
  TAnimateObj* copy = Obj->NewOfSameKind();
  copy->CopyFrom(*Obj);
  copy->FGroup = Obj->FGroup;
  TLinkList* list = ListOf(Obj);
  if (Obj->NextItem)
    list->Insert(Obj->NextItem, copy);
  else
    list->Append(copy);
  CurrentObj = copy;
  return copy;
}

void TDibAnimator::BringToFront(TAnimateObj* Obj) {
  if (Obj && !Designing) ListOf(Obj)->MoveToTail(Obj);
}

void TDibAnimator::SendToBack(TAnimateObj* Obj) {
  if (Obj && !Designing) ListOf(Obj)->MoveToHead(Obj);
}

void TDibAnimator::MoveAbove(TAnimateObj* Obj, TAnimateObj* Ref) {
  if (!Obj || !Ref || Obj == Ref || Designing) return;
  TLinkList* list = ListOf(Obj);
  if (ListOf(Ref) != list || list->IndexOf(Obj) < 0 || list->IndexOf(Ref) < 0) return;
  list->Delete(Obj);
  if (Ref->NextItem)
    list->Insert(Ref->NextItem, Obj);
  else
    list->Append(Obj);
}

void TDibAnimator::MoveBelow(TAnimateObj* Obj, TAnimateObj* Ref) {
  if (!Obj || !Ref || Obj == Ref || Designing) return;
  TLinkList* list = ListOf(Obj);
  if (ListOf(Ref) != list || list->IndexOf(Obj) < 0 || list->IndexOf(Ref) < 0) return;
  list->Delete(Obj);
  list->Insert(Ref, Obj);
}

void TDibAnimator::PrepareMove(uint8_t Kind, TAnimateObj* Obj, TAnimateObj* Ref) {
  if (Obj && Kind <= 3) MoveObjects.push_back({Kind, Obj, Ref});
}

void TDibAnimator::ProcessPendingMoves() {
  std::vector<PendingMove> moves;
  moves.swap(MoveObjects);
  for (const PendingMove& m : moves) {
    switch (m.Kind) {
      case 0: BringToFront(m.Obj); break;
      case 1: SendToBack(m.Obj); break;
      case 2: MoveAbove(m.Obj, m.Ref); break;
      case 3: MoveBelow(m.Obj, m.Ref); break;
      default: break;
    }
  }
}

// --- scrolling --------------------------------------------------------------------------------

void TDibAnimator::ChangePosition(int32_t Dx, int32_t Dy) {
  for (TItemNode* n = Head(); n; n = n->NextItem) static_cast<TAnimateObj*>(n)->ShiftBy(Dx, Dy);
}

void TDibAnimator::Scroll(int32_t Dx, int32_t Dy) {
  if (Designing) return;
  int32_t x = std::max(std::min(FXPos - Dx, 0), FViewWidth - FWidth);
  int32_t y = std::max(std::min(FYPos - Dy, 0), FViewHeight - FHeight);
  int32_t realX = x - FXPos, realY = y - FYPos;
  FXPos = x;
  FYPos = y;
  ChangePosition(realX, realY);
  FEventValue1 = realX;
  FEventValue2 = realY;
  WillScrollX = WillScrollY = 0;
  RunEventScript(nullptr, macroOnScroll.get(), scScroll);
  ResetCursor();
  NeedDrawNow = true;
}

void TDibAnimator::SetPositionX(int32_t Value) {
  int32_t x = std::max(std::min(Value, 0), FViewWidth - FWidth);
  ChangePosition(x - FXPos, 0);
  FXPos = x;
}

void TDibAnimator::SetPositionY(int32_t Value) {
  int32_t y = std::max(std::min(Value, 0), FViewHeight - FHeight);
  ChangePosition(0, y - FYPos);
  FYPos = y;
}

}  // namespace zkw
