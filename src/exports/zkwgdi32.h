// The library's exported functions as a host sees them: opaque handles, UTF-16 text.
#pragma once
#include <cstdint>

#include "exports/api.h"
#include "platform/plat_types.h"

using ZHANDLE = void*;           // a DIB object, stream or other library object
using ZBLOCK = void*;            // an image memory block (movable global memory)
using ZTEXT = const plat::WCHAR*;

// --- DIB objects ----------------------------------------------------------------------------
ZKW_EXPORT ZHANDLE ZKWAPI CreateDibObject(uint8_t Bits);
ZKW_EXPORT void ZKWAPI FreeDibObject(ZHANDLE Dib);
ZKW_EXPORT ZHANDLE ZKWAPI CreateDibFrom(ZHANDLE Dib);
ZKW_EXPORT ZHANDLE ZKWAPI CreateDibFromFile(ZTEXT Name);
ZKW_EXPORT void ZKWAPI dibSetAttributes(ZHANDLE Dib, int32_t w, int32_t h);
ZKW_EXPORT ZBLOCK ZKWAPI dibGetHandle(ZHANDLE Dib);
ZKW_EXPORT void ZKWAPI dibSetHandle(ZHANDLE Dib, ZBLOCK Block);
ZKW_EXPORT ZBLOCK ZKWAPI dibGetAlphaHandle(ZHANDLE Dib);
ZKW_EXPORT void ZKWAPI dibSetAlphaHandle(ZHANDLE Dib, ZBLOCK Block);
ZKW_EXPORT int32_t ZKWAPI dibGetLock(ZHANDLE Dib);
ZKW_EXPORT void ZKWAPI dibSetLock(ZHANDLE Dib, uint8_t Flag);
ZKW_EXPORT int32_t ZKWAPI dibGetWidth(ZHANDLE Dib);
ZKW_EXPORT int32_t ZKWAPI dibGetHeight(ZHANDLE Dib);
ZKW_EXPORT int32_t ZKWAPI dibGetAlignWidth(ZHANDLE Dib);
ZKW_EXPORT int32_t ZKWAPI dibGetBits(ZHANDLE Dib);
ZKW_EXPORT void* ZKWAPI dibGetDibPtr(ZHANDLE Dib);
ZKW_EXPORT void* ZKWAPI dibGetDibData(ZHANDLE Dib);
ZKW_EXPORT void* ZKWAPI dibGetDibPal(ZHANDLE Dib);
ZKW_EXPORT int32_t ZKWAPI dibGetDibSize(ZHANDLE Dib);
ZKW_EXPORT int32_t ZKWAPI dibGetTransColor(ZHANDLE Dib);
ZKW_EXPORT void ZKWAPI dibSetTransColor(ZHANDLE Dib, uint8_t Index);
ZKW_EXPORT void ZKWAPI dibSetDibPal(ZHANDLE Dib, const void* Table);
ZKW_EXPORT ZHANDLE ZKWAPI dibGetAlphaDib(ZHANDLE Dib);
ZKW_EXPORT void ZKWAPI dibAttachBitmap(ZHANDLE Dib, void* Bitmap);
ZKW_EXPORT void ZKWAPI dibCopyTo(ZHANDLE Dib, ZHANDLE Dest);
ZKW_EXPORT int32_t ZKWAPI dibLoadFromFile(ZHANDLE Dib, ZTEXT Name);
ZKW_EXPORT int32_t ZKWAPI dibSaveToFile(ZHANDLE Dib, ZTEXT Name);
ZKW_EXPORT int32_t ZKWAPI dibSaveToDexFile(ZHANDLE Dib, ZTEXT Name);
ZKW_EXPORT uint32_t ZKWAPI dibGetPixel(ZHANDLE Dib, int32_t x, int32_t y);
ZKW_EXPORT uint32_t ZKWAPI dibGetPixelEx(ZHANDLE Dib, int32_t x, int32_t y);
ZKW_EXPORT void ZKWAPI dibPutPixel(ZHANDLE Dib, int32_t x, int32_t y, uint32_t Color);
ZKW_EXPORT void ZKWAPI dibPutShadPixel(ZHANDLE Dib, int32_t x, int32_t y, int32_t Shad);
ZKW_EXPORT void ZKWAPI dibPutMergePixel(ZHANDLE Dib, int32_t x, int32_t y, uint32_t Color,
                                        uint16_t AMerge);
