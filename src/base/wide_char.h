// The UTF-16 code unit of text as it crosses the export boundary and as the platform's wide
// text functions take it: wchar_t on Windows, char16_t on Linux.
#pragma once

namespace zkw {

#ifdef _WIN32
using ZChar = wchar_t;
#else
using ZChar = char16_t;
#endif

}  // namespace zkw
