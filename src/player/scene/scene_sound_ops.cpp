// Sound operations of scripts: the sounds of an entry by index or name, blocks handed in and
// files read into blocks, played at once by the scene's sound manager, and the stops.
#include <algorithm>

#include "common/byte_stream.h"
#include "base/last_error.h"
#include "expr/names.h"
#include "platform/plat.h"
#include "sound/sound_manager.h"
#include "player/scene/dib_animator.h"
#include "player/scene/scene_entries.h"
#include "text/scene_text.h"

namespace zkw {

namespace {

// Largest sound file a script may play; larger files are refused.
constexpr size_t kMaxSoundFileBytes = size_t{256} * 1024 * 1024;

// The name part of a path (after the last "\" or "/").
ZString NamePart(const ZString& Path) {
  size_t slash = Path.find_last_of(ZString{ZChar('\\'), ZChar('/')});
  return slash == ZString::npos ? Path : Path.substr(slash + 1);
}

// Reads a file into a new movable block; null when it cannot be read or is too large.
plat::HGLOBAL ReadSoundFile(const ZString& Name) {
  if (Name.empty()) return nullptr;
  TFileStream file(Name.c_str(), FileMode::fmOpenRead);
  if (!file.IsOpen()) return nullptr;
  int64_t size = file.Size();
  if (size <= 0 || static_cast<uint64_t>(size) > kMaxSoundFileBytes) {
    if (size > 0) SetLastErrorText("sound file of " + std::to_string(size) + " bytes is too large");
    return nullptr;
  }
  plat::HGLOBAL block = plat::GlobalAlloc(plat::GMEM_MOVEABLE, static_cast<plat::SIZE_T>(size));
  if (!block) return nullptr;
  void* p = plat::GlobalLock(block);
  bool ok = p && file.ReadExact(p, static_cast<int32_t>(size));
  if (p) plat::GlobalUnlock(block);
  if (ok) return block;
  plat::GlobalFree(block);
  return nullptr;
}

}  // namespace

bool TDibAnimator::PlayMSSoundItem(TAnimateObj* Owner, int32_t ID, bool Loop, int32_t Index) {
  TSoundEntry* entry = GetSoundEntry(Index);
  if (!entry) return false;
  entry->MSPlay(Owner, ID, Loop);
  return true;
}

bool TDibAnimator::PlayMSSoundItem(TAnimateObj* Owner, int32_t ID, bool Loop,
                                   const std::string& Name) {
  for (TItemNode* n = FSoundEntries.Head(); n; n = n->NextItem) {
    auto* entry = static_cast<TSoundEntry*>(n);
    if (SameName(entry->SoundName, Name)) {
      entry->MSPlay(Owner, ID, Loop);
      return true;
    }
  }
  return false;
}

bool TDibAnimator::PlaySoundData(TAnimateObj* Owner, plat::HGLOBAL Handle, int32_t ID) {
  if (!Handle || plat::GlobalSize(Handle) == 0) return false;
  DXSoundManager->Play(Handle, Owner, false, ID);
  return true;
}

bool TDibAnimator::PlaySoundFile(const std::string& FileName, bool Loop) {
  ZString name = DecodeSceneText(FileName);
  plat::HGLOBAL block = ReadSoundFile(name);
  if (!block && !DataPath.empty()) block = ReadSoundFile(DataPath + NamePart(name));
  if (!block) return false;
  // The manager keeps its own converted copy.
  DXSoundManager->Play(block, nullptr, Loop, 0);
  plat::GlobalFree(block);
  return true;
}

void TDibAnimator::StopSound(TAnimateObj* Owner) {
  if (Owner) DXSoundManager->Stop(Owner);
  else DXSoundManager->StopAll();
  FSounds.erase(std::remove_if(FSounds.begin(), FSounds.end(),
                               [&](const PendingSound& s) { return !Owner || s.Owner == Owner; }),
                FSounds.end());
}

void TDibAnimator::StopMSSound() {
  DXSoundManager->StopAllWithoutLoop();
  // Queued sounds never loop.
  FSounds.clear();
}

}  // namespace zkw
