// TColorSelector: what the colour selection dialog knows and decides, without a window. It
// holds the choice (a COLORREF, or 0x80000000 + index for system colour 0..30), the hue,
// lightness and saturation behind it, the layout of the dialog's parts, and answers clicks and
// keys; the window (color_selector_window.h) only paints it and feeds it input.
#pragma once
#include <cstdint>

#include "platform/plat_gdi.h"

namespace zkw {

// Parts of the dialog a point can fall on.
enum class TSelectorPart { spNone, spCaption, spClose, spStandard, spSystem, spField, spLightness,
                           spOK, spCancel };

struct TSelectorHit {
  TSelectorPart Part = TSelectorPart::spNone;
  int32_t Index = -1;  // swatch index of spStandard and spSystem
};

class TColorSelector {
 public:
  static constexpr int32_t kStandardCount = 60;  // 12 hues x 4 lightnesses, then 12 greys
  static constexpr int32_t kSystemCount = 31;    // system colours 0 .. 30
  static constexpr uint32_t kSystemFlag = 0x80000000u;
  // Layout, in client pixels.
  static constexpr int32_t kWidth = 362, kHeight = 226, kCaption = 20, kMargin = 8;
  static constexpr int32_t kSwatch = 16, kColumns = 12;  // swatch pitch; 14 x 14 painted
  static constexpr int32_t kField = 128, kBarWidth = 12;

  TColorSelector(uint32_t Initial, bool ShowStandard, bool ShowSystem);

  // Standard colour i: HLStoRGB of hue (i mod 12) x 255 div 12 at lightness 192, 160, 128, 80
  // and saturation 255 for rows 0..3; row 4 holds greys Round(k x 255 / 11).
  static uint32_t StandardColor(int32_t i);
  // Rectangles of the parts (right and bottom excluded); empty for hidden swatch groups.
  plat::RECT PartRect(TSelectorPart Part) const;
  plat::RECT SwatchRect(TSelectorPart Group, int32_t Index) const;
  // The previews of the initial (Old) and the current colour.
  plat::RECT PreviewRect(bool Old) const;
  TSelectorHit HitTest(int32_t x, int32_t y) const;

  // A left click; returns true when it ends the dialog (Confirmed() tells how).
  bool Click(int32_t x, int32_t y);
  // Dragging with the button down moves the field and lightness markers.
  void Drag(int32_t x, int32_t y);
  // Enter confirms, Escape cancels; true when the key ends the dialog.
  bool Key(uint32_t VirtualKey);

  // The value the dialog writes: 0x80000000 + index for a system colour, else a COLORREF.
  uint32_t Value() const { return FValue; }
  uint32_t Initial() const { return FInitial; }
  // The name of system colour 0 .. 30 (ASCII); null for other indexes.
  static const char* SystemColorName(int32_t Index);
  // Where the name of a chosen system colour is written (below the system colours).
  plat::RECT NameRect() const;
  // The colour the value shows (system colours resolved).
  static uint32_t Shown(uint32_t Value);
  int32_t Hue() const { return FHue; }
  int32_t Lightness() const { return FLight; }
  int32_t Saturation() const { return FSat; }
  bool ShowStandard() const { return FShowStandard; }
  bool ShowSystem() const { return FShowSystem; }
  bool Done() const { return FDone; }
  bool Confirmed() const { return FConfirmed; }
  void End(bool Confirm) {
    FDone = true;
    FConfirmed = Confirm;
  }
  // Field position of a hue and saturation, and bar position of a lightness (client pixels).
  plat::POINT FieldPoint() const;
  int32_t LightnessY() const;

 private:
  void Choose(uint32_t Value);  // a swatch: value and its HLS
  void FromHls();               // the field or bar moved: value from HLS
  void PickField(int32_t x, int32_t y);
  void PickLightness(int32_t y);

  uint32_t FInitial, FValue;
  int32_t FHue = 170, FLight = 0, FSat = 0;
  bool FShowStandard, FShowSystem;
  bool FDone = false, FConfirmed = false;
  TSelectorPart FDragging = TSelectorPart::spNone;
};

}  // namespace zkw
