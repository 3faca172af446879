// Conversions between UTF-16 text and 8-bit text in the system's code page (CP_ACP).
#pragma once
#include <string>
#include <string_view>

#include "base/text16.h"

namespace zkw {

using ZStringView = std::basic_string_view<ZChar>;

// UTF-16 to the system's 8-bit code page, with the platform's best fit; units the code page
// cannot show become "?".
std::string ToAnsi(ZStringView text);
// The system's 8-bit code page to UTF-16.
ZString FromAnsi(std::string_view text);

}  // namespace zkw
