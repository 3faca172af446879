// The stored forms seen from the item tree: every item reads and writes itself through a
// TEqReader or TEqWriter, and each form (stream, buffer, text) supplies its own pair. Readers
// check every count against what is left before anything is allocated.
#pragma once
#include <cstdint>
#include <string>

#include "base/text16.h"

namespace zkw {

class TEquationItem;

enum class TEqForm : uint8_t { efStream, efBuffer, efText };

// Deepest nesting of child equations a reader accepts.
constexpr int32_t kMaxEquationDepth = 128;
// Longest text of a text item, in UTF-16 units.
constexpr size_t kMaxExprLength = 101;

// One stored field of an item: a byte, a boolean byte, a 32-bit integer or the item's text.
struct TStoredField {
  enum Kind : uint8_t { fkByte, fkBool, fkInt, fkText } kind;
  void* place;
  const char* name;
};
// The stored fields of a class in their stored order (at most eight).
struct TFieldList {
  TStoredField f[8];
  int n = 0;
  void Byte(const char* name, uint8_t& v) { f[n++] = {TStoredField::fkByte, &v, name}; }
  void Bool(const char* name, bool& v) { f[n++] = {TStoredField::fkBool, &v, name}; }
  void Int(const char* name, int32_t& v) { f[n++] = {TStoredField::fkInt, &v, name}; }
  void Text(const char* name, ZString& v) { f[n++] = {TStoredField::fkText, &v, name}; }
};

class TEqReader {
 public:
  virtual ~TEqReader() = default;
  virtual TEqForm Form() const = 0;
  // Colours and, where the form has it, the version of an item.
  virtual bool Common(TEquationItem& item) = 0;
  // A field of 1 or 4 bytes; 1-byte fields give 0..255.
  virtual bool Field(int32_t& value, int size) = 0;
  // The text of a text item (the form of texts may depend on the item's version).
  virtual bool Text(ZString& text, const TEquationItem& item) = 0;
  // A count of elements each taking at least `least` units of what is left; refused when
  // negative or when that many cannot fit.
  virtual bool Count(int32_t& n, int64_t least, const char* what) = 0;
  // The class code before an item.
  virtual bool Code(int32_t& code) = 0;
  // Smallest size of an item (code included) and of an equation, in the form's units.
  virtual int64_t LeastItem() const = 0;
  virtual int64_t LeastEquation() const = 0;
  // Units left to read.
  virtual int64_t Left() const = 0;
  // Where the reader stands, for messages.
  virtual std::string Where() const = 0;

  // Records the reason of a refusal; always false.
  bool Refuse(const std::string& reason);
  // Enters a child level; false (with the reason) beyond kMaxEquationDepth.
  bool Enter();
  void Leave() { --FDepth; }

  // Text form: the grid code read last was 48 (cells follow) rather than 46.
  bool FGridCells = false;

 private:
  int32_t FDepth = 0;
};

class TEqWriter {
 public:
  virtual ~TEqWriter() = default;
  virtual TEqForm Form() const = 0;
  virtual void Common(TEquationItem& item) = 0;
  virtual void Field(int32_t value, int size) = 0;
  virtual void Text(const ZString& text) = 0;
  virtual void Count(int32_t n) = 0;
  virtual void Code(int32_t code) = 0;
  // False once a write failed.
  virtual bool Ok() const { return true; }
};

}  // namespace zkw
