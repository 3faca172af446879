// Index files, key order, SetIndex with its check of the entries, and Seek.
#include "odf/odf_index.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "base/last_error.h"
#include "odf/odf_file.h"
#include "odf/odf_values.h"
#include "platform/plat.h"
#include "text/ansi_text.h"
#include "text/text_tables.h"

namespace zkw {

// --- Key order --------------------------------------------------------------------------------

TKeyOrder::TKeyOrder(const TODFField& Field, bool CaseSensitive, bool Advanced)
    : FField(Field), FCaseSensitive(CaseSensitive), FAdvanced(Advanced) {}

namespace {

int CompareBytes(const std::string& a, const std::string& b, bool fold) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    uint8_t x = static_cast<uint8_t>(a[i]), y = static_cast<uint8_t>(b[i]);
    if (fold) {
      if (x >= 'a' && x <= 'z') x -= 32;
      if (y >= 'a' && y <= 'z') y -= 32;
    }
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

int CompareLocale(const ZString& a, const ZString& b) {
  int r = plat::CompareStringW(plat::LOCALE_USER_DEFAULT, plat::NORM_IGNORECASE, a.c_str(),
                               static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()));
  return r == plat::CSTR_LESS_THAN ? -1 : r == plat::CSTR_GREATER_THAN ? 1 : 0;
}

template <typename T>
int Sign(T a, T b) {
  return a < b ? -1 : b < a ? 1 : 0;
}

}  // namespace

std::string TKeyOrder::TextOf(const uint8_t* Record) const {
  const char* p = reinterpret_cast<const char*>(Record + FField.ofPosition);
  return std::string(p, strnlen(p, FField.ofLength));
}

int TKeyOrder::CompareText(const std::string& A, const std::string& B) const {
  if (FAdvanced) return CompareLocale(FromAnsi(A), FromAnsi(B));
  return CompareBytes(A, B, !FCaseSensitive);
}

int TKeyOrder::Compare(const uint8_t* RecordA, const uint8_t* RecordB) const {
  TStructItem a, b;
  a.Read(FField, const_cast<uint8_t*>(RecordA));
  b.Read(FField, const_cast<uint8_t*>(RecordB));
  switch (FField.ofType) {
    case ftString:
    case ftChar: return CompareText(TextOf(RecordA), TextOf(RecordB));
    case ftUnicode: {
      const TUnicodeKeyList& keys = TextTables().UnicodeKeys;
      return CompareBytes(keys.KeyText(a.Getfu()), keys.KeyText(b.Getfu()), !FCaseSensitive);
    }
    case ftByte: return Sign(a.Getfb(), b.Getfb());
    case ftWord: return Sign(a.Getfw(), b.Getfw());
    case ftShort: return Sign(a.Getfi(), b.Getfi());
    case ftLong: return Sign(a.Getfl(), b.Getfl());
    case ftReal: return Sign(a.Getfr(), b.Getfr());
    case ftExtended: return Sign(a.Getfe(), b.Getfe());
    case ftLogical: return Sign(!a.Getflog(), !b.Getflog());  // true first
    case ftDate: {
      TODFDate x = a.GetDate(), y = b.GetDate();
      if (x.Year != y.Year) return Sign(x.Year, y.Year);
      if (x.Month != y.Month) return Sign(x.Month, y.Month);
      return Sign(x.Day, y.Day);
    }
    default: return 0;
  }
}

// --- Index file -------------------------------------------------------------------------------

bool TODFIndex::Open(const ZString& AName) {
  FEntries.clear();
  FKeysValid = false;
  MemoryIndex = true;
  TODFStore file;
  if (!file.Open(AName, false)) {
    SetLastErrorText("index file " + ToUtf8(AName) + " cannot be opened");
    return false;
  }
  const int64_t size = file.Size();
  uint8_t head[23] = {};
  if (size < kOldIndexHeaderSize || !file.ReadAt(0, head, std::min<int64_t>(size, 23))) {
    SetLastErrorText("index file is shorter than its header");
    return false;
  }
  int32_t version;
  std::memcpy(&version, head, 4);
  if (version == kIndexVersion3 && size >= 23) {
    std::memcpy(&FInfo, head, 23);
    FOffset = 23;
  } else {
    FInfo = TIndexInfo{};
    FInfo.idxVersion = kIndexVersion2;
    std::memcpy(FInfo.idxFieldName, head, 11);
    std::memcpy(&FInfo.idxCount, head + 11, 4);
    FInfo.idxCaseSensitive = 1;
    FOffset = kOldIndexHeaderSize;
  }
  FInfo.idxFieldName[10] = 0;
  // Entries are held to what the file has; a count beyond it is a damaged index.
  const int64_t present = (size - FOffset) / 4;
  if (FInfo.idxCount < 0 || FInfo.idxCount > present) {
    SetLastErrorText("index count " + std::to_string(FInfo.idxCount) + " runs past the file");
    FInfo.idxCount = static_cast<int32_t>(std::clamp<int64_t>(FInfo.idxCount, 0, present));
  }
  FEntries.resize(FInfo.idxCount);
  return file.ReadAt(FOffset, FEntries.data(), int64_t{FInfo.idxCount} * 4) || (FEntries.clear(), false);
}

