// Scene reader: every version, entries, scripts and object records of every registered kind
// (codes without a kind read as the plain common record so that object records are reached).
// What was read must write back and read again.
#include <cstddef>
#include <cstdint>

#include "common/byte_stream.h"
#include "player/objects/animate_obj.h"
#include "player/objects/kind_registry.h"
#include "player/scene/dib_animator.h"

namespace {
zkw::TAnimateObj* PlainObject() { return new zkw::TAnimateObj(); }
bool RegisterFallbacks() {
  for (int code = 0; code < 256; ++code)
    if (!zkw::IsObjectKindRegistered(static_cast<uint8_t>(code)))
      zkw::RegisterObjectKind(static_cast<uint8_t>(code), PlainObject);
  return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool registered = RegisterFallbacks();
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
  return 0;
}
