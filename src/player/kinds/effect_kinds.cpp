#include "player/kinds/effect_kinds.h"

#include <algorithm>

#include "common/round.h"
#include "dib/dib_base.h"
#include "player/kinds/kinds_common.h"
#include "player/scene/dib_animator.h"

namespace zkw {

namespace {

uint16_t Rate(int32_t Trans) { return static_cast<uint16_t>(std::clamp<int32_t>(Trans, 0, 100)); }

// The image piece by DibStyle (the drawing of a plain image object), with the object's flips.
void DrawPiece(TAnimateObj* o, TDibBaseObj* ADib, int32_t x) {
  TDibBaseObj* d = o->FDib;
  uint16_t rate = Rate(o->FTrans);
  switch (o->FDibStyle) {
    case 0: ADib->DrawArea(x, o->Fy, d, o->FOriginX, o->FOriginY, o->FWidth, o->FHeight, o->FFlipX, o->FFlipY); break;
    case 1: ADib->DrawPeace(x, o->Fy, d, o->FOriginX, o->FOriginY, o->FWidth, o->FHeight, o->FFlipX, o->FFlipY); break;
    case 2:
      ADib->DrawMerge(x, o->Fy, d, o->FOriginX, o->FOriginY, o->FWidth, o->FHeight, o->FFlipX, o->FFlipY, rate);
      break;
    case 3:
      ADib->DrawPeaceShadow(x, o->Fy, d, o->FOriginX, o->FOriginY, o->FWidth, o->FHeight, o->FFlipX, o->FFlipY, rate);
      break;
    case 4:
      ADib->DrawMergeOpaque(x, o->Fy, d, o->FOriginX, o->FOriginY, o->FWidth, o->FHeight, o->FFlipX, o->FFlipY, rate);
      break;
    default: break;
  }
}

// True when the object has an image it can draw.
bool ReadyToDraw(TAnimateObj* o, TDibBaseObj* ADib) {
  if (IsFarAway(o) || !o->FEnabled || !ADib) return false;
  TDibBaseObj* d = FetchImage(o);
  return d && d->Handle() != 0;
}

// The palette of an 8-bit image (null for other depths).
TRGBQuad* Palette8(TDibBaseObj* d) {
  if (!d || d->Handle() == 0 || d->Bits() != 1) return nullptr;  // one byte a pixel
  return d->DibPal;
}

// Entries the image's colour table holds (an attached image may carry fewer than 256).
int32_t PaletteEntries(TDibBaseObj* d) {
  ptrdiff_t bytes = d->DibData - reinterpret_cast<uint8_t*>(d->DibPal);
  return static_cast<int32_t>(std::clamp<ptrdiff_t>(bytes / 4, 0, 256));
}

uint8_t Channel(int32_t v, int32_t delta) { return static_cast<uint8_t>(std::clamp(v + delta, 0, 255)); }

}  // namespace

// --- kind 0: background ------------------------------------------------------------------------

TBackgroundObj::TBackgroundObj() {
  FStyle = 0;
  FID = -1;
}

bool TBackgroundObj::ReadFromStream(TRecordReader& r, int32_t Version) {
  if (!TAnimateObj::ReadFromStream(r, Version)) return false;
  FColor = r.U32("background colour");
  FBorderSize = r.I16("background border size");
  FBorderColor = r.U32("background border colour");
  FFill = Version >= 0x40000 ? ReadBool(r, "background fill") : true;
  return r.Ok();
}

bool TBackgroundObj::ReadFromStream2(TRecordReader& r) {
  if (!TAnimateObj::ReadFromStream2(r)) return false;
  FColor = r.U32("background colour");
  return r.Ok();
}

bool TBackgroundObj::Write(TRecordWriter& w) {
  TAnimateObj::Write(w);
  w.U32(FColor);
  w.I16(FBorderSize);
  w.U32(FBorderColor);
  w.U8(FFill);
  return w.Ok();
}

void TBackgroundObj::CopyFrom(const TAnimateObj& AObj) {
  TAnimateObj::CopyFrom(AObj);
  auto* b = dynamic_cast<const TBackgroundObj*>(&AObj);
  if (!b) return;
  FColor = b->FColor;
  FBorderSize = b->FBorderSize;
  FBorderColor = b->FBorderColor;
  FFill = b->FFill;
}

int32_t TBackgroundObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  switch (PropID) {
    case 136: Value = FColor; return 2;
    case 140: Value = FBorderColor; return 2;
    case 141: Value = FBorderSize; return 2;
    case 197: Value = FFill; return 2;
    default: return TAnimateObj::GetValue(PropID, Value, SValue);
  }
}

void TBackgroundObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  switch (PropID) {
    case 136: FColor = static_cast<uint32_t>(RoundProp(IValue)); break;
    case 140: FBorderColor = static_cast<uint32_t>(RoundProp(IValue)); break;
    case 141: FBorderSize = PropI16(IValue); break;
    case 197: FFill = IValue != 0; break;
    default: TAnimateObj::SetValue(PropID, SValue, IValue); return;
  }
  if (FParent) FParent->NeedDrawNow = true;
}

void TBackgroundObj::GetPropsToList(TPropList& List) {
  TAnimateObj::GetPropsToList(List);
  AddProps(List, {136, 140, 141, 197});
}

void TBackgroundObj::Draw(TDibBaseObj* ADib) {
  if (IsFarAway(this) || !FEnabled || !ADib || FWidth <= 0 || FHeight <= 0) return;
  TSmallRect r = ObjRect();
  if (FDibStyle == 2 || FDibStyle == 4) {
    uint16_t rate = Rate(FTrans);
    if (FFill) ADib->BarMerge(r.left, r.top, r.right, r.bottom, FColor, rate);
    if (FBorderSize > 0) ADib->RectangleMerge(r.left, r.top, r.right, r.bottom, FBorderSize, FBorderColor, rate);
  } else {
    if (FFill) ADib->Bar(r.left, r.top, r.right, r.bottom, FColor);
    if (FBorderSize > 0) ADib->Rectangle(r.left, r.top, r.right, r.bottom, FBorderSize, FBorderColor);
  }
  if (FContainer && FShowHotrack && FParent && FParent->FHotContainer == this) {
    ADib->RectangleMerge(r.left, r.top, r.right, r.bottom, 1, FHottrackColor, FHotOpacity);
    FHotOpacity = static_cast<uint16_t>(FHotOpacity + FHotDelta);
    if (FHotOpacity < 10 || FHotOpacity > 80) FHotDelta = -FHotDelta;
  }
}

bool TBackgroundObj::PtInObject(int32_t X, int32_t Y) { return !IsFarAway(this) && InRect(X, Y); }

bool TBackgroundObj::IsSolidAt(int32_t X, int32_t Y) { return X >= 0 && Y >= 0 && X < FWidth && Y < FHeight; }

// --- kind 1: still image -----------------------------------------------------------------------

TDibDrawObj::TDibDrawObj() {
  FStyle = 1;
  FDibStyle = 0;
}

bool TDibDrawObj::ReadFromStream(TRecordReader& r, int32_t Version) {
  if (!TAnimateObj::ReadFromStream(r, Version)) return false;
  FAutoDie = ReadBool(r, "image auto die");
  FRepeatTime = r.I16("image repeat");
  return r.Ok();
}

bool TDibDrawObj::ReadFromStream2(TRecordReader& r) { return TAnimateObj::ReadFromStream2(r); }

bool TDibDrawObj::Write(TRecordWriter& w) {
  TAnimateObj::Write(w);
  w.U8(FAutoDie);
  w.I16(FRepeatTime);
  return w.Ok();
}

void TDibDrawObj::CopyFrom(const TAnimateObj& AObj) {
  TAnimateObj::CopyFrom(AObj);
  auto* d = dynamic_cast<const TDibDrawObj*>(&AObj);
  if (!d) return;
  FAutoDie = d->FAutoDie;
  FRepeatTime = d->FRepeatTime;
}

int32_t TDibDrawObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  switch (PropID) {
    case 49: Value = FAutoDie; return 2;
    case 184: Value = FRepeatTime; return 2;
    default: return TAnimateObj::GetValue(PropID, Value, SValue);
  }
}

void TDibDrawObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  switch (PropID) {
    case 49: FAutoDie = IValue != 0; break;
    case 184: FRepeatTime = PropI16(IValue); break;
    default: TAnimateObj::SetValue(PropID, SValue, IValue); return;
  }
  if (FParent) FParent->NeedDrawNow = true;
}

void TDibDrawObj::GetPropsToList(TPropList& List) {
  TAnimateObj::GetPropsToList(List);
  AddProps(List, {49, 184});
}

