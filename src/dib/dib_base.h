// DIB image objects: an 8-bit palettised or 24-bit image held in one movable memory block in
// the packed-DIB layout (header, colour table for 8-bit, bottom-up rows padded to 4 bytes).
// TDibBaseObj is the abstract base; TDib8Bits and TDib24Bits implement pixels per depth.
#pragma once
#include <cstdint>

#include "common/link_list.h"
#include "base/text16.h"
#include "imagefiles/packed_dib.h"
#include "platform/plat_gdi.h"
#include "platform/plat_types.h"

namespace zkw {

class TDibBaseObj;
class TDib8Bits;

using TColorArray = uint8_t[256];
using THandle = uintptr_t;  // memory block handle as the object stores it; 1 = attached bitmap

// A pixel writer or span filler bound to an object, as the shape routines call them.
struct TPixelProc {
  TDibBaseObj* Obj;
  void (TDibBaseObj::*Code)(int32_t x, int32_t y, uint32_t Color);
  void operator()(int32_t x, int32_t y, uint32_t Color) const { (Obj->*Code)(x, y, Color); }
};
struct TBarProc {
  TDibBaseObj* Obj;
  void (TDibBaseObj::*Code)(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t Color);
  void operator()(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t Color) const {
    (Obj->*Code)(x1, y1, x2, y2, Color);
  }
};

class TDibBaseObj : public TItemNode {
 public:
  ~TDibBaseObj() override;

  // --- Virtual operations, in the order of the library's slot table ---------------------------
  virtual void ReallocImage(int32_t w, int32_t h);
  virtual void DrawScaledColumn(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t Rate,
                                int32_t Column);
  virtual void DrawScaledRow(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t Rate, int32_t Row);
  virtual bool LoadFromFile(const ZChar* AName);
  virtual bool SaveToFile(const ZChar* AName);
  virtual bool SaveToDexFile(const ZChar* AName);
  virtual uint32_t GetPixel(int32_t x, int32_t y);
  virtual uint32_t GetPixelEx(int32_t x, int32_t y);
  virtual void PutPixel(int32_t x, int32_t y, uint32_t Color);
  virtual void PutShadPixel(int32_t x, int32_t y, int32_t Shad);
  virtual void Bar(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t Color) = 0;
  virtual void BarShadow(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint16_t Shad) = 0;
  virtual void PutMergePixel(int32_t x, int32_t y, uint32_t Color, uint16_t AMerge);
  virtual void BarMerge(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t Color,
                        uint16_t AMerge);
  virtual void Shear(int32_t x, int32_t y, int32_t OrgX, int32_t OrgY, double hx, double hy,
                     TDibBaseObj* Dib);
  virtual void ScaleEx(int32_t x, int32_t y, int32_t rx, int32_t ry, TDibBaseObj* Dib,
                       int32_t xx, int32_t yy, int32_t w, int32_t h, uint16_t AMerge);
  virtual void RotateEx(int32_t x, int32_t y, int32_t Angle, TDibBaseObj* Dib, int32_t xx,
                        int32_t yy, int32_t w, int32_t h, uint16_t AMerge);
  virtual void ScaleRotateEx(int32_t x, int32_t y, int32_t rx, int32_t ry, uint16_t Angle,
                             TDibBaseObj* Dib, int32_t xx, int32_t yy, int32_t w, int32_t h,
                             uint16_t AMerge);
  virtual void LineMerge(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t Color,
                         uint16_t AMerge);
  virtual void RectangleMerge(int32_t left, int32_t top, int32_t right, int32_t bottom,
                              int32_t LineWidth, uint32_t Color, uint16_t AMerge);
  virtual void CircleMerge(int32_t x0, int32_t y0, int32_t r, int32_t LineWidth, uint32_t Color,
                           uint16_t AMerge);
  virtual void SliceMerge(int32_t x0, int32_t y0, int32_t r, uint32_t Color, uint16_t AMerge);
  virtual void EllipseMerge(int32_t x0, int32_t y0, int32_t rx, int32_t ry, int32_t LineWidth,
                            uint32_t Color, uint16_t AMerge);
  virtual void FillEllipseMerge(int32_t x0, int32_t y0, int32_t rx, int32_t ry, uint32_t Color,
                                uint16_t AMerge);
  virtual void PolygonMerge(int32_t x, int32_t y, int32_t Num, int32_t Radius,
                            int32_t StartAngle, uint32_t Color, uint16_t AMerge);
  virtual void PetalMerge(int32_t x, int32_t y, int32_t r, int32_t n, int32_t StartAngle,
                          uint32_t Color, uint16_t AMerge);
  virtual void DrawTransparent(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t dx,
                               int32_t dy) = 0;
  virtual void DrawShadow(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t dx, int32_t dy,
                          uint16_t Rate) = 0;
  virtual void DrawPeace(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                         int32_t w, int32_t h, int32_t dx, int32_t dy) = 0;
  virtual void DrawPeaceShadow(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                               int32_t w, int32_t h, int32_t dx, int32_t dy, uint16_t Rate) = 0;
  virtual void DrawArea(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                        int32_t w, int32_t h, int32_t dx, int32_t dy) = 0;
  virtual void DrawMerge(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                         int32_t w, int32_t h, int32_t dx, int32_t dy, uint16_t Rate);
  virtual void DrawMergeOpaque(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                               int32_t w, int32_t h, int32_t dx, int32_t dy, uint16_t Rate);
  virtual void DrawNormalOnLineY(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                                 int32_t w, int32_t h, int32_t dx, int32_t dy,
                                 const int16_t* Lines, int32_t delta);
  virtual void DrawOnLineY(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                           int32_t w, int32_t h, int32_t dx, int32_t dy, const int16_t* Lines,
                           int32_t delta);
  virtual void DrawMergeOnLineY(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                                int32_t w, int32_t h, int32_t dx, int32_t dy,
                                const int16_t* Lines, int32_t delta, int32_t Rate);
  virtual void DrawOnLineX(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                           int32_t w, int32_t h, int32_t dx, int32_t dy, const int16_t* Lines,
                           int32_t delta);
  virtual void DrawNormalOnLineX(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                                 int32_t w, int32_t h, int32_t dx, int32_t dy,
                                 const int16_t* Lines, int32_t delta);
  virtual void DrawMergeOnLineX(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                                int32_t w, int32_t h, int32_t dx, int32_t dy,
                                const int16_t* Lines, int32_t delta, int32_t Rate);
  virtual void Scale(int32_t x, int32_t y, int32_t rx, int32_t ry, TDibBaseObj* Dib);
  virtual void ScaleShadow(uint16_t x, uint16_t y, int32_t rx, int32_t ry, uint16_t Shad,
                           TDibBaseObj* Dib);
  virtual void Rotate(int32_t x, int32_t y, int32_t Angle, TDibBaseObj* Dib);
  virtual void ScaleRotate(int32_t x, int32_t y, int32_t rx, int32_t ry, uint16_t Angle,
                           TDibBaseObj* Dib);

