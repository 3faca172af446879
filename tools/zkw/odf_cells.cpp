// Table fields as CSV cells.
#include "odf_cells.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/text16.h"
#include "odf/odf_values.h"
#include "text/ansi_text.h"

using namespace zkw;

namespace zkwtool {

namespace {

const char* const kTypeNames[] = {"string", "char", "byte", "word", "short", "long", "real",
                                  "logical", "date", "memo", "extended", "unicode"};

std::string Utf8OfAnsi(const std::string& bytes) { return ToUtf8(FromAnsi(bytes)); }

// UTF-8 to the 8-bit code page; false when a character has no byte there.
bool AnsiOfUtf8(const std::string& text, std::string& bytes) {
  ZString wide = FromUtf8(text);
  bytes = ToAnsi(wide);
  return FromAnsi(bytes) == wide;
}

bool ReadInteger(const std::string& cell, long long low, long long high, long long& value) {
  if (cell.empty()) return false;
  errno = 0;
  char* end = nullptr;
  value = std::strtoll(cell.c_str(), &end, 10);
  return errno == 0 && *end == 0 && value >= low && value <= high;
}

}  // namespace

std::string CsvRow(const std::vector<std::string>& cells) {
  std::string row;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i) row += ',';
    const std::string& c = cells[i];
    if (c.find_first_of(",\"\r\n") == std::string::npos) {
      row += c;
      continue;
    }
    row += '"';
    for (char ch : c) {
      if (ch == '"') row += '"';
      row += ch;
    }
    row += '"';
  }
  return row + "\r\n";
}

bool ParseCsv(const std::string& text, std::vector<std::vector<std::string>>& rows, std::string& reason) {
  std::vector<std::string> row;
  std::string cell;
  bool quoted = false, any = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        cell += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        cell += c;
      }
      continue;
    }
    any = true;
    if (c == '"') quoted = true;
    else if (c == ',') {
      row.push_back(cell);
      cell.clear();
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      row.push_back(cell);
      rows.push_back(row);
      row.clear();
      cell.clear();
      any = false;
    } else {
      cell += c;
    }
  }
  if (quoted) {
    reason = "a quoted cell is not closed";
    return false;
  }
  if (any) {
    row.push_back(cell);
    rows.push_back(row);
  }
  return true;
}

std::string FieldHeader(const TODFField& f) {
  std::string name(f.ofName, strnlen(f.ofName, 11));
  std::string type = f.ofType < 12 ? kTypeNames[f.ofType] : "t" + std::to_string(f.ofType);
  if (f.ofType == ftString) return name + ":" + type + ":" + std::to_string(f.ofLength);
  if (f.ofType == ftUnicode) return name + ":" + type + ":" + std::to_string(f.ofLength / 2);
  if (f.ofType >= 12) return name + ":" + type + ":" + std::to_string(f.ofLength);
  if ((f.ofType == ftReal || f.ofType == ftExtended) && f.ofDecimal)
    return name + ":" + type + ":" + std::to_string(f.ofLength) + ":" + std::to_string(f.ofDecimal);
  return name + ":" + type;
}

bool ParseFieldHeader(const std::string& cell, TODFFieldDef& def, std::string& reason) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    size_t colon = cell.find(':', start);
    parts.push_back(cell.substr(start, colon - start));
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  reason = "field header \"" + cell + "\" is not NAME:TYPE[:LEN[:DEC]]";
  if (parts.size() < 2 || parts.size() > 4) return false;
  def = TODFFieldDef{};
  def.Name = parts[0];
  def.Type = 255;
  for (uint8_t t = 0; t < 12; ++t)
    if (parts[1] == kTypeNames[t]) def.Type = t;
  long long n = 0;
  if (def.Type == 255) {
    if (parts[1].size() < 2 || parts[1][0] != 't' || !ReadInteger(parts[1].substr(1), 12, 255, n)) return false;
    def.Type = static_cast<uint8_t>(n);
  }
  if (parts.size() >= 3 && !ReadInteger(parts[2], 1, 255, n)) return false;
  if (parts.size() >= 3) def.Length = static_cast<int32_t>(n);
  if (parts.size() == 4) {
    if (!ReadInteger(parts[3], 0, 255, n)) return false;
    def.Decimal = static_cast<uint8_t>(n);
  }
  const bool declared = def.Type == ftString || def.Type == ftUnicode || def.Type >= 12;
  if (declared && parts.size() < 3) return false;
  reason.clear();
  return true;
}

