#include "colour/gdi_helpers.h"

#include <algorithm>
#include <cstring>

#include "common/round.h"

namespace zkw {

namespace {

void RealizeIn(plat::HDC dc, plat::HPALETTE palette, uint8_t Background) {
  if (!palette) return;
  plat::SelectPalette(dc, palette, Background != 0);
  plat::RealizePalette(dc);
}

// Draws through a pen of style, width and colour, selected for the call only.
template <class Draw>
void WithPen(plat::HDC dc, int style, int32_t Width, uint32_t Color, Draw&& draw) {
  plat::HPEN pen = plat::CreatePen(style, Width, Color & 0xFFFFFF);
  if (!pen) return;
  plat::HGDIOBJ old = plat::SelectObject(dc, pen);
  draw();
  plat::SelectObject(dc, old);
  plat::DeleteObject(pen);
}

// Selects the font, sets a transparent background and calls text(colour, offset) for the
// shadow and then the text; the text colour and mode are put back.
template <class Text>
plat::HFONT Shadowed(plat::HDC dc, plat::HFONT Font, uint32_t Color, uint32_t ShadowColor,
                     int32_t Offset, Text&& text) {
  plat::HFONT old = Font ? plat::SelectObject(dc, Font) : plat::GetCurrentObject(dc, plat::OBJ_FONT);
  int mode = plat::SetBkMode(dc, plat::TRANSPARENT);
  plat::COLORREF colour = plat::SetTextColor(dc, ShadowColor & 0xFFFFFF);
  text(Offset);
  plat::SetTextColor(dc, Color & 0xFFFFFF);
  text(0);
  plat::SetTextColor(dc, colour);
  plat::SetBkMode(dc, mode);
  if (Font) plat::SelectObject(dc, old);
  return old;
}

}  // namespace

void GetFont(plat::HDC dc, plat::LOGFONTW* LogFont, const plat::WCHAR* FaceName, int32_t Size,
             int32_t Bold, uint8_t Italic, uint8_t Underline) {
  if (!LogFont) return;
  *LogFont = plat::LOGFONTW{};
  const int32_t dpi = plat::GetDeviceCaps(dc, plat::LOGPIXELSY);
  LogFont->lfHeight = static_cast<plat::LONG>(-Round(static_cast<double>(Size) * dpi / 72));
  LogFont->lfWeight = Bold ? plat::FW_BOLD : plat::FW_NORMAL;
  LogFont->lfItalic = Italic;
  LogFont->lfUnderline = Underline;
  for (int i = 0; FaceName && FaceName[i] && i < plat::LF_FACESIZE - 1; ++i)
    LogFont->lfFaceName[i] = FaceName[i];
}

plat::HFONT CreatePhysFont(plat::HDC dc, const plat::WCHAR* FaceName, int32_t Size,
                           int32_t Bold, uint8_t Italic, uint8_t Underline) {
  plat::LOGFONTW font;
  GetFont(dc, &font, FaceName, Size, Bold, Italic, Underline);
  return plat::CreateFontIndirectW(&font);
}

void FillBox(plat::HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t Color) {
  plat::HBRUSH brush = plat::CreateSolidBrush(Color & 0xFFFFFF);
  if (!brush) return;
  plat::RECT r{x1, y1, x2, y2};
  plat::FillRect(dc, &r, brush);
  plat::DeleteObject(brush);
}

void Line(plat::HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t Width,
          uint32_t Color) {
  WithPen(dc, plat::PS_SOLID, Width, Color, [&] {
    plat::MoveToEx(dc, x1, y1, nullptr);
    plat::LineTo(dc, x2, y2);
  });
}

void DisplayRect(plat::HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t Width,
                 uint32_t Color) {
  WithPen(dc, plat::PS_INSIDEFRAME, Width, Color, [&] {
    plat::MoveToEx(dc, x1, y1, nullptr);
    plat::LineTo(dc, x2, y1);
    plat::LineTo(dc, x2, y2);
    plat::LineTo(dc, x1, y2);
    plat::LineTo(dc, x1, y1);
  });
}

plat::HDC AdvGetDC(plat::HWND window, plat::HPALETTE palette, uint8_t Background) {
  plat::HDC dc = plat::GetDC(window);
  if (dc) RealizeIn(dc, palette, Background);
  return dc;
}

void DrawDipRectColor(plat::HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t C1,
                      uint32_t C2, uint32_t C3) {
  Line(dc, x1, y2 - 1, x1, y1, 1, C1);
  Line(dc, x1, y1, x2, y1, 1, C1);
  Line(dc, x1 + 1, y2 - 1, x2 - 1, y2 - 1, 1, C2);
  Line(dc, x2 - 1, y2 - 1, x2 - 1, y1, 1, C2);
  Line(dc, x1 + 1, y2 - 2, x1 + 1, y1 + 1, 1, C3);
  Line(dc, x1 + 1, y1 + 1, x2 - 1, y1 + 1, 1, C3);
  Line(dc, x1 + 2, y2 - 2, x2 - 2, y2 - 2, 1, C1);
  Line(dc, x2 - 2, y2 - 2, x2 - 2, y1 + 1, 1, C1);
}

plat::HFONT TextShadow(plat::HDC dc, int32_t x, int32_t y, const plat::WCHAR* Text,
                       uint32_t Color, uint32_t ShadowColor, plat::HFONT Font, int32_t Offset) {
  if (!Text) return nullptr;
  int n = 0;
  while (Text[n]) ++n;
  return Shadowed(dc, Font, Color, ShadowColor, Offset,
                  [&](int32_t o) { plat::TextOutW(dc, x + o, y + o, Text, n); });
}

plat::HFONT DrawTextShadow(plat::HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                           const plat::WCHAR* Text, uint32_t Color, uint32_t ShadowColor,
                           plat::HFONT Font, int32_t Offset, uint32_t Format) {
  if (!Text) return nullptr;
  return Shadowed(dc, Font, Color, ShadowColor, Offset, [&](int32_t o) {
    plat::RECT r{x1 + o, y1 + o, x2 + o, y2 + o};
    plat::DrawTextW(dc, Text, -1, &r, Format & 0xFFFF);
  });
}

namespace {

// Draws the bitmap from a memory DC that has the palette too; false without a bitmap.
template <class Blit>
void FromMemoryDC(plat::HDC dc, plat::HBITMAP Bitmap, plat::HPALETTE palette, uint8_t Background,
                  Blit&& blit) {
  plat::BITMAP info{};
  if (!Bitmap || plat::GetObjectW(Bitmap, sizeof info, &info) == 0) return;
  RealizeIn(dc, palette, Background);
  plat::HDC mem = plat::CreateCompatibleDC(dc);
  if (!mem) return;
  plat::HPALETTE oldPalette = palette ? plat::SelectPalette(mem, palette, Background != 0) : nullptr;
  plat::HGDIOBJ old = plat::SelectObject(mem, Bitmap);
  blit(mem, info.bmWidth, info.bmHeight);
  plat::SelectObject(mem, old);
  if (palette) plat::SelectPalette(mem, oldPalette, 1);
  plat::DeleteDC(mem);
}

}  // namespace

void PutBitmap(plat::HDC dc, int32_t x, int32_t y, plat::HBITMAP Bitmap, plat::HPALETTE palette,
               uint8_t Background) {
  FromMemoryDC(dc, Bitmap, palette, Background, [&](plat::HDC mem, int32_t w, int32_t h) {
    plat::BitBlt(dc, x, y, w, h, mem, 0, 0, plat::SRCCOPY);
  });
}

void PutStretchBitmap(plat::HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, int32_t Mx,
                      int32_t My, plat::HBITMAP Bitmap, plat::HPALETTE palette,
                      uint8_t Background) {
  FromMemoryDC(dc, Bitmap, palette, Background, [&](plat::HDC mem, int32_t bw, int32_t bh) {
    int mode = plat::SetStretchBltMode(dc, plat::COLORONCOLOR);
    const int64_t sw = int64_t{Mx} * bw, sh = int64_t{My} * bh;
    if (sw >= INT32_MIN && sw <= INT32_MAX && sh >= INT32_MIN && sh <= INT32_MAX)
      plat::StretchBlt(dc, x, y, w, h, mem, 0, 0, static_cast<int>(sw), static_cast<int>(sh),
                       plat::SRCCOPY);
    plat::SetStretchBltMode(dc, mode);
  });
}

}  // namespace zkw
