// Directory search for Linux: the directory is read once when the search starts, the names
// whose last component matches the pattern are sorted by their UTF-16 units and handed out one
// by one. "*.*" matches every name, as on Windows; other characters match themselves exactly.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/text16.h"
#include "platform/plat_find.h"

namespace plat {
namespace {

struct FindRecord {
  std::string Directory;              // UTF-8, with its trailing "/" (empty for the current one)
  std::vector<zkw::ZString> Names;    // sorted matches
  size_t Next = 0;
};

// True when Name matches Pattern ("*" any run, "?" one unit).
bool Matches(const WCHAR* p, const WCHAR* pe, const WCHAR* n, const WCHAR* ne) {
  const WCHAR *starP = nullptr, *starN = nullptr;
  while (n < ne) {
    if (p < pe && (*p == u'?' || *p == *n)) {
      ++p;
      ++n;
    } else if (p < pe && *p == u'*') {
      starP = ++p;
      starN = n;
    } else if (starP) {
      p = starP;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pe && *p == u'*') ++p;
  return p == pe;
}

// Seconds since 1970 to 100-ns intervals since 1601.
FILETIME ToFileTime(const struct timespec& t) {
  uint64_t v = (static_cast<uint64_t>(t.tv_sec) + 11644473600ull) * 10000000ull +
               static_cast<uint64_t>(t.tv_nsec) / 100;
  return FILETIME{static_cast<DWORD>(v), static_cast<DWORD>(v >> 32)};
}

// Fills the record of the next name that can still be read; false when none is left.
bool FillNext(FindRecord& f, WIN32_FIND_DATAW* data) {
  while (f.Next < f.Names.size()) {
    const zkw::ZString& name = f.Names[f.Next++];
    struct stat st {};
    if (::stat((f.Directory + zkw::ToUtf8(name)).c_str(), &st) != 0) continue;
    *data = WIN32_FIND_DATAW{};
    data->dwFileAttributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (!(st.st_mode & S_IWUSR)) data->dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
    if (!name.empty() && name[0] == u'.' && name != u"." && name != u"..")
      data->dwFileAttributes |= FILE_ATTRIBUTE_HIDDEN;
    uint64_t size = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
    data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(size);
    data->ftLastWriteTime = ToFileTime(st.st_mtim);
    data->ftLastAccessTime = ToFileTime(st.st_atim);
    data->ftCreationTime = ToFileTime(st.st_ctim);
    std::copy(name.begin(), name.end(), data->cFileName);
    return true;
  }
  return false;
}

}  // namespace

HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data) {
  if (!pattern || !*pattern || !data) return INVALID_HANDLE_VALUE;
  zkw::ZString full(pattern);
  size_t slash = full.rfind(u'/');
  zkw::ZString dir = slash == zkw::ZString::npos ? zkw::ZString() : full.substr(0, slash + 1);
  zkw::ZString mask = slash == zkw::ZString::npos ? full : full.substr(slash + 1);
  if (mask == u"*.*") mask = u"*";
  if (mask.empty()) return INVALID_HANDLE_VALUE;
  auto* f = new FindRecord;
  f->Directory = zkw::ToUtf8(dir);
  DIR* d = ::opendir(f->Directory.empty() ? "." : f->Directory.c_str());
  if (d) {
    while (dirent* e = ::readdir(d)) {
      zkw::ZString name = zkw::FromUtf8(e->d_name);
      if (name.size() >= MAX_PATH) continue;
      if (Matches(mask.data(), mask.data() + mask.size(), name.data(), name.data() + name.size()))
        f->Names.push_back(std::move(name));
    }
    ::closedir(d);
  }
  std::sort(f->Names.begin(), f->Names.end());
  if (!FillNext(*f, data)) {
    delete f;
    return INVALID_HANDLE_VALUE;
  }
  return f;
}

BOOL FindNextFileW(HANDLE find, WIN32_FIND_DATAW* data) {
  if (!find || find == INVALID_HANDLE_VALUE || !data) return 0;
  return FillNext(*static_cast<FindRecord*>(find), data) ? 1 : 0;
}

BOOL FindClose(HANDLE find) {
  if (!find || find == INVALID_HANDLE_VALUE) return 0;
  delete static_cast<FindRecord*>(find);
  return 1;
}

}  // namespace plat
