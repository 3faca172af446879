// Painting of the colour selection dialog: a gradient caption with its title and the close
// button of the "SYSBUTTONS" image, swatches of the standard and system colours, the
// hue-saturation field, the lightness bar, the old and new colours, and the OK and Cancel
// buttons. Everything goes through the library's own drawing procedures.
#include <memory>
#include <vector>

#include "colour/blend.h"
#include "colour/gdi_helpers.h"
#include "colour/gradient.h"
#include "colour/hls.h"
#include "base/text16.h"
#include "dialogs/color_selector_window.h"
#include "dib/dc_composite.h"
#include "dib/dib_factory.h"
#include "platform/plat.h"

namespace zkw {

namespace {

using Part = TSelectorPart;

constexpr uint32_t kDark = 0x404040, kLight = 0xFFFFFF, kShade = 0xA0A0A0;
const plat::WCHAR kFace[] = {'A', 'r', 'i', 'a', 'l', 0};
const plat::WCHAR kSysButtons[] = {'S', 'Y', 'S', 'B', 'U', 'T', 'T', 'O', 'N', 'S', 0};
const plat::WCHAR kOK[] = {'O', 'K', 0};
const plat::WCHAR kCancel[] = {'C', 'a', 'n', 'c', 'e', 'l', 0};

void Sunken(plat::HDC dc, const plat::RECT& r) {
  DrawDipRectColor(dc, r.left - 2, r.top - 2, r.right + 2, r.bottom + 2, kShade, kLight, kDark);
}

void Caption(plat::HDC dc, const TColorSelector& sel, plat::HFONT font) {
  plat::RECT c = sel.PartRect(Part::spCaption);
  HorizontalGradient(dc, plat::GetSysColor(2), plat::GetSysColor(27), plat::GetSysColor(2), c.left,
                     c.top, c.right, c.bottom, 70);
  TextShadow(dc, 6, 3, kColorSelectorCaption, kLight, kDark, font, 1);
  std::unique_ptr<TDibBaseObj> buttons(LoadDexFromResource(plat::LibraryModule(), kSysButtons));
  plat::RECT x = sel.PartRect(Part::spClose);
  if (buttons) DrawPartAlpha(buttons.get(), dc, x.left, x.top, 0, 0, 16, 16);  // close, normal
}

void Swatches(plat::HDC dc, const TColorSelector& sel, Part group) {
  const int32_t count = group == Part::spStandard ? TColorSelector::kStandardCount
                                                  : TColorSelector::kSystemCount;
  for (int32_t i = 0; i < count; ++i) {
    plat::RECT r = sel.SwatchRect(group, i);
    if (r.right == r.left) return;
    uint32_t value = group == Part::spStandard ? TColorSelector::StandardColor(i)
                                               : TColorSelector::kSystemFlag + static_cast<uint32_t>(i);
    FillBox(dc, r.left, r.top, r.right, r.bottom, TColorSelector::Shown(value));
    DisplayRect(dc, r.left, r.top, r.right - 1, r.bottom - 1, 1, value == sel.Value() ? 0 : kShade);
    if (value == sel.Value()) DisplayRect(dc, r.left - 1, r.top - 1, r.right, r.bottom, 1, kLight);
  }
}

// Hue across, saturation down, at lightness 128.
void Field(plat::HDC dc, const TColorSelector& sel) {
  plat::RECT f = sel.PartRect(Part::spField);
  const int32_t n = TColorSelector::kField;
  std::vector<uint32_t> pixels(static_cast<size_t>(n) * n);
  for (int32_t y = 0; y < n; ++y)
    for (int32_t x = 0; x < n; ++x) {
      uint32_t c = HLStoRGB(x * 255 / n, 128, 255 - y * 255 / (n - 1));
      pixels[static_cast<size_t>(y) * n + x] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
  plat::BITMAPINFO info{};
  info.bmiHeader = {sizeof(plat::BITMAPINFOHEADER), n, -n, 1, 32, plat::BI_RGB, 0, 0, 0, 0, 0};
  plat::SetDIBitsToDevice(dc, f.left, f.top, n, n, 0, 0, 0, n, pixels.data(), &info,
                          plat::DIB_RGB_COLORS);
  Sunken(dc, f);
  plat::POINT p = sel.FieldPoint();
  Line(dc, p.x - 4, p.y, p.x + 5, p.y, 1, 0);
  Line(dc, p.x, p.y - 4, p.x, p.y + 5, 1, 0);
}

// Lightness 255 at the top down to 0, at the chosen hue and saturation.
void LightnessBar(plat::HDC dc, const TColorSelector& sel) {
  plat::RECT b = sel.PartRect(Part::spLightness);
  const int32_t n = TColorSelector::kField;
  for (int32_t y = 0; y < n; ++y)
    FillBox(dc, b.left, b.top + y, b.right, b.top + y + 1,
            HLStoRGB(sel.Hue(), 255 - y * 255 / (n - 1), sel.Saturation()));
  Sunken(dc, b);
  int32_t y = sel.LightnessY();
  Line(dc, b.right + 2, y, b.right + 6, y, 1, 0);
}

// The name of the chosen system colour.
void SystemName(plat::HDC dc, const TColorSelector& sel) {
  if (!(sel.Value() & TColorSelector::kSystemFlag)) return;
  const char* name = TColorSelector::SystemColorName(static_cast<int32_t>(sel.Value() & 0xFF));
  plat::RECT r = sel.NameRect();
  if (!name || r.right == r.left) return;
  const ZString text = FromUtf8(name);
  plat::SetBkMode(dc, plat::TRANSPARENT);
  plat::SetTextColor(dc, plat::GetSysColor(18));
  plat::DrawTextW(dc, text.c_str(), -1, &r, plat::DT_LEFT | plat::DT_VCENTER | plat::DT_SINGLELINE);
}

void Preview(plat::HDC dc, const TColorSelector& sel) {
  for (bool old : {true, false}) {
    plat::RECT r = sel.PreviewRect(old);
    FillBox(dc, r.left, r.top, r.right, r.bottom,
            TColorSelector::Shown(old ? sel.Initial() : sel.Value()));
    Sunken(dc, r);
  }
}

void Button(plat::HDC dc, const plat::RECT& r, const plat::WCHAR* text) {
  FillBox(dc, r.left, r.top, r.right, r.bottom, plat::GetSysColor(15));
  DrawDipRectColor(dc, r.left, r.top, r.right, r.bottom, kLight, kDark, kLight);
  plat::RECT t = r;
  plat::SetBkMode(dc, plat::TRANSPARENT);
  plat::SetTextColor(dc, plat::GetSysColor(18));
  plat::DrawTextW(dc, text, -1, &t, plat::DT_CENTER | plat::DT_VCENTER | plat::DT_SINGLELINE);
}

}  // namespace

void PaintColorSelector(const TColorSelector& sel, plat::HDC dc) {
  const int32_t w = TColorSelector::kWidth, h = TColorSelector::kHeight;
  FillBox(dc, 0, 0, w, h, plat::GetSysColor(15));
  plat::HFONT font = CreatePhysFont(dc, kFace, 9, 1, 0, 0);
  plat::HGDIOBJ oldFont = plat::SelectObject(dc, font);
  Caption(dc, sel, font);
  Swatches(dc, sel, Part::spStandard);
  Swatches(dc, sel, Part::spSystem);
  SystemName(dc, sel);
  Field(dc, sel);
  LightnessBar(dc, sel);
  Preview(dc, sel);
  Button(dc, sel.PartRect(Part::spOK), kOK);
  Button(dc, sel.PartRect(Part::spCancel), kCancel);
  DisplayRect(dc, 0, 0, w - 1, h - 1, 1, kDark);
  plat::SelectObject(dc, oldFont);
  if (font) plat::DeleteObject(font);
}

}  // namespace zkw
