#include "sound/dx_sound.h"

#include <algorithm>

#include "base/last_error.h"
#include "sound/wave_convert.h"

namespace zkw {

bool TDXSoundBuffer::LoadFromMemory(const void* Image, size_t Size) {
  if (!FOwner || !FOwner->Device()) return false;
  plat::WAVEFORMATEX format;
  const uint8_t* data = nullptr;
  uint32_t bytes = 0;
  if (!ParsePcmWave(static_cast<const uint8_t*>(Image), Size, format, data, bytes)) return false;
  FOwnBuffer = FOwner->Device()->CreateBuffer(format, data, bytes);
  FBuffer = FOwnBuffer.get();
  return FBuffer != nullptr;
}

bool TDXSoundBuffer::Play(bool Loop) { return FBuffer && FBuffer->Play(Loop); }
void TDXSoundBuffer::Stop() {
  if (FBuffer) FBuffer->Stop();
}
bool TDXSoundBuffer::Playing() const { return FBuffer && FBuffer->Playing(); }
void TDXSoundBuffer::SetVolume(int32_t Value) {
  if (FBuffer) FBuffer->SetVolume(std::clamp<int32_t>(Value, plat::DSBVOLUME_MIN, plat::DSBVOLUME_MAX));
}
int32_t TDXSoundBuffer::GetVolume() const { return FBuffer ? FBuffer->Volume() : 0; }
uint32_t TDXSoundBuffer::Position() const { return FBuffer ? FBuffer->Position() : 0; }

TDXSound::~TDXSound() { Finalize(); }

bool TDXSound::Initialize(plat::HWND Window) {
  Finalize();
  FWindow = Window;
  FDevice = plat::CreateSoundDevice(Window);
  if (!FDevice) return false;
  auto primary = std::make_unique<TDXSoundBuffer>(this);
  primary->FBuffer = FDevice->Primary();
  FBuffers.push_back(std::move(primary));
  return true;
}

void TDXSound::Finalize() {
  for (auto& b : FBuffers) b->Stop();
  // Secondary buffers first (from the last), then the primary one, then the device.
  while (!FBuffers.empty()) FBuffers.pop_back();
  FDevice.reset();
}

TDXSoundBuffer* TDXSound::Buffer(int32_t Index) const {
  return Index >= 0 && Index < Count() ? FBuffers[static_cast<size_t>(Index)].get() : nullptr;
}

TDXSoundBuffer* TDXSound::Add(std::unique_ptr<TDXSoundBuffer> Buffer) {
  if (!FDevice || !Buffer) return nullptr;
  FBuffers.push_back(std::move(Buffer));
  return FBuffers.back().get();
}

void TDXSound::FreeBuffer(TDXSoundBuffer* Buffer) {
  for (size_t i = 1; i < FBuffers.size(); ++i)
    if (FBuffers[i].get() == Buffer) {
      Buffer->Stop();
      FBuffers.erase(FBuffers.begin() + static_cast<std::ptrdiff_t>(i));
      return;
    }
}

}  // namespace zkw
