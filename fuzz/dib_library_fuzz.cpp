// DIB library reader: every layout's header and table, the entries behind it (raw blocks and
// DEX records) and their BMP streams and row bitmaps.
#include <cstddef>
#include <cstdint>

#include "common/byte_stream.h"
#include "imagefiles/dib_library.h"
#include "imagefiles/row_bitmap.h"
#include "platform/plat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zkw::TBufferStream lib(data, size);
  zkw::ValidDibLib(lib);
  int32_t count = zkw::LibDibCount(lib);
  const int32_t indexes[] = {1, 2, 3, count, count + 1, 0};
  for (int32_t index : indexes) {
    plat::HGLOBAL image = nullptr, alpha = nullptr;
    if (zkw::GetDibFromLib(lib, index, &image, &alpha)) {
      plat::GlobalFree(image);
      if (alpha) plat::GlobalFree(alpha);
    }
    if (plat::HGLOBAL block = zkw::GetDibBitmap(lib, index)) plat::GlobalFree(block);
    zkw::TMemoryStream bmp;
    zkw::GetDibToStream(bmp, lib, index);
    zkw::TRowBitmap bitmap;
    zkw::GetDibToBitmap(bitmap, lib, index);
  }
  return 0;
}
