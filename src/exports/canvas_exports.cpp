// Exports of the DIB canvas: each forwards to the TDibCanvas operation or field of its name.
// Also the host helpers that make the bitmaps the canvas takes.
#include <cstring>

#include "exports/zkwgdi32.h"
#include "fonts/dib_canvas.h"
#include "fonts/dib_font.h"
#include "fonts/font_manager.h"
#include "platform/plat_gdi.h"

using zkw::Guarded;
using zkw::GuardedVoid;
using zkw::TDibCanvas;
using zkw::TFontRect;

namespace {

TDibCanvas* C(ZCANVAS h) { return static_cast<TDibCanvas*>(h); }

// The 32-bit value of a field, read or written by a getter and setter pair.
template <class Read>
auto Get(ZCANVAS Canvas, Read read) {
  return Guarded<decltype(read(C(Canvas)))>(0, [&] { return read(C(Canvas)); });
}

}  // namespace

ZKW_EXPORT ZCANVAS ZKWAPI CreateDibCanvas() {
  return Guarded<ZCANVAS>(nullptr, [] { return static_cast<ZCANVAS>(new TDibCanvas); });
}
ZKW_EXPORT void ZKWAPI FreeDibCanvas(ZCANVAS Canvas) {
  GuardedVoid([&] { delete C(Canvas); });
}
ZKW_EXPORT void ZKWAPI dicSetFontManager(ZCANVAS Canvas, ZFONTMANAGER Manager) {
  GuardedVoid([&] { C(Canvas)->SetFontManager(static_cast<zkw::TDibFontManager*>(Manager)); });
}
ZKW_EXPORT void ZKWAPI dicSetFontInfo(ZCANVAS Canvas, const void* Info) {
  GuardedVoid([&] {
    if (Info) C(Canvas)->SetFontInfo(*static_cast<const TDibCanvasFontInfo*>(Info));
  });
}
ZKW_EXPORT void ZKWAPI dicGetFontInfo(ZCANVAS Canvas, void* Info) {
  GuardedVoid([&] {
    if (Info) std::memcpy(Info, &C(Canvas)->FontInfo(), sizeof(TDibCanvasFontInfo));
  });
}
ZKW_EXPORT void ZKWAPI dicSetCanvasSize(ZCANVAS Canvas, int32_t Width, int32_t Height) {
  GuardedVoid([&] { C(Canvas)->SetCanvasSize(Width, Height); });
}
ZKW_EXPORT int32_t ZKWAPI dicTextWidth(ZCANVAS Canvas, const plat::WCHAR* Text, int32_t Count) {
  return Guarded<int32_t>(0, [&] { return C(Canvas)->TextWidth(Text, Count); });
}
ZKW_EXPORT int32_t ZKWAPI dicTextHeight(ZCANVAS Canvas) {
  return Guarded<int32_t>(0, [&] { return C(Canvas)->TextHeight(); });
}
ZKW_EXPORT void ZKWAPI dicTextOut(ZCANVAS Canvas, int32_t x, int32_t y, const plat::WCHAR* Text,
                                  int32_t Count) {
  GuardedVoid([&] { C(Canvas)->TextOut(x, y, Text, Count); });
}
ZKW_EXPORT int32_t ZKWAPI dicDrawText(ZCANVAS Canvas, int32_t left, int32_t top, int32_t right,
                                      int32_t bottom, const plat::WCHAR* Text, int32_t Count,
                                      uint16_t Flag) {
  return Guarded<int32_t>(0, [&] { return C(Canvas)->DrawText(TFontRect{left, top, right, bottom}, Text, Count, Flag); });
}
ZKW_EXPORT void ZKWAPI dicAdvTextOutW(ZCANVAS Canvas, int32_t x, int32_t y, const plat::WCHAR* Text,
                                      int32_t Count, uint16_t UnderlineStyle,
                                      uint32_t UnderlineColor, uint16_t StrikeStyle,
                                      uint32_t StrikeColor) {
  GuardedVoid([&] {
    C(Canvas)->AdvTextOutW(x, y, Text, Count, UnderlineStyle, UnderlineColor, StrikeStyle, StrikeColor);
  });
}
ZKW_EXPORT int32_t ZKWAPI dicCalcText(ZCANVAS Canvas, int32_t left, int32_t top, int32_t right,
                                      int32_t bottom, const plat::WCHAR* Text, int32_t Len) {
  return Guarded<int32_t>(0, [&] { return C(Canvas)->CalcText(TFontRect{left, top, right, bottom}, Text, Len); });
}
ZKW_EXPORT void ZKWAPI dicClear(ZCANVAS Canvas) {
  GuardedVoid([&] { C(Canvas)->Clear(); });
}
ZKW_EXPORT void ZKWAPI dicSetTextJustification(ZCANVAS Canvas, int32_t jaWidth, int32_t BreakCount) {
  GuardedVoid([&] { C(Canvas)->SetTextJustification(jaWidth, BreakCount); });
}
ZKW_EXPORT void ZKWAPI dicFillRect(ZCANVAS Canvas, int32_t left, int32_t top, int32_t right,
                                   int32_t bottom, uint32_t Color) {
  GuardedVoid([&] { C(Canvas)->FillRect(TFontRect{left, top, right, bottom}, Color); });
}
ZKW_EXPORT void ZKWAPI dicLine(ZCANVAS Canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                               uint32_t Color) {
  GuardedVoid([&] { C(Canvas)->Line(x1, y1, x2, y2, Color); });
}
ZKW_EXPORT void ZKWAPI dicInvertRect(ZCANVAS Canvas, int32_t left, int32_t top, int32_t right,
                                     int32_t bottom) {
  GuardedVoid([&] { C(Canvas)->InvertRect(TFontRect{left, top, right, bottom}); });
}
ZKW_EXPORT void ZKWAPI dicSetViewPort(ZCANVAS Canvas, int32_t ox, int32_t oy) {
  GuardedVoid([&] { C(Canvas)->SetViewPort(ox, oy); });
}
ZKW_EXPORT void ZKWAPI dicDraw(ZCANVAS Canvas, void* DC, int32_t x, int32_t y) {
  GuardedVoid([&] { C(Canvas)->Draw(DC, x, y); });
}
ZKW_EXPORT void ZKWAPI dicCopyBackground(ZCANVAS Canvas, void* DC, int32_t x, int32_t y) {
  GuardedVoid([&] { C(Canvas)->CopyBackground(DC, x, y); });
}
ZKW_EXPORT void* ZKWAPI dicGetDib(ZCANVAS Canvas) {
  return Get(Canvas, [](TDibCanvas* c) { return static_cast<void*>(c->FDib); });
}
ZKW_EXPORT void* ZKWAPI dicGetBkBitmap(ZCANVAS Canvas) {
  return Get(Canvas, [](TDibCanvas* c) { return c->GetBkBitmap(); });
}
ZKW_EXPORT void ZKWAPI dicSetBkBitmap(ZCANVAS Canvas, void* Bitmap) {
  GuardedVoid([&] { C(Canvas)->SetBkBitmap(Bitmap); });
}
ZKW_EXPORT void* ZKWAPI dicGetBkBitmapHandle(ZCANVAS Canvas) {
  return Get(Canvas, [](TDibCanvas* c) { return c->GetBkBitmap(); });
}
ZKW_EXPORT const void* ZKWAPI dicGetFont(ZCANVAS Canvas) {
  return Get(Canvas, [](TDibCanvas* c) { return static_cast<const void*>(&c->FontInfo()); });
}
ZKW_EXPORT void* ZKWAPI dicGetDibFont(ZCANVAS Canvas) {
  return Get(Canvas, [](TDibCanvas* c) { return static_cast<void*>(c->FCurrentDibFont); });
}
ZKW_EXPORT void ZKWAPI dicSetDibFont(ZCANVAS Canvas, void* Font) {
  GuardedVoid([&] { C(Canvas)->FCurrentDibFont = static_cast<zkw::TDibFont*>(Font); });
}
ZKW_EXPORT int32_t ZKWAPI dicGetLineHeight(ZCANVAS Canvas) {
  return Get(Canvas, [](TDibCanvas* c) { return c->GetLineHeight(); });
}
ZKW_EXPORT int32_t ZKWAPI dicGetBaseline(ZCANVAS Canvas) {
  return Get(Canvas, [](TDibCanvas* c) { return c->GetBaseline(); });
}
ZKW_EXPORT void* ZKWAPI dicGetHandle(ZCANVAS Canvas) {
  return Get(Canvas, [](TDibCanvas* c) { return c->GetHandle(); });
}
ZKW_EXPORT uint32_t ZKWAPI dicGetTextColor(ZCANVAS Canvas) {
  return Get(Canvas, [](TDibCanvas* c) { return c->GetTextColor(); });
}
ZKW_EXPORT uint32_t ZKWAPI dicSetTextColor(ZCANVAS Canvas, uint32_t Value) {
  return Get(Canvas, [&](TDibCanvas* c) {
    c->SetTextColor(Value);
    return c->GetTextColor();
  });
}

