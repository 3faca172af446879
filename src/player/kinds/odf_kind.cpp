#include "player/kinds/odf_kind.h"

#include <algorithm>

#include "common/round.h"
#include "odf/odf_values.h"
#include "platform/plat.h"
#include "platform/plat_find.h"
#include "platform/plat_window.h"
#include "player/scene/dib_animator.h"
#include "text/scene_text.h"

namespace zkw {

TAniODFObj::TAniODFObj() {
  FStyle = 38;
  // Bound controls hear of a changed table through the scene's own player window only.
  FODF.OnRefresh = [this] {
    if (FParent && FParent->WindowHandle)
      plat::PostMessageW(FParent->WindowHandle, kODFRefreshMessage, 0, 0);
  };
}

template <class V>
void TAniODFObj::Fields(V& v) {
  using namespace fields;
  v(&Self::FODFPath, StringRecord("ODFPath").Prop(152));
  v(&Self::FFilename, StringRecord("Filename").Prop(153));
  v(&Self::FIndexPath, StringRecord("IndexPath").Prop(154));
  v(&Self::FIndexFilename, StringRecord("IndexFilename").Prop(155));
  v(&Self::FReadOnly, Bool("ReadOnly").Prop(174));
  v.Hand(150);
  v.Hand(151);
  v.Hand(185);
}
template class TKind<TAniODFObj, TAnimateObj>;

void TAniODFObj::CopyFrom(const TAnimateObj& AObj) {
  TKind::CopyFrom(AObj);
  FODF.SetActive(false);  // a copy starts closed
}

namespace {
ZString Joined(const ZString& Folder, const std::string& Name) {
  ZString name = DecodeSceneText(Name);
  if (Folder.empty() || name.empty()) return Folder + name;
  ZChar last = Folder.back();
  return last == ZChar('/') || last == ZChar('\\') ? Folder + name : Folder + plat::kPathSeparator + name;
}
}  // namespace

ZString TAniODFObj::TablePath() const {
  ZString folder = FODFPath.empty() && FParent ? FParent->DataPath : DecodeSceneText(FODFPath);
  return FFilename.empty() ? ZString() : Joined(folder, FFilename);
}

ZString TAniODFObj::IndexPath() const {
  ZString folder = FIndexPath.empty() && FParent ? FParent->DataPath : DecodeSceneText(FIndexPath);
  return FIndexFilename.empty() ? ZString() : Joined(folder, FIndexFilename);
}

void TAniODFObj::OpenTable() {
  FODF.SetActive(false);
  FODF.SetOpenMode(FReadOnly ? omRead : omReadWrite);
  FODF.SetFilename(TablePath());
  FODF.SetIndexFilename(IndexPath());
  FODF.SetActive(true);
}

void TAniODFObj::BeforePlay() {
  if (FParent && FParent->Designing) return;
  OpenTable();
}

void TAniODFObj::PropertyWritten(int32_t PropID) {
  if ((PropID >= 152 && PropID <= 155) || PropID == 174)
    if (FODF.Active()) OpenTable();
}

int32_t TAniODFObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  TODFFile* t = Table();
  switch (PropID) {
    case 150: Value = t ? t->GetRecNo() : 0; return 2;
    case 151: Value = t ? t->GetReccount() : 0; return 2;
    case 185: Value = t && t->GetDeleted() ? 1 : 0; return 2;
    default: return TKind::GetValue(PropID, Value, SValue);
  }
}

void TAniODFObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  TODFFile* t = Table();
  switch (PropID) {
    case 150:
      if (t) t->Go(static_cast<int32_t>(std::clamp<int64_t>(Round(IValue), INT32_MIN, INT32_MAX)));
      return;
    case 151: return;
    case 185:
      if (t) t->SetDeleted(IValue != 0);
      return;
    default: TKind::SetValue(PropID, SValue, IValue); return;
  }
}

TStructItem* TAniODFObj::FieldOrMessage(const std::string& Field) {
  TODFFile* t = Table();
  if (!t) return nullptr;
  TStructItem* item = t->GetStructOfName(Field);
  if (!item) {
    ZString text = DecodeSceneText("Field not found: " + Field);
    plat::MessageBoxW(FParent ? FParent->WindowHandle : nullptr, text.c_str(), nullptr,
                      plat::MB_OK | plat::MB_ICONERROR);
  }
  return item;
}

uint8_t TAniODFObj::GetFieldValue(const std::string& Field, long double& Value, std::string& Text) {
  TStructItem* f = FieldOrMessage(Field);
  if (!f) return 0;
  switch (f->Type()) {
    case ftString: Text = f->Getfs(); return 3;
    case ftChar: Text = f->Getfc() ? std::string(1, f->Getfc()) : std::string(); return 3;
    case ftUnicode: Text = EncodeSceneText(f->Getfu()); return 3;
    case ftDate: Value = ODFDateToSerial(f->GetDate()); return 4;
    case ftMemo: return 0;
    default: Value = f->GetValue().Number; return 2;
  }
}

bool TAniODFObj::SetFieldValue(const std::string& Field, long double Value, const std::string& Text) {
  TStructItem* f = FieldOrMessage(Field);
  if (!f) return false;
  switch (f->Type()) {
    case ftString: f->Setfs(Text); break;
    case ftChar: f->Setfc(Text.empty() ? 0 : Text[0]); break;
    case ftUnicode: f->Setfu(DecodeSceneText(Text)); break;
    case ftMemo: return false;
    default: f->SetNumber(Value); break;  // integers round, reals keep the value, dates by day
  }
  return true;
}

bool TAniODFObj::DatabaseOperation(uint8_t Operation) {
  TODFFile* t = Table();
  if (!t) return false;
  switch (Operation) {
    case 0: return t->AppendBlank();
    case 1: return t->InsertBlank();
    case 2: t->Flush(); return true;
    default: return false;
  }
}

}  // namespace zkw
