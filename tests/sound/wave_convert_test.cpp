// Wave conversion to PCM: PCM of 8 and 16 bits, mono and stereo, MS ADPCM and IMA ADPCM made by
// the test builders, to the exact sizes, header fields and samples; the reader's refusals.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/last_error.h"
#include "sound/wave_convert.h"
#include "sound/wave_reader.h"
#include "support/wave_builders.h"

using namespace zkw;
using namespace zkwtest;

namespace {

uint32_t U32At(const std::vector<uint8_t>& b, size_t at) {
  uint32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}
int16_t I16At(const std::vector<uint8_t>& b, size_t at) {
  int16_t v;
  std::memcpy(&v, b.data() + at, 2);
  return v;
}

// Checks the header of a converted image and returns its format.
plat::WAVEFORMATEX CheckHeader(const std::vector<uint8_t>& out, uint32_t dataBytes) {
  plat::WAVEFORMATEX f{};
  EXPECT_EQ(out.size(), kPcmWaveHeaderBytes + dataBytes);
  if (out.size() < kPcmWaveHeaderBytes) return f;
  EXPECT_EQ(std::string(out.begin(), out.begin() + 4), "RIFF");
  EXPECT_EQ(U32At(out, 4), out.size() - 8);
  EXPECT_EQ(std::string(out.begin() + 8, out.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(U32At(out, 16), 18u);
  std::memcpy(&f, out.data() + 20, sizeof f);
  EXPECT_EQ(std::string(out.begin() + 38, out.begin() + 42), "data");
  EXPECT_EQ(U32At(out, 42), dataBytes);
  EXPECT_EQ(f.wFormatTag, 1);
  EXPECT_EQ(f.cbSize, 0);
  EXPECT_EQ(f.nBlockAlign, f.wBitsPerSample / 8 * f.nChannels);
  EXPECT_EQ(f.nAvgBytesPerSec, f.nBlockAlign * f.nSamplesPerSec);
  return f;
}

}  // namespace

TEST(WaveConvert, PcmKeepsItsSamplesAndGetsTheCanonicalHeader) {
  struct Case { uint16_t ch, bits; uint32_t rate, frames; };
  for (Case c : {Case{1, 8, 8000, 1001}, Case{2, 8, 11025, 500}, Case{1, 16, 22050, 777}, Case{2, 16, 44100, 4410}}) {
    SCOPED_TRACE(std::to_string(c.ch) + " ch, " + std::to_string(c.bits) + " bits");
    std::vector<uint8_t> wave = PcmWave(c.ch, c.bits, c.rate, c.frames), out;
    ASSERT_TRUE(ConvertWaveToPCM(wave.data(), wave.size(), out)) << LastErrorText();
    uint32_t bytes = c.frames * c.ch * c.bits / 8;
    plat::WAVEFORMATEX f = CheckHeader(out, bytes);
    EXPECT_EQ(f.nChannels, c.ch);
    EXPECT_EQ(f.nSamplesPerSec, c.rate);
    EXPECT_EQ(f.wBitsPerSample, c.bits);
    std::vector<uint8_t> expected = PcmData(c.ch, c.bits, c.frames);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), out.begin() + kPcmWaveHeaderBytes));
  }
}

TEST(WaveConvert, ChunksOtherThanFormatAndDataAreSkipped) {
  // A 16-byte format chunk, an odd-sized chunk with its pad byte, "plst", "DISP", "LIST" first.
  WaveBytes c;
  c.Chunk("LIST", {'I', 'N', 'F', 'O', 'x'});
  c.Chunk("fmt ", FormatChunk(1, 1, 8000, 8000, 1, 8, {}, false));
  c.Chunk("plst", {0, 0, 0, 0});
  c.Chunk("DISP", {1, 2, 3});
  std::vector<uint8_t> samples = PcmData(1, 8, 301);  // odd: padded
  c.Chunk("data", samples);
  c.Chunk("junk", {9, 9});
  std::vector<uint8_t> wave = Riff(c), out;
  ASSERT_TRUE(ConvertWaveToPCM(wave.data(), wave.size(), out)) << LastErrorText();
  CheckHeader(out, 301);
  EXPECT_TRUE(std::equal(samples.begin(), samples.end(), out.begin() + kPcmWaveHeaderBytes));
}

