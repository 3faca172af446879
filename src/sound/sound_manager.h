// The sound manager: plays wave images on the sound object for owner objects and event IDs,
// polls its buffers for their end and reports starts, ends and forced stops. Every scene has one;
// a process-wide one serves the sound exports, polled by a 100 ms timer.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/plat_types.h"
#include "sound/dx_sound.h"

namespace zkw {

class TAnimateObj;
class TDXSoundManger;

// A secondary buffer started by a manager.
class PlayingSound : public TDXSoundBuffer {
 public:
  using TDXSoundBuffer::TDXSoundBuffer;
  TDXSoundManger* Manager = nullptr;
  TAnimateObj* ObjectID = nullptr;
  int32_t EventID = 0;
  bool SoundReady = false;  // playing was started successfully
  plat::HWND WindowHandle = nullptr;
  bool Looping = false;
};

// wParam of the WM_NOTIFY a window gets when an export-started sound ends (lParam = event ID).
constexpr uintptr_t kSoundEndNotifyCode = 1000;

class TDXSoundManger {
 public:
  using TNotify = std::function<void(TDXSoundManger* Sender, TAnimateObj* Obj, int32_t ID)>;

  // A scene's manager follows the process-wide sound object (bound before every operation); the
  // process-wide manager is bound explicitly.
  explicit TDXSoundManger(bool FollowProcessObject = true) : FFollow(FollowProcessObject) {}
  ~TDXSoundManger();

  // Converts and plays a wave image block for Obj and ID (after stopping Obj's sounds with that
  // ID, all of Obj's sounds when ID is 0, each reported as ended); the buffer or null.
  PlayingSound* Play(plat::HGLOBAL hMem, TAnimateObj* Obj, bool Loop, int32_t ID);
  // The same for a wave image in memory.
  PlayingSound* PlayImage(const void* Image, size_t Size, TAnimateObj* Obj, bool Loop, int32_t ID);
  void Stop(TAnimateObj* Obj, int32_t ID);
  void Stop(TAnimateObj* Obj);
  void StopAll();
  void StopAllWithoutLoop();
  void StopAllWithNotify();
  void SetVolume(TAnimateObj* Obj, int32_t ID, int32_t Volume);
  // Frees the buffers that were started and no longer play, posting or reporting their end.
  void Check();
  // Obj's buffers forget their owner (they play on and end without one).
  void ObjectInvalid(TAnimateObj* Obj);
  // Secondary buffers of this manager.
  int32_t Count();

  TNotify FOnNotify, FOnPlay, FOnForceStop;
  TDXSound* DXSound = nullptr;
  int32_t AutoSetVolume = 0;

 private:
  TDXSound* Sound();
  // This manager's buffers, from the last to the first.
  std::vector<PlayingSound*> Mine();
  bool Alive(PlayingSound* Buffer);
  void Notify(const TNotify& Event, TAnimateObj* Obj, int32_t ID);
  bool FFollow;
};

// The 100 ms poll timer of the process-wide manager: a hidden window with a window timer.
class TSoundPollTimer {
 public:
  TSoundPollTimer();
  ~TSoundPollTimer();
  void SetEnabled(bool Value);
  bool Enabled() const { return FEnabled; }
  uint32_t Interval = 100;
  std::function<void(TSoundPollTimer* Sender)> FOnTimer;

 private:
  void* FWindow = nullptr;
  bool FEnabled = false;
};

// The manager's tick: checks the manager and disables the timer when no secondary buffer is left.
void TimerEvent(TDXSoundManger* Manager, TSoundPollTimer* Sender);

// Process-wide state of the sound exports.
extern TDXSound* ProcessSoundObject;
extern bool ProcessSoundObjectOwned;
extern TDXSoundManger* ProcessSoundManager;
extern TSoundPollTimer* SoundPollTimer;

}  // namespace zkw
