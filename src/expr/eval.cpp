// Evaluation of a prepared formula: a left-to-right walk with a numeric and a text accumulator.
#include <chrono>
#include <cmath>
#include <ctime>
#include <limits>

#include "common/round.h"
#include "expr/formula.h"
#include "expr/formula_program.h"
#include "expr/numeric_ops.h"
#include "expr/functions.h"
#include "platform/plat.h"
#include "text/scene_text.h"

namespace zkw {

namespace {

// Nearest integer, ties to even, saturated to the 64-bit range; NaN gives 0.
int64_t RoundInt(long double V) { return Round(V); }

// Applies operator Op between the accumulators and a token's value (K, V, T): "+" adds numbers
// and dates or appends texts; the other arithmetic operators take the operand's number whatever
// its kind; comparisons compare numbers with numbers and texts with texts (byte order) and make
// the kind logical.
void Apply(uint8_t Op, uint8_t K, long double V, const std::string& T, uint8_t& Kind,
           long double& Acc, std::string& Txt) {
  if (Op == opNone) return;
  const bool numeric = K == vkNumber || K == vkDate;
  if (Op == opAdd) {
    if (numeric) Acc += V;
    else if (K == vkString) Txt += T;
    return;
  }
  if (Op < opGreater) {
    Acc = ApplyArithmetic(Op, Acc, V);
    return;
  }
  if (numeric) {
    Acc = CompareNumbers(Op, Acc, V);
  } else if (K == vkString) {
    int order = Txt.compare(T);
    Acc = Compare(Op, order < 0 ? -1 : (order > 0 ? 1 : 0)) ? 1 : 0;
  }
  Kind = vkLogical;
}

// Hour, minute, second or millisecond of the current local time.
long double LocalTimePart(int32_t Code) {
  auto now = std::chrono::system_clock::now();
  std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &t);
#else
  localtime_r(&t, &local);
#endif
  switch (Code) {
    case 126: return local.tm_hour;
    case 127: return local.tm_min;
    case 128: return local.tm_sec;
    default: {
      auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch());
      return static_cast<long double>(ms.count() % 1000);
    }
  }
}

// True for the codes of system properties an expression reads from the animator.
bool IsAnimatorSystemProperty(int32_t Code) {
  switch (Code) {
    case 78: case 79: case 80: case 81: case 89: case 148: case 156: case 159: case 160:
    case 162: case 163: case 166: case 167: case 182: case 186: case 187: case 188: case 189:
      return true;
    default:
      return false;
  }
}

// Shows "Variable not found: " and the name in a modal message box.
void ReportMissingVariable(const std::string& Name) {
  ZString text = FromUtf8("Variable not found: ") + DecodeSceneText(Name);
  plat::MessageBoxW(nullptr, text.c_str(), nullptr, plat::MB_OK);
}

// Looks a variable up in the local list, then the scene's, then the application's.
bool FindVariable(const TProccessInfo& Info, const std::string& Name, uint8_t& Kind,
                  long double& Value, std::string& Text) {
  if (Info.VarList && Info.VarList->GetVar(Name, Kind, Value, Text)) return true;
  if (!Info.Animator) return false;
  TExprVariables* lists[] = {Info.Animator->GlobalVarList(), Info.Animator->AppVarList()};
  for (TExprVariables* list : lists)
    if (list && list->GetVar(Name, Kind, Value, Text)) return true;
  return false;
}

}  // namespace

