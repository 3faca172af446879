// BMP files: reading them into image memory blocks and writing blocks out as BMP files.
#pragma once
#include <cstdint>

#include "base/text16.h"
#include "common/byte_stream.h"
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

// Reads a BMP file into a new movable image block of the library's form: a file already in
// that form (40-byte header, 8 bits with a full colour table or 24 bits, plain bottom-up rows
// right after the table) is kept as it is without its 14-byte header; files of every other
// header, depth (1 to 32 bits), compression (RLE4, RLE8, bit fields) and row order are
// converted to an 8-bit block (up to 8 bits per pixel) or a 24-bit one, honouring the pixel
// offset. With `alpha`, a 32-bit file's alpha mask comes back as an 8-bit block (0 without).
// 0, with the reason, when the file cannot be read, is not "BM", does not declare its own
// length or cannot be converted.
plat::HGLOBAL LoadDIBFile(const ZChar* name, plat::HGLOBAL* alpha = nullptr);
// The same on the bytes of a whole file already in memory.
plat::HGLOBAL LoadDIBFromBytes(const uint8_t* bytes, uint64_t size, plat::HGLOBAL* alpha = nullptr);
// True when the bytes start with "BM" and declare their own length.
bool BmpFileHeaderValid(const uint8_t* bytes, uint64_t size);
// True when the file is longer than 53 bytes, starts with "BM", declares its own length and
// LoadDIBFile can convert it.
bool BitmapFileValid(const ZChar* name);
// Writes a block as a BMP file; false when the block is not a valid image or the file cannot
// be written.
bool SaveDibToBitmap(const ZChar* name, plat::HGLOBAL block);
// The same BMP file written to a stream at its position; bytes written, 0 on failure.
int64_t SaveDibToBitmapStream(TStream& stream, plat::HGLOBAL block);
// Copies a BMP file without its 14-byte header into a new headerless packed-DIB file.
void CreateDIBFile(const ZChar* bmpName, const ZChar* outName);
// Copies the block's 40-byte header to `header`.
void GetDIBObj(plat::HGLOBAL block, void* header);

}  // namespace zkw
