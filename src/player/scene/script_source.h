// Scene and object scripts as stored in scene files. Until scripts are compiled, a script list
// keeps its text record byte for byte (length field excluded, terminator included), so that a
// scene saved again writes the same bytes; a null list means that there is no script.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zkw {

class TScriptList {
 public:
  TScriptList() = default;
  explicit TScriptList(std::vector<uint8_t> record) : Record(std::move(record)) {}
  // The script source: the record's bytes up to the first zero (lines separated by CR LF).
  std::string Text() const;
  static std::unique_ptr<TScriptList> FromText(const std::string& text);

  std::vector<uint8_t> Record;
};

// A user procedure record (code 254) kept whole: the bytes after the code byte.
class TProcedureRecord {
 public:
  std::string Name;  // text of the name record, for look-ups
  std::vector<uint8_t> Bytes;
};

using TScriptPtr = std::unique_ptr<TScriptList>;

}  // namespace zkw