// Getter and setter pairs of plain fields; setters return the value stored.
#define ZKW_CANVAS_FIELD(Name, Type, Arg, Field)                                              \
  ZKW_EXPORT Type ZKWAPI dicGet##Name(ZCANVAS Canvas) {                                       \
    return Get(Canvas, [](TDibCanvas* c) { return static_cast<Type>(c->Field); });             \
  }                                                                                            \
  ZKW_EXPORT Type ZKWAPI dicSet##Name(ZCANVAS Canvas, Arg Value) {                            \
    return Get(Canvas, [&](TDibCanvas* c) {                                                     \
      c->Field = static_cast<decltype(c->Field)>(Value);                                        \
      return static_cast<Type>(c->Field);                                                       \
    });                                                                                        \
  }
ZKW_CANVAS_FIELD(TextAlignment, uint32_t, uint32_t, FTextAlign)
ZKW_CANVAS_FIELD(BackColor, uint32_t, uint32_t, FBkColor)
ZKW_CANVAS_FIELD(BkMode, uint32_t, uint32_t, FBkMode)
ZKW_CANVAS_FIELD(Opacity, int32_t, uint16_t, FOpacity)
ZKW_CANVAS_FIELD(ScriptMode, int32_t, int32_t, ScriptMode)
ZKW_CANVAS_FIELD(PenWidth, int32_t, int32_t, PenWidth)
ZKW_CANVAS_FIELD(Color, uint32_t, uint32_t, Color)
ZKW_CANVAS_FIELD(Shadow, int32_t, uint8_t, Shadow)
ZKW_CANVAS_FIELD(ShadowColor, uint32_t, uint32_t, ShadowColor)
ZKW_CANVAS_FIELD(Outline, int32_t, uint8_t, Outline)
ZKW_CANVAS_FIELD(OutlineColor, uint32_t, uint32_t, OutlineColor)
#undef ZKW_CANVAS_FIELD

