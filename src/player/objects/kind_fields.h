// The fields of an object kind, described once. A kind names each of its own fields in a static
// template `Fields(v)`, in record order, with the member that holds it, its stored form and,
// where scripts see it, its property id:
//
//   template <class V>
//   void TMergeObj::Fields(V& v) {
//     v(&Self::FDt, I16("Dt").Prop(46));
//     v(&Self::FFromX, Coord("FromX").Prop(17));
//     v(&Self::FRegion, Region("Region").Prop(21));        // ids 21..24
//     v(&Self::FEnableFlipX, Kept("EnableFlipX").Prop(26)); // not stored, copied, a property
//   }
//
// Reading (every file version and the old short layout), writing, copying, GetValue / SetValue
// of plain properties and the property list all walk that description with one of the visitors
// below; TKind (at the end) puts them together for a kind class. Besides fields a description
// holds nested blocks the kind reads and writes itself (v.Block), reserved numbers (v.Reserved),
// the ids of hand-written properties in their listed place (v.Hand) and, for kinds whose property
// list has an order of its own, that order (v.ListOrder). docs/adding-a-scene-kind.md tells how a
// kind is written. Everything is resolved at compile time: a visitor call is a member access on a
// known offset, with no table look-up and no virtual call.
#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <utility>

#include "player/objects/animate_obj.h"
#include "player/objects/moving_obj.h"
#include "player/scene/record_io.h"

namespace zkw {

// The visitors below are small and called once per field: forced inline, the stored form of each
// field is a constant where it is used and every field compiles to the one read or write it needs.
#if defined(__GNUC__)
#define ZKW_FIELD_INLINE inline __attribute__((always_inline))
#else
#define ZKW_FIELD_INLINE inline
#endif

// Version whose rules the old short layout (files of versions 0x10000 and 0x20000) follows:
// 16-bit coordinates, and only the fields every version stores.
constexpr int32_t kOldLayoutVersion = 0x20000;
// First version of the current layout; fields that the old layout lacks are stored from here on.
constexpr int32_t kCurrentLayoutVersion = 0x30000;

// String record: uint16 N = length + 1, then N bytes (text and a zero); N = 0 is the empty
// text. The text ends at the first zero byte.
std::string ReadStringRecord(TRecordReader& r, const char* what);
void WriteStringRecord(TRecordWriter& w, const std::string& s);
// Counted text: uint16 L = length, then only when L > 0, L + 1 bytes (text and a zero).
std::string ReadCountedText(TRecordReader& r, const char* what);
void WriteCountedText(TRecordWriter& w, const std::string& s);

namespace fields {

// How a field is stored in the record.
enum class TForm : uint8_t {
  None,          // not stored (a property or a copied setting only)
  Bool,          // one byte, 0 false, any other value true
  U8,            // byte
  I16,           // int16 (an array member stores each element)
  U16,           // uint16
  I32,           // int32
  U32,           // uint32 (colours)
  Coord,         // int16 before version 0x60000, int32 from 0x60000 on
  Region,        // four coordinates: left, top, right, bottom
  Rect32,        // four int32 (left, top, right, bottom) whatever the version
  StringRecord,  // uint16 N = length + 1, the text and a zero; N = 0 is the empty text
  CountedText,   // uint16 L = length, then only when L > 0 the text and a zero
  ShortString,   // uint16 length (at most 255), then the text without a zero
};

// How a script value becomes the member.
enum class TConv : uint8_t {
  Round,    // nearest integer (halves to even) held in the 32-bit range, then the member's width
  Round64,  // nearest integer held in the 64-bit range, then the member's width (the base record)
  Round16,  // nearest integer held in the 32-bit range, cut to 16 bits, then the member's width
};

enum TAccess : uint8_t { kReadable = 1, kWritable = 2, kReadWrite = 3 };

struct TField {
  const char* name;  // the record's name for the field (messages, the scene source, docs)
  TForm form;
  int32_t since = 0;       // first file version that stores it (0: every version, old layout too)
  int16_t prop = 0;        // property id, 0 for none; a region takes prop .. prop + 3
  int16_t alias = 0;       // a second id scripts may use for it (not listed)
  uint8_t access = kReadWrite;
  TConv conv = TConv::Round;
  bool copied = true;      // a copy of the object takes it

