// The search language of tables: conditions over field values written in UTF-16, compiled once
// and evaluated per record by Find.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "base/text16.h"
#include "odf/odf_struct.h"

namespace zkw {

class TODFFile;
struct TDbNode;

// One level of a condition: operands with the operator written after each, applied left to
// right; "*" and "/" products are levels of their own, so they bind tighter.
class TDbFormula {
 public:
  TDbFormula();
  ~TDbFormula();
  std::vector<std::unique_ptr<TDbNode>> Items;
  std::vector<uint8_t> Operators;  // the operator after each item (0: none)
  // Evaluates against the table's current record.
  TFieldValue Evaluate(TODFFile& Table) const;
};

// Compiles a condition for a table (field names are bound to the table and the other open
// tables now). Any text gives some formula; what is no field reads 0.
std::unique_ptr<TDbFormula> CompileCondition(const ZString& Text, TODFFile& Table);
// Function code of a name in the search language (position in its table + 5), 0 when unknown.
int32_t DbFunctionCode(const std::string& UpperName);

}  // namespace zkw
