// Sound exports: the process-wide sound object and manager, wave images played for hosts.
#pragma once
#include <cstdint>

#include "exports/api.h"

using ZSOUND = void*;  // the library's sound object (a device wrapper bound to a window)

ZKW_EXPORT int32_t ZKWAPI DAWaveInitialize(void* MainWin);
ZKW_EXPORT void ZKWAPI DAWaveUnInitialize();
ZKW_EXPORT void ZKWAPI DASetDXSoundObject(ZSOUND Sound);
ZKW_EXPORT ZSOUND ZKWAPI DAGetDXSoundObject();
ZKW_EXPORT void ZKWAPI DAPlaySound(void* hMem, void* hWnd, int32_t ID);
