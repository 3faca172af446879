// A variable name of a prepared formula or script line bound to the variable a look-up by name
// would find: the first of that name in the local list, else in the scene's, else in the
// application's. Bindable lists only grow at the end and get a new serial when emptied or made,
// so the binding holds while the lists are the same, with the same serials, and each list the
// look-up passed without a match still has the count it had. A formula run with other lists
// (another run, a recursive call) looks the name up again.
#pragma once
#include <cstdint>
#include <string>

#include "expr/expr_host.h"

namespace zkw {

struct TVariableSlot {
  TExprVariable* Rec = nullptr;  // null: not bound
  const TExprVariables* Local = nullptr;
  uint64_t LocalSerial = 0, GlobalSerial = 0, AppSerial = 0;  // 0: no list
  int32_t LocalCount = 0, GlobalCount = 0;
  uint8_t Where = 0;  // 1 local, 2 scene, 3 application
};

// The variable Name resolves to through the three lists (any may be null), through the slot's
// binding while it holds; null when there is none or a list on the way cannot be bound.
TExprVariable* BindVariable(const TExprVariables* Local, const TExprVariables* Global, const TExprVariables* App,
                            TVariableSlot& Slot, const std::string& Name);

// The common case inline: a bound local variable of the same list costs one comparison.
inline TExprVariable* SlotVariable(const TExprVariables* Local, const TExprVariables* Global,
                                   const TExprVariables* App, TVariableSlot& Slot, const std::string& Name) {
  if (Slot.Where == 1 && Local == Slot.Local && Local->BindSerial == Slot.LocalSerial) return Slot.Rec;
  return BindVariable(Local, Global, App, Slot, Name);
}

}  // namespace zkw
