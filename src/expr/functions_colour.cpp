// Colours and logic (codes 49-51, 82, 87).
#include "colour/hls.h"
#include "expr/functions_support.h"

namespace zkw {

namespace {

// Evaluates the first Count arguments as numbers; false when one is not a number.
bool Numbers(const TArgs& A, int32_t Count, long double* Out) {
  for (int32_t i = 0; i < Count; ++i)
    if (!A.Number(i, Out[i])) return false;
  return true;
}

// "RGB": exactly 3 numbers, each rounded and cut to its low 8 bits.
uint8_t FnRGB(const TToken& Call, const TProccessInfo& Info, long double& Value, std::string&) {
  TArgs a(Call, Info);
  long double c[3];
  if (a.Count() != 3 || !Numbers(a, 3, c)) return vkNone;
  uint32_t rgb = 0;
  for (int i = 0; i < 3; ++i)
    rgb |= (static_cast<uint32_t>(static_cast<uint64_t>(RoundInt(c[i])) & 0xFF)) << (8 * i);
  return NumberResult(Value, rgb);
}

// "HLS": exactly 3 numbers, rounded: the colour HLStoRGB gives.
uint8_t FnHLS(const TToken& Call, const TProccessInfo& Info, long double& Value, std::string&) {
  TArgs a(Call, Info);
  long double c[3];
  if (a.Count() != 3 || !Numbers(a, 3, c)) return vkNone;
  return NumberResult(Value, HLStoRGB(RoundInt32(c[0]), RoundInt32(c[1]), RoundInt32(c[2])));
}

// "Not": a number or logical: 1 when it is 0, else 0 (logical); other kinds: kind 0.
uint8_t FnNot(const TToken& Call, const TProccessInfo& Info, long double& Value,
              std::string& Text) {
  uint8_t k = EvaluateSingleArgument(Call, Info, Value, Text);
  if (k != vkNumber && k != vkLogical) return vkNone;
  Value = Value == 0 ? 1 : 0;
  Text.clear();
  return vkLogical;
}

// "PtInRect": 6 or more numbers: 1 when left <= x < right and top <= y < bottom (logical).
uint8_t FnPtInRect(const TToken& Call, const TProccessInfo& Info, long double& Value,
                   std::string&) {
  TArgs a(Call, Info);
  long double v[6];
  if (a.Count() < 6 || !Numbers(a, 6, v)) return vkNone;
  int64_t x = RoundInt(v[0]), y = RoundInt(v[1]), l = RoundInt(v[2]), t = RoundInt(v[3]),
          r = RoundInt(v[4]), b = RoundInt(v[5]);
  Value = x >= l && x < r && y >= t && y < b ? 1 : 0;
  return vkLogical;
}

// "Rnd": exactly 2 numbers: round(Min) + round(r x (round(Max) - round(Min))), r in [0, 1).
uint8_t FnRnd(const TToken& Call, const TProccessInfo& Info, long double& Value, std::string&) {
  TArgs a(Call, Info);
  long double v[2];
  if (a.Count() != 2 || !Numbers(a, 2, v)) return vkNone;
  long double lo = static_cast<long double>(RoundInt(v[0]));
  long double span = static_cast<long double>(RoundInt(v[1])) - lo;
  return NumberResult(Value, lo + static_cast<long double>(RoundInt(RandomUnit() * span)));
}

const TFunctionBinding kColours[] = {
    {49, FnRGB}, {50, FnHLS}, {51, FnNot}, {82, FnRnd}, {87, FnPtInRect},
};

}  // namespace

TFunctionGroup ColourFunctions() { return {kColours, std::size(kColours)}; }

}  // namespace zkw
