// Expression cases, one line each: text, expected kind, number and text. Grouped by area.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "expr/formula.h"
#include "expr_test_host.h"
#include "platform/portable/message_box_log.h"

namespace zkw::test {
namespace {

struct TCase {
  const char* Text;
  uint8_t Kind;
  long double Value;
  const char* Str = "";
};

struct TResult {
  uint8_t Kind;
  long double Value;
  std::string Text;
};

// Parses, prepares against the test scene and evaluates with Ball as THIS.
TResult Eval(const std::string& source, TTestHost& host, TExprVariables* locals) {
  std::string text = source;
  auto formula = ParseFormula(text);
  formula->Prepare(&host);
  TResult r{};
  r.Kind = EvaluateFormula(&host, TTestHost::AsObj(host.Ball), locals, r.Text, r.Value,
                           formula.get());
  return r;
}

void Check(const std::vector<TCase>& cases) {
  TTestHost host;
  TTestVariables locals;
  locals.Set("$n", vkNumber, 5);
  host.Globals.Set("$s", vkString, 0, "hi");
  host.Globals.Set("$n", vkNumber, 99);  // hidden by the local $n
  host.Apps.Set("$obj", vkNumber, static_cast<long double>(reinterpret_cast<uintptr_t>(&host.Ball)));
  host.Apps.Set("$bad", vkNumber, 12345);
  for (const TCase& c : cases) {
    TResult r = Eval(c.Text, host, &locals);
    EXPECT_EQ(r.Kind, c.Kind) << c.Text;
    EXPECT_EQ(r.Value, c.Value) << c.Text;
    EXPECT_EQ(r.Text, c.Str) << c.Text;
  }
}

TEST(FormulaEval, Numbers) {
  Check({
      {"", 2, 0},
      {"42", 2, 42},
      {"-5", 2, -5},
      {"1.5", 2, 1.5},
      {".25", 2, 0.25},
      {"5.", 2, 5},
      {"1.2.3", 2, static_cast<long double>(1.2)},
      {"-", 2, 0},
      {"0.1+0.2", 2, static_cast<long double>(0.1) + static_cast<long double>(0.2)},
      {"1+2", 2, 3},
      {"1 + 2", 2, 3},
      {"10-4-3", 2, 3},
      {"1--2", 2, 3},
      {"7/2", 2, 3.5},
      {"1/3", 2, 1.0L / 3.0L},
      {"7/0", 2, 7},
      {"7:2", 2, 3},
      {"-7:2", 2, -3},
      {"2.5:1", 2, 2},
      {"3.5:1", 2, 4},
      {"-7%3", 2, -1},
      {"7%0", 2, 7},
      {"7:0", 2, 7},
      {"7%-3", 2, 4},  // "-" after a term ends it: (7 % 0) - 3
      {"2^10", 2, 1024},
      {"2^0", 2, 1},
      {"2.5^2", 2, 6.25},
      {"2^64", 2, 18446744073709551616.0L},
      {"6&3", 2, 2},
      {"6|3", 2, 7},
      {"6~3", 2, 5},
      {"(0)!(5)", 2, -6},
      {"1e5", 2, 0},  // a name
      {"99999999999999999999:1", 2, 9223372036854775807.0L},
  });
}

TEST(FormulaEval, Precedence) {
  Check({
      {"1+2*3", 2, 7},
      {"2^3*2", 2, 16},
      {"2*3^2", 2, 36},
      {"(3+4)*2", 2, 14},
      {"1+(2)*3", 2, 9},
      {"((2))", 2, 2},
      {"(1)-(2)", 2, -1},
      {"8/2/2", 2, 2},
      {"2*-3", 2, -3},  // "-" ends the term "2*": (2 * 0) - 3
      {"-2*3", 2, -6},
      {"1+2=3", 5, 1},
      {"3>2=1", 5, 1},
      {"1<2<3", 5, 1},
      {"2*(3+4)", 0, 0},  // a call of the unknown function "2*"
      {"-(3)", 0, 0},
  });
}

TEST(FormulaEval, Strings) {
  Check({
      {"\"abc\"", 3, 0, "abc"},
      {"\"a b\"", 3, 0, "a b"},
      {"\"\"", 3, 0, ""},
      {"\"ab\"+\"cd\"", 3, 0, "abcd"},
      {"\"ab\" + \"c d\"+\"e\"", 3, 0, "abc de"},
      {"\"abc\"+1", 3, 1, "abc"},
      {"1+\"abc\"", 2, 1, "abc"},
      {"\"x\"-1", 3, 1, "x"},
      {"\"&#7855;#\"", 3, 0, "&#7855;#"},
      {"\"unclosed", 2, 0},
      {"\"a(b,c)\"", 3, 0, "a(b,c)"},
  });
}

TEST(FormulaEval, Logic) {
  Check({
      {"\"abc\"<\"abd\"", 5, 1, "abc"},  // the left text stays
      {"\"b\">\"a\"", 5, 1, "b"},
      {"\"\xE9\">\"z\"", 5, 1, "\xE9"},  // bytes compare unsigned
      {"\"ab\"<\"abc\"", 5, 1, "ab"},
      {"\"ab\"=\"AB\"", 5, 0, "ab"},
      {"2>=2", 5, 1},
      {"2<=1", 5, 0},
      {"2#3", 5, 1},
      {"2=2.0", 5, 1},
      {"\"a\"=1", 5, 0, "a"},
      {"1=\"a\"", 5, 0},
      {"1=1+1", 5, 2},  // "+" adds to the logical
      {"Db.$Ok", 5, 1},
      {"Db.$Ok+1", 5, 2},
  });
}

TEST(FormulaEval, Dates) {
  Check({
      {"Db.$Born", 4, 45000.25L},
      {"Db.$Born+1", 4, 45001.25L},
      {"Db.$Born-Db.$Born", 4, 0},
      {"1+Db.$Born", 2, 45001.25L},
      {"Db.$Born>45000", 5, 1},
      {"Db.$Born=45000.25", 5, 1},
      {"Db.$Name", 3, 0, "Lan"},
      {"Db.$Missing", 0, 0},
      {"Ball.$Born", 0, 0},
  });
}

TEST(FormulaEval, NamesAndVariables) {
  Check({
      {"Ball.XPos", 2, 10},
      {"ball.xpos+1", 2, 11},
      {"Ball.Name", 3, 0, "Ball"},
      {"Box.XPos*2", 2, -6},
      {"Nothing.XPos", 2, 0},
      {"Ball.Bogus", 2, 0},
      {"-x", 2, 0},
      {"Pi", 2, 0},
      {"THIS.XPos", 2, 10},
      {"this.Name", 3, 0, "Ball"},
      {"CURRENT.XPos", 2, -3},
      {"$n", 2, 5},
      {"$N+1", 2, 6},
      {"$s", 3, 0, "hi"},
      {"$s+\"!\"", 3, 0, "hi!"},
      {"$obj.XPos", 2, 10},
      {"$bad.XPos", 2, 0},  // not an object of the scene
      {"$n.Bogus", 2, 0},
      {"THIS.Bogus", 2, 0},
      {"@Value1", 2, 7},
      {"@value1+1", 2, 8},
      {"Ball.@Value1", 2, 7},
      {"@EventString", 3, 0, "evt"},
      {"@Bogus", 2, 0},
      {"@Info", 2, 0},
  });
}

TEST(FormulaEval, Calls) {
  Check({
      {"Twice(21)", 2, 42},
      {"twice()", 2, 2},
      {"Twice(1,5)", 2, 2},
      {"Twice(Twice(3))+1", 2, 13},
      {"Twice(\"a\")", 2, 0},
      {"Nope(1)", 0, 0},
      {"Nope()", 0, 0},
      {"Pi()", 2, 3.141592653589793238462643383279502884L},
      {"INT(2.5)", 2, 2},
      {"Seek(1,\"k\")", 2, 0},  // no database object behind 1: position 0
      {"Proc()", 2, 0},
      {"1+Nope(1)", 2, 1},
  });
}

TEST(FormulaEval, ObjectReference) {
  TTestHost host;
  TResult r = Eval("Ball", host, nullptr);
  EXPECT_EQ(r.Kind, vkNumber);
  EXPECT_EQ(r.Value, static_cast<long double>(reinterpret_cast<uintptr_t>(&host.Ball)));
  r = Eval("$obj", host, nullptr);  // no local list: "$" names are not variables
  EXPECT_EQ(r.Kind, vkNumber);
  EXPECT_EQ(r.Value, 0);
}

TEST(FormulaEval, MissingVariableIsReported) {
  plat::portable::ClearMessageBoxCalls();
  TTestHost host;
  TTestVariables locals;
  TResult r = Eval("$missing+1", host, &locals);
  EXPECT_EQ(r.Kind, vkNumber);
  EXPECT_EQ(r.Value, 1);
  const auto& calls = plat::portable::MessageBoxCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(ToUtf8(calls[0].Text.c_str()), "Variable not found: $missing");
  EXPECT_EQ(calls[0].Type, plat::MB_OK);
  Eval("$missing.XPos", host, &locals);
  EXPECT_EQ(calls.size(), 2u);
  plat::portable::ClearMessageBoxCalls();
  EXPECT_TRUE(plat::portable::MessageBoxCalls().empty());
}

TEST(FormulaEval, ReenteredAndPreparedAgain) {
  // A formula evaluated again from inside its own user function call keeps each level's
  // accumulators apart: ((0 + 10 + 1) + 10 + 1) + 10 + 1 + 10.
  TTestHost host;
  std::string text = "Again()+10";
  auto f = ParseFormula(text);
  f->Prepare(&host);
  host.Reenter = f.get();
  std::string out;
  long double v = 0;
  EXPECT_EQ(EvaluateFormula(&host, nullptr, nullptr, out, v, f.get()), vkNumber);
  EXPECT_EQ(v, 43);
  EXPECT_EQ(host.Depth, 0);

  // Binding twice gives the same tree and the same values.
  TTestVariables locals;
  host.Apps.Set("$obj", vkNumber, static_cast<long double>(reinterpret_cast<uintptr_t>(&host.Box)));
  std::string text2 = "$obj.XPos*10+Ball.XPos+Ball.Bogus+@Value1";
  auto g = ParseFormula(text2);
  for (int pass = 0; pass < 2; ++pass) {
    g->Prepare(&host);
    TProccessInfo info{&host, nullptr, &locals};
    EXPECT_EQ(g->GetValue(info, v, out), vkNumber) << pass;
    EXPECT_EQ(v, -30 + 10 + 0 + 7) << pass;
  }
}

TEST(FormulaEval, ClockProperties) {
  TTestHost host;
  const struct {
    const char* Text;
    long double Max;
  } parts[] = {{"@Hour", 23}, {"@Minute", 59}, {"@Second", 60}, {"@Milisecond", 999}};
  for (const auto& p : parts) {
    TResult r = Eval(p.Text, host, nullptr);
    EXPECT_EQ(r.Kind, vkNumber) << p.Text;
    EXPECT_TRUE(r.Value >= 0 && r.Value <= p.Max && r.Value == std::floor(r.Value)) << p.Text;
  }
}

TEST(FormulaEval, Limits) {
  std::string deep50 = std::string(50, '(') + "1" + std::string(50, ')');
  std::string deep51 = std::string(51, '(') + "1" + std::string(51, ')');
  std::string longName(1000, 'a');
  std::string longString = "\"" + std::string(600, 'z') + "\"";
  Check({
      {deep50.c_str(), 2, 1},
      {deep51.c_str(), 2, 0},  // the 51st parenthesis is text: a name
      {longName.c_str(), 2, 0},
      {longString.c_str(), 3, 0, longString.substr(1, 600).c_str()},
      {"1)+2", 2, 1},
      {"1,2", 2, 1},
      {"Twice(3", 2, 6},
      {"((", 2, 0},
      {"2^-1", 2, 0},
      {"2^99999", 2, std::pow(2.0L, 99999.0L)},
  });
}

}  // namespace
}  // namespace zkw::test
