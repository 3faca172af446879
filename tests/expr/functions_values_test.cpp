// Built-in functions on plain values, one line per case: text, expected kind, number and text.
// Grouped by area: mathematics, strings, dates, colours and logic.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <set>
#include <string>
#include <vector>

#include "colour/hls.h"
#include "expr/formula.h"
#include "expr/functions.h"
#include "expr_test_host.h"
#include "text/scene_text.h"
#include "text/text_tables.h"

namespace zkw::test {
namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

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

TResult Eval(const std::string& source) {
  TTestHost host;
  std::string text = source;
  auto formula = ParseFormula(text);
  formula->Prepare(&host);
  TResult r{};
  r.Kind = EvaluateFormula(&host, nullptr, nullptr, r.Text, r.Value, formula.get());
  return r;
}

void Check(const std::vector<TCase>& cases) {
  for (const TCase& c : cases) {
    TResult r = Eval(c.Text);
    EXPECT_EQ(r.Kind, c.Kind) << c.Text;
    EXPECT_EQ(r.Value, c.Value) << c.Text;
    EXPECT_EQ(r.Text, c.Str) << c.Text;
  }
}

TEST(FunctionValues, Mathematics) {
  Check({
      {"Int(2.7)", 2, 2},
      {"Int(-2.7)", 2, -2},
      {"Int(2.7,5)", 2, 2},  // one argument: the whole list is one formula
      {"Int(\"abc\")", 2, 0},  // the kind is not checked
      {"Round(2.5)", 2, 2},
      {"Round(3.5)", 2, 4},
      {"Round(-2.5)", 2, -2},
      {"Abs(-3)", 2, 3},
      {"Pi()", 2, kPi},
      {"Pi", 2, 0},  // a name, not a call
      {"Sqr(3)", 2, 9},
      {"Sqrt(16)", 2, 4},
      {"Sqrt(-4)", 2, 0},
      {"Ln(1)", 2, 0},
      {"Ln(0)", 2, 0},
      {"Ln(-1)", 2, 0},
      {"Tan(0)", 2, 0},
      {"Cotan(0)", 2, 0},
      {"Sin(0)", 2, 0},
      {"Cos(0)", 2, 1},
      {"ArcTan(1)", 2, std::atan(1.0L)},
      {"Radian(180)", 2, 180 * kPi / 180},
  });
}

TEST(FunctionValues, ArcSinArcCosCoverTheWholeDomain) {
  Check({
      {"ArcSin(1)", 2, std::asin(1.0L)},
      {"ArcSin(-1)", 2, -std::asin(1.0L)},
      {"ArcSin(-0.5)", 2, std::asin(-0.5L)},
      {"ArcSin(0)", 2, 0},
      {"ArcCos(1)", 2, 0},
      {"ArcCos(-1)", 2, std::acos(-1.0L)},
      {"ArcCos(-0.5)", 2, std::acos(-0.5L)},
      {"ArcCos(0)", 2, std::acos(0.0L)},
      {"ArcSin(2)", 2, 0},
      {"ArcCos(-1.5)", 2, 0},
  });
  // The true quadrant: arccos of a negative number lies beyond pi/2.
  EXPECT_GT(Eval("ArcCos(-0.5)").Value, kPi / 2);
  EXPECT_NEAR(static_cast<double>(Eval("ArcCos(-0.5)").Value), 2 * 3.14159265358979 / 3, 1e-12);
}

TEST(FunctionValues, Strings) {
  Check({
      {"Left(\"hello\",2)", 3, 0, "he"},
      {"Left(\"hello\",0)", 3, 0, ""},
      {"Left(\"hello\",-1)", 3, 0, ""},
      {"Left(\"hi\",9)", 3, 0, "hi"},
      {"Left(\"a&#7840#b\",2)", 3, 0, "a&#7840#"},
      {"Left(\"hello\")", 0, 0},
      {"Left(\"hello\",2,3)", 0, 0},
      {"Left(5,2)", 0, 0},
      {"Left(\"hello\",\"2\")", 0, 0},
      {"Right(\"hello\",3)", 3, 0, "llo"},
      {"Right(\"hello\",9)", 3, 0, "hello"},
      {"Iif(0,\"a\",\"b\")", 3, 0, "b"},
      {"Iif(1,\"a\",\"b\")", 3, 0, "a"},
      {"Iif(1,2,3)", 2, 2},
      {"Iif(\"x\",2,3)", 2, 3},
      {"Iif(1,1=1,7)", 2, 7},  // a logical Value1 is not taken
      {"Iif(1,2)", 0, 0},
      {"Len(\"a&#7840#b\")", 2, 3},
      {"Len(\"\")", 2, 0},
      {"Len(5)", 2, 0},
      {"Space(3)", 3, 0, "   "},
      {"Space(-1)", 3, 0, ""},
      {"Space(\"x\")", 3, 0, ""},
      {"Replicate(\"ab\",3)", 3, 0, "ababab"},
      {"Replicate(\"ab\",0)", 3, 0, ""},
      {"Upper(\"abc&#7841#\xff\")", 3, 0, "ABC&#7840#&#376#"},
      {"Lower(\"\xc0" "B&#7840#&#1046#\")", 3, 0, "\xe0" "b&#7841#&#1078#"},
      {"Upper(\"&#601#\")", 3, 0, "&#601#"},  // a letter without a case pair stays
      {"Upper(5)", 0, 0},
      {"Hex(255)", 3, 0, "00FF"},
      {"Hex(65535)", 3, 0, "FFFF"},
      {"Hex(65536)", 3, 0, "00010000"},
      {"Hex(-1)", 3, 0, "FFFF"},
      {"Hex(255.5)", 3, 0, "0100"},
      {"Bin(5)", 3, 0, "00000101"},
      {"Bin(259)", 3, 0, "00000011"},
      {"At(\"abcab\",\"ab\")", 2, 1},
      {"RAt(\"abcab\",\"ab\")", 2, 4},
      {"At(\"abc\",\"x\")", 2, 0},
      {"RAt(\"abc\",\"\")", 2, 0},
      {"RAt(\"\",\"a\")", 2, 0},
      {"At(\"x&#7840#ab\",\"ab\")", 2, 3},
      {"At(\"abc\")", 0, 0},
      {"SubStr(\"hello\",2,3)", 3, 0, "ell"},
      {"SubStr(\"hello\",9,2)", 3, 0, ""},
      {"SubStr(\"hello\",0,2)", 3, 0, "he"},
      {"SubStr(\"hello\",4,10)", 3, 0, "lo"},
      {"SubStr(\"hello\",2,-1)", 3, 0, ""},
      {"Replace(\"XY\",\"abcde\",2)", 3, 0, "aXYde"},
      {"Replace(\"XYZ\",\"abcde\",4)", 3, 0, "abcXY"},
      {"Replace(\"\",\"abcde\",2)", 3, 0, "abcde"},
      {"Replace(\"XY\",\"abcde\",0)", 3, 0, "Ybcde"},
      {"Replace(\"XY\",\"abcde\",-5)", 3, 0, "abcde"},
      {"Replace(\"XY\",\"abcde\",1.5)", 3, 0, "aXYde"},  // rounded to 2
      {"Str(3.14159,8,2)", 3, 0, "    3.14"},
      {"Str(2.5)", 3, 0, "2"},
      {"Str(-1.5,0,1)", 3, 0, "-1.5"},
      {"Str(7,2)", 3, 0, " 7"},
      {"Str(1,2,3,4)", 0, 0},
      {"Str(\"a\")", 0, 0},
      {"Val(\"3.5\")", 2, 3.5},
      {"Val(\"3,5\")", 2, 3.5},
      {"Val(\" -2 \")", 2, -2},
      {"Val(\"1e3\")", 2, 1000},
      {"Val(\".5\")", 2, 0.5},
      {"Val(\"abc\")", 2, 0},
      {"Val(\"1.2.3\")", 2, 0},
      {"Val(\"\")", 2, 0},
      {"Val(5)", 2, 0},
      {"LTrim(\"  a  \")", 3, 0, "a  "},
      {"RTrim(\"  a  \")", 3, 0, "  a"},
      {"Trim(\"\t a \r\")", 3, 0, "a"},
      {"Trim(5)", 3, 0, ""},
      {"LeadStr(7,3)", 3, 0, "007"},
      {"LeadStr(1234,2)", 3, 0, "1234"},
      {"LeadStr(-5,4)", 3, 0, "00-5"},
      {"LeadStr(7,\"3\")", 0, 0},
      {"Chr(65)", 3, 0, "A"},
      {"Chr(233)", 3, 0, "\xe9"},
      {"Chr(0)", 3, 0, ""},
      {"Chr(\"A\")", 3, 0, ""},
      {"Ord(\"A\")", 2, 65},
      {"Ord(\"&#7840#\")", 2, 38},  // raw: the first byte
      {"Ord(\"\")", 2, 0},
      {"Ord(5)", 2, 0},
      {"Strings(\"abc\",2)", 3, 0, "b"},
      {"Strings(\"a&#7840#\",2)", 3, 0, "&#7840#"},
      {"Strings(\"abc\",4)", 3, 0, ""},
      {"Strings(\"abc\",0)", 3, 0, ""},
      {"ShuffleStr(\"a\")", 3, 0, "a"},
      {"ShuffleStr(\"aaa\")", 3, 0, "aaa"},
      {"ShuffleStr(5)", 0, 0},
  });
}

TEST(FunctionValues, GeneratedTextsAreLimited) {
  EXPECT_EQ(Eval("Space(1000000000000)").Text.size(), 1u << 20);
  EXPECT_EQ(Eval("Replicate(\"ab\",1000000000000)").Text.size(), 1u << 20);
  EXPECT_EQ(Eval("LeadStr(1,1000000000000)").Text.size(), 1u << 20);
}

TEST(FunctionValues, VietnameseCaseFollowsTheCaseTable) {
  const TCaseList& cases = TextTables().CaseList;
  ASSERT_GT(cases.Count(), 0u);
  const TCasePair& pair = cases.Pair(0);
  std::string lower = EncodeSceneText(ZString(1, static_cast<ZChar>(pair.Lower)));
  std::string upper = EncodeSceneText(ZString(1, static_cast<ZChar>(pair.Upper)));
  TResult up = Eval("VUpper(\"" + lower + "1\")");
  EXPECT_EQ(up.Kind, vkString);
  EXPECT_EQ(up.Text, upper + "1");  // a digit has no case
  EXPECT_EQ(Eval("VLower(\"" + upper + "\")").Text, lower);
  EXPECT_EQ(Eval("VUpper(1)").Kind, vkNone);
}

TEST(FunctionValues, ShuffleIsAPermutationThatDiffers) {
  SetExprRandomSeed(7);
  std::set<std::string> seen;
  for (int i = 0; i < 50; ++i) {
    TResult r = Eval("ShuffleStr(\"ab&#7840#cd\")");
    ASSERT_EQ(r.Kind, vkString);
    ZString got = DecodeSceneText(r.Text), want = DecodeSceneText("ab&#7840#cd");
    EXPECT_NE(got, want);
    std::sort(got.begin(), got.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(got, want);
    seen.insert(r.Text);
  }
  EXPECT_GT(seen.size(), 10u);
  EXPECT_EQ(Eval("ShuffleStr(\"ab\")").Text, "ba");
  // One seed, one sequence.
  SetExprRandomSeed(99);
  std::string a = Eval("ShuffleStr(\"abcdefgh\")").Text;
  SetExprRandomSeed(99);
  EXPECT_EQ(Eval("ShuffleStr(\"abcdefgh\")").Text, a);
}

TEST(FunctionValues, Dates) {
  std::time_t t = std::time(nullptr);
  std::tm now{};
  localtime_r(&t, &now);
  const long double century = (now.tm_year + 1900) / 100 * 100;
  Check({
      {"DateStr(StrDate(\"1/2/2003\"))", 3, 0, "01-02-2003"},
      {"StrDate(\"1/2/2003\")", 4, 37623},
      {"StrDate(\" 1 / 2 / 2003 \")", 4, 37623},
      {"StrDate(\"12/30/1899\")", 4, 0},
      {"StrDate(\"12/31/1899\")", 4, 1},
      {"Year(StrDate(\"1/1/1\"))", 2, century + 1},  // one digit: this century
      {"Year(StrDate(\"1/2/03\"))", 2, century + 3},
      {"Year(StrDate(\"1/2/003\"))", 2, 3},
      {"StrDate(\"13/1/2003\")", 4, 0},
      {"StrDate(\"2/30/2003\")", 4, 0},
      {"StrDate(\"2/29/1900\")", 4, 0},
      {"DateStr(StrDate(\"2/29/2000\"))", 3, 0, "02-29-2000"},
      {"StrDate(\"1-2-2003\")", 4, 0},
      {"StrDate(\"1/2/3/4\")", 4, 0},
      {"StrDate(\"a/2/2003\")", 4, 0},
      {"StrDate(5)", 4, 0},
      {"Day(StrDate(\"1/2/2003\"))", 2, 2},
      {"Month(StrDate(\"1/2/2003\"))", 2, 1},
      {"Year(StrDate(\"1/2/2003\"))", 2, 2003},
      {"DOW(StrDate(\"1/2/2003\"))", 2, 5},  // a Thursday
      {"DOW(StrDate(\"12/30/1899\"))", 2, 7},
      {"DOW(StrDate(\"12/29/1899\"))", 2, 6},
      {"DateStr(StrDate(\"12/31/9999\"))", 3, 0, "12-31-9999"},
      {"DateStr(StrDate(\"1/1/0001\"))", 3, 0, "01-01-0001"},
      {"DateStr(StrDate(\"3/1/1600\"))", 3, 0, "03-01-1600"},
      {"Day(3)", 2, 0},
      {"Month(\"1/2/2003\")", 2, 0},
      {"DateStr(3)", 3, 0, ""},
  });
  TResult today = Eval("Today()");
  EXPECT_EQ(today.Kind, vkDate);
  EXPECT_EQ(today.Value, std::trunc(today.Value));
  EXPECT_EQ(Eval("Day(Today())").Value, now.tm_mday);
  EXPECT_EQ(Eval("Month(Today())").Value, now.tm_mon + 1);
}

TEST(FunctionValues, ColoursAndLogic) {
  Check({
      {"RGB(1,2,3)", 2, 0x030201},
      {"RGB(256,0,0)", 2, 0},
      {"RGB(255.5,0,0)", 2, 0},
      {"RGB(-1,0,0)", 2, 0xFF},
      {"RGB(1,2)", 0, 0},
      {"RGB(1,2,\"3\")", 0, 0},
      {"HLS(0,128,255)", 2, 0x0000FF},
      {"HLS(85,100,200)", 2, 22 + 180 * 256 + 22 * 65536},
      {"HLS(100,50,0)", 2, 0},
      {"HLS(170,50,0)", 2, 0x323232},
      {"Not(0)", 5, 1},
      {"Not(3)", 5, 0},
      {"Not(1=2)", 5, 1},
      {"Not(\"a\")", 0, 0},
      {"PtInRect(1,1,0,0,2,2)", 5, 1},
      {"PtInRect(0,0,0,0,2,2)", 5, 1},
      {"PtInRect(2,1,0,0,2,2)", 5, 0},
      {"PtInRect(1,2,0,0,2,2)", 5, 0},
      {"PtInRect(1,1,0,0,2)", 0, 0},
      {"Rnd(5,5)", 2, 5},
      {"Rnd(1)", 0, 0},
      {"Seek(1,\"a\")", 2, 0},  // no database object behind 1: position 0
      {"CharDraw(1,2,3,4,5,6,7,8,9,10)", 2, 0},  // no scene, no character: nothing drawn
      {"CharDraw(1,2,3)", 0, 0},
  });
}

TEST(FunctionValues, HLStoRGBChannels) {
  EXPECT_EQ(HLStoRGB(0, 128, 255), 0x0000FFu);
  EXPECT_EQ(HLStoRGB(85, 100, 200), 0x16B416u);  // (22, 180, 22)
  EXPECT_EQ(HLStoRGB(170, 255, 0), 0xFFFFFFu);
  EXPECT_EQ(HLStoRGB(170, 300, 0), 0xFFFFFFu);
  EXPECT_EQ(HLStoRGB(170, 200, 255), 0xFF9292u);  // M1 145 moves to 146, M2 255 stays
  // Chromatic results have only even channels below 255.
  for (int h = 0; h < 255; h += 17)
    for (int l = 10; l < 250; l += 40) {
      uint32_t c = HLStoRGB(h, l, 180);
      for (int k = 0; k < 3; ++k) {
        uint32_t v = (c >> (8 * k)) & 0xFF;
        EXPECT_TRUE(v == 255 || v % 2 == 0) << h << " " << l;
      }
    }
}

TEST(FunctionValues, RndStaysInRangeAndRepeatsAfterASeed) {
  SetExprRandomSeed(1);
  std::set<long double> seen;
  for (int i = 0; i < 600; ++i) {
    TResult r = Eval("Rnd(1,6)");
    ASSERT_EQ(r.Kind, vkNumber);
    ASSERT_GE(r.Value, 1);
    ASSERT_LE(r.Value, 6);
    ASSERT_EQ(r.Value, std::trunc(r.Value));
    seen.insert(r.Value);
  }
  EXPECT_EQ(seen.size(), 6u);
  SetExprRandomSeed(42);
  std::vector<long double> first;
  for (int i = 0; i < 5; ++i) first.push_back(Eval("Rnd(0,1000)").Value);
  SetExprRandomSeed(42);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Eval("Rnd(0,1000)").Value, first[i]);
  EXPECT_LE(Eval("Rnd(6,1)").Value, 6);  // bounds the other way round
  EXPECT_GE(Eval("Rnd(6,1)").Value, 1);
}

}  // namespace
}  // namespace zkw::test
