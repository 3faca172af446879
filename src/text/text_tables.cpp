#include "text/text_tables.h"

#include <cstdint>

#include "platform/plat.h"

namespace zkw {

namespace {

const ZChar kVCaseTab[] = {'V', 'C', 'a', 's', 'e', 'T', 'a', 'b', 0};
const ZChar kVCodeTab[] = {'V', 'C', 'o', 'd', 'e', 'T', 'a', 'b', 0};
const ZChar kAbcuTab[] = {'A', 'B', 'C', 'U', 'T', 'A', 'B', 0};
const ZChar kUnicodeViet[] = {'U', 'N', 'I', 'C', 'O', 'D', 'E', 'V', 'I', 'E', 'T', 0};

plat::LPCWSTR RcData() {  // RT_RCDATA, integer type 10
  return reinterpret_cast<plat::LPCWSTR>(static_cast<uintptr_t>(10));
}

// Hands the bytes of one of the library's resources to a table's loader.
template <class List>
bool LoadFromResource(List& list, const ZChar* name, plat::LPCWSTR type) {
  list.Clear();
  plat::HMODULE module = plat::LibraryModule();
  plat::HRSRC res = plat::FindResourceW(module, name, type);
  if (!res) return false;
  plat::HGLOBAL data = plat::LoadResource(module, res);
  const void* bytes = data ? plat::LockResource(data) : nullptr;
  bool ok = bytes && list.LoadFromBuffer(bytes, plat::SizeofResource(module, res));
  if (data) plat::FreeResource(data);
  return ok;
}

TTextTables BuildTables() {
  TTextTables tables;
  for (int u = 0; u < 256; ++u) {
    const ZChar unit = static_cast<ZChar>(u);
    char bytes[4] = {};
    int n = plat::WideCharToMultiByte(plat::CP_ACP, 0, &unit, 1, bytes, 4, nullptr, nullptr);
    tables.OwnByte[u] = n == 1 && static_cast<uint8_t>(bytes[0]) == u;
  }
  LoadCaseListResource(tables.CaseList);
  LoadCharSetListResource(tables.CharSetList);
  LoadUnicodeKeyResource(tables.UnicodeKeys);
  tables.Forward = BuildForwardCollation();
  tables.Backward = BuildBackwardCollation();
  return tables;
}

}  // namespace

bool LoadCaseListResource(TCaseList& list) { return LoadFromResource(list, kVCaseTab, RcData()); }
bool LoadCharSetListResource(TCharSetList& list) {
  return LoadFromResource(list, kVCodeTab, RcData());
}
bool LoadUnicodeKeyResource(TUnicodeKeyList& list) {
  return LoadFromResource(list, kAbcuTab, kUnicodeViet);
}

const TTextTables& TextTables() {
  static const TTextTables tables = BuildTables();
  return tables;
}

void InitTextTables() { TextTables(); }

}  // namespace zkw