int32_t TODFIndex::RecordAt(int32_t Pos) const {
  return Pos >= 1 && Pos <= Count() ? FEntries[Pos - 1] : -1;
}

std::string TODFIndex::GetFieldName() const {
  return std::string(FInfo.idxFieldName, strnlen(FInfo.idxFieldName, 11));
}

bool TODFIndex::Bind(TODFFile& Table) {
  TStructItem* item = Table.odfStructure.Find(GetFieldName());
  if (!item) return false;
  FField = item->Field();
  FOrder = std::make_unique<TKeyOrder>(FField, GetCaseSensitive(), GetAdvanced());
  return true;
}

namespace {
// Every record of the table in one buffer; empty when they cannot be read.
std::vector<uint8_t> ReadAllRecords(TODFFile& Table) {
  const int64_t bytes = int64_t{Table.odfHeader.hdfRecNum} * Table.odfHeader.hdfRecSize;
  std::vector<uint8_t> all(static_cast<size_t>(bytes));
  if (bytes > 0 && !Table.odfHandle.ReadAt(Table.FDataOffset, all.data(), bytes)) all.clear();
  return all;
}
bool IsBlank(const uint8_t* Record, int32_t Size) {
  for (int32_t i = 1; i < Size; ++i)
    if (Record[i]) return false;
  return true;
}
}  // namespace

void TODFIndex::Rebuild(TODFFile& Table, std::vector<uint8_t>& Records) {
  const int32_t n = Table.odfHeader.hdfRecNum, size = Table.odfHeader.hdfRecSize;
  FEntries.resize(n);
  FKeysValid = false;
  std::iota(FEntries.begin(), FEntries.end(), 1);
  if (Records.size() == static_cast<size_t>(int64_t{n} * size))
    std::stable_sort(FEntries.begin(), FEntries.end(), [&](int32_t a, int32_t b) {
      return FOrder->Compare(&Records[size_t(a - 1) * size], &Records[size_t(b - 1) * size]) < 0;
    });
  FSorted = true;
}

bool TODFIndex::Verify(TODFFile& Table) {
  const int32_t n = Table.odfHeader.hdfRecNum, size = Table.odfHeader.hdfRecSize;
  std::vector<uint8_t> records = ReadAllRecords(Table);
  std::vector<uint8_t> listed(static_cast<size_t>(n) + 1, 0);
  bool sound = records.size() == static_cast<size_t>(int64_t{n} * size);
  for (size_t i = 0; sound && i < FEntries.size(); ++i) {
    int32_t r = FEntries[i];
    if (r < 1 || r > n || listed[r]) sound = false;
    else listed[r] = 1;
    if (sound && i > 0 &&
        FOrder->Compare(&records[size_t(FEntries[i - 1] - 1) * size], &records[size_t(r - 1) * size]) > 0)
      sound = false;
  }
  for (int32_t r = 1; sound && r <= n; ++r)
    if (!listed[r] && !IsBlank(&records[size_t(r - 1) * size], size)) sound = false;
  if (!sound) {
    SetLastErrorText("index " + GetFieldName() + " does not match the table; rebuilt in memory");
    Rebuild(Table, records);
  }
  return sound;
}

void TODFIndex::SortIfNeeded(TODFFile& Table) {
  if (FSorted) return;
  const int32_t size = Table.odfHeader.hdfRecSize;
  std::vector<uint8_t> records = ReadAllRecords(Table);
  std::vector<int32_t> valid;
  for (int32_t r : FEntries)
    if (r >= 1 && r <= Table.odfHeader.hdfRecNum) valid.push_back(r);
  if (!records.empty())
    std::stable_sort(valid.begin(), valid.end(), [&](int32_t a, int32_t b) {
      return FOrder->Compare(&records[size_t(a - 1) * size], &records[size_t(b - 1) * size]) < 0;
    });
  FEntries = std::move(valid);
  FKeysValid = false;
  FSorted = true;
}

const std::vector<std::string>& TODFIndex::Keys(TODFFile& Table) {
  if (FKeysValid) return FKeys;
  const int32_t size = Table.odfHeader.hdfRecSize;
  std::vector<uint8_t> records = ReadAllRecords(Table);
  FKeys.assign(FEntries.size(), std::string());
  if (!records.empty() && FOrder)
    for (size_t i = 0; i < FEntries.size(); ++i)
      if (FEntries[i] >= 1 && FEntries[i] <= Table.odfHeader.hdfRecNum)
        FKeys[i] = FOrder->TextOf(&records[size_t(FEntries[i] - 1) * size]);
  FKeysValid = true;
  return FKeys;
}

