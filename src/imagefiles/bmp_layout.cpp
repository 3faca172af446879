#include "imagefiles/bmp_layout.h"

#include <climits>
#include <cstring>

#include "imagefiles/packed_dib.h"

namespace zkw {

namespace {

constexpr uint64_t kFileHeaderSize = 14;
// Decoded pixels an RLE file may ask for per byte of coded data: a run of 255 pixels takes
// 2 bytes, and end-of-line and delta codes skip more, so real files stay far below this.
constexpr uint64_t kRlePixelsPerByte = 1024;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// A mask as a shift and a width; false when its bits are not one contiguous run.
bool ChannelOf(uint32_t mask, TBmpChannel& channel) {
  channel = TBmpChannel{};
  if (mask == 0) return true;
  while (!(mask & 1)) {
    mask >>= 1;
    ++channel.Shift;
  }
  while (mask & 1) {
    mask >>= 1;
    ++channel.Bits;
  }
  return mask == 0;
}

// The header's fields; those past a short OS/2 2.x header read as 0.
bool ReadHeader(const uint8_t* file, uint64_t size, TBmpLayout& l, std::string& reason) {
  const uint8_t* h = file + kFileHeaderSize;
  if (l.HeaderSize == 12) {  // OS/2 1.x: 16-bit sides, 3-byte table entries
    l.Width = U16(h + 4);
    l.Height = U16(h + 6);
    l.BitCount = U16(h + 10);
    l.EntryBytes = 3;
    return true;
  }
  bool os2v2 = l.HeaderSize >= 16 && l.HeaderSize <= 64 && l.HeaderSize != 40 &&
               l.HeaderSize != 52 && l.HeaderSize != 56;
  if (!os2v2 && l.HeaderSize != 40 && l.HeaderSize != 52 && l.HeaderSize != 56 &&
      l.HeaderSize != 108 && l.HeaderSize != 124) {
    reason = "BMP information header of " + std::to_string(l.HeaderSize) + " bytes is of no known kind";
    return false;
  }
  if (size < kFileHeaderSize + l.HeaderSize) {
    reason = "BMP file ends inside its " + std::to_string(l.HeaderSize) + "-byte information header";
    return false;
  }
  uint8_t full[124] = {};
  std::memcpy(full, h, l.HeaderSize);
  int32_t height;
  std::memcpy(&l.Width, full + 4, 4);
  std::memcpy(&height, full + 8, 4);
  l.BitCount = U16(full + 14);
  l.Compression = U32(full + 16);
  std::memcpy(&l.XResolution, full + 24, 4);
  std::memcpy(&l.YResolution, full + 28, 4);
  l.ColorsUsed = U32(full + 32);
  if (os2v2 && l.Compression > kBmpRle4) {
    reason = "OS/2 BMP compression " + std::to_string(l.Compression) + " is not read";
    return false;
  }
  l.TopDown = height < 0;
  l.Height = height == INT_MIN ? 0 : (height < 0 ? -height : height);
  return true;
}

// The channels of 16- and 32-bit pixels: the file's masks (inside headers of 52 bytes and more,
// else after a 40-byte header, where `masks` counts their bytes) or the plain layouts.
bool ReadMasks(const uint8_t* file, uint64_t size, TBmpLayout& l, uint32_t& masks, std::string& reason) {
  const uint8_t* h = file + kFileHeaderSize;
  if (l.Compression == kBmpBitFields || l.Compression == kBmpAlphaBitFields) {
    uint8_t m[16] = {};
    if (l.HeaderSize >= 52) {
      std::memcpy(m, h + 40, l.HeaderSize >= 56 ? 16 : 12);
    } else {
      masks = l.Compression == kBmpAlphaBitFields ? 16 : 12;
      if (size < kFileHeaderSize + l.HeaderSize + masks) {
        reason = "BMP file ends inside its colour masks";
        return false;
      }
      std::memcpy(m, h + l.HeaderSize, masks);
    }
    if (!ChannelOf(U32(m), l.Red) || !ChannelOf(U32(m + 4), l.Green) ||
        !ChannelOf(U32(m + 8), l.Blue) || !ChannelOf(U32(m + 12), l.Alpha)) {
      reason = "BMP colour mask is not one run of bits";
      return false;
    }
  } else if (l.BitCount == 16) {  // 5-5-5
    l.Red = {10, 5};
    l.Green = {5, 5};
    l.Blue = {0, 5};
  } else if (l.BitCount == 32) {  // the fourth byte is unused
    l.Red = {16, 8};
    l.Green = {8, 8};
    l.Blue = {0, 8};
  }
  for (const TBmpChannel* ch : {&l.Red, &l.Green, &l.Blue, &l.Alpha})
    if (ch->Bits && ch->Shift + ch->Bits > l.BitCount) {
      reason = "BMP colour mask reaches past the " + std::to_string(l.BitCount) + "-bit pixel";
      return false;
    }
  return true;
}

// Depth, compression and row order that fit together.
bool CheckCoding(const TBmpLayout& l, std::string& reason) {
  uint16_t b = l.BitCount;
  if (b != 1 && b != 4 && b != 8 && b != 16 && b != 24 && b != 32) {
    reason = "BMP files of " + std::to_string(b) + " bits per pixel are not read";
    return false;
  }
  uint32_t c = l.Compression;
  bool fits = c == kBmpRgb || (c == kBmpRle8 && b == 8) || (c == kBmpRle4 && b == 4) ||
              ((c == kBmpBitFields || c == kBmpAlphaBitFields) && (b == 16 || b == 32));
  if (!fits) {
    reason = "BMP compression " + std::to_string(c) + " at " + std::to_string(b) +
             " bits per pixel is not read";
    return false;
  }
  if ((c == kBmpRle8 || c == kBmpRle4) && l.TopDown) {
    reason = "a run-length coded BMP cannot store its rows from the top";
    return false;
  }
  return true;
}

// Colour table and pixel data inside the file; the file header's pixel offset is honoured
// when it lies after the headers.
bool PlaceData(uint64_t size, uint32_t offBits, uint32_t masks, TBmpLayout& l, std::string& reason) {
  l.TableAt = kFileHeaderSize + l.HeaderSize + masks;
  uint64_t entries = l.ColorsUsed;
  if (l.HeaderSize == 12 || entries == 0) entries = l.BitCount <= 8 ? uint64_t{1} << l.BitCount : 0;
  uint64_t tableBytes = entries * l.EntryBytes;
  if (offBits >= l.TableAt) {
    l.PixelsAt = offBits;
    // A table longer than the room before the pixels is cut there.
    if (tableBytes > offBits - l.TableAt) tableBytes = offBits - l.TableAt;
  } else {
    l.PixelsAt = l.TableAt + tableBytes;
  }
  if (l.TableAt + tableBytes > size) {
    reason = "BMP colour table of " + std::to_string(entries) + " entries runs past the end of the file";
    return false;
  }
  if (l.PixelsAt > size) {
    reason = "BMP pixel offset " + std::to_string(l.PixelsAt) + " lies past the end of the file";
    return false;
  }
  uint64_t usable = tableBytes / l.EntryBytes;
  l.TableEntries = static_cast<uint32_t>(usable > 256 ? 256 : usable);
  if (l.BitCount > 8) l.TableEntries = 0;
  uint64_t available = size - l.PixelsAt;
  if (l.Compression == kBmpRle8 || l.Compression == kBmpRle4) {
    l.PixelBytes = available;
    uint64_t pixels = static_cast<uint64_t>(l.Width) * static_cast<uint64_t>(l.Height);
    if (pixels > kRlePixelsPerByte * available + 65536) {
      reason = "run-length coded BMP of " + std::to_string(l.Width) + " x " + std::to_string(l.Height) +
               " pixels has only " + std::to_string(available) + " bytes of data";
      return false;
    }
    return true;
  }
  int64_t rows = RowsSize(RowStride(l.Width, l.BitCount), l.Height);
  if (static_cast<uint64_t>(rows) > available) {
    reason = "BMP rows of " + std::to_string(l.Width) + " x " + std::to_string(l.Height) + " at " +
             std::to_string(l.BitCount) + " bits need " + std::to_string(rows) + " bytes but " +
             std::to_string(available) + " follow the pixel offset " + std::to_string(l.PixelsAt);
    return false;
  }
  l.PixelBytes = static_cast<uint64_t>(rows);
  return true;
}

}  // namespace

bool ParseBmpLayout(const uint8_t* file, uint64_t size, TBmpLayout& layout, std::string& reason) {
  layout = TBmpLayout{};
  if (size < kFileHeaderSize + 12) {
    reason = "BMP file of " + std::to_string(size) + " bytes is shorter than its headers";
    return false;
  }
  layout.HeaderSize = U32(file + kFileHeaderSize);
  uint32_t masks = 0;
  if (!ReadHeader(file, size, layout, reason) || !CheckCoding(layout, reason) ||
      !ReadMasks(file, size, layout, masks, reason))
    return false;
  if (layout.Width <= 0 || layout.Height <= 0) {
    reason = "BMP picture of " + std::to_string(layout.Width) + " x " +
             std::to_string(layout.Height) + " pixels has a zero or negative side";
    return false;
  }
  if (!FitsImageObject(layout.Width, layout.Height, layout.BitCount <= 8 ? 8 : 24)) {
    reason = "BMP picture of " + std::to_string(layout.Width) + " x " +
             std::to_string(layout.Height) + " pixels is beyond the 2 GiB an image can hold";
    return false;
  }
  return PlaceData(size, U32(file + 10), masks, layout, reason);
}

bool IsLibraryLayout(const TBmpLayout& l) {
  bool table = l.BitCount == 8 ? l.ColorsUsed == 0 || l.ColorsUsed == 256 : l.ColorsUsed == 0;
  return l.HeaderSize == kInfoHeaderSize && (l.BitCount == 8 || l.BitCount == 24) &&
         l.Compression == kBmpRgb && !l.TopDown && table &&
         l.PixelsAt == 14 + kInfoHeaderSize + (l.BitCount == 8 ? kPaletteBytes : 0);
}

}  // namespace zkw
