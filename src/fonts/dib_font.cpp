// The font object: defaults, owned strip images, colours and the strip-image loaders.
#include "fonts/dib_font.h"

#include <cstring>

#include "dib/dib8.h"

namespace zkw {

TDibFont::TDibFont() { std::memset(&FHeader, 0, sizeof FHeader); }

TDibFont::~TDibFont() { FreeImages(); }

void TDibFont::FreeImages() {
  delete FDib;
  delete FODib;
  delete FSDib;
  FDib = FODib = FSDib = nullptr;
}

void TDibFont::SetColor(uint32_t AColor, uint32_t AOutColor) {
  FColor = static_cast<int32_t>(AColor);
  FOutlineColor = static_cast<int32_t>(AOutColor);
}

// Creates the 8-bit image if needed and loads the BMP file into it.
bool TDibFont::LoadStrip(TDibBaseObj*& image, const ZChar* AName) {
  if (!image) image = new TDib8Bits;
  return image->LoadFromFile(AName);
}

bool TDibFont::LoadFontImage(const ZChar* AName) {
  if (!LoadStrip(FDib, AName)) return false;
  std::memset(FHeader.dfIdentifier, 0, sizeof FHeader.dfIdentifier);
  std::memcpy(FHeader.dfIdentifier, "DFONTU", 6);
  std::memset(FHeader.dfName, 0, sizeof FHeader.dfName);
  FHeader.dfHeight = static_cast<int16_t>(FDib->Height());
  FHeader.dfBaseline = static_cast<int16_t>(FDib->Height());
  FHeader.dfExternalLeading = 0;
  FHeader.dfMaxWidth = static_cast<uint32_t>(FDib->Width());
  FHeader.dfChannels = static_cast<uint8_t>(kChannelFace | (FODib ? kChannelOutline : 0) |
                                            (FSDib ? kChannelShadow : 0));
  SpecialFontWithAlpha = false;
  return true;
}

bool TDibFont::LoadOutlineImage(const ZChar* AName) {
  if (!LoadStrip(FODib, AName)) return false;
  FHeader.dfChannels = static_cast<uint8_t>(kChannelFace | kChannelOutline |
                                            (FSDib ? kChannelShadow : 0));
  return true;
}

bool TDibFont::LoadShadowImage(const ZChar* AName) {
  if (!LoadStrip(FSDib, AName)) return false;
  FHeader.dfChannels = static_cast<uint8_t>(kChannelFace | (FODib ? kChannelOutline : 0) |
                                            kChannelShadow);
  return true;
}

}  // namespace zkw
