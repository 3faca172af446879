// Index files over a fixed table: headers of either form, counts, entries; then Seek and moves
// through the index.
#include "odf/odf_file.h"
#include "odf/odf_index.h"
#include "odf_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string table = [] {
    std::string path = odffuzz::Scratch("i.odf");
    odffuzz::People().Write(zkw::FromUtf8(path));
    return path;
  }();
  const std::string index = odffuzz::Scratch("i.idx");
  odffuzz::WriteBytes(index, data, size);
  zkw::TODFFile t(zkw::FromUtf8(table), zkw::kODFRead);
  t.SetIndex(zkw::FromUtf8(index), false);
  for (int32_t p = 0; p <= t.GetReccount() + 1; ++p) {
    t.Go(p);
    if (t.CurrentRecord < 0 || t.CurrentRecord > t.odfHeader.hdfRecNum) __builtin_trap();
  }
  for (const char* key : {"Bob", "bob", "Zed", "A"}) t.Seek(key);
  return 0;
}
