// Writers of tables and memo files: build a table in memory (any header form, records, memos)
// and write it with its memo file. The library itself only opens tables; the tool, tests and
// fuzz seeds make them here.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/text16.h"
#include "odf/odf_struct.h"
#include "odf/odf_types.h"

namespace zkw {

// A field to create: Length is the declared length of string and Unicode fields (a Unicode
// field occupies twice that); other types take their fixed size. Raw types other than the twelve
// known ones need Length bytes.
struct TODFFieldDef {
  std::string Name;
  uint8_t Type = ftString;
  int32_t Length = 0;
  uint8_t Decimal = 0;
};

class TODFTableBuilder {
 public:
  // False from Valid() when a name is empty or longer than 10 characters, a length does not fit
  // a byte or the record exceeds 65535 bytes; Reason() says which.
  TODFTableBuilder(THeaderForm Form, const std::vector<TODFFieldDef>& Fields);
  bool Valid() const { return FReason.empty(); }
  const std::string& Reason() const { return FReason; }

  const std::vector<TODFField>& Fields() const { return FFields; }
  int32_t RecordSize() const { return FRecordSize; }
  int32_t RecordCount() const { return static_cast<int32_t>(FRecords.size() / FRecordSize); }
  // Appends a zeroed record and gives a field accessor over it (valid until the next record).
  void AddRecord();
  // Points Item at field Index (0-based) of the last record.
  void BindField(int32_t Index, TStructItem& Item);
  void SetDeleted(bool Deleted);
  // Adds a memo of the given kind; its data split into blocks of at most BlockData bytes
  // (0: one block), each block BlockSlack bytes larger than it uses. Returns the field value.
  TMemoField AddMemo(uint8_t Style, const std::vector<uint8_t>& Data, int32_t BlockData = 0,
                     int32_t BlockSlack = 0);
  void SetDescription(const std::string& Text, int32_t DatabaseVersion);

  std::vector<uint8_t> TableBytes() const;
  std::vector<uint8_t> MemoBytes() const;
  bool HasMemo() const;
  // Writes the table (and its memo file when a field is a memo) through temporary files.
  bool Write(const ZString& FileName) const;

 private:
  THeaderForm FForm;
  std::vector<TODFField> FFields;
  int32_t FRecordSize = 1;
  std::vector<uint8_t> FRecords;
  std::vector<uint8_t> FMemo;  // blocks after the 58-byte header
  int32_t FMemoCount = 0;
  int64_t FMemoUsed = 0;
  std::string FDescription;
  int32_t FDatabaseVersion = 0x10000;
  std::string FReason;
};

// An empty table with these fields in the given form, with its memo file when needed.
bool CreateODFTable(const ZString& FileName, THeaderForm Form,
                    const std::vector<TODFFieldDef>& Fields);
// The memo file name of a table file: its last character replaced by "m".
ZString MemoFileName(const ZString& TableName);

}  // namespace zkw
