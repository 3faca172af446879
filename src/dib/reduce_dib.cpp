#include "dib/reduce_dib.h"

#include <memory>

#include "base/last_error.h"
#include "imagefiles/jpeg_library.h"
#include "platform/plat.h"

namespace zkw {

TDib8Bits* ReduceDibTo8Bits(TDibBaseObj* source) {
  if (!source || source->Handle() < 2 || source->Width() <= 0 || source->Height() <= 0) {
    SetLastErrorText("no image to reduce to 8 bits");
    return nullptr;
  }
  TJpegImage jpeg;
  jpeg.Quality = 100;
  if (!jpeg.Assign(reinterpret_cast<plat::HGLOBAL>(source->Handle()))) return nullptr;
  plat::HGLOBAL block = JpegToDib(jpeg, jpf8Bit);
  if (!block) return nullptr;
  auto reduced = std::make_unique<TDib8Bits>();
  reduced->SetHandle(reinterpret_cast<THandle>(block));
  if (reduced->Handle() < 2) {
    SetLastErrorText("the reduced image was refused");
    return nullptr;
  }
  if (source->AlphaDib && source->AlphaDib->Handle() > 1) {
    reduced->CreateAlphaChannel();
    reduced->AlphaDib->DrawArea(0, 0, source->AlphaDib, 0, 0, source->Width(), source->Height(),
                                1, 1);
  }
  return reduced.release();
}

}  // namespace zkw
