// Files for Linux over POSIX descriptors; names arrive as UTF-16 and are opened as UTF-8.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "base/text16.h"
#include "platform/plat.h"

namespace plat {
namespace {

struct FileRecord {
  int fd;
};

FileRecord* AsFile(HANDLE h) {
  if (!h || h == INVALID_HANDLE_VALUE) return nullptr;
  return static_cast<FileRecord*>(h);
}

}  // namespace

HANDLE CreateFileW(LPCWSTR name, DWORD access, DWORD /*share*/, void* /*security*/,
                   DWORD disposition, DWORD /*flags*/, HANDLE /*templ*/) {
  if (!name || !*name) return INVALID_HANDLE_VALUE;
  std::string path = zkw::ToUtf8(name);
  int mode = (access & GENERIC_READ) && (access & GENERIC_WRITE) ? O_RDWR
             : (access & GENERIC_WRITE)                          ? O_WRONLY
                                                                 : O_RDONLY;
  switch (disposition) {
    case CREATE_NEW: mode |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: mode |= O_CREAT | O_TRUNC; break;
    case OPEN_EXISTING: break;
    case OPEN_ALWAYS: mode |= O_CREAT; break;
    case TRUNCATE_EXISTING: mode |= O_TRUNC; break;
    default: return INVALID_HANDLE_VALUE;
  }
  int fd = ::open(path.c_str(), mode | O_CLOEXEC, 0644);
  if (fd < 0) return INVALID_HANDLE_VALUE;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return INVALID_HANDLE_VALUE;
  }
  return new FileRecord{fd};
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD toRead, DWORD* read, void* /*overlapped*/) {
  if (read) *read = 0;
  FileRecord* f = AsFile(file);
  if (!f) return 0;
  DWORD total = 0;
  auto* out = static_cast<uint8_t*>(buffer);
  while (total < toRead) {
    ssize_t n = ::read(f->fd, out + total, toRead - total);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return 0;
    if (n == 0) break;
    total += static_cast<DWORD>(n);
  }
  if (read) *read = total;
  return 1;
}

BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written, void* /*ov*/) {
  if (written) *written = 0;
  FileRecord* f = AsFile(file);
  if (!f) return 0;
  DWORD total = 0;
  auto* in = static_cast<const uint8_t*>(buffer);
  while (total < toWrite) {
    ssize_t n = ::write(f->fd, in + total, toWrite - total);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return 0;
    total += static_cast<DWORD>(n);
  }
  if (written) *written = total;
  return 1;
}

DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method) {
  FileRecord* f = AsFile(file);
  if (!f) return INVALID_SET_FILE_POINTER;
  int64_t offset = distanceHigh ? static_cast<int64_t>(
                                      (static_cast<uint64_t>(static_cast<uint32_t>(*distanceHigh)) << 32) |
                                      static_cast<uint32_t>(distance))
                                : distance;
  int whence = method == FILE_CURRENT ? SEEK_CUR : method == FILE_END ? SEEK_END : SEEK_SET;
  off_t pos = ::lseek(f->fd, offset, whence);
  if (pos < 0) return INVALID_SET_FILE_POINTER;
  if (distanceHigh) *distanceHigh = static_cast<LONG>(static_cast<int64_t>(pos) >> 32);
  return static_cast<DWORD>(pos);
}

DWORD GetFileSize(HANDLE file, DWORD* sizeHigh) {
  FileRecord* f = AsFile(file);
  struct stat st {};
  if (!f || ::fstat(f->fd, &st) != 0) return INVALID_FILE_SIZE;
  if (sizeHigh) *sizeHigh = static_cast<DWORD>(static_cast<uint64_t>(st.st_size) >> 32);
  return static_cast<DWORD>(st.st_size);
}

BOOL CloseHandle(HANDLE handle) {
  FileRecord* f = AsFile(handle);
  if (!f) return 0;
  ::close(f->fd);
  delete f;
  return 1;
}

