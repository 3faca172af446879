// An animated character: named gestures read from a character file on demand, played on
// command (at once or queued), returned backwards, a resting gesture when nothing else plays,
// movement within a boundary or towards a walking target, and drawing of the current frame.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dib/dib_base.h"
#include "player/character/char_file.h"

namespace zkw {

class TDibCharacter;

// One frame of a gesture.
struct TFrameObj {
  std::unique_ptr<TDibBaseObj> FDib;  // 8-bit (24-bit frames are kept as they are)
  int32_t FDuring = 1;                // action steps the frame stays
  int32_t FDx = 0, FDy = 0;           // movement applied when the frame is left
  int32_t FCount = 0;                 // steps shown so far
  int32_t FIndex = 0;                 // 1-based position in the gesture
};

class TGesture {
 public:
  TGesture(TDibCharacter* Parent, TCharGestureData&& Data, bool CanReturn, std::string Name);
  // Starts from the first frame (or, returning, from the last) and plays the sound.
  void Start(bool Returning);
  // Turns the playing gesture back towards its first frame.
  void BeginReturn();
  // One action step; false when no frame is current any more (the gesture ended).
  bool Action();
  TFrameObj* Drawing() const { return FDrawing >= 0 ? FFrames[static_cast<size_t>(FDrawing)].get() : nullptr; }
  void PlaySound(bool NoStop);
  void ResetCounts();

  TDibCharacter* FParent;
  std::string FName;
  std::vector<std::unique_ptr<TFrameObj>> FFrames;
  int32_t FCurrent = -1;   // frame being timed, -1 none
  int32_t FDrawing = -1;   // frame to draw
  int32_t FOrientation = 1;
  uint8_t FStyle = 0;
  std::shared_ptr<const std::vector<uint8_t>> FSoundBuffer;  // the wave image, null without one
  bool FMustStop = false;
  bool FReturning = false;
  bool FCanReturn = false;
  std::string FPrevGes, FNextGes;
  int32_t FDx = 0, FDy = 0;
  bool FEnableReposition = true;
};

struct TGestureInfo {
  std::string Name;
  int32_t Address = 0;
  bool EnableReturn = false;
};

class TDibCharacter {
 public:
  // Notifications: 1 a gesture ended, 2 a step was made, 3 the boundary (or a walking target)
  // was reached.
  enum : int32_t { ntGestureEnded = 1, ntStep = 2, ntBoundary = 3 };
  // How gesture sounds reach the system player (SND_MEMORY | SND_ASYNC, with SND_NOSTOP when a
  // repeating gesture plays its sound again); a null sound stops the player. Replaceable so
  // hosts and tests can route sounds elsewhere.
  using TSoundPlayer = std::function<bool(const void* Wave, uint32_t Flags)>;
  static TSoundPlayer& SoundPlayer();

  TDibCharacter();
  ~TDibCharacter();
  TDibCharacter(const TDibCharacter&) = delete;
  TDibCharacter& operator=(const TDibCharacter&) = delete;

  // The file stays open (shared reading) while the character lives: gestures load from it on
  // demand. False when it is not a character file; the character is then inactive.
  bool LoadFromFile(const ZChar* Filename);
  bool LoadFromStream(std::unique_ptr<TStream> Stream);
  void Close();
  void DoAction();
  void Play(const std::string& Command, bool Wait);
  void ForcePlay(const std::string& Command);
  void Return();
  void Draw(int32_t x, int32_t y, TDibBaseObj* ADib);
  void DrawOn(TDibBaseObj* ADib) { Draw(FXPos, FYPos, ADib); }
  // A piece (xx, yy, w, h) of the current frame at (x, y), mirrored when dx or dy < 0; false
  // when no frame or nothing of the piece lies inside the frame.
  bool DrawExOn(TDibBaseObj* ADib, int32_t x, int32_t y, int32_t xx, int32_t yy, int32_t w,
                int32_t h, int32_t dx, int32_t dy);
  std::string GetGestureName(int32_t Index) const;
  TGestureInfo GetGestureInfo(int32_t Index) const;
  bool IsRepeating() const;
  // Alpha of the drawn figure at (X, Y) relative to where it is drawn (flips and scale
  // applied); 255 for frames without alpha, 0 outside.
  uint8_t AlphaAt(int32_t X, int32_t Y) const;
  void WalkTo(int32_t X, int32_t Y, int32_t StepY, int32_t StepX);
  void StopWalking() { FWalkTo = false; }
  void MoveTo() {}

