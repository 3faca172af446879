// Running compiled scripts: event scripts, blocks, procedures and script text from the host.
#pragma once
#include <cstdint>
#include <string>

#include "script/script_list.h"

namespace zkw {

class TDibAnimator;
class TAnimateObj;
class TToken;

// A run (an event script with every procedure, function and script it calls) stops after this
// many visited lines, so that a script that never ends cannot hang the player. A frame of a real
// scene visits a few thousand lines at most.
constexpr int64_t kMaxScriptLines = 1000000;
// The bound in force (kMaxScriptLines unless changed); fuzzing lowers it to run faster.
int64_t ScriptLineLimit();
void SetScriptLineLimit(int64_t Lines);
// Runs nested through calls (procedures, functions, CallOnClick and the like, Execute) deeper
// than this are refused, so that endless recursion stops instead of exhausting the stack.
constexpr int32_t kMaxScriptNesting = 64;

// The shared result of a user function: set by the call and by "@Result" assignments.
struct TUserFunctionResultInfo {
  uint8_t ufReturnType = 0;
  long double ufValue = 0;
  std::string ufStValue;
};
extern TUserFunctionResultInfo gUserFunctionResult;

// Runs a whole script for an event with the event's system variables (FWorking set meanwhile).
void RunEventScript(TDibAnimator* Animator, TAnimateObj* Obj, TScriptList* List, int32_t EventCode);
// Runs records FirstIndex..LastIndex; true when the run reached LastIndex, false when stopped.
bool ExecuteBlock(TDibAnimator* Animator, TAnimateObj* Obj, TScriptList* List, int32_t LastIndex,
                  int32_t FirstIndex, TVariableList* VarList);
// Runs a procedure or function with the arguments of a call token (or none); -1 for no procedure.
int32_t DoProcedure(TProcedureInfo* Proc, TDibAnimator* Animator, const TToken* Params,
                    TExprVariables* Vars, TAnimateObj* Obj);
// Compiles (parentheses checked), prepares, runs with event code 0 and frees script text.
void ExecuteCode(TDibAnimator* Animator, TAnimateObj* Obj, const std::string& Text);
// Prepares every scene script, procedure body and object script (through groups).
void PrepareSceneScripts(TDibAnimator* Animator);
// The expression host of a scene (made on first use, owned by the animator).
TExprHost* ScriptHostOf(TDibAnimator* Animator);
// True when Obj is one of the scene's objects (also inside groups).
bool IsSceneObject(TDibAnimator* Animator, const TAnimateObj* Obj);
// The scene object whose address is the number, or null.
TAnimateObj* SceneObjectFromNumber(TDibAnimator* Animator, long double Number);
// Installs RunEventScript as the animator's script runner.
void InstallScriptEngine();

// Smoothed line of SmoothLineTo, from the pen position to (X, Y) on the frame buffer.
void SmoothLineTo(TDibAnimator* Animator, int32_t X, int32_t Y);

}  // namespace zkw
