// Text of the Linux GDI back end: logical fonts, text colour and background mode, TextOutW,
// DrawTextW (alignment, word break, single line, vertical centring, measuring), text extents
// and metrics. Glyphs are rendered with FreeType in 8-bit coverage and blended into the
// surface of the device context; faces are found by name through FindFontFile.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_GASP_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/plat_gdi.h"
#include "platform/portable/font_find.h"
#include "platform/portable/gdi_objects.h"
#include "platform/portable/pixel_access.h"

namespace plat {

using portable::GdiDC;
using portable::GdiFont;
using portable::GdiKind;

namespace portable {

GdiFont* StockSystemFont() {
  static GdiFont* font = [] {
    auto* f = new GdiFont();
    f->Log.lfHeight = 16;
    f->Log.lfWeight = FW_BOLD;
    const char* name = "System";
    for (int i = 0; name[i]; ++i) f->Log.lfFaceName[i] = static_cast<WCHAR>(name[i]);
    f->Stock = true;
    RegisterGdiObject(f);
    return f;
  }();
  return font;
}

}  // namespace portable

namespace {

// One rendered glyph: coverage rows, its offset from the pen on the baseline, its advance
// (whole pixels along the line, and the rotated pen step in 26.6 pixels).
struct Glyph {
  int32_t Left = 0, Top = 0, Width = 0, Rows = 0, Advance = 0;
  int64_t StepX = 0, StepY = 0;
  std::vector<uint8_t> Coverage;
};

// How character codes reach the glyphs of a face.
enum class CodeMap { Unicode, MsSymbol, AppleRoman, SymbolTable };

// A face at one pixel size, with the metrics GDI reports and a glyph cache.
struct SizedFace {
  FT_Face Face = nullptr;
  int32_t Ppem = 0;
  int32_t Ascent = 0, Descent = 0, InternalLeading = 0, ExternalLeading = 0, AveWidth = 0, MaxWidth = 0;
  int32_t UnderlinePos = 0, UnderlineThickness = 1;
  bool Underline = false, StrikeOut = false, Bold = false, Italic = false;
  int32_t XPpem = 0;     // horizontal pixels per em (differs from Ppem for fonts with lfWidth)
  int32_t Escapement = 0;  // tenths of a degree, counter-clockwise
  CodeMap Map = CodeMap::Unicode;
  FT_Int32 LoadFlags = FT_LOAD_TARGET_NORMAL;  // hinted unless the face's gasp table says no grid fitting
  int32_t AlphabetWidth = -1;  // advances of a..z and A..Z, measured without rendering
  std::map<uint32_t, Glyph> Glyphs;
};

bool HasCharmap(FT_Face face, FT_Encoding encoding) {
  for (int i = 0; i < face->num_charmaps; ++i)
    if (face->charmaps[i]->encoding == encoding) return true;
  return false;
}

std::mutex gTextMutex;
// Counts the clearings of the sized-face cache, so that fonts can keep the face they resolved to.
uint32_t gSizedGeneration = 1;
FT_Library gLibrary = nullptr;
std::map<std::string, FT_Face>& Faces() {
  static auto* faces = new std::map<std::string, FT_Face>();
  return *faces;
}
std::map<std::string, std::unique_ptr<SizedFace>>& Sized() {
  static auto* sized = new std::map<std::string, std::unique_ptr<SizedFace>>();
  return *sized;
}

FT_Face OpenFace(const std::string& path) {
  if (path.empty()) return nullptr;
  if (!gLibrary && FT_Init_FreeType(&gLibrary) != 0) return nullptr;
  auto it = Faces().find(path);
  if (it != Faces().end()) return it->second;
  FT_Face face = nullptr;
  if (FT_New_Face(gLibrary, path.c_str(), 0, &face) != 0) face = nullptr;
  Faces()[path] = face;
  return face;
}

int32_t CeilDiv(int64_t a, int64_t b) { return static_cast<int32_t>((a + b - 1) / b); }

// Font units to whole pixels the way GDI on FreeType scales them: a 16.16 scale of pixels per
// unit (itself rounded), each product rounded to the nearest pixel.
struct TUnitScale {
  int64_t Scale;
  TUnitScale(int64_t ppem, int64_t upem) : Scale(((ppem << 16) + upem / 2) / upem) {}
  int32_t Pixels(int64_t units) const {
    const int64_t magnitude = ((units < 0 ? -units : units) * Scale + 0x8000) >> 16;
    return static_cast<int32_t>(units < 0 ? -magnitude : magnitude);
  }
};

// The face and size a logical font stands for (caller holds gTextMutex).
SizedFace* Resolve(const LOGFONTW& log) {
  bool bold = log.lfWeight >= 600, italic = log.lfItalic != 0;
  std::string path = portable::FindFontFile(log.lfFaceName, LF_FACESIZE, bold, italic);
  std::string key = path + "|" + std::to_string(log.lfHeight) + "|" + std::to_string(log.lfUnderline) +
                    std::to_string(log.lfStrikeOut) + "|" + std::to_string(log.lfWidth) + "|" +
                    std::to_string(log.lfEscapement % 3600) + "|" +
                    std::to_string(portable::IsSymbolFaceName(log.lfFaceName, LF_FACESIZE));
  auto it = Sized().find(key);
  if (it != Sized().end()) return it->second.get();
  // Sizes come and go (equations scaled to fit try one size after another): the glyph caches
  // of all sizes are dropped together once there are many, so memory stays bounded.
  if (Sized().size() >= 128) {
    Sized().clear();
    ++gSizedGeneration;
  }
  FT_Face face = OpenFace(path);
  if (!face || face->units_per_EM == 0) {
    Sized()[key] = nullptr;
    return nullptr;
  }
  auto sized = std::make_unique<SizedFace>();
  sized->Face = face;
  int64_t upem = face->units_per_EM;
  // GDI's cell is the font's Windows ascent plus descent; fall back to the hhea values.
  int64_t asc = face->ascender, desc = -face->descender;
  if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
    if (os2->usWinAscent + os2->usWinDescent > 0) {
      asc = os2->usWinAscent;
      desc = os2->usWinDescent;
    }
  }
  if (asc + desc <= 0) asc = upem, desc = 0;
  int32_t ppem;
  if (log.lfHeight < 0)
    ppem = -log.lfHeight;
  else if (log.lfHeight > 0)
    ppem = static_cast<int32_t>(std::lround(static_cast<double>(log.lfHeight) * upem / (asc + desc)));
  else
    ppem = 16;
  ppem = std::clamp(ppem, 1, 2000);
  sized->Ppem = ppem;
  // Faces whose gasp table asks for no grid fitting at this size are drawn and measured unhinted,
  // as GDI does: their advances are the outline's, rounded.
  const FT_Int gasp = FT_Get_Gasp(face, static_cast<FT_UInt>(ppem));
  if (gasp != FT_GASP_NO_TABLE && !(gasp & FT_GASP_DO_GRIDFIT)) sized->LoadFlags = FT_LOAD_NO_HINTING;
  // Cell, leadings and average width as GDI reports them for the face (each value rounded on
  // its own, so the cell can differ by a pixel from the em rounded as a whole).
  const TUnitScale scale(ppem, upem);
  sized->Ascent = scale.Pixels(asc);
  sized->Descent = scale.Pixels(desc);
  sized->InternalLeading = scale.Pixels(asc + desc - upem);
  const int64_t lineSpan = static_cast<int64_t>(face->ascender) - face->descender;
  sized->ExternalLeading = std::max(0, scale.Pixels(static_cast<int64_t>(face->height) - lineSpan - (asc + desc - lineSpan)));
  sized->UnderlinePos = std::max<int32_t>(1, static_cast<int32_t>(-face->underline_position * ppem / upem));
  sized->UnderlineThickness = std::max<int32_t>(1, static_cast<int32_t>(face->underline_thickness * ppem / upem));
  sized->Underline = log.lfUnderline != 0;
  sized->StrikeOut = log.lfStrikeOut != 0;
  sized->Bold = bold;
  sized->Italic = italic;
  sized->MaxWidth = CeilDiv(static_cast<int64_t>(face->max_advance_width) * ppem, upem);
  if (HasCharmap(face, FT_ENCODING_MS_SYMBOL))
    sized->Map = CodeMap::MsSymbol;
  else if (path.find("/wine/") != std::string::npos && HasCharmap(face, FT_ENCODING_APPLE_ROMAN))
    sized->Map = CodeMap::AppleRoman;
  else if (portable::IsSymbolFaceName(log.lfFaceName, LF_FACESIZE))
    sized->Map = CodeMap::SymbolTable;
  sized->XPpem = ppem;
  sized->Escapement = log.lfEscapement % 3600;
  if (log.lfWidth > 0) {
    // A fixed width: the face scaled horizontally so that its average character is that wide.
    int64_t average = face->max_advance_width / 2;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)))
      if (os2->xAvgCharWidth > 0) average = os2->xAvgCharWidth;
    if (average > 0)
      sized->XPpem = std::clamp<int32_t>(static_cast<int32_t>(std::lround(static_cast<double>(log.lfWidth) * upem / average)), 1, 4000);
  }
  // The average width is the face's own figure at the horizontal scale; faces without one use
  // the advances of the alphabet (measured on first use).
  sized->AveWidth = -1;
  if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)))
    if (os2->xAvgCharWidth > 0) sized->AveWidth = std::max(1, TUnitScale(sized->XPpem, upem).Pixels(os2->xAvgCharWidth));
  SizedFace* result = sized.get();
  Sized()[key] = std::move(sized);
  return result;
}

