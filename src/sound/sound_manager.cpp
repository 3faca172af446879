#include "sound/sound_manager.h"

#include <algorithm>
#include <vector>

#include "platform/plat.h"
#include "platform/plat_window.h"
#include "sound/wave_convert.h"

namespace zkw {

TDXSound* ProcessSoundObject = nullptr;
bool ProcessSoundObjectOwned = false;
TDXSoundManger* ProcessSoundManager = nullptr;
TSoundPollTimer* SoundPollTimer = nullptr;

TDXSoundManger::~TDXSoundManger() {
  // Buffers this manager started must not point at it any longer.
  if (TDXSound* s = FFollow ? ProcessSoundObject : DXSound)
    for (int32_t i = 1; i < s->Count(); ++i)
      if (auto* b = dynamic_cast<PlayingSound*>(s->Buffer(i)); b && b->Manager == this) b->Manager = nullptr;
}

TDXSound* TDXSoundManger::Sound() {
  if (FFollow) DXSound = ProcessSoundObject;
  return DXSound;
}

std::vector<PlayingSound*> TDXSoundManger::Mine() {
  std::vector<PlayingSound*> list;
  TDXSound* s = Sound();
  if (!s) return list;
  for (int32_t i = s->Count() - 1; i >= 1; --i)
    if (auto* b = dynamic_cast<PlayingSound*>(s->Buffer(i)); b && b->Manager == this) list.push_back(b);
  return list;
}

// Notifications may run scripts that play or stop sounds: a buffer taken from a list made
// before is used only while it still exists.
bool TDXSoundManger::Alive(PlayingSound* Buffer) {
  TDXSound* s = Sound();
  if (!s) return false;
  for (int32_t i = 1; i < s->Count(); ++i)
    if (s->Buffer(i) == Buffer) return true;
  return false;
}

void TDXSoundManger::Notify(const TNotify& Event, TAnimateObj* Obj, int32_t ID) {
  if (Event) Event(this, Obj, ID);
}

int32_t TDXSoundManger::Count() { return static_cast<int32_t>(Mine().size()); }

PlayingSound* TDXSoundManger::Play(plat::HGLOBAL hMem, TAnimateObj* Obj, bool Loop, int32_t ID) {
  if (!hMem) return nullptr;
  TDXSound* s = Sound();
  if (!s || !s->Initialized()) return nullptr;
  size_t size = plat::GlobalSize(hMem);
  void* p = plat::GlobalLock(hMem);
  if (!p) return nullptr;
  // The manager keeps its own converted copy: the block is unlocked before anything else runs.
  std::vector<uint8_t> image(static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + size);
  plat::GlobalUnlock(hMem);
  return PlayImage(image.data(), image.size(), Obj, Loop, ID);
}

PlayingSound* TDXSoundManger::PlayImage(const void* Image, size_t Size, TAnimateObj* Obj, bool Loop,
                                        int32_t ID) {
  TDXSound* s = Sound();
  if (!s || !s->Initialized() || !Image) return nullptr;
  if (Obj) {
    for (PlayingSound* b : Mine()) {
      if (!Alive(b) || b->ObjectID != Obj || (ID != 0 && b->EventID != ID)) continue;
      int32_t id = b->EventID;
      s->FreeBuffer(b);
      Notify(FOnNotify, Obj, id);
    }
    s = Sound();
    if (!s || !s->Initialized()) return nullptr;
  }
  // The attenuation is used up by this call whether or not a buffer comes of it.
  int32_t volume = AutoSetVolume;
  AutoSetVolume = 0;
  std::vector<uint8_t> pcm;
  if (!ConvertWaveToPCM(Image, Size, pcm)) return nullptr;
  auto owned = std::make_unique<PlayingSound>(s);
  PlayingSound* b = owned.get();
  b->Manager = this;
  b->ObjectID = Obj;
  b->EventID = ID;
  b->Looping = Loop;
  if (!b->LoadFromMemory(pcm.data(), pcm.size())) return nullptr;
  s->Add(std::move(owned));
  b->WindowHandle = nullptr;
  b->SetVolume(-volume);
  if (b->Play(Loop)) {
    b->SoundReady = true;
    Notify(FOnPlay, Obj, ID);
  }
  return Alive(b) ? b : nullptr;
}

void TDXSoundManger::Stop(TAnimateObj* Obj, int32_t ID) {
  std::vector<PlayingSound*> list = Mine();
  for (auto it = list.rbegin(); it != list.rend(); ++it) {  // the first of the list
    PlayingSound* b = *it;
    if (b->ObjectID != Obj || b->EventID != ID) continue;
    Sound()->FreeBuffer(b);
    Notify(FOnForceStop, Obj, 0);
    return;
  }
}

void TDXSoundManger::Stop(TAnimateObj* Obj) {
  std::vector<PlayingSound*> list = Mine();
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    PlayingSound* b = *it;
    if (!Alive(b) || b->ObjectID != Obj) continue;
    Sound()->FreeBuffer(b);
    Notify(FOnForceStop, Obj, 0);
  }
}

