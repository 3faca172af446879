// The flat form of a prepared formula made only of numbers, plain variables, groups and
// operators: the steps of an accumulator machine with its variables bound to slots, run without
// the token tree, its texts or its kinds. It follows the token-tree evaluator's rules exactly;
// anything it cannot take at run time (a string or missing variable, a list that cannot be
// bound) makes it give up before any effect, and the caller evaluates the tree.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "expr/formula.h"
#include "expr/variable_slot.h"

namespace zkw {

class TNumericProgram {
 public:
  // The program of a formula, or null when the formula does not qualify.
  static std::unique_ptr<TNumericProgram> Compile(const TFormula* F);
  // Evaluates with the three variable lists of the context (local first); false when it gives
  // up. Kind is the result's kind (number or logical).
  bool Run(const TExprVariables* Local, const TExprVariables* Global, const TExprVariables* App,
           long double& Value, uint8_t& Kind);

 private:
  // One step: load the first operand of a level, apply an operand to the accumulator, keep the
  // accumulator while a group is worked out, or apply the group's value to the accumulator
  // kept. Every operand's kind is known when the formula is flattened, so each step carries the
  // operator as it acts on its operand's kind.
  enum : uint8_t { stLoadNumber, stLoadVariable, stApplyNumber, stApplyVariable, stPush, stApplyPop };
  struct TStep {
    long double Value = 0;  // a literal's number
    uint16_t Slot = 0;      // a variable: index in FSlots
    uint8_t Code = stLoadNumber;
    uint8_t Op = 0;         // the operator as it acts here (kIgnore: reads the operand only)
  };
  static constexpr uint8_t kIgnore = 0xFF;
  static constexpr int kMaxDepth = 64;

  static bool PlainVariable(const TToken& T);
  bool Emit(const TFormula* F, uint8_t& Kind, int Depth);
  uint16_t SlotOf(const std::string& Name);

  std::vector<TStep> FSteps;
  uint8_t FKind = 0;                // the kind of the result
  std::vector<std::string> FNames;  // variable names, one per slot
  std::vector<TVariableSlot> FSlots;
};

}  // namespace zkw
