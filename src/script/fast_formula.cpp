// The numeric shortcut of script parameters (see fast_formula.h) and the variable slots of
// prepared lines.
#include "script/fast_formula.h"

#include <cmath>

#include "expr/names.h"
#include "player/scene/dib_animator.h"
#include "script/exec_internal.h"

namespace zkw {

namespace {

bool FastOperator(uint8_t Op) {
  return Op == opNone || Op == opAdd || Op == opSub || Op == opMul || Op == opDiv ||
         (Op >= opGreater && Op <= opLessEqual);
}

// A token that reads a plain variable ("$name", no property part).
bool PlainVariable(const TToken& T) {
  return T.ttkType == vkProperty && !T.ttkChildExpr && !T.ttkString.empty() &&
         T.ttkString[0] == '$' && T.ttkObjStyle == osVariable && T.ttkFunction == 0 &&
         T.ttkFieldname.empty();
}

// True when a "." follows a name in Text ("$v.XPos", "$v.Unknown"): that reaches an object.
bool NameWithDot(const std::string& Text) {
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] != '.') continue;
    size_t j = i;
    bool digits = true;
    while (j > 0) {
      char c = Text[j - 1];
      bool word = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                  c == '_' || c == '$' || c == '@' || static_cast<unsigned char>(c) >= 128;
      if (!word) break;
      if (c < '0' || c > '9') digits = false;
      --j;
    }
    if (!digits) return true;
  }
  return false;
}

bool Compare(uint8_t Op, int Order) {
  switch (Op) {
    case opGreater: return Order > 0;
    case opLess: return Order < 0;
    case opEqual: return Order == 0;
    case opNotEqual: return Order != 0;
    case opGreaterEqual: return Order >= 0;
    default: return Order <= 0;
  }
}

// Operator Op as it acts on an operand of kind K, following the expression evaluator: "+" adds
// numbers only; "-", "*" and "/" take any operand; a comparison with a logical operand leaves
// the accumulator as it is (the kind still becomes logical).
uint8_t ActingOperator(uint8_t Op, uint8_t K, uint8_t Ignore) {
  if (Op == opNone) return Ignore;
  if (Op == opAdd || Op >= opGreater) return K == vkNumber ? Op : Ignore;
  return Op;
}

// Applies an acting operator to the accumulator.
inline long double ApplyOp(uint8_t Op, long double Acc, long double V) {
  switch (Op) {
    case opAdd: return Acc + V;
    case opSub: return Acc - V;
    case opMul: return Acc * V;
    case opDiv: return V != 0 ? Acc / V : Acc;
    case opGreater: case opLess: case opEqual: case opNotEqual: case opGreaterEqual:
    case opLessEqual: {
      bool unordered = std::isnan(Acc) || std::isnan(V);
      int order = Acc < V ? -1 : (Acc > V ? 1 : 0);
      return !unordered && Compare(Op, order) ? 1 : (unordered && Op == opNotEqual ? 1 : 0);
    }
    default: return Acc;
  }
}

// The first variable named Name in List, or null (List may be null).
TVariableRec* In(const TVariableList* List, const std::string& Name) {
  return List ? List->GetVar(Name) : nullptr;
}

}  // namespace

TVariableRec* SlotLookUp(const TBlockRun& Run, TVarSlot& Slot, const std::string& Name) {
  const TVariableList* local = Run.Vars;
  const TVariableList* global = &Run.Ani->GlobalVarList;
  const TVariableList* app = Run.Ani->AppVarList.get();
  uint64_t localSerial = local ? local->Serial : 0, appSerial = app ? app->Serial : 0;
  int32_t localCount = local ? local->Count() : 0;
  // The binding holds while no list it passed without a match has grown or been renewed.
  if (Slot.Rec && Slot.LocalSerial == localSerial) {
    if (Slot.Where == 1) return Slot.Rec;
    if (Slot.LocalCount == localCount && Slot.GlobalSerial == global->Serial) {
      if (Slot.Where == 2) return Slot.Rec;
      if (Slot.GlobalCount == global->Count() && Slot.AppSerial == appSerial) return Slot.Rec;
    }
  }
  Slot = TVarSlot{};
  Slot.LocalSerial = localSerial;
  Slot.LocalCount = localCount;
  Slot.GlobalSerial = global->Serial;
  Slot.GlobalCount = global->Count();
  Slot.AppSerial = appSerial;
  if ((Slot.Rec = In(local, Name))) Slot.Where = 1;
  else if ((Slot.Rec = In(global, Name))) Slot.Where = 2;
  else if ((Slot.Rec = In(app, Name))) Slot.Where = 3;
  return Slot.Rec;
}

