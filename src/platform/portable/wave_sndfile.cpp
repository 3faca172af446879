// Wave conversion of the portable back end: libsndfile decodes the wave through its virtual
// I/O from memory. It is handed a canonical image rebuilt from the chunks the caller checked
// (RIFF header, "fmt ", "fact" when there was one, "data"), so it sees exactly what was
// validated and nothing else of the file.
#include <sndfile.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "base/last_error.h"
#include "platform/plat_wave.h"
#include "platform/portable/sound_portable.h"

namespace plat {

namespace {

struct MemoryFile {
  const uint8_t* Bytes;
  sf_count_t Size;
  sf_count_t Pos = 0;
};

sf_count_t VGetLength(void* user) { return static_cast<MemoryFile*>(user)->Size; }
sf_count_t VSeek(sf_count_t offset, int whence, void* user) {
  auto* f = static_cast<MemoryFile*>(user);
  sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? f->Pos : f->Size;
  sf_count_t pos = base + offset;
  if (pos < 0 || pos > f->Size) return -1;
  f->Pos = pos;
  return pos;
}
sf_count_t VRead(void* ptr, sf_count_t count, void* user) {
  auto* f = static_cast<MemoryFile*>(user);
  sf_count_t n = std::max<sf_count_t>(0, std::min(count, f->Size - f->Pos));
  if (n > 0) std::memcpy(ptr, f->Bytes + f->Pos, static_cast<size_t>(n));
  f->Pos += n;
  return n;
}
sf_count_t VWrite(const void*, sf_count_t, void*) { return 0; }
sf_count_t VTell(void* user) { return static_cast<MemoryFile*>(user)->Pos; }

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void PutId(std::vector<uint8_t>& out, const char* id) { out.insert(out.end(), id, id + 4); }

// The canonical wave image of a checked source.
std::vector<uint8_t> Canonical(const WaveSource& s) {
  std::vector<uint8_t> out;
  out.reserve(64 + s.FormatBytes + s.DataBytes);
  PutId(out, "RIFF");
  Put32(out, 0);
  PutId(out, "WAVE");
  PutId(out, "fmt ");
  Put32(out, s.FormatBytes);
  out.insert(out.end(), s.Format, s.Format + s.FormatBytes);
  if (s.FormatBytes & 1) out.push_back(0);
  if (s.HasFact) {
    PutId(out, "fact");
    Put32(out, 4);
    Put32(out, s.FactSamples);
  }
  PutId(out, "data");
  Put32(out, s.DataBytes);
  out.insert(out.end(), s.Data, s.Data + s.DataBytes);
  if (s.DataBytes & 1) out.push_back(0);
  uint32_t riff = static_cast<uint32_t>(out.size() - 8);
  std::memcpy(out.data() + 4, &riff, 4);
  return out;
}

// An open libsndfile reader over a memory image.
class Reader {
 public:
  Reader(const uint8_t* bytes, size_t size) : FFile{bytes, static_cast<sf_count_t>(size)} {
    SF_VIRTUAL_IO io{VGetLength, VSeek, VRead, VWrite, VTell};
    FHandle = sf_open_virtual(&io, SFM_READ, &FInfo, &FFile);
  }
  ~Reader() {
    if (FHandle) sf_close(FHandle);
  }
  SNDFILE* Handle() const { return FHandle; }
  const SF_INFO& Info() const { return FInfo; }
  std::string Error() const { return sf_strerror(FHandle); }