const Glyph& GlyphOf(SizedFace& f, uint32_t code) {
  auto it = f.Glyphs.find(code);
  if (it != f.Glyphs.end()) return it->second;
  Glyph g;
  FT_Set_Pixel_Sizes(f.Face, static_cast<FT_UInt>(f.XPpem), static_cast<FT_UInt>(f.Ppem));
  FT_Matrix rotation{0x10000, 0, 0, 0x10000};
  if (f.Escapement != 0) {
    const double a = f.Escapement * 3.14159265358979323846 / 1800.0;
    const auto fixed = [](double v) { return static_cast<FT_Fixed>(std::lround(v * 65536.0)); };
    rotation = FT_Matrix{fixed(std::cos(a)), fixed(-std::sin(a)), fixed(std::sin(a)), fixed(std::cos(a))};
  }
  FT_Set_Transform(f.Face, &rotation, nullptr);
  uint32_t mapped = code;
  switch (f.Map) {
    case CodeMap::MsSymbol:
      FT_Select_Charmap(f.Face, FT_ENCODING_MS_SYMBOL);
      if (code < 256) mapped = 0xF000 + code;
      break;
    case CodeMap::AppleRoman: FT_Select_Charmap(f.Face, FT_ENCODING_APPLE_ROMAN); break;
    case CodeMap::SymbolTable:
      FT_Select_Charmap(f.Face, FT_ENCODING_UNICODE);
      if (code < 256) mapped = portable::SymbolToUnicode(code);
      break;
    default: FT_Select_Charmap(f.Face, FT_ENCODING_UNICODE); break;
  }
  FT_UInt index = FT_Get_Char_Index(f.Face, mapped);
  if (FT_Load_Glyph(f.Face, index, FT_LOAD_RENDER | f.LoadFlags) == 0) {
    FT_GlyphSlot slot = f.Face->glyph;
    // Advances round to the nearest pixel; a face scaled to a fixed width rounds them up, as
    // GDI does for glyphs it transforms.
    const bool widthScaled = f.XPpem != f.Ppem && f.Escapement == 0;
    g.Advance = static_cast<int32_t>(((f.Escapement ? slot->metrics.horiAdvance : slot->advance.x) + (widthScaled ? 63 : 32)) >> 6);
    g.StepX = slot->advance.x;
    g.StepY = slot->advance.y;
    const FT_Bitmap& bm = slot->bitmap;
    if (bm.pixel_mode == FT_PIXEL_MODE_GRAY && bm.buffer) {
      g.Left = slot->bitmap_left;
      g.Top = slot->bitmap_top;
      g.Width = static_cast<int32_t>(bm.width);
      g.Rows = static_cast<int32_t>(bm.rows);
      g.Coverage.resize(static_cast<size_t>(g.Width) * g.Rows);
      for (int32_t y = 0; y < g.Rows; ++y)
        std::memcpy(&g.Coverage[static_cast<size_t>(y) * g.Width], bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch,
                    static_cast<size_t>(g.Width));
    }
  }
  return f.Glyphs.emplace(code, std::move(g)).first->second;
}

