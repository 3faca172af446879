#include "player/objects/animate_obj.h"

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
  if (!ReadScripts(r)) return false;
  FName = r.ShortString("object name");
  FTextID = r.ShortString("object info");
  FParentName = r.ShortString("parent object name");
  if (Version >= 0x60000) {
    Fx = r.I32("object x");
    Fy = r.I32("object y");
  } else {
    Fx = r.I16("object x");
    Fy = r.I16("object y");
  }
  FOriginX = r.I16("origin x");
  FOriginY = r.I16("origin y");
  FWidth = r.I16("object width");
  FHeight = r.I16("object height");
  FFlipX = r.I16("flip x");
  FFlipY = r.I16("flip y");
  FTrans = r.I16("transparency");
  FDibStyle = r.U8("drawing style");
  FEnabled = r.U8("visible flag") != 0;
  FLevel = r.I16("level");
  FCollide = r.U8("collision flag") != 0;
  FActive = r.U8("active flag") != 0;
  FFloatWhenClick = r.U8("float flag") != 0;
  FSensitive = r.U8("sensitive flag") != 0;
  FLocked = r.U8("locked flag") != 0;
  FContainer = r.U8("container flag") != 0;
  FTag = r.I32("tag");
  FHotCursor = r.I16("hot cursor");
  FLeftDown = false;
  return r.Ok();
}

bool TAnimateObj::Write(TRecordWriter& w) {
  WriteScripts(w);
  w.ShortString(FName);
  w.ShortString(FTextID);
  w.ShortString(FParentName);
  w.I32(Fx);
  w.I32(Fy);
  w.I16(FOriginX);
  w.I16(FOriginY);
  w.I16(FWidth);
  w.I16(FHeight);
  w.I16(FFlipX);
  w.I16(FFlipY);
  w.I16(FTrans);
  w.U8(FDibStyle);
  w.U8(FEnabled ? 1 : 0);
  w.I16(FLevel);
  w.U8(FCollide ? 1 : 0);
  w.U8(FActive ? 1 : 0);
  w.U8(FFloatWhenClick ? 1 : 0);
  w.U8(FSensitive ? 1 : 0);
  w.U8(FLocked ? 1 : 0);
  w.U8(FContainer ? 1 : 0);
  w.I32(FTag);
  w.I16(FHotCursor);
  return w.Ok();
}

bool TAnimateObj::ReadFromStream2(TRecordReader& r) {
  Fx = r.I16("object x");
  Fy = r.I16("object y");
  FOriginX = r.I16("origin x");
  FOriginY = r.I16("origin y");
  FWidth = r.I16("object width");
  FHeight = r.I16("object height");
  FFlipX = r.I16("flip x");
  FFlipY = r.I16("flip y");
  FTrans = r.I16("transparency");
  FDibStyle = r.U8("drawing style");
  FTextID.clear();
  FLevel = 0;
  FCollide = false;
  FActive = true;
  return r.Ok();
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

  FParent = AObj.FParent;
  FName = AObj.FName + "_copy";
  FID = AObj.FID;
  FDib = AObj.FDib;
  FStyle = AObj.FStyle;
  FEnabled = true;
  Fx = AObj.Fx;
  Fy = AObj.Fy;
  FOriginX = AObj.FOriginX;
  FOriginY = AObj.FOriginY;
  FWidth = AObj.FWidth;
  FHeight = AObj.FHeight;
  FFlipX = AObj.FFlipX;
  FFlipY = AObj.FFlipY;
  FTrans = AObj.FTrans;
  FDibStyle = AObj.FDibStyle;
  FTextID = AObj.FTextID;
  FLevel = AObj.FLevel;
  FCollide = AObj.FCollide;
  FActive = AObj.FActive;
  FFloatWhenClick = AObj.FFloatWhenClick;
  FSensitive = AObj.FSensitive;
  EnableEndEvent = AObj.EnableEndEvent;
  EnableClickEvent = AObj.EnableClickEvent;
  EnableCollideEvent = AObj.EnableCollideEvent;
  FHotCursor = AObj.FHotCursor;
  FLocked = AObj.FLocked;
  FContainer = AObj.FContainer;
  FTag = AObj.FTag;
  macroUserName = AObj.macroUserName;
  for (int i = 0; i < kObjScriptSlots; ++i)
    macros[i] = AObj.macros[i] ? std::make_unique<TScriptList>(*AObj.macros[i]) : nullptr;
}

}  // namespace zkw
