// JPEG picture libraries: up to 5000 named JPEG pictures behind a 20009-byte header
// ("MTJL" or "HGJL", the count, 5000 absolute record offsets). A record is a 41-byte name,
// the data size and the JPEG data.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/text16.h"
#include "common/byte_stream.h"
#include "imagefiles/jpeg_image.h"
#include "platform/plat_types.h"

namespace zkw {

constexpr int32_t kJpegLibSlots = 5000;
constexpr int32_t kJpegLibHeaderSize = 20009;
constexpr int32_t kJpegLibNameSize = 41;

struct TJpegLibRecord {
  std::string Name;  // 8-bit text, at most 40 bytes when written
  uint32_t Offset = 0;
  std::vector<uint8_t> Data;  // the JPEG file as stored
};

// Picture Index (1-based) decoded, its name in Name; none (with the reason) for an index
// outside 1..n, a count above 5000, an unknown signature, a record outside the file or data
// that does not decode.
std::unique_ptr<TJpegImage> ReadJpegFromLibrary(TStream& lib, int32_t Index, ZString* Name);
std::unique_ptr<TJpegImage> ReadJpegFromLibrary(const ZChar* file, int32_t Index, ZString* Name);
// ReadJpegFromLibrary and JpegToDib; PixelFormat 0 = 24 bits, 1 = 8 bits.
plat::HGLOBAL JpegLibraryToDib(const ZChar* file, int32_t Index, ZString* Name, int32_t PixelFormat);
plat::HGLOBAL JpegLibraryToDib(TStream& lib, int32_t Index, ZString* Name, int32_t PixelFormat);
// The JPEG data of a memory block decoded; the block is freed on every path.
std::unique_ptr<TJpegImage> JpegBlockToImage(plat::HGLOBAL block);
// Smoothing on, the given pixel format, then the picture as a new image block; 0 when empty.
plat::HGLOBAL JpegToDib(TJpegImage& image, int32_t PixelFormat);

// The records of a library, data included (for listing and extracting); false with the reason.
bool ReadJpegLibrary(TStream& lib, std::vector<TJpegLibRecord>& records);
// Writes an "HGJL" library of the records in order; false when there are none or more than
// 5000, or a name is longer than 40 bytes.
bool WriteJpegLibrary(TStream& out, const std::vector<TJpegLibRecord>& records);
bool WriteJpegLibrary(const ZChar* name, const std::vector<TJpegLibRecord>& records);

}  // namespace zkw
