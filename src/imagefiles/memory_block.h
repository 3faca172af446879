// Scoped lock of a movable memory block: locks on construction, unlocks on destruction.
#pragma once
#include <cstdint>

#include "platform/plat.h"

namespace zkw {

class LockedBlock {
 public:
  explicit LockedBlock(plat::HGLOBAL block)
      : FBlock(block),
        FData(block ? static_cast<uint8_t*>(plat::GlobalLock(block)) : nullptr),
        FSize(FData ? plat::GlobalSize(block) : 0) {}
  ~LockedBlock() {
    if (FData) plat::GlobalUnlock(FBlock);
  }
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;

  uint8_t* Data() const { return FData; }
  uint64_t Size() const { return FSize; }

 private:
  plat::HGLOBAL FBlock;
  uint8_t* FData;
  uint64_t FSize;
};

// Allocates a zero-initialised movable block holding a copy of `bytes`; 0 on failure.
plat::HGLOBAL NewBlockFrom(const void* bytes, uint64_t size);

}  // namespace zkw
