// Script exports: ExecuteCode, the DA value functions on object properties and on scene and
// application variables, and their sized twins.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

#include "exports/zkwgdi32.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"
#include "script/exec_internal.h"
#include "script/execute.h"

using zkw::Guarded;
using zkw::GuardedVoid;

namespace {

zkw::TDibAnimator* Ani(void* h) { return static_cast<zkw::TDibAnimator*>(h); }
zkw::TAnimateObj* Obj(void* h) { return static_cast<zkw::TAnimateObj*>(h); }
std::string Str(const char* Text) { return Text ? std::string(Text) : std::string(); }

// The object of that name in the scene, or null.
zkw::TAnimateObj* Named(const char* Name, void* Animator) {
  return Animator && Name ? Ani(Animator)->GetObjectName(Name) : nullptr;
}

// A property as the DA functions see it: the rounded number, 0 for a text or no object.
int32_t GetNumber(zkw::TAnimateObj* O, uint16_t PropID) {
  if (!O) return 0;
  long double v = 0;
  std::string t;
  return O->GetValue(PropID, v, t) == 3 ? 0 : zkw::RoundI32(v);
}

// A property's text; empty for a number or no object.
std::string GetText(zkw::TAnimateObj* O, uint16_t PropID) {
  if (!O) return {};
  long double v = 0;
  std::string t;
  return O->GetValue(PropID, v, t) == 3 ? t : std::string();
}

void SetProperty(zkw::TAnimateObj* O, uint16_t PropID, int32_t Value, const char* Text) {
  if (O) O->SetValue(PropID, Str(Text), Value);
}

// A scene variable, else an application variable, of that name; or null.
zkw::TVariableRec* Variable(void* Animator, const char* Name) {
  if (!Animator || !Name) return nullptr;
  zkw::TDibAnimator* a = Ani(Animator);
  if (zkw::TVariableRec* v = a->GlobalVarList.GetVar(Name)) return v;
  return a->AppVarList ? a->AppVarList->GetVar(Name) : nullptr;
}

std::string VariableText(void* Animator, const char* Name) {
  zkw::TVariableRec* v = Variable(Animator, Name);
  return v && v->VarType == 3 ? v->StValue : std::string();
}

// Copies the whole text with its zero (the unsized exports).
void CopyAll(const std::string& Text, char* Buffer) {
  if (Buffer) std::memcpy(Buffer, Text.c_str(), Text.size() + 1);
}

// Copies what fits into Size bytes, zero-terminated; the bytes the whole text needs.
int32_t CopySized(const std::string& Text, char* Buffer, int32_t Size) {
  if (Buffer && Size > 0) {
    size_t n = std::min(Text.size(), static_cast<size_t>(Size) - 1);
    std::memcpy(Buffer, Text.data(), n);
    Buffer[n] = '\0';
  }
  return static_cast<int32_t>(std::min<size_t>(Text.size() + 1, INT32_MAX));
}

// The object information record: TDAObjectInfo of the public header (810 bytes in the Win32
// build; the 64-bit build widens the image handle, which moves every later field by 4 bytes).
using TObjectInfo = TDAObjectInfo;

void CopyName(char (&Field)[256], const std::string& Text) {
  size_t n = std::min<size_t>(Text.size(), 255);
  std::memcpy(Field, Text.data(), n);
  Field[n] = '\0';
}

TObjectInfo MakeInfo(zkw::TAnimateObj& o) {
  TObjectInfo r;
  std::memset(&r, 0, sizeof r);
  CopyName(r.ParentObjName, o.FParentName);
  CopyName(r.ObjName, o.FName);
  CopyName(r.Info, o.FTextID);
  r.Level = o.FLevel;
  r.Collision = o.FCollide;
  r.Active = o.FActive;
  r.Visible = o.FEnabled;
  r.DibObject = o.FDib;
  r.Enabled = o.FEnabled;
  r.ID = o.FID;
  r.Style = o.FStyle;
  r.XPos = static_cast<int16_t>(o.Fx);
  r.YPos = static_cast<int16_t>(o.Fy);
  r.DibStyle = o.FDibStyle;
  r.OriginX = o.FOriginX;
  r.OriginY = o.FOriginY;
  r.FlipX = o.FFlipX;
  r.FlipY = o.FFlipY;
  r.Transparent = o.FTrans;
  r.Width = o.FWidth;
  r.Height = o.FHeight;
  r.FloatWhenClick = o.FFloatWhenClick;
  r.Sensitive = o.FSensitive;
  r.Locked = o.FLocked;
  r.Tag = o.FTag;
  r.Container = o.FContainer;
  r.HotCursor = o.FHotCursor;
  return r;
}

}  // namespace

