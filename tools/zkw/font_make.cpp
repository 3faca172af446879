// zkw font make: a bitmap font (".dfu") from a TrueType or OpenType font through FreeType.
// The face plane is FreeType's 8-bit coverage; the outline plane is the face dilated by a
// radius and the shadow plane a box-blurred copy of it. Tone-mark offsets are chosen so that
// each composed letter looks like the font's own precomposed letter.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/text16.h"
#include "dib/dib8.h"
#include "font_make.h"
#include "fonts/dib_font.h"
#include "fonts/glyph_state.h"

namespace zkwtool {

namespace {

// A rendered glyph: coverage rows, placed relative to the pen (left) and baseline (top, up).
struct Glyph {
  bool present = false;
  int left = 0, top = 0, width = 0, rows = 0, advance = 0;
  std::vector<uint8_t> px;
  uint8_t at(int x, int y) const { return px[static_cast<size_t>(y) * width + x]; }
};

// Code points of the extra base letters (slots 224..231) and tone marks (232..236).
constexpr uint32_t kExtraLetters[8] = {0x0102, 0x01A0, 0x01AF, 0x0103, 0x01A1, 0x01B0, 0x0131, 0x0111};
constexpr uint32_t kCombiningMarks[5] = {0x0301, 0x0300, 0x0309, 0x0303, 0x0323};
// Stand-ins when a font has no combining mark: the mark of a precomposed small a.
constexpr uint32_t kMarkedA[5] = {0x00E1, 0x00E0, 0x1EA3, 0x00E3, 0x1EA1};

class FaceRenderer {
 public:
  ~FaceRenderer() {
    if (face_) FT_Done_Face(face_);
    if (lib_) FT_Done_FreeType(lib_);
  }
  bool Open(const std::string& path, int pixels, std::string& error) {
    if (FT_Init_FreeType(&lib_)) return error = "cannot start FreeType", false;
    if (FT_New_Face(lib_, path.c_str(), 0, &face_)) return error = "cannot open " + path, false;
    if (FT_Select_Charmap(face_, FT_ENCODING_UNICODE))
      return error = path + " has no Unicode character map", false;
    if (FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixels)))
      return error = "cannot set the size " + std::to_string(pixels), false;
    return true;
  }
  FT_Face face() const { return face_; }

  Glyph Render(uint32_t code) const {
    Glyph g;
    FT_UInt index = FT_Get_Char_Index(face_, code);
    if (index == 0) return g;
    if (FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT)) return g;
    const FT_GlyphSlot slot = face_->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_GRAY && bm.rows != 0) return g;
    g.present = true;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int>(bm.width);
    g.rows = static_cast<int>(bm.rows);
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    g.px.resize(static_cast<size_t>(g.width) * g.rows);
    for (int y = 0; y < g.rows; ++y)
      for (int x = 0; x < g.width; ++x) {
        uint32_t v = bm.buffer[static_cast<ptrdiff_t>(y) * bm.pitch + x];
        if (bm.num_grays != 256 && bm.num_grays > 1) v = v * 255 / (bm.num_grays - 1);
        g.px[static_cast<size_t>(y) * g.width + x] = static_cast<uint8_t>(v);
      }
    return g;
  }

 private:
  FT_Library lib_ = nullptr;
  FT_Face face_ = nullptr;
};

// The mark of a precomposed letter: its coverage above what the plain letter covers.
Glyph MarkFromLetter(const Glyph& marked, const Glyph& plain) {
  Glyph m = marked;
  if (!plain.present) return m;
  for (int y = 0; y < m.rows; ++y)
    for (int x = 0; x < m.width; ++x) {
      int px = m.left + x - plain.left, py = plain.top - (m.top - y);
      if (px >= 0 && py >= 0 && px < plain.width && py < plain.rows && plain.at(px, py) > 0)
        m.px[static_cast<size_t>(y) * m.width + x] = 0;
    }
  return m;
}

// The missing-character glyph: a hollow box from the baseline to the cap height.
Glyph MissingBox(int size, int capHeight) {
  Glyph g;
  g.present = true;
  g.advance = std::max(4, static_cast<int>(std::lround(size * 0.6)));
  int stroke = std::max(1, size / 16);
  g.left = 1;
  g.width = g.advance - 2;
  g.rows = std::max(3, capHeight);
  g.top = g.rows;
  g.px.assign(static_cast<size_t>(g.width) * g.rows, 0);
  for (int y = 0; y < g.rows; ++y)
    for (int x = 0; x < g.width; ++x)
      if (x < stroke || y < stroke || x >= g.width - stroke || y >= g.rows - stroke)
        g.px[static_cast<size_t>(y) * g.width + x] = 255;
  return g;
}

