// The registry of built-in functions, indexed by function code. A code is the 1-based
// position in the table plus 5. An entry without a procedure is a function not yet provided:
// its call gives kind 0, as a call with arguments that do not fit.
#include "expr/functions.h"

#include <array>

#include "expr/names.h"

namespace zkw {

namespace {

// "PROC": a procedure name used as a value gives the number 0.
uint8_t FnProc(const TToken&, const TProccessInfo&, long double& Value, std::string&) {
  Value = 0;
  return vkNumber;
}

// "FUNC1"/"FUNC2": a call of a user function bound at preparation; unbound gives kind 0.
uint8_t FnUserCall(const TToken& Call, const TProccessInfo& Info, long double& Value,
                   std::string& Text) {
  if (!Call.ttkProc || !Info.Animator) return vkNone;
  return Info.Animator->CallUserFunction(Call.ttkProc, Call, Info, Value, Text);
}

const TFunctionEntry kFunctions[kFunctionCount] = {
    {"INT", nullptr},  // 6
    {"ROUND", nullptr},  // 7
    {"SIN", nullptr},  // 8
    {"COS", nullptr},  // 9
    {"TAN", nullptr},  // 10
    {"COTAN", nullptr},  // 11
    {"ABS", nullptr},  // 12
    {"PI", nullptr},  // 13
    {"ARCTAN", nullptr},  // 14
    {"ARCSIN", nullptr},  // 15
    {"ARCCOS", nullptr},  // 16
    {"SQR", nullptr},  // 17
    {"SQRT", nullptr},  // 18
    {"LN", nullptr},  // 19
    {"RADIAN", nullptr},  // 20
    {"LEFT", nullptr},  // 21
    {"RIGHT", nullptr},  // 22
    {"IIF", nullptr},  // 23
    {"LEN", nullptr},  // 24
    {"SPACE", nullptr},  // 25
    {"REPLICATE", nullptr},  // 26
    {"UPPER", nullptr},  // 27
    {"LOWER", nullptr},  // 28
    {"HEX", nullptr},  // 29
    {"BIN", nullptr},  // 30
    {"AT", nullptr},  // 31
    {"RAT", nullptr},  // 32
    {"SUBSTR", nullptr},  // 33
    {"REPLACE", nullptr},  // 34
    {"STR", nullptr},  // 35
    {"VAL", nullptr},  // 36
    {"LTRIM", nullptr},  // 37
    {"RTRIM", nullptr},  // 38
    {"TRIM", nullptr},  // 39
    {"VUPPER", nullptr},  // 40
    {"VLOWER", nullptr},  // 41
    {"TODAY", nullptr},  // 42
    {"DATESTR", nullptr},  // 43
    {"STRDATE", nullptr},  // 44
    {"DAY", nullptr},  // 45
    {"MONTH", nullptr},  // 46
    {"YEAR", nullptr},  // 47
    {"DOW", nullptr},  // 48
    {"RGB", nullptr},  // 49
    {"HLS", nullptr},  // 50
    {"NOT", nullptr},  // 51
    {"SEEK", nullptr},  // 52
    {"FIND", nullptr},  // 53
    {"GETMEMODIB", nullptr},  // 54
    {"GETMEMOTEXT", nullptr},  // 55
    {"GETMEMODATA", nullptr},  // 56
    {"COLLIDED", nullptr},  // 57
    {"LEADSTR", nullptr},  // 58
    {"GETOBJECT", nullptr},  // 59
    {"SCALEDIB", nullptr},  // 60
    {"GETDIBWIDTH", nullptr},  // 61
    {"GETDIBHEIGHT", nullptr},  // 62
    {"DIBFROMLIB", nullptr},  // 63
    {"DIBFROMJPGLIB", nullptr},  // 64
    {"ITEMS", nullptr},  // 65
    {"ITEMDATA", nullptr},  // 66
    {"DIBTEXTWIDTH", nullptr},  // 67
    {"CHR", nullptr},  // 68
    {"ORD", nullptr},  // 69
    {"STRINGS", nullptr},  // 70
    {"SHUFFLESTR", nullptr},  // 71
    {"GETCONTAINER", nullptr},  // 72
    {"GETFOCUS", nullptr},  // 73
    {"CURSORVISIBLE", nullptr},  // 74
    {"CURSORCOUNT", nullptr},  // 75
    {"ADDCURSOR", nullptr},  // 76
    {"REPLACECURSOR", nullptr},  // 77
    {"APPVAREXISTS", nullptr},  // 78
    {"NEWBYTEARRAY", nullptr},  // 79
    {"NEWINTARRAY", nullptr},  // 80
    {"ARRAY", nullptr},  // 81
    {"RND", nullptr},  // 82
    {"INTERSECT", nullptr},  // 83
    {"TEXTOUT", nullptr},  // 84
    {"TEXTWIDTH", nullptr},  // 85
    {"TEXTHEIGHT", nullptr},  // 86
    {"PTINRECT", nullptr},  // 87
    {"SCALEDIBID", nullptr},  // 88
    {"GETAPPVARINT", nullptr},  // 89
    {"GETAPPVARSTR", nullptr},  // 90
    {"ARRAYLEN", nullptr},  // 91
    {"SETAPPVAR", nullptr},  // 92
    {"FILECREATE", nullptr},  // 93
    {"FILEOPEN", nullptr},  // 94
    {"FILECLOSE", nullptr},  // 95
    {"FILEPOSITION", nullptr},  // 96
    {"FILEREAD", nullptr},  // 97
    {"FILEREADTEXT", nullptr},  // 98
    {"FILEREADUTEXT", nullptr},  // 99
    {"FILEWRITE", nullptr},  // 100
    {"FILEWRITETEXT", nullptr},  // 101
    {"FILESIZE", nullptr},  // 102
    {"FILEEXISTS", nullptr},  // 103
    {"FILEREADLN", nullptr},  // 104
    {"FILEWRITELN", nullptr},  // 105
    {"FILEEOF", nullptr},  // 106
    {"FILEFINDFIRST", nullptr},  // 107
    {"FILEFINDNEXT", nullptr},  // 108
    {"FILEFINDCLOSE", nullptr},  // 109
    {"FILEFINDINFO", nullptr},  // 110
    {"GETTABLEDATA", nullptr},  // 111
    {"CHARDRAW", nullptr},  // 112
    {"GETOBJCOUNT", nullptr},  // 113
    {"GETOBJECTOF", nullptr},  // 114
    {"PROC", FnProc},  // 115
    {"FUNC1", FnUserCall},  // 116
    {"FUNC2", FnUserCall},  // 117
};

// The table with the procedures of every group filled in, built on first use.
const TFunctionEntry* Table() {
  static const std::array<TFunctionEntry, kFunctionCount> table = [] {
    std::array<TFunctionEntry, kFunctionCount> t{};
    for (int32_t i = 0; i < kFunctionCount; ++i) t[i] = kFunctions[i];
    for (TFunctionGroup g : {MathFunctions(), StringFunctions(), DateFunctions(),
                             ColourFunctions(), ArrayFunctions(), FileFunctions(),
                             SceneFunctions(), DatabaseFunctions()})
      for (size_t k = 0; k < g.Count; ++k) {
        int32_t code = g.Items[k].Code;
        if (code >= vkFirstFunction && code <= vkLastFunction)
          t[code - vkFirstFunction].Proc = g.Items[k].Proc;
      }
    return t;
  }();
  return table.data();
}

}  // namespace

// Function code of a name, ignoring case; 0 when the name is not in the table.
int32_t FunctionCode(std::string_view Name) {
  for (int32_t i = 0; i < kFunctionCount; ++i)
    if (SameName(Name, kFunctions[i].Name)) return i + vkFirstFunction;
  return 0;
}

// Table entry of a code, or null outside 6..117.
const TFunctionEntry* FunctionEntry(int32_t Code) {
  if (Code < vkFirstFunction || Code > vkLastFunction) return nullptr;
  return &Table()[Code - vkFirstFunction];
}

// Runs the function of a call token; kind 0 with value 0 and empty text when it cannot run.
uint8_t CallFunction(const TToken& Call, const TProccessInfo& Info, long double& Value,
                     std::string& Text) {
  Value = 0;
  const TFunctionEntry* entry = FunctionEntry(Call.ttkType);
  uint8_t kind = entry && entry->Proc ? entry->Proc(Call, Info, Value, Text) : vkNone;
  if (kind == vkNone) {
    Value = 0;
    Text.clear();
  }
  return kind;
}

// Number of arguments of a call: the tokens of its argument list (0 without a child).
int32_t ArgumentCount(const TToken& Call) {
  return Call.ttkChildExpr ? Call.ttkChildExpr->Count() : 0;
}

// Evaluates argument Index (0-based) of a call of several arguments on its own.
uint8_t EvaluateArgument(const TToken& Call, int32_t Index, const TProccessInfo& Info,
                         long double& Value, std::string& Text) {
  Value = 0;
  Text.clear();
  if (!Call.ttkChildExpr || Index < 0) return vkNone;
  const TToken* arg = Call.ttkChildExpr->First();
  for (int32_t i = 0; arg && i < Index; ++i) arg = TFormula::Next(arg);
  return arg ? arg->GetValue(Info, Value, Text) : vkNone;
}

// Evaluates the whole argument list as one formula: the single argument of a one-argument
// function (only the first argument counts).
uint8_t EvaluateSingleArgument(const TToken& Call, const TProccessInfo& Info, long double& Value,
                               std::string& Text) {
  Value = 0;
  Text.clear();
  if (!Call.ttkChildExpr) return vkNumber;
  return Call.ttkChildExpr->GetValue(Info, Value, Text);
}

}  // namespace zkw
