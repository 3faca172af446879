#include "equation/binary_form.h"

#include <cstring>
#include <vector>

#include "common/byte_stream.h"
#include "equation/equation_defaults.h"
#include "equation/equation_item.h"
#include "text/ansi_text.h"

namespace zkw {

namespace {

// Longest stream text: 101 units and the terminator.
constexpr int32_t kMaxStreamTextBytes = 2 * static_cast<int32_t>(kMaxExprLength) + 2;
// Bytes of an 8-bit text looked at: enough for 101 units in any code page.
constexpr int64_t kMaxAnsiTextBytes = 4 * static_cast<int64_t>(kMaxExprLength);

ZString UnitsToZero(const uint8_t* bytes, size_t units) {
  ZString text;
  text.reserve(units);
  for (size_t i = 0; i < units; ++i) {
    const ZChar c = static_cast<ZChar>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    if (c == 0) break;
    text += c;
  }
  return text;
}

}  // namespace

TBinaryReader::TBinaryReader(TStream& stream) : FForm(TEqForm::efStream), FStream(&stream) {
  FBase = stream.Position();
  FSize = stream.Size() - FBase;
}

TBinaryReader::TBinaryReader(const uint8_t* data, size_t size, TEqForm form)
    : FForm(form), FData(data), FSize(static_cast<int64_t>(size)) {}

std::string TBinaryReader::WhereAt(int64_t at) const { return "at byte " + std::to_string(FBase + at); }

bool TBinaryReader::Bytes(void* out, int64_t n) {
  if (n > Left())
    return Refuse("the equation data ends " + Where() + " (" + std::to_string(n) + " bytes needed, " +
                  std::to_string(Left()) + " left)");
  if (FStream) {
    if (!FStream->ReadExact(out, static_cast<int32_t>(n))) return Refuse("the stream cannot be read " + Where());
  } else {
    std::memcpy(out, FData + FPos, static_cast<size_t>(n));
  }
  FPos += n;
  return true;
}

bool TBinaryReader::Field(int32_t& value, int size) {
  if (size == 1) {
    uint8_t b;
    if (!Bytes(&b, 1)) return false;
    value = b;
    return true;
  }
  return Bytes(&value, 4);
}

bool TBinaryReader::Count(int32_t& n, int64_t least, const char* what) {
  const int64_t at = FPos;
  if (!Field(n, 4)) return false;
  if (n < 0) return Refuse(std::string(what) + " count " + std::to_string(n) + " " + WhereAt(at) + " is negative");
  if (n * least > Left())
    return Refuse(std::string(what) + " count " + std::to_string(n) + " " + WhereAt(at) + " cannot fit in the " +
                  std::to_string(Left()) + " bytes left");
  return true;
}

bool TBinaryReader::Common(TEquationItem& item) {
  int32_t color, textColor;
  if (!Field(color, 4) || !Field(textColor, 4)) return false;
  item.FColor = static_cast<plat::COLORREF>(color);
  item.FTextColor = static_cast<plat::COLORREF>(textColor);
  if (FForm == TEqForm::efStream) return Field(item.FVersion, 4);
  // Buffer form: the marker of version 2, or a value that belongs to what follows.
  int32_t marker = 0;
  if (Left() >= 4) std::memcpy(&marker, FData + FPos, 4);
  if (marker == kBufferMarker) {
    FPos += 4;
    item.FVersion = kEquationVersion2;
  } else {
    item.FVersion = kEquationVersion1;
  }
  return true;
}

bool TBinaryReader::Text(ZString& text, const TEquationItem& item) {
  if (FForm == TEqForm::efStream) return StreamText(text);
  return item.FVersion == kEquationVersion2 ? CountedText(text) : AnsiText(text);
}

bool TBinaryReader::StreamText(ZString& text) {
  const int64_t at = FPos;
  int32_t length;
  if (!Field(length, 4)) return false;
  if (length < 0 || length % 2 != 0 || length > kMaxStreamTextBytes)
    return Refuse("text length " + std::to_string(length) + " " + WhereAt(at) + " is not an even 0.." +
                  std::to_string(kMaxStreamTextBytes));
  uint8_t bytes[kMaxStreamTextBytes];
  if (!Bytes(bytes, length)) return false;
  text = UnitsToZero(bytes, static_cast<size_t>(length / 2));
  return true;
}

bool TBinaryReader::CountedText(ZString& text) {
  const int64_t at = FPos;
  int32_t units;
  if (!Field(units, 4)) return false;
  if (units < 0 || units > static_cast<int32_t>(kMaxExprLength))
    return Refuse("text of " + std::to_string(units) + " units " + WhereAt(at) + " is outside 0..101");
  uint8_t bytes[2 * kMaxExprLength];
  if (!Bytes(bytes, 2 * int64_t{units})) return false;
  text.resize(static_cast<size_t>(units));
  for (int32_t i = 0; i < units; ++i) text[i] = static_cast<ZChar>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  return true;
}

bool TBinaryReader::AnsiText(ZString& text) {
  const int64_t at = FPos;
  int32_t count;
  if (!Field(count, 4)) return false;
  if (count < 0 || count > Left())
    return Refuse("8-bit text of " + std::to_string(count) + " bytes " + WhereAt(at) + " runs past the end");
  // Up to the first zero; the text is cut at 101 units anyway.
  const int64_t look = count < kMaxAnsiTextBytes ? count : kMaxAnsiTextBytes;
  std::string bytes(static_cast<size_t>(look), '\0');
  if (FStream) {
    if (!Bytes(&bytes[0], look)) return false;
    std::vector<uint8_t> rest(static_cast<size_t>(count - look));
    if (!Bytes(rest.data(), count - look)) return false;
  } else {
    std::memcpy(&bytes[0], FData + FPos, static_cast<size_t>(look));
    FPos += count;
  }
  bytes.resize(std::strlen(bytes.c_str()));
  text = FromAnsi(bytes).substr(0, kMaxExprLength);
  return true;
}

TBinaryWriter::TBinaryWriter(TStream& stream, TEqForm form) : FForm(form), FStream(&stream) {}

TBinaryWriter::TBinaryWriter(uint8_t*& cursor, TEqForm form) : FForm(form), FCursor(&cursor) {}

TBinaryWriter::TBinaryWriter(std::vector<uint8_t>& out, TEqForm form) : FForm(form), FOut(&out) {}

void TBinaryWriter::Bytes(const void* data, size_t n) {
  if (FOut) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    FOut->insert(FOut->end(), bytes, bytes + n);
  } else if (FStream) {
    if (FOk && !FStream->WriteExact(data, static_cast<int32_t>(n))) FOk = false;
  } else {
    std::memcpy(*FCursor, data, n);
    *FCursor += n;
  }
}

