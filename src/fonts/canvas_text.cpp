// Text and shapes of the canvas: bitmap-font text with alignment and origin, the GDI fallback,
// measures, blended rectangles and lines.
#include "common/colour_units.h"
#include "dib/dib_base.h"
#include "fonts/dib_canvas.h"
#include "fonts/dib_font.h"
#include "platform/plat_gdi.h"

namespace zkw {

namespace {

// The count a font operation takes: negative counts give nothing; counts are Words.
uint16_t FontCount(int32_t Count) { return Count < 0 ? 0 : static_cast<uint16_t>(Count); }

}  // namespace

void TDibCanvas::PrepareFont() {
  TDibFont* f = FCurrentDibFont;
  // Fonts are shared between canvases: each draw applies this canvas's colour and underline.
  f->FColor = static_cast<int32_t>(ColorToRGB(FTextColor));
  f->Underline = (FFont.Style() & fsUnderline) != 0;
  f->BkMode = FBkMode;
  f->BackColor = FBkColor;
  f->FShadow = Shadow;
  f->FShadowColor = static_cast<int32_t>(ShadowColor);
  f->FOutline = Outline;
  f->FOutlineColor = static_cast<int32_t>(OutlineColor);
  f->Opacity = FOpacity;
}

void TDibCanvas::RestoreFont() { FCurrentDibFont->Opacity = 100; }

void* TDibCanvas::SelectGdiFont() {
  ZString face = FFont.Name();
  if (face.size() > plat::LF_FACESIZE - 1) face.resize(plat::LF_FACESIZE - 1);
  const uint32_t style = FFont.Style();
  plat::HFONT font = plat::CreateFontW(-PointsToPixels(FFont.Size()), 0, 0, 0,
                                       (style & fsBold) ? plat::FW_BOLD : plat::FW_NORMAL, (style & fsItalic) ? 1 : 0,
                                       (style & fsUnderline) ? 1 : 0, (style & fsStrikeOut) ? 1 : 0,
                                       plat::DEFAULT_CHARSET, 0, 0, 0, 0, face.c_str());
  FOldFont = font ? plat::SelectObject(FDC, font) : nullptr;
  return font;
}

void TDibCanvas::DeselectGdiFont(void* Font) {
  if (!Font) return;
  plat::SelectObject(FDC, FOldFont);
  plat::DeleteObject(Font);
  FOldFont = nullptr;
}

int32_t TDibCanvas::TextWidth(const ZChar* AText, int32_t ACount) {
  if (!AText || ACount <= 0) return 0;
  if (FCurrentDibFont) return FCurrentDibFont->TextWidth(AText, FontCount(ACount));
  if (!FDC) return 0;
  void* font = SelectGdiFont();
  plat::SIZE extent{};
  plat::GetTextExtentPoint32W(FDC, AText, ACount, &extent);
  DeselectGdiFont(font);
  return extent.cx;
}

int32_t TDibCanvas::TextHeight() {
  if (FCurrentDibFont) return FCurrentDibFont->TextHeight();
  if (!FDC) return 0;
  void* font = SelectGdiFont();
  plat::SIZE extent{};
  const ZChar a[1] = {u'A'};
  plat::GetTextExtentPoint32W(FDC, a, 1, &extent);
  DeselectGdiFont(font);
  return extent.cy;
}

int32_t TDibCanvas::GetLineHeight() {
  return FCurrentDibFont ? FCurrentDibFont->TextHeight() + FCurrentDibFont->FHeader.dfExternalLeading : 0;
}

int32_t TDibCanvas::GetBaseline() { return FCurrentDibFont ? FCurrentDibFont->Baseline() : 0; }

void TDibCanvas::TextOut(int32_t x, int32_t y, const ZChar* AText, int32_t ACount) {
  if (!AText || ACount <= 0) return;
  if (FCurrentDibFont && FDib) {
    PrepareFont();
    WriteAligned(x, y, AText, ACount);
    return;
  }
  if (!FDC) return;
  // GDI fallback: no alignment handling.
  void* font = SelectGdiFont();
  plat::SetBkMode(FDC, static_cast<int>(FBkMode));
  plat::SetBkColor(FDC, ColorToRGB(FBkColor) & 0xFFFFFF);
  plat::SetTextColor(FDC, ColorToRGB(FTextColor) & 0xFFFFFF);
  plat::TextOutW(FDC, x + FOriginX, y + FOriginY, AText, ACount);
  DeselectGdiFont(font);
  plat::GdiFlush();
}

void TDibCanvas::WriteAligned(int32_t x, int32_t y, const ZChar* st, int32_t Count) {
  TDibFont* f = FCurrentDibFont;
  if (FTextAlign & kCanvasAlignBaseline) y -= f->Baseline();
  if (FTextAlign & kCanvasAlignRight) x -= f->TextWidth(st, FontCount(Count));
  f->WriteText(x + FOriginX, y + FOriginY, st, FontCount(Count), FDib);
  RestoreFont();
}

void TDibCanvas::AdvTextOutW(int32_t x, int32_t y, const ZChar* st, int32_t Count, uint16_t AUStyle,
                             uint32_t AUColor, uint16_t AStrike, uint32_t AStrikeColor) {
  if (!st || Count <= 0 || !FCurrentDibFont || !FDib) return;
  TDibFont* f = FCurrentDibFont;
  PrepareFont();
  f->Underline = AUStyle != 0;
  f->UnderlineStyle = AUStyle;
  f->UnderlineColor = AUColor;
  f->StrokeStyle = AStrike;
  f->StrokeColor = AStrikeColor;
  WriteAligned(x, y, st, Count);
  f->Underline = false;
  f->UnderlineStyle = 1;
  f->StrokeStyle = 0;
}

int32_t TDibCanvas::DrawText(const TFontRect& Rt, const ZChar* AText, int32_t ACount, uint16_t Flag) {
  if (!AText || ACount <= 0 || !FCurrentDibFont || !FDib) return 0;
  PrepareFont();
  TFontRect r{Rt.left + FOriginX, Rt.top + FOriginY, Rt.right + FOriginX, Rt.bottom + FOriginY};
  if (FTextAlign & kCanvasAlignBaseline) {
    r.top -= FCurrentDibFont->Baseline();
    r.bottom -= FCurrentDibFont->Baseline();
  }
  const int32_t height = FCurrentDibFont->DrawText(r, AText, ACount, FDib, Flag);
  RestoreFont();
  return height;
}

int32_t TDibCanvas::CalcText(const TFontRect& Rt, const ZChar* st, int32_t Len) {
  if (!st || Len <= 0 || !FCurrentDibFont) return 0;
  return FCurrentDibFont->CalcText(Rt, st, Len);
}

void TDibCanvas::FillRect(const TFontRect& Rt, uint32_t AColor) {
  if (!FDib) return;
  FDib->BarMerge(Rt.left + FOriginX, Rt.top + FOriginY, Rt.right + FOriginX, Rt.bottom + FOriginY,
                 ColorToRGB(AColor), FOpacity);
}

void TDibCanvas::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t AColor) {
  if (!FDib) return;
  FDib->LineMerge(x1 + FOriginX, y1 + FOriginY, x2 + FOriginX, y2 + FOriginY, ColorToRGB(AColor), FOpacity);
}

}  // namespace zkw
