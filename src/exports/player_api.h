// The player window's exports, and the window entry points a host on a platform without the
// system's window functions needs to drive player windows.
#pragma once
#include <cstdint>

#include "exports/api.h"

using ZWINDOW = void*;
using ZWNDPROC = intptr_t(ZKWAPI*)(ZWINDOW, uint32_t, uintptr_t, intptr_t);

ZKW_EXPORT void ZKWAPI DAPlayFile(int32_t A, int32_t B, int32_t C);
ZKW_EXPORT void ZKWAPI DACheckSound();
ZKW_EXPORT int32_t ZKWAPI DAGetSysVersion();

// Window host entry points.
ZKW_EXPORT ZWINDOW ZKWAPI zkwCreatePlayerWindow(ZWINDOW Parent, int32_t Width, int32_t Height);
ZKW_EXPORT int32_t ZKWAPI zkwDestroyWindow(ZWINDOW Window);
ZKW_EXPORT int32_t ZKWAPI zkwResizeWindow(ZWINDOW Window, int32_t Width, int32_t Height);
ZKW_EXPORT intptr_t ZKWAPI zkwSendMessage(ZWINDOW Window, uint32_t Msg, uintptr_t WParam,
                                          intptr_t LParam);
ZKW_EXPORT int32_t ZKWAPI zkwPostMessage(ZWINDOW Window, uint32_t Msg, uintptr_t WParam,
                                         intptr_t LParam);
ZKW_EXPORT int32_t ZKWAPI zkwPumpMessages();
ZKW_EXPORT int32_t ZKWAPI zkwUseManualClock(int32_t Manual);
ZKW_EXPORT int32_t ZKWAPI zkwAdvanceClock(uint32_t Milliseconds);
ZKW_EXPORT void ZKWAPI zkwSetRandomSeed(uint32_t Seed);
ZKW_EXPORT int32_t ZKWAPI zkwInjectInput(ZWINDOW Window, uint32_t Msg, uintptr_t WParam,
                                         intptr_t LParam);
ZKW_EXPORT int32_t ZKWAPI zkwWindowPixels(ZWINDOW Window, void* Buffer, int32_t Width,
                                          int32_t Height, int32_t Stride);
ZKW_EXPORT ZWNDPROC ZKWAPI zkwSetWindowProc(ZWINDOW Window, ZWNDPROC Proc);
ZKW_EXPORT intptr_t ZKWAPI zkwCallWindowProc(ZWNDPROC Proc, ZWINDOW Window, uint32_t Msg,
                                             uintptr_t WParam, intptr_t LParam);
