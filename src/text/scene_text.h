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
// The same as char16_t units, whatever the platform's wide character is.
std::u16string DecodeSceneText16(std::string_view text);

// UTF-16 to 8-bit scene text: units of 256 or more become escapes; the others become their
// byte in the system's 8-bit code page. A unit below 256 that the code page cannot write as the
// byte of the same value (on Windows-1252 most C1 controls, U+0080..U+009F) is escaped too, so
// that decoding gives every unit back.
std::string EncodeSceneText(ZStringView text);

}  // namespace zkw
