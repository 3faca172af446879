// The movie object (kind 12): plays the frames of a film strip while moving in its region.
#pragma once
#include "player/objects/kind_fields.h"
#include "player/objects/moving_obj.h"

namespace zkw {

class TDibMovieObj : public TKind<TDibMovieObj, TMovingObj> {
 public:
  TDibMovieObj();
  template <class V>
  static void Fields(V& v);
  // The old layout plays every frame once round: no loop count, from 1 to MaxFrames.
  bool ReadKindRecord(TRecordReader& r, int32_t Version) override;
  // Frame (130): written without the frame event.
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;
  void BeforePlay() override;
  void SetActive(bool Value) override;
  bool PtInObject(int32_t X, int32_t Y) override;
  bool IsSolidAt(int32_t X, int32_t Y) override;
  bool PlayFrames(int32_t From, int32_t To) override;

  // Sets the current frame; with Event a change runs "OnFrameChange" (code 17).
  void SetFrame(int32_t Value, bool Event);
  // PlayFrom/PlayTo limited to 1..MaxFrames, direction by their order, frame := PlayFrom.
  void Reset();

  uint8_t FOrient = 0;
  bool FReturn = true;
  bool FStopWhenCollided = false;
  int16_t FCount = 1, FDCount = 1, FMaxCount = 1;
  bool FShadow = false;
  int16_t FShadowX = 5, FShadowY = 5;
  int16_t FSpeed = 1, FSpeedCount = 0;
  int16_t FStartFrame = 1, FEndFrame = 1;
  int16_t FLoopCount = 0, FLoop = 0;
  bool FAutoDie = false;

 private:
  void EndMovie();
  // Top-left of the current frame's piece inside the strip.
  void PieceOrigin(int32_t& x, int32_t& y) const;
};
extern template class TKind<TDibMovieObj, TMovingObj>;

}  // namespace zkw
