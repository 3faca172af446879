// The shape of the token tree ParseFormula builds and what Prepare binds into it.
#include <gtest/gtest.h>

#include <string>

#include "expr/formula.h"
#include "expr/functions.h"
#include "expr/property_names.h"
#include "expr_test_host.h"

namespace zkw::test {
namespace {

// Token I (0-based) of a formula.
const TToken* At(const TFormula* f, int i) { return static_cast<const TToken*>(f->Get(i)); }

std::unique_ptr<TFormula> Parse(std::string text) { return ParseFormula(text); }

TEST(FormulaParse, OperandsAndOperators) {
  // One token per operand, each carrying the operator written after it.
  auto f = Parse("a+1-2<=3>=4<5>6=7#8&9|10~\"s\"");
  const uint8_t ops[] = {opAdd, opSub, opLessEqual, opGreaterEqual, opLess, opGreater, opEqual,
                         opNotEqual, opAnd, opOr, opXor, opNone};
  ASSERT_EQ(f->Count(), 12);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(At(f.get(), i)->ttkOperator, ops[i]) << i;
  EXPECT_EQ(At(f.get(), 0)->ttkType, vkProperty);
  EXPECT_EQ(At(f.get(), 0)->ttkString, "a");
  EXPECT_EQ(At(f.get(), 3)->ttkType, vkNumber);
  EXPECT_EQ(At(f.get(), 3)->ttkValue, 3.0);
  EXPECT_EQ(At(f.get(), 11)->ttkType, vkString);
  EXPECT_EQ(At(f.get(), 11)->ttkString, "s");
}

TEST(FormulaParse, TermsAndGroups) {
  // A term is one group token whose pieces carry the term operators.
  auto f = Parse("x.Width*2/3:4%5^6+1");
  ASSERT_EQ(f->Count(), 2);
  const TToken* term = At(f.get(), 0);
  EXPECT_EQ(term->ttkType, vkNumber);
  EXPECT_EQ(term->ttkOperator, opAdd);
  ASSERT_TRUE(term->ttkChildExpr);
  const uint8_t ops[] = {opMul, opDiv, opIntDiv, opMod, opPower, opNone};
  ASSERT_EQ(term->ttkChildExpr->Count(), 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(At(term->ttkChildExpr.get(), i)->ttkOperator, ops[i]);
  EXPECT_EQ(At(term->ttkChildExpr.get(), 0)->ttkString, "x.Width");

  // ")" takes the operator after it; a "(" right after it is swallowed as that operator.
  auto g = Parse("(1)*(2),3");
  ASSERT_EQ(g->Count(), 3);
  EXPECT_EQ(At(g.get(), 0)->ttkOperator, opMul);
  EXPECT_EQ(At(g.get(), 0)->ttkChildExpr->Count(), 1);
}

TEST(FormulaParse, Calls) {
  auto f = Parse("Sin(x)*2");
  ASSERT_EQ(f->Count(), 2);
  const TToken* call = At(f.get(), 0);
  EXPECT_EQ(call->ttkType, 8);  // SIN
  EXPECT_EQ(call->ttkOperator, opMul);
  // One argument list with one argument token owning the argument's formula.
  ASSERT_EQ(call->ttkChildExpr->Count(), 1);
  EXPECT_EQ(ArgumentCount(*call), 1);
  EXPECT_EQ(At(At(call->ttkChildExpr.get(), 0)->ttkChildExpr.get(), 0)->ttkString, "x");

  auto g = Parse("Max(1, f(2,3), \"a,b\")");
  const TToken* max = At(g.get(), 0);
  EXPECT_EQ(max->ttkType, 117);
  EXPECT_EQ(max->ttkFieldname, "Max");
  EXPECT_EQ(ArgumentCount(*max), 3);
  const TToken* inner = At(At(max->ttkChildExpr.get(), 1)->ttkChildExpr.get(), 0);
  EXPECT_EQ(inner->ttkType, 117);
  EXPECT_EQ(ArgumentCount(*inner), 2);

  EXPECT_EQ(At(Parse("pi()").get(), 0)->ttkType, 13);
  EXPECT_EQ(ArgumentCount(*At(Parse("Pi()").get(), 0)), 0);
  EXPECT_EQ(At(Parse("func2(1)").get(), 0)->ttkType, 117);
  EXPECT_EQ(At(Parse("Go()").get(), 0)->ttkType, 116);
  EXPECT_EQ(At(Parse("(1)").get(), 0)->ttkType, vkNumber);
}

TEST(FormulaParse, BlanksRemovedInPlace) {
  std::string text = " a b + \" c  d \" ";
  auto f = ParseFormula(text);
  EXPECT_EQ(text, "ab+\" c  d \"");
  EXPECT_EQ(At(f.get(), 0)->ttkString, "ab");
  EXPECT_EQ(At(f.get(), 1)->ttkString, " c  d ");
}

TEST(FormulaParse, Registries) {
  EXPECT_EQ(FunctionCode("INT"), 6);
  EXPECT_EQ(FunctionCode("getObjectOf"), 114);
  EXPECT_EQ(FunctionCode("FUNC2"), 117);
  EXPECT_EQ(FunctionCode("NOPE"), 0);
  EXPECT_STREQ(FunctionEntry(70)->Name, "STRINGS");
  EXPECT_EQ(FunctionEntry(5), nullptr);
  EXPECT_EQ(FunctionEntry(118), nullptr);
  EXPECT_EQ(PropertyCode("info"), 1);
  EXPECT_EQ(PropertyCode("@ODFField"), 149);
  EXPECT_EQ(PropertyCode("TopIndex"), 209);
  EXPECT_EQ(PropertyCode("Top"), 0);
  EXPECT_STREQ(PropertyName(135), "Name");
  EXPECT_EQ(PropertyName(210), nullptr);
  EXPECT_STREQ(kOperatorNames[17], "<=");
}

TEST(FormulaParse, Binding) {
  TTestHost host;
  std::string text = "Ball.XPos+THIS+$v.Width+@EventValue2+Db.$Born+Ball.+Twice()+x.Nope";
  auto f = ParseFormula(text);
  f->Prepare(&host);
  const TToken* t[8];
  for (int i = 0; i < 8; ++i) t[i] = At(f.get(), i);
  EXPECT_EQ(t[0]->ttkObj, TTestHost::AsObj(host.Ball));
  EXPECT_EQ(t[0]->ttkFunction, 5);
  EXPECT_EQ(t[1]->ttkObjStyle, osThis);
  EXPECT_EQ(t[2]->ttkObjStyle, osVariable);
  EXPECT_EQ(t[2]->ttkString, "$v");
  EXPECT_EQ(t[2]->ttkFunction, 7);
  EXPECT_EQ(t[3]->ttkObjStyle, osSystem);
  EXPECT_EQ(t[3]->ttkFunction, 89);
  EXPECT_EQ(t[4]->ttkFunction, kFieldProperty);
  EXPECT_EQ(t[4]->ttkFieldname, "Born");
  EXPECT_EQ(t[5]->ttkObj, TTestHost::AsObj(host.Ball));
  EXPECT_EQ(t[5]->ttkFunction, 0);
  EXPECT_EQ(t[6]->ttkProc, TTestHost::TwiceProc());
  EXPECT_EQ(t[7]->ttkObj, nullptr);

  // Without an animator nothing binds to an object, and nothing crashes.
  std::string text2 = "Ball.XPos+Twice(1)";
  auto g = ParseFormula(text2);
  g->Prepare(nullptr);
  EXPECT_EQ(At(g.get(), 0)->ttkObj, nullptr);
  EXPECT_EQ(At(g.get(), 1)->ttkProc, nullptr);
  std::string out;
  long double v = 5;
  EXPECT_EQ(EvaluateFormula(nullptr, nullptr, nullptr, out, v, g.get()), vkNumber);
  EXPECT_EQ(v, 0);
}

}  // namespace
}  // namespace zkw::test
