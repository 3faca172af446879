// Making DIB objects: empty ones by depth, deep copies, and images read from BMP files, DEX
// records and the library's resources. Every factory picks TDib8Bits for 8 bits per pixel and
// TDib24Bits otherwise, then hands the block to SetHandle.
#pragma once
#include <cstdint>

#include "base/text16.h"
#include "dib/dib_base.h"
#include "platform/plat_types.h"

namespace zkw {

// An empty image: 8 gives TDib8Bits, anything else TDib24Bits.
TDibBaseObj* CreateDibObject(uint8_t Bits);
// Deep copy of an image and its alpha companion; null for no image or an attached bitmap.
TDibBaseObj* CreateDibFrom(TDibBaseObj* Dib);
// Image from a BMP file; null when the file is not a BMP file.
TDibBaseObj* CreateDibFromFile(const ZChar* name);
// Image (and alpha companion) from a DEX file; null when it holds no DEX record.
TDibBaseObj* DibObjectFromDex(const ZChar* name);
// Image from a DEX record in memory of at most `available` bytes.
TDibBaseObj* DibObjectFromBuffer(const uint8_t* record, uint64_t available);
// Image (and alpha companion) of entry Index of a DIB library; the class follows the depth of
// the image stored (a 24-bit block in a version-1 library gives TDib24Bits). Null on failure.
TDibBaseObj* DibObjectFromLib(const ZChar* name, int32_t Index);
// Image from a "DEXBITMAP" resource of a module; null when the resource is missing.
TDibBaseObj* LoadDexFromResource(plat::HMODULE Instance, const ZChar* Name);
// Image from a DEX record stored as a resource of any type; null when the resource is missing.
TDibBaseObj* LoadDexResource(plat::HMODULE Instance, const ZChar* Name, const ZChar* Type);

}  // namespace zkw
