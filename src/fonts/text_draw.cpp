// Drawing text: one glyph (background box, glyph cell, strike-through), one code unit (with
// composed Vietnamese letters), one line in passes, and the underline.
#include <algorithm>

#include "common/round.h"
#include "fonts/dib_font.h"

namespace zkw {

namespace {

int16_t Small(int32_t v) { return static_cast<int16_t>(static_cast<uint16_t>(v)); }

// One zigzag of 6-pixel periods from x to end around row y.
void Zigzag(TDibBaseObj* dib, int32_t x, int32_t end, int32_t y, uint32_t color, uint16_t rate) {
  for (int32_t k = 0; k <= (end - x) / 6; ++k) {
    int32_t x0 = x + 6 * k, x1 = std::min(x0 + 3, end);
    dib->LineMerge(x0, y + 1, x1, y - 1, color, rate);
    if (x1 < end) dib->LineMerge(x1, y - 1, std::min(x0 + 6, end), y + 1, color, rate);
  }
}

}  // namespace

int16_t TDibFont::DrawGlyph(int16_t ox, int16_t oy, uint8_t ch, TDibBaseObj* SourceDib,
                            TDibBaseObj* ADib, uint32_t AColor, uint16_t Opacity,
                            uint32_t parts) {
  const TDibFontGlyph& e = FHeader.dfTable[ch];
  if (e.GlyphWidth == 0) return 0;
  int32_t advance;
  if (ch == kGlyphSpace) {
    advance = e.GlyphWidth + TextJustification.SpaceExtra;
    if (TextJustification.DrawLeft > 0) {
      ++advance;
      --TextJustification.DrawLeft;
    }
  } else {
    advance = e.GlyphWidth - e.OverhangLeft - e.OverhangRight - Kerning;
  }
  const int32_t cellX = ox - e.OverhangLeft;
  const int32_t lineTop = oy + FHeader.dfExternalLeading;
  if ((parts & kPartBox) && BkMode == 2)
    ADib->BarMerge(ox, oy, cellX + advance, oy + FHeader.dfHeight, BackColor, Opacity);
  if ((parts & kPartGlyph) && SourceDib) {
    if (SpecialFontWithAlpha) {
      // Colour pictures with their own alpha: placed as they are, clipped to FontClipRect.
      int64_t x = ox, y = lineTop, xx = e.GlyphLeft, yy = 0, w = e.GlyphWidth,
              h = FHeader.dfHeight;
      if (x < FontClipRect.left) { xx += FontClipRect.left - x; w -= FontClipRect.left - x; x = FontClipRect.left; }
      if (y < FontClipRect.top) { yy += FontClipRect.top - y; h -= FontClipRect.top - y; y = FontClipRect.top; }
      w = std::min<int64_t>(w, FontClipRect.right - x);
      h = std::min<int64_t>(h, FontClipRect.bottom - y);
      if (w > 0 && h > 0)
        ADib->DrawPeace(static_cast<int32_t>(x), static_cast<int32_t>(y), SourceDib,
                        static_cast<int32_t>(xx), static_cast<int32_t>(yy),
                        static_cast<int32_t>(w), static_cast<int32_t>(h), 1, 1);
    } else {
      OutDibChar(SourceDib, cellX, lineTop, static_cast<int32_t>(e.GlyphLeft), 0, e.GlyphWidth,
                 FHeader.dfHeight, AColor, ADib, Opacity);
    }
  }
  if ((parts & kPartStrike) && StrokeStyle != 0) {
    int32_t b = FHeader.dfBaseline + FHeader.dfExternalLeading;
    int32_t r = static_cast<int32_t>(Round(b * 2 / 3.0));
    int32_t y0 = lineTop + r;
    if (StrokeStyle == 1) {
      ADib->LineMerge(cellX, y0, cellX + advance, y0, StrokeColor, Opacity);
    } else if (StrokeStyle == 2) {
      ADib->LineMerge(cellX, y0 - 1, cellX + advance, y0 - 1, StrokeColor, Opacity);
      ADib->LineMerge(cellX, y0 + 1, cellX + advance, y0 + 1, StrokeColor, Opacity);
    }
  }
  return Small(advance);
}

int16_t TDibFont::WriteStdChar(int16_t ox, int16_t oy, uint8_t ch, TDibBaseObj* SourceDib,
                               TDibBaseObj* ADib, uint32_t AColor, uint16_t Opacity,
                               bool IsSub) {
  return DrawGlyph(ox, oy, ch, SourceDib, ADib, AColor, Opacity, IsSub ? kPartGlyph : kPartAll);
}

int16_t TDibFont::DrawCode(int16_t ox, int16_t oy, ZChar ch, TDibBaseObj* SourceDib,
                           TDibBaseObj* ADib, uint32_t AColor, uint16_t Opacity,
                           uint32_t parts) {
  int32_t composed;
  uint8_t g = GlyphOfCode(static_cast<uint16_t>(ch), composed);
  int16_t advance = DrawGlyph(ox, oy, g, SourceDib, ADib, AColor, Opacity, parts);
  if (composed >= 0 && ComposedChars[composed].Mark != 0 && (parts & kPartGlyph)) {
    const TDibFontAccent& a = FHeader.dfAccents[composed];
    DrawGlyph(Small(ox + a.dx), Small(oy + a.dy), ComposedChars[composed].Mark, SourceDib, ADib,
              AColor, Opacity, kPartGlyph);
  }
  return advance;
}

int16_t TDibFont::WriteUChar(int16_t ox, int16_t oy, ZChar ch, TDibBaseObj* SourceDib,
                             TDibBaseObj* ADib, uint32_t AColor, uint16_t Opacity) {
  return DrawCode(ox, oy, ch, SourceDib, ADib, AColor, Opacity, kPartAll);
}

void TDibFont::WriteText(int32_t x, int32_t y, const ZChar* wst, int32_t Count,
                         TDibBaseObj* ADib) {
  if (Count <= 0 || !wst || !ADib) return;
  const bool shadow = FSDib && FShadow, outline = FODib && FOutline, face = FDib != nullptr;
  // Every pass places its glyphs at the same pen positions: each starts from the same
  // justification counter, and the line consumes it once.
  const int32_t drawLeft = TextJustification.DrawLeft;
  auto pass = [&](int32_t px, int32_t py, TDibBaseObj* source, uint32_t color, uint16_t rate,
                  uint32_t parts) {
    TextJustification.DrawLeft = drawLeft;
    int16_t pen = Small(px);
    for (int32_t i = 0; i < Count; ++i)
      pen = Small(pen + DrawCode(pen, Small(py), wst[i], source, ADib, color, rate, parts));
  };
  // The background boxes of the whole line go down first, so that no box covers a glyph,
  // its outline or its shadow.
  if (BkMode == 2 && (shadow || outline || face))
    pass(x, y, nullptr, 0, Opacity, kPartBox);
  if (shadow) {
    int64_t rate = std::min<int64_t>(Round(ShadowOpacity * static_cast<double>(Opacity) / 100.0), 65535);
    pass(x + FShadX, y + FShadY, FSDib, static_cast<uint32_t>(FShadowColor),
         static_cast<uint16_t>(rate), kPartGlyph | kPartStrike);
  }
  if (outline)
    pass(x, y, FODib, static_cast<uint32_t>(FOutlineColor), Opacity, kPartGlyph | kPartStrike);
  if (face) pass(x, y, FDib, static_cast<uint32_t>(FColor), Opacity, kPartGlyph | kPartStrike);
  if (Underline) DrawUnderline(x, y, wst, Count, ADib);
}

void TDibFont::DrawUnderline(int32_t x, int32_t y, const ZChar* wst, int32_t Count,
                             TDibBaseObj* ADib) {
  const TTextJustification saved = TextJustification;
  int32_t w = TextWidth(wst, static_cast<uint16_t>(Count));
  TextJustification = saved;
  int32_t yu = y + Baseline() + FHeader.dfExternalLeading + 2;
  int32_t end = x + w;
  switch (UnderlineStyle) {
    case 3:
    case 4:
      ADib->LineMerge(x, yu, end, yu, UnderlineColor, Opacity);
      ADib->LineMerge(x, yu + 2, end, yu + 2, UnderlineColor, Opacity);
      break;
    case 13:
      Zigzag(ADib, x, end, yu, UnderlineColor, Opacity);
      break;
    case 14:
      Zigzag(ADib, x, end, yu, UnderlineColor, Opacity);
      Zigzag(ADib, x, end, yu - 2, UnderlineColor, Opacity);
      break;
    default:
      ADib->LineMerge(x, yu, end, yu, UnderlineColor, Opacity);
  }
}

}  // namespace zkw
