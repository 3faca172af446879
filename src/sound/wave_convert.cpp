#include "sound/wave_convert.h"

#include <cstring>

#include "base/last_error.h"
#include "platform/plat_wave.h"
#include "platform/plat_window.h"
#include "sound/wave_reader.h"

namespace zkw {

namespace {

TWaveProgress& Progress() {
  static TWaveProgress progress;
  return progress;
}

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

// Lets the window procedures of the thread run while a long conversion goes on.
void ServeMessages() {
  plat::MSG msg;
  while (plat::PeekMessageW(&msg, nullptr, 0, 0, plat::PM_REMOVE)) {
    if (msg.message == plat::WM_QUIT) break;
    plat::TranslateMessage(&msg);
    plat::DispatchMessageW(&msg);
  }
}

}  // namespace

void SetWaveProgress(TWaveProgress P) { Progress() = std::move(P); }

plat::WAVEFORMATEX PcmTargetFormat(const plat::WAVEFORMATEX& Source) {
  plat::WAVEFORMATEX t{};
  t.wFormatTag = plat::WAVE_FORMAT_PCM;
  t.nChannels = Source.nChannels;
  t.nSamplesPerSec = Source.nSamplesPerSec;
  t.wBitsPerSample = Source.wBitsPerSample;
  bool compressed = Source.wFormatTag != plat::WAVE_FORMAT_PCM;
  if (t.wBitsPerSample == 0 || (compressed && t.wBitsPerSample != 8 && t.wBitsPerSample != 16 &&
                                Source.wFormatTag != kWaveFormatIEEEFloat))
    t.wBitsPerSample = 16;
  t.nBlockAlign = static_cast<uint16_t>(t.wBitsPerSample / 8 * t.nChannels);
  t.nAvgBytesPerSec = t.nBlockAlign * t.nSamplesPerSec;
  t.cbSize = 0;
  return t;
}

bool ConvertWaveToPCM(const void* Image, size_t Size, std::vector<uint8_t>& Out) {
  Out.clear();
  try {
    TWaveReader reader;
    reader.Open(Image, Size);
    const plat::WAVEFORMATEX& src = reader.Format();
    plat::WAVEFORMATEX target = PcmTargetFormat(src);
    uint64_t limit = reader.DecodedBytesLimit(target.wBitsPerSample);
    if (limit > kMaxDecodedWaveBytes) {
      SetLastErrorText("the wave would decode to " + std::to_string(limit) + " bytes, more than " +
                       std::to_string(kMaxDecodedWaveBytes));
      return false;
    }
    // Source chunks: one second of source, rounded down to whole blocks (one block at least).
    uint32_t chunk = src.nAvgBytesPerSec - src.nAvgBytesPerSec % src.nBlockAlign;
    if (chunk == 0) chunk = src.nBlockAlign;

    Out.assign(kPcmWaveHeaderBytes, 0);
    std::memcpy(Out.data(), "RIFF", 4);
    std::memcpy(Out.data() + 8, "WAVEfmt ", 8);
    Put32(Out, 16, target.cbSize + 18u);
    std::memcpy(Out.data() + 20, &target, sizeof target);
    std::memcpy(Out.data() + 38, "data", 4);

    plat::WaveSource source;
    source.Format = reader.FormatBytes().data();
    source.FormatBytes = static_cast<uint32_t>(reader.FormatBytes().size());
    source.Data = reader.Data();
    source.DataBytes = reader.DataSize();
    source.HasFact = reader.HasFact();
    source.FactSamples = reader.FactSamples();
    uint32_t done = 0;
    auto sink = [&](const void* data, size_t bytes) {
      const auto* b = static_cast<const uint8_t*>(data);
      Out.insert(Out.end(), b, b + bytes);
      if (Progress()) {
        done = std::min<uint32_t>(reader.DataSize(), done + chunk);
        Progress()(done, reader.DataSize());
        ServeMessages();
      }
      return true;
    };
    if (!plat::WaveConvertToPCM(source, target, chunk, static_cast<size_t>(limit), sink)) {
      Out.clear();
      return false;
    }
    // The real sizes.
    Put32(Out, 42, static_cast<uint32_t>(Out.size() - kPcmWaveHeaderBytes));
    Put32(Out, 4, static_cast<uint32_t>(Out.size() - 8));
    return true;
  } catch (const EWaveError&) {
    // The reader's error; its reason is in the last-error text.
  } catch (const std::bad_alloc&) {
    SetLastErrorText("no memory for the converted wave");
  }
  Out.clear();
  return false;
}

bool ParsePcmWave(const uint8_t* Image, size_t Size, plat::WAVEFORMATEX& Format, const uint8_t*& Data,
                  uint32_t& DataSize) {
  try {
    TWaveReader reader;
    reader.Open(Image, Size);
    if (reader.Format().wFormatTag != plat::WAVE_FORMAT_PCM) {
      SetLastErrorText("the wave is not PCM");
      return false;
    }
    Format = reader.Format();
    Format.cbSize = 0;
    Data = reader.Data();
    DataSize = reader.DataSize() - reader.DataSize() % Format.nBlockAlign;
    return true;
  } catch (const EWaveError&) {
    return false;
  }
}

}  // namespace zkw
