// Exports of DIB objects: creation, accessors, pixels, palettes and the alpha companion.
#include <cstring>

#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/dib_factory.h"
#include "dib/palette.h"
#include "exports/zkwgdi32.h"

using zkw::Guarded;
using zkw::GuardedVoid;
using zkw::TDibBaseObj;

namespace {
TDibBaseObj* D(ZHANDLE h) { return static_cast<TDibBaseObj*>(h); }
ZBLOCK B(zkw::THandle h) { return reinterpret_cast<ZBLOCK>(h); }
zkw::THandle H(ZBLOCK b) { return reinterpret_cast<zkw::THandle>(b); }
}  // namespace

ZKW_EXPORT ZHANDLE ZKWAPI CreateDibObject(uint8_t Bits) {
  return Guarded<ZHANDLE>(nullptr, [&] { return zkw::CreateDibObject(Bits); });
}
ZKW_EXPORT void ZKWAPI FreeDibObject(ZHANDLE Dib) {
  GuardedVoid([&] { delete D(Dib); });
}
ZKW_EXPORT ZHANDLE ZKWAPI CreateDibFrom(ZHANDLE Dib) {
  return Guarded<ZHANDLE>(nullptr, [&] { return zkw::CreateDibFrom(D(Dib)); });
}
ZKW_EXPORT ZHANDLE ZKWAPI CreateDibFromFile(ZTEXT Name) {
  return Guarded<ZHANDLE>(nullptr, [&] { return zkw::CreateDibFromFile(Name); });
}
ZKW_EXPORT void ZKWAPI dibSetAttributes(ZHANDLE Dib, int32_t w, int32_t h) {
  GuardedVoid([&] { D(Dib)->SetAttributes(w, h); });
}
ZKW_EXPORT ZBLOCK ZKWAPI dibGetHandle(ZHANDLE Dib) { return B(D(Dib)->Handle()); }
ZKW_EXPORT void ZKWAPI dibSetHandle(ZHANDLE Dib, ZBLOCK Block) {
  GuardedVoid([&] { D(Dib)->SetHandle(H(Block)); });
}
ZKW_EXPORT ZBLOCK ZKWAPI dibGetAlphaHandle(ZHANDLE Dib) { return B(D(Dib)->GetAlphaHandle()); }
ZKW_EXPORT void ZKWAPI dibSetAlphaHandle(ZHANDLE Dib, ZBLOCK Block) {
  GuardedVoid([&] { D(Dib)->SetAlphaHandle(H(Block)); });
}
ZKW_EXPORT int32_t ZKWAPI dibGetLock(ZHANDLE Dib) { return D(Dib)->LockHandle() ? 1 : 0; }
ZKW_EXPORT void ZKWAPI dibSetLock(ZHANDLE Dib, uint8_t Flag) { D(Dib)->SetLockHandle(Flag != 0); }
ZKW_EXPORT int32_t ZKWAPI dibGetWidth(ZHANDLE Dib) { return D(Dib)->Width(); }
ZKW_EXPORT int32_t ZKWAPI dibGetHeight(ZHANDLE Dib) { return D(Dib)->Height(); }
ZKW_EXPORT int32_t ZKWAPI dibGetAlignWidth(ZHANDLE Dib) { return D(Dib)->AlignedWidth(); }
ZKW_EXPORT int32_t ZKWAPI dibGetBits(ZHANDLE Dib) { return D(Dib)->Bits(); }
ZKW_EXPORT void* ZKWAPI dibGetDibPtr(ZHANDLE Dib) { return D(Dib)->DibPtr; }
ZKW_EXPORT void* ZKWAPI dibGetDibData(ZHANDLE Dib) { return D(Dib)->DibData; }
ZKW_EXPORT void* ZKWAPI dibGetDibPal(ZHANDLE Dib) { return D(Dib)->DibPal; }
ZKW_EXPORT int32_t ZKWAPI dibGetDibSize(ZHANDLE Dib) { return D(Dib)->DibSize; }
ZKW_EXPORT int32_t ZKWAPI dibGetTransColor(ZHANDLE Dib) { return D(Dib)->TransparentColor; }
ZKW_EXPORT void ZKWAPI dibSetTransColor(ZHANDLE Dib, uint8_t Index) {
  D(Dib)->TransparentColor = Index;
}
ZKW_EXPORT void ZKWAPI dibSetDibPal(ZHANDLE Dib, const void* Table) {
  TDibBaseObj* dib = D(Dib);
  if (dib->FBits == 1 && dib->DibPal && Table) std::memmove(dib->DibPal, Table, zkw::kPaletteBytes);
}
ZKW_EXPORT ZHANDLE ZKWAPI dibGetAlphaDib(ZHANDLE Dib) { return D(Dib)->AlphaDib; }
ZKW_EXPORT void ZKWAPI dibAttachBitmap(ZHANDLE Dib, void* Bitmap) {
  GuardedVoid([&] {
    if (D(Dib)->FBits == 3) static_cast<zkw::TDib24Bits*>(D(Dib))->AttachBitmap(Bitmap);
  });
}
ZKW_EXPORT void ZKWAPI dibCopyTo(ZHANDLE Dib, ZHANDLE Dest) {
  GuardedVoid([&] {
    if (D(Dib)->FBits == 1) static_cast<zkw::TDib8Bits*>(D(Dib))->CopyTo(D(Dest));
  });
}
ZKW_EXPORT int32_t ZKWAPI dibLoadFromFile(ZHANDLE Dib, ZTEXT Name) {
  return Guarded<int32_t>(0, [&] { return D(Dib)->LoadFromFile(Name) ? 1 : 0; });
}
ZKW_EXPORT int32_t ZKWAPI dibSaveToFile(ZHANDLE Dib, ZTEXT Name) {
  return Guarded<int32_t>(0, [&] { return D(Dib)->SaveToFile(Name) ? 1 : 0; });
}
ZKW_EXPORT int32_t ZKWAPI dibSaveToDexFile(ZHANDLE Dib, ZTEXT Name) {
  return Guarded<int32_t>(0, [&] { return D(Dib)->SaveToDexFile(Name) ? 1 : 0; });
}
ZKW_EXPORT uint32_t ZKWAPI dibGetPixel(ZHANDLE Dib, int32_t x, int32_t y) {
  return D(Dib)->GetPixel(x, y);
}
ZKW_EXPORT uint32_t ZKWAPI dibGetPixelEx(ZHANDLE Dib, int32_t x, int32_t y) {
  return D(Dib)->GetPixelEx(x, y);
}
ZKW_EXPORT void ZKWAPI dibPutPixel(ZHANDLE Dib, int32_t x, int32_t y, uint32_t Color) {
  D(Dib)->PutPixel(x, y, Color);
}
ZKW_EXPORT void ZKWAPI dibPutShadPixel(ZHANDLE Dib, int32_t x, int32_t y, int32_t Shad) {
  D(Dib)->PutShadPixel(x, y, Shad);
}
ZKW_EXPORT void ZKWAPI dibPutMergePixel(ZHANDLE Dib, int32_t x, int32_t y, uint32_t Color,
                                        uint16_t AMerge) {
  D(Dib)->PutMergePixel(x, y, Color, AMerge);
}
ZKW_EXPORT void ZKWAPI dibCreateAlphaChannel(ZHANDLE Dib) {
  GuardedVoid([&] { D(Dib)->CreateAlphaChannel(); });
}
ZKW_EXPORT void ZKWAPI dibConvertAlphaGrayscale(ZHANDLE Dib) {
  GuardedVoid([&] { D(Dib)->ConvertAlphaGrayscale(); });
}
ZKW_EXPORT void ZKWAPI dibLoadAlphaFromFile(ZHANDLE Dib, ZTEXT Name) {
  GuardedVoid([&] { D(Dib)->LoadAlphaFromFile(Name); });
}
ZKW_EXPORT int32_t ZKWAPI SamePalette(const void* A, const void* B) {
  return zkw::SamePalette(static_cast<const zkw::TRGBQuad*>(A),
                          static_cast<const zkw::TRGBQuad*>(B))
             ? 1
             : 0;
}
ZKW_EXPORT uint8_t ZKWAPI NearestColor(uint32_t Color, const void* Table) {
  return zkw::NearestColor(Color, static_cast<const zkw::TRGBQuad*>(Table));
}
ZKW_EXPORT void ZKWAPI ChangeDibPaletteTo(ZHANDLE Dib, const void* Table) {
  GuardedVoid([&] { zkw::ChangeDibPaletteTo(D(Dib), static_cast<const zkw::TRGBQuad*>(Table)); });
}
