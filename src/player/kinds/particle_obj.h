// The particle emitter (kind 32): every Interval steps copies a random template object to a
// random place in its region, where the copy lives LifeTime steps (fading out at the end when
// Faded) and is then deleted; never more than Maximum live particles.
#pragma once
#include <vector>

#include "player/objects/animate_obj.h"
#include "player/objects/kind_fields.h"

namespace zkw {

class TParticleObj : public TKind<TParticleObj, TAnimateObj> {
 public:
  TParticleObj();
  template <class V>
  static void Fields(V& v);
  // Live particles (169) by hand.
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  ~TParticleObj() override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override { (void)ADib; }
  void BeforePlay() override;
  void ShiftBy(int32_t dx, int32_t dy) override;

  struct TParticle {
    TAnimateObj* Obj;
    int32_t Life;
  };
  // Forgets a particle that was freed by someone else.
  void Forget(TAnimateObj* Obj);

  std::vector<std::string> FObjNames;
  bool ReadNames(TRecordReader& r, int32_t Version);
  void WriteNames(TRecordWriter& w) const;
  int16_t FMaximum = 10, FInterval = 10, FLifeTime = 50;
  TSmallRect FRegion{0, 0, 320, 200};
  bool FFaded = false;
  int32_t FCount = 0;
  std::vector<TParticle> FParticles;
};
extern template class TKind<TParticleObj, TAnimateObj>;

}  // namespace zkw
