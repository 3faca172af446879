// Measures and marks shared by the layout and drawing of every item: units from the font size and
// resolution, fonts, text extents (GDI or bitmap fonts), Symbol-font glyphs (normal or stretched),
// pens, arrow lines and the process-wide placeholder height.
#pragma once
#include <cstdint>
#include <string>

#include "base/text16.h"
#include "equation/font_id.h"
#include "platform/plat_gdi.h"

namespace zkw {

class TEquation;
class TEquationItem;

// Sizes and resolutions are held in range so that no stored value overflows the layout.
int32_t LayoutSize(int32_t size);              // 1..1000 points
int32_t LayoutResolution(int32_t resolution);  // 1..2400 pixels per inch
// A coordinate computed in 64 bits, held within +-2^29 pixels.
int32_t Coord(int64_t v);
// round(points x resolution / 72).
int32_t PointsToPixels(double points, int32_t resolution);
// The standard pen width: max(1, round(resolution x 0.5 / 72)).
int32_t StandardPenWidth(int32_t resolution);

struct TExtent {
  int32_t cx = 0, cy = 0;
};

// GDI font of a font record at a resolution (height -round(size x resolution / 72)).
plat::HFONT NewTextFont(const TFontID& font, int32_t resolution);
// Extent of a text in the item's font: GDI text extent, or a bitmap-font canvas's text width
// and height when the item uses bitmap fonts. Zero without a device context.
TExtent ItemTextExtent(const TEquationItem& item, const ZString& text);
TExtent ItemTextExtent(const TEquationItem& item, const char* text);
// Ascent of the item font (GDI metrics; the canvas baseline with bitmap fonts).
int32_t ItemFontAscent(const TEquationItem& item);
// Draws a text centred in a rectangle in the item's text colour, transparent background.
void DrawItemText(const TEquationItem& item, const ZString& text, const plat::RECT& rect);
// Draws an 8-bit name in the item font and colour with its top-left at (x, y).
void DrawItemName(const TEquationItem& item, const std::string& name, int32_t x, int32_t y,
                  plat::COLORREF color);

// A Symbol-font glyph: code, font height H and whether it is stretched (the width of the normal
// font at the item size, weight 100) or normal.
struct TSymbolGlyph {
  std::string Face = "Symbol";
  uint8_t Code = 32;
  int32_t Height = 0;
  bool Stretched = false;
};
TExtent SymbolExtent(const TEquationItem& item, const TSymbolGlyph& glyph);
// Glyph origin x + black-box width (the text extent width without glyph metrics).
int32_t SymbolGlyphWidth(const TEquationItem& item, uint8_t code, int32_t height);
// Black-box height (the text extent height without glyph metrics).
int32_t SymbolGlyphHeight(const TEquationItem& item, uint8_t code, int32_t height);
// The box of a fixed-position symbol at (x, y): (x, y - h div 2 - 1, x + w, y + h div 2 + 1).
plat::RECT SymbolBox(const TEquationItem& item, const TSymbolGlyph& glyph, int32_t x, int32_t y);
// Draws the glyph centred in a box in the item's line colour.
void DrawSymbol(const TEquationItem& item, const TSymbolGlyph& glyph, const plat::RECT& box);
// Both together: a stretched, fixed-position symbol of height H at (x, y); returns its box.
plat::RECT DrawStretchedSymbol(const TEquationItem& item, uint8_t code, int32_t height, int32_t x,
                               int32_t y);

// A line from (x0, y0) to (x1, y1) with a pen of that style and width in the colour.
void DrawPenLine(plat::HDC dc, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t width,
                 plat::COLORREF color, int style = plat::PS_SOLID);
// A line in the item's standard pen (inside-frame or solid) and line colour.
void ItemLine(const TEquationItem& item, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
              int style = plat::PS_SOLID);
// The arrow line of a kind (1 right head, 2 left, 3 both, 4 bottom, 5 top, 6 both; 0 as 1,
// above 6 as 6) inside a rectangle.
void DrawArrowLine(const TEquationItem& item, const plat::RECT& rect, int32_t kind);
// The item's line colour (system colours converted).
plat::COLORREF ItemLineColor(const TEquationItem& item);

// Limits after a bar of half height H at x: aligned with the bar's ends when both together are
// lower than H, else directly above and below the axis.
void PlaceBarLimits(TEquation& upper, TEquation& lower, int32_t x, int32_t y, int32_t H);
// The outline of a rectangle with the item's standard pen (of that style), not filled.
void DrawOutline(const TEquationItem& item, const plat::RECT& box, int style);
// The ascent of a font record on the item's device context (the canvas baseline with bitmap
// fonts).
int32_t FontAscent(const TEquationItem& item, const TFontID& font);

// While a scope is open (a layout or a draw of a whole row), bitmap-font canvases are kept per
// manager and font and reused; the outermost scope gives them back, so fonts return to their
// manager when the call ends.
class TCanvasScope {
 public:
  TCanvasScope();
  ~TCanvasScope();
  TCanvasScope(const TCanvasScope&) = delete;
  TCanvasScope& operator=(const TCanvasScope&) = delete;
};

// The placeholder height of empty equations (process-wide) and its re-measuring for an equation.
int32_t PlaceholderHeight();
void MeasurePlaceholder(const TEquation& equation);
// With bitmap fonts: the canvas baseline (cx) and text height (cy) of the equation font.
TExtent EquationCanvasMeasure(const TEquation& equation);

}  // namespace zkw
