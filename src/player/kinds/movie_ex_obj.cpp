#include "player/kinds/movie_ex_obj.h"

#include <algorithm>

#include "dib/dib_base.h"
#include "player/kinds/kinds_common.h"
#include "player/scene/dib_animator.h"

namespace zkw {

TDibMovieExObj::TDibMovieExObj() {
  FStyle = 26;
  macroUserName = "OnFrameChange";
  FBounce = true;
}

bool TDibMovieExObj::ReadItems(TRecordReader& r, int32_t Version, int16_t Count) {
  int32_t itemBytes = Version >= 0x60000 ? 12 : 8;
  if (Count < 0 || Count > r.Remaining() / itemBytes)
    return r.Fail("movie item count " + std::to_string(Count) + " cannot fit in the file");
  FItems.clear();
  for (int16_t i = 0; i < Count && r.Ok(); ++i) {
    TFrameItem item;
    item.Frame = r.I16("movie item frame");
    item.Interval = r.I16("movie item interval");
    item.X = ReadCoord(r, Version, "movie item x");
    item.Y = ReadCoord(r, Version, "movie item y");
    FItems.push_back(item);
  }
  ComputeDeltas();
  return r.Ok();
}

bool TDibMovieExObj::ReadFromStream(TRecordReader& r, int32_t Version) {
  if (!TAnimateObj::ReadFromStream(r, Version)) return false;
  FDx = r.I16("movie dx");
  FDy = r.I16("movie dy");
  ReadRegion(r, Version, FRegion);
  FOrient = r.U8("movie orientation");
  FFlip = ReadBool(r, "movie flip");
  FReturn = ReadBool(r, "movie return");
  FFromX = ReadCoord(r, Version, "movie from x");
  FFromY = ReadCoord(r, Version, "movie from y");
  FBounce = ReadBool(r, "movie move return");
  FMaxFrames = r.I16("movie frames");
  int16_t count = r.I16("movie item count");
  FLocated = ReadBool(r, "movie located flag");
  FPlayFrom = r.I16("movie play from");
  FPlayTo = r.I16("movie play to");
  FLoopCount = r.I16("movie loop count");
  FAutoDie = ReadBool(r, "movie auto die");
  FRelativePos = Version >= 0x60000 ? ReadBool(r, "movie relative flag") : false;
  if (!r.Ok()) return false;
  return ReadItems(r, Version, count);
}

bool TDibMovieExObj::ReadFromStream2(TRecordReader& r) {
  if (!TAnimateObj::ReadFromStream2(r)) return false;
  FDx = r.I16("movie dx");
  FDy = r.I16("movie dy");
  ReadRegion(r, 0x20000, FRegion);
  FOrient = r.U8("movie orientation");
  FFlip = ReadBool(r, "movie flip");
  FReturn = ReadBool(r, "movie return");
  FFromX = r.I16("movie from x");
  FFromY = r.I16("movie from y");
  FBounce = ReadBool(r, "movie move return");
  FMaxFrames = r.I16("movie frames");
  int16_t count = r.I16("movie item count");
  FLocated = ReadBool(r, "movie located flag");
  if (!r.Ok()) return false;
  if (!ReadItems(r, 0x20000, count)) return false;
  FPlayFrom = 1;
  FPlayTo = count;
  FLoopCount = 0;
  return true;
}

bool TDibMovieExObj::Write(TRecordWriter& w) {
  TAnimateObj::Write(w);
  w.I16(FDx);
  w.I16(FDy);
  WriteRegion(w, FRegion);
  w.U8(FOrient);
  w.U8(FFlip);
  w.U8(FReturn);
  w.I32(FFromX);
  w.I32(FFromY);
  w.U8(FBounce);
  w.I16(FMaxFrames);
  size_t count = std::min<size_t>(FItems.size(), 32767);
  w.I16(static_cast<int16_t>(count));
  w.U8(FLocated);
  w.I16(FPlayFrom);
  w.I16(FPlayTo);
  w.I16(FLoopCount);
  w.U8(FAutoDie);
  w.U8(FRelativePos);
  for (size_t i = 0; i < count; ++i) {
    w.I16(FItems[i].Frame);
    w.I16(FItems[i].Interval);
    w.I32(FItems[i].X);
    w.I32(FItems[i].Y);
  }
  return w.Ok();
}

void TDibMovieExObj::CopyFrom(const TAnimateObj& AObj) {
  TMovingObj::CopyFrom(AObj);
  auto* m = dynamic_cast<const TDibMovieExObj*>(&AObj);
  if (!m) return;
  FOrient = m->FOrient;
  FReturn = m->FReturn;
  FMaxFrames = m->FMaxFrames;
  FItems = m->FItems;
  FLocated = m->FLocated;
  FRelativePos = m->FRelativePos;
  FPlayFrom = m->FPlayFrom;
  FPlayTo = m->FPlayTo;
  FLoopCount = m->FLoopCount;
  FAutoDie = m->FAutoDie;
  FIndex = m->FIndex;
  FStep = m->FStep;
  FFrame = m->FFrame;
}

void TDibMovieExObj::ComputeDeltas() {
  for (size_t i = 0; i < FItems.size(); ++i) {
    const TFrameItem& next = FItems[i + 1 < FItems.size() ? i + 1 : i];
    FItems[i].Dx = AddSat(next.X, -static_cast<int64_t>(FItems[i].X));
    FItems[i].Dy = AddSat(next.Y, -static_cast<int64_t>(FItems[i].Y));
  }
}

bool TDibMovieExObj::PosOfFrame(int32_t Index, int32_t& X, int32_t& Y) const {
  if (Index < 1 || Index > static_cast<int32_t>(FItems.size())) return false;
  X = FItems[static_cast<size_t>(Index) - 1].X;
  Y = FItems[static_cast<size_t>(Index) - 1].Y;
  return true;
}

void TDibMovieExObj::ShiftFramePos(int32_t Dx, int32_t Dy) {
  for (TFrameItem& item : FItems) {
    item.X = AddSat(item.X, Dx);
    item.Y = AddSat(item.Y, Dy);
  }
}

void TDibMovieExObj::EndMovie() {
  TAnimateObj::SetActive(false);
  if (Macro(ocEnd) && EnableEndEvent && FParent) {
    FParent->FEventValue1 = FParent->FEventValue2 = 0;
    RunMacro(ocEnd, ocEnd);
  }
  if (FAutoDie) Die();
}

void TDibMovieExObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  bool parentMoved = FParentSetPos;
  FParentSetPos = false;
  if (!FEnabled || !FetchImage(this) || !FActive || FItems.empty()) return;
  int32_t count = static_cast<int32_t>(FItems.size());
  if (--FWait <= 0) {
    int32_t from = std::clamp<int32_t>(std::max<int16_t>(FPlayFrom, 1), 1, count);
    int32_t to = std::clamp<int32_t>(FPlayTo, 1, count);
    int32_t lo = std::min(from, to), hi = std::max(from, to);
    // The index held within the range by the movie's return, loop and end rules.
    if (FIndex > hi || FIndex < lo) {
      if (FReturn) {
        bool atStart = FIndex < lo;
        FStep = -FStep;
        FIndex = atStart ? std::min(lo + 1, hi) : std::max(hi - 1, lo);
        if (atStart && FLoopCount > 0 && ++FLoop > FLoopCount) {
          EndMovie();
          return;
        }
      } else {
        FIndex = FStep > 0 ? lo : hi;
        if (FLoopCount > 0 && ++FLoop > FLoopCount) {
          FIndex = FStep > 0 ? hi : lo;
          EndMovie();
          return;
        }
      }
    }
    const TFrameItem& item = FItems[static_cast<size_t>(FIndex) - 1];
    FFrame = item.Frame;
    FWait = std::max<int16_t>(item.Interval, 1);
    if (FLocated && !FRelativePos) {
      SetPos(item.X, item.Y);
    } else if (FRelativePos && FIndex - FStep >= 1 && FIndex - FStep <= count) {
      const TFrameItem& previous = FItems[static_cast<size_t>(FIndex - FStep) - 1];
      int64_t dx = FStep > 0 ? previous.Dx : -static_cast<int64_t>(item.Dx);
      int64_t dy = FStep > 0 ? previous.Dy : -static_cast<int64_t>(item.Dy);
      SetPos(AddSat(Fx, dx), AddSat(Fy, dy));
    }
    int32_t old = FIndex;
    FIndex += FStep;
    RaiseUserEvent(this, ocUserRaised, old, FIndex);
    if (FParent) FParent->NeedDrawNow = true;
  }
  if (!FLocated && !parentMoved) MoveStep();
}

