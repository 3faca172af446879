// The operators of the expression language on numbers, shared by the token-tree evaluator and
// the flat numeric programs so that both give the same results.
#pragma once
#include <cmath>
#include <cstdint>

#include "common/round.h"
#include "expr/formula.h"

namespace zkw {

// Powers beyond this count are taken with powl rather than step by step.
constexpr int64_t kMaxPowerSteps = 16384;

// acc ^ n: 1 for n = 0, repeated multiplication for n >= 1, acc unchanged for n < 0.
inline long double Power(long double Acc, int64_t N) {
  if (N < 0) return Acc;
  if (N > kMaxPowerSteps) return std::pow(Acc, static_cast<long double>(N));
  long double r = 1;
  for (int64_t i = 0; i < N; ++i) r *= Acc;
  return r;
}

// Whether an order (-1, 0, 1) satisfies comparison operator Op (12..17).
inline bool Compare(uint8_t Op, int Order) {
  switch (Op) {
    case opGreater: return Order > 0;
    case opLess: return Order < 0;
    case opEqual: return Order == 0;
    case opNotEqual: return Order != 0;
    case opGreaterEqual: return Order >= 0;
    default: return Order <= 0;
  }
}

// Comparison Op of two numbers as 1 or 0; unordered numbers (NaN) are neither less, equal nor
// greater, so only "<>" holds for them.
inline long double CompareNumbers(uint8_t Op, long double A, long double B) {
  const bool unordered = std::isnan(A) || std::isnan(B);
  const int order = A < B ? -1 : (A > B ? 1 : 0);
  return !unordered && Compare(Op, order) ? 1 : (unordered && Op == opNotEqual ? 1 : 0);
}

// The arithmetic and bitwise operators (opAdd .. opXor) between the accumulator and a number;
// "/", "%" and ":" by 0 leave the accumulator unchanged.
inline long double ApplyArithmetic(uint8_t Op, long double Acc, long double V) {
  switch (Op) {
    case opAdd: return Acc + V;
    case opSub: return Acc - V;
    case opMul: return Acc * V;
    case opDiv: return V != 0 ? Acc / V : Acc;
    case opMod:
    case opIntDiv: {
      const int64_t a = Round(Acc), b = Round(V);
      if (b == 0) return Acc;
      if (b == -1) return Op == opMod ? 0 : -static_cast<long double>(a);
      return static_cast<long double>(Op == opMod ? a % b : a / b);
    }
    case opPower: return Power(Acc, Round(V));
    case opAnd: return static_cast<long double>(Round(Acc) & Round(V));
    case opOr: return static_cast<long double>(Round(Acc) | Round(V));
    case opNot: return static_cast<long double>(~Round(V));
    case opXor: return static_cast<long double>(Round(Acc) ^ Round(V));
    default: return Acc;
  }
}

}  // namespace zkw
