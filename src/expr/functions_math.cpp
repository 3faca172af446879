// Mathematics (codes 6-20): one number in, a number out. The argument's kind is not checked:
// whatever the argument list evaluates to, its numeric slot is used.
#include <cmath>

#include "expr/functions_support.h"

namespace zkw {

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

// The value of the whole argument list, taken as a number.
long double Arg(const TToken& Call, const TProccessInfo& Info) {
  long double v = 0;
  std::string t;
  EvaluateSingleArgument(Call, Info, v, t);
  return v;
}

#define MATH_FUNCTION(NAME, EXPR)                                                         \
  uint8_t NAME(const TToken& Call, const TProccessInfo& Info, long double& Value,        \
               std::string&) {                                                           \
    const long double x = Arg(Call, Info);                                               \
    Value = (EXPR);                                                                      \
    return vkNumber;                                                                     \
  }

// Sine over cosine, 0 where the cosine is 0; cotangent likewise.
long double Tangent(long double x) {
  long double c = std::cos(x);
  return c == 0 ? 0 : std::sin(x) / c;
}
long double Cotangent(long double x) {
  long double s = std::sin(x);
  return s == 0 ? 0 : std::cos(x) / s;
}

// Arcsine and arccosine over the whole domain [-1, 1]; 0 outside it (also for NaN).
long double ArcSin(long double x) { return x >= -1 && x <= 1 ? std::asin(x) : 0; }
long double ArcCos(long double x) { return x >= -1 && x <= 1 ? std::acos(x) : 0; }
// Square root and logarithm where they are real numbers; 0 elsewhere.
long double SquareRoot(long double x) { return x >= 0 ? std::sqrt(x) : 0; }
long double NaturalLog(long double x) { return x > 0 ? std::log(x) : 0; }

MATH_FUNCTION(FnInt, std::trunc(x))
MATH_FUNCTION(FnRound, std::nearbyint(x))
MATH_FUNCTION(FnSin, std::sin(x))
MATH_FUNCTION(FnCos, std::cos(x))
MATH_FUNCTION(FnTan, Tangent(x))
MATH_FUNCTION(FnCotan, Cotangent(x))
MATH_FUNCTION(FnAbs, std::fabs(x))
MATH_FUNCTION(FnArcTan, std::atan(x))
MATH_FUNCTION(FnArcSin, ArcSin(x))
MATH_FUNCTION(FnArcCos, ArcCos(x))
MATH_FUNCTION(FnSqr, x * x)
MATH_FUNCTION(FnSqrt, SquareRoot(x))
MATH_FUNCTION(FnLn, NaturalLog(x))
MATH_FUNCTION(FnRadian, x * kPi / 180)

#undef MATH_FUNCTION

// "Pi()": no argument is evaluated.
uint8_t FnPi(const TToken&, const TProccessInfo&, long double& Value, std::string&) {
  Value = kPi;
  return vkNumber;
}

const TFunctionBinding kMath[] = {
    {6, FnInt},     {7, FnRound},   {8, FnSin},     {9, FnCos},      {10, FnTan},
    {11, FnCotan},  {12, FnAbs},    {13, FnPi},     {14, FnArcTan},  {15, FnArcSin},
    {16, FnArcCos}, {17, FnSqr},    {18, FnSqrt},   {19, FnLn},      {20, FnRadian},
};

}  // namespace

TFunctionGroup MathFunctions() { return {kMath, std::size(kMath)}; }

}  // namespace zkw
