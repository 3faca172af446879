// The dialogue (kind 35): a list of spoken items, each a sound entry with a script run when it
// starts and one run when its sound ends, played one after another with Interval steps between.
#pragma once
#include <vector>

#include "player/objects/animate_obj.h"
#include "player/objects/kind_fields.h"

namespace zkw {

struct TDialogRec {
  int16_t Sound = -1;
  std::string StartScript, EndScript;
};

class TDialogObj : public TKind<TDialogObj, TAnimateObj> {
 public:
  TDialogObj();
  template <class V>
  static void Fields(V& v);
  // A dialogue plays when it is started.
  bool ReadKindRecord(TRecordReader& r, int32_t Version) override;
  // The item count (169) by hand.
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override { (void)ADib; }
  void SetActive(bool Value) override;
  void SoundFinished(int32_t ID) override;
  bool PlayFrames(int32_t From, int32_t To) override { Play(From, To); return true; }
  bool ListItem(int32_t Index, std::string& Text, int32_t& Data) override;

  // Plays items From..To (From below 0 becomes 0, To limited to the last item).
  void Play(int32_t From, int32_t To);
  bool SetItemText(int32_t Index, const std::string& Text);
  bool SetItemData(int32_t Index, int32_t Data);

  std::vector<TDialogRec> FActions;
  bool ReadActions(TRecordReader& r, int32_t Version);
  void WriteActions(TRecordWriter& w) const;
  int16_t FInterval = 0;
  int32_t FCurrent = -1, FLast = -1;
  int32_t FWait = 0;        // steps left before the next item
  bool FSpeaking = false;   // the current item's sound is playing

 private:
  void StartItem();
  void Finish();
};
extern template class TKind<TDialogObj, TAnimateObj>;

}  // namespace zkw
