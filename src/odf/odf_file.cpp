// Opening a table, the current record and writing it back, memo reading, the registry.
#include "odf/odf_file.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "base/last_error.h"
#include "odf/odf_index.h"
#include "odf/odf_search.h"
#include "odf/odf_values.h"
#include "platform/plat.h"

namespace zkw {

namespace {
TODFFile* gSlots[kODFRegistrySlots] = {};
}

TODFFile* RegisteredTable(int32_t Slot) {
  return Slot >= 1 && Slot <= kODFRegistrySlots ? gSlots[Slot - 1] : nullptr;
}

TLocateRec::TLocateRec() = default;
TLocateRec::~TLocateRec() = default;

TODFFile::TODFFile(const ZString& AFile, int32_t AMode) {
  odfFileName = ODFFullPath(AFile);
  odfMode = static_cast<uint16_t>(AMode | kODFShareDenyNone);
  if (Open(AMode)) TakeSlot();
}

TODFFile::~TODFFile() {
  if (odfState == 0 && Writable()) {
    WriteBack();
    if (FDeletedDelta != 0) WriteHeader();
  }
  if (FSlot) gSlots[FSlot - 1] = nullptr;
}

void TODFFile::TakeSlot() {
  for (int32_t i = 0; i < kODFRegistrySlots; ++i)
    if (!gSlots[i]) {
      gSlots[i] = this;
      FSlot = i + 1;
      odfAlias = "A" + std::to_string(FSlot);
      return;
    }
  odfAlias = "A0";
}

bool TODFFile::Refuse(std::string Reason) {
  FLastError = Reason;
  SetLastErrorText(std::move(Reason));
  odfHandle.Close();
  FMemo.Close();
  odfState = -1;
  return false;
}

bool TODFFile::Open(int32_t AMode) {
  if (!odfHandle.Open(odfFileName, (AMode & kODFReadWrite) != 0))
    return Refuse("table file " + ToUtf8(odfFileName) + " cannot be opened");
  if (ODFFileExists(RecoveryFileName()) && !RecoverInsert()) return false;
  if (!ReadHeader() || !ReadFields()) return false;
  odfHeader.hdfHasMemo = odfStructure.GetHasMemo() ? 0xFF : 0;
  odfState = 0;
  if (odfHeader.hdfHasMemo) {
    odfMemoFile = odfFileName;
    odfMemoFile.back() = ZChar('m');
    if (!ODFFileExists(odfMemoFile)) odfMemoFile.back() = ZChar('M');
    if (!FMemo.Open(odfMemoFile, false)) {
      odfMemoFile.back() = ZChar('m');
      FLastError = "memo file " + ToUtf8(odfMemoFile) + " is missing";
      SetLastErrorText(FLastError);
      odfState = -2;
      return true;
    }
  }
  LoadCurrent(odfHeader.hdfRecNum >= 1 ? 1 : 0);
  FPosition = CurrentRecord;
  return true;
}

// The header in any of its three forms, checked against the file.
bool TODFFile::ReadHeader() {
  uint8_t head[126] = {};
  int64_t size = odfHandle.Size();
  if (size < 28 || !odfHandle.ReadAt(0, head, std::min<int64_t>(size, 126)))
    return Refuse("table file is shorter than a header");
  int32_t version;
  std::memcpy(&version, head, 4);
  if (version == kODFVersion3) {
    if (size < 126) return Refuse("table header is cut short");
    std::memcpy(&odfHeader, head, 126);
    if (odfHeader.hdStructSize != 126)
      return Refuse("table header size " + std::to_string(odfHeader.hdStructSize) + " is not 126");
    odfHeader.hdfDescription[100] = 0;
    FForm = THeaderForm::hfCurrent;
    odfVersion = 3;
  } else {
    if (std::strncmp(reinterpret_cast<char*>(head), kSignatureV2, 13) == 0)
      FForm = THeaderForm::hfKorvanel;
    else if (std::strncmp(reinterpret_cast<char*>(head), kSignatureOld, 17) == 0)
      FForm = THeaderForm::hfOldest;
    else
      return Refuse("table file has no known header");
    std::memcpy(odfOldHeader, head, 28);
    TODFHeaderV2 old;
    std::memcpy(&old, head, 28);
    odfHeader = TODFHeader{};
    odfHeader.hdVersion = kODFVersion3;
    odfHeader.hdDatabaseVersion = 0x10000;
    odfHeader.hdStructSize = 28;
    odfHeader.hdfDeleteds = FForm == THeaderForm::hfKorvanel ? old.hdfDeleteds : 0;
    odfHeader.hdfRecNum = old.hdfRecNum;
    odfHeader.hdfOffset = old.hdfOffset;
    odfHeader.hdfRecSize = old.hdfRecSize;
    odfHeader.hdfHasMemo = old.hdfHasMemo;
    odfVersion = 2;
  }
  const int32_t headerSize = HeaderSize();
  if (odfHeader.hdfRecSize < 1) return Refuse("record size is 0");
  if (odfHeader.hdfOffset < headerSize || (odfHeader.hdfOffset - headerSize) % 18 != 0)
    return Refuse("record offset " + std::to_string(odfHeader.hdfOffset) +
                  " is not the header plus whole field descriptors");
  if (odfHeader.hdfOffset > size) return Refuse("field descriptors run past the end of the file");
  if (odfHeader.hdfRecNum < 0) odfHeader.hdfRecNum = 0;
  if (odfHeader.hdfRecNum > RecordsInFile())
    odfHeader.hdfRecNum = static_cast<int32_t>(RecordsInFile());
  FDataOffset = odfHeader.hdfOffset;
  return true;
}

int64_t TODFFile::RecordsInFile() {
  int64_t bytes = odfHandle.Size() - odfHeader.hdfOffset;
  if (bytes <= 0 || odfHeader.hdfRecSize < 1) return 0;
  return std::min<int64_t>(bytes / odfHeader.hdfRecSize, INT32_MAX);
}

// The field descriptors: each inside the record and at least as long as its type needs.
bool TODFFile::ReadFields() {
  const int32_t headerSize = HeaderSize();
  const int32_t count = (odfHeader.hdfOffset - headerSize) / 18;
  const int32_t recSize = odfHeader.hdfRecSize;
  odfBuffer.assign(recSize, 0);
  odfTempBuffer.assign(recSize, 0);
  std::vector<TODFField> fields(count);
  if (count > 0 && !odfHandle.ReadAt(headerSize, fields.data(), int64_t{count} * 18))
    return Refuse("field descriptors cannot be read");
  for (int32_t i = 0; i < count; ++i) {
    const TODFField& f = fields[i];
    std::string name(f.ofName, strnlen(f.ofName, 11));
    if (f.ofPosition < 1 || int64_t{f.ofPosition} + f.ofLength > recSize)
      return Refuse("field " + name + " lies outside the record");
    if (f.ofLength < MinimumFieldLength(f.ofType))
      return Refuse("field " + name + " is shorter than its type");
    auto* item = new TStructItem;
    item->Read(f, odfBuffer.data());
    odfStructure.Append(item);
  }
  return true;
}

int32_t TODFFile::GetReccount() const {
  if (odfState != 0) return 0;
  return odfIndexer ? odfIndexer->Count() : odfHeader.hdfRecNum;
}

int32_t TODFFile::PhysicalOf(int32_t Position) const {
  int32_t physical = odfIndexer ? odfIndexer->RecordAt(Position) : Position;
  return physical >= 1 && physical <= odfHeader.hdfRecNum ? physical : 0;
}

bool TODFFile::ReadRecord(int32_t Physical, uint8_t* Buffer) {
  if (Physical < 1 || Physical > odfHeader.hdfRecNum) return false;
  const int32_t size = odfHeader.hdfRecSize;
  if (!FReadAhead)
    return odfHandle.ReadAt(FDataOffset + int64_t{Physical - 1} * size, Buffer, size);
  if (Physical < FAheadFirst || Physical >= FAheadFirst + FAheadCount) {
    const int32_t count = std::min(odfHeader.hdfRecNum - Physical + 1, std::max(1, 65536 / size));
    FAhead.resize(static_cast<size_t>(count) * size);
    FAheadCount = 0;
    if (!odfHandle.ReadAt(FDataOffset + int64_t{Physical - 1} * size, FAhead.data(),
                          int64_t{count} * size))
      return false;
    FAheadFirst = Physical;
    FAheadCount = count;
  }
  std::memcpy(Buffer, FAhead.data() + size_t(Physical - FAheadFirst) * size, size);
  return true;
}

// Reads a physical record into both buffers; 0 (or a failed read) leaves them zeroed.
void TODFFile::LoadCurrent(int32_t Physical) {
  if (Physical == 0 || !ReadRecord(Physical, odfBuffer.data())) {
    std::fill(odfBuffer.begin(), odfBuffer.end(), 0);
    Physical = 0;
  }
  odfTempBuffer = odfBuffer;
  CurrentRecord = Physical;
}

// One write of the current record when it changed since it was read or written.
void TODFFile::WriteBack() {
  if (!Writable() || CurrentRecord < 1 || CurrentRecord > odfHeader.hdfRecNum) return;
  if (odfBuffer == odfTempBuffer) return;
  if (odfIndexer) odfIndexer->NoteRecordChange(odfTempBuffer.data(), odfBuffer.data());
  FAheadCount = 0;
  if (odfHandle.WriteAt(FDataOffset + int64_t{CurrentRecord - 1} * odfHeader.hdfRecSize,
                        odfBuffer.data(), odfHeader.hdfRecSize))
    odfTempBuffer = odfBuffer;
}

void TODFFile::Go(int32_t N) {
  if (odfState != 0 || N < 1 || N > GetReccount()) return;
  FPosition = N;
  WriteBack();
  LoadCurrent(PhysicalOf(N));
}

TStructItem* TODFFile::GetStructOfName(const std::string& AName) const {
  return odfState == 0 ? odfStructure.Find(AName) : nullptr;
}

TMemoField* TODFFile::GetFm(const std::string& AName) {
  TStructItem* item = GetStructOfName(AName);
  if (!item || item->Type() != ftMemo) return nullptr;
  return reinterpret_cast<TMemoField*>(odfBuffer.data() + item->Field().ofPosition);
}

void TODFFile::SetDeleted(bool Value) {
  if (odfState != 0 || odfBuffer.empty()) return;
  uint8_t mark = Value ? 1 : 0;
  if ((odfBuffer[0] != 0) == Value) return;
  odfBuffer[0] = mark;
  odfHeader.hdfDeleteds += Value ? 1 : -1;
  FDeletedDelta += Value ? 1 : -1;
}

bool TODFFile::GetDeleted() const {
  return odfState == 0 && !odfBuffer.empty() && odfBuffer[0] != 0;
}

void TODFFile::Flush() {
  if (!Writable()) return;
  WriteBack();
  if (FDeletedDelta != 0) WriteHeader();
  odfHandle.Flush();
}

// --- Header -----------------------------------------------------------------------------------

std::vector<uint8_t> TODFFile::HeaderBytes() const {
  std::vector<uint8_t> bytes(HeaderSize());
  if (FForm == THeaderForm::hfCurrent) {
    std::memcpy(bytes.data(), &odfHeader, 126);
  } else {
    std::memcpy(bytes.data(), odfOldHeader, 28);
    std::memcpy(bytes.data() + 19, &odfHeader.hdfRecNum, 4);
    if (FForm == THeaderForm::hfKorvanel) std::memcpy(bytes.data() + 13, &odfHeader.hdfDeleteds, 4);
  }
  return bytes;
}

bool TODFFile::ReadDiskCounts(int32_t& RecNum, int32_t& Deleteds) {
  uint8_t head[28] = {};
  if (!odfHandle.ReadAt(0, head, 28)) return false;
  const int at = FForm == THeaderForm::hfCurrent ? 16 : 19;
  std::memcpy(&RecNum, head + at, 4);
  Deleteds = 0;
  if (FForm == THeaderForm::hfCurrent) std::memcpy(&Deleteds, head + 10, 4);
  if (FForm == THeaderForm::hfKorvanel) std::memcpy(&Deleteds, head + 13, 4);
  RecNum = static_cast<int32_t>(std::clamp<int64_t>(RecNum, 0, RecordsInFile()));
  return true;
}

// Merges this table's deleted-count changes into the counts on disk and writes the header,
// under the header lock.
bool TODFFile::WriteHeader() {
  const uint32_t lockBytes = static_cast<uint32_t>(HeaderSize());
  odfHandle.Lock(lockBytes);
  int32_t recNum = 0, deleteds = 0;
  bool ok = ReadDiskCounts(recNum, deleteds);
  if (ok) {
    const int32_t mine = odfHeader.hdfRecNum;
    odfHeader.hdfRecNum = std::max(recNum, mine);
    odfHeader.hdfDeleteds = deleteds + FDeletedDelta;
    std::vector<uint8_t> bytes = HeaderBytes();
    ok = odfHandle.WriteAt(0, bytes.data(), static_cast<int64_t>(bytes.size()));
    if (ok) FDeletedDelta = 0;
  }
  odfHandle.Unlock(lockBytes);
  return ok;
}

// --- Memo -------------------------------------------------------------------------------------

plat::HGLOBAL TODFFile::ReadFromMemo(const std::string& AName, int32_t* Size) {
  if (Size) *Size = 0;
  TStructItem* item = GetStructOfName(AName);
  if (!item || item->Type() != ftMemo || !FMemo.IsOpen()) return nullptr;
  TMemoField memo = item->Getfm();
  const int64_t fileSize = FMemo.Size();
  if (memo.mfStyle == msNone || memo.mfPosition <= 0 || memo.mfSize <= 0) return nullptr;
  const int64_t total = std::min<int64_t>(memo.mfSize, fileSize);
  plat::HGLOBAL block = plat::GlobalAlloc(plat::GHND, static_cast<size_t>(total));
  if (!block) return nullptr;
  auto* out = static_cast<uint8_t*>(plat::GlobalLock(block));
  int64_t used = 0, copied = 0, position = memo.mfPosition;
  // Each block lies after the header and inside the file, and is met once (a chain that
  // comes back to a block is a cycle).
  std::unordered_set<int64_t> visited;
  bool good = true;
  while (position != 0 && used < memo.mfSize) {
    int32_t head[3];
    if (!visited.insert(position).second || position < kMemoHeaderSize ||
        position + kMemoBlockHeader > fileSize || !FMemo.ReadAt(position, head, 12)) {
      good = false;
      break;
    }
    const int32_t blockSize = head[0], blockUsed = head[1], next = head[2];
    if (blockUsed < kMemoBlockHeader || blockSize < blockUsed || position + blockUsed > fileSize) {
      good = false;
      break;
    }
    const int64_t take = std::min<int64_t>(blockUsed - kMemoBlockHeader, total - copied);
    if (take > 0 && !FMemo.ReadAt(position + kMemoBlockHeader, out + copied, take)) {
      good = false;
      break;
    }
    copied += std::max<int64_t>(take, 0);
    used += blockUsed;
    position = next;
  }
  plat::GlobalUnlock(block);
  if (!good) {
    plat::GlobalFree(block);
    SetLastErrorText("memo chain of field " + AName + " is broken");
    return nullptr;
  }
  if (Size) *Size = static_cast<int32_t>(copied);
  return block;
}

ZString TODFFile::GetODFName() const {
  const ZChar separators[] = {ZChar('/'), ZChar('\\'), 0};
  size_t slash = odfFileName.find_last_of(separators);
  ZString name = slash == ZString::npos ? odfFileName : odfFileName.substr(slash + 1);
  size_t dot = name.rfind(ZChar('.'));
  return dot == ZString::npos ? name : name.substr(0, dot);
}

}  // namespace zkw