  // Properties.
  const TCharFileHeader& Header() const { return FHeader; }
  bool Returnable() const { return FReturnable; }
  void SetReturnable(bool v) { FReturnable = v; }
  bool Playing() const { return FGesture != nullptr; }
  bool Active() const { return FActive; }
  int32_t GestureCount() const { return static_cast<int32_t>(FGestures.size()); }
  const std::string& CurrentCommand() const { return FCurCommand; }
  int32_t CurrentCommandIdx() const { return FCurCommandIdx; }
  int32_t XPos() const { return FXPos; }
  int32_t YPos() const { return FYPos; }
  void SetPos(int32_t x, int32_t y) { FXPos = x; FYPos = y; }
  int32_t Width() const { return ScaledDimension(0); }
  int32_t Height() const { return ScaledDimension(1); }
  int32_t Boundary() const { return FBoundary; }
  void SetBoundary(int32_t v) { FBoundary = v; }
  bool MinimumSpeed() const { return FMinimumSpeed; }
  void SetMinimumSpeed(bool v) { FMinimumSpeed = v; }
  bool JustAction() const { return FJustAction; }
  bool Walking() const { return FWalkTo; }
  int32_t FlipX() const { return FFlipX; }
  int32_t FlipY() const { return FFlipY; }
  void SetFlipX(int32_t v) { FFlipX = v; }
  void SetFlipY(int32_t v) { FFlipY = v; }
  size_t QueueLength() const { return FCommands.size(); }
  // The resting gesture's name ("RestPose" unless the owner names another).
  const std::string& RestPoseName() const { return FRestName; }
  void SetRestPoseName(const std::string& Name) { FRestName = CutCharName(Name); }
  // The frame drawn now (playing gesture, else resting gesture), null before a load.
  TFrameObj* CurrentFrame() const;
  // The wave image last handed to the sound player (kept until another starts or Close).
  const std::vector<uint8_t>* LastSound() const { return FLastSound.get(); }

  std::function<void(int32_t)> OnCharAction;  // the index of the new frame
  std::function<void(int32_t)> OnNotify;      // ntGestureEnded, ntStep, ntBoundary
  int32_t Scale = 100;   // percent; <= 0 or 100 draws unscaled
  int32_t Opacity = 100;
  std::string NextGesture;  // played when the current gesture ends (when it names none)

 private:
  friend class TGesture;
  int32_t ScaledDimension(int axis) const;
  int32_t FindItem(const std::string& Name) const;
  std::unique_ptr<TGesture> LoadGesture(int32_t Item);
  bool StartCommand(const std::string& Command);
  void StartRest();
  bool StartQueued();  // true when a queued command started
  void GestureEnded();
  bool ReturnThroughPrevious();
  void Notify(int32_t Code) { if (OnNotify) OnNotify(Code); }
  // Moves by (dx, dy) unless that crosses the boundary; false when refused.
  bool MoveBy(int32_t dx, int32_t dy);
  void WalkStep();
  void SoundStarted(const std::shared_ptr<const std::vector<uint8_t>>& Sound, bool NoStop);
  TDibBaseObj* ScaledFrame(TFrameObj* Frame) const;

  TCharFileHeader FHeader{};
  std::vector<TGestureItem> FGestures;
  std::unique_ptr<TGesture> FResGesture;
  std::unique_ptr<TGesture> FGesture;
  std::deque<std::string> FCommands;
  std::unique_ptr<TStream> FStream;
  bool FActive = false;
  std::string FCurCommand;
  int32_t FCurCommandIdx = -1;
  bool FReturnable = true;
  std::string FRestName = "RestPose";
  int32_t FXPos = 0, FYPos = 0;
  int32_t FStepX = 0, FStepY = 0;
  int32_t FWalkX = 0, FWalkY = 0;
  int32_t FBoundary = 0;
  bool FWalkTo = false;
  bool FMinimumSpeed = false;
  bool FJustAction = false;
  int32_t FFlipX = 1, FFlipY = 1;
  std::shared_ptr<const std::vector<uint8_t>> FLastSound;
  // Scaled copy of the last frame drawn scaled, reused while frame and scale stay.
  mutable std::unique_ptr<TDibBaseObj> FScaled;
  mutable const TFrameObj* FScaledFrom = nullptr;
  mutable int32_t FScaledRate = 0;
};

}  // namespace zkw
