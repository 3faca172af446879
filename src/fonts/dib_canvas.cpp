// The canvas's logical font, its record for hosts and the choice of bitmap-font variants.
#include "fonts/dib_canvas.h"

#include <algorithm>

#include "common/colour_units.h"
#include "common/round.h"
#include "dib/dib_base.h"
#include "fonts/dib_font.h"
#include "fonts/font_manager.h"

namespace zkw {

TCanvasFont::TCanvasFont() : FName(FromUtf8("Arial")), FSize(8) {}

void TCanvasFont::Changed() {
  if (OnChange) OnChange();
}
void TCanvasFont::SetName(const ZString& Value) {
  FName = Value;
  Changed();
}
void TCanvasFont::SetSize(int32_t Value) {
  FSize = Value;
  Changed();
}
void TCanvasFont::SetStyle(uint32_t Value) {
  FStyle = Value & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
  Changed();
}
void TCanvasFont::SetColor(uint32_t Value) {
  FColor = Value;
  Changed();
}
void TCanvasFont::Assign(const TCanvasFont& Source) {
  FName = Source.FName;
  FSize = Source.FSize;
  FStyle = Source.FStyle;
  FColor = Source.FColor;
  Changed();
}

TDibCanvas::TDibCanvas()
    : FCurrentFontSize(FFont.Size()), FCurrentFontName(FFont.Name()), FCurrentFontStyle(FFont.Style()) {
  FTextColor = FFont.Color();
  FFont.OnChange = [this] { FontChanged(); };
  UpdateFontInfo();
}

TDibCanvas::~TDibCanvas() {
  FFont.OnChange = nullptr;
  ReleaseVariants();
  ReleaseSurface();
}

int32_t TDibCanvas::ScriptSize(int32_t Size) {
  return std::max<int32_t>(8, static_cast<int32_t>(Round(Size * 2.0 / 3.0)));
}

void TDibCanvas::ReleaseVariants() {
  TDibFont** slots[] = {&FDFRegular, &FDFBold, &FDFItalic, &FDFBoldItalic, &FScript};
  for (TDibFont** slot : slots) {
    if (!*slot) continue;
    if (FCurrentDibFont == *slot) FCurrentDibFont = nullptr;
    if (FDibFontManager) FDibFontManager->DeleteFont(*slot);
    *slot = nullptr;
  }
}

void TDibCanvas::SelectDibFont() {
  if (!FDibFontManager) return;
  const bool bold = FFont.Style() & fsBold, italic = FFont.Style() & fsItalic;
  TDibFont** slot = ScriptMode != 0 ? &FScript
                    : bold          ? (italic ? &FDFBoldItalic : &FDFBold)
                                    : (italic ? &FDFItalic : &FDFRegular);
  if (!*slot) {
    if (ScriptMode != 0)
      *slot = FDibFontManager->CreateFont(FFont.Name(), ScriptSize(FFont.Size()), false, false);
    else
      *slot = FDibFontManager->CreateFont(FFont.Name(), FFont.Size(), bold, italic);
  }
  FCurrentDibFont = *slot;
}

void TDibCanvas::SetScriptMode(int32_t Value) {
  ScriptMode = Value;
  SelectDibFont();
}

void TDibCanvas::SetFontManager(TDibFontManager* Value) {
  // The cached variants belong to the old manager, which may be freed after this.
  ReleaseVariants();
  FDibFontManager = Value;
  SelectDibFont();
}

void TDibCanvas::FontChanged() {
  const bool sizeOrName = FFont.Size() != FCurrentFontSize || FFont.Name() != FCurrentFontName;
  if (sizeOrName || FFont.Style() != FCurrentFontStyle) {
    if (sizeOrName) ReleaseVariants();
    SelectDibFont();
  }
  if (FCurrentDibFont) {
    FCurrentDibFont->FColor = static_cast<int32_t>(ColorToRGB(FFont.Color()));
    FCurrentDibFont->Underline = (FFont.Style() & fsUnderline) != 0;
  }
  FTextColor = FFont.Color();
  FCurrentFontSize = FFont.Size();
  FCurrentFontName = FFont.Name();
  FCurrentFontStyle = FFont.Style();
  UpdateFontInfo();
}

void TDibCanvas::UpdateFontInfo() {
  FFontInfo = TDibCanvasFontInfo{};
  const ZString& name = FFont.Name();
  const size_t n = std::min<size_t>(name.size(), 255);
  for (size_t i = 0; i < n; ++i) FFontInfo.FaceName[i] = static_cast<uint16_t>(name[i]);
  FFontInfo.Size = FFont.Size();
  FFontInfo.Bold = (FFont.Style() & fsBold) ? 1 : 0;
  FFontInfo.Italic = (FFont.Style() & fsItalic) ? 1 : 0;
  FFontInfo.Underline = (FFont.Style() & fsUnderline) ? 1 : 0;
  FFontInfo.StrikeOut = (FFont.Style() & fsStrikeOut) ? 1 : 0;
  FFontInfo.Color = FFont.Color();
}

TCanvasFont CanvasFontOf(const TDibCanvasFontInfo& Info) {
  TCanvasFont font;
  ZString name;
  for (size_t i = 0; i < 256 && Info.FaceName[i]; ++i) name += static_cast<ZChar>(Info.FaceName[i]);
  font.SetName(name);
  font.SetSize(Info.Size);
  uint32_t style = 0;
  if (Info.Bold) style |= fsBold;
  if (Info.Italic) style |= fsItalic;
  if (Info.Underline) style |= fsUnderline;
  if (Info.StrikeOut) style |= fsStrikeOut;
  font.SetStyle(style);
  font.SetColor(Info.Color);
  return font;
}

void TDibCanvas::SetFontInfo(const TDibCanvasFontInfo& Info) { FFont.Assign(CanvasFontOf(Info)); }

void TDibCanvas::SetTextColor(uint32_t Value) {
  FTextColor = Value;
  if (FCurrentDibFont) FCurrentDibFont->FColor = static_cast<int32_t>(ColorToRGB(Value));
}

void TDibCanvas::SetTextJustification(int32_t jaWidth, int32_t BreakCount) {
  DibFontSetTextJustification(jaWidth, BreakCount);
}

}  // namespace zkw
