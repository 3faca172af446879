// Table reader: header forms, field descriptors, records, memo chains, and the writes of a
// table opened for writing. Input: a 4-byte table length, the table file, then the memo file.
#include <cstring>

#include "odf/odf_file.h"
#include "odf_fuzz_support.h"
#include "platform/plat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  uint32_t tableSize = 0;
  std::memcpy(&tableSize, data, 4);
  tableSize = static_cast<uint32_t>(std::min<size_t>(tableSize, size - 4));
  const std::string table = odffuzz::Scratch(".odf"), memo = odffuzz::Scratch(".odm");
  odffuzz::WriteBytes(table, data + 4, tableSize);
  odffuzz::WriteBytes(memo, data + 4 + tableSize, size - 4 - tableSize);
  std::remove((table + ".insert").c_str());
  zkw::TODFFile t(zkw::FromUtf8(table), zkw::kODFReadWrite);
  if (t.odfState != 0) return 0;
  uint64_t sum = 0;
  const int32_t count = std::min(t.GetReccount(), 64);
  for (int32_t r = 1; r <= count; ++r) {
    t.Go(r);
    for (zkw::TStructItem* f = t.odfStructure.First(); f; f = zkw::TODFStructure::Next(f)) {
      sum += f->GetValue().Text.size() + f->GetDataStr().size();
      if (f->Type() == zkw::ftMemo) {
        int32_t n = 0;
        if (plat::HGLOBAL block = t.ReadFromMemo(f->Name(), &n)) {
          sum += static_cast<uint64_t>(n);
          plat::GlobalFree(block);
        }
      }
    }
    if (r == 1) t.SetDeleted(!t.GetDeleted());
  }
  if (t.odfHeader.hdfRecSize <= 4096 && t.GetReccount() < 4096) {
    t.Go(1);
    t.InsertBlank();
    t.AppendBlank();
    t.Flush();
  }
  (void)sum;
  return 0;
}
