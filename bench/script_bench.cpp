// The script engine against Lua 5.4 on the same work: a prepared arithmetic expression, a
// prepared string expression, and a 1,000-pass loop (For and While). Lua runs the same text as
// a precompiled chunk; its variables are globals (looked up by name, as script variables are)
// and, for reference, locals (registers).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "expr/formula.h"
#include "player/scene/dib_animator.h"
#include "script/execute.h"

#ifdef ZKW_BENCH_LUA
extern "C" {
#include <lauxlib.h>
#include <lua.h>
#include <lualib.h>
}
#endif

namespace {

// A playing scene with the variables of the expressions and a prepared formula.
struct ExprFixture {
  zkw::TDibAnimator Ani;
  zkw::TVariableList Locals;
  std::unique_ptr<zkw::TFormula> Formula;
  explicit ExprFixture(const std::string& Text) {
    Ani.SetPlaying(true);
    Locals.Add("$a", 2)->Value = 17;
    Locals.Add("$b", 2)->Value = 4;
    Locals.Add("$s", 3)->StValue = "hello";
    std::string t = Text;
    Formula = zkw::ParseFormula(t);
    Formula->Prepare(zkw::ScriptHostOf(&Ani));
  }
  long double Eval(std::string& Text) {
    long double v = 0;
    zkw::EvaluateFormula(zkw::ScriptHostOf(&Ani), nullptr, &Locals, Text, v, Formula.get());
    return v;
  }
};

const char* const kArithmetic = "($a * 3 + $b) / 7 - $a % 5 + ($a - $b) * ($a + $b)";
const char* const kString = "\"<\" + $s + \" world\" + \">\" = \"<hello world>\"";

void BM_ExprArithmetic(benchmark::State& state) {
  ExprFixture f(kArithmetic);
  std::string text;
  for (auto _ : state) benchmark::DoNotOptimize(f.Eval(text));
}
BENCHMARK(BM_ExprArithmetic);

void BM_ExprString(benchmark::State& state) {
  ExprFixture f(kString);
  std::string text;
  for (auto _ : state) benchmark::DoNotOptimize(f.Eval(text));
}
BENCHMARK(BM_ExprString);

// A compiled and prepared script run as an event script each iteration.
void RunScript(benchmark::State& state, const char* Text) {
  zkw::TDibAnimator ani;
  ani.SetPlaying(true);
  ani.GlobalVarList.Add("$out", 2);
  zkw::TScriptPtr list = zkw::CompileScript(Text, true);
  zkw::PrepareScript(&ani, nullptr, list.get());
  for (auto _ : state) {
    zkw::RunEventScript(&ani, nullptr, list.get(), 0);
    benchmark::DoNotOptimize(ani.GlobalVarList.GetVar("$out")->Value);
  }
  if (ani.GlobalVarList.GetVar("$out")->Value != 1001000) state.SkipWithError("wrong sum");
}

void BM_ScriptForLoop(benchmark::State& state) {
  RunScript(state,
            "Var $i Number\r\nVar $sum Number\r\n"
            "For $i = 1 to 1000\r\n  $sum := $sum + $i * 2\r\nEndFor\r\n$out := $sum");
}
BENCHMARK(BM_ScriptForLoop);

void BM_ScriptWhileLoop(benchmark::State& state) {
  RunScript(state,
            "Var $i Number\r\nVar $sum Number\r\n"
            "While $i < 1000\r\n  $i := $i + 1\r\n  $sum := $sum + $i * 2\r\nEndWhile\r\n$out := $sum");
}
BENCHMARK(BM_ScriptWhileLoop);

#ifdef ZKW_BENCH_LUA
// A Lua state with the chunk compiled once; each iteration calls it.
struct LuaChunk {
  lua_State* L = luaL_newstate();
  int Ref = LUA_NOREF;
  explicit LuaChunk(const char* Source) {
    luaL_openlibs(L);
    lua_pushinteger(L, 17);
    lua_setglobal(L, "a");
    lua_pushinteger(L, 4);
    lua_setglobal(L, "b");
    lua_pushstring(L, "hello");
    lua_setglobal(L, "s");
    if (luaL_loadstring(L, Source) != LUA_OK) std::abort();
    Ref = luaL_ref(L, LUA_REGISTRYINDEX);
  }
  ~LuaChunk() { lua_close(L); }
  void Call() {
    lua_rawgeti(L, LUA_REGISTRYINDEX, Ref);
    if (lua_pcall(L, 0, 1, 0) != LUA_OK) std::abort();
    lua_pop(L, 1);
  }
};

void RunLua(benchmark::State& state, const char* Source) {
  LuaChunk chunk(Source);
  for (auto _ : state) chunk.Call();
}

void BM_LuaExprArithmetic(benchmark::State& state) {
  RunLua(state, "return (a * 3 + b) / 7 - a % 5 + (a - b) * (a + b)");
}
BENCHMARK(BM_LuaExprArithmetic);

void BM_LuaExprString(benchmark::State& state) {
  RunLua(state, "return \"<\" .. s .. \" world\" .. \">\" == \"<hello world>\"");
}
BENCHMARK(BM_LuaExprString);

void BM_LuaForLoopGlobals(benchmark::State& state) {
  RunLua(state, "sum = 0 for i = 1, 1000 do sum = sum + i * 2 end out = sum return out");
}
BENCHMARK(BM_LuaForLoopGlobals);

void BM_LuaWhileLoopGlobals(benchmark::State& state) {
  RunLua(state, "i = 0 sum = 0 while i < 1000 do i = i + 1 sum = sum + i * 2 end out = sum return out");
}
BENCHMARK(BM_LuaWhileLoopGlobals);

void BM_LuaForLoopLocals(benchmark::State& state) {
  RunLua(state, "local sum = 0 for i = 1, 1000 do sum = sum + i * 2 end return sum");
}
BENCHMARK(BM_LuaForLoopLocals);
#endif

}  // namespace

BENCHMARK_MAIN();
