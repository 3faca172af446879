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
    "/usr/share/fonts/liberation/", "/usr/share/wine/fonts/"};

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
// Symbol faces come in one style.
const Family kSymbol = {{"symbol.ttf", "symbol.ttf", "symbol.ttf", "symbol.ttf"}};
const Family kWingdings = {{"wingding.ttf", "wingding.ttf", "wingding.ttf", "wingding.ttf"}};
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
      {"dejavuserif", &kDejaVuSerif}, {"dejavusansmono", &kDejaVuMono},
      {"symbol", &kSymbol},        {"wingdings", &kWingdings}};
  auto it = kNames.find(key);
  return it == kNames.end() ? nullptr : it->second;
}

// Unicode for the Symbol positions 0x20..0x7E and 0xA0..0xFE, in order.
const uint16_t kSymbolLow[95] = {
    0x20,   0x21,   0x2200, 0x23,   0x2203, 0x25,   0x26,   0x220B, 0x28,   0x29,   0x2217, 0x2B,
    0x2C,   0x2212, 0x2E,   0x2F,   0x30,   0x31,   0x32,   0x33,   0x34,   0x35,   0x36,   0x37,
    0x38,   0x39,   0x3A,   0x3B,   0x3C,   0x3D,   0x3E,   0x3F,   0x2245, 0x391,  0x392,  0x3A7,
    0x394,  0x395,  0x3A6,  0x393,  0x397,  0x399,  0x3D1,  0x39A,  0x39B,  0x39C,  0x39D,  0x39F,
    0x3A0,  0x398,  0x3A1,  0x3A3,  0x3A4,  0x3A5,  0x3C2,  0x3A9,  0x39E,  0x3A8,  0x396,  0x5B,
    0x2234, 0x5D,   0x22A5, 0x5F,   0x203E, 0x3B1,  0x3B2,  0x3C7,  0x3B4,  0x3B5,  0x3C6,  0x3B3,
    0x3B7,  0x3B9,  0x3D5,  0x3BA,  0x3BB,  0x3BC,  0x3BD,  0x3BF,  0x3C0,  0x3B8,  0x3C1,  0x3C3,
    0x3C4,  0x3C5,  0x3D6,  0x3C9,  0x3BE,  0x3C8,  0x3B6,  0x7B,   0x7C,   0x7D,   0x223C};
const uint16_t kSymbolHigh[95] = {
    0x20AC, 0x3D2,  0x2032, 0x2264, 0x2044, 0x221E, 0x192,  0x2663, 0x2666, 0x2665, 0x2660, 0x2194,
    0x2190, 0x2191, 0x2192, 0x2193, 0xB0,   0xB1,   0x2033, 0x2265, 0xD7,   0x221D, 0x2202, 0x2022,
    0xF7,   0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5, 0x2135, 0x2111, 0x211C, 0x2118,
    0x2297, 0x2295, 0x2205, 0x2229, 0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
    0x2220, 0x2207, 0xAE,   0xA9,   0x2122, 0x220F, 0x221A, 0x22C5, 0xAC,   0x2227, 0x2228, 0x21D4,
    0x21D0, 0x21D1, 0x21D2, 0x21D3, 0x25CA, 0x27E8, 0xAE,   0xA9,   0x2122, 0x2211, 0x239B, 0x239C,
    0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA, 0,      0x27E9, 0x222B, 0x2320,
    0x23AE, 0x2321, 0x239E, 0x239F, 0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD};

}  // namespace

bool IsSymbolFaceName(const WCHAR* face, size_t length) { return Key(face, length) == "symbol"; }

uint32_t SymbolToUnicode(uint32_t code) {
  if (code >= 0x20 && code <= 0x7E) return kSymbolLow[code - 0x20];
  if (code >= 0xA0 && code <= 0xFE) return kSymbolHigh[code - 0xA0];
  return 0;
}

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
