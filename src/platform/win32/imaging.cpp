// Windows back end of the image-drawing service: the GDI+ flat API of gdiplus.dll, loaded by
// name at the first start-up (the DLL itself does not import it, and nothing is loaded while
// the library is being loaded). Images are 32bppARGB bitmaps over pixel memory the image
// owns; drawing uses a graphics object on the DC, high-quality bilinear interpolation and an
// image-attributes colour matrix that multiplies every pixel's alpha by the opacity.
#include <cstdint>
#include <vector>

#include "platform/plat_imaging.h"
#include "platform/win32/win32_api.h"

namespace plat {

struct ImagingImage {
  int32_t Width = 0, Height = 0;
  uint64_t Generation = 0;
  std::vector<uint32_t> Pixels;  // the bitmap's pixels, top row first
  void* Bitmap = nullptr;        // GpBitmap*
};

namespace {

// Flat API types (GDI+ 1.0); all entry points are stdcall and return a Status (0 = Ok).
using GpStatus = int;
struct GdiplusStartupInput {
  UINT32 GdiplusVersion;
  void* DebugEventCallback;
  ::BOOL SuppressBackgroundThread;
  ::BOOL SuppressExternalCodecs;
};
struct GpPoint {
  INT X, Y;
};
struct GpColorMatrix {
  float m[5][5];
};
constexpr INT kPixelFormat32bppARGB = 0x26200A;
constexpr int kUnitPixel = 2;
constexpr int kInterpolationHighQualityBilinear = 6;
constexpr int kSmoothingAntiAlias = 4;
constexpr int kColorAdjustTypeBitmap = 1;
constexpr int kColorMatrixFlagsDefault = 0;

using StartupFn = GpStatus(WINAPI*)(ULONG_PTR*, const GdiplusStartupInput*, void*);
using ShutdownFn = void(WINAPI*)(ULONG_PTR);
using CreateBitmapFn = GpStatus(WINAPI*)(INT, INT, INT, INT, BYTE*, void**);
using DisposeImageFn = GpStatus(WINAPI*)(void*);
using CreateFromHdcFn = GpStatus(WINAPI*)(::HDC, void**);
using DeleteGraphicsFn = GpStatus(WINAPI*)(void*);
using SetModeFn = GpStatus(WINAPI*)(void*, int);
using CreateAttributesFn = GpStatus(WINAPI*)(void**);
using DisposeAttributesFn = GpStatus(WINAPI*)(void*);
using SetColorMatrixFn = GpStatus(WINAPI*)(void*, int, ::BOOL, const GpColorMatrix*,
                                           const GpColorMatrix*, int);
using DrawPointsRectFn = GpStatus(WINAPI*)(void*, void*, const GpPoint*, INT, INT, INT, INT, INT,
                                           int, void*, void*, void*);
using DrawRectRectFn = GpStatus(WINAPI*)(void*, void*, INT, INT, INT, INT, INT, INT, INT, INT,
                                         int, void*, void*, void*);

struct GdiPlus {
  ::HMODULE Module = nullptr;
  StartupFn Startup = nullptr;
  ShutdownFn Shutdown = nullptr;
  CreateBitmapFn CreateBitmapFromScan0 = nullptr;
  DisposeImageFn DisposeImage = nullptr;
  CreateFromHdcFn CreateFromHDC = nullptr;
  DeleteGraphicsFn DeleteGraphics = nullptr;
  SetModeFn SetInterpolationMode = nullptr;
  SetModeFn SetSmoothingMode = nullptr;
  CreateAttributesFn CreateImageAttributes = nullptr;
  DisposeAttributesFn DisposeImageAttributes = nullptr;
  SetColorMatrixFn SetImageAttributesColorMatrix = nullptr;
  DrawPointsRectFn DrawImagePointsRectI = nullptr;
  DrawRectRectFn DrawImageRectRectI = nullptr;

  template <class F>
  void Resolve(F& fn, const char* name) {
    fn = reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(Module, name)));
  }
  // Loads the module and resolves every entry point; false when any is missing.
  bool Load() {
    if (Ready()) return true;
    if (!Module) Module = ::LoadLibraryW(L"gdiplus.dll");
    if (!Module) return false;
    Resolve(Startup, "GdiplusStartup");
    Resolve(Shutdown, "GdiplusShutdown");
    Resolve(CreateBitmapFromScan0, "GdipCreateBitmapFromScan0");
    Resolve(DisposeImage, "GdipDisposeImage");
    Resolve(CreateFromHDC, "GdipCreateFromHDC");
    Resolve(DeleteGraphics, "GdipDeleteGraphics");
    Resolve(SetInterpolationMode, "GdipSetInterpolationMode");
    Resolve(SetSmoothingMode, "GdipSetSmoothingMode");
    Resolve(CreateImageAttributes, "GdipCreateImageAttributes");
    Resolve(DisposeImageAttributes, "GdipDisposeImageAttributes");
    Resolve(SetImageAttributesColorMatrix, "GdipSetImageAttributesColorMatrix");
    Resolve(DrawImagePointsRectI, "GdipDrawImagePointsRectI");
    Resolve(DrawImageRectRectI, "GdipDrawImageRectRectI");
    return Ready();
  }
  bool Ready() const {
    return Startup && Shutdown && CreateBitmapFromScan0 && DisposeImage && CreateFromHDC &&
           DeleteGraphics && SetInterpolationMode && SetSmoothingMode && CreateImageAttributes &&
           DisposeImageAttributes && SetImageAttributesColorMatrix && DrawImagePointsRectI &&
           DrawImageRectRectI;
  }
};

GdiPlus gGdiPlus;
bool gRunning = false;
ULONG_PTR gToken = 0;
uint64_t gGeneration = 0;

