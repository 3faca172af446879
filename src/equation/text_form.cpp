// The text form of items and rows.
#include "equation/text_form.h"

#include <string>

#include "equation/equation.h"

namespace zkw {

namespace {

constexpr int32_t kMaxTextField = 999;

void AppendAscii(ZString& out, const std::string& ascii) {
  for (char c : ascii) out += static_cast<ZChar>(c);
}

bool IsDigit(ZChar c) { return c >= '0' && c <= '9'; }

}  // namespace

ZString EscapeText(const ZString& text) {
  ZString out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const ZChar c = text[i];
    const bool ampBeforeHash = c == '&' && i + 1 < text.size() && text[i + 1] == '#';
    if (c >= 256 || ampBeforeHash)
      AppendAscii(out, "&#" + std::to_string(static_cast<uint32_t>(c)) + "#");
    else
      out += c;
  }
  return out;
}

ZString UnescapeText(const ZString& text) {
  ZString out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size() && text[i + 1] == '#') {
      size_t j = i + 2;
      uint32_t code = 0;
      while (j < text.size() && j < i + 7 && IsDigit(text[j])) code = code * 10 + (text[j++] - '0');
      if (j > i + 2 && j < text.size() && text[j] == '#' && code <= 0xFFFF) {
        out += static_cast<ZChar>(code);
        i = j;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

void InsertAt(ZString& st, int32_t& index, const ZString& text) {
  int64_t at = int64_t{index} - 1;
  if (at < 0) at = 0;
  if (at > static_cast<int64_t>(st.size())) at = static_cast<int64_t>(st.size());
  st.insert(static_cast<size_t>(at), text);
  index = static_cast<int32_t>(at + 1 + static_cast<int64_t>(text.size()));
}

TTextReader::TTextReader(const ZString& st, int32_t index) : FText(st), FPos(int64_t{index} - 1) {}

bool TTextReader::Length(int32_t& length) {
  if (Left() < 3) return Refuse("the equation text ends " + Where() + " where a length was due");
  length = 0;
  for (int i = 0; i < 3; ++i) {
    const ZChar c = FText[static_cast<size_t>(FPos + i)];
    if (!IsDigit(c)) return Refuse("length " + Where() + " is not three digits");
    length = length * 10 + (c - '0');
  }
  FPos += 3;
  return true;
}

bool TTextReader::Number(int32_t& value, int64_t lowest, int64_t highest) {
  const int64_t at = FPos;
  int32_t length;
  if (!Length(length)) return false;
  if (length < 1 || length > 11 || length > Left())
    return Refuse("number of " + std::to_string(length) + " characters at character " + std::to_string(at + 1) +
                  " is not 1..11 characters of the text");
  size_t i = static_cast<size_t>(FPos);
  const size_t end = i + static_cast<size_t>(length);
  const bool negative = FText[i] == '-';
  if (negative) ++i;
  int64_t v = 0;
  if (i == end) return Refuse("number at character " + std::to_string(at + 1) + " has no digits");
  for (; i < end; ++i) {
    if (!IsDigit(FText[i])) return Refuse("number at character " + std::to_string(at + 1) + " is not decimal");
    v = v * 10 + (FText[i] - '0');
  }
  if (negative) v = -v;
  if (v < lowest || v > highest)
    return Refuse("number " + std::to_string(v) + " at character " + std::to_string(at + 1) + " is outside " +
                  std::to_string(lowest) + ".." + std::to_string(highest));
  FPos = static_cast<int64_t>(end);
  value = static_cast<int32_t>(v);
  return true;
}

bool TTextReader::Field(int32_t& value, int size) {
  return size == 1 ? Number(value, 0, 255) : Number(value, INT32_MIN, INT32_MAX);
}

bool TTextReader::Common(TEquationItem& item) {
  int32_t color, textColor;
  if (!Field(color, 4) || !Field(textColor, 4)) return false;
  item.FColor = static_cast<plat::COLORREF>(color);
  item.FTextColor = static_cast<plat::COLORREF>(textColor);
  return true;
}

bool TTextReader::Text(ZString& text, const TEquationItem&) {
  const int64_t at = FPos;
  int32_t length;
  if (!Length(length)) return false;
  if (length > Left()) return Refuse("text of " + std::to_string(length) + " characters " + Where() + " runs past the end");
  text = UnescapeText(FText.substr(static_cast<size_t>(FPos), static_cast<size_t>(length)));
  FPos += length;
  if (text.size() > kMaxExprLength)
    return Refuse("text at character " + std::to_string(at + 1) + " holds " + std::to_string(text.size()) +
                  " characters, more than 101");
  return true;
}

bool TTextReader::Count(int32_t& n, int64_t least, const char* what) {
  const int64_t at = FPos;
  if (!Number(n, 0, INT32_MAX)) return false;
  if (n * least > Left())
    return Refuse(std::string(what) + " count " + std::to_string(n) + " at character " + std::to_string(at + 1) +
                  " cannot fit in the " + std::to_string(Left()) + " characters left");
  return true;
}

bool TTextReader::Code(int32_t& code) {
  if (!Number(code, INT32_MIN, INT32_MAX)) return false;
  FGridCells = code == 48;
  if (FGridCells) code = 46;
  return true;
}

void TTextWriter::Number(int64_t value) {
  const std::string digits = std::to_string(value);
  std::string field = std::to_string(digits.size());
  field.insert(0, 3 - field.size(), '0');
  AppendAscii(FOut, field + digits);
}

void TTextWriter::Common(TEquationItem& item) {
  Number(static_cast<int32_t>(item.FColor));
  Number(static_cast<int32_t>(item.FTextColor));
}

void TTextWriter::Text(const ZString& text) {
  ZString escaped = EscapeText(text);
  if (escaped.size() > kMaxTextField) escaped.resize(kMaxTextField);
  std::string field = std::to_string(escaped.size());
  field.insert(0, 3 - field.size(), '0');
  AppendAscii(FOut, field);
  FOut += escaped;
}

void TEquationItem::ExportObj(ZString& St, int32_t& index) {
  TTextWriter w;
  WriteTo(w);
  InsertAt(St, index, w.FOut);
}

bool TEquationItem::ImportObj(const ZString& St, int32_t& index) {
  if (index < 1 || index > static_cast<int64_t>(St.size()) + 1) return false;
  TTextReader r(St, index);
  r.FGridCells = true;  // ExportObj writes a grid with its cells, as under code 48
  InitDefaults();
  if (!ReadFrom(r)) return false;
  index = r.Index();
  return true;
}

bool TEquationItem::ImportEqList(const ZString& st, int32_t& index) {
  if (index < 1 || index > static_cast<int64_t>(st.size()) + 1) return false;
  TTextReader r(st, index);
  if (!ReadChildren(r)) return false;
  index = r.Index();
  return true;
}

void TEquation::ExportTo(ZString& st, int32_t& index) {
  TTextWriter w;
  WriteItems(w);
  InsertAt(st, index, w.FOut);
}

bool TEquation::ImportFrom(const ZString& st, int32_t& index) {
  if (index < 1 || index > static_cast<int64_t>(st.size()) + 1) {
    TTextReader r(st, 1);
    return r.Refuse("text position " + std::to_string(index) + " lies outside 1.." + std::to_string(st.size() + 1));
  }
  TTextReader r(st, index);
  if (!ReadReplacing(r)) return false;
  index = r.Index();
  return true;
}

}  // namespace zkw
