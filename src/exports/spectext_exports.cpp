// Exports of marked-up text: settings, drawing on GDI canvases, device contexts and DIB canvases,
// the DIB canvas's line functions, the editor window protocol and the host's GDI canvas.
#include "exports/zkwgdi32.h"
#include "fonts/dib_canvas.h"
#include "spectext/gdi_canvas.h"
#include "spectext/spec_editor.h"
#include "spectext/spec_settings.h"
#include "spectext/spec_text.h"

using zkw::Guarded;
using zkw::GuardedVoid;
using zkw::TDibCanvas;
using zkw::TGdiCanvas;

namespace {

plat::RECT ToRect(const TEqRect& r) { return plat::RECT{r.left, r.top, r.right, r.bottom}; }
void FromRect(TEqRect& out, const plat::RECT& r) { out = TEqRect{r.left, r.top, r.right, r.bottom}; }

// Runs a drawing function on the caller's rectangle and writes back what it changed.
template <class Draw>
int32_t OnRect(TEqRect* Rect, Draw draw) {
  if (!Rect) return 0;
  plat::RECT rt = ToRect(*Rect);
  const int32_t result = draw(rt);
  FromRect(*Rect, rt);
  return result;
}

}  // namespace

ZKW_EXPORT void ZKWAPI SetFormulaFont(const ZKWCHAR* FaceName) {
  GuardedVoid([&] { zkw::SetFormulaFace(FaceName); });
}
ZKW_EXPORT uint32_t ZKWAPI SetSpecTextColor(uint32_t a, uint32_t b) {
  zkw::SpecTextSettings().GdiColorA = a;
  zkw::SpecTextSettings().GdiColorB = b;
  return b;
}
ZKW_EXPORT uint32_t ZKWAPI SetSpecialDibTextColor(uint32_t a, uint32_t b) {
  zkw::SpecTextSettings().DibColorA = a;
  zkw::SpecTextSettings().DibColorB = b;
  return b;
}
ZKW_EXPORT int32_t ZKWAPI DrawSpecText(ZGDICANVAS Canvas, TEqRect* Rect, const ZKWCHAR* Text, uint32_t Flags) {
  return Guarded<int32_t>(0, [&] {
    if (!Canvas) return 0;
    return OnRect(Rect, [&](plat::RECT& rt) { return zkw::DrawSpecText(*static_cast<TGdiCanvas*>(Canvas), rt, Text, Flags); });
  });
}
ZKW_EXPORT int32_t ZKWAPI DrawSpecTextDC(void* DC, TEqRect* Rect, const ZKWCHAR* Text, uint32_t Flags) {
  return Guarded<int32_t>(0, [&] {
    return OnRect(Rect, [&](plat::RECT& rt) { return zkw::DrawSpecTextDC(static_cast<plat::HDC>(DC), rt, Text, Flags); });
  });
}
ZKW_EXPORT int32_t ZKWAPI DibDrawSpecText(ZCANVAS Canvas, TEqRect* Rect, const ZKWCHAR* Text, uint32_t Flags) {
  return Guarded<int32_t>(0, [&] {
    if (!Canvas) return 0;
    return OnRect(Rect, [&](plat::RECT& rt) { return zkw::DibDrawSpecText(*static_cast<TDibCanvas*>(Canvas), rt, Text, Flags); });
  });
}
ZKW_EXPORT int32_t ZKWAPI dfuGetALine(ZCANVAS Canvas, const TEqRect* Rect, const ZKWCHAR* Text, int32_t* Baseline,
                                      int32_t* LineHeight, uint8_t WordBreak, const ZKWCHAR* DefaultFace,
                                      int32_t* LineWidth, uint8_t* EndOfText) {
  return Guarded<int32_t>(0, [&] {
    if (!Canvas || !Rect) return 0;
    const zkw::TDibLineResult line =
        zkw::DibGetALine(*static_cast<TDibCanvas*>(Canvas), ToRect(*Rect), Text, WordBreak != 0, DefaultFace);
    if (Baseline) *Baseline = line.Baseline;
    if (LineHeight) *LineHeight = line.Height;
    if (LineWidth) *LineWidth = line.Width;
    if (EndOfText) *EndOfText = line.AtEnd ? 1 : 0;
    return line.Units;
  });
}
ZKW_EXPORT void ZKWAPI dfuDrawASpecText(ZCANVAS Canvas, int32_t x, int32_t y, const ZKWCHAR* Text, int32_t Count,
                                        int32_t Baseline, uint8_t MeasureOnly, const ZKWCHAR* DefaultFace) {
  GuardedVoid([&] {
    if (Canvas)
      zkw::DibDrawASpecText(*static_cast<TDibCanvas*>(Canvas), x, y, Text, Count, Baseline, MeasureOnly != 0, DefaultFace);
  });
}
ZKW_EXPORT void* ZKWAPI GetEquationCode(ZWINDOW Window) {
  return Guarded<void*>(nullptr, [&] { return static_cast<void*>(zkw::GetEquationCode(Window)); });
}
ZKW_EXPORT void ZKWAPI ReformatSpecText(ZWINDOW Window, const ZKWCHAR* Text) {
  GuardedVoid([&] { zkw::ReformatSpecText(Window, Text); });
}
ZKW_EXPORT ZGDICANVAS ZKWAPI zkwCreateGdiCanvas(void* DC, const TDibCanvasFontInfo* Font) {
  return Guarded<ZGDICANVAS>(nullptr, [&] {
    auto* canvas = new TGdiCanvas;
    canvas->FDC = static_cast<plat::HDC>(DC);
    canvas->FFont.Assign(Font ? zkw::CanvasFontOf(*Font) : zkw::FontOfDC(canvas->FDC));
    return static_cast<ZGDICANVAS>(canvas);
  });
}
ZKW_EXPORT void ZKWAPI zkwFreeGdiCanvas(ZGDICANVAS Canvas) {
  GuardedVoid([&] { delete static_cast<TGdiCanvas*>(Canvas); });
}
