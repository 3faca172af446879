#include "equation/items_scripts.h"

namespace zkw {

void TSquareRoot::InitDefaults() {
  TEquationItem::InitDefaults();
  FStyle = 0;
  CreateChildren(2);
}

}  // namespace zkw
