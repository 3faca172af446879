// Script text of any bytes: compile (with and without the parentheses check), write it back
// with ScriptToText, compile that again (it must compile and give the same records unless a
// parameter was cut at its length limit), then prepare and run it in a small playing scene
// with two objects, a procedure and a function. No crash, no hang (the line bound ends endless
// loops).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dib/dib24.h"
#include "expr/handles.h"
#include "platform/portable/message_box_log.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"
#include "script/execute.h"

namespace {

void Same(const zkw::TScriptList& A, const zkw::TScriptList& B) {
  if (A.Count() != B.Count()) std::abort();
  for (int32_t i = 0; i < A.Count(); ++i) {
    const zkw::TMacroRec &a = *A.Item(i), &b = *B.Item(i);
    if (a.Command != b.Command || a.Name != b.Name || a.Comment != b.Comment) std::abort();
  }
}

bool CutParameter(const zkw::TScriptList& L) {
  for (int32_t i = 0; i < L.Count(); ++i)
    if (L.Item(i)->Parameter1.size() >= zkw::kMaxParameterText ||
        L.Item(i)->Parameter2.size() >= zkw::kMaxParameterText)
      return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  // Endless loops end at the line bound; a low bound keeps the fuzzer fast. Most of the time
  // went to such loops whose every line reports a missing variable (a message box each): with
  // 20,000 lines the target ran about 150 inputs a second, with 2,000 lines several times more.
  zkw::SetScriptLineLimit(2000);
  std::string text(reinterpret_cast<const char*>(Data), Size);
  zkw::TScriptPtr checked = zkw::CompileScript(text, true);
  zkw::TScriptPtr list = zkw::CompileScript(text, false);
  if (checked && !list) std::abort();  // the check only rejects more
  if (!list) return 0;
  // Written back, the list compiles to the same records, unless a parameter was cut at its
  // limit: the cut may fall inside parentheses, and unbalanced text is refused.
  if (!CutParameter(*list)) {
    zkw::TScriptPtr again = zkw::CompileScript(zkw::ScriptToText(list.get()), false);
    if (!again) std::abort();
    Same(*list, *again);
  }

  zkw::TDibAnimator ani;
  ani.SetDibAttr(64, 48);
  ani.SetViewTo(32, 24);
  ani.FSceneReady = true;
  ani.SetPlaying(true);
  for (const char* name : {"A", "B"}) {
    auto* o = new zkw::TAnimateObj();
    o->FParent = &ani;
    o->FName = name;
    o->FWidth = o->FHeight = 8;
    ani.Append(o);
  }
  ani.ProcList.AddProcedure("sub P($x number, $s string)")->piMacro =
      zkw::CompileScript("THIS.XPos := $x\r\n$s := $s + \"!\"", false);
  ani.ProcList.AddProcedure("function F($x number): number")->piMacro =
      zkw::CompileScript("@Result := $x * 2", false);
  ani.GetObject(1)->SetMacro(zkw::ocClick, zkw::CompileScript(text, false));
  ani.macroOnInit = std::move(list);
  ani.BeforePlay();
  ani.DoAction(ani.FDib);
  zkw::ExecuteCode(&ani, ani.GetObject(0), text);
  plat::portable::ClearMessageBoxCalls();
  zkw::FreeAllHandles();
  return 0;
}
