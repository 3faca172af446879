// Measures and marks shared by the item layouts.
#include "equation/layout_metrics.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include "common/colour_units.h"
#include "common/round.h"
#include "equation/equation.h"
#include "equation/equation_defaults.h"
#include "equation/equation_item.h"
#include "fonts/dib_canvas.h"
#include "fonts/font_manager.h"

namespace zkw {

namespace {

constexpr int64_t kCoordLimit = int64_t{1} << 29;

// Selects a GDI object into a DC for the lifetime of the guard and deletes it afterwards.
class TSelected {
 public:
  TSelected(plat::HDC dc, plat::HGDIOBJ obj, bool own = true) : FDC(dc), FObj(obj), FOwn(own) {
    FOld = obj ? plat::SelectObject(dc, obj) : nullptr;
  }
  ~TSelected() {
    if (FObj) {
      plat::SelectObject(FDC, FOld);
      if (FOwn) plat::DeleteObject(FObj);
    }
  }
  TSelected(const TSelected&) = delete;
  TSelected& operator=(const TSelected&) = delete;

 private:
  plat::HDC FDC;
  plat::HGDIOBJ FObj;
  bool FOwn;
  plat::HGDIOBJ FOld = nullptr;
};

void SetFace(plat::LOGFONTW& log, const std::string& face) {
  ZString wide = FromUtf8(face);
  size_t n = std::min<size_t>(wide.size(), plat::LF_FACESIZE - 1);
  for (size_t i = 0; i < n; ++i) log.lfFaceName[i] = wide[i];
  log.lfFaceName[n] = 0;
}

plat::HFONT NewFont(const std::string& face, int32_t height, int32_t width, int32_t weight, bool italic,
                    bool underline, int32_t escapement = 0) {
  plat::LOGFONTW log{};
  log.lfHeight = height;
  log.lfWidth = width;
  log.lfEscapement = escapement;
  log.lfOrientation = escapement;
  log.lfWeight = weight;
  log.lfItalic = italic ? 1 : 0;
  log.lfUnderline = underline ? 1 : 0;
  log.lfCharSet = plat::DEFAULT_CHARSET;
  SetFace(log, face);
  return plat::CreateFontIndirectW(&log);
}

TExtent GdiExtent(plat::HDC dc, plat::HFONT font, const ZString& text) {
  TExtent e;
  if (!dc || text.empty()) return e;
  TSelected sel(dc, font);
  plat::SIZE size{};
  if (plat::GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size)) e = {size.cx, size.cy};
  return e;
}

// A canvas over the item's font manager with the item font.
// Canvases kept while a scope is open, by manager and font.
struct TCanvasCache {
  int Depth = 0;
  std::map<std::string, std::unique_ptr<TDibCanvas>> Canvases;
  std::map<std::string, plat::HFONT> Fonts;  // GDI text fonts, deleted when the scope ends
};
TCanvasCache& Cache() {
  static thread_local TCanvasCache cache;
  return cache;
}

std::unique_ptr<TDibCanvas> NewItemCanvas(const TEquationItem& item, const TFontID& id) {
  auto canvas = std::make_unique<TDibCanvas>();
  canvas->SetFontManager(TDibFontManager::IsLive(item.FDibFontManager) ? item.FDibFontManager : nullptr);
  TCanvasFont font;
  font.SetName(FromUtf8(FaceName(id)));
  font.SetSize(LayoutSize(id.ftSize));
  font.SetStyle((id.ftBold ? fsBold : 0) | (id.ftItalic ? fsItalic : 0) | (id.ftUnderline ? fsUnderline : 0));
  canvas->SetFont(font);
  return canvas;
}

// A canvas with the item's manager and the font; owned by the cache inside a scope, else by the
// holder it returns.
struct TCanvasRef {
  std::unique_ptr<TDibCanvas> Owned;
  TDibCanvas* Canvas = nullptr;
  TDibCanvas* operator->() const { return Canvas; }
};
TCanvasRef ItemCanvas(const TEquationItem& item, const TFontID& id) {
  TCanvasRef ref;
  TCanvasCache& cache = Cache();
  if (cache.Depth == 0) {
    ref.Owned = NewItemCanvas(item, id);
    ref.Canvas = ref.Owned.get();
    return ref;
  }
  std::string key(reinterpret_cast<const char*>(&id), sizeof id);
  key.append(reinterpret_cast<const char*>(&item.FDibFontManager), sizeof item.FDibFontManager);
  std::unique_ptr<TDibCanvas>& slot = cache.Canvases[key];
  if (!slot) slot = NewItemCanvas(item, id);
  ref.Canvas = slot.get();
  return ref;
}

// Selects the GDI font of a font record for one call: kept in the scope's cache when one is open.
class TTextFont {
 public:
  TTextFont(plat::HDC dc, const TFontID& font, int32_t resolution) : FSelected(dc, Font(font, resolution), Cache().Depth == 0) {}

