// Windows back end of the directory search: direct calls of the real functions.
#include <cstddef>

#include "platform/plat_find.h"
#include "platform/win32/win32_api.h"

namespace plat {

static_assert(sizeof(plat::WIN32_FIND_DATAW) == sizeof(::WIN32_FIND_DATAW));
static_assert(offsetof(plat::WIN32_FIND_DATAW, cFileName) == offsetof(::WIN32_FIND_DATAW, cFileName));

HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data) {
  return ::FindFirstFileW(pattern, reinterpret_cast<::WIN32_FIND_DATAW*>(data));
}
BOOL FindNextFileW(HANDLE find, WIN32_FIND_DATAW* data) {
  return ::FindNextFileW(find, reinterpret_cast<::WIN32_FIND_DATAW*>(data));
}
BOOL FindClose(HANDLE find) { return ::FindClose(find); }

}  // namespace plat
