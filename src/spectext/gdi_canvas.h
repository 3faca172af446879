// A GDI canvas: a device context (the caller's) with a font description, what DrawSpecText
// draws on; and the GDI surface of marked-up text over it.
#pragma once
#include <cstdint>
#include <vector>

#include "fonts/dib_canvas.h"
#include "platform/plat_gdi.h"
#include "spectext/spec_surface.h"

namespace zkw {

struct TGdiCanvas {
  plat::HDC FDC = nullptr;
  TCanvasFont FFont;  // face, size in points, style, colour
};

// The font selected in a device context as a canvas font: its face, its character height
// (text height minus internal leading) in points and the context's text colour.
TCanvasFont FontOfDC(plat::HDC DC);

// Pixel height of a size in points on a device, rounded as MulDiv rounds (halves away from 0).
int32_t PointsToDevice(int32_t Points, int32_t PixelsPerInch);

// Marked-up text on a device context: fonts made per format and kept for the call; the context's
// font, colour, background mode and alignment are put back when the surface goes.
class TGdiSpecSurface : public TSpecSurface {
 public:
  TGdiSpecSurface(plat::HDC DC, const TCanvasFont& Base, const TSpecContext& Context);
  ~TGdiSpecSurface() override;

  void Select(const TSpecFormat& Format) override;
  int32_t Width(const ZChar* Text, int32_t Count) override;
  void Out(int32_t x, int32_t yBase, const ZChar* Text, int32_t Count) override;
  int32_t TabStep() override { return FTabStep; }
  int32_t BaseHeight() override { return FBaseHeight; }
  int32_t BaseBaseline() override { return FBaseBaseline; }
  void Prepare(TEquation& Eq, const TSpecFormat& Format) override;

 private:
  struct TFontEntry {
    TSpecFace Face;
    int32_t Size;
    uint32_t Style;
    plat::HFONT Font;
  };
  plat::HFONT FontFor(TSpecFace Face, int32_t Size, uint32_t Style);
  const ZString& FaceName(TSpecFace Face) const;

  plat::HDC FDC;
  TCanvasFont FBase;
  ZString FSymbolFace;
  std::vector<TFontEntry> FFonts;
  plat::HGDIOBJ FOldFont = nullptr;
  plat::COLORREF FOldColor;
  int FOldBkMode;
  plat::UINT FOldAlign;
  int32_t FPixelsPerInch;
  int32_t FTabStep;
  int32_t FBaseHeight = 0;
  int32_t FBaseBaseline = 0;
};

}  // namespace zkw