// Code point at text[i] (a surrogate pair makes one); advances i.
uint32_t NextCode(const WCHAR* text, int count, int& i) {
  uint32_t c = static_cast<uint16_t>(text[i++]);
  if (c >= 0xD800 && c < 0xDC00 && i < count) {
    uint32_t d = static_cast<uint16_t>(text[i]);
    if (d >= 0xDC00 && d < 0xE000) {
      ++i;
      return 0x10000 + ((c - 0xD800) << 10) + (d - 0xDC00);
    }
  }
  return c;
}

int32_t Width(SizedFace& f, const WCHAR* text, int count) {
  int32_t w = 0;
  for (int i = 0; i < count;) w += GlyphOf(f, NextCode(text, count, i)).Advance;
  return w;
}

struct Clip {
  int32_t left, top, right, bottom;  // right and bottom exclusive
};

// Draws one line with its top at y; blends coverage in the text colour, inside the clip.
void DrawLine(SizedFace& f, const portable::PixelView& view, const portable::DcState& st, int32_t x,
              int32_t y, const WCHAR* text, int count, const Clip& clip) {
  int32_t baseline = y + f.Ascent;
  int32_t width = Width(f, text, count);
  Clip c{std::max(clip.left, 0), std::max(clip.top, 0), std::min(clip.right, view.Width),
         std::min(clip.bottom, view.Height)};
  if (c.left >= c.right || c.top >= c.bottom) return;
  if (st.BkMode == OPAQUE)
    for (int32_t yy = std::max(y, c.top); yy < std::min(y + f.Ascent + f.Descent, c.bottom); ++yy)
      for (int32_t xx = std::max(x, c.left); xx < std::min(x + width, c.right); ++xx)
        portable::WritePixel(view, xx, yy, st.BkColor);
  COLORREF color = st.TextColor;
  int32_t cr = color & 0xFF, cg = (color >> 8) & 0xFF, cb = (color >> 16) & 0xFF;
  // The pen in 26.6 pixels: rotated fonts start on the rotated baseline and step along it.
  int64_t penX = static_cast<int64_t>(x) * 64, penY = static_cast<int64_t>(baseline) * 64;
  if (f.Escapement != 0) {
    const double a = f.Escapement * 3.14159265358979323846 / 1800.0;
    penX += std::llround(f.Ascent * std::sin(a) * 64);
    penY = static_cast<int64_t>(y) * 64 + std::llround(f.Ascent * std::cos(a) * 64);
  }
  for (int i = 0; i < count;) {
    const Glyph& g = GlyphOf(f, NextCode(text, count, i));
    const int32_t pen = static_cast<int32_t>((penX + 32) >> 6);
    const int32_t penBase = static_cast<int32_t>((penY + 32) >> 6);
    for (int32_t gy = 0; gy < g.Rows; ++gy) {
      int32_t py = penBase - g.Top + gy;
      if (py < c.top || py >= c.bottom) continue;
      const uint8_t* row = &g.Coverage[static_cast<size_t>(gy) * g.Width];
      for (int32_t gx = 0; gx < g.Width; ++gx) {
        int32_t a = row[gx];
        int32_t px = pen + g.Left + gx;
        if (a == 0 || px < c.left || px >= c.right) continue;
        COLORREF d = portable::ReadPixel(view, px, py);
        int32_t dr = d & 0xFF, dg = (d >> 8) & 0xFF, db = (d >> 16) & 0xFF;
        dr += (cr - dr) * a / 255;
        dg += (cg - dg) * a / 255;
        db += (cb - db) * a / 255;
        portable::WritePixel(view, px, py, RGB(static_cast<BYTE>(dr), static_cast<BYTE>(dg), static_cast<BYTE>(db)));
      }
    }
    penX += g.StepX;
    penY -= g.StepY;
  }
  auto rule = [&](int32_t top) {
    for (int32_t yy = top; yy < top + f.UnderlineThickness; ++yy)
      if (yy >= c.top && yy < c.bottom)
        for (int32_t xx = std::max(x, c.left); xx < std::min(x + width, c.right); ++xx)
          portable::WritePixel(view, xx, yy, color);
  };
  if (f.Underline) rule(baseline + f.UnderlinePos);
  if (f.StrikeOut) rule(baseline - f.Ascent / 3);
}

