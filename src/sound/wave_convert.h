// Wave conversion: any wave image the platform's codecs know becomes a PCM wave image with the
// same rate and channels, laid out as RIFF, "fmt " (18-byte format) and "data" with real sizes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/plat_sound.h"

namespace zkw {

// Bytes before the PCM data of a converted image: RIFF header, "fmt " chunk, "data" header.
constexpr size_t kPcmWaveHeaderBytes = 12 + 8 + 18 + 8;

// The PCM format a wave converts to: the source's rate and channels, its bits per sample (16
// when it says 0, and for a compressed source whose bits are not 8 or 16, such as the 4 bits of
// ADPCM, which would be no PCM format at all).
plat::WAVEFORMATEX PcmTargetFormat(const plat::WAVEFORMATEX& Source);

// Converts a wave image to a PCM wave image. False with Out empty on any failure (the wave
// reader's errors included), with the reason in the last-error text.
bool ConvertWaveToPCM(const void* Image, size_t Size, std::vector<uint8_t>& Out);

// The optional progress display: called between converted chunks with the source bytes done and
// in all; while one is set, the thread's message queue is served between chunks too.
using TWaveProgress = std::function<void(uint32_t Done, uint32_t Total)>;
void SetWaveProgress(TWaveProgress Progress);

// Reads a PCM wave image as ConvertWaveToPCM makes it: the format and the data. False when it is
// not one.
bool ParsePcmWave(const uint8_t* Image, size_t Size, plat::WAVEFORMATEX& Format,
                  const uint8_t*& Data, uint32_t& DataSize);

}  // namespace zkw
