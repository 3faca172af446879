// Colour commands of zkw: pictures of the background generators and of the colour selection
// dialog as this platform layer renders them (the pictures of docs/api-colour.md).
#include <functional>
#include <memory>

#include "colour/backgrounds.h"
#include "commands.h"
#include "dialogs/color_selector_window.h"
#include "dib/dib8.h"
#include "exports/zkwgdi32.h"
#include "png_io.h"

namespace zkwtool {

namespace {

using Generator = std::function<void(zkw::TDibBaseObj*, int, int)>;

// Every generator on a 96 x 72 tile, 8-bit with a ramp from dark blue (index 0) to pale
// yellow (index 63), indexes 0 and 63 as C1 and C2 where the generator takes them.
int Backgrounds(const std::string& out) {
  constexpr int kTile = 96, kTileH = 72, kColumns = 4, kGap = 4;
  const Generator gens[] = {
      [](zkw::TDibBaseObj* d, int w, int h) { zkw::RectangleGround(d, 0, 63, 0, 0, w - 1, h - 1); },
      [](zkw::TDibBaseObj* d, int w, int h) { zkw::HorzCenterGround(d, 0, 63, 0, 0, w - 1, h - 1); },
      [](zkw::TDibBaseObj* d, int w, int h) { zkw::HorizonGround(d, 0, 63, 0, 0, w - 1, h - 1); },
      [](zkw::TDibBaseObj* d, int w, int h) { zkw::VerticalGround(d, 0, 63, 0, 0, w - 1, h - 1); },
      [](zkw::TDibBaseObj* d, int w, int h) { zkw::VertCenterGround(d, 0, 63, 0, 0, w - 1, h - 1); },
      [](zkw::TDibBaseObj* d, int w, int h) { zkw::CircleGround(d, 0, 63, 0, 0, w - 1, h - 1); },
      [](zkw::TDibBaseObj* d, int w, int h) { zkw::HorzSineGround(d, 0, 63, 12, 8, 0, 0, w - 1, h - 1); },
      [](zkw::TDibBaseObj* d, int w, int h) { zkw::VertSineGround(d, 0, 63, 12, 8, 0, 0, w - 1, h - 1); },
      [](zkw::TDibBaseObj* d, int w, int h) {
        d->Bar(0, 0, w - 1, h - 1, 40);
        zkw::BorderGround(d, 63, 10, 12, 2, 2, 0, 0, w - 1, h - 1);
      },
      [](zkw::TDibBaseObj* d, int w, int h) { zkw::BandsGround(d, 0, 31, true, 0, 0, w - 1, h - 1); },
      [](zkw::TDibBaseObj* d, int w, int h) { zkw::PolygonGround(d, 0, 63, 6, 2, true, 0, 0, w - 1, h - 1); }};
  const int count = static_cast<int>(std::size(gens)), rows = (count + kColumns - 1) / kColumns;
  TRgbaImage sheet;
  sheet.Width = kColumns * (kTile + kGap) + kGap;
  sheet.Height = rows * (kTileH + kGap) + kGap;
  sheet.Pixels.assign(static_cast<size_t>(sheet.Width) * sheet.Height * 4, 255);
  for (int i = 0; i < count; ++i) {
    zkw::TDib8Bits tile;
    tile.SetAttributes(kTile, kTileH);
    for (int c = 0; c < 256; ++c) {
      int t = c > 63 ? 63 : c;
      tile.DibPal[c] = zkw::TRGBQuad{static_cast<uint8_t>(120 + t * 80 / 63),
                                     static_cast<uint8_t>(30 + t * 210 / 63),
                                     static_cast<uint8_t>(20 + t * 230 / 63), 0};
    }
    tile.DibPal[255] = zkw::TRGBQuad{255, 255, 255, 0};
    tile.Bar(0, 0, kTile - 1, kTileH - 1, 0);
    gens[i](&tile, kTile, kTileH);
    int ox = kGap + (i % kColumns) * (kTile + kGap), oy = kGap + (i / kColumns) * (kTileH + kGap);
    for (int y = 0; y < kTileH; ++y)
      for (int x = 0; x < kTile; ++x) {
        uint32_t c = tile.GetPixelEx(x, y);
        uint8_t* p = &sheet.Pixels[(static_cast<size_t>(oy + y) * sheet.Width + ox + x) * 4];
        p[0] = c & 0xFF, p[1] = (c >> 8) & 0xFF, p[2] = (c >> 16) & 0xFF;
      }
  }
  std::string error;
  return WritePng(out, sheet, error) ? 0 : Fail(error);
}

// The dialog with an initial colour and the standard and system colours shown.
int Dialog(const std::string& out) {
  const int w = zkw::TColorSelector::kWidth, h = zkw::TColorSelector::kHeight;
  void* dc = zkwCreateMemoryDC(w, h);
  if (!dc) return Fail("cannot make a memory DC");
  zkw::TColorSelector sel(0x3366CC, true, true);
  sel.Click(sel.SwatchRect(zkw::TSelectorPart::spStandard, 26).left + 2,
            sel.SwatchRect(zkw::TSelectorPart::spStandard, 26).top + 2);
  zkw::PaintColorSelector(sel, dc);
  TRgbaImage image;
  image.Width = w, image.Height = h;
  image.Pixels.resize(static_cast<size_t>(w) * h * 4);
  const auto* bits = static_cast<const uint8_t*>(zkwMemoryDCPixels(dc));
  for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i) {
    image.Pixels[4 * i] = bits[4 * i + 2];
    image.Pixels[4 * i + 1] = bits[4 * i + 1];
    image.Pixels[4 * i + 2] = bits[4 * i];
    image.Pixels[4 * i + 3] = 255;
  }
  zkwDeleteMemoryDC(dc);
  std::string error;
  return WritePng(out, image, error) ? 0 : Fail(error);
}

}  // namespace

int CmdColourBackgrounds(const std::string& out) { return Backgrounds(out); }
int CmdColourDialog(const std::string& out) { return Dialog(out); }

}  // namespace zkwtool
