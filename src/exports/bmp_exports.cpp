// Exports of BMP files.
#include "exports/zkwgdi32.h"
#include "imagefiles/bmp_file.h"
#include "imagefiles/packed_dib.h"

using zkw::Guarded;
using zkw::GuardedVoid;

// GetDIBObj fills the public TDibImageHeader: the header of an image memory block.
static_assert(sizeof(zkw::TBitmapInfoHeader) == sizeof(TDibImageHeader));

ZKW_EXPORT ZBLOCK ZKWAPI LoadDIBFile(ZTEXT Name) {
  return Guarded<ZBLOCK>(nullptr, [&] { return zkw::LoadDIBFile(Name); });
}
ZKW_EXPORT int32_t ZKWAPI BitmapFileValid(ZTEXT Name) {
  return Guarded<int32_t>(0, [&] { return zkw::BitmapFileValid(Name) ? 1 : 0; });
}
ZKW_EXPORT int32_t ZKWAPI SaveDibToBitmap(ZTEXT Name, ZBLOCK Block) {
  return Guarded<int32_t>(0, [&] { return zkw::SaveDibToBitmap(Name, Block) ? 1 : 0; });
}
ZKW_EXPORT void ZKWAPI CreateDIBFile(ZTEXT BmpName, ZTEXT OutName) {
  GuardedVoid([&] { zkw::CreateDIBFile(BmpName, OutName); });
}
ZKW_EXPORT void ZKWAPI GetDIBObj(ZBLOCK Block, void* Header) {
  GuardedVoid([&] { zkw::GetDIBObj(Block, Header); });
}