void TBinaryWriter::Field(int32_t value, int size) {
  if (size == 1) {
    const uint8_t b = static_cast<uint8_t>(value);
    Bytes(&b, 1);
  } else {
    Bytes(&value, 4);
  }
}

void TBinaryWriter::Common(TEquationItem& item) {
  Field(static_cast<int32_t>(item.FColor), 4);
  Field(static_cast<int32_t>(item.FTextColor), 4);
  if (FForm == TEqForm::efBuffer) {
    item.FVersion = kEquationVersion2;
    Field(kBufferMarker, 4);
  } else {
    Field(item.FVersion, 4);
  }
}

void TBinaryWriter::Text(const ZString& text) {
  const size_t units = text.size() < kMaxExprLength ? text.size() : kMaxExprLength;
  uint8_t bytes[2 * kMaxExprLength + 2];
  for (size_t i = 0; i < units; ++i) {
    bytes[2 * i] = static_cast<uint8_t>(text[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<uint8_t>((text[i] >> 8) & 0xFF);
  }
  if (FForm == TEqForm::efStream) {
    bytes[2 * units] = bytes[2 * units + 1] = 0;
    Field(static_cast<int32_t>(2 * units + 2), 4);
    Bytes(bytes, 2 * units + 2);
  } else {
    Field(static_cast<int32_t>(units), 4);
    Bytes(bytes, 2 * units);
  }
}

}  // namespace zkw
