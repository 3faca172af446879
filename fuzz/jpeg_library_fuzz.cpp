// JPEG library reader: header, count, record offsets and sizes, names, and the pictures.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/byte_stream.h"
#include "imagefiles/jpeg_library.h"
#include "platform/plat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zkw::TBufferStream lib(data, size);
  std::vector<zkw::TJpegLibRecord> records;
  zkw::ReadJpegLibrary(lib, records);
  for (int32_t index : {1, 2, 3}) {
    zkw::ZString name;
    if (plat::HGLOBAL block = zkw::JpegLibraryToDib(lib, index, &name, index == 2 ? 1 : 0))
      plat::GlobalFree(block);
  }
  return 0;
}
