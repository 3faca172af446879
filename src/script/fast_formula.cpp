// The numeric shortcut of script parameters (see fast_formula.h) and the variable slots of
// prepared lines.
#include "script/fast_formula.h"

#include <cmath>

#include "expr/names.h"
#include "player/scene/dib_animator.h"
#include "script/exec_internal.h"

namespace zkw {

namespace {

bool FastOperator(uint8_t Op) {
  return Op == opNone || Op == opAdd || Op == opSub || Op == opMul || Op == opDiv ||
         (Op >= opGreater && Op <= opLessEqual);
}

// A token that reads a plain variable ("$name", no property part).
bool PlainVariable(const TToken& T) {
  return T.ttkType == vkProperty && !T.ttkChildExpr && !T.ttkString.empty() &&
         T.ttkString[0] == '$' && T.ttkObjStyle == osVariable && T.ttkFunction == 0 &&
         T.ttkFieldname.empty();
}

// True when a "." follows a name in Text ("$v.XPos", "$v.Unknown"): that reaches an object.
bool NameWithDot(const std::string& Text) {
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] != '.') continue;
    size_t j = i;
    bool digits = true;
    while (j > 0) {
      char c = Text[j - 1];
      bool word = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                  c == '_' || c == '$' || c == '@' || static_cast<unsigned char>(c) >= 128;
      if (!word) break;
      if (c < '0' || c > '9') digits = false;
      --j;
    }
    if (!digits) return true;
  }
  return false;
}

bool Compare(uint8_t Op, int Order) {
  switch (Op) {
    case opGreater: return Order > 0;
    case opLess: return Order < 0;
    case opEqual: return Order == 0;
    case opNotEqual: return Order != 0;
    case opGreaterEqual: return Order >= 0;
    default: return Order <= 0;
  }
}

// Operator Op between the accumulator and a number (kind 2) or logical (kind 5) value, as the
// expression evaluator applies it.
inline void Apply(uint8_t Op, uint8_t K, long double V, uint8_t& Kind, long double& Acc) {
  switch (Op) {
    case opNone: return;
    case opAdd: if (K == vkNumber) Acc += V; return;
    case opSub: Acc -= V; return;
    case opMul: Acc *= V; return;
    case opDiv: if (V != 0) Acc /= V; return;
    default: break;
  }
  if (K == vkNumber) {
    bool unordered = std::isnan(Acc) || std::isnan(V);
    int order = Acc < V ? -1 : (Acc > V ? 1 : 0);
    Acc = !unordered && Compare(Op, order) ? 1 : (unordered && Op == opNotEqual ? 1 : 0);
  }
  Kind = vkLogical;
}

// The first variable named Name in List, or null (List may be null).
TVariableRec* In(const TVariableList* List, const std::string& Name) {
  return List ? List->GetVar(Name) : nullptr;
}

}  // namespace

TVariableRec* SlotLookUp(const TBlockRun& Run, TVarSlot& Slot, const std::string& Name) {
  const TVariableList* local = Run.Vars;
  const TVariableList* global = &Run.Ani->GlobalVarList;
  const TVariableList* app = Run.Ani->AppVarList.get();
  uint64_t localSerial = local ? local->Serial : 0, appSerial = app ? app->Serial : 0;
  int32_t localCount = local ? local->Count() : 0;
  // The binding holds while no list it passed without a match has grown or been renewed.
  if (Slot.Rec && Slot.LocalSerial == localSerial) {
    if (Slot.Where == 1) return Slot.Rec;
    if (Slot.LocalCount == localCount && Slot.GlobalSerial == global->Serial) {
      if (Slot.Where == 2) return Slot.Rec;
      if (Slot.GlobalCount == global->Count() && Slot.AppSerial == appSerial) return Slot.Rec;
    }
  }
  Slot = TVarSlot{};
  Slot.LocalSerial = localSerial;
  Slot.LocalCount = localCount;
  Slot.GlobalSerial = global->Serial;
  Slot.GlobalCount = global->Count();
  Slot.AppSerial = appSerial;
  if ((Slot.Rec = In(local, Name))) Slot.Where = 1;
  else if ((Slot.Rec = In(global, Name))) Slot.Where = 2;
  else if ((Slot.Rec = In(app, Name))) Slot.Where = 3;
  return Slot.Rec;
}

std::unique_ptr<TFastFormula> TFastFormula::Compile(const TFormula* F, const std::string& Text) {
  if (!F || NameWithDot(Text)) return nullptr;
  auto fast = std::unique_ptr<TFastFormula>(new TFastFormula());
  if (!fast->Add(F)) return nullptr;
  return fast;
}

// Appends the items of one level (a group's items follow the group item); false when a token
// does not qualify.
bool TFastFormula::Add(const TFormula* F) {
  if (!F->First()) return false;
  for (const TToken* t = F->First(); t; t = TFormula::Next(t)) {
    if (!FastOperator(t->ttkOperator)) return false;
    TItem item;
    item.Op = t->ttkOperator;
    if (t->ttkChildExpr) {
      if (t->ttkType != vkNumber && t->ttkType != vkProperty) return false;
      size_t at = Items.size();
      item.Source = srGroup;
      Items.push_back(item);
      if (!Add(t->ttkChildExpr.get())) return false;
      Items[at].End = static_cast<uint32_t>(Items.size());
      continue;
    }
    if (t->ttkType == vkNumber) {
      item.Value = t->ttkValue;
    } else if (PlainVariable(*t)) {
      item.Source = srVariable;
      size_t slot = 0;
      while (slot < Names.size() && !SameName(Names[slot], t->ttkString)) ++slot;
      if (slot == Names.size()) {
        if (slot > 0xFFFF) return false;
        Names.push_back(t->ttkString);
        Slots.emplace_back();
      }
      item.Slot = static_cast<uint16_t>(slot);
    } else {
      return false;
    }
    Items.push_back(item);
  }
  return true;
}

// The value of the item at I (a group: of its items); advances I past it. False: give up.
inline bool TFastFormula::Operand(const TBlockRun& Run, uint32_t& I, long double& V, uint8_t& K) {
  const TItem& item = Items[I];
  if (item.Source == srNumber) {
    V = item.Value;
    ++I;
    return true;
  }
  if (item.Source == srVariable) {
    TVariableRec* var = SlotVariable(Run, Slots[item.Slot], Names[item.Slot]);
    if (!var || var->VarType == 3) return false;
    V = var->Value;
    ++I;
    return true;
  }
  I = item.End;
  return Level(Run, static_cast<uint32_t>(&item - Items.data()) + 1, item.End, V, K);
}

// Evaluates the level of items Begin..End-1 left to right, as TFormula::GetValue does.
bool TFastFormula::Level(const TBlockRun& Run, uint32_t Begin, uint32_t End, long double& Value,
                         uint8_t& Kind) {
  uint32_t i = Begin;
  uint8_t kind = vkNumber;
  long double acc;
  if (!Operand(Run, i, acc, kind)) return false;
  uint8_t pending = Items[Begin].Op;
  while (i < End) {
    long double v;
    uint8_t k = vkNumber;
    uint32_t at = i;
    if (!Operand(Run, i, v, k)) return false;
    Apply(pending, k, v, kind, acc);
    pending = Items[at].Op;
  }
  Value = acc;
  Kind = kind;
  return true;
}

bool TFastFormula::Evaluate(const TBlockRun& Run, long double& Value, uint8_t& Kind) {
  return Level(Run, 0, static_cast<uint32_t>(Items.size()), Value, Kind);
}

}  // namespace zkw
