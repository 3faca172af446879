// Loading the DLL and the file helpers of the Win32 suite.
#include "zkw_dll.h"

namespace zkwtest {

namespace {
HMODULE gDll = nullptr;
}

HMODULE Dll() { return gDll; }
void LoadDll() { gDll = ::LoadLibraryW(L"ZKWGDI32.dll"); }

ScratchDir::ScratchDir() {
  wchar_t temp[MAX_PATH];
  DWORD n = ::GetTempPathW(MAX_PATH, temp);
  if (n == 0 || n >= MAX_PATH) throw std::runtime_error("no temporary directory");
  FDir = std::wstring(temp) + L"zkw_win32_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
         std::to_wstring(::GetTickCount());
  if (!::CreateDirectoryW(FDir.c_str(), nullptr))
    throw std::runtime_error("cannot create a scratch directory");
}

ScratchDir::~ScratchDir() {
  WIN32_FIND_DATAW found;
  HANDLE find = ::FindFirstFileW((FDir + L"\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        ::DeleteFileW(Path(found.cFileName).c_str());
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
  }
  ::RemoveDirectoryW(FDir.c_str());
}

std::wstring BesideTheProgram(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L"\\/") + 1) + name;
}

std::vector<uint8_t> ReadFileBytes(const std::wstring& name) {
  HANDLE file = ::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open a file written by the test");
  std::vector<uint8_t> bytes(::GetFileSize(file, nullptr));
  DWORD read = 0;
  BOOL ok = bytes.empty() ||
            ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  ::CloseHandle(file);
  if (!ok || read != bytes.size()) throw std::runtime_error("cannot read a file written by the test");
  return bytes;
}

void WriteFileBytes(const std::wstring& name, const std::vector<uint8_t>& bytes) {
  HANDLE file = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create a test file");
  DWORD written = 0;
  BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
  if (!ok || written != bytes.size()) throw std::runtime_error("cannot write a test file");
}

std::wstring LastErrorText() {
  const wchar_t* text = ZKW(zkwGetLastErrorText)();
  return text ? std::wstring(text) : std::wstring();
}

}  // namespace zkwtest
