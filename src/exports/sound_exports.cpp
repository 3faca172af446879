// Sound exports: the process-wide sound object, its manager and poll timer, and sounds played
// for hosts. DACheckSound is in player_exports.cpp.
#include "exports/zkwgdi32.h"
#include "platform/plat.h"
#include "platform/plat_imaging.h"
#include "sound/sound_manager.h"

using zkw::Guarded;
using zkw::GuardedVoid;

namespace {

constexpr plat::UINT kIconError = 0x10;
const plat::WCHAR kCannotInitialize[] = {'C', 'a', 'n', 'n', 'o', 't', ' ', 'i', 'n', 'i', 't', 'i', 'a', 'l',
                                         'i', 'z', 'e', ' ', 's', 'o', 'u', 'n', 'd', '!', 0};

// The manager bound to the current sound object, and the poll timer, made when missing.
void BindManager() {
  if (!zkw::ProcessSoundManager) zkw::ProcessSoundManager = new zkw::TDXSoundManger(false);
  zkw::ProcessSoundManager->DXSound = zkw::ProcessSoundObject;
  if (!zkw::SoundPollTimer) {
    zkw::SoundPollTimer = new zkw::TSoundPollTimer();
    zkw::SoundPollTimer->Interval = 100;
    zkw::SoundPollTimer->FOnTimer = [](zkw::TSoundPollTimer* Sender) {
      zkw::TimerEvent(zkw::ProcessSoundManager, Sender);
    };
  }
}

void FreeOwnedObject() {
  if (zkw::ProcessSoundObject && zkw::ProcessSoundObjectOwned) {
    try {
      zkw::ProcessSoundObject->Finalize();
    } catch (...) {  // errors while freeing are ignored
    }
    delete zkw::ProcessSoundObject;
  }
  zkw::ProcessSoundObject = nullptr;
  zkw::ProcessSoundObjectOwned = false;
  if (zkw::ProcessSoundManager) zkw::ProcessSoundManager->DXSound = nullptr;
}

}  // namespace

ZKW_EXPORT int32_t ZKWAPI DAWaveInitialize(void* MainWin) {
  return Guarded<int32_t>(0, [&]() -> int32_t {
    FreeOwnedObject();
    auto* sound = new zkw::TDXSound();
    bool ok = sound->Initialize(static_cast<plat::HWND>(MainWin));
    if (!ok) plat::MessageBoxW(nullptr, kCannotInitialize, nullptr, plat::MB_OK | kIconError);
    zkw::ProcessSoundObject = sound;
    zkw::ProcessSoundObjectOwned = true;
    BindManager();
    plat::ImagingStartup();
    return ok ? -1 : 0;
  });
}

ZKW_EXPORT void ZKWAPI DASetDXSoundObject(ZSOUND Sound) {
  GuardedVoid([&] {
    if (zkw::ProcessSoundObject != Sound) FreeOwnedObject();
    zkw::ProcessSoundObject = static_cast<zkw::TDXSound*>(Sound);
    zkw::ProcessSoundObjectOwned = false;
    BindManager();
  });
}

ZKW_EXPORT ZSOUND ZKWAPI DAGetDXSoundObject() { return zkw::ProcessSoundObject; }

ZKW_EXPORT void ZKWAPI DAWaveUnInitialize() {
  GuardedVoid([] {
    // The manager goes while it is still bound, so that buffers left in a host's object forget it.
    delete zkw::ProcessSoundManager;
    zkw::ProcessSoundManager = nullptr;
    delete zkw::SoundPollTimer;
    zkw::SoundPollTimer = nullptr;
    FreeOwnedObject();
    plat::ImagingShutdown();
  });
}

ZKW_EXPORT void ZKWAPI DAPlaySound(void* hMem, void* hWnd, int32_t ID) {
  GuardedVoid([&] {
    zkw::TDXSoundManger* m = zkw::ProcessSoundManager;
    if (!m) return;
    m->DXSound = zkw::ProcessSoundObject;
    if (hMem) {
      if (zkw::PlayingSound* b = m->Play(static_cast<plat::HGLOBAL>(hMem), nullptr, false, ID)) {
        b->WindowHandle = static_cast<plat::HWND>(hWnd);
        if (zkw::SoundPollTimer) zkw::SoundPollTimer->SetEnabled(true);
      }
    } else {
      m->StopAll();
      if (zkw::SoundPollTimer) zkw::SoundPollTimer->SetEnabled(false);
    }
  });
}
