#include "dib/dib_factory.h"

#include <cstring>
#include <vector>

#include "common/byte_stream.h"
#include "base/last_error.h"
#include "dib/dib24.h"
#include "dib/dib8.h"
#include "imagefiles/bmp_file.h"
#include "imagefiles/dex.h"
#include "imagefiles/dib_library.h"
#include "imagefiles/memory_block.h"
#include "platform/plat.h"

namespace zkw {

namespace {

THandle AsHandle(plat::HGLOBAL block) { return reinterpret_cast<THandle>(block); }

TDibBaseObj* NewByDepth(uint32_t bitsPerPixel) {
  if (bitsPerPixel == 8) return new TDib8Bits();
  return new TDib24Bits();
}

// Copies a block byte for byte into a new block of the same allocated size.
plat::HGLOBAL CopyBlock(THandle handle) {
  LockedBlock source(reinterpret_cast<plat::HGLOBAL>(handle));
  if (!source.Data()) return nullptr;
  return NewBlockFrom(source.Data(), source.Size());
}

// An object for the image and alpha blocks of a DEX record; the companion is created and
// handed the alpha block directly (its size is not compared with the image's).
TDibBaseObj* ObjectFromDexBlocks(uint32_t bits, plat::HGLOBAL image, plat::HGLOBAL alpha) {
  TDibBaseObj* dib = NewByDepth(bits);
  dib->SetHandle(AsHandle(image));
  if (alpha) {
    dib->CreateAlphaChannel();
    dib->AlphaDib->SetHandle(AsHandle(alpha));
  }
  return dib;
}

}  // namespace

TDibBaseObj* CreateDibObject(uint8_t Bits) { return NewByDepth(Bits); }

TDibBaseObj* CreateDibFrom(TDibBaseObj* Dib) {
  if (!Dib || Dib->FHandle < 2 || Dib->FHandleInvalid) return nullptr;
  plat::HGLOBAL copy = CopyBlock(Dib->FHandle);
  if (!copy) return nullptr;
  TDibBaseObj* result = NewByDepth(Dib->FBits == 1 ? 8 : 24);
  result->SetHandle(AsHandle(copy));
  if (Dib->AlphaDib && Dib->AlphaDib->FHandle > 1) {
    plat::HGLOBAL alphaCopy = CopyBlock(Dib->AlphaDib->FHandle);
    if (alphaCopy) {
      auto* alpha = new TDib8Bits();
      alpha->SetHandle(AsHandle(alphaCopy));
      result->AlphaDib = alpha;
    }
  }
  return result;
}

TDibBaseObj* CreateDibFromFile(const ZChar* name) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(name, bytes)) {
    SetLastErrorText("cannot read \"" + ToUtf8(name) + "\"");
    return nullptr;
  }
  plat::HGLOBAL alpha = nullptr;
  plat::HGLOBAL block = LoadDIBFromBytes(bytes.data(), bytes.size(), &alpha);
  if (!block) {
    // A BMP file that cannot be converted still gives an empty image, as a block of another
    // depth always did, unless it declares 0 bits per pixel.
    if (!BmpFileHeaderValid(bytes.data(), bytes.size()) || bytes.size() < 30 ||
        (bytes[28] | bytes[29]) == 0)
      return nullptr;
    return NewByDepth(24);
  }
  uint16_t bitCount = 0;
  {
    LockedBlock locked(block);
    std::memcpy(&bitCount, locked.Data() + offsetof(TBitmapInfoHeader, biBitCount), 2);
  }
  TDibBaseObj* dib = NewByDepth(bitCount);
  dib->TakeFileBlocks(AsHandle(block), AsHandle(alpha));
  return dib;
}

TDibBaseObj* DibObjectFromDex(const ZChar* name) {
  plat::HGLOBAL image = nullptr, alpha = nullptr;
  uint32_t bits = LoadDibExFile(name, &image, &alpha);
  if (!bits) return nullptr;
  return ObjectFromDexBlocks(bits, image, alpha);
}

TDibBaseObj* DibObjectFromBuffer(const uint8_t* record, uint64_t available) {
  plat::HGLOBAL image = nullptr, alpha = nullptr;
  const uint8_t* pos = record;
  uint32_t bits = LoadDibExFromMemory(&pos, available, &image, &alpha);
  if (!bits) return nullptr;
  return ObjectFromDexBlocks(bits, image, alpha);
}

TDibBaseObj* DibObjectFromLib(const ZChar* name, int32_t Index) {
  plat::HGLOBAL image = nullptr, alpha = nullptr;
  uint32_t objectBits = 0;
  if (!GetDibFromLib(name, Index, &image, &alpha, &objectBits)) return nullptr;
  return ObjectFromDexBlocks(objectBits, image, alpha);
}

TDibBaseObj* LoadDexFromResource(plat::HMODULE Instance, const ZChar* Name) {
  static const ZChar kDexBitmap[] = {'D', 'E', 'X', 'B', 'I', 'T', 'M', 'A', 'P', 0};
  return LoadDexResource(Instance, Name, kDexBitmap);
}

TDibBaseObj* LoadDexResource(plat::HMODULE Instance, const ZChar* Name, const ZChar* Type) {
  plat::HRSRC res = plat::FindResourceW(Instance, Name, Type);
  if (!res) {
    SetLastErrorText("no " + ToUtf8(Type) + " resource \"" + ToUtf8(Name) + "\"");
    return nullptr;
  }
  plat::HGLOBAL data = plat::LoadResource(Instance, res);
  const auto* bytes = data ? static_cast<const uint8_t*>(plat::LockResource(data)) : nullptr;
  if (!bytes) return nullptr;
  uint64_t size = plat::SizeofResource(Instance, res);
  plat::HGLOBAL image = nullptr, alpha = nullptr;
  const uint8_t* pos = bytes;
  uint32_t bits = LoadDibExFromMemory(&pos, size, &image, &alpha);
  TDibBaseObj* dib = NewByDepth(bits);
  if (bits) {
    dib->SetHandle(AsHandle(image));
    if (alpha) {
      dib->SetAlphaHandle(AsHandle(alpha));
      // A companion the image refused (no image, wrong size) is freed here.
      if (dib->GetAlphaHandle() != AsHandle(alpha) && dib->FHandle == 0) plat::GlobalFree(alpha);
    }
  }
  plat::FreeResource(data);
  return dib;
}

}  // namespace zkw
