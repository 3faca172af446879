#include "player/kinds/stars_obj.h"

#include <algorithm>

#include "dib/dib_base.h"
#include "player/kinds/kinds_common.h"
#include "player/scene/dib_animator.h"

namespace zkw {

TStarsObj::TStarsObj() {
  FStyle = 22;
  FID = -1;
}

template <class V>
void TStarsObj::Fields(V& v) {
  using namespace fields;
  v(&Self::FNumStar, I16("NumStar"));
  v(&Self::FNumShades, I16("NumShades"));
  v(&Self::FColor, U32("Color").Prop(136));
  v(&Self::FOrient, I16("Orient"));
}
template class TKind<TStarsObj, TAnimateObj>;

uint32_t TStarsObj::ShadeColor(int32_t Shade) const {
  const uint32_t n = static_cast<uint32_t>(std::max<int16_t>(FNumShades, 1));
  const uint32_t k = static_cast<uint32_t>(std::clamp<int32_t>(Shade + 1, 1, static_cast<int32_t>(n)));
  uint32_t r = (FColor & 0xFF) * k / n, g = ((FColor >> 8) & 0xFF) * k / n, b = ((FColor >> 16) & 0xFF) * k / n;
  return r | (g << 8) | (b << 16);
}

TStar TStarsObj::NewStar() const {
  TStar s;
  s.width = std::max<int32_t>(FWidth, 0);
  s.height = std::max<int32_t>(FHeight, 0);
  s.x = AniRandomBelow(s.width);
  s.y = AniRandomBelow(s.height);
  s.shade = AniRandomBelow(std::max<int16_t>(FNumShades, 1));
  s.maxSize = s.shade / 2 + 1;
  s.size = s.maxSize;
  bool twinkles = AniRandomBelow(4) == 0 && s.maxSize >= 2;
  s.sizeStep = twinkles ? -1 : 0;
  return s;
}

void TStarsObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  if (!FEnabled || !FActive) return;
  FParentSetPos = false;
  size_t want = static_cast<size_t>(std::max<int16_t>(FNumStar, 0));
  if (FStars.size() > want) FStars.resize(want);
  const int32_t dir = FOrient <= 0 ? -1 : 1;
  for (TStar& s : FStars) {
    s.x += dir * (s.shade / 2 + 1);
    if (s.x < 0 || s.x >= FWidth || s.y >= FHeight) {
      s = NewStar();
      continue;
    }
    if (s.sizeStep != 0) {
      s.size += s.sizeStep;
      if (s.size >= s.maxSize) {
        s.size = s.maxSize;
        s.sizeStep = -1;
      } else if (s.size <= 1) {
        s.size = 1;
        s.sizeStep = 1;
      }
    }
  }
  while (FStars.size() < want) FStars.push_back(NewStar());
  if (FParent) FParent->NeedDrawNow = true;
}

void TStarsObj::Draw(TDibBaseObj* ADib) {
  if (IsFarAway(this) || !FEnabled || !ADib || FWidth <= 0 || FHeight <= 0) return;
  const int32_t right = Fx + FWidth - 1, bottom = Fy + FHeight - 1;
  for (const TStar& s : FStars) {
    int32_t left = Fx + s.x, top = Fy + s.y;
    // Squares of the star's size, cut at the object's area.
    ADib->Bar(left, top, std::min(left + s.size - 1, right), std::min(top + s.size - 1, bottom),
              ShadeColor(s.shade));
  }
}

}  // namespace zkw
