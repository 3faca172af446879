// Bitmap fonts drawn onto DIB images. The glyphs of a face are cut from strip images: one 8-bit
// image holds every glyph side by side, and optional outline and shadow images of the same
// geometry hold the outline and shadow of every glyph. Pixel values are coverage (0 empty,
// 255 full); text is drawn by blending a colour into a 24-bit image in proportion to coverage
// and opacity, in up to three passes (shadow, outline, face).
#pragma once
#include <cstddef>
#include <cstdint>

#include "common/byte_stream.h"
#include "base/text16.h"
#include "dib/dib_base.h"
#include "fonts/glyph_state.h"

namespace zkw {

#pragma pack(push, 1)
// One glyph cell of the strip images. Every cell spans the full image height.
struct TDibFontGlyph {
  uint32_t GlyphLeft;     // first column of the cell
  uint16_t GlyphWidth;    // 0 = glyph absent
  int8_t OverhangLeft;    // the cell is drawn this many pixels left of the pen
  int8_t OverhangRight;   // columns of the cell that the next glyph may overlap
};

// Offset of a tone mark from the pen position and line top of its base glyph.
struct TDibFontAccent {
  int8_t dx;
  int8_t dy;
};

// Header of the current font file format ("DFONTU"), also kept in memory by every font.
struct TDibFontHeaderEx {
  char dfIdentifier[9];
  uint32_t dfVersion;
  char dfName[129];            // 8-bit characters, zero-terminated
  uint32_t dfSize;             // bytes of one plane (informational)
  int16_t dfHeight;            // image height = cell height
  int16_t dfBaseline;          // from the cell top
  int16_t dfExternalLeading;   // blank rows above each line
  uint32_t dfMaxWidth;         // image width
  TDibFontGlyph dfTable[256];
  TDibFontAccent dfAccents[kComposedCount];
  uint8_t dfChannels;          // planes present: kChannel* bits
};
#pragma pack(pop)
static_assert(sizeof(TDibFontGlyph) == 8, "glyph entry is 8 bytes");
static_assert(sizeof(TDibFontHeaderEx) == 2461, "font header is 2461 bytes");
static_assert(offsetof(TDibFontHeaderEx, dfVersion) == 9, "layout");
static_assert(offsetof(TDibFontHeaderEx, dfSize) == 142, "layout");
static_assert(offsetof(TDibFontHeaderEx, dfHeight) == 146, "layout");
static_assert(offsetof(TDibFontHeaderEx, dfMaxWidth) == 152, "layout");
static_assert(offsetof(TDibFontHeaderEx, dfTable) == 156, "layout");
static_assert(offsetof(TDibFontHeaderEx, dfAccents) == 2204, "layout");
static_assert(offsetof(TDibFontHeaderEx, dfChannels) == 2460, "layout");

constexpr uint8_t kChannelAlpha = 1;
constexpr uint8_t kChannelFace = 2;
constexpr uint8_t kChannelOutline = 4;
constexpr uint8_t kChannelShadow = 8;
constexpr uint32_t kDibFontVersion = 0x00030000;

// Flags of DrawText (the values of the platform's text-drawing flags).
constexpr uint16_t kDtCenter = 1;
constexpr uint16_t kDtRight = 2;
constexpr uint16_t kDtVCenter = 4;
constexpr uint16_t kDtBottom = 8;
constexpr uint16_t kDtWordBreak = 16;
constexpr uint16_t kDtCalcRect = 1024;

class TDibFont {
 public:
  TDibFont();
  ~TDibFont();
  TDibFont(const TDibFont&) = delete;
  TDibFont& operator=(const TDibFont&) = delete;

  // --- Measuring (text_layout.cpp) ---
  // Advance of one code unit without drawing; consumes the measuring justification counter.
  int32_t CharWidth(ZChar ch);
  // Sum of the advances of Count code units, in 16-bit arithmetic (wraps around).
  uint16_t TextWidth(const ZChar* wst, uint16_t Count);
  // Index of the end of the line that starts at text and fits between Rt.left and Rt.right:
  // the last space, CR or end that still fits, or n when not even the first word fits.
  int32_t GetLineEnd(const TFontRect& Rt, const ZChar* text, int32_t n);
  // Draws text into a rectangle (left, centred or right; top, centred or bottom; word-wrapped
  // with kDtWordBreak) and returns the height it took; kDtCalcRect measures only.
  int32_t DrawText(const TFontRect& Rt, const ZChar* st, int32_t Len, TDibBaseObj* Dib,
                   uint16_t Flag);
  // Height the word-wrapped text would take; lines without characters do not count.
  int32_t CalcText(const TFontRect& Rt, const ZChar* st, int32_t Len);