struct Target {
  GdiDC* dc = nullptr;
  SizedFace* face = nullptr;
  portable::GdiBitmap* surface = nullptr;
};

Target TargetOf(HDC dc) {
  Target t;
  t.dc = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!t.dc) return t;
  GdiFont* font = t.dc->State.Font ? t.dc->State.Font : portable::StockSystemFont();
  if (font->ResolvedGeneration != gSizedGeneration) {
    font->Resolved = Resolve(font->Log);
    font->ResolvedGeneration = gSizedGeneration;
  }
  t.face = static_cast<SizedFace*>(font->Resolved);
  t.surface = t.dc->Surface();
  return t;
}

// Lines of DrawText: start and length in the (prefix-processed) text.
struct LineSpan {
  int start, length;
};

bool IsBreak(WCHAR c) { return c == '\r' || c == '\n'; }

std::vector<LineSpan> SplitLines(SizedFace& f, const std::u16string& s, UINT format, int32_t width) {
  std::vector<LineSpan> lines;
  int n = static_cast<int>(s.size());
  if (format & DT_SINGLELINE) {
    lines.push_back({0, n});
    return lines;
  }
  int i = 0;
  while (true) {
    int end = i;
    while (end < n && !IsBreak(static_cast<WCHAR>(s[end]))) ++end;
    // Paragraph [i, end): wrap at spaces when asked.
    int p = i;
    if (!(format & DT_WORDBREAK) || p == end) {
      lines.push_back({p, end - p});
    } else {
      while (p < end) {
        int lineEnd = p, fit = -1;
        while (lineEnd < end) {
          int wordEnd = lineEnd;
          while (wordEnd < end && s[wordEnd] == ' ') ++wordEnd;
          while (wordEnd < end && s[wordEnd] != ' ') ++wordEnd;
          int32_t w = Width(f, reinterpret_cast<const WCHAR*>(s.data()) + p, wordEnd - p);
          if (w > width && fit >= 0) break;
          fit = wordEnd;
          lineEnd = wordEnd;
          if (w > width) break;  // a single word wider than the rectangle stands alone
        }
        int visible = lineEnd;
        while (visible > p && s[visible - 1] == ' ') --visible;
        lines.push_back({p, visible - p});
        p = lineEnd;
        while (p < end && s[p] == ' ') ++p;
      }
    }
    if (end >= n) break;
    i = end + ((s[end] == '\r' && end + 1 < n && s[end + 1] == '\n') ? 2 : 1);
    if (i >= n) break;
  }
  return lines;
}