void TODFIndex::NoteAppend(int32_t Record) {
  FEntries.push_back(Record);
  FKeysValid = false;
  FSorted = false;
}

void TODFIndex::NoteInsert(int32_t At, int32_t Position) {
  for (int32_t& r : FEntries)
    if (r >= At) ++r;
  size_t where = static_cast<size_t>(std::clamp<int32_t>(Position - 1, 0, Count()));
  FEntries.insert(FEntries.begin() + where, At);
  FKeysValid = false;
  FSorted = false;
}

void TODFIndex::NoteRecordChange(const uint8_t* Before, const uint8_t* After) {
  if (FOrder && FOrder->Compare(Before, After) != 0) {
    FSorted = false;
    FKeysValid = false;
  }
}

// --- Table operations -------------------------------------------------------------------------

void TODFFile::SetIndex(const ZString& AName, bool /*InMemory*/) {
  if (odfState != 0) return;
  WriteBack();
  odfIndexer.reset();
  if (AName.empty()) return;
  auto index = std::make_unique<TODFIndex>();
  // An index that cannot be read, or names no field of this table, has no entries.
  if (index->Open(AName) && index->Bind(*this)) index->Verify(*this);
  else index = std::make_unique<TODFIndex>();
  odfIndexer = std::move(index);
  FPosition = GetReccount() >= 1 ? 1 : 0;
  LoadCurrent(PhysicalOf(FPosition));
}

int32_t TODFFile::Seek(const std::string& Key) {
  if (odfState != 0 || !odfIndexer || Key.empty() || !odfIndexer->Order() ||
      !odfIndexer->Order()->IsText())
    return 0;
  WriteBack();
  odfIndexer->SortIfNeeded(*this);
  const TKeyOrder& order = *odfIndexer->Order();
  const std::vector<std::string>& keys = odfIndexer->Keys(*this);
  // Binary search over the keys in index order; then back to the first equal key.
  int32_t low = 1, high = static_cast<int32_t>(keys.size()), found = 0;
  while (low <= high) {
    int32_t mid = low + (high - low) / 2;
    int c = order.CompareText(keys[mid - 1], Key);
    if (c < 0) low = mid + 1;
    else if (c > 0) high = mid - 1;
    else {
      found = mid;
      break;
    }
  }
  if (!found) {
    Go(GetReccount());
    return 0;
  }
  while (found > 1 && order.CompareText(keys[found - 2], Key) == 0) --found;
  Go(found);
  return found;
}

// --- Writers ----------------------------------------------------------------------------------

std::vector<int32_t> SortedRecords(TODFFile& Table, const TKeyOrder& Order) {
  const int32_t n = Table.odfHeader.hdfRecNum, size = Table.odfHeader.hdfRecSize;
  std::vector<uint8_t> records = ReadAllRecords(Table);
  std::vector<int32_t> entries(n);
  std::iota(entries.begin(), entries.end(), 1);
  if (!records.empty())
    std::stable_sort(entries.begin(), entries.end(), [&](int32_t a, int32_t b) {
      return Order.Compare(&records[size_t(a - 1) * size], &records[size_t(b - 1) * size]) < 0;
    });
  return entries;
}

std::vector<uint8_t> BuildODFIndex(TODFFile& Table, const std::string& FieldName,
                                   bool CaseSensitive, bool Advanced) {
  TStructItem* item = Table.GetStructOfName(FieldName);
  if (!item) return {};
  TKeyOrder order(item->Field(), CaseSensitive, Advanced);
  std::vector<int32_t> entries = SortedRecords(Table, order);
  TIndexInfo info{};
  info.idxVersion = kIndexVersion3;
  std::memcpy(info.idxFieldName, item->Field().ofName, 11);
  info.idxFieldName[10] = 0;
  info.idxCount = static_cast<int32_t>(entries.size());
  info.idxCaseSensitive = CaseSensitive ? 1 : 0;
  info.idxAdvanced = Advanced ? 1 : 0;
  std::vector<uint8_t> bytes(23 + entries.size() * 4);
  std::memcpy(bytes.data(), &info, 23);
  if (!entries.empty()) std::memcpy(bytes.data() + 23, entries.data(), entries.size() * 4);
  return bytes;
}

bool WriteODFIndex(TODFFile& Table, const std::string& FieldName, bool CaseSensitive,
                   bool Advanced, const ZString& FileName) {
  std::vector<uint8_t> bytes = BuildODFIndex(Table, FieldName, CaseSensitive, Advanced);
  if (bytes.empty()) {
    SetLastErrorText("table has no field " + FieldName);
    return false;
  }
  return WriteFileReplacing(FileName, bytes);
}

}  // namespace zkw
