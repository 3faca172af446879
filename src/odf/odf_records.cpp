// Appending and inserting blank records, and the recovery file that makes an insert safe
// against a crash: it holds the old header and the records the insert moves, is flushed before
// the table changes and deleted after, and a complete one found on opening puts the old table
// back.
#include <algorithm>
#include <cstring>
#include <new>

#include "base/last_error.h"
#include "odf/odf_file.h"
#include "odf/odf_index.h"
#include "platform/plat.h"

namespace zkw {

namespace {

constexpr char kRecoveryHead[8] = {'O', 'D', 'F', 'I', 'N', 'S', '0', '1'};
constexpr char kRecoveryTail[8] = {'O', 'D', 'F', 'E', 'N', 'D', '0', '1'};

template <typename T>
void Put(std::vector<uint8_t>& out, const T& v) {
  const auto* p = reinterpret_cast<const uint8_t*>(&v);
  out.insert(out.end(), p, p + sizeof v);
}

// Recovery file: head mark, gap offset (int64), header length (int32) and bytes, tail length
// (int64) and bytes, end mark.
struct TRecovery {
  int64_t GapOffset = 0;
  std::vector<uint8_t> Header;
  std::vector<uint8_t> Tail;
};

std::vector<uint8_t> EncodeRecovery(const TRecovery& r) {
  std::vector<uint8_t> out(kRecoveryHead, kRecoveryHead + 8);
  Put(out, r.GapOffset);
  Put(out, static_cast<int32_t>(r.Header.size()));
  out.insert(out.end(), r.Header.begin(), r.Header.end());
  Put(out, static_cast<int64_t>(r.Tail.size()));
  out.insert(out.end(), r.Tail.begin(), r.Tail.end());
  out.insert(out.end(), kRecoveryTail, kRecoveryTail + 8);
  return out;
}

// False for a file that is cut short or not a recovery file.
bool DecodeRecovery(const std::vector<uint8_t>& in, TRecovery& r) {
  size_t at = 8;
  auto take = [&](void* v, size_t n) {
    if (in.size() - at < n) return false;
    std::memcpy(v, in.data() + at, n);
    at += n;
    return true;
  };
  int32_t headerSize = 0;
  int64_t tailSize = 0;
  if (in.size() < 16 || std::memcmp(in.data(), kRecoveryHead, 8) != 0) return false;
  if (!take(&r.GapOffset, 8) || !take(&headerSize, 4)) return false;
  if ((headerSize != 126 && headerSize != 28) || r.GapOffset < headerSize) return false;
  r.Header.resize(headerSize);
  if (!take(r.Header.data(), headerSize) || !take(&tailSize, 8)) return false;
  if (tailSize < 0 || static_cast<uint64_t>(tailSize) > in.size() - at) return false;
  r.Tail.assign(in.begin() + at, in.begin() + at + tailSize);
  at += tailSize;
  return in.size() - at == 8 && std::memcmp(in.data() + at, kRecoveryTail, 8) == 0;
}

}  // namespace

// Puts back the table as it was before an insert that did not finish. An incomplete recovery
// file was never acted on and is only removed.
bool TODFFile::RecoverInsert() {
  const ZString name = RecoveryFileName();
  std::vector<uint8_t> bytes;
  {
    TODFStore file;
    if (file.Open(name, false)) {
      bytes.resize(static_cast<size_t>(std::min<int64_t>(file.Size(), int64_t{1} << 31)));
      if (!file.ReadAt(0, bytes.data(), static_cast<int64_t>(bytes.size()))) bytes.clear();
    }
  }
  TRecovery r;
  if (!DecodeRecovery(bytes, r)) {
    if (odfHandle.Writable()) plat::DeleteFileW(name.c_str());
    return true;
  }
  // A table opened for reading is put back through a second, writable handle.
  TODFStore writable;
  TODFStore& file = odfHandle.Writable() ? odfHandle : writable;
  if (!odfHandle.Writable() && !writable.Open(odfFileName, true))
    return Refuse("an interrupted insert waits to be undone and the table cannot be written");
  bool ok = file.WriteAt(r.GapOffset, r.Tail.data(), static_cast<int64_t>(r.Tail.size())) &&
            file.WriteAt(0, r.Header.data(), static_cast<int64_t>(r.Header.size())) &&
            file.SetSize(r.GapOffset + static_cast<int64_t>(r.Tail.size())) && file.Flush();
  if (!ok) return Refuse("an interrupted insert could not be undone");
  plat::DeleteFileW(name.c_str());
  return true;
}

bool TODFFile::AppendBlank() {
  if (!Writable()) return false;
  WriteBack();
  FAheadCount = 0;
  const uint32_t lockBytes = static_cast<uint32_t>(HeaderSize());
  odfHandle.Lock(lockBytes);
  int32_t recNum = 0, deleteds = 0;
  bool ok = ReadDiskCounts(recNum, deleteds);
  std::vector<uint8_t> blank(odfHeader.hdfRecSize, 0);
  // The record first, at the place the count names (not the file's end, which may hold the
  // record of an append that died); then the header that counts it.
  ok = ok && odfHandle.WriteAt(FDataOffset + int64_t{recNum} * odfHeader.hdfRecSize, blank.data(),
                               odfHeader.hdfRecSize);
  if (ok) {
    odfHeader.hdfRecNum = recNum + 1;
    odfHeader.hdfDeleteds = deleteds + FDeletedDelta;
    std::vector<uint8_t> head = HeaderBytes();
    ok = odfHandle.WriteAt(0, head.data(), static_cast<int64_t>(head.size()));
    if (ok) FDeletedDelta = 0;
  }
  odfHandle.Unlock(lockBytes);
  if (!ok) {
    const int32_t mine = odfHeader.hdfRecNum;
    odfHeader.hdfRecNum = std::min(mine, recNum);
    return false;
  }
  std::fill(odfBuffer.begin(), odfBuffer.end(), 0);
  odfTempBuffer = odfBuffer;
  CurrentRecord = odfHeader.hdfRecNum;
  if (odfIndexer) odfIndexer->NoteAppend(CurrentRecord);
  FPosition = odfIndexer ? odfIndexer->Count() : CurrentRecord;
  return true;
}

bool TODFFile::InsertBlank() {
  if (!Writable()) return false;
  if (CurrentRecord < 1 || odfHeader.hdfRecNum < 1) return AppendBlank();
  WriteBack();
  FAheadCount = 0;
  const uint32_t lockBytes = static_cast<uint32_t>(HeaderSize());
  odfHandle.Lock(lockBytes);
  int32_t recNum = 0, deleteds = 0;
  bool ok = ReadDiskCounts(recNum, deleteds);
  const int32_t at = CurrentRecord;
  if (ok && at > recNum) {  // the record is gone from the file
    odfHandle.Unlock(lockBytes);
    return AppendBlank();
  }
  const int32_t recSize = odfHeader.hdfRecSize;
  TRecovery r;
  r.GapOffset = FDataOffset + int64_t{at - 1} * recSize;
  try {
    r.Header.resize(HeaderSize());
    r.Tail.resize(static_cast<size_t>(int64_t{recNum - at + 1} * recSize));
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  ok = ok && odfHandle.ReadAt(0, r.Header.data(), HeaderSize()) &&
       odfHandle.ReadAt(r.GapOffset, r.Tail.data(), static_cast<int64_t>(r.Tail.size()));
  const ZString recoveryName = RecoveryFileName();
  if (ok) {
    TODFStore recovery;
    std::vector<uint8_t> bytes = EncodeRecovery(r);
    ok = recovery.Create(recoveryName) &&
         recovery.WriteAt(0, bytes.data(), static_cast<int64_t>(bytes.size())) && recovery.Flush();
  }
  std::vector<uint8_t> blank(recSize, 0);
  ok = ok &&
       odfHandle.WriteAt(r.GapOffset + recSize, r.Tail.data(), static_cast<int64_t>(r.Tail.size())) &&
       odfHandle.WriteAt(r.GapOffset, blank.data(), recSize);
  if (ok) {
    odfHeader.hdfRecNum = recNum + 1;
    odfHeader.hdfDeleteds = deleteds + FDeletedDelta;
    std::vector<uint8_t> head = HeaderBytes();
    ok = odfHandle.WriteAt(0, head.data(), static_cast<int64_t>(head.size())) && odfHandle.Flush();
    if (ok) {
      FDeletedDelta = 0;
      plat::DeleteFileW(recoveryName.c_str());
    }
  }
  odfHandle.Unlock(lockBytes);
  if (!ok) {
    SetLastErrorText("insert into " + ToUtf8(odfFileName) + " failed");
    return false;
  }
  std::fill(odfBuffer.begin(), odfBuffer.end(), 0);
  odfTempBuffer = odfBuffer;
  CurrentRecord = at;
  if (odfIndexer) odfIndexer->NoteInsert(at, FPosition);
  return true;
}

}  // namespace zkw