std::u16string Prefixed(const WCHAR* text, int count, UINT format) {
  std::u16string s;
  for (int i = 0; i < count; ++i) {
    char16_t c = static_cast<char16_t>(text[i]);
    if (!(format & DT_NOPREFIX) && c == '&') {
      if (i + 1 < count && text[i + 1] == '&') ++i;
      else continue;  // a single ampersand marks the next character (drawn without the mark)
      c = '&';
    }
    if (format & DT_SINGLELINE && (c == '\r' || c == '\n')) continue;
    s.push_back(c);
  }
  return s;
}

int Length(const WCHAR* text, int count) {
  if (!text) return 0;
  if (count >= 0) return count;
  int n = 0;
  while (text[n]) ++n;
  return n;
}

}  // namespace

HFONT CreateFontIndirectW(const LOGFONTW* font) {
  if (!font) return nullptr;
  auto* f = new GdiFont();
  f->Log = *font;
  return portable::RegisterGdiObject(f);
}

HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCWSTR faceName) {
  LOGFONTW log{};
  log.lfHeight = height;
  log.lfWidth = width;
  log.lfEscapement = escapement;
  log.lfOrientation = orientation;
  log.lfWeight = weight;
  log.lfItalic = static_cast<BYTE>(italic);
  log.lfUnderline = static_cast<BYTE>(underline);
  log.lfStrikeOut = static_cast<BYTE>(strikeOut);
  log.lfCharSet = static_cast<BYTE>(charSet);
  log.lfOutPrecision = static_cast<BYTE>(outPrecision);
  log.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  log.lfQuality = static_cast<BYTE>(quality);
  log.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  for (int i = 0; faceName && faceName[i] && i < LF_FACESIZE - 1; ++i) log.lfFaceName[i] = faceName[i];
  return CreateFontIndirectW(&log);
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d) return CLR_INVALID;
  COLORREF old = d->State.TextColor;
  d->State.TextColor = color & 0xFFFFFF;
  return old;
}

