#include "expr/formula_program.h"

#include "expr/names.h"
#include "expr/numeric_ops.h"

namespace zkw {

namespace {

// Operator Op as it acts on an operand of kind K (number or logical), as the tree evaluator
// applies it: "+" and the comparisons take numbers only (a comparison with a logical operand
// still makes the kind logical); the other operators take any operand's number.
uint8_t ActingOperator(uint8_t Op, uint8_t K, uint8_t Ignore) {
  if (Op == opNone) return Ignore;
  if (Op == opAdd || Op >= opGreater) return K == vkNumber ? Op : Ignore;
  return Op;
}

inline long double ApplyOp(uint8_t Op, long double Acc, long double V) {
  return Op >= opGreater ? CompareNumbers(Op, Acc, V) : ApplyArithmetic(Op, Acc, V);
}

}  // namespace

// A token that reads a plain variable ("$name", no property part).
bool TNumericProgram::PlainVariable(const TToken& T) {
  return T.ttkType == vkProperty && !T.ttkChildExpr && !T.ttkString.empty() && T.ttkString[0] == '$' &&
         T.ttkObjStyle == osVariable && T.ttkFunction == 0 && T.ttkFieldname.empty() && !T.FUnknownProperty;
}

std::unique_ptr<TNumericProgram> TNumericProgram::Compile(const TFormula* F) {
  if (!F) return nullptr;
  auto program = std::unique_ptr<TNumericProgram>(new TNumericProgram());
  if (!program->Emit(F, program->FKind, 0)) return nullptr;
  return program;
}

// The slot of a variable name (one per name, ignoring case).
uint16_t TNumericProgram::SlotOf(const std::string& Name) {
  size_t slot = 0;
  while (slot < FNames.size() && !SameName(FNames[slot], Name)) ++slot;
  if (slot == FNames.size()) {
    FNames.push_back(Name);
    FSlots.emplace_back();
  }
  return static_cast<uint16_t>(slot);
}

// Emits the steps of one level, which leave its value in the accumulator; Kind is the level's
// kind. False when a token does not qualify.
bool TNumericProgram::Emit(const TFormula* F, uint8_t& Kind, int Depth) {
  if (!F->First() || Depth >= kMaxDepth) return false;
  uint8_t pending = opNone;
  for (const TToken* t = F->First(); t; t = TFormula::Next(t)) {
    const bool first = t == F->First();
    TStep step;
    uint8_t k = vkNumber;
    if (t->ttkChildExpr) {
      if (t->ttkType != vkNumber && t->ttkType != vkProperty) return false;
      if (!first) {
        step.Code = stPush;
        FSteps.push_back(step);
      }
      if (!Emit(t->ttkChildExpr.get(), k, Depth + 1)) return false;
      if (!first) {
        step.Code = stApplyPop;
        step.Op = ActingOperator(pending, k, kIgnore);
        FSteps.push_back(step);
      }
    } else if (t->ttkType == vkNumber) {
      step.Code = first ? stLoadNumber : stApplyNumber;
      step.Value = t->ttkValue;
      step.Op = ActingOperator(pending, k, kIgnore);
      FSteps.push_back(step);
    } else if (PlainVariable(*t)) {
      if (FNames.size() >= 0xFFFF) return false;
      step.Code = first ? stLoadVariable : stApplyVariable;
      step.Slot = SlotOf(t->ttkString);
      step.Op = ActingOperator(pending, k, kIgnore);
      FSteps.push_back(step);
    } else {
      return false;
    }
    if (first) Kind = k;
    else if (pending >= opGreater) Kind = vkLogical;
    pending = t->ttkOperator;
  }
  return true;
}

bool TNumericProgram::Run(const TExprVariables* Local, const TExprVariables* Global, const TExprVariables* App,
                          long double& Value, uint8_t& Kind) {
  long double kept[kMaxDepth];
  int depth = 0;
  long double acc = 0;
  for (const TStep& step : FSteps) {
    long double v;
    switch (step.Code) {
      case stLoadNumber:
        acc = step.Value;
        continue;
      case stLoadVariable: {
        const TExprVariable* var = SlotVariable(Local, Global, App, FSlots[step.Slot], FNames[step.Slot]);
        if (!var || var->VarType == 3) return false;
        acc = var->Value;
        continue;
      }
      case stPush:
        kept[depth++] = acc;
        continue;
      case stApplyNumber:
        v = step.Value;
        break;
      case stApplyVariable: {
        const TExprVariable* var = SlotVariable(Local, Global, App, FSlots[step.Slot], FNames[step.Slot]);
        if (!var || var->VarType == 3) return false;
        v = var->Value;
        break;
      }
      default:  // stApplyPop
        v = acc;
        acc = kept[--depth];
        break;
    }
    if (step.Op != kIgnore) acc = ApplyOp(step.Op, acc, v);
  }
  Value = acc;
  Kind = FKind;
  return true;
}

}  // namespace zkw
