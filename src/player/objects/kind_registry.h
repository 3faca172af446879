// Object creation by kind code. Each object kind registers a factory for its code; the scene
// loader creates every object record through here, and a record of an unregistered kind fails
// the load.
#pragma once
#include <cstdint>

namespace zkw {

class TAnimateObj;

// Makes an empty object of one kind with its defaults and its `FStyle` set.
using TObjectFactory = TAnimateObj* (*)();

// Registers (or replaces, or with null removes) the factory of a kind code.
void RegisterObjectKind(uint8_t Code, TObjectFactory Factory);
bool IsObjectKindRegistered(uint8_t Code);
// The factory of a kind code, or null.
TObjectFactory ObjectKindFactory(uint8_t Code);
// A new object of the kind, or null when the code has no factory.
TAnimateObj* CreateObjectOfKind(uint8_t Code);
// Kind codes that files of versions 0x10000 and 0x20000 may hold: 0-3, 6-27 and 255.
bool IsOldFormatKind(uint8_t Code);

}  // namespace zkw
