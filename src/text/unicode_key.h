// The Unicode key table: an 8-bit key text per Vietnamese letter, so that the key of a UTF-16
// text sorts Vietnamese letters in alphabetical order (database indexes of Unicode fields).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "text/ansi_text.h"

namespace zkw {

struct TUnicodeKeyRecord {
  uint16_t Unit;
  std::string Key;  // at most 5 characters
};

class TUnicodeKeyList {
 public:
  static constexpr size_t kRecordSize = 13;
  static constexpr size_t kKeyField = 11;
  static constexpr size_t kMaxKeyLength = 5;

  // Replaces the records with those of a resource image: a 16-bit count, then 13-byte records
  // (a 16-bit unit and an 11-byte zero-terminated key text of at most 5 characters). A
  // malformed image leaves the list empty and gives false.
  bool LoadFromBuffer(const void* buf, size_t size);
  void Clear();

  size_t Count() const { return FRecords.size(); }
  const TUnicodeKeyRecord& Record(size_t index) const { return FRecords[index]; }

  // The key text of the first record holding the unit, or null.
  const std::string* KeyOf(ZChar unit) const;
  // The key of a text: unit by unit, the record's key text, or the unit in the system's 8-bit
  // code page where no record holds it.
  std::string KeyText(ZStringView text) const;

 private:
  std::vector<TUnicodeKeyRecord> FRecords;  // stored order
  std::vector<uint32_t> FByUnit;            // record indexes sorted by unit, first record first
};

}  // namespace zkw
