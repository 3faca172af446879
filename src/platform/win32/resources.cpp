// Windows back end of resources: the library's resources are linked into the DLL by the
// resource compiler and found with the real calls.
#include "platform/win32/win32_api.h"

using plat::win32::H;

namespace plat {

HMODULE LibraryModule() {
  ::HMODULE module = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&LibraryModule), &module);
  return module;
}

LPCWSTR RT_BITMAP_TYPE() { return MAKEINTRESOURCEW(2); }

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
  return ::FindResourceW(H<::HMODULE>(module), name, type);
}
HGLOBAL LoadResource(HMODULE module, HRSRC res) {
  return ::LoadResource(H<::HMODULE>(module), H<::HRSRC>(res));
}
void* LockResource(HGLOBAL resData) { return ::LockResource(resData); }
DWORD SizeofResource(HMODULE module, HRSRC res) {
  return ::SizeofResource(H<::HMODULE>(module), H<::HRSRC>(res));
}
BOOL FreeResource(HGLOBAL resData) { return ::FreeResource(resData); }

}  // namespace plat
