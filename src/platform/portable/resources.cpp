// Resources of the Linux library: a table of entries compiled into the binary. Names and types
// are matched without regard to ASCII case, as the real platform does; integer identifiers
// (values below 0x10000 passed as pointers) match entries written as "#n".
#include <cctype>
#include <string>

#include "platform/plat.h"
#include "platform/portable/embedded_resources.h"

namespace plat {
namespace {

int gModuleTag;  // its address is the library's module handle

bool IsIntResource(LPCWSTR p) { return (reinterpret_cast<uintptr_t>(p) >> 16) == 0; }

// The key of a name or type argument in the table's spelling, upper-cased.
std::string KeyOf(LPCWSTR p) {
  if (IsIntResource(p)) return "#" + std::to_string(reinterpret_cast<uintptr_t>(p));
  std::string key;
  for (; *p; ++p) {
    auto u = static_cast<uint16_t>(*p);
    key += u < 0x80 ? static_cast<char>(std::toupper(u)) : '?';
  }
  return key;
}

bool SameKey(const char* entry, const std::string& key) {
  size_t i = 0;
  for (; entry[i]; ++i)
    if (i >= key.size() || std::toupper(static_cast<unsigned char>(entry[i])) != key[i]) return false;
  return i == key.size();
}

}  // namespace

HMODULE LibraryModule() { return &gModuleTag; }

LPCWSTR RT_BITMAP_TYPE() { return reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(2)); }

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
  if ((module && module != &gModuleTag) || !name || !type) return nullptr;
  std::string nameKey = KeyOf(name), typeKey = KeyOf(type);
  for (size_t i = 0; i < portable::kEmbeddedResourceCount; ++i) {
    const auto& entry = portable::kEmbeddedResources[i];
    if (SameKey(entry.type, typeKey) && SameKey(entry.name, nameKey))
      return const_cast<portable::EmbeddedResource*>(&entry);
  }
  return nullptr;
}

HGLOBAL LoadResource(HMODULE /*module*/, HRSRC res) { return res; }

void* LockResource(HGLOBAL resData) {
  if (!resData) return nullptr;
  return const_cast<uint8_t*>(static_cast<portable::EmbeddedResource*>(resData)->data);
}

DWORD SizeofResource(HMODULE /*module*/, HRSRC res) {
  return res ? static_cast<portable::EmbeddedResource*>(res)->size : 0;
}

BOOL FreeResource(HGLOBAL /*resData*/) { return 0; }

}  // namespace plat
