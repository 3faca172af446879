// DEX reader: header, part sizes, inflation limits, and the objects made from the blocks.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "common/byte_stream.h"
#include "dib/dib8.h"
#include "dib/dib_base.h"
#include "dib/dib_factory.h"
#include "imagefiles/dex.h"
#include "platform/plat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::unique_ptr<zkw::TDibBaseObj> dib(zkw::DibObjectFromBuffer(data, size));
  if (dib) {
    uint32_t sum = 0;
    for (int32_t y = 0; y < dib->Height() && y < 32; ++y)
      for (int32_t x = 0; x < dib->Width() && x < 32; ++x) sum += dib->GetPixelEx(x, y);
    sum += dib->GetPixel(dib->Width() - 1, dib->Height() - 1);
    if (dib->AlphaDib) sum += dib->AlphaDib->GetPixel(0, 0);
    // What was read must write back.
    zkw::TMemoryStream out;
    if (dib->Handle() > 1)
      zkw::SaveDibExToStream(&out, reinterpret_cast<plat::HGLOBAL>(dib->Handle()), nullptr);
    (void)sum;
  }
  zkw::TBufferStream stream(data, size);
  plat::HGLOBAL image = nullptr, alpha = nullptr;
  if (zkw::LoadDibExFromStream(&stream, &image, &alpha)) {
    if (image) plat::GlobalFree(image);
    if (alpha) plat::GlobalFree(alpha);
  }
  return 0;
}