  // --- Non-virtual operations ---------------------------------------------------------------
  // --- Shapes (draw_*.cpp): drawn through PixelProc and BarProc, so the blended variants of
  // TDib24Bits reuse them by rebinding the two; every shape clips against the image.
  void Line(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t Color);
  // Each point of the line walk becomes a Thick x Thick square to its right and below.
  void LineEx(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t Thick, uint32_t Color);
  // LineWidth nested one-pixel outlines, each inset by one more pixel.
  void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t LineWidth,
                 uint32_t Color);
  void Circle(int32_t x0, int32_t y0, int32_t r, int32_t LineWidth, uint32_t Color);
  // Filled disc.
  void Slice(int32_t x0, int32_t y0, int32_t r, uint32_t Color);
  void Ellipse(int32_t x0, int32_t y0, int32_t rx, int32_t ry, int32_t LineWidth, uint32_t Color);
  void FillEllipse(int32_t x0, int32_t y0, int32_t rx, int32_t ry, uint32_t Color);
  // Regular polygon of Num vertices on a circle of Radius; StartAngle in degrees.
  void Polygon(int32_t x, int32_t y, int32_t Num, int32_t Radius, int32_t StartAngle,
               int32_t Thick, uint32_t Color);
  // Rose curve r cos(n t), 361 one-degree steps.
  void Petal(int32_t x, int32_t y, int32_t r, int32_t n, int32_t StartAngle, uint32_t Color);
  // Fills the 4-connected region of the seed's raw pixel value; bounded memory.
  void FloodFill(int32_t x, int32_t y, uint32_t AColor);
  // --- end of shapes ---

