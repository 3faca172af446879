// Formula expressions: the token tree made by ParseFormula, bound once against an animator by
// Prepare and evaluated any number of times by GetValue.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "common/link_list.h"
#include "expr/expr_host.h"

namespace zkw {

// Value kinds of evaluation results; also the token kinds of literals.
constexpr uint8_t vkNone = 0;       // a function could not run
constexpr uint8_t vkProperty = 1;   // token kind only: a name
constexpr uint8_t vkNumber = 2;
constexpr uint8_t vkString = 3;
constexpr uint8_t vkDate = 4;       // days since 30 December 1899, in the numeric slot
constexpr uint8_t vkLogical = 5;    // 1 or 0 in the numeric slot
constexpr uint8_t vkFirstFunction = 6;
constexpr uint8_t vkLastFunction = 117;

// Operator codes, in the order of their names in kOperatorNames.
constexpr uint8_t opNone = 0, opAdd = 1, opSub = 2, opMul = 3, opDiv = 4, opMod = 5,
                  opIntDiv = 6, opPower = 7, opAnd = 8, opOr = 9, opNot = 10, opXor = 11,
                  opGreater = 12, opLess = 13, opEqual = 14, opNotEqual = 15,
                  opGreaterEqual = 16, opLessEqual = 17;
extern const char* const kOperatorNames[18];

// How a property token finds its object at evaluation (ttkObjStyle).
constexpr uint8_t osBound = 0, osThis = 1, osCurrent = 2, osVariable = 3, osSystem = 4;

// Property code of a field of a database object.
constexpr uint8_t kFieldProperty = 149;

class TFormula;
class TNumericProgram;

// One operand of a formula level: a literal, a name, a group or a call.
class TToken : public TItemNode {
 public:
  TToken(uint8_t AType, std::unique_ptr<TFormula> AChildExpr, uint8_t AOperator,
         std::string AText, double AValue);
  ~TToken() override;

  // Evaluates this token alone; Value starts at 0.
  uint8_t GetValue(const TProccessInfo& Info, long double& Value, std::string& Text) const;

  TAnimateObj* ttkObj = nullptr;
  uint8_t ttkObjStyle = osBound;
  uint8_t ttkFunction = 0;
  std::string ttkFieldname;
  TProcedureInfo* ttkProc = nullptr;
  double ttkValue = 0;
  std::string ttkString;
  uint8_t ttkType = vkNumber;
  uint8_t ttkOperator = opNone;
  std::unique_ptr<TFormula> ttkChildExpr;

 private:
  friend class TFormula;
  friend class TNumericProgram;
  std::string FName;  // a name token's text as parsed; binding starts from it every time
  bool FUnknownProperty = false;  // "left.right" with a right that is no property: reads 0

  uint8_t ReadName(const TProccessInfo& Info, long double& Value, std::string& Text) const;
};

// The ordered tokens of one level; owns them and, through them, their sub-formulas.
class TFormula : public TLinkList {
 public:
  TToken* First() const { return static_cast<TToken*>(FHead); }
  static TToken* Next(const TToken* Token) { return static_cast<TToken*>(Token->NextItem); }

  TFormula();
  ~TFormula() override;
  // Binds names against the animator (which may be null): objects, properties, user functions;
  // a formula of numbers, plain variables, groups and operators is also flattened into a
  // numeric program that evaluations run while they can.
  void Prepare(TExprHost* Ani);
  TNumericProgram* Program() const { return FProgram.get(); }
  void PrepareTokens(TExprHost* Ani, TFormula* List);
  // Evaluates the formula (its numeric program while it can); returns the result kind.
  uint8_t GetValue(const TProccessInfo& Info, long double& Value, std::string& Text) const;
  // The token-tree walk alone: the tokens left to right, each later one through the operator
  // before it. The numeric program gives the same results.
  uint8_t TreeValue(const TProccessInfo& Info, long double& Value, std::string& Text) const;

 private:
  static void BindToken(TExprHost* Ani, TToken& Token);
  std::unique_ptr<TNumericProgram> FProgram;
};

// Parses 8-bit expression text into a formula. Removes the blanks outside double quotes from
// Text in place. Never fails: any text gives some tree.
std::unique_ptr<TFormula> ParseFormula(std::string& Text);

// The script's entry: evaluates a prepared formula in the given context; returns the kind.
uint8_t EvaluateFormula(TExprHost* Animator, TAnimateObj* AniObj, TExprVariables* VarList,
                        std::string& Text, long double& Value, const TFormula* Formula);

}  // namespace zkw
