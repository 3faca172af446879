// The text input field (kind 31): a buffer of at most 255 UTF-16 units laid out in lines inside
// a bordered, optionally filled box; edited by keys when focused, compared with its expected
// answer (the Info text) through the Equal property.
#pragma once
#include <memory>
#include <vector>

#include "player/kinds/system_text.h"
#include "player/objects/animate_obj.h"
#include "player/objects/kind_fields.h"
#include "player/objects/moving_obj.h"

namespace zkw {

class TDibFont;

class TDibTextObj : public TKind<TDibTextObj, TAnimateObj> {
 public:
  TDibTextObj();
  template <class V>
  static void Fields(V& v);
  // A copy takes keys as the field does.
  void CopyFrom(const TAnimateObj& AObj) override;
  // The typed text and what is computed from it by hand: 97, 113, 114, 131, 170, 171, 204-206.
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  // Writing a setting redraws the scene.
  void PropertyWritten(int32_t PropID) override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;
  bool PtInObject(int32_t X, int32_t Y) override { return !IsFarAway(this) && InRect(X, Y); }
  bool IsSolidAt(int32_t X, int32_t Y) override { return X >= 0 && Y >= 0 && X < FWidth && Y < FHeight; }
  bool MouseDown(TDibAnimator* AParent, int32_t X, int32_t Y) override;
  void KeyDown(int32_t Key) override;
  void KeyPress(int32_t Key) override;
  void SetActive(bool Value) override;
  bool TextOutFor(TDibBaseObj* Frame, int32_t X, int32_t Y, const std::u16string& Text, int32_t& Result) override;
  bool TextWidthFor(const std::u16string& Text, int32_t& Width) override;
  bool TextHeightFor(const std::u16string& Text, int32_t& Height) override;

  // Replaces the buffer (at most 255 units), caret at the end.
  void SetText(const std::u16string& Text);
  // 1 when the typed text matches the Info text by the field's rules.
  bool Equal();
  // Lines of the buffer: their start offsets; the buffer is cut where the box ends.
  void Layout();
  int32_t LineHeight();
  int32_t TextWidth(const std::u16string& Text);
  TSysTextStyle Style() const;

  std::string FFontName = "Times New Roman";
  int16_t FFontSize = 14;
  bool FFontBold = true, FFontItalic = false;
  uint32_t FFontColor = 0;
  bool FUseDibFont = false;
  int16_t FBorderSize = 1;
  uint32_t FBorderColor = 0;
  bool FFill = true;
  uint32_t FColor = 0xFFFFFF;
  int16_t FAlignment = 0;
  bool FOutline = false;
  uint32_t FOutlineColor = 0xFFFFFF;
  bool FShadow = false;
  uint32_t FShadowColor = 0;
  bool FCaseSensitive = false, FIgnoreSigns = true, FEnglish = false, FOneChar = false, FUpperChar = false;
  bool FEnableEnterKey = false, FReadOnly = false, FNumberInput = false;
  std::u16string FValidChars;
  char16_t FDecimalSepChar = 0;  // 0: none
  uint32_t FBlinkColor = 255;

  std::u16string FBuffer;
  int32_t FCaretPos = 0;
  std::vector<int32_t> FLineStarts;  // buffer offset of each line
  int32_t FBlinkPhase = 5;

 private:
  TDibFont* DibFont();
  // The system-font measuring canvas of the current font, kept between measurements.
  TSysTextCanvas& Measurer();
  void Relayout(bool MoveCaret);
  void PlaceCaret();
  int32_t LineOf(int32_t Offset) const;
  int32_t LineEnd(int32_t Line) const;
  int32_t LineX(int32_t Line, int32_t Width);
  void InsertText(const std::u16string& Text);
  bool ValidKey(char16_t Key) const;
  std::u16string LineText(int32_t Line) const;
  std::unique_ptr<TSysTextCanvas> FMeasure;
  std::string FMeasureKey;
};
extern template class TKind<TDibTextObj, TAnimateObj>;

// The text rules of Equal, exposed for tests.
std::u16string RemoveSigns(const std::u16string& Text);
std::u16string ExpandContractions(const std::u16string& Text);
std::u16string NormaliseEnglish(const std::u16string& Text);

}  // namespace zkw
