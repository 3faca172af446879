#include "imagefiles/dex.h"

#include <zlib.h>

#include <climits>
#include <cstring>
#include <vector>

#include "base/last_error.h"
#include "imagefiles/memory_block.h"
#include "imagefiles/packed_dib.h"
#include "platform/plat.h"

namespace zkw {

namespace {

// The stored form of a block (header, colour table, rows), checked against the block's size.
bool RawContentOf(plat::HGLOBAL block, const char* what, std::vector<uint8_t>& raw) {
  LockedBlock locked(block);
  std::string reason;
  if (!locked.Data()) {
    SetLastErrorText(std::string(what) + " block is not a memory block");
    return false;
  }
  if (!CheckPackedDib(locked.Data(), locked.Size(), reason)) {
    SetLastErrorText(std::string(what) + ": " + reason);
    return false;
  }
  TBitmapInfoHeader header;
  std::memcpy(&header, locked.Data(), sizeof header);
  int64_t size = RawDibSize(header);
  if (static_cast<uint64_t>(size) > kDexPartCeiling) {
    SetLastErrorText(std::string(what) + " of " + std::to_string(size) + " bytes is too large");
    return false;
  }
  raw.assign(locked.Data(), locked.Data() + size);
  return true;
}

bool Compress(const std::vector<uint8_t>& raw, std::vector<uint8_t>& packed) {
  uLongf bound = compressBound(static_cast<uLong>(raw.size()));
  packed.resize(bound);
  if (compress2(packed.data(), &bound, raw.data(), static_cast<uLong>(raw.size()),
                Z_DEFAULT_COMPRESSION) != Z_OK) {
    SetLastErrorText("compression failed");
    return false;
  }
  packed.resize(bound);
  return true;
}

constexpr uint64_t kMaxDeflateRatio = 1032;

// Inflates a part. The first 40 bytes are the part's bitmap header, which fixes how long the
// inflated part may be; a stream that inflates past that (or past the ceiling) is refused.
bool Inflate(const uint8_t* packed, uint64_t packedSize, const char* what,
             std::vector<uint8_t>& raw) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return false;
  z.next_in = const_cast<Bytef*>(packed);
  z.avail_in = static_cast<uInt>(packedSize);
  uint64_t limit = kInfoHeaderSize;  // until the header is known
  bool headerKnown = false;
  raw.assign(kInfoHeaderSize, 0);
  size_t produced = 0;
  int status = Z_OK;
  std::string failure;
  while (true) {
    z.next_out = raw.data() + produced;
    z.avail_out = static_cast<uInt>(raw.size() - produced);
    status = inflate(&z, Z_NO_FLUSH);
    produced = raw.size() - z.avail_out;
    if (status == Z_STREAM_END) break;
    if (status != Z_OK && status != Z_BUF_ERROR) {
      failure = std::string(what) + " part is not a valid zlib stream";
      break;
    }
    if (z.avail_out != 0) {  // no progress possible: input ended early
      failure = std::string(what) + " part ends before its zlib stream does";
      break;
    }
    if (!headerKnown) {
      TBitmapInfoHeader header;
      std::memcpy(&header, raw.data(), sizeof header);
      if (header.biSize != kInfoHeaderSize || header.biWidth < 0) {
        failure = std::string(what) + " part does not begin with a valid bitmap header";
        break;
      }
      int64_t expected = RawDibSize(header);
      if (static_cast<uint64_t>(expected) > kDexPartCeiling) {
        failure = std::string(what) + " part declares " + std::to_string(expected) +
                  " bytes, more than the reader accepts";
        break;
      }
      // Deflate packs at most 1032 bytes into one, so a stream that could never fill the
      // declared size is refused before its buffer is made (small files declaring huge
      // pictures would otherwise cost their full size each time they are read).
      if (static_cast<uint64_t>(expected) > packedSize * kMaxDeflateRatio + kInfoHeaderSize) {
        failure = std::string(what) + " part declares " + std::to_string(expected) + " bytes, more than its " +
                  std::to_string(packedSize) + " stored bytes can inflate to";
        break;
      }
      headerKnown = true;
      limit = static_cast<uint64_t>(expected);
      if (limit > produced) {
        raw.resize(limit);
        continue;
      }
    }
    // The buffer is full at the declared size; one more byte means the part is too long.
    uint8_t extra;
    z.next_out = &extra;
    z.avail_out = 1;
    status = inflate(&z, Z_NO_FLUSH);
    if (status == Z_STREAM_END && z.avail_out == 1) break;
    failure = std::string(what) + " part inflates past the " + std::to_string(limit) +
              " bytes its bitmap header declares";
    break;
  }
  inflateEnd(&z);
  if (!failure.empty()) {
    SetLastErrorText(failure);
    return false;
  }
  raw.resize(produced);
  return true;
}

// False (with the reason) for a part whose picture has one zero or negative side: it holds no
// pixel, yet its rows could ask for gigabytes once the image is re-sized or given a companion.
// The empty 0 x 0 image the writer stores for an empty object stays readable.
bool PictureSizeAccepted(const std::vector<uint8_t>& raw, const char* what) {
  if (raw.size() < sizeof(TBitmapInfoHeader)) return true;  // the image object refuses it
  TBitmapInfoHeader header;
  std::memcpy(&header, raw.data(), sizeof header);
  bool empty = header.biWidth == 0 && header.biHeight == 0;
  if (empty || (header.biWidth > 0 && header.biHeight > 0)) return true;
  SetLastErrorText(std::string(what) + " part has a picture of " + std::to_string(header.biWidth) +
                   " x " + std::to_string(header.biHeight) + " pixels");
  return false;
}

// Reads one part of `size` stored bytes into a new block.
plat::HGLOBAL ReadPart(TStream* stream, uint64_t size, bool compressed, const char* what) {
  std::vector<uint8_t> stored(size);
  if (size && !stream->ReadExact(stored.data(), static_cast<int32_t>(size))) {
    SetLastErrorText(std::string(what) + " part could not be read");
    return nullptr;
  }
  std::vector<uint8_t> raw;
  if (!compressed)
    raw.swap(stored);
  else if (!Inflate(stored.data(), size, what, raw))
    return nullptr;
  if (!PictureSizeAccepted(raw, what)) return nullptr;
  return NewBlockFrom(raw.data(), raw.size());
}

void FreeBlocks(plat::HGLOBAL* image, plat::HGLOBAL* alpha) {
  if (*image) plat::GlobalFree(*image);
  if (*alpha) plat::GlobalFree(*alpha);
  *image = *alpha = nullptr;
}

// Builds the record: header and parts, compressed or raw.
bool BuildRecord(plat::HGLOBAL image, plat::HGLOBAL alpha, bool compress,
                 std::vector<uint8_t>& record) {
  std::vector<uint8_t> imageRaw, alphaRaw, imagePart, alphaPart;
  if (!RawContentOf(image, "image", imageRaw)) return false;
  if (alpha && !RawContentOf(alpha, "alpha", alphaRaw)) return false;
  if (compress) {
    if (!Compress(imageRaw, imagePart)) return false;
    if (alpha && !Compress(alphaRaw, alphaPart)) return false;
  } else {
    imagePart.swap(imageRaw);
    alphaPart.swap(alphaRaw);
  }
  TBitmapInfoHeader info;
  std::memcpy(&info, compress ? imageRaw.data() : imagePart.data(), sizeof info);
  TDexHeader header{kDexSignature,
                    compress ? kDexVersionCompressed : kDexVersionRaw,
                    static_cast<uint32_t>(24 + imagePart.size() + alphaPart.size()),
                    info.biBitCount,
                    static_cast<uint32_t>(imagePart.size()),
                    static_cast<int32_t>(alphaPart.size()),
                    24};
  record.resize(sizeof header);
  std::memcpy(record.data(), &header, sizeof header);
  record.insert(record.end(), imagePart.begin(), imagePart.end());
  record.insert(record.end(), alphaPart.begin(), alphaPart.end());
  return true;
}

}  // namespace

