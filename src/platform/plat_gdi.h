// GDI part of the platform boundary: bitmaps and the objects around them. Same names, layouts
// and meaning as the Win32 API.
#pragma once
#include "platform/plat_types.h"

namespace plat {

using HGDIOBJ = void*;
using HBITMAP = void*;
using HDC = void*;
using HPALETTE = void*;
using HBRUSH = void*;
using HWND = void*;
using COLORREF = DWORD;

struct RECT {
  LONG left, top, right, bottom;
};
struct POINT {
  LONG x, y;
};

#pragma pack(push, 1)
struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};
struct RGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
};
struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};
struct PALETTEENTRY {
  BYTE peRed;
  BYTE peGreen;
  BYTE peBlue;
  BYTE peFlags;
};
#pragma pack(pop)
static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER is 40 bytes");

// A logical palette of any number of entries (palPalEntry is the first of palNumEntries).
struct LOGPALETTE {
  WORD palVersion;
  WORD palNumEntries;
  PALETTEENTRY palPalEntry[1];
};

// Natural alignment, as the platform lays it out (24 bytes on Win32, 32 on 64-bit Linux).
struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  void* bmBits;
};

// A DIB section as GetObjectW describes it (natural alignment, as the platform lays it out).
struct DIBSECTION {
  BITMAP dsBm;
  BITMAPINFOHEADER dsBmih;
  DWORD dsBitfields[3];
  HANDLE dshSection;
  DWORD dsOffset;
};

constexpr UINT DIB_RGB_COLORS = 0;
constexpr UINT DIB_PAL_COLORS = 1;
constexpr DWORD BI_RGB = 0;
constexpr DWORD CBM_INIT = 4;

// Raster operations.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;
constexpr DWORD DSTINVERT = 0x00550009;

// Stretch modes.
constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;

// GetDeviceCaps indexes.
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int RASTERCAPS = 38;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int SIZEPALETTE = 104;
constexpr int RC_PALETTE = 0x0100;

constexpr UINT OBJ_PEN = 1;
constexpr UINT OBJ_BITMAP = 7;
constexpr UINT OBJ_PAL = 5;
constexpr UINT OBJ_BRUSH = 2;
constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;

// System colour indexes used by the library.
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;

inline COLORREF RGB(BYTE r, BYTE g, BYTE b) {
  return static_cast<COLORREF>(r | (g << 8) | (static_cast<DWORD>(b) << 16));
}

// --- Bitmaps ---------------------------------------------------------------------------------
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits,
                         HANDLE section, DWORD offset);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage);
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage);
int GetObjectW(HGDIOBJ obj, int size, void* out);
BOOL DeleteObject(HGDIOBJ obj);

// --- Device contexts -------------------------------------------------------------------------
HDC GetDC(HWND window);  // window 0: the screen
int ReleaseDC(HWND window, HDC dc);
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
int GetDeviceCaps(HDC dc, int index);
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int saved);
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);

// --- Pixels ----------------------------------------------------------------------------------
int SetDIBitsToDevice(HDC dc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc,
                      UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info,
                      UINT usage);
int StretchDIBits(HDC dc, int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc,
                  int wSrc, int hSrc, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop);
BOOL BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, DWORD rop);
BOOL StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, int wSrc,
                int hSrc, DWORD rop);
COLORREF GetPixel(HDC dc, int x, int y);
// Finishes drawing calls the system may have batched, before a DIB section's memory is read.
BOOL GdiFlush();
// The smallest rectangle around what the DC may draw on (right and bottom excluded).
constexpr int RGN_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3;
int GetClipBox(HDC dc, RECT* rect);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);

// --- Pens, drawing modes and the pen position --------------------------------------------------
using HPEN = void*;
constexpr int PS_SOLID = 0;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;
struct LOGPEN {
  UINT lopnStyle;
  POINT lopnWidth;  // x is the width; y is not used
  COLORREF lopnColor;
};
// Drawing modes (SetROP2): how the pen colour P combines with the pixel D.
constexpr int R2_BLACK = 1;         // 0
constexpr int R2_NOTMERGEPEN = 2;   // ~(D | P)
constexpr int R2_MASKNOTPEN = 3;    // D & ~P
constexpr int R2_NOTCOPYPEN = 4;    // ~P
constexpr int R2_MASKPENNOT = 5;    // P & ~D
constexpr int R2_NOT = 6;           // ~D
constexpr int R2_XORPEN = 7;        // D ^ P
constexpr int R2_NOTMASKPEN = 8;    // ~(D & P)
constexpr int R2_MASKPEN = 9;       // D & P
constexpr int R2_NOTXORPEN = 10;    // ~(D ^ P)
constexpr int R2_NOP = 11;          // D
constexpr int R2_MERGENOTPEN = 12;  // D | ~P
constexpr int R2_COPYPEN = 13;      // P
constexpr int R2_MERGEPENNOT = 14;  // P | ~D
constexpr int R2_MERGEPEN = 15;     // D | P
constexpr int R2_WHITE = 16;        // 1
HPEN CreatePen(int style, int width, COLORREF color);
int SetROP2(HDC dc, int mode);  // the previous mode, 0 on failure
int GetROP2(HDC dc);
BOOL MoveToEx(HDC dc, int x, int y, POINT* old);
BOOL GetCurrentPositionEx(HDC dc, POINT* point);
// A line with the selected pen from the pen position to (x, y), which becomes the position.
// One-pixel pens leave out the end point; wider pens are centred on the line with round caps.
BOOL LineTo(HDC dc, int x, int y);

