// JPEG decoding into image memory blocks and encoding of blocks, over libjpeg. Every failure
// of the codec (libjpeg's fatal errors included) gives the failure result and the reason in
// the last-error text; nothing throws.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/plat_types.h"

namespace zkw {

// Neither the JPEG data nor the decoded picture (width x height x 3) may pass this.
constexpr uint64_t kJpegCeiling = 256ull << 20;
// Progressive pictures with more scans than this are refused.
constexpr int32_t kJpegMaxScans = 500;

struct TJpegDecodeOptions {
  bool EightBit = false;   // 256 colours chosen by the two-pass quantiser, Floyd-Steinberg
  bool Smoothing = true;   // fancy upsampling and block smoothing
  bool BestSpeed = false;  // fast integer DCT instead of the accurate one
};

struct TJpegInfo {
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t Components = 0;
  bool Progressive = false;
};

// Reads the header; false (with the reason) for data that is not a JPEG picture this library
// decodes: CMYK and YCCK pictures and pictures beyond the ceiling are refused.
bool ReadJpegInfo(const uint8_t* data, uint64_t size, TJpegInfo& info);
// A new block in the packed-DIB layout: 40-byte header (image size = stride x height, the
// resolution and colour fields 0), for 8 bits a 256-entry table from the quantiser's colour
// map (unused entries 0), bottom-up rows. Grey pictures come out in colour form. 0 on failure.
plat::HGLOBAL DecodeJpegToBlock(const uint8_t* data, uint64_t size, const TJpegDecodeOptions& options);
// Encodes an 8- or 24-bit image block at `quality` (1..100, clamped); false on failure.
bool EncodeBlockToJpeg(plat::HGLOBAL block, int32_t quality, bool bestSpeed,
                       std::vector<uint8_t>& jpeg);

}  // namespace zkw
