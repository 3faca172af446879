// The stream form: items and rows read from and written to byte streams.
#include "common/byte_stream.h"
#include "equation/binary_form.h"
#include "equation/equation.h"

namespace zkw {

bool TEquationItem::ReadParameter(TStream& Stream) {
  TBinaryReader r(Stream);
  return r.Common(*this);
}

bool TEquationItem::ReadEqList(TStream& Stream) {
  TBinaryReader r(Stream);
  return ReadChildren(r);
}

bool TEquationItem::Read(TStream& Stream) {
  TBinaryReader r(Stream);
  InitDefaults();
  return ReadFrom(r);
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
  TBinaryWriter w(Stream);
  WriteTo(w);
  return w.Ok();
}

bool TEquation::Read(TStream& Stream) {
  TBinaryReader r(Stream);
  return ReadReplacing(r);
}

bool TEquation::Write(TStream& Stream) {
  TBinaryWriter w(Stream);
  WriteItems(w);
  return w.Ok();
}

}  // namespace zkw
