// Process-wide font state: glyph map, composed letters, clip rectangle, justification.
#include "fonts/glyph_state.h"

namespace zkw {

// Entries as (code point, base glyph, mark glyph). 0..101 are the Vietnamese letters that
// Latin-1 lacks, 102..127 carry the Windows-1252 characters 0x80..0x9F to their glyph slots.
// Declared extern in the header, so these constexpr definitions have external linkage.
constexpr TComposedChar ComposedChars[kComposedCount] = {
    {0x1EA2, 33, 234}, {0x1EA0, 33, 236}, {0x1EA4, 162, 232}, {0x1EA6, 162, 233}, {0x1EA8, 162, 234},
    {0x1EAA, 162, 235}, {0x1EAC, 162, 236}, {0x0102, 224, 0}, {0x1EAE, 224, 232}, {0x1EB0, 224, 233},
    {0x1EB2, 224, 234}, {0x1EB4, 224, 235}, {0x1EB6, 224, 236}, {0x1EBA, 37, 234}, {0x1EBC, 37, 235},
    {0x1EB8, 37, 236}, {0x1EBE, 170, 232}, {0x1EC0, 170, 233}, {0x1EC2, 170, 234}, {0x1EC4, 170, 235},
    {0x1EC6, 170, 236}, {0x1EC8, 41, 234}, {0x0128, 41, 235}, {0x1ECA, 41, 236}, {0x1ECE, 47, 234},
    {0x1ECC, 47, 236}, {0x1ED0, 180, 232}, {0x1ED2, 180, 233}, {0x1ED4, 180, 234}, {0x1ED6, 180, 235},
    {0x1ED8, 180, 236}, {0x01A0, 225, 0}, {0x1EDA, 225, 232}, {0x1EDC, 225, 233}, {0x1EDE, 225, 234},
    {0x1EE0, 225, 235}, {0x1EE2, 225, 236}, {0x1EE6, 53, 234}, {0x0168, 53, 235}, {0x1EE4, 53, 236},
    {0x01AF, 226, 0}, {0x1EE8, 226, 232}, {0x1EEA, 226, 233}, {0x1EEC, 226, 234}, {0x1EEE, 226, 235},
    {0x1EF0, 226, 236}, {0x1EF2, 57, 233}, {0x1EF6, 57, 234}, {0x1EF8, 57, 235}, {0x1EF4, 57, 236},
    {0x0110, 176, 0}, {0x1EA3, 65, 234}, {0x1EA1, 65, 236}, {0x1EA5, 194, 232}, {0x1EA7, 194, 233},
    {0x1EA9, 194, 234}, {0x1EAB, 194, 235}, {0x1EAD, 194, 236}, {0x0103, 227, 0}, {0x1EAF, 227, 232},
    {0x1EB1, 227, 233}, {0x1EB3, 227, 234}, {0x1EB5, 227, 235}, {0x1EB7, 227, 236}, {0x1EBB, 69, 234},
    {0x1EBD, 69, 235}, {0x1EB9, 69, 236}, {0x1EBF, 202, 232}, {0x1EC1, 202, 233}, {0x1EC3, 202, 234},
    {0x1EC5, 202, 235}, {0x1EC7, 202, 236}, {0x1EC9, 230, 234}, {0x0129, 230, 235}, {0x1ECB, 73, 236},
    {0x1ECF, 79, 234}, {0x1ECD, 79, 236}, {0x1ED1, 212, 232}, {0x1ED3, 212, 233}, {0x1ED5, 212, 234},
    {0x1ED7, 212, 235}, {0x1ED9, 212, 236}, {0x01A1, 228, 0}, {0x1EDB, 228, 232}, {0x1EDD, 228, 233},
    {0x1EDF, 228, 234}, {0x1EE1, 228, 235}, {0x1EE3, 228, 236}, {0x1EE7, 85, 234}, {0x0169, 85, 235},
    {0x1EE5, 85, 236}, {0x01B0, 229, 0}, {0x1EE9, 229, 232}, {0x1EEB, 229, 233}, {0x1EED, 229, 234},
    {0x1EEF, 229, 235}, {0x1EF1, 229, 236}, {0x1EF3, 89, 233}, {0x1EF7, 89, 234}, {0x1EF9, 89, 235},
    {0x1EF5, 89, 236}, {0x0111, 231, 0}, {0x20AC, 96, 0}, {0x201A, 98, 0}, {0x201E, 100, 0},
    {0x2026, 101, 0}, {0x2020, 102, 0}, {0x2021, 103, 0}, {0x02C6, 104, 0}, {0x2030, 105, 0},
    {0x0160, 106, 0}, {0x2039, 107, 0}, {0x0152, 108, 0}, {0x017D, 110, 0}, {0x2018, 113, 0},
    {0x2019, 114, 0}, {0x201C, 115, 0}, {0x201D, 116, 0}, {0x2022, 117, 0}, {0x2013, 118, 0},
    {0x2014, 119, 0}, {0x02DC, 120, 0}, {0x2122, 121, 0}, {0x0161, 122, 0}, {0x203A, 123, 0},
    {0x0153, 124, 0}, {0x017E, 126, 0}, {0x0178, 127, 0},
};

namespace {

constexpr std::array<uint8_t, kGlyphMapSize> BuildGlyphMap() {
  std::array<uint8_t, kGlyphMapSize> map{};
  for (int32_t c = 0; c < kGlyphMapSize; ++c) map[c] = kGlyphMissing;
  for (int32_t c = 32; c <= 255; ++c) map[c] = static_cast<uint8_t>(c - 32);
  for (int32_t i = 0; i < kComposedCount; ++i)
    map[ComposedChars[i].Code] = static_cast<uint8_t>(i);
  return map;
}

}  // namespace

// Built by the compiler (constant initialisation): it exists before any code of the library
// runs, so no start-up order can observe it unbuilt.
constexpr std::array<uint8_t, kGlyphMapSize> GlyphMap = BuildGlyphMap();

TFontRect FontClipRect = {0, 0, 65535, 65535};
TTextJustification TextJustification = {0, 0, 0, 0};

void DibFontSetTextJustification(int32_t jaWidth, int32_t BreakCount) {
  if (jaWidth <= 0 || BreakCount <= 0) {
    TextJustification = {0, 0, 0, 0};
    return;
  }
  int32_t rest = jaWidth % BreakCount;
  TextJustification = {jaWidth / BreakCount, rest, rest, rest};
}

void SetFontClipRegion(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  FontClipRect = {left, top, right, bottom};
}

void ClearFontClipRegion() { FontClipRect = {0, 0, 65535, 65535}; }

uint8_t GlyphOfCode(uint16_t code, int32_t& composed) {
  composed = -1;
  if (code == 0x25CF) code = 149;  // black circle: the Windows-1252 bullet
  if (code < 32 || code >= kGlyphMapSize) return kGlyphMissing;
  uint8_t g = GlyphMap[code];
  if (code <= 255 || g == kGlyphMissing) return g;
  composed = g;
  return ComposedChars[g].Base;
}

}  // namespace zkw
