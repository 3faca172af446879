// The list box (kind 39): items of text and data drawn from the top item down, one selected;
// keys and clicks select, a scroll bar object scrolls it, "OnDrawItem" lets scripts draw into
// each item.
#pragma once
#include <vector>

#include "player/kinds/system_text.h"
#include "player/objects/animate_obj.h"
#include "player/objects/kind_fields.h"
#include "player/objects/moving_obj.h"

namespace zkw {

class TDibFont;

struct TAniListItem {
  std::string Text;  // 8-bit scene text
  int32_t Data = 0;
  int32_t Height = 0;
};

class TAniListObj : public TKind<TAniListObj, TAnimateObj> {
 public:
  TAniListObj();
  template <class V>
  static void Fields(V& v);
  // A copy takes keys as the list does.
  void CopyFrom(const TAnimateObj& AObj) override;
  // The selected item's text and data, the item count and adding by hand: 131, 164, 168, 169, 202.
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  // Writing a setting updates the selection, the top item and the scroll bar.
  void PropertyWritten(int32_t PropID) override;
  void Action(TDibBaseObj* ADib) override { (void)ADib; FParentSetPos = false; }
  void Draw(TDibBaseObj* ADib) override;
  bool PtInObject(int32_t X, int32_t Y) override { return !IsFarAway(this) && InRect(X, Y); }
  bool IsSolidAt(int32_t X, int32_t Y) override { return X >= 0 && Y >= 0 && X < FWidth && Y < FHeight; }
  bool MouseDown(TDibAnimator* AParent, int32_t X, int32_t Y) override;
  void KeyDown(int32_t Key) override;
  void VScroll(int32_t Dy) override;
  bool ListClear() override;
  bool ListDeleteItem(int32_t Index) override;
  bool ListAddItem(const std::string& Text, int32_t Data) override;
  bool ListSort() override;
  bool ListItem(int32_t Index, std::string& Text, int32_t& Data) override;

  // The index of the first item with Data, or -1.
  int32_t GetItemDataIndex(int32_t Data) const;
  // Keeps the selection and top item inside the items and tells the scroll bar.
  void UpdateControl();
  int32_t ItemHeightOf(const std::string& Text);
  TSysTextStyle Style(uint32_t Color, bool Bold) const;

  std::string FFontName = "Arial";
  int16_t FFontSize = 12;
  bool FFontBold = false, FFontItalic = false;
  uint32_t FFontColor = 0, FSelFontColor = 0xFFFFFF, FHighlight = 0x800000;
  bool FUseDibFont = false;
  int16_t FIndent = 2;
  bool FShowNumber = false;
  uint32_t FNumColor = 0;
  bool FShowLines = false, FSpecial = false, FAutoHeight = false;
  int16_t FItemHeight = 20;
  std::string FScrollbarName;
  std::vector<TAniListItem> FItems;
  int32_t FItemIndex = -1, FTopIndex = 0;

 private:
  TDibFont* DibFont();
  int32_t ItemAt(int32_t Y) const;
};
extern template class TKind<TAniListObj, TAnimateObj>;

}  // namespace zkw
