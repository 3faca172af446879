// The registry of live script handles: a map from the handle number to the owned object and
// its kind. Process-wide and never destroyed, like the objects scripts leave unfreed.
#include "expr/handles.h"

#include <unordered_map>

#include "common/byte_stream.h"
#include "dib/dib_base.h"
#include "platform/plat.h"

namespace zkw {

namespace {

struct TEntry {
  THandleKind Kind;
  void* Object;
};

std::unordered_map<uintptr_t, TEntry>& Registry() {
  static auto* registry = new std::unordered_map<uintptr_t, TEntry>();
  return *registry;
}

int64_t gArrayBytes = 0;

int64_t ArrayBytes(const TScriptArray* a) {
  return a->ElementKind == 0 ? static_cast<int64_t>(a->Bytes.size())
                             : static_cast<int64_t>(a->Ints.size()) * 4;
}

void Destroy(const TEntry& e) {
  switch (e.Kind) {
    case THandleKind::hkArray: {
      auto* a = static_cast<TScriptArray*>(e.Object);
      gArrayBytes -= ArrayBytes(a);
      delete a;
      break;
    }
    case THandleKind::hkFile: delete static_cast<TFileStream*>(e.Object); break;
    case THandleKind::hkSearch: delete static_cast<TSearchRecord*>(e.Object); break;
    case THandleKind::hkImage: delete static_cast<TDibBaseObj*>(e.Object); break;
    case THandleKind::hkMemory: plat::GlobalFree(e.Object); break;
  }
}

int64_t Add(THandleKind Kind, void* Object) {
  if (!Object) return 0;
  Registry()[reinterpret_cast<uintptr_t>(Object)] = TEntry{Kind, Object};
  if (Kind == THandleKind::hkArray) gArrayBytes += ArrayBytes(static_cast<TScriptArray*>(Object));
  return static_cast<int64_t>(reinterpret_cast<uintptr_t>(Object));
}

// The registry slot of a live handle of Kind, or end().
std::unordered_map<uintptr_t, TEntry>::iterator Lookup(THandleKind Kind, int64_t Number) {
  auto& r = Registry();
  if (Number <= 0) return r.end();
  auto it = r.find(static_cast<uintptr_t>(Number));
  return it != r.end() && it->second.Kind == Kind ? it : r.end();
}

}  // namespace

int32_t TScriptArray::Get(int64_t Index) const {
  if (Index < 0 || Index >= Count) return 0;
  return ElementKind == 0 ? Bytes[static_cast<size_t>(Index)] : Ints[static_cast<size_t>(Index)];
}

bool TScriptArray::Set(int64_t Index, int64_t Value) {
  if (Index < 0 || Index >= Count) return false;
  if (ElementKind == 0)
    Bytes[static_cast<size_t>(Index)] = static_cast<uint8_t>(Value);
  else
    Ints[static_cast<size_t>(Index)] = static_cast<int32_t>(static_cast<uint32_t>(Value));
  return true;
}

TSearchRecord::~TSearchRecord() {
  if (Find != plat::INVALID_HANDLE_VALUE) plat::FindClose(Find);
}

int64_t AddHandle(THandleKind Kind, TScriptArray* Object) { return Add(Kind, Object); }
int64_t AddHandle(THandleKind Kind, TFileStream* Object) { return Add(Kind, Object); }
int64_t AddHandle(THandleKind Kind, TSearchRecord* Object) { return Add(Kind, Object); }
int64_t AddHandle(THandleKind Kind, TDibBaseObj* Object) { return Add(Kind, Object); }
int64_t AddMemoryHandle(plat::HGLOBAL Block) { return Add(THandleKind::hkMemory, Block); }

void* FindHandleRaw(THandleKind Kind, int64_t Number) {
  auto it = Lookup(Kind, Number);
  return it == Registry().end() ? nullptr : it->second.Object;
}

bool FreeHandle(THandleKind Kind, int64_t Number) {
  auto it = Lookup(Kind, Number);
  if (it == Registry().end()) return false;
  TEntry e = it->second;
  Registry().erase(it);
  Destroy(e);
  return true;
}

void* TakeHandleRaw(THandleKind Kind, int64_t Number) {
  auto it = Lookup(Kind, Number);
  if (it == Registry().end()) return nullptr;
  void* object = it->second.Object;
  if (Kind == THandleKind::hkArray) gArrayBytes -= ArrayBytes(static_cast<TScriptArray*>(object));
  Registry().erase(it);
  return object;
}

int32_t HandleCount(THandleKind Kind) {
  int32_t n = 0;
  for (const auto& [number, e] : Registry())
    if (e.Kind == Kind) ++n;
  return n;
}

int64_t ArrayBytesInUse() { return gArrayBytes; }

void FreeAllHandles() {
  std::unordered_map<uintptr_t, TEntry> all;
  all.swap(Registry());
  for (const auto& [number, e] : all) Destroy(e);
  gArrayBytes = 0;
}

}  // namespace zkw
