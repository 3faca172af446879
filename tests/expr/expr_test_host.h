// A small scene for expression tests: two objects, a database object, variables in the three
// lists, system properties and one user function ("Twice").
#pragma once
#include <map>
#include <string>

#include "expr/formula.h"
#include "expr/functions.h"
#include "expr/names.h"

namespace zkw::test {

// Variables by upper-cased name.
class TTestVariables : public TExprVariables {
 public:
  struct TVar {
    uint8_t Kind;
    long double Value;
    std::string Text;
  };
  void Set(const std::string& Name, uint8_t Kind, long double Value, std::string Text = "") {
    Vars[Upper(Name)] = {Kind, Value, std::move(Text)};
  }
  bool GetVar(const std::string& Name, uint8_t& Kind, long double& Value,
              std::string& Text) override {
    auto it = Vars.find(Upper(Name));
    if (it == Vars.end()) return false;
    Kind = it->second.Kind;
    Value = it->second.Value;
    Text = it->second.Text;
    return true;
  }
  // Stores into an existing variable (the functions check the kind first).
  bool SetVar(const std::string& Name, uint8_t Kind, long double Value,
              const std::string& Text) override {
    auto it = Vars.find(Upper(Name));
    if (it == Vars.end()) return false;
    it->second = {Kind, Value, Text};
    return true;
  }
  static std::string Upper(std::string s) {
    for (char& c : s)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return s;
  }
  std::map<std::string, TVar> Vars;
};

// Stand-in objects: only their addresses matter to expressions.
struct TTestObject {
  std::string Name;
  int32_t XPos;
};

class TTestHost : public TExprHost {
 public:
  TTestObject Ball{"Ball", 10}, Box{"Box", -3}, Db{"Db", 0};
  TTestVariables Globals, Apps;
  int32_t Calls = 0;

  static TAnimateObj* AsObj(TTestObject& o) { return reinterpret_cast<TAnimateObj*>(&o); }
  static TTestObject* Of(TAnimateObj* o) { return reinterpret_cast<TTestObject*>(o); }
  static TProcedureInfo* TwiceProc() { return reinterpret_cast<TProcedureInfo*>(uintptr_t{0x10}); }

  TAnimateObj* GetObjectName(const std::string& Name) override {
    for (TTestObject* o : {&Ball, &Box, &Db})
      if (SameName(Name, o->Name)) return AsObj(*o);
    return nullptr;
  }
  TAnimateObj* ObjectFromReference(int64_t Ref) override {
    for (TTestObject* o : {&Ball, &Box, &Db})
      if (Ref == static_cast<int64_t>(reinterpret_cast<uintptr_t>(o))) return AsObj(*o);
    return nullptr;
  }
  TAnimateObj* CurrentObj() override { return AsObj(Box); }
  uint8_t GetObjectValue(TAnimateObj* Obj, int32_t Code, long double& Value,
                         std::string& Text) override {
    if (Code == 135) {  // Name
      Text = Of(Obj)->Name;
      return vkString;
    }
    Value = Code == 5 ? Of(Obj)->XPos : 0;  // XPos
    return vkNumber;
  }
  void SetObjectValue(TAnimateObj*, int32_t, const std::string&, long double) override {}
  uint8_t GetFieldValue(TAnimateObj* Obj, const std::string& Field, long double& Value,
                        std::string& Text) override {
    if (Of(Obj) != &Db) return vkNone;
    if (SameName(Field, "Born")) return Value = 45000.25L, vkDate;
    if (SameName(Field, "Ok")) return Value = 1, vkLogical;
    if (SameName(Field, "Name")) return Text = "Lan", vkString;
    return vkNone;
  }
  uint8_t GetSystemValue(int32_t Code, long double& Value, std::string& Text) override {
    if (Code == 148) return Text = "evt", vkString;
    Value = Code == 78 ? 7 : -1;
    return vkNumber;
  }
  TExprVariables* GlobalVarList() override { return &Globals; }
  TExprVariables* AppVarList() override { return &Apps; }
  static TProcedureInfo* AgainProc() { return reinterpret_cast<TProcedureInfo*>(uintptr_t{0x20}); }
  const TFormula* Reenter = nullptr;  // what "Again" evaluates
  int Depth = 0;

  TProcedureInfo* GetFunc(const std::string& Name) override {
    if (SameName(Name, "Again")) return AgainProc();
    return SameName(Name, "Twice") ? TwiceProc() : nullptr;
  }
  // "Twice": twice its first argument, or 2 without arguments.
  uint8_t CallUserFunction(TProcedureInfo* Proc, const TToken& Call, const TProccessInfo& Info,
                           long double& Value, std::string& Text) override {
    ++Calls;
    if (Proc == AgainProc()) {  // "Again": 1 + Reenter evaluated again, three levels deep
      if (Depth >= 3 || !Reenter) return vkNumber;
      ++Depth;
      uint8_t kind = EvaluateFormula(this, Info.AniObj, Info.VarList, Text, Value, Reenter);
      --Depth;
      Value += 1;
      return kind;
    }
    if (Proc != TwiceProc()) return vkNone;
    if (ArgumentCount(Call) == 0) return Value = 2, vkNumber;
    EvaluateArgument(Call, 0, Info, Value, Text);
    Value *= 2;
    return vkNumber;
  }
};

}  // namespace zkw::test
