// Layout and drawing of the items without children: font symbols (plain and rotated), the
// double diagonal arrow and the drawn signs.
#include <algorithm>
#include <cmath>

#include "common/round.h"
#include "equation/items_symbols.h"
#include "equation/layout_metrics.h"

namespace zkw {

namespace {

TSymbolGlyph GlyphOf(const TSpecialChar& item) {
  return TSymbolGlyph{item.FFaceName, item.FCharCode, PointsToPixels(LayoutSize(item.FFontID.ftSize), item.FResolution),
                      item.FScale != 0};
}

}  // namespace

void TSpecialChar::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  const TExtent e = SymbolExtent(*this, GlyphOf(*this));
  FRect = plat::RECT{x, y - e.cy / 2 - 1, x + e.cx, y + e.cy / 2 + 1};
  const int32_t a = 2 * e.cy;
  if (FLockPosition || a == 40 || a <= 38) return;
  auto r = [a](int32_t d) { return static_cast<int32_t>(Round(static_cast<double>(a) / d)); };
  if (a <= 44) {
    FRect.top += r(60);
    FRect.bottom += r(70);
  } else if (a > 88) {
    FRect.top -= r(20);
    FRect.bottom -= r(30);
  } else if (a > 68) {
    FRect.top -= r(30);
    FRect.bottom -= r(40);
  } else {
    FRect.top -= r(40);
    FRect.bottom -= r(50);
  }
}

void TSpecialChar::DrawContent() { DrawSymbol(*this, GlyphOf(*this), FRect); }

namespace {

// The rotated face at the item size, selected for one measure or draw.
plat::HFONT RotatedFont(const TSpecialCharEx& item) {
  plat::LOGFONTW log{};
  log.lfHeight = -PointsToPixels(LayoutSize(item.FFontID.ftSize), item.FResolution);
  log.lfEscapement = log.lfOrientation = static_cast<int32_t>((static_cast<int64_t>(item.FAngle) * 10) % 3600);
  log.lfWeight = plat::FW_NORMAL;
  log.lfCharSet = plat::DEFAULT_CHARSET;
  const ZString face = FromUtf8(item.FFaceName);
  for (size_t i = 0; i < face.size() && i + 1 < static_cast<size_t>(plat::LF_FACESIZE); ++i) log.lfFaceName[i] = face[i];
  return plat::CreateFontIndirectW(&log);
}

}  // namespace

void TSpecialCharEx::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  plat::SIZE size{};
  if (FDC) {
    plat::HFONT font = RotatedFont(*this);
    plat::HGDIOBJ old = plat::SelectObject(FDC, font);
    const ZChar code = FCharCode;
    plat::GetTextExtentPoint32W(FDC, &code, 1, &size);
    plat::SelectObject(FDC, old);
    plat::DeleteObject(font);
  }
  FRect = plat::RECT{x, y - size.cy / 2 - 1, x + size.cx, y + size.cy / 2 + 1};
}

void TSpecialCharEx::DrawContent() {
  plat::HFONT font = RotatedFont(*this);
  plat::HGDIOBJ old = plat::SelectObject(FDC, font);
  plat::SIZE size{};
  const ZChar code = FCharCode;
  plat::GetTextExtentPoint32W(FDC, &code, 1, &size);
  // The text's reference point, so that the centre of the rotated cell lands on the box's centre.
  const double a = (static_cast<int64_t>(FAngle) % 360) * 3.14159265358979323846 / 180.0;
  const double cx = (FRect.left + FRect.right) / 2.0, cy = (FRect.top + FRect.bottom) / 2.0;
  const double hx = size.cx / 2.0, hy = size.cy / 2.0;
  const int32_t rx = static_cast<int32_t>(std::lround(cx - (hx * std::cos(a) + hy * std::sin(a))));
  const int32_t ry = static_cast<int32_t>(std::lround(cy - (-hx * std::sin(a) + hy * std::cos(a))));
  const plat::COLORREF oldColor = plat::SetTextColor(FDC, ItemLineColor(*this));
  const int oldMode = plat::SetBkMode(FDC, plat::TRANSPARENT);
  plat::TextOutW(FDC, rx, ry, &code, 1);
  plat::SetBkMode(FDC, oldMode);
  plat::SetTextColor(FDC, oldColor);
  plat::SelectObject(FDC, old);
  plat::DeleteObject(font);
}

