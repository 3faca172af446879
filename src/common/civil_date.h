// Day numbers of the proleptic Gregorian calendar counted from 30 December 1899 (day 0), the
// date serial of scripts and tables, and back.
#pragma once
#include <cstdint>

namespace zkw {

struct TCivilDate {
  int32_t Year = 0, Month = 0, Day = 0;
};

// Serial day numbers of 1 January of year 1 and of 31 December 9999.
constexpr int64_t kFirstSerialDay = -693593, kLastSerialDay = 2958465;

inline int64_t SerialFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 + 25569;  // 25569: days from 1899-12-30 to 1970-01-01
}

// The date of a day number; all zero outside years 1 to 9999.
inline TCivilDate CivilFromSerial(int64_t serial) {
  TCivilDate c;
  if (serial < kFirstSerialDay || serial > kLastSerialDay) return c;
  int64_t z = serial - 25569 + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  c.Day = static_cast<int32_t>(doy - (153 * mp + 2) / 5 + 1);
  c.Month = static_cast<int32_t>(mp < 10 ? mp + 3 : mp - 9);
  c.Year = static_cast<int32_t>(yoe + era * 400 + (c.Month <= 2));
  return c;
}

}  // namespace zkw