 private:
  static plat::HFONT Font(const TFontID& font, int32_t resolution) {
    TCanvasCache& cache = Cache();
    if (cache.Depth == 0) return NewTextFont(font, resolution);
    std::string key(reinterpret_cast<const char*>(&font), sizeof font);
    key.append(reinterpret_cast<const char*>(&resolution), sizeof resolution);
    plat::HFONT& slot = cache.Fonts[key];
    if (!slot) slot = NewTextFont(font, resolution);
    return slot;
  }
  TSelected FSelected;
};

ZString Ascii(const char* text) {
  ZString s;
  for (; *text; ++text) s.push_back(static_cast<ZChar>(static_cast<uint8_t>(*text)));
  return s;
}

plat::HFONT SymbolFont(const TEquationItem& item, const TSymbolGlyph& glyph, int32_t escapement = 0) {
  int32_t width = 0, weight = plat::FW_NORMAL;
  if (glyph.Stretched) {
    // The width of the normal face at the item size keeps a stretched sign from growing wider.
    plat::HFONT normal = NewFont(glyph.Face, -PointsToPixels(LayoutSize(item.FFontID.ftSize), item.FResolution), 0,
                                 plat::FW_NORMAL, false, false);
    TSelected sel(item.FDC, normal);
    plat::TEXTMETRICW tm{};
    if (plat::GetTextMetricsW(item.FDC, &tm)) width = tm.tmAveCharWidth;
    weight = 100;
  }
  return NewFont(glyph.Face, -std::clamp(glyph.Height, 0, 100000), width, weight, false, false, escapement);
}

}  // namespace

int32_t LayoutSize(int32_t size) { return std::clamp(size, 1, 1000); }
int32_t LayoutResolution(int32_t resolution) { return std::clamp(resolution, 1, 2400); }
int32_t Coord(int64_t v) { return static_cast<int32_t>(std::clamp(v, -kCoordLimit, kCoordLimit)); }

int32_t PointsToPixels(double points, int32_t resolution) {
  return static_cast<int32_t>(Round(points * LayoutResolution(resolution) / 72.0));
}

int32_t StandardPenWidth(int32_t resolution) {
  return std::max<int32_t>(1, static_cast<int32_t>(Round(LayoutResolution(resolution) * 0.5 / 72.0)));
}

plat::HFONT NewTextFont(const TFontID& font, int32_t resolution) {
  return NewFont(FaceName(font), -PointsToPixels(LayoutSize(font.ftSize), resolution),
                 0, font.ftBold ? plat::FW_BOLD : plat::FW_NORMAL, font.ftItalic != 0, font.ftUnderline != 0);
}

TExtent ItemTextExtent(const TEquationItem& item, const ZString& text) {
  if (!item.FDC || text.empty()) return {};
  if (item.FUseDibFont) {
    auto canvas = ItemCanvas(item, item.FFontID);
    return TExtent{canvas->TextWidth(text.data(), static_cast<int32_t>(text.size())), canvas->TextHeight()};
  }
  TTextFont selected(item.FDC, item.FFontID, item.FResolution);
  return GdiExtent(item.FDC, nullptr, text);
}

TExtent ItemTextExtent(const TEquationItem& item, const char* text) { return ItemTextExtent(item, Ascii(text)); }

int32_t ItemFontAscent(const TEquationItem& item) { return FontAscent(item, item.FFontID); }

int32_t FontAscent(const TEquationItem& item, const TFontID& font) {
  if (!item.FDC) return 0;
  if (item.FUseDibFont) return ItemCanvas(item, font)->GetBaseline();
  TTextFont selected(item.FDC, font, item.FResolution);
  plat::TEXTMETRICW tm{};
  return plat::GetTextMetricsW(item.FDC, &tm) ? tm.tmAscent : 0;
}