ZKW_EXPORT void ZKWAPI ExecuteCode(void* Animator, void* Obj, const char* Text) {
  GuardedVoid([&] { zkw::ExecuteCode(Ani(Animator), ::Obj(Obj), Str(Text)); });
}
ZKW_EXPORT void ZKWAPI DASet(void* Obj, uint16_t PropID, int32_t Value, const char* Text) {
  GuardedVoid([&] { SetProperty(::Obj(Obj), PropID, Value, Text); });
}
ZKW_EXPORT void ZKWAPI DASetName(const char* Name, void* Animator, uint16_t PropID,
                                 int32_t Value, const char* Text) {
  GuardedVoid([&] { SetProperty(Named(Name, Animator), PropID, Value, Text); });
}
ZKW_EXPORT int32_t ZKWAPI DAGet(void* Obj, uint16_t PropID) {
  return Guarded<int32_t>(0, [&] { return GetNumber(::Obj(Obj), PropID); });
}
ZKW_EXPORT int32_t ZKWAPI DAGetName(const char* Name, void* Animator, uint16_t PropID) {
  return Guarded<int32_t>(0, [&] { return GetNumber(Named(Name, Animator), PropID); });
}
ZKW_EXPORT void ZKWAPI DAGetStr(void* Obj, uint16_t PropID, char* Buffer) {
  GuardedVoid([&] { CopyAll(GetText(::Obj(Obj), PropID), Buffer); });
}
ZKW_EXPORT void ZKWAPI DAGetStrName(const char* Name, void* Animator, uint16_t PropID,
                                    char* Buffer) {
  GuardedVoid([&] { CopyAll(GetText(Named(Name, Animator), PropID), Buffer); });
}
ZKW_EXPORT void ZKWAPI DAGetObjectInfo(void* Obj, void* Buffer) {
  GuardedVoid([&] {
    if (!Obj || !Buffer) return;
    TObjectInfo info = MakeInfo(*::Obj(Obj));
    std::memcpy(Buffer, &info, sizeof info);
  });
}
ZKW_EXPORT int32_t ZKWAPI DAGetVar(void* Animator, const char* Name) {
  return Guarded<int32_t>(0, [&] {
    zkw::TVariableRec* v = Variable(Animator, Name);
    return v && v->VarType != 3 ? zkw::RoundI32(v->Value) : 0;
  });
}
ZKW_EXPORT void ZKWAPI DAGetVarStr(void* Animator, const char* Name, char* Buffer) {
  GuardedVoid([&] { CopyAll(VariableText(Animator, Name), Buffer); });
}
ZKW_EXPORT void ZKWAPI DASetVar(void* Animator, const char* Name, int32_t Value) {
  GuardedVoid([&] {
    zkw::TVariableRec* v = Variable(Animator, Name);
    if (v && v->VarType != 3) v->Value = Value;
  });
}
ZKW_EXPORT void ZKWAPI DASetVarStr(void* Animator, const char* Name, const char* Text) {
  GuardedVoid([&] {
    zkw::TVariableRec* v = Variable(Animator, Name);
    if (v && v->VarType == 3) v->StValue = Str(Text);
  });
}
ZKW_EXPORT int32_t ZKWAPI DAGetStrEx(void* Obj, uint16_t PropID, char* Buffer, int32_t Size) {
  return Guarded<int32_t>(0, [&] { return CopySized(GetText(::Obj(Obj), PropID), Buffer, Size); });
}
ZKW_EXPORT int32_t ZKWAPI DAGetStrNameEx(const char* Name, void* Animator, uint16_t PropID,
                                         char* Buffer, int32_t Size) {
  return Guarded<int32_t>(
      0, [&] { return CopySized(GetText(Named(Name, Animator), PropID), Buffer, Size); });
}
ZKW_EXPORT int32_t ZKWAPI DAGetVarStrEx(void* Animator, const char* Name, char* Buffer,
                                        int32_t Size) {
  return Guarded<int32_t>(0, [&] { return CopySized(VariableText(Animator, Name), Buffer, Size); });
}
ZKW_EXPORT int32_t ZKWAPI DAGetObjectInfoEx(void* Obj, void* Buffer, int32_t Size) {
  return Guarded<int32_t>(0, [&] {
    if (!Obj) return 0;
    TObjectInfo info = MakeInfo(*::Obj(Obj));
    if (Buffer && Size > 0)
      std::memcpy(Buffer, &info, std::min<size_t>(static_cast<size_t>(Size), sizeof info));
    return static_cast<int32_t>(sizeof info);
  });
}
