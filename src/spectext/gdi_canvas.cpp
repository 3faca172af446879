// Marked-up text on a device context with GDI fonts.
#include "spectext/gdi_canvas.h"

#include <algorithm>

#include "common/colour_units.h"
#include "common/round.h"
#include "equation/equation.h"
#include "spectext/spec_settings.h"
#include "text/ansi_text.h"

namespace zkw {

int32_t PointsToDevice(int32_t Points, int32_t PixelsPerInch) {
  const int64_t product = int64_t{Points} * PixelsPerInch;
  const int64_t half = product >= 0 ? 36 : -36;
  return static_cast<int32_t>((product + half) / 72);
}

TCanvasFont FontOfDC(plat::HDC DC) {
  TCanvasFont font;
  if (!DC) return font;
  plat::WCHAR face[plat::LF_FACESIZE] = {};
  if (plat::GetTextFaceW(DC, plat::LF_FACESIZE, face) > 0) font.SetName(ZString(face));
  plat::TEXTMETRICW tm{};
  const int32_t ppi = std::max(1, plat::GetDeviceCaps(DC, plat::LOGPIXELSY));
  if (plat::GetTextMetricsW(DC, &tm)) {
    const int64_t pixels = int64_t{tm.tmHeight} - tm.tmInternalLeading;
    font.SetSize(static_cast<int32_t>((pixels * 72 + ppi / 2) / ppi));
    uint32_t style = 0;
    if (tm.tmWeight >= plat::FW_BOLD) style |= fsBold;
    if (tm.tmItalic) style |= fsItalic;
    if (tm.tmUnderlined) style |= fsUnderline;
    font.SetStyle(style);
  }
  font.SetColor(plat::GetTextColor(DC));
  return font;
}

TGdiSpecSurface::TGdiSpecSurface(plat::HDC DC, const TCanvasFont& Base, const TSpecContext& Context)
    : TSpecSurface(Context), FDC(DC), FSymbolFace(FromUtf8("Symbol")) {
  FBase.Assign(Base);
  FPixelsPerInch = std::max(1, plat::GetDeviceCaps(DC, plat::LOGPIXELSY));
  FTabStep = std::max(1, plat::GetDeviceCaps(DC, plat::LOGPIXELSX) / 2);
  FOldColor = plat::GetTextColor(DC);
  FOldBkMode = plat::SetBkMode(DC, plat::TRANSPARENT);
  FOldAlign = plat::SetTextAlign(DC, plat::TA_BASELINE);
  FOldFont = plat::SelectObject(DC, FontFor(TSpecFace::sfBase, Base.Size(), Base.Style() & (fsBold | fsItalic)));
  plat::TEXTMETRICW tm{};
  if (plat::GetTextMetricsW(DC, &tm)) {
    FBaseHeight = tm.tmHeight;
    FBaseBaseline = tm.tmAscent;
  }
}

TGdiSpecSurface::~TGdiSpecSurface() {
  plat::SelectObject(FDC, FOldFont);
  plat::SetTextAlign(FDC, FOldAlign);
  plat::SetBkMode(FDC, FOldBkMode);
  plat::SetTextColor(FDC, FOldColor);
  for (const TFontEntry& e : FFonts) plat::DeleteObject(e.Font);
}

const ZString& TGdiSpecSurface::FaceName(TSpecFace Face) const {
  if (Face == TSpecFace::sfSymbol) return FSymbolFace;
  if (Face == TSpecFace::sfFormula) return SpecTextSettings().FormulaFace;
  return FBase.Name();
}

plat::HFONT TGdiSpecSurface::FontFor(TSpecFace Face, int32_t Size, uint32_t Style) {
  for (const TFontEntry& e : FFonts)
    if (e.Face == Face && e.Size == Size && e.Style == Style) return e.Font;
  ZString face = FaceName(Face);
  if (face.size() > plat::LF_FACESIZE - 1) face.resize(plat::LF_FACESIZE - 1);
  plat::HFONT font = plat::CreateFontW(-PointsToDevice(Size, FPixelsPerInch), 0, 0, 0,
                                       (Style & fsBold) ? plat::FW_BOLD : plat::FW_NORMAL, (Style & fsItalic) ? 1 : 0,
                                       (Style & fsUnderline) ? 1 : 0, 0, plat::DEFAULT_CHARSET, 0, 0, 0, 0, face.c_str());
  FFonts.push_back(TFontEntry{Face, Size, Style, font});
  return font;
}

void TGdiSpecSurface::Select(const TSpecFormat& f) {
  const int32_t size =
      f.Script != 0 ? static_cast<int32_t>(Round(FBase.Size() * 2.0 / 3.0)) : FBase.Size();
  const uint32_t style = (f.Bold ? fsBold : 0) | (f.Italic ? fsItalic : 0) | (f.Underline ? fsUnderline : 0);
  plat::SelectObject(FDC, FontFor(f.Face, size, style));
  plat::SetTextColor(FDC, ColorToRGB(f.Color) & 0xFFFFFF);
}

int32_t TGdiSpecSurface::Width(const ZChar* Text, int32_t Count) {
  plat::SIZE extent{};
  plat::GetTextExtentPoint32W(FDC, Text, Count, &extent);
  return extent.cx;
}

void TGdiSpecSurface::Out(int32_t x, int32_t yBase, const ZChar* Text, int32_t Count) {
  plat::TextOutW(FDC, x, yBase, Text, Count);
}

void TGdiSpecSurface::Prepare(TEquation& Eq, const TSpecFormat& f) {
  const ZString& formula = SpecTextSettings().FormulaFace;
  TFontID font = DefaultFontID();
  SetFaceName(font, ToAnsi(formula.empty() ? FBase.Name() : formula));
  font.ftBold = f.Bold ? 1 : 0;
  font.ftItalic = f.Italic ? 1 : 0;
  font.ftSize = FBase.Size();
  Eq.SetFontID(font);
  const plat::COLORREF color = ColorToRGB(f.Color) & 0xFFFFFF;
  Eq.SetColor(color);
  Eq.SetTextColor(color);
  Eq.SetDC(FDC);  // last: the one layout with real measures
}

}  // namespace zkw
