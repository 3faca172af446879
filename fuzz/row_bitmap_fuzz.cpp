// The row bitmap's BMP reader, then the blur over what it read and a write back.
#include <cstddef>
#include <cstdint>

#include "colour/box_blur.h"
#include "common/byte_stream.h"
#include "imagefiles/row_bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zkw::TBufferStream in(data, size);
  zkw::TRowBitmap bitmap;
  if (!bitmap.LoadFromStream(in)) return 0;
  uint32_t sum = 0;
  for (int32_t y = 0; y < bitmap.Height(); ++y) sum += bitmap.ScanLine(y)[bitmap.Stride() - 1];
  if (int64_t{bitmap.Width()} * bitmap.Height() <= 1 << 16) zkw::FXBoxBlur(&bitmap, 2, 1);
  zkw::TMemoryStream out;
  bitmap.SaveToStream(out);
  return static_cast<int>(sum & 0);
}
