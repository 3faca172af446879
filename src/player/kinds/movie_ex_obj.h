// The item-driven movie (kind 26): an explicit list of items, each a frame of the strip shown
// for a number of action steps at a position (absolute with Located, moves with RelativePos).
#pragma once
#include <vector>

#include "player/objects/kind_fields.h"
#include "player/objects/moving_obj.h"

namespace zkw {

struct TFrameItem {
  int16_t Frame = 1;
  int16_t Interval = 1;
  int32_t X = 0, Y = 0;
  int32_t Dx = 0, Dy = 0;  // to the next item's position (computed)
};

class TDibMovieExObj : public TKind<TDibMovieExObj, TMovingObj> {
 public:
  TDibMovieExObj();
  template <class V>
  static void Fields(V& v);
  // The old layout plays every item once: from 1 to the item count, no loop count.
  bool ReadKindRecord(TRecordReader& r, int32_t Version) override;
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  // Writing Frame (130) redraws the scene.
  void PropertyWritten(int32_t PropID) override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;
  void BeforePlay() override;
  void SetActive(bool Value) override;
  bool PlayFrames(int32_t From, int32_t To) override;

  // Item range limited to 1..item count, direction by its order, first item next.
  void Reset();
  // The position of item Index (1-based); false outside the items.
  bool PosOfFrame(int32_t Index, int32_t& X, int32_t& Y) const;
  // Moves every item position by (Dx, Dy).
  void ShiftFramePos(int32_t Dx, int32_t Dy);
  void ComputeDeltas();

  uint8_t FOrient = 0;
  bool FReturn = false;
  int16_t FMaxFrames = 1;
  std::vector<TFrameItem> FItems;
  bool FLocated = true, FRelativePos = false;
  int16_t FPlayFrom = 1, FPlayTo = 1, FLoopCount = 0;
  bool FAutoDie = false;
  int32_t FIndex = 1, FStep = 1, FLoop = 1, FWait = 0;
  int16_t FFrame = 1;

 private:
  // The item count stands in the middle of the record, the items at its end.
  bool ReadItemCount(TRecordReader& r, int32_t Version);
  void WriteItemCount(TRecordWriter& w) const;
  bool ReadItems(TRecordReader& r, int32_t Version);
  void WriteItems(TRecordWriter& w) const;
  void EndMovie();
  int16_t FReadCount = 0;  // the item count read, until the items follow
};
extern template class TKind<TDibMovieExObj, TMovingObj>;

}  // namespace zkw
