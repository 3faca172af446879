// Exports of DEX records and the DIB objects made from them.
#include "common/byte_stream.h"
#include "dib/dib_factory.h"
#include "exports/zkwgdi32.h"
#include "imagefiles/dex.h"

using zkw::Guarded;

namespace {
zkw::TStream* S(ZHANDLE h) { return static_cast<zkw::TStream*>(h); }
// A record read from memory whose size the caller did not give cannot be longer than this.
constexpr uint64_t kUnboundedRecord = 24 + 2 * zkw::kDexPartCeiling;
}  // namespace

ZKW_EXPORT int32_t ZKWAPI GetDEXSize(ZBLOCK Image, ZBLOCK Alpha) {
  return Guarded<int32_t>(0, [&] { return zkw::GetDEXSize(Image, Alpha); });
}
ZKW_EXPORT int32_t ZKWAPI SaveDibExToStream(ZHANDLE Stream, ZBLOCK Image, ZBLOCK Alpha) {
  return Guarded<int32_t>(0, [&] { return zkw::SaveDibExToStream(S(Stream), Image, Alpha); });
}
ZKW_EXPORT int32_t ZKWAPI SaveDibExFile(ZTEXT Name, ZBLOCK Image, ZBLOCK Alpha) {
  return Guarded<int32_t>(0, [&] { return zkw::SaveDibExFile(Name, Image, Alpha) ? 1 : 0; });
}
ZKW_EXPORT int32_t ZKWAPI SaveDibExToBuffer(void* Dest, ZBLOCK Image, ZBLOCK Alpha) {
  return Guarded<int32_t>(0, [&] { return zkw::SaveDibExToBuffer(Dest, Image, Alpha); });
}
ZKW_EXPORT uint32_t ZKWAPI LoadDibExFromStream(ZHANDLE Stream, ZBLOCK* Image, ZBLOCK* Alpha) {
  return Guarded<uint32_t>(0, [&] { return zkw::LoadDibExFromStream(S(Stream), Image, Alpha); });
}
ZKW_EXPORT uint32_t ZKWAPI LoadDibExFile(ZTEXT Name, ZBLOCK* Image, ZBLOCK* Alpha) {
  return Guarded<uint32_t>(0, [&] { return zkw::LoadDibExFile(Name, Image, Alpha); });
}
ZKW_EXPORT uint32_t ZKWAPI LoadDibExFromBuffer(const uint8_t** Position, ZBLOCK* Image,
                                               ZBLOCK* Alpha) {
  return Guarded<uint32_t>(0, [&] {
    return zkw::LoadDibExFromMemory(Position, kUnboundedRecord, Image, Alpha);
  });
}
ZKW_EXPORT ZHANDLE ZKWAPI DibObjectFromDex(ZTEXT Name) {
  return Guarded<ZHANDLE>(nullptr, [&] { return zkw::DibObjectFromDex(Name); });
}
ZKW_EXPORT ZHANDLE ZKWAPI DibObjectFromBuffer(const void* Record) {
  return Guarded<ZHANDLE>(nullptr, [&] {
    return zkw::DibObjectFromBuffer(static_cast<const uint8_t*>(Record), kUnboundedRecord);
  });
}
ZKW_EXPORT ZHANDLE ZKWAPI LoadDexFromResource(void* Instance, ZTEXT Name) {
  return Guarded<ZHANDLE>(nullptr, [&] { return zkw::LoadDexFromResource(Instance, Name); });
}
