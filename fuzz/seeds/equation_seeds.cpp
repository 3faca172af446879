// Seeds of the equation fuzz targets, written by the library's writers from the test builders'
// trees, and buffers of the older layout (8-bit texts, no markers).
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "common/byte_stream.h"
#include "support/equation_builders.h"

namespace {

void Put(const std::string& dir, const std::string& name, const std::vector<uint8_t>& bytes) {
  ::mkdir(dir.c_str(), 0755);
  std::ofstream(dir + "/" + name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void I32(std::vector<uint8_t>& b, int32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
}

// Font record, a text item with an 8-bit text and a fraction of two such texts.
std::vector<uint8_t> OlderBuffer() {
  std::vector<uint8_t> b(sizeof(zkw::TFontID));
  zkw::TFontID font = zkw::DefaultFontID();
  std::memcpy(b.data(), &font, sizeof font);
  auto text = [&b](const char* t) {
    I32(b, 1), I32(b, 0), I32(b, 0xFF), I32(b, static_cast<int32_t>(std::strlen(t)) + 1);
    b.insert(b.end(), t, t + std::strlen(t) + 1);
  };
  I32(b, 2);
  text("x\xE9-1");
  I32(b, 2), I32(b, 0), I32(b, 0), I32(b, 2);
  I32(b, 1), text("a");
  I32(b, 1), text("b's");
  return b;
}

}  // namespace

void WriteEquationSeeds(const std::string& outDir) {
  std::vector<std::unique_ptr<zkw::TEquation>> trees;
  trees.push_back(zkwtest::SampleEquation());
  trees.push_back(zkwtest::LargeEquation(40));
  for (int32_t code : zkwtest::EquationClassCodes()) {
    auto e = std::make_unique<zkw::TEquation>();
    e->Add(zkwtest::SampleItem(code).release());
    trees.push_back(std::move(e));
  }
  const std::string file = outDir + "/equation_file_fuzz", buffer = outDir + "/equation_buffer_fuzz",
                    text = outDir + "/equation_text_fuzz";
  for (size_t i = 0; i < trees.size(); ++i) {
    const std::string name = "tree" + std::to_string(i);
    const std::string path = outDir + "/tmp.eqf";
    std::vector<uint8_t> bytes;
    trees[i]->SaveToFile(zkw::FromUtf8(path).c_str());
    zkw::ReadWholeFile(zkw::FromUtf8(path).c_str(), bytes);
    std::remove(path.c_str());
    Put(file, name + ".eqf", bytes);
    Put(buffer, name + ".eqb", zkwtest::BufferBytes(*trees[i]));
    const zkw::ZString form = zkwtest::TextForm(*trees[i]);
    std::vector<uint8_t> units;
    for (zkw::ZChar c : form) units.push_back(static_cast<uint8_t>(c & 0xFF)), units.push_back(static_cast<uint8_t>(c >> 8));
    Put(text, name + ".eqt", units);
  }
  Put(buffer, "older.eqb", OlderBuffer());
}
