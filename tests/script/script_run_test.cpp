// Running scripts: control flow with its edge cases, declarations and scopes, procedures and
// functions with parameters and results, event variables, calls between objects, the line
// bound, and scripts run by the animator itself.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "common/round.h"
#include "dib/dib24.h"
#include "expr/handles.h"
#include "expr/formula.h"
#include "script/exec_internal.h"
#include "expr/formula_program.h"
#include "platform/plat_window.h"
#include "script/script_test_scene.h"

using namespace zkw;
using zkwtest::ScriptScene;

TEST_F(ScriptScene, ForLoops) {
  Run("Var $i Number\r\n"
      "For $i = 1 to 3\r\n"
      "  $out := $out * 10 + $i\r\n"
      "EndFor\r\n"
      "$after := $i");
  EXPECT_EQ(Number("$out"), 123);
  EXPECT_EQ(Number("$after"), 3);
  // Descending bounds skip the body; the run goes on after EndFor.
  Run("Var $i Number\r\nFor $i = 3 to 1\r\n$out := 99\r\nEndFor\r\n$after := 7");
  EXPECT_EQ(Number("$out"), 123);
  EXPECT_EQ(Number("$after"), 7);
  // Nested loops; bounds are rounded (0.6 to 2.4 gives 1, 2).
  Run("Var $i Number\r\nVar $j Number\r\n$out := 0\r\n"
      "For $i = 0.6 to 2.4\r\nFor $j = 1 to 3\r\n$out := $out + 1\r\nEndFor\r\nEndFor");
  EXPECT_EQ(Number("$out"), 6);
  // A loop variable that is not a local variable stops the script at the For line.
  Run("For $out = 1 to 3\r\n$after := 1\r\nEndFor\r\n$after := 2");
  EXPECT_EQ(Number("$after"), 7);
  // A For without EndFor ends the run; Break in a For body ends the whole script.
  Run("Var $i Number\r\nFor $i = 1 to 5\r\n$out := $i\r\nIf $i = 2\r\nBreak\r\nEndIf\r\nEndFor\r\n$after := 8");
  EXPECT_EQ(Number("$out"), 2);
  EXPECT_EQ(Number("$after"), 7);
}

TEST_F(ScriptScene, IfWhileRepeatAndBreak) {
  Run("$log := \"\"\r\n"
      "If 1 = 2\r\n  $log := $log + \"a\"\r\nElse\r\n  $log := $log + \"b\"\r\n"
      "  If 0\r\n    $log := $log + \"c\"\r\n  Else\r\n    $log := $log + \"d\"\r\n  EndIf\r\n"
      "EndIf\r\n"
      "If 2 > 1\r\n  $log := $log + \"e\"\r\nElse\r\n  $log := $log + \"f\"\r\nEndIf");
  EXPECT_EQ(Text("$log"), "bde");
  // Break inside a While inside an If ends the whole script.
  Run("Var $n Number\r\n"
      "If 1 = 1\r\n"
      "  While $n < 10\r\n"
      "    $n := $n + 1\r\n"
      "    $out := $n\r\n"
      "    If $n = 3\r\n      Break\r\n    EndIf\r\n"
      "  EndWhile\r\n"
      "EndIf\r\n"
      "$after := 1");
  EXPECT_EQ(Number("$out"), 3);
  EXPECT_EQ(Number("$after"), 0);
  // While runs to its condition; Repeat runs its body at least once.
  Run("Var $n Number\r\nWhile $n < 5\r\n$n := $n + 2\r\nEndWhile\r\n$out := $n\r\n"
      "Repeat\r\n$n := $n + 10\r\nUntil $n > 0\r\n$after := $n");
  EXPECT_EQ(Number("$out"), 6);
  EXPECT_EQ(Number("$after"), 16);
  // Until without Repeat stops the run.
  Run("$out := 1\r\nUntil 1\r\n$out := 2");
  EXPECT_EQ(Number("$out"), 1);
  // A Var inside a skipped branch still declares its variable.
  Run("If 0\r\n  Var $x Number\r\nEndIf\r\n$x := 5\r\n$out := $x");
  EXPECT_EQ(Number("$out"), 5);
  EXPECT_TRUE(plat::portable::MessageBoxCalls().empty());
}

