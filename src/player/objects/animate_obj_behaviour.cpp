// What every object does: visibility and activity, moving with children and collisions,
// drawing by style, hit tests, and property access by property id.
#include <algorithm>
#include <climits>
#include <cctype>
#include <cmath>

#include "common/round.h"
#include "dib/dib8.h"
#include "dib/dib_base.h"
#include "player/objects/animate_obj.h"
#include "player/objects/common_record.h"
#include "player/scene/dib_animator.h"

namespace zkw {

namespace {

bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// Nearest integer, halves to even; values beyond the 64-bit range are held at its ends.
int64_t RoundValue(long double v) {
  if (std::isnan(v)) return 0;
  if (v >= 9.2e18L) return INT64_MAX;
  if (v <= -9.2e18L) return INT64_MIN;
  return Round(v);
}

// Calls f on every object of a list and, recursively, of the groups in it.
template <class F>
bool WalkObjects(TLinkList* list, F&& f) {
  for (TItemNode* n = list ? list->Head() : nullptr; n; n = n->NextItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    if (f(o)) return true;
    if (o->FStyle == kGroupKind && WalkObjects(o->ChildList(), f)) return true;
  }
  return false;
}

}  // namespace

void TAnimateObj::RunMacro(uint8_t ListCode, int32_t EventCode) {
  if (FParent) FParent->RunEventScript(this, Macro(ListCode), EventCode);
}

void TAnimateObj::SetActive(bool Value) {
  if (Value == FActive) return;
  FActive = Value;
  if (!Value) {
    FLeftDown = false;
    if (FParent && FParent->FFocused == this) FParent->SetFocusedObj(nullptr);
  }
}

void TAnimateObj::SetVisible(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  for (TAnimateObj* child : FChildren) child->SetVisible(Value);
  if (!Value) ReleaseImage();
  if (FParent) {
    FParent->FEventValue1 = FParent->FEventValue2 = 0;
    RunMacro(Value ? ocShow : ocHide, Value ? ocShow : ocHide);
  }
  if (!Value) {
    FLeftDown = false;
    if (FParent && FParent->FFocused == this) FParent->SetFocusedObj(nullptr);
  }
  if (FParent) FParent->ResetCursor();
}

void TAnimateObj::ReleaseImage() {
  if (!FDib) return;
  if (FParent) {
    FParent->TryRemoveDib(FID, this);
    if (FParent->FFocused == this) FParent->SetFocusedObj(nullptr);
  }
  FLeftDown = false;
}

void TAnimateObj::Die() {
  SetVisible(false);
  ReleaseImage();
}

// Positions read from files may lie anywhere: sums are held inside the 32-bit range.
static int32_t SumInRange(int64_t a, int64_t b) {
  return static_cast<int32_t>(std::clamp<int64_t>(a + b, INT32_MIN, INT32_MAX));
}

void TAnimateObj::ShiftBy(int32_t dx, int32_t dy) {
  if (FLocked) return;
  Fx = SumInRange(Fx, dx);
  Fy = SumInRange(Fy, dy);
}

void TAnimateObj::SetPos(int32_t X, int32_t Y) {
  int32_t oldX = Fx, oldY = Fy;
  Fx = X;
  Fy = Y;
  if (X != oldX || Y != oldY) PositionChanged(oldX, oldY);
}

void TAnimateObj::PositionChanged(int32_t OldX, int32_t OldY) {
  int32_t dx = SumInRange(Fx, -static_cast<int64_t>(OldX)), dy = SumInRange(Fy, -static_cast<int64_t>(OldY));
  for (TAnimateObj* child : FChildren) {
    child->SetPos(SumInRange(child->Fx, dx), SumInRange(child->Fy, dy));
    child->FParentSetPos = true;
  }
  if (FParent) {
    FParent->FEventValue1 = dx;
    FParent->FEventValue2 = dy;
    RunMacro(ocMove, ocMove);
  }
  if (FCollide) {
    uint8_t edges = Collide(dx, dy);
    if (edges) CollideAction(edges);
  }
  if (FParent) FParent->NeedDrawNow = true;
}

void TAnimateObj::CollideAction(uint8_t Edges) {
  if (!FParent) return;
  int32_t bits = 0;
  if (Edges & EdgeBit(ceLeft)) bits |= 1;
  if (Edges & EdgeBit(ceRight)) bits |= 2;
  if (Edges & EdgeBit(ceTop)) bits |= 4;
  if (Edges & EdgeBit(ceBottom)) bits |= 8;
  FParent->FEventValue2 = bits;
  if (EnableCollideEvent) RunMacro(ocCollide, ocCollide);
}

bool TAnimateObj::CollideWith(TAnimateObj* Other, int32_t Dx, int32_t Dy) {
  if (Dx == 0 && Dy == 0) return false;
  TSmallRect a = ObjRect(), b = Other->ObjRect();
  int32_t left = std::max(a.left + Dx, b.left), right = std::min(a.right + Dx, b.right);
  int32_t top = std::max(a.top + Dy, b.top), bottom = std::min(a.bottom + Dy, b.bottom);
  for (int32_t y = top; y <= bottom; ++y)
    for (int32_t x = left; x <= right; ++x)
      if (IsSolidAt(x - Fx - Dx, y - Fy - Dy) && Other->IsSolidAt(x - Other->Fx, y - Other->Fy)) return true;
  return false;
}

uint8_t TAnimateObj::Collide(int32_t Dx, int32_t Dy) {
  if (FHasCollided) {
    FHasCollided = false;
    return 0;
  }
  if (!FParent) return 0;
  uint8_t edges = 0;
  if (Dx > 0) edges |= EdgeBit(ceRight);
  if (Dx < 0) edges |= EdgeBit(ceLeft);
  if (Dy > 0) edges |= EdgeBit(ceBottom);
  if (Dy < 0) edges |= EdgeBit(ceTop);
  TAnimateObj* hit = nullptr;
  WalkObjects(FParent, [&](TAnimateObj* o) {
    if (o == this || !o->FEnabled || !o->FCollide || o->FLevel != FLevel) return false;
    if (!CollideWith(o, Dx, Dy)) return false;
    hit = o;
    return true;
  });
  if (!hit) return 0;
  FParent->FEventValue1 = reinterpret_cast<intptr_t>(this);
  hit->CollideAction(edges);
  FParent->FEventValue1 = reinterpret_cast<intptr_t>(hit);
  return edges;
}

void TAnimateObj::SoundFinished(int32_t ID) {
  if (!FParent) return;
  FParent->FEventValue1 = ID;
  RunMacro(ocSoundEnd, ocSoundEnd);
}

bool TAnimateObj::UsesImage(int32_t Index, TAnimateObj* Other) const {
  return this != Other && FEnabled && FID == Index && FDib != nullptr;
}

TAnimateObj* TAnimateObj::MatchName(const std::string& Name) { return SameText(Name, FName) ? this : nullptr; }

void TAnimateObj::SetParentObjName(const std::string& Name) {
  if (SameText(Name, FParentName)) return;
  if (FParent) {
    if (TAnimateObj* old = FParent->GetObjectName(FParentName)) {
      auto& kids = old->FChildren;
      kids.erase(std::remove(kids.begin(), kids.end(), this), kids.end());
    }
  }
  FParentName = Name;
  if (FParent && !Name.empty()) {
    TAnimateObj* now = FParent->GetObjectName(Name);
    if (now && now != this) now->FChildren.push_back(this);
  }
}

// --- drawing and hit tests --------------------------------------------------------------------

void TAnimateObj::Draw(TDibBaseObj* ADib) {
  if (!ADib || !FDib || FDib->Handle() == 0) return;
  if (FOriginY > FDib->Height() - 1 || FOriginX > FDib->Width() - 1) return;
  if (FOriginX < 0) FOriginX = 0;
  if (FOriginY < 0) FOriginY = 0;
  uint16_t rate = static_cast<uint16_t>(FTrans);
  switch (FDibStyle) {
    case 0: ADib->DrawArea(Fx, Fy, FDib, FOriginX, FOriginY, FWidth, FHeight, FFlipX, FFlipY); break;
    case 1: ADib->DrawPeace(Fx, Fy, FDib, FOriginX, FOriginY, FWidth, FHeight, FFlipX, FFlipY); break;
    case 2: ADib->DrawMerge(Fx, Fy, FDib, FOriginX, FOriginY, FWidth, FHeight, FFlipX, FFlipY, rate); break;
    case 3:
      ADib->DrawPeaceShadow(Fx, Fy, FDib, FOriginX, FOriginY, FWidth, FHeight, FFlipX, FFlipY, rate);
      break;
    case 4:
      ADib->DrawMergeOpaque(Fx, Fy, FDib, FOriginX, FOriginY, FWidth, FHeight, FFlipX, FFlipY, rate);
      break;
    default: break;
  }
  if (FContainer && FShowHotrack && FParent && FParent->FHotContainer == this) {
    TSmallRect r = ObjRect();
    ADib->RectangleMerge(r.left, r.top, r.right, r.bottom, 1, FHottrackColor, FHotOpacity);
    FHotOpacity = static_cast<uint16_t>(FHotOpacity + FHotDelta);
    if (FHotOpacity < 10 || FHotOpacity > 80) FHotDelta = -FHotDelta;
  }
}

bool TAnimateObj::IsPixelSolid(int32_t ix, int32_t iy) const {
  if (!FDib || ix < 0 || iy < 0 || ix >= FDib->Width() || iy >= FDib->Height()) return false;
  if (FDib->AlphaDib && FDib->AlphaDib->Handle() != 0) return FDib->AlphaDib->GetPixel(ix, iy) != 0;
  return FDib->GetPixel(ix, iy) != FDib->TransparentColor;
}

bool TAnimateObj::PtInObject(int32_t X, int32_t Y) {
  bool external = FStyle == kExternalKind;
  if (!FDib && !external) return false;
  if (X < Fx || Y < Fy || X >= Fx + FWidth || Y >= Fy + FHeight) return false;
  if (external || FDibStyle == 0 || FDibStyle >= 3) return true;
  int32_t ix = FFlipX < 0 ? Fx + FWidth - X : X - Fx;
  int32_t iy = FFlipY < 0 ? Fy + FHeight - Y : Y - Fy;
  return IsPixelSolid(ix, iy);
}

bool TAnimateObj::IsSolidAt(int32_t X, int32_t Y) {
  if (FStyle == kExternalKind || !FDib) return false;
  if (FDibStyle == 0 || FDibStyle > 2) return true;
  return IsPixelSolid(FFlipX < 0 ? FWidth - X : X, FFlipY < 0 ? FHeight - Y : Y);
}

// --- properties -------------------------------------------------------------------------------

void TAnimateObj::GetPropsToList(TPropList& List) { ListFieldProps<TAnimateObj, TCommonRecord>(List); }

int32_t TAnimateObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  if (PropID == 183) {  // IsInView
    if (!FParent) return 2;
    TSmallRect r = ObjRect();
    Value = r.right >= 0 && r.bottom >= 0 && r.left <= FParent->FViewWidth - 1 && r.top <= FParent->FViewHeight - 1;
    return 2;
  }
  int32_t type = GetDescribedValue<TAnimateObj, TCommonRecord>(*this, PropID, Value, SValue);
  return type ? type : 2;  // unknown ids read 0
}

void TAnimateObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  int64_t n = RoundValue(IValue);
  bool b = IValue != 0;
  switch (PropID) {
    case 4: SetActive(b); return;
    case 5: SetXPos(static_cast<int32_t>(n)); return;
    case 6: SetYPos(static_cast<int32_t>(n)); return;
    case 9: SetVisible(b); return;
    case 14: FTrans = static_cast<int16_t>(std::clamp<int64_t>(n, 0, 100)); return;
    case 134: SetParentObjName(SValue); return;
    default: break;
  }
  if (!SetDescribedValue<TAnimateObj, TCommonRecord>(*this, PropID, SValue, IValue)) return;
  // Dragging and hot cursors change which cursor the scene shows.
  if ((PropID == 15 || PropID == 16) && FParent) FParent->ResetCursor();
}

}  // namespace zkw