BOOL DeleteFileW(LPCWSTR name) {
  if (!name) return 0;
  return ::unlink(zkw::ToUtf8(name).c_str()) == 0;
}

BOOL SetEndOfFile(HANDLE file) {
  FileRecord* f = AsFile(file);
  if (!f) return 0;
  off_t pos = ::lseek(f->fd, 0, SEEK_CUR);
  return pos >= 0 && ::ftruncate(f->fd, pos) == 0;
}

// Without MOVEFILE_REPLACE_EXISTING an existing target is kept and the move fails.
BOOL MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags) {
  if (!from || !to) return 0;
  std::string source = zkw::ToUtf8(from), target = zkw::ToUtf8(to);
  struct stat st {};
  if (!(flags & MOVEFILE_REPLACE_EXISTING) && ::stat(target.c_str(), &st) == 0) return 0;
  return ::rename(source.c_str(), target.c_str()) == 0;
}

DWORD GetFileAttributesW(LPCWSTR name) {
  struct stat st {};
  if (!name || ::stat(zkw::ToUtf8(name).c_str(), &st) != 0) return INVALID_FILE_ATTRIBUTES;
  return S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
}

BOOL FlushFileBuffers(HANDLE file) {
  FileRecord* f = AsFile(file);
  return f && ::fsync(f->fd) == 0;
}

// Lexical: the current folder is put in front of a relative name, then "." and ".." components
// and doubled separators are resolved. The file need not exist.
DWORD GetFullPathNameW(LPCWSTR name, DWORD bufLen, WCHAR* buffer, WCHAR** filePart) {
  if (!name || !*name) return 0;
  std::string path = zkw::ToUtf8(name);
  if (path[0] != '/') {
    char cwd[4096];
    if (!::getcwd(cwd, sizeof cwd)) return 0;
    path = std::string(cwd) + "/" + path;
  }
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string full;
  for (const std::string& part : parts) full += "/" + part;
  if (full.empty() || path.back() == '/') full += "/";
  zkw::ZString wide = zkw::FromUtf8(full);
  if (wide.size() + 1 > bufLen) return static_cast<DWORD>(wide.size() + 1);
  std::copy(wide.begin(), wide.end(), buffer);
  buffer[wide.size()] = 0;
  if (filePart) {
    size_t slash = wide.rfind(u'/');
    *filePart = slash + 1 < wide.size() ? buffer + slash + 1 : nullptr;
  }
  return static_cast<DWORD>(wide.size());
}

namespace {

// Open-file-description locks: owned by the handle, so two handles of one process conflict.
BOOL SetRangeLock(HANDLE file, short type, bool wait, DWORD bytesLow, DWORD bytesHigh,
                  const OVERLAPPED* overlapped) {
  FileRecord* f = AsFile(file);
  if (!f || !overlapped) return 0;
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = static_cast<off_t>((static_cast<uint64_t>(overlapped->OffsetHigh) << 32) |
                                    overlapped->Offset);
  lock.l_len = static_cast<off_t>((static_cast<uint64_t>(bytesHigh) << 32) | bytesLow);
  if (lock.l_len <= 0) return 0;
  int rc;
  do {
    rc = ::fcntl(f->fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &lock);
  } while (rc < 0 && errno == EINTR);
  return rc == 0;
}

}  // namespace

BOOL LockFileEx(HANDLE file, DWORD flags, DWORD /*reserved*/, DWORD bytesLow, DWORD bytesHigh,
                OVERLAPPED* overlapped) {
  short type = (flags & LOCKFILE_EXCLUSIVE_LOCK) ? F_WRLCK : F_RDLCK;
  return SetRangeLock(file, type, !(flags & LOCKFILE_FAIL_IMMEDIATELY), bytesLow, bytesHigh,
                      overlapped);
}

BOOL UnlockFileEx(HANDLE file, DWORD /*reserved*/, DWORD bytesLow, DWORD bytesHigh,
                  OVERLAPPED* overlapped) {
  return SetRangeLock(file, F_UNLCK, false, bytesLow, bytesHigh, overlapped);
}

}  // namespace plat