TEST_F(ScriptScene, SelectCase) {
  const std::string body =
      "Select $v\r\n"
      "Case 1,2,3\r\n  $log := $log + \"a\"\r\n"
      "Case 2\r\n  $log := $log + \"b\"\r\n"
      "Case 1, 2\r\n  $log := $log + \"x\"\r\n"
      "CaseElse\r\n  $log := $log + \"c\"\r\n"
      "EndSelect\r\n"
      "$log := $log + \"d\"";
  struct Case {
    int Value;
    const char* Log;
  } cases[] = {{2, "ad"}, {3, "ad"}, {7, "cd"}};
  for (const Case& c : cases) {
    ani.GlobalVarList.GetVar("$log")->StValue.clear();
    Run("Var $v Number\r\n$v := " + std::to_string(c.Value) + "\r\n" + body);
    EXPECT_EQ(Text("$log"), c.Log) << c.Value;
  }
  // "1, 2" (with a blank) does not match 2; nested selects are skipped by the scan.
  ani.GlobalVarList.GetVar("$log")->StValue.clear();
  Run("Var $v Number\r\n$v := 2\r\nSelect $v\r\nCase 1, 2\r\n$log := \"no\"\r\n"
      "Case 5\r\nSelect $v\r\nCase 2\r\n$log := \"inner\"\r\nEndSelect\r\n"
      "CaseElse\r\n$log := $log + \"else\"\r\nEndSelect");
  EXPECT_EQ(Text("$log"), "else");
  // A Break in a case body ends the script; the selector of an object property.
  TAnimateObj* b = Add("B", 4);
  Run("Select B.XPos\r\nCase 4\r\n$out := 44\r\nBreak\r\nEndSelect\r\n$out := 1");
  EXPECT_EQ(Number("$out"), 44);
  (void)b;
}

TEST_F(ScriptScene, AssignmentsAndVariables) {
  TAnimateObj* a = Add("A", 1, 2);
  ani.AppVarList->Add("$app", 3);
  // (A move sets the event values, so the object is moved first.)
  Run("A.XPos := A.XPos + 10\r\nA.Name := \"Alpha\"\r\nA.Nothing := 3\r\n"
      "Var $n Number\r\nVar $s String\r\n"
      "$n := 4\r\n$n := \"abc\"\r\n$out := $n\r\n"  // a text leaves a number unchanged
      "$s := \"x\" + \"y\"\r\n$log := $s\r\n"
      "$nothere := 5\r\n"                               // unknown: nothing
      "$app := \"shared\"\r\n"
      "@Value1 := 2.5\r\n@Value2 := 3.5\r\n@EventValue1 := -1.5\r\n"
      "@EventString := \"ev\"\r\n@CurrentX := 12");
  EXPECT_EQ(Number("$out"), 4);
  EXPECT_EQ(Text("$log"), "xy");
  EXPECT_EQ(ani.AppVarList->GetVar("$app")->StValue, "shared");
  EXPECT_EQ(ani.GlobalValue1, 2);  // halves go to the even neighbour
  EXPECT_EQ(ani.GlobalValue2, 4);
  EXPECT_EQ(ani.FEventValue1, -2);
  EXPECT_EQ(ani.FEventString, "ev");
  EXPECT_EQ(ani.GraphX, 12);
  EXPECT_EQ(a->Fx, 11);
  EXPECT_EQ(a->FName, "Alpha");
  EXPECT_TRUE(plat::portable::MessageBoxCalls().empty());
  // Reading an unknown variable reports it and counts as 0.
  Run("$out := $missing + 1");
  EXPECT_EQ(Number("$out"), 1);
  ASSERT_EQ(plat::portable::MessageBoxCalls().size(), 1u);
  EXPECT_EQ(plat::portable::MessageBoxCalls()[0].Text, u"Variable not found: $missing");
  // Global only in the scene's initialisation script; AppVar only once per name.
  Run("$out := 1\r\nGlobal $g Number\r\n$out := 2");
  EXPECT_EQ(Number("$out"), 1);
  ani.macroOnInit = TScriptList::FromText("Global $g Number\r\n$g := 6\r\nAppVar $k number\r\nAppVar $k string");
  ani.BeforePlay();
  EXPECT_EQ(Number("$g"), 6);
  EXPECT_EQ(ani.AppVarList->Count(), 2);
  EXPECT_EQ(ani.AppVarList->GetVar("$K")->VarType, 2);
  // Scene variables go with the scene; application variables stay.
  ani.Empty();
  EXPECT_EQ(ani.GlobalVarList.Count(), 0);
  EXPECT_EQ(ani.AppVarList->Count(), 2);
}

