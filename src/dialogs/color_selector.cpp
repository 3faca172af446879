#include "dialogs/color_selector.h"

#include <algorithm>

#include "colour/blend.h"
#include "colour/hls.h"
#include "common/round.h"

namespace zkw {

namespace {

constexpr int32_t kLightnesses[4] = {192, 160, 128, 80};

const char* const kSystemNames[TColorSelector::kSystemCount] = {
    "Scroll bar", "Desktop", "Active caption", "Inactive caption", "Menu", "Window",
    "Window frame", "Menu text", "Window text", "Caption text", "Active border",
    "Inactive border", "Application workspace", "Highlight", "Highlighted text",
    "Button face", "Button shadow", "Grey text", "Button text", "Inactive caption text",
    "Button highlight", "3-D dark shadow", "3-D light", "Tooltip text",
    "Tooltip background", "(unused)", "Hot-track", "Active caption gradient",
    "Inactive caption gradient", "Menu highlight", "Menu bar"};

bool Inside(const plat::RECT& r, int32_t x, int32_t y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

int32_t SwatchRows(TSelectorPart Group) {
  int32_t count = Group == TSelectorPart::spStandard ? TColorSelector::kStandardCount
                                                     : TColorSelector::kSystemCount;
  return (count + TColorSelector::kColumns - 1) / TColorSelector::kColumns;
}

}  // namespace

TColorSelector::TColorSelector(uint32_t Initial, bool ShowStandard, bool ShowSystem)
    : FInitial(Initial), FValue(Initial), FShowStandard(ShowStandard), FShowSystem(ShowSystem) {
  // A system colour code beyond 30 is read as the plain colour of its low 24 bits.
  if ((Initial & kSystemFlag) && (Initial & 0x7FFFFFFFu) >= static_cast<uint32_t>(kSystemCount))
    FValue = FInitial = Initial & 0xFFFFFF;
  Choose(FValue);
}

uint32_t TColorSelector::StandardColor(int32_t i) {
  if (i < 0 || i >= kStandardCount) return 0;
  int32_t row = i / kColumns, column = i % kColumns;
  if (row == 4) return HLStoRGB(170, static_cast<int32_t>(Round(column * 255 / 11.0)), 0);
  return HLStoRGB(column * 255 / kColumns, kLightnesses[row], 255);
}

const char* TColorSelector::SystemColorName(int32_t Index) {
  return Index >= 0 && Index < kSystemCount ? kSystemNames[Index] : nullptr;
}

plat::RECT TColorSelector::NameRect() const {
  plat::RECT g = PartRect(TSelectorPart::spSystem);
  if (g.right == g.left) return {0, 0, 0, 0};
  return {g.left, g.bottom + 2, g.right, g.bottom + 18};
}

uint32_t TColorSelector::Shown(uint32_t Value) {
  return Value & kSystemFlag ? ResolveColor(Value) : Value & 0xFFFFFF;
}

plat::RECT TColorSelector::PartRect(TSelectorPart Part) const {
  const int32_t top = kCaption + kMargin;
  const int32_t right = kMargin + kColumns * kSwatch + kMargin;  // the field's left edge
  const int32_t standardRows = SwatchRows(TSelectorPart::spStandard);
  switch (Part) {
    case TSelectorPart::spCaption: return {0, 0, kWidth, kCaption};
    case TSelectorPart::spClose: return {kWidth - 18, 2, kWidth - 2, 18};
    case TSelectorPart::spStandard:
      if (!FShowStandard) return {0, 0, 0, 0};
      return {kMargin, top, kMargin + kColumns * kSwatch, top + standardRows * kSwatch};
    case TSelectorPart::spSystem: {
      if (!FShowSystem) return {0, 0, 0, 0};
      int32_t y = top + (FShowStandard ? standardRows * kSwatch + kMargin : 0);
      return {kMargin, y, kMargin + kColumns * kSwatch,
              y + SwatchRows(TSelectorPart::spSystem) * kSwatch};
    }
    case TSelectorPart::spField: return {right, top, right + kField, top + kField};
    case TSelectorPart::spLightness:
      return {right + kField + 6, top, right + kField + 6 + kBarWidth, top + kField};
    case TSelectorPart::spOK: return {kWidth - 2 * 72, kHeight - 30, kWidth - 80, kHeight - 8};
    case TSelectorPart::spCancel: return {kWidth - 72, kHeight - 30, kWidth - 8, kHeight - 8};
    default: return {0, 0, 0, 0};
  }
}

plat::RECT TColorSelector::SwatchRect(TSelectorPart Group, int32_t Index) const {
  plat::RECT g = PartRect(Group);
  int32_t count = Group == TSelectorPart::spStandard ? kStandardCount : kSystemCount;
  if (g.right == g.left || Index < 0 || Index >= count) return {0, 0, 0, 0};
  int32_t x = g.left + (Index % kColumns) * kSwatch, y = g.top + (Index / kColumns) * kSwatch;
  return {x + 1, y + 1, x + kSwatch - 1, y + kSwatch - 1};
}

plat::RECT TColorSelector::PreviewRect(bool Old) const {
  plat::RECT f = PartRect(TSelectorPart::spField);
  int32_t x = f.left + (Old ? 0 : 48), y = f.bottom + kMargin;
  return {x, y, x + 44, y + 24};
}

TSelectorHit TColorSelector::HitTest(int32_t x, int32_t y) const {
  for (TSelectorPart p : {TSelectorPart::spClose, TSelectorPart::spCaption, TSelectorPart::spField,
                          TSelectorPart::spLightness, TSelectorPart::spOK, TSelectorPart::spCancel})
    if (Inside(PartRect(p), x, y)) return {p, -1};
  for (TSelectorPart g : {TSelectorPart::spStandard, TSelectorPart::spSystem}) {
    plat::RECT r = PartRect(g);
    if (!Inside(r, x, y)) continue;
    int32_t i = ((y - r.top) / kSwatch) * kColumns + (x - r.left) / kSwatch;
    if (i < (g == TSelectorPart::spStandard ? kStandardCount : kSystemCount)) return {g, i};
  }
  return {};
}

bool TColorSelector::Click(int32_t x, int32_t y) {
  TSelectorHit hit = HitTest(x, y);
  FDragging = TSelectorPart::spNone;
  switch (hit.Part) {
    case TSelectorPart::spStandard: Choose(StandardColor(hit.Index)); break;
    case TSelectorPart::spSystem: Choose(kSystemFlag + static_cast<uint32_t>(hit.Index)); break;
    case TSelectorPart::spField: FDragging = hit.Part, PickField(x, y); break;
    case TSelectorPart::spLightness: FDragging = hit.Part, PickLightness(y); break;
    case TSelectorPart::spOK: End(true); break;
    case TSelectorPart::spCancel:
    case TSelectorPart::spClose: End(false); break;
    default: break;
  }
  return FDone;
}

void TColorSelector::Drag(int32_t x, int32_t y) {
  if (FDragging == TSelectorPart::spField) PickField(x, y);
  if (FDragging == TSelectorPart::spLightness) PickLightness(y);
}

bool TColorSelector::Key(uint32_t VirtualKey) {
  if (VirtualKey == 0x0D) End(true);
  if (VirtualKey == 0x1B) End(false);
  return FDone;
}

plat::POINT TColorSelector::FieldPoint() const {
  plat::RECT f = PartRect(TSelectorPart::spField);
  return {f.left + FHue * kField / 255, f.top + (255 - FSat) * (kField - 1) / 255};
}

int32_t TColorSelector::LightnessY() const {
  plat::RECT b = PartRect(TSelectorPart::spLightness);
  return b.top + (255 - FLight) * (kField - 1) / 255;
}

void TColorSelector::Choose(uint32_t Value) {
  FValue = Value;
  RGBtoHLS(Shown(Value), FHue, FLight, FSat);
}

void TColorSelector::FromHls() { FValue = HLStoRGB(FHue, FLight, FSat); }

void TColorSelector::PickField(int32_t x, int32_t y) {
  plat::RECT f = PartRect(TSelectorPart::spField);
  x = std::clamp(x - f.left, 0, kField - 1);
  y = std::clamp(y - f.top, 0, kField - 1);
  FHue = x * 255 / kField;
  FSat = 255 - y * 255 / (kField - 1);
  FromHls();
}

void TColorSelector::PickLightness(int32_t y) {
  plat::RECT b = PartRect(TSelectorPart::spLightness);
  y = std::clamp(y - b.top, 0, kField - 1);
  FLight = 255 - y * 255 / (kField - 1);
  FromHls();
}

}  // namespace zkw