void DrawItemText(const TEquationItem& item, const ZString& text, const plat::RECT& rect) {
  plat::HDC dc = item.FDC;
  if (!dc || text.empty()) return;
  const int32_t count = static_cast<int32_t>(text.size());
  const plat::UINT format = plat::DT_CENTER | plat::DT_NOCLIP | plat::DT_NOPREFIX;
  if (item.FUseDibFont) {
    // The text goes through a canvas that holds the pixels under the rectangle.
    auto canvas = ItemCanvas(item, item.FFontID);
    const int32_t w = rect.right - rect.left, h = rect.bottom - rect.top;
    canvas->SetCanvasSize(w + 1, h + 1);  // nothing to do when a kept canvas has that size
    canvas->CopyBackground(dc, rect.left, rect.top);
    canvas->FBkColor = plat::GetBkColor(dc);
    canvas->FBkMode = static_cast<uint32_t>(plat::GetBkMode(dc));
    canvas->SetTextColor(plat::GetTextColor(dc));
    canvas->DrawText(TFontRect{0, 0, w, h}, text.data(), count, static_cast<uint16_t>(format));
    canvas->Draw(dc, rect.left, rect.top);
    return;
  }
  TTextFont selected(dc, item.FFontID, item.FResolution);
  const int oldMode = plat::SetBkMode(dc, plat::TRANSPARENT);
  plat::RECT r = rect;
  plat::DrawTextW(dc, text.data(), count, &r, format);
  plat::SetBkMode(dc, oldMode);
}

void DrawItemName(const TEquationItem& item, const std::string& name, int32_t x, int32_t y, plat::COLORREF color) {
  if (!item.FDC || name.empty()) return;
  const ZString text = Ascii(name.c_str());
  const TExtent e = ItemTextExtent(item, text);
  const plat::COLORREF old = plat::SetTextColor(item.FDC, color);
  DrawItemText(item, text, plat::RECT{x, y, x + e.cx, y + e.cy});
  plat::SetTextColor(item.FDC, old);
}

TExtent SymbolExtent(const TEquationItem& item, const TSymbolGlyph& glyph) {
  if (!item.FDC) return {};
  return GdiExtent(item.FDC, SymbolFont(item, glyph), ZString(1, static_cast<ZChar>(glyph.Code)));
}

namespace {
// Black box of a normal Symbol glyph: width with the origin, and height.
TExtent BlackBox(const TEquationItem& item, uint8_t code, int32_t height) {
  if (!item.FDC) return {};
  const TSymbolGlyph glyph{"Symbol", code, height, false};
  plat::GLYPHMETRICS gm{};
  const plat::MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  {
    TSelected sel(item.FDC, SymbolFont(item, glyph));
    if (plat::GetGlyphOutlineW(item.FDC, code, plat::GGO_METRICS, &gm, 0, nullptr, &identity) != plat::GDI_ERROR)
      return TExtent{gm.gmptGlyphOrigin.x + static_cast<int32_t>(gm.gmBlackBoxX), static_cast<int32_t>(gm.gmBlackBoxY)};
  }
  return SymbolExtent(item, glyph);
}
}  // namespace

int32_t SymbolGlyphWidth(const TEquationItem& item, uint8_t code, int32_t height) {
  return BlackBox(item, code, height).cx;
}

int32_t SymbolGlyphHeight(const TEquationItem& item, uint8_t code, int32_t height) {
  return BlackBox(item, code, height).cy;
}

plat::RECT SymbolBox(const TEquationItem& item, const TSymbolGlyph& glyph, int32_t x, int32_t y) {
  const TExtent e = SymbolExtent(item, glyph);
  return plat::RECT{x, y - e.cy / 2 - 1, x + e.cx, y + e.cy / 2 + 1};
}

void DrawSymbol(const TEquationItem& item, const TSymbolGlyph& glyph, const plat::RECT& box) {
  plat::HDC dc = item.FDC;
  if (!dc) return;
  TSelected sel(dc, SymbolFont(item, glyph));
  const plat::COLORREF old = plat::SetTextColor(dc, ItemLineColor(item));
  const int oldMode = plat::SetBkMode(dc, plat::TRANSPARENT);
  plat::RECT r = box;
  const ZChar text[2] = {static_cast<ZChar>(glyph.Code), 0};
  plat::DrawTextW(dc, text, 1, &r, plat::DT_CENTER | plat::DT_VCENTER | plat::DT_SINGLELINE | plat::DT_NOCLIP | plat::DT_NOPREFIX);
  plat::SetBkMode(dc, oldMode);
  plat::SetTextColor(dc, old);
}

plat::RECT DrawStretchedSymbol(const TEquationItem& item, uint8_t code, int32_t height, int32_t x, int32_t y) {
  const TSymbolGlyph glyph{"Symbol", code, height, true};
  const plat::RECT box = SymbolBox(item, glyph, x, y);
  DrawSymbol(item, glyph, box);
  return box;
}

plat::COLORREF ItemLineColor(const TEquationItem& item) { return ColorToRGB(item.FColor) & 0xFFFFFF; }

