// Scene text: 8-bit text in which a character of code 256 or more is written as "&#", its
// code in decimal and "#". Scenes, scripts and database fields keep their texts in this form.
#pragma once
#include <string>
#include <string_view>

#include "text/ansi_text.h"

namespace zkw {

// 8-bit scene text to UTF-16. Each byte becomes the unit of the same value (no code page);
// "&#" and decimal digits become the unit of their value modulo 65536, and a "#" right after
// the digits is consumed. An "&#" with no digit after it, or with digits whose value does not
// fit a 32-bit signed integer, keeps its bytes as they are.
ZString DecodeSceneText(std::string_view text);

// UTF-16 to 8-bit scene text: units of 256 or more become escapes, then the whole text goes
// through the system's 8-bit code page.
std::string EncodeSceneText(ZStringView text);

}  // namespace zkw
