// The fields of an open table: one TStructItem per field descriptor, reading and writing its
// place in the table's record buffer.
#pragma once
#include <cstdint>
#include <string>

#include "base/text16.h"
#include "common/link_list.h"
#include "odf/odf_types.h"

namespace zkw {

struct TFieldInfo {
  TODFField fiField;
  uint8_t* fiBuffer;   // the field inside the record buffer
  uint8_t fiUsedField;
};

// A field value as the search language reads it: kind 2 number, 3 text, 4 date (serial).
struct TFieldValue {
  uint8_t Kind = 2;
  long double Number = 0;
  ZString Text;
};

class TStructItem : public TItemNode {
 public:
  // Takes one descriptor and points the item at Buffer + ofPosition (checked by the caller).
  void Read(const TODFField& Field, uint8_t* Buffer);

  const TODFField& Field() const { return FInfo.fiField; }
  std::string Name() const;
  uint8_t Type() const { return FInfo.fiField.ofType; }
  int32_t Length() const { return FInfo.fiField.ofLength; }

  // Typed readers; each reads only inside the field.
  std::string Getfs() const;
  ZString Getfu() const;
  char Getfc() const;
  uint8_t Getfb() const;
  uint16_t Getfw() const;
  int16_t Getfi() const;
  int32_t Getfl() const;
  long double Getfr() const;
  long double Getfe() const;
  bool Getflog() const;
  uint32_t Getfd() const;
  TODFDate GetDate() const;
  TMemoField Getfm() const;

  // Typed writers: text is cut to the field (string length - 1 bytes, Unicode length / 2 - 1
  // units) and the rest zero-filled.
  void Setfs(const std::string& Value);
  void Setfu(const ZString& Value);
  void Setfc(char Value);
  void Setfb(uint8_t Value);
  void Setfw(uint16_t Value);
  void Setfi(int16_t Value);
  void Setfl(int32_t Value);
  void Setfr(long double Value);
  void Setfe(long double Value);
  void Setflog(bool Value);
  void SetDate(const TODFDate& Value);
  void Setfm(const TMemoField& Value);

  // The field as a value: text for string, character and Unicode fields, a date serial for
  // dates, a number for the rest (memo and unknown types 0).
  TFieldValue GetValue() const;
  // Display text: strings, characters and Unicode text (in the 8-bit code page) as stored,
  // numbers in decimal (reals with ofDecimal digits), logicals "T"/"F", dates MM-DD-YYYY,
  // memos and unknown types empty.
  std::string GetDataStr() const;
  // Sets a number field from a value (integers round half to even and clamp to their range;
  // real and extended fields take it unrounded).
  void SetNumber(long double Value);

 private:
  TFieldInfo FInfo{};
};

// The ordered fields of a table.
class TODFStructure : public TLinkList {
 public:
  TStructItem* First() const { return static_cast<TStructItem*>(FHead); }
  static TStructItem* Next(const TStructItem* Item) {
    return static_cast<TStructItem*>(Item->NextItem);
  }
  bool GetHasMemo() const;
  // The field of that name ignoring ASCII case, or null.
  TStructItem* Find(const std::string& Name) const;
};

}  // namespace zkw
