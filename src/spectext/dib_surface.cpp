// Marked-up text on a DIB canvas.
#include "spectext/dib_surface.h"

#include "common/colour_units.h"
#include "equation/equation.h"
#include "spectext/spec_settings.h"
#include "text/ansi_text.h"

namespace zkw {

TSpecFormat CanvasFormat(const TDibCanvas& Canvas) {
  TSpecFormat f;
  const uint32_t style = Canvas.FFont.Style();
  f.Bold = (style & fsBold) != 0;
  f.Italic = (style & fsItalic) != 0;
  f.Underline = (style & fsUnderline) != 0;
  f.Color = Canvas.GetTextColor();
  return f;
}

TDibSpecSurface::TDibSpecSurface(TDibCanvas& Canvas, const ZString& BaseFace, const TSpecContext& Context)
    : TSpecSurface(Context),
      FCanvas(Canvas),
      FBaseFace(BaseFace),
      FOldStyle(Canvas.FFont.Style()),
      FOldColor(Canvas.GetTextColor()),
      FOldScript(Canvas.ScriptMode),
      FOldAlign(Canvas.FTextAlign) {
  if (FCanvas.ScriptMode != 0) FCanvas.SetScriptMode(0);
  FBaseHeight = FCanvas.GetLineHeight();
  FBaseBaseline = FCanvas.GetBaseline();
  FCanvas.SetTextAlignment(kCanvasAlignBaseline);
}

TDibSpecSurface::~TDibSpecSurface() {
  if (FCanvas.ScriptMode != FOldScript) FCanvas.SetScriptMode(FOldScript);
  if (FCanvas.FFont.Style() != FOldStyle) FCanvas.FFont.SetStyle(FOldStyle);
  FCanvas.SetTextColor(FOldColor);
  FCanvas.SetTextAlignment(FOldAlign);
}

void TDibSpecSurface::Select(const TSpecFormat& f) {
  const uint32_t style = (FCanvas.FFont.Style() & fsStrikeOut) | (f.Bold ? fsBold : 0) | (f.Italic ? fsItalic : 0) |
                         (f.Underline ? fsUnderline : 0);
  const int32_t script = f.Script != 0 ? 1 : 0;
  if (FCanvas.ScriptMode != script) FCanvas.SetScriptMode(script);
  if (FCanvas.FFont.Style() != style) FCanvas.FFont.SetStyle(style);
  // After the style: a font change takes the font's colour.
  FCanvas.SetTextColor(f.Color);
}

void TDibSpecSurface::Prepare(TEquation& Eq, const TSpecFormat& f) {
  const ZString& formula = SpecTextSettings().FormulaFace;
  TFontID font = DefaultFontID();
  SetFaceName(font, ToAnsi(formula.empty() ? FBaseFace : formula));
  font.ftBold = f.Bold ? 1 : 0;
  font.ftItalic = f.Italic ? 1 : 0;
  font.ftSize = FCanvas.FFont.Size();
  Eq.SetFontID(font);
  const uint32_t color = ColorToRGB(f.Color) & 0xFFFFFF;
  Eq.SetColor(color);
  Eq.SetTextColor(color);
  Eq.SetDibFontManager(FCanvas.FDibFontManager);
  Eq.SetResolution(96);
  Eq.SetUseDibFont(true);
  Eq.SetDC(static_cast<plat::HDC>(FCanvas.GetHandle()));  // last: the one layout with real measures
}

}  // namespace zkw
