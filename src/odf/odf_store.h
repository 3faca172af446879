// The file layer of tables, memo files and recovery files: reads and writes at offsets, size,
// flushing and a lock on the header. Every write of the table code goes through here, so that
// tests can stop the n-th write and check what a crash at that point leaves behind.
#pragma once
#include <cstdint>
#include <vector>

#include "base/text16.h"
#include "platform/plat_types.h"

namespace zkw {

class TODFStore {
 public:
  TODFStore() = default;
  TODFStore(const TODFStore&) = delete;
  TODFStore& operator=(const TODFStore&) = delete;
  ~TODFStore() { Close(); }

  // Opens an existing file for reading, or reading and writing; shared deny-none.
  bool Open(const ZString& Name, bool Writable);
  // Creates (or empties) a file for writing.
  bool Create(const ZString& Name);
  void Close();
  bool IsOpen() const { return FHandle != nullptr; }
  bool Writable() const { return FWritable; }

  // Exactly Count bytes at Offset; false on a short read or a bad offset.
  bool ReadAt(int64_t Offset, void* Buffer, int64_t Count);
  // One write of Count bytes at Offset; false when it fails or the write budget is spent.
  bool WriteAt(int64_t Offset, const void* Buffer, int64_t Count);
  int64_t Size();
  bool SetSize(int64_t Size);
  bool Flush();
  // Exclusive lock of the first Bytes bytes (waits); released by Unlock.
  bool Lock(uint32_t Bytes);
  void Unlock(uint32_t Bytes);

  // Test seam: after Count more writes (WriteAt, SetSize) every later one fails without
  // touching the file, as if the process had died there; -1 (the default) never stops.
  static void SetWriteBudget(int64_t Count);

 private:
  static bool TakeWrite();
  plat::HANDLE FHandle = nullptr;
  bool FWritable = false;
};

// True when the file exists (and is no folder).
bool ODFFileExists(const ZString& Name);
// Writes a whole file through a temporary file beside it, flushed, then renamed over the name.
bool WriteFileReplacing(const ZString& Name, const std::vector<uint8_t>& Bytes);
// An ASCII text as UTF-16.
ZString ZText(const char* Ascii);
// The full path of a name (the name itself when the platform cannot expand it).
ZString ODFFullPath(const ZString& Name);

}  // namespace zkw