TEST_F(ScriptScene, ObjectCommandsAndTargets) {
  TAnimateObj* a = Add("A", 0, 0);
  TAnimateObj* b = Add("B", 5, 5);
  TAnimateObj* c = Add("C", 9, 9);
  Run("Hide A\r\nSetXPos B 30.5\r\nSetYPos B 7\r\nSwapActive C\r\nMakeFloat B 1\r\nSwapCollide B\r\n"
      "EnableOnClick B 0\r\nSetCurrent C\r\nSetXPos CURRENT 3\r\nSetYPos NULL 3\r\nInvalidate", a);
  EXPECT_FALSE(a->FEnabled);
  EXPECT_EQ(b->Fx, 30);
  EXPECT_EQ(b->Fy, 7);
  EXPECT_FALSE(c->FActive);
  EXPECT_TRUE(b->FFloatWhenClick);
  EXPECT_TRUE(b->FCollide);
  EXPECT_FALSE(b->EnableClickEvent);
  EXPECT_EQ(ani.CurrentObj, c);
  EXPECT_EQ(c->Fx, 3);
  // THIS, an object held in a variable (checked against the scene), property targets.
  ani.GlobalVarList.Add("$ref", 2)->Value = static_cast<long double>(reinterpret_cast<uintptr_t>(b));
  ani.GlobalVarList.Add("$bogus", 2)->Value = 12345678;
  Run("Show THIS\r\nSetXPos $ref 21\r\n$ref.YPos := 22\r\nSetXPos $bogus 1\r\n$bogus.XPos := 2\r\n"
      "THIS.Tag := B.XPos + 1\r\n$out := $ref.YPos", a);
  EXPECT_TRUE(a->FEnabled);
  EXPECT_EQ(b->Fx, 21);
  EXPECT_EQ(b->Fy, 22);
  EXPECT_EQ(a->FTag, 22);
  EXPECT_EQ(Number("$out"), 22);
  // Names are bound when a script is prepared: a renamed object is still the one bound.
  TScriptPtr list = CompileScript("SetXPos B 40", false);
  PrepareScript(&ani, nullptr, list.get());
  b->FName = "Renamed";
  RunEventScript(&ani, nullptr, list.get(), 0);
  EXPECT_EQ(b->Fx, 40);
  // An object freed after preparing is not touched: the bound address is no scene object now.
  TScriptPtr onC = CompileScript("SetXPos C 1\r\nC.Tag := 1", false);
  PrepareScript(&ani, nullptr, onC.get());
  ani.DeleteThis(c);
  ani.DoAction(ani.FDib);
  RunEventScript(&ani, nullptr, onC.get(), 0);
  // Bury queues the deletion; NewFrom copies with the scripts.
  b->SetMacro(ocClick, TScriptList::FromText("THIS.Tag := 5"));
  Run("NewFrom Renamed\r\nBury A");
  ASSERT_EQ(ani.Count(), 3);
  TAnimateObj* copy = ani.GetObjectName("Renamed_copy");
  ASSERT_NE(copy, nullptr);
  RunEventScript(&ani, copy, copy->Macro(ocClick), ocClick);
  EXPECT_EQ(copy->FTag, 5);
  ani.DoAction(ani.FDib);
  EXPECT_EQ(ani.Count(), 2);
}

