// Wave conversion: the wave reader's chunk and format checks, the decoder behind them, and the
// converted image read back as the PCM wave it claims to be.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "sound/wave_convert.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> image(data, data + size), out;  // an exact-size copy for the sanitizer
  if (!zkw::ConvertWaveToPCM(image.data(), image.size(), out)) {
    if (!out.empty()) std::abort();  // a failure leaves no result
    return 0;
  }
  plat::WAVEFORMATEX format;
  const uint8_t* pcm = nullptr;
  uint32_t bytes = 0;
  if (out.size() < zkw::kPcmWaveHeaderBytes || !zkw::ParsePcmWave(out.data(), out.size(), format, pcm, bytes))
    std::abort();
  uint32_t riff, dataSize;
  std::memcpy(&riff, out.data() + 4, 4);
  std::memcpy(&dataSize, out.data() + 42, 4);
  if (riff != out.size() - 8 || dataSize != out.size() - zkw::kPcmWaveHeaderBytes) std::abort();
  return 0;
}
