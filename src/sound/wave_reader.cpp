#include "sound/wave_reader.h"

#include <cstring>

#include "base/last_error.h"

namespace zkw {

namespace {

uint32_t U32(const uint8_t* p) { return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24; }
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

[[noreturn]] void Fail(const char* error, const std::string& why) {
  SetLastErrorText(std::string(error) + ": " + why);
  throw EWaveError(error);
}
[[noreturn]] void BadWave(const std::string& why) { Fail("Wave is invalid", why); }
[[noreturn]] void BadFormat(const std::string& why) { Fail("Format is invalid", why); }

std::string N(uint64_t v) { return std::to_string(v); }

}  // namespace

void TWaveReader::Open(const void* Image, size_t Size) {
  if (FOpened) throw EWaveError("Stream has already been opened");
  FOpened = true;
  const auto* p = static_cast<const uint8_t*>(Image);
  if (!p || Size < 12 || std::memcmp(p, "RIFF", 4) != 0 || std::memcmp(p + 8, "WAVE", 4) != 0)
    BadWave("the image does not begin with RIFF ... WAVE");
  // The chunks end with the RIFF chunk or the image, whichever is first.
  uint64_t end = std::min<uint64_t>(Size, uint64_t{U32(p + 4)} + 8);
  bool haveFormat = false, haveData = false;
  uint64_t pos = 12;
  while (pos + 8 <= end) {
    const uint8_t* head = p + pos;
    uint32_t size = U32(head + 4);
    uint64_t body = pos + 8;
    if (size > end - body)
      BadWave("chunk \"" + std::string(reinterpret_cast<const char*>(head), 4) + "\" of " + N(size) +
              " bytes at " + N(pos) + " runs past the end of the wave at " + N(end));
    if (std::memcmp(head, "fmt ", 4) == 0 && !haveFormat) {
      ReadFormat(p + body, size);
      haveFormat = true;
    } else if (std::memcmp(head, "data", 4) == 0 && !haveData) {
      FData = p + body;
      FDataSize = size;
      haveData = true;
    } else if (std::memcmp(head, "fact", 4) == 0 && size >= 4 && !FHasFact) {
      FHasFact = true;
      FFactSamples = U32(p + body);
    }  // "plst", "DISP", "LIST" and the rest are skipped
    pos = body + size + (size & 1);
  }
  if (!haveFormat) BadFormat("the wave has no \"fmt \" chunk");
  if (!haveData) BadWave("the wave has no \"data\" chunk");
  CheckBlocks();
}

void TWaveReader::ReadFormat(const uint8_t* p, uint32_t size) {
  if (size < 16) BadFormat("\"fmt \" chunk of " + N(size) + " bytes is shorter than 16");
  FFormat.assign(std::max<uint32_t>(size, sizeof(plat::WAVEFORMATEX)), 0);
  std::memcpy(FFormat.data(), p, size);
  plat::WAVEFORMATEX& f = *reinterpret_cast<plat::WAVEFORMATEX*>(FFormat.data());
  if (size < 18) f.cbSize = 0;
  if (f.cbSize > size - 18 && size >= 18) {
    // Extra bytes the chunk does not hold: keep only the ones present.
    if (f.wFormatTag == plat::WAVE_FORMAT_PCM) f.cbSize = 0;
    else BadFormat("format extra size " + N(f.cbSize) + " exceeds the \"fmt \" chunk of " + N(size));
  }
  if (f.wFormatTag == plat::WAVE_FORMAT_PCM) f.cbSize = 0;
  if (f.nChannels < 1 || f.nChannels > 16) BadFormat(N(f.nChannels) + " channels");
  if (f.nSamplesPerSec < 1 || f.nSamplesPerSec > 768000) BadFormat("sample rate " + N(f.nSamplesPerSec));
  if (f.nBlockAlign == 0) BadFormat("block alignment 0");
  if (f.wBitsPerSample > 64) BadFormat(N(f.wBitsPerSample) + " bits per sample");
}

void TWaveReader::CheckBlocks() {
  const plat::WAVEFORMATEX& f = Format();
  const uint8_t* extra = FFormat.data() + sizeof(plat::WAVEFORMATEX);
  uint64_t ch = f.nChannels, align = f.nBlockAlign;
  uint64_t blocks = (uint64_t{FDataSize} + align - 1) / align;
  switch (f.wFormatTag) {
    case plat::WAVE_FORMAT_PCM:
    case kWaveFormatIEEEFloat: {
      if (f.wBitsPerSample == 0 || f.wBitsPerSample % 8 != 0) BadFormat(N(f.wBitsPerSample) + "-bit PCM");
      if (align != ch * (f.wBitsPerSample / 8))
        BadFormat("block alignment " + N(align) + " does not fit " + N(ch) + " channels of " +
                  N(f.wBitsPerSample) + " bits");
      FSampleCount = FDataSize / align;
      FFramesLimit = FSampleCount;
      return;
    }
    case kWaveFormatMSADPCM: {
      if (f.cbSize < 4) BadFormat("MS ADPCM format without samples per block and coefficients");
      uint64_t perBlock = U16(extra), coefs = U16(extra + 2);
      if (align < 7 * ch) BadFormat("MS ADPCM block of " + N(align) + " bytes is smaller than its header");
      uint64_t most = (align - 7 * ch) * 8 / (4 * ch) + 2;
      if (perBlock < 2 || perBlock > most)
        BadFormat("MS ADPCM block of " + N(align) + " bytes cannot hold " + N(perBlock) + " samples");
      if (coefs < 7 || coefs > 256 || f.cbSize < 4 + 4 * coefs)
        BadFormat("MS ADPCM with " + N(coefs) + " coefficient pairs in " + N(f.cbSize) + " extra bytes");
      if (f.wBitsPerSample != 4) BadFormat("MS ADPCM of " + N(f.wBitsPerSample) + " bits");
      FFramesLimit = blocks * perBlock;
      break;
    }
    case kWaveFormatIMAADPCM: {
      if (f.cbSize < 2) BadFormat("IMA ADPCM format without samples per block");
      uint64_t perBlock = U16(extra);
      if (align < 4 * ch || (align - 4 * ch) % (4 * ch) != 0)
        BadFormat("IMA ADPCM block of " + N(align) + " bytes does not fit " + N(ch) + " channels");
      uint64_t most = (align - 4 * ch) * 8 / (4 * ch) + 1;
      if (perBlock < 1 || perBlock > most)
        BadFormat("IMA ADPCM block of " + N(align) + " bytes cannot hold " + N(perBlock) + " samples");
      if (f.wBitsPerSample != 4) BadFormat("IMA ADPCM of " + N(f.wBitsPerSample) + " bits");
      FFramesLimit = blocks * perBlock;
      break;
    }
    case kWaveFormatALaw:
    case kWaveFormatMuLaw:
      if (align != ch) BadFormat("G.711 block alignment " + N(align) + " for " + N(ch) + " channels");
      FFramesLimit = FDataSize / align;
      break;
    case kWaveFormatGSM610:
      if (align != 65 || ch != 1) BadFormat("GSM 6.10 needs 65-byte blocks of one channel");
      FFramesLimit = blocks * 320;
      break;
    default:
      // Another codec: at most 64 frames per data byte.
      FFramesLimit = uint64_t{FDataSize} * 64;
      break;
  }
  FSampleCount = FHasFact ? std::min<uint64_t>(FFactSamples, FFramesLimit) : FFramesLimit;
}

uint64_t TWaveReader::DecodedBytesLimit(int BitsPerSample) const {
  return FFramesLimit * Format().nChannels * static_cast<uint64_t>((BitsPerSample + 7) / 8);
}

}  // namespace zkw