TEST_F(ScriptScene, CallsEventsAndUserEvents) {
  TAnimateObj* a = Add("A", 7, 0);
  TAnimateObj* button = Add("Button1", 50, 0);
  // CallOnClick runs Button1's click script with the calling object as THIS.
  button->SetMacro(ocClick, TScriptList::FromText("@Value1 := THIS.XPos\r\nRaiseEvent THIS 1, 2"));
  std::vector<std::tuple<TAnimateObj*, intptr_t, intptr_t, bool>> events;
  ani.FOnUserEvent = [&](TDibAnimator* s, TAnimateObj* o, intptr_t v1, intptr_t v2) {
    events.emplace_back(o, v1, v2, s->FWorking);
  };
  Run("CallOnClick Button1\r\nRaiseEvent NULL 5, 7", a);
  EXPECT_EQ(ani.GlobalValue1, 7);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0], std::make_tuple(a, intptr_t{1}, intptr_t{2}, true));
  // The nested run did not clear FWorking of the outer one.
  EXPECT_EQ(events[1], std::make_tuple(static_cast<TAnimateObj*>(nullptr), intptr_t{5}, intptr_t{7}, true));
  EXPECT_FALSE(ani.FWorking);
  // RaiseError; CallMainProc with event code 30.
  std::vector<std::pair<int32_t, std::string>> errors;
  ani.FOnError = [&](TDibAnimator*, int32_t code, const char* info) { errors.emplace_back(code, info); };
  ani.macroProc = TScriptList::FromText("$out := 30");
  Run("RaiseError NULL 4, \"bad\" + \"thing\"\r\nCallMainProc NULL");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], std::make_pair(4, std::string("badthing")));
  EXPECT_EQ(Number("$out"), 30);
  // Event variables: in, and written back for key and application events.
  ani.FEventValue1 = 65;
  Run("$out := $Key\r\n$Key := 66.6", nullptr, 18);
  EXPECT_EQ(Number("$out"), 65);
  EXPECT_EQ(ani.FEventValue1, 67);
  ani.FEventValue1 = 3;
  ani.FEventValue2 = 4;
  ani.FEventString = "hello";
  Run("$log := $ApplicationString\r\n$out := $ApplicationID\r\n$ApplicationValue := 41", nullptr, 34);
  EXPECT_EQ(Text("$log"), "hello");
  EXPECT_EQ(Number("$out"), 3);
  EXPECT_EQ(ani.FEventValue2, 41);
  ani.FEventString = "-12";
  Run("$out := $Delta + $MouseY", nullptr, 21);
  EXPECT_EQ(Number("$out"), 41 - 12);
  // Scripts run only while the scene plays or may run code.
  ani.SetPlaying(false);
  Run("$out := 1");
  EXPECT_EQ(Number("$out"), 29);
  ani.EnableExecuteCode = true;
  Run("$out := 2");
  EXPECT_EQ(Number("$out"), 2);
}