TEST(WaveConvert, MsAdpcmDecodesWholeBlocksToSixteenBits) {
  for (uint16_t ch : {uint16_t{1}, uint16_t{2}}) {
    SCOPED_TRACE(std::to_string(ch) + " channels");
    uint16_t align = ch == 1 ? 256 : 512;
    uint32_t blocks = 5;
    uint16_t perBlock = MsAdpcmSamplesPerBlock(align, ch);
    EXPECT_EQ(perBlock, 500);
    std::vector<uint8_t> wave = MsAdpcmWave(ch, 22050, align, blocks), out;
    ASSERT_TRUE(ConvertWaveToPCM(wave.data(), wave.size(), out)) << LastErrorText();
    plat::WAVEFORMATEX f = CheckHeader(out, blocks * perBlock * ch * 2);
    EXPECT_EQ(f.nChannels, ch);
    EXPECT_EQ(f.nSamplesPerSec, 22050u);
    EXPECT_EQ(f.wBitsPerSample, 16);
    // Each block begins with its header's second sample, then its first.
    for (uint32_t k = 0; k < blocks && out.size() == kPcmWaveHeaderBytes + blocks * perBlock * ch * 2u; ++k)
      for (uint16_t c = 0; c < ch; ++c) {
        size_t frame0 = kPcmWaveHeaderBytes + (size_t{k} * perBlock) * ch * 2 + c * 2u;
        int16_t s1 = static_cast<int16_t>(1000 * (k + 1) + c);
        EXPECT_EQ(I16At(out, frame0), -s1) << "block " << k;
        EXPECT_EQ(I16At(out, frame0 + ch * 2u), s1) << "block " << k;
      }
  }
}

TEST(WaveConvert, ImaAdpcmDecodesWholeBlocksToSixteenBits) {
  for (uint16_t ch : {uint16_t{1}, uint16_t{2}}) {
    SCOPED_TRACE(std::to_string(ch) + " channels");
    uint16_t align = ch == 1 ? 256 : 512;
    uint32_t blocks = 4;
    uint16_t perBlock = ImaAdpcmSamplesPerBlock(align, ch);
    EXPECT_EQ(perBlock, 505);
    std::vector<uint8_t> wave = ImaAdpcmWave(ch, 11025, align, blocks), out;
    ASSERT_TRUE(ConvertWaveToPCM(wave.data(), wave.size(), out)) << LastErrorText();
    plat::WAVEFORMATEX f = CheckHeader(out, blocks * perBlock * ch * 2);
    EXPECT_EQ(f.nChannels, ch);
    EXPECT_EQ(f.nSamplesPerSec, 11025u);
    EXPECT_EQ(f.wBitsPerSample, 16);
    // The first sample of a block is its header's predictor.
    for (uint32_t k = 0; k < blocks && out.size() == kPcmWaveHeaderBytes + blocks * perBlock * ch * 2u; ++k)
      for (uint16_t c = 0; c < ch; ++c)
        EXPECT_EQ(I16At(out, kPcmWaveHeaderBytes + (size_t{k} * perBlock) * ch * 2 + c * 2u), 500 * (k + 1) + c);
  }
}

TEST(WaveConvert, TargetFormat) {
  plat::WAVEFORMATEX adpcm{2, 2, 22050, 0, 512, 4, 32};
  plat::WAVEFORMATEX t = PcmTargetFormat(adpcm);
  EXPECT_EQ(t.wFormatTag, 1);
  EXPECT_EQ(t.wBitsPerSample, 16);
  EXPECT_EQ(t.nBlockAlign, 4);
  EXPECT_EQ(t.nAvgBytesPerSec, 88200u);
  plat::WAVEFORMATEX zero{0x31, 1, 8000, 1625, 65, 0, 2};
  EXPECT_EQ(PcmTargetFormat(zero).wBitsPerSample, 16);
  plat::WAVEFORMATEX mulaw{7, 1, 8000, 8000, 1, 8, 0};
  EXPECT_EQ(PcmTargetFormat(mulaw).wBitsPerSample, 8);
  EXPECT_EQ(PcmTargetFormat(mulaw).nBlockAlign, 1);
}