ZKW_EXPORT void ZKWAPI dibCreateAlphaChannel(ZHANDLE Dib);
ZKW_EXPORT void ZKWAPI dibConvertAlphaGrayscale(ZHANDLE Dib);
ZKW_EXPORT void ZKWAPI dibLoadAlphaFromFile(ZHANDLE Dib, ZTEXT Name);
ZKW_EXPORT int32_t ZKWAPI SamePalette(const void* A, const void* B);
ZKW_EXPORT uint8_t ZKWAPI NearestColor(uint32_t Color, const void* Table);
ZKW_EXPORT void ZKWAPI ChangeDibPaletteTo(ZHANDLE Dib, const void* Table);

// --- DEX records ----------------------------------------------------------------------------
ZKW_EXPORT int32_t ZKWAPI GetDEXSize(ZBLOCK Image, ZBLOCK Alpha);
ZKW_EXPORT int32_t ZKWAPI SaveDibExToStream(ZHANDLE Stream, ZBLOCK Image, ZBLOCK Alpha);
ZKW_EXPORT int32_t ZKWAPI SaveDibExFile(ZTEXT Name, ZBLOCK Image, ZBLOCK Alpha);
ZKW_EXPORT int32_t ZKWAPI SaveDibExToBuffer(void* Dest, ZBLOCK Image, ZBLOCK Alpha);
ZKW_EXPORT uint32_t ZKWAPI LoadDibExFromStream(ZHANDLE Stream, ZBLOCK* Image, ZBLOCK* Alpha);
ZKW_EXPORT uint32_t ZKWAPI LoadDibExFile(ZTEXT Name, ZBLOCK* Image, ZBLOCK* Alpha);
ZKW_EXPORT uint32_t ZKWAPI LoadDibExFromBuffer(const uint8_t** Position, ZBLOCK* Image,
                                               ZBLOCK* Alpha);
ZKW_EXPORT ZHANDLE ZKWAPI DibObjectFromDex(ZTEXT Name);
ZKW_EXPORT ZHANDLE ZKWAPI DibObjectFromBuffer(const void* Record);
ZKW_EXPORT ZHANDLE ZKWAPI LoadDexFromResource(void* Instance, ZTEXT Name);

// --- BMP files ------------------------------------------------------------------------------
ZKW_EXPORT ZBLOCK ZKWAPI LoadDIBFile(ZTEXT Name);
ZKW_EXPORT int32_t ZKWAPI BitmapFileValid(ZTEXT Name);
ZKW_EXPORT int32_t ZKWAPI SaveDibToBitmap(ZTEXT Name, ZBLOCK Block);
ZKW_EXPORT void ZKWAPI CreateDIBFile(ZTEXT BmpName, ZTEXT OutName);
ZKW_EXPORT void ZKWAPI GetDIBObj(ZBLOCK Block, void* Header);

// --- Byte streams, errors and the library module (host helpers) ----------------------------
ZKW_EXPORT ZHANDLE ZKWAPI zkwCreateMemoryStream(const void* Data, int32_t Size);
ZKW_EXPORT ZHANDLE ZKWAPI zkwCreateFileStream(ZTEXT Name, int32_t Mode);
ZKW_EXPORT void ZKWAPI zkwFreeStream(ZHANDLE Stream);
ZKW_EXPORT int32_t ZKWAPI zkwStreamRead(ZHANDLE Stream, void* Buffer, int32_t Count);
ZKW_EXPORT int32_t ZKWAPI zkwStreamWrite(ZHANDLE Stream, const void* Buffer, int32_t Count);
ZKW_EXPORT int32_t ZKWAPI zkwStreamSeek(ZHANDLE Stream, int32_t Offset, int32_t Origin);
ZKW_EXPORT int32_t ZKWAPI zkwStreamSize(ZHANDLE Stream);
ZKW_EXPORT ZTEXT ZKWAPI zkwGetLastErrorText();
ZKW_EXPORT void ZKWAPI zkwClearLastError();
ZKW_EXPORT void* ZKWAPI zkwLibraryModule();

// --- Export families with their own headers --------------------------------------------------
#include "exports/draw_api.h"  // shapes and compositing of DIB objects
#include "exports/dc_api.h"    // images on device contexts, bitmaps, memory DCs
#include "exports/font_api.h"  // bitmap fonts, font clip region and justification
#include "exports/canvas_api.h"  // font manager, DIB canvas and its bitmaps
#include "exports/transform_api.h"  // scaling, rotation, shear, flips, smooth drawing
#include "exports/player_api.h"
#include "exports/script_api.h"  // script text, property and variable values
#include "exports/sound_api.h"   // sound object, sound manager, wave images played for hosts
#include "exports/colour_api.h"  // colour procedures, backgrounds, row bitmaps
#include "exports/gdi_api.h"     // GDI helpers, button images, colour selection dialog
#include "exports/library_api.h"  // DIB library files
#include "exports/equation_api.h"  // equations: layout, drawing, stored forms
