#include "platform/portable/font_find.h"

#include <sys/stat.h>

#include <cctype>
#include <map>
#include <mutex>

namespace plat::portable {

namespace {

const char* const kFontFolders[] = {
    "/usr/share/fonts/truetype/liberation2/", "/usr/share/fonts/truetype/liberation/",
    "/usr/share/fonts/truetype/dejavu/", "/usr/share/fonts/TTF/", "/usr/share/fonts/dejavu/",
    "/usr/share/fonts/liberation/"};

// A family by its four file names: regular, bold, italic, bold italic.
struct Family {
  const char* files[4];
};
const Family kSans = {{"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf", "LiberationSans-Italic.ttf",
                       "LiberationSans-BoldItalic.ttf"}};
const Family kSerif = {{"LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf",
                        "LiberationSerif-Italic.ttf", "LiberationSerif-BoldItalic.ttf"}};
const Family kMono = {{"LiberationMono-Regular.ttf", "LiberationMono-Bold.ttf", "LiberationMono-Italic.ttf",
                       "LiberationMono-BoldItalic.ttf"}};
const Family kDejaVu = {{"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSans-Oblique.ttf",
                         "DejaVuSans-BoldOblique.ttf"}};
const Family kDejaVuSerif = {{"DejaVuSerif.ttf", "DejaVuSerif-Bold.ttf", "DejaVuSerif-Italic.ttf",
                              "DejaVuSerif-BoldItalic.ttf"}};
const Family kDejaVuMono = {{"DejaVuSansMono.ttf", "DejaVuSansMono-Bold.ttf", "DejaVuSansMono-Oblique.ttf",
                             "DejaVuSansMono-BoldOblique.ttf"}};

bool Exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string Locate(const char* file) {
  for (const char* folder : kFontFolders) {
    std::string path = std::string(folder) + file;
    if (Exists(path)) return path;
  }
  return {};
}

// The lower-case ASCII letters of a face name (spaces and other characters dropped).
std::string Key(const WCHAR* face, size_t length) {
  std::string key;
  for (size_t i = 0; i < length && face && face[i]; ++i)
    if (face[i] < 128 && std::isalnum(static_cast<int>(face[i])))
      key += static_cast<char>(std::tolower(static_cast<int>(face[i])));
  return key;
}

const Family* FamilyOf(const std::string& key) {
  static const std::map<std::string, const Family*> kNames = {
      {"arial", &kSans},           {"helvetica", &kSans},        {"liberationsans", &kSans},
      {"mssansserif", &kSans},     {"microsoftsansserif", &kSans}, {"tahoma", &kSans},
      {"verdana", &kSans},         {"system", &kSans},           {"segoeui", &kSans},
      {"timesnewroman", &kSerif},  {"times", &kSerif},           {"liberationserif", &kSerif},
      {"georgia", &kSerif},        {"couriernew", &kMono},       {"courier", &kMono},
      {"liberationmono", &kMono},  {"consolas", &kMono},         {"dejavusans", &kDejaVu},
      {"dejavuserif", &kDejaVuSerif}, {"dejavusansmono", &kDejaVuMono}};
  auto it = kNames.find(key);
  return it == kNames.end() ? nullptr : it->second;
}

}  // namespace

std::string FindFontFile(const WCHAR* face, size_t length, bool bold, bool italic) {
  static std::mutex mutex;
  static std::map<std::string, std::string> cache;
  std::string key = Key(face, length);
  int style = (bold ? 1 : 0) + (italic ? 2 : 0);
  std::string cacheKey = key + "#" + std::to_string(style);
  std::lock_guard<std::mutex> guard(mutex);
  auto hit = cache.find(cacheKey);
  if (hit != cache.end()) return hit->second;
  std::string path;
  const Family* family = FamilyOf(key);
  // The named family first, then DejaVu Sans, each in the wanted style and then regular.
  for (const Family* f : {family, &kDejaVu, &kSans}) {
    if (!f) continue;
    path = Locate(f->files[style]);
    if (path.empty()) path = Locate(f->files[0]);
    if (!path.empty()) break;
  }
  cache[cacheKey] = path;
  return path;
}

}  // namespace plat::portable