 private:
  MemoryFile FFile;
  SF_INFO FInfo{};
  SNDFILE* FHandle = nullptr;
};

// Reads frames and writes them as PCM samples of Bits bits (8 unsigned, 16/24/32 signed).
bool Decode(SNDFILE* handle, int channels, int bits, sf_count_t chunkFrames, size_t maxBytes,
            const WaveSink& sink) {
  size_t bytesPerSample = static_cast<size_t>(bits / 8);
  size_t samples = static_cast<size_t>(chunkFrames) * static_cast<size_t>(channels);
  std::vector<int32_t> in(samples);
  std::vector<short> in16(bits <= 16 ? samples : 0);
  std::vector<uint8_t> out(samples * bytesPerSample);
  size_t total = 0;
  for (;;) {
    sf_count_t got = bits <= 16 ? sf_readf_short(handle, in16.data(), chunkFrames)
                                : sf_readf_int(handle, in.data(), chunkFrames);
    if (got <= 0) break;
    size_t n = static_cast<size_t>(got) * static_cast<size_t>(channels);
    uint8_t* o = out.data();
    for (size_t i = 0; i < n; ++i) {
      switch (bits) {
        case 8: *o++ = static_cast<uint8_t>((in16[i] >> 8) + 128); break;
        case 16:
          *o++ = static_cast<uint8_t>(in16[i]);
          *o++ = static_cast<uint8_t>(static_cast<uint16_t>(in16[i]) >> 8);
          break;
        default: {
          auto v = static_cast<uint32_t>(in[i]);
          for (size_t b = 4 - bytesPerSample; b < 4; ++b) *o++ = static_cast<uint8_t>(v >> (8 * b));
        }
      }
    }
    size_t bytes = n * bytesPerSample;
    if (total + bytes > maxBytes) {
      zkw::SetLastErrorText("the decoded wave would exceed " + std::to_string(maxBytes) + " bytes");
      return false;
    }
    total += bytes;
    if (!sink(out.data(), bytes)) return false;
    if (got < chunkFrames) break;
  }
  if (sf_error(handle) != SF_ERR_NO_ERROR) {
    zkw::SetLastErrorText(std::string("wave decoding failed: ") + sf_strerror(handle));
    return false;
  }
  return true;
}

}  // namespace

bool WaveConvertToPCM(const WaveSource& source, const WAVEFORMATEX& target, DWORD sourceChunk,
                      size_t maxBytes, const WaveSink& sink) {
  if (!source.Format || source.FormatBytes < sizeof(WAVEFORMATEX) || (!source.Data && source.DataBytes)) {
    zkw::SetLastErrorText("wave source without format or data");
    return false;
  }
  int bits = target.wBitsPerSample;
  if (target.wFormatTag != WAVE_FORMAT_PCM || (bits != 8 && bits != 16 && bits != 24 && bits != 32)) {
    zkw::SetLastErrorText("PCM of " + std::to_string(bits) + " bits is not a conversion target");
    return false;
  }
  std::vector<uint8_t> image = Canonical(source);
  Reader reader(image.data(), image.size());
  if (!reader.Handle()) {
    zkw::SetLastErrorText("the wave decoder refused the wave: " + reader.Error());
    return false;
  }
  const SF_INFO& info = reader.Info();
  if (info.channels != target.nChannels || info.samplerate != static_cast<int>(target.nSamplesPerSec)) {
    zkw::SetLastErrorText("the wave decoder reads a different rate or channel count");
    return false;
  }
  WAVEFORMATEX src;
  std::memcpy(&src, source.Format, sizeof src);
  // Frames per source chunk: the chunk's blocks times the samples a block holds, or one
  // second of frames when the block size says nothing.
  sf_count_t chunkFrames = target.nSamplesPerSec;
  if (src.nBlockAlign > 0 && sourceChunk >= src.nBlockAlign && src.wFormatTag == WAVE_FORMAT_PCM)
    chunkFrames = sourceChunk / src.nBlockAlign;
  chunkFrames = std::clamp<sf_count_t>(chunkFrames, 1, 1 << 20);
  return Decode(reader.Handle(), info.channels, bits, chunkFrames, maxBytes, sink);
}

namespace portable {

bool DecodeWaveImage(const void* image, size_t size, WAVEFORMATEX& format, std::vector<uint8_t>& pcm) {
  Reader reader(static_cast<const uint8_t*>(image), size);
  if (!reader.Handle()) {
    zkw::SetLastErrorText("the wave decoder refused the wave: " + reader.Error());
    return false;
  }
  const SF_INFO& info = reader.Info();
  if (info.channels < 1 || info.channels > 16 || info.samplerate < 1 || info.samplerate > 768000) return false;
  format = WAVEFORMATEX{WAVE_FORMAT_PCM, static_cast<WORD>(info.channels),
                        static_cast<DWORD>(info.samplerate),
                        static_cast<DWORD>(info.samplerate) * static_cast<DWORD>(info.channels) * 2,
                        static_cast<WORD>(info.channels * 2), 16, 0};
  pcm.clear();
  return Decode(reader.Handle(), info.channels, 16, info.samplerate, size_t{256} << 20,
                [&](const void* data, size_t bytes) {
                  const auto* b = static_cast<const uint8_t*>(data);
                  pcm.insert(pcm.end(), b, b + bytes);
                  return true;
                });
}

}  // namespace portable

}  // namespace plat