std::unique_ptr<TFastFormula> TFastFormula::Compile(const TFormula* F, const std::string& Text) {
  if (!F || NameWithDot(Text)) return nullptr;
  auto fast = std::unique_ptr<TFastFormula>(new TFastFormula());
  if (!fast->Emit(F, fast->FKind, 0)) return nullptr;
  return fast;
}

// The slot of a variable name (one per name, ignoring case).
uint16_t TFastFormula::SlotOf(const std::string& Name) {
  size_t slot = 0;
  while (slot < Names.size() && !SameName(Names[slot], Name)) ++slot;
  if (slot == Names.size()) {
    Names.push_back(Name);
    Slots.emplace_back();
  }
  return static_cast<uint16_t>(slot);
}

// Emits the steps of one level, which leave its value in the accumulator; Kind is the level's
// kind. False when a token does not qualify.
bool TFastFormula::Emit(const TFormula* F, uint8_t& Kind, int Depth) {
  if (!F->First() || Depth >= kMaxDepth) return false;
  uint8_t pending = opNone;
  for (const TToken* t = F->First(); t; t = TFormula::Next(t)) {
    if (!FastOperator(t->ttkOperator)) return false;
    const bool first = t == F->First();
    TStep step;
    uint8_t k = vkNumber;
    if (t->ttkChildExpr) {
      if (t->ttkType != vkNumber && t->ttkType != vkProperty) return false;
      if (!first) {
        step.Code = stPush;
        Steps.push_back(step);
      }
      if (!Emit(t->ttkChildExpr.get(), k, Depth + 1)) return false;
      if (!first) {
        step.Code = stApplyPop;
        step.Op = ActingOperator(pending, k, kIgnore);
        Steps.push_back(step);
      }
    } else if (t->ttkType == vkNumber) {
      step.Code = first ? stLoadNumber : stApplyNumber;
      step.Value = t->ttkValue;
      step.Op = ActingOperator(pending, k, kIgnore);
      Steps.push_back(step);
    } else if (PlainVariable(*t)) {
      if (Names.size() >= 0xFFFF) return false;
      step.Code = first ? stLoadVariable : stApplyVariable;
      step.Slot = SlotOf(t->ttkString);
      step.Op = ActingOperator(pending, k, kIgnore);
      Steps.push_back(step);
    } else {
      return false;
    }
    if (first) Kind = k;
    else if (pending >= opGreater) Kind = vkLogical;
    pending = t->ttkOperator;
  }
  return true;
}

bool TFastFormula::Evaluate(const TBlockRun& Run, long double& Value, uint8_t& Kind) {
  long double kept[kMaxDepth];
  int depth = 0;
  long double acc = 0;
  for (const TStep& step : Steps) {
    long double v;
    switch (step.Code) {
      case stLoadNumber:
        acc = step.Value;
        continue;
      case stLoadVariable: {
        TVariableRec* var = SlotVariable(Run, Slots[step.Slot], Names[step.Slot]);
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
        TVariableRec* var = SlotVariable(Run, Slots[step.Slot], Names[step.Slot]);
        if (!var || var->VarType == 3) return false;
        v = var->Value;
        break;
      }
      default:  // stApplyPop
        v = acc;
        acc = kept[--depth];
        break;
    }
    acc = ApplyOp(step.Op, acc, v);
  }
  Value = acc;
  Kind = FKind;
  return true;
}

}  // namespace zkw
