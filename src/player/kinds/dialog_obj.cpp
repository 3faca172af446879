#include "player/kinds/dialog_obj.h"

#include <algorithm>

#include "player/kinds/kinds_common.h"
#include "player/scene/dib_animator.h"

namespace zkw {

TDialogObj::TDialogObj() { FStyle = 35; }

template <class V>
void TDialogObj::Fields(V& v) {
  using namespace fields;
  v.ListOrder({91, 165, 169, 112});
  v.Block(&Self::ReadActions, &Self::WriteActions);
  v(&Self::FInterval, I16("Interval").Prop(91));
  v(&Self::FActions, Kept("Actions"));
  v(&Self::FCurrent, Kept("ItemIndex").Prop(165).ReadOnly().NotCopied());
  v(&Self::FSpeaking, Kept("Speaking").Prop(112).ReadOnly().NotCopied());
}
template class TKind<TDialogObj, TAnimateObj>;

int32_t TDialogObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  if (PropID != 169) return TKind::GetValue(PropID, Value, SValue);
  SValue.clear();
  Value = static_cast<long double>(FActions.size());
  return 2;
}

bool TDialogObj::ReadActions(TRecordReader& r, int32_t Version) {
  (void)Version;
  uint16_t count = r.U16("dialogue item count");
  if (!r.Ok()) return false;
  if (count > r.Remaining() / 6)
    return r.Fail("dialogue item count " + std::to_string(count) + " cannot fit in the file");
  FActions.clear();
  for (uint16_t i = 0; i < count && r.Ok(); ++i) {
    TDialogRec rec;
    rec.Sound = r.I16("dialogue sound");
    rec.StartScript = ReadCountedText(r, "dialogue start script");
    rec.EndScript = ReadCountedText(r, "dialogue end script");
    FActions.push_back(rec);
  }
  return r.Ok();
}

void TDialogObj::WriteActions(TRecordWriter& w) const {
  w.U16(static_cast<uint16_t>(std::min<size_t>(FActions.size(), 65535)));
  for (size_t i = 0; i < FActions.size() && i < 65535; ++i) {
    w.I16(FActions[i].Sound);
    WriteCountedText(w, FActions[i].StartScript);
    WriteCountedText(w, FActions[i].EndScript);
  }
}

bool TDialogObj::ReadKindRecord(TRecordReader& r, int32_t Version) {
  if (!TKind::ReadKindRecord(r, Version)) return false;
  FActive = false;
  return true;
}

void TDialogObj::StartItem() {
  FSpeaking = false;
  FWait = 0;
  if (FCurrent < 0 || FCurrent > FLast || FCurrent >= static_cast<int32_t>(FActions.size())) {
    Finish();
    return;
  }
  TDialogRec& rec = FActions[static_cast<size_t>(FCurrent)];
  std::string start = rec.StartScript;
  int32_t current = FCurrent;
  RunScriptText(this, start);
  if (current != FCurrent || !FActive) return;  // the script restarted or stopped the dialogue
  if (FParent && FParent->PlaySoundItem(rec.Sound, this, FCurrent)) {
    FSpeaking = true;
  } else {
    SoundFinished(FCurrent);  // no such sound: the item ends at once
  }
}

void TDialogObj::SoundFinished(int32_t ID) {
  TAnimateObj::SoundFinished(ID);
  if (!FActive || ID != FCurrent || FCurrent < 0 || FCurrent >= static_cast<int32_t>(FActions.size())) return;
  FSpeaking = false;
  std::string end = FActions[static_cast<size_t>(FCurrent)].EndScript;
  RunScriptText(this, end);
  FWait = std::max<int32_t>(FInterval, 1);
}

void TDialogObj::Finish() {
  FCurrent = -1;
  FSpeaking = false;
  TAnimateObj::SetActive(false);
  if (FParent && Macro(ocEnd) && EnableEndEvent) {
    FParent->FEventValue1 = FParent->FEventValue2 = 0;
    RunMacro(ocEnd, ocEnd);
  }
}

void TDialogObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  FParentSetPos = false;
  if (!FEnabled || !FActive || FSpeaking || FWait <= 0) return;
  if (--FWait > 0) return;
  ++FCurrent;
  StartItem();
}

void TDialogObj::Play(int32_t From, int32_t To) {
  if (FActions.empty()) return;
  FCurrent = std::max(From, 0);
  FLast = std::min<int32_t>(To, static_cast<int32_t>(FActions.size()) - 1);
  TAnimateObj::SetActive(true);
  StartItem();
}

void TDialogObj::SetActive(bool Value) {
  if (Value) {
    Play(0, static_cast<int32_t>(FActions.size()) - 1);
    if (FActions.empty()) TAnimateObj::SetActive(true);
  } else {
    FSpeaking = false;
    FWait = 0;
    TAnimateObj::SetActive(false);
  }
}

bool TDialogObj::ListItem(int32_t Index, std::string& Text, int32_t& Data) {
  Text.clear();
  Data = 0;
  if (Index >= 0 && Index < static_cast<int32_t>(FActions.size())) {
    Text = FActions[static_cast<size_t>(Index)].StartScript;
    Data = FActions[static_cast<size_t>(Index)].Sound;
  }
  return true;
}

bool TDialogObj::SetItemText(int32_t Index, const std::string& Text) {
  if (Index < 0 || Index >= static_cast<int32_t>(FActions.size())) return false;
  FActions[static_cast<size_t>(Index)].StartScript = Text;
  return true;
}

bool TDialogObj::SetItemData(int32_t Index, int32_t Data) {
  if (Index < 0 || Index >= static_cast<int32_t>(FActions.size())) return false;
  FActions[static_cast<size_t>(Index)].Sound = static_cast<int16_t>(Data);
  return true;
}

}  // namespace zkw
