// The platform boundary: the subset of the Win32 API the library uses, with the same names,
// argument orders and meaning. On Windows each call forwards to the real function; on Linux
// src/platform/portable implements it.
#pragma once
#include "platform/plat_types.h"

namespace plat {

// --- Movable global memory -------------------------------------------------------------------
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
HGLOBAL GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags);
void* GlobalLock(HGLOBAL mem);
BOOL GlobalUnlock(HGLOBAL mem);
SIZE_T GlobalSize(HGLOBAL mem);
HGLOBAL GlobalFree(HGLOBAL mem);  // 0 on success, the handle on failure

// --- Files (UTF-16 names) --------------------------------------------------------------------
HANDLE CreateFileW(LPCWSTR name, DWORD access, DWORD share, void* security, DWORD disposition,
                   DWORD flags, HANDLE templ);
BOOL ReadFile(HANDLE file, void* buffer, DWORD toRead, DWORD* read, void* overlapped);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written, void* overlapped);
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method);
DWORD GetFileSize(HANDLE file, DWORD* sizeHigh);
BOOL CloseHandle(HANDLE handle);
BOOL DeleteFileW(LPCWSTR name);
DWORD GetFileAttributesW(LPCWSTR name);
// Ends the file at its current position (shortening or lengthening it).
BOOL SetEndOfFile(HANDLE file);
// Renames a file; with MOVEFILE_REPLACE_EXISTING an existing target is replaced in one step.
BOOL MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags);
// Writes what the system still buffers for the file to the disk.
BOOL FlushFileBuffers(HANDLE file);
// The full path of a name relative to the current folder ("." and ".." resolved). Returns the
// length without terminator, or the buffer size needed (terminator included) when bufLen is too
// small; 0 on failure. filePart (optional) receives the start of the last component in buffer.
DWORD GetFullPathNameW(LPCWSTR name, DWORD bufLen, WCHAR* buffer, WCHAR** filePart);
constexpr DWORD FILE_SHARE_DELETE = 0x4;
// Byte-range locks. The portable side locks per open handle (two handles of one process on the
// same file exclude each other, as on Windows); the range is advisory there.
struct OVERLAPPED {
  uintptr_t Internal;
  uintptr_t InternalHigh;
  DWORD Offset;
  DWORD OffsetHigh;
  HANDLE hEvent;
};
constexpr DWORD LOCKFILE_FAIL_IMMEDIATELY = 0x1;
constexpr DWORD LOCKFILE_EXCLUSIVE_LOCK = 0x2;
BOOL LockFileEx(HANDLE file, DWORD flags, DWORD reserved, DWORD bytesLow, DWORD bytesHigh,
                OVERLAPPED* overlapped);
BOOL UnlockFileEx(HANDLE file, DWORD reserved, DWORD bytesLow, DWORD bytesHigh,
                  OVERLAPPED* overlapped);

// --- Resources -------------------------------------------------------------------------------
// The library's own module; resources embedded at build time are found in it.
HMODULE LibraryModule();
HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC res);
void* LockResource(HGLOBAL resData);
DWORD SizeofResource(HMODULE module, HRSRC res);
BOOL FreeResource(HGLOBAL resData);
// Standard resource types used by the library.
LPCWSTR RT_BITMAP_TYPE();

// --- The 8-bit code page ---------------------------------------------------------------------
// CP_ACP is the system's 8-bit code page: the real one on Windows, Windows-1252 on Linux, where
// these calls accept CP_ACP and 1252 only. The Linux side has no best fit: a unit outside the
// code page becomes the default character, as with WC_NO_BEST_FIT_CHARS (Windows maps some
// letters to look-alikes, U+0100 to "A"). Both agree on every unit below 256.
constexpr UINT CP_ACP = 0;
constexpr DWORD MB_PRECOMPOSED = 0x1;
constexpr DWORD MB_ERR_INVALID_CHARS = 0x8;
constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x400;
UINT GetACP();
// Length -1 takes a zero-terminated source and counts the terminator; a destination size of 0
// asks for the length needed. 0 on failure (bad arguments, destination too small).
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* multiByte, int multiByteLen,
                        WCHAR* wide, int wideLen);
int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int wideLen,
                        char* multiByte, int multiByteLen, const char* defaultChar,
                        BOOL* usedDefaultChar);

// --- Locale-aware comparison -------------------------------------------------------------------
// Compares two texts in the user's locale (lengths -1 for zero-terminated). The portable side
// uses the root collation; NORM_IGNORECASE compares at secondary strength (accents count, case
// does not). Returns CSTR_LESS_THAN, CSTR_EQUAL or CSTR_GREATER_THAN; 0 on failure.
using LCID = DWORD;
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr DWORD NORM_IGNORECASE = 0x1;
constexpr int CSTR_LESS_THAN = 1;
constexpr int CSTR_EQUAL = 2;
constexpr int CSTR_GREATER_THAN = 3;
int CompareStringW(LCID locale, DWORD flags, LPCWSTR text1, int len1, LPCWSTR text2, int len2);

// --- Message boxes ---------------------------------------------------------------------------
using HWND = void*;
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_ICONERROR = 0x00000010;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr int IDOK = 1;
// A modal message box. The portable side shows nothing: it records the call (see
// portable/message_box_log.h) and answers IDOK.
int MessageBoxW(HWND window, LPCWSTR text, LPCWSTR caption, UINT type);

}  // namespace plat
