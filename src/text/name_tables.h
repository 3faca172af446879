// Weekday and month names of DOWNAME, DOWVNAME, MONTHNAME and VMONTHNAME. The Vietnamese names
// are texts of the 8-bit Vietnamese font encoding: each byte is a unit below 256.
#pragma once
#include "text/ansi_text.h"

namespace zkw {

enum TNameTable { ntDowName, ntDowVName, ntMonthName, ntVMonthName };

// Entries in a table: 7 weekdays (1 = Sunday) or 12 months.
int NameCount(TNameTable table);
// Entry n (from 1) of a table; empty outside 1..count.
ZString NameAt(TNameTable table, int n);
// The name for a number: n must lie in 1..count and is then rounded to the nearest whole
// number, ties to even; any other number (or NaN) gives the empty text.
ZString NameOf(TNameTable table, long double n);

}  // namespace zkw
