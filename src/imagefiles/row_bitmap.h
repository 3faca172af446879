// TRowBitmap: a bitmap with row access, 8 bits per pixel with a 256-entry colour table or 24
// bits per pixel (blue, green, red), rows top-down and padded to 4 bytes. It is the bitmap
// object that filters and host modules exchange; it reads and writes BMP files on streams.
#pragma once
#include <cstdint>
#include <vector>

#include "common/byte_stream.h"
#include "imagefiles/packed_dib.h"

namespace zkw {

class TRowBitmap {
 public:
  // Largest width or height accepted.
  static constexpr int32_t kMaxSide = 65535;

  TRowBitmap() = default;
  // An image of w x h pixels of 8 or 24 bits, all zero (8-bit: grey-ramp colour table). False,
  // leaving the bitmap as it was, for other depths, sides outside 1..kMaxSide or more than
  // 1 GiB of pixels.
  bool SetSize(int32_t w, int32_t h, int32_t bits);
  // Start of picture row y (0 = top); null outside 0..Height - 1.
  uint8_t* ScanLine(int32_t y);
  // The 256-entry colour table of an 8-bit bitmap; null for 24 bits or an empty bitmap.
  TRGBQuad* ColorTable() { return FBitCount == 8 ? FColors : nullptr; }

  // Reads a BMP file at the stream's position: "BM", a header of at least 40 bytes, 8 or 24
  // bits, no compression, the colour table and every row inside the bytes present. False (the
  // bitmap unchanged, the reason in the last-error text) otherwise.
  bool LoadFromStream(TStream& Stream);
  // Writes a bottom-up BMP file; false when the bitmap is empty or the stream refuses bytes.
  bool SaveToStream(TStream& Stream) const;

  int32_t Width() const { return FWidth; }
  int32_t Height() const { return FHeight; }
  int32_t BitCount() const { return FBitCount; }  // 0 while empty
  int32_t Stride() const { return FStride; }

 private:
  int32_t FWidth = 0;
  int32_t FHeight = 0;
  int32_t FBitCount = 0;
  int32_t FStride = 0;
  TColorTable FColors{};
  std::vector<uint8_t> FPixels;  // top row first
};

}  // namespace zkw