  constexpr TField Prop(int16_t id) const { TField f = *this; f.prop = id; return f; }
  constexpr TField Alias(int16_t id) const { TField f = *this; f.alias = id; return f; }
  // Scripts read it but do not write it.
  constexpr TField ReadOnly() const { TField f = *this; f.access = kReadable; return f; }
  // Scripts write it; it reads as 0.
  constexpr TField WriteOnly() const { TField f = *this; f.access = kWritable; return f; }
  constexpr TField Since(int32_t version) const { TField f = *this; f.since = version; return f; }
  // Not in the old short layout.
  constexpr TField NotOld() const { return Since(kCurrentLayoutVersion); }
  constexpr TField Wide() const { TField f = *this; f.conv = TConv::Round64; return f; }
  constexpr TField Via16() const { TField f = *this; f.conv = TConv::Round16; return f; }
  constexpr TField NotCopied() const { TField f = *this; f.copied = false; return f; }
};

constexpr TField Bool(const char* name) { return {name, TForm::Bool}; }
constexpr TField U8(const char* name) { return {name, TForm::U8}; }
constexpr TField I16(const char* name) { return {name, TForm::I16}; }
constexpr TField U16(const char* name) { return {name, TForm::U16}; }
constexpr TField I32(const char* name) { return {name, TForm::I32}; }
constexpr TField U32(const char* name) { return {name, TForm::U32}; }
constexpr TField Coord(const char* name) { return {name, TForm::Coord}; }
constexpr TField Region(const char* name) { return {name, TForm::Region}; }
constexpr TField Rect32(const char* name) { return {name, TForm::Rect32}; }
constexpr TField StringRecord(const char* name) { return {name, TForm::StringRecord}; }
constexpr TField CountedText(const char* name) { return {name, TForm::CountedText}; }
constexpr TField ShortString(const char* name) { return {name, TForm::ShortString}; }
// A member that is not stored: a property, a setting a copy takes, or both.
constexpr TField Kept(const char* name) { return {name, TForm::None}; }

// --- one field in the record ----------------------------------------------------------------------

// Numbers: the stored form decides the width; the member takes the value as C++ converts it.
template <class T>
ZKW_FIELD_INLINE std::enable_if_t<std::is_arithmetic_v<T>> ReadField(TRecordReader& r, int32_t Version, const TField& f, T& m) {
  switch (f.form) {
    case TForm::Bool: m = static_cast<T>(r.U8(f.name) != 0); break;
    case TForm::U8: m = static_cast<T>(r.U8(f.name)); break;
    case TForm::I16: m = static_cast<T>(r.I16(f.name)); break;
    case TForm::U16: m = static_cast<T>(r.U16(f.name)); break;
    case TForm::I32: m = static_cast<T>(r.I32(f.name)); break;
    case TForm::U32: m = static_cast<T>(r.U32(f.name)); break;
    case TForm::Coord: m = static_cast<T>(Version >= 0x60000 ? r.I32(f.name) : r.I16(f.name)); break;
    default: break;
  }
}

template <class T>
ZKW_FIELD_INLINE std::enable_if_t<std::is_arithmetic_v<T>> WriteField(TRecordWriter& w, const TField& f, const T& m) {
  switch (f.form) {
    case TForm::Bool: w.U8(m ? 1 : 0); break;
    case TForm::U8: w.U8(static_cast<uint8_t>(m)); break;
    case TForm::I16: w.I16(static_cast<int16_t>(m)); break;
    case TForm::U16: w.U16(static_cast<uint16_t>(m)); break;
    case TForm::I32:
    case TForm::Coord: w.I32(static_cast<int32_t>(m)); break;
    case TForm::U32: w.U32(static_cast<uint32_t>(m)); break;
    default: break;
  }
}

void ReadField(TRecordReader& r, int32_t Version, const TField& f, TSmallRect& m);
void WriteField(TRecordWriter& w, const TField& f, const TSmallRect& m);
void ReadField(TRecordReader& r, int32_t Version, const TField& f, std::string& m);
void WriteField(TRecordWriter& w, const TField& f, const std::string& m);

// Fixed arrays store their elements one after the other in the field's form.
template <class T, size_t N>
ZKW_FIELD_INLINE void ReadField(TRecordReader& r, int32_t Version, const TField& f, std::array<T, N>& m) {
  if (f.form == TForm::U8 && sizeof(T) == 1) {
    r.Bytes(m.data(), static_cast<int64_t>(N), f.name);
    return;
  }
  for (T& e : m) ReadField(r, Version, f, e);
}
template <class T, size_t N>
ZKW_FIELD_INLINE void WriteField(TRecordWriter& w, const TField& f, const std::array<T, N>& m) {
  if (f.form == TForm::U8 && sizeof(T) == 1) {
    w.Bytes(m.data(), static_cast<int64_t>(N));
    return;
  }
  for (const T& e : m) WriteField(w, f, e);
}

// --- script values ------------------------------------------------------------------------------------

// Reads a plain property: type code 2 (number in Value) or 3 (text in SValue).
template <class T>
ZKW_FIELD_INLINE int32_t GetField(const TField& f, const T& m, int32_t PropID, long double& Value, std::string& SValue) {
  (void)SValue;
  if constexpr (std::is_same_v<T, std::string>) {
    (void)Value;
    (void)PropID;
    SValue = m;
    return 3;
  } else if constexpr (std::is_same_v<T, TSmallRect>) {
    const int32_t side[4] = {m.left, m.top, m.right, m.bottom};
    Value = side[PropID - f.prop];
    return 2;
  } else {
    (void)PropID;
    Value = static_cast<long double>(m);
    return 2;
  }
}

int64_t ConvertWhole(const TField& f, long double IValue);

template <class T>
ZKW_FIELD_INLINE void SetField(const TField& f, T& m, int32_t PropID, const std::string& SValue, long double IValue) {
  if constexpr (std::is_same_v<T, std::string>) {
    (void)f, (void)PropID, (void)IValue;
    m = SValue;
  } else if constexpr (std::is_same_v<T, TSmallRect>) {
    (void)SValue;
    int32_t* side[4] = {&m.left, &m.top, &m.right, &m.bottom};
    *side[PropID - f.prop] = static_cast<int32_t>(ConvertWhole(f, IValue));
  } else if constexpr (std::is_same_v<T, bool>) {
    (void)f, (void)PropID, (void)SValue;
    m = IValue != 0;
  } else if constexpr (std::is_floating_point_v<T>) {
    (void)f, (void)PropID, (void)SValue;
    m = static_cast<T>(IValue);  // stores keep the full value
  } else {
    (void)PropID, (void)SValue;
    m = static_cast<T>(ConvertWhole(f, IValue));
  }
}

template <class T>
struct TIsArray : std::false_type {};  // arrays of numbers
template <class T, size_t N>
struct TIsArray<std::array<T, N>> : std::is_arithmetic<T> {};
// Members a record can hold as plain fields (others are kept: copied, never stored).
template <class T>
constexpr bool kStorable = std::is_arithmetic_v<T> || std::is_same_v<T, std::string> ||
                           std::is_same_v<T, TSmallRect> || TIsArray<T>::value;

// Members a script value can go into: numbers, texts and regions.
template <class T>
constexpr bool kScriptVisible = std::is_arithmetic_v<T> || std::is_same_v<T, std::string> || std::is_same_v<T, TSmallRect>;

template <class T>
ZKW_FIELD_INLINE bool HasProp(const TField& f, int32_t PropID) {
  if constexpr (!kScriptVisible<T>) return false;
  if (f.prop == 0) return false;
  if constexpr (std::is_same_v<T, TSmallRect>)
    return PropID >= f.prop && PropID <= f.prop + 3;
  else
    return PropID == f.prop || (f.alias != 0 && PropID == f.alias);
}

// Appends a property id with its name.
void ListProp(TPropList& List, int32_t PropID);

// --- visitors ---------------------------------------------------------------------------------------

// Calls every visitor takes besides fields; only the property list uses them.
struct TVisitor {
  // A property the kind reads and writes by hand: the list takes its id in this place.
  void Hand(int16_t PropID) { (void)PropID; }
  // The whole property list of the kind in an order of its own, given first in the description
  // (older kinds list their ids in an order that is not their record's).
  void ListOrder(std::initializer_list<int16_t> Ids) { (void)Ids; }
  // A nested block of the record (lists, sub-records) that the kind reads and writes itself, in
  // this place: bool Read(TRecordReader&, int32_t Version) and void Write(TRecordWriter&) const.
  template <class R, class W>
  void Block(R Read, W Write, int32_t Since = 0) { (void)Read, (void)Write, (void)Since; }
  // A number the record holds without meaning: skipped when read, written as 0.
  void Reserved(const TField& f) { (void)f; }
};

template <class K>
struct TReader : TVisitor {
  K& obj;
  TRecordReader& r;
  int32_t version;
  template <class C, class T>
  ZKW_FIELD_INLINE void operator()(T C::*m, const TField& f) {
    if constexpr (kStorable<T>)
      if (f.form != TForm::None && version >= f.since) ReadField(r, version, f, obj.*m);
  }
  template <class R, class W>
  ZKW_FIELD_INLINE void Block(R Read, W Write, int32_t Since = 0) {
    (void)Write;
    if (version >= Since && r.Ok()) (obj.*Read)(r, version);
  }
  ZKW_FIELD_INLINE void Reserved(const TField& f) {
    int32_t unused = 0;
    if (version >= f.since) ReadField(r, version, f, unused);
  }
};

template <class K>
struct TWriter : TVisitor {
  const K& obj;
  TRecordWriter& w;
  template <class C, class T>
  ZKW_FIELD_INLINE void operator()(T C::*m, const TField& f) {
    if constexpr (kStorable<T>)
      if (f.form != TForm::None) WriteField(w, f, obj.*m);
  }
  template <class R, class W>
  ZKW_FIELD_INLINE void Block(R Read, W Write, int32_t Since = 0) {
    (void)Read, (void)Since;
    (obj.*Write)(w);
  }
  ZKW_FIELD_INLINE void Reserved(const TField& f) { WriteField(w, f, int32_t{0}); }
};

template <class K>
struct TCopier : TVisitor {
  K& obj;
  const K& from;
  template <class C, class T>
  ZKW_FIELD_INLINE void operator()(T C::*m, const TField& f) {
    if (f.copied) obj.*m = from.*m;
  }
};

template <class K>
struct TGetter : TVisitor {
  K& obj;
  int32_t id;
  long double& value;
  std::string& text;
  int32_t type = 0;
  template <class C, class T>
  ZKW_FIELD_INLINE void operator()(T C::*m, const TField& f) {
    if constexpr (kScriptVisible<T>)
      if (type == 0 && HasProp<T>(f, id)) type = (f.access & kReadable) ? GetField(f, obj.*m, id, value, text) : 2;
  }
};

template <class K>
struct TSetter : TVisitor {
  K& obj;
  int32_t id;
  const std::string& text;
  long double value;
  bool done = false;
  template <class C, class T>
  ZKW_FIELD_INLINE void operator()(T C::*m, const TField& f) {
    if constexpr (kScriptVisible<T>) {
      if (done || !(f.access & kWritable) || !HasProp<T>(f, id)) return;
      done = true;
      SetField(f, obj.*m, id, text, value);
    }
  }
};

struct TLister : TVisitor {
  TPropList& list;
  bool ordered = false;
  template <class C, class T>
  ZKW_FIELD_INLINE void operator()(T C::*m, const TField& f) {
    (void)m;
    if (ordered || f.prop == 0) return;
    ListProp(list, f.prop);
    if constexpr (std::is_same_v<T, TSmallRect>)
      for (int32_t i = 1; i < 4; ++i) ListProp(list, f.prop + i);
  }
  void Hand(int16_t PropID) {
    if (!ordered) ListProp(list, PropID);
  }
  void ListOrder(std::initializer_list<int16_t> Ids) {
    ordered = true;
    for (int16_t id : Ids) ListProp(list, id);
  }
};

}  // namespace fields

// The motion a copy of a moving object takes; each moving kind stores its part in its record.
template <class V>
void TMovingObj::Fields(V& v) {
  using namespace fields;
  using Self = TMovingObj;
  v(&Self::FDx, Kept("Dx"));
  v(&Self::FDy, Kept("Dy"));
  v(&Self::FRegion, Kept("Region"));
  v(&Self::FFromX, Kept("FromX"));
  v(&Self::FFromY, Kept("FromY"));
  v(&Self::FBounce, Kept("Bounce"));
  v(&Self::FIsRandom, Kept("IsRandom"));
  v(&Self::FFlip, Kept("Flip"));
  v(&Self::FEnableFlipX, Kept("EnableFlipX"));
  v(&Self::FEnableFlipY, Kept("EnableFlipY"));
}

// FromX, FromY (coordinates), Dx, Dy (int16) and the region, ids 17 to 24: the run with which
// several moving kinds store their motion.
template <class V>
void StartStepAndRegion(V& v) {
  using namespace fields;
  using M = TMovingObj;
  v(&M::FFromX, Coord("FromX").Prop(17));
  v(&M::FFromY, Coord("FromY").Prop(18));
  v(&M::FDx, I16("Dx").Prop(19));
  v(&M::FDy, I16("Dy").Prop(20));
  v(&M::FRegion, Region("Region").Prop(21));
}

// --- the description as a whole ---------------------------------------------------------------------

template <class K, class D = K>
void ReadFields(K& obj, TRecordReader& r, int32_t Version) {
  fields::TReader<K> v{{}, obj, r, Version};
  D::Fields(v);
}

template <class K, class D = K>
void WriteFields(const K& obj, TRecordWriter& w) {
  fields::TWriter<K> v{{}, obj, w};
  D::Fields(v);
}

template <class K, class D = K>
void CopyFields(K& obj, const K& from) {
  fields::TCopier<K> v{{}, obj, from};
  D::Fields(v);
}

// Type code 2 or 3 when the id is one of the described properties, else 0 (nothing changed).
template <class K, class D = K>
int32_t GetDescribedValue(K& obj, int32_t PropID, long double& Value, std::string& SValue) {
  fields::TGetter<K> v{{}, obj, PropID, Value, SValue};
  D::Fields(v);
  return v.type;
}

// True when the id is one of the described properties that scripts may write (then written).
template <class K, class D = K>
bool SetDescribedValue(K& obj, int32_t PropID, const std::string& SValue, long double IValue) {
  fields::TSetter<K> v{{}, obj, PropID, SValue, IValue};
  D::Fields(v);
  return v.done;
}

template <class K, class D = K>
void ListFieldProps(TPropList& List) {
  fields::TLister v{{}, List};
  D::Fields(v);
}

// A kind class made from its description: Kind derives from TKind<Kind, Base> and declares
//   template <class V> static void Fields(V& v);
// Its record is read, written and copied, and its plain properties read, written and listed,
// from that description, after the base's. A kind whose record holds more than plain fields
// overrides ReadKindRecord / WriteKindRecord (calling these first or last, as its record
// orders them); properties with behaviour override GetValue / SetValue and pass the other ids
// on to these.
template <class Kind, class Base>
class TKind : public Base {
 public:
  using Self = Kind;

