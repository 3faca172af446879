// DEX records: one image memory block and its optional alpha block, each stored as a zlib
// stream (version 0x00020000) or raw (any other version), behind a 24-byte header.
#pragma once
#include <cstdint>
#include <vector>

#include "common/byte_stream.h"
#include "base/text16.h"
#include "platform/plat_types.h"

namespace zkw {

#pragma pack(push, 1)
struct TDexHeader {
  uint32_t Signature;   // 0x0000DE0A
  uint32_t Version;     // 0x00020000 compressed parts; anything else raw parts
  uint32_t TotalSize;   // 24 + part sizes (not checked on reading)
  uint16_t BitCount;    // bits per pixel of the image
  uint32_t ImageSize;   // bytes of the image part as stored
  int32_t AlphaSize;    // bytes of the alpha part as stored, 0 without alpha
  uint16_t HeaderSize;  // 24
};
#pragma pack(pop)
static_assert(sizeof(TDexHeader) == 24, "DEX header is 24 bytes");

constexpr uint32_t kDexSignature = 0x0000DE0A;
constexpr uint32_t kDexVersionCompressed = 0x00020000;
constexpr uint32_t kDexVersionRaw = 0x00010000;
// No part of a record may claim or inflate to more than this.
constexpr uint64_t kDexPartCeiling = 256ull << 20;

// Size of the record with raw parts; 0 when the image block is not a valid image.
int32_t GetDEXSize(plat::HGLOBAL image, plat::HGLOBAL alpha);
// Writes a record; bytes written, 0 on failure.
int32_t SaveDibExToStream(TStream* stream, plat::HGLOBAL image, plat::HGLOBAL alpha);
// The whole record in memory, with compressed or raw parts; false when a block is not an image.
bool BuildDexRecord(plat::HGLOBAL image, plat::HGLOBAL alpha, bool compress,
                    std::vector<uint8_t>& record);
bool SaveDibExFile(const ZChar* name, plat::HGLOBAL image, plat::HGLOBAL alpha);
// Writes into memory sized with GetDEXSize: when compression would not fit, the record is
// written with raw parts instead. Bytes written, 0 on failure.
int32_t SaveDibExToBuffer(void* dest, plat::HGLOBAL image, plat::HGLOBAL alpha);

// Reads a record; the image's bits per pixel, or 0 (and both blocks 0) on failure.
uint32_t LoadDibExFromStream(TStream* stream, plat::HGLOBAL* image, plat::HGLOBAL* alpha);
uint32_t LoadDibExFile(const ZChar* name, plat::HGLOBAL* image, plat::HGLOBAL* alpha);
// Reads a record at *pos, at most `available` bytes, and advances *pos past it.
uint32_t LoadDibExFromMemory(const uint8_t** pos, uint64_t available, plat::HGLOBAL* image,
                             plat::HGLOBAL* alpha);

}  // namespace zkw