void TDibDrawObj::Draw(TDibBaseObj* ADib) {
  if (IsFarAway(this) || !FEnabled || !ADib) return;
  if (FAutoDie && FParent && !FParent->Designing) {
    // Outside the view the image is let go (the animator may unload it) and nothing is drawn.
    if (Fx >= FParent->FViewWidth || Fy >= FParent->FViewHeight || Fx + FWidth <= 0 || Fy + FHeight <= 0) {
      if (FDib) ReleaseImage();
      return;
    }
  }
  if (!ReadyToDraw(this, ADib)) return;
  if (FOriginY > FDib->Height() - 1 || FOriginX > FDib->Width() - 1) return;
  FOriginX = std::max<int16_t>(FOriginX, 0);
  FOriginY = std::max<int16_t>(FOriginY, 0);
  if (FRepeatTime < 2) {
    DrawPiece(this, ADib, Fx);
    return;
  }
  int32_t w = FDib->Width();
  FWidth = static_cast<int16_t>(std::min<int32_t>(static_cast<int32_t>(FRepeatTime) * w, INT16_MAX));
  int16_t whole = FWidth;
  FWidth = static_cast<int16_t>(w);
  for (int32_t i = 0; i < FRepeatTime; ++i) DrawPiece(this, ADib, AddSat(Fx, static_cast<int64_t>(i) * w));
  FWidth = whole;
}

bool TDibDrawObj::IsSolidAt(int32_t X, int32_t Y) {
  if (!FDib) return false;
  if (FDibStyle == 0 || FDibStyle > 2) return true;
  int32_t w = FDib->Width();
  if (FRepeatTime >= 2 && w > 0 && X >= 0) X %= w;
  return IsPixelSolid(FFlipX < 0 ? std::min<int32_t>(FWidth, w) - X : X, FFlipY < 0 ? FHeight - Y : Y);
}

bool TDibDrawObj::PtInObject(int32_t X, int32_t Y) {
  if (IsFarAway(this) || !FDib || !InRect(X, Y)) return false;
  if (FDibStyle == 0 || FDibStyle >= 3) return true;
  return IsSolidAt(X - Fx, Y - Fy);
}

// --- kind 2: floating image --------------------------------------------------------------------

TDibFloatObj::TDibFloatObj() {
  FStyle = 2;
  FDx = FDy = 1;
  FBounce = true;
}

void TDibFloatObj::ReadFloatRecord(TRecordReader& r, int32_t Version, bool Old) {
  FFromX = ReadCoord(r, Version, "float from x");
  FFromY = ReadCoord(r, Version, "float from y");
  FDx = r.I16("float dx");
  FDy = r.I16("float dy");
  ReadRegion(r, Version, FRegion);
  FFlip = ReadBool(r, "float flip");
  if (!Old) {
    FEnableFlipX = ReadBool(r, "float flip x");
    FEnableFlipY = ReadBool(r, "float flip y");
  }
  FBounce = ReadBool(r, "float return");
  FIsRandom = ReadBool(r, "float random");
  if (!Old) FSpeed = r.I16("float speed");
}

bool TDibFloatObj::ReadFromStream(TRecordReader& r, int32_t Version) {
  if (!TAnimateObj::ReadFromStream(r, Version)) return false;
  ReadFloatRecord(r, Version, false);
  return r.Ok();
}

bool TDibFloatObj::ReadFromStream2(TRecordReader& r) {
  if (!TAnimateObj::ReadFromStream2(r)) return false;
  ReadFloatRecord(r, 0x20000, true);
  return r.Ok();
}

bool TDibFloatObj::Write(TRecordWriter& w) {
  TAnimateObj::Write(w);
  w.I32(FFromX);
  w.I32(FFromY);
  w.I16(FDx);
  w.I16(FDy);
  WriteRegion(w, FRegion);
  w.U8(FFlip);
  w.U8(FEnableFlipX);
  w.U8(FEnableFlipY);
  w.U8(FBounce);
  w.U8(FIsRandom);
  w.I16(FSpeed);
  return w.Ok();
}

void TDibFloatObj::CopyFrom(const TAnimateObj& AObj) {
  TMovingObj::CopyFrom(AObj);
  auto* f = dynamic_cast<const TDibFloatObj*>(&AObj);
  if (!f) return;
  FSpeed = f->FSpeed;
  FSpeedCount = f->FSpeedCount;
}

