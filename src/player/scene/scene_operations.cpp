// Operations on the scene's image and sound entries and objects, app data and the pen drawing
// of scripts.
#include <algorithm>
#include <cctype>

#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/dib_base.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"
#include "player/scene/scene_entries.h"
#include "sound/sound_manager.h"

namespace zkw {

namespace {

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// Kinds that show no image entry.
bool IsImagelessKind(uint8_t kind) {
  switch (kind) {
    case 0: case 22: case 24: case 28: case 29: case 30: case 31: case 32: case 34: case 35:
    case 37: case 38: case 39: case 40: case 42: case 43: case 255:
      return true;
    default:
      return false;
  }
}

template <class F>
void ForEachObject(TLinkList* list, F&& f) {
  for (TItemNode* n = list ? list->Head() : nullptr; n; n = n->NextItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    f(o);
    if (o->FStyle == kGroupKind) ForEachObject(o->ChildList(), f);
  }
}

constexpr uint8_t kFloatLimitKind = 14;
constexpr uint8_t kDialogKind = 35;
constexpr uint8_t kDibFontKind = 40;

}  // namespace

// --- object side ------------------------------------------------------------------------------

void TAnimateObj::ValidateID(TDibBaseObj* ADib, int32_t Index) {
  if (!ADib && FID == Index) {
    FDib = nullptr;
    FID = -1;
  } else if (ADib && ADib == FDib) {
    FID = static_cast<int16_t>(Index);
  }
}

void TAnimateObj::ValidateDibID(TDibBaseObj* ADib, int32_t Index) {
  if (FID != Index) return;
  SetDibObject(ADib);
  if (ADib) {
    FWidth = static_cast<int16_t>(ADib->Width());
    FHeight = static_cast<int16_t>(ADib->Height());
  }
}

void TAnimateObj::AssignDib(int32_t ID, TDibBaseObj* ADib) {
  if (ID != FID) ReleaseImage();
  FID = static_cast<int16_t>(ID);
  if (!ADib && FParent) ADib = FParent->GetDib(ID);
  SetDibObject(ADib);
}

// --- images -----------------------------------------------------------------------------------

void TDibAnimator::RemoveDib(int32_t Index) {
  TDibEntry* entry = GetEntry(Index);
  if (!entry) return;
  TDibBaseObj* gone = entry->Dib;
  FDibEntries.FreeItem(entry);
  ForEachObject(this, [&](TAnimateObj* o) {
    if (o->FDib == gone && gone) o->FDib = nullptr;
    if (o->FID == Index) {
      o->ValidateID(nullptr, Index);
    } else if (o->FID > Index) {
      // Lazily loaded entries have no image to match by, so indexes move down directly.
      o->FID = static_cast<int16_t>(o->FID - 1);
    }
  });
}

void TDibAnimator::ReplaceDibEntry(int32_t Index, TDibBaseObj* Dib) {
  TDibEntry* entry = GetEntry(Index);
  if (!entry) return;
  TDibBaseObj* old = entry->Dib;
  entry->Dib = nullptr;
  ForEachObject(this, [&](TAnimateObj* o) {
    if (o->FDib == old && old) o->FDib = nullptr;
  });
  delete old;
  entry->Dib = Dib;
  entry->Position = 0;  // now only in memory: never unloaded
  entry->Size = 0;
  entry->LoadWhenUsed = false;
  ForEachObject(this, [&](TAnimateObj* o) {
    if (!IsImagelessKind(o->FStyle)) o->ValidateDibID(Dib, Index);
  });
}

void TDibAnimator::AssignDibToObject(TAnimateObj* Obj, int32_t Index) {
  if (Obj) Obj->AssignDib(Index, nullptr);
}

void TDibAnimator::DrawDibItem(int32_t ID) {
  TDibBaseObj* dib = GetDib(ID);
  if (!dib || !FDib) return;
  if (dib->AlphaDib && dib->AlphaDib->Handle() != 0)
    FDib->DrawPeace(GraphX, GraphY, dib, 0, 0, dib->Width(), dib->Height(), 1, 1);
  else
    FDib->DrawArea(GraphX, GraphY, dib, 0, 0, dib->Width(), dib->Height(), 1, 1);
}

// --- sounds -----------------------------------------------------------------------------------

void TDibAnimator::RemoveSound(int32_t Index) {
  TSoundEntry* entry = GetSoundEntry(Index);
  if (!entry) return;
  FSounds.erase(std::remove_if(FSounds.begin(), FSounds.end(), [&](const PendingSound& s) { return s.Entry == entry; }),
                FSounds.end());
  FSoundEntries.FreeItem(entry);
}

void TDibAnimator::MoveSoundItemUp(int32_t Index) {
  if (TSoundEntry* e = GetSoundEntry(Index)) FSoundEntries.MoveUp(e);
}

void TDibAnimator::MoveSoundItemDown(int32_t Index) {
  if (TSoundEntry* e = GetSoundEntry(Index)) FSoundEntries.MoveDown(e);
}

bool TDibAnimator::PlaySoundItem(int32_t Index, TAnimateObj* Owner, int32_t ID) {
  TSoundEntry* entry = GetSoundEntry(Index);
  if (!entry) return false;
  FSounds.push_back({Owner, ID, entry});
  return true;
}

bool TDibAnimator::PlaySoundItem(const std::string& Name, TAnimateObj* Owner, int32_t ID) {
  for (TItemNode* n = FSoundEntries.Head(); n; n = n->NextItem) {
    auto* entry = static_cast<TSoundEntry*>(n);
    if (SameName(entry->SoundName, Name)) {
      FSounds.push_back({Owner, ID, entry});
      return true;
    }
  }
  return false;
}

void TDibAnimator::SetSoundVolume(TAnimateObj* Owner, int32_t ID, int32_t Volume) {
  DXSoundManager->SetVolume(Owner, ID, Volume);
  for (PendingSound& s : FSounds)
    if (s.Owner == Owner && s.EventID == ID && s.Entry) s.Entry->Volume = Volume;
}

void TDibAnimator::ObjPlayed(TAnimateObj* Obj) {
  if (Obj && FControlState == anisOK) Obj->FSounding = true;
}

void TDibAnimator::SoundEnded(TAnimateObj* Obj, int32_t ID) {
  if (!Obj || FControlState != anisOK) return;  // objects being freed hear nothing
  Obj->FSounding = false;
  Obj->SoundFinished(ID);
}

void TDibAnimator::ObjStop(TAnimateObj* Obj, int32_t ID) {
  if (!Obj || FControlState != anisOK) return;
  SoundEnded(Obj, ID);
  if (Obj->FStyle == kDialogKind) Obj->SetActive(false);
}

// --- app data ---------------------------------------------------------------------------------

void TDibAnimator::SetAppData(int32_t AppID, int32_t AppValue) {
  if (!FSceneReady || !macroOnApp) return;
  FEventValue1 = AppID;
  FEventValue2 = AppValue;
  FEventString.clear();
  RunEventScript(nullptr, macroOnApp.get(), scApp);
}

void TDibAnimator::SetAppString(int32_t AppID, const char* AppStr) {
  if (!FSceneReady || !macroOnApp) return;
  FEventValue1 = AppID;
  FEventValue2 = 0;
  FEventString = AppStr ? AppStr : "";
  RunEventScript(nullptr, macroOnApp.get(), scApp);
}

// --- pen drawing ------------------------------------------------------------------------------

void TDibAnimator::MoveTo(int32_t X, int32_t Y) {
  GraphX = static_cast<int16_t>(X);
  GraphY = static_cast<int16_t>(Y);
}

void TDibAnimator::LineTo(int32_t X, int32_t Y) {
  if (FDib) {
    if (GraphOpacity != 100)
      FDib->LineMerge(GraphX, GraphY, X, Y, GraphColor, static_cast<uint16_t>(GraphOpacity));
    else
      FDib->LineEx(GraphX, GraphY, X, Y, GraphWidth, GraphColor);
  }
  MoveTo(X, Y);
}

void TDibAnimator::BarTo(int32_t X, int32_t Y) {
  if (FDib) {
    if (GraphOpacity != 100)
      FDib->BarMerge(GraphX, GraphY, X, Y, GraphColor, static_cast<uint16_t>(GraphOpacity));
    else
      FDib->Bar(GraphX, GraphY, X, Y, GraphColor);
  }
  MoveTo(X, Y);
}

void TDibAnimator::SetGraphAttr(uint32_t Color, int32_t Width) {
  GraphColor = Color;
  GraphWidth = static_cast<int16_t>(Width <= 0 ? 1 : Width);
}

void TDibAnimator::ClearAllMacros() {
  ForEachObject(this, [](TAnimateObj* o) { o->FreeScripts(); });
  for (auto& m : macroUpKeys) m.reset();
  for (auto& m : macroDownKeys) m.reset();
  for (uint8_t code = scProc; code <= scResize; ++code) SceneScriptSlot(code)->reset();
}

void TDibAnimator::DibFontChanged() {
  if (FControlState == anisFreeObjs) return;
  ForEachObject(this, [](TAnimateObj* o) {
    if (o->FStyle != kDibFontKind) o->DibFontChanged();
  });
}

// --- objects ----------------------------------------------------------------------------------

bool TDibAnimator::GetEnable(int32_t Index) const {
  TAnimateObj* o = GetObject(Index);
  return o && o->FEnabled;
}

void TDibAnimator::SetEnable(int32_t Index, bool Value) {
  if (TAnimateObj* o = GetObject(Index)) o->SetVisible(Value);
}

void TDibAnimator::Continue() {
  ForEachObject(this, [](TAnimateObj* o) {
    if (o->FStyle == kFloatLimitKind) o->SetVisible(true);
  });
}

bool TDibAnimator::HasStop() const {
  for (TItemNode* n = Head(); n; n = n->NextItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    if (o->FStyle == kFloatLimitKind && !o->FEnabled) return true;
  }
  return false;
}

}  // namespace zkw
