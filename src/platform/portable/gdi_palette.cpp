// Logical palettes and system colours of the Linux GDI back end. The screen is a true-colour
// device, so realising a palette maps nothing and the system palette is the 20 static colours.
#include "platform/portable/gdi_objects.h"

namespace plat {

using portable::GdiDC;
using portable::GdiKind;
using portable::GdiPalette;

HPALETTE CreatePalette(const LOGPALETTE* palette) {
  if (!palette || palette->palVersion != 0x300 || palette->palNumEntries == 0) return nullptr;
  auto* pal = new GdiPalette();
  pal->Entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
  return portable::RegisterGdiObject(pal);
}

HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL /*forceBackground*/) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  auto* pal = portable::FindGdi<GdiPalette>(palette, GdiKind::Palette);
  if (!d || !pal) return nullptr;
  GdiPalette* previous = d->State.Palette;
  d->State.Palette = pal;
  ++pal->Selections;
  if (previous) --previous->Selections;
  return previous;
}

UINT RealizePalette(HDC dc) {
  return portable::FindGdi<GdiDC>(dc, GdiKind::DC) ? 0 : 0xFFFFFFFFu;
}

UINT GetSystemPaletteEntries(HDC dc, UINT start, UINT count, PALETTEENTRY* entries) {
  if (!portable::FindGdi<GdiDC>(dc, GdiKind::DC)) return 0;
  const auto& system = portable::StockPalette()->Entries;
  UINT copied = 0;
  for (UINT i = start; i < start + count && entries; ++i, ++copied)
    entries[copied] = i < system.size() ? system[i] : PALETTEENTRY{0, 0, 0, 0};
  return entries ? copied : static_cast<UINT>(system.size());
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries) {
  auto* pal = portable::FindGdi<GdiPalette>(palette, GdiKind::Palette);
  if (!pal) return 0;
  if (!entries) return static_cast<UINT>(pal->Entries.size());
  UINT copied = 0;
  for (UINT i = start; i < start + count && i < pal->Entries.size(); ++i) entries[copied++] = pal->Entries[i];
  return copied;
}

DWORD GetSysColor(int index) {
  switch (index) {
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_BTNFACE: return RGB(240, 240, 240);
    case COLOR_BTNSHADOW: return RGB(160, 160, 160);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    default: return RGB(192, 192, 192);
  }
}

}  // namespace plat
