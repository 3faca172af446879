// File layer of the table code over the platform's files.
#include "odf/odf_store.h"

#include <vector>

#include "platform/plat.h"

namespace zkw {

namespace {
thread_local int64_t gWriteBudget = -1;
}

void TODFStore::SetWriteBudget(int64_t Count) { gWriteBudget = Count; }

bool TODFStore::TakeWrite() {
  if (gWriteBudget < 0) return true;
  if (gWriteBudget == 0) return false;
  --gWriteBudget;
  return true;
}

bool TODFStore::Open(const ZString& Name, bool Writable) {
  Close();
  plat::DWORD access = plat::GENERIC_READ | (Writable ? plat::GENERIC_WRITE : 0);
  plat::DWORD share = plat::FILE_SHARE_READ | plat::FILE_SHARE_WRITE | plat::FILE_SHARE_DELETE;
  plat::HANDLE h = plat::CreateFileW(Name.c_str(), access, share, nullptr, plat::OPEN_EXISTING,
                                     plat::FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == plat::INVALID_HANDLE_VALUE) return false;
  FHandle = h;
  FWritable = Writable;
  return true;
}

bool TODFStore::Create(const ZString& Name) {
  Close();
  plat::HANDLE h = plat::CreateFileW(Name.c_str(), plat::GENERIC_READ | plat::GENERIC_WRITE, 0,
                                     nullptr, plat::CREATE_ALWAYS, plat::FILE_ATTRIBUTE_NORMAL,
                                     nullptr);
  if (h == plat::INVALID_HANDLE_VALUE) return false;
  FHandle = h;
  FWritable = true;
  return true;
}

void TODFStore::Close() {
  if (FHandle) plat::CloseHandle(FHandle);
  FHandle = nullptr;
  FWritable = false;
}

namespace {
bool SeekTo(plat::HANDLE h, int64_t Offset) {
  if (Offset < 0) return false;
  plat::LONG high = static_cast<plat::LONG>(Offset >> 32);
  plat::DWORD low = plat::SetFilePointer(h, static_cast<plat::LONG>(Offset & 0xFFFFFFFF), &high,
                                         plat::FILE_BEGIN);
  return !(low == plat::INVALID_SET_FILE_POINTER &&
           (static_cast<int64_t>(low) | (static_cast<int64_t>(high) << 32)) != Offset);
}
}  // namespace

bool TODFStore::ReadAt(int64_t Offset, void* Buffer, int64_t Count) {
  if (!FHandle || Count < 0 || Count > 0x7FFFFFFF || !SeekTo(FHandle, Offset)) return false;
  if (Count == 0) return true;
  plat::DWORD read = 0;
  return plat::ReadFile(FHandle, Buffer, static_cast<plat::DWORD>(Count), &read, nullptr) &&
         read == static_cast<plat::DWORD>(Count);
}

bool TODFStore::WriteAt(int64_t Offset, const void* Buffer, int64_t Count) {
  if (!FHandle || !FWritable || Count < 0 || Count > 0x7FFFFFFF) return false;
  if (!TakeWrite() || !SeekTo(FHandle, Offset)) return false;
  plat::DWORD written = 0;
  return plat::WriteFile(FHandle, Buffer, static_cast<plat::DWORD>(Count), &written, nullptr) &&
         written == static_cast<plat::DWORD>(Count);
}

int64_t TODFStore::Size() {
  if (!FHandle) return 0;
  plat::DWORD high = 0;
  plat::DWORD low = plat::GetFileSize(FHandle, &high);
  if (low == plat::INVALID_FILE_SIZE && high == 0) return 0;
  return static_cast<int64_t>(low) | (static_cast<int64_t>(high) << 32);
}

bool TODFStore::SetSize(int64_t Size) {
  if (!FHandle || !FWritable || !TakeWrite() || !SeekTo(FHandle, Size)) return false;
  return plat::SetEndOfFile(FHandle);
}

bool TODFStore::Flush() { return FHandle && FWritable && plat::FlushFileBuffers(FHandle); }

bool TODFStore::Lock(uint32_t Bytes) {
  if (!FHandle) return false;
  plat::OVERLAPPED at{};
  return plat::LockFileEx(FHandle, plat::LOCKFILE_EXCLUSIVE_LOCK, 0, Bytes, 0, &at);
}

void TODFStore::Unlock(uint32_t Bytes) {
  if (!FHandle) return;
  plat::OVERLAPPED at{};
  plat::UnlockFileEx(FHandle, 0, Bytes, 0, &at);
}

bool ODFFileExists(const ZString& Name) {
  plat::DWORD attributes = plat::GetFileAttributesW(Name.c_str());
  return attributes != plat::INVALID_FILE_ATTRIBUTES &&
         !(attributes & plat::FILE_ATTRIBUTE_DIRECTORY);
}

ZString ODFFullPath(const ZString& Name) {
  if (Name.empty()) return Name;
  plat::DWORD needed = plat::GetFullPathNameW(Name.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return Name;
  std::vector<ZChar> buffer(needed + 1);
  plat::DWORD length = plat::GetFullPathNameW(Name.c_str(), static_cast<plat::DWORD>(buffer.size()),
                                        buffer.data(), nullptr);
  if (length == 0 || length >= buffer.size()) return Name;
  return ZString(buffer.data(), length);
}

bool WriteFileReplacing(const ZString& Name, const std::vector<uint8_t>& Bytes) {
  const ZString temporary = Name + ZText(".tmp");
  {
    TODFStore file;
    if (!file.Create(temporary) ||
        !file.WriteAt(0, Bytes.data(), static_cast<int64_t>(Bytes.size())) || !file.Flush()) {
      file.Close();
      plat::DeleteFileW(temporary.c_str());
      return false;
    }
  }
  if (plat::MoveFileExW(temporary.c_str(), Name.c_str(), plat::MOVEFILE_REPLACE_EXISTING)) return true;
  plat::DeleteFileW(temporary.c_str());
  return false;
}

ZString ZText(const char* Ascii) {
  ZString text;
  for (; *Ascii; ++Ascii) text.push_back(static_cast<ZChar>(static_cast<unsigned char>(*Ascii)));
  return text;
}

}  // namespace zkw