void TSpecialArrow::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  const int32_t a = static_cast<int32_t>(Round(2.0 * ItemFontAscent(*this) / 3));
  SetRect(x, static_cast<int64_t>(y) - a, x + Round(4.0 * a / 3), static_cast<int64_t>(y) + a);
}

void TSpecialArrow::DrawContent() {
  const int32_t r4 = Pt(4), r2 = Pt(2);
  const plat::RECT& r = FRect;
  ItemLine(*this, r.left, r.bottom, r.right - r4, r.top);
  ItemLine(*this, r.left + r4, r.bottom, r.right, r.top);
  // A stroke from an end towards the point r2 further inward along the line, turned by +-20 degrees.
  auto head = [&](int32_t ex, int32_t ey, int32_t ox, int32_t oy, double degrees) {
    const double dx0 = ox - ex, dy0 = oy - ey;
    const double len = std::hypot(dx0, dy0);
    if (len == 0) return;
    const double k = std::abs(dx0) > 0 ? r2 / std::abs(dx0) : 0;
    const double dx = dx0 * k, dy = dy0 * k;
    const double t = degrees * 3.14159265358979323846 / 180;
    const int32_t hx = ex + static_cast<int32_t>(std::lround(dx * std::cos(t) - dy * std::sin(t)));
    const int32_t hy = ey + static_cast<int32_t>(std::lround(dx * std::sin(t) + dy * std::cos(t)));
    ItemLine(*this, ex, ey, hx, hy);
  };
  const bool topFirst = FStyle == 1 || FStyle == 3, bottomFirst = FStyle == 2 || FStyle == 4;
  const bool plus = FStyle != 4, minus = FStyle != 3;
  if (topFirst) {  // top end of the first line, bottom end of the second
    if (plus) head(r.right - r4, r.top, r.left, r.bottom, 20), head(r.left + r4, r.bottom, r.right, r.top, 20);
    if (minus) head(r.right - r4, r.top, r.left, r.bottom, -20), head(r.left + r4, r.bottom, r.right, r.top, -20);
  } else if (bottomFirst) {  // bottom end of the first line, top end of the second
    if (plus) head(r.left, r.bottom, r.right - r4, r.top, 20), head(r.right, r.top, r.left + r4, r.bottom, 20);
    if (minus) head(r.left, r.bottom, r.right - r4, r.top, -20), head(r.right, r.top, r.left + r4, r.bottom, -20);
  }
}

void TSign::SetBasePoint(int32_t x, int32_t y) {
  FBasePoint = {x, y};
  const int32_t A = ItemFontAscent(*this);
  const int64_t dotsTop = y - Round(2.0 * A / 3), dotsBottom = y + Round(A / 3.0);
  switch (FStyle) {
    case 0: SetRect(x, dotsTop, static_cast<int64_t>(x) + ItemTextExtent(*this, ":").cx, dotsBottom); break;
    case 1: {
      int32_t w = ItemTextExtent(*this, "H").cx;
      if (w % 2 != 0) ++w;
      SetRect(x, dotsTop, static_cast<int64_t>(x) + w, dotsBottom);
      break;
    }
    case 2: {
      const int32_t size = PointsToPixels(LayoutSize(FFontID.ftSize), FResolution);
      FRect = SymbolBox(*this, TSymbolGlyph{"Symbol", 43, size, false}, x, y);
      FMinusBox = SymbolBox(*this, TSymbolGlyph{"Symbol", 45, size, false}, x, y - static_cast<int32_t>(Round(SymbolAscent() / 3.0)));
      FRect.top = std::min(FRect.top, FMinusBox.top);
      break;
    }
    case 3: {
      int64_t w = std::max(ItemTextExtent(*this, "m").cx, 6);
      w = std::max<int64_t>(w, Round(w / 6.0) * 6);
      const int64_t u = Round(w / 5.0);
      SetRect(x, y - u, x + w, y + u);
      break;
    }
    case 4:
    case 5:
    case 6:
    case 7:
    case 8: {
      const int64_t w = ItemTextExtent(*this, FStyle == 4 ? "M" : "v").cx, half = Round(w / 2.0);
      SetRect(x, y - half, x + w, y + half);
      break;
    }
    default: break;  // styles outside the table keep the previous rectangle
  }
}

