// The path mover (kind 42): moves other objects, named in its list, along a path of up to 1025
// points, or uses the path as a curve of y over x (or x over y) for them.
#pragma once
#include <array>
#include <map>
#include <vector>

#include "player/objects/animate_obj.h"
#include "player/objects/kind_fields.h"

namespace zkw {

struct TPathObjectSource {
  std::string Name;
  uint8_t PosStyle = 0, PathStyle = 0, HAlign = 0, VAlign = 0;
};

class TPathMover : public TKind<TPathMover, TAnimateObj> {
 public:
  static constexpr int32_t kPoints = 1025;
  TPathMover();
  ~TPathMover() override;
  template <class V>
  static void Fields(V& v);
  // Maximum (90) rebuilds the look-ups; ItemIndex (165) and the point's XPos, YPos (5, 6).
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
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
  // The moved objects (int16 count; each a name record and four style bytes) and the path.
  bool ReadObjects(TRecordReader& r, int32_t Version);
  void WriteObjects(TRecordWriter& w) const;
  bool ReadPath(TRecordReader& r, int32_t Version);
  void WritePath(TRecordWriter& w) const;
  void Place(TTaken& t);
  void BuildLookups();
};
extern template class TKind<TPathMover, TAnimateObj>;

}  // namespace zkw
