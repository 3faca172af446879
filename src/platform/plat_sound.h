// The sound device service: a device bound to a window with its primary buffer, and secondary
// buffers that each hold one PCM wave and play it once or looping, stop, report whether they
// play, take a volume and tell their play position. DirectSound (loaded at run time from
// DSound.dll) on Windows; on Linux a null device that plays silently in real time on the
// platform clock (GetTickCount, so a manual clock moves it), or SDL2 audio output for an
// interactive player. Also the system's simple sound player (PlaySoundW from memory).
#pragma once
#include <cstdint>
#include <memory>

#include "platform/plat.h"

namespace plat {

#pragma pack(push, 1)
// The wave format record of wave files and of the sound services (18 bytes, packed).
struct WAVEFORMATEX {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
  WORD wBitsPerSample;
  WORD cbSize;
};
#pragma pack(pop)
static_assert(sizeof(WAVEFORMATEX) == 18, "WAVEFORMATEX is 18 bytes");

constexpr WORD WAVE_FORMAT_PCM = 1;
// Buffer volumes, hundredths of a decibel.
constexpr LONG DSBVOLUME_MIN = -10000, DSBVOLUME_MAX = 0;

// A secondary buffer holding one PCM wave.
class SoundBuffer {
 public:
  virtual ~SoundBuffer() = default;
  // Starts playing from the current position (from the start after an end or a stop); true
  // when it plays afterwards.
  virtual bool Play(bool loop) = 0;
  // Stops; the next Play starts from the beginning.
  virtual void Stop() = 0;
  virtual bool Playing() = 0;
  // Volume in hundredths of a decibel, limited to DSBVOLUME_MIN..DSBVOLUME_MAX.
  virtual void SetVolume(LONG volume) = 0;
  virtual LONG Volume() = 0;
  // Play cursor in bytes from the start of the wave data.
  virtual DWORD Position() = 0;
};

// A sound device bound to a window.
class SoundDevice {
 public:
  virtual ~SoundDevice() = default;
  // The primary buffer (the device's mix; plays while secondary buffers play).
  virtual SoundBuffer* Primary() = 0;
  // A new secondary buffer holding Bytes of PCM data in Format; null when the format is not PCM
  // or the device refuses it.
  virtual std::unique_ptr<SoundBuffer> CreateBuffer(const WAVEFORMATEX& format, const void* data,
                                                    DWORD bytes) = 0;
};

// Where sound goes on Linux: the null device (silent, in real time on the platform clock; the
// default, for tests and headless runs) or the audio output (SDL2, when the build has it).
// Windows always uses DirectSound and ignores the choice.
enum class SoundOutput { Null, Audio };
// False when the output is not available in this build.
bool SelectSoundOutput(SoundOutput output);
SoundOutput SelectedSoundOutput();

// A device for the window; null when there is none (no sound hardware or service, not a
// window, DirectSound missing).
std::unique_ptr<SoundDevice> CreateSoundDevice(HWND window);

// The system's simple sound player, for wave images in memory (SND_MEMORY with SND_ASYNC; with
// SND_NOSTOP a sound that still plays is not interrupted and the call fails). A null sound stops
// the playing one.
constexpr DWORD SND_ASYNC = 0x0001, SND_NODEFAULT = 0x0002, SND_MEMORY = 0x0004,
                SND_NOSTOP = 0x0010;
BOOL PlaySoundW(LPCWSTR sound, HMODULE module, DWORD flags);

}  // namespace plat
