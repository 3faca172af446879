// Application variables and arrays (codes 78-81, 89-92). Arrays live in the handle registry:
// a number that is not a live array gives 0.
#include <new>

#include "expr/functions_support.h"
#include "expr/handles.h"

namespace zkw {

namespace {

TExprVariables* AppVars(const TProccessInfo& Info) {
  return Info.Animator ? Info.Animator->AppVarList() : nullptr;
}

// A variable name as GETAPPVAR* and SETAPPVAR take it: "$" put in front when missing.
std::string VarName(const std::string& Name) {
  return !Name.empty() && Name[0] == '$' ? Name : "$" + Name;
}

// "AppVarExists": 1 when the application variables hold exactly that name, else 0.
uint8_t FnAppVarExists(const TToken& Call, const TProccessInfo& Info, long double& Value,
                       std::string& Text) {
  if (EvaluateSingleArgument(Call, Info, Value, Text) != vkString) return vkNone;
  TExprVariables* vars = AppVars(Info);
  bool found = vars && vars->HasVar(Text);
  Text.clear();
  return NumberResult(Value, found ? 1 : 0);
}

// Reads an application variable; false when it is missing.
bool ReadAppVar(const TProccessInfo& Info, const std::string& Name, uint8_t& Kind,
                long double& Value, std::string& Text) {
  TExprVariables* vars = AppVars(Info);
  return vars && vars->GetVar(VarName(Name), Kind, Value, Text);
}

// "GetAppVarInt": the number of a number variable, else 0.
uint8_t FnGetAppVarInt(const TToken& Call, const TProccessInfo& Info, long double& Value,
                       std::string& Text) {
  if (EvaluateSingleArgument(Call, Info, Value, Text) != vkString) return vkNone;
  uint8_t kind = 0;
  long double v = 0;
  std::string t;
  if (!ReadAppVar(Info, Text, kind, v, t) || kind != vkNumber) v = 0;
  Text.clear();
  return NumberResult(Value, v);
}

// "GetAppVarStr": the text of a string variable, else "".
uint8_t FnGetAppVarStr(const TToken& Call, const TProccessInfo& Info, long double& Value,
                       std::string& Text) {
  if (EvaluateSingleArgument(Call, Info, Value, Text) != vkString) return vkNone;
  uint8_t kind = 0;
  long double v = 0;
  std::string t;
  if (!ReadAppVar(Info, Text, kind, v, t) || kind != vkString) t.clear();
  Value = 0;
  return TextResult(Text, std::move(t));
}

// "SetAppVar": 2 or more; 1 when the variable exists (a value of its own kind is stored), else 0.
uint8_t FnSetAppVar(const TToken& Call, const TProccessInfo& Info, long double& Value,
                    std::string&) {
  TArgs a(Call, Info);
  if (a.Count() < 2) return vkNone;
  std::string name, text;
  long double v = 0;
  if (!a.String(0, name)) return vkNone;
  uint8_t k = a.Eval(1, v, text);
  uint8_t kind = 0;
  long double old = 0;
  std::string oldText;
  name = VarName(name);
  TExprVariables* vars = AppVars(Info);
  if (!vars || !vars->GetVar(name, kind, old, oldText)) return NumberResult(Value, 0);
  if (k == kind && (k == vkNumber || k == vkString)) vars->SetVar(name, k, v, text);
  return NumberResult(Value, 1);
}

// "NewByteArray"/"NewIntArray": a new zero-filled array of that many elements; 0 when the count
// is not above 0 or the request exceeds the array limits.
uint8_t NewArray(const TToken& Call, const TProccessInfo& Info, long double& Value,
                 std::string& Text, uint8_t ElementKind) {
  if (EvaluateSingleArgument(Call, Info, Value, Text) != vkNumber) return vkNone;
  int64_t n = RoundInt(Value);
  Value = 0;
  Text.clear();
  int64_t bytes = n * (ElementKind == 0 ? 1 : 4);
  if (n <= 0 || n > kMaxArrayElements || ArrayBytesInUse() + bytes > kMaxArrayBytes)
    return vkNumber;
  auto* array = new (std::nothrow) TScriptArray();
  if (!array) return vkNumber;
  try {
    array->ElementKind = ElementKind;
    array->Count = static_cast<int32_t>(n);
    if (ElementKind == 0)
      array->Bytes.assign(static_cast<size_t>(n), 0);
    else
      array->Ints.assign(static_cast<size_t>(n), 0);
  } catch (const std::bad_alloc&) {
    delete array;
    return vkNumber;
  }
  return NumberResult(Value, static_cast<long double>(AddHandle(THandleKind::hkArray, array)));
}

uint8_t FnNewByteArray(const TToken& Call, const TProccessInfo& Info, long double& Value,
                       std::string& Text) {
  return NewArray(Call, Info, Value, Text, 0);
}

uint8_t FnNewIntArray(const TToken& Call, const TProccessInfo& Info, long double& Value,
                      std::string& Text) {
  return NewArray(Call, Info, Value, Text, 1);
}

// "Array": 2 or more numbers: the element at the 0-based index; 0 out of range or no array.
uint8_t FnArray(const TToken& Call, const TProccessInfo& Info, long double& Value, std::string&) {
  TArgs a(Call, Info);
  long double handle = 0, index = 0;
  if (a.Count() < 2 || !a.Number(0, handle) || !a.Number(1, index)) return vkNone;
  const TScriptArray* array = FindHandle<TScriptArray>(THandleKind::hkArray, RoundInt(handle));
  return NumberResult(Value, array ? array->Get(RoundInt(index)) : 0);
}

// "ArrayLen": the element count; 0 when the number is no array.
uint8_t FnArrayLen(const TToken& Call, const TProccessInfo& Info, long double& Value,
                   std::string& Text) {
  EvaluateSingleArgument(Call, Info, Value, Text);
  const TScriptArray* array = FindHandle<TScriptArray>(THandleKind::hkArray, RoundInt(Value));
  Text.clear();
  return NumberResult(Value, array ? array->Count : 0);
}

const TFunctionBinding kArrays[] = {
    {78, FnAppVarExists}, {79, FnNewByteArray}, {80, FnNewIntArray}, {81, FnArray},
    {89, FnGetAppVarInt}, {90, FnGetAppVarStr}, {91, FnArrayLen},    {92, FnSetAppVar},
};

}  // namespace

TFunctionGroup ArrayFunctions() { return {kArrays, std::size(kArrays)}; }

}  // namespace zkw