bool BuildDexRecord(plat::HGLOBAL image, plat::HGLOBAL alpha, bool compress,
                    std::vector<uint8_t>& record) {
  return BuildRecord(image, alpha, compress, record);
}

int32_t GetDEXSize(plat::HGLOBAL image, plat::HGLOBAL alpha) {
  LockedBlock locked(image);
  std::string reason;
  if (!locked.Data() || !CheckPackedDib(locked.Data(), locked.Size(), reason)) {
    SetLastErrorText(locked.Data() ? "image: " + reason : "image block is not a memory block");
    return 0;
  }
  TBitmapInfoHeader header;
  std::memcpy(&header, locked.Data(), sizeof header);
  int64_t size = 24 + RawDibSize(header);
  if (alpha) {
    LockedBlock alphaLocked(alpha);
    if (!alphaLocked.Data() || !CheckPackedDib(alphaLocked.Data(), alphaLocked.Size(), reason)) {
      SetLastErrorText(alphaLocked.Data() ? "alpha: " + reason : "alpha block is not a memory block");
      return 0;
    }
    TBitmapInfoHeader alphaHeader;
    std::memcpy(&alphaHeader, alphaLocked.Data(), sizeof alphaHeader);
    size += 1064 + RowStride(alphaHeader.biWidth, 8) * alphaHeader.biHeight;
  }
  return size > INT32_MAX ? 0 : static_cast<int32_t>(size);
}