int32_t TDibFloatObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  if (GetMotionValue(PropID, Value)) return 2;
  switch (PropID) {
    case 28: Value = FBounce; return 2;
    case 30: Value = FSpeed; return 2;
    default: return TAnimateObj::GetValue(PropID, Value, SValue);
  }
}

void TDibFloatObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  if (SetMotionValue(PropID, IValue)) return;
  switch (PropID) {
    case 28: FBounce = IValue != 0; break;
    case 30: FSpeed = PropI16(IValue); break;
    default: TAnimateObj::SetValue(PropID, SValue, IValue); break;
  }
}

void TDibFloatObj::GetPropsToList(TPropList& List) {
  TAnimateObj::GetPropsToList(List);
  AddPropRange(List, 17, 30);
}

void TDibFloatObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  if (!FEnabled || !FetchImage(this) || !FActive) return;
  if (FParentSetPos) {
    FParentSetPos = false;
    return;
  }
  if (++FSpeedCount < FSpeed) return;
  FSpeedCount = 0;
  MoveStep();
}

void TDibFloatObj::CollideAction(uint8_t Edges) {
  auto randomIn = [](int32_t lo, int32_t hi) {
    return AddSat(lo, Round(AniRandomFraction() * (static_cast<double>(hi) - lo)));
  };
  if (Edges & (EdgeBit(ceLeft) | EdgeBit(ceRight))) {
    if (FBounce) {
      FDx = static_cast<int16_t>(-FDx);
      if (FFlip && FEnableFlipX) FFlipX = static_cast<int16_t>(-FFlipX);
    } else {
      Fx = FFromX;
      if (FIsRandom && FDy == 0) Fy = randomIn(FRegion.top, FRegion.bottom);
    }
  }
  if (Edges & (EdgeBit(ceTop) | EdgeBit(ceBottom))) {
    if (FBounce) {
      FDy = static_cast<int16_t>(-FDy);
      if (FFlip && FEnableFlipY) FFlipY = static_cast<int16_t>(-FFlipY);
    } else {
      Fy = FFromY;
      if (FIsRandom && FDx == 0) Fx = randomIn(FRegion.left, FRegion.right);
    }
  }
  ReportCollision(Edges);
}

void TDibFloatObj::Draw(TDibBaseObj* ADib) {
  if (!ReadyToDraw(this, ADib)) return;
  TAnimateObj::Draw(ADib);
}

// --- kind 3: floating image with a shadow ------------------------------------------------------

TDibFloatShadow::TDibFloatShadow() { FStyle = 3; }

bool TDibFloatShadow::ReadFromStream(TRecordReader& r, int32_t Version) {
  if (!TDibFloatObj::ReadFromStream(r, Version)) return false;
  FShadowX = r.I16("shadow x");
  FShadowY = r.I16("shadow y");
  FShadow = r.I16("shadow rate");
  return r.Ok();
}

bool TDibFloatShadow::ReadFromStream2(TRecordReader& r) {
  if (!TDibFloatObj::ReadFromStream2(r)) return false;
  FShadowX = r.I16("shadow x");
  FShadowY = r.I16("shadow y");
  FShadow = r.I16("shadow rate");
  return r.Ok();
}

bool TDibFloatShadow::Write(TRecordWriter& w) {
  TDibFloatObj::Write(w);
  w.I16(FShadowX);
  w.I16(FShadowY);
  w.I16(FShadow);
  return w.Ok();
}

void TDibFloatShadow::CopyFrom(const TAnimateObj& AObj) {
  TDibFloatObj::CopyFrom(AObj);
  auto* s = dynamic_cast<const TDibFloatShadow*>(&AObj);
  if (!s) return;
  FShadowX = s->FShadowX;
  FShadowY = s->FShadowY;
  FShadow = s->FShadow;
}

void TDibFloatShadow::Draw(TDibBaseObj* ADib) {
  if (!ReadyToDraw(this, ADib)) return;
  if (FOriginX >= 0 && FOriginY >= 0 && FOriginX < FDib->Width() && FOriginY < FDib->Height())
    ADib->DrawPeaceShadow(AddSat(Fx, FShadowX), AddSat(Fy, FShadowY), FDib, FOriginX, FOriginY, FWidth, FHeight,
                          FFlipX, FFlipY, Rate(FShadow));
  TAnimateObj::Draw(ADib);
}

// --- kind 14: one-way slider -------------------------------------------------------------------

TFloatLimitObj::TFloatLimitObj() { FStyle = 14; }

