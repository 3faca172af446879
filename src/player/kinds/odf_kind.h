// The database object (kind 38): opens a table (path + file name, index likewise) when the scene
// plays, gives scripts the fields of its current record and the record operations, and writes
// back and closes when freed. Nothing is drawn.
#pragma once
#include <string>

#include "odf/odf_obj.h"
#include "player/objects/animate_obj.h"
#include "player/objects/kind_fields.h"

namespace zkw {

class TAniODFObj : public TKind<TAniODFObj, TAnimateObj> {
 public:
  TAniODFObj();
  template <class V>
  static void Fields(V& v);
  // A copy takes the names and the mode, and starts closed.
  void CopyFrom(const TAnimateObj& AObj) override;
  void BeforePlay() override;
  void Draw(TDibBaseObj* ADib) override { (void)ADib; }
  // Recno (150, written: Go), Reccount (151), Deleted (185) by hand.
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  // A changed name or mode reopens an open table.
  void PropertyWritten(int32_t PropID) override;

  uint8_t GetFieldValue(const std::string& Field, long double& Value, std::string& Text) override;
  bool SetFieldValue(const std::string& Field, long double Value, const std::string& Text) override;
  bool DatabaseOperation(uint8_t Operation) override;

  // Opens the table named by the object (the scene's DataPath where a path is empty).
  void OpenTable();
  TODFFile* Table() const { return FODF.Table(); }
  // The full names the object opens.
  ZString TablePath() const;
  ZString IndexPath() const;

  std::string FODFPath, FFilename, FIndexPath, FIndexFilename;
  bool FReadOnly = true;
  TODFObj FODF;

 private:
  // The field of that name on the open table; shows "Field not found: " and gives null when
  // the table has none.
  TStructItem* FieldOrMessage(const std::string& Field);
};
extern template class TKind<TAniODFObj, TAnimateObj>;

}  // namespace zkw
