#include "player/objects/animate_obj.h"

#include "player/objects/common_record.h"

#include "dib/dib_base.h"
#include "player/scene/dib_animator.h"
#include "player/scene/record_io.h"

namespace zkw {

const uint8_t kObjScriptWriteOrder[19] = {11, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 23, 19, 20, 21, 24};

bool IsObjScriptCode(uint8_t code) {
  return (code >= 1 && code <= 14) || code == 19 || code == 20 || code == 21 || code == 23 || code == 24;
}

TAnimateObj::TAnimateObj() = default;

TAnimateObj::~TAnimateObj() = default;

void TAnimateObj::SetMacro(uint8_t code, TScriptPtr list) {
  if (code < kObjScriptSlots) macros[code] = std::move(list);
}

void TAnimateObj::FreeScripts() {
  for (auto& m : macros) m.reset();
}

int32_t TAnimateObj::ScriptCount() const {
  int32_t n = 0;
  for (uint8_t code : kObjScriptWriteOrder)
    if (macros[code]) ++n;
  return n;
}

TSmallRect TAnimateObj::ObjRect() const { return {Fx, Fy, Fx + FWidth - 1, Fy + FHeight - 1}; }

void TAnimateObj::SetDibObject(TDibBaseObj* ADib) {
  if (FID < 0 || ADib == FDib) return;
  FDib = ADib;
  if (ADib) {
    FWidth = static_cast<int16_t>(ADib->Width());
    FHeight = static_cast<int16_t>(ADib->Height());
  }
  if (FParent) FParent->NeedDrawNow = true;
}

bool TAnimateObj::ReadScripts(TRecordReader& r) {
  int16_t n = r.I16("object script count");
  if (!r.Ok()) return false;
  if (n < 0) return r.Fail("object script count " + std::to_string(n) + " is negative");
  if (n > r.Remaining()) return r.Fail("object script count " + std::to_string(n) + " cannot fit in the file");
  for (int i = 0; i < n && r.Ok(); ++i) {
    uint8_t code = r.U8("object script code");
    if (!r.Ok() || !IsObjScriptCode(code)) continue;  // other codes carry nothing after the byte
    TScriptPtr list = ReadScriptRecord(r);
    if (r.Ok()) macros[code] = std::move(list);
  }
  return r.Ok();
}

void TAnimateObj::WriteScripts(TRecordWriter& w) const {
  w.I16(static_cast<int16_t>(ScriptCount()));
  for (uint8_t code : kObjScriptWriteOrder) {
    if (!macros[code]) continue;
    WriteScriptRecord(w, *macros[code], code);
  }
}

bool TAnimateObj::ReadFromStream(TRecordReader& r, int32_t Version) {
  return ReadCommon(r, Version) && ReadKindRecord(r, Version);
}

bool TAnimateObj::ReadKindRecord(TRecordReader& r, int32_t Version) {
  (void)Version;
  return r.Ok();
}

bool TAnimateObj::ReadCommon(TRecordReader& r, int32_t Version) {
  if (!ReadScripts(r)) return false;
  ReadFields<TAnimateObj, TCommonRecord>(*this, r, Version);
  FLeftDown = false;
  return r.Ok();
}

bool TAnimateObj::Write(TRecordWriter& w) {
  WriteCommon(w);
  WriteKindRecord(w);
  return w.Ok();
}

void TAnimateObj::WriteCommon(TRecordWriter& w) const {
  WriteScripts(w);
  WriteFields<TAnimateObj, TCommonRecord>(*this, w);
}

bool TAnimateObj::ReadFromStream2(TRecordReader& r) {
  ReadFields<TAnimateObj, TCommonRecord>(*this, r, kOldLayoutVersion);
  FTextID.clear();
  FLevel = 0;
  FCollide = false;
  FActive = true;
  return r.Ok() && ReadKindRecord(r, kOldLayoutVersion);
}

void TAnimateObj::CopyFrom(const TAnimateObj& AObj) {
  // Everything not taken from the source starts at zero, false or empty.
  FChildren.clear();
  FParentName.clear();
  FIndex = 0;
  FShowHotrack = false;
  FHotOpacity = 0;
  FHotDelta = 0;
  FOx = FOy = 0;
  FLeftDown = FKeysNeeded = FParentSetPos = FHasCollided = false;
  FOnDeleted = nullptr;
  FInternalData = 0;
  FSounding = FMouseIn = false;
  FHottrackColor = 0;
  FStore1 = FStore2 = 0;
  FGroup = nullptr;

  CopyFields<TAnimateObj, TCommonRecord>(*this, AObj);
  FName = AObj.FName + "_copy";
  FEnabled = true;
  for (int i = 0; i < kObjScriptSlots; ++i)
    macros[i] = AObj.macros[i] ? std::make_unique<TScriptList>(*AObj.macros[i]) : nullptr;
}

}  // namespace zkw
