// The one set of markup settings of the process.
#include "spectext/spec_settings.h"

namespace zkw {

TSpecTextSettings& SpecTextSettings() {
  static TSpecTextSettings settings;
  return settings;
}

void SetFormulaFace(const ZChar* Face) {
  ZString& face = SpecTextSettings().FormulaFace;
  face.clear();
  if (!Face) return;
  for (size_t i = 0; i < kMaxFormulaFace && Face[i]; ++i) face += Face[i];
}

void ResetSpecTextSettings() { SpecTextSettings() = TSpecTextSettings{}; }

}  // namespace zkw
