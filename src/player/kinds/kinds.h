// The interactive, text, data and container kinds of scenes, registered by kind code.
#pragma once
#include <array>

#include "player/objects/kind_registry.h"

namespace zkw {

// Puts the factories of kinds 12, 25-28, 30-37, 39, 40, 42, 43 and 255 into the table.
void RegisterSceneKinds(std::array<TObjectFactory, 256>& table);

}  // namespace zkw
