// The scene as expressions see it (TExprHost over a TDibAnimator) and the binding of scripts.
#include <cmath>

#include "common/round.h"
#include "expr/formula.h"
#include "expr/property_names.h"
#include "expr/names.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"
#include "script/exec_internal.h"
#include "script/execute.h"
#include "text/scene_text.h"

namespace zkw {

namespace {

// True when Obj is in List or in a group inside it.
bool InList(TLinkList* List, const TAnimateObj* Obj) {
  for (TItemNode* n = List ? List->Head() : nullptr; n; n = n->NextItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    if (o == Obj) return true;
    if (o->FStyle == kGroupKind && InList(o->ChildList(), Obj)) return true;
  }
  return false;
}

class TScriptHost : public TExprHost {
 public:
  explicit TScriptHost(TDibAnimator* A) : FAni(A) {}

  TAnimateObj* GetObjectName(const std::string& Name) override { return FAni->GetObjectName(Name); }
  TAnimateObj* ObjectFromReference(int64_t Ref) override {
    auto* obj = reinterpret_cast<TAnimateObj*>(static_cast<uintptr_t>(Ref));
    return Ref != 0 && IsSceneObject(FAni, obj) ? obj : nullptr;
  }
  TAnimateObj* CurrentObj() override { return FAni->CurrentObj; }
  uint8_t GetObjectValue(TAnimateObj* Obj, int32_t Code, long double& Value,
                         std::string& Text) override {
    return Obj ? static_cast<uint8_t>(Obj->GetValue(Code, Value, Text)) : vkNumber;
  }
  void SetObjectValue(TAnimateObj* Obj, int32_t Code, const std::string& SValue,
                      long double IValue) override {
    if (Obj) Obj->SetValue(Code, SValue, IValue);
  }
  uint8_t GetFieldValue(TAnimateObj* Obj, const std::string& Field, long double& Value,
                        std::string& Text) override {
    return Obj ? Obj->GetFieldValue(Field, Value, Text) : vkNone;
  }
  uint8_t GetSystemValue(int32_t Code, long double& Value, std::string& Text) override {
    TDibAnimator& a = *FAni;
    switch (Code) {
      case 78: Value = a.GlobalValue1; break;
      case 79: Value = a.GlobalValue2; break;
      case 80: Value = a.GlobalValue3; break;
      case 81: Value = static_cast<long double>(a.FEventValue1); break;
      case 89: Value = static_cast<long double>(a.FEventValue2); break;
      case 148: Text = a.FEventString; return vkString;
      case 156: Text = EncodeSceneText(a.DataPath); return vkString;
      case 159: Value = std::abs(static_cast<long double>(a.FXPos)); break;
      case 160: Value = std::abs(static_cast<long double>(a.FYPos)); break;
      case 162: Text = EncodeSceneText(a.CharacterPath); return vkString;
      case 163: Text = EncodeSceneText(a.ScenePath); return vkString;
      case 166: Value = a.GraphX; break;
      case 167: Value = a.GraphY; break;
      case 182: Value = a.ThisIsSubScene ? 1 : 0; break;
      case 186: Value = a.FViewWidth; break;
      case 187: Value = a.FViewHeight; break;
      case 188: Value = a.FEnableSizeX ? 1 : 0; break;
      case 189: Value = a.FEnableSizeY ? 1 : 0; break;
      default: Value = 0; break;
    }
    return vkNumber;
  }
  TExprVariables* GlobalVarList() override { return &FAni->GlobalVarList; }
  TExprVariables* AppVarList() override { return FAni->AppVarList.get(); }
  TProcedureInfo* GetFunc(const std::string& Name) override { return FAni->ProcList.GetFunc(Name); }
  uint8_t CallUserFunction(TProcedureInfo* Proc, const TToken& Call, const TProccessInfo& Info,
                           long double& Value, std::string& Text) override {
    // The outer call's result is kept aside so that a function called while another one runs
    // does not overwrite it.
    TUserFunctionResultInfo outer = gUserFunctionResult;
    gUserFunctionResult = TUserFunctionResultInfo{Proc->piReturnType, 0, {}};
    DoProcedure(Proc, FAni, &Call, Info.VarList, Info.AniObj);
    uint8_t kind = gUserFunctionResult.ufReturnType;
    Value = gUserFunctionResult.ufValue;
    Text = gUserFunctionResult.ufStValue;
    gUserFunctionResult = std::move(outer);
    return kind;
  }
  TDibAnimator* SceneAnimator() override { return FAni; }

