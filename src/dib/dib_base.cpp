#include "dib/dib_base.h"

#include <cstring>

#include "base/last_error.h"
#include "common/round.h"
#include "dib/dib8.h"
#include "imagefiles/bmp_file.h"
#include "imagefiles/dex.h"
#include "platform/plat.h"

namespace zkw {

namespace {

plat::HGLOBAL AsBlock(THandle h) { return reinterpret_cast<plat::HGLOBAL>(h); }

TColorTable gDefaultPalette;

// Builds the 3-3-2 colour cube once, before any export can run.
struct DefaultPaletteBuilder {
  DefaultPaletteBuilder() {
    for (int i = 0; i < 256; ++i) {
      gDefaultPalette[i].rgbRed = static_cast<uint8_t>(((i & 0xE0) >> 5) * 36);
      gDefaultPalette[i].rgbGreen = static_cast<uint8_t>(((i & 0x1C) >> 2) * 36);
      gDefaultPalette[i].rgbBlue = static_cast<uint8_t>((i & 3) * 84);
      gDefaultPalette[i].rgbReserved = 0;
    }
  }
} gDefaultPaletteBuilder;

}  // namespace

const TColorTable& DefaultPalette() { return gDefaultPalette; }

void FillGreyRamp(TRGBQuad* table) {
  for (int i = 0; i < 256; ++i)
    table[i] = TRGBQuad{static_cast<uint8_t>(i), static_cast<uint8_t>(i),
                        static_cast<uint8_t>(i), 0};
}

TDibBaseObj::TDibBaseObj(uint8_t bits)
    : PixelProc{this, &TDibBaseObj::PutPixel}, BarProc{this, &TDibBaseObj::Bar}, FBits(bits) {}

TDibBaseObj::~TDibBaseObj() {
  RemoveGPBitmap();  // the cached smooth-drawing copy
  if (!FHandleInvalid) ReleaseBlock();
  FreeAlpha();
}

void TDibBaseObj::ReleaseBlock() {
  if (FHandle == 0 || FHandleInvalid) return;
  plat::GlobalUnlock(AsBlock(FHandle));
  if (!FLock) plat::GlobalFree(AsBlock(FHandle));
  FHandle = 0;
}

void TDibBaseObj::FreeAlpha() {
  delete AlphaDib;
  AlphaDib = nullptr;
}

uint64_t TDibBaseObj::BlockSize() const {
  if (FHandle < 2) return 0;
  return plat::GlobalSize(AsBlock(FHandle));
}

void TDibBaseObj::ReallocImage(int32_t w, int32_t h) {
  ReleaseBlock();
  FHandleInvalid = false;
  FHandle = 0;
  DibPtr = DibData = nullptr;
  DibPal = nullptr;
  DibSize = 0;
  FWidth = w;
  FHeight = h;
  FLock = false;
  FreeAlpha();
  // Sizes the 32-bit fields cannot hold are refused before anything is allocated.
  if (!FitsImageObject(w, h, FBits * 8)) {
    FDWidth = 0;  // no block: Width and Height keep the request, as after a failed allocation
    SetLastErrorText("image size " + std::to_string(w) + " x " + std::to_string(h) + " at " +
                     std::to_string(FBits * 8) + " bits is beyond 2 GiB or negative");
    return;
  }
  int64_t stride = RowStride(w, FBits * 8);
  FDWidth = static_cast<int32_t>(stride);
  int64_t table = FBits == 1 ? kPaletteBytes : 0;
  int64_t pixels = stride * h;
  int64_t total = kInfoHeaderSize + table + pixels + 2 * stride;
  plat::HGLOBAL block = plat::GlobalAlloc(plat::GHND, static_cast<size_t>(total));
  auto* ptr = block ? static_cast<uint8_t*>(plat::GlobalLock(block)) : nullptr;
  if (!ptr) {
    if (block) plat::GlobalFree(block);
    SetLastErrorText("cannot allocate " + std::to_string(total) + " bytes for the image");
    return;
  }
  std::memset(ptr, 0xFF, static_cast<size_t>(total));
  TBitmapInfoHeader header{kInfoHeaderSize, w, h, 1, static_cast<uint16_t>(FBits * 8), 0, 0,
                           96, 96, 0, 0};
  std::memcpy(ptr, &header, sizeof header);
  FHandle = reinterpret_cast<THandle>(block);
  DibPtr = ptr;
  if (FBits == 1) {
    DibPal = reinterpret_cast<TRGBQuad*>(ptr + kInfoHeaderSize);
    std::memcpy(DibPal, gDefaultPalette, kPaletteBytes);
  }
  DibData = ptr + kInfoHeaderSize + table;
  DibSize = static_cast<int32_t>(pixels);
  if (FBits == 1) TransparentColor = static_cast<uint8_t>(GetPixel(0, 0));
}

void TDibBaseObj::SetAttributes(int32_t w, int32_t h) {
  if (w != FWidth || h != FHeight) ReallocImage(w, h);
}

void TDibBaseObj::SetHandle(THandle Value) {
  // Handing the object the block it already holds keeps it (freeing it first would leave the
  // object on freed memory); the header is read again below.
  if (Value != FHandle) {
    ReleaseBlock();
  } else if (FHandle > 1 && !FHandleInvalid) {
    plat::GlobalUnlock(AsBlock(FHandle));
  }
  FHandleInvalid = false;
  FHandle = Value;
  DibPtr = DibData = nullptr;
  DibPal = nullptr;
  if (Value != 0) {
    plat::HGLOBAL block = AsBlock(Value);
    auto* ptr = static_cast<uint8_t*>(plat::GlobalLock(block));
    uint64_t size = ptr ? plat::GlobalSize(block) : 0;
    std::string reason = "image block is not a memory block";
    TBitmapInfoHeader header{};
    bool accepted = ptr && CheckPackedDib(ptr, size, reason);
    if (accepted) {
      std::memcpy(&header, ptr, sizeof header);
      if (header.biBitCount != 8 && header.biBitCount != 24) {
        reason = "image has " + std::to_string(header.biBitCount) + " bits per pixel, not 8 or 24";
        accepted = false;
      } else if (header.biBitCount != FBits * 8) {
        // The pixel routines of each class assume their own depth; a block of the other depth
        // would be written past its rows.
        reason = "image block has " + std::to_string(header.biBitCount) +
                 " bits per pixel but the object holds " + std::to_string(FBits * 8) + "-bit images";
        accepted = false;
      } else if (!FitsImageObject(header.biWidth, header.biHeight, header.biBitCount)) {
        reason = "image of " + std::to_string(header.biWidth) + " x " +
                 std::to_string(header.biHeight) + " is beyond the 2 GiB an image can hold";
        accepted = false;
      } else if (header.biBitCount == 8 && size < kInfoHeaderSize + kPaletteBytes) {
        reason = "8-bit image block of " + std::to_string(size) +
                 " bytes cannot hold a 256-entry colour table";
        accepted = false;
      }
    }
    if (!accepted) {
      SetLastErrorText(reason);
      if (ptr) plat::GlobalUnlock(block);
      plat::GlobalFree(block);
      FHandle = 0;
    } else {
      FWidth = header.biWidth;
      FHeight = header.biHeight;
      FDWidth = static_cast<int32_t>(RowStride(header.biWidth, header.biBitCount));
      FBits = static_cast<uint8_t>(header.biBitCount / 8);
      DibPtr = ptr;
      // Rows follow the colour table at every depth (a 24-bit block may carry colours-used
      // entries too).
      if (FBits == 1) DibPal = reinterpret_cast<TRGBQuad*>(ptr + kInfoHeaderSize);
      DibData = ptr + kInfoHeaderSize + 4 * ColorTableEntries(header);
    }
  }
  DibSize = FHandle ? FDWidth * FHeight : 0;
  if (FBits == 1) TransparentColor = static_cast<uint8_t>(GetPixel(0, 0));
  FreeAlpha();
  FLock = false;
}

// --- Loading and saving ------------------------------------------------------------------------

bool TDibBaseObj::LoadFromFile(const ZChar* AName) {
  plat::HGLOBAL alpha = nullptr;
  plat::HGLOBAL block = LoadDIBFile(AName, &alpha);
  if (!block) return false;
  // A block the object refused is a failed load.
  return TakeFileBlocks(reinterpret_cast<THandle>(block), reinterpret_cast<THandle>(alpha));
}

bool TDibBaseObj::TakeFileBlocks(THandle Image, THandle Alpha) {
  SetHandle(Image);
  if (Alpha && FHandle != 0)
    SetAlphaHandle(Alpha);  // frees a companion it refuses
  else if (Alpha)
    plat::GlobalFree(AsBlock(Alpha));
  return FHandle != 0;
}

bool TDibBaseObj::SaveToFile(const ZChar* AName) {
  if (FHandle == 0) return false;
  if (FHandleInvalid) {
    SetLastErrorText("an attached bitmap has no memory block to save");
    return false;
  }
  return SaveDibToBitmap(AName, AsBlock(FHandle));
}

bool TDibBaseObj::SaveToDexFile(const ZChar* AName) {
  if (FHandle == 0) return false;
  if (FHandleInvalid) {
    SetLastErrorText("an attached bitmap has no memory block to save");
    return false;
  }
  return SaveDibExFile(AName, AsBlock(FHandle), AsBlock(GetAlphaHandle()));
}

// --- Alpha companion ---------------------------------------------------------------------------

THandle TDibBaseObj::GetAlphaHandle() const { return AlphaDib ? AlphaDib->FHandle : 0; }

void TDibBaseObj::CreateAlphaChannel() {
  FreeAlpha();
  AlphaDib = new TDib8Bits();
  AlphaDib->SetAttributes(FWidth, FHeight);
  if (AlphaDib->DibPal) FillGreyRamp(AlphaDib->DibPal);
  if (FBits != 1 || FHandle == 0 || AlphaDib->FHandle == 0) return;
  for (int32_t y = 0; y < FHeight; ++y) {
    const uint8_t* src = PixelAddress(0, y);
    uint8_t* dst = AlphaDib->PixelAddress(0, y);
    for (int32_t x = 0; x < FWidth; ++x) dst[x] = src[x] == TransparentColor ? 0 : 255;
  }
}

void TDibBaseObj::LoadAlphaFromFile(const ZChar* AName) {
  FreeAlpha();
  auto* alpha = new TDib8Bits();
  alpha->LoadFromFile(AName);
  if (alpha->FHandle == 0 || alpha->FWidth != FWidth || alpha->FHeight != FHeight) {
    delete alpha;
    return;
  }
  AlphaDib = alpha;
}

void TDibBaseObj::ConvertAlphaGrayscale() {
  if (!AlphaDib || AlphaDib->FHandle == 0 || !AlphaDib->DibPal) return;
  uint8_t grey[256];
  for (int i = 0; i < 256; ++i) {
    const TRGBQuad& q = AlphaDib->DibPal[i];
    grey[i] = static_cast<uint8_t>(Round(0.3 * q.rgbRed + 0.59 * q.rgbGreen + 0.11 * q.rgbBlue));
  }
  for (int32_t y = 0; y < AlphaDib->FHeight; ++y) {
    uint8_t* row = AlphaDib->PixelAddress(0, y);
    for (int32_t x = 0; x < AlphaDib->FWidth; ++x) row[x] = grey[row[x]];
  }
  FillGreyRamp(AlphaDib->DibPal);
}

void TDibBaseObj::SetAlphaHandle(THandle Value) {
  if (FHandle == 0) return;
  FreeAlpha();
  auto* alpha = new TDib8Bits();
  alpha->SetHandle(Value);
  if (alpha->FHandle == 0 || alpha->FWidth != FWidth || alpha->FHeight != FHeight) {
    if (alpha->FHandle != 0) SetLastErrorText("alpha image size differs from the image's");
    delete alpha;
    return;
  }
  AlphaDib = alpha;
}

// --- Pixel primitives of the base class: nothing to draw without a depth ----------------------

uint32_t TDibBaseObj::GetPixel(int32_t, int32_t) { return 0; }
uint32_t TDibBaseObj::GetPixelEx(int32_t x, int32_t y) { return GetPixel(x, y); }
void TDibBaseObj::PutPixel(int32_t, int32_t, uint32_t) {}
void TDibBaseObj::PutShadPixel(int32_t, int32_t, int32_t) {}
void TDibBaseObj::PutMergePixel(int32_t, int32_t, uint32_t, uint16_t) {}
}  // namespace zkw
