// Exports of the colour selection dialog and the modal hook of Linux hosts.
#include <cstddef>

#include "dialogs/color_selector_window.h"
#include "exports/zkwgdi32.h"
#include "platform/plat_window.h"

// The record of SelectColorDialog is TSelectColorRecord of the public header, whose asserts
// give its 32-bit (36 bytes) and 64-bit (48 bytes) layouts.

ZKW_EXPORT uint32_t ZKWAPI SelectColorDialog(void* Record) {
  return zkw::Guarded<uint32_t>(0, [&]() -> uint32_t {
    auto* r = static_cast<TSelectColorRecord*>(Record);
    if (!r || r->Size != sizeof(TSelectColorRecord) || !r->Color) return 0;
    uint32_t value = 0;
    if (!zkw::RunColorSelector(static_cast<plat::HWND>(r->Owner), *r->Color, r->ShowStandard != 0,
                               r->ShowSystem != 0, value))
      return 0;
    *r->Color = value;
    return 0xFFFFFFFFu;
  });
}

ZKW_EXPORT void ZKWAPI zkwSetModalHook(plat::MODALHOOK Proc, void* Data) {
  plat::SetModalHook(Proc, Data);
}
