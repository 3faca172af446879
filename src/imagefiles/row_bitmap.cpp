#include "imagefiles/row_bitmap.h"

#include <cstring>
#include <string>

#include "base/last_error.h"
#include "imagefiles/bmp_file.h"

namespace zkw {

namespace {

bool Fail(const std::string& reason) {
  SetLastErrorText(reason);
  return false;
}

bool SideOk(int64_t v) { return v >= 1 && v <= TRowBitmap::kMaxSide; }

// Pixel bytes of a w x h bitmap are limited to 1 GiB (and so fit size_t on 32-bit builds).
bool SizeOk(int64_t w, int64_t h, int64_t bits) {
  return SideOk(w) && SideOk(h) && RowStride(w, bits) * h <= (int64_t{1} << 30);
}

}  // namespace

bool TRowBitmap::SetSize(int32_t w, int32_t h, int32_t bits) {
  if ((bits != 8 && bits != 24) || !SizeOk(w, h, bits)) return false;
  FWidth = w;
  FHeight = h;
  FBitCount = bits;
  FStride = static_cast<int32_t>(RowStride(w, bits));
  FPixels.assign(static_cast<size_t>(FStride) * static_cast<size_t>(h), 0);
  for (int i = 0; i < 256; ++i)
    FColors[i] = TRGBQuad{static_cast<uint8_t>(i), static_cast<uint8_t>(i),
                          static_cast<uint8_t>(i), 0};
  return true;
}

uint8_t* TRowBitmap::ScanLine(int32_t y) {
  if (y < 0 || y >= FHeight) return nullptr;
  return FPixels.data() + static_cast<size_t>(y) * static_cast<size_t>(FStride);
}

bool TRowBitmap::LoadFromStream(TStream& Stream) {
  const int64_t start = Stream.Position();
  const int64_t available = Stream.Size() - start;
  TBitmapFileHeader file;
  TBitmapInfoHeader info;
  if (available < 54 || !Stream.ReadExact(&file, sizeof file) ||
      !Stream.ReadExact(&info, sizeof info))
    return Fail("BMP data of " + std::to_string(available) + " bytes is shorter than its headers");
  if (file.bfType != kBmpSignature) return Fail("BMP data does not start with \"BM\"");
  if (info.biSize < kInfoHeaderSize || int64_t{info.biSize} + 14 > available)
    return Fail("BMP header size " + std::to_string(info.biSize) + " does not fit the data");
  if (info.biBitCount != 8 && info.biBitCount != 24)
    return Fail("BMP depth " + std::to_string(info.biBitCount) + " is not 8 or 24 bits");
  if (info.biCompression != 0) return Fail("compressed BMP data is not read");
  const int64_t w = info.biWidth;
  const int64_t h = info.biHeight < 0 ? -int64_t{info.biHeight} : int64_t{info.biHeight};
  if (!SizeOk(w, h, info.biBitCount))
    return Fail("BMP size " + std::to_string(w) + " x " + std::to_string(h) + " is not accepted");
  int64_t entries = 0;
  if (info.biBitCount == 8) {
    entries = info.biClrUsed ? int64_t{info.biClrUsed} : 256;
    if (entries > 256) return Fail("BMP colour count " + std::to_string(entries) + " exceeds 256");
  }
  const int64_t tableAt = 14 + int64_t{info.biSize};
  if (tableAt + 4 * entries > available) return Fail("BMP colour table runs past the data");
  const int64_t stride = RowStride(w, info.biBitCount);
  const int64_t pixelBytes = stride * h;
  const int64_t bitsAt = file.bfOffBits;
  if (bitsAt < tableAt + 4 * entries || bitsAt + pixelBytes > available)
    return Fail("BMP pixels at " + std::to_string(bitsAt) + " (" + std::to_string(pixelBytes) +
                " bytes) run past the data of " + std::to_string(available) + " bytes");

  TColorTable colors{};
  if (entries && (Stream.Seek(start + tableAt, SeekOrigin::soBeginning) < 0 ||
                  !Stream.ReadExact(colors, static_cast<int32_t>(4 * entries))))
    return Fail("cannot read the BMP colour table");
  std::vector<uint8_t> pixels(static_cast<size_t>(pixelBytes));
  if (Stream.Seek(start + bitsAt, SeekOrigin::soBeginning) < 0 ||
      !Stream.ReadExact(pixels.data(), static_cast<int32_t>(pixelBytes)))
    return Fail("cannot read the BMP pixels");

  SetSize(static_cast<int32_t>(w), static_cast<int32_t>(h), info.biBitCount);
  std::memcpy(FColors, colors, sizeof colors);
  const bool bottomUp = info.biHeight > 0;
  for (int64_t y = 0; y < h; ++y) {
    const uint8_t* src = pixels.data() + (bottomUp ? h - 1 - y : y) * stride;
    std::memcpy(ScanLine(static_cast<int32_t>(y)), src, static_cast<size_t>(stride));
  }
  return true;
}

bool TRowBitmap::SaveToStream(TStream& Stream) const {
  if (FBitCount == 0) return Fail("no bitmap to save");
  const uint32_t table = FBitCount == 8 ? kPaletteBytes : 0;
  const uint32_t pixelBytes = static_cast<uint32_t>(FStride) * static_cast<uint32_t>(FHeight);
  const uint32_t offBits = 14 + kInfoHeaderSize + table;
  TBitmapFileHeader file{kBmpSignature, offBits + pixelBytes, 0, 0, offBits};
  TBitmapInfoHeader info{kInfoHeaderSize, FWidth, FHeight, 1, static_cast<uint16_t>(FBitCount),
                         0, pixelBytes, 0, 0, FBitCount == 8 ? 256u : 0u, 0};
  bool ok = Stream.WriteExact(&file, sizeof file) && Stream.WriteExact(&info, sizeof info) &&
            (table == 0 || Stream.WriteExact(FColors, static_cast<int32_t>(table)));
  for (int32_t y = FHeight - 1; ok && y >= 0; --y)
    ok = Stream.WriteExact(FPixels.data() + static_cast<size_t>(y) * FStride, FStride);
  return ok || Fail("cannot write the BMP data");
}

}  // namespace zkw
