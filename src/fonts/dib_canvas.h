// The DIB canvas: an off-screen 24-bit surface for text (a DIB section in a memory device
// context with a 24-bit DIB object over its pixels), a logical font described like a GDI font,
// and drawing attributes. Text is drawn with bitmap fonts from a font manager; without one it
// falls back to GDI on the surface.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

#include <zkwgdi32.h>  // TDibCanvasFontInfo, the record hosts exchange

#include "base/text16.h"
#include "fonts/glyph_state.h"

namespace zkw {

class TDibBaseObj;
class TDibFont;
class TDibFontManager;

// Style bits of TCanvasFont.
constexpr uint32_t fsBold = 1;
constexpr uint32_t fsItalic = 2;
constexpr uint32_t fsUnderline = 4;
constexpr uint32_t fsStrikeOut = 8;

// A font description (face, size in points, style, colour). Every change runs OnChange.
class TCanvasFont {
 public:
  TCanvasFont();
  const ZString& Name() const { return FName; }
  int32_t Size() const { return FSize; }
  uint32_t Style() const { return FStyle; }
  uint32_t Color() const { return FColor; }
  void SetName(const ZString& Value);
  void SetSize(int32_t Value);
  void SetStyle(uint32_t Value);
  void SetColor(uint32_t Value);
  // Copies face, size, style and colour, with one change notification.
  void Assign(const TCanvasFont& Source);

  std::function<void()> OnChange;

 private:
  void Changed();
  ZString FName;
  int32_t FSize;
  uint32_t FStyle = 0;
  uint32_t FColor = 0;
};

// The font record exchanged with hosts: the public header's packed 524-byte record, so the
// canvas and its exports cannot disagree on it.
using TDibCanvasFontInfo = ::TDibCanvasFontInfo;
static_assert(sizeof(TDibCanvasFontInfo) == 524, "canvas font record is 524 bytes");
static_assert(offsetof(TDibCanvasFontInfo, Size) == 512, "layout");
static_assert(offsetof(TDibCanvasFontInfo, Bold) == 516, "layout");
static_assert(offsetof(TDibCanvasFontInfo, StrikeOut) == 519, "layout");
static_assert(offsetof(TDibCanvasFontInfo, Color) == 520, "layout");

// The font a font record describes (face up to its first zero, size, styles, colour).
TCanvasFont CanvasFontOf(const TDibCanvasFontInfo& Info);

// Alignment bits of FTextAlign (TA_CENTER counts as right, TA_BOTTOM as baseline).
constexpr uint32_t kCanvasAlignRight = 2;
constexpr uint32_t kCanvasAlignBaseline = 8 | 16;

class TDibCanvas {
 public:
  TDibCanvas();
  ~TDibCanvas();
  TDibCanvas(const TDibCanvas&) = delete;
  TDibCanvas& operator=(const TDibCanvas&) = delete;

  // --- Font and manager (dib_canvas.cpp) ---
  // Releases the cached variants to the old manager, then selects from the new one.
  void SetFontManager(TDibFontManager* Value);
  void SetFont(const TCanvasFont& Value) { FFont.Assign(Value); }
  void SetTextColor(uint32_t Value);
  uint32_t GetTextColor() const { return FTextColor; }
  void SetTextAlignment(uint32_t Value) { FTextAlign = Value; }
  void SetViewPort(int32_t OX, int32_t OY) { FOriginX = OX, FOriginY = OY; }
  void SetTextJustification(int32_t jaWidth, int32_t BreakCount);
  // Sets the script mode (0 normal, else the script variant) and selects the matching variant.
  void SetScriptMode(int32_t Value);
  // The font record as hosts read it, kept equal to FFont.
  const TDibCanvasFontInfo& FontInfo() const { return FFontInfo; }
  void SetFontInfo(const TDibCanvasFontInfo& Info);
  // Variant selection: what CreateFont is asked for (size for the script variant included).
  static int32_t ScriptSize(int32_t Size);

