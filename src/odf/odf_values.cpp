// Conversions of the 6-byte real and of stored dates.
#include "odf/odf_values.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "common/civil_date.h"

namespace zkw {

int32_t MinimumFieldLength(uint8_t Type) {
  switch (Type) {
    case ftString: return 1;
    case ftUnicode: return 2;
    default: return FixedFieldLength(Type);
  }
}

int32_t FixedFieldLength(uint8_t Type) {
  static const int32_t kSizes[] = {0, 1, 1, 2, 2, 4, 6, 1, 4, 10, 10, 0};
  return Type < sizeof(kSizes) / sizeof(kSizes[0]) ? kSizes[Type] : 0;
}

long double Real48ToExtended(const uint8_t Bytes[6]) {
  if (Bytes[0] == 0) return 0;
  uint64_t fraction = 0;
  for (int i = 4; i >= 1; --i) fraction = (fraction << 8) | Bytes[i];
  fraction |= static_cast<uint64_t>(Bytes[5] & 0x7F) << 32;
  long double mantissa = 1.0L + std::ldexp(static_cast<long double>(fraction), -39);
  long double v = std::ldexp(mantissa, Bytes[0] - 129);
  return (Bytes[5] & 0x80) ? -v : v;
}

void ExtendedToReal48(long double Value, uint8_t Bytes[6]) {
  for (int i = 0; i < 6; ++i) Bytes[i] = 0;
  if (!(Value == Value) || Value == 0) return;  // NaN and zero
  bool negative = Value < 0;
  long double magnitude = negative ? -Value : Value;
  int exponent = 0;
  long double m = std::frexp(magnitude, &exponent);  // magnitude = m * 2^exponent, m in [0.5, 1)
  int32_t biased = 0;
  uint64_t fraction = 0;
  if (std::isinf(magnitude)) {
    biased = 256;
  } else {
    // 1.f * 2^(exponent - 1): f scaled to 39 bits, rounded half to even.
    long double scaled = std::ldexp(2 * m - 1, 39);
    long double whole = std::floor(scaled);
    fraction = static_cast<uint64_t>(whole);
    long double rest = scaled - whole;
    if (rest > 0.5L || (rest == 0.5L && (fraction & 1))) ++fraction;
    biased = exponent - 1 + 129;
    if (fraction == (uint64_t{1} << 39)) {
      fraction = 0;
      ++biased;
    }
  }
  if (biased < 1) return;  // underflow
  if (biased > 255) {      // overflow: the largest magnitude
    biased = 255;
    fraction = (uint64_t{1} << 39) - 1;
  }
  Bytes[0] = static_cast<uint8_t>(biased);
  for (int i = 1; i <= 4; ++i) Bytes[i] = static_cast<uint8_t>(fraction >> (8 * (i - 1)));
  Bytes[5] = static_cast<uint8_t>((fraction >> 32) & 0x7F) | (negative ? 0x80 : 0);
}

namespace {

int32_t DaysInMonth(int32_t y, int32_t m) {
  static const int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return m == 2 && leap ? 29 : kDays[m - 1];
}


}  // namespace

bool IsCalendarDate(const TODFDate& Date) {
  return Date.Year >= 1 && Date.Year <= 9999 && Date.Month >= 1 && Date.Month <= 12 &&
         Date.Day >= 1 && Date.Day <= DaysInMonth(Date.Year, Date.Month);
}

int32_t ODFDateToSerial(const TODFDate& Date) {
  if (!IsCalendarDate(Date)) return 0;
  return static_cast<int32_t>(SerialFromCivil(Date.Year, Date.Month, Date.Day));
}

TODFDate SerialToODFDate(long double Serial) {
  if (!(Serial > kFirstSerialDay - 1 && Serial < kLastSerialDay + 1)) return TODFDate{0, 0, 0};
  TCivilDate c = CivilFromSerial(static_cast<int64_t>(std::trunc(Serial)));
  return TODFDate{static_cast<int16_t>(c.Year), static_cast<uint8_t>(c.Month), static_cast<uint8_t>(c.Day)};
}

std::string ExactDecimalText(long double Value) {
  if (!(Value == Value)) return "NAN";
  if (std::isinf(Value)) return Value > 0 ? "INF" : "-INF";
  char buf[64];
  for (int digits = 1; digits <= 21; ++digits) {
    std::snprintf(buf, sizeof buf, "%.*Lg", digits, Value);
    if (std::strtold(buf, nullptr) == Value) break;
  }
  return buf;
}

}  // namespace zkw
