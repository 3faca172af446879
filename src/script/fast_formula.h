// The numeric shortcut of script parameters: a prepared formula made only of numbers, plain
// variables, groups and the operators + - * / and comparisons, flattened into one array with
// its variables bound to slots. It follows the expression evaluator's rules exactly; anything
// it cannot take (a string or missing variable at run time) gives up before any effect, and the
// caller evaluates the formula in full.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "expr/formula.h"
#include "script/script_list.h"

namespace zkw {

struct TBlockRun;

class TFastFormula {
 public:
  // The flat form of a prepared formula (with the parameter text it was made from), or null
  // when the formula does not qualify.
  static std::unique_ptr<TFastFormula> Compile(const TFormula* F, const std::string& Text);
  // Evaluates in the run's variables; false when it gives up.
  bool Evaluate(const TBlockRun& Run, long double& Value, uint8_t& Kind);

 private:
  enum : uint8_t { srNumber, srVariable, srGroup };
  struct TItem {
    long double Value = 0;  // a literal's number
    uint32_t End = 0;       // a group: index past its last item
    uint16_t Slot = 0;      // a variable: index in Slots
    uint8_t Source = srNumber;
    uint8_t Op = opNone;  // operator between this item and the next of its level
  };

  bool Add(const TFormula* F);
  bool Operand(const TBlockRun& Run, uint32_t& I, long double& V, uint8_t& K);
  bool Level(const TBlockRun& Run, uint32_t Begin, uint32_t End, long double& Value,
             uint8_t& Kind);

  std::vector<TItem> Items;
  std::vector<std::string> Names;  // variable names, one per slot
  std::vector<TVarSlot> Slots;
};

}  // namespace zkw
