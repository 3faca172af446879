#include "player/objects/kind_registry.h"

#include <array>

#include "player/kinds/kinds.h"
#include "player/objects/animate_obj.h"

namespace zkw {

namespace {

// The library's own kinds. Each kind adds its line here: {code, factory}.
void RegisterBuiltInObjectKinds(std::array<TObjectFactory, 256>& table) { RegisterSceneKinds(table); }

std::array<TObjectFactory, 256>& Factories() {
  static std::array<TObjectFactory, 256> table = [] {
    std::array<TObjectFactory, 256> t{};
    RegisterBuiltInObjectKinds(t);
    return t;
  }();
  return table;
}

}  // namespace

void RegisterObjectKind(uint8_t Code, TObjectFactory Factory) { Factories()[Code] = Factory; }

bool IsObjectKindRegistered(uint8_t Code) { return Factories()[Code] != nullptr; }

TObjectFactory ObjectKindFactory(uint8_t Code) { return Factories()[Code]; }

TAnimateObj* CreateObjectOfKind(uint8_t Code) {
  TObjectFactory f = Factories()[Code];
  if (!f) return nullptr;
  TAnimateObj* obj = f();
  if (obj) obj->FStyle = Code;
  return obj;
}

bool IsOldFormatKind(uint8_t Code) { return Code <= 3 || (Code >= 6 && Code <= 27) || Code == 255; }

}  // namespace zkw
