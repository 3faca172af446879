// BMP readers: the device-bitmap reader, the file checks, the block checks of the image object, and every pixel read.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "dib/dib_base.h"
#include "dib/dib_factory.h"
#include "imagefiles/bitmap_convert.h"
#include "imagefiles/bmp_file.h"
#include "imagefiles/memory_block.h"
#include "platform/plat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The device-bitmap reader of BMP files.
  plat::HPALETTE palette = nullptr;
  if (plat::HBITMAP bitmap = zkw::ReadBitmapFromBytes(data, size, &palette)) plat::DeleteObject(bitmap);
  if (palette) plat::DeleteObject(palette);

  plat::HGLOBAL block = zkw::LoadDIBFromBytes(data, size);
  if (!block) return 0;
  uint8_t header[40];
  zkw::GetDIBObj(block, header);
  uint16_t bits;
  std::memcpy(&bits, header + 14, 2);
  std::unique_ptr<zkw::TDibBaseObj> dib(zkw::CreateDibObject(bits == 8 ? 8 : 24));
  dib->SetHandle(reinterpret_cast<zkw::THandle>(block));
  uint32_t sum = 0;
  for (int32_t y = 0; y < dib->Height() && y < 64; ++y)
    for (int32_t x = 0; x < dib->Width() && x < 64; ++x) sum += dib->GetPixelEx(x, y);
  // The last row and column touch the end of the pixel data.
  sum += dib->GetPixel(dib->Width() - 1, 0) + dib->GetPixel(0, dib->Height() - 1);
  dib->CreateAlphaChannel();
  return static_cast<int>(sum & 0);
}
