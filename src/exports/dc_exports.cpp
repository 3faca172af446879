// Exports of drawing on device contexts, image blocks on DCs, and bitmap conversions.
#include "dib/dc_composite.h"
#include "dib/dib_base.h"
#include "exports/zkwgdi32.h"
#include "imagefiles/bitmap_convert.h"
#include "imagefiles/put_dib.h"
#include "platform/plat_gdi.h"

using zkw::Guarded;
using zkw::GuardedVoid;
using zkw::TDibBaseObj;

namespace {
TDibBaseObj* D(void* h) { return static_cast<TDibBaseObj*>(h); }
}  // namespace

ZKW_EXPORT void ZKWAPI dibDraw(void* Dib, void* dc, int32_t x, int32_t y) {
  GuardedVoid([&] { D(Dib)->Draw(dc, x, y); });
}
ZKW_EXPORT void ZKWAPI dibDrawPart(void* Dib, void* dc, int32_t x, int32_t y, int32_t w,
                                   int32_t h, int32_t ox, int32_t oy, int32_t dw, int32_t dh) {
  GuardedVoid([&] { D(Dib)->DrawPart(dc, x, y, w, h, ox, oy, dw, dh); });
}
ZKW_EXPORT void ZKWAPI DrawAlphaDibOnDC(void* dc, int32_t x, int32_t y, void* Dib) {
  GuardedVoid([&] { zkw::DrawAlphaDibOnDC(dc, x, y, D(Dib)); });
}
ZKW_EXPORT void ZKWAPI DrawAlphaDibOnDCEx(void* dc, int32_t x, int32_t y, void* Dib, int32_t dx,
                                          int32_t dy) {
  GuardedVoid([&] { zkw::DrawAlphaDibOnDC(dc, x, y, D(Dib), dx, dy); });
}
ZKW_EXPORT void ZKWAPI dibDrawMergeDC(void* dc, int32_t x, int32_t y, void* Dib, uint16_t Rate) {
  GuardedVoid([&] { zkw::DrawMergeDC(dc, x, y, D(Dib), Rate); });
}
ZKW_EXPORT void ZKWAPI dibDrawMergeDCEx(void* dc, int32_t x, int32_t y, void* Dib, uint16_t Rate,
                                        int32_t dx, int32_t dy) {
  GuardedVoid([&] { zkw::DrawMergeDC(dc, x, y, D(Dib), Rate, dx, dy); });
}
ZKW_EXPORT void ZKWAPI dibDrawPartAlpha(void* Dib, void* dc, int32_t x, int32_t y, int32_t xx,
                                        int32_t yy, int32_t w, int32_t h) {
  GuardedVoid([&] { zkw::DrawPartAlpha(D(Dib), dc, x, y, xx, yy, w, h); });
}
ZKW_EXPORT void ZKWAPI dibDrawPartAlphaEx(void* Dib, void* dc, int32_t x, int32_t y, int32_t xx,
                                          int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy) {
  GuardedVoid([&] { zkw::DrawPartAlpha(D(Dib), dc, x, y, xx, yy, w, h, dx, dy); });
}
ZKW_EXPORT void ZKWAPI dibDrawMergePartAlpha(void* Dib, void* dc, int32_t x, int32_t y,
                                             int32_t xx, int32_t yy, int32_t w, int32_t h,
                                             uint16_t Rate) {
  GuardedVoid([&] { zkw::DrawMergePartAlpha(D(Dib), dc, x, y, xx, yy, w, h, Rate); });
}
ZKW_EXPORT void ZKWAPI dibDrawMergePartAlphaEx(void* Dib, void* dc, int32_t x, int32_t y,
                                               int32_t xx, int32_t yy, int32_t w, int32_t h,
                                               uint16_t Rate, int32_t dx, int32_t dy) {
  GuardedVoid([&] { zkw::DrawMergePartAlpha(D(Dib), dc, x, y, xx, yy, w, h, Rate, dx, dy); });
}
ZKW_EXPORT void ZKWAPI PrintAlphaDibOnDC(void* dc, int32_t x, int32_t y, int32_t w, int32_t h,
                                         void* Dib) {
  GuardedVoid([&] { zkw::PrintAlphaDibOnDC(dc, x, y, w, h, D(Dib)); });
}
ZKW_EXPORT void ZKWAPI StretchAlphaDibOnDC(void* dc, int32_t x1, int32_t y1, int32_t x2,
                                           int32_t y2, void* Dib) {
  GuardedVoid([&] { zkw::StretchAlphaDibOnDC(dc, x1, y1, x2, y2, D(Dib)); });
}

