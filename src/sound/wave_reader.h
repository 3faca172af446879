// The wave reader: finds the format and data of a RIFF "WAVE" image in memory, checking every
// chunk size against the image and the format's own limits before anything is trusted.
#pragma once
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/plat_sound.h"

namespace zkw {

// An error of the wave reader ("Wave is invalid", "Format is invalid", "Stream has already been
// opened"); the conversion catches it.
class EWaveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Format tags the reader knows the block layout of.
constexpr uint16_t kWaveFormatMSADPCM = 0x0002, kWaveFormatIEEEFloat = 0x0003,
                   kWaveFormatALaw = 0x0006, kWaveFormatMuLaw = 0x0007,
                   kWaveFormatIMAADPCM = 0x0011, kWaveFormatGSM610 = 0x0031;
// Most PCM bytes a wave may decode to.
constexpr uint64_t kMaxDecodedWaveBytes = uint64_t{512} << 20;

class TWaveReader {
 public:
  // Reads the image (not copied: it must outlive the reader). Throws EWaveError: "Wave is
  // invalid" (not RIFF/WAVE, a chunk running past the image, no data chunk), "Format is
  // invalid" (no or a bad "fmt " chunk), "Stream has already been opened" (a second Open).
  void Open(const void* Image, size_t Size);

  // The format record, at least 18 bytes (the "fmt " chunk, zero-padded).
  const std::vector<uint8_t>& FormatBytes() const { return FFormat; }
  const plat::WAVEFORMATEX& Format() const { return *reinterpret_cast<const plat::WAVEFORMATEX*>(FFormat.data()); }
  const uint8_t* Data() const { return FData; }
  uint32_t DataSize() const { return FDataSize; }
  bool HasFact() const { return FHasFact; }
  uint32_t FactSamples() const { return FFactSamples; }
  // Sample frames: data size / block alignment for PCM, the "fact" count for compressed data
  // (or what the blocks hold when there is no "fact" chunk).
  uint64_t SampleCount() const { return FSampleCount; }
  // Upper bound of the PCM bytes the data decodes to at BitsPerSample bits.
  uint64_t DecodedBytesLimit(int BitsPerSample) const;

 private:
  void ReadFormat(const uint8_t* p, uint32_t size);
  void CheckBlocks();

  bool FOpened = false;
  std::vector<uint8_t> FFormat;
  const uint8_t* FData = nullptr;
  uint32_t FDataSize = 0;
  bool FHasFact = false;
  uint32_t FFactSamples = 0;
  uint64_t FSampleCount = 0;
  uint64_t FFramesLimit = 0;  // most sample frames the data can hold
};

}  // namespace zkw
