// The stream form: items and rows read from and written to byte streams.
#include <algorithm>
#include <climits>
#include <vector>

#include "common/byte_stream.h"
#include "equation/binary_form.h"
#include "equation/equation.h"

namespace zkw {

namespace {

// Memory streams are read in place: the reader walks the stream's bytes and the stream's
// position then moves past what was read, where reading field by field would have left it.
template <class ReadFn>
bool ReadStream(TStream& Stream, ReadFn read) {
  auto* memory = dynamic_cast<TMemoryStream*>(&Stream);
  if (!memory) {
    TBinaryReader r(Stream);
    return read(r);
  }
  const int64_t at = Stream.Position();
  const std::vector<uint8_t>& bytes = memory->Bytes();
  const size_t from = std::min(static_cast<size_t>(at), bytes.size());
  TBinaryReader r(bytes.data() + from, bytes.size() - from, TEqForm::efStream);
  r.SetOffset(at);
  const bool ok = read(r);
  Stream.Seek(r.Cursor() - (bytes.data() + from), SeekOrigin::soCurrent);
  return ok;
}

// Composes the bytes in memory and gives them to the stream in one write: a field-by-field
// write costs a virtual call and a size check per field.
template <class WriteFn>
bool WriteStream(TStream& Stream, WriteFn write) {
  std::vector<uint8_t> bytes;
  bytes.reserve(4096);
  TBinaryWriter w(bytes, TEqForm::efStream);
  write(w);
  if (bytes.size() > INT32_MAX) return false;
  return Stream.WriteExact(bytes.data(), static_cast<int32_t>(bytes.size()));
}

}  // namespace

bool TEquationItem::ReadParameter(TStream& Stream) {
  TBinaryReader r(Stream);
  return r.Common(*this);
}

bool TEquationItem::ReadEqList(TStream& Stream) {
  TBinaryReader r(Stream);
  return ReadChildren(r);
}

bool TEquationItem::Read(TStream& Stream) {
  InitDefaults();
  return ReadStream(Stream, [this](TBinaryReader& r) { return ReadFrom(r); });
}

bool TEquationItem::WriteParameter(TStream& Stream) {
  TBinaryWriter w(Stream);
  w.Common(*this);
  return w.Ok();
}

bool TEquationItem::WriteEqList(TStream& Stream) {
  TBinaryWriter w(Stream);
  WriteChildren(w);
  return w.Ok();
}

bool TEquationItem::Write(TStream& Stream) {
  return WriteStream(Stream, [this](TBinaryWriter& w) { WriteTo(w); });
}

bool TEquation::Read(TStream& Stream) {
  return ReadStream(Stream, [this](TBinaryReader& r) { return ReadReplacing(r); });
}

bool TEquation::Write(TStream& Stream) {
  return WriteStream(Stream, [this](TBinaryWriter& w) { WriteItems(w); });
}

}  // namespace zkw
