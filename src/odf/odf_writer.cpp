// Building tables and memo files in memory and writing them.
#include "odf/odf_writer.h"

#include <algorithm>
#include <cstring>

#include "base/last_error.h"
#include "odf/odf_store.h"
#include "odf/odf_values.h"

namespace zkw {

namespace {
template <typename T>
void Put(std::vector<uint8_t>& out, size_t at, const T& v) {
  std::memcpy(out.data() + at, &v, sizeof v);
}
}  // namespace

TODFTableBuilder::TODFTableBuilder(THeaderForm Form, const std::vector<TODFFieldDef>& Fields)
    : FForm(Form) {
  int64_t position = 1;
  for (const TODFFieldDef& def : Fields) {
    TODFField f{};
    if (def.Name.empty() || def.Name.size() > 10) {
      FReason = "field name \"" + def.Name + "\" is empty or longer than 10 characters";
      return;
    }
    std::memcpy(f.ofName, def.Name.data(), def.Name.size());
    f.ofType = def.Type;
    int64_t length = FixedFieldLength(def.Type);
    if (def.Type == ftUnicode) length = int64_t{def.Length} * 2;
    else if (length == 0) length = def.Length;
    if (length < MinimumFieldLength(def.Type) || length > 255) {
      FReason = "field " + def.Name + " cannot have length " + std::to_string(def.Length);
      return;
    }
    f.ofLength = static_cast<uint8_t>(length);
    f.ofPosition = static_cast<int32_t>(position);
    f.ofDecimal = (def.Type == ftReal || def.Type == ftExtended) ? def.Decimal : 0;
    position += length;
    FFields.push_back(f);
  }
  const int64_t headerSize = Form == THeaderForm::hfCurrent ? 126 : 28;
  if (position > 65535 || headerSize + 18 * int64_t(FFields.size()) > 65535) {
    FReason = "the record or the field list is too large";
    return;
  }
  FRecordSize = static_cast<int32_t>(position);
}

void TODFTableBuilder::AddRecord() { FRecords.resize(FRecords.size() + FRecordSize, 0); }

void TODFTableBuilder::BindField(int32_t Index, TStructItem& Item) {
  Item.Read(FFields.at(Index), FRecords.data() + FRecords.size() - FRecordSize);
}

void TODFTableBuilder::SetDeleted(bool Deleted) {
  FRecords[FRecords.size() - FRecordSize] = Deleted ? 1 : 0;
}

void TODFTableBuilder::SetDescription(const std::string& Text, int32_t DatabaseVersion) {
  FDescription = Text.substr(0, 100);
  FDatabaseVersion = DatabaseVersion;
}

TMemoField TODFTableBuilder::AddMemo(uint8_t Style, const std::vector<uint8_t>& Data,
                                     int32_t BlockData, int32_t BlockSlack) {
  TMemoField memo{Style, 0, 0, 0};
  if (Style == msNone) return memo;
  const size_t piece = BlockData > 0 ? static_cast<size_t>(BlockData) : Data.size();
  size_t done = 0;
  size_t previousNext = 0;  // where the previous block's next offset lies
  do {
    const size_t n = std::min(piece, Data.size() - done);
    const int32_t used = static_cast<int32_t>(kMemoBlockHeader + n);
    const int32_t size = used + std::max(BlockSlack, 0);
    const size_t at = FMemo.size();
    const int32_t offset = static_cast<int32_t>(kMemoHeaderSize + at);
    FMemo.resize(at + size, 0);
    Put(FMemo, at, size);
    Put(FMemo, at + 4, used);
    std::memcpy(FMemo.data() + at + 12, Data.data() + done, n);
    if (done == 0) memo.mfPosition = offset;
    else Put(FMemo, previousNext, offset);
    previousNext = at + 8;
    memo.mfSize += used;
    FMemoUsed += used;
    done += n;
  } while (done < Data.size());
  ++FMemoCount;
  return memo;
}

bool TODFTableBuilder::HasMemo() const {
  for (const TODFField& f : FFields)
    if (f.ofType == ftMemo) return true;
  return false;
}

std::vector<uint8_t> TODFTableBuilder::TableBytes() const {
  const int32_t count = RecordCount();
  int32_t deleteds = 0;
  for (int32_t r = 0; r < count; ++r) deleteds += FRecords[size_t(r) * FRecordSize] != 0;
  const size_t headerSize = FForm == THeaderForm::hfCurrent ? 126 : 28;
  const uint16_t offset = static_cast<uint16_t>(headerSize + 18 * FFields.size());
  std::vector<uint8_t> out(offset + FRecords.size(), 0);
  const uint8_t hasMemo = HasMemo() ? 0xFF : 0;
  if (FForm == THeaderForm::hfCurrent) {
    TODFHeader h{};
    h.hdVersion = kODFVersion3;
    h.hdDatabaseVersion = FDatabaseVersion;
    h.hdStructSize = 126;
    h.hdfDeleteds = deleteds;
    h.hdfRecNum = count;
    h.hdfOffset = offset;
    h.hdfRecSize = static_cast<uint16_t>(FRecordSize);
    h.hdfHasMemo = hasMemo;
    std::memcpy(h.hdfDescription, FDescription.data(), FDescription.size());
    Put(out, 0, h);
  } else {
    TODFHeaderV2 h{};
    if (FForm == THeaderForm::hfKorvanel) {
      std::memcpy(h.hdfCode, kSignatureV2, 12);
      h.hdfDeleteds = deleteds;
    }
    h.hdfRecNum = count;
    h.hdfOffset = offset;
    h.hdfRecSize = static_cast<uint16_t>(FRecordSize);
    h.hdfHasMemo = hasMemo;
    Put(out, 0, h);
    if (FForm == THeaderForm::hfOldest) std::memcpy(out.data(), kSignatureOld, 17);
  }
  for (size_t i = 0; i < FFields.size(); ++i) Put(out, headerSize + 18 * i, FFields[i]);
  if (!FRecords.empty()) std::memcpy(out.data() + offset, FRecords.data(), FRecords.size());
  return out;
}

std::vector<uint8_t> TODFTableBuilder::MemoBytes() const {
  std::vector<uint8_t> out(kMemoHeaderSize + FMemo.size(), 0);
  std::memcpy(out.data(), kMemoSignature, std::strlen(kMemoSignature));
  Put(out, 46, static_cast<int32_t>(FMemoUsed));
  Put(out, 50, static_cast<int32_t>(out.size()));
  Put(out, 54, FMemoCount);
  if (!FMemo.empty()) std::memcpy(out.data() + kMemoHeaderSize, FMemo.data(), FMemo.size());
  return out;
}

bool TODFTableBuilder::Write(const ZString& FileName) const {
  if (!Valid()) {
    SetLastErrorText(FReason);
    return false;
  }
  if (HasMemo() && !WriteFileReplacing(MemoFileName(FileName), MemoBytes())) return false;
  return WriteFileReplacing(FileName, TableBytes());
}

bool CreateODFTable(const ZString& FileName, THeaderForm Form,
                    const std::vector<TODFFieldDef>& Fields) {
  return TODFTableBuilder(Form, Fields).Write(FileName);
}

ZString MemoFileName(const ZString& TableName) {
  ZString name = TableName;
  if (!name.empty()) name.back() = ZChar('m');
  return name;
}

}  // namespace zkw