// Coverage of glyph g at baseline coordinates (x right of the pen, y down from the baseline).
int CoverageAt(const Glyph& g, int x, int y, int dx, int dy) {
  int gx = x - dx - g.left, gy = y - dy + g.top;
  if (gx < 0 || gy < 0 || gx >= g.width || gy >= g.rows) return 0;
  return g.at(gx, gy);
}

// Offset (dx, dy) of the mark over the base that best reproduces the precomposed letter: the
// mark is matched against what the letter adds to its base (the letter's coverage above the
// base's), by the least squared difference, which for a whole mark is the greatest overlap
// with that residue, less twice its overlap with the base's own ink. The search runs in a
// window around the offset that aligns the centres.
void PlaceMark(const Glyph& target, const Glyph& base, const Glyph& mark, bool below, int size,
               int& bestDx, int& bestDy) {
  bestDx = bestDy = 0;
  if (!mark.present || mark.px.empty()) return;
  double mx = 0, my = 0, mw = 0;
  for (int y = 0; y < mark.rows; ++y)
    for (int x = 0; x < mark.width; ++x) {
      double v = mark.at(x, y);
      mx += v * (mark.left + x), my += v * (y - mark.top), mw += v;
    }
  if (mw == 0) return;
  mx /= mw, my /= mw;
  if (!target.present || target.px.empty()) {
    // No precomposed letter to copy: centre the mark over (or under) the base, one pixel off it.
    if (!base.present || base.px.empty()) return;
    bestDx = static_cast<int>(std::lround(base.left + base.width / 2.0 - mx));
    int baseTop = -base.top, baseBottom = -base.top + base.rows - 1;
    int markTop = -mark.top, markBottom = -mark.top + mark.rows - 1;
    bestDy = below ? std::max(0, baseBottom + 2 - markTop) : std::min(0, baseTop - 2 - markBottom);
    return;
  }
  // The residue, in baseline coordinates over the letter's box.
  const int rx0 = target.left, ry0 = -target.top;
  std::vector<int> residue(target.px.size());
  double rx = 0, ry = 0, rw = 0;
  for (int y = 0; y < target.rows; ++y)
    for (int x = 0; x < target.width; ++x) {
      int bx = rx0 + x, by = ry0 + y;
      int v = std::max(0, target.at(x, y) - CoverageAt(base, bx, by, 0, 0));
      residue[static_cast<size_t>(y) * target.width + x] = v;
      rx += v * bx, ry += v * by, rw += v;
    }
  if (rw == 0) return;
  const int gx = static_cast<int>(std::lround(rx / rw - mx));
  const int gy = static_cast<int>(std::lround(ry / rw - my));
  const int range = std::max(3, size / 4);
  double best = -1;
  for (int dy = gy - range; dy <= gy + range; ++dy)
    for (int dx = gx - range; dx <= gx + range; ++dx) {
      double overlap = 0;
      for (int y = 0; y < mark.rows; ++y) {
        int ty = -mark.top + y + dy - ry0;
        if (ty < 0 || ty >= target.rows) continue;
        for (int x = 0; x < mark.width; ++x) {
          int tx = mark.left + x + dx - rx0;
          if (tx < 0 || tx >= target.width) continue;
          overlap += static_cast<double>(mark.at(x, y)) * residue[static_cast<size_t>(ty) * target.width + tx];
        }
      }
      // A letter drawn with compressed accents (capitals with two marks) puts its mark where
      // the separate base has its own accent: the mark may not run into the base's ink.
      for (int y = 0; y < mark.rows; ++y)
        for (int x = 0; x < mark.width; ++x)
          overlap -= 2.0 * mark.at(x, y) *
                     CoverageAt(base, mark.left + x + dx, -mark.top + y + dy, 0, 0);
      // Ties go to the offset nearest the centred guess.
      double tie = -1e-6 * ((dx - gx) * (dx - gx) + (dy - gy) * (dy - gy));
      if (best < 0 || overlap + tie > best) best = overlap + tie, bestDx = dx, bestDy = dy;
    }
}

// Outline plane: the largest coverage within `radius` of each pixel, inside one cell.
void Dilate(const std::vector<uint8_t>& src, std::vector<uint8_t>& dst, int stride, int height,
            int left, int width, int radius) {
  for (int y = 0; y < height; ++y)
    for (int x = left; x < left + width; ++x) {
      uint8_t v = 0;
      for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
          int sx = x + dx, sy = y + dy;
          if (dx * dx + dy * dy > radius * radius + radius / 2 + 1) continue;
          if (sx < left || sx >= left + width || sy < 0 || sy >= height) continue;
          v = std::max(v, src[static_cast<size_t>(sy) * stride + sx]);
        }
      dst[static_cast<size_t>(y) * stride + x] = v;
    }
}

