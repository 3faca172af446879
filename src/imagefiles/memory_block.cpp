#include "imagefiles/memory_block.h"

#include <cstring>

namespace zkw {

plat::HGLOBAL NewBlockFrom(const void* bytes, uint64_t size) {
  plat::HGLOBAL block = plat::GlobalAlloc(plat::GHND, size);
  if (!block) return nullptr;
  LockedBlock locked(block);
  if (size && locked.Data()) std::memcpy(locked.Data(), bytes, size);
  return block;
}

}  // namespace zkw
