// The library's side of its exports: the declarations hosts see (include/zkwgdi32.h, which
// every export definition therefore has to match) and the conventions of the definitions.
#pragma once
#include <zkwgdi32.h>

#include <type_traits>

#include "exports/api.h"
#include "platform/plat_types.h"

// The public text type is the library's UTF-16 character.
static_assert(std::is_same_v<ZKWCHAR, plat::WCHAR>, "ZKWCHAR is the library's wide character");
