// TJpegImage: JPEG data with the decoding options of the library's image class (pixel format,
// smoothing, performance) and the quality it encodes images at.
#pragma once
#include <cstdint>
#include <vector>

#include "base/text16.h"
#include "common/byte_stream.h"
#include "imagefiles/jpeg_codec.h"
#include "platform/plat_types.h"

namespace zkw {

enum TJpegPixelFormat : int32_t { jpf24Bit = 0, jpf8Bit = 1 };
enum TJpegPerformance : int32_t { jppBestQuality = 0, jppBestSpeed = 1 };

class TJpegImage {
 public:
  TJpegPixelFormat PixelFormat = jpf24Bit;
  bool Smoothing = true;
  int32_t Quality = 90;  // 1..100, used when an image is assigned
  TJpegPerformance Performance = jppBestQuality;

  // Takes JPEG data; its header is read and checked (size, colour space). False, the image
  // unchanged and the reason in the last-error text, for data that cannot be decoded.
  bool LoadFromBytes(std::vector<uint8_t> bytes);
  // The stream's bytes from its position to its end.
  bool LoadFromStream(TStream& stream);
  bool LoadFromFile(const ZChar* name);
  // Encodes an 8- or 24-bit image block at Quality.
  bool Assign(plat::HGLOBAL block);
  bool SaveToStream(TStream& stream) const;
  bool SaveToFile(const ZChar* name) const;
  // A new image block of the picture with the current options; 0 when empty or on failure.
  plat::HGLOBAL ToBlock() const;

  bool Empty() const { return FData.empty(); }
  int32_t Width() const { return FInfo.Width; }
  int32_t Height() const { return FInfo.Height; }
  const std::vector<uint8_t>& Data() const { return FData; }

 private:
  std::vector<uint8_t> FData;
  TJpegInfo FInfo;
};

}  // namespace zkw
