// Seeds of the wave fuzz target: the test builders' waves (PCM of 8 and 16 bits, mono and
// stereo, MS ADPCM and IMA ADPCM, extra chunks).
#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

#include "../../tests/support/wave_builders.h"

void WriteWaveSeeds(const std::string& outDir) {
  using namespace zkwtest;
  std::string dir = outDir + "/wave_fuzz";
  ::mkdir(dir.c_str(), 0755);
  auto write = [&](const std::string& name, const std::vector<uint8_t>& bytes) {
    std::ofstream(dir + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  };
  write("pcm8-mono.wav", PcmWave(1, 8, 8000, 64));
  write("pcm16-stereo.wav", PcmWave(2, 16, 22050, 48, true));
  write("msadpcm-mono.wav", MsAdpcmWave(1, 8000, 64, 3));
  write("msadpcm-stereo.wav", MsAdpcmWave(2, 11025, 128, 2, false));
  write("imaadpcm-mono.wav", ImaAdpcmWave(1, 8000, 64, 3));
  write("imaadpcm-stereo.wav", ImaAdpcmWave(2, 8000, 128, 2));
  WaveBytes c;
  c.Chunk("LIST", {'I', 'N', 'F', 'O', 'x'});
  c.Chunk("fmt ", FormatChunk(7, 1, 8000, 8000, 1, 8));
  c.Chunk("plst", {0, 0, 0, 0});
  c.Chunk("data", std::vector<uint8_t>(33, 0x55));
  write("mulaw-chunks.wav", Riff(c));
}
