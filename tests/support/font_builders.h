// Small bitmap fonts made in memory for the font tests: glyph cells of given widths, overhangs
// and coverage, written as the bytes of a font file in the current or an older format.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "fonts/dib_font.h"
#include "fonts/package_font.h"

namespace zkwtest {

struct GlyphSpec {
  int slot = 0;
  int width = 0;
  int overhangLeft = 0, overhangRight = 0;
  // Coverage of the cell, top row first, width x height; empty = all zero.
  std::vector<uint8_t> face, outline, shadow, alpha;
};

class FontBuilder {
 public:
  FontBuilder(int height, int baseline, int leading = 0) : h_(height), base_(baseline), lead_(leading) {}
  // A cell of one coverage value in every pixel of the face plane (outline and shadow planes
  // get `outline` and `shadow` everywhere).
  FontBuilder& Solid(int slot, int width, uint8_t face, int ol = 0, int orr = 0,
                     uint8_t outline = 0, uint8_t shadow = 0);
  FontBuilder& Glyph(const GlyphSpec& g);
  FontBuilder& Accent(int entry, int dx, int dy);
  FontBuilder& Planes(bool outline, bool shadow, bool alpha = false);
  FontBuilder& Name(const char* name);

  // The header as written.
  zkw::TDibFontHeaderEx Header() const;
  // Bytes of a "DFONTU" file.
  std::vector<uint8_t> Bytes() const;
  // Bytes of a "DFONTEX" (alpha plane when withAlpha) or "DibFont" file with a colour table
  // whose entry i is (i, 255 - i, 7); dfSize as given, or the plane size when -1.
  std::vector<uint8_t> OldBytes(bool dfontex, bool withAlpha, int64_t dfSize = -1) const;
  // A font loaded from Bytes(); Designing keeps absent glyphs absent.
  std::unique_ptr<zkw::TDibFont> Load(bool designing = false) const;

  int Width() const;        // strip width
  int Left(int slot) const; // GlyphLeft of a slot

 private:
  std::vector<uint8_t> Plane(std::vector<uint8_t> GlyphSpec::*plane) const;
  int h_, base_, lead_;
  std::vector<GlyphSpec> glyphs_;
  std::vector<std::pair<int, std::pair<int, int>>> accents_;
  bool outline_ = false, shadow_ = false, alpha_ = false;
  const char* name_ = "test font";
};

// A 24-bit image of w x h filled with one COLORREF.
std::unique_ptr<zkw::TDibBaseObj> Canvas(int w, int h, uint32_t color = 0xFFFFFF);
// The pixel as blue, green, red bytes packed 0xBBGGRR... as stored: returns the COLORREF.
uint32_t Px(zkw::TDibBaseObj& dib, int x, int y);
// The bytes of a font package made by the library's writer.
std::vector<uint8_t> PackageBytes(const std::string& names, const std::vector<zkw::TFontPackageItem>& items);

}  // namespace zkwtest
