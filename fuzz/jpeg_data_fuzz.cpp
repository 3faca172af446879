// JPEG data: header checks, then decoding to 24-bit and to quantised 8-bit blocks.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imagefiles/jpeg_image.h"
#include "platform/plat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zkw::TJpegImage image;
  if (!image.LoadFromBytes(std::vector<uint8_t>(data, data + size))) return 0;
  // Large pictures are only header-checked and small ones only go through the slow quantiser,
  // so that each run stays fast (a few bytes can declare millions of pixels).
  int64_t pixels = static_cast<int64_t>(image.Width()) * image.Height();
  if (pixels > 2048 * 2048) return 0;
  for (zkw::TJpegPixelFormat format : {zkw::jpf24Bit, zkw::jpf8Bit}) {
    if (format == zkw::jpf8Bit && pixels > 512 * 512) break;
    image.PixelFormat = format;
    image.Performance = size % 2 ? zkw::jppBestSpeed : zkw::jppBestQuality;
    if (plat::HGLOBAL block = image.ToBlock()) plat::GlobalFree(block);
  }
  return 0;
}
