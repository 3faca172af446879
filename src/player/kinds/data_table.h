// The data table (kind 43): cells held as lines of text. Line 0 declares the columns
// ("\1=0:Name" for a number column named Name, any other type digit for a text column); every
// further line is a row of cells "\column=value".
#pragma once
#include <vector>

#include "player/objects/animate_obj.h"
#include "player/objects/kind_fields.h"

namespace zkw {

class TDataTable : public TKind<TDataTable, TAnimateObj> {
 public:
  TDataTable();
  template <class V>
  static void Fields(V& v);
  // A copy starts with an empty table.
  void CopyFrom(const TAnimateObj& AObj) override;
  // The cell (115), the line count (169) and the whole text (131) by hand.
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  void Action(TDibBaseObj* ADib) override { (void)ADib; FParentSetPos = false; }
  void Draw(TDibBaseObj* ADib) override { (void)ADib; }
  uint8_t TableData(int32_t Column, int32_t Row, std::string& Text, long double& Value) override;

  // Replaces all lines (separated by CR LF, CR or LF) and reads the header again.
  void SetTable(const std::string& Text);
  // The table as text, lines joined by CR LF.
  std::string TableText() const;
  // Kind 2 (number in Value) or 3 (text in Text); a missing cell gives 2 with Value 0 and
  // Text as it was.
  uint8_t GetData(int32_t Column, int32_t Row, std::string& Text, long double& Value) const;
  // Replaces an existing cell of rows 1 .. count-2 (the last line cannot be written).
  bool SetData(int32_t Column, int32_t Row, const std::string& Text, int64_t Number);

  std::vector<std::string> FLines;
  std::vector<bool> FTextColumn;  // per column 1.. (index 0 unused)
  int32_t FRow = 1, FColumn = 1;

 private:
  // The table text: int16 N = length + 1, the text and a zero (N = 0: empty).
  bool ReadText(TRecordReader& r, int32_t Version);
  void WriteText(TRecordWriter& w) const;
  void ReadHeader();
  // Start and end of a cell's text in a line; false when the line has no such cell.
  static bool FindCell(const std::string& Line, int32_t Column, size_t& Start, size_t& End);
};
extern template class TKind<TDataTable, TAnimateObj>;

}  // namespace zkw
