// Device contexts of the Linux GDI back end: the screen DC, memory DCs, selection, saved
// states and device capabilities. The screen is 1024 x 768 at 32 bits, 96 pixels per inch.
#include "platform/portable/gdi_objects.h"
#include "platform/portable/window_surface.h"

namespace plat {

using portable::DcState;
using portable::GdiDC;
using portable::GdiKind;

namespace {

void Hold(portable::GdiObject* obj, int32_t delta) {
  if (obj) obj->Selections += delta;
}

// Adds (or drops) the selections a state holds.
void HoldState(const DcState& state, int32_t delta) {
  Hold(state.Bitmap, delta);
  Hold(state.Palette, delta);
  Hold(state.Brush, delta);
  Hold(state.Pen, delta);
  Hold(state.Font, delta);
}

GdiDC* NewDC(bool memory, portable::GdiBitmap* surface, HWND window) {
  auto* dc = new GdiDC();
  dc->IsMemory = memory;
  dc->Window = window;
  dc->FixedSurface = surface;
  dc->State.Bitmap = memory ? portable::StockBitmap() : nullptr;
  dc->State.Palette = portable::StockPalette();
  dc->State.Brush = portable::StockWhiteBrush();
  dc->State.Pen = portable::StockBlackPen();
  dc->State.Font = portable::StockSystemFont();
  HoldState(dc->State, 1);
  portable::RegisterGdiObject(dc);
  return dc;
}

void FreeDC(GdiDC* dc) {
  HoldState(dc->State, -1);
  for (const DcState& saved : dc->Saved) HoldState(saved, -1);
  portable::UnregisterGdiObject(dc);
  delete dc;
}

}  // namespace

namespace portable {
GdiBitmap* GdiDC::Surface() const {
  if (IsMemory) return State.Bitmap;
  return Window ? WindowSurface(Window) : FixedSurface;
}
}  // namespace portable

HDC GetDC(HWND window) {
  if (window) {
    portable::GdiBitmap* surface = portable::WindowSurface(window);
    return surface ? NewDC(false, surface, window) : nullptr;
  }
  return NewDC(false, portable::ScreenSurface(), nullptr);
}

int ReleaseDC(HWND /*window*/, HDC dc) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d || d->IsMemory) return 0;
  FreeDC(d);
  return 1;
}

HDC CreateCompatibleDC(HDC dc) {
  if (dc && !portable::FindGdi<GdiDC>(dc, GdiKind::DC)) return nullptr;
  return NewDC(true, nullptr, nullptr);
}

BOOL DeleteDC(HDC dc) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d) return 0;
  FreeDC(d);
  return 1;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  portable::GdiObject* found = portable::FindGdiObject(obj);
  if (!d || !found) return nullptr;
  portable::GdiObject* previous = nullptr;
  switch (found->Kind) {
    case GdiKind::Bitmap: {
      auto* bm = static_cast<portable::GdiBitmap*>(found);
      // Only memory DCs take bitmaps, and a bitmap is selected into one DC at a time.
      if (!d->IsMemory || (bm->Selections > 0 && bm != d->State.Bitmap && !bm->Stock))
        return nullptr;
      previous = d->State.Bitmap;
      d->State.Bitmap = bm;
      break;
    }
    case GdiKind::Brush:
      previous = d->State.Brush;
      d->State.Brush = static_cast<portable::GdiBrush*>(found);
      break;
    case GdiKind::Pen:
      previous = d->State.Pen;
      d->State.Pen = static_cast<portable::GdiPen*>(found);
      break;
    case GdiKind::Font:
      previous = d->State.Font;
      d->State.Font = static_cast<portable::GdiFont*>(found);
      break;
    default: return nullptr;  // palettes go through SelectPalette
  }
  Hold(found, 1);
  Hold(previous, -1);
  return previous;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d) return nullptr;
  switch (type) {
    case OBJ_BITMAP: return d->Surface();
    case OBJ_PAL: return d->State.Palette;
    case OBJ_BRUSH: return d->State.Brush;
    case OBJ_PEN: return d->State.Pen;
    case OBJ_FONT: return d->State.Font;
    default: return nullptr;
  }
}

int GetDeviceCaps(HDC dc, int index) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d) return 0;
  portable::GdiBitmap* screen = portable::ScreenSurface();
  switch (index) {
    case HORZRES: return screen->Width();
    case VERTRES: return screen->Height();
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case RASTERCAPS: return 0;  // not a palette device
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case SIZEPALETTE: return 0;
    default: return 0;
  }
}

int SaveDC(HDC dc) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d) return 0;
  d->Saved.push_back(d->State);
  HoldState(d->State, 1);
  return static_cast<int>(d->Saved.size());
}

BOOL RestoreDC(HDC dc, int saved) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d) return 0;
  int count = static_cast<int>(d->Saved.size());
  int level = saved < 0 ? count + 1 + saved : saved;  // negative: relative to the current state
  if (level < 1 || level > count) return 0;
  HoldState(d->State, -1);
  d->State = d->Saved[static_cast<size_t>(level - 1)];
  for (int i = level; i < count; ++i) HoldState(d->Saved[static_cast<size_t>(i)], -1);
  d->Saved.resize(static_cast<size_t>(level - 1));
  return 1;
}

int SetStretchBltMode(HDC dc, int mode) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d || mode < BLACKONWHITE || mode > HALFTONE) return 0;
  int previous = d->State.StretchMode;
  d->State.StretchMode = mode;
  return previous;
}

int GetStretchBltMode(HDC dc) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  return d ? d->State.StretchMode : 0;
}

HPEN CreatePen(int style, int width, COLORREF color) {
  if (style < PS_SOLID || style > PS_INSIDEFRAME) return nullptr;
  auto* pen = new portable::GdiPen();
  pen->Log = LOGPEN{static_cast<UINT>(style), POINT{width, 0}, color};
  return portable::RegisterGdiObject(pen);
}

int SetROP2(HDC dc, int mode) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d || mode < R2_BLACK || mode > R2_WHITE) return 0;
  int previous = d->State.Rop2;
  d->State.Rop2 = mode;
  return previous;
}

int GetROP2(HDC dc) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  return d ? d->State.Rop2 : 0;
}

BOOL MoveToEx(HDC dc, int x, int y, POINT* old) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d) return 0;
  if (old) *old = d->State.Position;
  d->State.Position = POINT{x, y};
  return 1;
}

BOOL GetCurrentPositionEx(HDC dc, POINT* point) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d || !point) return 0;
  *point = d->State.Position;
  return 1;
}

}  // namespace plat
