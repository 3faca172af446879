#include "equation/font_id.h"

#include <cstring>

namespace zkw {

TFontID DefaultFontID() {
  static const TFontID font = [] {
    TFontID f{};
    SetFaceName(f, "Arial");
    f.ftSize = 10;
    return f;
  }();
  return font;
}

void SetFaceName(TFontID& font, const std::string& name) {
  std::memset(font.ftFaceName, 0, sizeof font.ftFaceName);
  size_t n = 0;
  while (n < name.size() && n < kMaxFaceName && name[n] != '\0') ++n;
  std::memcpy(font.ftFaceName, name.data(), n);
}

std::string FaceName(const TFontID& font) {
  size_t n = 0;
  while (n < kMaxFaceName && font.ftFaceName[n] != '\0') ++n;
  return std::string(font.ftFaceName, n);
}

TFontID SanitizedFontID(const TFontID& stored) {
  TFontID font = stored;
  SetFaceName(font, FaceName(stored));
  return font;
}

}  // namespace zkw
