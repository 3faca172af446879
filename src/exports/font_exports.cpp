// Exports of bitmap fonts: each forwards to the TDibFont operation or field of its name.
#include "dib/dib_base.h"
#include "exports/zkwgdi32.h"
#include "fonts/dib_font.h"

using zkw::Guarded;
using zkw::GuardedVoid;
using zkw::TDibBaseObj;
using zkw::TDibFont;

namespace {

TDibFont* F(ZFONT h) { return static_cast<TDibFont*>(h); }
TDibBaseObj* D(ZHANDLE h) { return static_cast<TDibBaseObj*>(h); }
bool Is24(ZHANDLE h) { return h && D(h)->Bits() == 3; }

// Opacity for one call; afterwards it is 100 whatever it was before.
void WriteWithOpacity(TDibFont* f, int32_t x, int32_t y, ZTEXT wst, int32_t Count, TDibBaseObj* dib,
                      uint16_t opacity) {
  f->Opacity = opacity;
  f->WriteText(x, y, wst, Count, dib);
  f->Opacity = 100;
}

int32_t DrawWithOpacity(TDibFont* f, const zkw::TFontRect& rt, ZTEXT st, int32_t Len,
                        TDibBaseObj* dib, uint16_t Flag, uint16_t opacity) {
  f->Opacity = opacity;
  int32_t h = f->DrawText(rt, st, Len, dib, Flag);
  f->Opacity = 100;
  return h;
}

}  // namespace

