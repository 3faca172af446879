// The work image of the blended transforms (ScaleEx, RotateEx, ScaleRotateEx, dibGetScaleDib):
// 24-bit colours with an alpha byte per pixel, starting as the marker colour 0xFF00FF with
// alpha 0. A pixel still holding the marker counts as unwritten; the fill routines write only
// unwritten pixels, so the first source pixel to reach a work pixel decides its colour.
#pragma once
#include <cstdint>
#include <vector>

#include "dib/composite_clip.h"

namespace zkw {

class TDib24Bits;

namespace transform {

// Blue, green, red of the marker colour as stored.
constexpr uint8_t kMarkerB = 0xFF, kMarkerG = 0x00, kMarkerR = 0xFF;

// Where the fill routines write: a window of Width x Height pixels of a (possibly larger,
// virtual) work image, whose top-left pixel is virtual pixel (OrgX, OrgY). Rows are addressed
// from the top row with a signed stride, so both a DIB object (bottom-up) and a plain buffer
// fit.
struct TWorkView {
  uint8_t* Top = nullptr;       // top row, 3 bytes per pixel (blue, green, red)
  ptrdiff_t Stride = 0;
  uint8_t* AlphaTop = nullptr;  // top row of the alpha bytes, or null (colours only)
  ptrdiff_t AlphaStride = 0;
  int64_t Width = 0, Height = 0;
  int64_t OrgX = 0, OrgY = 0;

  uint8_t* Pixel(int64_t u, int64_t v) const { return Top + v * Stride + 3 * u; }
  uint8_t* Alpha(int64_t u, int64_t v) const { return AlphaTop + v * AlphaStride + u; }
};

// The work image of one call, as plain memory: the window of a virtual SizeX x SizeY image
// placed at (PosX, PosY) on the target that the target can show. Empty when nothing of it
// would be visible.
class TWorkImage {
 public:
  TWorkImage(const TDibBaseObj& target, int64_t PosX, int64_t PosY, int64_t SizeX, int64_t SizeY);
  bool Empty() const { return FView.Width <= 0 || FView.Height <= 0; }
  const TWorkView& View() const { return FView; }
  // Draws the window onto the target with the DrawMerge rules at AMerge percent.
  void MergeOnto(TDibBaseObj& target, uint16_t AMerge) const;

 private:
  std::vector<uint8_t> FPixels, FAlpha;
  TWorkView FView;
  int64_t FPosX = 0, FPosY = 0;  // target position of the window's top-left pixel
};

// The whole of a 24-bit DIB object (and its alpha companion when it has a usable one) as a
// work view; false when it has no pixels.
bool WorkViewOf(TDib24Bits& dib, TWorkView& view);

// The alpha rule of the work image: a = s when a is 0, else (a + s) shr 1.
inline uint8_t MixAlpha(uint8_t a, uint8_t s) {
  return a == 0 ? s : static_cast<uint8_t>((a + s) >> 1);
}

inline bool Unwritten(const uint8_t* p) {
  return p[0] == kMarkerB && p[1] == kMarkerG && p[2] == kMarkerR;
}

// Writes the colour (and alpha) into every unwritten pixel of the window's block (u1, v1)-(u2,
// v2), inclusive, which the caller has clipped to the window.
inline void FillUnwrittenInside(const TWorkView& w, int64_t u1, int64_t v1, int64_t u2, int64_t v2,
                                const TRGBQuad& colour, uint8_t alpha) {
  for (int64_t v = v1; v <= v2; ++v) {
    uint8_t* p = w.Pixel(u1, v);
    uint8_t* a = w.AlphaTop ? w.Alpha(u1, v) : nullptr;
    for (int64_t u = u1; u <= u2; ++u, p += 3) {
      if (Unwritten(p)) {
        p[0] = colour.rgbBlue;
        p[1] = colour.rgbGreen;
        p[2] = colour.rgbRed;
        if (a) a[u - u1] = MixAlpha(a[u - u1], alpha);
      }
    }
  }
}

// The same for the virtual block (u1, v1)-(u2, v2), clipped here to the window.
void FillUnwritten(const TWorkView& w, int64_t u1, int64_t v1, int64_t u2, int64_t v2,
                   const TRGBQuad& colour, uint8_t alpha);

// The piece (xx, yy, w, h) of an 8-bit or 24-bit source scaled by rx, ry percent into the work view,
// one pixel per source pixel (ScaleSmallEx) or one block per source pixel (ScaleBigEx).
void FillScaledSmall(const TWorkView& w, const TSourceView& src, int64_t xx, int64_t yy,
                     int64_t pw, int64_t ph, int64_t rx, int64_t ry);
void FillScaledBig(const TWorkView& w, const TSourceView& src, int64_t xx, int64_t yy,
                   int64_t pw, int64_t ph, int64_t rx, int64_t ry);

}  // namespace transform
}  // namespace zkw