void TDibMovieExObj::Draw(TDibBaseObj* ADib) {
  if (IsFarAway(this)) return;
  if (!FEnabled || !ADib || !FetchImage(this) || FDib->Handle() == 0) return;
  int32_t frames = std::max<int32_t>(1, FMaxFrames);
  int32_t frame = std::clamp<int32_t>(FFrame, 1, frames);
  int32_t px = 0, py = 0;
  if (FOrient == 0) {
    FWidth = static_cast<int16_t>(FDib->Width() / frames);
    FHeight = static_cast<int16_t>(FDib->Height());
    px = (frame - 1) * FWidth;
  } else {
    FWidth = static_cast<int16_t>(FDib->Width());
    FHeight = static_cast<int16_t>(FDib->Height() / frames);
    py = (frame - 1) * FHeight;
  }
  uint16_t rate = static_cast<uint16_t>(std::clamp<int32_t>(FTrans, 0, 100));
  switch (FDibStyle) {
    case 0: ADib->DrawArea(Fx, Fy, FDib, px, py, FWidth, FHeight, FFlipX, FFlipY); break;
    case 1: ADib->DrawPeace(Fx, Fy, FDib, px, py, FWidth, FHeight, FFlipX, FFlipY); break;
    case 2: ADib->DrawMerge(Fx, Fy, FDib, px, py, FWidth, FHeight, FFlipX, FFlipY, rate); break;
    case 3: ADib->DrawPeaceShadow(Fx, Fy, FDib, px, py, FWidth, FHeight, FFlipX, FFlipY, rate); break;
    case 4: ADib->DrawMergeOpaque(Fx, Fy, FDib, px, py, FWidth, FHeight, FFlipX, FFlipY, rate); break;
    default: break;
  }
}

