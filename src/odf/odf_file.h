// One open table: header, field list, the current record in a buffer, typed field access,
// memo reading, deleting, appending and inserting records, an optional index and search.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/text16.h"
#include "odf/odf_store.h"
#include "odf/odf_struct.h"
#include "odf/odf_types.h"
#include "platform/plat_types.h"

namespace zkw {

class TODFIndex;
class TDbFormula;

// Open modes: bit value 2 opens for writing; share flags may be or-ed in (0x40 always is).
constexpr int32_t kODFRead = 0;
constexpr int32_t kODFReadWrite = 2;
constexpr int32_t kODFShareDenyNone = 0x40;
constexpr int32_t kODFRegistrySlots = 40;

// The state of the last Find: the compiled condition and the last position tested.
struct TLocateRec {
  std::unique_ptr<TDbFormula> lrFormula;
  int32_t lrAt = 0;
  TLocateRec();
  ~TLocateRec();
};

class TODFFile {
 public:
  TODFFile(const ZString& AFile, int32_t AMode);  // Create
  ~TODFFile();                                    // Destroy: writes back, closes, frees
  TODFFile(const TODFFile&) = delete;
  TODFFile& operator=(const TODFFile&) = delete;

  // Navigation (logical positions go through the index when one is set).
  void Go(int32_t N);
  int32_t GetRecNo() const { return FPosition; }
  int32_t GetReccount() const;

  // Fields.
  TStructItem* GetStructOfName(const std::string& AName) const;
  // The memo field of that name inside the record buffer, or null.
  TMemoField* GetFm(const std::string& AName);

  // Records.
  bool AppendBlank();
  bool InsertBlank();
  void SetDeleted(bool Value);
  bool GetDeleted() const;
  void Flush();

  // The data of a memo field as a zero-filled movable block of the stored size (capped by the
  // memo file); Size receives the data bytes. Null when there is none or the chain is broken.
  plat::HGLOBAL ReadFromMemo(const std::string& AName, int32_t* Size);
  // The file name without folder and extension.
  ZString GetODFName() const;

  // Index and search.
  void SetIndex(const ZString& AName, bool InMemory);
  int32_t Seek(const std::string& Key);
  int32_t Find(const ZString& Condition);

  bool Writable() const { return odfState == 0 && (odfMode & kODFReadWrite) != 0; }
  THeaderForm HeaderForm() const { return FForm; }
  int32_t HeaderSize() const { return FForm == THeaderForm::hfCurrent ? 126 : 28; }
  // Records present in the file beyond the count (left by an append that did not finish).
  int64_t RecordsInFile();
  // Reads a physical record into Buffer (hdfRecSize bytes); false outside 1..hdfRecNum.
  bool ReadRecord(int32_t Physical, uint8_t* Buffer);
  // The physical record of a logical position (through the index), 0 when there is none.
  int32_t PhysicalOf(int32_t Position) const;
  // Path of the recovery file an insert writes first.
  ZString RecoveryFileName() const { return odfFileName + ZText(".insert"); }

  uint16_t odfVersion = 0;
  TODFHeader odfHeader{};
  uint8_t odfOldHeader[28] = {};
  uint16_t odfMode = 0;
  ZString odfFileName;
  ZString odfMemoFile;
  TODFStore odfHandle;
  std::vector<uint8_t> odfBuffer;
  std::vector<uint8_t> odfTempBuffer;
  std::string FLastError;
  std::unique_ptr<TODFIndex> odfIndexer;
  TLocateRec odfLocateRec;
  std::string odfAlias;
  int64_t FDataOffset = 0;
  int32_t CurrentRecord = 0;
  int32_t FPosition = 0;
  bool FUseFilter = true;
  TODFStructure odfStructure;
  int32_t odfState = -1;
  bool idxRemoveBlank = false;

 private:
  friend class TODFIndex;
  bool Open(int32_t AMode);
  bool Refuse(std::string Reason);
  bool ReadHeader();
  bool ReadFields();
  bool RecoverInsert();
  void WriteBack();
  void LoadCurrent(int32_t Physical);
  // Under the header lock: the record count on disk (held to the records present) and the
  // deleted count, merged with this table's own changes, then written; AddRecords grows the
  // count. False when the header could not be written.
  bool ReadDiskCounts(int32_t& RecNum, int32_t& Deleteds);
  bool WriteHeader();
  std::vector<uint8_t> HeaderBytes() const;
  void TakeSlot();

  // Read-ahead while a scan (Find, SUM) walks the records: a chunk of whole records read at once
  // and served from memory until a write or the end of the scan.
  friend class TScanReadAhead;
  bool FReadAhead = false;
  int32_t FAheadFirst = 0, FAheadCount = 0;
  std::vector<uint8_t> FAhead;

  THeaderForm FForm = THeaderForm::hfCurrent;
  TODFStore FMemo;
  int32_t FDeletedDelta = 0;  // deleted-count changes not yet in the file
  int32_t FSlot = 0;
};

// Turns the table's read-ahead on for the scope of a scan.
class TScanReadAhead {
 public:
  explicit TScanReadAhead(TODFFile& Table) : FTable(Table), FWasOn(Table.FReadAhead) { Table.FReadAhead = true; }
  ~TScanReadAhead() {
    FTable.FReadAhead = FWasOn;
    if (!FWasOn) FTable.FAheadCount = 0;
  }
  TScanReadAhead(const TScanReadAhead&) = delete;
  TScanReadAhead& operator=(const TScanReadAhead&) = delete;

 private:
  TODFFile& FTable;
  bool FWasOn;
};

// The open table of registry slot 1..40, or null.
TODFFile* RegisteredTable(int32_t Slot);

}  // namespace zkw