// --- Brushes, palettes, system colours -------------------------------------------------------
HBRUSH CreateSolidBrush(COLORREF color);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
// Inverts every pixel of the rectangle (right and bottom excluded).
BOOL InvertRect(HDC dc, const RECT* rect);
HPALETTE CreatePalette(const LOGPALETTE* palette);
HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground);
UINT RealizePalette(HDC dc);
UINT GetSystemPaletteEntries(HDC dc, UINT start, UINT count, PALETTEENTRY* entries);
UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries);
DWORD GetSysColor(int index);

// --- Fonts and text --------------------------------------------------------------------------
using HFONT = void*;
constexpr int LF_FACESIZE = 32;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr UINT OBJ_FONT = 6;
// DrawText formats.
constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_BOTTOM = 0x0008;
constexpr UINT DT_WORDBREAK = 0x0010;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_EXPANDTABS = 0x0040;
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_CALCRECT = 0x0400;
constexpr UINT DT_NOPREFIX = 0x0800;

struct LOGFONTW {
  LONG lfHeight;  // < 0: character height (em) in pixels; > 0: cell height; 0: default
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  WCHAR lfFaceName[LF_FACESIZE];
};
struct SIZE {
  LONG cx, cy;
};
struct TEXTMETRICW {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  WCHAR tmFirstChar;
  WCHAR tmLastChar;
  WCHAR tmDefaultChar;
  WCHAR tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
};

HFONT CreateFontIndirectW(const LOGFONTW* font);
HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight,
                  DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                  DWORD outPrecision, DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily,
                  LPCWSTR faceName);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
int SetBkMode(HDC dc, int mode);
COLORREF SetBkColor(HDC dc, COLORREF color);
BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count);
// count -1: the text is zero-terminated. Returns the height of the text drawn (or measured).
int DrawTextW(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format);
BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size);
BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics);

// --- Text alignment, background, faces and glyph metrics ---------------------------------------
constexpr UINT TA_LEFT = 0, TA_TOP = 0, TA_RIGHT = 2, TA_CENTER = 6, TA_BOTTOM = 8, TA_BASELINE = 24;
constexpr UINT GDI_ERROR = 0xFFFFFFFFu;
constexpr UINT GGO_METRICS = 0;
// TextOutW places the text by these bits; DrawTextW ignores them.
UINT SetTextAlign(HDC dc, UINT align);  // the previous alignment, GDI_ERROR on failure
UINT GetTextAlign(HDC dc);
COLORREF GetBkColor(HDC dc);
int GetBkMode(HDC dc);
// The face name of the selected font; returns the characters copied with the terminator (or
// the length needed with a null buffer).
int GetTextFaceW(HDC dc, int count, WCHAR* face);
struct FIXED {
  WORD fract;
  short value;
};
struct MAT2 {
  FIXED eM11, eM12, eM21, eM22;
};
struct GLYPHMETRICS {
  UINT gmBlackBoxX;
  UINT gmBlackBoxY;
  POINT gmptGlyphOrigin;  // x from the pen, y up from the baseline to the black box's top
  short gmCellIncX;
  short gmCellIncY;
};
// Only GGO_METRICS: the black box of the character in the selected font.
DWORD GetGlyphOutlineW(HDC dc, UINT ch, UINT format, GLYPHMETRICS* metrics, DWORD bufferSize,
                       void* buffer, const MAT2* matrix);

// --- Stock objects and shapes --------------------------------------------------------------------
constexpr int WHITE_BRUSH = 0, BLACK_BRUSH = 4, NULL_BRUSH = 5, WHITE_PEN = 6, BLACK_PEN = 7,
              NULL_PEN = 8;
HGDIOBJ GetStockObject(int index);
// Lines through the points with the selected pen; the pen position is neither used nor moved.
BOOL Polyline(HDC dc, const POINT* points, int count);
// The closed outline with the pen, the inside (alternate rule) with the selected brush.
BOOL Polygon(HDC dc, const POINT* points, int count);
// Cubic Bezier curves: a start point and three points (two controls, an end) per curve.
BOOL PolyBezier(HDC dc, const POINT* points, DWORD count);
// The counter-clockwise arc of the ellipse in (left, top, right, bottom) from the ray towards
// (xStart, yStart) to the ray towards (xEnd, yEnd).
BOOL Arc(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
         int yEnd);
// Outline with the pen (inside-frame pens inside the box), inside with the brush; right and
// bottom excluded.
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);

}  // namespace plat
