// Index files: the record numbers of a table in the order of one field, held in memory, and the
// key order they follow.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/text16.h"
#include "odf/odf_types.h"

namespace zkw {

class TODFFile;
class TStructItem;

// How the keys of one field compare: by text (bytes, ASCII letters folded, or the locale
// ignoring case), by the Unicode key, by number, by date; memo and unknown fields all compare
// equal.
class TKeyOrder {
 public:
  TKeyOrder(const TODFField& Field, bool CaseSensitive, bool Advanced);
  // Compares the field in two record buffers: negative, 0 or positive.
  int Compare(const uint8_t* RecordA, const uint8_t* RecordB) const;
  // The field's text in a record buffer (text fields).
  std::string TextOf(const uint8_t* Record) const;
  // Compares two 8-bit texts the way this order compares text fields.
  int CompareText(const std::string& A, const std::string& B) const;
  bool IsText() const { return FField.ofType == ftString || FField.ofType == ftChar; }

 private:
  TODFField FField;
  bool FCaseSensitive;
  bool FAdvanced;
};

class TODFIndex {
 public:
  // Reads an index file (either header form), always read-only and shared deny-none; false when
  // it cannot be read (the index then has no entries).
  bool Open(const ZString& AName);
  // The record number of entry Pos (1-based), -1 outside 1..Count.
  int32_t RecordAt(int32_t Pos) const;
  int32_t Count() const { return static_cast<int32_t>(FEntries.size()); }
  std::string GetFieldName() const;
  bool GetCaseSensitive() const { return FInfo.idxCaseSensitive != 0; }
  bool GetAdvanced() const { return FInfo.idxAdvanced != 0; }
  const std::vector<int32_t>& Entries() const { return FEntries; }

  // Checks the entries against the table (each record once, in key order, every non-blank
  // record listed) and rebuilds them from the table when they are not; true when they were
  // sound.
  bool Verify(TODFFile& Table);
  // Puts the entries in key order (stable) when a change may have disturbed it.
  void SortIfNeeded(TODFFile& Table);
  // The key text of every entry in index order, read once and kept until the entries or a key
  // change (Seek searches these instead of reading a record per step).
  const std::vector<std::string>& Keys(TODFFile& Table);
  bool Sorted() const { return FSorted; }

  // Following the table: a record appended (listed last), inserted at physical record At and
  // listed at logical position Position (later record numbers shift up), a record whose
  // bytes changed (the order is checked again when its key changed).
  void NoteAppend(int32_t Record);
  void NoteInsert(int32_t At, int32_t Position);
  void NoteRecordChange(const uint8_t* Before, const uint8_t* After);
  // Binds the index to its field in the table; false when the table has no such field.
  bool Bind(TODFFile& Table);
  const TKeyOrder* Order() const { return FOrder.get(); }

  TIndexInfo FInfo{};
  int32_t FOffset = 0;
  bool MemoryIndex = false;

 private:
  void Rebuild(TODFFile& Table, std::vector<uint8_t>& Records);
  std::vector<int32_t> FEntries;
  std::vector<std::string> FKeys;
  bool FKeysValid = false;
  std::unique_ptr<TKeyOrder> FOrder;
  TODFField FField{};
  bool FSorted = true;
};

// The records of a table sorted by one field (stable: equal keys keep record order).
std::vector<int32_t> SortedRecords(TODFFile& Table, const TKeyOrder& Order);
// The index file bytes (current header form) for a table, a field, a case flag and the
// advanced flag; empty when the table has no such field.
std::vector<uint8_t> BuildODFIndex(TODFFile& Table, const std::string& FieldName,
                                   bool CaseSensitive, bool Advanced);
// Writes BuildODFIndex's bytes to a file (through a temporary file and a rename); false on
// failure.
bool WriteODFIndex(TODFFile& Table, const std::string& FieldName, bool CaseSensitive,
                   bool Advanced, const ZString& FileName);

}  // namespace zkw
