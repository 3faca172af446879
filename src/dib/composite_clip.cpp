// Source views and piece clipping of the compositing operations.
#include "dib/composite_clip.h"

#include <cstring>

#include "common/round.h"
#include "dib/dib8.h"

namespace zkw {

bool ViewSource(const TDibBaseObj* Dib, const TDibBaseObj* target, TSourceView& view) {
  if (!HasPixels(Dib)) return false;
  view.Data = Dib->DibData;
  view.Stride = Dib->FDWidth;
  view.Width = Dib->FWidth;
  view.Height = Dib->FHeight;
  view.Bytes = Dib->FBits;
  view.Pal = Dib->FBits == 1 ? Dib->DibPal : nullptr;
  view.Key = Dib->TransparentColor;
  const TDib8Bits* alpha = Dib->AlphaDib;
  if (alpha && alpha->FHandle != 0 && alpha->DibData && alpha->FBits == 1 &&
      alpha->FWidth == Dib->FWidth && alpha->FHeight == Dib->FHeight) {
    view.Alpha = alpha->DibData;
    view.AlphaStride = alpha->FDWidth;
  }
  if (Dib == target) {
    size_t bytes = static_cast<size_t>(view.Stride) * static_cast<size_t>(view.Height);
    view.Copy.assign(view.Data, view.Data + bytes);
    view.Data = view.Copy.data();
  }
  return true;
}

TPieceAxis PieceAxis(int32_t start, int32_t len, int32_t srcSize, int32_t flag) {
  TPieceAxis a;
  a.Start = start;
  a.Len = std::min<int64_t>(len, int64_t{srcSize} - start);
  a.Mirror = flag < 0;
  a.Lo = 0;
  a.Hi = a.Len - 1;
  // Indexes whose source coordinate lies outside the source (a negative start) are dropped.
  if (a.Mirror)
    a.Restrict(a.Start + a.Len - srcSize, a.Start + a.Len - 1);
  else
    a.Restrict(-a.Start, int64_t{srcSize} - 1 - a.Start);
  return a;
}

int32_t ClampRate(int64_t Rate) {
  return static_cast<int32_t>(std::min<int64_t>(std::max<int64_t>(Rate, 0), 100));
}

int32_t Rate256(int32_t rate) {
  return static_cast<int32_t>(std::min<int64_t>(Round(rate * 256 / 100.0), 255));
}

}  // namespace zkw
