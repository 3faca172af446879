// DIB library files: validity, entry count, reading entries as blocks, objects, BMP streams
// and row bitmaps, and appending DEX and BMP files. Writers return all bits set for true.
#pragma once
#include <cstdint>

#include "exports/api.h"
#include "platform/plat_types.h"

ZKW_EXPORT int32_t ZKWAPI ValidDibLib(const plat::WCHAR* Name);
ZKW_EXPORT int32_t ZKWAPI LibDibCount(const plat::WCHAR* Name);
ZKW_EXPORT void* ZKWAPI GetDibBitmap(const plat::WCHAR* Name, int32_t Index);
// Bits per pixel of the entry (8 for versions 0 and 1), 0 on failure; both blocks are set.
ZKW_EXPORT uint32_t ZKWAPI GetDibFromLib(const plat::WCHAR* Name, int32_t Index, void** Image, void** Alpha);
ZKW_EXPORT void* ZKWAPI DibObjectFromLib(const plat::WCHAR* Name, int32_t Index);
// Stream: a zkwCreateMemoryStream/zkwCreateFileStream handle; the BMP file goes to its start.
ZKW_EXPORT int32_t ZKWAPI GetDibToStream(void* Stream, const plat::WCHAR* Name, int32_t Index);
// Bitmap: a zkwCreateRowBitmap handle.
ZKW_EXPORT int32_t ZKWAPI GetDibToBitmap(void* Bitmap, const plat::WCHAR* Name, int32_t Index);
ZKW_EXPORT uint32_t ZKWAPI AddDEXFile(const plat::WCHAR* DexName, const plat::WCHAR* LibName);
ZKW_EXPORT uint32_t ZKWAPI AddDibFile(const plat::WCHAR* BmpName, const plat::WCHAR* LibName);
ZKW_EXPORT uint32_t ZKWAPI CreateArrayDibFile(const plat::WCHAR* ListName, const plat::WCHAR* LibName);
