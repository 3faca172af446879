#include "text/scene_text.h"
#include "player/kinds/label_obj.h"

#include <cmath>
#include <cstdio>

#include "dib/dib_base.h"
#include "fonts/dib_font.h"
#include "fonts/glyph_state.h"
#include "player/kinds/font_obj.h"
#include "player/kinds/kinds_common.h"
#include "player/scene/dib_animator.h"

namespace zkw {

std::string FormatSceneNumber(long double Value, char DecimalSep) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15Lg", Value);
  std::string s = buf;
  for (char& c : s)
    if (c == ',' || c == '.') c = DecimalSep;
  return s;
}

TDibLabelObj::TDibLabelObj() {
  FStyle = 30;
  FID = -1;
}

template <class V>
void TDibLabelObj::Fields(V& v) {
  using namespace fields;
  v.ListOrder({19, 20, 30, 92, 93, 94, 95, 96, 97, 98, 99, 137, 138, 139, 142, 170, 171, 179, 180, 206});
  v(&Self::FValue, I16("Value"));
  v(&Self::FUseDibFont, Bool("UseDibFont").Prop(98));
  v(&Self::FUseValue, Bool("UseValue").Prop(99));
  v(&Self::FFontname, StringRecord("Fontname").Prop(92));
  v(&Self::FFontSize, I16("FontSize").Prop(96));
  v(&Self::FFontBold, Bool("FontBold").Prop(93));
  v(&Self::FFontItalic, Bool("FontItalic").Prop(94));
  v(&Self::FFontUnderline, Bool("FontUnderline").Prop(95));
  v(&Self::FFontColor, U32("FontColor").Prop(137));
  v(&Self::FOutline, Bool("Outline").Prop(180));
  v(&Self::FOutlineColor, U32("OutlineColor").Prop(138));
  v(&Self::FShadow, Bool("Shadow").Prop(179));
  v(&Self::FShadowColor, U32("ShadowColor").Prop(139));
  v(&Self::FAlignment, I16("Alignment").Since(0x40000).Prop(142));
  v(&Self::FDX, I16("DX").Since(0x40000).Prop(19));
  v(&Self::FDY, I16("DY").Since(0x40000).Prop(20));
  v(&Self::FSpeed, I16("Speed").Since(0x40000).Prop(30));
  v(&Self::FRealValue, Kept("RealValue"));
  v(&Self::FDecimalSepChar, Kept("DecimalSepChar"));
}
template class TKind<TDibLabelObj, TAnimateObj>;

bool TDibLabelObj::ReadKindRecord(TRecordReader& r, int32_t Version) {
  if (!TKind::ReadKindRecord(r, Version)) return false;
  FRealValue = FValue;
  return true;
}

int32_t TDibLabelObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  switch (PropID) {
    case 97: Value = std::nearbyintl(FRealValue) == FValue ? FRealValue : FValue; return 2;
    case 170: Value = LabelTextWidth(); return 2;
    case 171: Value = LabelTextHeight(); return 2;
    case 206: SValue = std::string(1, FDecimalSepChar); return 3;
    default: return TKind::GetValue(PropID, Value, SValue);
  }
}

void TDibLabelObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  switch (PropID) {
    case 97:
      FRealValue = std::isnan(IValue) ? 0 : IValue;
      FValue = PropI16(IValue);
      break;
    case 206:
      if (!SValue.empty()) FDecimalSepChar = SValue[0];
      break;
    default: TKind::SetValue(PropID, SValue, IValue); return;
  }
  PropertyWritten(PropID);
}

void TDibLabelObj::PropertyWritten(int32_t PropID) {
  (void)PropID;
  if (FParent) FParent->NeedDrawNow = true;
}

void TDibLabelObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  FParentSetPos = false;
  if (!FEnabled || !FActive || (FDX == 0 && FDY == 0)) return;
  if (--FSpeedCount > 0) return;
  FSpeedCount = FSpeed;
  SetPos(AddSat(Fx, FDX), AddSat(Fy, FDY));
  FDX = static_cast<int16_t>(-FDX);
  FDY = static_cast<int16_t>(-FDY);
}

