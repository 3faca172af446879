// Exports of the font manager. Every export but CreateDibFontManager does nothing (or gives 0)
// for a 0 manager; a null name is an empty one.
#include "exports/zkwgdi32.h"
#include "fonts/dib_font.h"
#include "fonts/font_manager.h"

using zkw::Guarded;
using zkw::GuardedVoid;
using zkw::TDibFontManager;
using zkw::ZString;

namespace {

TDibFontManager* M(ZFONTMANAGER h) { return static_cast<TDibFontManager*>(h); }
ZString Text(const plat::WCHAR* s) { return s ? ZString(s) : ZString(); }

}  // namespace

ZKW_EXPORT ZFONTMANAGER ZKWAPI CreateDibFontManager() {
  return Guarded<ZFONTMANAGER>(nullptr, [] { return static_cast<ZFONTMANAGER>(new TDibFontManager); });
}
ZKW_EXPORT void ZKWAPI FreeDibFontManager(ZFONTMANAGER Manager) {
  GuardedVoid([&] { delete M(Manager); });
}
ZKW_EXPORT void* ZKWAPI dfmCreateFont(ZFONTMANAGER Manager, const plat::WCHAR* Name, int32_t Size,
                                      uint8_t Bold, uint8_t Italic) {
  return Guarded<void*>(nullptr, [&]() -> void* {
    return Manager ? M(Manager)->CreateFont(Text(Name), Size, Bold != 0, Italic != 0) : nullptr;
  });
}
ZKW_EXPORT void ZKWAPI dfmDeleteFont(ZFONTMANAGER Manager, void* Font) {
  GuardedVoid([&] {
    if (Manager) M(Manager)->DeleteFont(static_cast<zkw::TDibFont*>(Font));
  });
}
ZKW_EXPORT void ZKWAPI dfmRegisterFont(ZFONTMANAGER Manager, const plat::WCHAR* Name, int32_t Size,
                                       uint8_t Bold, uint8_t Italic, const plat::WCHAR* FileName) {
  GuardedVoid([&] {
    if (Manager) M(Manager)->RegisterFont(Text(Name), Size, Bold != 0, Italic != 0, Text(FileName));
  });
}
ZKW_EXPORT void ZKWAPI dfmRegisterFontPackage(ZFONTMANAGER Manager, const plat::WCHAR* Name,
                                              const plat::WCHAR* FileName) {
  GuardedVoid([&] {
    if (Manager) M(Manager)->RegisterFontPackage(Text(Name), Text(FileName));
  });
}
ZKW_EXPORT void ZKWAPI dfmAutoRegisterPackages(ZFONTMANAGER Manager, const plat::WCHAR* Directory) {
  GuardedVoid([&] {
    if (Manager) M(Manager)->AutoRegisterPackages(Text(Directory));
  });
}
ZKW_EXPORT void ZKWAPI dfmRegisterAsDefaultFont(ZFONTMANAGER Manager, const plat::WCHAR* FileName) {
  GuardedVoid([&] {
    if (Manager) M(Manager)->RegisterAsDefaultFont(Text(FileName));
  });
}
