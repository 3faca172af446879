// State shared by every bitmap font of the process: the map from UTF-16 code units to glyph
// slots, the composed Vietnamese letters, the clip rectangle of glyph drawing and the
// justification counters of spaces. Unguarded: fonts are used from one thread at a time.
#pragma once
#include <array>
#include <cstdint>

namespace zkw {

// Glyph slots of a font.
constexpr uint8_t kGlyphSpace = 0;       // code 32
constexpr uint8_t kGlyphQuestion = 31;   // "?"
constexpr uint8_t kGlyphMissing = 237;   // drawn for codes the font has no glyph for
constexpr uint8_t kGlyphFirstExtra = 224;  // Ă Ơ Ư ă ơ ư dotless-i đ
constexpr uint8_t kGlyphFirstMark = 232;   // acute, grave, hook above, tilde, dot below
constexpr int32_t kGlyphMapSize = 8501;    // code units 0..8500
constexpr int32_t kComposedCount = 128;

// A letter drawn as a base glyph plus an optional tone mark (0 = none). The order of the table
// fixes the meaning of a font's accent offsets, so it is part of the font file format.
struct TComposedChar {
  uint16_t Code;
  uint8_t Base;
  uint8_t Mark;
};
extern const TComposedChar ComposedChars[kComposedCount];

// Code unit -> glyph slot (codes 32..255) or ComposedChars index (composed letters); 237 for
// everything else. Constant-initialised: it exists before any code of the library runs.
extern const std::array<uint8_t, kGlyphMapSize> GlyphMap;

// Left and top inclusive, right and bottom exclusive.
struct TFontRect {
  int32_t left, top, right, bottom;
};

// Every glyph drawn by any font is clipped to this rectangle; (0, 0, 65535, 65535) at load.
extern TFontRect FontClipRect;

struct TTextJustification {
  int32_t SpaceExtra;      // pixels added to every space
  int32_t SpaceRemainder;  // spaces that get one further pixel, as set
  int32_t DrawLeft;        // ... still to come while drawing
  int32_t MeasureLeft;     // ... still to come while measuring
};
extern TTextJustification TextJustification;

// SpaceExtra = jaWidth div BreakCount, the three counters jaWidth mod BreakCount; all zero
// when either argument is not positive.
void DibFontSetTextJustification(int32_t jaWidth, int32_t BreakCount);
void SetFontClipRegion(int32_t left, int32_t top, int32_t right, int32_t bottom);
void ClearFontClipRegion();

// The glyph slot a code unit draws, or for a composed letter its base glyph; sets `composed`
// to the ComposedChars index of a composed letter and to -1 otherwise.
uint8_t GlyphOfCode(uint16_t code, int32_t& composed);

}  // namespace zkw
