// A window onto a rectangle of an image: a second image object of the same depth over the
// same pixels, covering the rectangle clipped to the image, so that every shape drawn through
// it changes only pixels inside the rectangle. Coordinates of the outer image are moved by
// (-OX, -OY) to reach the window.
#pragma once
#include <cstdint>
#include <memory>

#include "dib/dib_base.h"

namespace zkw {

class TDibWindow {
 public:
  // The inclusive rectangle (x1, y1)-(x2, y2) of Dib; empty when it misses the image.
  TDibWindow(TDibBaseObj& Dib, int64_t x1, int64_t y1, int64_t x2, int64_t y2);
  ~TDibWindow();
  TDibWindow(const TDibWindow&) = delete;
  TDibWindow& operator=(const TDibWindow&) = delete;

  bool Empty() const { return !FView; }
  TDibBaseObj& View() { return *FView; }
  // The window in outer coordinates (inclusive).
  int64_t Left() const { return OX; }
  int64_t Top() const { return OY; }
  int64_t Right() const { return OX + FView->FWidth - 1; }
  int64_t Bottom() const { return OY + FView->FHeight - 1; }
  // An outer x or y as a window coordinate, kept within -1 .. size so that shapes far outside
  // stay outside without overflowing 32 bits.
  int32_t X(int64_t x) const;
  int32_t Y(int64_t y) const;

  int64_t OX = 0, OY = 0;

 private:
  std::unique_ptr<TDibBaseObj> FView;
};

}  // namespace zkw
