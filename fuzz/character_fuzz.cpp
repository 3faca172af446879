// Character reader: load, play each gesture with returns and queued commands, draw at two
// scales.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "common/byte_stream.h"
#include "dib/dib24.h"
#include "player/character/dib_character.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool silent = [] {
    zkw::TDibCharacter::SoundPlayer() = [](const void*, uint32_t) { return true; };
    return true;
  }();
  (void)silent;
  zkw::TDibCharacter ch;
  if (!ch.LoadFromStream(std::make_unique<zkw::TBufferStream>(data, size))) return 0;
  zkw::TDib24Bits target;
  target.SetAttributes(64, 48);
  const int32_t count = ch.GestureCount() < 16 ? ch.GestureCount() : 16;
  for (int32_t i = 0; i < count; ++i) {
    const std::string name = ch.GetGestureName(i);
    ch.Play(name, (i & 1) != 0);
    ch.Play(ch.GetGestureName(count - 1 - i), true);
    for (int step = 0; step < 12; ++step) {
      ch.DoAction();
      if (step == 4) ch.Return();
      ch.Scale = (step & 1) ? 100 : 150;
      ch.SetFlipX((step & 2) ? -1 : 1);
      ch.Draw(-3, 2, &target);
      ch.DrawExOn(&target, 5, 5, 1, 1, 20, 20, -1, 1);
      (void)ch.AlphaAt(step, step);
    }
    ch.ForcePlay(name);
    ch.DoAction();
  }
  return 0;
}