void TFloatLimitObj::ReadOwn(TRecordReader& r) {
  FFromPos = r.I16("slider from");
  FToPos = r.I16("slider to");
  FDelta = r.I16("slider delta");
  FOrient = r.U8("slider orientation");
}

bool TFloatLimitObj::ReadFromStream(TRecordReader& r, int32_t Version) {
  if (!TAnimateObj::ReadFromStream(r, Version)) return false;
  ReadOwn(r);
  return r.Ok();
}

bool TFloatLimitObj::ReadFromStream2(TRecordReader& r) {
  if (!TAnimateObj::ReadFromStream2(r)) return false;
  ReadOwn(r);
  return r.Ok();
}

bool TFloatLimitObj::Write(TRecordWriter& w) {
  TAnimateObj::Write(w);
  w.I16(FFromPos);
  w.I16(FToPos);
  w.I16(FDelta);
  w.U8(FOrient);
  return w.Ok();
}

void TFloatLimitObj::CopyFrom(const TAnimateObj& AObj) {
  TAnimateObj::CopyFrom(AObj);
  auto* f = dynamic_cast<const TFloatLimitObj*>(&AObj);
  if (!f) return;
  FFromPos = f->FFromPos;
  FToPos = f->FToPos;
  FDelta = f->FDelta;
  FOrient = f->FOrient;
}

void TFloatLimitObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  if (!FEnabled || !FActive) return;
  if (FParentSetPos) {
    FParentSetPos = false;
    return;
  }
  int32_t oldX = Fx, oldY = Fy;
  int32_t& pos = FOrient == 1 ? Fy : Fx;
  int32_t lo = std::min(FFromPos, FToPos), hi = std::max(FFromPos, FToPos);
  pos = AddSat(pos, FDelta);
  if (pos < lo || pos > hi) {
    pos = pos < lo ? lo : hi;
    FDelta = static_cast<int16_t>(-FDelta);
    // Hidden by the flag alone: no hide event, the image stays.
    FEnabled = false;
  }
  if (Fx != oldX || Fy != oldY) PositionChanged(oldX, oldY);
}

void TFloatLimitObj::Draw(TDibBaseObj* ADib) {
  if (!ReadyToDraw(this, ADib)) return;
  TAnimateObj::Draw(ADib);
}

// --- kind 19: brightness -----------------------------------------------------------------------

TBrightObj::TBrightObj() { FStyle = 19; }

void TBrightObj::SetColor(int32_t Index, bool On) {
  if (Index < 0 || Index > 255) return;
  uint8_t bit = static_cast<uint8_t>(1u << (Index & 7));
  uint8_t& b = FColors[static_cast<size_t>(Index >> 3)];
  b = static_cast<uint8_t>(On ? (b | bit) : (b & ~bit));
}

void TBrightObj::ReadOwn(TRecordReader& r) {
  FMin = r.I16("brightness min");
  FMax = r.I16("brightness max");
  FCurrent = r.I16("brightness current");
  FIncreasement = r.I16("brightness step");
  FReturn = ReadBool(r, "brightness return");
  r.Bytes(FColors.data(), 32, "brightness colour set");
}

bool TBrightObj::ReadFromStream(TRecordReader& r, int32_t Version) {
  if (!TAnimateObj::ReadFromStream(r, Version)) return false;
  ReadOwn(r);
  return r.Ok();
}

bool TBrightObj::ReadFromStream2(TRecordReader& r) {
  if (!TAnimateObj::ReadFromStream2(r)) return false;
  ReadOwn(r);
  return r.Ok();
}

bool TBrightObj::Write(TRecordWriter& w) {
  TAnimateObj::Write(w);
  w.I16(FMin);
  w.I16(FMax);
  w.I16(FCurrent);
  w.I16(FIncreasement);
  w.U8(FReturn);
  for (uint8_t b : FColors) w.U8(b);
  return w.Ok();
}

void TBrightObj::CopyFrom(const TAnimateObj& AObj) {
  TAnimateObj::CopyFrom(AObj);
  auto* b = dynamic_cast<const TBrightObj*>(&AObj);
  if (!b) return;
  FMin = b->FMin;
  FMax = b->FMax;
  FCurrent = b->FCurrent;
  FIncreasement = b->FIncreasement;
  FReturn = b->FReturn;
  FColors = b->FColors;
}

