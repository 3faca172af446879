// Exports of the colour procedures and the host's row bitmaps.
#include <memory>

#include "colour/blend.h"
#include "colour/box_blur.h"
#include "colour/gradient.h"
#include "colour/hls.h"
#include "exports/zkwgdi32.h"
#include "imagefiles/row_bitmap.h"

using zkw::Guarded;
using zkw::GuardedVoid;

namespace {
zkw::TRowBitmap* RB(void* h) { return static_cast<zkw::TRowBitmap*>(h); }
}  // namespace

ZKW_EXPORT void ZKWAPI RGBtoHLS(uint32_t Color, int32_t* H, int32_t* L, int32_t* S) {
  GuardedVoid([&] {
    int32_t h, l, s;
    zkw::RGBtoHLS(Color, h, l, s);
    if (H) *H = h;
    if (L) *L = l;
    if (S) *S = s;
  });
}
ZKW_EXPORT uint32_t ZKWAPI HLStoRGB(int32_t H, int32_t L, int32_t S) {
  return Guarded<uint32_t>(0, [&] { return zkw::HLStoRGB(H, L, S); });
}
ZKW_EXPORT uint32_t ZKWAPI ChangeColorLight(uint32_t Color, int32_t Delta) {
  return Guarded<uint32_t>(0, [&] { return zkw::ChangeColorLight(Color, Delta); });
}
ZKW_EXPORT void ZKWAPI VColorGradient(void* dc, uint32_t Color1, uint32_t Color2, int32_t x1,
                                      int32_t y1, int32_t x2, int32_t y2) {
  GuardedVoid([&] { zkw::VColorGradient(dc, Color1, Color2, x1, y1, x2, y2); });
}
ZKW_EXPORT void ZKWAPI HColorGradient(void* dc, uint32_t Color1, uint32_t Color2, int32_t x1,
                                      int32_t y1, int32_t x2, int32_t y2) {
  GuardedVoid([&] { zkw::HColorGradient(dc, Color1, Color2, x1, y1, x2, y2); });
}
ZKW_EXPORT void ZKWAPI VerticalGradient(void* dc, uint32_t Color1, uint32_t Color2,
                                        uint32_t Color3, int32_t x1, int32_t y1, int32_t x2,
                                        int32_t y2, int32_t Pos) {
  GuardedVoid([&] { zkw::VerticalGradient(dc, Color1, Color2, Color3, x1, y1, x2, y2, Pos); });
}
ZKW_EXPORT void ZKWAPI HorizontalGradient(void* dc, uint32_t Color1, uint32_t Color2,
                                          uint32_t Color3, int32_t x1, int32_t y1, int32_t x2,
                                          int32_t y2, int32_t Pos) {
  GuardedVoid([&] { zkw::HorizontalGradient(dc, Color1, Color2, Color3, x1, y1, x2, y2, Pos); });
}
ZKW_EXPORT void ZKWAPI HorizontalMultiGradient(void* dc, const int32_t* Colors,
                                               const int32_t* Positions, int32_t Count,
                                               int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  GuardedVoid(
      [&] { zkw::HorizontalMultiGradient(dc, Colors, Positions, Count, x1, y1, x2, y2); });
}
ZKW_EXPORT void ZKWAPI VerticalMultiGradient(void* dc, const int32_t* Colors,
                                             const int32_t* Positions, int32_t Count, int32_t x1,
                                             int32_t y1, int32_t x2, int32_t y2) {
  GuardedVoid([&] { zkw::VerticalMultiGradient(dc, Colors, Positions, Count, x1, y1, x2, y2); });
}
ZKW_EXPORT void ZKWAPI HorizontalMultiGradientPos(void* dc, const int32_t* Colors,
                                                  const int32_t* Positions, int32_t Count,
                                                  int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  GuardedVoid(
      [&] { zkw::HorizontalMultiGradientPos(dc, Colors, Positions, Count, x1, y1, x2, y2); });
}
ZKW_EXPORT void ZKWAPI VerticalMultiGradientPos(void* dc, const int32_t* Colors,
                                                const int32_t* Positions, int32_t Count,
                                                int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  GuardedVoid(
      [&] { zkw::VerticalMultiGradientPos(dc, Colors, Positions, Count, x1, y1, x2, y2); });
}
ZKW_EXPORT uint32_t ZKWAPI BlendColor(uint32_t Color, uint32_t Color2, int32_t Percent) {
  return Guarded<uint32_t>(0, [&] { return zkw::BlendColor(Color, Color2, Percent); });
}
ZKW_EXPORT void ZKWAPI BlendRect(void* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                 uint32_t Color, int32_t Percent) {
  GuardedVoid([&] { zkw::BlendRect(dc, x1, y1, x2, y2, Color, Percent); });
}
ZKW_EXPORT void ZKWAPI BlendLine(void* dc, int32_t x1, int32_t y, int32_t x2, uint32_t Color,
                                 int32_t Percent) {
  GuardedVoid([&] { zkw::BlendLine(dc, x1, y, x2, Color, Percent); });
}
ZKW_EXPORT uint8_t ZKWAPI MultiplyColor(uint8_t* Dest, uint32_t Color1, uint32_t Color2) {
  return Guarded<uint8_t>(0, [&] { return zkw::MultiplyColor(Dest, Color1, Color2); });
}
ZKW_EXPORT void ZKWAPI FXBoxBlur(void* Bitmap, int32_t Radius, int32_t Passes) {
  GuardedVoid([&] { zkw::FXBoxBlur(RB(Bitmap), Radius, Passes); });
}
ZKW_EXPORT void ZKWAPI DrawCornerFrameAlpha(void* dc, int32_t x1, int32_t y1, int32_t x2,
                                            int32_t y2, uint32_t Color, int32_t Percent) {
  GuardedVoid([&] { zkw::DrawCornerFrameAlpha(dc, x1, y1, x2, y2, Color, Percent); });
}

ZKW_EXPORT void* ZKWAPI zkwCreateRowBitmap(int32_t Width, int32_t Height, int32_t Bits) {
  return Guarded<void*>(nullptr, [&]() -> void* {
    auto bitmap = std::make_unique<zkw::TRowBitmap>();
    if (!bitmap->SetSize(Width, Height, Bits)) return nullptr;
    return bitmap.release();
  });
}
ZKW_EXPORT void ZKWAPI zkwFreeRowBitmap(void* Bitmap) { delete RB(Bitmap); }
ZKW_EXPORT int32_t ZKWAPI zkwRowBitmapInfo(void* Bitmap, int32_t* Width, int32_t* Height,
                                           int32_t* Bits) {
  if (!Bitmap) return 0;
  if (Width) *Width = RB(Bitmap)->Width();
  if (Height) *Height = RB(Bitmap)->Height();
  if (Bits) *Bits = RB(Bitmap)->BitCount();
  return 1;
}
ZKW_EXPORT void* ZKWAPI zkwRowBitmapScanLine(void* Bitmap, int32_t y) {
  return Bitmap ? RB(Bitmap)->ScanLine(y) : nullptr;
}
ZKW_EXPORT void* ZKWAPI zkwRowBitmapColorTable(void* Bitmap) {
  return Bitmap ? RB(Bitmap)->ColorTable() : nullptr;
}