  // --- Surface (canvas_surface.cpp) ---
  // A new own surface of that size, white; a size <= 0 or too large leaves none.
  void SetCanvasSize(int32_t AWidth, int32_t AHeight);
  // Wraps a caller's bottom-up 24-bit DIB section (not owned); null releases the surface.
  // Other bitmaps are refused and the surface stays. False when refused.
  bool SetBkBitmap(void* Value);
  void* GetBkBitmap() const { return FBitmap; }
  void* GetHandle() const { return FDC; }
  void Clear();
  void Draw(void* DC, int32_t x, int32_t y);
  void CopyBackground(void* DC, int32_t x, int32_t y);
  void InvertRect(const TFontRect& Rt);

  // --- Text and shapes (canvas_text.cpp) ---
  int32_t TextWidth(const ZChar* AText, int32_t ACount);
  int32_t TextHeight();
  int32_t GetLineHeight();
  int32_t GetBaseline();
  void TextOut(int32_t x, int32_t y, const ZChar* AText, int32_t ACount);
  int32_t DrawText(const TFontRect& Rt, const ZChar* AText, int32_t ACount, uint16_t Flag);
  int32_t CalcText(const TFontRect& Rt, const ZChar* st, int32_t Len);
  void AdvTextOutW(int32_t x, int32_t y, const ZChar* st, int32_t Count, uint16_t AUStyle,
                   uint32_t AUColor, uint16_t AStrike, uint32_t AStrikeColor);
  void FillRect(const TFontRect& Rt, uint32_t AColor);
  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t AColor);

  // --- Fields ---
  TDibFontManager* FDibFontManager = nullptr;  // not owned
  void* FBitmap = nullptr;                     // the surface, a 24-bit DIB section
  TDibBaseObj* FDib = nullptr;                 // owned, over FBitmap's pixels
  bool FOwnBitmap = false;
  TDibFont* FDFRegular = nullptr;
  TDibFont* FDFBold = nullptr;
  TDibFont* FDFItalic = nullptr;
  TDibFont* FDFBoldItalic = nullptr;
  TDibFont* FScript = nullptr;
  TDibFont* FCurrentDibFont = nullptr;  // none: GDI fallback
  TCanvasFont FFont;
  uint32_t FTextColor = 0;
  uint32_t FTextAlign = 0;
  uint32_t FBkColor = 0xFFFFFF;
  uint32_t FBkMode = 1;
  uint16_t FOpacity = 100;
  int32_t FOriginX = 0;
  int32_t FOriginY = 0;
  int32_t FCanvasWidth = 0;
  int32_t FCanvasHeight = 0;
  int32_t FCurrentFontSize;
  ZString FCurrentFontName;
  uint32_t FCurrentFontStyle;
  int32_t ScriptMode = 0;
  int32_t PenWidth = 0;
  uint32_t Color = 0xFFFFFF;
  bool Shadow = false;
  uint32_t ShadowColor = 0;
  bool Outline = false;
  uint32_t OutlineColor = 0xFFFFFF;

 private:
  void FontChanged();
  void SelectDibFont();
  void ReleaseVariants();
  void UpdateFontInfo();
  // The surface: the memory DC holding FBitmap and the bitmap it replaced.
  void ReleaseSurface();
  bool AttachSurface(void* Bitmap, bool Own);
  // Applies the canvas's attributes to the current bitmap font before a draw.
  void PrepareFont();
  void RestoreFont();
  // Writes one prepared line with the alignment bits and the origin applied.
  void WriteAligned(int32_t x, int32_t y, const ZChar* st, int32_t Count);
  // A GDI font for FFont selected into the DC for one call.
  void* SelectGdiFont();
  void DeselectGdiFont(void* Font);

  void* FDC = nullptr;
  void* FOldBitmap = nullptr;
  void* FOldFont = nullptr;
  TDibCanvasFontInfo FFontInfo{};
};

}  // namespace zkw
