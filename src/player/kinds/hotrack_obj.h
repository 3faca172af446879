// The hot-track image (kind 34): its own image with rectangular regions, each carrying a short
// data text; pressing an enabled region raises the host's OnHottrack and "OnHotrack" (code 15),
// moving over one raises OnTrack; the wheel scrolls the image.
#pragma once
#include <memory>
#include <vector>

#include "player/objects/animate_obj.h"
#include "player/objects/kind_fields.h"
#include "player/objects/moving_obj.h"

namespace zkw {

struct THottrackItem {
  TSmallRect Region;  // image pixels; right and bottom exclusive
  std::string Data;   // at most 20 characters
  bool Enabled = true;
};

class TDibHotrackObj : public TKind<TDibHotrackObj, TAnimateObj> {
 public:
  static constexpr uint32_t kMagic = 0x00EDBEDB;
  static constexpr int32_t kItemBytes = 37;
  TDibHotrackObj();
  ~TDibHotrackObj() override;
  template <class V>
  static void Fields(V& v);
  // A copy takes the image and regions of the data block (still in the file when it is).
  void CopyFrom(const TAnimateObj& AObj) override;
  // The pressed region's data (133), the region count (169) and the scroll position (102).
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;
  bool PtInObject(int32_t X, int32_t Y) override { return !IsFarAway(this) && InRect(X, Y); }
  bool IsSolidAt(int32_t X, int32_t Y) override { return X >= 0 && Y >= 0 && X < FWidth && Y < FHeight; }
  bool MouseMove(TDibAnimator* AParent, int32_t X, int32_t Y) override;
  bool MouseDown(TDibAnimator* AParent, int32_t X, int32_t Y) override;
  bool MouseWheel(TDibAnimator* AParent, int32_t Delta, int32_t X, int32_t Y) override;
  void VScroll(int32_t Dy) override;
  bool EnableHotItem(const std::string& Name, bool Enable) override;

  // Reads a data block (magic, sizes, image, items); false when it is cut short.
  bool ReadBlock(const uint8_t* Data, size_t Size, std::string& Why);
  // Reads only the item table of a block, skipping the image record by its total-size field.
  bool ReadItemsOnly(const uint8_t* Data, size_t Size, std::string& Why);
  // Decodes the image of a block kept from loading (the first time the object is shown).
  void EnsureImage();
  bool ImagePending() const { return !FPendingBlock.empty() || FBlockSize > 0; }
  // The data block as written: header, image as a DEX record, items, no padding.
  std::vector<uint8_t> MakeBlock() const;
  // The enabled region under a view point, or -1.
  int32_t ItemAt(int32_t X, int32_t Y) const;
  void SetImage(TDibBaseObj* Image);
  TDibBaseObj* Image() const { return FDibImage.get(); }

  std::vector<THottrackItem> FItems;
  std::string FScrollbarName;
  int32_t FScrollY = 0;
  int32_t FTrackItem = -1;  // region under the mouse
  std::string FHotData;     // data of the last pressed region

 private:
  // The data block: int32 size, then the image and the regions (see the file format).
  bool ReadDataBlock(TRecordReader& r, int32_t Version);
  void WriteDataBlock(TRecordWriter& w) const;
  void ScrollBy(int32_t Dy);
  std::unique_ptr<TDibBaseObj> FDibImage;
  // The data block of an object that was hidden when the scene was read: its image is decoded
  // when the object is first shown; until then the block is written back as it was read.
  std::vector<uint8_t> FPendingBlock;
  // The data block of an object hidden when the scene was read from its file: it stays in the
  // file (FBlockSize bytes at file position FBlockPosition) until it is needed.
  int32_t FBlockPosition = 0;
  uint32_t FBlockSize = 0;
  // Brings a block left in the scene file into FPendingBlock; false when it cannot be read.
  bool FetchBlock();
};
extern template class TKind<TDibHotrackObj, TAnimateObj>;

}  // namespace zkw
