// Image and sound entries of a scene. An entry either holds its data in memory or knows where
// its data lies in the scene file (`Position`, `Size`) and reads it again when it is needed.
#pragma once
#include <cstdint>
#include <string>

#include "common/link_list.h"
#include "platform/plat_types.h"

namespace zkw {

class TAnimateObj;
class TDibAnimator;
class TDibBaseObj;

// An image entry; owns its image.
class TDibEntry : public TItemNode {
 public:
  explicit TDibEntry(TDibAnimator* AParent) : FParent(AParent) {}
  ~TDibEntry() override;
  // Reads the image from the scene file when it is not loaded; the image or null (nothing when
  // Position is 0 or the file cannot be opened or holds no valid DEX record there).
  TDibBaseObj* Load();
  // Frees the image when it can be read again from the file.
  void Unload();
  void SetDib(TDibBaseObj* ADib);

  TDibAnimator* FParent;
  int32_t Position = 0;
  uint32_t Size = 0;
  bool LoadWhenUsed = true;
  TDibBaseObj* Dib = nullptr;
};

// A sound entry: a complete wave file image in a movable block; owns the block.
class TSoundEntry : public TItemNode {
 public:
  explicit TSoundEntry(TDibAnimator* AParent) : FParent(AParent) {}
  ~TSoundEntry() override;
  // Reads the block from the scene file when it is not loaded; true when it is loaded after.
  bool Load();
  // Frees the block when it can be read again from the file.
  void Unload();
  // Bytes of the loaded block, 0 when not loaded.
  uint32_t BlockSize() const;
  // Plays the sound through the scene's manager for Obj and ID, without loop and with the
  // entry's Volume (Play) or looping as asked and at full volume (MSPlay); the block is
  // released afterwards when it loads lazily and the scene is not being designed.
  void Play(TAnimateObj* Obj, int32_t ID);
  void MSPlay(TAnimateObj* Obj, int32_t ID, bool Loop);
  // Stop all of the scene manager's sounds, then release the block likewise.
  void Stop();
  void MSStop();

  TDibAnimator* FParent;
  std::string SoundName = "Sound_";
  int32_t Position = 0;
  uint32_t Size = 0;
  bool LoadWhenUsed = true;
  plat::HGLOBAL Handle = nullptr;
  void* Buffer = nullptr;
  int32_t Volume = 0;
};

// An image object made from a DEX record's blocks: TDib8Bits for 8 bits, else TDib24Bits.
TDibBaseObj* DibFromDexBytes(const uint8_t* bytes, uint64_t size);

}  // namespace zkw