void DrawPenLine(plat::HDC dc, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t width, plat::COLORREF color,
                 int style) {
  if (!dc) return;
  TSelected sel(dc, plat::CreatePen(style, width, color));
  plat::MoveToEx(dc, x0, y0, nullptr);
  plat::LineTo(dc, x1, y1);
}

void ItemLine(const TEquationItem& item, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int style) {
  DrawPenLine(item.FDC, x0, y0, x1, y1, StandardPenWidth(item.FResolution), ItemLineColor(item), style);
}

void DrawArrowLine(const TEquationItem& item, const plat::RECT& rect, int32_t kind) {
  if (!item.FDC) return;
  if (kind <= 0) kind = 1;
  if (kind > 6) kind = 6;
  const int32_t r2 = PointsToPixels(2, item.FResolution);
  const int32_t back = static_cast<int32_t>(Round(plat::GetDeviceCaps(item.FDC, plat::LOGPIXELSY) * 4 / 72.0));
  auto head = [&](int32_t tx, int32_t ty, int32_t dx, int32_t dy) {
    // Two strokes from the tip, `back` pixels along the line (dx, dy) and r2 to either side.
    ItemLine(item, tx, ty, tx + dx * back + dy * r2, ty + dy * back + dx * r2);
    ItemLine(item, tx, ty, tx + dx * back - dy * r2, ty + dy * back - dx * r2);
  };
  if (kind <= 3) {
    const int32_t y = rect.bottom - r2;
    ItemLine(item, rect.left, y, rect.right, y);
    if (kind != 2) head(rect.right, y, -1, 0);
    if (kind != 1) head(rect.left, y, 1, 0);
  } else {
    const int32_t x = rect.left + r2;
    ItemLine(item, x, rect.top, x, rect.bottom);
    if (kind != 5) head(x, rect.bottom, 0, -1);
    if (kind != 4) head(x, rect.top, 0, 1);
  }
}

void PlaceBarLimits(TEquation& upper, TEquation& lower, int32_t x, int32_t y, int32_t H) {
  upper.SetBasePoint(x, y);
  lower.SetBasePoint(x, y);
  if (upper.AboveHeight() + lower.BelowHeight() < H) {
    upper.MoveBasePoint(x, y + upper.AboveHeight() - H);
    lower.MoveBasePoint(x, y + H - lower.BelowHeight());
  } else {
    upper.MoveBasePoint(x, y - upper.BelowHeight());
    lower.MoveBasePoint(x, y + lower.AboveHeight());
  }
}

void DrawOutline(const TEquationItem& item, const plat::RECT& box, int style) {
  if (!item.FDC) return;
  TSelected pen(item.FDC, plat::CreatePen(style, StandardPenWidth(item.FResolution), ItemLineColor(item)));
  plat::HGDIOBJ oldBrush = plat::SelectObject(item.FDC, plat::GetStockObject(plat::NULL_BRUSH));
  plat::Rectangle(item.FDC, box.left, box.top, box.right, box.bottom);
  plat::SelectObject(item.FDC, oldBrush);
}

TCanvasScope::TCanvasScope() { ++Cache().Depth; }

TCanvasScope::~TCanvasScope() {
  TCanvasCache& cache = Cache();
  if (--cache.Depth != 0) return;
  cache.Canvases.clear();
  for (auto& font : cache.Fonts) plat::DeleteObject(font.second);
  cache.Fonts.clear();
}

int32_t PlaceholderHeight() { return EquationDefaults().FPlaceholderHeight; }

TExtent EquationCanvasMeasure(const TEquation& equation) {
  TDibCanvas canvas;
  canvas.SetFontManager(TDibFontManager::IsLive(equation.FDibFontManager) ? equation.FDibFontManager : nullptr);
  TCanvasFont font;
  font.SetName(FromUtf8(FaceName(equation.FFontID)));
  font.SetSize(LayoutSize(equation.FFontID.ftSize));
  canvas.SetFont(font);
  return TExtent{canvas.GetBaseline(), canvas.TextHeight()};
}

void MeasurePlaceholder(const TEquation& equation) {
  if (!equation.FDC) return;
  int32_t height;
  if (equation.FUseDibFont) {
    height = EquationCanvasMeasure(equation).cy;
  } else {
    height = GdiExtent(equation.FDC, NewTextFont(equation.FFontID, plat::GetDeviceCaps(equation.FDC, plat::LOGPIXELSY)),
                       Ascii("Ag")).cy;
  }
  if (height > 0) EquationDefaults().FPlaceholderHeight = height;
}

}  // namespace zkw
