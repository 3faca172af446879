// The Vietnamese text tables, built once when the library starts and only read afterwards:
// the case table ("VCaseTab"), the typing table ("VCodeTab"), the Unicode key table
// ("ABCUTAB", type "UNICODEVIET") from the library's resources, and the collation maps.
#pragma once
#include <array>

#include "text/case_table.h"
#include "text/charset_table.h"
#include "text/collation.h"
#include "text/unicode_key.h"

namespace zkw {

struct TTextTables {
  // Units below 256 that the system's 8-bit code page writes as the byte of the same value
  // (on Windows-1252 every unit except 27 of the C1 controls U+0080..U+009F).
  std::array<bool, 256> OwnByte;
  TCaseList CaseList;
  TCharSetList CharSetList;
  TUnicodeKeyList UnicodeKeys;
  TCollationMap Forward;
  TCollationMap Backward;
};

// Builds the tables; the library's start-up calls it. Later calls (and the first use of
// TextTables() before start-up) find them built. A missing resource leaves its table empty.
void InitTextTables();
const TTextTables& TextTables();

// Reads a resource of the library's own module into a table: false (and the table left empty)
// when the resource is missing or malformed.
bool LoadCaseListResource(TCaseList& list);
bool LoadCharSetListResource(TCharSetList& list);
bool LoadUnicodeKeyResource(TUnicodeKeyList& list);

}  // namespace zkw