ZKW_EXPORT int32_t ZKWAPI PutDIB(void* dc, int32_t x, int32_t y, void* Block, uint32_t Flags) {
  return Guarded<int32_t>(0, [&] { return zkw::PutDIB(dc, x, y, Block, Flags) ? 1 : 0; });
}
ZKW_EXPORT int32_t ZKWAPI PutDIBStr(void* dc, int32_t x, int32_t y, int32_t w, int32_t h,
                                    void* Block, uint32_t Flags) {
  return Guarded<int32_t>(0, [&] { return zkw::PutDIBStr(dc, x, y, w, h, Block, Flags) ? 1 : 0; });
}
ZKW_EXPORT void ZKWAPI PutDIBit(void* dc, int32_t x, int32_t y, int32_t w, int32_t h, void* Block) {
  GuardedVoid([&] { zkw::PutDIBit(dc, x, y, w, h, Block); });
}
ZKW_EXPORT void ZKWAPI PutDIBitStr(void* dc, int32_t x, int32_t y, int32_t w, int32_t h,
                                   void* Block) {
  GuardedVoid([&] { zkw::PutDIBitStr(dc, x, y, w, h, Block); });
}
ZKW_EXPORT int32_t ZKWAPI AdvPutDIBStr(void* dc, int32_t x, int32_t y, int32_t w, int32_t h,
                                       void* Block, int32_t xs, int32_t ys, int32_t ws, int32_t hs,
                                       uint32_t Flags) {
  return Guarded<int32_t>(0, [&] {
    return zkw::AdvPutDIBStr(dc, x, y, w, h, Block, xs, ys, ws, hs, Flags) ? 1 : 0;
  });
}
ZKW_EXPORT void ZKWAPI AdvPutDIBit(void* dc, int32_t x, int32_t y, int32_t w, int32_t h,
                                   void* Block, int32_t xs, int32_t ys, int32_t ws, int32_t hs) {
  GuardedVoid([&] { zkw::AdvPutDIBit(dc, x, y, w, h, Block, xs, ys, ws, hs); });
}
ZKW_EXPORT int32_t ZKWAPI StretchDIBToRect(void* dc, int32_t x1, int32_t y1, int32_t x2,
                                           int32_t y2, void* Block, uint32_t Flags) {
  return Guarded<int32_t>(0, [&] {
    return zkw::StretchDIBToRect(dc, x1, y1, x2, y2, Block, Flags) ? 1 : 0;
  });
}

ZKW_EXPORT void* ZKWAPI BitmapToDIB(void* dc, void* Bitmap, void* Palette) {
  return Guarded<void*>(nullptr, [&] { return zkw::BitmapToDIB(dc, Bitmap, Palette); });
}
ZKW_EXPORT int32_t ZKWAPI SaveBitmapToFile(void* dc, const plat::WCHAR* Name, void* Bitmap,
                                           void* Palette) {
  return Guarded<int32_t>(0, [&] { return zkw::SaveBitmapToFile(dc, Name, Bitmap, Palette) ? 1 : 0; });
}
ZKW_EXPORT void* ZKWAPI BitmapFromDIB(void* Block, void** Palette) {
  return Guarded<void*>(nullptr, [&] { return zkw::BitmapFromDIB(Block, Palette); });
}
ZKW_EXPORT void* ZKWAPI ReadBitmap(const plat::WCHAR* Name, void** Palette) {
  return Guarded<void*>(nullptr, [&] { return zkw::ReadBitmap(Name, Palette); });
}
ZKW_EXPORT void* ZKWAPI LoadBitmap256(void* Instance, const plat::WCHAR* Name, void** Palette) {
  return Guarded<void*>(nullptr, [&] { return zkw::LoadBitmap256(Instance, Name, Palette); });
}
ZKW_EXPORT void* ZKWAPI LoadResDIB(void* Instance, const plat::WCHAR* Name) {
  return Guarded<void*>(nullptr, [&] { return zkw::LoadResDIB(Instance, Name); });
}
ZKW_EXPORT void* ZKWAPI GetDibPattern(const plat::WCHAR* Name) {
  return Guarded<void*>(nullptr, [&] { return zkw::GetDibPattern(Name); });
}

ZKW_EXPORT void* ZKWAPI zkwCreateMemoryDC(int32_t w, int32_t h) {
  return Guarded<void*>(nullptr, [&]() -> void* {
    if (w <= 0 || h <= 0) return nullptr;
    plat::BITMAPINFO info{};
    info.bmiHeader = {40, w, -h, 1, 32, plat::BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    plat::HDC dc = plat::CreateCompatibleDC(nullptr);
    plat::HBITMAP section = plat::CreateDIBSection(dc, &info, plat::DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc || !section) {
      if (section) plat::DeleteObject(section);
      if (dc) plat::DeleteDC(dc);
      return nullptr;
    }
    plat::SelectObject(dc, section);
    return dc;
  });
}
ZKW_EXPORT void* ZKWAPI zkwMemoryDCPixels(void* dc) {
  return Guarded<void*>(nullptr, [&]() -> void* {
    plat::BITMAP bm{};
    plat::HGDIOBJ section = plat::GetCurrentObject(dc, plat::OBJ_BITMAP);
    if (!section || plat::GetObjectW(section, sizeof bm, &bm) != static_cast<int>(sizeof bm)) return nullptr;
    return bm.bmBits;
  });
}
ZKW_EXPORT void ZKWAPI zkwDeleteMemoryDC(void* dc) {
  GuardedVoid([&] {
    plat::HGDIOBJ section = plat::GetCurrentObject(dc, plat::OBJ_BITMAP);
    plat::DeleteDC(dc);
    if (section) plat::DeleteObject(section);
  });
}