void TDXSoundManger::StopAll() {
  for (PlayingSound* b : Mine()) {
    if (!Alive(b)) continue;
    if (b->ObjectID) Notify(FOnForceStop, b->ObjectID, 0);
    if (Alive(b)) Sound()->FreeBuffer(b);
  }
}

void TDXSoundManger::StopAllWithoutLoop() {
  for (PlayingSound* b : Mine()) {
    if (!Alive(b) || b->Looping) continue;
    if (b->ObjectID) Notify(FOnForceStop, b->ObjectID, 0);
    if (Alive(b)) Sound()->FreeBuffer(b);
  }
}

void TDXSoundManger::StopAllWithNotify() {
  for (PlayingSound* b : Mine()) {
    if (!Alive(b) || b->Looping) continue;
    TAnimateObj* obj = b->ObjectID;
    int32_t id = b->EventID;
    Sound()->FreeBuffer(b);
    Notify(FOnNotify, obj, id);
  }
}

void TDXSoundManger::SetVolume(TAnimateObj* Obj, int32_t ID, int32_t Volume) {
  if (!Obj || ID == 0) return;
  std::vector<PlayingSound*> list = Mine();
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if ((*it)->ObjectID == Obj && (*it)->EventID == ID) {
      (*it)->SetVolume(-Volume);
      return;
    }
}

void TDXSoundManger::Check() {
  for (PlayingSound* b : Mine()) {
    if (!Alive(b) || !b->SoundReady || b->Playing()) continue;
    TAnimateObj* obj = b->ObjectID;
    int32_t id = b->EventID;
    if (plat::HWND w = b->WindowHandle) {
      plat::PostMessageW(w, plat::WM_NOTIFY, kSoundEndNotifyCode, id);
      Sound()->FreeBuffer(b);
    } else {
      Sound()->FreeBuffer(b);
      Notify(FOnNotify, obj, id);
    }
  }
}

void TDXSoundManger::ObjectInvalid(TAnimateObj* Obj) {
  if (!Obj) return;
  for (PlayingSound* b : Mine())
    if (b->ObjectID == Obj) b->ObjectID = nullptr;
}

// --- the poll timer ---------------------------------------------------------------------------

namespace {

const plat::WCHAR kTimerClassName[] = {'z', 'k', 'w', 'S', 'o', 'u', 'n', 'd', 'P', 'o', 'l', 'l', 0};
constexpr plat::UINT_PTR kTimerID = 1;

plat::LRESULT ZKW_CALLBACK TimerWindowProc(plat::HWND Window, plat::UINT Msg, plat::WPARAM WParam,
                                           plat::LPARAM LParam) {
  if (Msg == plat::WM_TIMER && WParam == kTimerID) {
    auto* timer = reinterpret_cast<TSoundPollTimer*>(plat::GetWindowLongPtrW(Window, plat::GWLP_USERDATA));
    if (timer && timer->Enabled() && timer->FOnTimer) timer->FOnTimer(timer);
    return 0;
  }
  return plat::DefWindowProcW(Window, Msg, WParam, LParam);
}

bool RegisterTimerClass() {
  static bool registered = false;
  if (registered) return true;
  plat::WNDCLASSW wc{};
  wc.lpfnWndProc = TimerWindowProc;
  wc.hInstance = plat::LibraryModule();
  wc.lpszClassName = kTimerClassName;
  registered = plat::RegisterClassW(&wc) != 0;
  return registered;
}

}  // namespace

TSoundPollTimer::TSoundPollTimer() {
  if (!RegisterTimerClass()) return;
  FWindow = plat::CreateWindowExW(0, kTimerClassName, nullptr, plat::WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, plat::LibraryModule(), nullptr);
  if (FWindow) plat::SetWindowLongPtrW(FWindow, plat::GWLP_USERDATA, reinterpret_cast<plat::LONG_PTR>(this));
}

TSoundPollTimer::~TSoundPollTimer() {
  if (!FWindow) return;
  SetEnabled(false);
  plat::SetWindowLongPtrW(FWindow, plat::GWLP_USERDATA, 0);
  plat::DestroyWindow(FWindow);
}

void TSoundPollTimer::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  if (!FWindow) return;
  if (Value) plat::SetTimer(FWindow, kTimerID, Interval, nullptr);
  else plat::KillTimer(FWindow, kTimerID);
}

void TimerEvent(TDXSoundManger* Manager, TSoundPollTimer* Sender) {
  if (!Manager) return;
  Manager->Check();
  TDXSound* s = Manager->DXSound;
  if (Sender && (!s || s->Count() <= 1)) Sender->SetEnabled(false);
}

}  // namespace zkw
