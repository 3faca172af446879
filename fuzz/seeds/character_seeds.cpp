// Seeds of the character fuzz target, made by the character writer: every gesture style,
// previous and next names (a looping pair among them), returnable gestures, movement, a sound,
// 8- and 24-bit frames with and without alpha.
#include <sys/stat.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "../../tests/support/wave_builders.h"
#include "dib/dib24.h"
#include "dib/dib8.h"
#include "player/character/char_file.h"

namespace {

std::unique_ptr<zkw::TDibBaseObj> SeedFrame(bool deep, int w, int h, int tag, bool alpha) {
  std::unique_ptr<zkw::TDibBaseObj> dib;
  if (deep) dib = std::make_unique<zkw::TDib24Bits>();
  else dib = std::make_unique<zkw::TDib8Bits>();
  dib->SetAttributes(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) dib->PutPixel(x, y, static_cast<uint32_t>((x + y + tag) * 37 % 256));
  if (alpha) {
    dib->CreateAlphaChannel();
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) dib->AlphaDib->PutPixel(x, y, static_cast<uint32_t>((x * 64) & 255));
  }
  return dib;
}

}  // namespace

void WriteCharacterSeeds(const std::string& outDir) {
  std::string dir = outDir + "/character_fuzz";
  ::mkdir(dir.c_str(), 0755);
  std::vector<std::unique_ptr<zkw::TDibBaseObj>> frames;
  auto gesture = [&](const std::string& name, uint8_t style, int count, bool deep, bool alpha,
                     const std::string& prev, const std::string& next, bool canReturn) {
    zkw::TCharGestureSource g;
    g.Name = name;
    g.Style = style;
    g.PrevGes = prev;
    g.NextGes = next;
    g.EnableReturn = canReturn;
    for (int i = 0; i < count; ++i) {
      frames.push_back(SeedFrame(deep, 6, 5, i, alpha));
      g.Frames.push_back({frames.back().get(), 1 + i % 2, i - 1, i % 3 - 1});
    }
    return g;
  };
  struct Seed {
    const char* file;
    std::vector<zkw::TCharGestureSource> gestures;
  } seeds[] = {
      {"styles.chr",
       {gesture("RestPose", 2, 2, false, true, "", "", false), gesture("Once", 0, 3, false, true, "", "Swing", true),
        gesture("Swing", 1, 3, false, false, "Once", "", false), gesture("Loop", 2, 2, true, true, "", "", true)}},
      {"chain.chr",
       {gesture("RestPose", 0, 1, true, false, "", "", false), gesture("A", 0, 2, false, true, "B", "B", true),
        gesture("B", 1, 2, false, true, "A", "A", true)}},
      {"norest.chr", {gesture("Walk", 2, 4, false, true, "", "", false)}},
  };
  for (Seed& seed : seeds) {
    if (std::string(seed.file) == "styles.chr") seed.gestures[1].Sound = zkwtest::PcmWave(1, 8, 8000, 32);
    std::vector<uint8_t> bytes;
    std::string error;
    if (!zkw::BuildCharacterFile("Seed", 6, 5, seed.gestures, bytes, error)) continue;
    std::ofstream(dir + "/" + seed.file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
}