// A graphics object on the DC and the opacity attributes of one draw, released on every way
// out.
class DrawContext {
 public:
  DrawContext(HDC dc, const ImagingDraw& how) {
    if (gGdiPlus.CreateFromHDC(static_cast<::HDC>(dc), &FGraphics) != 0) {
      FGraphics = nullptr;
      return;
    }
    gGdiPlus.SetInterpolationMode(FGraphics, kInterpolationHighQualityBilinear);
    if (how.Smooth) gGdiPlus.SetSmoothingMode(FGraphics, kSmoothingAntiAlias);
    if (gGdiPlus.CreateImageAttributes(&FAttributes) != 0) {
      FAttributes = nullptr;
      return;
    }
    // The identity, except that alpha is multiplied by the opacity.
    GpColorMatrix m{};
    for (int i = 0; i < 5; ++i) m.m[i][i] = 1.0f;
    m.m[3][3] = how.Opacity;
    if (gGdiPlus.SetImageAttributesColorMatrix(FAttributes, kColorAdjustTypeBitmap, TRUE, &m,
                                               nullptr, kColorMatrixFlagsDefault) != 0) {
      gGdiPlus.DisposeImageAttributes(FAttributes);
      FAttributes = nullptr;
    }
  }
  ~DrawContext() {
    if (FAttributes) gGdiPlus.DisposeImageAttributes(FAttributes);
    if (FGraphics) gGdiPlus.DeleteGraphics(FGraphics);
  }
  bool Ready() const { return FGraphics && FAttributes; }
  void* Graphics() const { return FGraphics; }
  void* Attributes() const { return FAttributes; }

 private:
  void* FGraphics = nullptr;
  void* FAttributes = nullptr;
};

bool SourceInside(const ImagingImage* image, const ImagingDraw& how) {
  return how.SrcW > 0 && how.SrcH > 0 && how.SrcX >= 0 && how.SrcY >= 0 &&
         how.SrcX <= image->Width - how.SrcW && how.SrcY <= image->Height - how.SrcH;
}

}  // namespace

bool ImagingStartup() {
  if (gRunning) return true;
  if (!gGdiPlus.Load()) return false;
  GdiplusStartupInput input{1, nullptr, FALSE, FALSE};
  ULONG_PTR token = 0;
  if (gGdiPlus.Startup(&token, &input, nullptr) != 0) return false;
  gToken = token;
  gRunning = true;
  ++gGeneration;
  return true;
}

void ImagingShutdown() {
  if (!gRunning) return;
  gGdiPlus.Shutdown(gToken);
  gToken = 0;
  gRunning = false;
  ++gGeneration;
}

bool ImagingRunning() { return gRunning; }

ImagingImage* ImagingCreateImage(int32_t w, int32_t h, const uint32_t* argb) {
  if (!gRunning || w <= 0 || h <= 0 || !argb) return nullptr;
  if (static_cast<uint64_t>(w) * static_cast<uint64_t>(h) > (uint64_t{1} << 28) ||
      w > (1 << 28) / 4)
    return nullptr;
  auto* img = new ImagingImage;
  img->Width = w;
  img->Height = h;
  img->Generation = gGeneration;
  img->Pixels.assign(argb, argb + static_cast<size_t>(w) * static_cast<size_t>(h));
  // Non-premultiplied ARGB words in memory order blue, green, red, alpha, top row first; the
  // bitmap draws from this memory, which lives as long as the image.
  if (gGdiPlus.CreateBitmapFromScan0(w, h, w * 4, kPixelFormat32bppARGB,
                                     reinterpret_cast<BYTE*>(img->Pixels.data()),
                                     &img->Bitmap) != 0 ||
      !img->Bitmap) {
    delete img;
    return nullptr;
  }
  return img;
}

void ImagingFreeImage(ImagingImage* image) {
  if (!image) return;
  // After a shut-down GDI+ has let go of its objects; only the memory is ours to free.
  if (ImagingImageUsable(image)) gGdiPlus.DisposeImage(image->Bitmap);
  delete image;
}

bool ImagingImageUsable(const ImagingImage* image) {
  return image && gRunning && image->Generation == gGeneration;
}

int32_t ImagingImageWidth(const ImagingImage* image) { return image ? image->Width : 0; }
int32_t ImagingImageHeight(const ImagingImage* image) { return image ? image->Height : 0; }

bool ImagingDrawPoints(HDC dc, const ImagingImage* image, const POINT dest[3],
                       const ImagingDraw& how) {
  if (!dest || !ImagingImageUsable(image) || !SourceInside(image, how)) return false;
  DrawContext context(dc, how);
  if (!context.Ready()) return false;
  const GpPoint points[3] = {{dest[0].x, dest[0].y}, {dest[1].x, dest[1].y},
                             {dest[2].x, dest[2].y}};
  return gGdiPlus.DrawImagePointsRectI(context.Graphics(), image->Bitmap, points, 3, how.SrcX,
                                       how.SrcY, how.SrcW, how.SrcH, kUnitPixel,
                                       context.Attributes(), nullptr, nullptr) == 0;
}

bool ImagingDrawRect(HDC dc, const ImagingImage* image, int32_t x, int32_t y, int32_t w,
                     int32_t h, const ImagingDraw& how) {
  if (w == 0 || h == 0 || !ImagingImageUsable(image) || !SourceInside(image, how)) return false;
  DrawContext context(dc, how);
  if (!context.Ready()) return false;
  return gGdiPlus.DrawImageRectRectI(context.Graphics(), image->Bitmap, x, y, w, h, how.SrcX,
                                     how.SrcY, how.SrcW, how.SrcH, kUnitPixel,
                                     context.Attributes(), nullptr, nullptr) == 0;
}

}  // namespace plat
