// Portable message boxes: nothing is shown; each call is recorded and answered with IDOK.
#include "platform/portable/message_box_log.h"

namespace plat {

namespace {
std::vector<portable::TMessageBoxCall>& Log() {
  static std::vector<portable::TMessageBoxCall> calls;
  return calls;
}
zkw::ZString Copy(LPCWSTR text) { return text ? zkw::ZString(text) : zkw::ZString(); }
}  // namespace

int MessageBoxW(HWND window, LPCWSTR text, LPCWSTR caption, UINT type) {
  Log().push_back({window, Copy(text), Copy(caption), type});
  return IDOK;
}

namespace portable {
const std::vector<TMessageBoxCall>& MessageBoxCalls() { return Log(); }
void ClearMessageBoxCalls() { Log().clear(); }
}  // namespace portable

}  // namespace plat
