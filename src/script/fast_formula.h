// The numeric shortcut of script parameters: a prepared formula made only of numbers, plain
// variables, groups and the operators + - * / and comparisons, flattened into the steps of an
// accumulator machine with its variables bound to slots. It follows the expression evaluator's rules exactly; anything
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
  // One step of the accumulator machine: load the first operand of a level, apply an operand
  // to the accumulator, keep the accumulator while a group is worked out, or apply the group's
  // value to the accumulator kept. Value kinds are known when the formula is flattened (every
  // operand is a number, or the shortcut gives up), so each step carries the operator as it
  // acts on its operand's kind.
  enum : uint8_t {
    stLoadNumber, stLoadVariable, stApplyNumber, stApplyVariable, stPush, stApplyPop
  };
  struct TStep {
    long double Value = 0;  // a literal's number
    uint16_t Slot = 0;      // a variable: index in Slots
    uint8_t Code = stLoadNumber;
    uint8_t Op = 0;         // the operator as it acts here (kIgnore: reads the operand only)
  };
  static constexpr uint8_t kIgnore = 0xFF;
  static constexpr int kMaxDepth = 64;

  bool Emit(const TFormula* F, uint8_t& Kind, int Depth);
  uint16_t SlotOf(const std::string& Name);

  std::vector<TStep> Steps;
  uint8_t FKind = 0;               // the kind of the result
  std::vector<std::string> Names;  // variable names, one per slot
  std::vector<TVarSlot> Slots;
};

}  // namespace zkw
