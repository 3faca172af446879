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

// The system colours of this back end, indexes 0 (scroll bar) to 30 (menu bar); documented
// in docs/api-host.md. Other indexes give 0.
DWORD GetSysColor(int index) {
  static const BYTE kColours[31][3] = {
      {200, 200, 200}, {0, 78, 152},    {153, 180, 209}, {191, 205, 219}, {240, 240, 240},
      {255, 255, 255}, {100, 100, 100}, {0, 0, 0},       {0, 0, 0},       {0, 0, 0},
      {180, 180, 180}, {244, 247, 252}, {171, 171, 171}, {0, 120, 215},   {255, 255, 255},
      {240, 240, 240}, {160, 160, 160}, {109, 109, 109}, {0, 0, 0},       {67, 78, 84},
      {255, 255, 255}, {105, 105, 105}, {227, 227, 227}, {0, 0, 0},       {255, 255, 225},
      {0, 0, 0},       {0, 102, 204},   {185, 209, 234}, {215, 228, 242}, {51, 153, 255},
      {240, 240, 240}};
  if (index < 0 || index > 30) return 0;
  return RGB(kColours[index][0], kColours[index][1], kColours[index][2]);
}

}  // namespace plat
