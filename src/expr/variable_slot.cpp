#include "expr/variable_slot.h"

namespace zkw {

namespace {

uint64_t SerialOf(const TExprVariables* List) { return List ? List->BindSerial : 0; }
int32_t CountOf(const TExprVariables* List) { return List ? List->BindCount() : 0; }

}  // namespace

TExprVariable* BindVariable(const TExprVariables* Local, const TExprVariables* Global, const TExprVariables* App,
                            TVariableSlot& Slot, const std::string& Name) {
  // A list that cannot be bound (serial 0) is looked up by name by the caller.
  for (const TExprVariables* list : {Local, Global, App})
    if (list && list->BindSerial == 0) return nullptr;
  const uint64_t localSerial = SerialOf(Local), globalSerial = SerialOf(Global), appSerial = SerialOf(App);
  if (Slot.Rec && Slot.Local == Local && Slot.LocalSerial == localSerial) {
    if (Slot.Where == 1) return Slot.Rec;
    if (Slot.LocalCount == CountOf(Local) && Slot.GlobalSerial == globalSerial) {
      if (Slot.Where == 2) return Slot.Rec;
      if (Slot.GlobalCount == CountOf(Global) && Slot.AppSerial == appSerial) return Slot.Rec;
    }
  }
  Slot = TVariableSlot{};
  Slot.Local = Local;
  Slot.LocalSerial = localSerial;
  Slot.LocalCount = CountOf(Local);
  Slot.GlobalSerial = globalSerial;
  Slot.GlobalCount = CountOf(Global);
  Slot.AppSerial = appSerial;
  if (Local && (Slot.Rec = Local->FindBindable(Name))) Slot.Where = 1;
  else if (Global && (Slot.Rec = Global->FindBindable(Name))) Slot.Where = 2;
  else if (App && (Slot.Rec = App->FindBindable(Name))) Slot.Where = 3;
  return Slot.Rec;
}

}  // namespace zkw
