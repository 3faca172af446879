// The character: loading, commands, the gesture and character steps, movement and drawing.
#include "player/character/dib_character.h"

#include <algorithm>
#include <cstdlib>

#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/transform_ops.h"
#include "platform/plat_sound.h"

namespace zkw {

namespace {
// The wave image the system player was last given by any character: Close stops the player
// only when that is still its own.
const void* gPlayerSound = nullptr;
}  // namespace

TDibCharacter::TSoundPlayer& TDibCharacter::SoundPlayer() {
  static TSoundPlayer player = [](const void* wave, uint32_t flags) {
    return plat::PlaySoundW(static_cast<plat::LPCWSTR>(wave), nullptr, flags) != 0;
  };
  return player;
}

// --- TGesture ----------------------------------------------------------------------------------

TGesture::TGesture(TDibCharacter* Parent, TCharGestureData&& Data, bool CanReturn, std::string Name)
    : FParent(Parent), FName(std::move(Name)), FStyle(Data.Style), FCanReturn(CanReturn),
      FPrevGes(Data.PrevGes), FNextGes(Data.NextGes) {
  int32_t index = 0;
  for (TCharFrameData& data : Data.Frames) {
    auto frame = std::make_unique<TFrameObj>();
    frame->FDib = std::move(data.Dib);
    frame->FDuring = data.During;
    frame->FDx = data.Dx;
    frame->FDy = data.Dy;
    frame->FIndex = ++index;
    FFrames.push_back(std::move(frame));
  }
  if (!Data.Sound.empty())
    FSoundBuffer = std::make_shared<const std::vector<uint8_t>>(std::move(Data.Sound));
}

void TGesture::ResetCounts() {
  for (auto& frame : FFrames) frame->FCount = 0;
}

void TGesture::Start(bool Returning) {
  ResetCounts();
  FReturning = Returning;
  FOrientation = Returning ? -1 : 1;
  FCurrent = Returning ? static_cast<int32_t>(FFrames.size()) - 1 : 0;
  FDrawing = FCurrent;
  FDx = FDy = 0;
  FMustStop = Returning;
  FEnableReposition = true;
  PlaySound(false);
}

void TGesture::BeginReturn() {
  ResetCounts();
  FReturning = true;
  FMustStop = true;
  FOrientation = -1;
  if (FCurrent < 0) FCurrent = FDrawing >= 0 ? FDrawing : static_cast<int32_t>(FFrames.size()) - 1;
}

void TGesture::PlaySound(bool NoStop) {
  if (FSoundBuffer) FParent->SoundStarted(FSoundBuffer, NoStop);
}

bool TGesture::Action() {
  if (FCurrent < 0) return false;
  FDrawing = FCurrent;
  TFrameObj& frame = *FFrames[static_cast<size_t>(FCurrent)];
  ++frame.FCount;
  FDx = FDy = 0;
  if (frame.FCount < frame.FDuring && !FParent->FMinimumSpeed) return true;
  FDx = FOrientation < 0 ? -frame.FDx : frame.FDx;
  FDy = FOrientation < 0 ? -frame.FDy : frame.FDy;
  const int32_t last = static_cast<int32_t>(FFrames.size()) - 1;
  int32_t next = FCurrent + FOrientation;
  if (next < 0 || next > last) {
    if ((FStyle == 1 || FStyle == 2) && !FMustStop) {
      ResetCounts();
      if (FStyle == 1) {
        FOrientation = -FOrientation;
        next = std::clamp(FCurrent + FOrientation, 0, last);
      } else {
        next = FOrientation > 0 ? 0 : last;
      }
      PlaySound(true);
    } else {
      next = -1;
    }
  }
  FCurrent = next;
  if (FCurrent >= 0 && FParent->OnCharAction)
    FParent->OnCharAction(FFrames[static_cast<size_t>(FCurrent)]->FIndex);
  return FCurrent >= 0;
}

// --- TDibCharacter: file and gestures ----------------------------------------------------------

TDibCharacter::TDibCharacter() = default;

TDibCharacter::~TDibCharacter() { Close(); }

void TDibCharacter::SoundStarted(const std::shared_ptr<const std::vector<uint8_t>>& Sound,
                                 bool NoStop) {
  uint32_t flags = plat::SND_MEMORY | plat::SND_ASYNC | (NoStop ? plat::SND_NOSTOP : 0);
  const bool started = SoundPlayer()(Sound->data(), flags);
  // A repeat refused because the sound still plays keeps the block that plays.
  if (!started && NoStop) return;
  FLastSound = Sound;
  gPlayerSound = Sound->data();
}

void TDibCharacter::Close() {
  FActive = false;
  FGesture.reset();
  FResGesture.reset();
  FCommands.clear();
  FGestures.clear();
  FStream.reset();
  FCurCommand.clear();
  FCurCommandIdx = -1;
  FWalkTo = false;
  FScaled.reset();
  FScaledFrom = nullptr;
  if (FLastSound && gPlayerSound == FLastSound->data()) {
    SoundPlayer()(nullptr, 0);
    gPlayerSound = nullptr;
  }
  FLastSound.reset();
}

bool TDibCharacter::LoadFromFile(const ZChar* Filename) {
  FActive = false;
  auto file = std::make_unique<TFileStream>(Filename, FileMode::fmOpenRead);
  if (!file->IsOpen()) return false;
  return LoadFromStream(std::move(file));
}

bool TDibCharacter::LoadFromStream(std::unique_ptr<TStream> stream) {
  Close();
  TCharFileHeader header;
  std::vector<TGestureItem> items;
  if (!ReadCharHeader(stream.get(), header, items)) return false;
  FHeader = header;
  FGestures = std::move(items);
  FStream = std::move(stream);
  const int32_t rest = FindItem(FRestName);
  if (rest >= 0) {
    FResGesture = LoadGesture(rest);
    if (FResGesture) {
      FCurCommand = FRestName;
      FCurCommandIdx = rest;
      FResGesture->Start(false);
      FResGesture->Action();
    }
  }
  FActive = true;
  return true;
}

int32_t TDibCharacter::FindItem(const std::string& Name) const {
  for (size_t i = 0; i < FGestures.size(); ++i)
    if (SameCharName(CharName(FGestures[i].giName), Name)) return static_cast<int32_t>(i);
  return -1;
}

std::unique_ptr<TGesture> TDibCharacter::LoadGesture(int32_t Item) {
  if (!FStream || Item < 0 || Item >= GestureCount()) return nullptr;
  const TGestureItem& item = FGestures[static_cast<size_t>(Item)];
  TCharGestureData data;
  if (!ReadCharGesture(FStream.get(), item.giAddress, data)) return nullptr;
  return std::make_unique<TGesture>(this, std::move(data), item.giEnableReturn != 0,
                                    CharName(item.giName));
}

std::string TDibCharacter::GetGestureName(int32_t Index) const {
  if (Index < 0 || Index >= GestureCount()) return {};
  return CharName(FGestures[static_cast<size_t>(Index)].giName);
}

TGestureInfo TDibCharacter::GetGestureInfo(int32_t Index) const {
  TGestureInfo info;
  if (Index < 0 || Index >= GestureCount()) return info;
  const TGestureItem& item = FGestures[static_cast<size_t>(Index)];
  info.Name = CharName(item.giName);
  info.Address = item.giAddress;
  info.EnableReturn = item.giEnableReturn != 0;
  return info;
}

bool TDibCharacter::IsRepeating() const {
  return FGesture && (FGesture->FStyle == 1 || FGesture->FStyle == 2);
}

TFrameObj* TDibCharacter::CurrentFrame() const {
  if (FGesture && FGesture->Drawing()) return FGesture->Drawing();
  return FResGesture ? FResGesture->Drawing() : nullptr;
}

int32_t TDibCharacter::ScaledDimension(int axis) const {
  const int64_t d = FHeader.cfhDimension[axis];
  if (Scale <= 0 || Scale == 100) return static_cast<int32_t>(d);
  // d * Scale / 100 rounded half to even.
  const int64_t product = d * Scale, whole = product / 100, rest = product % 100;
  return static_cast<int32_t>(rest > 50 || (rest == 50 && (whole & 1)) ? whole + 1 : whole);
}

// --- commands ----------------------------------------------------------------------------------

void TDibCharacter::StartRest() {
  FGesture.reset();
  FCurCommand = FRestName;
  FCurCommandIdx = FindItem(FRestName);
  if (FResGesture) FResGesture->Start(false);
}

// Loads the gesture for Command, or the previous gesture it names (repeatedly), stopping at a
// gesture already visited so that a looping chain ends. False when nothing could be loaded; then
// nothing has changed.
bool TDibCharacter::StartCommand(const std::string& Command) {
  const std::string name = CutCharName(Command);
  if (SameCharName(name, FRestName)) {
    StartRest();
    return true;
  }
  int32_t item = FindItem(name);
  if (item < 0) return false;
  std::vector<int32_t> visited{item};
  std::unique_ptr<TGesture> gesture = LoadGesture(item);
  if (!gesture) return false;
  std::string follow;  // the gesture commanded, played after its previous ones
  while (!gesture->FPrevGes.empty() && !SameCharName(gesture->FPrevGes, FCurCommand)) {
    const int32_t prev = FindItem(gesture->FPrevGes);
    if (prev < 0 || std::find(visited.begin(), visited.end(), prev) != visited.end()) break;
    std::unique_ptr<TGesture> before = LoadGesture(prev);
    if (!before) break;
    visited.push_back(prev);
    if (follow.empty()) follow = gesture->FName;
    gesture = std::move(before);
    item = prev;
  }
  if (!follow.empty() && gesture->FNextGes.empty()) NextGesture = follow;
  FGesture = std::move(gesture);
  FCurCommand = FGesture->FName;
  FCurCommandIdx = item;
  FGesture->Start(false);
  FActive = true;
  return true;
}

bool TDibCharacter::StartQueued() {
  // Commands queued in front of a queued rest pose are skipped; others play in order.
  auto rest = std::find_if(FCommands.begin(), FCommands.end(),
                           [&](const std::string& c) { return SameCharName(c, FRestName); });
  if (rest != FCommands.end()) FCommands.erase(FCommands.begin(), rest);
  while (!FCommands.empty()) {
    const std::string command = FCommands.front();
    FCommands.pop_front();
    if (StartCommand(command)) return true;
  }
  return false;
}

void TDibCharacter::Play(const std::string& Command, bool Wait) {
  const std::string name = CutCharName(Command);
  if (!FActive || SameCharName(name, FCurCommand)) return;
  if (Wait) {
    FCommands.push_back(name);
    if (!FGesture) StartQueued();
    return;
  }
  if (FGesture && FGesture->FCanReturn && FReturnable) {
    FCommands.clear();
    FGesture->BeginReturn();  // marks it to stop; the command follows the return
    FCommands.push_back(name);
    return;
  }
  // A command whose gesture does not load changes nothing, the queue included.
  if (StartCommand(name)) FCommands.clear();
}

void TDibCharacter::ForcePlay(const std::string& Command) {
  if (!FActive || SameCharName(CutCharName(Command), FCurCommand)) return;
  StartCommand(Command);
}

void TDibCharacter::Return() {
  if (!FGesture) return;
  if (FGesture->FCanReturn) {
    FGesture->BeginReturn();
  } else {
    StartRest();
  }
}

// After a returning gesture reached its start: the previous gesture it names plays backwards
// from its end (a chain stops at a name already returned through).
bool TDibCharacter::ReturnThroughPrevious() {
  if (!FGesture || FGesture->FPrevGes.empty()) return false;
  const int32_t prev = FindItem(FGesture->FPrevGes);
  if (prev < 0 || prev == FCurCommandIdx) return false;
  std::unique_ptr<TGesture> before = LoadGesture(prev);
  if (!before || !before->FCanReturn) return false;
  FGesture = std::move(before);
  FCurCommand = FGesture->FName;
  FCurCommandIdx = prev;
  FGesture->Start(true);
  FGesture->FPrevGes.clear();  // one step back per return keeps a looping chain finite
  return true;
}

void TDibCharacter::GestureEnded() {
  const bool returning = FGesture->FReturning;
  const bool canReturn = FGesture->FCanReturn;
  if (!returning) Notify(ntGestureEnded);
  if (!FGesture) return;  // the notification may have changed what plays
  if (!FCommands.empty() && StartQueued()) return;
  if (returning && ReturnThroughPrevious()) return;
  if (returning || !canReturn) {
    std::string next = FGesture->FNextGes.empty() ? NextGesture : FGesture->FNextGes;
    NextGesture.clear();
    FGesture.reset();
    if (!next.empty() && StartCommand(next)) return;
  } else {
    FGesture->BeginReturn();
    if (FGesture->FCurrent >= 0) return;
  }
  StartRest();
}

// --- steps and movement ------------------------------------------------------------------------

bool TDibCharacter::MoveBy(int32_t dx, int32_t dy) {
  const int64_t x = FXPos, nx = x + dx;
  if ((x <= FBoundary && nx > FBoundary) || (x >= FBoundary && nx < FBoundary)) {
    FWalkTo = false;
    if (FGesture) FGesture->FEnableReposition = false;
    StartRest();
    Notify(ntBoundary);
    return false;
  }
  FXPos = static_cast<int32_t>(nx);
  FYPos = static_cast<int32_t>(int64_t{FYPos} + dy);
  return true;
}

void TDibCharacter::WalkTo(int32_t X, int32_t Y, int32_t StepY, int32_t StepX) {
  FWalkX = X;
  FWalkY = Y;
  FStepX = std::abs(StepX);
  FStepY = std::abs(StepY);
  FWalkTo = true;
}

// One walking step towards the target without passing it; arriving counts as the boundary.
void TDibCharacter::WalkStep() {
  auto towards = [](int32_t from, int32_t to, int32_t step) {
    const int64_t gap = int64_t{to} - from;
    return static_cast<int32_t>(std::clamp<int64_t>(gap, -int64_t{step}, step));
  };
  const int32_t dx = towards(FXPos, FWalkX, FStepX), dy = towards(FYPos, FWalkY, FStepY);
  if ((dx || dy) && !MoveBy(dx, dy)) return;
  if (FXPos == FWalkX && FYPos == FWalkY) {
    FWalkTo = false;
    StartRest();
    Notify(ntBoundary);
  } else if (!dx && !dy) {
    FWalkTo = false;  // zero steps never arrive
  }
}

void TDibCharacter::DoAction() {
  if (!FActive) return;
  FJustAction = true;
  if (FWalkTo) WalkStep();
  if (!FGesture) {
    if (FResGesture && !FResGesture->Action()) FResGesture->Start(false);
    return;
  }
  if (FGesture->FEnableReposition && (FGesture->FDx || FGesture->FDy) &&
      !MoveBy(FGesture->FDx, FGesture->FDy))
    return;
  Notify(ntStep);
  if (!FGesture) return;
  if (!FGesture->Action()) GestureEnded();
}

// --- drawing -----------------------------------------------------------------------------------

TDibBaseObj* TDibCharacter::ScaledFrame(TFrameObj* Frame) const {
  if (FScaledFrom != Frame || FScaledRate != Scale) {
    FScaled.reset(GetScaledCopy(Scale, Scale, Frame->FDib.get()));
    FScaledFrom = Frame;
    FScaledRate = Scale;
  }
  return FScaled.get();
}

void TDibCharacter::Draw(int32_t x, int32_t y, TDibBaseObj* ADib) {
  TFrameObj* frame = CurrentFrame();
  if (!ADib || !frame || !frame->FDib) return;
  TDibBaseObj* dib = frame->FDib.get();
  const uint16_t rate = static_cast<uint16_t>(std::clamp(Opacity, 0, 100));
  if (Scale <= 0 || Scale == 100) {
    ADib->DrawMerge(x, y, dib, 0, 0, dib->Width(), dib->Height(), FFlipX, FFlipY, rate);
    return;
  }
  // Scaled frames are limited like scaled copies: no side beyond the largest figure.
  const int64_t w = (int64_t{dib->Width()} * Scale + 50) / 100, h = (int64_t{dib->Height()} * Scale + 50) / 100;
  if (w < 1 || h < 1 || w > kCharMaxDimension || h > kCharMaxDimension) return;
  // 8-bit frames scale straight onto the target; 24-bit frames and mirrored ones go through a
  // scaled copy made by the same rules, so both depths look alike.
  if (FFlipX >= 0 && FFlipY >= 0 && dib->Bits() == 1) {
    ADib->ScaleEx(x, y, Scale, Scale, dib, 0, 0, dib->Width(), dib->Height(), rate);
    return;
  }
  if (TDibBaseObj* scaled = ScaledFrame(frame))
    ADib->DrawMerge(x, y, scaled, 0, 0, scaled->Width(), scaled->Height(), FFlipX, FFlipY, rate);
}

bool TDibCharacter::DrawExOn(TDibBaseObj* ADib, int32_t x, int32_t y, int32_t xx, int32_t yy,
                             int32_t w, int32_t h, int32_t dx, int32_t dy) {
  TFrameObj* frame = CurrentFrame();
  if (!ADib || !frame || !frame->FDib) return false;
  TDibBaseObj* dib = frame->FDib.get();
  // The piece is clipped to the frame; the target clips the rest.
  const int32_t x0 = std::max(xx, 0), y0 = std::max(yy, 0);
  const int64_t x1 = std::min<int64_t>(int64_t{xx} + w, dib->Width());
  const int64_t y1 = std::min<int64_t>(int64_t{yy} + h, dib->Height());
  if (x1 <= x0 || y1 <= y0) return false;
  ADib->DrawMerge(x + (x0 - xx), y + (y0 - yy), dib, x0, y0, static_cast<int32_t>(x1 - x0),
                  static_cast<int32_t>(y1 - y0), dx, dy,
                  static_cast<uint16_t>(std::clamp(Opacity, 0, 100)));
  return true;
}

uint8_t TDibCharacter::AlphaAt(int32_t X, int32_t Y) const {
  TFrameObj* frame = CurrentFrame();
  if (!frame || !frame->FDib) return 0;
  TDibBaseObj* dib = frame->FDib.get();
  int64_t sx = X, sy = Y;
  if (Scale > 0 && Scale != 100) {
    sx = sx * 100 / Scale;
    sy = sy * 100 / Scale;
  }
  if (X < 0 || Y < 0 || sx >= dib->Width() || sy >= dib->Height()) return 0;
  if (FFlipX < 0) sx = dib->Width() - 1 - sx;
  if (FFlipY < 0) sy = dib->Height() - 1 - sy;
  if (!dib->AlphaDib) return 255;
  return *dib->AlphaDib->PixelAddress(static_cast<int32_t>(sx), static_cast<int32_t>(sy));
}

}  // namespace zkw
