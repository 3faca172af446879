// Per-thread text that says why the last failing reader or writer refused its input. Results
// stay the documented ones (0, false, empty); this only adds the reason.
#pragma once
#include <string>

namespace zkw {

void SetLastErrorText(std::string text);
const std::string& LastErrorText();
void ClearLastErrorText();

}  // namespace zkw
