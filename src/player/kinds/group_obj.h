// The group (kind 36): holds its own list of objects and passes action, drawing, mouse input,
// scrolling and image changes to them.
#pragma once
#include "common/link_list.h"
#include "player/objects/animate_obj.h"
#include "player/objects/kind_fields.h"

namespace zkw {

class TAniGroupObj : public TKind<TAniGroupObj, TAnimateObj> {
 public:
  // Groups inside groups inside ... are refused beyond this depth in files.
  static constexpr int32_t kMaxNesting = 16;
  TAniGroupObj();
  ~TAniGroupObj() override;
  template <class V>
  static void Fields(V& v);
  // A copy holds copies of the members.
  void CopyFrom(const TAnimateObj& AObj) override;
  TLinkList* ChildList() override { return &FObjList; }
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;
  void BeforePlay() override;
  void ShiftBy(int32_t dx, int32_t dy) override;
  bool PtInObject(int32_t X, int32_t Y) override;
  bool MouseMove(TDibAnimator* AParent, int32_t X, int32_t Y) override;
  bool MouseDown(TDibAnimator* AParent, int32_t X, int32_t Y) override;
  bool MouseUp(TDibAnimator* AParent, int32_t X, int32_t Y) override;
  bool MouseWheel(TDibAnimator* AParent, int32_t Delta, int32_t X, int32_t Y) override;
  bool DoubleClick(TDibAnimator* AParent, int32_t X, int32_t Y) override;
  void ValidateID(TDibBaseObj* ADib, int32_t Index) override;
  void ValidateDibID(TDibBaseObj* ADib, int32_t Index) override;
  bool UsesImage(int32_t Index, TAnimateObj* Other) const override;
  void DibFontChanged() override;
  TAnimateObj* MatchName(const std::string& Name) override;
  TAnimateObj* MatchButtonID(int32_t ID) override;
  TAnimateObj* MatchExternalID(int32_t ID) override;

  // Moves Obj from its list (the scene's or another group's) into this group.
  void AddToGroup(TAnimateObj* Obj);
  // Hands every member back to the list this group lies in, right after the group.
  void UnGroup();

  TLinkList FObjList;

 private:
  // The members: int16 count, then each member's image index, kind code and record.
  bool ReadMembers(TRecordReader& r, int32_t Version);
  void WriteMembers(TRecordWriter& w) const;
};
extern template class TKind<TAniGroupObj, TAnimateObj>;

}  // namespace zkw
