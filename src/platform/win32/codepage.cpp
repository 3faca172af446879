// Windows back end of the 8-bit code page: the system's own conversions.
#include "platform/win32/win32_api.h"

namespace plat {

UINT GetACP() { return ::GetACP(); }

int MultiByteToWideChar(UINT codePage, DWORD flags, const char* multiByte, int multiByteLen,
                        WCHAR* wide, int wideLen) {
  return ::MultiByteToWideChar(codePage, flags, multiByte, multiByteLen, wide, wideLen);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int wideLen,
                        char* multiByte, int multiByteLen, const char* defaultChar,
                        BOOL* usedDefaultChar) {
  ::BOOL used = FALSE;
  int n = ::WideCharToMultiByte(codePage, flags, wide, wideLen, multiByte, multiByteLen,
                                defaultChar, usedDefaultChar ? &used : nullptr);
  if (usedDefaultChar) *usedDefaultChar = used;
  return n;
}

int CompareStringW(LCID locale, DWORD flags, LPCWSTR text1, int len1, LPCWSTR text2, int len2) {
  return ::CompareStringW(locale, flags, text1, len1, text2, len2);
}

}  // namespace plat
