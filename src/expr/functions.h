// Built-in functions of the expression language: one table indexed by function code (6 to 117).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "expr/formula.h"

namespace zkw {

constexpr int32_t kFunctionCount = 112;

// A built-in function: gets its call token (the child formula holds the arguments) and the
// context, fills Value (0 on entry) or Text and returns the result kind (0: cannot run).
using TExprFunction = uint8_t (*)(const TToken& Call, const TProccessInfo& Info,
                                  long double& Value, std::string& Text);

struct TFunctionEntry {
  const char* Name;    // upper case, as searched
  TExprFunction Proc;  // null: not provided, the call gives kind 0
};

int32_t FunctionCode(std::string_view Name);
const TFunctionEntry* FunctionEntry(int32_t Code);
uint8_t CallFunction(const TToken& Call, const TProccessInfo& Info, long double& Value,
                     std::string& Text);

// Helpers for the functions themselves.
int32_t ArgumentCount(const TToken& Call);
uint8_t EvaluateArgument(const TToken& Call, int32_t Index, const TProccessInfo& Info,
                         long double& Value, std::string& Text);
uint8_t EvaluateSingleArgument(const TToken& Call, const TProccessInfo& Info, long double& Value,
                               std::string& Text);

// The functions of one group (mathematics, strings, ...), each file providing its own; the
// registry reads every group once and keeps one table by code.
struct TFunctionBinding {
  int32_t Code;
  TExprFunction Proc;
};
struct TFunctionGroup {
  const TFunctionBinding* Items;
  size_t Count;
};
TFunctionGroup MathFunctions();
TFunctionGroup StringFunctions();
TFunctionGroup DateFunctions();
TFunctionGroup ColourFunctions();
TFunctionGroup ArrayFunctions();
TFunctionGroup FileFunctions();
TFunctionGroup SceneFunctions();  // src/script/functions_scene.cpp
TFunctionGroup DatabaseFunctions();  // src/script/functions_odf.cpp

// Seeds the one generator behind RND and SHUFFLESTR (runs are repeatable after a seed).
void SetExprRandomSeed(uint32_t Seed);
// Switches the file functions (FILECREATE ... FILEFINDINFO) on or off (on by default); while
// off they fail as if the file could not be opened. Fuzzing turns them off.
void SetExprFileAccess(bool Enabled);

}  // namespace zkw
