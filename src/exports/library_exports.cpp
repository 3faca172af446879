// Exports of DIB library files.
#include "dib/dib_factory.h"
#include "exports/zkwgdi32.h"
#include "imagefiles/dib_library.h"
#include "imagefiles/row_bitmap.h"

using zkw::Guarded;

ZKW_EXPORT int32_t ZKWAPI ValidDibLib(ZTEXT Name) {
  return Guarded<int32_t>(0, [&] { return zkw::ValidDibLib(Name) ? 1 : 0; });
}
ZKW_EXPORT int32_t ZKWAPI LibDibCount(ZTEXT Name) {
  return Guarded<int32_t>(0, [&] { return zkw::LibDibCount(Name); });
}
ZKW_EXPORT ZBLOCK ZKWAPI GetDibBitmap(ZTEXT Name, int32_t Index) {
  return Guarded<ZBLOCK>(nullptr, [&] { return zkw::GetDibBitmap(Name, Index); });
}
ZKW_EXPORT uint32_t ZKWAPI GetDibFromLib(ZTEXT Name, int32_t Index, ZBLOCK* Image, ZBLOCK* Alpha) {
  return Guarded<uint32_t>(0, [&] { return zkw::GetDibFromLib(Name, Index, Image, Alpha); });
}
ZKW_EXPORT ZHANDLE ZKWAPI DibObjectFromLib(ZTEXT Name, int32_t Index) {
  return Guarded<ZHANDLE>(nullptr, [&] { return zkw::DibObjectFromLib(Name, Index); });
}
ZKW_EXPORT int32_t ZKWAPI GetDibToStream(ZHANDLE Stream, ZTEXT Name, int32_t Index) {
  return Guarded<int32_t>(0, [&] {
    return Stream && zkw::GetDibToStream(*static_cast<zkw::TStream*>(Stream), Name, Index) ? 1 : 0;
  });
}
ZKW_EXPORT int32_t ZKWAPI GetDibToBitmap(void* Bitmap, ZTEXT Name, int32_t Index) {
  return Guarded<int32_t>(0, [&] {
    return Bitmap && zkw::GetDibToBitmap(*static_cast<zkw::TRowBitmap*>(Bitmap), Name, Index) ? 1
                                                                                              : 0;
  });
}
ZKW_EXPORT uint32_t ZKWAPI AddDEXFile(ZTEXT DexName, ZTEXT LibName) {
  return Guarded<uint32_t>(0, [&] { return zkw::AddDEXFile(DexName, LibName); });
}
ZKW_EXPORT uint32_t ZKWAPI AddDibFile(ZTEXT BmpName, ZTEXT LibName) {
  return Guarded<uint32_t>(0, [&] { return zkw::AddDibFile(BmpName, LibName); });
}
ZKW_EXPORT uint32_t ZKWAPI CreateArrayDibFile(ZTEXT ListName, ZTEXT LibName) {
  return Guarded<uint32_t>(0, [&] { return zkw::CreateArrayDibFile(ListName, LibName); });
}
