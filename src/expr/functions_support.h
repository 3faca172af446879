// Shared helpers of the built-in function groups: argument access with the count and kind
// rules, rounding of numbers to integers, scene-text decoding and the random generator.
#pragma once
#include <cstdint>
#include <string>

#include "expr/functions.h"
#include "text/scene_text.h"

namespace zkw {

// Longest text (UTF-16 units) a function builds; longer results are cut there, so that a
// script cannot ask for gigabytes with Space, Replicate, Str or LeadStr.
constexpr size_t kMaxResultUnits = 1u << 20;

// Nearest integer, ties to even, saturated to the 64-bit range; NaN gives 0.
int64_t RoundInt(long double V);
// The same, saturated to the 32-bit range.
int32_t RoundInt32(long double V);

// The arguments of a call of several arguments, evaluated one at a time, each on its own.
class TArgs {
 public:
  TArgs(const TToken& Call, const TProccessInfo& Info) : FCall(Call), FInfo(Info) {}
  int32_t Count() const { return ArgumentCount(FCall); }
  // Evaluates argument I (0-based): its kind, value and text.
  uint8_t Eval(int32_t I, long double& Value, std::string& Text) const {
    return EvaluateArgument(FCall, I, FInfo, Value, Text);
  }
  // Evaluates argument I; true when it is a number (kind 2).
  bool Number(int32_t I, long double& Value) const;
  // Evaluates argument I; true when it is a string (kind 3).
  bool String(int32_t I, std::string& Text) const;
  const TProccessInfo& Info() const { return FInfo; }

 private:
  const TToken& FCall;
  const TProccessInfo& FInfo;
};

// Decoded text of a string argument, and the result text encoded back.
inline ZString Decode(const std::string& Text) { return DecodeSceneText(Text); }
inline std::string Encode(ZStringView Text) { return EncodeSceneText(Text); }

// The generator of RND and SHUFFLESTR: a uniform real in [0, 1) and a uniform integer in
// [Low, High].
long double RandomUnit();
int64_t RandomBetween(int64_t Low, int64_t High);

// Result helpers: set the slot and return the kind.
inline uint8_t NumberResult(long double& Value, long double V) {
  Value = V;
  return vkNumber;
}
inline uint8_t TextResult(std::string& Text, std::string T) {
  Text = std::move(T);
  return vkString;
}

}  // namespace zkw
