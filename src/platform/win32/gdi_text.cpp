// Fonts and text: direct calls of the system's GDI.
#include "platform/win32/win32_api.h"

namespace plat {

using win32::H;

static_assert(sizeof(plat::LOGFONTW) == sizeof(::LOGFONTW));
static_assert(sizeof(plat::TEXTMETRICW) == sizeof(::TEXTMETRICW));
static_assert(sizeof(plat::SIZE) == sizeof(::SIZE));

HFONT CreateFontIndirectW(const LOGFONTW* font) {
  return ::CreateFontIndirectW(reinterpret_cast<const ::LOGFONTW*>(font));
}

HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCWSTR faceName) {
  return ::CreateFontW(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                       outPrecision, clipPrecision, quality, pitchAndFamily, faceName);
}

COLORREF SetTextColor(HDC dc, COLORREF color) { return ::SetTextColor(H<::HDC>(dc), color); }
COLORREF GetTextColor(HDC dc) { return ::GetTextColor(H<::HDC>(dc)); }
int SetBkMode(HDC dc, int mode) { return ::SetBkMode(H<::HDC>(dc), mode); }
COLORREF SetBkColor(HDC dc, COLORREF color) { return ::SetBkColor(H<::HDC>(dc), color); }

BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count) {
  return ::TextOutW(H<::HDC>(dc), x, y, text, count);
}

int DrawTextW(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format) {
  return ::DrawTextW(H<::HDC>(dc), text, count, reinterpret_cast<::RECT*>(rect), format);
}

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size) {
  return ::GetTextExtentPoint32W(H<::HDC>(dc), text, count, reinterpret_cast<::SIZE*>(size));
}

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
  return ::GetTextMetricsW(H<::HDC>(dc), reinterpret_cast<::TEXTMETRICW*>(metrics));
}

}  // namespace plat

namespace plat {

static_assert(sizeof(plat::GLYPHMETRICS) == sizeof(::GLYPHMETRICS));
static_assert(sizeof(plat::MAT2) == sizeof(::MAT2));

UINT SetTextAlign(HDC dc, UINT align) { return ::SetTextAlign(H<::HDC>(dc), align); }
UINT GetTextAlign(HDC dc) { return ::GetTextAlign(H<::HDC>(dc)); }
COLORREF GetBkColor(HDC dc) { return ::GetBkColor(H<::HDC>(dc)); }
int GetBkMode(HDC dc) { return ::GetBkMode(H<::HDC>(dc)); }
int GetTextFaceW(HDC dc, int count, WCHAR* face) { return ::GetTextFaceW(H<::HDC>(dc), count, face); }

DWORD GetGlyphOutlineW(HDC dc, UINT ch, UINT format, GLYPHMETRICS* metrics, DWORD bufferSize, void* buffer,
                       const MAT2* matrix) {
  return ::GetGlyphOutlineW(H<::HDC>(dc), ch, format, reinterpret_cast<::GLYPHMETRICS*>(metrics), bufferSize,
                            buffer, reinterpret_cast<const ::MAT2*>(matrix));
}

}  // namespace plat
