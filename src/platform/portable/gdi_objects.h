// GDI objects of the Linux back end. Every object derives from GdiObject and is registered so
// that a stale or foreign handle is refused.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/plat_gdi.h"

namespace plat::portable {

enum class GdiKind { Bitmap, Palette, Brush, Pen, Font, Region, DC };

struct GdiObject {
  explicit GdiObject(GdiKind kind) : Kind(kind) {}
  virtual ~GdiObject() = default;
  GdiKind Kind;
  bool Stock = false;     // stock objects are never deleted
  int32_t Selections = 0;  // device contexts (and their saved states) holding the object
};

// A bitmap: a DIB section, or a device-dependent bitmap kept in the same form (bottom-up rows
// in the layout of Header).
struct GdiBitmap : GdiObject {
  GdiBitmap() : GdiObject(GdiKind::Bitmap) {}
  BITMAPINFOHEADER Header{};
  std::vector<RGBQUAD> Colors;  // 2^bits entries for 1/4/8-bit bitmaps
  std::vector<uint8_t> Pixels;
  bool IsDibSection = false;
  int32_t Width() const { return Header.biWidth; }
  int32_t Height() const { return Header.biHeight < 0 ? -Header.biHeight : Header.biHeight; }
  int32_t Stride() const { return ((Header.biWidth * Header.biBitCount + 31) / 32) * 4; }
};

struct GdiPalette : GdiObject {
  GdiPalette() : GdiObject(GdiKind::Palette) {}
  std::vector<PALETTEENTRY> Entries;
};

struct GdiBrush : GdiObject {
  GdiBrush() : GdiObject(GdiKind::Brush) {}
  COLORREF Color = 0;
  bool Null = false;  // the stock null brush paints nothing
};

struct GdiPen : GdiObject {
  GdiPen() : GdiObject(GdiKind::Pen) {}
  LOGPEN Log{};
};

// A logical font; the face behind it is resolved when text is drawn (gdi_text.cpp).
struct GdiFont : GdiObject {
  GdiFont() : GdiObject(GdiKind::Font) {}
  LOGFONTW Log{};
  // The sized face the font resolved to, valid while the text cache keeps that generation.
  void* Resolved = nullptr;
  uint32_t ResolvedGeneration = 0;
};

// What a device context selects and sets; SaveDC pushes a copy, RestoreDC pops it.
struct DcState {
  GdiBitmap* Bitmap = nullptr;    // memory DCs only
  GdiPalette* Palette = nullptr;
  GdiBrush* Brush = nullptr;
  GdiPen* Pen = nullptr;
  int Rop2 = R2_COPYPEN;
  POINT Position{0, 0};  // the pen position (MoveToEx)
  int StretchMode = BLACKONWHITE;
  GdiFont* Font = nullptr;
  COLORREF TextColor = 0;
  COLORREF BkColor = 0xFFFFFF;
  int BkMode = OPAQUE;
  UINT TextAlign = TA_LEFT | TA_TOP;
};

struct GdiDC : GdiObject {
  GdiDC() : GdiObject(GdiKind::DC) {}
  bool IsMemory = false;
  HWND Window = nullptr;
  GdiBitmap* FixedSurface = nullptr;  // screen or window surface of a non-memory DC
  DcState State;
  std::vector<DcState> Saved;
  // The pixels the DC draws on.
  // A window DC reads its window's surface each time, so it never outlives the window's pixels.
  GdiBitmap* Surface() const;
};

// Registers a new object and returns its handle.
HGDIOBJ RegisterGdiObject(GdiObject* obj);
// Forgets an object (it is deleted by the caller).
void UnregisterGdiObject(GdiObject* obj);
// The object behind a handle when it is live, else null.
GdiObject* FindGdiObject(HGDIOBJ handle);
template <class T>
T* FindGdi(HGDIOBJ handle, GdiKind kind) {
  GdiObject* obj = FindGdiObject(handle);
  return obj && obj->Kind == kind ? static_cast<T*>(obj) : nullptr;
}

// Stock objects selected into new device contexts.
GdiBitmap* StockBitmap();    // 1 x 1 monochrome
GdiPalette* StockPalette();  // the 20 static colours
GdiBrush* StockWhiteBrush();
GdiPen* StockBlackPen();  // solid, 1 pixel
// GetStockObject: the brushes and pens by their stock index, null for others.
GdiObject* StockObject(int index);
// One pen stroke from (x0, y0) to (x1, y1) as LineTo draws it, without moving the pen position.
void StrokeSegment(GdiDC& dc, int64_t x0, int64_t y0, int64_t x1, int64_t y1);
// The system font (gdi_text.cpp): 16 pixels high, bold.
GdiFont* StockSystemFont();

// The screen: 1024 x 768 at 32 bits per pixel.
GdiBitmap* ScreenSurface();

}  // namespace plat::portable
