#include "player/kinds/hotrack_obj.h"

#include <algorithm>
#include <cstddef>
#include <cctype>
#include <cstring>

#include "dib/dib_base.h"
#include "imagefiles/dex.h"
#include "platform/plat.h"
#include "player/kinds/kinds_common.h"
#include "player/scene/dib_animator.h"
#include "player/scene/scene_entries.h"

namespace zkw {

namespace {
uint32_t GetU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16)) | (static_cast<uint32_t>(p[3]) << 24);
}
void PutU32(std::vector<uint8_t>& v, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}
bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}
}  // namespace

TDibHotrackObj::TDibHotrackObj() {
  FStyle = 34;
  macroUserName = "OnHotrack";
}

// The scroll bar's name as a counted text, then the data block; a copy takes the regions.
template <class V>
void TDibHotrackObj::Fields(V& v) {
  using namespace fields;
  v(&Self::FScrollbarName, CountedText("ScrollbarName"));
  v.Block(&Self::ReadDataBlock, &Self::WriteDataBlock);
  v(&Self::FItems, Kept("Items"));
  v.Hand(133);
  v.Hand(169);
  v.Hand(102);
}
template class TKind<TDibHotrackObj, TAnimateObj>;

TDibHotrackObj::~TDibHotrackObj() = default;

void TDibHotrackObj::SetImage(TDibBaseObj* Image) { FDibImage.reset(Image); }

bool TDibHotrackObj::ReadBlock(const uint8_t* Data, size_t Size, std::string& Why) {
  FItems.clear();
  FDibImage.reset();
  if (Size < 14) return true;  // too short to hold a block: no image and no items
  if (GetU32(Data) != kMagic) return true;
  uint16_t count = static_cast<uint16_t>(Data[12] | (Data[13] << 8));
  const uint8_t* pos = Data + 14;
  size_t left = Size - 14;
  // The image record knows its own length; the item table follows it.
  plat::HGLOBAL image = nullptr, alpha = nullptr;
  const uint8_t* start = pos;
  uint32_t bits = LoadDibExFromMemory(&pos, left, &image, &alpha);
  if (image) plat::GlobalFree(image);
  if (alpha) plat::GlobalFree(alpha);
  if (!bits) {
    Why = "hot-track image is not a valid DEX record";
    return false;
  }
  size_t used = static_cast<size_t>(pos - start);
  FDibImage.reset(DibFromDexBytes(start, used));
  if (!FDibImage) {
    Why = "hot-track image holds an image that cannot be used";
    return false;
  }
  left -= used;
  if (static_cast<size_t>(count) * kItemBytes > left) {
    Why = "hot-track item table of " + std::to_string(count) + " items runs past its data block";
    return false;
  }
  for (uint16_t i = 0; i < count; ++i, pos += kItemBytes) {
    THottrackItem item;
    item.Region = {static_cast<int32_t>(GetU32(pos)), static_cast<int32_t>(GetU32(pos + 4)),
                   static_cast<int32_t>(GetU32(pos + 8)), static_cast<int32_t>(GetU32(pos + 12))};
    const char* text = reinterpret_cast<const char*>(pos + 16);
    item.Data.assign(text, strnlen(text, 21));
    FItems.push_back(item);
  }
  return true;
}

bool TDibHotrackObj::ReadItemsOnly(const uint8_t* Data, size_t Size, std::string& Why) {
  FItems.clear();
  if (Size < 14 || GetU32(Data) != kMagic) return true;
  uint16_t count = static_cast<uint16_t>(Data[12] | (Data[13] << 8));
  size_t left = Size - 14;
  if (left < sizeof(TDexHeader)) {
    Why = "hot-track image record is cut short";
    return false;
  }
  uint32_t total = GetU32(Data + 14 + offsetof(TDexHeader, TotalSize));
  if (total < sizeof(TDexHeader) || total > left) {
    Why = "hot-track image record of " + std::to_string(total) + " bytes does not fit in its data block";
    return false;
  }
  left -= total;
  if (static_cast<size_t>(count) * kItemBytes > left) {
    Why = "hot-track item table of " + std::to_string(count) + " items runs past its data block";
    return false;
  }
  const uint8_t* pos = Data + 14 + total;
  for (uint16_t i = 0; i < count; ++i, pos += kItemBytes) {
    THottrackItem item;
    item.Region = {static_cast<int32_t>(GetU32(pos)), static_cast<int32_t>(GetU32(pos + 4)),
                   static_cast<int32_t>(GetU32(pos + 8)), static_cast<int32_t>(GetU32(pos + 12))};
    const char* text = reinterpret_cast<const char*>(pos + 16);
    item.Data.assign(text, strnlen(text, 21));
    FItems.push_back(item);
  }
  return true;
}