  // --- Drawing (text_draw.cpp, glyph_blend.cpp) ---
  // Blends the rectangle (ox, oy, w, h) of the 8-bit coverage plane Dib into the 24-bit DesDib
  // at (x, y) in AColor at Rate percent, clipped to the image and FontClipRect.
  void OutDibChar(TDibBaseObj* Dib, int32_t x, int32_t y, int32_t ox, int32_t oy, int32_t w,
                  int32_t h, uint32_t AColor, TDibBaseObj* DesDib, uint16_t Rate);
  // Draws glyph slot ch with its pen at (ox, oy) and returns its advance. IsSub (tone marks)
  // draws the glyph alone, without background box and strike-through.
  int16_t WriteStdChar(int16_t ox, int16_t oy, uint8_t ch, TDibBaseObj* SourceDib,
                       TDibBaseObj* ADib, uint32_t AColor, uint16_t Opacity, bool IsSub);
  // Draws one UTF-16 code unit (a composed letter as base glyph plus tone mark).
  int16_t WriteUChar(int16_t ox, int16_t oy, ZChar ch, TDibBaseObj* SourceDib,
                     TDibBaseObj* ADib, uint32_t AColor, uint16_t Opacity);
  // Draws one line of Count code units with its top at y: background boxes, shadow, outline
  // and face passes, then the underline.
  void WriteText(int32_t x, int32_t y, const ZChar* wst, int32_t Count, TDibBaseObj* ADib);

  // --- Files and images (font_file.cpp, dib_font.cpp) ---
  bool LoadFromStream(TStream& f);
  bool LoadFromFile(const ZChar* AFile);
  // Writes a "DFONTU" file; ".dfu" is appended to a name without extension.
  bool SaveToFile(const ZChar* AName);
  // Strip images from BMP files (8-bit).
  bool LoadFontImage(const ZChar* AName);
  bool LoadOutlineImage(const ZChar* AName);
  bool LoadShadowImage(const ZChar* AName);

  void SetColor(uint32_t AColor, uint32_t AOutColor);
  int32_t TextHeight() const { return FHeader.dfHeight + FHeader.dfExternalLeading; }
  int32_t Baseline() const { return FHeader.dfBaseline + FHeader.dfExternalLeading; }
  void FreeImages();

  // --- Fields ---
  TDibBaseObj* FDib = nullptr;    // face plane (owned)
  TDibBaseObj* FODib = nullptr;   // outline plane (owned)
  TDibBaseObj* FSDib = nullptr;   // shadow plane (owned)
  int32_t FColor = 0xFF0000;
  int32_t FOutlineColor = 0xFFFFFF;
  int32_t FShadowColor = 0;
  bool FOutline = false;
  bool FShadow = false;
  bool SpecialFontWithAlpha = false;  // glyphs are colour pictures with an alpha plane
  int32_t UsedCount = 0;              // reference count kept by the font manager
  bool Designing = false;             // loading leaves absent glyphs absent
  TDibFontHeaderEx FHeader;
  int32_t Kerning = 0;
  int32_t Leading = 0;
  int32_t Extra = 0;
  uint16_t ShadowOpacity = 100;
  bool Underline = false;
  uint16_t UnderlineStyle = 1;
  uint32_t UnderlineColor = 0;
  int32_t StrokeStyle = 0;
  uint32_t StrokeColor = 0;
  int32_t FShadX = 0;
  int32_t FShadY = 0;
  uint32_t BackColor = 0xFFFFFF;
  uint32_t BkMode = 1;  // 1 transparent, 2 opaque
  uint16_t Opacity = 100;
  int32_t tmAscent = 0;  // most negative tone-mark dy (<= 0)
  int32_t tmDescent = 0;

 private:
  // What one call of DrawGlyph draws.
  enum : uint32_t { kPartBox = 1, kPartGlyph = 2, kPartStrike = 4, kPartAll = 7 };
  int16_t DrawGlyph(int16_t ox, int16_t oy, uint8_t ch, TDibBaseObj* SourceDib,
                    TDibBaseObj* ADib, uint32_t AColor, uint16_t Opacity, uint32_t parts);
  int16_t DrawCode(int16_t ox, int16_t oy, ZChar ch, TDibBaseObj* SourceDib, TDibBaseObj* ADib,
                   uint32_t AColor, uint16_t Opacity, uint32_t parts);
  void DrawUnderline(int32_t x, int32_t y, const ZChar* wst, int32_t Count, TDibBaseObj* ADib);
  bool LoadStrip(TDibBaseObj*& image, const ZChar* AName);
  bool LoadOlderFont(TStream& f, int64_t p, bool withChannel);
};

}  // namespace zkw
