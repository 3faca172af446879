// Windows back end of memory and files: direct calls of the real functions.
#include "platform/win32/win32_api.h"

namespace plat {

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) { return ::GlobalAlloc(flags, bytes); }
HGLOBAL GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags) {
  return ::GlobalReAlloc(mem, bytes, flags);
}
void* GlobalLock(HGLOBAL mem) { return ::GlobalLock(mem); }
BOOL GlobalUnlock(HGLOBAL mem) { return ::GlobalUnlock(mem); }
SIZE_T GlobalSize(HGLOBAL mem) { return ::GlobalSize(mem); }
HGLOBAL GlobalFree(HGLOBAL mem) { return ::GlobalFree(mem); }

HANDLE CreateFileW(LPCWSTR name, DWORD access, DWORD share, void* security, DWORD disposition,
                   DWORD flags, HANDLE templ) {
  return ::CreateFileW(name, access, share, static_cast<LPSECURITY_ATTRIBUTES>(security),
                       disposition, flags, templ);
}
BOOL ReadFile(HANDLE file, void* buffer, DWORD toRead, DWORD* read, void* overlapped) {
  return ::ReadFile(file, buffer, toRead, reinterpret_cast<LPDWORD>(read),
                    static_cast<LPOVERLAPPED>(overlapped));
}
BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written, void* overlapped) {
  return ::WriteFile(file, buffer, toWrite, reinterpret_cast<LPDWORD>(written),
                     static_cast<LPOVERLAPPED>(overlapped));
}
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method) {
  return ::SetFilePointer(file, distance, reinterpret_cast<PLONG>(distanceHigh), method);
}
DWORD GetFileSize(HANDLE file, DWORD* sizeHigh) {
  return ::GetFileSize(file, reinterpret_cast<LPDWORD>(sizeHigh));
}
BOOL CloseHandle(HANDLE handle) { return ::CloseHandle(handle); }
BOOL DeleteFileW(LPCWSTR name) { return ::DeleteFileW(name); }
DWORD GetFileAttributesW(LPCWSTR name) { return ::GetFileAttributesW(name); }
BOOL SetEndOfFile(HANDLE file) { return ::SetEndOfFile(file); }
BOOL MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags) { return ::MoveFileExW(from, to, flags); }

}  // namespace plat

namespace plat {

BOOL FlushFileBuffers(HANDLE file) { return ::FlushFileBuffers(file); }
DWORD GetFullPathNameW(LPCWSTR name, DWORD bufLen, WCHAR* buffer, WCHAR** filePart) {
  return ::GetFullPathNameW(name, bufLen, buffer, filePart);
}
static_assert(sizeof(plat::OVERLAPPED) == sizeof(::OVERLAPPED));
BOOL LockFileEx(HANDLE file, DWORD flags, DWORD reserved, DWORD bytesLow, DWORD bytesHigh,
                OVERLAPPED* overlapped) {
  return ::LockFileEx(file, flags, reserved, bytesLow, bytesHigh,
                      reinterpret_cast<::OVERLAPPED*>(overlapped));
}
BOOL UnlockFileEx(HANDLE file, DWORD reserved, DWORD bytesLow, DWORD bytesHigh,
                  OVERLAPPED* overlapped) {
  return ::UnlockFileEx(file, reserved, bytesLow, bytesHigh,
                        reinterpret_cast<::OVERLAPPED*>(overlapped));
}

}  // namespace plat
