// UTF-16 text as it crosses the export boundary: wchar_t on Windows, char16_t on Linux.
#pragma once
#include <string>

#include "base/wide_char.h"

namespace zkw {

using ZString = std::basic_string<ZChar>;

// Length of a zero-terminated UTF-16 text; 0 for null.
size_t ZLength(const ZChar* text);
// UTF-16 to UTF-8 (unpaired surrogates become U+FFFD).
std::string ToUtf8(const ZChar* text);
std::string ToUtf8(const ZString& text);
// UTF-8 to UTF-16 (invalid bytes become U+FFFD).
ZString FromUtf8(const std::string& text);

}  // namespace zkw
