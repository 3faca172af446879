// GDI objects and bitmaps of the Linux back end.
#include "platform/portable/gdi_objects.h"

#include <cstring>
#include <mutex>
#include <unordered_set>

namespace plat {
namespace portable {
namespace {

std::mutex gMutex;
std::unordered_set<GdiObject*>& LiveObjects() {
  static auto* objects = new std::unordered_set<GdiObject*>();
  return *objects;
}

}  // namespace

HGDIOBJ RegisterGdiObject(GdiObject* obj) {
  std::lock_guard<std::mutex> guard(gMutex);
  LiveObjects().insert(obj);
  return obj;
}

GdiObject* FindGdiObject(HGDIOBJ handle) {
  std::lock_guard<std::mutex> guard(gMutex);
  auto* obj = static_cast<GdiObject*>(handle);
  return LiveObjects().count(obj) ? obj : nullptr;
}

}  // namespace portable

using portable::GdiBitmap;
using portable::GdiKind;

HBITMAP CreateDIBSection(HDC /*dc*/, const BITMAPINFO* info, UINT usage, void** bits,
                         HANDLE /*section*/, DWORD /*offset*/) {
  if (bits) *bits = nullptr;
  if (!info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) return nullptr;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  int bpp = h.biBitCount;
  if ((bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) ||
      h.biWidth <= 0 || h.biHeight == 0 || h.biCompression != BI_RGB)
    return nullptr;
  int64_t height = h.biHeight < 0 ? -static_cast<int64_t>(h.biHeight) : h.biHeight;
  int64_t stride = ((static_cast<int64_t>(h.biWidth) * bpp + 31) / 32) * 4;
  if (stride * height > (int64_t{1} << 30)) return nullptr;
  auto* bm = new GdiBitmap();
  bm->Header = h;
  bm->Header.biSize = sizeof(BITMAPINFOHEADER);
  bm->IsDibSection = true;
  if (bpp <= 8) {
    size_t entries = h.biClrUsed ? h.biClrUsed : (size_t{1} << bpp);
    if (entries > (size_t{1} << bpp)) entries = size_t{1} << bpp;
    bm->Colors.assign(size_t{1} << bpp, RGBQUAD{0, 0, 0, 0});
    if (usage == DIB_RGB_COLORS) std::memcpy(bm->Colors.data(), info->bmiColors, entries * 4);
  }
  bm->Pixels.assign(static_cast<size_t>(stride * height), 0);
  if (bits) *bits = bm->Pixels.data();
  return portable::RegisterGdiObject(bm);
}

int GetObjectW(HGDIOBJ obj, int size, void* out) {
  auto* bm = portable::FindGdi<GdiBitmap>(obj, GdiKind::Bitmap);
  if (!bm) return 0;
  if (!out) return sizeof(BITMAP);
  if (size < static_cast<int>(sizeof(BITMAP))) return 0;
  BITMAP result{};
  result.bmType = 0;
  result.bmWidth = bm->Header.biWidth;
  result.bmHeight = bm->Header.biHeight < 0 ? -bm->Header.biHeight : bm->Header.biHeight;
  result.bmWidthBytes = bm->Stride();
  result.bmPlanes = 1;
  result.bmBitsPixel = bm->Header.biBitCount;
  result.bmBits = bm->IsDibSection ? bm->Pixels.data() : nullptr;
  std::memcpy(out, &result, sizeof result);
  return sizeof(BITMAP);
}

BOOL DeleteObject(HGDIOBJ obj) {
  portable::GdiObject* found = portable::FindGdiObject(obj);
  if (!found) return 0;
  {
    std::lock_guard<std::mutex> guard(portable::gMutex);
    portable::LiveObjects().erase(found);
  }
  delete found;
  return 1;
}

}  // namespace plat