// Shadow plane: the mean coverage of the (2 radius + 1)^2 square around each pixel.
void Soften(const std::vector<uint8_t>& src, std::vector<uint8_t>& dst, int stride, int height,
            int left, int width, int radius) {
  const int n = (2 * radius + 1) * (2 * radius + 1);
  for (int y = 0; y < height; ++y)
    for (int x = left; x < left + width; ++x) {
      int sum = 0;
      for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
          int sx = x + dx, sy = y + dy;
          if (sx < left || sx >= left + width || sy < 0 || sy >= height) continue;
          sum += src[static_cast<size_t>(sy) * stride + sx];
        }
      dst[static_cast<size_t>(y) * stride + x] = static_cast<uint8_t>(sum / n);
    }
}

}  // namespace

bool MakeFont(const FontMakeOptions& o, zkw::TDibFont& font, std::string& error,
              std::string& summary) {
  if (o.size < 4 || o.size > 256) return error = "pixel size must be 4 to 256", false;
  FaceRenderer r;
  if (!r.Open(o.source, o.size, error)) return false;
  const int pad = std::max(o.outlineRadius, o.softenRadius);

  // Unicode code point of every slot 0..236 (0 = none).
  uint32_t codes[zkw::kGlyphMissing] = {};
  for (int s = 0; s < 224; ++s) {
    int c = s + 32;
    if (c < 0x80 || c >= 0xA0) codes[s] = static_cast<uint32_t>(c);
  }
  for (int i = 102; i < zkw::kComposedCount; ++i)  // Windows-1252 0x80..0x9F
    codes[zkw::ComposedChars[i].Base] = zkw::ComposedChars[i].Code;
  for (int i = 0; i < 8; ++i) codes[zkw::kGlyphFirstExtra + i] = kExtraLetters[i];

  // Progress counts the glyph slots and then the composed letters, each rendered once.
  const int steps = zkw::kGlyphFirstMark + zkw::kComposedCount;
  auto progress = [&](int done) {
    if (o.progress) o.progress(done, steps);
  };
  Glyph glyphs[zkw::kGlyphMissing + 1];
  for (int s = 0; s < zkw::kGlyphFirstMark; ++s) {
    if (codes[s]) glyphs[s] = r.Render(codes[s]);
    progress(s + 1);
  }
  int marksFromLetters = 0;
  for (int i = 0; i < 5; ++i) {
    Glyph& m = glyphs[zkw::kGlyphFirstMark + i];
    m = r.Render(kCombiningMarks[i]);
    if (!m.present || m.px.empty()) {
      m = MarkFromLetter(r.Render(kMarkedA[i]), glyphs['a' - 32]);
      ++marksFromLetters;
    }
  }
  const FT_Size_Metrics& metrics = r.face()->size->metrics;
  int capHeight = glyphs['H' - 32].present ? glyphs['H' - 32].top
                                           : static_cast<int>(std::lround(o.size * 0.7));
  glyphs[zkw::kGlyphMissing] = MissingBox(o.size, capHeight);

  // Cell height: the face's ascent and descent, widened to hold every glyph and the margins.
  int ascent = static_cast<int>((metrics.ascender + 63) >> 6);
  int descent = static_cast<int>((-metrics.descender + 63) >> 6);
  for (const Glyph& g : glyphs)
    if (g.present && g.rows > 0) {
      ascent = std::max(ascent, g.top);
      descent = std::max(descent, g.rows - g.top);
    }
  ascent += pad;
  descent += pad;
  const int height = ascent + descent;

  // Cells side by side: the space exactly its advance wide, every other glyph its ink plus the
  // margins, with the overhangs that keep its advance.
  zkw::TDibFontHeaderEx& h = font.FHeader;
  std::memset(&h, 0, sizeof h);
  struct Cell {
    int x0 = 0;
  } cells[zkw::kGlyphMissing + 1];
  uint32_t cursor = 0;
  int present = 0;
  for (int s = 0; s <= zkw::kGlyphMissing; ++s) {
    const Glyph& g = glyphs[s];
    if (!g.present) continue;
    int x0 = 0, x1 = g.advance;
    if (s != zkw::kGlyphSpace) {
      x0 = std::max(-127, std::min(0, g.left) - pad);
      x1 = std::min(g.advance + 127, std::max(g.advance, g.left + g.width) + pad);
    }
    if (x1 <= x0) continue;
    cells[s].x0 = x0;
    h.dfTable[s].GlyphLeft = cursor;
    h.dfTable[s].GlyphWidth = static_cast<uint16_t>(x1 - x0);
    h.dfTable[s].OverhangLeft = static_cast<int8_t>(-x0);
    h.dfTable[s].OverhangRight = static_cast<int8_t>(x1 - g.advance);
    cursor += static_cast<uint32_t>(x1 - x0);
    ++present;
  }
  const int width = static_cast<int>(cursor);
  const int stride = static_cast<int>(zkw::RowStride(width, 8));

  // Face plane, top row first; copied bottom-up into the strip images below.
  std::vector<uint8_t> face(static_cast<size_t>(stride) * height, 0);
  std::vector<uint8_t> outline(face.size(), 0), shadow(face.size(), 0);
  for (int s = 0; s <= zkw::kGlyphMissing; ++s) {
    const Glyph& g = glyphs[s];
    const zkw::TDibFontGlyph& e = h.dfTable[s];
    if (!g.present || e.GlyphWidth == 0) continue;
    for (int y = 0; y < g.rows; ++y)
      for (int x = 0; x < g.width; ++x) {
        int cx = g.left + x - cells[s].x0, cy = ascent - g.top + y;
        if (cx < 0 || cx >= e.GlyphWidth || cy < 0 || cy >= height) continue;
        face[static_cast<size_t>(cy) * stride + e.GlyphLeft + cx] = g.at(x, y);
      }
    Dilate(face, outline, stride, height, static_cast<int>(e.GlyphLeft), e.GlyphWidth,
           o.outlineRadius);
    Soften(face, shadow, stride, height, static_cast<int>(e.GlyphLeft), e.GlyphWidth,
           o.softenRadius);
  }

  // Tone-mark offsets of the composed letters.
  int copied = 0;
  for (int i = 0; i < zkw::kComposedCount; ++i) {
    progress(zkw::kGlyphFirstMark + i + 1);
    const zkw::TComposedChar& c = zkw::ComposedChars[i];
    if (c.Mark == 0) continue;
    Glyph target = r.Render(c.Code);
    if (target.present) ++copied;
    int dx, dy;
    PlaceMark(target, glyphs[c.Base], glyphs[c.Mark], c.Mark == zkw::kGlyphFirstMark + 4, o.size,
              dx, dy);
    h.dfAccents[i].dx = static_cast<int8_t>(std::clamp(dx, -128, 127));
    h.dfAccents[i].dy = static_cast<int8_t>(std::clamp(dy, -128, 127));
  }

  std::string name = o.name.empty() ? std::string(r.face()->family_name ? r.face()->family_name : "font") +
                                          " " + (r.face()->style_name ? r.face()->style_name : "") +
                                          " " + std::to_string(o.size)
                                    : o.name;
  std::strncpy(h.dfName, name.c_str(), sizeof h.dfName - 1);
  std::memcpy(h.dfIdentifier, "DFONTU", 6);
  h.dfVersion = zkw::kDibFontVersion;
  h.dfHeight = static_cast<int16_t>(height);
  h.dfBaseline = static_cast<int16_t>(ascent);
  h.dfExternalLeading = 0;
  h.dfMaxWidth = static_cast<uint32_t>(width);
  h.dfSize = static_cast<uint32_t>(stride * height);

  // The three strip images.
  font.FreeImages();
  zkw::TDibBaseObj** targets[3] = {&font.FDib, &font.FODib, &font.FSDib};
  const std::vector<uint8_t>* planes[3] = {&face, &outline, &shadow};
  for (int k = 0; k < 3; ++k) {
    auto* dib = new zkw::TDib8Bits;
    *targets[k] = dib;
    dib->ReallocImage(width, height);
    if (dib->Handle() == 0) return error = "cannot allocate the strip image", false;
    zkw::FillGreyRamp(dib->DibPal);
    for (int y = 0; y < height; ++y)
      std::memcpy(dib->PixelAddress(0, y), planes[k]->data() + static_cast<size_t>(y) * stride,
                  static_cast<size_t>(width));
  }
  h.dfChannels = zkw::kChannelFace | zkw::kChannelOutline | zkw::kChannelShadow;
  int32_t ascentMin = 0;
  for (const zkw::TDibFontAccent& a : h.dfAccents) ascentMin = std::min<int32_t>(ascentMin, a.dy);
  font.tmAscent = ascentMin;

  char line[256];
  std::snprintf(line, sizeof line,
                "\"%s\": %d glyphs, cell height %d, baseline %d, strip %d pixels wide; "
                "%d of the composed letters placed after the font's own, marks %s",
                name.c_str(), present, height, ascent, width, copied,
                marksFromLetters ? "partly taken from marked letters" : "from combining marks");
  summary = line;
  return true;
}

}  // namespace zkwtool
