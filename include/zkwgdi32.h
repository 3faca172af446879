/*
 * zkwgdi32.h: the C interface of ZKWGDI32 (ZKWGDI32.dll on Windows, libzkwgdi32.so on Linux).
 *
 * Self-contained: C99 or later, C++11 or later. Every exported function of the library is
 * declared here, one section per export family; docs/README.md is the guide and
 * docs/exports.md lists each export with its page.
 *
 * Conventions:
 *   - Handles are the addresses of library objects (void*), valid until their free export.
 *   - Text is zero-terminated UTF-16 (ZKWCHAR: wchar_t on Windows, char16_t in C++ elsewhere,
 *     uint16_t in C elsewhere) unless an export says 8-bit scene text (const char*).
 *   - Colours are COLORREFs (red in bits 0-7) on 24-bit images, palette indexes on 8-bit ones.
 *   - Failures: factories and loaders return 0 (some writers return all bits set for true);
 *     zkwGetLastErrorText() says why a reader or loader failed.
 *   - One thread at a time: the library keeps process-wide state without locks.
 */
#ifndef ZKWGDI32_H
#define ZKWGDI32_H

#include <stddef.h>
#include <stdint.h>

/* The calling convention of every export and callback: __stdcall on 32-bit Windows (the
 * compilers ignore it on 64-bit Windows), the platform's C convention elsewhere. */
#if defined(_WIN32)
#define ZKWAPI __stdcall
#else
#define ZKWAPI
#endif

/* Declaration prefix: exported from the shared library on ELF platforms. */
#if !defined(_WIN32) && defined(__GNUC__)
#define ZKWDECL __attribute__((visibility("default")))
#else
#define ZKWDECL
#endif

/* One UTF-16 code unit as the platform's compilers see it. */
#if defined(_WIN32)
typedef wchar_t ZKWCHAR;
#elif defined(__cplusplus)
typedef char16_t ZKWCHAR;
#else
typedef uint16_t ZKWCHAR;
#endif

/* Compile-time checks of the records' layouts, in C99, C11 and C++. */
#if defined(__cplusplus)
#define ZKW_STATIC_ASSERT(cond, name) static_assert(cond, #name)
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
#define ZKW_STATIC_ASSERT(cond, name) _Static_assert(cond, #name)
#else
#define ZKW_STATIC_ASSERT(cond, name) typedef char zkw_layout_##name[(cond) ? 1 : -1]
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Handles and text ------------------------------------------------------------------- */
typedef void* ZHANDLE;        /* a DIB object, stream or other library object */
typedef void* ZBLOCK;         /* an image memory block (movable global memory, packed DIB) */
typedef const ZKWCHAR* ZTEXT; /* zero-terminated UTF-16 */
typedef void* ZFONT;          /* a bitmap font (TDibFont) */
typedef void* ZFONTMANAGER;   /* a font manager (TDibFontManager) */
typedef void* ZCANVAS;        /* a DIB canvas (TDibCanvas) */
typedef void* ZWINDOW;        /* a window (HWND on Windows) */
typedef void* ZSOUND;         /* the sound object (a device wrapper bound to a window) */
/* A window procedure, as zkwSetWindowProc and zkwCallWindowProc take it. */
typedef intptr_t(ZKWAPI* ZWNDPROC)(ZWINDOW Window, uint32_t Msg, uintptr_t WParam,
                                   intptr_t LParam);
/* The modal hook of zkwSetModalHook. */
typedef int32_t(ZKWAPI* ZMODALHOOK)(void* Dialog, void* Data);

/* ---- Records that cross the boundary ------------------------------------------------------
 * Packed records have the same bytes in every build; where a record holds a handle or an
 * address, the 32-bit DLL keeps the documented 32-bit layout and 64-bit builds widen that
 * field to 8 bytes (the asserts give both sizes). */
#pragma pack(push, 1)

/* The 40-byte header at the start of every image memory block (GetDIBObj fills one). */
typedef struct TDibImageHeader {
  uint32_t biSize; /* 40 */
  int32_t biWidth;
  int32_t biHeight; /* positive: bottom-up rows */
  uint16_t biPlanes;
  uint16_t biBitCount; /* 8 or 24 */
  uint32_t biCompression;
  uint32_t biSizeImage;
  int32_t biXPelsPerMeter;
  int32_t biYPelsPerMeter;
  uint32_t biClrUsed;
  uint32_t biClrImportant;
} TDibImageHeader;

/* One colour-table entry; a palette (dibSetDibPal, NearestColor, ...) is 256 of them. */
typedef struct TDibColorEntry {
  uint8_t Blue, Green, Red, Reserved;
} TDibColorEntry;

/* The font record of dicSetFontInfo, dicGetFontInfo and dicGetFont (524 bytes). */
typedef struct TDibCanvasFontInfo {
  uint16_t FaceName[256]; /* UTF-16 code units, zero-terminated */
  int32_t Size;          /* points */
  uint8_t Bold;
  uint8_t Italic;
  uint8_t Underline;
  uint8_t StrikeOut;
  uint32_t Color; /* COLORREF or system colour code (high bit set) */
} TDibCanvasFontInfo;

/* The logical font that GetFont fills (92 bytes, the system's UTF-16 logical font). */
typedef struct TLogFontRecord {
  int32_t Height, Width, Escapement, Orientation, Weight;
  uint8_t Italic, Underline, StrikeOut, CharSet;
  uint8_t OutPrecision, ClipPrecision, Quality, PitchAndFamily;
  ZKWCHAR FaceName[32];
} TLogFontRecord;

/* The object information record of DAGetObjectInfo (810 bytes in the 32-bit DLL; 814 in
 * 64-bit builds, whose DibObject is 8 bytes and moves every later field by 4). Texts are
 * 8-bit scene text. */
typedef struct TDAObjectInfo {
  char ParentObjName[256];
  char ObjName[256];
  char Info[256];
  int16_t Level;
  uint8_t Collision, Active, Visible;
  void* DibObject;
  uint8_t Enabled;
  int16_t ID;
  uint8_t Style;
  int16_t XPos, YPos;
  uint8_t DibStyle;
  int16_t OriginX, OriginY, FlipX, FlipY, Transparent, Width, Height;
  uint8_t FloatWhenClick, Sensitive, Locked;
  int32_t Tag;
  uint8_t Container;
  int16_t HotCursor;
} TDAObjectInfo;

#pragma pack(pop)

/* The record of SelectColorDialog, natural alignment: 36 bytes in the 32-bit DLL, 48 in 64-bit
 * builds (the window and the colour address are 8 bytes at their natural places). */
typedef struct TSelectColorRecord {
  uint32_t Size; /* sizeof(TSelectColorRecord) */
  void* Owner;   /* owner window, or 0 */
  uint32_t* Color; /* in: the first colour shown; out: the chosen colour */
  uint8_t Unused[16];
  int32_t ShowStandard; /* non-zero: offer the standard colours */
  int32_t ShowSystem;   /* non-zero: offer the system colours */
} TSelectColorRecord;

ZKW_STATIC_ASSERT(sizeof(TDibImageHeader) == 40, image_header_size);
ZKW_STATIC_ASSERT(sizeof(TDibColorEntry) == 4, color_entry_size);
ZKW_STATIC_ASSERT(sizeof(TDibCanvasFontInfo) == 524, canvas_font_info_size);
ZKW_STATIC_ASSERT(offsetof(TDibCanvasFontInfo, Size) == 512, canvas_font_info_size_field);
ZKW_STATIC_ASSERT(offsetof(TDibCanvasFontInfo, Color) == 520, canvas_font_info_color_field);
ZKW_STATIC_ASSERT(sizeof(TLogFontRecord) == 92, log_font_size);
ZKW_STATIC_ASSERT(offsetof(TDAObjectInfo, Level) == 768, object_info_level_field);
ZKW_STATIC_ASSERT(offsetof(TDAObjectInfo, DibObject) == 773, object_info_dib_field);
#if UINTPTR_MAX == 0xFFFFFFFFu
ZKW_STATIC_ASSERT(sizeof(TDAObjectInfo) == 810, object_info_size_32);
ZKW_STATIC_ASSERT(offsetof(TDAObjectInfo, HotCursor) == 808, object_info_last_field_32);
ZKW_STATIC_ASSERT(sizeof(TSelectColorRecord) == 36, select_color_size_32);
ZKW_STATIC_ASSERT(offsetof(TSelectColorRecord, ShowStandard) == 28, select_color_show_32);
#else
ZKW_STATIC_ASSERT(sizeof(TDAObjectInfo) == 814, object_info_size_64);
ZKW_STATIC_ASSERT(offsetof(TDAObjectInfo, HotCursor) == 812, object_info_last_field_64);
ZKW_STATIC_ASSERT(sizeof(TSelectColorRecord) == 48, select_color_size_64);
ZKW_STATIC_ASSERT(offsetof(TSelectColorRecord, ShowStandard) == 40, select_color_show_64);
#endif

