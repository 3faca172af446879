// Exported equation (eq) functions. An equation handle is the address of a TEquation, an item
// handle that of a TEquationItem; handles other than in eqFreeEquation are not checked. Record
// results are written through the address passed first. File and face names are 8-bit text in
// the system code page; the text form is UTF-16. eqRead and eqWrite take the library's own
// stream objects. See docs/api-equations.md.
#pragma once
#include <cstddef>
#include <cstdint>

#include "exports/api.h"
#include "platform/plat_types.h"

using ZEQUATION = void*;
using ZEQITEM = void*;

#pragma pack(push, 1)
// The font of an equation as it is stored (136 bytes).
struct TEqFontID {
  char ftFaceName[129];
  uint8_t ftBold;
  uint8_t ftItalic;
  uint8_t ftUnderline;
  int32_t ftSize;
};
// The geometry of an equation embedded in a host's document (200 bytes).
struct TEquationObjectInfo {
  uint8_t Reserved[132];
  uint16_t Width;        // 132
  uint16_t Ascent;       // 134: above height + baseline - 1
  uint32_t DataSize;     // 136
  uint8_t Reserved2[3];  // 140
  uint16_t BelowHeight;  // 143
  uint8_t Reserved3[55];
};
#pragma pack(pop)
static_assert(sizeof(TEqFontID) == 136, "TEqFontID is 136 bytes");
static_assert(sizeof(TEquationObjectInfo) == 200, "TEquationObjectInfo is 200 bytes");
static_assert(offsetof(TEquationObjectInfo, Width) == 132 && offsetof(TEquationObjectInfo, DataSize) == 136 &&
                  offsetof(TEquationObjectInfo, BelowHeight) == 143,
              "TEquationObjectInfo layout");

struct TEqPoint {
  int32_t x, y;
};
struct TEqRect {
  int32_t left, top, right, bottom;
};

ZKW_EXPORT ZEQUATION ZKWAPI eqCreateEquation();
ZKW_EXPORT void ZKWAPI eqFreeEquation(ZEQUATION h);
ZKW_EXPORT void ZKWAPI eqClear(ZEQUATION h);
ZKW_EXPORT int32_t ZKWAPI eqGetCount(ZEQUATION h);
ZKW_EXPORT ZEQITEM ZKWAPI eqGetItem(ZEQUATION h, int32_t Index);
ZKW_EXPORT void ZKWAPI eqSetBasePoint(ZEQUATION h, int32_t x, int32_t y);
ZKW_EXPORT void ZKWAPI eqGetBasePoint(TEqPoint* Result, ZEQUATION h);
ZKW_EXPORT void ZKWAPI eqCalcRegion(ZEQUATION h);
ZKW_EXPORT void ZKWAPI eqInvalidate(ZEQUATION h);
ZKW_EXPORT void ZKWAPI eqDraw(ZEQUATION h);
ZKW_EXPORT void ZKWAPI eqDrawScale(ZEQUATION h, int32_t Width, int32_t Height);
ZKW_EXPORT int32_t ZKWAPI eqGetWidth(ZEQUATION h);
ZKW_EXPORT int32_t ZKWAPI eqGetHeight(ZEQUATION h);
ZKW_EXPORT int32_t ZKWAPI eqGetAboveHeight(ZEQUATION h);
ZKW_EXPORT int32_t ZKWAPI eqGetBelowHeight(ZEQUATION h);
ZKW_EXPORT int32_t ZKWAPI eqGetBaseline(ZEQUATION h);
ZKW_EXPORT void ZKWAPI eqGetRegion(TEqRect* Result, ZEQUATION h);
ZKW_EXPORT void ZKWAPI eqGetBoundsRect(TEqRect* Result, ZEQUATION h);
ZKW_EXPORT void ZKWAPI eqSetCanvas(ZEQUATION h, void* DC);
ZKW_EXPORT void* ZKWAPI eqGetCanvas(ZEQUATION h);
ZKW_EXPORT void ZKWAPI eqSetResolution(ZEQUATION h, int32_t Resolution);
ZKW_EXPORT void ZKWAPI eqSetUseDibFont(ZEQUATION h, uint8_t Flag);
ZKW_EXPORT void ZKWAPI eqSetDibFontManager(ZEQUATION h, void* Manager);
ZKW_EXPORT void ZKWAPI eqSetFontID(ZEQUATION h, TEqFontID Font);
ZKW_EXPORT void ZKWAPI eqGetFontID(TEqFontID* Result, ZEQUATION h);
ZKW_EXPORT void ZKWAPI eqSetFontName(ZEQUATION h, const char* Name);
ZKW_EXPORT const plat::WCHAR* ZKWAPI eqGetFontName(ZEQUATION h);
ZKW_EXPORT void ZKWAPI eqSetFontSize(ZEQUATION h, int32_t Size);
ZKW_EXPORT int32_t ZKWAPI eqGetFontSize(ZEQUATION h);
ZKW_EXPORT void ZKWAPI eqSetColor(ZEQUATION h, uint32_t Color);
ZKW_EXPORT uint32_t ZKWAPI eqGetColor(ZEQUATION h);
ZKW_EXPORT void ZKWAPI eqSetTextColor(ZEQUATION h, uint32_t Color);
ZKW_EXPORT uint32_t ZKWAPI eqGetTextColor(ZEQUATION h);
ZKW_EXPORT void ZKWAPI eqSetParentObj(ZEQUATION h, ZEQITEM Item);
ZKW_EXPORT ZEQITEM ZKWAPI eqGetParentObj(ZEQUATION h);
ZKW_EXPORT void ZKWAPI eqRead(ZEQUATION h, void* Stream);
ZKW_EXPORT void ZKWAPI eqWrite(ZEQUATION h, void* Stream);
ZKW_EXPORT int32_t ZKWAPI eqLoadFromFile(ZEQUATION h, const char* FileName);
ZKW_EXPORT int32_t ZKWAPI eqSaveToFile(ZEQUATION h, const char* FileName);
ZKW_EXPORT int32_t ZKWAPI eqGetDataSize(ZEQUATION h);
ZKW_EXPORT void ZKWAPI eqSaveToBuffer(ZEQUATION h, void* Buffer);
ZKW_EXPORT void ZKWAPI eqLoadFromBuffer(ZEQUATION h, const void* Buffer);
ZKW_EXPORT int32_t ZKWAPI eqLoadFromBufferEx(ZEQUATION h, const void* Buffer, int32_t Size);
ZKW_EXPORT void ZKWAPI eqSaveTo(ZEQUATION h, uint8_t** Buffer);
ZKW_EXPORT int32_t ZKWAPI eqExportTo(ZEQUATION h, plat::WCHAR* Dest, int32_t* Index);
ZKW_EXPORT void ZKWAPI eqImportFrom(ZEQUATION h, const plat::WCHAR* Text, int32_t* Index);
ZKW_EXPORT int32_t ZKWAPI eqGetTextTo(ZEQUATION h, char* Dest);
ZKW_EXPORT void ZKWAPI eqSetEquationDefaultColors(uint32_t LineColor, uint32_t TextColor);
ZKW_EXPORT void ZKWAPI eqSetEquationDefaultFont(const char* Name, int32_t Size);
ZKW_EXPORT uint32_t ZKWAPI eqSetFormColors(uint32_t Face, uint32_t Highlight, uint32_t Shadow);
