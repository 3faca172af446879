// The particle emitter (kind 32): every Interval steps copies a random template object to a
// random place in its region, where the copy lives LifeTime steps (fading out at the end when
// Faded) and is then deleted; never more than Maximum live particles.
#pragma once
#include <vector>

#include "player/objects/animate_obj.h"

namespace zkw {

class TParticleObj : public TAnimateObj {
 public:
  TParticleObj();
  ~TParticleObj() override;
  bool ReadFromStream(TRecordReader& r, int32_t Version) override;
  bool Write(TRecordWriter& w) override;
  void CopyFrom(const TAnimateObj& AObj) override;
  TAnimateObj* NewOfSameKind() const override { return new TParticleObj(); }
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  void GetPropsToList(TPropList& List) override;
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
  int16_t FMaximum = 10, FInterval = 10, FLifeTime = 50;
  TSmallRect FRegion{0, 0, 320, 200};
  bool FFaded = false;
  int32_t FCount = 0;
  std::vector<TParticle> FParticles;
};

}  // namespace zkw
