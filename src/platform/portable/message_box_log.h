// Portable back end only: the message boxes asked for, recorded in order instead of shown,
// so that tests can read what the library would have told the user.
#pragma once
#include <vector>

#include "base/text16.h"
#include "platform/plat.h"

namespace plat::portable {

struct TMessageBoxCall {
  HWND Window;
  zkw::ZString Text;
  zkw::ZString Caption;
  UINT Type;
};

// Every MessageBoxW call since the last clear, oldest first.
const std::vector<TMessageBoxCall>& MessageBoxCalls();
void ClearMessageBoxCalls();

}  // namespace plat::portable
