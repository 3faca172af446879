// Stored number and date forms of table fields: the 6-byte real and the year/month/day date.
#pragma once
#include <cstdint>
#include <string>

#include "odf/odf_types.h"

namespace zkw {

// A 6-byte real (exponent byte biased by 129, 0 = zero; 39-bit mantissa; sign in the top bit of
// the last byte) as an extended real; exact.
long double Real48ToExtended(const uint8_t Bytes[6]);
// An extended real as a 6-byte real: the mantissa rounds half to even; too large a magnitude
// gives the largest one of its sign, too small a magnitude and NaN give 0.
void ExtendedToReal48(long double Value, uint8_t Bytes[6]);

// Days since 30 December 1899 of a stored date; a date that is no calendar day (month 13, day 0,
// year 0 ...) gives 0.
int32_t ODFDateToSerial(const TODFDate& Date);
// The calendar date of a day number (whole days, truncated); outside years 1..9999 all zero.
TODFDate SerialToODFDate(long double Serial);
// True when the stored date is a calendar day of years 1..9999.
bool IsCalendarDate(const TODFDate& Date);

// The shortest decimal text (at most 21 digits) that reads back as the same value.
std::string ExactDecimalText(long double Value);

}  // namespace zkw
