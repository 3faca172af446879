// Wave images built by the tests (and by the fuzz seeds): PCM of 8 and 16 bits, MS ADPCM and
// IMA ADPCM blocks with chosen headers, and extra chunks. Header-only so that the seed writer
// shares it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace zkwtest {

class WaveBytes {
 public:
  std::vector<uint8_t> b;
  WaveBytes& U8(uint8_t v) { b.push_back(v); return *this; }
  WaveBytes& U16(uint16_t v) { return U8(static_cast<uint8_t>(v)).U8(static_cast<uint8_t>(v >> 8)); }
  WaveBytes& I16(int16_t v) { return U16(static_cast<uint16_t>(v)); }
  WaveBytes& U32(uint32_t v) { return U16(static_cast<uint16_t>(v)).U16(static_cast<uint16_t>(v >> 16)); }
  WaveBytes& Id(const char* id) { b.insert(b.end(), id, id + 4); return *this; }
  WaveBytes& Raw(const std::vector<uint8_t>& bytes) { b.insert(b.end(), bytes.begin(), bytes.end()); return *this; }
  // A chunk with its pad byte.
  WaveBytes& Chunk(const char* id, const std::vector<uint8_t>& body) {
    Id(id).U32(static_cast<uint32_t>(body.size())).Raw(body);
    if (body.size() & 1) U8(0);
    return *this;
  }
};

// The format record: tag, channels, rate, bytes per second, block alignment, bits, extra bytes.
inline std::vector<uint8_t> FormatChunk(uint16_t tag, uint16_t channels, uint32_t rate, uint32_t avg,
                                        uint16_t align, uint16_t bits, const std::vector<uint8_t>& extra = {},
                                        bool withCbSize = true) {
  WaveBytes f;
  f.U16(tag).U16(channels).U32(rate).U32(avg).U16(align).U16(bits);
  if (withCbSize) f.U16(static_cast<uint16_t>(extra.size())).Raw(extra);
  return f.b;
}

// RIFF "WAVE" around chunks already written (the RIFF size is the real one).
inline std::vector<uint8_t> Riff(const WaveBytes& chunks) {
  WaveBytes w;
  w.Id("RIFF").U32(static_cast<uint32_t>(chunks.b.size() + 4)).Id("WAVE").Raw(chunks.b);
  return w.b;
}

// PCM samples: a ramp that differs per channel, Frames frames.
inline std::vector<uint8_t> PcmData(uint16_t channels, uint16_t bits, uint32_t frames) {
  WaveBytes d;
  for (uint32_t i = 0; i < frames; ++i)
    for (uint16_t c = 0; c < channels; ++c) {
      if (bits == 8) d.U8(static_cast<uint8_t>(i * 3 + c * 50));
      else d.I16(static_cast<int16_t>(static_cast<int32_t>(i * 257) - 20000 + c * 1000));
    }
  return d.b;
}

// A PCM wave of Frames frames (16-byte "fmt " chunk when ShortFormat).
inline std::vector<uint8_t> PcmWave(uint16_t channels, uint16_t bits, uint32_t rate, uint32_t frames,
                                    bool shortFormat = false) {
  uint16_t align = static_cast<uint16_t>(channels * bits / 8);
  WaveBytes c;
  c.Chunk("fmt ", FormatChunk(1, channels, rate, rate * align, align, bits, {}, !shortFormat));
  c.Chunk("data", PcmData(channels, bits, frames));
  return Riff(c);
}

// MS ADPCM: samples per block of a block size.
inline uint16_t MsAdpcmSamplesPerBlock(uint16_t align, uint16_t channels) {
  return static_cast<uint16_t>((align - 7 * channels) * 8 / (4 * channels) + 2);
}

// An MS ADPCM wave of Blocks blocks of Align bytes. Each block header gives predictor (block %
// 7), delta 16 and the first two samples 1000·(block+1)+channel (sample 1) and -that (sample 2);
// the nibbles are a fixed pattern.
inline std::vector<uint8_t> MsAdpcmWave(uint16_t channels, uint32_t rate, uint16_t align, uint32_t blocks,
                                        bool withFact = true) {
  static const int16_t coefs[7][2] = {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};
  uint16_t perBlock = MsAdpcmSamplesPerBlock(align, channels);
  WaveBytes extra;
  extra.U16(perBlock).U16(7);
  for (auto& c : coefs) extra.I16(c[0]).I16(c[1]);
  WaveBytes data;
  for (uint32_t k = 0; k < blocks; ++k) {
    size_t start = data.b.size();
    for (uint16_t c = 0; c < channels; ++c) data.U8(static_cast<uint8_t>(k % 7));
    for (uint16_t c = 0; c < channels; ++c) data.I16(16);
    for (uint16_t c = 0; c < channels; ++c) data.I16(static_cast<int16_t>(1000 * (k + 1) + c));
    for (uint16_t c = 0; c < channels; ++c) data.I16(static_cast<int16_t>(-(1000 * (k + 1) + c)));
    while (data.b.size() - start < align) data.U8(static_cast<uint8_t>(0x17 + (data.b.size() * 5) % 200));
  }
  uint32_t avg = rate * align / perBlock;
  WaveBytes c;
  c.Chunk("fmt ", FormatChunk(2, channels, rate, avg, align, 4, extra.b));
  if (withFact) c.Chunk("fact", WaveBytes().U32(blocks * perBlock).b);
  c.Chunk("data", data.b);
  return Riff(c);
}

inline uint16_t ImaAdpcmSamplesPerBlock(uint16_t align, uint16_t channels) {
  return static_cast<uint16_t>((align - 4 * channels) * 8 / (4 * channels) + 1);
}

// An IMA ADPCM wave of Blocks blocks of Align bytes; block k's header gives every channel the
// first sample 500·(k+1)+channel and step index k % 89.
inline std::vector<uint8_t> ImaAdpcmWave(uint16_t channels, uint32_t rate, uint16_t align, uint32_t blocks) {
  uint16_t perBlock = ImaAdpcmSamplesPerBlock(align, channels);
  WaveBytes data;
  for (uint32_t k = 0; k < blocks; ++k) {
    size_t start = data.b.size();
    for (uint16_t c = 0; c < channels; ++c)
      data.I16(static_cast<int16_t>(500 * (k + 1) + c)).U8(static_cast<uint8_t>(k % 89)).U8(0);
    while (data.b.size() - start < align) data.U8(static_cast<uint8_t>(0x31 + (data.b.size() * 7) % 190));
  }
  uint32_t avg = rate * align / perBlock;
  WaveBytes c;
  c.Chunk("fmt ", FormatChunk(0x11, channels, rate, avg, align, 4, WaveBytes().U16(perBlock).b));
  c.Chunk("fact", WaveBytes().U32(blocks * perBlock).b);
  c.Chunk("data", data.b);
  return Riff(c);
}

}  // namespace zkwtest
