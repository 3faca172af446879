#include "player/kinds/data_table.h"

#include <cstdlib>

#include "player/kinds/kinds_common.h"

namespace zkw {

TDataTable::TDataTable() { FStyle = 43; }

template <class V>
void TDataTable::Fields(V& v) {
  using namespace fields;
  v.Block(&Self::ReadText, &Self::WriteText);
  v(&Self::FRow, Kept("Row").Prop(195).NotCopied());
  v(&Self::FColumn, Kept("Column").Prop(196).NotCopied());
  v.Hand(115);
  v.Hand(169);
  v.Hand(131);
}
template class TKind<TDataTable, TAnimateObj>;

bool TDataTable::ReadText(TRecordReader& r, int32_t Version) {
  (void)Version;
  int16_t n = r.I16("data table text length");
  if (!r.Ok()) return false;
  if (n < 0) return r.Fail("data table text length " + std::to_string(n) + " is negative");
  std::string text;
  if (n > 0) {
    text.resize(static_cast<size_t>(n));
    if (!r.Bytes(text.data(), n, "data table text")) return false;
    size_t zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
  }
  SetTable(text);
  return r.Ok();
}

void TDataTable::WriteText(TRecordWriter& w) const {
  std::string text = TableText();
  if (text.size() > 32766) text.resize(32766);
  if (text.empty()) {
    w.I16(0);
  } else {
    w.I16(static_cast<int16_t>(text.size() + 1));
    w.Bytes(text.data(), static_cast<int64_t>(text.size()));
    w.U8(0);
  }
}

void TDataTable::CopyFrom(const TAnimateObj& AObj) {
  TKind::CopyFrom(AObj);
  FLines.clear();  // a copy starts with an empty table
  FTextColumn.clear();
}

void TDataTable::SetTable(const std::string& Text) {
  FLines.clear();
  if (!Text.empty()) {
    size_t p = 0;
    while (true) {
      size_t q = Text.find_first_of("\r\n", p);
      FLines.push_back(Text.substr(p, q == std::string::npos ? std::string::npos : q - p));
      if (q == std::string::npos) break;
      p = q + ((Text[q] == '\r' && q + 1 < Text.size() && Text[q + 1] == '\n') ? 2 : 1);
    }
  }
  ReadHeader();
}

std::string TDataTable::TableText() const {
  std::string s;
  for (size_t i = 0; i < FLines.size(); ++i) {
    if (i) s += "\r\n";
    s += FLines[i];
  }
  return s;
}

void TDataTable::ReadHeader() {
  FTextColumn.assign(1, false);
  if (FLines.empty()) return;
  const std::string& h = FLines[0];
  for (int32_t col = 1;; ++col) {
    std::string marker = "\\" + std::to_string(col) + "=";
    size_t p = h.find(marker);
    if (p == std::string::npos) break;
    size_t t = p + marker.size();
    FTextColumn.push_back(t < h.size() && h[t] != '0');
  }
}

bool TDataTable::FindCell(const std::string& Line, int32_t Column, size_t& Start, size_t& End) {
  std::string marker = "\\" + std::to_string(Column) + "=";
  size_t p = Line.find(marker);
  if (p == std::string::npos) return false;
  Start = p + marker.size();
  End = Line.find('\\', Start);
  if (End == std::string::npos) End = Line.size();
  return true;
}

uint8_t TDataTable::GetData(int32_t Column, int32_t Row, std::string& Text, long double& Value) const {
  Value = 0;
  int32_t columns = static_cast<int32_t>(FTextColumn.size()) - 1;
  size_t start, end;
  if (Column < 1 || Column > columns || Row < 1 || Row >= static_cast<int32_t>(FLines.size()) ||
      !FindCell(FLines[static_cast<size_t>(Row)], Column, start, end))
    return 2;
  std::string cell = FLines[static_cast<size_t>(Row)].substr(start, end - start);
  if (FTextColumn[static_cast<size_t>(Column)]) {
    Text = cell;
    return 3;
  }
  char* stop = nullptr;
  long long v = std::strtoll(cell.c_str(), &stop, 10);
  Value = (stop && stop != cell.c_str() && *stop == 0) ? static_cast<long double>(v) : 0;
  return 2;
}

bool TDataTable::SetData(int32_t Column, int32_t Row, const std::string& Text, int64_t Number) {
  int32_t columns = static_cast<int32_t>(FTextColumn.size()) - 1;
  if (Column < 1 || Column > columns || Row < 1 || Row >= static_cast<int32_t>(FLines.size()) - 1) return false;
  std::string& line = FLines[static_cast<size_t>(Row)];
  size_t start, end;
  if (!FindCell(line, Column, start, end)) return false;
  line.replace(start, end - start, FTextColumn[static_cast<size_t>(Column)] ? Text : std::to_string(Number));
  return true;
}

uint8_t TDataTable::TableData(int32_t Column, int32_t Row, std::string& Text, long double& Value) {
  return GetData(Column, Row, Text, Value);
}

int32_t TDataTable::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  switch (PropID) {
    case 115: return GetData(FColumn, FRow, SValue, Value);
    case 169: Value = FLines.empty() ? 0 : static_cast<long double>(FLines.size()) - 1; return 2;
    case 131: SValue = TableText(); return 3;
    default: return TKind::GetValue(PropID, Value, SValue);
  }
}

void TDataTable::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  switch (PropID) {
    case 115: SetData(FColumn, FRow, SValue, RoundProp(IValue)); break;
    case 131: SetTable(SValue); break;
    default: TKind::SetValue(PropID, SValue, IValue); break;
  }
}

}  // namespace zkw