std::u16string TDibLabelObj::ShownText() {
  if (FUseValue) {
    long double v = std::nearbyintl(FRealValue) == FValue ? FRealValue : static_cast<long double>(FValue);
    std::string s = FormatSceneNumber(v, FDecimalSepChar);
    return std::u16string(s.begin(), s.end());
  }
  if (FDecodedFrom != FTextID || (FDecoded.empty() && !FTextID.empty())) {
    FDecoded = DecodeSceneText16(FTextID);
    FDecodedFrom = FTextID;
  }
  return FDecoded;
}

TDibFont* TDibLabelObj::DibFont() {
  if (!FParent) return nullptr;
  if (auto* fo = dynamic_cast<TDibFontObj*>(FParent->GetObjectName(FFontname))) {
    fo->SetActive(true);
    if (TDibFont* f = fo->Font()) {
      fo->Update();
      return f;
    }
  }
  return FParent->FFont;
}

TSysTextStyle TDibLabelObj::Style() const {
  TSysTextStyle s;
  s.FontName = FFontname;
  s.FontSize = FFontSize;
  s.Bold = FFontBold;
  s.Italic = FFontItalic;
  s.Underline = FFontUnderline;
  s.Color = FFontColor;
  s.Outline = FOutline;
  s.OutlineColor = FOutlineColor;
  s.Shadow = FShadow;
  s.ShadowColor = FShadowColor;
  return s;
}

void TDibLabelObj::Draw(TDibBaseObj* ADib) {
  if (IsFarAway(this)) return;
  if (!FEnabled || !ADib) return;
  std::u16string text = ShownText();
  if (FUseDibFont) {
    TDibFont* font = DibFont();
    if (!font) return;
    font->SetColor(FFontColor, FOutlineColor);
    font->FShadowColor = static_cast<int32_t>(FShadowColor);
    font->FOutline = FOutline;
    font->FShadow = FShadow;
    font->Opacity = static_cast<uint16_t>(std::clamp<int32_t>(FTrans, 0, 100));
    uint16_t flags = static_cast<uint16_t>(kDtWordBreak | (FAlignment == 0 ? 0 : FAlignment == 2 ? kDtRight : kDtCenter));
    TFontRect rect{Fx, Fy, Fx + FWidth, Fy + FHeight};
    ZString z(text.begin(), text.end());
    font->DrawText(rect, z.c_str(), static_cast<int32_t>(z.size()), ADib, flags);
    font->Opacity = 100;
    return;
  }
  uint32_t format = plat::DT_WORDBREAK | (FAlignment == 0 ? plat::DT_LEFT : FAlignment == 2 ? plat::DT_RIGHT : plat::DT_CENTER);
  TSysTextCanvas canvas(FParent, ADib, Style());
  canvas.DrawText(text, plat::RECT{Fx, Fy, Fx + FWidth, Fy + FHeight}, format);
}

int32_t TDibLabelObj::LabelTextWidth() {
  std::u16string text = ShownText();
  if (FUseDibFont) {
    TDibFont* font = DibFont();
    if (!font) return 0;
    ZString z(text.begin(), text.end());
    return font->TextWidth(z.c_str(), static_cast<uint16_t>(std::min<size_t>(z.size(), 65535)));
  }
  TSysTextCanvas canvas(FParent, nullptr, Style());
  return canvas.Extent(text).cx;
}

int32_t TDibLabelObj::LabelTextHeight() {
  if (FUseDibFont) {
    TDibFont* font = DibFont();
    return font ? font->TextHeight() : 0;
  }
  TSysTextCanvas canvas(FParent, nullptr, Style());
  return canvas.Extent(ShownText()).cy;
}

bool TDibLabelObj::TextOutFor(TDibBaseObj* Frame, int32_t X, int32_t Y, const std::u16string& Text, int32_t& Result) {
  TSysTextCanvas canvas(FParent, Frame, Style());
  Result = canvas.TextOut(X, Y, Text);
  return true;
}

bool TDibLabelObj::TextWidthFor(const std::u16string& Text, int32_t& Width) {
  TSysTextCanvas canvas(FParent, nullptr, Style());
  Width = canvas.Extent(Text).cx;
  return true;
}

bool TDibLabelObj::TextHeightFor(const std::u16string& Text, int32_t& Height) {
  TSysTextCanvas canvas(FParent, nullptr, Style());
  Height = canvas.Extent(Text).cy;
  return true;
}

}  // namespace zkw
