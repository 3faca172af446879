#include "imagefiles/bitmap_convert.h"

#include <cstring>
#include <vector>

#include "common/byte_stream.h"
#include "base/last_error.h"
#include "imagefiles/bmp_file.h"
#include "imagefiles/device_dib.h"
#include "imagefiles/memory_block.h"
#include "imagefiles/packed_dib.h"
#include "platform/plat.h"

namespace zkw {

namespace {

// Creates a device-dependent bitmap on the screen DC from a checked packed DIB, with the
// 8-bit image's palette selected and realised while it is made.
plat::HBITMAP DeviceBitmapFrom(const uint8_t* dib, uint64_t pixelOffset, plat::HPALETTE* palette) {
  const auto* info = reinterpret_cast<const plat::BITMAPINFO*>(dib);
  plat::HPALETTE made = nullptr;
  if (info->bmiHeader.biBitCount == 8)
    made = PaletteFromTable(dib + (info->bmiHeader.biSize >= 40 ? info->bmiHeader.biSize : 40), 256);
  if (palette) *palette = made;
  plat::HDC screen = plat::GetDC(nullptr);
  if (!screen) return nullptr;
  plat::HPALETTE old = made ? plat::SelectPalette(screen, made, 0) : nullptr;
  if (made) plat::RealizePalette(screen);
  plat::HBITMAP bitmap = plat::CreateDIBitmap(screen, &info->bmiHeader, plat::CBM_INIT,
                                              dib + pixelOffset, info, plat::DIB_RGB_COLORS);
  if (old) plat::SelectPalette(screen, old, 0);
  plat::ReleaseDC(nullptr, screen);
  // The palette goes to the caller only with a bitmap, and only when asked for.
  if (made && (!palette || !bitmap)) {
    plat::DeleteObject(made);
    if (palette) *palette = nullptr;
  }
  return bitmap;
}

// Finds a bitmap resource and checks its data as a packed DIB.
struct BitmapResource {
  BitmapResource(plat::HMODULE instance, const ZChar* name) {
    res = plat::FindResourceW(instance, name, plat::RT_BITMAP_TYPE());
    if (!res) {
      SetLastErrorText("no bitmap resource \"" + ToUtf8(name) + "\"");
      return;
    }
    handle = plat::LoadResource(instance, res);
    data = handle ? static_cast<const uint8_t*>(plat::LockResource(handle)) : nullptr;
    size = data ? plat::SizeofResource(instance, res) : 0;
  }
  ~BitmapResource() {
    if (handle) plat::FreeResource(handle);
  }
  plat::HRSRC res = nullptr;
  plat::HGLOBAL handle = nullptr;
  const uint8_t* data = nullptr;
  uint64_t size = 0;
};

}  // namespace

plat::HPALETTE PaletteFromTable(const void* table, uint32_t count) {
  std::vector<uint8_t> store(sizeof(plat::LOGPALETTE) + count * sizeof(plat::PALETTEENTRY));
  auto* lp = reinterpret_cast<plat::LOGPALETTE*>(store.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = static_cast<plat::WORD>(count);
  const auto* quads = static_cast<const TRGBQuad*>(table);
  for (uint32_t i = 0; i < count; ++i)
    lp->palPalEntry[i] = {quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue, 0};
  return plat::CreatePalette(lp);
}

plat::HGLOBAL BitmapToDIB(plat::HDC dc, plat::HBITMAP bitmap, plat::HPALETTE palette) {
  plat::BITMAP bm{};
  if (!bitmap || plat::GetObjectW(bitmap, sizeof bm, &bm) != static_cast<int>(sizeof bm)) {
    SetLastErrorText("not a bitmap");
    return nullptr;
  }
  int32_t bits = bm.bmPlanes * bm.bmBitsPixel;
  if (bits > 24) bits = 24;
  int32_t table = bits == 1 ? 8 : bits == 4 ? 64 : bits == 8 ? 1024 : 0;
  int64_t stride = RowStride(bm.bmWidth, bits);
  int64_t imageSize = stride * bm.bmHeight;
  if (bm.bmWidth <= 0 || bm.bmHeight <= 0 || imageSize > (int64_t{1} << 30)) return nullptr;
  plat::HGLOBAL block = plat::GlobalAlloc(plat::GHND, static_cast<size_t>(40 + table + imageSize));
  if (!block) return nullptr;
  bool ok;
  {
    LockedBlock locked(block);
    TBitmapInfoHeader header{40, bm.bmWidth, bm.bmHeight, bm.bmPlanes, static_cast<uint16_t>(bits),
                             0, static_cast<uint32_t>(imageSize), 0, 0, 0, 0};
    std::memcpy(locked.Data(), &header, sizeof header);
    if (bits == 8) {
      plat::PALETTEENTRY entries[256] = {};
      if (palette)
        plat::GetPaletteEntries(palette, 0, 256, entries);
      else
        plat::GetSystemPaletteEntries(dc, 0, 256, entries);
      auto* quads = reinterpret_cast<TRGBQuad*>(locked.Data() + 40);
      for (int i = 0; i < 256; ++i)
        quads[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    }
    ok = plat::GetDIBits(dc, bitmap, 0, static_cast<plat::UINT>(bm.bmHeight),
                         locked.Data() + 40 + table,
                         reinterpret_cast<plat::BITMAPINFO*>(locked.Data()),
                         plat::DIB_RGB_COLORS) != 0;
  }
  if (!ok) {
    SetLastErrorText("the bitmap's pixels could not be read");
    plat::GlobalFree(block);
    return nullptr;
  }
  return block;
}

bool SaveBitmapToFile(plat::HDC dc, const ZChar* name, plat::HBITMAP bitmap, plat::HPALETTE palette) {
  plat::HGLOBAL block = BitmapToDIB(dc, bitmap, palette);
  if (!block) return false;
  bool saved = SaveDibToBitmap(name, block);
  plat::GlobalFree(block);
  return saved;
}

plat::HBITMAP BitmapFromDIB(plat::HGLOBAL block, plat::HPALETTE* palette) {
  if (palette) *palette = nullptr;
  DeviceDib dib(block);
  if (!dib.Valid()) return nullptr;
  LockedBlock locked(block);
  uint64_t pixelOffset = static_cast<const uint8_t*>(dib.Pixels()) - locked.Data();
  return DeviceBitmapFrom(locked.Data(), pixelOffset, palette);
}

plat::HBITMAP ReadBitmap(const ZChar* name, plat::HPALETTE* palette) {
  if (palette) *palette = nullptr;
  std::vector<uint8_t> file;
  if (!ReadWholeFile(name, file)) {
    SetLastErrorText("cannot read \"" + ToUtf8(name) + "\"");
    return nullptr;
  }
  return ReadBitmapFromBytes(file.data(), file.size(), palette);
}

plat::HBITMAP ReadBitmapFromBytes(const uint8_t* bytes, uint64_t size, plat::HPALETTE* palette) {
  if (palette) *palette = nullptr;
  TBitmapFileHeader header{};
  if (size < sizeof header + 40) {
    SetLastErrorText("file is too short for a BMP file");
    return nullptr;
  }
  std::memcpy(&header, bytes, sizeof header);
  const uint8_t* dib = bytes + sizeof header;
  uint64_t available = size - sizeof header;
  uint32_t infoSize;
  std::memcpy(&infoSize, dib, 4);
  if (header.bfType != kBmpSignature || infoSize != 40) {
    SetLastErrorText("not a BMP file with a 40-byte information header");
    return nullptr;
  }
  uint64_t pixelOffset;
  std::string reason;
  if (!CheckDeviceDib(dib, available, pixelOffset, reason)) {
    SetLastErrorText(reason);
    return nullptr;
  }
  // The rows are where the file header says; they must lie inside the file too.
  uint64_t rowsAt = header.bfOffBits >= sizeof header ? header.bfOffBits - sizeof header : 0;
  const auto* h = reinterpret_cast<const plat::BITMAPINFOHEADER*>(dib);
  uint64_t rows = static_cast<uint64_t>(RowStride(h->biWidth, h->biBitCount)) *
                  static_cast<uint64_t>(h->biHeight < 0 ? -static_cast<int64_t>(h->biHeight) : h->biHeight);
  if (rowsAt < 40 || rowsAt + rows > available) {
    SetLastErrorText("BMP pixel data at " + std::to_string(header.bfOffBits) +
                     " runs past the end of the file");
    return nullptr;
  }
  return DeviceBitmapFrom(dib, rowsAt, palette);
}

plat::HBITMAP LoadBitmap256(plat::HMODULE instance, const ZChar* name, plat::HPALETTE* palette) {
  if (palette) *palette = nullptr;
  BitmapResource res(instance, name);
  if (!res.data) return nullptr;
  uint64_t pixelOffset;
  std::string reason;
  if (!CheckDeviceDib(res.data, res.size, pixelOffset, reason)) {
    SetLastErrorText(reason);
    return nullptr;
  }
  return DeviceBitmapFrom(res.data, pixelOffset, palette);
}

plat::HGLOBAL LoadResDIB(plat::HMODULE instance, const ZChar* name) {
  BitmapResource res(instance, name);
  if (!res.data) return nullptr;
  plat::HGLOBAL block = plat::GlobalAlloc(plat::GMEM_FIXED, res.size);
  if (!block) return nullptr;
  LockedBlock locked(block);
  std::memcpy(locked.Data(), res.data, res.size);
  return block;
}

plat::HGLOBAL GetDibPattern(const ZChar* name) {
  BitmapResource res(plat::LibraryModule(), name);
  if (!res.data) return nullptr;
  return NewBlockFrom(res.data, res.size);
}

}  // namespace zkw
