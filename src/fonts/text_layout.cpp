// Measuring and laying out text: advances, line widths, word-wrapped lines in a rectangle.
#include <cstdlib>

#include "fonts/dib_font.h"

namespace zkw {

int32_t TDibFont::CharWidth(ZChar ch) {
  int32_t composed;
  uint8_t g = GlyphOfCode(static_cast<uint16_t>(ch), composed);
  const TDibFontGlyph& e = FHeader.dfTable[g];
  if (g == kGlyphSpace) {
    int32_t w = e.GlyphWidth + TextJustification.SpaceExtra;
    if (TextJustification.MeasureLeft > 0) {
      ++w;
      --TextJustification.MeasureLeft;
    }
    return w;
  }
  return e.GlyphWidth - e.OverhangLeft - e.OverhangRight - Kerning;
}

uint16_t TDibFont::TextWidth(const ZChar* wst, uint16_t Count) {
  uint16_t sum = 0;
  if (!wst) return 0;
  for (uint32_t i = 0; i < Count; ++i) sum = static_cast<uint16_t>(sum + CharWidth(wst[i]));
  return sum;
}

// The code unit at n is the end of the text: it is never read (the caller's buffer may hold
// exactly n units), and it ends the line like the terminator it normally is.
int32_t TDibFont::GetLineEnd(const TFontRect& Rt, const ZChar* text, int32_t n) {
  int32_t result = n;
  if (n <= 0) return n;
  int32_t pos = Rt.left, word = 0;
  for (int32_t i = 0; i < n; ++i) {
    ZChar c = text[i];
    if (c == 0 || c == 13) return pos + word > Rt.right ? result : i;
    if (c == 32) {
      if (pos + word > Rt.right) return result;
      pos = pos + word + CharWidth(c);
      result = i;
      word = 0;
    } else {
      word += CharWidth(c);
    }
  }
  return pos + word > Rt.right ? result : n;
}

int32_t TDibFont::DrawText(const TFontRect& Rt, const ZChar* st, int32_t Len, TDibBaseObj* Dib,
                           uint16_t Flag) {
  if (Len < 0) Len = 0;  // measures as an empty text, without stepping before st
  SetFontClipRegion(Rt.left - 2, Rt.top - std::abs(tmAscent), Rt.right, Rt.bottom);
  const int32_t margin = (FShadow ? 5 : 0) + (FOutline ? 2 : 0);
  const int32_t height = TextHeight();
  auto lineX = [&](int32_t w) {
    if (Flag & kDtRight) return Rt.right - w - margin;
    if (Flag & kDtCenter) return Rt.left + (Rt.right - Rt.left - w) / 2;
    return Rt.left;
  };
  int32_t total = 0;
  if (Flag & kDtWordBreak) {
    int32_t y = Rt.top;
    do {
      int32_t k = GetLineEnd(Rt, st, Len);
      if (k > 0 && !(Flag & kDtCalcRect)) {
        int32_t w = TextWidth(st, static_cast<uint16_t>(k));
        WriteText(lineX(w), y, st, k, Dib);
      }
      Len = Len - k - 1;
      total += height;
      y += height;
      st += k + 1;
    } while (Len > 0);
  } else {
    int32_t y = Rt.top;
    if (Flag & kDtVCenter)
      y = Rt.top + (Rt.bottom - Rt.top - height) / 2;
    else if (Flag & kDtBottom)
      y = Rt.bottom - height;
    if (!(Flag & kDtCalcRect) && Len > 0) {
      int32_t w = TextWidth(st, static_cast<uint16_t>(Len));
      WriteText(lineX(w), y, st, Len, Dib);
    }
    total = height;
  }
  ClearFontClipRegion();
  return total;
}

int32_t TDibFont::CalcText(const TFontRect& Rt, const ZChar* st, int32_t Len) {
  int32_t total = 0;
  if (Len < 0) Len = 0;
  for (;;) {
    int32_t k = GetLineEnd(Rt, st, Len);
    if (k > 0) total += TextHeight();
    if (Len - k - 1 <= 0) break;
    Len = Len - k - 1;
    st += k + 1;
  }
  return total;
}

}  // namespace zkw
