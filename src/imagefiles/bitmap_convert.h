// Moving images between platform bitmaps (with optional logical palettes), BMP files, bitmap
// resources and image memory blocks. Blocks, bitmaps and palettes returned belong to the caller.
#pragma once
#include <cstdint>

#include "base/text16.h"
#include "platform/plat_gdi.h"

namespace zkw {

// A new block holding the bitmap's pixels (at most 24 bits per pixel); 8-bit blocks take their
// colour table from `palette` or, when it is 0, from the DC's system palette. 0 on failure.
plat::HGLOBAL BitmapToDIB(plat::HDC dc, plat::HBITMAP bitmap, plat::HPALETTE palette);
bool SaveBitmapToFile(plat::HDC dc, const ZChar* name, plat::HBITMAP bitmap, plat::HPALETTE palette);
// A device-dependent bitmap made from a block on the screen DC; 8-bit blocks also give a
// logical palette of their colour table.
plat::HBITMAP BitmapFromDIB(plat::HGLOBAL block, plat::HPALETTE* palette);
plat::HBITMAP ReadBitmap(const ZChar* name, plat::HPALETTE* palette);
// The same from the bytes of a BMP file.
plat::HBITMAP ReadBitmapFromBytes(const uint8_t* bytes, uint64_t size, plat::HPALETTE* palette);
plat::HBITMAP LoadBitmap256(plat::HMODULE instance, const ZChar* name, plat::HPALETTE* palette);
// The bitmap resource's data in a new fixed block.
plat::HGLOBAL LoadResDIB(plat::HMODULE instance, const ZChar* name);
// A bitmap resource of the library itself in a new movable block.
plat::HGLOBAL GetDibPattern(const ZChar* name);
// A logical palette (version 0x300) of `count` colour-table entries.
plat::HPALETTE PaletteFromTable(const void* table, uint32_t count);

}  // namespace zkw
