// Export conventions: the platform's standard calling convention on Win32, C linkage, and a
// guard so that no C++ exception ever crosses the boundary.
#pragma once
#include <zkwgdi32.h>  // ZKWAPI, the calling convention

#include <cstdint>

#include "base/last_error.h"

#ifdef _WIN32
#define ZKW_EXPORT extern "C"
#else
#define ZKW_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace zkw {

// Runs an export's body; any exception becomes the export's failure value.
template <class R, class F>
R Guarded(R failure, F&& body) noexcept {
  try {
    return body();
  } catch (const std::exception& e) {
    SetLastErrorText(std::string("internal failure: ") + e.what());
  } catch (...) {
    SetLastErrorText("internal failure");
  }
  return failure;
}

template <class F>
void GuardedVoid(F&& body) noexcept {
  try {
    body();
  } catch (const std::exception& e) {
    SetLastErrorText(std::string("internal failure: ") + e.what());
  } catch (...) {
    SetLastErrorText("internal failure");
  }
}

}  // namespace zkw
