#include "equation/form_io.h"

#include "base/last_error.h"

namespace zkw {

bool TEqReader::Refuse(const std::string& reason) {
  SetLastErrorText(reason);
  return false;
}

bool TEqReader::Enter() {
  if (++FDepth > kMaxEquationDepth)
    return Refuse("equations nest deeper than " + std::to_string(kMaxEquationDepth) + " levels " + Where());
  return true;
}

}  // namespace zkw