// Reads a name: a variable, an object reference, an object's property or a system property.
uint8_t TToken::ReadName(const TProccessInfo& Info, long double& Value, std::string& Text) const {
  if (ttkString.empty() || FUnknownProperty) return vkNumber;
  TAnimateObj* varObj = nullptr;
  if (ttkString[0] == '$' && Info.VarList) {
    uint8_t kind = vkNumber;
    if (!FindVariable(Info, ttkString, kind, Value, Text)) {
      ReportMissingVariable(ttkString);
      Value = 0;
      return vkNumber;
    }
    if (!(ttkObjStyle == osVariable && ttkFunction != 0)) return kind;
    varObj = Info.Animator ? Info.Animator->ObjectFromReference(RoundInt(Value)) : nullptr;
    Value = 0;
    Text.clear();
  }
  TAnimateObj* obj = nullptr;
  switch (ttkObjStyle) {
    case osBound: obj = ttkObj; break;
    case osThis: obj = Info.AniObj; break;
    case osCurrent: obj = Info.Animator ? Info.Animator->CurrentObj() : nullptr; break;
    case osVariable: obj = varObj; break;
    default: break;
  }
  if (ttkFunction >= 126 && ttkFunction <= 129) {
    Value = LocalTimePart(ttkFunction);
    return vkNumber;
  }
  if (IsAnimatorSystemProperty(ttkFunction))
    return Info.Animator ? Info.Animator->GetSystemValue(ttkFunction, Value, Text) : vkNumber;
  if (!obj) return ttkFunction == kFieldProperty ? vkNone : vkNumber;
  if (ttkFunction == 0) {
    Value = static_cast<long double>(reinterpret_cast<uintptr_t>(obj));
    return vkNumber;
  }
  if (!Info.Animator) return vkNumber;
  if (ttkFunction == kFieldProperty)
    return Info.Animator->GetFieldValue(obj, ttkFieldname, Value, Text);
  return Info.Animator->GetObjectValue(obj, ttkFunction, Value, Text);
}

// The value of one token: its sub-formula, its function, its name or its literal.
uint8_t TToken::GetValue(const TProccessInfo& Info, long double& Value, std::string& Text) const {
  Value = 0;
  if (ttkChildExpr) {
    if (ttkType == vkProperty || ttkType == vkNumber) return ttkChildExpr->GetValue(Info, Value, Text);
    if (ttkType >= vkFirstFunction && ttkType <= vkLastFunction)
      return CallFunction(*this, Info, Value, Text);
    Value = ttkValue;
    return vkNumber;
  }
  if (ttkType == vkProperty) return ReadName(Info, Value, Text);
  if (ttkType == vkString) {
    Text = ttkString;
    return vkString;
  }
  Value = ttkValue;
  return vkNumber;
}

uint8_t TFormula::GetValue(const TProccessInfo& Info, long double& Value, std::string& Text) const {
  if (FProgram && Info.VarList) {
    uint8_t kind = vkNumber;
    TExprVariables* global = Info.Animator ? Info.Animator->GlobalVarList() : nullptr;
    TExprVariables* app = Info.Animator ? Info.Animator->AppVarList() : nullptr;
    if (FProgram->Run(Info.VarList, global, app, Value, kind)) {
      Text.clear();
      return kind;
    }
  }
  return TreeValue(Info, Value, Text);
}

uint8_t TFormula::TreeValue(const TProccessInfo& Info, long double& Value, std::string& Text) const {
  uint8_t kind = vkNumber, pending = opNone;
  long double acc = 0;
  std::string txt;
  for (const TToken* token = First(); token; token = Next(token)) {
    long double v = 0;
    std::string t;
    uint8_t k = token->GetValue(Info, v, t);
    if (token == First()) {
      if (k == vkNumber || k == vkDate || k == vkLogical) acc = v;
      if (k == vkString) txt = std::move(t);
      kind = k;
    } else {
      Apply(pending, k, v, t, kind, acc, txt);
    }
    pending = token->ttkOperator;
  }
  Value = acc;
  Text = std::move(txt);
  return kind;
}

// Fills the context and evaluates Formula (an empty or missing formula is the number 0).
uint8_t EvaluateFormula(TExprHost* Animator, TAnimateObj* AniObj, TExprVariables* VarList,
                        std::string& Text, long double& Value, const TFormula* Formula) {
  TProccessInfo info{Animator, AniObj, VarList};
  Value = 0;
  Text.clear();
  return Formula ? Formula->GetValue(info, Value, Text) : vkNumber;
}

}  // namespace zkw
