// Evaluation of a prepared formula: a left-to-right walk with a numeric and a text accumulator.
#include <chrono>
#include <cmath>
#include <ctime>
#include <limits>

#include "common/round.h"
#include "expr/formula.h"
#include "expr/functions.h"
#include "platform/plat.h"
#include "text/scene_text.h"

namespace zkw {

namespace {

// Nearest integer, ties to even, saturated to the 64-bit range; NaN gives 0.
int64_t RoundInt(long double V) {
  if (std::isnan(V)) return 0;
  if (V >= 9223372036854775807.0L) return std::numeric_limits<int64_t>::max();
  if (V <= -9223372036854775808.0L) return std::numeric_limits<int64_t>::min();
  return Round(V);
}

// Powers beyond this count are taken with powl rather than step by step.
constexpr int64_t kMaxPowerSteps = 16384;

// acc ^ n: 1 for n = 0, repeated multiplication for n >= 1, acc unchanged for n < 0.
long double Power(long double Acc, int64_t N) {
  if (N < 0) return Acc;
  if (N > kMaxPowerSteps) return std::pow(Acc, static_cast<long double>(N));
  long double r = 1;
  for (int64_t i = 0; i < N; ++i) r *= Acc;
  return r;
}

// Compares numbers or texts for operators 12..17.
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

// -1, 0 or 1; unordered numbers (NaN) compare as neither less, equal nor greater.
int NumberOrder(long double A, long double B, bool& Unordered) {
  Unordered = std::isnan(A) || std::isnan(B);
  return A < B ? -1 : (A > B ? 1 : 0);
}

// Applies operator Op between the accumulators and a token's value (K, V, T).
void Apply(uint8_t Op, uint8_t K, long double V, const std::string& T, uint8_t& Kind,
           long double& Acc, std::string& Txt) {
  switch (Op) {
    case opNone: return;
    case opAdd:
      if (K == vkNumber || K == vkDate) Acc += V;
      else if (K == vkString) Txt += T;
      return;
    case opSub: Acc -= V; return;
    case opMul: Acc *= V; return;
    case opDiv:
      if (V != 0) Acc /= V;
      return;
    case opMod:
    case opIntDiv: {
      int64_t a = RoundInt(Acc), b = RoundInt(V);
      if (b == 0) return;  // left unchanged, as "/" by 0
      if (b == -1)
        Acc = Op == opMod ? 0 : -static_cast<long double>(a);
      else
        Acc = static_cast<long double>(Op == opMod ? a % b : a / b);
      return;
    }
    case opPower: Acc = Power(Acc, RoundInt(V)); return;
    case opAnd: Acc = static_cast<long double>(RoundInt(Acc) & RoundInt(V)); return;
    case opOr: Acc = static_cast<long double>(RoundInt(Acc) | RoundInt(V)); return;
    case opNot: Acc = static_cast<long double>(~RoundInt(V)); return;
    case opXor: Acc = static_cast<long double>(RoundInt(Acc) ^ RoundInt(V)); return;
    default: break;
  }
  // Comparisons: numbers with numbers, texts with texts (byte order); the kind becomes logical.
  if (K == vkNumber || K == vkDate) {
    bool unordered = false;
    int order = NumberOrder(Acc, V, unordered);
    Acc = !unordered && Compare(Op, order) ? 1 : (unordered && Op == opNotEqual ? 1 : 0);
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

// Evaluates the tokens left to right, each later one through the operator before it.
uint8_t TFormula::GetValue(const TProccessInfo& Info, long double& Value, std::string& Text) const {
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
