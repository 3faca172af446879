#include "player/scene/dib_animator.h"

#include "dib/dib24.h"
#include "dib/dib_base.h"
#include "platform/plat.h"
#include "player/objects/animate_obj.h"
#include "player/scene/scene_entries.h"
#include "script/execute.h"
#include "sound/sound_manager.h"

namespace zkw {

// The script engine runs scripts from the start: constant initialisation, so that it is in
// place before any static constructor, export or test runs.
TEventScriptRunner gEventScriptRunner = &zkw::RunEventScript;

TDibAnimator::TDibAnimator() : DXSoundManager(std::make_unique<TDXSoundManger>()) {
  DXSoundManager->FOnPlay = [this](TDXSoundManger*, TAnimateObj* Obj, int32_t) { ObjPlayed(Obj); };
  DXSoundManager->FOnNotify = [this](TDXSoundManger*, TAnimateObj* Obj, int32_t ID) { SoundEnded(Obj, ID); };
  DXSoundManager->FOnForceStop = [this](TDXSoundManger*, TAnimateObj* Obj, int32_t ID) { ObjStop(Obj, ID); };
  ResetRuntime();
}

void TDibAnimator::RunEventScript(TAnimateObj* Obj, TScriptList* List, int32_t Code) {
  if (!List || !gEventScriptRunner) return;
  bool was = FWorking;
  FWorking = true;
  gEventScriptRunner(this, Obj, List, Code);
  FWorking = was;
}

void TDibAnimator::SetFocusedObj(TAnimateObj* Obj) {
  if (Obj == FFocused) return;
  FFocused = Obj;
  if (FOnSetFocus) FOnSetFocus(this);
}

void TDibAnimator::ResetCursor() {
  if (FOnCRSReset) FOnCRSReset(this);
}

int32_t TDibAnimator::AddCursor(int32_t DibID, int32_t Frames, int32_t Speed, int32_t HotX,
                                int32_t HotY) {
  if (!FOnCRSAdd || !GetDib(DibID)) return -1;
  return FOnCRSAdd(this, DibID, Frames, Speed, HotX, HotY);
}

void TDibAnimator::ReplaceCursor(int32_t ID, int32_t DibID, int32_t Frames, int32_t Speed,
                                 int32_t HotX, int32_t HotY) {
  if (FOnCRSReplace) FOnCRSReplace(this, ID, DibID, Frames, Speed, HotX, HotY);
}

void TDibAnimator::OnOffCursor(bool Visible) {
  if (FOnCRSShow) FOnCRSShow(this, Visible);
}

bool TDibAnimator::CursorVisible() { return FOnCRSVisible ? FOnCRSVisible(this) : true; }

int32_t TDibAnimator::CursorCount() { return FOnCRSCount ? FOnCRSCount(this) : 2; }

namespace {
void NotifyDeleted(TLinkList* list) {
  for (TItemNode* n = list ? list->Head() : nullptr; n; n = n->NextItem) {
    auto* obj = static_cast<TAnimateObj*>(n);
    if (obj->FOnDeleted) obj->FOnDeleted(obj);
    if (obj->FStyle == kGroupKind) NotifyDeleted(obj->ChildList());
  }
}
}  // namespace

TDibAnimator::~TDibAnimator() {
  FControlState = anisFreeObjs;
  // Sounds stop before the objects go; while freeing, their notifications reach no object.
  DXSoundManager->StopAll();
  NotifyDeleted(this);
  FreeMacros();
  FreeAll();
  FDibEntries.FreeAll();
  FSoundEntries.FreeAll();
  FreeBitmap();
  if (FNotesHandle) plat::GlobalFree(FNotesHandle);
}

void TDibAnimator::ResetRuntime() {
  FText = nullptr;
  FTextLen = 0;
  FFocused = nullptr;
  FEventValue1 = FEventValue2 = 0;
  FEventString.clear();
  FPlaying = FPaused = false;
  for (auto& m : macroUpKeys) m.reset();
  for (auto& m : macroDownKeys) m.reset();
  macroOnInit.reset();
  macroProc.reset();
  macroOnScroll.reset();
  macroOnFadeOut.reset();
  macroOnApp.reset();
  macroOnClose.reset();
  macroOnMouseDown.reset();
  macroOnMouseMove.reset();
  macroOnMouseUp.reset();
  macroOnResize.reset();
  FFadeDelta = FCurrentFade = 0;
  FFadeColor = 0;
  FHotObject = nullptr;
  WillScrollX = WillScrollY = 0;
  GraphX = GraphY = 0;
  GraphColor = 0;
  GraphWidth = 1;
  GraphOpacity = 100;
  FWorking = false;
  FSceneReady = false;
  DisableAutoDrawing = false;
  NeedDrawNow = true;
  NoKeyboardProcess = false;
}

void TDibAnimator::FreeMacros() {
  for (auto& m : macroUpKeys) m.reset();
  for (auto& m : macroDownKeys) m.reset();
  for (uint8_t code = scProc; code <= scResize; ++code) SceneScriptSlot(code)->reset();
  ProcList.FreeAll();
  GlobalVarList.FreeAll();
}

void TDibAnimator::Empty() {
  FControlState = anisFreeObjs;
  DXSoundManager->StopAll();
  for (TItemNode* n = Head(); n; n = n->NextItem) {
    auto* obj = static_cast<TAnimateObj*>(n);
    obj->FreeScripts();
  }
  FreeMacros();
  FreeAll();
  FDibEntries.FreeAll();
  FSoundEntries.FreeAll();
  FDeleteds.clear();
  MoveObjects.clear();
  FSounds.clear();
  FFocused = FHotObject = FHotContainer = FCaptureMouseObj = CurrentObj = nullptr;
  FCaret.FOwner = nullptr;
  if (FNotesHandle) {
    plat::GlobalFree(FNotesHandle);
    FNotesHandle = nullptr;
  }
  if (FOnClose) FOnClose(this);
  if (FSetAttr) FreeBitmap();
  FControlState = anisOK;
}

TScriptPtr* TDibAnimator::SceneScriptSlot(uint8_t code) {
  if (code >= 1 && code <= 10) return &macroDownKeys[code];
  if (code >= 11 && code <= 20) return &macroUpKeys[code - 10];
  switch (code) {
    case scProc: return &macroProc;
    case scScroll: return &macroOnScroll;
    case scInit: return &macroOnInit;
    case scFadeOut: return &macroOnFadeOut;
    case scApp: return &macroOnApp;
    case scMouseDown: return &macroOnMouseDown;
    case scMouseMove: return &macroOnMouseMove;
    case scMouseUp: return &macroOnMouseUp;
    case scClose: return &macroOnClose;
    case scResize: return &macroOnResize;
    default: return nullptr;
  }
}

int32_t TDibAnimator::SceneScriptCount() const {
  int32_t n = static_cast<int32_t>(ProcList.size());
  for (int i = 1; i <= 10; ++i) n += (macroDownKeys[i] ? 1 : 0) + (macroUpKeys[i] ? 1 : 0);
  const TScriptPtr* scene[] = {&macroOnInit, &macroProc, &macroOnScroll, &macroOnFadeOut, &macroOnApp,
                               &macroOnClose, &macroOnMouseDown, &macroOnMouseMove, &macroOnMouseUp,
                               &macroOnResize};
  for (const TScriptPtr* s : scene) n += *s ? 1 : 0;
  return n;
}

// --- images and sounds ------------------------------------------------------------------------

int32_t TDibAnimator::AddDib(TDibBaseObj* Dib) {
  auto* entry = new TDibEntry(this);
  entry->LoadWhenUsed = false;
  entry->Dib = Dib;
  FDibEntries.Append(entry);
  return FDibEntries.Count() - 1;
}

TDibEntry* TDibAnimator::GetEntry(int32_t Index) const {
  return static_cast<TDibEntry*>(FDibEntries.Get(Index));
}

int32_t TDibAnimator::DibCount() const { return FDibEntries.Count(); }

TDibBaseObj* TDibAnimator::GetDib(int32_t Index) {
  TDibEntry* entry = GetEntry(Index);
  return entry ? entry->Load() : nullptr;
}

void TDibAnimator::TryRemoveDib(int32_t Index, TAnimateObj* Obj) {
  if (Designing) return;
  TDibEntry* entry = GetEntry(Index);
  if (!entry || !entry->Dib || !entry->LoadWhenUsed || entry->Position <= 0) return;
  for (TItemNode* n = Head(); n; n = n->NextItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    if (o != Obj && o->FEnabled && o->FID == Index && o->FDib) return;
  }
  TDibBaseObj* gone = entry->Dib;
  entry->Unload();
  // Nobody may keep drawing the freed image.
  for (TItemNode* n = Head(); n; n = n->NextItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    if (o->FDib == gone) o->FDib = nullptr;
  }
}

TSoundEntry* TDibAnimator::AddSound(plat::HGLOBAL Handle) {
  auto* entry = new TSoundEntry(this);
  entry->Handle = Handle;
  FSoundEntries.Append(entry);
  return entry;
}

TSoundEntry* TDibAnimator::GetSoundEntry(int32_t Index) const {
  return static_cast<TSoundEntry*>(FSoundEntries.Get(Index));
}

int32_t TDibAnimator::SoundCount() const { return FSoundEntries.Count(); }


// --- objects ----------------------------------------------------------------------------------

TAnimateObj* TDibAnimator::GetObject(int32_t Index) const { return static_cast<TAnimateObj*>(Get(Index)); }

TAnimateObj* TDibAnimator::GetObjectName(const std::string& Name) const {
  for (TItemNode* n = Head(); n; n = n->NextItem) {
    if (TAnimateObj* o = static_cast<TAnimateObj*>(n)->MatchName(Name)) return o;
  }
  return nullptr;
}

TAnimateObj* TDibAnimator::GetButtonID(int32_t ID) const {
  for (TItemNode* n = Head(); n; n = n->NextItem)
    if (TAnimateObj* o = static_cast<TAnimateObj*>(n)->MatchButtonID(ID)) return o;
  return nullptr;
}

TAnimateObj* TDibAnimator::GetExternalID(int32_t ID) const {
  for (TItemNode* n = Head(); n; n = n->NextItem)
    if (TAnimateObj* o = static_cast<TAnimateObj*>(n)->MatchExternalID(ID)) return o;
  return nullptr;
}

// --- view -------------------------------------------------------------------------------------

void TDibAnimator::SetDibAttr(int32_t W, int32_t H) {
  FWidth = W;
  FHeight = H;
  FXPos = FYPos = 0;
}

void TDibAnimator::FreeBitmap() {
  if (!FSetAttr) {
    FDib = nullptr;
    FBkBitmap = nullptr;
    return;
  }
  delete FDib;
  FDib = nullptr;
  if (FBkBitmap) plat::DeleteObject(FBkBitmap);
  FBkBitmap = nullptr;
}

void TDibAnimator::CreateBitmap(int32_t W, int32_t H) {
  if (!FSetAttr) return;
  FreeBitmap();
  if (W <= 0 || H <= 0) return;
  plat::BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(plat::BITMAPINFOHEADER);
  info.bmiHeader.biWidth = W;
  info.bmiHeader.biHeight = H;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  FBkBitmap = plat::CreateDIBSection(nullptr, &info, plat::DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!FBkBitmap) return;
  FDib = new TDib24Bits();
  FDib->AttachBitmap(FBkBitmap);
}

void TDibAnimator::WorkWith(TDibAnimator* Ani) {
  if (!Ani || Ani == this) return;
  FreeBitmap();
  FSetAttr = false;
  FDib = Ani->FDib;
  FBkBitmap = Ani->FBkBitmap;
}

void TDibAnimator::Paint(plat::HDC DC, const plat::RECT& Rect) {
  if (!DC || !FBkBitmap || !FDib) return;
  plat::HDC mem = plat::CreateCompatibleDC(DC);
  if (!mem) return;
  plat::HGDIOBJ old = plat::SelectObject(mem, FBkBitmap);
  plat::BitBlt(DC, Rect.left, Rect.top, FDib->Width(), FDib->Height(), mem, 0, 0, plat::SRCCOPY);
  plat::SelectObject(mem, old);
  plat::DeleteDC(mem);
}

void TDibAnimator::Action(plat::HDC DC, int32_t X, int32_t Y) {
  DoAction(FDib);
  Draw(DC, X, Y);
}

void TDibAnimator::Draw(plat::HDC DC, int32_t X, int32_t Y) {
  DoDraw(FDib);
  plat::RECT r{X, Y, X, Y};
  Paint(DC, r);
}

void TDibAnimator::SetViewTo(int32_t W, int32_t H) {
  if (W == FViewWidth && H == FViewHeight && FBkBitmap) return;
  bool had = FBkBitmap != nullptr;
  FViewWidth = W;
  FViewHeight = H;
  CreateBitmap(W, H);
  if (had) {
    FEventValue1 = FEventValue2 = 0;
    RunEventScript(nullptr, macroOnResize.get(), scResize);
  }
}

void TDibAnimator::Progress(int32_t Total, int32_t Done) {
  if (FOnProgress) FOnProgress(this, Total, Done);
}

}  // namespace zkw
