// The path mover (kind 42): moves other objects, named in its list, along a path of up to 1025
// points, or uses the path as a curve of y over x (or x over y) for them.
#pragma once
#include <array>
#include <map>
#include <vector>

#include "player/objects/animate_obj.h"

namespace zkw {

struct TPathObjectSource {
  std::string Name;
  uint8_t PosStyle = 0, PathStyle = 0, HAlign = 0, VAlign = 0;
};

class TPathMover : public TAnimateObj {
 public:
  static constexpr int32_t kPoints = 1025;
  TPathMover();
  ~TPathMover() override;
  bool ReadFromStream(TRecordReader& r, int32_t Version) override;
  bool Write(TRecordWriter& w) override;
  void CopyFrom(const TAnimateObj& AObj) override;
  TAnimateObj* NewOfSameKind() const override { return new TPathMover(); }
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  void GetPropsToList(TPropList& List) override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override { (void)ADib; }
  void BeforePlay() override;

  // An object taken at play start: where it started, its index on the path and its step.
  struct TTaken {
    TAnimateObj* Obj;
    const TPathObjectSource* Source;
    int32_t StartX, StartY;
    int32_t Index, Step;
  };
  // Forgets a freed object (its OnDeleted notification).
  void Forget(TAnimateObj* Obj);

  std::vector<TPathObjectSource> FObjects;
  std::array<std::pair<int32_t, int32_t>, kPoints> FPath{};
  int16_t FMaximum = 0;
  bool FReturn = false;
  int16_t FSpeed = 1, FSpeedCount = 0;
  int32_t FItemIndex = 0;
  std::vector<TTaken> FTaken;
  // Lookups of path styles 1 and 2: ascending x (or y) of points 0 .. Maximum-1 -> point index.
  std::map<int32_t, int32_t> FByX, FByY;

 private:
  void Place(TTaken& t);
  void BuildLookups();
};

}  // namespace zkw