COLORREF GetTextColor(HDC dc) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  return d ? d->State.TextColor : CLR_INVALID;
}

int SetBkMode(HDC dc, int mode) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  int old = d->State.BkMode;
  d->State.BkMode = mode;
  return old;
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d) return CLR_INVALID;
  COLORREF old = d->State.BkColor;
  d->State.BkColor = color & 0xFFFFFF;
  return old;
}

BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count) {
  std::lock_guard<std::mutex> guard(gTextMutex);
  Target t = TargetOf(dc);
  if (!t.dc || count < 0 || (count > 0 && !text)) return 0;
  if (!t.face || !t.surface || count == 0) return 1;
  portable::PixelView view = portable::ViewOf(*t.surface);
  const UINT align = t.dc->State.TextAlign;
  if ((align & TA_CENTER) == TA_CENTER)
    x -= Width(*t.face, text, count) / 2;
  else if (align & TA_RIGHT)
    x -= Width(*t.face, text, count);
  if ((align & TA_BASELINE) == TA_BASELINE)
    y -= t.face->Ascent;
  else if (align & TA_BOTTOM)
    y -= t.face->Ascent + t.face->Descent;
  DrawLine(*t.face, view, t.dc->State, x, y, text, count, Clip{INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2});
  return 1;
}

int DrawTextW(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format) {
  std::lock_guard<std::mutex> guard(gTextMutex);
  Target t = TargetOf(dc);
  if (!t.dc || !rect) return 0;
  int n = Length(text, count);
  if (!t.face) return 0;
  SizedFace& f = *t.face;
  std::u16string s = Prefixed(text, n, format);
  int32_t lineHeight = f.Ascent + f.Descent;
  std::vector<LineSpan> lines = SplitLines(f, s, format, rect->right - rect->left);
  const WCHAR* base = reinterpret_cast<const WCHAR*>(s.data());
  int32_t height = static_cast<int32_t>(lines.size()) * lineHeight;
  if (format & DT_CALCRECT) {
    int32_t widest = 0;
    for (const LineSpan& l : lines) widest = std::max(widest, Width(f, base + l.start, l.length));
    rect->right = rect->left + widest;
    rect->bottom = rect->top + height;
    return height;
  }
  int32_t top = rect->top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER)
      top = rect->top + (rect->bottom - rect->top - lineHeight) / 2;
    else if (format & DT_BOTTOM)
      top = rect->bottom - lineHeight;
  }
  Clip clip = (format & DT_NOCLIP) ? Clip{INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2}
                                   : Clip{rect->left, rect->top, rect->right, rect->bottom};
  if (t.surface) {
    portable::PixelView view = portable::ViewOf(*t.surface);
    int32_t y = top;
    for (const LineSpan& l : lines) {
      int32_t w = Width(f, base + l.start, l.length);
      int32_t x = rect->left;
      if (format & DT_CENTER)
        x = rect->left + (rect->right - rect->left - w) / 2;
      else if (format & DT_RIGHT)
        x = rect->right - w;
      DrawLine(f, view, t.dc->State, x, y, base + l.start, l.length, clip);
      y += lineHeight;
    }
  }
  return (top - rect->top) + height;
}

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size) {
  std::lock_guard<std::mutex> guard(gTextMutex);
  Target t = TargetOf(dc);
  if (!t.dc || !size || count < 0 || (count > 0 && !text)) return 0;
  if (!t.face) {
    size->cx = size->cy = 0;
    return 1;
  }
  size->cx = Width(*t.face, text, count);
  size->cy = t.face->Ascent + t.face->Descent;
  return 1;
}

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* m) {
  std::lock_guard<std::mutex> guard(gTextMutex);
  Target t = TargetOf(dc);
  if (!t.dc || !m) return 0;
  *m = TEXTMETRICW{};
  if (!t.face) return 1;
  SizedFace& f = *t.face;
  m->tmAscent = f.Ascent;
  m->tmDescent = f.Descent;
  m->tmHeight = f.Ascent + f.Descent;
  m->tmInternalLeading = f.InternalLeading;
  m->tmExternalLeading = f.ExternalLeading;
  if (f.AveWidth < 0 && f.AlphabetWidth < 0) {
    // The same advances GlyphOf keeps, loaded without rendering: large sizes stay cheap.
    f.AlphabetWidth = 0;
    FT_Set_Pixel_Sizes(f.Face, static_cast<FT_UInt>(f.XPpem), static_cast<FT_UInt>(f.Ppem));
    FT_Matrix identity{0x10000, 0, 0, 0x10000};
    FT_Set_Transform(f.Face, &identity, nullptr);
    FT_Select_Charmap(f.Face, FT_ENCODING_UNICODE);
    for (const char* c = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"; *c; ++c)
      if (FT_Load_Glyph(f.Face, FT_Get_Char_Index(f.Face, static_cast<FT_ULong>(*c)), f.LoadFlags) == 0)
        f.AlphabetWidth += static_cast<int32_t>((f.Face->glyph->advance.x + 32) >> 6);
  }
  m->tmAveCharWidth = f.AveWidth >= 0 ? f.AveWidth : (f.AlphabetWidth + 26) / 52;
  m->tmMaxCharWidth = f.MaxWidth;
  m->tmWeight = f.Bold ? FW_BOLD : FW_NORMAL;
  m->tmItalic = f.Italic ? 1 : 0;
  m->tmUnderlined = f.Underline ? 1 : 0;
  m->tmStruckOut = f.StrikeOut ? 1 : 0;
  m->tmFirstChar = 32;
  m->tmLastChar = 0xFFFC;
  m->tmDefaultChar = '?';
  m->tmBreakChar = ' ';
  m->tmCharSet = DEFAULT_CHARSET;
  m->tmDigitizedAspectX = m->tmDigitizedAspectY = 96;
  return 1;
}

UINT SetTextAlign(HDC dc, UINT align) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d) return GDI_ERROR;
  UINT old = d->State.TextAlign;
  d->State.TextAlign = align;
  return old;
}

