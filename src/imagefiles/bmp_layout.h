// The layout of a BMP file as other programs write it: which header (OS/2 12-byte and 16- to
// 64-byte, 40, 52, 56, 108 or 124 bytes), depth, compression, masks, colour table and rows,
// every offset and size checked against the file before anything is read.
#pragma once
#include <cstdint>
#include <string>

namespace zkw {

constexpr uint32_t kBmpRgb = 0;             // plain rows
constexpr uint32_t kBmpRle8 = 1;            // run-length coded 8-bit indexes
constexpr uint32_t kBmpRle4 = 2;            // run-length coded 4-bit indexes
constexpr uint32_t kBmpBitFields = 3;       // 16- or 32-bit pixels with colour masks
constexpr uint32_t kBmpAlphaBitFields = 6;  // the same with an alpha mask after the colour masks

// One colour channel of 16- and 32-bit pixels: (pixel >> Shift) & ((1 << Bits) - 1).
struct TBmpChannel {
  uint32_t Shift = 0;
  uint32_t Bits = 0;  // 0: the channel is absent
};

struct TBmpLayout {
  uint32_t HeaderSize = 0;
  int32_t Width = 0;
  int32_t Height = 0;      // always positive
  bool TopDown = false;    // rows stored from the top of the picture
  uint16_t BitCount = 0;   // 1, 4, 8, 16, 24 or 32
  uint32_t Compression = kBmpRgb;
  int32_t XResolution = 0, YResolution = 0;
  TBmpChannel Red, Green, Blue, Alpha;  // 16- and 32-bit pixels
  uint64_t TableAt = 0;      // file offset of the colour table
  uint32_t TableEntries = 0;  // entries to use (at most 256)
  uint32_t EntryBytes = 4;    // 3 in OS/2 1.x files
  uint64_t PixelsAt = 0;      // file offset of the pixel data
  uint64_t PixelBytes = 0;    // bytes of pixel data the reader may use
  uint64_t ColorsUsed = 0;    // the header's colours-used field
};

// Fills `layout` from a whole BMP file of `size` bytes ("BM", its declared size equal to
// `size`); false with the reason for a file this reader cannot convert.
bool ParseBmpLayout(const uint8_t* file, uint64_t size, TBmpLayout& layout, std::string& reason);

// True when the file is already an image block of the library's own form (40-byte header,
// 8 bits with a full table or 24 bits without one, plain bottom-up rows right after the table),
// so that it can be used as it is.
bool IsLibraryLayout(const TBmpLayout& layout);

}  // namespace zkw
