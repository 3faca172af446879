// Field access inside the record buffer.
#include "odf/odf_struct.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "common/round.h"
#include "odf/odf_values.h"
#include "text/ansi_text.h"

namespace zkw {

void TStructItem::Read(const TODFField& Field, uint8_t* Buffer) {
  FInfo.fiField = Field;
  FInfo.fiField.ofName[10] = 0;
  FInfo.fiBuffer = Buffer + Field.ofPosition;
  FInfo.fiUsedField = 1;
}

std::string TStructItem::Name() const {
  return std::string(FInfo.fiField.ofName, strnlen(FInfo.fiField.ofName, 11));
}

namespace {
template <typename T>
T Load(const uint8_t* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
template <typename T>
void Store(uint8_t* p, T v) {
  std::memcpy(p, &v, sizeof v);
}
}  // namespace

std::string TStructItem::Getfs() const {
  const char* p = reinterpret_cast<const char*>(FInfo.fiBuffer);
  return std::string(p, strnlen(p, Length()));
}

ZString TStructItem::Getfu() const {
  ZString text;
  for (int32_t i = 0; i + 1 < Length(); i += 2) {
    ZChar unit = static_cast<ZChar>(FInfo.fiBuffer[i] | (FInfo.fiBuffer[i + 1] << 8));
    if (unit == 0) break;
    text.push_back(unit);
  }
  return text;
}

char TStructItem::Getfc() const { return static_cast<char>(FInfo.fiBuffer[0]); }
uint8_t TStructItem::Getfb() const { return FInfo.fiBuffer[0]; }
uint16_t TStructItem::Getfw() const { return Load<uint16_t>(FInfo.fiBuffer); }
int16_t TStructItem::Getfi() const { return Load<int16_t>(FInfo.fiBuffer); }
int32_t TStructItem::Getfl() const { return Load<int32_t>(FInfo.fiBuffer); }
long double TStructItem::Getfr() const { return Real48ToExtended(FInfo.fiBuffer); }
bool TStructItem::Getflog() const { return FInfo.fiBuffer[0] != 0; }
uint32_t TStructItem::Getfd() const { return Load<uint32_t>(FInfo.fiBuffer); }
TODFDate TStructItem::GetDate() const { return Load<TODFDate>(FInfo.fiBuffer); }
TMemoField TStructItem::Getfm() const { return Load<TMemoField>(FInfo.fiBuffer); }

// The 10 bytes of an 80-bit extended real (the in-memory long double on both targets).
long double TStructItem::Getfe() const {
  long double v = 0;
  std::memcpy(&v, FInfo.fiBuffer, 10);
  return v;
}

void TStructItem::Setfs(const std::string& Value) {
  size_t n = std::min<size_t>(Value.size(), static_cast<size_t>(Length() - 1));
  n = strnlen(Value.data(), n);
  std::memset(FInfo.fiBuffer, 0, Length());
  std::memcpy(FInfo.fiBuffer, Value.data(), n);
}

void TStructItem::Setfu(const ZString& Value) {
  size_t n = std::min<size_t>(Value.size(), static_cast<size_t>(Length() / 2 - 1));
  std::memset(FInfo.fiBuffer, 0, Length());
  for (size_t i = 0; i < n && Value[i] != 0; ++i) {
    FInfo.fiBuffer[2 * i] = static_cast<uint8_t>(Value[i] & 0xFF);
    FInfo.fiBuffer[2 * i + 1] = static_cast<uint8_t>((Value[i] >> 8) & 0xFF);
  }
}

void TStructItem::Setfc(char Value) { FInfo.fiBuffer[0] = static_cast<uint8_t>(Value); }
void TStructItem::Setfb(uint8_t Value) { FInfo.fiBuffer[0] = Value; }
void TStructItem::Setfw(uint16_t Value) { Store(FInfo.fiBuffer, Value); }
void TStructItem::Setfi(int16_t Value) { Store(FInfo.fiBuffer, Value); }
void TStructItem::Setfl(int32_t Value) { Store(FInfo.fiBuffer, Value); }
void TStructItem::Setfr(long double Value) { ExtendedToReal48(Value, FInfo.fiBuffer); }
void TStructItem::Setflog(bool Value) { FInfo.fiBuffer[0] = Value ? 1 : 0; }
void TStructItem::SetDate(const TODFDate& Value) { Store(FInfo.fiBuffer, Value); }
void TStructItem::Setfm(const TMemoField& Value) { Store(FInfo.fiBuffer, Value); }

void TStructItem::Setfe(long double Value) {
  uint8_t bytes[sizeof(long double)] = {};
  std::memcpy(bytes, &Value, sizeof Value);
  std::memcpy(FInfo.fiBuffer, bytes, 10);
}

namespace {
// Rounds half to even and holds the result inside [Low, High]; NaN gives 0.
int64_t RoundClamped(long double V, int64_t Low, int64_t High) {
  int64_t r = Round(V);
  return r < Low ? Low : r > High ? High : r;
}
}  // namespace

void TStructItem::SetNumber(long double Value) {
  switch (Type()) {
    case ftByte: Setfb(static_cast<uint8_t>(RoundClamped(Value, 0, 255))); break;
    case ftWord: Setfw(static_cast<uint16_t>(RoundClamped(Value, 0, 65535))); break;
    case ftShort: Setfi(static_cast<int16_t>(RoundClamped(Value, INT16_MIN, INT16_MAX))); break;
    case ftLong: Setfl(static_cast<int32_t>(RoundClamped(Value, INT32_MIN, INT32_MAX))); break;
    case ftReal: Setfr(Value); break;
    case ftExtended: Setfe(Value); break;
    case ftLogical: Setflog(Value != 0); break;
    case ftDate: SetDate(SerialToODFDate(Value)); break;
    default: break;
  }
}

TFieldValue TStructItem::GetValue() const {
  TFieldValue v;
  switch (Type()) {
    case ftString: v.Kind = 3; v.Text = FromAnsi(Getfs()); break;
    case ftChar: v.Kind = 3; v.Text = FromAnsi(std::string(1, Getfc())); break;
    case ftUnicode: v.Kind = 3; v.Text = Getfu(); break;
    case ftByte: v.Number = Getfb(); break;
    case ftWord: v.Number = Getfw(); break;
    case ftShort: v.Number = Getfi(); break;
    case ftLong: v.Number = Getfl(); break;
    case ftReal: v.Number = Getfr(); break;
    case ftExtended: v.Number = Getfe(); break;
    case ftLogical: v.Number = Getflog() ? 1 : 0; break;
    case ftDate: v.Kind = 4; v.Number = ODFDateToSerial(GetDate()); break;
    default: break;
  }
  return v;
}

namespace {
std::string FormatFixed(long double V, int Decimals) {
  if (!(V == V)) return "NAN";
  if (std::isinf(V)) return V > 0 ? "INF" : "-INF";
  char buf[96];
  std::snprintf(buf, sizeof buf, "%.*Lf", Decimals, V);
  return buf;
}
}  // namespace

std::string TStructItem::GetDataStr() const {
  const int decimals = FInfo.fiField.ofDecimal > 18 ? 18 : FInfo.fiField.ofDecimal;
  switch (Type()) {
    case ftString: return Getfs();
    case ftChar: return Getfc() ? std::string(1, Getfc()) : std::string();
    case ftUnicode: return ToAnsi(Getfu());
    case ftByte: return std::to_string(Getfb());
    case ftWord: return std::to_string(Getfw());
    case ftShort: return std::to_string(Getfi());
    case ftLong: return std::to_string(Getfl());
    case ftReal: return FormatFixed(Getfr(), decimals);
    case ftExtended: return FormatFixed(Getfe(), decimals);
    case ftLogical: return Getflog() ? "T" : "F";
    case ftDate: {
      TODFDate d = GetDate();
      if (!IsCalendarDate(d)) return std::string();
      char buf[16];
      std::snprintf(buf, sizeof buf, "%02d-%02d-%04d", d.Month, d.Day, d.Year);
      return buf;
    }
    default: return std::string();
  }
}

bool TODFStructure::GetHasMemo() const {
  for (TStructItem* i = First(); i; i = Next(i))
    if (i->Type() == ftMemo) return true;
  return false;
}

namespace {
bool SameNameAscii(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x -= 32;
    if (y >= 'a' && y <= 'z') y -= 32;
    if (x != y) return false;
  }
  return true;
}
}  // namespace

TStructItem* TODFStructure::Find(const std::string& Name) const {
  for (TStructItem* i = First(); i; i = Next(i))
    if (SameNameAscii(i->Name(), Name)) return i;
  return nullptr;
}

}  // namespace zkw