UINT GetTextAlign(HDC dc) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  return d ? d->State.TextAlign : GDI_ERROR;
}

COLORREF GetBkColor(HDC dc) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  return d ? d->State.BkColor : CLR_INVALID;
}

int GetBkMode(HDC dc) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  return d ? d->State.BkMode : 0;
}

int GetTextFaceW(HDC dc, int count, WCHAR* face) {
  auto* d = portable::FindGdi<GdiDC>(dc, GdiKind::DC);
  if (!d) return 0;
  const GdiFont* font = d->State.Font ? d->State.Font : portable::StockSystemFont();
  int length = 0;
  while (length < LF_FACESIZE - 1 && font->Log.lfFaceName[length]) ++length;
  if (!face) return length + 1;
  if (count <= 0) return 0;
  int copied = std::min(length, count - 1);
  for (int i = 0; i < copied; ++i) face[i] = font->Log.lfFaceName[i];
  face[copied] = 0;
  return copied + 1;
}

DWORD GetGlyphOutlineW(HDC dc, UINT ch, UINT format, GLYPHMETRICS* metrics, DWORD, void*, const MAT2*) {
  std::lock_guard<std::mutex> guard(gTextMutex);
  Target t = TargetOf(dc);
  if (!t.dc || !metrics || format != GGO_METRICS || !t.face) return GDI_ERROR;
  const Glyph& g = GlyphOf(*t.face, ch);
  // A glyph without ink reports a one-pixel box at the pen, as the platform does.
  metrics->gmBlackBoxX = static_cast<UINT>(std::max(1, g.Width));
  metrics->gmBlackBoxY = static_cast<UINT>(std::max(1, g.Rows));
  metrics->gmptGlyphOrigin = POINT{g.Width > 0 ? g.Left : 0, g.Rows > 0 ? g.Top : 0};
  metrics->gmCellIncX = static_cast<short>(g.Advance);
  metrics->gmCellIncY = 0;
  return 0;
}

}  // namespace plat