int32_t SaveDibExToStream(TStream* stream, plat::HGLOBAL image, plat::HGLOBAL alpha) {
  std::vector<uint8_t> record;
  if (!stream || !BuildRecord(image, alpha, true, record)) return 0;
  int32_t written = stream->Write(record.data(), static_cast<int32_t>(record.size()));
  if (written != static_cast<int32_t>(record.size())) {
    SetLastErrorText("DEX record could not be written");
    return 0;
  }
  return written;
}

bool SaveDibExFile(const ZChar* name, plat::HGLOBAL image, plat::HGLOBAL alpha) {
  TFileStream file(name, FileMode::fmCreate);
  if (!file.IsOpen()) {
    SetLastErrorText("cannot create \"" + ToUtf8(name) + "\"");
    return false;
  }
  return SaveDibExToStream(&file, image, alpha) > 0;
}

int32_t SaveDibExToBuffer(void* dest, plat::HGLOBAL image, plat::HGLOBAL alpha) {
  int32_t room = GetDEXSize(image, alpha);
  std::vector<uint8_t> record;
  if (!dest || room == 0 || !BuildRecord(image, alpha, true, record)) return 0;
  // Incompressible images: raw parts always fit the size GetDEXSize promised.
  if (record.size() > static_cast<size_t>(room) && !BuildRecord(image, alpha, false, record))
    return 0;
  if (record.size() > static_cast<size_t>(room)) {
    SetLastErrorText("DEX record does not fit the size GetDEXSize gives");
    return 0;
  }
  std::memcpy(dest, record.data(), record.size());
  return static_cast<int32_t>(record.size());
}

uint32_t LoadDibExFromStream(TStream* stream, plat::HGLOBAL* image, plat::HGLOBAL* alpha) {
  plat::HGLOBAL dummyImage = nullptr, dummyAlpha = nullptr;
  if (!image) image = &dummyImage;
  if (!alpha) alpha = &dummyAlpha;
  *image = *alpha = nullptr;
  if (!stream) return 0;
  int64_t start = stream->Position();
  TDexHeader header;
  if (!stream->ReadExact(&header, sizeof header)) {
    SetLastErrorText("DEX record is shorter than its 24-byte header");
    return 0;
  }
  if (header.Signature != kDexSignature || header.HeaderSize != 24) {
    SetLastErrorText("not a DEX record (signature or header size is wrong)");
    return 0;
  }
  uint64_t remaining = static_cast<uint64_t>(stream->Size() - start - 24);
  uint64_t alphaSize = header.AlphaSize > 0 ? static_cast<uint64_t>(header.AlphaSize) : 0;
  if (header.ImageSize > kDexPartCeiling || alphaSize > kDexPartCeiling) {
    SetLastErrorText("DEX part size " + std::to_string(header.ImageSize > kDexPartCeiling
                                                          ? header.ImageSize
                                                          : alphaSize) +
                     " is larger than the reader accepts");
    return 0;
  }
  if (header.ImageSize + alphaSize > remaining) {
    SetLastErrorText("DEX part size " + std::to_string(header.ImageSize + alphaSize) +
                     " runs past the end of the data at " +
                     std::to_string(start + 24 + static_cast<int64_t>(remaining)));
    return 0;
  }
  bool compressed = header.Version == kDexVersionCompressed;
  *image = ReadPart(stream, header.ImageSize, compressed, "image");
  if (!*image) return 0;
  if (alphaSize > 0) {
    *alpha = ReadPart(stream, alphaSize, compressed, "alpha");
    if (!*alpha) {
      FreeBlocks(image, alpha);
      return 0;
    }
  }
  if (header.BitCount == 0) {
    SetLastErrorText("DEX record declares 0 bits per pixel");
    FreeBlocks(image, alpha);
  }
  if (dummyImage) plat::GlobalFree(dummyImage);
  if (dummyAlpha) plat::GlobalFree(dummyAlpha);
  return header.BitCount;
}

uint32_t LoadDibExFile(const ZChar* name, plat::HGLOBAL* image, plat::HGLOBAL* alpha) {
  if (image) *image = nullptr;
  if (alpha) *alpha = nullptr;
  TFileStream file(name, FileMode::fmOpenRead);
  if (!file.IsOpen()) {
    SetLastErrorText("cannot open \"" + ToUtf8(name) + "\"");
    return 0;
  }
  return LoadDibExFromStream(&file, image, alpha);
}

uint32_t LoadDibExFromMemory(const uint8_t** pos, uint64_t available, plat::HGLOBAL* image,
                             plat::HGLOBAL* alpha) {
  if (image) *image = nullptr;
  if (alpha) *alpha = nullptr;
  if (!pos || !*pos) return 0;
  TBufferStream stream(*pos, available);
  uint32_t bits = LoadDibExFromStream(&stream, image, alpha);
  if (bits) *pos += stream.Position();
  return bits;
}

}  // namespace zkw
