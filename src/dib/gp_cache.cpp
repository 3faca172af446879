// The cached smooth-drawing copy of an image: 32-bit non-premultiplied ARGB words, top row
// first, colours from the image and alpha from its companion (255 without one). Built once;
// later pixel changes do not reach it until it is removed.
#include <vector>

#include "base/last_error.h"
#include "dib/dib8.h"
#include "platform/plat_imaging.h"

namespace zkw {

namespace {

plat::ImagingImage* AsImage(void* p) { return static_cast<plat::ImagingImage*>(p); }

// Colour of every pixel as red << 16 | green << 8 | blue, row by row from the top.
bool ColourWords(const TDibBaseObj& d, std::vector<uint32_t>& out) {
  if (d.FHandle == 0 || !d.DibData || d.FWidth <= 0 || d.FHeight <= 0) return false;
  if (d.FBits != 3 && (d.FBits != 1 || !d.DibPal)) return false;
  const size_t w = static_cast<size_t>(d.FWidth);
  out.resize(w * static_cast<size_t>(d.FHeight));
  uint32_t* o = out.data();
  for (int32_t y = 0; y < d.FHeight; ++y) {
    const uint8_t* p = d.PixelAddress(0, y);
    if (d.FBits == 1) {
      for (size_t x = 0; x < w; ++x) {
        const TRGBQuad& q = d.DibPal[p[x]];
        *o++ = (static_cast<uint32_t>(q.rgbRed) << 16) | (q.rgbGreen << 8) | q.rgbBlue;
      }
    } else {
      for (size_t x = 0; x < w; ++x, p += 3)
        *o++ = (static_cast<uint32_t>(p[2]) << 16) | (p[1] << 8) | p[0];
    }
  }
  return true;
}

}  // namespace

bool TDibBaseObj::RequireGPBitmap() {
  // An image made before the service last stopped cannot be drawn any more.
  if (FGPImage && !plat::ImagingImageUsable(AsImage(FGPImage))) RemoveGPBitmap();
  if (FGPImage) return true;
  if (!plat::ImagingRunning()) return false;
  std::vector<uint32_t> words;
  if (!ColourWords(*this, words)) {
    SetLastErrorText("an image without pixels has no smooth-drawing copy");
    return false;
  }
  // Alpha from the companion's GetPixel: 0 where it has no pixel.
  const TDib8Bits* alpha = AlphaDib;
  for (int32_t y = 0; y < FHeight; ++y) {
    uint32_t* row = words.data() + static_cast<size_t>(y) * static_cast<size_t>(FWidth);
    bool inside = alpha && alpha->Inside(0, y);
    const uint8_t* a = inside ? alpha->PixelAddress(0, y) : nullptr;
    for (int32_t x = 0; x < FWidth; ++x) {
      uint32_t value = !alpha ? 255 : (a && x < alpha->FWidth) ? a[x] : 0;
      row[x] |= value << 24;
    }
  }
  FGPImage = plat::ImagingCreateImage(FWidth, FHeight, words.data());
  if (!FGPImage) SetLastErrorText("the image-drawing service could not make the image");
  return FGPImage != nullptr;
}

void TDibBaseObj::RemoveGPBitmap() {
  plat::ImagingFreeImage(AsImage(FGPImage));
  FGPImage = nullptr;
}

}  // namespace zkw
