// The font maker of zkw: a ".dfu" bitmap font made from a TrueType or OpenType font.
#pragma once
#include <functional>
#include <string>

namespace zkw {
class TDibFont;
}

namespace zkwtool {

struct FontMakeOptions {
  std::string source;     // TrueType/OpenType file
  int size = 16;          // pixel size (em height)
  std::string name;       // font name; family, style and size when empty
  int outlineRadius = 1;  // dilation radius of the outline plane
  int softenRadius = 1;   // blur radius of the shadow plane
  // Called as glyphs are rendered: (done, total); may be empty.
  std::function<void(int, int)> progress;
};

// Fills `font` with three strip images, the glyph table and the tone-mark offsets.
bool MakeFont(const FontMakeOptions& options, zkw::TDibFont& font, std::string& error,
              std::string& summary);

}  // namespace zkwtool