ZKW_EXPORT int32_t ZKWAPI dicGetOriginX(ZCANVAS Canvas) {
  return Get(Canvas, [](TDibCanvas* c) { return c->FOriginX; });
}
ZKW_EXPORT int32_t ZKWAPI dicGetOriginY(ZCANVAS Canvas) {
  return Get(Canvas, [](TDibCanvas* c) { return c->FOriginY; });
}
ZKW_EXPORT int32_t ZKWAPI dicGetCanvasWidth(ZCANVAS Canvas) {
  return Get(Canvas, [](TDibCanvas* c) { return c->FCanvasWidth; });
}
ZKW_EXPORT int32_t ZKWAPI dicGetCanvasHeight(ZCANVAS Canvas) {
  return Get(Canvas, [](TDibCanvas* c) { return c->FCanvasHeight; });
}

ZKW_EXPORT void* ZKWAPI zkwCreateBitmap(int32_t w, int32_t h) {
  return Guarded<void*>(nullptr, [&]() -> void* {
    if (w <= 0 || h <= 0 || ((int64_t{w} * 3 + 3) & ~int64_t{3}) * h > (int64_t{256} << 20)) {
      zkw::SetLastErrorText("bitmap size " + std::to_string(w) + " x " + std::to_string(h) +
                            " is empty or above 256 MiB of pixels");
      return nullptr;
    }
    plat::BITMAPINFO info{};
    info.bmiHeader = {40, w, h, 1, 24, plat::BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    return plat::CreateDIBSection(nullptr, &info, plat::DIB_RGB_COLORS, &bits, nullptr, 0);
  });
}
ZKW_EXPORT void* ZKWAPI zkwBitmapBits(void* Bitmap) {
  return Guarded<void*>(nullptr, [&]() -> void* {
    plat::DIBSECTION section{};
    if (!Bitmap || plat::GetObjectW(Bitmap, sizeof section, &section) != static_cast<int>(sizeof section))
      return nullptr;
    plat::GdiFlush();
    return section.dsBm.bmBits;
  });
}
ZKW_EXPORT void ZKWAPI zkwDeleteBitmap(void* Bitmap) {
  GuardedVoid([&] {
    if (Bitmap) plat::DeleteObject(Bitmap);
  });
}