  // --- Transforms (transform_*.cpp) ---
  // Run scaling along a run-line set (start values at 0..1024, end values at 1025..2049):
  // target column tx = x, x + 1, ... shows source column OrgX, OrgX + 1, ... stretched from row
  // LData[tx] to row LData[1025 + tx]; RunScaleX does the same with rows. Only target indexes
  // 0..1024 below Limit are drawn.
  void RunScaleY(int32_t x, int32_t y, TDibBaseObj* Dib, const int16_t* LData, int32_t OrgX,
                 int32_t Limit);
  void RunScaleX(int32_t x, int32_t y, TDibBaseObj* Dib, const int16_t* ALine, int32_t OrgY,
                 int32_t Limit);
  // In-place flips of the image and its alpha companion.
  void FlipVertical();
  void FlipHorizontal();
  // --- end of transforms ---

  // --- Smooth-drawing image cache (gp_cache.cpp) ---
  // Builds (once) the 32-bit non-premultiplied ARGB copy of the image used by the smooth
  // drawing routines; false while the image-drawing service is not running or on failure.
  bool RequireGPBitmap();
  // Discards the cached copy.
  void RemoveGPBitmap();
  // --- end of the image cache ---

  // Re-sizes (and so resets) the image only when the size changes.
  void SetAttributes(int32_t w, int32_t h);
  // Device-context drawing (dc_composite.cpp): the whole image at (x, y), composited when it
  // has an alpha companion; a source rectangle stretched to (x, y, w, h).
  void Draw(plat::HDC dc, int32_t x, int32_t y);
  void DrawPart(plat::HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, int32_t ox, int32_t oy,
                int32_t dw, int32_t dh);
  // Takes a memory block; a block whose header or size is not acceptable is freed.
  void SetHandle(THandle Value);
  void SetAlphaHandle(THandle Value);
  // Takes the blocks read from a file: the image through SetHandle, then the alpha block (or 0)
  // as the companion; a block refused is freed. True when the image was accepted.
  bool TakeFileBlocks(THandle Image, THandle Alpha);
  THandle GetAlphaHandle() const;
  void CreateAlphaChannel();
  void LoadAlphaFromFile(const ZChar* AName);
  void ConvertAlphaGrayscale();
  void FreeAlpha();

  // Byte address of pixel (x, y); the caller has checked the bounds.
  uint8_t* PixelAddress(int32_t x, int32_t y) const {
    return DibData + static_cast<intptr_t>(FHeight - y - 1) * FDWidth +
           static_cast<intptr_t>(x) * FBits;
  }
  bool Inside(int32_t x, int32_t y) const {
    return FHandle != 0 && x >= 0 && y >= 0 && x < FWidth && y < FHeight;
  }
  // Size of the block as allocated (0 for no block or an attached bitmap).
  uint64_t BlockSize() const;

  // Properties.
  THandle Handle() const { return FHandle; }
  bool LockHandle() const { return FLock; }
  void SetLockHandle(bool v) { FLock = v; }
  int32_t Width() const { return FWidth; }
  int32_t Height() const { return FHeight; }
  int32_t AlignedWidth() const { return FDWidth; }
  uint8_t Bits() const { return FBits; }
  void* GPImage() const { return FGPImage; }

  // --- Fields ---------------------------------------------------------------------------------
  THandle FHandle = 0;
  int32_t FWidth = 0;
  int32_t FHeight = 0;
  int32_t FDWidth = 0;
  TPixelProc PixelProc;
  TBarProc BarProc;
  bool FHandleInvalid = false;
  void* FGPImage = nullptr;
  uint8_t FBits;
  bool FLock = false;
  uint8_t* DibPtr = nullptr;
  uint8_t* DibData = nullptr;
  TRGBQuad* DibPal = nullptr;
  int32_t DibSize = 0;
  uint16_t DibMode = 0;
  int32_t DibInfo = 0;
  TDib8Bits* AlphaDib = nullptr;
  uint8_t TransparentColor = 0;

 protected:
  explicit TDibBaseObj(uint8_t bits);
  // Drops the current block: unlocks it and frees it unless the object does not own it.
  void ReleaseBlock();
};

// The shared 3-3-2 default palette every new 8-bit image receives.
const TColorTable& DefaultPalette();
// The grey ramp of alpha companions (entry i = i, i, i).
void FillGreyRamp(TRGBQuad* table);

}  // namespace zkw
