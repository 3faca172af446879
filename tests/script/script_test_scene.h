// A small playing scene of plain objects for the script tests, with scene variables to read
// results from.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"
#include "platform/portable/message_box_log.h"
#include "script/execute.h"

namespace zkwtest {

struct ScriptScene : ::testing::Test {
  void SetUp() override {
    // Player tests replace the runner with spies and clear it after them.
    zkw::InstallScriptEngine();
    plat::portable::ClearMessageBoxCalls();
    ani.SetDibAttr(100, 80);
    ani.SetViewTo(40, 30);
    ani.FSceneReady = true;
    ani.SetPlaying(true);
    ani.GlobalVarList.Add("$out", 2);
    ani.GlobalVarList.Add("$after", 2);
    ani.GlobalVarList.Add("$log", 3);
  }

  // A visible, active object at (X, Y), 10 x 10 pixels.
  zkw::TAnimateObj* Add(const std::string& Name, int32_t X = 0, int32_t Y = 0) {
    auto* o = new zkw::TAnimateObj();
    o->FParent = &ani;
    o->FName = Name;
    o->Fx = X;
    o->Fy = Y;
    o->FWidth = 10;
    o->FHeight = 10;
    ani.Append(o);
    return o;
  }

  // Compiles (parentheses checked) and runs a script as an event script of Obj.
  void Run(const std::string& Text, zkw::TAnimateObj* Obj = nullptr, int32_t Code = 0) {
    zkw::TScriptPtr list = zkw::CompileScript(Text, true);
    ASSERT_NE(list, nullptr) << Text;
    zkw::RunEventScript(&ani, Obj, list.get(), Code);
  }

  long double Number(const std::string& Name) {
    zkw::TVariableRec* v = ani.GlobalVarList.GetVar(Name);
    return v ? v->Value : -999;
  }
  std::string Text(const std::string& Name) {
    zkw::TVariableRec* v = ani.GlobalVarList.GetVar(Name);
    return v ? v->StValue : "<none>";
  }

  zkw::TDibAnimator ani;
};

}  // namespace zkwtest
