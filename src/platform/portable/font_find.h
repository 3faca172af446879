// Font files for face names on Linux: the faces hosts name ("Arial", "Times New Roman",
// "Courier New", ...) map to metric-compatible free fonts; every other name falls back to
// DejaVu. The folders searched are those the setup installs the fonts into.
#pragma once
#include <cstdint>
#include <string>

#include "platform/plat_types.h"

namespace plat::portable {

// Path of the TrueType file for a face name (UTF-16, zero-terminated within `length` units) in
// the wanted weight and slant; empty when no font file is installed at all.
std::string FindFontFile(const WCHAR* face, size_t length, bool bold, bool italic);

// Whether the face name is "Symbol", whose 8-bit codes are the symbol positions.
bool IsSymbolFaceName(const WCHAR* face, size_t length);
// The Unicode character at a position of the Symbol font (0 where it has none).
uint32_t SymbolToUnicode(uint32_t code);

}  // namespace plat::portable
