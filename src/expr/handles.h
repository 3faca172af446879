// Live handles that scripts hold as numbers. Arrays, file streams, file search records and
// images made by script functions travel through expressions as numbers (the thing's address).
// A number coming back from a script is only ever turned into a pointer through this registry:
// it answers with the object when the number is a live handle of the kind asked for, else null.
//
// API (all functions are process-wide, like the rest of the scene runtime, one thread at a time):
//   AddHandle(Kind, Object)       takes ownership; returns the handle number (the address)
//   FindHandle<T>(Kind, Number)   the object, or null when Number is no live handle of that kind
//   FreeHandle(Kind, Number)      destroys the object and forgets the handle; false when unknown
//   TakeHandle<T>(Kind, Number)   forgets the handle and hands the object to the caller
//   HandleCount(Kind), FreeAllHandles()
// Script commands that free things ("FreeArray", "FreeDib", "FileClose", ...) call FreeHandle
// with the matching kind; a wrong or stale number is then simply refused.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/plat_find.h"

namespace zkw {

class TDibBaseObj;
class TFileStream;

enum class THandleKind : uint8_t {
  hkArray = 1,   // TScriptArray
  hkFile = 2,    // TFileStream
  hkSearch = 3,  // TSearchRecord
  hkImage = 4,   // TDibBaseObj made by a script function (ScaleDib, ...)
  hkMemory = 5,  // movable memory block made by a script function (GetMemoData)
};

// A script array: element kind (0 unsigned bytes, 1 signed 32-bit integers), zero-filled.
struct TScriptArray {
  uint8_t ElementKind = 0;
  int32_t Count = 0;
  std::vector<uint8_t> Bytes;    // kind 0
  std::vector<int32_t> Ints;     // kind 1
  // The element at Index, 0 outside 0..Count-1.
  int32_t Get(int64_t Index) const;
  // Stores Value (cut to the element's width); false outside 0..Count-1.
  bool Set(int64_t Index, int64_t Value);
};

// Largest element count of one array and total bytes of all live arrays; larger requests fail.
constexpr int32_t kMaxArrayElements = 16 * 1024 * 1024;
constexpr int64_t kMaxArrayBytes = int64_t{256} * 1024 * 1024;

// A file search: the marker, the platform's search handle and its current match.
constexpr uint32_t kSearchMarker = 624;
struct TSearchRecord {
  uint32_t Marker = kSearchMarker;
  plat::HANDLE Find = plat::INVALID_HANDLE_VALUE;
  plat::WIN32_FIND_DATAW Data{};
  ~TSearchRecord();
};

// Registers Object (owned from now on) under Kind; returns its number, 0 for a null object.
int64_t AddHandle(THandleKind Kind, TScriptArray* Object);
int64_t AddHandle(THandleKind Kind, TFileStream* Object);
int64_t AddHandle(THandleKind Kind, TSearchRecord* Object);
int64_t AddHandle(THandleKind Kind, TDibBaseObj* Object);
// Registers a movable memory block (freed with GlobalFree) under hkMemory.
int64_t AddMemoryHandle(plat::HGLOBAL Block);

// The live object of that kind behind Number, or null.
void* FindHandleRaw(THandleKind Kind, int64_t Number);
template <class T>
T* FindHandle(THandleKind Kind, int64_t Number) {
  return static_cast<T*>(FindHandleRaw(Kind, Number));
}

// Destroys the object and forgets the handle; false when Number is no live handle of Kind.
bool FreeHandle(THandleKind Kind, int64_t Number);

// Forgets the handle without destroying the object, which the caller then owns; null when
// Number is no live handle of Kind.
void* TakeHandleRaw(THandleKind Kind, int64_t Number);
template <class T>
T* TakeHandle(THandleKind Kind, int64_t Number) {
  return static_cast<T*>(TakeHandleRaw(Kind, Number));
}

int32_t HandleCount(THandleKind Kind);
// Bytes held by live arrays (checked against kMaxArrayBytes).
int64_t ArrayBytesInUse();
// Destroys every registered object (tests, fuzzing, library shut-down).
void FreeAllHandles();

}  // namespace zkw
