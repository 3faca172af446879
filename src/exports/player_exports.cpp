// Player exports and the window host entry points.
#include "exports/zkwgdi32.h"
#include "platform/plat.h"
#include "platform/plat_window.h"
#include "expr/functions.h"
#include "player/objects/moving_obj.h"
#include "player/window/animator_window.h"
#include "sound/sound_manager.h"

using zkw::Guarded;
using zkw::GuardedVoid;

namespace {
plat::HWND W(ZWINDOW w) { return static_cast<plat::HWND>(w); }
}  // namespace

ZKW_EXPORT void ZKWAPI DAPlayFile(int32_t, int32_t, int32_t) {}

ZKW_EXPORT void ZKWAPI DACheckSound() {
  GuardedVoid([] {
    if (zkw::ProcessSoundManager) zkw::ProcessSoundManager->Check();
  });
}

ZKW_EXPORT int32_t ZKWAPI DAGetSysVersion() { return 0x90000; }

ZKW_EXPORT ZWINDOW ZKWAPI zkwCreatePlayerWindow(ZWINDOW Parent, int32_t Width, int32_t Height) {
  return Guarded<ZWINDOW>(nullptr, [&]() -> ZWINDOW {
    // The class is registered when the library loads; a program linking the library statically
    // may not have run that start-up, so make sure here (registering twice is refused harmlessly).
    zkw::RegisterPlayerWindowClass(plat::LibraryModule());
    plat::DWORD style = plat::WS_VISIBLE | (Parent ? plat::WS_CHILD : plat::WS_OVERLAPPED);
    return plat::CreateWindowExW(0, zkw::kPlayerClassName, nullptr, style, 0, 0, Width, Height,
                                 W(Parent), nullptr, plat::LibraryModule(), nullptr);
  });
}

ZKW_EXPORT int32_t ZKWAPI zkwDestroyWindow(ZWINDOW Window) {
  return Guarded<int32_t>(0, [&] { return plat::DestroyWindow(W(Window)) ? 1 : 0; });
}

ZKW_EXPORT int32_t ZKWAPI zkwResizeWindow(ZWINDOW Window, int32_t Width, int32_t Height) {
  return Guarded<int32_t>(0, [&] { return plat::MoveWindow(W(Window), 0, 0, Width, Height, 1) ? 1 : 0; });
}

ZKW_EXPORT intptr_t ZKWAPI zkwSendMessage(ZWINDOW Window, uint32_t Msg, uintptr_t WParam,
                                          intptr_t LParam) {
  return Guarded<intptr_t>(0, [&] { return plat::SendMessageW(W(Window), Msg, WParam, LParam); });
}

ZKW_EXPORT int32_t ZKWAPI zkwPostMessage(ZWINDOW Window, uint32_t Msg, uintptr_t WParam,
                                         intptr_t LParam) {
  return Guarded<int32_t>(0, [&] { return plat::PostMessageW(W(Window), Msg, WParam, LParam) ? 1 : 0; });
}

ZKW_EXPORT int32_t ZKWAPI zkwPumpMessages() {
  return Guarded<int32_t>(0, [&] { return plat::PumpMessages(); });
}

ZKW_EXPORT int32_t ZKWAPI zkwUseManualClock(int32_t Manual) {
  return Guarded<int32_t>(0, [&] { return plat::UseManualClock(Manual) ? 1 : 0; });
}

ZKW_EXPORT int32_t ZKWAPI zkwAdvanceClock(uint32_t Milliseconds) {
  return Guarded<int32_t>(0, [&] { return plat::AdvanceClock(Milliseconds); });
}

ZKW_EXPORT void ZKWAPI zkwSetRandomSeed(uint32_t Seed) {
  GuardedVoid([&] {
    zkw::SetAniRandomSeed(Seed);
    zkw::SetExprRandomSeed(Seed);
  });
}

ZKW_EXPORT int32_t ZKWAPI zkwInjectInput(ZWINDOW Window, uint32_t Msg, uintptr_t WParam,
                                         intptr_t LParam) {
  return Guarded<int32_t>(0, [&] { return plat::InjectInput(W(Window), Msg, WParam, LParam) ? 1 : 0; });
}

ZKW_EXPORT int32_t ZKWAPI zkwWindowPixels(ZWINDOW Window, void* Buffer, int32_t Width,
                                          int32_t Height, int32_t Stride) {
  return Guarded<int32_t>(0, [&] {
    return plat::CopyWindowPixels(W(Window), Buffer, Width, Height, Stride) ? 1 : 0;
  });
}

ZKW_EXPORT ZWNDPROC ZKWAPI zkwSetWindowProc(ZWINDOW Window, ZWNDPROC Proc) {
  return Guarded<ZWNDPROC>(nullptr, [&] {
    return reinterpret_cast<ZWNDPROC>(
        plat::SetWindowLongPtrW(W(Window), plat::GWLP_WNDPROC, reinterpret_cast<plat::LONG_PTR>(Proc)));
  });
}

ZKW_EXPORT intptr_t ZKWAPI zkwCallWindowProc(ZWNDPROC Proc, ZWINDOW Window, uint32_t Msg,
                                             uintptr_t WParam, intptr_t LParam) {
  return Guarded<intptr_t>(0, [&] {
    return plat::CallWindowProcW(reinterpret_cast<plat::WNDPROC>(Proc), W(Window), Msg, WParam, LParam);
  });
}
