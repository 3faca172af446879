// Exported script functions: running script text in a scene, and reading and writing object
// properties and scene variables from the host. Texts are zero-terminated 8-bit scene text;
// an object handle is a scene object, an animator handle a scene.
//
// The plain exports that copy text into the caller's buffer (DAGetStr, DAGetStrName,
// DAGetVarStr, DAGetObjectInfo) take no size: the caller's buffer must hold the whole result.
// Their ...Ex twins take the buffer size in bytes, copy what fits (text always zero-terminated
// when Size > 0) and return the bytes the whole result needs (text: its length + 1).
#pragma once
#include <cstdint>

#include "exports/api.h"

ZKW_EXPORT void ZKWAPI ExecuteCode(void* Animator, void* Obj, const char* Text);
ZKW_EXPORT void ZKWAPI DASet(void* Obj, uint16_t PropID, int32_t Value, const char* Text);
ZKW_EXPORT void ZKWAPI DASetName(const char* Name, void* Animator, uint16_t PropID,
                                 int32_t Value, const char* Text);
ZKW_EXPORT int32_t ZKWAPI DAGet(void* Obj, uint16_t PropID);
ZKW_EXPORT int32_t ZKWAPI DAGetName(const char* Name, void* Animator, uint16_t PropID);
ZKW_EXPORT void ZKWAPI DAGetStr(void* Obj, uint16_t PropID, char* Buffer);
ZKW_EXPORT void ZKWAPI DAGetStrName(const char* Name, void* Animator, uint16_t PropID,
                                    char* Buffer);
ZKW_EXPORT void ZKWAPI DAGetObjectInfo(void* Obj, void* Buffer);
ZKW_EXPORT int32_t ZKWAPI DAGetVar(void* Animator, const char* Name);
ZKW_EXPORT void ZKWAPI DAGetVarStr(void* Animator, const char* Name, char* Buffer);
ZKW_EXPORT void ZKWAPI DASetVar(void* Animator, const char* Name, int32_t Value);
ZKW_EXPORT void ZKWAPI DASetVarStr(void* Animator, const char* Name, const char* Text);

ZKW_EXPORT int32_t ZKWAPI DAGetStrEx(void* Obj, uint16_t PropID, char* Buffer, int32_t Size);
ZKW_EXPORT int32_t ZKWAPI DAGetStrNameEx(const char* Name, void* Animator, uint16_t PropID,
                                         char* Buffer, int32_t Size);
ZKW_EXPORT int32_t ZKWAPI DAGetVarStrEx(void* Animator, const char* Name, char* Buffer,
                                        int32_t Size);
ZKW_EXPORT int32_t ZKWAPI DAGetObjectInfoEx(void* Obj, void* Buffer, int32_t Size);
