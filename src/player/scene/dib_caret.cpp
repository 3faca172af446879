#include "player/scene/dib_caret.h"

#include "dib/dib_base.h"
#include "player/objects/animate_obj.h"

namespace zkw {

bool TDibCursor::Drawable() const {
  const TDibBaseObj* d = FInfo.dciDib;
  return d && d->Handle() && d->DibData && d->Bits() == 1 && FWidth > 0 && FHeight > 0;
}

void TDibCursor::SetCursor(const TDibCursorInfoRec& AInfo) {
  FInfo = AInfo;
  if (FInfo.dciFrames < 1) FInfo.dciFrames = 1;
  if (FInfo.dciSpeed < 1) FInfo.dciSpeed = 1;
  FCurrentFrame = 0;
  FCount = FInfo.dciSpeed;
  FWidth = FHeight = 0;
  const TDibBaseObj* d = FInfo.dciDib;
  if (d && d->Handle() && d->Bits() == 1) {
    FWidth = d->Width() / FInfo.dciFrames;
    FHeight = d->Height();
  }
  FFromAni = FInfo.dciFromAni;
}

void TDibCursor::DrawOn(TDibBaseObj* ADib) const {
  if (!ADib || !Drawable()) return;
  ADib->DrawPeace(FX - FInfo.dciHotX, FY - FInfo.dciHotY, FInfo.dciDib, FCurrentFrame * FWidth, 0,
                  FWidth, FHeight, 1, 1);
}

void TDibCursor::Action(TDibBaseObj* ADib) {
  if (--FCount <= 0) {
    FCurrentFrame = static_cast<uint16_t>(FCurrentFrame + 1 >= FInfo.dciFrames ? 0 : FCurrentFrame + 1);
    FCount = FInfo.dciSpeed;
  }
  DrawOn(ADib);
}

void TDibCursor::InvalidDib() {
  FInfo.dciDib = nullptr;
  FWidth = FHeight = 0;
}

void TDibCaret::ShowCaret(TAnimateObj* AObj, int32_t AHeight) {
  FShowCaret = true;
  FShow = true;
  FOwner = AObj;
  FHeight = AHeight;
}

void TDibCaret::Draw(TDibBaseObj* ADib) {
  if (FCount-- == 1) {
    FShow = !FShow;
    FCount = FSpeed;
  }
  if (!FOwner || !FShow || !FShowCaret || !ADib) return;
  int32_t x = FOwner->Fx + FX, y = FOwner->Fy + FY;
  if (ADib->Bits() == 1) {
    ADib->LineEx(x, y, x, y + FHeight, 2, 0);
  } else {
    ADib->LineMerge(x, y, x, y + FHeight, 0, 60);
    ADib->LineMerge(x + 1, y, x + 1, y + FHeight, 0, 60);
  }
}

}  // namespace zkw
