#include "player/scene/scene_entries.h"

#include <vector>

#include "common/byte_stream.h"
#include "dib/dib_base.h"
#include "dib/dib_factory.h"
#include "imagefiles/memory_block.h"
#include "platform/plat.h"
#include "player/scene/dib_animator.h"
#include "sound/sound_manager.h"

namespace zkw {

bool TDibAnimator::ReadSceneFileBytes(int32_t Position, uint32_t Size, std::vector<uint8_t>& Bytes) const {
  if (Position <= 0 || Size > static_cast<uint32_t>(INT32_MAX) || AniFilename.empty()) return false;
  TFileStream file(AniFilename.c_str(), FileMode::fmOpenRead);
  if (!file.IsOpen()) return false;
  int64_t total = file.Size();
  if (static_cast<int64_t>(Position) + Size > total) return false;
  if (file.Seek(Position, SeekOrigin::soBeginning) != Position) return false;
  Bytes.resize(Size);
  return Size == 0 || file.ReadExact(Bytes.data(), static_cast<int32_t>(Size));
}

namespace {

bool ReadFromSceneFile(TDibAnimator* parent, int32_t position, uint32_t size, std::vector<uint8_t>& bytes) {
  return parent && parent->ReadSceneFileBytes(position, size, bytes);
}

}  // namespace

TDibBaseObj* DibFromDexBytes(const uint8_t* bytes, uint64_t size) {
  TDibBaseObj* dib = DibObjectFromBuffer(bytes, size);
  if (dib && dib->Handle() == 0) {
    delete dib;
    return nullptr;
  }
  return dib;
}

TDibEntry::~TDibEntry() { delete Dib; }

void TDibEntry::SetDib(TDibBaseObj* ADib) {
  if (ADib == Dib) return;
  delete Dib;
  Dib = ADib;
}

TDibBaseObj* TDibEntry::Load() {
  if (Dib) return Dib;
  std::vector<uint8_t> bytes;
  if (!ReadFromSceneFile(FParent, Position, Size, bytes)) return nullptr;
  Dib = DibFromDexBytes(bytes.data(), bytes.size());
  return Dib;
}

void TDibEntry::Unload() {
  if (Position <= 0 || !Dib) return;
  delete Dib;
  Dib = nullptr;
}

TSoundEntry::~TSoundEntry() {
  if (Handle) plat::GlobalFree(Handle);
}

uint32_t TSoundEntry::BlockSize() const {
  return Handle ? static_cast<uint32_t>(plat::GlobalSize(Handle)) : 0;
}

bool TSoundEntry::Load() {
  if (Handle) return true;
  std::vector<uint8_t> bytes;
  if (!ReadFromSceneFile(FParent, Position, Size, bytes) || bytes.empty()) return false;
  Handle = NewBlockFrom(bytes.data(), bytes.size());
  return Handle != nullptr;
}

void TSoundEntry::Unload() {
  if (Position <= 0 || !Handle) return;
  plat::GlobalFree(Handle);
  Handle = nullptr;
  Buffer = nullptr;
}

namespace {
// Releases an entry's block after it was handed to the manager (which keeps its own copy).
void ReleaseAfterUse(TSoundEntry* Entry) {
  if (Entry->LoadWhenUsed && !Entry->FParent->Designing) Entry->Unload();
}
}  // namespace

void TSoundEntry::Play(TAnimateObj* Obj, int32_t ID) {
  if (!FParent || !Load()) return;
  TDXSoundManger& manager = FParent->SoundManager();
  manager.AutoSetVolume = Volume;
  manager.Play(Handle, Obj, false, ID);
  ReleaseAfterUse(this);
}

void TSoundEntry::MSPlay(TAnimateObj* Obj, int32_t ID, bool Loop) {
  if (!FParent || !Load()) return;
  FParent->SoundManager().Play(Handle, Obj, Loop, ID);
  ReleaseAfterUse(this);
}

void TSoundEntry::Stop() {
  if (!FParent) return;
  FParent->SoundManager().StopAll();
  ReleaseAfterUse(this);
}

void TSoundEntry::MSStop() { Stop(); }

}  // namespace zkw
