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

template <class V>
void TDibMovieExObj::Fields(V& v) {
  using namespace fields;
  v.ListOrder({17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 43, 44, 45, 47, 48, 49, 130, 165, 169, 191});
  v(&Self::FDx, I16("Dx").Prop(19));
  v(&Self::FDy, I16("Dy").Prop(20));
  v(&Self::FRegion, Region("Region").Prop(21));
  v(&Self::FOrient, U8("Orient"));
  v(&Self::FFlip, Bool("Flip").Prop(25));
  v(&Self::FReturn, Bool("Return").Prop(28));
  v(&Self::FFromX, Coord("FromX").Prop(17));
  v(&Self::FFromY, Coord("FromY").Prop(18));
  v(&Self::FBounce, Bool("MoveReturn").Prop(47));
  v(&Self::FMaxFrames, I16("MaxFrames").Prop(43));
  v.Block(&Self::ReadItemCount, &Self::WriteItemCount);
  v(&Self::FLocated, Bool("Located"));
  v(&Self::FPlayFrom, I16("PlayFrom").NotOld().Prop(44));
  v(&Self::FPlayTo, I16("PlayTo").NotOld().Prop(45));
  v(&Self::FLoopCount, I16("LoopCount").NotOld().Prop(48));
  v(&Self::FAutoDie, Bool("AutoDie").NotOld().Prop(49));
  v(&Self::FRelativePos, Bool("RelativePos").Since(0x60000).Prop(191));
  v.Block(&Self::ReadItems, &Self::WriteItems);
  v(&Self::FEnableFlipX, Kept("EnableFlipX").Prop(26));
  v(&Self::FEnableFlipY, Kept("EnableFlipY").Prop(27));
  v(&Self::FIsRandom, Kept("IsRandom").Prop(29));
  v(&Self::FFrame, Kept("Frame").Prop(130));
  v(&Self::FIndex, Kept("ItemIndex").Prop(165).Via16());
  v(&Self::FItems, Kept("Items"));
  v(&Self::FStep, Kept("Step"));
}
template class TKind<TDibMovieExObj, TMovingObj>;

bool TDibMovieExObj::ReadItemCount(TRecordReader& r, int32_t Version) {
  (void)Version;
  FReadCount = r.I16("movie item count");
  return r.Ok();
}

void TDibMovieExObj::WriteItemCount(TRecordWriter& w) const {
  w.I16(static_cast<int16_t>(std::min<size_t>(FItems.size(), 32767)));
}

bool TDibMovieExObj::ReadItems(TRecordReader& r, int32_t Version) {
  const int16_t count = FReadCount;
  int32_t itemBytes = Version >= 0x60000 ? 12 : 8;
  if (count < 0 || count > r.Remaining() / itemBytes)
    return r.Fail("movie item count " + std::to_string(count) + " cannot fit in the file");
  FItems.clear();
  for (int16_t i = 0; i < count && r.Ok(); ++i) {
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

void TDibMovieExObj::WriteItems(TRecordWriter& w) const {
  size_t count = std::min<size_t>(FItems.size(), 32767);
  for (size_t i = 0; i < count; ++i) {
    w.I16(FItems[i].Frame);
    w.I16(FItems[i].Interval);
    w.I32(FItems[i].X);
    w.I32(FItems[i].Y);
  }
}

bool TDibMovieExObj::ReadKindRecord(TRecordReader& r, int32_t Version) {
  if (!TKind::ReadKindRecord(r, Version)) return false;
  if (Version < kCurrentLayoutVersion) {
    FPlayFrom = 1;
    FPlayTo = FReadCount;
    FLoopCount = 0;
  }
  return true;
}

int32_t TDibMovieExObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  if (PropID != 169) return TKind::GetValue(PropID, Value, SValue);
  SValue.clear();
  Value = static_cast<long double>(FItems.size());
  return 2;
}

void TDibMovieExObj::PropertyWritten(int32_t PropID) {
  if (PropID == 130 && FParent) FParent->NeedDrawNow = true;
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

}  // namespace zkw
