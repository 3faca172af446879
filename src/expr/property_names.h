// Property words of scene objects, numbered from 1 ("Info") to 209 ("TopIndex"); names that
// begin with "@" are properties of the scene rather than of one object.
#pragma once
#include <cstdint>
#include <string_view>

namespace zkw {

constexpr int32_t kPropertyCount = 209;

// The property code of a name, ignoring case; 0 when there is no such property.
int32_t PropertyCode(std::string_view Name);
// The name of a property code (1..209); null for any other code.
const char* PropertyName(int32_t Code);

}  // namespace zkw
