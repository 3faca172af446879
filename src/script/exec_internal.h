// Shared by the executor's files: the context of one block run and the helpers of commands.
#pragma once
#include <cstdint>
#include <string>

#include "player/scene/dib_animator.h"
#include "script/execute.h"

namespace zkw {

class TFormula;

struct TBlockRun {
  TDibAnimator* Ani;
  TExprHost* Host;
  TAnimateObj* Obj;
  TScriptList* List;
  TVariableList* Vars;
};

// Nearest integer (ties to even) saturated to 32 / 64 bits; NaN gives 0.
int32_t RoundI32(long double V);
int64_t RoundI64(long double V);
// The first variable of that name in the local, scene and application variables, or null.
TVariableRec* FindVariable(const TBlockRun& Run, const std::string& Name);
// Recomputes the target object and evaluates both parameters; returns the target (or null).
TAnimateObj* EvaluateLine(const TBlockRun& Run, TMacroRec& R);
// Assignment of Set (IsSet) and Random to the record's target.
void Assign(const TBlockRun& Run, TMacroRec& R, TAnimateObj* T, long double V,
            const std::string& S, bool IsSet);
// The variable named Name (the name Slot is bound for) as FindVariable finds it, through the
// slot's binding while it holds (see TVariableSlot); null when there is none.
inline TVariableRec* SlotVariable(const TBlockRun& Run, TVariableSlot& Slot, const std::string& Name) {
  // Script lists hold TVariableRec records only.
  return static_cast<TVariableRec*>(
      SlotVariable(Run.Vars, &Run.Ani->GlobalVarList, Run.Ani->AppVarList.get(), Slot, Name));
}
// The effect of a command that is not control flow; the line is evaluated already.
void RunCommand(const TBlockRun& Run, TMacroRec& R, TAnimateObj* T);

}  // namespace zkw
