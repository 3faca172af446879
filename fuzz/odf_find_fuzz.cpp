// Search conditions (UTF-8 input as UTF-16 text) compiled and run by Find over a fixed table.
#include <string>

#include "odf/odf_file.h"
#include "odf_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string table = [] {
    std::string path = odffuzz::Scratch("f.odf");
    odffuzz::People().Write(zkw::FromUtf8(path));
    return path;
  }();
  if (size > 4096) return 0;
  static zkw::TODFFile* t = new zkw::TODFFile(zkw::FromUtf8(table), zkw::kODFRead);
  std::string text(reinterpret_cast<const char*>(data), size);
  int32_t at = t->Find(zkw::FromUtf8(text));
  if (at < 0 || at > t->GetReccount()) __builtin_trap();
  return 0;
}
