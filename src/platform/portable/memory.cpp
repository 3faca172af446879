// Movable global memory for Linux. A handle is the address of a block record, so it is never 0
// or 1; the record keeps the data, its size and the lock count. Live handles are kept in a set
// so that a stale or foreign handle is refused instead of being dereferenced.
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_set>

#include "platform/plat.h"

namespace plat {
namespace {

struct Block {
  uint8_t* data;
  SIZE_T size;
  int32_t locks;
};

std::mutex gMutex;
std::unordered_set<Block*>& LiveBlocks() {
  static auto* blocks = new std::unordered_set<Block*>();
  return *blocks;
}

Block* Find(HGLOBAL mem) {
  auto* block = static_cast<Block*>(mem);
  auto& live = LiveBlocks();
  return live.count(block) ? block : nullptr;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  // A zero-byte request still gets a distinct, lockable block.
  auto* data = static_cast<uint8_t*>(flags & GMEM_ZEROINIT ? std::calloc(bytes ? bytes : 1, 1)
                                                            : std::malloc(bytes ? bytes : 1));
  if (!data) return nullptr;
  auto* block = new (std::nothrow) Block{data, bytes, 0};
  if (!block) {
    std::free(data);
    return nullptr;
  }
  std::lock_guard<std::mutex> guard(gMutex);
  LiveBlocks().insert(block);
  return block;
}

HGLOBAL GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags) {
  std::lock_guard<std::mutex> guard(gMutex);
  Block* block = Find(mem);
  if (!block) return nullptr;
  auto* data = static_cast<uint8_t*>(std::realloc(block->data, bytes ? bytes : 1));
  if (!data) return nullptr;
  if ((flags & GMEM_ZEROINIT) && bytes > block->size)
    std::memset(data + block->size, 0, bytes - block->size);
  block->data = data;
  block->size = bytes;
  return block;
}

void* GlobalLock(HGLOBAL mem) {
  std::lock_guard<std::mutex> guard(gMutex);
  Block* block = Find(mem);
  if (!block) return nullptr;
  ++block->locks;
  return block->data;
}

BOOL GlobalUnlock(HGLOBAL mem) {
  std::lock_guard<std::mutex> guard(gMutex);
  Block* block = Find(mem);
  if (!block || block->locks == 0) return 0;
  --block->locks;
  return block->locks > 0;
}

SIZE_T GlobalSize(HGLOBAL mem) {
  std::lock_guard<std::mutex> guard(gMutex);
  Block* block = Find(mem);
  return block ? block->size : 0;
}

HGLOBAL GlobalFree(HGLOBAL mem) {
  std::lock_guard<std::mutex> guard(gMutex);
  Block* block = Find(mem);
  if (!block) return mem;
  LiveBlocks().erase(block);
  std::free(block->data);
  delete block;
  return nullptr;
}

}  // namespace plat
