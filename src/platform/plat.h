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

// --- Message boxes ---------------------------------------------------------------------------
using HWND = void*;
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr int IDOK = 1;
// A modal message box. The portable side shows nothing: it records the call (see
// portable/message_box_log.h) and answers IDOK.
int MessageBoxW(HWND window, LPCWSTR text, LPCWSTR caption, UINT type);

}  // namespace plat
