// Scene reader and player: every version, entries, scripts and object records of every kind
// (see scene_fallbacks.h). What was read must write back and read again, and a scene of a
// modest view size then plays a few action and draw steps.
#include <cstddef>
#include <cstdint>

#include "common/byte_stream.h"
#include "dib/dib24.h"
#include "player/scene/dib_animator.h"
#include "scene_fallbacks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool registered = fuzzscene::RegisterFallbacks();
  (void)registered;
  zkw::TDibAnimator ani;
  zkw::TBufferStream stream(data, size);
  if (!ani.LoadFromStream(&stream)) return 0;
  zkw::TMemoryStream out;
  if (!ani.SaveToStream(&out)) __builtin_trap();
  out.Seek(0, zkw::SeekOrigin::soBeginning);
  zkw::TDibAnimator again;
  if (!again.LoadFromStream(&out) || again.Count() != ani.Count() || again.DibCount() != ani.DibCount())
    __builtin_trap();
  if (static_cast<int64_t>(ani.FViewWidth) * ani.FViewHeight <= 512 * 512) {
    ani.FSceneReady = true;
    ani.BeforePlay();
    for (int step = 0; step < 3; ++step) {
      ani.DoAction(ani.FDib);
      ani.DoDraw(ani.FDib);
    }
  }
  return 0;
}
