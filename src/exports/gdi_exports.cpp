// Exports of the GDI helpers and the button images.
#include "colour/gdi_helpers.h"
#include "dib/dib_base.h"
#include "dib/dib_factory.h"
#include "exports/zkwgdi32.h"
#include "platform/plat.h"

using zkw::Guarded;
using zkw::GuardedVoid;

namespace {

const plat::WCHAR kRadioButtons[] = {'K', 'W', 'G', 'D', 'I', 'R', 'A', 'D', 'B', 'U', 'T', 0};
const plat::WCHAR kSysButtons[] = {'S', 'y', 's', 'B', 'u', 't', 't', 'o', 'n', 's', 0};
constexpr int32_t kRadioCell = 13;

zkw::TDibBaseObj* D(void* h) { return static_cast<zkw::TDibBaseObj*>(h); }

}  // namespace

// GetFont fills the public TLogFontRecord: the platform's logical font, byte for byte.
static_assert(sizeof(plat::LOGFONTW) == sizeof(TLogFontRecord));

ZKW_EXPORT void* ZKWAPI AdvInstance() { return plat::LibraryModule(); }
ZKW_EXPORT void ZKWAPI GetFont(void* dc, void* LogFont, const plat::WCHAR* FaceName, int32_t Size,
                               int32_t Bold, uint8_t Italic, uint8_t Underline) {
  GuardedVoid([&] {
    zkw::GetFont(dc, static_cast<plat::LOGFONTW*>(LogFont), FaceName, Size, Bold, Italic,
                 Underline);
  });
}
ZKW_EXPORT void* ZKWAPI CreatePhysFont(void* dc, const plat::WCHAR* FaceName, int32_t Size,
                                       int32_t Bold, uint8_t Italic, uint8_t Underline) {
  return Guarded<void*>(
      nullptr, [&] { return zkw::CreatePhysFont(dc, FaceName, Size, Bold, Italic, Underline); });
}
ZKW_EXPORT void ZKWAPI FillBox(void* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                               uint32_t Color) {
  GuardedVoid([&] { zkw::FillBox(dc, x1, y1, x2, y2, Color); });
}
ZKW_EXPORT void ZKWAPI Line(void* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                            int32_t Width, uint32_t Color) {
  GuardedVoid([&] { zkw::Line(dc, x1, y1, x2, y2, Width, Color); });
}
ZKW_EXPORT void ZKWAPI DisplayRect(void* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                   int32_t Width, uint32_t Color) {
  GuardedVoid([&] { zkw::DisplayRect(dc, x1, y1, x2, y2, Width, Color); });
}
ZKW_EXPORT void* ZKWAPI AdvGetDC(void* Window, void* Palette, uint8_t Background) {
  return Guarded<void*>(nullptr, [&] { return zkw::AdvGetDC(Window, Palette, Background); });
}
ZKW_EXPORT void ZKWAPI DrawDipRectColor(void* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                        uint32_t C1, uint32_t C2, uint32_t C3) {
  GuardedVoid([&] { zkw::DrawDipRectColor(dc, x1, y1, x2, y2, C1, C2, C3); });
}
ZKW_EXPORT void* ZKWAPI TextShadow(void* dc, int32_t x, int32_t y, const plat::WCHAR* Text,
                                   uint32_t Color, uint32_t ShadowColor, void* Font,
                                   int32_t Offset) {
  return Guarded<void*>(nullptr, [&] {
    return zkw::TextShadow(dc, x, y, Text, Color, ShadowColor, Font, Offset);
  });
}
ZKW_EXPORT void* ZKWAPI DrawTextShadow(void* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                       const plat::WCHAR* Text, uint32_t Color,
                                       uint32_t ShadowColor, void* Font, int32_t Offset,
                                       uint32_t Format) {
  return Guarded<void*>(nullptr, [&] {
    return zkw::DrawTextShadow(dc, x1, y1, x2, y2, Text, Color, ShadowColor, Font, Offset,
                               Format);
  });
}
ZKW_EXPORT void ZKWAPI PutBitmap(void* dc, int32_t x, int32_t y, void* Bitmap, void* Palette,
                                 uint8_t Background) {
  GuardedVoid([&] { zkw::PutBitmap(dc, x, y, Bitmap, Palette, Background); });
}
ZKW_EXPORT void ZKWAPI PutStretchBitmap(void* dc, int32_t x, int32_t y, int32_t w, int32_t h,
                                        int32_t Mx, int32_t My, void* Bitmap, void* Palette,
                                        uint8_t Background) {
  GuardedVoid(
      [&] { zkw::PutStretchBitmap(dc, x, y, w, h, Mx, My, Bitmap, Palette, Background); });
}

ZKW_EXPORT void* ZKWAPI kwgdiLoadRadioButtonImage() {
  return Guarded<void*>(nullptr,
                        [] { return zkw::LoadDexFromResource(plat::LibraryModule(), kRadioButtons); });
}
ZKW_EXPORT void ZKWAPI kwgdiFreeRadioButtonImage(void* Image) {
  GuardedVoid([&] { delete D(Image); });
}
// States 0-2 draw the cells (unchecked, pressed, checked) with their alpha; 3 and 4 draw the
// unchecked and checked cells at half strength (disabled).
ZKW_EXPORT void ZKWAPI kwgdiDrawRadioButton(void* Image, void* Target, int32_t x, int32_t y,
                                            uint32_t State) {
  GuardedVoid([&] {
    if (!Image || !Target || State > 4) return;
    if (State <= 2)
      D(Target)->DrawPeace(x, y, D(Image), static_cast<int32_t>(State) * kRadioCell, 0,
                           kRadioCell, kRadioCell, 1, 1);
    else
      D(Target)->DrawMerge(x, y, D(Image), State == 3 ? 0 : 2 * kRadioCell, 0, kRadioCell,
                           kRadioCell, 1, 1, 50);
  });
}
ZKW_EXPORT void* ZKWAPI kwgdiLoadSysButtonImage() {
  return Guarded<void*>(nullptr,
                        [] { return zkw::LoadDexFromResource(plat::LibraryModule(), kSysButtons); });
}