bool TDibHotrackObj::FetchBlock() {
  if (FBlockSize == 0) return !FPendingBlock.empty();
  std::vector<uint8_t> bytes;
  bool ok = FParent && FParent->ReadSceneFileBytes(FBlockPosition, FBlockSize, bytes);
  // Tried once: a file that went away is not opened again on every step.
  FBlockSize = 0;
  FBlockPosition = 0;
  if (ok) FPendingBlock = std::move(bytes);
  return ok;
}

void TDibHotrackObj::EnsureImage() {
  FetchBlock();
  if (FPendingBlock.empty()) return;
  std::vector<uint8_t> block;
  block.swap(FPendingBlock);
  std::vector<THottrackItem> items = FItems;  // scripts may have switched regions meanwhile
  std::string why;
  if (!ReadBlock(block.data(), block.size(), why)) FDibImage.reset();
  FItems = items;
  if (FParent) FParent->NeedDrawNow = true;
}

void TDibHotrackObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  FParentSetPos = false;
  if (FEnabled) EnsureImage();
}

std::vector<uint8_t> TDibHotrackObj::MakeBlock() const {
  if (!FPendingBlock.empty()) return FPendingBlock;
  if (FBlockSize > 0) {
    std::vector<uint8_t> bytes;
    if (FParent && FParent->ReadSceneFileBytes(FBlockPosition, FBlockSize, bytes)) return bytes;
  }
  std::vector<uint8_t> dex;
  if (FDibImage && FDibImage->Handle() > 1) {
    auto block = [](THandle h) { return reinterpret_cast<plat::HGLOBAL>(h); };
    plat::HGLOBAL alpha = FDibImage->GetAlphaHandle() > 1 ? block(FDibImage->GetAlphaHandle()) : nullptr;
    int32_t raw = GetDEXSize(block(FDibImage->Handle()), alpha);
    if (raw > 0) {
      dex.resize(static_cast<size_t>(raw));
      int32_t written = SaveDibExToBuffer(dex.data(), block(FDibImage->Handle()), alpha);
      dex.resize(written > 0 ? static_cast<size_t>(written) : 0);
    }
  }
  std::vector<uint8_t> b;
  // Without an image there is no block: an empty one reads back as no image and no items.
  if (dex.empty()) return b;
  size_t count = std::min<size_t>(FItems.size(), 65535);
  PutU32(b, kMagic);
  PutU32(b, static_cast<uint32_t>(14 + dex.size() + kItemBytes * count));
  PutU32(b, static_cast<uint32_t>(dex.size()));
  b.push_back(static_cast<uint8_t>(count));
  b.push_back(static_cast<uint8_t>(count >> 8));
  b.insert(b.end(), dex.begin(), dex.end());
  for (size_t i = 0; i < count; ++i) {
    const THottrackItem& item = FItems[i];
    PutU32(b, static_cast<uint32_t>(item.Region.left));
    PutU32(b, static_cast<uint32_t>(item.Region.top));
    PutU32(b, static_cast<uint32_t>(item.Region.right));
    PutU32(b, static_cast<uint32_t>(item.Region.bottom));
    char text[21] = {};
    std::memcpy(text, item.Data.data(), std::min<size_t>(item.Data.size(), 20));
    b.insert(b.end(), text, text + 21);
  }
  return b;
}

bool TDibHotrackObj::ReadDataBlock(TRecordReader& r, int32_t Version) {
  (void)Version;
  int32_t size = r.I32("hot-track data size");
  if (!r.Ok()) return false;
  if (size < 0 || size > r.Remaining())
    return r.Fail("hot-track data block of " + std::to_string(size) + " bytes runs past the end of the file");
  int64_t blockPosition = r.Position() + (FParent ? FParent->FObjectStreamBase : 0);
  std::vector<uint8_t> data(static_cast<size_t>(size));
  if (size > 0 && !r.Bytes(data.data(), size, "hot-track data block")) return false;
  std::string why;
  FPendingBlock.clear();
  FBlockPosition = 0;
  FBlockSize = 0;
  if (FEnabled || (FParent && FParent->Designing)) {
    if (!ReadBlock(data.data(), data.size(), why)) return r.Fail(why);
  } else {
    // Hidden: only the regions now; the image when the object is first shown, read again from
    // the scene file when there is one, else kept from here.
    FDibImage.reset();
    if (!ReadItemsOnly(data.data(), data.size(), why)) return r.Fail(why);
    if (FItems.empty() && data.size() < 14) return r.Ok();
    if (FParent && FParent->FReadingSceneFile && blockPosition > 0 && blockPosition <= INT32_MAX) {
      FBlockPosition = static_cast<int32_t>(blockPosition);
      FBlockSize = static_cast<uint32_t>(size);
    } else {
      FPendingBlock = std::move(data);
    }
  }
  return r.Ok();
}

