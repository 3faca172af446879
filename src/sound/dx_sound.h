// The sound object: a thin wrapper of the platform's sound device bound to a window. Its buffer
// list holds the primary buffer at index 0 and one secondary buffer per loaded sound from 1.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/plat_sound.h"

namespace zkw {

class TDXSound;

// A buffer of the sound object (the primary buffer, or a secondary one holding a PCM wave).
class TDXSoundBuffer {
 public:
  explicit TDXSoundBuffer(TDXSound* AOwner) : FOwner(AOwner) {}
  virtual ~TDXSoundBuffer() = default;
  // Loads a PCM wave image (RIFF, "fmt ", "data") into a new secondary buffer of the device;
  // false when it is no PCM wave or the device refuses it.
  bool LoadFromMemory(const void* Image, size_t Size);
  bool Play(bool Loop);
  void Stop();
  bool Playing() const;
  // Hundredths of a decibel: 0 full volume, negative quieter.
  void SetVolume(int32_t Value);
  int32_t GetVolume() const;
  uint32_t Position() const;
  TDXSound* Owner() const { return FOwner; }

 private:
  friend class TDXSound;
  TDXSound* FOwner;
  std::unique_ptr<plat::SoundBuffer> FOwnBuffer;
  plat::SoundBuffer* FBuffer = nullptr;  // FOwnBuffer, or the device's primary buffer
};

// The sound device wrapper. One exists for the whole library (see sound_manager.h).
class TDXSound {
 public:
  TDXSound() = default;
  ~TDXSound();
  TDXSound(const TDXSound&) = delete;
  TDXSound& operator=(const TDXSound&) = delete;

  // Creates the device for the window and its primary buffer; true when initialised.
  bool Initialize(plat::HWND Window);
  // Frees every buffer and the device.
  void Finalize();
  bool Initialized() const { return FDevice != nullptr; }
  plat::HWND Window() const { return FWindow; }

  // Buffers: 0 the primary buffer, 1.. the secondary buffers in the order they were added.
  int32_t Count() const { return static_cast<int32_t>(FBuffers.size()); }
  TDXSoundBuffer* Buffer(int32_t Index) const;
  // Takes a new secondary buffer (not yet loaded) into the list and returns it.
  TDXSoundBuffer* Add(std::unique_ptr<TDXSoundBuffer> Buffer);
  // Frees a secondary buffer (stopping it first).
  void FreeBuffer(TDXSoundBuffer* Buffer);
  plat::SoundDevice* Device() const { return FDevice.get(); }

 private:
  plat::HWND FWindow = nullptr;
  std::unique_ptr<plat::SoundDevice> FDevice;
  std::vector<std::unique_ptr<TDXSoundBuffer>> FBuffers;
};

}  // namespace zkw
