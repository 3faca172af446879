// The executor: event script runs with their system variables, block runs with the control
// flow of If, While, For, Repeat and Select, procedure calls, and script text from the host.
#include "script/execute.h"

#include <cmath>
#include <limits>
#include <vector>

#include "common/round.h"
#include "expr/formula.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"
#include "script/exec_internal.h"
#include "script/script_text_util.h"

namespace zkw {

TUserFunctionResultInfo gUserFunctionResult;

namespace {

// Lines the current run may still visit, and how deeply block runs are nested now.
int64_t gLineLimit = kMaxScriptLines;
int64_t gLinesLeft = kMaxScriptLines;
int32_t gNesting = 0;

// One nested block run: the outermost starts a new line budget; too deep a nesting is refused.
struct TNestGuard {
  bool Ok;
  TNestGuard() {
    if (gNesting == 0) gLinesLeft = gLineLimit;
    Ok = gNesting < kMaxScriptNesting;
    ++gNesting;
  }
  ~TNestGuard() { --gNesting; }
  TNestGuard(const TNestGuard&) = delete;
  TNestGuard& operator=(const TNestGuard&) = delete;
};

// Runs records FirstIndex..LastIndex of the run's list (ExecuteBlock without the look-ups).
bool RunNested(const TBlockRun& Run, int32_t FirstIndex, int32_t LastIndex);

// Takes one line from the budget; false when it is spent (and stays spent for this run).
bool TakeLine() {
  if (gLinesLeft <= 0) return false;
  --gLinesLeft;
  return true;
}

// Number variables from the event values and string variables from the event string.
void AddEventVariables(TDibAnimator& A, int32_t Code, TVariableList& L) {
  auto num = [&](const char* Name, long double V) { L.Add(Name, 2)->Value = V; };
  auto str = [&](const char* Name) { L.Add(Name, 3)->StValue = A.FEventString; };
  auto pair = [&](const char* First, const char* Second) {
    num(First, static_cast<long double>(A.FEventValue1));
    num(Second, static_cast<long double>(A.FEventValue2));
  };
  switch (Code) {
    case 2: pair("$Dx", "$Dy"); break;
    case 4: case 5: case 35: case 36: case 37: pair("$MouseX", "$MouseY"); break;
    case 6: pair("$CollidedObject", "$CollidedEdge"); break;
    case 8: num("$DropOnObject", static_cast<long double>(A.FEventValue1)); break;
    case 9: num("$SoundID", static_cast<long double>(A.FEventValue1)); break;
    case 15:
      num("$DataID", static_cast<long double>(A.FEventValue1));
      str("$DataText");
      break;
    case 16:
      str("$ItemText");
      pair("$ItemHeight", "$ItemIndex");
      break;
    case 17: pair("$OldFrame", "$NewFrame"); break;
    case 18: num("$Key", static_cast<long double>(A.FEventValue1)); break;
    case 21: {
      pair("$MouseX", "$MouseY");
      long double delta = 0;
      try {
        size_t used = 0;
        delta = static_cast<long double>(std::stoll(A.FEventString, &used));
      } catch (...) {
        delta = 0;
      }
      num("$Delta", delta);
      break;
    }
    case 22: pair("$Object", "$ItemIndex"); break;
    case 31: pair("$ScrollX", "$ScrollY"); break;
    case 34:
      pair("$ApplicationID", "$ApplicationValue");
      str("$ApplicationString");
      break;
    default: break;
  }
}

// Index of the EndFor that closes the For at Index (nested For blocks counted), or -1.
int32_t MatchingEndFor(const TScriptList& List, int32_t Index, int32_t Last) {
  int32_t depth = 0;
  for (int32_t j = Index + 1; j <= Last; ++j) {
    uint16_t c = List.Item(j)->Command;
    if (c == cmFor) ++depth;
    if (c == cmEndFor && depth-- == 0) return j;
  }
  return -1;
}

// The integer a Select line chooses by.
int64_t SelectorValue(const TBlockRun& Run, TMacroRec& R) {
  long double v = 0;
  std::string t;
  switch (R.Fnc0) {
    case 78: case 79: case 80: case 81: case 89: case 159: case 160: case 166: case 167:
    case 182: case 186: case 187: case 188: case 189:
      Run.Host->GetSystemValue(R.Fnc0, v, t);
      return RoundI64(v);
    case 126: case 127: case 128: case 129: {
      // The clock parts are read the way expressions read them.
      std::string text = R.Name;
      std::unique_ptr<TFormula> clock = ParseFormula(text);
      clock->Prepare(Run.Host);
      EvaluateFormula(Run.Host, Run.Obj, Run.Vars, t, v, clock.get());
      return RoundI64(v);
    }
    default: break;
  }
  if (R.Fnc0 == kVariableTarget) {
    if (TVariableRec* var = FindVariable(Run, R.VarName)) return var->VarType == 3 ? 0 : RoundI64(var->Value);
    // An unknown variable is reported as expressions report it, and counts as 0.
    std::string text = R.VarName;
    std::unique_ptr<TFormula> read = ParseFormula(text);
    read->Prepare(Run.Host);
    EvaluateFormula(Run.Host, Run.Obj, Run.Vars, t, v, read.get());
    return 0;
  }
  TAnimateObj* obj = EvaluateLine(Run, R);
  if (!obj) return 0;
  obj->GetValue(R.Fnc0, v, t);
  return RoundI64(v);
}

// Runs the Select at Index: finds the matching case body and runs it. Next is where the visit
// goes on; false when the body's run stopped.
bool RunSelect(const TBlockRun& Run, TMacroRec& R, int32_t Index, int32_t Last, int32_t& Next) {
  std::string key = "," + std::to_string(SelectorValue(Run, R)) + ",";
  int32_t depth = 0, start = 0;
  bool pending = false, ran = false;
  for (int32_t j = Index + 1; j <= Last; ++j) {
    const TMacroRec& c = *Run.List->Item(j);
    if (c.Command == cmSelect) {
      ++depth;
      continue;
    }
    if (c.Command == cmEndSelect && depth > 0) {
      --depth;
      continue;
    }
    if (depth > 0 || (c.Command != cmCase && c.Command != cmCaseElse && c.Command != cmEndSelect))
      continue;
    if (pending) {
      pending = false;
      ran = true;
      if (!RunNested(Run, start, j - 1)) return false;
    }
    if (c.Command == cmEndSelect) {
      Next = j + 1;
      return true;
    }
    if (ran) continue;
    if (c.Command == cmCaseElse || ("," + c.Parameter1 + ",").find(key) != std::string::npos) {
      pending = true;
      start = j + 1;
    }
  }
  Next = Last + 1;
  return true;
}

// Runs a For loop at Index; Next is where the visit goes on; false when the run stops.
bool RunFor(const TBlockRun& Run, TMacroRec& R, int32_t Index, int32_t Last, int32_t& Next) {
  TVariableRec* var = Run.Vars ? Run.Vars->GetVar(R.Name) : nullptr;
  if (!var) return false;
  EvaluateLine(Run, R);
  int64_t first = RoundI64(R.IPara1), last = RoundI64(R.IPara2);
  int32_t end = MatchingEndFor(*Run.List, Index, Last);
  if (end < 0) {
    Next = Last + 1;
    return true;
  }
  for (int64_t i = first; i <= last; ++i) {
    if (!TakeLine()) return false;  // each pass counts, also with an empty body
    var->Value = static_cast<long double>(i);
    if (!RunNested(Run, Index + 1, end - 1)) return false;
    if (i == std::numeric_limits<int64_t>::max()) break;
  }
  Next = end + 1;
  return true;
}

// Adds a declared variable to a list ("$" in front when missing).
void Declare(TVariableList& L, const TMacroRec& R) {
  if (TrimText(R.Name).empty()) return;
  L.Add(R.Name, R.Parameter1 == "Number" ? 2 : 3);
}

}  // namespace

int64_t ScriptLineLimit() { return gLineLimit; }
void SetScriptLineLimit(int64_t Lines) { gLineLimit = Lines > 0 ? Lines : kMaxScriptLines; }

int64_t RoundI64(long double V) {
  if (std::isnan(V)) return 0;
  if (V >= 9.2e18L) return std::numeric_limits<int64_t>::max();
  if (V <= -9.2e18L) return std::numeric_limits<int64_t>::min();
  return Round(V);
}

int32_t RoundI32(long double V) {
  int64_t n = RoundI64(V);
  if (n > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (n < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(n);
}

TVariableRec* FindVariable(const TBlockRun& Run, const std::string& Name) {
  if (Run.Vars)
    if (TVariableRec* v = Run.Vars->GetVar(Name)) return v;
  if (TVariableRec* v = Run.Ani->GlobalVarList.GetVar(Name)) return v;
  return Run.Ani->AppVarList ? Run.Ani->AppVarList->GetVar(Name) : nullptr;
}

bool ExecuteBlock(TDibAnimator* Animator, TAnimateObj* Obj, TScriptList* List, int32_t LastIndex,
                  int32_t FirstIndex, TVariableList* VarList) {
  if (!Animator || !List) return false;
  return RunNested(TBlockRun{Animator, ScriptHostOf(Animator), Obj, List, VarList}, FirstIndex,
                   LastIndex);
}

namespace {

bool RunNested(const TBlockRun& Run, int32_t FirstIndex, int32_t LastIndex) {
  TDibAnimator* Animator = Run.Ani;
  if (!(Animator->FPlaying || Animator->EnableExecuteCode)) return false;
  TNestGuard guard;
  if (!guard.Ok) return false;
  TScriptList* List = Run.List;
  if (!List->Prepared) PrepareScript(Animator, Run.Obj, List);
  int32_t last = std::min(LastIndex, List->Count() - 1);
  int32_t i = std::max(FirstIndex, 0);
  if (i > last) return true;
  const TBlockRun& run = Run;
  TAnimateObj* Obj = Run.Obj;
  TVariableList* VarList = Run.Vars;
  struct TIfState {
    bool Parent, ElsePending;
  };
  struct TWhileState {
    bool Parent, Cond;
    int32_t Index;
    size_t IfDepth;
  };
  std::vector<TIfState> ifs;
  std::vector<TWhileState> whiles;
  std::vector<int32_t> repeats;
  bool exec = true;
  while (true) {
    if (!TakeLine()) return false;
    TMacroRec& r = *List->Item(i);
    int32_t next = i + 1;
    switch (r.Command) {
      case cmComment:
      case cmCase: case cmCaseElse: case cmEndSelect: case cmEndFor:
        break;
      case cmVar:
        if (VarList) Declare(*VarList, r);
        break;
      case cmGlobal:
        if (List != Animator->macroOnInit.get()) return false;
        Declare(Animator->GlobalVarList, r);
        break;
      case cmAppVar:
        if (Animator->AppVarList && !Animator->AppVarList->GetVar(r.Name))
          Declare(*Animator->AppVarList, r);
        break;
      case cmIf: {
        TIfState s{exec, false};
        if (exec) {
          EvaluateLine(run, r);
          exec = r.IPara1 != 0;
          s.ElsePending = !exec;
        }
        ifs.push_back(s);
        break;
      }
      case cmElse:
        if (!ifs.empty()) {
          TIfState& s = ifs.back();
          exec = s.ElsePending ? s.Parent : false;
          s.ElsePending = false;
        }
        break;
      case cmEndIf:
        if (!ifs.empty()) {
          exec = ifs.back().Parent;
          ifs.pop_back();
        }
        break;
      case cmWhile: {
        TWhileState s{exec, false, i, ifs.size()};
        if (exec) {
          EvaluateLine(run, r);
          s.Cond = r.IPara1 != 0;
          exec = s.Cond;
        }
        whiles.push_back(s);
        break;
      }
      case cmEndWhile:
        if (!whiles.empty()) {
          TWhileState s = whiles.back();
          whiles.pop_back();
          if (ifs.size() > s.IfDepth) ifs.resize(s.IfDepth);
          if (s.Cond && exec) next = s.Index;
          else exec = s.Parent;
        }
        break;
      case cmFor:
        if (exec && !RunFor(run, r, i, last, next)) return false;
        break;
      case cmRepeat:
        if (exec) repeats.push_back(i);
        break;
      case cmUntil:
        if (exec) {
          EvaluateLine(run, r);
          if (repeats.empty()) return false;
          if (r.IPara1 != 0) repeats.pop_back();
          else next = repeats.back() + 1;
        }
        break;
      case cmBreak:
        if (exec) return false;
        break;
      case cmSelect:
        if (exec && !RunSelect(run, r, i, last, next)) return false;
        break;
      case cmDo:
        if (exec) DoProcedure(r.Proc0, Animator, r.Formula1 ? r.Formula1->First() : nullptr, VarList, Obj);
        break;
      default:
        if (exec) RunCommand(run, r, EvaluateLine(run, r));
        break;
    }
    if (next > last) return true;
    i = next;
  }
}

}  // namespace

void RunEventScript(TDibAnimator* Animator, TAnimateObj* Obj, TScriptList* List, int32_t EventCode) {
  if (!Animator || !List) return;
  // FWorking is put back as it was, so that a run nested in another leaves it set.
  struct TWorking {
    TDibAnimator* A;
    bool Was;
    ~TWorking() { A->FWorking = Was; }
  } working{Animator, Animator->FWorking};
  Animator->FWorking = true;
  if (!List->Prepared) PrepareScript(Animator, Obj, List);
  TVariableList local;
  AddEventVariables(*Animator, EventCode, local);
  ExecuteBlock(Animator, Obj, List, List->Count() - 1, 0, &local);
  if (EventCode == 34)
    if (TVariableRec* v = local.GetVar("$ApplicationValue")) Animator->FEventValue2 = RoundI32(v->Value);
  if (EventCode == 18)
    if (TVariableRec* v = local.GetVar("$Key")) Animator->FEventValue1 = RoundI32(v->Value);
}

int32_t DoProcedure(TProcedureInfo* Proc, TDibAnimator* Animator, const TToken* Params,
                    TExprVariables* Vars, TAnimateObj* Obj) {
  if (!Proc) return -1;
  TProccessInfo info{ScriptHostOf(Animator), Obj, Vars};
  TVariableList local;
  const TToken* arg = Params && Params->ttkChildExpr ? Params->ttkChildExpr->First() : nullptr;
  for (const auto& p : Proc->piParams.Items) {
    TVariableRec* v = local.Add(p->Name, p->VarType);
    if (!arg) continue;
    long double value = 0;
    std::string text;
    uint8_t kind = arg->GetValue(info, value, text);
    if (kind == vkNumber || kind == vkLogical) {
      if (v->VarType == 3) v->StValue = text;
      else v->Value = value;
    } else if (kind == vkString && v->VarType == 3) {
      v->StValue = text;
    }
    arg = TFormula::Next(arg);
  }
  if (Proc->piMacro && Animator) {
    TScriptList* body = Proc->piMacro.get();
    ExecuteBlock(Animator, Obj, body, body->Count() - 1, 0, &local);
  }
  return 0;
}

void ExecuteCode(TDibAnimator* Animator, TAnimateObj* Obj, const std::string& Text) {
  if (!Animator || TrimText(Text).empty()) return;
  TScriptPtr list = CompileScript(Text, true);
  if (!list) return;
  PrepareScript(Animator, Obj, list.get());
  RunEventScript(Animator, Obj, list.get(), 0);
  FreeScript(list);
}

void InstallScriptEngine() { gEventScriptRunner = &RunEventScript; }

}  // namespace zkw
