#include "player/kinds/kinds_common.h"

#include "dib/dib_base.h"
#include "player/scene/dib_animator.h"
#include "script/script_list.h"

namespace zkw {

void RaiseUserEvent(TAnimateObj* Obj, int32_t Code, intptr_t Value1, intptr_t Value2) {
  if (!Obj || !Obj->FParent || !Obj->Macro(ocUser)) return;
  Obj->FParent->FEventValue1 = Value1;
  Obj->FParent->FEventValue2 = Value2;
  Obj->RunMacro(ocUser, Code);
}

TDibBaseObj* FetchImage(TAnimateObj* Obj) {
  if (!Obj->FDib && Obj->FID >= 0 && Obj->FParent) Obj->FDib = Obj->FParent->GetDib(Obj->FID);
  return Obj->FDib;
}

void RunScriptText(TAnimateObj* Obj, const std::string& Text) {
  if (!Obj || !Obj->FParent || Text.empty()) return;
  // As ExecuteCode: compiled with the parentheses check, prepared, run with code 0, freed; but
  // through the scene's runner so that the run is guarded like every event script.
  std::unique_ptr<TScriptList> list = CompileScript(Text, true);
  if (!list) return;
  PrepareScript(Obj->FParent, Obj, list.get());
  Obj->FParent->RunEventScript(Obj, list.get(), 0);
  FreeScript(list);
}

}  // namespace zkw