 private:
  TDibAnimator* FAni;
};

// Object and style of a target name: THIS, CURRENT or an object bound by name.
uint8_t Resolve(TDibAnimator* Animator, TAnimateObj* Obj, const std::string& Name,
                TAnimateObj*& Bound) {
  Bound = nullptr;
  if (SameName(Name, "THIS")) {
    Bound = Obj;
    return tsThis;
  }
  if (SameName(Name, "CURRENT")) return tsCurrent;
  if (Animator && !SameName(Name, "NULL")) Bound = Animator->GetObjectName(Name);
  return tsBound;
}

// Property part of a target: a database field ("$name") or a property code.
void BindProperty(TMacroRec& R, const std::string& Part) {
  if (!Part.empty() && Part[0] == '$') {
    R.Fieldname = Part.substr(1);
    R.Fnc0 = kFieldProperty;
  } else {
    R.Fnc0 = static_cast<int16_t>(PropertyCode(Part));
  }
}

// Parses and binds a parameter text; null for an empty text.
std::unique_ptr<TFormula> Compile(TExprHost* Host, const std::string& Text) {
  if (Text.empty()) return nullptr;
  std::string t = Text;
  std::unique_ptr<TFormula> f = ParseFormula(t);
  f->Prepare(Host);
  return f;
}

}  // namespace

TExprHost* ScriptHostOf(TDibAnimator* Animator) {
  if (!Animator) return nullptr;
  if (!Animator->FScriptHost) Animator->FScriptHost = std::make_shared<TScriptHost>(Animator);
  return Animator->FScriptHost.get();
}

bool IsSceneObject(TDibAnimator* Animator, const TAnimateObj* Obj) {
  return Animator && Obj && InList(Animator, Obj);
}

TAnimateObj* SceneObjectFromNumber(TDibAnimator* Animator, long double Number) {
  // Addresses are below 2^63 on every platform the library runs on.
  if (!Animator || !std::isfinite(Number) || Number <= 0 || Number >= 9.2e18L)
    return nullptr;
  auto* obj = reinterpret_cast<TAnimateObj*>(static_cast<uintptr_t>(Round(Number)));
  return IsSceneObject(Animator, obj) ? obj : nullptr;
}

// Binds every record: targets to objects and property codes, parameters to formulas.
void PrepareScript(TDibAnimator* Animator, TAnimateObj* Obj, TScriptList* List) {
  if (!List) return;
  TExprHost* host = ScriptHostOf(Animator);
  for (auto& rp : List->Items) {
    TMacroRec& r = *rp;
    if (r.Command == cmComment || r.Name.compare(0, 2, "//") == 0 || r.Command == cmVar ||
        r.Command == cmGlobal || r.Command == cmAppVar)
      continue;
    r.Obj0 = nullptr;
    r.Proc0 = nullptr;
    r.Formula1.reset();
    r.Formula2.reset();
    if (r.Command == cmDo) {
      r.Proc0 = Animator ? Animator->ProcList.GetProc(r.Name) : nullptr;
      if (!r.Proc0) continue;
      bool blank = r.Parameter1.find_first_not_of(' ') == std::string::npos;
      if (!blank) r.Formula1 = Compile(host, "Proc(" + r.Parameter1 + ")");
      continue;
    }
    if (r.Command != cmCase) r.Formula1 = Compile(host, r.Parameter1);
    r.Formula2 = Compile(host, r.Parameter2);
    r.Target = TVariableSlot{};
    const std::string& name = r.Name;
    r.VarName.clear();
    r.Fieldname.clear();
    r.objStyle0 = tsBound;
    r.Fnc0 = 0;
    if (name.empty()) continue;
    size_t dot = name.find('.');
    if (name[0] == '$') {
      r.objStyle0 = tsVariable;
      if (dot == std::string::npos) {
        r.Fnc0 = kVariableTarget;
        r.VarName = name;
      } else {
        r.VarName = name.substr(0, dot);
        BindProperty(r, name.substr(dot + 1));
      }
    } else if (name[0] == '@') {
      r.Fnc0 = static_cast<int16_t>(PropertyCode(name));
    } else if (dot == std::string::npos) {
      r.objStyle0 = Resolve(Animator, Obj, name, r.Obj0);
    } else {
      r.objStyle0 = Resolve(Animator, Obj, name.substr(0, dot), r.Obj0);
      BindProperty(r, name.substr(dot + 1));
    }
  }
  List->Prepared = true;
}

namespace {
void PrepareObjects(TDibAnimator* Animator, TLinkList* List) {
  for (TItemNode* n = List ? List->Head() : nullptr; n; n = n->NextItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    for (auto& m : o->macros)
      if (m) PrepareScript(Animator, o, m.get());
    if (o->FStyle == kGroupKind) PrepareObjects(Animator, o->ChildList());
  }
}
}  // namespace

void PrepareSceneScripts(TDibAnimator* Animator) {
  if (!Animator) return;
  for (auto& m : Animator->macroDownKeys)
    if (m) PrepareScript(Animator, nullptr, m.get());
  for (auto& m : Animator->macroUpKeys)
    if (m) PrepareScript(Animator, nullptr, m.get());
  for (uint8_t code = scProc; code <= scResize; ++code)
    if (TScriptPtr* slot = Animator->SceneScriptSlot(code); slot && *slot)
      PrepareScript(Animator, nullptr, slot->get());
  for (auto& p : Animator->ProcList.Items)
    if (p->piMacro) PrepareScript(Animator, nullptr, p->piMacro.get());
  PrepareObjects(Animator, Animator);
}

}  // namespace zkw
