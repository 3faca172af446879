// The character object (kind 29): a character file played in the scene. It idles with random
// poses, walks between two bounds, speaks guide sounds with its speaking pose, falls onto floors
// under gravity, and runs the script of a hot region pressed on its figure. "OnStop" (macroOnUser)
// runs when a gesture ends or the boundary stops the character.
#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "player/character/dib_character.h"
#include "player/objects/animate_obj.h"
#include "player/objects/kind_fields.h"

namespace zkw {

// A hot region: a rectangle in the figure's pixels (all four sides inclusive) and its script.
struct THotRegionInfo {
  TSmallRect Rect;
  std::string Script;
};

class TCharacterObj : public TKind<TCharacterObj, TAnimateObj> {
 public:
  static constexpr uint8_t kKind = 29;
  TCharacterObj();
  ~TCharacterObj() override;
  template <class V>
  static void Fields(V& v);

  // A copy takes the settings and loads its own character from the same file.
  void CopyFrom(const TAnimateObj& AObj) override;
  // Pose (83), PoseIndex (87) and AddPose (190) by hand; the rest from the description.
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  void PropertyWritten(int32_t PropID) override;
  void BeforePlay() override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;
  bool PtInObject(int32_t X, int32_t Y) override;
  bool IsSolidAt(int32_t X, int32_t Y) override;
  bool MouseDown(TDibAnimator* AParent, int32_t X, int32_t Y) override;
  void SoundFinished(int32_t ID) override;

  // Loads Path (relative to the scene's CharacterPath); false when it is not a character file.
  bool LoadCharacter();
  // A piece (ox, oy, w, h) of the current frame at (x, y), flipped when fx or fy < 0, blended
  // at Opacity; false when nothing was drawn.
  bool DrawEx(TDibBaseObj* ADib, int32_t x, int32_t y, int32_t ox, int32_t oy, int32_t w,
              int32_t h, int32_t fx, int32_t fy, int32_t Opacity);
  TDibCharacter* Character() const { return FCharacter.get(); }

  // The record, in order.
  std::string FPath, FPose = "RestPose";
  int16_t FBoundary = 0;
  bool FFast = false;
  int16_t FGravity = 0;
  bool FNotReturn = false;
  bool FEnableIdle = false, FEnableGoing = false, FEnableGuide = false;
  std::vector<std::string> FIdleList;
  int16_t FIdleInterval = 0, FLeftBound = 0, FRightBound = 0;
  std::string FGoLeft = "GoLeft", FGoRight = "GoRight", FSpeakingPose = "Speaking";
  int16_t FRepeatTime = 0;
  std::string FGuides;
  int16_t FGuideInterval = 0;
  bool FEnableRegion = false;
  std::vector<THotRegionInfo> FHotRegions;
  // Not stored.
  bool FForcePlay = false;
  int32_t FScale = 100;
  bool FSpeaking = false;
  bool FOnGround = false;

  bool ReadIdleList(TRecordReader& r, int32_t Version);
  void WriteIdleList(TRecordWriter& w) const;
  bool ReadHotRegions(TRecordReader& r, int32_t Version);
  void WriteHotRegions(TRecordWriter& w) const;

 private:
  // Scale, opacity and flips pass to the character; the object takes the figure's size.
  void SyncCharacter();
  bool Rests() const;
  void PlayPose(const std::string& Pose);
  void IdleStep();
  void GuideStep();
  // Collision of the step's move (dx, dy); returns the edges hit and adjusts the move.
  uint8_t CollisionStep(int32_t& dx, int32_t& dy);
  void PushOutOfFloors(int32_t& dx, int32_t& dy);
  TAnimateObj* PixelHit(int32_t dx, int32_t dy);

  std::unique_ptr<TDibCharacter> FCharacter;
  // Notifications of the running step (code, item index), reported after it.
  std::vector<std::pair<int32_t, int32_t>> FNotes;
  int32_t FStepItem = -1;        // the item playing when the step began
  int32_t FIdleCount = 0, FIdleRepeat = 0, FGuideCount = 0;
};
extern template class TKind<TCharacterObj, TAnimateObj>;

}  // namespace zkw
