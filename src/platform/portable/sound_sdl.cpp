// SDL2 audio output of the portable back end, for the interactive player: one output device in
// 16-bit stereo at 44100 Hz; each buffer's PCM is converted to that format when it is loaded and
// mixed by SDL's audio thread with the buffer's volume. Compiled only when SDL2 is found.
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <set>
#include <vector>

#include "base/last_error.h"
#include "platform/portable/sound_portable.h"

namespace plat {

namespace {

constexpr int kRate = 44100, kChannels = 2;
constexpr DWORD kFrameBytes = 2 * kChannels;

class SdlDevice;

class SdlBuffer : public SoundBuffer {
 public:
  SdlBuffer(SdlDevice* device, std::vector<uint8_t> pcm, double sourcePerOutput)
      : FDevice(device), FPcm(std::move(pcm)), FRatio(sourcePerOutput) {}
  ~SdlBuffer() override;
  bool Play(bool loop) override;
  void Stop() override;
  bool Playing() override;
  void SetVolume(LONG volume) override;
  LONG Volume() override;
  DWORD Position() override;
  // Mixes into the output stream (called by the audio thread with the device locked).
  void Mix(uint8_t* stream, int len);

 private:
  SdlDevice* FDevice;
  std::vector<uint8_t> FPcm;  // device format
  double FRatio;              // source bytes per device byte
  size_t FPos = 0;
  bool FPlaying = false, FLoop = false;
  LONG FVolume = 0;
  int FMixVolume = SDL_MIX_MAXVOLUME;
};

class SdlDevice : public SoundDevice {
 public:
  bool Open() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      zkw::SetLastErrorText(std::string("SDL audio: ") + SDL_GetError());
      return false;
    }
    FInited = true;
    SDL_AudioSpec want{}, have{};
    want.freq = kRate;
    want.format = AUDIO_S16LSB;
    want.channels = kChannels;
    want.samples = 1024;
    want.callback = &SdlDevice::Callback;
    want.userdata = this;
    FId = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (FId == 0) {
      zkw::SetLastErrorText(std::string("SDL audio: ") + SDL_GetError());
      return false;
    }
    SDL_PauseAudioDevice(FId, 0);
    return true;
  }
  ~SdlDevice() override {
    if (FId) SDL_CloseAudioDevice(FId);
    if (FInited) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  SoundBuffer* Primary() override { return &FPrimary; }
  std::unique_ptr<SoundBuffer> CreateBuffer(const WAVEFORMATEX& f, const void* data, DWORD bytes) override {
    if (f.wFormatTag != WAVE_FORMAT_PCM || (f.wBitsPerSample != 8 && f.wBitsPerSample != 16) ||
        f.nChannels < 1 || f.nChannels > 8 || f.nSamplesPerSec == 0 || (bytes && !data))
      return nullptr;
    SDL_AudioCVT cvt;
    SDL_AudioFormat from = f.wBitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    if (SDL_BuildAudioCVT(&cvt, from, static_cast<Uint8>(f.nChannels), static_cast<int>(f.nSamplesPerSec),
                          AUDIO_S16LSB, kChannels, kRate) < 0)
      return nullptr;
    bytes -= bytes % f.nBlockAlign;
    std::vector<uint8_t> work(static_cast<size_t>(bytes) * static_cast<size_t>(std::max(cvt.len_mult, 1)));
    std::copy_n(static_cast<const uint8_t*>(data), bytes, work.data());
    cvt.buf = work.data();
    cvt.len = static_cast<int>(bytes);
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) return nullptr;
    work.resize(cvt.needed ? static_cast<size_t>(cvt.len_cvt) : bytes);
    double ratio = work.empty() ? 0 : static_cast<double>(bytes) / static_cast<double>(work.size());
    auto buffer = std::make_unique<SdlBuffer>(this, std::move(work), ratio);
    Lock();
    FBuffers.insert(buffer.get());
    Unlock();
    return buffer;
  }
  void Remove(SdlBuffer* b) {
    Lock();
    FBuffers.erase(b);
    Unlock();
  }
  void Lock() { SDL_LockAudioDevice(FId); }
  void Unlock() { SDL_UnlockAudioDevice(FId); }

 private:
  static void SDLCALL Callback(void* user, Uint8* stream, int len) {
    auto* d = static_cast<SdlDevice*>(user);
    std::fill_n(stream, len, 0);
    for (SdlBuffer* b : d->FBuffers) b->Mix(stream, len);
  }
  SDL_AudioDeviceID FId = 0;
  bool FInited = false;
  portable::MixPrimary FPrimary;
  std::set<SdlBuffer*> FBuffers;
};

SdlBuffer::~SdlBuffer() { FDevice->Remove(this); }

bool SdlBuffer::Play(bool loop) {
  if (FPcm.empty()) return false;
  FDevice->Lock();
  FLoop = loop;
  FPlaying = true;
  FDevice->Unlock();
  return true;
}
void SdlBuffer::Stop() {
  FDevice->Lock();
  FPlaying = false;
  FPos = 0;
  FDevice->Unlock();
}
bool SdlBuffer::Playing() {
  FDevice->Lock();
  bool p = FPlaying;
  FDevice->Unlock();
  return p;
}
void SdlBuffer::SetVolume(LONG volume) {
  FVolume = std::clamp(volume, DSBVOLUME_MIN, DSBVOLUME_MAX);
  double gain = std::pow(10.0, FVolume / 2000.0);
  FDevice->Lock();
  FMixVolume = static_cast<int>(std::lround(gain * SDL_MIX_MAXVOLUME));
  FDevice->Unlock();
}
LONG SdlBuffer::Volume() { return FVolume; }
DWORD SdlBuffer::Position() {
  FDevice->Lock();
  auto pos = static_cast<DWORD>(static_cast<double>(FPos) * FRatio);
  FDevice->Unlock();
  return pos;
}
void SdlBuffer::Mix(uint8_t* stream, int len) {
  int done = 0;
  while (FPlaying && done < len) {
    size_t n = std::min<size_t>(static_cast<size_t>(len - done), FPcm.size() - FPos);
    SDL_MixAudioFormat(stream + done, FPcm.data() + FPos, AUDIO_S16LSB, static_cast<Uint32>(n), FMixVolume);
    done += static_cast<int>(n);
    FPos += n;
    if (FPos >= FPcm.size()) {
      FPos = 0;
      if (!FLoop) FPlaying = false;
    }
  }
}

}  // namespace

namespace portable {

std::unique_ptr<SoundDevice> CreateAudioSoundDevice() {
  auto device = std::make_unique<SdlDevice>();
  if (!device->Open()) return nullptr;
  return device;
}

bool AudioOutputAvailable() { return true; }

}  // namespace portable

}  // namespace plat
