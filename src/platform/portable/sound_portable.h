// Portable back end only: the pieces the sound devices and the simple sound player share.
#pragma once
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/plat_sound.h"

namespace plat::portable {

// The primary buffer of a portable device: the device's mix, always "playing"; it only keeps
// the volume set on it.
class MixPrimary : public SoundBuffer {
 public:
  bool Play(bool) override { return true; }
  void Stop() override {}
  bool Playing() override { return true; }
  void SetVolume(LONG volume) override { FVolume = std::clamp(volume, DSBVOLUME_MIN, DSBVOLUME_MAX); }
  LONG Volume() override { return FVolume; }
  DWORD Position() override { return 0; }

 private:
  LONG FVolume = 0;
};

// The null device: plays silently in real time on the platform clock (GetTickCount).
std::unique_ptr<SoundDevice> CreateNullSoundDevice();
// The SDL2 audio output; null when the build has no SDL2 or no audio device opens.
std::unique_ptr<SoundDevice> CreateAudioSoundDevice();
bool AudioOutputAvailable();
// Decodes a whole wave image in memory to 16-bit PCM (libsndfile); false when it is not a wave
// the decoder reads.
bool DecodeWaveImage(const void* image, size_t size, WAVEFORMATEX& format,
                     std::vector<uint8_t>& pcm);

}  // namespace plat::portable
