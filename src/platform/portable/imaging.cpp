// Linux back end of the image-drawing service: pixman. Images are premultiplied a8r8g8b8;
// drawing composites OVER into the pixels of the DC's surface (wrapped directly when it has 24
// or 32 bits per pixel, through a temporary copy of the touched rectangle otherwise) with an
// affine transform from destination to source pixels, the bilinear filter and a solid mask of
// the opacity.
#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/plat_imaging.h"
#include "platform/portable/gdi_objects.h"
#include "platform/portable/pixel_access.h"

namespace plat {

struct ImagingImage {
  int32_t Width = 0, Height = 0;
  uint64_t Generation = 0;
  std::vector<uint32_t> Pixels;  // premultiplied, top row first
  pixman_image_t* Image = nullptr;
};

namespace {

bool gRunning = false;
// Changes at every start-up and shut-down; an image is usable only in the generation it was
// made in.
uint64_t gGeneration = 0;

// Releases pixman images on every way out.
struct PixmanRef {
  pixman_image_t* p = nullptr;
  ~PixmanRef() {
    if (p) pixman_image_unref(p);
  }
};

// Destination image coordinates to coordinates in the source rectangle, for the destination
// parallelogram d[0..2] (upper-left, upper-right, lower-left) of the source rectangle, after
// `toPicture` maps destination image coordinates to DC coordinates. False when the
// parallelogram is degenerate or the transform does not fit pixman's fixed point.
bool SourceTransform(const double d[3][2], const ImagingDraw& how, const double toPicture[3][3],
                     pixman_transform_t& out) {
  // Forward: source (u, v) -> DC point.
  double a = (d[1][0] - d[0][0]) / how.SrcW, b = (d[2][0] - d[0][0]) / how.SrcH;
  double e = (d[1][1] - d[0][1]) / how.SrcW, f = (d[2][1] - d[0][1]) / how.SrcH;
  // The source image starts at the source rectangle (see Composite), so (0, 0) of it lands
  // on d[0].
  double c = d[0][0], g = d[0][1];
  double det = a * f - b * e;
  if (!std::isfinite(det) || std::fabs(det) < 1e-12) return false;
  // Inverse: DC point -> source.
  pixman_f_transform_t inv{};
  inv.m[0][0] = f / det;
  inv.m[0][1] = -b / det;
  inv.m[1][0] = -e / det;
  inv.m[1][1] = a / det;
  inv.m[0][2] = -(inv.m[0][0] * c + inv.m[0][1] * g);
  inv.m[1][2] = -(inv.m[1][0] * c + inv.m[1][1] * g);
  inv.m[2][2] = 1;
  pixman_f_transform_t pic{}, full{};
  for (int r = 0; r < 3; ++r)
    for (int k = 0; k < 3; ++k) pic.m[r][k] = toPicture[r][k];
  pixman_f_transform_multiply(&full, &inv, &pic);
  return pixman_transform_from_pixman_f_transform(&out, &full);
}

// Composites the image into `dst` over the destination rectangle (x, y, w, h).
void Composite(const ImagingImage& img, pixman_image_t* dst, const pixman_transform_t& t,
               const ImagingDraw& how, int32_t x, int32_t y, int32_t w, int32_t h) {
  // Only the source rectangle is drawn: the source image is that rectangle of the pixels, and
  // everything outside it reads as transparent.
  PixmanRef src;
  uint32_t* first = const_cast<uint32_t*>(img.Pixels.data()) +
                    static_cast<size_t>(how.SrcY) * img.Width + how.SrcX;
  src.p = pixman_image_create_bits(PIXMAN_a8r8g8b8, how.SrcW, how.SrcH, first, img.Width * 4);
  if (!src.p) return;
  pixman_image_set_transform(src.p, &t);
  pixman_image_set_filter(src.p, PIXMAN_FILTER_BILINEAR, nullptr, 0);
  pixman_image_set_repeat(src.p, PIXMAN_REPEAT_NONE);
  PixmanRef mask;
  float opacity = std::isnan(how.Opacity) ? 0.0f : std::clamp(how.Opacity, 0.0f, 1.0f);
  if (opacity < 1.0f) {
    pixman_color_t colour{0, 0, 0, static_cast<uint16_t>(std::lround(opacity * 65535.0f))};
    mask.p = pixman_image_create_solid_fill(&colour);
    if (!mask.p) return;
  }
  pixman_image_composite32(PIXMAN_OP_OVER, src.p, mask.p, dst, x, y, 0, 0, x, y, w, h);
}

// The DC's pixels, or null.
portable::GdiBitmap* SurfaceOf(HDC dc) {
  auto* d = portable::FindGdi<portable::GdiDC>(dc, portable::GdiKind::DC);
  portable::GdiBitmap* s = d ? d->Surface() : nullptr;
  if (!s || s->Width() <= 0 || s->Height() <= 0 || s->Pixels.empty()) return nullptr;
  return s;
}

// Draws into the DC at the parallelogram d (DC coordinates, real-valued corners).
bool DrawInto(HDC dc, const ImagingImage* image, const double d[3][2], const ImagingDraw& how) {
  if (!ImagingImageUsable(image) || how.SrcW <= 0 || how.SrcH <= 0) return false;
  if (how.SrcX < 0 || how.SrcY < 0 || how.SrcX > image->Width - how.SrcW ||
      how.SrcY > image->Height - how.SrcH)
    return false;
  portable::GdiBitmap* surface = SurfaceOf(dc);
  if (!surface) return false;
  const int32_t sw = surface->Width(), sh = surface->Height();
  // The rectangle of DC pixels the parallelogram can touch, one pixel wider for the filter.
  double xs[4] = {d[0][0], d[1][0], d[2][0], d[1][0] + d[2][0] - d[0][0]};
  double ys[4] = {d[0][1], d[1][1], d[2][1], d[1][1] + d[2][1] - d[0][1]};
  double lox = *std::min_element(xs, xs + 4), hix = *std::max_element(xs, xs + 4);
  double loy = *std::min_element(ys, ys + 4), hiy = *std::max_element(ys, ys + 4);
  if (!std::isfinite(lox + hix + loy + hiy)) return false;
  int64_t x1 = std::max<int64_t>(0, static_cast<int64_t>(std::floor(std::max(lox, -1e9))) - 1);
  int64_t y1 = std::max<int64_t>(0, static_cast<int64_t>(std::floor(std::max(loy, -1e9))) - 1);
  int64_t x2 = std::min<int64_t>(sw, static_cast<int64_t>(std::ceil(std::min(hix, 1e9))) + 1);
  int64_t y2 = std::min<int64_t>(sh, static_cast<int64_t>(std::ceil(std::min(hiy, 1e9))) + 1);
  if (x1 >= x2 || y1 >= y2) return true;  // nothing of it lies on the surface
  const int32_t w = static_cast<int32_t>(x2 - x1), h = static_cast<int32_t>(y2 - y1);

  portable::PixelView view = portable::ViewOf(*surface);
  if (view.Bpp == 24 || view.Bpp == 32) {
    // The surface itself; a bottom-up surface is addressed by memory rows, whose row r is DC
    // row H - 1 - r: DC y = H - memory y.
    double toPicture[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    int32_t my = static_cast<int32_t>(y1);
    if (!view.TopDown) {
      toPicture[1][1] = -1;
      toPicture[1][2] = sh;
      my = sh - static_cast<int32_t>(y2);
    }
    pixman_transform_t t;
    if (!SourceTransform(d, how, toPicture, t)) return false;
    PixmanRef dst;
    dst.p = pixman_image_create_bits(view.Bpp == 32 ? PIXMAN_x8r8g8b8 : PIXMAN_r8g8b8, sw, sh,
                                     reinterpret_cast<uint32_t*>(view.Bits), view.Stride);
    if (!dst.p) return false;
    Composite(*image, dst.p, t, how, static_cast<int32_t>(x1), my, w, h);
    return true;
  }
  // Other depths: the touched rectangle copied out, composited and written back.
  std::vector<uint32_t> buffer(static_cast<size_t>(w) * h);
  for (int32_t j = 0; j < h; ++j)
    for (int32_t i = 0; i < w; ++i) {
      COLORREF c = portable::ReadPixel(view, static_cast<int32_t>(x1) + i, static_cast<int32_t>(y1) + j);
      buffer[static_cast<size_t>(j) * w + i] =
          ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
  double toPicture[3][3] = {{1, 0, static_cast<double>(x1)}, {0, 1, static_cast<double>(y1)}, {0, 0, 1}};
  pixman_transform_t t;
  if (!SourceTransform(d, how, toPicture, t)) return false;
  PixmanRef dst;
  dst.p = pixman_image_create_bits(PIXMAN_x8r8g8b8, w, h, buffer.data(), w * 4);
  if (!dst.p) return false;
  Composite(*image, dst.p, t, how, 0, 0, w, h);
  for (int32_t j = 0; j < h; ++j)
    for (int32_t i = 0; i < w; ++i) {
      uint32_t p = buffer[static_cast<size_t>(j) * w + i];
      portable::WritePixel(view, static_cast<int32_t>(x1) + i, static_cast<int32_t>(y1) + j,
                           ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
    }
  return true;
}

}  // namespace

bool ImagingStartup() {
  if (!gRunning) {
    gRunning = true;
    ++gGeneration;
  }
  return true;
}

void ImagingShutdown() {
  if (!gRunning) return;
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
  const size_t n = static_cast<size_t>(w) * static_cast<size_t>(h);
  img->Pixels.resize(n);
  for (size_t i = 0; i < n; ++i) {
    uint32_t p = argb[i], a = p >> 24;
    auto pre = [a](uint32_t c) { return (c * a + 127) / 255; };
    img->Pixels[i] = (a << 24) | (pre((p >> 16) & 0xFF) << 16) | (pre((p >> 8) & 0xFF) << 8) |
                     pre(p & 0xFF);
  }
  return img;
}

void ImagingFreeImage(ImagingImage* image) { delete image; }

bool ImagingImageUsable(const ImagingImage* image) {
  return image && gRunning && image->Generation == gGeneration;
}

int32_t ImagingImageWidth(const ImagingImage* image) { return image ? image->Width : 0; }
int32_t ImagingImageHeight(const ImagingImage* image) { return image ? image->Height : 0; }

bool ImagingDrawPoints(HDC dc, const ImagingImage* image, const POINT dest[3],
                       const ImagingDraw& how) {
  if (!dest) return false;
  const double d[3][2] = {{static_cast<double>(dest[0].x), static_cast<double>(dest[0].y)},
                          {static_cast<double>(dest[1].x), static_cast<double>(dest[1].y)},
                          {static_cast<double>(dest[2].x), static_cast<double>(dest[2].y)}};
  return DrawInto(dc, image, d, how);
}

bool ImagingDrawRect(HDC dc, const ImagingImage* image, int32_t x, int32_t y, int32_t w,
                     int32_t h, const ImagingDraw& how) {
  if (w == 0 || h == 0) return false;
  const double d[3][2] = {{static_cast<double>(x), static_cast<double>(y)},
                          {static_cast<double>(x) + w, static_cast<double>(y)},
                          {static_cast<double>(x), static_cast<double>(y) + h}};
  return DrawInto(dc, image, d, how);
}

}  // namespace plat
