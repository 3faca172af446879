// Wave conversion to PCM: decodes the data of a wave (any format the platform's codecs know)
// to plain PCM. ACM streams on Windows; libsndfile on Linux (PCM, IEEE float, u-law, A-law,
// MS ADPCM, IMA ADPCM, GSM 6.10). The caller has already checked the wave's chunks.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

#include "platform/plat_sound.h"

namespace plat {

// A wave whose chunk sizes were checked against its image.
struct WaveSource {
  const uint8_t* Format = nullptr;  // the "fmt " chunk: WAVEFORMATEX and its extra bytes
  DWORD FormatBytes = 0;            // at least 18
  const uint8_t* Data = nullptr;    // the "data" chunk
  DWORD DataBytes = 0;
  bool HasFact = false;             // a "fact" chunk gave the sample count
  DWORD FactSamples = 0;
};

// Receives each converted piece in order; false stops the conversion (which then fails).
using WaveSink = std::function<bool(const void* data, size_t bytes)>;

// Decodes Source to PCM in Target's format (Target has the source's rate and channels and its
// own bits per sample), SourceChunk bytes of source at a time (a whole number of source blocks),
// handing each converted piece to Sink, at most MaxBytes in all. False on any codec or read
// error, with the reason in the last-error text.
bool WaveConvertToPCM(const WaveSource& source, const WAVEFORMATEX& target, DWORD sourceChunk,
                      size_t maxBytes, const WaveSink& sink);

}  // namespace plat
