#include "common/byte_stream.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/plat.h"

namespace zkw {

namespace {
// New position for a seek on a stream of the given size; -1 when it would be negative.
int64_t Resolve(int64_t offset, SeekOrigin origin, int64_t current, int64_t size) {
  int64_t base = origin == SeekOrigin::soBeginning ? 0
                 : origin == SeekOrigin::soCurrent ? current
                                                   : size;
  int64_t target = base + offset;
  return target < 0 ? -1 : target;
}
}  // namespace

int32_t TMemoryStream::Read(void* buffer, int32_t count) {
  if (count <= 0 || FPosition >= FBytes.size()) return 0;
  size_t n = std::min<size_t>(static_cast<size_t>(count), FBytes.size() - FPosition);
  std::memcpy(buffer, FBytes.data() + FPosition, n);
  FPosition += n;
  return static_cast<int32_t>(n);
}

int32_t TMemoryStream::Write(const void* buffer, int32_t count) {
  if (count <= 0) return 0;
  size_t end = FPosition + static_cast<size_t>(count);
  if (end > FBytes.size()) FBytes.resize(end);
  std::memcpy(FBytes.data() + FPosition, buffer, static_cast<size_t>(count));
  FPosition = end;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, SeekOrigin origin) {
  int64_t target = Resolve(offset, origin, static_cast<int64_t>(FPosition), Size());
  if (target < 0) return -1;
  FPosition = static_cast<size_t>(target);
  return target;
}

int32_t TBufferStream::Read(void* buffer, int32_t count) {
  if (count <= 0 || FPosition >= FSize) return 0;
  size_t n = std::min<size_t>(static_cast<size_t>(count), FSize - FPosition);
  std::memcpy(buffer, FData + FPosition, n);
  FPosition += n;
  return static_cast<int32_t>(n);
}

int64_t TBufferStream::Seek(int64_t offset, SeekOrigin origin) {
  int64_t target = Resolve(offset, origin, static_cast<int64_t>(FPosition), Size());
  if (target < 0) return -1;
  FPosition = static_cast<size_t>(target);
  return target;
}

TFileStream::TFileStream(const ZChar* name, FileMode mode) {
  using namespace plat;
  if (mode == FileMode::fmCreate)
    FFile = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
  else if (mode == FileMode::fmOpenReadWrite)
    FFile = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  else
    FFile = CreateFileW(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
}

TFileStream::~TFileStream() {
  if (IsOpen()) plat::CloseHandle(FFile);
}

bool TFileStream::IsOpen() const { return FFile != plat::INVALID_HANDLE_VALUE && FFile; }

int32_t TFileStream::Read(void* buffer, int32_t count) {
  plat::DWORD done = 0;
  if (!IsOpen() || count <= 0) return 0;
  if (!plat::ReadFile(FFile, buffer, static_cast<plat::DWORD>(count), &done, nullptr)) return 0;
  return static_cast<int32_t>(done);
}

int32_t TFileStream::Write(const void* buffer, int32_t count) {
  plat::DWORD done = 0;
  if (!IsOpen() || count <= 0) return 0;
  plat::WriteFile(FFile, buffer, static_cast<plat::DWORD>(count), &done, nullptr);
  return static_cast<int32_t>(done);
}

int64_t TFileStream::Seek(int64_t offset, SeekOrigin origin) {
  if (!IsOpen()) return -1;
  plat::LONG high = static_cast<plat::LONG>(offset >> 32);
  plat::DWORD low = plat::SetFilePointer(FFile, static_cast<plat::LONG>(offset & 0xFFFFFFFF),
                                         &high, static_cast<plat::DWORD>(origin));
  if (low == plat::INVALID_SET_FILE_POINTER) return -1;
  return static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(high)) << 32) | low);
}

int64_t TFileStream::Size() {
  if (!IsOpen()) return 0;
  plat::DWORD high = 0;
  plat::DWORD low = plat::GetFileSize(FFile, &high);
  if (low == plat::INVALID_FILE_SIZE && high == 0) return 0;
  return (static_cast<int64_t>(high) << 32) | low;
}

bool TFileStream::Truncate(int64_t size) {
  return IsOpen() && Seek(size, SeekOrigin::soBeginning) == size && plat::SetEndOfFile(FFile);
}

TReadAheadStream::TReadAheadStream(TStream* Source, size_t BufferSize)
    : FSource(Source), FSize(Source->Size()), FPosition(Source->Position()), FBuffer(std::max<size_t>(BufferSize, 16)) {
  if (FPosition < 0) FPosition = 0;
}

bool TReadAheadStream::Fill() {
  FBufferLength = 0;
  if (FPosition >= FSize || FSource->Seek(FPosition, SeekOrigin::soBeginning) != FPosition) return false;
  int32_t n = FSource->Read(FBuffer.data(), static_cast<int32_t>(FBuffer.size()));
  if (n <= 0) return false;
  FBufferStart = FPosition;
  FBufferLength = static_cast<size_t>(n);
  return true;
}

int32_t TReadAheadStream::Read(void* buffer, int32_t count) {
  auto* out = static_cast<uint8_t*>(buffer);
  int32_t done = 0;
  while (count > 0) {
    bool inBuffer = FPosition >= FBufferStart && FPosition < FBufferStart + static_cast<int64_t>(FBufferLength);
    if (!inBuffer) {
      if (static_cast<size_t>(count) >= FBuffer.size()) {
        // A large read goes straight to the source.
        if (FSource->Seek(FPosition, SeekOrigin::soBeginning) != FPosition) break;
        int32_t n = FSource->Read(out, count);
        if (n <= 0) break;
        FPosition += n;
        done += n;
        break;
      }
      if (!Fill()) break;
    }
    size_t offset = static_cast<size_t>(FPosition - FBufferStart);
    size_t n = std::min(static_cast<size_t>(count), FBufferLength - offset);
    std::memcpy(out, FBuffer.data() + offset, n);
    out += n;
    count -= static_cast<int32_t>(n);
    done += static_cast<int32_t>(n);
    FPosition += static_cast<int64_t>(n);
  }
  return done;
}

int64_t TReadAheadStream::Seek(int64_t offset, SeekOrigin origin) {
  int64_t base = origin == SeekOrigin::soBeginning ? 0 : origin == SeekOrigin::soCurrent ? FPosition : FSize;
  int64_t target = base + offset;
  if (target < 0) return -1;
  FPosition = target;
  return FPosition;
}

bool ReadWholeFile(const ZChar* name, std::vector<uint8_t>& bytes) {
  TFileStream file(name, FileMode::fmOpenRead);
  if (!file.IsOpen()) return false;
  int64_t size = file.Size();
  if (size < 0 || size > std::numeric_limits<int32_t>::max()) return false;
  bytes.resize(static_cast<size_t>(size));
  return size == 0 || file.ReadExact(bytes.data(), static_cast<int32_t>(size));
}

}  // namespace zkw