/* ==== DIB objects (docs/api-dib-objects.md) ================================================ */
ZKWDECL ZHANDLE ZKWAPI CreateDibObject(uint8_t Bits);
ZKWDECL void ZKWAPI FreeDibObject(ZHANDLE Dib);
ZKWDECL ZHANDLE ZKWAPI CreateDibFrom(ZHANDLE Dib);
ZKWDECL ZHANDLE ZKWAPI CreateDibFromFile(ZTEXT Name);
ZKWDECL void ZKWAPI dibSetAttributes(ZHANDLE Dib, int32_t w, int32_t h);
ZKWDECL ZBLOCK ZKWAPI dibGetHandle(ZHANDLE Dib);
ZKWDECL void ZKWAPI dibSetHandle(ZHANDLE Dib, ZBLOCK Block);
ZKWDECL ZBLOCK ZKWAPI dibGetAlphaHandle(ZHANDLE Dib);
ZKWDECL void ZKWAPI dibSetAlphaHandle(ZHANDLE Dib, ZBLOCK Block);
ZKWDECL int32_t ZKWAPI dibGetLock(ZHANDLE Dib);
ZKWDECL void ZKWAPI dibSetLock(ZHANDLE Dib, uint8_t Flag);
ZKWDECL int32_t ZKWAPI dibGetWidth(ZHANDLE Dib);
ZKWDECL int32_t ZKWAPI dibGetHeight(ZHANDLE Dib);
ZKWDECL int32_t ZKWAPI dibGetAlignWidth(ZHANDLE Dib);
ZKWDECL int32_t ZKWAPI dibGetBits(ZHANDLE Dib);
ZKWDECL void* ZKWAPI dibGetDibPtr(ZHANDLE Dib);
ZKWDECL void* ZKWAPI dibGetDibData(ZHANDLE Dib);
ZKWDECL void* ZKWAPI dibGetDibPal(ZHANDLE Dib);
ZKWDECL int32_t ZKWAPI dibGetDibSize(ZHANDLE Dib);
ZKWDECL int32_t ZKWAPI dibGetTransColor(ZHANDLE Dib);
ZKWDECL void ZKWAPI dibSetTransColor(ZHANDLE Dib, uint8_t Index);
ZKWDECL void ZKWAPI dibSetDibPal(ZHANDLE Dib, const void* Table);
ZKWDECL ZHANDLE ZKWAPI dibGetAlphaDib(ZHANDLE Dib);
ZKWDECL void ZKWAPI dibAttachBitmap(ZHANDLE Dib, void* Bitmap);
ZKWDECL void ZKWAPI dibCopyTo(ZHANDLE Dib, ZHANDLE Dest);
ZKWDECL int32_t ZKWAPI dibLoadFromFile(ZHANDLE Dib, ZTEXT Name);
ZKWDECL int32_t ZKWAPI dibSaveToFile(ZHANDLE Dib, ZTEXT Name);
ZKWDECL int32_t ZKWAPI dibSaveToDexFile(ZHANDLE Dib, ZTEXT Name);
ZKWDECL uint32_t ZKWAPI dibGetPixel(ZHANDLE Dib, int32_t x, int32_t y);
ZKWDECL uint32_t ZKWAPI dibGetPixelEx(ZHANDLE Dib, int32_t x, int32_t y);
ZKWDECL void ZKWAPI dibPutPixel(ZHANDLE Dib, int32_t x, int32_t y, uint32_t Color);
ZKWDECL void ZKWAPI dibPutShadPixel(ZHANDLE Dib, int32_t x, int32_t y, int32_t Shad);
ZKWDECL void ZKWAPI dibPutMergePixel(ZHANDLE Dib, int32_t x, int32_t y, uint32_t Color,
                                     uint16_t AMerge);
ZKWDECL void ZKWAPI dibCreateAlphaChannel(ZHANDLE Dib);
ZKWDECL void ZKWAPI dibConvertAlphaGrayscale(ZHANDLE Dib);
ZKWDECL void ZKWAPI dibLoadAlphaFromFile(ZHANDLE Dib, ZTEXT Name);
ZKWDECL int32_t ZKWAPI SamePalette(const void* A, const void* B);
ZKWDECL uint8_t ZKWAPI NearestColor(uint32_t Color, const void* Table);
ZKWDECL void ZKWAPI ChangeDibPaletteTo(ZHANDLE Dib, const void* Table);

/* ==== DEX records (docs/format-dex.md) ===================================================== */
ZKWDECL int32_t ZKWAPI GetDEXSize(ZBLOCK Image, ZBLOCK Alpha);
ZKWDECL int32_t ZKWAPI SaveDibExToStream(ZHANDLE Stream, ZBLOCK Image, ZBLOCK Alpha);
ZKWDECL int32_t ZKWAPI SaveDibExFile(ZTEXT Name, ZBLOCK Image, ZBLOCK Alpha);
ZKWDECL int32_t ZKWAPI SaveDibExToBuffer(void* Dest, ZBLOCK Image, ZBLOCK Alpha);
ZKWDECL uint32_t ZKWAPI LoadDibExFromStream(ZHANDLE Stream, ZBLOCK* Image, ZBLOCK* Alpha);
ZKWDECL uint32_t ZKWAPI LoadDibExFile(ZTEXT Name, ZBLOCK* Image, ZBLOCK* Alpha);
ZKWDECL uint32_t ZKWAPI LoadDibExFromBuffer(const uint8_t** Position, ZBLOCK* Image,
                                            ZBLOCK* Alpha);
ZKWDECL ZHANDLE ZKWAPI DibObjectFromDex(ZTEXT Name);
ZKWDECL ZHANDLE ZKWAPI DibObjectFromBuffer(const void* Record);
ZKWDECL ZHANDLE ZKWAPI LoadDexFromResource(void* Instance, ZTEXT Name);

/* ==== BMP files (docs/format-bmp.md) ======================================================= */
/* GetDIBObj's Header receives a TDibImageHeader. */
ZKWDECL ZBLOCK ZKWAPI LoadDIBFile(ZTEXT Name);
ZKWDECL int32_t ZKWAPI BitmapFileValid(ZTEXT Name);
ZKWDECL int32_t ZKWAPI SaveDibToBitmap(ZTEXT Name, ZBLOCK Block);
ZKWDECL void ZKWAPI CreateDIBFile(ZTEXT BmpName, ZTEXT OutName);
ZKWDECL void ZKWAPI GetDIBObj(ZBLOCK Block, void* Header);

/* ==== DIB library files (docs/format-dib-library.md) ======================================= */
// DIB library files: validity, entry count, reading entries as blocks, objects, BMP streams
// and row bitmaps, and appending DEX and BMP files. Writers return all bits set for true.
ZKWDECL int32_t ZKWAPI ValidDibLib(const ZKWCHAR* Name);
ZKWDECL int32_t ZKWAPI LibDibCount(const ZKWCHAR* Name);
ZKWDECL void* ZKWAPI GetDibBitmap(const ZKWCHAR* Name, int32_t Index);
// Bits per pixel of the entry (8 for versions 0 and 1), 0 on failure; both blocks are set.
ZKWDECL uint32_t ZKWAPI GetDibFromLib(const ZKWCHAR* Name, int32_t Index, void** Image,
                                       void** Alpha);
ZKWDECL void* ZKWAPI DibObjectFromLib(const ZKWCHAR* Name, int32_t Index);
// Stream: a zkwCreateMemoryStream/zkwCreateFileStream handle; the BMP file goes to its start.
ZKWDECL int32_t ZKWAPI GetDibToStream(void* Stream, const ZKWCHAR* Name, int32_t Index);
// Bitmap: a zkwCreateRowBitmap handle.
ZKWDECL int32_t ZKWAPI GetDibToBitmap(void* Bitmap, const ZKWCHAR* Name, int32_t Index);
ZKWDECL uint32_t ZKWAPI AddDEXFile(const ZKWCHAR* DexName, const ZKWCHAR* LibName);
ZKWDECL uint32_t ZKWAPI AddDibFile(const ZKWCHAR* BmpName, const ZKWCHAR* LibName);
ZKWDECL uint32_t ZKWAPI CreateArrayDibFile(const ZKWCHAR* ListName, const ZKWCHAR* LibName);

/* ==== Byte streams, errors and the library module (docs/api-host.md) ======================= */
ZKWDECL ZHANDLE ZKWAPI zkwCreateMemoryStream(const void* Data, int32_t Size);
ZKWDECL ZHANDLE ZKWAPI zkwCreateFileStream(ZTEXT Name, int32_t Mode);
ZKWDECL void ZKWAPI zkwFreeStream(ZHANDLE Stream);
ZKWDECL int32_t ZKWAPI zkwStreamRead(ZHANDLE Stream, void* Buffer, int32_t Count);
ZKWDECL int32_t ZKWAPI zkwStreamWrite(ZHANDLE Stream, const void* Buffer, int32_t Count);
ZKWDECL int32_t ZKWAPI zkwStreamSeek(ZHANDLE Stream, int32_t Offset, int32_t Origin);
ZKWDECL int32_t ZKWAPI zkwStreamSize(ZHANDLE Stream);
ZKWDECL ZTEXT ZKWAPI zkwGetLastErrorText(void);
ZKWDECL void ZKWAPI zkwClearLastError(void);
ZKWDECL void* ZKWAPI zkwLibraryModule(void);

/* ==== Drawing and compositing on DIB objects (docs/api-drawing.md) ========================= */
// Exported drawing and compositing of DIB objects: shapes, filled rectangles, blended shapes
// and the draws of one image into another. Each forwards to the operation of the same name
// without the dib prefix; colours are palette indexes on 8-bit images and COLORREFs on 24-bit
// images; Word arguments (AMerge, Shad, Rate) count their low 16 bits.
/* Shapes */
ZKWDECL void ZKWAPI dibBar(void* Dib, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                           uint32_t Color);
ZKWDECL void ZKWAPI dibBarShadow(void* Dib, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                 uint16_t Shad);
ZKWDECL void ZKWAPI dibBarMerge(void* Dib, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                uint32_t Color, uint16_t AMerge);
ZKWDECL void ZKWAPI dibLine(void* Dib, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                            uint32_t Color);
ZKWDECL void ZKWAPI dibLineEx(void* Dib, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                              int32_t Thick, uint32_t Color);
ZKWDECL void ZKWAPI dibRectangle(void* Dib, int32_t left, int32_t top, int32_t right,
                                 int32_t bottom, int32_t LineWidth, uint32_t Color);
ZKWDECL void ZKWAPI dibCircle(void* Dib, int32_t x0, int32_t y0, int32_t r, int32_t LineWidth,
                              uint32_t Color);
