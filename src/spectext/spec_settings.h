// Process-wide markup settings: the formula face and the highlight colours of the GDI and
// DIB paths. Unguarded, like all process-wide state of the library.
#pragma once
#include <cstdint>

#include "base/text16.h"

namespace zkw {

// Longest formula face kept.
constexpr size_t kMaxFormulaFace = 256;

struct TSpecTextSettings {
  ZString FormulaFace;   // empty: "~F" has no effect
  uint32_t GdiColorA = 0;  // "~N" on GDI
  uint32_t GdiColorB = 0;  // "~M" on GDI
  uint32_t DibColorA = 0;  // "~N" on a DIB canvas
  uint32_t DibColorB = 0;  // "~M" on a DIB canvas
};

TSpecTextSettings& SpecTextSettings();
// Keeps at most kMaxFormulaFace characters of the face; null clears it.
void SetFormulaFace(const ZChar* Face);
// Back to the state at load time (used by tests).
void ResetSpecTextSettings();

}  // namespace zkw
