// The label (kind 30): its Info text, or a number, drawn in its rectangle with a system font or
// with the DIB font of a font object; it can tremble by (DX, DY).
#pragma once
#include "player/kinds/system_text.h"
#include "player/objects/animate_obj.h"
#include "player/objects/kind_fields.h"
#include "player/objects/moving_obj.h"

namespace zkw {

class TDibFont;

class TDibLabelObj : public TKind<TDibLabelObj, TAnimateObj> {
 public:
  TDibLabelObj();
  template <class V>
  static void Fields(V& v);
  // The number shown starts as the stored value.
  bool ReadKindRecord(TRecordReader& r, int32_t Version) override;
  // Value (97), the text sizes (170, 171) and DecimalSepChar (206) by hand.
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  void SetValue(int32_t PropID, const std::string& SValue, long double IValue) override;
  // Writing any of the label's properties redraws the scene.
  void PropertyWritten(int32_t PropID) override;
  void Action(TDibBaseObj* ADib) override;
  void Draw(TDibBaseObj* ADib) override;
  bool PtInObject(int32_t X, int32_t Y) override { return !IsFarAway(this) && InRect(X, Y); }
  bool IsSolidAt(int32_t X, int32_t Y) override { return X >= 0 && Y >= 0 && X < FWidth && Y < FHeight; }
  bool TextOutFor(TDibBaseObj* Frame, int32_t X, int32_t Y, const std::u16string& Text, int32_t& Result) override;
  bool TextWidthFor(const std::u16string& Text, int32_t& Width) override;
  bool TextHeightFor(const std::u16string& Text, int32_t& Height) override;

  // The text shown: the decoded Info, or the number with UseValue.
  std::u16string ShownText();
  // The DIB font in force with UseDibFont (the named font object's, else the scene's).
  TDibFont* DibFont();
  int32_t LabelTextWidth();
  int32_t LabelTextHeight();
  TSysTextStyle Style() const;

  int16_t FValue = 0;
  long double FRealValue = 0;
  bool FUseDibFont = false, FUseValue = false;
  std::string FFontname = "Arial";
  int16_t FFontSize = 14;
  bool FFontBold = true, FFontItalic = false, FFontUnderline = false;
  uint32_t FFontColor = 0xFFFFFF;
  bool FOutline = false;
  uint32_t FOutlineColor = 0xFFFFFF;
  bool FShadow = false;
  uint32_t FShadowColor = 0;
  int16_t FAlignment = 1;
  int16_t FDX = 0, FDY = 0, FSpeed = 2, FSpeedCount = 0;
  char FDecimalSepChar = ',';

 private:
  std::string FDecodedFrom;  // the Info text FDecoded was made from
  std::u16string FDecoded;
};
extern template class TKind<TDibLabelObj, TAnimateObj>;

// Platform float formatting (up to 15 significant digits) with "," and "." replaced.
std::string FormatSceneNumber(long double Value, char DecimalSep);

}  // namespace zkw
