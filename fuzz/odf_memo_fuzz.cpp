// Memo chains: a table whose one memo field points where the input's first 8 bytes say (offset,
// size, style from the top bits), over a memo file made of the rest of the input.
#include <cstring>

#include "odf/odf_file.h"
#include "odf_fuzz_support.h"
#include "platform/plat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 9) return 0;
  zkw::TMemoField memo{};
  memo.mfStyle = data[0];
  std::memcpy(&memo.mfPosition, data + 1, 4);
  std::memcpy(&memo.mfSize, data + 5, 4);
  zkw::TODFTableBuilder b(zkw::THeaderForm::hfKorvanel, {{"NOTE", zkw::ftMemo}});
  b.AddRecord();
  zkw::TStructItem f;
  b.BindField(0, f);
  f.Setfm(memo);
  const std::string table = odffuzz::Scratch("m.odf"), memoFile = odffuzz::Scratch("m.odm");
  std::vector<uint8_t> bytes = b.TableBytes();
  odffuzz::WriteBytes(table, bytes.data(), bytes.size());
  odffuzz::WriteBytes(memoFile, data + 9, size - 9);
  zkw::TODFFile t(zkw::FromUtf8(table), zkw::kODFRead);
  int32_t n = 0;
  if (plat::HGLOBAL block = t.ReadFromMemo("note", &n)) {
    if (static_cast<size_t>(n) > plat::GlobalSize(block)) __builtin_trap();
    plat::GlobalFree(block);
  }
  return 0;
}
