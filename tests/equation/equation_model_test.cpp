// The equation tree: classes with their children and defaults, setters passed down the tree,
// the row operations and the cell grid.
#include <gtest/gtest.h>

#include "equation/equation_defaults.h"
#include "support/equation_builders.h"
#include "support/test_support.h"

namespace {

using zkw::TEquation;
using zkwtest::Z;

// Child font sizes of a class's new item in a 12-point row, as "12,8,8".
std::string ChildSizes(zkw::TEquationItem& item) {
  std::string sizes;
  for (int32_t i = 0; i < item.ChildCount(); ++i)
    sizes += (i ? "," : "") + std::to_string(item.GetItem(i)->FFontID.ftSize);
  return sizes;
}

TEST(EquationModel, ClassesHaveTheirNamesChildrenAndChildSizes) {
  struct Row {
    int32_t code;
    const char* name;
    const char* sizes;  // of the children in a 12-point row; "" for none
  };
  const Row rows[] = {
      {1, "TSimpleExpr", ""}, {2, "TFraction", "12,12"}, {3, "TSquareRoot", "12,9"},
      {4, "TIntegral", "12,8,8"}, {8, "TSimpleSuper", "8"}, {9, "TSimpleSub", "8"},
      {10, "TSpecialChar", ""}, {11, "TFence", "12,12,12"}, {12, "TAbsolute", "12,12,12"},
      {13, "TSimpleVector", ""}, {14, "TEquationSystem", "12,12"}, {15, "TArrayEquation", "12,12"},
      {16, "TDeterminant", "12,12"}, {17, "TFractionEx", "12,12,12"}, {18, "T3SubOtherwise", "12,8,8"},
      {19, "TSimpleAngle", ""}, {20, "TSimpleArc", ""}, {21, "TSimpleValue", ""},
      {22, "TEquationOr", "12,12"}, {24, "TArrow", "9,9"}, {25, "TSpecialArrow", ""},
      {26, "TMultiIntegral", "12,8,8"}, {27, "TRightIntegral", "12,8,8"}, {28, "TLim", "12,9"},
      {29, "TCos", "12"}, {30, "TLog", "12,12"}, {31, "TAngleVecto", "12"},
      {32, "TIntegralEx", "12,8,8"}, {34, "TArcVecto", "12"}, {35, "TMinMax", "12,12,12"},
      {36, "TBracketHor", "12,12"}, {37, "TSign", ""}, {38, "TSimpleValueEx", "12,8"},
      {39, "TSimpleVectorEx", "12,8"}, {42, "TSpecialCharEx", ""}, {43, "TSimpleAngleEx", "12"},
      {44, "TSimpleRect", "12"}, {45, "TArrowEx", "9,9"}, {46, "TArrayEquationEx", "12,12,12,12"},
      {47, "TSimpleArcEx", "12"},
  };
  ASSERT_EQ(std::size(rows), zkwtest::EquationClassCodes().size());
  for (const Row& row : rows) {
    TEquation e;
    e.SetFontSize(12);
    e.Add(zkw::NewEquationItem(row.code).release());
    zkw::TEquationItem& item = *e.GetItem(0);
    EXPECT_EQ(item.ClassCode(), row.code);
    EXPECT_STREQ(item.ClassName(), row.name);
    EXPECT_EQ(ChildSizes(item), row.sizes) << row.name;
    EXPECT_EQ(item.FVersion, 0x20000) << row.name;
  }
  for (int32_t code : {0, 5, 6, 7, 23, 33, 40, 41, 48, -1}) EXPECT_EQ(zkw::NewEquationItem(code), nullptr) << code;
  // Halves go to even: three quarters of 10 is 8, of 14 is 10; two thirds of 10 is 7.
  EXPECT_EQ(zkw::ScaledFontSize(10, zkw::TChildScale::csThreeQuarter), 8);
  EXPECT_EQ(zkw::ScaledFontSize(14, zkw::TChildScale::csThreeQuarter), 10);
  EXPECT_EQ(zkw::ScaledFontSize(10, zkw::TChildScale::csSmall), 7);
}

TEST(EquationModel, DefaultsAndStyleSetters) {
  zkw::TIntegral integral;
  EXPECT_EQ(integral.FCharCode, 242);
  EXPECT_FALSE(integral.FSuper || integral.FSub);
  integral.SetStyle(1);
  EXPECT_TRUE(integral.FSuper && integral.FSub);
  EXPECT_EQ(zkw::T3SubOtherwise().FCharCode, 229);
  EXPECT_TRUE(zkw::TRightIntegral().FSuper && zkw::TRightIntegral().FSub);
  zkw::TSpecialChar symbol;
  EXPECT_EQ(symbol.FFaceName, "Symbol");
  EXPECT_EQ(symbol.FCharCode, 32);
  EXPECT_EQ(symbol.FFontHeight, 16);
  EXPECT_EQ(zkw::TSpecialCharEx().FAngle, 180);
  EXPECT_EQ(zkw::TIntegralEx().FIntegalHeight, 20);

  const std::pair<int, std::pair<int, int>> fences[] = {{1, {40, 41}}, {2, {91, 93}}, {3, {123, 125}},
                                                         {4, {91, 41}}, {5, {40, 93}}, {13, {225, 241}}};
  for (const auto& f : fences) {
    zkw::TFence fence;
    fence.SetFenceStyle(static_cast<uint8_t>(f.first));
    EXPECT_EQ(fence.FLCharCode, f.second.first) << f.first;
    EXPECT_EQ(fence.FRCharCode, f.second.second) << f.first;
  }
  const char* names[] = {"cos", "sin", "tg", "cotg", "arccos", "arcsin", "arctg", "arccotg"};
  zkw::TCos cos;
  for (int style = 1; style <= 8; ++style) {
    cos.SetStyle(static_cast<uint8_t>(style));
    EXPECT_EQ(cos.FStr, names[style - 1]);
  }
  cos.SetStyle(9);
  EXPECT_EQ(cos.FStr, "arccotg");
  zkw::TLog log;
  log.SetStyle(2);
  EXPECT_EQ(log.FStr, "ln");
  log.SetStyle(1);
  EXPECT_EQ(log.FStr, "log");
  zkw::TAbsolute bars;
  bars.SetNumClass(0);
  EXPECT_EQ(bars.FNumClass, 1);

  // Nested integrals take the lock of the outer one's FMain.
  zkw::TIntegralEx outer;
  auto* inner = new zkw::TIntegralEx;
  auto* innermost = new zkw::TIntegralEx;
  inner->AddMainExpr(innermost);
  outer.AddMainExpr(inner);
  outer.SetMain(false);
  EXPECT_FALSE(inner->FLockHeight || innermost->FLockHeight);
  outer.SetMain(true);
  EXPECT_TRUE(inner->FLockHeight && innermost->FLockHeight);

  // Texts: apostrophe and hyphen replaced, cut at 101 units and at a zero.
  zkw::TSimpleExpr text(Z("it's a-b"));
  EXPECT_EQ(text.FExpr, Z("it’s a–b"));
  text.SetExpr(zkw::ZString(150, 'x'));
  EXPECT_EQ(text.FExpr.size(), 101u);
  text.SetExpr(Z("ab") + zkw::ZString(1, 0) + Z("cd"));
  EXPECT_EQ(text.FExpr, Z("ab"));
}

TEST(EquationModel, RowOperationsAndSettingsPassDownTheTree) {
  zkw::SetEquationDefaultColors(0x111111, 0x222222);
  TEquation e;
  EXPECT_EQ(e.FColor, 0x111111u);
  auto* fraction = new zkw::TFraction;
  EXPECT_EQ(fraction->FTextColor, 0x222222u);
  zkw::ResetEquationDefaults();
  EXPECT_EQ(zkw::EquationDefaults().FColor, 0u);
  EXPECT_EQ(zkw::EquationDefaults().FPlaceholderHeight, 18);

  auto* numerator = zkwtest::TextItem("n");
  fraction->NAdd(numerator);
  e.Add(fraction);
  e.Insert(-5, zkwtest::TextItem("first"));
  e.Insert(99, zkwtest::TextItem("last"));
  e.Add(nullptr);
  e.Delete(7);
  e.Delete(-1);
  ASSERT_EQ(e.Count(), 3);
  EXPECT_EQ(static_cast<zkw::TSimpleExpr*>(e.GetItem(0))->FExpr, Z("first"));
  EXPECT_EQ(static_cast<zkw::TSimpleExpr*>(e.GetItem(2))->FExpr, Z("last"));
  EXPECT_EQ(e.GetItem(3), nullptr);
  EXPECT_EQ(fraction->FParentObj, &e);
  EXPECT_EQ(numerator->FParentObj, fraction->GetItem(0));
  EXPECT_EQ(fraction->GetItem(0)->FParentObj, fraction);
  EXPECT_EQ(fraction->GetIndex(fraction->GetItem(1)), 1);
  EXPECT_EQ(fraction->GetIndex(&e), -1);

  int dc = 0;
  e.SetColor(0x0000FF);
  e.SetTextColor(0x00FF00);
  e.SetDC(&dc);
  e.SetResolution(120);
  e.SetUseDibFont(true);
  e.SetDibFontManager(reinterpret_cast<zkw::TDibFontManager*>(&dc));
  e.SetFontName("Courier New");
  e.SetFontSize(18);
  e.SetVersion(0x10000);
  EXPECT_EQ(numerator->FColor, 0x0000FFu);
  EXPECT_EQ(numerator->FTextColor, 0x00FF00u);
  EXPECT_EQ(numerator->FDC, &dc);
  EXPECT_EQ(numerator->FResolution, 120);
  EXPECT_TRUE(numerator->FUseDibFont);
  EXPECT_EQ(static_cast<void*>(numerator->FDibFontManager), &dc);
  EXPECT_EQ(zkw::FaceName(numerator->FFontID), "Courier New");
  EXPECT_EQ(numerator->FVersion, 0x10000);
  auto* power = new zkw::TSimpleSuper;
  e.Add(power);
  EXPECT_EQ(power->GetItem(0)->FFontID.ftSize, 12);
  EXPECT_EQ(power->FSize, 18);

  // Face names are cut at 128 characters.
  e.SetFontName(std::string(200, 'F'));
  EXPECT_EQ(zkw::FaceName(e.FFontID).size(), 128u);
  EXPECT_EQ(e.FFontID.ftFaceName[128], 0);
}

TEST(EquationModel, GridCellsColumnsAndRows) {
  zkw::TArrayEquationEx grid;
  EXPECT_EQ(grid.FRow, 2);
  EXPECT_EQ(grid.FCol, 2);
  EXPECT_EQ(grid.FSpacing, 15);
  EXPECT_EQ(grid.ChildCount(), 4);
  zkw::TEquation* column = grid.AddColumnEq();
  ASSERT_NE(column, nullptr);
  EXPECT_EQ(column, grid.Cell(1, 3));
  EXPECT_EQ(column->Count(), 0);
  EXPECT_EQ(static_cast<zkw::TSimpleExpr*>(grid.Cell(2, 3)->GetItem(0))->FExpr, Z("C2"));
  zkw::TEquation* row = grid.AddRowEq();
  EXPECT_EQ(row, grid.Cell(3, 1));
  EXPECT_EQ(row->Count(), 0);
  EXPECT_EQ(static_cast<zkw::TSimpleExpr*>(grid.Cell(3, 2)->GetItem(0))->FExpr, Z("B3"));
  EXPECT_EQ(static_cast<zkw::TSimpleExpr*>(grid.Cell(3, 3)->GetItem(0))->FExpr, Z("C3"));
  EXPECT_EQ(zkw::GridCellName(1, 2), Z("B1"));
  EXPECT_EQ(zkw::GridCellName(2, 1), Z("A2"));

  grid.AddEqItem(zkwtest::TextItem("x"), 2, 3);
  auto* lost = zkwtest::TextItem("lost");  // outside the grid: nothing happens, the caller keeps it
  grid.AddEqItem(lost, 4, 1);
  grid.AddEqItem(lost, 1, 0);
  delete lost;
  EXPECT_EQ(grid.Cell(2, 3)->Count(), 2);
  grid.Add(zkwtest::TextItem("y"), 0);
  EXPECT_EQ(grid.Cell(1, 1)->Count(), 1);
  EXPECT_EQ(grid.Cell(0, 1), nullptr);
  EXPECT_EQ(grid.Cell(1, 4), nullptr);

  // 100 columns and 100 rows at most.
  while (grid.FCol < 100) ASSERT_NE(grid.AddColumnEq(), nullptr);
  EXPECT_EQ(grid.AddColumnEq(), nullptr);
  EXPECT_EQ(grid.FCol, 100);
  while (grid.FRow < 100) ASSERT_NE(grid.AddRowEq(), nullptr);
  EXPECT_EQ(grid.AddRowEq(), nullptr);
  EXPECT_EQ(grid.ChildCount(), 100 * 100);

  // A deleted cell is written as an empty one.
  zkw::TArrayEquationEx small;
  small.Cell(1, 1)->Add(zkwtest::TextItem("gone"));
  small.Delete(0);
  EXPECT_EQ(small.Cell(1, 1), nullptr);
  TEquation e;
  e.Add(new zkw::TArrayEquationEx);
  const int64_t size = e.StreamSize();
  static_cast<zkw::TArrayEquationEx*>(e.GetItem(0))->Delete(0);
  EXPECT_EQ(e.StreamSize(), size);
  EXPECT_EQ(static_cast<int64_t>(zkwtest::StreamBytes(e).size()), size);
}

}  // namespace
