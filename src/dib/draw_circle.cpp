// Round shapes: circles, discs, ellipses and filled ellipses, all from the integer midpoint
// circle walk (an ellipse is the circle of its larger radius squeezed along the other axis).
// Points go through the bound PixelProc and BarProc.
#include "common/round.h"
#include "dib/dib_base.h"
#include "dib/draw_walk.h"

namespace zkw {

namespace {

// False when a shape within `radius` of the centre, plus squares reaching `reach` further
// right and down, cannot touch the image.
bool MayTouch(const TDibBaseObj& dib, int64_t x0, int64_t y0, int64_t radius, int64_t reach) {
  return x0 + radius + reach >= 0 && y0 + radius + reach >= 0 && x0 - radius < dib.FWidth &&
         y0 - radius < dib.FHeight;
}

// Writes one point: a pixel through PixelProc (Side 0) or the square BarProc(x, y, x + Side - 1,
// y + Side - 1); points that cannot touch the image are skipped.
struct TPointWriter {
  TDibBaseObj& Dib;
  uint32_t Color;
  int64_t Side;  // 0: single pixels
  void operator()(int64_t x, int64_t y) const {
    if (Side == 0) {
      if (x >= 0 && y >= 0 && x < Dib.FWidth && y < Dib.FHeight)
        Dib.PixelProc(static_cast<int32_t>(x), static_cast<int32_t>(y), Color);
      return;
    }
    int64_t reach = Side - 1;
    if (x + reach < 0 || y + reach < 0 || x >= Dib.FWidth || y >= Dib.FHeight) return;
    Dib.BarProc(static_cast<int32_t>(x), static_cast<int32_t>(y), Clamp32(x + reach),
                Clamp32(y + reach), Color);
  }
};

// A horizontal span from x1 to x2 (x1 <= x2) on row y through PixelProc, as `Line` draws it.
void PlotSpan(TDibBaseObj& dib, int64_t x1, int64_t x2, int64_t y, uint32_t Color) {
  WalkLine(x1, y, x2, y, TWalkWindow{0, int64_t{dib.FWidth} - 1, 0, int64_t{dib.FHeight} - 1},
           [&](int64_t x, int64_t yy) {
             dib.PixelProc(static_cast<int32_t>(x), static_cast<int32_t>(yy), Color);
           });
}

// Ellipse walk: pair(h, v) for the two points of each step of the larger radius' circle.
template <class Pair>
void EllipseWalk(int32_t rx, int32_t ry, Pair&& pair) {
  if (ry >= rx) {
    double q = static_cast<double>(rx) / ry;
    MidpointWalk(ry, [&](int64_t i, int64_t y) {
      pair(Round(i * q), y);
      pair(Round(y * q), i);
    });
  } else {
    double q = static_cast<double>(ry) / rx;
    MidpointWalk(rx, [&](int64_t i, int64_t y) {
      pair(y, Round(i * q));
      pair(i, Round(y * q));
    });
  }
}

}  // namespace

void TDibBaseObj::Circle(int32_t x0, int32_t y0, int32_t r, int32_t LineWidth, uint32_t Color) {
  if (FHandle == 0 || r < 0) return;  // a negative radius walks no point
  TPointWriter put{*this, Color, LineWidth < 2 ? 0 : int64_t{LineWidth}};
  if (!MayTouch(*this, x0, y0, r, put.Side ? put.Side - 1 : 0)) return;
  int64_t cx = x0, cy = y0;
  MidpointWalk(r, [&](int64_t i, int64_t y) {
    put(cx + i, cy + y);
    put(cx + i, cy - y);
    put(cx - i, cy + y);
    put(cx - i, cy - y);
    put(cx + y, cy + i);
    put(cx + y, cy - i);
    put(cx - y, cy + i);
    put(cx - y, cy - i);
  });
}

void TDibBaseObj::Slice(int32_t x0, int32_t y0, int32_t r, uint32_t Color) {
  if (FHandle == 0 || r < 0 || !MayTouch(*this, x0, y0, r, 0)) return;
  int64_t cx = x0, cy = y0;
  // Four horizontal lines per step; rows are drawn more than once.
  MidpointWalk(r, [&](int64_t i, int64_t y) {
    PlotSpan(*this, cx - i, cx + i, cy + y, Color);
    PlotSpan(*this, cx - i, cx + i, cy - y, Color);
    PlotSpan(*this, cx - y, cx + y, cy + i, Color);
    PlotSpan(*this, cx - y, cx + y, cy - i, Color);
  });
}

void TDibBaseObj::Ellipse(int32_t x0, int32_t y0, int32_t rx, int32_t ry, int32_t LineWidth,
                          uint32_t Color) {
  // Zero radii draw nothing; so do negative ones.
  if (FHandle == 0 || rx <= 0 || ry <= 0) return;
  // Width 1 (or less) plots pixels; any other width plots squares of that side.
  TPointWriter put{*this, Color, LineWidth <= 1 ? 0 : int64_t{LineWidth}};
  if (!MayTouch(*this, x0, y0, std::max(rx, ry), put.Side ? put.Side - 1 : 0)) return;
  int64_t cx = x0, cy = y0;
  EllipseWalk(rx, ry, [&](int64_t h, int64_t v) {
    put(cx + h, cy + v);
    put(cx + h, cy - v);
    put(cx - h, cy + v);
    put(cx - h, cy - v);
  });
}

void TDibBaseObj::FillEllipse(int32_t x0, int32_t y0, int32_t rx, int32_t ry, uint32_t Color) {
  if (FHandle == 0 || rx <= 0 || ry <= 0 || !MayTouch(*this, x0, y0, std::max(rx, ry), 0))
    return;
  int64_t cx = x0, cy = y0;
  // Spans left end first; only their part inside the image is handed on.
  auto span = [&](int64_t x1, int64_t x2, int64_t y) {
    if (y < 0 || y >= FHeight || x2 < 0 || x1 >= FWidth) return;
    BarProc(static_cast<int32_t>(std::max<int64_t>(x1, 0)), static_cast<int32_t>(y),
            static_cast<int32_t>(std::min<int64_t>(x2, FWidth - 1)), static_cast<int32_t>(y),
            Color);
  };
  EllipseWalk(rx, ry, [&](int64_t h, int64_t v) {
    span(cx - h, cx + h, cy + v);
    span(cx - h, cx + h, cy - v);
  });
}

}  // namespace zkw
