#include "equation/equation_defaults.h"

namespace zkw {

TEquationDefaults& EquationDefaults() {
  static TEquationDefaults defaults;
  return defaults;
}

void SetEquationDefaultColors(plat::COLORREF lineColor, plat::COLORREF textColor) {
  EquationDefaults().FColor = lineColor;
  EquationDefaults().FTextColor = textColor;
}

void ResetEquationDefaults() { EquationDefaults() = TEquationDefaults(); }

}  // namespace zkw
