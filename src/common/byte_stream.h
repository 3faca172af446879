// Byte streams: read, write, seek and size over memory or a file. Readers of the library's
// formats take a TStream so that records can live in files, in memory or inside other files.
#pragma once
#include <cstdint>
#include <vector>

#include "base/text16.h"
#include "platform/plat_types.h"

namespace zkw {

enum class SeekOrigin : int32_t { soBeginning = 0, soCurrent = 1, soEnd = 2 };

class TStream {
 public:
  virtual ~TStream() = default;
  // Reads up to count bytes; returns how many were read (0 at the end).
  virtual int32_t Read(void* buffer, int32_t count) = 0;
  // Writes count bytes; returns how many were written (fewer on failure).
  virtual int32_t Write(const void* buffer, int32_t count) = 0;
  // Moves the position; returns the new position, or -1 when it cannot move there.
  virtual int64_t Seek(int64_t offset, SeekOrigin origin) = 0;
  virtual int64_t Size() = 0;

  int64_t Position() { return Seek(0, SeekOrigin::soCurrent); }
  // Bytes from the position to the end.
  int64_t Remaining() { return Size() - Position(); }
  // True when exactly count bytes were read or written.
  bool ReadExact(void* buffer, int32_t count) { return Read(buffer, count) == count; }
  bool WriteExact(const void* buffer, int32_t count) { return Write(buffer, count) == count; }
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> bytes) : FBytes(std::move(bytes)) {}
  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(FBytes.size()); }

  const std::vector<uint8_t>& Bytes() const { return FBytes; }
  std::vector<uint8_t>& Bytes() { return FBytes; }

 private:
  std::vector<uint8_t> FBytes;
  size_t FPosition = 0;
};

// A read-only stream over memory someone else owns.
class TBufferStream : public TStream {
 public:
  TBufferStream(const void* data, size_t size)
      : FData(static_cast<const uint8_t*>(data)), FSize(size) {}
  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void*, int32_t) override { return 0; }
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(FSize); }

 private:
  const uint8_t* FData;
  size_t FSize;
  size_t FPosition = 0;
};

enum class FileMode : int32_t { fmOpenRead = 0, fmCreate = 1, fmOpenReadWrite = 2 };

class TFileStream : public TStream {
 public:
  // Check IsOpen() after construction.
  TFileStream(const ZChar* name, FileMode mode);
  ~TFileStream() override;
  bool IsOpen() const;
  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override;
  // Cuts the file (or extends it with zeros) to `size` bytes; false when that fails.
  bool Truncate(int64_t size);

 private:
  plat::HANDLE FFile;
};

// Reads another stream through a buffer: many small reads (record heads) cost one read of the
// source per buffer. Read-only; the source must not change size while it is read. Starts at
// the source's current position.
class TReadAheadStream : public TStream {
 public:
  explicit TReadAheadStream(TStream* Source, size_t BufferSize = 64 * 1024);
  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void*, int32_t) override { return 0; }
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override { return FSize; }

 private:
  // Loads the buffer from the position; false at the end or on a read fault.
  bool Fill();
  TStream* FSource;
  int64_t FSize;
  int64_t FPosition;
  std::vector<uint8_t> FBuffer;
  int64_t FBufferStart = 0;
  size_t FBufferLength = 0;
};

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const ZChar* name, std::vector<uint8_t>& bytes);

}  // namespace zkw