ZKWDECL void ZKWAPI dibSlice(void* Dib, int32_t x0, int32_t y0, int32_t r, uint32_t Color);
ZKWDECL void ZKWAPI dibEllipse(void* Dib, int32_t x0, int32_t y0, int32_t rx, int32_t ry,
                               int32_t LineWidth, uint32_t Color);
ZKWDECL void ZKWAPI dibFillEllipse(void* Dib, int32_t x0, int32_t y0, int32_t rx, int32_t ry,
                                   uint32_t Color);
ZKWDECL void ZKWAPI dibPolygon(void* Dib, int32_t x, int32_t y, int32_t Num, int32_t Radius,
                               int32_t StartAngle, int32_t Thick, uint32_t Color);
ZKWDECL void ZKWAPI dibPetal(void* Dib, int32_t x, int32_t y, int32_t r, int32_t n,
                             int32_t StartAngle, uint32_t Color);
ZKWDECL void ZKWAPI dibFloodFill(void* Dib, int32_t x, int32_t y, uint32_t AColor);
ZKWDECL void ZKWAPI dibLineMerge(void* Dib, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                                 uint32_t Color, uint16_t AMerge);
ZKWDECL void ZKWAPI dibRectangleMerge(void* Dib, int32_t left, int32_t top, int32_t right,
                                      int32_t bottom, int32_t LineWidth, uint32_t Color,
                                      uint16_t AMerge);
ZKWDECL void ZKWAPI dibCircleMerge(void* Dib, int32_t x0, int32_t y0, int32_t r,
                                   int32_t LineWidth, uint32_t Color, uint16_t AMerge);
ZKWDECL void ZKWAPI dibSliceMerge(void* Dib, int32_t x0, int32_t y0, int32_t r,
                                  uint32_t Color, uint16_t AMerge);
ZKWDECL void ZKWAPI dibEllipseMerge(void* Dib, int32_t x0, int32_t y0, int32_t rx, int32_t ry,
                                    int32_t LineWidth, uint32_t Color, uint16_t AMerge);
ZKWDECL void ZKWAPI dibFillEllipseMerge(void* Dib, int32_t x0, int32_t y0, int32_t rx,
                                        int32_t ry, uint32_t Color, uint16_t AMerge);
ZKWDECL void ZKWAPI dibPolygonMerge(void* Dib, int32_t x, int32_t y, int32_t Num,
                                    int32_t Radius, int32_t StartAngle, uint32_t Color,
                                    uint16_t AMerge);
ZKWDECL void ZKWAPI dibPetalMerge(void* Dib, int32_t x, int32_t y, int32_t r, int32_t n,
                                  int32_t StartAngle, uint32_t Color, uint16_t AMerge);

/* One image into another (the target first, then the source Dib) */
ZKWDECL void ZKWAPI dibDrawTransparent(void* Target, int32_t x, int32_t y, void* Dib,
                                       int32_t dx, int32_t dy);
ZKWDECL void ZKWAPI dibDrawShadow(void* Target, int32_t x, int32_t y, void* Dib, int32_t dx,
                                  int32_t dy, uint16_t Rate);
ZKWDECL void ZKWAPI dibDrawPeace(void* Target, int32_t x, int32_t y, void* Dib, int32_t xx,
                                 int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy);
ZKWDECL void ZKWAPI dibDrawPeaceShadow(void* Target, int32_t x, int32_t y, void* Dib,
                                       int32_t xx, int32_t yy, int32_t w, int32_t h,
                                       int32_t dx, int32_t dy, uint16_t Rate);
ZKWDECL void ZKWAPI dibDrawArea(void* Target, int32_t x, int32_t y, void* Dib, int32_t xx,
                                int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy);
ZKWDECL void ZKWAPI dibDrawMerge(void* Target, int32_t x, int32_t y, void* Dib, int32_t xx,
                                 int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy,
                                 uint16_t Rate);
ZKWDECL void ZKWAPI dibDrawMergeOpaque(void* Target, int32_t x, int32_t y, void* Dib,
                                       int32_t xx, int32_t yy, int32_t w, int32_t h,
                                       int32_t dx, int32_t dy, uint16_t Rate);
ZKWDECL void ZKWAPI dibDrawNormalOnLineY(void* Target, int32_t x, int32_t y, void* Dib,
                                         int32_t xx, int32_t yy, int32_t w, int32_t h,
                                         int32_t dx, int32_t dy, const int16_t* Lines,
                                         int32_t delta);
ZKWDECL void ZKWAPI dibDrawOnLineY(void* Target, int32_t x, int32_t y, void* Dib, int32_t xx,
                                   int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy,
                                   const int16_t* Lines, int32_t delta);
ZKWDECL void ZKWAPI dibDrawMergeOnLineY(void* Target, int32_t x, int32_t y, void* Dib,
                                        int32_t xx, int32_t yy, int32_t w, int32_t h,
                                        int32_t dx, int32_t dy, const int16_t* Lines,
                                        int32_t delta, int32_t Rate);
ZKWDECL void ZKWAPI dibDrawOnLineX(void* Target, int32_t x, int32_t y, void* Dib, int32_t xx,
                                   int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy,
                                   const int16_t* Lines, int32_t delta);
ZKWDECL void ZKWAPI dibDrawNormalOnLineX(void* Target, int32_t x, int32_t y, void* Dib,
                                         int32_t xx, int32_t yy, int32_t w, int32_t h,
                                         int32_t dx, int32_t dy, const int16_t* Lines,
                                         int32_t delta);
ZKWDECL void ZKWAPI dibDrawMergeOnLineX(void* Target, int32_t x, int32_t y, void* Dib,
                                        int32_t xx, int32_t yy, int32_t w, int32_t h,
                                        int32_t dx, int32_t dy, const int16_t* Lines,
                                        int32_t delta, int32_t Rate);

/* ==== Images on device contexts (docs/api-device-contexts.md) ============================== */
// Exported drawing of images on device contexts: DIB objects drawn, stretched and composited
// onto a DC, image memory blocks put on a DC, conversions between bitmaps, files, resources and
// blocks, and (for Linux hosts) memory DCs over pixel buffers.
/* DIB objects on a DC */
ZKWDECL void ZKWAPI dibDraw(void* Dib, void* dc, int32_t x, int32_t y);
ZKWDECL void ZKWAPI dibDrawPart(void* Dib, void* dc, int32_t x, int32_t y, int32_t w,
                                int32_t h, int32_t ox, int32_t oy, int32_t dw, int32_t dh);
ZKWDECL void ZKWAPI DrawAlphaDibOnDC(void* dc, int32_t x, int32_t y, void* Dib);
ZKWDECL void ZKWAPI DrawAlphaDibOnDCEx(void* dc, int32_t x, int32_t y, void* Dib, int32_t dx,
                                       int32_t dy);
ZKWDECL void ZKWAPI dibDrawMergeDC(void* dc, int32_t x, int32_t y, void* Dib, uint16_t Rate);
ZKWDECL void ZKWAPI dibDrawMergeDCEx(void* dc, int32_t x, int32_t y, void* Dib, uint16_t Rate,
                                     int32_t dx, int32_t dy);
ZKWDECL void ZKWAPI dibDrawPartAlpha(void* Dib, void* dc, int32_t x, int32_t y, int32_t xx,
                                     int32_t yy, int32_t w, int32_t h);
ZKWDECL void ZKWAPI dibDrawPartAlphaEx(void* Dib, void* dc, int32_t x, int32_t y, int32_t xx,
                                       int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy);
ZKWDECL void ZKWAPI dibDrawMergePartAlpha(void* Dib, void* dc, int32_t x, int32_t y,
                                          int32_t xx, int32_t yy, int32_t w, int32_t h,
                                          uint16_t Rate);
ZKWDECL void ZKWAPI dibDrawMergePartAlphaEx(void* Dib, void* dc, int32_t x, int32_t y,
                                            int32_t xx, int32_t yy, int32_t w, int32_t h,
                                            uint16_t Rate, int32_t dx, int32_t dy);
ZKWDECL void ZKWAPI PrintAlphaDibOnDC(void* dc, int32_t x, int32_t y, int32_t w, int32_t h,
                                      void* Dib);
ZKWDECL void ZKWAPI StretchAlphaDibOnDC(void* dc, int32_t x1, int32_t y1, int32_t x2,
                                        int32_t y2, void* Dib);

/* Image memory blocks on a DC */
ZKWDECL int32_t ZKWAPI PutDIB(void* dc, int32_t x, int32_t y, void* Block, uint32_t Flags);
ZKWDECL int32_t ZKWAPI PutDIBStr(void* dc, int32_t x, int32_t y, int32_t w, int32_t h,
                                 void* Block, uint32_t Flags);
ZKWDECL void ZKWAPI PutDIBit(void* dc, int32_t x, int32_t y, int32_t w, int32_t h, void* Block);
ZKWDECL void ZKWAPI PutDIBitStr(void* dc, int32_t x, int32_t y, int32_t w, int32_t h,
                                void* Block);
ZKWDECL int32_t ZKWAPI AdvPutDIBStr(void* dc, int32_t x, int32_t y, int32_t w, int32_t h,
                                    void* Block, int32_t xs, int32_t ys, int32_t ws, int32_t hs,
                                    uint32_t Flags);
ZKWDECL void ZKWAPI AdvPutDIBit(void* dc, int32_t x, int32_t y, int32_t w, int32_t h,
                                void* Block, int32_t xs, int32_t ys, int32_t ws, int32_t hs);
ZKWDECL int32_t ZKWAPI StretchDIBToRect(void* dc, int32_t x1, int32_t y1, int32_t x2,
                                        int32_t y2, void* Block, uint32_t Flags);

/* Bitmaps, palettes, resources */
ZKWDECL void* ZKWAPI BitmapToDIB(void* dc, void* Bitmap, void* Palette);
ZKWDECL int32_t ZKWAPI SaveBitmapToFile(void* dc, const ZKWCHAR* Name, void* Bitmap,
                                        void* Palette);
