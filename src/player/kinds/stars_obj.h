// Kind 22: a starfield drawn without image. Stars of NumShades shades drift sideways, the
// brighter ones larger and faster; one star in four twinkles.
#pragma once
#include <cstdint>
#include <vector>

#include "player/objects/animate_obj.h"
#include "player/objects/kind_fields.h"

namespace zkw {

// One star, in coordinates relative to the object's top-left corner.
struct TStar {
  int32_t x = 0, y = 0;
  int32_t size = 1;     // current size (the side of the square drawn)
  int32_t maxSize = 1;  // shade / 2 + 1
  int32_t sizeStep = 0; // +1 / -1 while twinkling, 0 for steady stars
  int32_t shade = 0;    // 0 .. NumShades - 1
  int32_t width = 0, height = 0;  // the area it was born in
};

class TStarsObj : public TKind<TStarsObj, TAnimateObj> {
 public:
  TStarsObj();
  template <class V>
  static void Fields(V& v);
  void BeforePlay() override { FStars.clear(); }
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;

  // The colour of a shade: Color with each channel scaled by (shade + 1) / NumShades.
  uint32_t ShadeColor(int32_t Shade) const;
  // A new star at a random place of the object's area with a random shade.
  TStar NewStar() const;

  int16_t FNumStar = 50;
  int16_t FNumShades = 4;
  uint32_t FColor = 0xFFFFFF;
  int16_t FOrient = 0;  // <= 0: stars drift left; > 0: right
  std::vector<TStar> FStars;

};
extern template class TKind<TStarsObj, TAnimateObj>;

}  // namespace zkw