void TDibMovieExObj::Reset() {
  int16_t count = static_cast<int16_t>(std::max<size_t>(1, std::min<size_t>(FItems.size(), 32767)));
  FPlayFrom = std::clamp<int16_t>(FPlayFrom, 1, count);
  FPlayTo = std::clamp<int16_t>(FPlayTo, 1, count);
  FStep = FPlayTo < FPlayFrom ? -1 : 1;
  FIndex = FPlayFrom;
  FLoop = 1;
  FWait = 0;
  if (FParent) FParent->NeedDrawNow = true;
}

void TDibMovieExObj::BeforePlay() {
  Reset();
  ComputeDeltas();
}

void TDibMovieExObj::SetActive(bool Value) {
  TAnimateObj::SetActive(Value);
  if (Value) Reset();
}

bool TDibMovieExObj::PlayFrames(int32_t From, int32_t To) {
  FPlayFrom = static_cast<int16_t>(From > 0 ? From : FIndex);
  FPlayTo = static_cast<int16_t>(To);
  Reset();
  return true;
}

int32_t TDibMovieExObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  if (GetMotionValue(PropID, Value)) return 2;
  switch (PropID) {
    case 28: Value = FReturn; return 2;
    case 43: Value = FMaxFrames; return 2;
    case 44: Value = FPlayFrom; return 2;
    case 45: Value = FPlayTo; return 2;
    case 47: Value = FBounce; return 2;
    case 48: Value = FLoopCount; return 2;
    case 49: Value = FAutoDie; return 2;
    case 130: Value = FFrame; return 2;
    case 165: Value = FIndex; return 2;
    case 169: Value = static_cast<long double>(FItems.size()); return 2;
    case 191: Value = FRelativePos; return 2;
    default: return TAnimateObj::GetValue(PropID, Value, SValue);
  }
}

void TDibMovieExObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  if (SetMotionValue(PropID, IValue)) return;
  int16_t n = PropI16(IValue);
  bool b = IValue != 0;
  switch (PropID) {
    case 28: FReturn = b; break;
    case 43: FMaxFrames = n; break;
    case 44: FPlayFrom = n; break;
    case 45: FPlayTo = n; break;
    case 47: FBounce = b; break;
    case 48: FLoopCount = n; break;
    case 49: FAutoDie = b; break;
    case 130:
      FFrame = n;
      if (FParent) FParent->NeedDrawNow = true;
      break;
    case 165: FIndex = n; break;
    case 191: FRelativePos = b; break;
    default: TAnimateObj::SetValue(PropID, SValue, IValue); break;
  }
}

void TDibMovieExObj::GetPropsToList(TPropList& List) {
  TAnimateObj::GetPropsToList(List);
  AddPropRange(List, 17, 29);
  AddProps(List, {43, 44, 45, 47, 48, 49, 130, 165, 169, 191});
}

}  // namespace zkw