TEST_F(ScriptScene, ProceduresAndFunctions) {
  TAnimateObj* a = Add("A", 10, 20);
  ani.ProcList.AddProcedure("sub MoveBy($dx number, $dy number)")->piMacro =
      CompileScript("THIS.XPos := THIS.XPos + $dx\r\nTHIS.YPos := THIS.YPos + $dy", false);
  ani.ProcList.AddProcedure("function Twice($x number): number")->piMacro =
      CompileScript("@Result := $x * 2", false);
  ani.ProcList.AddProcedure("function Greet($who string, $n number): string")->piMacro =
      CompileScript("@Result := \"hi \" + $who", false);
  ani.ProcList.AddProcedure("function F: number")->piMacro = CompileScript("@Result := 2.7", false);
  ani.ProcList.AddProcedure("sub Peek")->piMacro = CompileScript("$out := $secret", false);
  ani.ProcList.AddProcedure("sub Forever")->piMacro = CompileScript("Do Forever", false);
  Run("Do MoveBy 3, 4\r\nDo MoveBy 1\r\nDo MoveBy 1, 1, 99\r\nDo NoSuchProc 1", a);
  EXPECT_EQ(a->Fx, 15);
  EXPECT_EQ(a->Fy, 25);
  // @Result rounds: a function returns whole numbers; 2.7 gives 3.
  Run("$out := Twice(1.3) * 10 + F()\r\n$log := Greet(\"you\", 1)");
  EXPECT_EQ(Number("$out"), 3 + 30);
  EXPECT_EQ(Text("$log"), "hi you");
  // A function used inside another function's argument keeps its own result.
  Run("$out := Twice(Twice(2) + 1)");
  EXPECT_EQ(Number("$out"), 10);
  // A procedure does not see its caller's local variables.
  Run("Var $secret Number\r\n$secret := 5\r\nDo Peek");
  EXPECT_EQ(Number("$out"), 0);
  ASSERT_EQ(plat::portable::MessageBoxCalls().size(), 1u);
  // Endless recursion stops at the nesting bound.
  Run("Do Forever\r\n$after := 1");
  EXPECT_EQ(Number("$after"), 1);
  EXPECT_FALSE(ani.FWorking);
}