void TDibHotrackObj::WriteDataBlock(TRecordWriter& w) const {
  std::vector<uint8_t> block = MakeBlock();
  w.I32(static_cast<int32_t>(block.size()));
  w.Bytes(block.data(), static_cast<int64_t>(block.size()));
}

void TDibHotrackObj::CopyFrom(const TAnimateObj& AObj) {
  TKind::CopyFrom(AObj);
  auto* h = dynamic_cast<const TDibHotrackObj*>(&AObj);
  if (!h) return;
  std::vector<uint8_t> block = h->MakeBlock();
  std::string why;
  std::vector<THottrackItem> items = FItems;
  if (h->ImagePending())
    FPendingBlock = block;
  else
    ReadBlock(block.data(), block.size(), why);
  FItems = items;
}

void TDibHotrackObj::Draw(TDibBaseObj* ADib) {
  if (IsFarAway(this)) return;
  if (FEnabled) EnsureImage();
  if (!FEnabled || !ADib || !FDibImage || FDibImage->Handle() == 0) return;
  int32_t h = std::min<int32_t>(FHeight, FDibImage->Height() - FScrollY);
  int32_t w = std::min<int32_t>(FWidth, FDibImage->Width());
  if (h <= 0 || w <= 0) return;
  ADib->DrawPeace(Fx, Fy, FDibImage.get(), 0, FScrollY, w, h, 1, 1);
}

int32_t TDibHotrackObj::ItemAt(int32_t X, int32_t Y) const {
  if (IsFarAway(this)) return -1;
  if (!InRect(X, Y)) return -1;
  int32_t ix = X - Fx, iy = Y - Fy + FScrollY;
  for (size_t i = 0; i < FItems.size(); ++i) {
    const THottrackItem& item = FItems[i];
    if (item.Enabled && ix >= item.Region.left && ix < item.Region.right && iy >= item.Region.top &&
        iy < item.Region.bottom)
      return static_cast<int32_t>(i);
  }
  return -1;
}

bool TDibHotrackObj::MouseMove(TDibAnimator* AParent, int32_t X, int32_t Y) {
  bool result = TAnimateObj::MouseMove(AParent, X, Y);
  if (!FEnabled) return result;
  int32_t i = ItemAt(X, Y);
  if (i >= 0 && i != FTrackItem && AParent && AParent->FOnTrack) {
    const TSmallRect& g = FItems[static_cast<size_t>(i)].Region;
    AParent->FOnTrack(AParent, plat::RECT{g.left, g.top, g.right, g.bottom}, FItems[static_cast<size_t>(i)].Data);
  }
  FTrackItem = i;
  return result || i >= 0;
}

bool TDibHotrackObj::MouseDown(TDibAnimator* AParent, int32_t X, int32_t Y) {
  bool result = TAnimateObj::MouseDown(AParent, X, Y);
  if (!FEnabled || !FActive) return result;
  int32_t i = ItemAt(X, Y);
  if (i < 0) return result;
  THottrackItem item = FItems[static_cast<size_t>(i)];
  FHotData = item.Data;
  plat::RECT info{item.Region.left, item.Region.top, item.Region.right, item.Region.bottom};
  if (AParent && AParent->FOnHottrack) AParent->FOnHottrack(AParent, info, item.Data);
  if (AParent && Macro(ocUser)) {
    AParent->FEventString = item.Data;
    RaiseUserEvent(this, 15, i, 0);
  }
  return true;
}

void TDibHotrackObj::ScrollBy(int32_t Dy) {
  int32_t limit = FDibImage ? std::max(0, FDibImage->Height() - FHeight) : 0;
  FScrollY = std::clamp(AddSat(FScrollY, Dy), 0, limit);
  if (FParent) FParent->NeedDrawNow = true;
}

bool TDibHotrackObj::MouseWheel(TDibAnimator* AParent, int32_t Delta, int32_t X, int32_t Y) {
  bool result = TAnimateObj::MouseWheel(AParent, Delta, X, Y);
  if (!FEnabled || !InRect(X, Y)) return result;
  ScrollBy(Delta > 0 ? -12 : 12);
  return true;
}

void TDibHotrackObj::VScroll(int32_t Dy) { ScrollBy(Dy * 12); }

bool TDibHotrackObj::EnableHotItem(const std::string& Name, bool Enable) {
  for (THottrackItem& item : FItems)
    if (SameText(item.Data, Name)) item.Enabled = Enable;
  return true;
}

int32_t TDibHotrackObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  switch (PropID) {
    case 133: SValue = FHotData; return 3;
    case 169: Value = static_cast<long double>(FItems.size()); return 2;
    case 102: Value = FScrollY; return 2;
    default: return TKind::GetValue(PropID, Value, SValue);
  }
}

void TDibHotrackObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  switch (PropID) {
    case 102: ScrollBy(RoundProp(IValue) - FScrollY); break;
    default: TKind::SetValue(PropID, SValue, IValue); break;
  }
}

}  // namespace zkw
