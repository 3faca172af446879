// Exports of the colour selection dialog and the modal hook of Linux hosts.
#include <cstddef>

#include "dialogs/color_selector_window.h"
#include "exports/zkwgdi32.h"
#include "platform/plat_window.h"

namespace {

// The record of SelectColorDialog: 36 bytes in the 32-bit DLL. 64-bit builds widen the window
// and the colour address to 8 bytes at their natural places (48 bytes).
struct TSelectColorRecord {
  uint32_t Size;
  plat::HWND Owner;
  uint32_t* Color;
  uint8_t Unused[16];
  int32_t ShowStandard;
  int32_t ShowSystem;
};
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(TSelectColorRecord) == 36 && offsetof(TSelectColorRecord, Color) == 8 &&
                  offsetof(TSelectColorRecord, ShowStandard) == 28,
              "SelectColorDialog record of the 32-bit DLL");
#else
static_assert(sizeof(TSelectColorRecord) == 48 && offsetof(TSelectColorRecord, Owner) == 8 &&
                  offsetof(TSelectColorRecord, Color) == 16 &&
                  offsetof(TSelectColorRecord, ShowStandard) == 40,
              "SelectColorDialog record of 64-bit builds");
#endif

}  // namespace

ZKW_EXPORT uint32_t ZKWAPI SelectColorDialog(void* Record) {
  return zkw::Guarded<uint32_t>(0, [&]() -> uint32_t {
    auto* r = static_cast<TSelectColorRecord*>(Record);
    if (!r || r->Size != sizeof(TSelectColorRecord) || !r->Color) return 0;
    uint32_t value = 0;
    if (!zkw::RunColorSelector(r->Owner, *r->Color, r->ShowStandard != 0, r->ShowSystem != 0, value))
      return 0;
    *r->Color = value;
    return 0xFFFFFFFFu;
  });
}

ZKW_EXPORT void ZKWAPI zkwSetModalHook(plat::MODALHOOK Proc, void* Data) {
  plat::SetModalHook(Proc, Data);
}
