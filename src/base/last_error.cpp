#include "base/last_error.h"

namespace zkw {

static thread_local std::string tLastError;

void SetLastErrorText(std::string text) { tLastError = std::move(text); }
const std::string& LastErrorText() { return tLastError; }
void ClearLastErrorText() { tLastError.clear(); }

}  // namespace zkw
