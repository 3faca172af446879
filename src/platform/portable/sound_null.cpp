// The null sound device of the portable back end: buffers play silently in real time measured
// on the platform clock (GetTickCount), so a test on the manual clock sees a sound end exactly
// when its duration has passed. Also the choice of output and the simple sound player.
#include <algorithm>
#include <cstring>

#include "base/last_error.h"
#include "platform/plat_window.h"
#include "platform/portable/sound_portable.h"

namespace plat {

namespace {

SoundOutput gOutput = SoundOutput::Null;

// Bytes per second of a PCM format, from its block alignment (the stored rate field is not
// trusted).
uint64_t BytesPerSecond(const WAVEFORMATEX& f) {
  return static_cast<uint64_t>(f.nBlockAlign) * f.nSamplesPerSec;
}

class NullBuffer : public SoundBuffer {
 public:
  NullBuffer(const WAVEFORMATEX& format, DWORD bytes)
      : FRate(BytesPerSecond(format)), FBytes(bytes), FAlign(std::max<WORD>(format.nBlockAlign, 1)) {}

  bool Play(bool loop) override {
    Update();
    if (FPlaying) {  // already playing: only the loop flag changes, as DirectSound does
      if (FLoop && !loop) {  // the current pass is the last: count from here
        FStart = GetTickCount();
        FStartOffset = FOffset;
      }
      FLoop = loop;
      return true;
    }
    if (FBytes == 0 || FRate == 0) return false;
    FLoop = loop;
    FStart = GetTickCount();
    FStartOffset = FOffset;
    FPlaying = true;
    return true;
  }
  void Stop() override {
    Update();
    FPlaying = false;
    FOffset = 0;
  }
  bool Playing() override {
    Update();
    return FPlaying;
  }
  void SetVolume(LONG volume) override { FVolume = std::clamp(volume, DSBVOLUME_MIN, DSBVOLUME_MAX); }
  LONG Volume() override { return FVolume; }
  DWORD Position() override {
    Update();
    return FOffset;
  }

 private:
  // Moves the play cursor to now; a sound that is not looping ends when its bytes are played.
  void Update() {
    if (!FPlaying) return;
    uint64_t elapsed = static_cast<DWORD>(GetTickCount() - FStart);
    uint64_t played = FStartOffset + elapsed * FRate / 1000;
    if (!FLoop && played >= FBytes) {
      FPlaying = false;
      FOffset = 0;
      return;
    }
    played %= FBytes;
    FOffset = static_cast<DWORD>(played - played % FAlign);
  }

  uint64_t FRate;
  DWORD FBytes;
  WORD FAlign;
  bool FPlaying = false, FLoop = false;
  DWORD FStart = 0;
  uint64_t FStartOffset = 0;
  DWORD FOffset = 0;
  LONG FVolume = 0;
};

class NullDevice : public SoundDevice {
 public:
  SoundBuffer* Primary() override { return &FPrimary; }
  std::unique_ptr<SoundBuffer> CreateBuffer(const WAVEFORMATEX& format, const void* data,
                                            DWORD bytes) override {
    if (format.wFormatTag != WAVE_FORMAT_PCM || format.nChannels == 0 || format.nBlockAlign == 0 ||
        format.nSamplesPerSec == 0 || (bytes > 0 && !data)) {
      zkw::SetLastErrorText("the sound device takes PCM waves only");
      return nullptr;
    }
    return std::make_unique<NullBuffer>(format, bytes);
  }

 private:
  portable::MixPrimary FPrimary;
};

}  // namespace

namespace portable {
std::unique_ptr<SoundDevice> CreateNullSoundDevice() { return std::make_unique<NullDevice>(); }
#ifndef ZKW_HAVE_SDL2
// Built without SDL2 (sound_sdl.cpp is compiled only when it is found): no audio output.
std::unique_ptr<SoundDevice> CreateAudioSoundDevice() { return nullptr; }
bool AudioOutputAvailable() { return false; }
#endif
}  // namespace portable

bool SelectSoundOutput(SoundOutput output) {
  if (output == SoundOutput::Audio && !portable::AudioOutputAvailable()) return false;
  gOutput = output;
  return true;
}

SoundOutput SelectedSoundOutput() { return gOutput; }

std::unique_ptr<SoundDevice> CreateSoundDevice(HWND window) {
  // Like DirectSound's cooperative level, a device needs a real window to bind to.
  if (!IsWindow(window)) {
    zkw::SetLastErrorText("a sound device needs a window");
    return nullptr;
  }
  if (gOutput == SoundOutput::Audio) return portable::CreateAudioSoundDevice();
  return portable::CreateNullSoundDevice();
}

// --- the simple sound player ------------------------------------------------------------------

namespace {
struct SimplePlayer {
  std::unique_ptr<SoundDevice> Device;
  std::unique_ptr<SoundBuffer> Buffer;
};
SimplePlayer& Player() {
  static SimplePlayer* player = new SimplePlayer();  // lives until exit
  return *player;
}
}  // namespace

BOOL PlaySoundW(LPCWSTR sound, HMODULE, DWORD flags) {
  SimplePlayer& p = Player();
  if (!sound) {
    if (p.Buffer) p.Buffer->Stop();
    p.Buffer.reset();
    return 1;
  }
  if (!(flags & SND_MEMORY)) {
    zkw::SetLastErrorText("the portable sound player plays wave images in memory only");
    return 0;
  }
  if ((flags & SND_NOSTOP) && p.Buffer && p.Buffer->Playing()) return 0;
  // A wave image in memory carries its size in its RIFF header.
  const auto* bytes = reinterpret_cast<const uint8_t*>(sound);
  if (std::memcmp(bytes, "RIFF", 4) != 0) {
    zkw::SetLastErrorText("the sound is not a RIFF wave image");
    return 0;
  }
  uint32_t riff;
  std::memcpy(&riff, bytes + 4, 4);
  if (riff > 0x7FFFFFF0u) return 0;
  WAVEFORMATEX format{};
  std::vector<uint8_t> pcm;
  if (!portable::DecodeWaveImage(bytes, size_t{riff} + 8, format, pcm)) return 0;
  if (!p.Device) {
    p.Device = gOutput == SoundOutput::Audio ? portable::CreateAudioSoundDevice()
                                             : portable::CreateNullSoundDevice();
    if (!p.Device) return 0;
  }
  if (p.Buffer) p.Buffer->Stop();
  p.Buffer = p.Device->CreateBuffer(format, pcm.data(), static_cast<DWORD>(pcm.size()));
  return p.Buffer && p.Buffer->Play(false) ? 1 : 0;
}

}  // namespace plat
