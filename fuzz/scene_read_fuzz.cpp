// Scene reader alone: every version, entries, scripts and object records of every kind (see
// scene_fallbacks.h), without writing back or playing, so that the reader's code is reached
// many times faster than through scene_fuzz. It takes the seeds of scene_fuzz.
#include <cstddef>
#include <cstdint>

#include "common/byte_stream.h"
#include "player/scene/dib_animator.h"
#include "scene_fallbacks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool registered = fuzzscene::RegisterFallbacks();
  (void)registered;
  zkw::TDibAnimator ani;
  zkw::TBufferStream stream(data, size);
  ani.LoadFromStream(&stream);
  return 0;
}
