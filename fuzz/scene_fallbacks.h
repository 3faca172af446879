// Shared by the scene targets: codes without a registered kind read as the plain common record,
// so that every object record is reached, and object scripts never run (they could touch files).
#pragma once
#include <cstdint>

#include "player/objects/animate_obj.h"
#include "player/objects/kind_registry.h"

namespace fuzzscene {

inline zkw::TAnimateObj* PlainObject() { return new zkw::TAnimateObj(); }
inline void NoScripts(zkw::TDibAnimator*, zkw::TAnimateObj*, zkw::TScriptList*, int32_t) {}

// Registers the fallbacks once; call it from the target's first input.
inline bool RegisterFallbacks() {
  zkw::gEventScriptRunner = NoScripts;
  for (int code = 0; code < 256; ++code)
    if (!zkw::IsObjectKindRegistered(static_cast<uint8_t>(code)))
      zkw::RegisterObjectKind(static_cast<uint8_t>(code), PlainObject);
  return true;
}

}  // namespace fuzzscene
