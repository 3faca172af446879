// The buffer form: the font record and the row, in memory the host provides.
#include <cstring>

#include "equation/binary_form.h"
#include "equation/equation.h"

namespace zkw {

namespace {

TBinaryReader UnsizedReader(const uint8_t* Buf) {
  return TBinaryReader(Buf, TBinaryReader::kUnsized, TEqForm::efBuffer);
}

}  // namespace

bool TEquationItem::LoadEqList(const uint8_t*& Buf) {
  TBinaryReader r = UnsizedReader(Buf);
  const bool ok = ReadChildren(r);
  Buf = r.Cursor();
  return ok;
}

bool TEquationItem::LoadParameter(const uint8_t*& Buf) {
  TBinaryReader r = UnsizedReader(Buf);
  const bool ok = r.Common(*this);
  Buf = r.Cursor();
  return ok;
}

bool TEquationItem::LoadObj(const uint8_t*& Buf) {
  TBinaryReader r = UnsizedReader(Buf);
  InitDefaults();
  const bool ok = ReadFrom(r);
  Buf = r.Cursor();
  return ok;
}

void TEquationItem::SaveEqList(uint8_t*& Buf) {
  TBinaryWriter w(Buf, TEqForm::efBuffer);
  WriteChildren(w);
}

void TEquationItem::SaveParameter(uint8_t*& Buf) {
  TBinaryWriter w(Buf, TEqForm::efBuffer);
  w.Common(*this);
}

void TEquationItem::SaveObj(uint8_t*& Buf) {
  TBinaryWriter w(Buf, TEqForm::efBuffer);
  WriteTo(w);
}

void TEquation::SaveTo(uint8_t*& Buf) {
  TBinaryWriter w(Buf, TEqForm::efBuffer);
  WriteItems(w);
}

void TEquation::SaveToBuffer(uint8_t* Buf) {
  if (!Buf) return;
  std::memcpy(Buf, &FFontID, sizeof FFontID);
  Buf += sizeof FFontID;
  SaveTo(Buf);
}

namespace {

// The font record, then the row; the font is applied to the whole tree once all was read.
bool LoadBuffer(TEquation& equation, const uint8_t* Buf, size_t Size) {
  if (Size < sizeof(TFontID)) {
    TBinaryReader r(Buf, Size, TEqForm::efBuffer);
    return r.Refuse("an equation buffer of " + std::to_string(Size) + " bytes cannot hold the 136-byte font record");
  }
  TFontID stored;
  std::memcpy(&stored, Buf, sizeof stored);
  TBinaryReader r(Buf + sizeof stored, Size - sizeof stored, TEqForm::efBuffer);
  r.SetOffset(sizeof stored);
  if (!equation.ReadReplacing(r)) return false;
  equation.SetFontID(SanitizedFontID(stored));
  return true;
}

}  // namespace

bool TEquation::LoadFromBuffer(const uint8_t* Buf) {
  if (!Buf) return false;
  return LoadBuffer(*this, Buf, TBinaryReader::kUnsized);
}

bool TEquation::LoadFromBuffer(const uint8_t* Buf, size_t Size) {
  if (!Buf) Size = 0;
  return LoadBuffer(*this, Buf, Size);
}

}  // namespace zkw