TEST(WaveConvert, BadWavesGiveNoResultWithTheReadersError) {
  std::vector<uint8_t> good = PcmWave(1, 16, 8000, 100), out;
  auto refused = [&](std::vector<uint8_t> wave, const std::string& error) {
    ClearLastErrorText();
    out.assign(3, 1);
    EXPECT_FALSE(ConvertWaveToPCM(wave.data(), wave.size(), out));
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(LastErrorText().rfind(error, 0), 0u) << LastErrorText();
  };
  std::vector<uint8_t> notRiff = good;
  notRiff[0] = 'X';
  refused(notRiff, "Wave is invalid");
  std::vector<uint8_t> notWave = good;
  notWave[8] = 'A';
  refused(notWave, "Wave is invalid");
  refused({'R', 'I', 'F', 'F'}, "Wave is invalid");
  // The data chunk claims more bytes than the image holds.
  std::vector<uint8_t> longData = good;
  uint32_t huge = 0x7FFFFFF0;
  std::memcpy(longData.data() + 12 + 8 + 18 + 4, &huge, 4);
  refused(longData, "Wave is invalid");
  // A cut image: the data chunk runs past its end.
  refused(std::vector<uint8_t>(good.begin(), good.end() - 2), "Wave is invalid");
  // No data chunk.
  WaveBytes noData;
  noData.Chunk("fmt ", FormatChunk(1, 1, 8000, 8000, 1, 8));
  refused(Riff(noData), "Wave is invalid");
  // Format chunk too short, no format chunk, zero channels, block alignment that does not fit.
  WaveBytes shortFmt;
  shortFmt.Chunk("fmt ", std::vector<uint8_t>(12, 1)).Chunk("data", {1, 2});
  refused(Riff(shortFmt), "Format is invalid");
  WaveBytes noFmt;
  noFmt.Chunk("data", {1, 2});
  refused(Riff(noFmt), "Format is invalid");
  WaveBytes noChannels;
  noChannels.Chunk("fmt ", FormatChunk(1, 0, 8000, 8000, 1, 8)).Chunk("data", {1, 2});
  refused(Riff(noChannels), "Format is invalid");
  WaveBytes badAlign;
  badAlign.Chunk("fmt ", FormatChunk(1, 2, 8000, 8000, 3, 16)).Chunk("data", {1, 2});
  refused(Riff(badAlign), "Format is invalid");
  // ADPCM whose samples per block exceed what a block holds, and whose extra bytes run past the
  // format chunk.
  std::vector<uint8_t> ms = MsAdpcmWave(1, 8000, 256, 2);
  ms[12 + 8 + 18] = 0xFF;  // samples per block 0x..FF > 500
  ms[12 + 8 + 19] = 0xFF;
  refused(ms, "Format is invalid");
  std::vector<uint8_t> ima = ImaAdpcmWave(1, 8000, 256, 2);
  ima[12 + 8 + 16] = 60;  // cbSize beyond the 20-byte chunk
  refused(ima, "Format is invalid");
  std::vector<uint8_t> imaAlign = ImaAdpcmWave(2, 8000, 256, 1);
  imaAlign[12 + 8 + 12] = 7;  // block alignment 7 is not whole 4-byte words per channel
  imaAlign[12 + 8 + 13] = 0;
  refused(imaAlign, "Format is invalid");
}

TEST(WaveConvert, ReaderOpensOnce) {
  std::vector<uint8_t> wave = PcmWave(1, 8, 8000, 10);
  TWaveReader reader;
  reader.Open(wave.data(), wave.size());
  EXPECT_EQ(reader.SampleCount(), 10u);
  EXPECT_EQ(reader.DataSize(), 10u);
  try {
    reader.Open(wave.data(), wave.size());
    FAIL() << "a second open was accepted";
  } catch (const EWaveError& e) {
    EXPECT_STREQ(e.what(), "Stream has already been opened");
  }
  // The fact chunk gives the sample count of compressed data, bounded by what the blocks hold.
  std::vector<uint8_t> ms = MsAdpcmWave(1, 8000, 256, 3);
  TWaveReader adpcm;
  adpcm.Open(ms.data(), ms.size());
  EXPECT_EQ(adpcm.SampleCount(), 1500u);
  EXPECT_EQ(adpcm.DecodedBytesLimit(16), 3000u);
}

TEST(WaveConvert, ProgressIsAdvancedBetweenChunks) {
  std::vector<std::pair<uint32_t, uint32_t>> calls;
  SetWaveProgress([&](uint32_t done, uint32_t total) { calls.emplace_back(done, total); });
  std::vector<uint8_t> wave = PcmWave(1, 8, 8000, 8000 * 5 / 2), out;  // 2.5 s: three chunks
  bool ok = ConvertWaveToPCM(wave.data(), wave.size(), out);
  SetWaveProgress(nullptr);
  ASSERT_TRUE(ok);
  std::vector<std::pair<uint32_t, uint32_t>> expected = {{8000, 20000}, {16000, 20000}, {20000, 20000}};
  EXPECT_EQ(calls, expected);
  calls.clear();
  ASSERT_TRUE(ConvertWaveToPCM(wave.data(), wave.size(), out));
  EXPECT_TRUE(calls.empty());  // no display set: nothing called
}
