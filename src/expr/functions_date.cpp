// Dates (codes 42-48). A date is kind 4: days since 30 December 1899 in the numeric slot, the
// integer part (truncated) being the day. Dates of years 1 to 9999 are decoded; any other value
// decodes to day, month and year 0.
#include <cmath>
#include <ctime>

#include "common/civil_date.h"
#include "expr/functions_support.h"

namespace zkw {

namespace {

constexpr int64_t kFirstDay = kFirstSerialDay, kLastDay = kLastSerialDay;
using TCivil = TCivilDate;

// The day number of a date value (truncated), or a value outside the decodable range.
int64_t DayOf(long double V) {
  if (!(V > kFirstDay - 1 && V < kLastDay + 1)) return kLastDay + 1;  // NaN too
  return static_cast<int64_t>(std::trunc(V));
}

int32_t DaysInMonth(int32_t y, int32_t m) {
  static const int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return m == 2 && leap ? 29 : kDays[m - 1];
}

std::tm LocalNow() {
  std::time_t t = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &t);
#else
  localtime_r(&t, &local);
#endif
  return local;
}

// A decimal number of 1 to 9 digits with blanks around it; -1 for anything else. Digits counts
// the digits written.
int32_t ReadPart(const std::string& S, int32_t& Digits) {
  size_t b = 0, e = S.size();
  while (b < e && S[b] == ' ') ++b;
  while (e > b && S[e - 1] == ' ') --e;
  Digits = static_cast<int32_t>(e - b);
  if (Digits < 1 || Digits > 9) return -1;
  int32_t v = 0;
  for (size_t i = b; i < e; ++i) {
    if (S[i] < '0' || S[i] > '9') return -1;
    v = v * 10 + (S[i] - '0');
  }
  return v;
}

// Month/day/year text to a day number; false when the text writes no valid date.
bool ParseDate(const std::string& S, int64_t& Serial) {
  size_t s1 = S.find('/');
  if (s1 == std::string::npos) return false;
  size_t s2 = S.find('/', s1 + 1);
  if (s2 == std::string::npos || S.find('/', s2 + 1) != std::string::npos) return false;
  int32_t dm = 0, dd = 0, dy = 0;
  int32_t m = ReadPart(S.substr(0, s1), dm), d = ReadPart(S.substr(s1 + 1, s2 - s1 - 1), dd);
  int32_t y = ReadPart(S.substr(s2 + 1), dy);
  if (m < 0 || d < 0 || y < 0) return false;
  if (dy <= 2) y += (LocalNow().tm_year + 1900) / 100 * 100;
  if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m)) return false;
  Serial = SerialFromCivil(y, m, d);
  return true;
}

// "Today()": the current local date, whole days.
uint8_t FnToday(const TToken&, const TProccessInfo&, long double& Value, std::string&) {
  std::tm now = LocalNow();
  Value = static_cast<long double>(SerialFromCivil(now.tm_year + 1900, now.tm_mon + 1, now.tm_mday));
  return vkDate;
}

// "DateStr": MM-DD-YYYY for a date; "" for other kinds.
uint8_t FnDateStr(const TToken& Call, const TProccessInfo& Info, long double& Value,
                  std::string& Text) {
  uint8_t k = EvaluateSingleArgument(Call, Info, Value, Text);
  long double v = Value;
  Value = 0;
  if (k != vkDate) return TextResult(Text, std::string());
  TCivil c = CivilFromSerial(DayOf(v));
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d-%02d-%04d", c.Month, c.Day, c.Year);
  return TextResult(Text, buf);
}

// "StrDate": the date a month/day/year text writes; 0 for other texts and kinds.
uint8_t FnStrDate(const TToken& Call, const TProccessInfo& Info, long double& Value,
                  std::string& Text) {
  uint8_t k = EvaluateSingleArgument(Call, Info, Value, Text);
  int64_t serial = 0;
  if (k != vkString || !ParseDate(Text, serial)) serial = 0;
  Text.clear();
  Value = static_cast<long double>(serial);
  return vkDate;
}

// Day, month, year or day of week (1 Sunday .. 7 Saturday) of a date; 0 for other kinds.
uint8_t DatePart(const TToken& Call, const TProccessInfo& Info, long double& Value,
                 std::string& Text, int Part) {
  uint8_t k = EvaluateSingleArgument(Call, Info, Value, Text);
  long double v = Value;
  Text.clear();
  Value = 0;
  if (k != vkDate) return vkNumber;
  int64_t day = DayOf(v);
  TCivil c = CivilFromSerial(day);
  switch (Part) {
    case 0: Value = c.Day; break;
    case 1: Value = c.Month; break;
    case 2: Value = c.Year; break;
    default:
      // 30 December 1899 (day 0) was a Saturday.
      if (c.Year != 0) Value = static_cast<long double>(((day % 7) + 7 + 6) % 7 + 1);
      break;
  }
  return vkNumber;
}

uint8_t FnDay(const TToken& Call, const TProccessInfo& Info, long double& Value, std::string& Text) {
  return DatePart(Call, Info, Value, Text, 0);
}
uint8_t FnMonth(const TToken& Call, const TProccessInfo& Info, long double& Value,
                std::string& Text) {
  return DatePart(Call, Info, Value, Text, 1);
}
uint8_t FnYear(const TToken& Call, const TProccessInfo& Info, long double& Value,
               std::string& Text) {
  return DatePart(Call, Info, Value, Text, 2);
}
uint8_t FnDow(const TToken& Call, const TProccessInfo& Info, long double& Value, std::string& Text) {
  return DatePart(Call, Info, Value, Text, 3);
}

const TFunctionBinding kDates[] = {
    {42, FnToday}, {43, FnDateStr}, {44, FnStrDate}, {45, FnDay},
    {46, FnMonth}, {47, FnYear},    {48, FnDow},
};

}  // namespace

TFunctionGroup DateFunctions() { return {kDates, std::size(kDates)}; }

}  // namespace zkw
