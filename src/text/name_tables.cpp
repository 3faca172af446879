#include "text/name_tables.h"

#include "common/round.h"

namespace zkw {

namespace {

const char* const kDowName[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
// 8-bit Vietnamese encoding.
const char* const kDowVName[7] = {"Ch\xD4 nh\xE2t", "Th\xF7 Hai",   "Th\xF6 Ba",
                                  "Th\xF6 T\xF5",   "Th\xF6 N\xD7m", "Th\xF6 S\xBEu",
                                  "Th\xF6 B\xC0y"};
const char* const kMonthName[12] = {"January", "February", "March",     "April",
                                    "May",     "June",     "July",      "August",
                                    "September", "October", "November", "December"};
const char* const kVMonthName[12] = {
    "Th\xBEng Gi\xE3ng", "Th\xBEng Hai",        "Th\xBEng Ba",        "Th\xBEng T\xF5",
    "Th\xBEng N\xD7m",   "Th\xBEng S\xBEu",     "Th\xBEng B\xC0y",    "Th\xBEng T\xBEm",
    "Th\xBEng Ch\xC8n",  "Th\xBEng M\xF5\xF1i", "Th\xBEng M\xF5\xF1i M\xEEt",
    "Th\xBEng M\xF5\xF1i Hai"};

const char* const* Table(TNameTable table) {
  switch (table) {
    case ntDowName: return kDowName;
    case ntDowVName: return kDowVName;
    case ntMonthName: return kMonthName;
    case ntVMonthName: return kVMonthName;
  }
  return nullptr;
}

}  // namespace

int NameCount(TNameTable table) {
  return table == ntDowName || table == ntDowVName ? 7 : 12;
}

ZString NameAt(TNameTable table, int n) {
  const char* const* names = Table(table);
  if (!names || n < 1 || n > NameCount(table)) return {};
  ZString out;
  // Each byte is the unit of the same value: these texts do not pass through a code page.
  for (const char* p = names[n - 1]; *p; ++p) out += static_cast<ZChar>(static_cast<uint8_t>(*p));
  return out;
}

ZString NameOf(TNameTable table, long double n) {
  if (!(n >= 1 && n <= NameCount(table))) return {};
  return NameAt(table, static_cast<int>(Round(n)));
}

}  // namespace zkw