int32_t TBrightObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  switch (PropID) {
    case 28: Value = FReturn; return 2;
    case 46: Value = FIncreasement; return 2;
    case 103: Value = FMax; return 2;
    case 194: Value = FMin; return 2;
    default: return TAnimateObj::GetValue(PropID, Value, SValue);
  }
}

void TBrightObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  switch (PropID) {
    case 28: FReturn = IValue != 0; break;
    case 46: FIncreasement = PropI16(IValue); break;
    case 103: FMax = PropI16(IValue); break;
    case 194: FMin = PropI16(IValue); break;
    default: TAnimateObj::SetValue(PropID, SValue, IValue); break;
  }
}

void TBrightObj::GetPropsToList(TPropList& List) {
  TAnimateObj::GetPropsToList(List);
  AddProps(List, {194, 103, 46, 28});
}

void TBrightObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  if (!FEnabled || !FActive) return;
  int32_t lo = std::min(FMin, FMax), hi = std::max(FMin, FMax);
  int32_t v = FCurrent + FIncreasement;
  if (v > hi || v < lo) {
    if (FReturn) {
      FIncreasement = static_cast<int16_t>(-FIncreasement);
      v = std::clamp(v, lo, hi);
    } else {
      v = FIncreasement >= 0 ? lo : hi;
    }
  }
  FCurrent = static_cast<int16_t>(v);
  if (FParent) FParent->NeedDrawNow = true;
}

void TBrightObj::Draw(TDibBaseObj* ADib) {
  if (!ReadyToDraw(this, ADib)) return;
  TRGBQuad* pal = Palette8(FDib);
  if (!pal) {
    TAnimateObj::Draw(ADib);
    return;
  }
  int32_t n = PaletteEntries(FDib);
  std::array<TRGBQuad, 256> saved;
  std::copy(pal, pal + n, saved.begin());
  for (int32_t i = 0; i < n; ++i) {
    if (!HasColor(i)) continue;
    pal[i].rgbRed = Channel(pal[i].rgbRed, FCurrent);
    pal[i].rgbGreen = Channel(pal[i].rgbGreen, FCurrent);
    pal[i].rgbBlue = Channel(pal[i].rgbBlue, FCurrent);
  }
  TAnimateObj::Draw(ADib);
  std::copy(saved.begin(), saved.begin() + n, pal);
}

// --- kind 21: fading floater -------------------------------------------------------------------

TMergeObj::TMergeObj() {
  FStyle = 21;
  FDibStyle = 2;
  FBounce = true;
}

void TMergeObj::ReadOwn(TRecordReader& r, int32_t Version) {
  FDt = r.I16("merge step");
  FMinTrans = r.I16("merge min");
  FMaxTrans = r.I16("merge max");
  FReturn = ReadBool(r, "merge return");
  FFromX = ReadCoord(r, Version, "merge from x");
  FFromY = ReadCoord(r, Version, "merge from y");
  FDx = r.I16("merge dx");
  FDy = r.I16("merge dy");
  FFlip = ReadBool(r, "merge flip");
  FBounce = ReadBool(r, "merge move return");
  FIsRandom = ReadBool(r, "merge random");
  ReadRegion(r, Version, FRegion);
}

bool TMergeObj::ReadFromStream(TRecordReader& r, int32_t Version) {
  if (!TAnimateObj::ReadFromStream(r, Version)) return false;
  ReadOwn(r, Version);
  return r.Ok();
}

bool TMergeObj::ReadFromStream2(TRecordReader& r) {
  if (!TAnimateObj::ReadFromStream2(r)) return false;
  ReadOwn(r, 0x20000);
  return r.Ok();
}

bool TMergeObj::Write(TRecordWriter& w) {
  TAnimateObj::Write(w);
  w.I16(FDt);
  w.I16(FMinTrans);
  w.I16(FMaxTrans);
  w.U8(FReturn);
  w.I32(FFromX);
  w.I32(FFromY);
  w.I16(FDx);
  w.I16(FDy);
  w.U8(FFlip);
  w.U8(FBounce);
  w.U8(FIsRandom);
  WriteRegion(w, FRegion);
  return w.Ok();
}

void TMergeObj::CopyFrom(const TAnimateObj& AObj) {
  TMovingObj::CopyFrom(AObj);
  auto* m = dynamic_cast<const TMergeObj*>(&AObj);
  if (!m) return;
  FDt = m->FDt;
  FMinTrans = m->FMinTrans;
  FMaxTrans = m->FMaxTrans;
  FReturn = m->FReturn;
}

