// What the expression language needs from the scene it runs in: the animator (objects, their
// properties, system properties, user functions) and the variable lists. The animator and the
// script implement these interfaces; the expression code knows nothing else of them.
#pragma once
#include <cstdint>
#include <string>

namespace zkw {

class TAnimateObj;      // a scene object; only its address travels through expressions
class TDibAnimator;     // the scene, for the built-in functions that work on it
class TProcedureInfo;   // a user function of the scene's scripts
class TToken;
struct TProccessInfo;

// A variable as the lists that prepared formulas can bind to hold it: a number (VarType 2, in
// Value) or a string (VarType 3, in StValue).
struct TExprVariable {
  std::string Name;
  uint8_t VarType = 2;
  long double Value = 0;
  std::string StValue;
};

// A list of script variables (local, scene or application variables).
class TExprVariables {
 public:
  virtual ~TExprVariables() = default;
  // Binding (see TVariableSlot): a list that supports it keeps its variables where they are
  // while it lives, only appends, has a BindSerial unique among lists and renewed when it is
  // emptied, and returns the first variable of a name from FindBindable. Lists that do not keep
  // BindSerial 0 and are looked up by name every time.
  uint64_t BindSerial = 0;
  virtual TExprVariable* FindBindable(const std::string& Name) const {
    (void)Name;
    return nullptr;
  }
  virtual int32_t BindCount() const { return 0; }
  // Looks a variable up by name, ignoring case; the name is written as in the expression, with
  // its leading "$". Found: Kind is 2 (number, in Value) or 3 (string, in Text) and the result
  // is true. Not found: false, outputs untouched.
  virtual bool GetVar(const std::string& Name, uint8_t& Kind, long double& Value,
                      std::string& Text) = 0;
  // True when a variable of that name (ignoring case, written as given) exists.
  virtual bool HasVar(const std::string& Name) {
    uint8_t kind = 0;
    long double value = 0;
    std::string text;
    return GetVar(Name, kind, value, text);
  }
  // Stores into an existing variable of that name (ignoring case): Kind 2 stores Value, Kind 3
  // stores Text; the caller has checked that the kind is the variable's. False when there is no
  // such variable (or the list cannot be written).
  virtual bool SetVar(const std::string& Name, uint8_t Kind, long double Value,
                      const std::string& Text) {
    (void)Name; (void)Kind; (void)Value; (void)Text;
    return false;
  }
};

// The animator as expressions see it.
class TExprHost {
 public:
  virtual ~TExprHost() = default;
  // The object of that name (8-bit scene text), or null.
  virtual TAnimateObj* GetObjectName(const std::string& Name) = 0;
  // The object whose address is Ref when it is one of this scene's objects, else null. A number
  // handed in by a script is never trusted as an address without this check.
  virtual TAnimateObj* ObjectFromReference(int64_t Ref) = 0;
  // The animator's CurrentObj (may be null).
  virtual TAnimateObj* CurrentObj() = 0;
  // An object's property: fills Value or Text and returns the kind (2 or 3).
  virtual uint8_t GetObjectValue(TAnimateObj* Obj, int32_t Code, long double& Value,
                                 std::string& Text) = 0;
  // Sets an object's property (used by script assignments).
  virtual void SetObjectValue(TAnimateObj* Obj, int32_t Code, const std::string& SValue,
                              long double IValue) = 0;
  // The named field of a database object's current record with the field's kind; kind 0 for an
  // object that is not a database object.
  virtual uint8_t GetFieldValue(TAnimateObj* Obj, const std::string& Field, long double& Value,
                                std::string& Text) = 0;
  // A system property the animator holds (codes 78-81, 89, 148, 156, 159, 160, 162, 163, 166,
  // 167, 182, 186-189): fills Value or Text (paths already encoded as scene text) and returns
  // the kind. Only these codes are asked for.
  virtual uint8_t GetSystemValue(int32_t Code, long double& Value, std::string& Text) = 0;
  // The scene's and the application's variables (either may be null).
  virtual TExprVariables* GlobalVarList() = 0;
  virtual TExprVariables* AppVarList() = 0;
  // The user function of that name, or null (TProcedureList.GetFunc on the ProcList).
  virtual TProcedureInfo* GetFunc(const std::string& Name) = 0;
  // Runs a user function for a call token (its child formula holds the arguments) and returns
  // the kind of its result with the value and text (the shared user-function result record).
  virtual uint8_t CallUserFunction(TProcedureInfo* Proc, const TToken& Call,
                                   const TProccessInfo& Info, long double& Value,
                                   std::string& Text) = 0;
  // The scene itself, for built-in functions that draw, measure, or reach images, cursors and
  // objects; null for hosts that are no scene (such as test hosts).
  virtual TDibAnimator* SceneAnimator() { return nullptr; }
};

// The evaluation context: the animator, the object whose script runs (null for scene scripts)
// and the local variables of the running procedure (may be null).
struct TProccessInfo {
  TExprHost* Animator = nullptr;
  TAnimateObj* AniObj = nullptr;
  TExprVariables* VarList = nullptr;
};

}  // namespace zkw
