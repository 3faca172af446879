// BMP files: reading them into image memory blocks and writing blocks out as BMP files.
#pragma once
#include <cstdint>

#include "base/text16.h"
#include "platform/plat_types.h"

namespace zkw {

#pragma pack(push, 1)
struct TBitmapFileHeader {
  uint16_t bfType;  // "BM"
  uint32_t bfSize;
  uint16_t bfReserved1;
  uint16_t bfReserved2;
  uint32_t bfOffBits;
};
#pragma pack(pop)
static_assert(sizeof(TBitmapFileHeader) == 14, "BMP file header is 14 bytes");
constexpr uint16_t kBmpSignature = 0x4D42;

// Reads a BMP file into a new zero-initialised movable block (the file without its 14-byte
// header); 0 when the file cannot be read, is not "BM" or its declared size is not its length.
plat::HGLOBAL LoadDIBFile(const ZChar* name);
// Same checks on bytes already in memory.
plat::HGLOBAL LoadDIBFromBytes(const uint8_t* bytes, uint64_t size);
// True when the file opens, is longer than 53 bytes, starts with "BM" and its declared size
// equals its length.
bool BitmapFileValid(const ZChar* name);
// Writes a block as a BMP file; false when the block is not a valid image or the file cannot
// be written.
bool SaveDibToBitmap(const ZChar* name, plat::HGLOBAL block);
// Copies a BMP file without its 14-byte header into a new headerless packed-DIB file.
void CreateDIBFile(const ZChar* bmpName, const ZChar* outName);
// Copies the block's 40-byte header to `header`.
void GetDIBObj(plat::HGLOBAL block, void* header);

}  // namespace zkw