int32_t TMergeObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  if (GetMotionValue(PropID, Value)) return 2;
  switch (PropID) {
    case 28: Value = FReturn; return 2;
    case 46: Value = FDt; return 2;
    case 47: Value = FBounce; return 2;
    case 61: Value = FMinTrans; return 2;
    case 62: Value = FMaxTrans; return 2;
    default: return TAnimateObj::GetValue(PropID, Value, SValue);
  }
}

void TMergeObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  if (SetMotionValue(PropID, IValue)) return;
  switch (PropID) {
    case 28: FReturn = IValue != 0; break;
    case 46: FDt = PropI16(IValue); break;
    case 47: FBounce = IValue != 0; break;
    case 61: FMinTrans = PropI16(IValue); break;
    case 62: FMaxTrans = PropI16(IValue); break;
    default: TAnimateObj::SetValue(PropID, SValue, IValue); break;
  }
}

void TMergeObj::GetPropsToList(TPropList& List) {
  TAnimateObj::GetPropsToList(List);
  AddPropRange(List, 17, 29);
  AddProps(List, {46, 47, 61, 62});
}

void TMergeObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  if (!FEnabled || !FetchImage(this) || !FActive) return;
  int32_t lo = std::min(FMinTrans, FMaxTrans), hi = std::max(FMinTrans, FMaxTrans);
  int32_t t = FTrans + FDt;
  if (t > hi || t < lo) {
    if (FReturn) {
      FDt = static_cast<int16_t>(-FDt);
      t = std::clamp(t, lo, hi);
    } else {
      t = FMinTrans;
    }
  }
  FTrans = static_cast<int16_t>(t);
  if (FParentSetPos) {
    FParentSetPos = false;
    return;
  }
  MoveStep();
}

void TMergeObj::Draw(TDibBaseObj* ADib) {
  if (!ReadyToDraw(this, ADib)) return;
  if (FOriginX < 0 || FOriginY < 0 || FOriginX >= FDib->Width() || FOriginY >= FDib->Height()) return;
  ADib->DrawMerge(Fx, Fy, FDib, FOriginX, FOriginY, FWidth, FHeight, FFlipX, FFlipY, Rate(FTrans));
}

// --- kind 23: palette rotation -----------------------------------------------------------------

TAniPaletteObj::TAniPaletteObj() { FStyle = 23; }

bool TAniPaletteObj::ReadFromStream(TRecordReader& r, int32_t Version) {
  if (!TAnimateObj::ReadFromStream(r, Version)) return false;
  FFromColor = r.I16("palette from");
  FToColor = r.I16("palette to");
  return r.Ok();
}

bool TAniPaletteObj::ReadFromStream2(TRecordReader& r) {
  if (!TAnimateObj::ReadFromStream2(r)) return false;
  FFromColor = r.I16("palette from");
  FToColor = r.I16("palette to");
  return r.Ok();
}

bool TAniPaletteObj::Write(TRecordWriter& w) {
  TAnimateObj::Write(w);
  w.I16(FFromColor);
  w.I16(FToColor);
  return w.Ok();
}

void TAniPaletteObj::CopyFrom(const TAnimateObj& AObj) {
  TAnimateObj::CopyFrom(AObj);
  auto* p = dynamic_cast<const TAniPaletteObj*>(&AObj);
  if (!p) return;
  FFromColor = p->FFromColor;
  FToColor = p->FToColor;
}

void TAniPaletteObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  if (!FEnabled || !FActive) return;
  TRGBQuad* pal = Palette8(FetchImage(this));
  // Entries outside the palette are never touched, whatever the record says.
  if (!pal) return;
  int32_t from = std::max<int32_t>(FFromColor, 0), to = std::min<int32_t>(FToColor, PaletteEntries(FDib) - 1);
  if (from >= to) return;
  TRGBQuad first = pal[from];
  std::copy(pal + from + 1, pal + to + 1, pal + from);
  pal[to] = first;
  if (FParent) FParent->NeedDrawNow = true;
}

void TAniPaletteObj::Draw(TDibBaseObj* ADib) {
  if (!ReadyToDraw(this, ADib)) return;
  TAnimateObj::Draw(ADib);
}

// --- kind 24: growing squares ------------------------------------------------------------------

TAniSquaresObj::TAniSquaresObj() {
  FStyle = 24;
  FID = -1;
}

