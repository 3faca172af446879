// A shortcut for the commonest parameters of script lines: numbers, plain variables, groups and
// the operators + - * / and comparisons. It walks the same token tree with the same rules as
// the expression evaluator, without the text accumulators; anything else (a string, a missing
// or string variable, a name of an object, a call, another operator) gives up before any
// effect, and the line is evaluated by the expression evaluator as usual.
#include <cmath>

#include "expr/formula.h"
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

// Operator Op between the accumulator and a number (kind 2) or logical (kind 5) value, as the
// expression evaluator applies it.
void Apply(uint8_t Op, uint8_t K, long double V, uint8_t& Kind, long double& Acc) {
  switch (Op) {
    case opNone: return;
    case opAdd: if (K == vkNumber) Acc += V; return;
    case opSub: Acc -= V; return;
    case opMul: Acc *= V; return;
    case opDiv: if (V != 0) Acc /= V; return;
    default: break;
  }
  if (K == vkNumber) {
    bool unordered = std::isnan(Acc) || std::isnan(V);
    int order = Acc < V ? -1 : (Acc > V ? 1 : 0);
    Acc = !unordered && Compare(Op, order) ? 1 : (unordered && Op == opNotEqual ? 1 : 0);
  }
  Kind = vkLogical;
}

}  // namespace

bool FastFormulaEligible(const TFormula* F, const std::string& Text) {
  if (!F) return false;
  // A "." after a name ("$v.XPos", "$v.Unknown") reaches an object: not for the shortcut.
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
    if (!digits) return false;
  }
  for (const TToken* t = F->First(); t; t = TFormula::Next(t)) {
    if (!FastOperator(t->ttkOperator)) return false;
    if (t->ttkChildExpr) {
      if (t->ttkType != vkNumber && t->ttkType != vkProperty) return false;
      if (!FastFormulaEligible(t->ttkChildExpr.get(), std::string())) return false;
    } else if (t->ttkType != vkNumber && !PlainVariable(*t)) {
      return false;
    }
  }
  return F->First() != nullptr;
}

bool FastEvaluate(const TBlockRun& Run, const TFormula* F, long double& Value, uint8_t& Kind) {
  uint8_t kind = vkNumber, pending = opNone;
  long double acc = 0;
  bool first = true;
  for (const TToken* t = F->First(); t; t = TFormula::Next(t)) {
    long double v = 0;
    uint8_t k = vkNumber;
    if (t->ttkChildExpr) {
      if (!FastEvaluate(Run, t->ttkChildExpr.get(), v, k)) return false;
    } else if (t->ttkType == vkNumber) {
      v = t->ttkValue;
    } else {
      TVariableRec* var = FindVariable(Run, t->ttkString);
      if (!var || var->VarType == 3) return false;
      v = var->Value;
    }
    if (first) {
      acc = v;
      kind = k;
      first = false;
    } else {
      Apply(pending, k, v, kind, acc);
    }
    pending = t->ttkOperator;
  }
  Value = acc;
  Kind = kind;
  return true;
}

}  // namespace zkw
