// Items by class code, as the readers meet them.
#include "equation/equation_item.h"
#include "equation/items.h"

namespace zkw {

std::unique_ptr<TEquationItem> NewEquationItem(int32_t code) {
  switch (code) {
    case 1: return std::make_unique<TSimpleExpr>();
    case 2: return std::make_unique<TFraction>();
    case 3: return std::make_unique<TSquareRoot>();
    case 4: return std::make_unique<TIntegral>();
    case 8: return std::make_unique<TSimpleSuper>();
    case 9: return std::make_unique<TSimpleSub>();
    case 10: return std::make_unique<TSpecialChar>();
    case 11: return std::make_unique<TFence>();
    case 12: return std::make_unique<TAbsolute>();
    case 13: return std::make_unique<TSimpleVector>();
    case 14: return std::make_unique<TEquationSystem>();
    case 15: return std::make_unique<TArrayEquation>();
    case 16: return std::make_unique<TDeterminant>();
    case 17: return std::make_unique<TFractionEx>();
    case 18: return std::make_unique<T3SubOtherwise>();
    case 19: return std::make_unique<TSimpleAngle>();
    case 20: return std::make_unique<TSimpleArc>();
    case 21: return std::make_unique<TSimpleValue>();
    case 22: return std::make_unique<TEquationOr>();
    case 24: return std::make_unique<TArrow>();
    case 25: return std::make_unique<TSpecialArrow>();
    case 26: return std::make_unique<TMultiIntegral>();
    case 27: return std::make_unique<TRightIntegral>();
    case 28: return std::make_unique<TLim>();
    case 29: return std::make_unique<TCos>();
    case 30: return std::make_unique<TLog>();
    case 31: return std::make_unique<TAngleVecto>();
    case 32: return std::make_unique<TIntegralEx>();
    case 34: return std::make_unique<TArcVecto>();
    case 35: return std::make_unique<TMinMax>();
    case 36: return std::make_unique<TBracketHor>();
    case 37: return std::make_unique<TSign>();
    case 38: return std::make_unique<TSimpleValueEx>();
    case 39: return std::make_unique<TSimpleVectorEx>();
    case 42: return std::make_unique<TSpecialCharEx>();
    case 43: return std::make_unique<TSimpleAngleEx>();
    case 44: return std::make_unique<TSimpleRect>();
    case 45: return std::make_unique<TArrowEx>();
    case 46: return std::make_unique<TArrayEquationEx>();
    case 47: return std::make_unique<TSimpleArcEx>();
    default: return nullptr;
  }
}

}  // namespace zkw
