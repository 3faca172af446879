#include "imagefiles/bmp_pixels.h"

#include <cstring>

#include "imagefiles/memory_block.h"
#include "imagefiles/packed_dib.h"
#include "platform/plat.h"

namespace zkw {

namespace {

// A new zero-initialised block of w x h at 8 or 24 bits with its 40-byte header written.
plat::HGLOBAL NewImageBlock(const TBmpLayout& l, uint16_t bits) {
  int64_t table = bits == 8 ? kPaletteBytes : 0;
  int64_t total = kInfoHeaderSize + table + RowStride(l.Width, bits) * l.Height;
  plat::HGLOBAL block = plat::GlobalAlloc(plat::GHND, static_cast<size_t>(total));
  if (!block) return nullptr;
  LockedBlock locked(block);
  if (!locked.Data()) {
    plat::GlobalFree(block);
    return nullptr;
  }
  TBitmapInfoHeader header{kInfoHeaderSize, l.Width, l.Height, 1, bits, 0, 0,
                           l.XResolution, l.YResolution, 0, 0};
  std::memcpy(locked.Data(), &header, sizeof header);
  return block;
}

// The rows of a locked block under construction, addressed from the bottom as stored.
struct TRows {
  uint8_t* First;
  int64_t Stride;
  uint8_t* FromBottom(int64_t row) const { return First + row * Stride; }
};

TRows RowsOf(const LockedBlock& locked, uint16_t bits, int32_t width) {
  uint64_t table = bits == 8 ? kPaletteBytes : 0;
  return TRows{locked.Data() + kInfoHeaderSize + table, RowStride(width, bits)};
}

void CopyTable(const uint8_t* file, const TBmpLayout& l, uint8_t* table) {
  for (uint32_t i = 0; i < l.TableEntries; ++i) {
    const uint8_t* e = file + l.TableAt + uint64_t{i} * l.EntryBytes;
    std::memcpy(table + 4 * i, e, 3);  // blue, green, red; the fourth byte stays 0
  }
}

// Plain rows of 1, 4 or 8 bits as one index byte per pixel.
void IndexRows(const uint8_t* file, const TBmpLayout& l, const TRows& out) {
  int64_t stride = RowStride(l.Width, l.BitCount);
  for (int64_t r = 0; r < l.Height; ++r) {
    const uint8_t* src = file + l.PixelsAt + r * stride;
    uint8_t* dst = out.FromBottom(l.TopDown ? l.Height - 1 - r : r);
    if (l.BitCount == 8) {
      std::memcpy(dst, src, static_cast<size_t>(l.Width));
    } else if (l.BitCount == 4) {
      for (int32_t x = 0; x < l.Width; ++x) dst[x] = (src[x >> 1] >> (x & 1 ? 0 : 4)) & 15;
    } else {
      for (int32_t x = 0; x < l.Width; ++x) dst[x] = (src[x >> 3] >> (7 - (x & 7))) & 1;
    }
  }
}

// Run-length coded rows (bottom-up): runs, end of line, end of picture, deltas and absolute
// runs padded to 16 bits. Pixels past a row's end are dropped; pixels never written stay 0.
void RleRows(const uint8_t* file, const TBmpLayout& l, const TRows& out) {
  const uint8_t* p = file + l.PixelsAt;
  const uint8_t* end = p + l.PixelBytes;
  const bool four = l.Compression == kBmpRle4;
  int64_t x = 0, y = 0;
  auto put = [&](uint8_t index) {
    if (x < l.Width) out.FromBottom(y)[x] = index;
    ++x;
  };
  while (end - p >= 2 && y < l.Height) {
    uint8_t n = p[0], c = p[1];
    p += 2;
    if (n > 0) {
      for (int i = 0; i < n; ++i) put(four ? (i & 1 ? c & 15 : c >> 4) : c);
    } else if (c == 0) {
      x = 0;
      ++y;
    } else if (c == 1) {
      break;
    } else if (c == 2) {
      if (end - p < 2) break;
      x += p[0];
      y += p[1];
      p += 2;
    } else {
      int64_t bytes = four ? (c + 1) / 2 : c;
      if (end - p < bytes) break;
      for (int i = 0; i < c; ++i) put(four ? (i & 1 ? p[i / 2] & 15 : p[i / 2] >> 4) : p[i]);
      p += bytes + (bytes & 1);
      if (p > end) p = end;
    }
  }
}

// Plain 24-bit rows.
void CopyRows24(const uint8_t* file, const TBmpLayout& l, const TRows& out) {
  for (int64_t r = 0; r < l.Height; ++r)
    std::memcpy(out.FromBottom(l.TopDown ? l.Height - 1 - r : r), file + l.PixelsAt + r * out.Stride,
                static_cast<size_t>(l.Width) * 3);
}

uint8_t Channel(uint32_t pixel, const TBmpChannel& c) {
  if (c.Bits == 0) return 0;
  uint32_t v = (pixel >> c.Shift) & (c.Bits >= 32 ? 0xFFFFFFFFu : (1u << c.Bits) - 1);
  return WidenChannel(v, c.Bits);
}

// 16- and 32-bit rows through their masks; the alpha channel goes to `alpha` when given.
// True when some alpha value is not 0.
bool MaskedRows(const uint8_t* file, const TBmpLayout& l, const TRows& out, const TRows* alpha) {
  int64_t stride = RowStride(l.Width, l.BitCount);
  bool anyAlpha = false;
  for (int64_t r = 0; r < l.Height; ++r) {
    const uint8_t* src = file + l.PixelsAt + r * stride;
    int64_t row = l.TopDown ? l.Height - 1 - r : r;
    uint8_t* dst = out.FromBottom(row);
    uint8_t* a = alpha ? alpha->FromBottom(row) : nullptr;
    for (int32_t x = 0; x < l.Width; ++x) {
      const uint8_t* s = src + (l.BitCount == 16 ? 2 : 4) * int64_t{x};
      uint32_t v = l.BitCount == 16 ? s[0] | s[1] << 8
                                    : s[0] | s[1] << 8 | s[2] << 16 | static_cast<uint32_t>(s[3]) << 24;
      dst[3 * x] = Channel(v, l.Blue);
      dst[3 * x + 1] = Channel(v, l.Green);
      dst[3 * x + 2] = Channel(v, l.Red);
      if (a) anyAlpha |= (a[x] = Channel(v, l.Alpha)) != 0;
    }
  }
  return anyAlpha;
}

// The alpha block of a file with an alpha mask: 8-bit, grey-ramp table; 0 when out of memory.
plat::HGLOBAL NewAlphaBlock(const TBmpLayout& l) {
  plat::HGLOBAL block = NewImageBlock(l, 8);
  if (!block) return nullptr;
  LockedBlock locked(block);
  uint8_t* table = locked.Data() + kInfoHeaderSize;
  for (int i = 0; i < 256; ++i) std::memset(table + 4 * i, i, 3);
  return block;
}

}  // namespace

uint8_t WidenChannel(uint32_t v, uint32_t n) {
  if (n >= 8) return static_cast<uint8_t>(v >> (n - 8));
  uint32_t out = 0;
  for (int shift = 8 - static_cast<int>(n); shift > -static_cast<int>(n); shift -= static_cast<int>(n))
    out |= shift >= 0 ? v << shift : v >> -shift;
  return static_cast<uint8_t>(out);
}

bool ConvertBmpPixels(const uint8_t* file, const TBmpLayout& l, plat::HGLOBAL& image,
                      plat::HGLOBAL* alpha) {
  if (alpha) *alpha = nullptr;
  const uint16_t bits = l.BitCount <= 8 ? 8 : 24;
  image = NewImageBlock(l, bits);
  if (!image) return false;
  LockedBlock locked(image);
  TRows rows = RowsOf(locked, bits, l.Width);
  if (bits == 8) {
    CopyTable(file, l, locked.Data() + kInfoHeaderSize);
    if (l.Compression == kBmpRle8 || l.Compression == kBmpRle4)
      RleRows(file, l, rows);
    else
      IndexRows(file, l, rows);
    return true;
  }
  if (l.BitCount == 24) {
    CopyRows24(file, l, rows);
    return true;
  }
  plat::HGLOBAL alphaBlock = alpha && l.Alpha.Bits ? NewAlphaBlock(l) : nullptr;
  if (!alphaBlock) {
    MaskedRows(file, l, rows, nullptr);
    return true;
  }
  bool anyAlpha;
  {
    LockedBlock alphaLocked(alphaBlock);
    TRows alphaRows = RowsOf(alphaLocked, 8, l.Width);
    anyAlpha = MaskedRows(file, l, rows, &alphaRows);
  }
  // Writers that leave the alpha byte at 0 mean an opaque picture, not an invisible one.
  if (anyAlpha)
    *alpha = alphaBlock;
  else
    plat::GlobalFree(alphaBlock);
  return true;
}

}  // namespace zkw
