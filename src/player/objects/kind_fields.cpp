#include "player/objects/kind_fields.h"

#include <algorithm>
#include <cmath>

#include "common/round.h"
#include "expr/property_names.h"

namespace zkw {

std::string ReadStringRecord(TRecordReader& r, const char* what) {
  uint16_t n = r.U16(what);
  if (!r.Ok() || n == 0) return {};
  std::string s(n, '\0');
  if (!r.Bytes(s.data(), n, what)) return {};
  size_t zero = s.find('\0');
  if (zero != std::string::npos) s.resize(zero);
  return s;
}

void WriteStringRecord(TRecordWriter& w, const std::string& s) {
  size_t len = std::min<size_t>(s.size(), 65534);
  if (len == 0) {
    w.U16(0);
    return;
  }
  w.U16(static_cast<uint16_t>(len + 1));
  w.Bytes(s.data(), static_cast<int64_t>(len));
  w.U8(0);
}

std::string ReadCountedText(TRecordReader& r, const char* what) {
  uint16_t n = r.U16(what);
  if (!r.Ok() || n == 0) return {};
  std::string s(static_cast<size_t>(n) + 1, '\0');
  if (!r.Bytes(s.data(), n + 1, what)) return {};
  size_t zero = s.find('\0');
  if (zero != std::string::npos) s.resize(zero);
  return s;
}

void WriteCountedText(TRecordWriter& w, const std::string& s) {
  size_t len = std::min<size_t>(s.size(), 65534);
  w.U16(static_cast<uint16_t>(len));
  if (len == 0) return;
  w.Bytes(s.data(), static_cast<int64_t>(len));
  w.U8(0);
}

namespace fields {

void ReadField(TRecordReader& r, int32_t Version, const TField& f, TSmallRect& m) {
  ReadRegion(r, f.form == TForm::Rect32 ? 0x60000 : Version, m);
}

void WriteField(TRecordWriter& w, const TField& f, const TSmallRect& m) {
  (void)f;
  WriteRegion(w, m);
}

void ReadField(TRecordReader& r, int32_t Version, const TField& f, std::string& m) {
  (void)Version;
  switch (f.form) {
    case TForm::CountedText: m = ReadCountedText(r, f.name); break;
    case TForm::ShortString: m = r.ShortString(f.name); break;
    default: m = ReadStringRecord(r, f.name); break;
  }
}

void WriteField(TRecordWriter& w, const TField& f, const std::string& m) {
  switch (f.form) {
    case TForm::CountedText: WriteCountedText(w, m); break;
    case TForm::ShortString: w.ShortString(m); break;
    default: WriteStringRecord(w, m); break;
  }
}

int64_t ConvertWhole(const TField& f, long double IValue) {
  if (f.conv == TConv::Round) return RoundProp(IValue);
  if (f.conv == TConv::Round16) return static_cast<int16_t>(RoundProp(IValue));
  if (std::isnan(IValue)) return 0;
  if (IValue >= 9.2e18L) return INT64_MAX;
  if (IValue <= -9.2e18L) return INT64_MIN;
  return Round(IValue);
}

void ListProp(TPropList& List, int32_t PropID) {
  const char* name = PropertyName(PropID);
  List.emplace_back(name ? name : "", PropID);
}

}  // namespace fields

}  // namespace zkw
