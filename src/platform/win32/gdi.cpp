// Windows back end of GDI: direct calls of the real functions.
#include <cstddef>

#include "platform/win32/win32_api.h"

namespace plat {

static_assert(sizeof(DIBSECTION) == sizeof(::DIBSECTION), "DIBSECTION layout");
static_assert(offsetof(DIBSECTION, dshSection) == offsetof(::DIBSECTION, dshSection),
              "DIBSECTION layout");

namespace {
::HDC D(HDC dc) { return static_cast<::HDC>(dc); }
const ::BITMAPINFO* BI(const BITMAPINFO* info) { return reinterpret_cast<const ::BITMAPINFO*>(info); }
}  // namespace

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset) {
  return ::CreateDIBSection(D(dc), BI(info), usage, bits, section, offset);
}
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  return ::CreateCompatibleBitmap(D(dc), width, height);
}
HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
  return ::CreateDIBitmap(D(dc), reinterpret_cast<const ::BITMAPINFOHEADER*>(header), init, bits,
                          BI(info), usage);
}
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage) {
  return ::GetDIBits(D(dc), static_cast<::HBITMAP>(bitmap), start, lines, bits,
                     reinterpret_cast<::BITMAPINFO*>(info), usage);
}
int GetObjectW(HGDIOBJ obj, int size, void* out) { return ::GetObjectW(obj, size, out); }
BOOL DeleteObject(HGDIOBJ obj) { return ::DeleteObject(obj); }

HDC GetDC(HWND window) { return ::GetDC(static_cast<::HWND>(window)); }
int ReleaseDC(HWND window, HDC dc) { return ::ReleaseDC(static_cast<::HWND>(window), D(dc)); }
HDC CreateCompatibleDC(HDC dc) { return ::CreateCompatibleDC(D(dc)); }
BOOL DeleteDC(HDC dc) { return ::DeleteDC(D(dc)); }
HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj) { return ::SelectObject(D(dc), obj); }
HGDIOBJ GetCurrentObject(HDC dc, UINT type) { return ::GetCurrentObject(D(dc), type); }
int GetDeviceCaps(HDC dc, int index) { return ::GetDeviceCaps(D(dc), index); }
int SaveDC(HDC dc) { return ::SaveDC(D(dc)); }
BOOL RestoreDC(HDC dc, int saved) { return ::RestoreDC(D(dc), saved); }
int SetStretchBltMode(HDC dc, int mode) { return ::SetStretchBltMode(D(dc), mode); }
int GetStretchBltMode(HDC dc) { return ::GetStretchBltMode(D(dc)); }

HPEN CreatePen(int style, int width, COLORREF color) { return ::CreatePen(style, width, color); }
int SetROP2(HDC dc, int mode) { return ::SetROP2(D(dc), mode); }
int GetROP2(HDC dc) { return ::GetROP2(D(dc)); }
BOOL MoveToEx(HDC dc, int x, int y, POINT* old) {
  return ::MoveToEx(D(dc), x, y, reinterpret_cast<::POINT*>(old));
}
BOOL LineTo(HDC dc, int x, int y) { return ::LineTo(D(dc), x, y); }
BOOL GetCurrentPositionEx(HDC dc, POINT* point) {
  return ::GetCurrentPositionEx(D(dc), reinterpret_cast<::POINT*>(point));
}

int SetDIBitsToDevice(HDC dc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc,
                      UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info,
                      UINT usage) {
  return ::SetDIBitsToDevice(D(dc), xDest, yDest, w, h, xSrc, ySrc, startScan, lines, bits,
                             BI(info), usage);
}
int StretchDIBits(HDC dc, int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc,
                  int wSrc, int hSrc, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop) {
  return ::StretchDIBits(D(dc), xDest, yDest, wDest, hDest, xSrc, ySrc, wSrc, hSrc, bits,
                         BI(info), usage, rop);
}
BOOL BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, DWORD rop) {
  return ::BitBlt(D(dst), x, y, w, h, D(src), xSrc, ySrc, rop);
}
BOOL StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, int wSrc,
                int hSrc, DWORD rop) {
  return ::StretchBlt(D(dst), x, y, w, h, D(src), xSrc, ySrc, wSrc, hSrc, rop);
}
COLORREF GetPixel(HDC dc, int x, int y) { return ::GetPixel(D(dc), x, y); }
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) { return ::SetPixel(D(dc), x, y, color); }
BOOL GdiFlush() { return ::GdiFlush(); }
int GetClipBox(HDC dc, RECT* rect) { return ::GetClipBox(D(dc), reinterpret_cast<::RECT*>(rect)); }

HBRUSH CreateSolidBrush(COLORREF color) { return ::CreateSolidBrush(color); }
int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  return ::FillRect(D(dc), reinterpret_cast<const ::RECT*>(rect), static_cast<::HBRUSH>(brush));
}
BOOL InvertRect(HDC dc, const RECT* rect) {
  return ::InvertRect(D(dc), reinterpret_cast<const ::RECT*>(rect));
}
HPALETTE CreatePalette(const LOGPALETTE* palette) {
  return ::CreatePalette(reinterpret_cast<const ::LOGPALETTE*>(palette));
}
HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground) {
  return ::SelectPalette(D(dc), static_cast<::HPALETTE>(palette), forceBackground);
}
UINT RealizePalette(HDC dc) { return ::RealizePalette(D(dc)); }
UINT GetSystemPaletteEntries(HDC dc, UINT start, UINT count, PALETTEENTRY* entries) {
  return ::GetSystemPaletteEntries(D(dc), start, count, reinterpret_cast<::PALETTEENTRY*>(entries));
}
UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries) {
  return ::GetPaletteEntries(static_cast<::HPALETTE>(palette), start, count,
                             reinterpret_cast<::PALETTEENTRY*>(entries));
}
DWORD GetSysColor(int index) { return ::GetSysColor(index); }


HGDIOBJ GetStockObject(int index) { return ::GetStockObject(index); }
BOOL Polyline(HDC dc, const POINT* points, int count) {
  return ::Polyline(D(dc), reinterpret_cast<const ::POINT*>(points), count);
}
BOOL Polygon(HDC dc, const POINT* points, int count) {
  return ::Polygon(D(dc), reinterpret_cast<const ::POINT*>(points), count);
}
BOOL PolyBezier(HDC dc, const POINT* points, DWORD count) {
  return ::PolyBezier(D(dc), reinterpret_cast<const ::POINT*>(points), count);
}
BOOL Arc(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
  return ::Arc(D(dc), left, top, right, bottom, xStart, yStart, xEnd, yEnd);
}
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  return ::Rectangle(D(dc), left, top, right, bottom);
}

}  // namespace plat