ZKWDECL void* ZKWAPI BitmapFromDIB(void* Block, void** Palette);
ZKWDECL void* ZKWAPI ReadBitmap(const ZKWCHAR* Name, void** Palette);
ZKWDECL void* ZKWAPI LoadBitmap256(void* Instance, const ZKWCHAR* Name, void** Palette);
ZKWDECL void* ZKWAPI LoadResDIB(void* Instance, const ZKWCHAR* Name);
ZKWDECL void* ZKWAPI GetDibPattern(const ZKWCHAR* Name);

/* Memory DCs over pixel buffers (what a Linux host lacks) */
// A memory DC with a top-down 32-bit (blue, green, red, unused) section of w x h selected.
ZKWDECL void* ZKWAPI zkwCreateMemoryDC(int32_t w, int32_t h);
// The section's first (top) row; rows are w * 4 bytes apart.
ZKWDECL void* ZKWAPI zkwMemoryDCPixels(void* dc);
ZKWDECL void ZKWAPI zkwDeleteMemoryDC(void* dc);

/* ==== Transforms and smooth drawing (docs/api-transforms.md) =============================== */
// Exported transforms of DIB objects: scaling, rotation, shear, run scaling and flips (each
// forwards to the operation of the same name without the dib prefix; the target first, then
// the operation's arguments with the source Dib where it stands), the scaled copy of an image,
// the offset-table fillers, and the host helpers of smooth drawing.
/* Scaling and rotation */
ZKWDECL void ZKWAPI dibScale(void* Target, int32_t x, int32_t y, int32_t rx, int32_t ry,
                             void* Dib);
ZKWDECL void ZKWAPI dibScaleShadow(void* Target, uint16_t x, uint16_t y, int32_t rx,
                                   int32_t ry, uint16_t Shad, void* Dib);
ZKWDECL void ZKWAPI dibRotate(void* Target, int32_t x, int32_t y, int32_t Angle, void* Dib);
ZKWDECL void ZKWAPI dibScaleRotate(void* Target, int32_t x, int32_t y, int32_t rx, int32_t ry,
                                   uint16_t Angle, void* Dib);
ZKWDECL void ZKWAPI dibScaleEx(void* Target, int32_t x, int32_t y, int32_t rx, int32_t ry,
                               void* Dib, int32_t xx, int32_t yy, int32_t w, int32_t h,
                               uint16_t AMerge);
ZKWDECL void ZKWAPI dibRotateEx(void* Target, int32_t x, int32_t y, int32_t Angle, void* Dib,
                                int32_t xx, int32_t yy, int32_t w, int32_t h, uint16_t AMerge);
ZKWDECL void ZKWAPI dibScaleRotateEx(void* Target, int32_t x, int32_t y, int32_t rx,
                                     int32_t ry, uint16_t Angle, void* Dib, int32_t xx,
                                     int32_t yy, int32_t w, int32_t h, uint16_t AMerge);
// A new 24-bit image (the caller frees it with FreeDibObject), or 0.
ZKWDECL void* ZKWAPI dibGetScaleDib(int32_t rx, int32_t ry, void* Dib);

/* Shear, run scaling, flips */
ZKWDECL void ZKWAPI dibShear(void* Target, int32_t x, int32_t y, int32_t OrgX, int32_t OrgY,
                             double hx, double hy, void* Dib);
ZKWDECL void ZKWAPI dibRunScaleY(void* Target, int32_t x, int32_t y, void* Dib,
                                 const int16_t* LData, int32_t OrgX, int32_t Limit);
ZKWDECL void ZKWAPI dibRunScaleX(void* Target, int32_t x, int32_t y, void* Dib,
                                 const int16_t* ALine, int32_t OrgY, int32_t Limit);
ZKWDECL void ZKWAPI dibDrawScaledColumn(void* Target, int32_t x, int32_t y, void* Dib,
                                        int32_t Rate, int32_t Column);
ZKWDECL void ZKWAPI dibDrawScaledRow(void* Target, int32_t x, int32_t y, void* Dib,
                                     int32_t Rate, int32_t Row);
ZKWDECL void ZKWAPI dibFlipVertical(void* Dib);
ZKWDECL void ZKWAPI dibFlipHorizontal(void* Dib);

/* Offset tables (1025 entries per line) */
ZKWDECL void ZKWAPI GetLine(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int16_t* Values,
                            int32_t Mode);
ZKWDECL void ZKWAPI GetSinLine(double A, double B, int16_t* Values);

/* Smooth drawing (host helpers) */
// Start and stop the image-drawing service (GDI+ on Windows); the start returns 1 when it runs.
ZKWDECL int32_t ZKWAPI zkwImagingStartup(void);
ZKWDECL void ZKWAPI zkwImagingShutdown(void);
// Draw a DIB object's cached ARGB copy (built on first use) rotated, scaled or both; V and H
// are the alignment codes (1 top / left, 2 bottom / right, other centre), t the opacity 0..1.
ZKWDECL void ZKWAPI zkwDrawDibRotated(void* dc, int32_t x, int32_t y, int32_t V, int32_t H,
                                      float t, void* Dib, int32_t Angle);
ZKWDECL void ZKWAPI zkwDrawDibScaled(void* dc, int32_t x, int32_t y, int32_t V, int32_t H,
                                     float t, void* Dib, float ScaleY, float ScaleX);
ZKWDECL void ZKWAPI zkwDrawDibScaledRotated(void* dc, int32_t x, int32_t y, int32_t V,
                                            int32_t H, float t, void* Dib, float ScaleY,
                                            float ScaleX, int32_t Angle);

/* ==== Colour procedures and backgrounds (docs/api-colour.md) =============================== */
// Exported colour procedures, backgrounds and the host's row bitmaps.
/* Colour procedures */
ZKWDECL void ZKWAPI RGBtoHLS(uint32_t Color, int32_t* H, int32_t* L, int32_t* S);
ZKWDECL uint32_t ZKWAPI HLStoRGB(int32_t H, int32_t L, int32_t S);
ZKWDECL uint32_t ZKWAPI ChangeColorLight(uint32_t Color, int32_t Delta);
ZKWDECL void ZKWAPI VColorGradient(void* dc, uint32_t Color1, uint32_t Color2, int32_t x1,
                                   int32_t y1, int32_t x2, int32_t y2);
ZKWDECL void ZKWAPI HColorGradient(void* dc, uint32_t Color1, uint32_t Color2, int32_t x1,
                                   int32_t y1, int32_t x2, int32_t y2);
ZKWDECL void ZKWAPI VerticalGradient(void* dc, uint32_t Color1, uint32_t Color2,
                                     uint32_t Color3, int32_t x1, int32_t y1, int32_t x2,
                                     int32_t y2, int32_t Pos);
ZKWDECL void ZKWAPI HorizontalGradient(void* dc, uint32_t Color1, uint32_t Color2,
                                       uint32_t Color3, int32_t x1, int32_t y1, int32_t x2,
                                       int32_t y2, int32_t Pos);
ZKWDECL void ZKWAPI HorizontalMultiGradient(void* dc, const int32_t* Colors,
                                            const int32_t* Positions, int32_t Count,
                                            int32_t x1, int32_t y1, int32_t x2, int32_t y2);
ZKWDECL void ZKWAPI VerticalMultiGradient(void* dc, const int32_t* Colors,
                                          const int32_t* Positions, int32_t Count, int32_t x1,
                                          int32_t y1, int32_t x2, int32_t y2);
ZKWDECL void ZKWAPI HorizontalMultiGradientPos(void* dc, const int32_t* Colors,
                                               const int32_t* Positions, int32_t Count,
                                               int32_t x1, int32_t y1, int32_t x2, int32_t y2);
ZKWDECL void ZKWAPI VerticalMultiGradientPos(void* dc, const int32_t* Colors,
                                             const int32_t* Positions, int32_t Count,
                                             int32_t x1, int32_t y1, int32_t x2, int32_t y2);
ZKWDECL uint32_t ZKWAPI BlendColor(uint32_t Color, uint32_t Color2, int32_t Percent);
ZKWDECL void ZKWAPI BlendRect(void* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                              uint32_t Color, int32_t Percent);
ZKWDECL void ZKWAPI BlendLine(void* dc, int32_t x1, int32_t y, int32_t x2, uint32_t Color,
                              int32_t Percent);
ZKWDECL uint8_t ZKWAPI MultiplyColor(uint8_t* Dest, uint32_t Color1, uint32_t Color2);
ZKWDECL void ZKWAPI FXBoxBlur(void* Bitmap, int32_t Radius, int32_t Passes);
ZKWDECL void ZKWAPI DrawCornerFrameAlpha(void* dc, int32_t x1, int32_t y1, int32_t x2,
                                         int32_t y2, uint32_t Color, int32_t Percent);

/* Backgrounds */
ZKWDECL void ZKWAPI RectangleGround(void* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                                    int32_t x2, int32_t y2);
ZKWDECL void ZKWAPI HorzCenterGround(void* Dib, uint8_t C1, uint8_t C2, int32_t x1,
                                     int32_t y1, int32_t x2, int32_t y2);
ZKWDECL void ZKWAPI HorizonGround(void* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                                  int32_t x2, int32_t y2);
ZKWDECL void ZKWAPI VerticalGround(void* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                                   int32_t x2, int32_t y2);
ZKWDECL void ZKWAPI VertCenterGround(void* Dib, uint8_t C1, uint8_t C2, int32_t x1,
                                     int32_t y1, int32_t x2, int32_t y2);
ZKWDECL void ZKWAPI CircleGround(void* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                                 int32_t x2, int32_t y2);
ZKWDECL void ZKWAPI HorzSineGround(void* Dib, uint8_t C1, uint8_t C2, int32_t Period,
                                   int32_t Amp, int32_t x1, int32_t y1, int32_t x2,
                                   int32_t y2);
