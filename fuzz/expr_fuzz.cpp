// Expression text of any bytes: parse, bind against no animator and evaluate, twice (evaluation
// must not change the tree). No crash, no hang, and the same result both times.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "expr/formula.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  std::string text(reinterpret_cast<const char*>(data), size);
  auto formula = zkw::ParseFormula(text);
  if (!formula) std::abort();
  formula->Prepare(nullptr);
  std::string t1, t2;
  long double v1 = 0, v2 = 0;
  uint8_t k1 = zkw::EvaluateFormula(nullptr, nullptr, nullptr, t1, v1, formula.get());
  uint8_t k2 = zkw::EvaluateFormula(nullptr, nullptr, nullptr, t2, v2, formula.get());
  // The clock properties ("@Second", ...) may change between the two runs.
  if (text.find('@') != std::string::npos) return 0;
  if (k1 != k2 || t1 != t2 || !(v1 == v2 || (v1 != v1 && v2 != v2))) std::abort();
  return 0;
}
