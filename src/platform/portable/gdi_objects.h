// GDI objects of the Linux back end. Every object derives from GdiObject and is registered so
// that a stale or foreign handle is refused.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/plat_gdi.h"

namespace plat::portable {

enum class GdiKind { Bitmap, Palette, Brush, Pen, Font, Region, DC };

struct GdiObject {
  explicit GdiObject(GdiKind kind) : Kind(kind) {}
  virtual ~GdiObject() = default;
  GdiKind Kind;
};

// A bitmap: a DIB section (pixels in the layout of its header, bottom-up unless the height
// is negative) or a device-dependent bitmap kept in the same form.
struct GdiBitmap : GdiObject {
  GdiBitmap() : GdiObject(GdiKind::Bitmap) {}
  BITMAPINFOHEADER Header{};
  std::vector<RGBQUAD> Colors;
  std::vector<uint8_t> Pixels;
  bool IsDibSection = false;
  int32_t Stride() const { return ((Header.biWidth * Header.biBitCount + 31) / 32) * 4; }
};

// Registers a new object and returns its handle.
HGDIOBJ RegisterGdiObject(GdiObject* obj);
// The object behind a handle when it is live and of the given kind, else null.
GdiObject* FindGdiObject(HGDIOBJ handle);
template <class T>
T* FindGdi(HGDIOBJ handle, GdiKind kind) {
  GdiObject* obj = FindGdiObject(handle);
  return obj && obj->Kind == kind ? static_cast<T*>(obj) : nullptr;
}

}  // namespace plat::portable
