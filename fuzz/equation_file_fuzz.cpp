// Equation file reader: header checks, font record, the stream form of the tree. What it
// accepts must write back, read again and write the same bytes.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "common/byte_stream.h"
#include "equation/equation.h"
#include "equation_draw.h"

namespace {

std::vector<uint8_t> Saved(zkw::TEquation& e, const zkw::ZString& name) {
  std::vector<uint8_t> bytes;
  if (!e.SaveToFile(name.c_str()) || !zkw::ReadWholeFile(name.c_str(), bytes)) __builtin_trap();
  if (static_cast<int64_t>(bytes.size()) != 26 + e.DataSize()) __builtin_trap();
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string base = "/tmp/equation_file_fuzz." + std::to_string(::getpid());
  static const zkw::ZString in = zkw::FromUtf8(base + ".in"), out = zkw::FromUtf8(base + ".out");
  FILE* f = std::fopen((base + ".in").c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  zkw::TEquation e;
  if (e.LoadFromFile(in.c_str())) {
    zkw::ZString markup;
    e.GetTextTo(markup);
    const std::vector<uint8_t> first = Saved(e, out);
    zkw::TEquation again;
    if (!again.LoadFromFile(out.c_str())) __builtin_trap();
    if (Saved(again, out) != first) __builtin_trap();
    LayOutAndDraw(e);
  }
  return 0;
}