ZKWDECL void ZKWAPI VertSineGround(void* Dib, uint8_t C1, uint8_t C2, int32_t Period,
                                   int32_t Amp, int32_t x1, int32_t y1, int32_t x2,
                                   int32_t y2);
ZKWDECL void ZKWAPI BorderGround(void* Dib, uint32_t Color, uint32_t Color2, int32_t Step,
                                 int32_t Offset, int32_t Thick, int32_t x1, int32_t y1,
                                 int32_t x2, int32_t y2);
ZKWDECL void ZKWAPI BandsGround(void* Dib, uint8_t C1, uint8_t C2, uint8_t Vertical,
                                int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Returns h, the number of polygon steps (at most 2147483647).
ZKWDECL int32_t ZKWAPI PolygonGround(void* Dib, uint8_t C1, uint8_t C2, int32_t Num,
                                     int32_t Density, uint8_t Outward, int32_t x1,
                                     int32_t y1, int32_t x2, int32_t y2);

/* Row bitmaps (what a host needs to hand bitmaps to FXBoxBlur) */
// A zeroed bitmap of Width x Height pixels of Bits (8 or 24) bits; 0 for other depths or sizes.
ZKWDECL void* ZKWAPI zkwCreateRowBitmap(int32_t Width, int32_t Height, int32_t Bits);
ZKWDECL void ZKWAPI zkwFreeRowBitmap(void* Bitmap);
// Writes the size and depth (each address may be 0); 1, or 0 for no bitmap.
ZKWDECL int32_t ZKWAPI zkwRowBitmapInfo(void* Bitmap, int32_t* Width, int32_t* Height,
                                        int32_t* Bits);
// Picture row y (0 = top), Width x Bits / 8 bytes; 0 outside the bitmap.
ZKWDECL void* ZKWAPI zkwRowBitmapScanLine(void* Bitmap, int32_t y);
// The 256 colour-table entries (blue, green, red, 0) of an 8-bit bitmap; 0 for 24 bits.
ZKWDECL void* ZKWAPI zkwRowBitmapColorTable(void* Bitmap);

/* ==== GDI helpers, button images, colour dialog (docs/api-colour.md) ======================= */
// Exported GDI helpers, button images and the colour selection dialog.
/* GDI helpers */
ZKWDECL void* ZKWAPI AdvInstance(void);
// LogFont is a UTF-16 logical font record (92 bytes).
ZKWDECL void ZKWAPI GetFont(void* dc, void* LogFont, const ZKWCHAR* FaceName, int32_t Size,
                            int32_t Bold, uint8_t Italic, uint8_t Underline);
ZKWDECL void* ZKWAPI CreatePhysFont(void* dc, const ZKWCHAR* FaceName, int32_t Size,
                                    int32_t Bold, uint8_t Italic, uint8_t Underline);
ZKWDECL void ZKWAPI FillBox(void* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                            uint32_t Color);
ZKWDECL void ZKWAPI Line(void* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                         int32_t Width, uint32_t Color);
ZKWDECL void ZKWAPI DisplayRect(void* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                int32_t Width, uint32_t Color);
ZKWDECL void* ZKWAPI AdvGetDC(void* Window, void* Palette, uint8_t Background);
ZKWDECL void ZKWAPI DrawDipRectColor(void* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                     uint32_t C1, uint32_t C2, uint32_t C3);
ZKWDECL void* ZKWAPI TextShadow(void* dc, int32_t x, int32_t y, const ZKWCHAR* Text,
                                uint32_t Color, uint32_t ShadowColor, void* Font,
                                int32_t Offset);
ZKWDECL void* ZKWAPI DrawTextShadow(void* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                    const ZKWCHAR* Text, uint32_t Color,
                                    uint32_t ShadowColor, void* Font, int32_t Offset,
                                    uint32_t Format);
ZKWDECL void ZKWAPI PutBitmap(void* dc, int32_t x, int32_t y, void* Bitmap, void* Palette,
                              uint8_t Background);
ZKWDECL void ZKWAPI PutStretchBitmap(void* dc, int32_t x, int32_t y, int32_t w, int32_t h,
                                     int32_t Mx, int32_t My, void* Bitmap, void* Palette,
                                     uint8_t Background);

/* Button images */
ZKWDECL void* ZKWAPI kwgdiLoadRadioButtonImage(void);
ZKWDECL void ZKWAPI kwgdiFreeRadioButtonImage(void* Image);
ZKWDECL void ZKWAPI kwgdiDrawRadioButton(void* Image, void* Target, int32_t x, int32_t y,
                                         uint32_t State);
ZKWDECL void* ZKWAPI kwgdiLoadSysButtonImage(void);

/* Colour selection dialog */
// Record: size (36; 48 in 64-bit builds), owner window, colour address, 16 unused bytes, show the
// standard colours, show the system colours. All bits set when confirmed, else 0.
ZKWDECL uint32_t ZKWAPI SelectColorDialog(void* Record);
// Linux hosts: called with the dialog and Data whenever a modal dialog has no message to handle;
// it may inject input or move the clock. Returning 0 (or having no hook) cancels the dialog.
// Ignored on Windows, where the dialog waits for messages.
ZKWDECL void ZKWAPI zkwSetModalHook(ZMODALHOOK Proc, void* Data);

/* ==== Bitmap fonts (docs/api-fonts.md) ===================================================== */
// Exported bitmap-font functions (df and dfu: two sets of entry points to the same font
// object) and the process-wide clip region and justification of font drawing. A font handle is
// the address of a TDibFont; text is zero-terminated UTF-16 with a count of code units;
// rectangles are four integers left, top, right, bottom; Boolean arguments count their low
// byte and Boolean out-pointers receive one byte.
ZKWDECL ZFONT ZKWAPI dfCreateDibFont(void);
ZKWDECL ZFONT ZKWAPI CreateDFUFont(void);
ZKWDECL void ZKWAPI dfFreeDibFont(ZFONT Font);
ZKWDECL void ZKWAPI FreeDFUFont(ZFONT Font);
ZKWDECL void* ZKWAPI dfGetFontImage(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfTextHeight(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfBaseline(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfExternalLeading(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfGetKerning(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfSetKerning(ZFONT Font, int32_t Value);
ZKWDECL int32_t ZKWAPI dfLoadFromFile(ZFONT Font, const ZKWCHAR* Name);
ZKWDECL int32_t ZKWAPI dfSaveToFile(ZFONT Font, const ZKWCHAR* Name);
ZKWDECL void ZKWAPI dfSetColor(ZFONT Font, uint32_t AColor, uint32_t AOutColor);
ZKWDECL void ZKWAPI dfWriteText(ZFONT Font, int32_t x, int32_t y, const ZKWCHAR* wst,
                                int32_t Count, void* Dib);
ZKWDECL int32_t ZKWAPI dfDrawText(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                  int32_t bottom, const ZKWCHAR* st, int32_t Len, void* Dib,
                                  uint16_t Flag);
ZKWDECL int32_t ZKWAPI dfCalcText(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                  int32_t bottom, const ZKWCHAR* st, int32_t Len);
ZKWDECL int32_t ZKWAPI dfTextWidth(ZFONT Font, const ZKWCHAR* wst, uint16_t Count);
ZKWDECL int32_t ZKWAPI dfuTextHeight(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfuBaseline(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfuExternalLeading(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfuGetKerning(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfuSetKerning(ZFONT Font, int32_t Value);
ZKWDECL int32_t ZKWAPI dfuLoadFromFile(ZFONT Font, const ZKWCHAR* Name);
ZKWDECL int32_t ZKWAPI dfuSaveToFile(ZFONT Font, const ZKWCHAR* Name);
ZKWDECL void ZKWAPI dfuSetColor(ZFONT Font, uint32_t AColor, uint32_t AOutColor);
ZKWDECL void ZKWAPI dfuWriteText(ZFONT Font, int32_t x, int32_t y, const ZKWCHAR* wst,
                                 int32_t Count, void* Dib);
ZKWDECL int32_t ZKWAPI dfuDrawText(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                   int32_t bottom, const ZKWCHAR* st, int32_t Len, void* Dib,
                                   uint16_t Flag);
ZKWDECL int32_t ZKWAPI dfuCalcText(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                   int32_t bottom, const ZKWCHAR* st, int32_t Len);
ZKWDECL int32_t ZKWAPI dfuTextWidth(ZFONT Font, const ZKWCHAR* wst, uint16_t Count);
ZKWDECL int32_t ZKWAPI dfuLoadFontImage(ZFONT Font, const ZKWCHAR* Name);
ZKWDECL int32_t ZKWAPI dfuLoadOutlineImage(ZFONT Font, const ZKWCHAR* Name);
ZKWDECL int32_t ZKWAPI dfuLoadShadowImage(ZFONT Font, const ZKWCHAR* Name);
ZKWDECL void ZKWAPI dfWriteTextEx(ZFONT Font, int32_t x, int32_t y, const ZKWCHAR* wst,
                                  int32_t Count, void* Dib, uint16_t opacity);
ZKWDECL void ZKWAPI dfWriteTextMerge1(ZFONT Font, int32_t x, int32_t y, const ZKWCHAR* wst,
                                      int32_t Count, void* Dib, uint16_t opacity);
ZKWDECL int32_t ZKWAPI dfDrawTextEx(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                    int32_t bottom, const ZKWCHAR* st, int32_t Len,
                                    void* Dib, uint16_t Flag, uint16_t opacity);
ZKWDECL int32_t ZKWAPI dfDrawTextMerge(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                       int32_t bottom, const ZKWCHAR* st, int32_t Len,
                                       void* Dib, uint16_t Flag, uint16_t opacity);
ZKWDECL void ZKWAPI dfWriteTextMerge2(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                      int32_t bottom, const ZKWCHAR* st, int32_t Len,
                                      uint16_t Flag, void* Dib, uint16_t opacity);
ZKWDECL void ZKWAPI dfSetAttr(ZFONT Font, uint32_t AColor, uint8_t AOutline,
                              uint32_t AOutlineColor, uint8_t AShadow, uint32_t AShadowColor);
ZKWDECL int32_t ZKWAPI dfGetAttr(ZFONT Font, int32_t* AColor, uint8_t* AOutline,
                                 int32_t* AOutlineColor, uint8_t* AShadow,
                                 int32_t* AShadowColor);
ZKWDECL int32_t ZKWAPI dfuGetFontColor(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfuSetFontColor(ZFONT Font, int32_t Value);
ZKWDECL int32_t ZKWAPI dfuGetOutlineColor(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfuSetOutlineColor(ZFONT Font, int32_t Value);
ZKWDECL int32_t ZKWAPI dfuGetShadowColor(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfuSetShadowColor(ZFONT Font, int32_t Value);
ZKWDECL int32_t ZKWAPI dfuGetOutline(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfuSetOutline(ZFONT Font, uint8_t Value);
ZKWDECL int32_t ZKWAPI dfuGetShadow(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfuSetShadow(ZFONT Font, uint8_t Value);
ZKWDECL int32_t ZKWAPI dfuGetLeading(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfuSetLeading(ZFONT Font, int32_t Value);
ZKWDECL int32_t ZKWAPI dfuGetExtra(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfuSetExtra(ZFONT Font, int32_t Value);
ZKWDECL int32_t ZKWAPI dfuGetShadowOpacity(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfuSetShadowOpacity(ZFONT Font, uint16_t Value);
ZKWDECL int32_t ZKWAPI dfuGetUnderline(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfuSetUnderline(ZFONT Font, uint8_t Value);
ZKWDECL int32_t ZKWAPI dfuGetUnderlineStyle(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfuSetUnderlineStyle(ZFONT Font, uint16_t Value);
ZKWDECL uint32_t ZKWAPI dfuGetUnderlineColor(ZFONT Font);
ZKWDECL uint32_t ZKWAPI dfuSetUnderlineColor(ZFONT Font, uint32_t Value);
ZKWDECL int32_t ZKWAPI dfuGetStrokeStyle(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfuSetStrokeStyle(ZFONT Font, int32_t Value);
ZKWDECL uint32_t ZKWAPI dfuGetStrokeColor(ZFONT Font);
ZKWDECL uint32_t ZKWAPI dfuSetStrokeColor(ZFONT Font, uint32_t Value);
ZKWDECL int32_t ZKWAPI dfuGetShadX(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfuSetShadX(ZFONT Font, int32_t Value);
ZKWDECL int32_t ZKWAPI dfuGetShadY(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfuSetShadY(ZFONT Font, int32_t Value);
ZKWDECL uint32_t ZKWAPI dfuGetBackColor(ZFONT Font);
ZKWDECL uint32_t ZKWAPI dfuSetBackColor(ZFONT Font, uint32_t Value);
ZKWDECL uint32_t ZKWAPI dfuGetBkMode(ZFONT Font);
ZKWDECL uint32_t ZKWAPI dfuSetBkMode(ZFONT Font, uint32_t Value);
ZKWDECL int32_t ZKWAPI dfuGetOpacity(ZFONT Font);
ZKWDECL int32_t ZKWAPI dfuSetOpacity(ZFONT Font, uint16_t Value);
ZKWDECL int32_t ZKWAPI dfuGetAscent(ZFONT Font);
ZKWDECL void ZKWAPI dfUpdateColors(ZFONT Font);
ZKWDECL void ZKWAPI dfWriteTextShadow(intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4,
                                      intptr_t a5, intptr_t a6, intptr_t a7);
ZKWDECL ZFONT ZKWAPI dfCreateFontFrom(intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4,
                                      intptr_t a5, intptr_t a6, intptr_t a7);
ZKWDECL ZFONT ZKWAPI dfCreateFontExFrom(intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4,
                                        intptr_t a5, intptr_t a6, intptr_t a7, intptr_t a8);
ZKWDECL void ZKWAPI DibFontSetTextJustification(int32_t jaWidth, int32_t BreakCount);
ZKWDECL void ZKWAPI SetFontClipRegion(int32_t left, int32_t top, int32_t right, int32_t bottom);
ZKWDECL void ZKWAPI ClearFontClipRegion(void);

/* ==== Font manager (docs/api-font-manager.md) ============================================== */
// Font names and file names are zero-terminated UTF-16; fonts handed out are shared and counted.
ZKWDECL ZFONTMANAGER ZKWAPI CreateDibFontManager(void);
ZKWDECL void ZKWAPI FreeDibFontManager(ZFONTMANAGER Manager);
ZKWDECL void* ZKWAPI dfmCreateFont(ZFONTMANAGER Manager, const ZKWCHAR* Name, int32_t Size,
                                   uint8_t Bold, uint8_t Italic);
ZKWDECL void ZKWAPI dfmDeleteFont(ZFONTMANAGER Manager, void* Font);
ZKWDECL void ZKWAPI dfmRegisterFont(ZFONTMANAGER Manager, const ZKWCHAR* Name, int32_t Size,
                                    uint8_t Bold, uint8_t Italic, const ZKWCHAR* FileName);
ZKWDECL void ZKWAPI dfmRegisterFontPackage(ZFONTMANAGER Manager, const ZKWCHAR* Name,
                                           const ZKWCHAR* FileName);
ZKWDECL void ZKWAPI dfmAutoRegisterPackages(ZFONTMANAGER Manager, const ZKWCHAR* Directory);
ZKWDECL void ZKWAPI dfmRegisterAsDefaultFont(ZFONTMANAGER Manager, const ZKWCHAR* FileName);

/* ==== DIB canvas (docs/api-canvas.md) ====================================================== */
// The DIB canvas (dic) functions and the host helpers for the canvas's bitmaps. Texts are
// zero-terminated UTF-16; Boolean arguments count their low byte; rectangles are four integers
// left, top, right, bottom. The font record of dicSetFontInfo, dicGetFontInfo and dicGetFont is
// the 524-byte TDibCanvasFontInfo.
ZKWDECL ZCANVAS ZKWAPI CreateDibCanvas(void);
ZKWDECL void ZKWAPI FreeDibCanvas(ZCANVAS Canvas);
ZKWDECL void ZKWAPI dicSetFontManager(ZCANVAS Canvas, ZFONTMANAGER Manager);
ZKWDECL void ZKWAPI dicSetFontInfo(ZCANVAS Canvas, const void* Info);
ZKWDECL void ZKWAPI dicGetFontInfo(ZCANVAS Canvas, void* Info);
ZKWDECL void ZKWAPI dicSetCanvasSize(ZCANVAS Canvas, int32_t Width, int32_t Height);
ZKWDECL int32_t ZKWAPI dicTextWidth(ZCANVAS Canvas, const ZKWCHAR* Text, int32_t Count);
ZKWDECL int32_t ZKWAPI dicTextHeight(ZCANVAS Canvas);
ZKWDECL void ZKWAPI dicTextOut(ZCANVAS Canvas, int32_t x, int32_t y, const ZKWCHAR* Text,
                               int32_t Count);
ZKWDECL int32_t ZKWAPI dicDrawText(ZCANVAS Canvas, int32_t left, int32_t top, int32_t right,
                                   int32_t bottom, const ZKWCHAR* Text, int32_t Count,
                                   uint16_t Flag);
ZKWDECL void ZKWAPI dicAdvTextOutW(ZCANVAS Canvas, int32_t x, int32_t y, const ZKWCHAR* Text,
                                   int32_t Count, uint16_t UnderlineStyle,
                                   uint32_t UnderlineColor, uint16_t StrikeStyle,
                                   uint32_t StrikeColor);
ZKWDECL int32_t ZKWAPI dicCalcText(ZCANVAS Canvas, int32_t left, int32_t top, int32_t right,
                                   int32_t bottom, const ZKWCHAR* Text, int32_t Len);
ZKWDECL void ZKWAPI dicClear(ZCANVAS Canvas);
ZKWDECL void ZKWAPI dicSetTextJustification(ZCANVAS Canvas, int32_t jaWidth, int32_t BreakCount);
ZKWDECL void ZKWAPI dicFillRect(ZCANVAS Canvas, int32_t left, int32_t top, int32_t right,
                                int32_t bottom, uint32_t Color);
ZKWDECL void ZKWAPI dicLine(ZCANVAS Canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                            uint32_t Color);
ZKWDECL void ZKWAPI dicInvertRect(ZCANVAS Canvas, int32_t left, int32_t top, int32_t right,
                                  int32_t bottom);
ZKWDECL void ZKWAPI dicSetViewPort(ZCANVAS Canvas, int32_t ox, int32_t oy);
ZKWDECL void ZKWAPI dicDraw(ZCANVAS Canvas, void* DC, int32_t x, int32_t y);
ZKWDECL void ZKWAPI dicCopyBackground(ZCANVAS Canvas, void* DC, int32_t x, int32_t y);
ZKWDECL void* ZKWAPI dicGetDib(ZCANVAS Canvas);
ZKWDECL void* ZKWAPI dicGetBkBitmap(ZCANVAS Canvas);
ZKWDECL void ZKWAPI dicSetBkBitmap(ZCANVAS Canvas, void* Bitmap);
ZKWDECL void* ZKWAPI dicGetBkBitmapHandle(ZCANVAS Canvas);
ZKWDECL const void* ZKWAPI dicGetFont(ZCANVAS Canvas);
ZKWDECL void* ZKWAPI dicGetDibFont(ZCANVAS Canvas);
ZKWDECL void ZKWAPI dicSetDibFont(ZCANVAS Canvas, void* Font);
ZKWDECL int32_t ZKWAPI dicGetLineHeight(ZCANVAS Canvas);
ZKWDECL int32_t ZKWAPI dicGetBaseline(ZCANVAS Canvas);
ZKWDECL void* ZKWAPI dicGetHandle(ZCANVAS Canvas);
ZKWDECL uint32_t ZKWAPI dicGetTextColor(ZCANVAS Canvas);
ZKWDECL uint32_t ZKWAPI dicSetTextColor(ZCANVAS Canvas, uint32_t Value);
ZKWDECL uint32_t ZKWAPI dicGetTextAlignment(ZCANVAS Canvas);
ZKWDECL uint32_t ZKWAPI dicSetTextAlignment(ZCANVAS Canvas, uint32_t Value);
ZKWDECL uint32_t ZKWAPI dicGetBackColor(ZCANVAS Canvas);
ZKWDECL uint32_t ZKWAPI dicSetBackColor(ZCANVAS Canvas, uint32_t Value);
ZKWDECL uint32_t ZKWAPI dicGetBkMode(ZCANVAS Canvas);
ZKWDECL uint32_t ZKWAPI dicSetBkMode(ZCANVAS Canvas, uint32_t Value);
ZKWDECL int32_t ZKWAPI dicGetOpacity(ZCANVAS Canvas);
ZKWDECL int32_t ZKWAPI dicSetOpacity(ZCANVAS Canvas, uint16_t Value);
ZKWDECL int32_t ZKWAPI dicGetScriptMode(ZCANVAS Canvas);
ZKWDECL int32_t ZKWAPI dicSetScriptMode(ZCANVAS Canvas, int32_t Value);
ZKWDECL int32_t ZKWAPI dicGetPenWidth(ZCANVAS Canvas);
ZKWDECL int32_t ZKWAPI dicSetPenWidth(ZCANVAS Canvas, int32_t Value);
ZKWDECL uint32_t ZKWAPI dicGetColor(ZCANVAS Canvas);
ZKWDECL uint32_t ZKWAPI dicSetColor(ZCANVAS Canvas, uint32_t Value);
ZKWDECL int32_t ZKWAPI dicGetShadow(ZCANVAS Canvas);
ZKWDECL int32_t ZKWAPI dicSetShadow(ZCANVAS Canvas, uint8_t Value);
ZKWDECL uint32_t ZKWAPI dicGetShadowColor(ZCANVAS Canvas);
ZKWDECL uint32_t ZKWAPI dicSetShadowColor(ZCANVAS Canvas, uint32_t Value);
ZKWDECL int32_t ZKWAPI dicGetOutline(ZCANVAS Canvas);
ZKWDECL int32_t ZKWAPI dicSetOutline(ZCANVAS Canvas, uint8_t Value);
ZKWDECL uint32_t ZKWAPI dicGetOutlineColor(ZCANVAS Canvas);
ZKWDECL uint32_t ZKWAPI dicSetOutlineColor(ZCANVAS Canvas, uint32_t Value);
ZKWDECL int32_t ZKWAPI dicGetOriginX(ZCANVAS Canvas);
ZKWDECL int32_t ZKWAPI dicGetOriginY(ZCANVAS Canvas);
ZKWDECL int32_t ZKWAPI dicGetCanvasWidth(ZCANVAS Canvas);
ZKWDECL int32_t ZKWAPI dicGetCanvasHeight(ZCANVAS Canvas);

/* Host helpers: bitmaps the canvas takes (bottom-up 24-bit DIB sections) */
// A new w x h section (all pixels 0), or 0 for a size <= 0 or above 256 MiB of pixels.
ZKWDECL void* ZKWAPI zkwCreateBitmap(int32_t w, int32_t h);
// The section's pixels (bottom-up rows of w x 3 bytes padded to 4), or 0 for no DIB section.
ZKWDECL void* ZKWAPI zkwBitmapBits(void* Bitmap);
ZKWDECL void ZKWAPI zkwDeleteBitmap(void* Bitmap);

/* ==== Script values (docs/api-scripts.md) ================================================== */
// Exported script functions: running script text in a scene, and reading and writing object
// properties and scene variables from the host. Texts are zero-terminated 8-bit scene text;
// an object handle is a scene object, an animator handle a scene.
//
// The plain exports that copy text into the caller's buffer (DAGetStr, DAGetStrName,
// DAGetVarStr, DAGetObjectInfo) take no size: the caller's buffer must hold the whole result.
// Their ...Ex twins take the buffer size in bytes, copy what fits (text always zero-terminated
// when Size > 0) and return the bytes the whole result needs (text: its length + 1).
ZKWDECL void ZKWAPI ExecuteCode(void* Animator, void* Obj, const char* Text);
ZKWDECL void ZKWAPI DASet(void* Obj, uint16_t PropID, int32_t Value, const char* Text);
ZKWDECL void ZKWAPI DASetName(const char* Name, void* Animator, uint16_t PropID,
                              int32_t Value, const char* Text);
ZKWDECL int32_t ZKWAPI DAGet(void* Obj, uint16_t PropID);
ZKWDECL int32_t ZKWAPI DAGetName(const char* Name, void* Animator, uint16_t PropID);
ZKWDECL void ZKWAPI DAGetStr(void* Obj, uint16_t PropID, char* Buffer);
ZKWDECL void ZKWAPI DAGetStrName(const char* Name, void* Animator, uint16_t PropID,
                                 char* Buffer);
ZKWDECL void ZKWAPI DAGetObjectInfo(void* Obj, void* Buffer);
ZKWDECL int32_t ZKWAPI DAGetVar(void* Animator, const char* Name);
ZKWDECL void ZKWAPI DAGetVarStr(void* Animator, const char* Name, char* Buffer);
ZKWDECL void ZKWAPI DASetVar(void* Animator, const char* Name, int32_t Value);
ZKWDECL void ZKWAPI DASetVarStr(void* Animator, const char* Name, const char* Text);

ZKWDECL int32_t ZKWAPI DAGetStrEx(void* Obj, uint16_t PropID, char* Buffer, int32_t Size);
ZKWDECL int32_t ZKWAPI DAGetStrNameEx(const char* Name, void* Animator, uint16_t PropID,
                                      char* Buffer, int32_t Size);
ZKWDECL int32_t ZKWAPI DAGetVarStrEx(void* Animator, const char* Name, char* Buffer,
                                     int32_t Size);
ZKWDECL int32_t ZKWAPI DAGetObjectInfoEx(void* Obj, void* Buffer, int32_t Size);

/* ==== Player window (docs/api-player-window.md) ============================================ */
// The player window's exports, and the window entry points a host on a platform without the
// system's window functions needs to drive player windows.
ZKWDECL void ZKWAPI DAPlayFile(int32_t A, int32_t B, int32_t C);
ZKWDECL void ZKWAPI DACheckSound(void);
ZKWDECL int32_t ZKWAPI DAGetSysVersion(void);

// Window host entry points.
ZKWDECL ZWINDOW ZKWAPI zkwCreatePlayerWindow(ZWINDOW Parent, int32_t Width, int32_t Height);
ZKWDECL int32_t ZKWAPI zkwDestroyWindow(ZWINDOW Window);
ZKWDECL int32_t ZKWAPI zkwResizeWindow(ZWINDOW Window, int32_t Width, int32_t Height);
ZKWDECL intptr_t ZKWAPI zkwSendMessage(ZWINDOW Window, uint32_t Msg, uintptr_t WParam,
                                       intptr_t LParam);
ZKWDECL int32_t ZKWAPI zkwPostMessage(ZWINDOW Window, uint32_t Msg, uintptr_t WParam,
                                      intptr_t LParam);
ZKWDECL int32_t ZKWAPI zkwPumpMessages(void);
ZKWDECL int32_t ZKWAPI zkwUseManualClock(int32_t Manual);
ZKWDECL int32_t ZKWAPI zkwAdvanceClock(uint32_t Milliseconds);
ZKWDECL void ZKWAPI zkwSetRandomSeed(uint32_t Seed);
ZKWDECL int32_t ZKWAPI zkwInjectInput(ZWINDOW Window, uint32_t Msg, uintptr_t WParam,
                                      intptr_t LParam);
ZKWDECL int32_t ZKWAPI zkwWindowPixels(ZWINDOW Window, void* Buffer, int32_t Width,
                                       int32_t Height, int32_t Stride);
ZKWDECL ZWNDPROC ZKWAPI zkwSetWindowProc(ZWINDOW Window, ZWNDPROC Proc);
ZKWDECL intptr_t ZKWAPI zkwCallWindowProc(ZWNDPROC Proc, ZWINDOW Window, uint32_t Msg,
                                          uintptr_t WParam, intptr_t LParam);

/* ==== Sound (docs/api-sound.md) ============================================================ */
// Sound exports: the process-wide sound object and manager, wave images played for hosts.
ZKWDECL int32_t ZKWAPI DAWaveInitialize(void* MainWin);
ZKWDECL void ZKWAPI DAWaveUnInitialize(void);
ZKWDECL void ZKWAPI DASetDXSoundObject(ZSOUND Sound);
ZKWDECL ZSOUND ZKWAPI DAGetDXSoundObject(void);
ZKWDECL void ZKWAPI DAPlaySound(void* hMem, void* hWnd, int32_t ID);

/* ==== Equations (docs/api-equations.md) =================================================== */
/* An equation handle is the address of an equation, an item handle that of one of its items;
 * handles other than in eqFreeEquation are not checked. Record results are written through the
 * address passed first. File and face names are 8-bit text in the system code page; the text
 * form is UTF-16. eqRead and eqWrite take the library's own stream objects. */
typedef void* ZEQUATION;
typedef void* ZEQITEM;

#pragma pack(push, 1)
/* The font of an equation as it is stored (136 bytes). */
typedef struct TEqFontID {
  char ftFaceName[129];
  uint8_t ftBold;
  uint8_t ftItalic;
  uint8_t ftUnderline;
  int32_t ftSize;
} TEqFontID;
/* The geometry of an equation embedded in a host's document (200 bytes). */
typedef struct TEquationObjectInfo {
  uint8_t Reserved[132];
  uint16_t Width;       /* 132 */
  uint16_t Ascent;      /* 134: above height + baseline - 1 */
  uint32_t DataSize;    /* 136 */
  uint8_t Reserved2[3]; /* 140 */
  uint16_t BelowHeight; /* 143 */
  uint8_t Reserved3[55];
} TEquationObjectInfo;
#pragma pack(pop)
ZKW_STATIC_ASSERT(sizeof(TEqFontID) == 136, eq_font_id_size);
ZKW_STATIC_ASSERT(sizeof(TEquationObjectInfo) == 200, eq_object_info_size);

typedef struct TEqPoint {
  int32_t x, y;
} TEqPoint;
typedef struct TEqRect {
  int32_t left, top, right, bottom;
} TEqRect;

ZKWDECL ZEQUATION ZKWAPI eqCreateEquation(void);
ZKWDECL void ZKWAPI eqFreeEquation(ZEQUATION h);
ZKWDECL void ZKWAPI eqClear(ZEQUATION h);
ZKWDECL int32_t ZKWAPI eqGetCount(ZEQUATION h);
ZKWDECL ZEQITEM ZKWAPI eqGetItem(ZEQUATION h, int32_t Index);
ZKWDECL void ZKWAPI eqSetBasePoint(ZEQUATION h, int32_t x, int32_t y);
ZKWDECL void ZKWAPI eqGetBasePoint(TEqPoint* Result, ZEQUATION h);
ZKWDECL void ZKWAPI eqCalcRegion(ZEQUATION h);
ZKWDECL void ZKWAPI eqInvalidate(ZEQUATION h);
ZKWDECL void ZKWAPI eqDraw(ZEQUATION h);
ZKWDECL void ZKWAPI eqDrawScale(ZEQUATION h, int32_t Width, int32_t Height);
ZKWDECL int32_t ZKWAPI eqGetWidth(ZEQUATION h);
ZKWDECL int32_t ZKWAPI eqGetHeight(ZEQUATION h);
ZKWDECL int32_t ZKWAPI eqGetAboveHeight(ZEQUATION h);
ZKWDECL int32_t ZKWAPI eqGetBelowHeight(ZEQUATION h);
ZKWDECL int32_t ZKWAPI eqGetBaseline(ZEQUATION h);
ZKWDECL void ZKWAPI eqGetRegion(TEqRect* Result, ZEQUATION h);
ZKWDECL void ZKWAPI eqGetBoundsRect(TEqRect* Result, ZEQUATION h);
ZKWDECL void ZKWAPI eqSetCanvas(ZEQUATION h, void* DC);
ZKWDECL void* ZKWAPI eqGetCanvas(ZEQUATION h);
ZKWDECL void ZKWAPI eqSetResolution(ZEQUATION h, int32_t Resolution);
ZKWDECL void ZKWAPI eqSetUseDibFont(ZEQUATION h, uint8_t Flag);
ZKWDECL void ZKWAPI eqSetDibFontManager(ZEQUATION h, void* Manager);
ZKWDECL void ZKWAPI eqSetFontID(ZEQUATION h, TEqFontID Font);
ZKWDECL void ZKWAPI eqGetFontID(TEqFontID* Result, ZEQUATION h);
ZKWDECL void ZKWAPI eqSetFontName(ZEQUATION h, const char* Name);
ZKWDECL const ZKWCHAR* ZKWAPI eqGetFontName(ZEQUATION h);
ZKWDECL void ZKWAPI eqSetFontSize(ZEQUATION h, int32_t Size);
ZKWDECL int32_t ZKWAPI eqGetFontSize(ZEQUATION h);
ZKWDECL void ZKWAPI eqSetColor(ZEQUATION h, uint32_t Color);
ZKWDECL uint32_t ZKWAPI eqGetColor(ZEQUATION h);
ZKWDECL void ZKWAPI eqSetTextColor(ZEQUATION h, uint32_t Color);
ZKWDECL uint32_t ZKWAPI eqGetTextColor(ZEQUATION h);
ZKWDECL void ZKWAPI eqSetParentObj(ZEQUATION h, ZEQITEM Item);
ZKWDECL ZEQITEM ZKWAPI eqGetParentObj(ZEQUATION h);
ZKWDECL void ZKWAPI eqRead(ZEQUATION h, void* Stream);
ZKWDECL void ZKWAPI eqWrite(ZEQUATION h, void* Stream);
ZKWDECL int32_t ZKWAPI eqLoadFromFile(ZEQUATION h, const char* FileName);
ZKWDECL int32_t ZKWAPI eqSaveToFile(ZEQUATION h, const char* FileName);
ZKWDECL int32_t ZKWAPI eqGetDataSize(ZEQUATION h);
ZKWDECL void ZKWAPI eqSaveToBuffer(ZEQUATION h, void* Buffer);
ZKWDECL void ZKWAPI eqLoadFromBuffer(ZEQUATION h, const void* Buffer);
ZKWDECL int32_t ZKWAPI eqLoadFromBufferEx(ZEQUATION h, const void* Buffer, int32_t Size);
ZKWDECL void ZKWAPI eqSaveTo(ZEQUATION h, uint8_t** Buffer);
ZKWDECL int32_t ZKWAPI eqExportTo(ZEQUATION h, ZKWCHAR* Dest, int32_t* Index);
ZKWDECL void ZKWAPI eqImportFrom(ZEQUATION h, const ZKWCHAR* Text, int32_t* Index);
ZKWDECL int32_t ZKWAPI eqGetTextTo(ZEQUATION h, char* Dest);
ZKWDECL void ZKWAPI eqSetEquationDefaultColors(uint32_t LineColor, uint32_t TextColor);
ZKWDECL void ZKWAPI eqSetEquationDefaultFont(const char* Name, int32_t Size);
ZKWDECL uint32_t ZKWAPI eqSetFormColors(uint32_t Face, uint32_t Highlight, uint32_t Shadow);

/* ==== Marked-up text (docs/api-spectext.md) =============================================== */
/* Text with "~" markup (bold, italic, scripts, colours, soft breaks, embedded equations "~E"
 * ... "~e") measured and drawn in lines on a GDI canvas, a device context or a DIB canvas, and
 * converted to and from a host's rich-text editor window. Flags: 1 measure only, 2 one line
 * without wrapping, 4 centre each line and 8 right-align it (DIB canvas, with wrapping).
 * Rectangles are TEqRect (left, top, right, bottom), read and, where documented, written. */
typedef void* ZGDICANVAS; /* a device context with a font: zkwCreateGdiCanvas */

#pragma pack(push, 1)
/* The character format of the editor window protocol (84 bytes). */
typedef struct TSpecCharFormat {
  char FaceName[51];       /* 8-bit, zero-terminated */
  int16_t Size;            /* 51: points */
  uint8_t Style;           /* 53: 1 bold, 2 italic */
  uint32_t Color;          /* 54: COLORREF */
  uint8_t Reserved1[6];    /* 58: 0 */
  uint16_t Hundred;        /* 64: 100 */
  int16_t Script;          /* 66: -1 subscript, 0 normal, 1 superscript */
  uint16_t Underline;      /* 68: non-zero when on */
  uint32_t UnderlineColor; /* 70 */
  uint8_t Reserved2[10];   /* 74: 0 */
} TSpecCharFormat;
#pragma pack(pop)
ZKW_STATIC_ASSERT(sizeof(TSpecCharFormat) == 84, spec_char_format_size);
ZKW_STATIC_ASSERT(offsetof(TSpecCharFormat, UnderlineColor) == 70, spec_char_format_ucolor);

ZKWDECL void ZKWAPI SetFormulaFont(const ZKWCHAR* FaceName);
ZKWDECL uint32_t ZKWAPI SetSpecTextColor(uint32_t a, uint32_t b);
ZKWDECL uint32_t ZKWAPI SetSpecialDibTextColor(uint32_t a, uint32_t b);
ZKWDECL int32_t ZKWAPI DrawSpecText(ZGDICANVAS Canvas, TEqRect* Rect, const ZKWCHAR* Text,
                                    uint32_t Flags);
ZKWDECL int32_t ZKWAPI DrawSpecTextDC(void* DC, TEqRect* Rect, const ZKWCHAR* Text,
                                      uint32_t Flags);
ZKWDECL int32_t ZKWAPI DibDrawSpecText(ZCANVAS Canvas, TEqRect* Rect, const ZKWCHAR* Text,
                                       uint32_t Flags);
ZKWDECL int32_t ZKWAPI dfuGetALine(ZCANVAS Canvas, const TEqRect* Rect, const ZKWCHAR* Text,
                                   int32_t* Baseline, int32_t* LineHeight, uint8_t WordBreak,
                                   const ZKWCHAR* DefaultFace, int32_t* LineWidth,
                                   uint8_t* EndOfText);
ZKWDECL void ZKWAPI dfuDrawASpecText(ZCANVAS Canvas, int32_t x, int32_t y, const ZKWCHAR* Text,
                                     int32_t Count, int32_t Baseline, uint8_t MeasureOnly,
                                     const ZKWCHAR* DefaultFace);
/* A movable global memory block with the editor's text as marked-up text, or 0. */
ZKWDECL void* ZKWAPI GetEquationCode(ZWINDOW Window);
ZKWDECL void ZKWAPI ReformatSpecText(ZWINDOW Window, const ZKWCHAR* Text);
/* A canvas over a device context with the font of a TDibCanvasFontInfo (0: the font selected
 * in the DC), for DrawSpecText; the DC stays the caller's. */
ZKWDECL ZGDICANVAS ZKWAPI zkwCreateGdiCanvas(void* DC, const TDibCanvasFontInfo* Font);
ZKWDECL void ZKWAPI zkwFreeGdiCanvas(ZGDICANVAS Canvas);

/* A new export family goes above this line: one section headed like the others with its page,
 * its names in src/exports/zkwgdi32.def. */

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* ZKWGDI32_H */
