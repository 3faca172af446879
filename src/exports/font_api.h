// Exported bitmap-font functions (df and dfu: two sets of entry points to the same font
// object) and the process-wide clip region and justification of font drawing. A font handle is
// the address of a TDibFont; text is zero-terminated UTF-16 with a count of code units;
// rectangles are four integers left, top, right, bottom; Boolean arguments count their low
// byte and Boolean out-pointers receive one byte.
#pragma once
#include <cstdint>

#include "exports/api.h"
#include "platform/plat_types.h"

using ZFONT = void*;

ZKW_EXPORT ZFONT ZKWAPI dfCreateDibFont();
ZKW_EXPORT ZFONT ZKWAPI CreateDFUFont();
ZKW_EXPORT void ZKWAPI dfFreeDibFont(ZFONT Font);
ZKW_EXPORT void ZKWAPI FreeDFUFont(ZFONT Font);
ZKW_EXPORT void* ZKWAPI dfGetFontImage(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfTextHeight(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfBaseline(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfExternalLeading(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfGetKerning(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfSetKerning(ZFONT Font, int32_t Value);
ZKW_EXPORT int32_t ZKWAPI dfLoadFromFile(ZFONT Font, const plat::WCHAR* Name);
ZKW_EXPORT int32_t ZKWAPI dfSaveToFile(ZFONT Font, const plat::WCHAR* Name);
ZKW_EXPORT void ZKWAPI dfSetColor(ZFONT Font, uint32_t AColor, uint32_t AOutColor);
ZKW_EXPORT void ZKWAPI dfWriteText(ZFONT Font, int32_t x, int32_t y, const plat::WCHAR* wst,
                                   int32_t Count, void* Dib);
ZKW_EXPORT int32_t ZKWAPI dfDrawText(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                     int32_t bottom, const plat::WCHAR* st, int32_t Len, void* Dib,
                                     uint16_t Flag);
ZKW_EXPORT int32_t ZKWAPI dfCalcText(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                     int32_t bottom, const plat::WCHAR* st, int32_t Len);
ZKW_EXPORT int32_t ZKWAPI dfTextWidth(ZFONT Font, const plat::WCHAR* wst, uint16_t Count);
ZKW_EXPORT int32_t ZKWAPI dfuTextHeight(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfuBaseline(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfuExternalLeading(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfuGetKerning(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfuSetKerning(ZFONT Font, int32_t Value);
ZKW_EXPORT int32_t ZKWAPI dfuLoadFromFile(ZFONT Font, const plat::WCHAR* Name);
ZKW_EXPORT int32_t ZKWAPI dfuSaveToFile(ZFONT Font, const plat::WCHAR* Name);
ZKW_EXPORT void ZKWAPI dfuSetColor(ZFONT Font, uint32_t AColor, uint32_t AOutColor);
ZKW_EXPORT void ZKWAPI dfuWriteText(ZFONT Font, int32_t x, int32_t y, const plat::WCHAR* wst,
                                    int32_t Count, void* Dib);
ZKW_EXPORT int32_t ZKWAPI dfuDrawText(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                      int32_t bottom, const plat::WCHAR* st, int32_t Len, void* Dib,
                                      uint16_t Flag);
ZKW_EXPORT int32_t ZKWAPI dfuCalcText(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                      int32_t bottom, const plat::WCHAR* st, int32_t Len);
ZKW_EXPORT int32_t ZKWAPI dfuTextWidth(ZFONT Font, const plat::WCHAR* wst, uint16_t Count);
ZKW_EXPORT int32_t ZKWAPI dfuLoadFontImage(ZFONT Font, const plat::WCHAR* Name);
ZKW_EXPORT int32_t ZKWAPI dfuLoadOutlineImage(ZFONT Font, const plat::WCHAR* Name);
ZKW_EXPORT int32_t ZKWAPI dfuLoadShadowImage(ZFONT Font, const plat::WCHAR* Name);
ZKW_EXPORT void ZKWAPI dfWriteTextEx(ZFONT Font, int32_t x, int32_t y, const plat::WCHAR* wst,
                                     int32_t Count, void* Dib, uint16_t opacity);
ZKW_EXPORT void ZKWAPI dfWriteTextMerge1(ZFONT Font, int32_t x, int32_t y, const plat::WCHAR* wst,
                                         int32_t Count, void* Dib, uint16_t opacity);
ZKW_EXPORT int32_t ZKWAPI dfDrawTextEx(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                       int32_t bottom, const plat::WCHAR* st, int32_t Len,
                                       void* Dib, uint16_t Flag, uint16_t opacity);
ZKW_EXPORT int32_t ZKWAPI dfDrawTextMerge(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                          int32_t bottom, const plat::WCHAR* st, int32_t Len,
                                          void* Dib, uint16_t Flag, uint16_t opacity);
ZKW_EXPORT void ZKWAPI dfWriteTextMerge2(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                         int32_t bottom, const plat::WCHAR* st, int32_t Len,
                                         uint16_t Flag, void* Dib, uint16_t opacity);
ZKW_EXPORT void ZKWAPI dfSetAttr(ZFONT Font, uint32_t AColor, uint8_t AOutline,
                                 uint32_t AOutlineColor, uint8_t AShadow, uint32_t AShadowColor);
ZKW_EXPORT int32_t ZKWAPI dfGetAttr(ZFONT Font, int32_t* AColor, uint8_t* AOutline,
                                    int32_t* AOutlineColor, uint8_t* AShadow,
                                    int32_t* AShadowColor);
ZKW_EXPORT int32_t ZKWAPI dfuGetFontColor(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfuSetFontColor(ZFONT Font, int32_t Value);
ZKW_EXPORT int32_t ZKWAPI dfuGetOutlineColor(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfuSetOutlineColor(ZFONT Font, int32_t Value);
ZKW_EXPORT int32_t ZKWAPI dfuGetShadowColor(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfuSetShadowColor(ZFONT Font, int32_t Value);
ZKW_EXPORT int32_t ZKWAPI dfuGetOutline(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfuSetOutline(ZFONT Font, uint8_t Value);
ZKW_EXPORT int32_t ZKWAPI dfuGetShadow(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfuSetShadow(ZFONT Font, uint8_t Value);
ZKW_EXPORT int32_t ZKWAPI dfuGetLeading(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfuSetLeading(ZFONT Font, int32_t Value);
ZKW_EXPORT int32_t ZKWAPI dfuGetExtra(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfuSetExtra(ZFONT Font, int32_t Value);
ZKW_EXPORT int32_t ZKWAPI dfuGetShadowOpacity(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfuSetShadowOpacity(ZFONT Font, uint16_t Value);
ZKW_EXPORT int32_t ZKWAPI dfuGetUnderline(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfuSetUnderline(ZFONT Font, uint8_t Value);
ZKW_EXPORT int32_t ZKWAPI dfuGetUnderlineStyle(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfuSetUnderlineStyle(ZFONT Font, uint16_t Value);
ZKW_EXPORT uint32_t ZKWAPI dfuGetUnderlineColor(ZFONT Font);
ZKW_EXPORT uint32_t ZKWAPI dfuSetUnderlineColor(ZFONT Font, uint32_t Value);
ZKW_EXPORT int32_t ZKWAPI dfuGetStrokeStyle(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfuSetStrokeStyle(ZFONT Font, int32_t Value);
ZKW_EXPORT uint32_t ZKWAPI dfuGetStrokeColor(ZFONT Font);
ZKW_EXPORT uint32_t ZKWAPI dfuSetStrokeColor(ZFONT Font, uint32_t Value);
ZKW_EXPORT int32_t ZKWAPI dfuGetShadX(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfuSetShadX(ZFONT Font, int32_t Value);
ZKW_EXPORT int32_t ZKWAPI dfuGetShadY(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfuSetShadY(ZFONT Font, int32_t Value);
ZKW_EXPORT uint32_t ZKWAPI dfuGetBackColor(ZFONT Font);
ZKW_EXPORT uint32_t ZKWAPI dfuSetBackColor(ZFONT Font, uint32_t Value);
ZKW_EXPORT uint32_t ZKWAPI dfuGetBkMode(ZFONT Font);
ZKW_EXPORT uint32_t ZKWAPI dfuSetBkMode(ZFONT Font, uint32_t Value);
ZKW_EXPORT int32_t ZKWAPI dfuGetOpacity(ZFONT Font);
ZKW_EXPORT int32_t ZKWAPI dfuSetOpacity(ZFONT Font, uint16_t Value);
ZKW_EXPORT int32_t ZKWAPI dfuGetAscent(ZFONT Font);
ZKW_EXPORT void ZKWAPI dfUpdateColors(ZFONT Font);
ZKW_EXPORT void ZKWAPI dfWriteTextShadow(intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4,
                                         intptr_t a5, intptr_t a6, intptr_t a7);
ZKW_EXPORT ZFONT ZKWAPI dfCreateFontFrom(intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4,
                                         intptr_t a5, intptr_t a6, intptr_t a7);
ZKW_EXPORT ZFONT ZKWAPI dfCreateFontExFrom(intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4,
                                           intptr_t a5, intptr_t a6, intptr_t a7, intptr_t a8);
ZKW_EXPORT void ZKWAPI DibFontSetTextJustification(int32_t jaWidth, int32_t BreakCount);
ZKW_EXPORT void ZKWAPI SetFontClipRegion(int32_t left, int32_t top, int32_t right, int32_t bottom);
ZKW_EXPORT void ZKWAPI ClearFontClipRegion();
