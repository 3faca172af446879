// The packed-DIB layout of image memory blocks (40-byte header, colour table, bottom-up rows
// padded to 4 bytes) and the checks every reader applies before trusting a block.
#pragma once
#include <cstdint>
#include <string>

#include "platform/plat_types.h"

namespace zkw {

#pragma pack(push, 1)
struct TBitmapInfoHeader {
  uint32_t biSize;
  int32_t biWidth;
  int32_t biHeight;
  uint16_t biPlanes;
  uint16_t biBitCount;
  uint32_t biCompression;
  uint32_t biSizeImage;
  int32_t biXPelsPerMeter;
  int32_t biYPelsPerMeter;
  uint32_t biClrUsed;
  uint32_t biClrImportant;
};
struct TRGBQuad {
  uint8_t rgbBlue;
  uint8_t rgbGreen;
  uint8_t rgbRed;
  uint8_t rgbReserved;
};
#pragma pack(pop)
static_assert(sizeof(TBitmapInfoHeader) == 40, "bitmap information header is 40 bytes");
static_assert(sizeof(TRGBQuad) == 4, "colour-table entry is 4 bytes");

using TColorTable = TRGBQuad[256];

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPaletteBytes = 1024;

// Row stride in bytes: rows padded to a multiple of 4 bytes. 64-bit so that hostile headers
// cannot overflow it.
inline int64_t RowStride(int64_t width, int64_t bitsPerPixel) {
  return ((bitsPerPixel * width + 31) / 32) * 4;
}

// stride x rows, saturated at INT64_MAX (0 for a non-positive factor), so that the sizes of
// hostile headers cannot overflow.
inline int64_t RowsSize(int64_t stride, int64_t rows) {
  if (stride <= 0 || rows <= 0) return 0;
  return stride > INT64_MAX / rows ? INT64_MAX : stride * rows;
}

// True when an image of width x height at `bitsPerPixel` fits the 32-bit sizes the image
// objects use: its stride, and its block with a 256-entry table and the two spare rows that
// ReallocImage adds, stay below 2^31 bytes. Negative sizes never fit.
bool FitsImageObject(int64_t width, int64_t height, int64_t bitsPerPixel);

// Colour-table entries of a block: colours-used, or by depth when that is 0.
int64_t ColorTableEntries(const TBitmapInfoHeader& header);

// Bytes of the stored form of a block: header, colour table and pixel rows (no spare rows).
int64_t RawDibSize(const TBitmapInfoHeader& header);

// Checks that a packed DIB of `available` bytes holds what its header declares: a 40-byte
// header, non-negative width and height, and the colour table and rows inside the block.
// On failure fills `reason` and returns false.
bool CheckPackedDib(const void* dib, uint64_t available, std::string& reason);

// Colour of a table entry as a COLORREF (red in bits 0-7).
inline uint32_t RGBQuadToColorRef(const TRGBQuad& q) {
  return q.rgbRed | (q.rgbGreen << 8) | (static_cast<uint32_t>(q.rgbBlue) << 16);
}

}  // namespace zkw
