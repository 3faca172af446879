// Tokens and formulas: construction and binding of names against the animator.
#include "expr/formula.h"
#include "expr/formula_program.h"

#include "expr/names.h"
#include "expr/property_names.h"

namespace zkw {

const char* const kOperatorNames[18] = {"(none)", "+", "-", "*", "/", "%", ":", "^", "&",
                                        "|", "!", "~", ">", "<", "=", "#", ">=", "<="};

// A token of kind AType with its child formula, operator, text and literal number.
TToken::TToken(uint8_t AType, std::unique_ptr<TFormula> AChildExpr, uint8_t AOperator,
               std::string AText, double AValue)
    : ttkValue(AValue),
      ttkString(std::move(AText)),
      ttkType(AType),
      ttkOperator(AOperator),
      ttkChildExpr(std::move(AChildExpr)) {
  if (ttkType == vkProperty) FName = ttkString;
}

TToken::~TToken() = default;

namespace {

// How a name finds its object: "THIS", "CURRENT", a "$" variable, or an object bound now.
uint8_t Resolve(TExprHost* Ani, const std::string& Name, TToken& Token) {
  Token.ttkObj = nullptr;
  if (SameName(Name, "THIS")) return osThis;
  if (SameName(Name, "CURRENT")) return osCurrent;
  if (!Ani) return osBound;
  if (!Name.empty() && Name[0] == '$') return osVariable;
  Token.ttkObj = Ani->GetObjectName(Name);
  return osBound;
}

}  // namespace

// Binds one token: user functions, system properties, objects and their properties. Binding
// starts from the token's text as parsed, so that binding again gives the same result.
void TFormula::BindToken(TExprHost* Ani, TToken& Token) {
  const std::string& Name = Token.FName;
  if (Token.ttkType == vkLastFunction - 1 || Token.ttkType == vkLastFunction) {
    Token.ttkProc = Ani ? Ani->GetFunc(Token.ttkFieldname) : nullptr;
    return;
  }
  if (Token.ttkType != vkProperty || Name.empty()) return;
  Token.ttkObj = nullptr;
  Token.ttkObjStyle = osBound;
  Token.ttkFunction = 0;
  Token.ttkFieldname.clear();
  Token.FUnknownProperty = false;
  Token.ttkString = Name;
  const std::string& text = Name;
  if (text[0] == '@') {
    Token.ttkFunction = static_cast<uint8_t>(PropertyCode(text));
    Token.ttkObj = nullptr;
    Token.ttkObjStyle = osSystem;
    return;
  }
  size_t dot = text.find('.');
  if (dot == std::string::npos) {
    Token.ttkObjStyle = Resolve(Ani, text, Token);
    Token.ttkFunction = 0;
    return;
  }
  std::string left = text.substr(0, dot), right = text.substr(dot + 1);
  Token.ttkObjStyle = Resolve(Ani, left, Token);
  if (Token.ttkObjStyle == osVariable) Token.ttkString = left;
  if (right.empty()) return;
  if (right[0] == '$') {
    Token.ttkFieldname = right.substr(1);
    Token.ttkFunction = kFieldProperty;
  } else {
    Token.ttkFunction = static_cast<uint8_t>(PropertyCode(right));
    // An unknown property reads 0, not the object itself nor the variable.
    Token.FUnknownProperty = Token.ttkFunction == 0;
  }
}

// Binds the whole tree once.
TFormula::TFormula() = default;
TFormula::~TFormula() = default;

void TFormula::Prepare(TExprHost* Ani) {
  PrepareTokens(Ani, this);
  FProgram = TNumericProgram::Compile(this);
}

// Binds every token of List, then its sub-formula, depth first in list order.
void TFormula::PrepareTokens(TExprHost* Ani, TFormula* List) {
  for (TToken* token = List->First(); token; token = Next(token)) {
    BindToken(Ani, *token);
    if (token->ttkChildExpr) PrepareTokens(Ani, token->ttkChildExpr.get());
  }
}

}  // namespace zkw
