// The line loop of marked-up text and its entry points.
#include "spectext/spec_text.h"

#include <algorithm>

#include "fonts/dib_canvas.h"
#include "fonts/glyph_state.h"
#include "spectext/dib_surface.h"
#include "spectext/gdi_canvas.h"
#include "spectext/spec_line.h"
#include "spectext/spec_settings.h"

namespace zkw {

namespace {

int32_t Clamped(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

int32_t PackLine(const TSpecLine& line) {
  return static_cast<int32_t>((static_cast<uint32_t>(line.Height) & 0xFFFF) |
                              (static_cast<uint32_t>(line.Baseline) << 16));
}

// Measures and draws line after line from the rectangle's top until a line takes nothing.
int32_t DrawLines(TSpecSurface& s, plat::RECT& Rt, const ZChar* Text, uint32_t Flags, TSpecFormat format) {
  const size_t len = ZLength(Text);
  const bool measureOnly = (Flags & kSpecMeasureOnly) != 0;
  const bool dib = s.Context().Dib;
  if (Flags & kSpecSingleLine) {
    const TSpecLine line = MeasureLine(s, Text, len, Rt.left, Rt.right, false, format);
    if (!dib || measureOnly) Rt.right = Clamped(int64_t{Rt.left} + line.Width);
    if (!measureOnly)
      DrawLine(s, Text, static_cast<size_t>(line.Units), Rt.left, Clamped(int64_t{Rt.top} + line.Baseline),
               line.Baseline, false, format);
    return PackLine(line);
  }
  int64_t y = Rt.top, total = 0;
  size_t pos = 0;
  while (pos < len) {
    const TSpecLine line = MeasureLine(s, Text + pos, len - pos, Rt.left, Rt.right, true, format);
    if (line.Units == 0) break;
    int64_t x = Rt.left;
    if (dib && (Flags & kSpecCentre))
      x += (int64_t{Rt.right} - Rt.left - line.Width) / 2;
    else if (dib && (Flags & kSpecRight))
      x = int64_t{Rt.right} - line.Width;
    // Measuring only still walks the line: its commands carry on to the next one.
    DrawLine(s, Text + pos, static_cast<size_t>(line.Units), Clamped(x), Clamped(y + line.Baseline), line.Baseline,
             measureOnly, format);
    total += line.Height;
    y += line.Height;
    pos += static_cast<size_t>(line.Units);
  }
  return Clamped(total);
}

TSpecContext GdiContext(uint32_t DefaultColor) {
  const TSpecTextSettings& settings = SpecTextSettings();
  return TSpecContext{DefaultColor, settings.GdiColorA, settings.GdiColorB, !settings.FormulaFace.empty(), false};
}

TSpecContext DibContext(uint32_t DefaultColor) {
  const TSpecTextSettings& settings = SpecTextSettings();
  return TSpecContext{DefaultColor, settings.DibColorA, settings.DibColorB, !settings.FormulaFace.empty(), true};
}

ZString FaceOr(const ZChar* Face, const TDibCanvas& Canvas) {
  return (Face && Face[0]) ? ZString(Face) : Canvas.FFont.Name();
}

// The length of Count code units cut at a NUL.
size_t Bounded(const ZChar* Text, int32_t Count) {
  size_t n = 0;
  while (n < static_cast<size_t>(std::max(0, Count)) && Text[n]) ++n;
  return n;
}

}  // namespace

int32_t DrawSpecText(TGdiCanvas& Canvas, plat::RECT& Rt, const ZChar* Text, uint32_t Flags) {
  if (!Text || !Canvas.FDC) return 0;
  TCanvasFont base;
  base.Assign(Canvas.FFont);
  base.SetStyle(0);  // the text starts plain
  TGdiSpecSurface surface(Canvas.FDC, base, GdiContext(base.Color()));
  TSpecFormat format;
  format.Color = base.Color();
  return DrawLines(surface, Rt, Text, Flags, format);
}

int32_t DrawSpecTextDC(plat::HDC DC, plat::RECT& Rt, const ZChar* Text, uint32_t Flags) {
  if (!DC) return 0;
  const int saved = plat::SaveDC(DC);
  TGdiCanvas canvas;
  canvas.FDC = DC;
  canvas.FFont.Assign(FontOfDC(DC));
  const int32_t result = DrawSpecText(canvas, Rt, Text, Flags);
  plat::RestoreDC(DC, saved);
  return result;
}

int32_t DibDrawSpecText(TDibCanvas& Canvas, plat::RECT& Rt, const ZChar* Text, uint32_t Flags) {
  if (!Text) return 0;
  DibFontSetTextJustification(0, 0);
  TSpecFormat format;  // plain
  format.Color = Canvas.GetTextColor();
  TDibSpecSurface surface(Canvas, Canvas.FFont.Name(), DibContext(format.Color));
  return DrawLines(surface, Rt, Text, Flags, format);
}

TDibLineResult DibGetALine(TDibCanvas& Canvas, const plat::RECT& Rt, const ZChar* Text, bool WordBreak,
                           const ZChar* BaseFace) {
  TDibLineResult result;
  if (!Text) return result;
  const TSpecFormat format = CanvasFormat(Canvas);
  TDibSpecSurface surface(Canvas, FaceOr(BaseFace, Canvas), DibContext(format.Color));
  const TSpecLine line = MeasureLine(surface, Text, ZLength(Text), Rt.left, Rt.right, WordBreak, format);
  result.Units = line.Units;
  result.Baseline = line.Baseline;
  result.Height = line.Height;
  result.Width = line.Width;
  result.AtEnd = line.AtEnd;
  return result;
}

void DibDrawASpecText(TDibCanvas& Canvas, int32_t x, int32_t y, const ZChar* Text, int32_t Count, int32_t Baseline,
                      bool MeasureOnly, const ZChar* BaseFace) {
  if (!Text || Count <= 0) return;
  TSpecFormat format = CanvasFormat(Canvas);
  TDibSpecSurface surface(Canvas, FaceOr(BaseFace, Canvas), DibContext(format.Color));
  const int64_t yBase = int64_t{y} + Baseline;
  DrawLine(surface, Text, Bounded(Text, Count), x, Clamped(yBase), Baseline, MeasureOnly, format);
}

}  // namespace zkw