int32_t TSign::SymbolAscent() const {
  if (!FDC) return 0;
  plat::LOGFONTW log{};
  log.lfHeight = -PointsToPixels(LayoutSize(FFontID.ftSize), FResolution);
  log.lfWeight = plat::FW_NORMAL;
  const char* face = "Symbol";
  for (int i = 0; face[i]; ++i) log.lfFaceName[i] = static_cast<ZChar>(face[i]);
  plat::HFONT font = plat::CreateFontIndirectW(&log);
  plat::HGDIOBJ old = plat::SelectObject(FDC, font);
  plat::TEXTMETRICW tm{};
  plat::GetTextMetricsW(FDC, &tm);
  plat::SelectObject(FDC, old);
  plat::DeleteObject(font);
  return tm.tmAscent;
}

void TSign::DrawDots() {
  const ZString dot(1, '.');
  const int32_t s = static_cast<int32_t>(Round(2.0 * ItemTextExtent(*this, "H").cy / 3)) / 2;
  const int32_t w = ItemTextExtent(*this, ".").cx, h = ItemTextExtent(*this, ".").cy;
  plat::RECT box = FRect;
  for (int i = 0; i < 3; ++i) {
    if (i > 0) box.top -= s, box.bottom -= s;
    const int32_t left = box.left + (box.right - box.left - w) / 2;
    DrawItemText(*this, dot, plat::RECT{left, box.top, left + w, box.top + h});
  }
}

void TSign::DrawContent() {
  const plat::RECT& r = FRect;
  const plat::COLORREF line = ItemLineColor(*this);
  switch (FStyle) {
    case 0: DrawDots(); break;
    case 1:
      ItemLine(*this, r.left, r.bottom, r.right, r.top);
      DrawDots();
      break;
    case 2: {
      const int32_t size = PointsToPixels(LayoutSize(FFontID.ftSize), FResolution);
      const TSymbolGlyph plus{"Symbol", 43, size, false}, minus{"Symbol", 45, size, false};
      DrawSymbol(*this, plus, SymbolBox(*this, plus, FBasePoint.x, FBasePoint.y));
      DrawSymbol(*this, minus, FMinusBox);
      break;
    }
    case 3: {
      const int32_t d = static_cast<int32_t>(Round((r.bottom - r.top) / 6.0));
      const int32_t e = static_cast<int32_t>(Round((r.right - r.left) / 6.0));
      const plat::POINT mid{r.left + static_cast<int32_t>(Round((r.right - r.left) / 2.0)),
                            r.top + static_cast<int32_t>(Round((r.bottom - r.top) / 2.0))};
      const plat::POINT pts[7] = {{r.left, r.top + d}, {r.left + e, r.bottom}, {r.left + 2 * e, r.bottom}, mid,
                                  {r.left + 4 * e, r.top}, {r.left + 5 * e, r.top}, {r.right, r.bottom - d}};
      plat::HPEN pen = plat::CreatePen(plat::PS_SOLID, r.right - r.left > 17 ? 2 : 1,
                                       plat::GetTextColor(FDC));
      plat::HGDIOBJ old = plat::SelectObject(FDC, pen);
      plat::PolyBezier(FDC, pts, 7);
      plat::SelectObject(FDC, old);
      plat::DeleteObject(pen);
      break;
    }
    case 4: DrawOutline(*this, r, plat::PS_SOLID); break;
    case 5:
    case 6:
    case 7:
    case 8: {
      const int32_t my = r.top + (r.bottom - r.top) / 2, mx = r.left + (r.right - r.left) / 2;
      plat::POINT pts[3];
      switch (FStyle) {
        case 5: pts[0] = {r.left, my}, pts[1] = {r.right, r.top}, pts[2] = {r.right, r.bottom}; break;
        case 6: pts[0] = {r.left, r.top}, pts[1] = {r.right, my}, pts[2] = {r.left, r.bottom}; break;
        case 7: pts[0] = {r.left, r.bottom}, pts[1] = {mx, r.top}, pts[2] = {r.right, r.bottom}; break;
        default: pts[0] = {r.left, r.top}, pts[1] = {mx, r.bottom}, pts[2] = {r.right, r.top}; break;
      }
      plat::HPEN pen = plat::CreatePen(plat::PS_SOLID, 1, line);
      plat::HBRUSH brush = plat::CreateSolidBrush(line);
      plat::HGDIOBJ oldPen = plat::SelectObject(FDC, pen);
      plat::HGDIOBJ oldBrush = plat::SelectObject(FDC, brush);
      plat::Polygon(FDC, pts, 3);
      plat::SelectObject(FDC, oldBrush);
      plat::SelectObject(FDC, oldPen);
      plat::DeleteObject(brush);
      plat::DeleteObject(pen);
      break;
    }
    default: break;
  }
}

}  // namespace zkw
