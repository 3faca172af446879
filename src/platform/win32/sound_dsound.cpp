// Windows back end of the sound device service: DirectSound, loaded at run time from DSound.dll
// (the library does not import it), and the system's simple sound player of winmm.dll, loaded
// likewise.
#include <algorithm>
#include <cstring>

#include "base/last_error.h"
#include "platform/plat_sound.h"
#include "platform/win32/win32_api.h"

#include <mmsystem.h>
#include <dsound.h>

namespace plat {

static_assert(sizeof(plat::WAVEFORMATEX) == sizeof(::WAVEFORMATEX));

namespace {

using DirectSoundCreateFn = HRESULT(WINAPI*)(LPCGUID, LPDIRECTSOUND*, LPUNKNOWN);

DirectSoundCreateFn LoadDirectSound() {
  static ::HMODULE module = nullptr;
  static DirectSoundCreateFn create = nullptr;
  if (!module) {
    module = ::LoadLibraryW(L"DSound.dll");
    if (module)
      create = reinterpret_cast<DirectSoundCreateFn>(
          reinterpret_cast<void*>(::GetProcAddress(module, "DirectSoundCreate")));
  }
  return create;
}

std::string Hex(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

class DsBuffer : public SoundBuffer {
 public:
  DsBuffer(IDirectSoundBuffer* buffer, bool primary) : FBuffer(buffer), FPrimary(primary) {}
  ~DsBuffer() override {
    if (FBuffer) {
      if (!FPrimary) FBuffer->Stop();
      FBuffer->Release();
    }
  }
  bool Play(bool loop) override {
    return SUCCEEDED(FBuffer->Play(0, 0, loop || FPrimary ? DSBPLAY_LOOPING : 0));
  }
  void Stop() override {
    if (FPrimary) return;
    FBuffer->Stop();
    FBuffer->SetCurrentPosition(0);
  }
  bool Playing() override {
    ::DWORD status = 0;
    return SUCCEEDED(FBuffer->GetStatus(&status)) && (status & DSBSTATUS_PLAYING) != 0;
  }
  void SetVolume(LONG volume) override {
    // DSBVOLUME_MIN/MAX are the system header's macros here.
    FBuffer->SetVolume(std::clamp<::LONG>(volume, DSBVOLUME_MIN, DSBVOLUME_MAX));
  }
  LONG Volume() override {
    ::LONG v = 0;
    return SUCCEEDED(FBuffer->GetVolume(&v)) ? static_cast<LONG>(v) : 0;
  }
  DWORD Position() override {
    ::DWORD play = 0, write = 0;
    return SUCCEEDED(FBuffer->GetCurrentPosition(&play, &write)) ? static_cast<DWORD>(play) : 0;
  }

 private:
  IDirectSoundBuffer* FBuffer;
  bool FPrimary;
};

class DsDevice : public SoundDevice {
 public:
  ~DsDevice() override {
    FPrimary.reset();
    if (FSound) FSound->Release();
  }
  bool Open(::HWND window) {
    DirectSoundCreateFn create = LoadDirectSound();
    if (!create) {
      zkw::SetLastErrorText("DSound.dll or its DirectSoundCreate is missing");
      return false;
    }
    HRESULT hr = create(nullptr, &FSound, nullptr);
    if (FAILED(hr)) {
      FSound = nullptr;
      zkw::SetLastErrorText("DirectSoundCreate failed with " + Hex(hr));
      return false;
    }
    hr = FSound->SetCooperativeLevel(window, DSSCL_PRIORITY);
    if (FAILED(hr)) {
      zkw::SetLastErrorText("SetCooperativeLevel failed with " + Hex(hr));
      return false;
    }
    DSBUFFERDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME;
    IDirectSoundBuffer* primary = nullptr;
    hr = FSound->CreateSoundBuffer(&desc, &primary, nullptr);
    if (FAILED(hr)) {
      zkw::SetLastErrorText("the primary sound buffer failed with " + Hex(hr));
      return false;
    }
    FPrimary = std::make_unique<DsBuffer>(primary, true);
    return true;
  }
  SoundBuffer* Primary() override { return FPrimary.get(); }
  std::unique_ptr<SoundBuffer> CreateBuffer(const plat::WAVEFORMATEX& format, const void* data,
                                            DWORD bytes) override {
    if (format.wFormatTag != WAVE_FORMAT_PCM || format.nBlockAlign == 0) return nullptr;
    bytes -= bytes % format.nBlockAlign;
    if (bytes < DSBSIZE_MIN || bytes > DSBSIZE_MAX || !data) {
      zkw::SetLastErrorText("a sound buffer of " + std::to_string(bytes) + " bytes cannot be made");
      return nullptr;
    }
    ::WAVEFORMATEX fmt;
    std::memcpy(&fmt, &format, sizeof fmt);
    fmt.cbSize = 0;
    DSBUFFERDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DSBCAPS_CTRLVOLUME | DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_GLOBALFOCUS;
    desc.dwBufferBytes = bytes;
    desc.lpwfxFormat = &fmt;
    IDirectSoundBuffer* buffer = nullptr;
    HRESULT hr = FSound->CreateSoundBuffer(&desc, &buffer, nullptr);
    if (FAILED(hr)) {
      zkw::SetLastErrorText("a secondary sound buffer failed with " + Hex(hr));
      return nullptr;
    }
    auto result = std::make_unique<DsBuffer>(buffer, false);
    void *p1 = nullptr, *p2 = nullptr;
    ::DWORD n1 = 0, n2 = 0;
    if (FAILED(buffer->Lock(0, bytes, &p1, &n1, &p2, &n2, 0))) return nullptr;
    const auto* src = static_cast<const uint8_t*>(data);
    std::memcpy(p1, src, std::min<DWORD>(n1, bytes));
    if (p2 && n1 < bytes) std::memcpy(p2, src + n1, std::min<DWORD>(n2, bytes - n1));
    buffer->Unlock(p1, n1, p2, n2);
    return result;
  }

 private:
  IDirectSound* FSound = nullptr;
  std::unique_ptr<DsBuffer> FPrimary;
};

}  // namespace

bool SelectSoundOutput(SoundOutput output) { return output == SoundOutput::Audio; }
SoundOutput SelectedSoundOutput() { return SoundOutput::Audio; }

std::unique_ptr<SoundDevice> CreateSoundDevice(HWND window) {
  if (!::IsWindow(win32::H<::HWND>(window))) {
    zkw::SetLastErrorText("a sound device needs a window");
    return nullptr;
  }
  auto device = std::make_unique<DsDevice>();
  if (!device->Open(win32::H<::HWND>(window))) return nullptr;
  return device;
}

BOOL PlaySoundW(LPCWSTR sound, HMODULE module, DWORD flags) {
  using PlaySoundFn = ::BOOL(WINAPI*)(LPCWSTR, ::HMODULE, DWORD);
  static PlaySoundFn play = [] {
    ::HMODULE winmm = ::LoadLibraryW(L"winmm.dll");
    return winmm ? reinterpret_cast<PlaySoundFn>(reinterpret_cast<void*>(::GetProcAddress(winmm, "PlaySoundW")))
                 : nullptr;
  }();
  return play ? play(sound, win32::H<::HMODULE>(module), flags) : 0;
}

}  // namespace plat
