// Directory search at the platform boundary: FindFirstFileW, FindNextFileW and FindClose with
// the Win32 names, record layout and meaning. The pattern's last path component may hold "*"
// (any run of characters) and "?" (exactly one character); every attribute is matched
// (directories, "." and ".." included).
#pragma once
#include "platform/plat_types.h"

namespace plat {

constexpr DWORD MAX_PATH = 260;
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x2;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;

// The separator of folder names in paths.
#ifdef _WIN32
constexpr WCHAR kPathSeparator = L'\\';
#else
constexpr WCHAR kPathSeparator = u'/';
#endif

// 100-nanosecond intervals since 1 January 1601 (UTC).
struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};

struct WIN32_FIND_DATAW {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  WCHAR cFileName[MAX_PATH];
  WCHAR cAlternateFileName[14];
};
static_assert(sizeof(WIN32_FIND_DATAW) == 592);

// Starts a search; the first match goes to *data. INVALID_HANDLE_VALUE when nothing matches.
HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data);
// The next match; false when there is none.
BOOL FindNextFileW(HANDLE find, WIN32_FIND_DATAW* data);
BOOL FindClose(HANDLE find);

}  // namespace plat
