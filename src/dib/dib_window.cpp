#include "dib/dib_window.h"

#include <algorithm>

#include "dib/dib_factory.h"

namespace zkw {

TDibWindow::TDibWindow(TDibBaseObj& Dib, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
  if (Dib.FHandle == 0 || !Dib.DibData) return;
  const int64_t l = std::max<int64_t>(x1, 0), t = std::max<int64_t>(y1, 0);
  const int64_t r = std::min<int64_t>(x2, Dib.FWidth - 1),
                b = std::min<int64_t>(y2, Dib.FHeight - 1);
  if (l > r || t > b) return;
  FView.reset(CreateDibObject(Dib.FBits == 1 ? 8 : 24));
  TDibBaseObj& v = *FView;
  // The view never owns the block: FHandleInvalid keeps its destructor from releasing it.
  v.FHandle = Dib.FHandle;
  v.FHandleInvalid = true;
  v.FLock = true;
  v.FWidth = static_cast<int32_t>(r - l + 1);
  v.FHeight = static_cast<int32_t>(b - t + 1);
  v.FDWidth = Dib.FDWidth;
  v.DibPtr = Dib.DibPtr;
  v.DibPal = Dib.DibPal;
  v.DibData = Dib.PixelAddress(static_cast<int32_t>(l), static_cast<int32_t>(b));
  OX = l;
  OY = t;
}

TDibWindow::~TDibWindow() {
  if (!FView) return;
  FView->FHandle = 0;
  FView->DibData = FView->DibPtr = nullptr;
  FView->DibPal = nullptr;
}

int32_t TDibWindow::X(int64_t x) const {
  return static_cast<int32_t>(std::clamp<int64_t>(x - OX, -1, FView->FWidth));
}
int32_t TDibWindow::Y(int64_t y) const {
  return static_cast<int32_t>(std::clamp<int64_t>(y - OY, -1, FView->FHeight));
}

}  // namespace zkw
