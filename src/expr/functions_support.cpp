// Helpers shared by the built-in function groups.
#include "expr/functions_support.h"

#include <cmath>
#include <limits>
#include <random>

#include "common/round.h"

namespace zkw {

int64_t RoundInt(long double V) {
  if (std::isnan(V)) return 0;
  if (V >= 9223372036854775807.0L) return std::numeric_limits<int64_t>::max();
  if (V <= -9223372036854775808.0L) return std::numeric_limits<int64_t>::min();
  return Round(V);
}

int32_t RoundInt32(long double V) {
  int64_t v = RoundInt(V);
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

bool TArgs::Number(int32_t I, long double& Value) const {
  std::string text;
  return Eval(I, Value, text) == vkNumber;
}

bool TArgs::String(int32_t I, std::string& Text) const {
  long double value = 0;
  return Eval(I, value, Text) == vkString;
}

namespace {

// One generator for the whole library, seeded from the clock until a seed is set.
std::mt19937& Generator() {
  static std::mt19937 generator(std::random_device{}());
  return generator;
}

}  // namespace

void SetExprRandomSeed(uint32_t Seed) { Generator().seed(Seed); }

long double RandomUnit() {
  // 53 random bits: every value is below 1.
  uint64_t hi = Generator()() >> 5, lo = Generator()() >> 6;
  return static_cast<long double>(hi * 67108864.0 + lo) / 9007199254740992.0L;
}

int64_t RandomBetween(int64_t Low, int64_t High) {
  if (High <= Low) return Low;
  std::uniform_int_distribution<int64_t> d(Low, High);
  return d(Generator());
}

}  // namespace zkw