TEST_F(ScriptScene, LineBoundStopsEndlessLoops) {
  auto start = std::chrono::steady_clock::now();
  Run("Var $i Number\r\nWhile 1\r\n$i := $i + 1\r\n$out := $i\r\nEndWhile\r\n$after := 1");
  // Each pass visits four lines; the run ended within the bound and did not go on after it.
  EXPECT_GT(Number("$out"), 1000);
  EXPECT_LE(Number("$out") * 4, kMaxScriptLines);
  EXPECT_GE(Number("$out") * 4 + 8, kMaxScriptLines);
  EXPECT_EQ(Number("$after"), 0);
  EXPECT_FALSE(ani.FWorking);
  // An empty For body still counts its passes.
  Run("Var $i Number\r\nFor $i = 1 to 1000000000000\r\nEndFor\r\n$after := 2");
  EXPECT_EQ(Number("$after"), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
  // The next run has a fresh budget.
  Run("$after := 3");
  EXPECT_EQ(Number("$after"), 3);
}

TEST_F(ScriptScene, ExecuteCodeAndAnimatorRuns) {
  TAnimateObj* a = Add("A", 0, 0);
  // An unknown command rejects the whole text: nothing runs.
  ExecuteCode(&ani, a, "Hide A\r\nFoo bar");
  EXPECT_TRUE(a->FEnabled);
  ExecuteCode(&ani, a, "Hide THIS\r\nExecute THIS \"Show THIS\"");
  EXPECT_TRUE(a->FEnabled);
  ExecuteCode(&ani, a, "If (1\r\nHide A\r\nEndIf");  // unbalanced: rejected
  EXPECT_TRUE(a->FEnabled);
  // The action step runs an object's action script through the animator's runner.
  ani.SetPlaying(false);
  a->SetMacro(ocAction, TScriptList::FromText("THIS.XPos := THIS.XPos + 2"));
  ani.macroOnInit = TScriptList::FromText("Global $g number\r\n$g := 1");
  ani.SetPlaying(true);
  ani.BeforePlay();  // prepares every script and runs the initialisation
  EXPECT_EQ(Number("$g"), 1);
  EXPECT_TRUE(a->Macro(ocAction)->Prepared);
  ani.DoAction(ani.FDib);
  ani.DoAction(ani.FDib);
  EXPECT_EQ(a->Fx, 4);
}

TEST_F(ScriptScene, ArraysImagesAndDrawing) {
  auto* arr = new TScriptArray();
  arr->ElementKind = 0;
  arr->Count = 4;
  arr->Bytes.assign(4, 0);
  int64_t handle = AddHandle(THandleKind::hkArray, arr);
  ani.GlobalVarList.Add("$arr", 2)->Value = static_cast<long double>(handle);
  ani.GlobalVarList.Add("$none", 2)->Value = 77;
  Run("SetArray $arr 1, 300\r\nSetArray $arr 9, 1\r\nSetArray $none 1, 1");
  EXPECT_EQ(arr->Get(1), 300 & 0xFF);
  EXPECT_EQ(arr->Get(0), 0);
  Run("FreeArray $arr\r\nFreeArray $none");
  EXPECT_EQ(FindHandle<TScriptArray>(THandleKind::hkArray, handle), nullptr);
  EXPECT_EQ(Number("$arr"), static_cast<long double>(handle));  // the variable keeps its number
  // SmoothLineTo draws in the pen colour from the pen position and leaves the pen there.
  ani.FDib->Bar(0, 0, 39, 29, 0);
  Run("SetGraph NULL 255, 1\r\nMoveTo NULL 2, 5\r\nSmoothLineTo NULL 30, 5");
  EXPECT_EQ(ani.GraphX, 2);
  EXPECT_EQ(ani.FDib->GetPixel(15, 5), ani.FDib->GetPixel(20, 5));
  EXPECT_NE(ani.FDib->GetPixel(15, 5), ani.FDib->GetPixel(15, 15));
  EXPECT_EQ(ani.FDib->GetPixel(15, 15), ani.FDib->GetPixel(39, 29));
  // The pixels keep their channels in order: on the line the colour, beside it a mix.
  ani.FDib->Bar(0, 0, 39, 29, 0x204060);
  Run("SetGraph NULL 1056816, 1\r\nMoveTo NULL 2, 5\r\nSmoothLineTo NULL 30, 5");
  EXPECT_EQ(ani.FDib->GetPixelEx(15, 5), 0x102030u);
  EXPECT_EQ(ani.FDib->GetPixelEx(15, 6), 0x1C3753u);
  EXPECT_EQ(ani.FDib->GetPixelEx(15, 8), 0x204060u);
}

TEST(ScriptRounding, ExtendedRoundingMatchesNearbyint) {
  // The engine rounds every parameter; the fast form must agree with the library's rule.
  const long double values[] = {0.5L, 1.5L, 2.5L, -0.5L, -1.5L, -2.5L, 2.4999999999999999999L,
                                2.5000000000000000001L, -7.5L, 1e15L + 0.5L, -1e18L - 0.5L,
                                123456.75L, -0.25L, 0.0L, 4294967295.5L, 9.1e18L};
  for (long double v : values) EXPECT_EQ(Round(v), static_cast<int64_t>(std::nearbyintl(v))) << static_cast<double>(v);
  for (int i = -2000; i <= 2000; ++i) {
    long double v = i / 4.0L;
    EXPECT_EQ(Round(v), static_cast<int64_t>(std::nearbyintl(v))) << static_cast<double>(v);
  }
}

TEST_F(ScriptScene, NumericShortcutAgreesWithTheEvaluator) {
  TAnimateObj* a = Add("A", 3, 4);
  TVariableList local;
  local.Add("$a", 2)->Value = 7;
  local.Add("$b", 2)->Value = -2.5L;
  local.Add("$s", 3)->StValue = "x";
  ani.GlobalVarList.GetVar("$out")->Value = 0.5L;
  TBlockRun run{&ani, ScriptHostOf(&ani), a, nullptr, &local};
  struct Case {
    const char* Text;
    bool Eligible;
  } cases[] = {
      {"1+2*3", true}, {"$a*3+$b", true}, {"($a+$b)*($a-$b)/4", true}, {"$a/0+1", true},
      {"$a>3=1", true}, {"(1<2)+5", true}, {"(1<2)-5", true}, {"$a#7", true},
      {"$out*10", true}, {"-$a+1", false}, {"1.5*2.25", true}, {"$a-$b-1>=$a", true},
      {"$s+1", true}, {"$missing+1", true}, {"$a%3", true}, {"$a^2", true}, {"$b^3", true},
      {"$a:2-$b%2", true}, {"-$a%-1", false}, {"$a%-1", true}, {"$a:-1", true}, {"$a%0", true},
      {"$a&6|1", true}, {"$a~12", true}, {"$b%2", true}, {"2^70", true},
      {"(1<2)%2", true}, {"$a^(1<2)", false}, {"(1=1)&3", true},
      {"A.XPos+1", false}, {"$a.XPos", false}, {"\"a\"=\"a\"", false}, {"Twice(2)", false},
      {"@Value1+1", false}, {"THIS", false},
      // Logical groups as operands: "+" and comparisons ignore them, "-" "*" "/" do not. A "("
      // right after "*" or "/" opens a call (of "$a/"), which the shortcut leaves alone.
      {"(1<2)+(3<4)", true}, {"(1<2)*5-(2>1)", true}, {"$a>(1<2)", true}, {"1=(2=2)", true},
      {"((($a)))-1", true}, {"$a/(1-1)", false}, {"2+(3-(4-($a-1)))<=$b", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    std::string text = c.Text;
    std::unique_ptr<TFormula> f = ParseFormula(text);
    f->Prepare(ScriptHostOf(&ani));
    TNumericProgram* flat = f->Program();
    ASSERT_EQ(flat != nullptr, c.Eligible);
    if (!c.Eligible) continue;
    long double fast = -1;
    uint8_t fastKind = 0;
    bool done = flat->Run(&local, &ani.GlobalVarList, ani.AppVarList.get(), fast, fastKind);
    plat::portable::ClearMessageBoxCalls();
    long double full = 0;
    std::string t;
    uint8_t fullKind = f->TreeValue(TProccessInfo{run.Host, a, &local}, full, t);
    bool wordy = std::string(c.Text).find("$s") != std::string::npos ||
                 std::string(c.Text).find("$missing") != std::string::npos;
    EXPECT_EQ(done, !wordy);  // a string or missing variable leaves it to the evaluator
    if (!done) continue;
    EXPECT_EQ(fastKind, fullKind);
    EXPECT_EQ(fast, full);
  }
}

TEST_F(ScriptScene, BoundVariablesFollowLookUpByName) {
  // A local declared inside a loop hides the scene variable a line was bound to on the pass
  // before, for reading and for assigning.
  ani.GlobalVarList.Add("$x", 2)->Value = 10;
  Run("Var $i Number\r\nWhile $i < 3\r\n$i := $i + 1\r\n$out := $out + $x\r\n"
      "If $i = 1\r\nVar $x Number\r\n$x := 100\r\nEndIf\r\nEndWhile");
  EXPECT_EQ(Number("$out"), 10 + 100 + 100);
  EXPECT_EQ(Number("$x"), 10);
  Run("Var $i Number\r\nFor $i = 1 to 2\r\n$out := $out + $i\r\nVar $out Number\r\nEndFor\r\n"
      "$after := $out * 10");
  EXPECT_EQ(Number("$out"), 210 + 1);
  EXPECT_EQ(Number("$after"), 20);
  // Recursion: every call has its own locals; a line bound in a deeper call finds this call's.
  ani.ProcList.AddProcedure("sub Count($n number)")->piMacro = CompileScript(
      "Var $k Number\r\n$k := $n * 2\r\n$out := $out + $k\r\nIf $n > 0\r\nDo Count $n - 1\r\n"
      "EndIf\r\n$after := $after * 10 + $k",
      false);
  ani.GlobalVarList.GetVar("$out")->Value = 0;
  ani.GlobalVarList.GetVar("$after")->Value = 0;
  Run("Do Count 3\r\nDo Count 1");
  EXPECT_EQ(Number("$out"), 6 + 4 + 2 + 0 + 2 + 0);
  EXPECT_EQ(Number("$after"), 24602);
  // A string variable leaves the line to the full evaluator; a text assigned to a number
  // variable leaves it unchanged.
  Run("Var $s String\r\nVar $n Number\r\n$s := \"ab\"\r\n$n := 4\r\n$n := $s\r\n"
      "$log := $s + $s\r\n$out := $n + 1");
  EXPECT_EQ(Text("$log"), "abab");
  EXPECT_EQ(Number("$out"), 5);
}

TEST_F(ScriptScene, VariableSlotsRebindWhenAListChanges) {
  TMacroRec line;
  TVariableList local;
  TBlockRun run{&ani, ScriptHostOf(&ani), nullptr, nullptr, &local};
  TVariableSlot& slot = line.Target;
  ani.AppVarList->Add("$z", 2)->Value = 1;
  EXPECT_EQ(SlotVariable(run, slot, "$Z")->Value, 1);  // names ignore case
  EXPECT_EQ(slot.Where, 3);
  // A scene variable of the name now comes first, then a local one.
  ani.GlobalVarList.Add("$z", 2)->Value = 2;
  EXPECT_EQ(SlotVariable(run, slot, "$z")->Value, 2);
  local.Add("$other", 2);
  local.Add("$z", 2)->Value = 3;
  EXPECT_EQ(SlotVariable(run, slot, "$z")->Value, 3);
  EXPECT_EQ(slot.Where, 1);
  // An emptied list (new serial) and another list of the same name both look up again.
  local.FreeAll();
  EXPECT_EQ(SlotVariable(run, slot, "$z")->Value, 2);
  TVariableList other;
  other.Add("$z", 2)->Value = 4;
  run.Vars = &other;
  EXPECT_EQ(SlotVariable(run, slot, "$z")->Value, 4);
  run.Vars = nullptr;
  EXPECT_EQ(SlotVariable(run, slot, "$z")->Value, 2);
  // The application's list replaced by another one with the name: found there.
  ani.GlobalVarList.FreeAll();
  EXPECT_EQ(SlotVariable(run, slot, "$z")->Value, 1);
  ani.AppVarList = std::make_shared<TVariableList>();
  ani.AppVarList->Add("$z", 2)->Value = 5;
  EXPECT_EQ(SlotVariable(run, slot, "$z")->Value, 5);
  ani.AppVarList->FreeAll();
  EXPECT_EQ(SlotVariable(run, slot, "$z"), nullptr);
}

namespace {
std::vector<std::tuple<plat::UINT, plat::WPARAM, std::string>> gSceneTasks;
plat::LRESULT ZKW_CALLBACK TaskWindowProc(plat::HWND w, plat::UINT msg, plat::WPARAM wp,
                                          plat::LPARAM lp) {
  if (msg == 1102) {
    std::string text = wp == 1 || wp == 2 ? reinterpret_cast<const char*>(lp) : std::to_string(lp);
    gSceneTasks.emplace_back(msg, wp, text);
    return 0;
  }
  return plat::DefWindowProcW(w, msg, wp, lp);
}
}  // namespace

TEST_F(ScriptScene, SceneTasksGoToThePlayerWindow) {
  const ZString name = FromUtf8("zkwScriptTaskTest");
  plat::WNDCLASSW wc{};
  wc.lpfnWndProc = TaskWindowProc;
  wc.lpszClassName = name.c_str();
  ASSERT_NE(plat::RegisterClassW(&wc), 0);
  plat::HWND window = plat::CreateWindowExW(0, name.c_str(), nullptr, 0, 0, 0, 10, 10, nullptr,
                                            nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  ani.WindowHandle = window;
  gSceneTasks.clear();
  Run("LoadScene \"next\" + \".dan\"\r\nLoadSubScene \"sub.dan\"\r\nClearSubScene\r\n"
      "ScenePause\r\nSceneResume\r\nSetData NULL 3, 2\r\nSetSubData NULL -1, 1");
  using Task = std::tuple<plat::UINT, plat::WPARAM, std::string>;
  EXPECT_EQ(gSceneTasks, (std::vector<Task>{{1102, 1, "next.dan"}, {1102, 2, "sub.dan"},
                                            {1102, 3, "0"}, {1102, 4, "0"}, {1102, 5, "0"},
                                            {1102, 6, std::to_string(2 * 65536 + 3)},
                                            {1102, 7, std::to_string(65536 + 65535)}}));
  plat::DestroyWindow(window);
  plat::UnregisterClassW(name.c_str(), nullptr);
}
