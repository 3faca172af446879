#include "player/kinds/group_obj.h"

#include <memory>

#include "player/objects/kind_registry.h"
#include "player/scene/dib_animator.h"
#include "player/scene/record_io.h"
#include "player/scene/scene_entries.h"

namespace zkw {

namespace {
thread_local int32_t gReadDepth = 0;

template <class F>
bool FromTail(TLinkList& list, F&& f) {
  for (TItemNode* n = list.Tail(); n; n = n->PrevItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    if (o->FEnabled && f(o)) return true;
  }
  return false;
}
}  // namespace

TAniGroupObj::TAniGroupObj() {
  FStyle = kGroupKind;
  FID = -1;
}

TAniGroupObj::~TAniGroupObj() = default;

template <class V>
void TAniGroupObj::Fields(V& v) {
  v.Block(&Self::ReadMembers, &Self::WriteMembers);
}
template class TKind<TAniGroupObj, TAnimateObj>;

bool TAniGroupObj::ReadMembers(TRecordReader& r, int32_t Version) {
  FID = -1;
  int16_t count = r.I16("group member count");
  if (!r.Ok()) return false;
  if (count < 0 || count > r.Remaining() / 3)
    return r.Fail("group member count " + std::to_string(count) + " cannot fit in the file");
  if (gReadDepth >= kMaxNesting) return r.Fail("groups are nested deeper than " + std::to_string(kMaxNesting));
  struct Depth {
    Depth() { ++gReadDepth; }
    ~Depth() { --gReadDepth; }
  } depth;
  FObjList.FreeAll();
  for (int16_t i = 0; i < count; ++i) {
    int16_t id = r.I16("group member image index");
    uint8_t kind = r.U8("group member kind");
    if (!r.Ok()) return false;
    std::unique_ptr<TAnimateObj> obj(CreateObjectOfKind(kind));
    if (!obj)
      return r.Fail("group member " + std::to_string(i + 1) + " has kind code " + std::to_string(kind) +
                    " that no object kind handles");
    obj->FParent = FParent;
    obj->FID = id;
    TDibEntry* entry = FParent ? FParent->GetEntry(id) : nullptr;
    obj->FDib = entry ? entry->Dib : nullptr;
    obj->FGroup = this;
    if (!obj->ReadFromStream(r, Version)) return r.Fail("group member " + std::to_string(i + 1) + " does not fit in the file");
    FObjList.Append(obj.release());
  }
  return r.Ok();
}

void TAniGroupObj::WriteMembers(TRecordWriter& w) const {
  w.I16(static_cast<int16_t>(FObjList.Count()));
  for (TItemNode* n = FObjList.Head(); n; n = n->NextItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    w.I16(o->FID);
    w.U8(o->FStyle);
    o->Write(w);
  }
}

void TAniGroupObj::CopyFrom(const TAnimateObj& AObj) {
  TKind::CopyFrom(AObj);
  FObjList.FreeAll();
  auto* g = dynamic_cast<const TAniGroupObj*>(&AObj);
  if (!g) return;
  for (TItemNode* n = g->FObjList.Head(); n; n = n->NextItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    TAnimateObj* copy = o->NewOfSameKind();
    copy->CopyFrom(*o);
    copy->FGroup = this;
    FObjList.Append(copy);
  }
}

void TAniGroupObj::Action(TDibBaseObj* ADib) {
  FParentSetPos = false;
  if (!FEnabled) return;
  for (TItemNode* n = FObjList.Head(); n; n = n->NextItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    if (!o->FEnabled) continue;
    o->Action(ADib);
    if (o->Macro(ocAction) && o->FActive && FParent) {
      FParent->FEventValue1 = FParent->FEventValue2 = 0;
      o->RunMacro(ocAction, ocAction);
    }
  }
}

void TAniGroupObj::Draw(TDibBaseObj* ADib) {
  if (!FEnabled || !ADib) return;
  for (TItemNode* n = FObjList.Head(); n; n = n->NextItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    if (!o->FEnabled) continue;
    o->RunMacro(ocBeforeDraw, ocBeforeDraw);
    if (o->FStyle != kExternalKind)
      o->Draw(ADib);
    else if (FParent && FParent->FOnTask)
      FParent->FOnTask(FParent, atDraw, o->ExternalIdentifier(), o);
    if (FParent && o == FParent->FFocused && o == FParent->FCaret.FOwner) FParent->FCaret.Draw(ADib);
    o->RunMacro(ocDraw, ocDraw);
  }
}

void TAniGroupObj::BeforePlay() {
  for (TItemNode* n = FObjList.Head(); n; n = n->NextItem) static_cast<TAnimateObj*>(n)->BeforePlay();
}

void TAniGroupObj::ShiftBy(int32_t dx, int32_t dy) {
  TAnimateObj::ShiftBy(dx, dy);
  for (TItemNode* n = FObjList.Head(); n; n = n->NextItem) static_cast<TAnimateObj*>(n)->ShiftBy(dx, dy);
}

bool TAniGroupObj::PtInObject(int32_t X, int32_t Y) {
  return FromTail(FObjList, [&](TAnimateObj* o) { return o->PtInObject(X, Y); });
}

bool TAniGroupObj::MouseMove(TDibAnimator* AParent, int32_t X, int32_t Y) {
  bool handled = false;
  for (TItemNode* n = FObjList.Tail(); n; n = n->PrevItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    if (!o->FEnabled || handled) {
      if (o->FEnabled) o->MouseInChanged(false);
      continue;
    }
    if (o->MouseMove(AParent, X, Y)) {
      handled = true;
      if (AParent && o->FStyle != kGroupKind) AParent->FHotObject = o;
    }
  }
  return handled;
}

bool TAniGroupObj::MouseDown(TDibAnimator* AParent, int32_t X, int32_t Y) {
  return FromTail(FObjList, [&](TAnimateObj* o) { return o->MouseDown(AParent, X, Y); });
}

bool TAniGroupObj::MouseUp(TDibAnimator* AParent, int32_t X, int32_t Y) {
  return FromTail(FObjList, [&](TAnimateObj* o) { return o->MouseUp(AParent, X, Y); });
}

bool TAniGroupObj::MouseWheel(TDibAnimator* AParent, int32_t Delta, int32_t X, int32_t Y) {
  return FromTail(FObjList, [&](TAnimateObj* o) { return o->MouseWheel(AParent, Delta, X, Y); });
}

bool TAniGroupObj::DoubleClick(TDibAnimator* AParent, int32_t X, int32_t Y) {
  return FromTail(FObjList, [&](TAnimateObj* o) { return o->DoubleClick(AParent, X, Y); });
}

void TAniGroupObj::ValidateID(TDibBaseObj* ADib, int32_t Index) {
  for (TItemNode* n = FObjList.Head(); n; n = n->NextItem) static_cast<TAnimateObj*>(n)->ValidateID(ADib, Index);
}

void TAniGroupObj::ValidateDibID(TDibBaseObj* ADib, int32_t Index) {
  for (TItemNode* n = FObjList.Head(); n; n = n->NextItem) static_cast<TAnimateObj*>(n)->ValidateDibID(ADib, Index);
}

bool TAniGroupObj::UsesImage(int32_t Index, TAnimateObj* Other) const {
  if (!FEnabled) return false;
  for (TItemNode* n = FObjList.Head(); n; n = n->NextItem)
    if (static_cast<TAnimateObj*>(n)->UsesImage(Index, Other)) return true;
  return false;
}

void TAniGroupObj::DibFontChanged() {
  for (TItemNode* n = FObjList.Head(); n; n = n->NextItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    if (o->FStyle != 40) o->DibFontChanged();
  }
}

TAnimateObj* TAniGroupObj::MatchName(const std::string& Name) {
  if (TAnimateObj* self = TAnimateObj::MatchName(Name)) return self;
  for (TItemNode* n = FObjList.Head(); n; n = n->NextItem)
    if (TAnimateObj* o = static_cast<TAnimateObj*>(n)->MatchName(Name)) return o;
  return nullptr;
}

TAnimateObj* TAniGroupObj::MatchButtonID(int32_t ID) {
  for (TItemNode* n = FObjList.Head(); n; n = n->NextItem)
    if (TAnimateObj* o = static_cast<TAnimateObj*>(n)->MatchButtonID(ID)) return o;
  return nullptr;
}

TAnimateObj* TAniGroupObj::MatchExternalID(int32_t ID) {
  for (TItemNode* n = FObjList.Head(); n; n = n->NextItem)
    if (TAnimateObj* o = static_cast<TAnimateObj*>(n)->MatchExternalID(ID)) return o;
  return nullptr;
}

void TAniGroupObj::AddToGroup(TAnimateObj* Obj) {
  if (!Obj || Obj == this || !FParent) return;
  for (TAnimateObj* g = FGroup; g; g = g->FGroup)
    if (g == Obj) return;  // a group cannot take a group it lies in
  TLinkList* from = Obj->FGroup && Obj->FGroup->ChildList() ? Obj->FGroup->ChildList() : FParent;
  if (from->IndexOf(Obj) < 0) return;
  from->Delete(Obj);
  Obj->FGroup = this;
  FObjList.Append(Obj);
}

void TAniGroupObj::UnGroup() {
  TLinkList* to = FGroup && FGroup->ChildList() ? FGroup->ChildList() : static_cast<TLinkList*>(FParent);
  if (!to) return;
  TItemNode* after = this;
  while (TItemNode* n = FObjList.PopFirst()) {
    auto* o = static_cast<TAnimateObj*>(n);
    o->FGroup = FGroup;
    if (after->NextItem)
      to->Insert(after->NextItem, o);
    else
      to->Append(o);
    after = o;
  }
}

}  // namespace zkw
