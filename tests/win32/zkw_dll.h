// The Win32 suite's view of ZKWGDI32.dll: the module loaded by name, exports resolved by their
// plain names, and small helpers for files in a scratch directory.
#pragma once
// The library's export declarations give the function types (stdcall, as a host declares
// them). They come before <windows.h>, whose macros would otherwise replace the platform
// constants of the library's headers.
#include "exports/zkwgdi32.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace zkwtest {

// The module as LoadLibraryW(L"ZKWGDI32.dll") returned it; loaded once by main.
HMODULE Dll();
void LoadDll();

// An export by its undecorated name; throws (a test failure) when the DLL lacks it.
template <class F>
F Export(const char* name) {
  FARPROC proc = ::GetProcAddress(Dll(), name);
  if (!proc) throw std::runtime_error(std::string("ZKWGDI32.dll does not export ") + name);
  return reinterpret_cast<F>(proc);
}

// A per-test scratch directory under the Windows temporary directory, removed with its files.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  std::wstring Path(const wchar_t* file) const { return FDir + L"\\" + file; }

 private:
  std::wstring FDir;
};

// A file in the program's own folder, where the build copies the suite's data files.
std::wstring BesideTheProgram(const wchar_t* name);

std::vector<uint8_t> ReadFileBytes(const std::wstring& name);
void WriteFileBytes(const std::wstring& name, const std::vector<uint8_t>& bytes);

// The last-error text of the library as UTF-16.
std::wstring LastErrorText();

}  // namespace zkwtest

// The export `name`, typed from its declaration and resolved once.
#define ZKW(name)                                                              \
  ([]() -> decltype(&::name) {                                                 \
    static const auto fn = ::zkwtest::Export<decltype(&::name)>(#name);        \
    return fn;                                                                 \
  }())