std::string CellOf(const TStructItem& f) {
  switch (f.Type()) {
    case ftString: return Utf8OfAnsi(f.Getfs());
    case ftChar: return f.Getfc() ? Utf8OfAnsi(std::string(1, f.Getfc())) : std::string();
    case ftUnicode: return ToUtf8(f.Getfu());
    case ftByte: return std::to_string(f.Getfb());
    case ftWord: return std::to_string(f.Getfw());
    case ftShort: return std::to_string(f.Getfi());
    case ftLong: return std::to_string(f.Getfl());
    case ftReal: return ExactDecimalText(f.Getfr());
    case ftExtended: return ExactDecimalText(f.Getfe());
    case ftLogical: return f.Getflog() ? "T" : "F";
    case ftDate: {
      TODFDate d = f.GetDate();
      if (d.Year == 0 && d.Month == 0 && d.Day == 0) return std::string();
      char buf[32];
      std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.Year, d.Month, d.Day);
      return buf;
    }
    default: return std::string();  // memo and opaque types have no cell of their own
  }
}

bool StoreCell(const std::string& cell, TStructItem& f, std::string& reason) {
  long long n = 0;
  std::string bytes;
  switch (f.Type()) {
    case ftString:
      if (!AnsiOfUtf8(cell, bytes) || bytes.size() > static_cast<size_t>(f.Length() - 1) ||
          bytes.find('\0') != std::string::npos) {
        reason = "text does not fit " + std::to_string(f.Length() - 1) + " bytes of the code page";
        return false;
      }
      f.Setfs(bytes);
      return true;
    case ftChar:
      if (!AnsiOfUtf8(cell, bytes) || bytes.size() > 1) {
        reason = "not one character of the code page";
        return false;
      }
      f.Setfc(bytes.empty() ? 0 : bytes[0]);
      return true;
    case ftUnicode: {
      ZString wide = FromUtf8(cell);
      if (wide.size() > static_cast<size_t>(f.Length() / 2 - 1) || wide.find(ZChar(0)) != ZString::npos) {
        reason = "text does not fit " + std::to_string(f.Length() / 2 - 1) + " units";
        return false;
      }
      f.Setfu(wide);
      return true;
    }
    case ftByte:
    case ftWord:
    case ftShort:
    case ftLong: {
      static const long long kLow[] = {0, 0, -32768, -2147483648LL};
      static const long long kHigh[] = {255, 65535, 32767, 2147483647LL};
      int k = f.Type() - ftByte;
      if (!ReadInteger(cell.empty() ? "0" : cell, kLow[k], kHigh[k], n)) {
        reason = "not a whole number from " + std::to_string(kLow[k]) + " to " + std::to_string(kHigh[k]);
        return false;
      }
      f.SetNumber(static_cast<long double>(n));
      return true;
    }
    case ftReal:
    case ftExtended: {
      char* end = nullptr;
      long double v = cell.empty() ? 0 : std::strtold(cell.c_str(), &end);
      if (!cell.empty() && *end != 0) {
        reason = "not a number";
        return false;
      }
      if (f.Type() == ftReal) {
        uint8_t b[6];
        ExtendedToReal48(v, b);
        if (Real48ToExtended(b) != v && !(v != v)) {
          reason = "not exactly a 6-byte real";
          return false;
        }
      }
      f.SetNumber(v);
      return true;
    }
    case ftLogical:
      if (cell != "T" && cell != "F" && !cell.empty()) {
        reason = "not T or F";
        return false;
      }
      f.Setflog(cell == "T");
      return true;
    case ftDate: {
      TODFDate d{0, 0, 0};
      int y = 0, m = 0, day = 0;
      char tail = 0;
      if (!cell.empty() && (std::sscanf(cell.c_str(), "%d-%d-%d%c", &y, &m, &day, &tail) != 3 ||
                            y < 0 || y > 32767 || m < 0 || m > 255 || day < 0 || day > 255)) {
        reason = "not a date YYYY-MM-DD";
        return false;
      }
      d.Year = static_cast<int16_t>(y);
      d.Month = static_cast<uint8_t>(m);
      d.Day = static_cast<uint8_t>(day);
      f.SetDate(d);
      return true;
    }
    default:
      reason = "fields of this type cannot be written";
      return cell.empty();
  }
}

}  // namespace zkwtool
