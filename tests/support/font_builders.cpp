#include "support/font_builders.h"

#include <cstring>

#include "common/byte_stream.h"
#include "dib/dib24.h"
#include "imagefiles/packed_dib.h"
#include "support/test_support.h"

namespace zkwtest {

FontBuilder& FontBuilder::Solid(int slot, int width, uint8_t face, int ol, int orr,
                                uint8_t outline, uint8_t shadow) {
  GlyphSpec g;
  g.slot = slot;
  g.width = width;
  g.overhangLeft = ol;
  g.overhangRight = orr;
  size_t n = static_cast<size_t>(width) * h_;
  g.face.assign(n, face);
  g.outline.assign(n, outline);
  g.shadow.assign(n, shadow);
  return Glyph(g);
}

FontBuilder& FontBuilder::Glyph(const GlyphSpec& g) {
  glyphs_.push_back(g);
  return *this;
}

FontBuilder& FontBuilder::Accent(int entry, int dx, int dy) {
  accents_.push_back({entry, {dx, dy}});
  return *this;
}

FontBuilder& FontBuilder::Planes(bool outline, bool shadow, bool alpha) {
  outline_ = outline, shadow_ = shadow, alpha_ = alpha;
  return *this;
}

FontBuilder& FontBuilder::Name(const char* name) {
  name_ = name;
  return *this;
}

int FontBuilder::Width() const {
  int w = 0;
  for (const GlyphSpec& g : glyphs_) w += g.width;
  return w;
}

int FontBuilder::Left(int slot) const {
  int x = 0;
  for (const GlyphSpec& g : glyphs_) {
    if (g.slot == slot) return x;
    x += g.width;
  }
  return -1;
}

zkw::TDibFontHeaderEx FontBuilder::Header() const {
  zkw::TDibFontHeaderEx h;
  std::memset(&h, 0, sizeof h);
  std::memcpy(h.dfIdentifier, "DFONTU", 6);
  h.dfVersion = zkw::kDibFontVersion;
  std::strncpy(h.dfName, name_, sizeof h.dfName - 1);
  h.dfHeight = static_cast<int16_t>(h_);
  h.dfBaseline = static_cast<int16_t>(base_);
  h.dfExternalLeading = static_cast<int16_t>(lead_);
  h.dfMaxWidth = static_cast<uint32_t>(Width());
  h.dfSize = static_cast<uint32_t>(zkw::RowStride(Width(), 8) * h_);
  int x = 0;
  for (const GlyphSpec& g : glyphs_) {
    h.dfTable[g.slot] = {static_cast<uint32_t>(x), static_cast<uint16_t>(g.width),
                         static_cast<int8_t>(g.overhangLeft), static_cast<int8_t>(g.overhangRight)};
    x += g.width;
  }
  for (const auto& a : accents_)
    h.dfAccents[a.first] = {static_cast<int8_t>(a.second.first), static_cast<int8_t>(a.second.second)};
  h.dfChannels = static_cast<uint8_t>(zkw::kChannelFace | (alpha_ ? zkw::kChannelAlpha : 0) |
                                      (outline_ ? zkw::kChannelOutline : 0) |
                                      (shadow_ ? zkw::kChannelShadow : 0));
  return h;
}

// One plane, bottom-up rows of the padded stride.
std::vector<uint8_t> FontBuilder::Plane(std::vector<uint8_t> GlyphSpec::*plane) const {
  const int w = Width();
  const size_t stride = static_cast<size_t>(zkw::RowStride(w, 8));
  std::vector<uint8_t> bytes(stride * h_, 0);
  int x0 = 0;
  for (const GlyphSpec& g : glyphs_) {
    const std::vector<uint8_t>& cov = g.*plane;
    if (!cov.empty())
      for (int y = 0; y < h_; ++y)
        for (int x = 0; x < g.width; ++x)
          bytes[(h_ - 1 - y) * stride + x0 + x] = cov[static_cast<size_t>(y) * g.width + x];
    x0 += g.width;
  }
  return bytes;
}

std::vector<uint8_t> FontBuilder::Bytes() const {
  zkw::TDibFontHeaderEx h = Header();
  std::vector<uint8_t> bytes(reinterpret_cast<uint8_t*>(&h), reinterpret_cast<uint8_t*>(&h) + sizeof h);
  auto append = [&](const std::vector<uint8_t>& p) { bytes.insert(bytes.end(), p.begin(), p.end()); };
  append(Plane(&GlyphSpec::face));
  if (alpha_) append(Plane(&GlyphSpec::alpha));
  if (outline_) append(Plane(&GlyphSpec::outline));
  if (shadow_) append(Plane(&GlyphSpec::shadow));
  return bytes;
}

std::vector<uint8_t> FontBuilder::OldBytes(bool dfontex, bool withAlpha, int64_t dfSize) const {
  zkw::TDibFontHeaderEx h = Header();
  std::vector<uint8_t> face = Plane(&GlyphSpec::face), alpha = Plane(&GlyphSpec::alpha);
  uint32_t size = dfSize < 0 ? static_cast<uint32_t>(face.size()) : static_cast<uint32_t>(dfSize);
  std::vector<uint8_t> b(dfontex ? 1501 : 1496, 0);
  std::memcpy(b.data(), dfontex ? "DFONTEX" : "DibFont", 7);
  size_t at = 9;
  if (dfontex) PutLE<uint32_t>(b, at, 0x00020000), at += 4;
  std::memcpy(&b[at], h.dfName, 129);
  at += 129;
  PutLE<uint32_t>(b, at, size);
  PutLE<int16_t>(b, at + 4, h.dfHeight);
  PutLE<int16_t>(b, at + 6, h.dfBaseline);
  PutLE<int16_t>(b, at + 8, h.dfExternalLeading);
  PutLE<uint32_t>(b, at + 10, h.dfMaxWidth);
  at += 14;
  for (int c = 0; c < 224; ++c, at += 6) {
    PutLE<uint32_t>(b, at, h.dfTable[c].GlyphLeft);
    PutLE<uint16_t>(b, at + 4, h.dfTable[c].GlyphWidth);
  }
  if (dfontex) b[at] = withAlpha ? 1 : 0;
  for (int i = 0; i < 256; ++i) {
    b.push_back(static_cast<uint8_t>(i));
    b.push_back(static_cast<uint8_t>(255 - i));
    b.push_back(7);
    b.push_back(0);
  }
  auto planeOf = [&](const std::vector<uint8_t>& p) {
    std::vector<uint8_t> out(size, 0xEE);  // bytes past the image are never read
    std::memcpy(out.data(), p.data(), std::min<size_t>(size, p.size()));
    return out;
  };
  std::vector<uint8_t> f = planeOf(face);
  b.insert(b.end(), f.begin(), f.end());
  if (withAlpha) {
    std::vector<uint8_t> a = planeOf(alpha);
    b.insert(b.end(), a.begin(), a.end());
  }
  return b;
}

std::unique_ptr<zkw::TDibFont> FontBuilder::Load(bool designing) const {
  auto font = std::make_unique<zkw::TDibFont>();
  font->Designing = designing;
  zkw::TMemoryStream stream(Bytes());
  if (!font->LoadFromStream(stream)) return nullptr;
  return font;
}

std::unique_ptr<zkw::TDibBaseObj> Canvas(int w, int h, uint32_t color) {
  auto dib = std::make_unique<zkw::TDib24Bits>();
  dib->SetAttributes(w, h);
  dib->Bar(0, 0, w - 1, h - 1, color);
  return dib;
}

uint32_t Px(zkw::TDibBaseObj& dib, int x, int y) { return dib.GetPixelEx(x, y); }

std::vector<uint8_t> PackageBytes(const std::string& names, const std::vector<zkw::TFontPackageItem>& items) {
  zkw::TMemoryStream out;
  if (!zkw::WriteFontPackage(out, names, items)) return {};
  return out.Bytes();
}

}  // namespace zkwtest
