// Portable back end only: the pieces the sound devices and the simple sound player share.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/plat_sound.h"

namespace plat::portable {

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
