// Registry and stock objects of the Linux GDI back end.
#include "platform/portable/gdi_objects.h"

#include <mutex>
#include <unordered_set>

namespace plat::portable {
namespace {

std::mutex gMutex;
std::unordered_set<GdiObject*>& LiveObjects() {
  static auto* objects = new std::unordered_set<GdiObject*>();
  return *objects;
}

GdiBitmap* NewBitmap(int32_t w, int32_t h, uint16_t bits) {
  auto* bm = new GdiBitmap();
  bm->Header = {sizeof(BITMAPINFOHEADER), w, h, 1, bits, BI_RGB, 0, 0, 0, 0, 0};
  if (bits <= 8) bm->Colors.assign(size_t{1} << bits, RGBQUAD{0, 0, 0, 0});
  bm->Pixels.assign(static_cast<size_t>(bm->Stride()) * bm->Height(), 0);
  return bm;
}

}  // namespace

HGDIOBJ RegisterGdiObject(GdiObject* obj) {
  std::lock_guard<std::mutex> guard(gMutex);
  LiveObjects().insert(obj);
  return obj;
}

void UnregisterGdiObject(GdiObject* obj) {
  std::lock_guard<std::mutex> guard(gMutex);
  LiveObjects().erase(obj);
}

GdiObject* FindGdiObject(HGDIOBJ handle) {
  std::lock_guard<std::mutex> guard(gMutex);
  auto* obj = static_cast<GdiObject*>(handle);
  return LiveObjects().count(obj) ? obj : nullptr;
}

GdiBitmap* StockBitmap() {
  static GdiBitmap* bitmap = [] {
    GdiBitmap* bm = NewBitmap(1, 1, 1);
    bm->Colors[1] = RGBQUAD{255, 255, 255, 0};
    bm->Stock = true;
    RegisterGdiObject(bm);
    return bm;
  }();
  return bitmap;
}

GdiPalette* StockPalette() {
  static GdiPalette* palette = [] {
    static const BYTE kStatic[20][3] = {
        {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
        {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
        {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
        {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
    auto* pal = new GdiPalette();
    for (const auto& c : kStatic) pal->Entries.push_back(PALETTEENTRY{c[0], c[1], c[2], 0});
    pal->Stock = true;
    RegisterGdiObject(pal);
    return pal;
  }();
  return palette;
}

GdiBrush* StockWhiteBrush() {
  static GdiBrush* brush = [] {
    auto* b = new GdiBrush();
    b->Color = RGB(255, 255, 255);
    b->Stock = true;
    RegisterGdiObject(b);
    return b;
  }();
  return brush;
}

GdiPen* StockBlackPen() {
  static GdiPen* pen = [] {
    auto* p = new GdiPen();
    p->Log = LOGPEN{static_cast<UINT>(PS_SOLID), POINT{1, 0}, RGB(0, 0, 0)};
    p->Stock = true;
    RegisterGdiObject(p);
    return p;
  }();
  return pen;
}

GdiObject* StockObject(int index) {
  static GdiObject* objects[9] = {};
  static std::mutex mutex;
  if (index < 0 || index > NULL_PEN || index == 1 || index == 2 || index == 3) return nullptr;
  std::lock_guard<std::mutex> guard(mutex);
  if (index == WHITE_BRUSH) return StockWhiteBrush();
  if (index == BLACK_PEN) return StockBlackPen();
  if (!objects[index]) {
    GdiObject* made;
    if (index == BLACK_BRUSH || index == NULL_BRUSH) {
      auto* b = new GdiBrush();
      b->Null = index == NULL_BRUSH;
      made = b;
    } else {
      auto* p = new GdiPen();
      p->Log = LOGPEN{static_cast<UINT>(index == NULL_PEN ? PS_NULL : PS_SOLID), POINT{1, 0}, RGB(255, 255, 255)};
      made = p;
    }
    made->Stock = true;
    RegisterGdiObject(made);
    objects[index] = made;
  }
  return objects[index];
}

GdiBitmap* ScreenSurface() {
  static GdiBitmap* screen = [] {
    GdiBitmap* bm = NewBitmap(1024, 768, 32);
    bm->Stock = true;
    RegisterGdiObject(bm);
    return bm;
  }();
  return screen;
}

}  // namespace plat::portable