void TAniSquaresObj::ReadOwn(TRecordReader& r) {
  FNumSquare = r.I16("squares count");
  FColor = r.U32("squares colour");
  FSpeed = r.I16("squares speed");
  FRandomColor = ReadBool(r, "squares random colour");
  FEnableMerge = ReadBool(r, "squares merge");
  FThickness = r.I16("squares thickness");
}

bool TAniSquaresObj::ReadFromStream(TRecordReader& r, int32_t Version) {
  if (!TAnimateObj::ReadFromStream(r, Version)) return false;
  ReadOwn(r);
  return r.Ok();
}

bool TAniSquaresObj::ReadFromStream2(TRecordReader& r) {
  if (!TAnimateObj::ReadFromStream2(r)) return false;
  ReadOwn(r);
  return r.Ok();
}

bool TAniSquaresObj::Write(TRecordWriter& w) {
  TAnimateObj::Write(w);
  w.I16(FNumSquare);
  w.U32(FColor);
  w.I16(FSpeed);
  w.U8(FRandomColor);
  w.U8(FEnableMerge);
  w.I16(FThickness);
  return w.Ok();
}

void TAniSquaresObj::CopyFrom(const TAnimateObj& AObj) {
  TAnimateObj::CopyFrom(AObj);
  auto* s = dynamic_cast<const TAniSquaresObj*>(&AObj);
  if (!s) return;
  FNumSquare = s->FNumSquare;
  FColor = s->FColor;
  FSpeed = s->FSpeed;
  FRandomColor = s->FRandomColor;
  FEnableMerge = s->FEnableMerge;
  FThickness = s->FThickness;
}

int32_t TAniSquaresObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  switch (PropID) {
    case 30: Value = FSpeed; return 2;
    case 136: Value = FColor; return 2;
    default: return TAnimateObj::GetValue(PropID, Value, SValue);
  }
}

void TAniSquaresObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  switch (PropID) {
    case 30: FSpeed = PropI16(IValue); break;
    case 136: FColor = static_cast<uint32_t>(RoundProp(IValue)); break;
    default: TAnimateObj::SetValue(PropID, SValue, IValue); break;
  }
}

void TAniSquaresObj::GetPropsToList(TPropList& List) {
  TAnimateObj::GetPropsToList(List);
  AddProps(List, {30, 136});
}

TAniSquaresObj::TSquareObj TAniSquaresObj::NewSquare() const {
  TSquareObj s;
  s.x = AniRandomBelow(FWidth);
  s.y = AniRandomBelow(FHeight);
  int32_t most = FSpeed > 0 ? FWidth / 2 : FWidth;
  s.size = 1 + AniRandomBelow(std::max(most, 1));
  s.color = FRandomColor ? static_cast<uint32_t>(AniRandomBelow(0x1000000)) : FColor;
  s.opacity = FEnableMerge ? (FSpeed > 0 ? 20 : 100) : 100;
  return s;
}

void TAniSquaresObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  if (!FEnabled || !FActive) return;
  size_t want = static_cast<size_t>(std::max<int16_t>(FNumSquare, 0));
  if (FSquares.size() > want) FSquares.resize(want);
  for (TSquareObj& s : FSquares) {
    s.size += FSpeed;
    if (s.size > FWidth || s.size < 1) {
      s = NewSquare();
      continue;
    }
    if (FEnableMerge) s.opacity = std::clamp(s.opacity + (FSpeed > 0 ? 2 : -2), 5, 100);
  }
  while (FSquares.size() < want) FSquares.push_back(NewSquare());
  if (FParent) FParent->NeedDrawNow = true;
}

void TAniSquaresObj::Draw(TDibBaseObj* ADib) {
  if (IsFarAway(this) || !FEnabled || !ADib) return;
  int32_t thick = std::max<int16_t>(FThickness, 1);
  for (const TSquareObj& s : FSquares) {
    // Centred on the square's point.
    int32_t left = Fx + s.x - s.size / 2, top = Fy + s.y - s.size / 2;
    int32_t right = left + s.size - 1, bottom = top + s.size - 1;
    if (FEnableMerge)
      ADib->RectangleMerge(left, top, right, bottom, thick, s.color, static_cast<uint16_t>(s.opacity));
    else
      ADib->Rectangle(left, top, right, bottom, thick, s.color);
  }
}

}  // namespace zkw