  bool ReadKindRecord(TRecordReader& r, int32_t Version) override {
    if (!Base::ReadKindRecord(r, Version)) return false;
    ReadFields(static_cast<Kind&>(*this), r, Version);
    return r.Ok();
  }
  void WriteKindRecord(TRecordWriter& w) const override {
    Base::WriteKindRecord(w);
    WriteFields(static_cast<const Kind&>(*this), w);
  }
  void CopyFrom(const TAnimateObj& AObj) override {
    Base::CopyFrom(AObj);
    if (auto* from = dynamic_cast<const Kind*>(&AObj)) CopyFields(static_cast<Kind&>(*this), *from);
  }
  TAnimateObj* NewOfSameKind() const override { return new Kind(); }
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override {
    Value = 0;
    SValue.clear();
    int32_t type = GetDescribedValue(static_cast<Kind&>(*this), PropID, Value, SValue);
    return type ? type : Base::GetValue(PropID, Value, SValue);
  }
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override {
    if (SetDescribedValue(static_cast<Kind&>(*this), PropID, SValue, IValue))
      this->PropertyWritten(PropID);
    else
      Base::SetValue(PropID, SValue, IValue);
  }
  void GetPropsToList(TPropList& List) override {
    Base::GetPropsToList(List);
    ListFieldProps<Kind>(List);
  }
};

}  // namespace zkw