ZKW_EXPORT ZFONT ZKWAPI dfCreateDibFont() {
  return zkw::Guarded<ZFONT>(nullptr, [] { return static_cast<ZFONT>(new TDibFont); });
}
ZKW_EXPORT ZFONT ZKWAPI CreateDFUFont() { return dfCreateDibFont(); }
ZKW_EXPORT void ZKWAPI dfFreeDibFont(ZFONT Font) {
  GuardedVoid([&] { delete F(Font); });
}
ZKW_EXPORT void ZKWAPI FreeDFUFont(ZFONT Font) { dfFreeDibFont(Font); }
ZKW_EXPORT ZHANDLE ZKWAPI dfGetFontImage(ZFONT Font) {
  return Guarded<ZHANDLE>(nullptr, [&] { return static_cast<ZHANDLE>(F(Font)->FDib); });
}
ZKW_EXPORT int32_t ZKWAPI dfTextHeight(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return F(Font)->TextHeight(); });
}
ZKW_EXPORT int32_t ZKWAPI dfBaseline(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return F(Font)->Baseline(); });
}
ZKW_EXPORT int32_t ZKWAPI dfExternalLeading(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return int32_t{F(Font)->FHeader.dfExternalLeading}; });
}
ZKW_EXPORT int32_t ZKWAPI dfGetKerning(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return F(Font)->Kerning; });
}
ZKW_EXPORT int32_t ZKWAPI dfSetKerning(ZFONT Font, int32_t Value) {
  return Guarded<int32_t>(0, [&] { return F(Font)->Kerning = Value; });
}
ZKW_EXPORT int32_t ZKWAPI dfLoadFromFile(ZFONT Font, ZTEXT Name) {
  return Guarded<int32_t>(0, [&] { return F(Font)->LoadFromFile(Name) ? 1 : 0; });
}
ZKW_EXPORT int32_t ZKWAPI dfSaveToFile(ZFONT Font, ZTEXT Name) {
  return Guarded<int32_t>(0, [&] { return F(Font)->SaveToFile(Name) ? 1 : 0; });
}
ZKW_EXPORT void ZKWAPI dfSetColor(ZFONT Font, uint32_t AColor, uint32_t AOutColor) {
  GuardedVoid([&] { F(Font)->SetColor(AColor, AOutColor); });
}
ZKW_EXPORT void ZKWAPI dfWriteText(ZFONT Font, int32_t x, int32_t y, ZTEXT wst, int32_t Count,
                                   ZHANDLE Dib) {
  GuardedVoid([&] { F(Font)->WriteText(x, y, wst, Count, D(Dib)); });
}
ZKW_EXPORT int32_t ZKWAPI dfDrawText(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                     int32_t bottom, ZTEXT st, int32_t Len, ZHANDLE Dib,
                                     uint16_t Flag) {
  return Guarded<int32_t>(0, [&] {
    return F(Font)->DrawText(zkw::TFontRect{left, top, right, bottom}, st, Len, D(Dib), Flag);
  });
}
ZKW_EXPORT int32_t ZKWAPI dfCalcText(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                     int32_t bottom, ZTEXT st, int32_t Len) {
  return Guarded<int32_t>(0, [&] {
    return F(Font)->CalcText(zkw::TFontRect{left, top, right, bottom}, st, Len);
  });
}
ZKW_EXPORT int32_t ZKWAPI dfTextWidth(ZFONT Font, ZTEXT wst, uint16_t Count) {
  return Guarded<int32_t>(0, [&] { return int32_t{F(Font)->TextWidth(wst, Count)}; });
}
ZKW_EXPORT int32_t ZKWAPI dfuTextHeight(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return F(Font)->TextHeight(); });
}
ZKW_EXPORT int32_t ZKWAPI dfuBaseline(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return F(Font)->Baseline(); });
}
ZKW_EXPORT int32_t ZKWAPI dfuExternalLeading(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return int32_t{F(Font)->FHeader.dfExternalLeading}; });
}
ZKW_EXPORT int32_t ZKWAPI dfuGetKerning(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return F(Font)->Kerning; });
}
ZKW_EXPORT int32_t ZKWAPI dfuSetKerning(ZFONT Font, int32_t Value) {
  return Guarded<int32_t>(0, [&] { return F(Font)->Kerning = Value; });
}
ZKW_EXPORT int32_t ZKWAPI dfuLoadFromFile(ZFONT Font, ZTEXT Name) {
  return Guarded<int32_t>(0, [&] { return F(Font)->LoadFromFile(Name) ? 1 : 0; });
}
ZKW_EXPORT int32_t ZKWAPI dfuSaveToFile(ZFONT Font, ZTEXT Name) {
  return Guarded<int32_t>(0, [&] { return F(Font)->SaveToFile(Name) ? 1 : 0; });
}
ZKW_EXPORT void ZKWAPI dfuSetColor(ZFONT Font, uint32_t AColor, uint32_t AOutColor) {
  GuardedVoid([&] { F(Font)->SetColor(AColor, AOutColor); });
}
ZKW_EXPORT void ZKWAPI dfuWriteText(ZFONT Font, int32_t x, int32_t y, ZTEXT wst, int32_t Count,
                                    ZHANDLE Dib) {
  GuardedVoid([&] { F(Font)->WriteText(x, y, wst, Count, D(Dib)); });
}
ZKW_EXPORT int32_t ZKWAPI dfuDrawText(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                      int32_t bottom, ZTEXT st, int32_t Len, ZHANDLE Dib,
                                      uint16_t Flag) {
  return Guarded<int32_t>(0, [&] {
    return F(Font)->DrawText(zkw::TFontRect{left, top, right, bottom}, st, Len, D(Dib), Flag);
  });
}
ZKW_EXPORT int32_t ZKWAPI dfuCalcText(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                      int32_t bottom, ZTEXT st, int32_t Len) {
  return Guarded<int32_t>(0, [&] {
    return F(Font)->CalcText(zkw::TFontRect{left, top, right, bottom}, st, Len);
  });
}
ZKW_EXPORT int32_t ZKWAPI dfuTextWidth(ZFONT Font, ZTEXT wst, uint16_t Count) {
  return Guarded<int32_t>(0, [&] { return int32_t{F(Font)->TextWidth(wst, Count)}; });
}
ZKW_EXPORT int32_t ZKWAPI dfuLoadFontImage(ZFONT Font, ZTEXT Name) {
  return Guarded<int32_t>(0, [&] { return F(Font)->LoadFontImage(Name) ? 1 : 0; });
}
ZKW_EXPORT int32_t ZKWAPI dfuLoadOutlineImage(ZFONT Font, ZTEXT Name) {
  return Guarded<int32_t>(0, [&] { return F(Font)->LoadOutlineImage(Name) ? 1 : 0; });
}
ZKW_EXPORT int32_t ZKWAPI dfuLoadShadowImage(ZFONT Font, ZTEXT Name) {
  return Guarded<int32_t>(0, [&] { return F(Font)->LoadShadowImage(Name) ? 1 : 0; });
}
ZKW_EXPORT void ZKWAPI dfWriteTextEx(ZFONT Font, int32_t x, int32_t y, ZTEXT wst, int32_t Count,
                                     ZHANDLE Dib, uint16_t opacity) {
  GuardedVoid([&] { WriteWithOpacity(F(Font), x, y, wst, Count, D(Dib), opacity); });
}
ZKW_EXPORT void ZKWAPI dfWriteTextMerge1(ZFONT Font, int32_t x, int32_t y, ZTEXT wst, int32_t Count,
                                         ZHANDLE Dib, uint16_t opacity) {
  GuardedVoid([&] {
    if (Is24(Dib)) WriteWithOpacity(F(Font), x, y, wst, Count, D(Dib), opacity);
  });
}
ZKW_EXPORT int32_t ZKWAPI dfDrawTextEx(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                       int32_t bottom, ZTEXT st, int32_t Len, ZHANDLE Dib,
                                       uint16_t Flag, uint16_t opacity) {
  return Guarded<int32_t>(0, [&] {
    return DrawWithOpacity(F(Font), {left, top, right, bottom}, st, Len, D(Dib), Flag, opacity);
  });
}
ZKW_EXPORT int32_t ZKWAPI dfDrawTextMerge(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                          int32_t bottom, ZTEXT st, int32_t Len, ZHANDLE Dib,
                                          uint16_t Flag, uint16_t opacity) {
  return Guarded<int32_t>(0, [&] {
    if (!Is24(Dib)) return 0;
    return DrawWithOpacity(F(Font), {left, top, right, bottom}, st, Len, D(Dib), Flag, opacity);
  });
}
ZKW_EXPORT void ZKWAPI dfWriteTextMerge2(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                         int32_t bottom, ZTEXT st, int32_t Len, uint16_t Flag,
                                         ZHANDLE Dib, uint16_t opacity) {
  GuardedVoid([&] {
    if (Is24(Dib))
      DrawWithOpacity(F(Font), {left, top, right, bottom}, st, Len, D(Dib), Flag, opacity);
  });
}
ZKW_EXPORT void ZKWAPI dfSetAttr(ZFONT Font, uint32_t AColor, uint8_t AOutline,
                                 uint32_t AOutlineColor, uint8_t AShadow, uint32_t AShadowColor) {
  GuardedVoid([&] {
    TDibFont* f = F(Font);
    f->FColor = static_cast<int32_t>(AColor);
    f->FOutline = AOutline != 0;
    f->FOutlineColor = static_cast<int32_t>(AOutlineColor);
    f->FShadow = AShadow != 0;
    f->FShadowColor = static_cast<int32_t>(AShadowColor);
  });
}
ZKW_EXPORT int32_t ZKWAPI dfGetAttr(ZFONT Font, int32_t* AColor, uint8_t* AOutline,
                                    int32_t* AOutlineColor, uint8_t* AShadow,
                                    int32_t* AShadowColor) {
  return Guarded<int32_t>(0, [&] {
    TDibFont* f = F(Font);
    if (AColor) *AColor = f->FColor;
    if (AOutline) *AOutline = f->FOutline ? 1 : 0;
    if (AOutlineColor) *AOutlineColor = f->FOutlineColor;
    if (AShadow) *AShadow = f->FShadow ? 1 : 0;
    if (AShadowColor) *AShadowColor = f->FShadowColor;
    return f->FShadowColor;
  });
}
ZKW_EXPORT int32_t ZKWAPI dfuGetFontColor(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return F(Font)->FColor; });
}
ZKW_EXPORT int32_t ZKWAPI dfuSetFontColor(ZFONT Font, int32_t Value) {
  return Guarded<int32_t>(0, [&] { return F(Font)->FColor = Value; });
}
ZKW_EXPORT int32_t ZKWAPI dfuGetOutlineColor(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return F(Font)->FOutlineColor; });
}
ZKW_EXPORT int32_t ZKWAPI dfuSetOutlineColor(ZFONT Font, int32_t Value) {
  return Guarded<int32_t>(0, [&] { return F(Font)->FOutlineColor = Value; });
}
ZKW_EXPORT int32_t ZKWAPI dfuGetShadowColor(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return F(Font)->FShadowColor; });
}
ZKW_EXPORT int32_t ZKWAPI dfuSetShadowColor(ZFONT Font, int32_t Value) {
  return Guarded<int32_t>(0, [&] { return F(Font)->FShadowColor = Value; });
}
ZKW_EXPORT int32_t ZKWAPI dfuGetOutline(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return F(Font)->FOutline ? 1 : 0; });
}
ZKW_EXPORT int32_t ZKWAPI dfuSetOutline(ZFONT Font, uint8_t Value) {
  return Guarded<int32_t>(0, [&] { return (F(Font)->FOutline = Value != 0) ? 1 : 0; });
}
ZKW_EXPORT int32_t ZKWAPI dfuGetShadow(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return F(Font)->FShadow ? 1 : 0; });
}
ZKW_EXPORT int32_t ZKWAPI dfuSetShadow(ZFONT Font, uint8_t Value) {
  return Guarded<int32_t>(0, [&] { return (F(Font)->FShadow = Value != 0) ? 1 : 0; });
}
ZKW_EXPORT int32_t ZKWAPI dfuGetLeading(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return F(Font)->Leading; });
}
ZKW_EXPORT int32_t ZKWAPI dfuSetLeading(ZFONT Font, int32_t Value) {
  return Guarded<int32_t>(0, [&] { return F(Font)->Leading = Value; });
}
ZKW_EXPORT int32_t ZKWAPI dfuGetExtra(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return F(Font)->Extra; });
}
ZKW_EXPORT int32_t ZKWAPI dfuSetExtra(ZFONT Font, int32_t Value) {
  return Guarded<int32_t>(0, [&] { return F(Font)->Extra = Value; });
}
ZKW_EXPORT int32_t ZKWAPI dfuGetShadowOpacity(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return int32_t{F(Font)->ShadowOpacity}; });
}
ZKW_EXPORT int32_t ZKWAPI dfuSetShadowOpacity(ZFONT Font, uint16_t Value) {
  return Guarded<int32_t>(0, [&] { return int32_t{F(Font)->ShadowOpacity = Value}; });
}
ZKW_EXPORT int32_t ZKWAPI dfuGetUnderline(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return F(Font)->Underline ? 1 : 0; });
}
ZKW_EXPORT int32_t ZKWAPI dfuSetUnderline(ZFONT Font, uint8_t Value) {
  return Guarded<int32_t>(0, [&] { return (F(Font)->Underline = Value != 0) ? 1 : 0; });
}
ZKW_EXPORT int32_t ZKWAPI dfuGetUnderlineStyle(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return int32_t{F(Font)->UnderlineStyle}; });
}
ZKW_EXPORT int32_t ZKWAPI dfuSetUnderlineStyle(ZFONT Font, uint16_t Value) {
  return Guarded<int32_t>(0, [&] { return int32_t{F(Font)->UnderlineStyle = Value}; });
}
ZKW_EXPORT uint32_t ZKWAPI dfuGetUnderlineColor(ZFONT Font) {
  return Guarded<uint32_t>(0, [&] { return F(Font)->UnderlineColor; });
}
ZKW_EXPORT uint32_t ZKWAPI dfuSetUnderlineColor(ZFONT Font, uint32_t Value) {
  return Guarded<uint32_t>(0, [&] { return F(Font)->UnderlineColor = Value; });
}
ZKW_EXPORT int32_t ZKWAPI dfuGetStrokeStyle(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return F(Font)->StrokeStyle; });
}
ZKW_EXPORT int32_t ZKWAPI dfuSetStrokeStyle(ZFONT Font, int32_t Value) {
  return Guarded<int32_t>(0, [&] { return F(Font)->StrokeStyle = Value; });
}
ZKW_EXPORT uint32_t ZKWAPI dfuGetStrokeColor(ZFONT Font) {
  return Guarded<uint32_t>(0, [&] { return F(Font)->StrokeColor; });
}
ZKW_EXPORT uint32_t ZKWAPI dfuSetStrokeColor(ZFONT Font, uint32_t Value) {
  return Guarded<uint32_t>(0, [&] { return F(Font)->StrokeColor = Value; });
}
ZKW_EXPORT int32_t ZKWAPI dfuGetShadX(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return F(Font)->FShadX; });
}
ZKW_EXPORT int32_t ZKWAPI dfuSetShadX(ZFONT Font, int32_t Value) {
  return Guarded<int32_t>(0, [&] { return F(Font)->FShadX = Value; });
}
ZKW_EXPORT int32_t ZKWAPI dfuGetShadY(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return F(Font)->FShadY; });
}
ZKW_EXPORT int32_t ZKWAPI dfuSetShadY(ZFONT Font, int32_t Value) {
  return Guarded<int32_t>(0, [&] { return F(Font)->FShadY = Value; });
}
ZKW_EXPORT uint32_t ZKWAPI dfuGetBackColor(ZFONT Font) {
  return Guarded<uint32_t>(0, [&] { return F(Font)->BackColor; });
}
ZKW_EXPORT uint32_t ZKWAPI dfuSetBackColor(ZFONT Font, uint32_t Value) {
  return Guarded<uint32_t>(0, [&] { return F(Font)->BackColor = Value; });
}
ZKW_EXPORT uint32_t ZKWAPI dfuGetBkMode(ZFONT Font) {
  return Guarded<uint32_t>(0, [&] { return F(Font)->BkMode; });
}
ZKW_EXPORT uint32_t ZKWAPI dfuSetBkMode(ZFONT Font, uint32_t Value) {
  return Guarded<uint32_t>(0, [&] { return F(Font)->BkMode = Value; });
}
ZKW_EXPORT int32_t ZKWAPI dfuGetOpacity(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return int32_t{F(Font)->Opacity}; });
}
ZKW_EXPORT int32_t ZKWAPI dfuSetOpacity(ZFONT Font, uint16_t Value) {
  return Guarded<int32_t>(0, [&] { return int32_t{F(Font)->Opacity = Value}; });
}
ZKW_EXPORT int32_t ZKWAPI dfuGetAscent(ZFONT Font) {
  return Guarded<int32_t>(0, [&] { return F(Font)->tmAscent; });
}
ZKW_EXPORT void ZKWAPI dfUpdateColors(ZFONT Font) { (void)Font; }
ZKW_EXPORT void ZKWAPI dfWriteTextShadow(intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4,
                                         intptr_t a5, intptr_t a6, intptr_t a7) {
  (void)a1, (void)a2, (void)a3, (void)a4, (void)a5, (void)a6, (void)a7;
}
ZKW_EXPORT ZFONT ZKWAPI dfCreateFontFrom(intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4,
                                         intptr_t a5, intptr_t a6, intptr_t a7) {
  (void)a1, (void)a2, (void)a3, (void)a4, (void)a5, (void)a6, (void)a7;
  return nullptr;
}
ZKW_EXPORT ZFONT ZKWAPI dfCreateFontExFrom(intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4,
                                           intptr_t a5, intptr_t a6, intptr_t a7, intptr_t a8) {
  (void)a1, (void)a2, (void)a3, (void)a4, (void)a5, (void)a6, (void)a7, (void)a8;
  return nullptr;
}
ZKW_EXPORT void ZKWAPI DibFontSetTextJustification(int32_t jaWidth, int32_t BreakCount) {
  GuardedVoid([&] { zkw::DibFontSetTextJustification(jaWidth, BreakCount); });
}
ZKW_EXPORT void ZKWAPI SetFontClipRegion(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  GuardedVoid([&] { zkw::SetFontClipRegion(left, top, right, bottom); });
}
ZKW_EXPORT void ZKWAPI ClearFontClipRegion() {
  GuardedVoid([&] { zkw::ClearFontClipRegion(); });
}
