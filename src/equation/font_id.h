// The font record of equations: stored in files and buffers, so its layout is fixed.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace zkw {

#pragma pack(push, 1)
struct TFontID {
  char ftFaceName[129];  // 8-bit face name, zero-terminated
  uint8_t ftBold;
  uint8_t ftItalic;
  uint8_t ftUnderline;
  int32_t ftSize;  // points
};
#pragma pack(pop)
static_assert(sizeof(TFontID) == 136, "TFontID is 136 bytes");
static_assert(offsetof(TFontID, ftBold) == 129 && offsetof(TFontID, ftItalic) == 130 &&
                  offsetof(TFontID, ftUnderline) == 131 && offsetof(TFontID, ftSize) == 132,
              "TFontID field offsets");

// Longest face name kept; the 129th byte is always the terminator.
constexpr size_t kMaxFaceName = 128;

// "Arial", 10 points, no styles.
TFontID DefaultFontID();
// Sets the face name, cut at kMaxFaceName characters, the rest of the field zeroed.
void SetFaceName(TFontID& font, const std::string& name);
// The face name up to its first zero, at most kMaxFaceName characters.
std::string FaceName(const TFontID& font);
// A record read from outside: the face name taken to its first zero and zero-filled after it.
TFontID SanitizedFontID(const TFontID& stored);

}  // namespace zkw
