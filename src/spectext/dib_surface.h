// Marked-up text on a DIB canvas with its bitmap fonts: styles and the script variant switch the
// canvas's font, faces stay. The canvas's style, colour, script mode and alignment are put
// back when the surface goes.
#pragma once
#include "fonts/dib_canvas.h"
#include "spectext/spec_surface.h"

namespace zkw {

class TDibSpecSurface : public TSpecSurface {
 public:
  // BaseFace: the face embedded equations get when no formula face is set.
  TDibSpecSurface(TDibCanvas& Canvas, const ZString& BaseFace, const TSpecContext& Context);
  ~TDibSpecSurface() override;

  void Select(const TSpecFormat& Format) override;
  int32_t Width(const ZChar* Text, int32_t Count) override { return FCanvas.TextWidth(Text, Count); }
  void Out(int32_t x, int32_t yBase, const ZChar* Text, int32_t Count) override {
    FCanvas.TextOut(x, yBase, Text, Count);
  }
  int32_t TabStep() override { return 48; }
  int32_t BaseHeight() override { return FBaseHeight; }
  int32_t BaseBaseline() override { return FBaseBaseline; }
  void Prepare(TEquation& Eq, const TSpecFormat& Format) override;

 private:
  TDibCanvas& FCanvas;
  ZString FBaseFace;
  uint32_t FOldStyle;
  uint32_t FOldColor;
  int32_t FOldScript;
  uint32_t FOldAlign;
  int32_t FBaseHeight = 0;
  int32_t FBaseBaseline = 0;
};

// The starting format of a canvas: its font's styles and its text colour.
TSpecFormat CanvasFormat(const TDibCanvas& Canvas);

}  // namespace zkw
