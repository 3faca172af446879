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

bool TDibLabelObj::ReadFromStream(TRecordReader& r, int32_t Version) {
  if (!TAnimateObj::ReadFromStream(r, Version)) return false;
  FValue = r.I16("label value");
  FRealValue = FValue;
  FUseDibFont = ReadBool(r, "label DIB font flag");
  FUseValue = ReadBool(r, "label value flag");
  FFontname = ReadStringRecord(r, "label font name");
  FFontSize = r.I16("label font size");
  FFontBold = ReadBool(r, "label bold flag");
  FFontItalic = ReadBool(r, "label italic flag");
  FFontUnderline = ReadBool(r, "label underline flag");
  FFontColor = r.U32("label font colour");
  FOutline = ReadBool(r, "label outline flag");
  FOutlineColor = r.U32("label outline colour");
  FShadow = ReadBool(r, "label shadow flag");
  FShadowColor = r.U32("label shadow colour");
  if (Version >= 0x40000) {
    FAlignment = r.I16("label alignment");
    FDX = r.I16("label dx");
    FDY = r.I16("label dy");
    FSpeed = r.I16("label speed");
  }
  return r.Ok();
}

bool TDibLabelObj::Write(TRecordWriter& w) {
  TAnimateObj::Write(w);
  w.I16(FValue);
  w.U8(FUseDibFont);
  w.U8(FUseValue);
  WriteStringRecord(w, FFontname);
  w.I16(FFontSize);
  w.U8(FFontBold);
  w.U8(FFontItalic);
  w.U8(FFontUnderline);
  w.U32(FFontColor);
  w.U8(FOutline);
  w.U32(FOutlineColor);
  w.U8(FShadow);
  w.U32(FShadowColor);
  w.I16(FAlignment);
  w.I16(FDX);
  w.I16(FDY);
  w.I16(FSpeed);
  return w.Ok();
}

void TDibLabelObj::CopyFrom(const TAnimateObj& AObj) {
  TAnimateObj::CopyFrom(AObj);
  auto* l = dynamic_cast<const TDibLabelObj*>(&AObj);
  if (!l) return;
  FValue = l->FValue;
  FRealValue = l->FRealValue;
  FUseDibFont = l->FUseDibFont;
  FUseValue = l->FUseValue;
  FFontname = l->FFontname;
  FFontSize = l->FFontSize;
  FFontBold = l->FFontBold;
  FFontItalic = l->FFontItalic;
  FFontUnderline = l->FFontUnderline;
  FFontColor = l->FFontColor;
  FOutline = l->FOutline;
  FOutlineColor = l->FOutlineColor;
  FShadow = l->FShadow;
  FShadowColor = l->FShadowColor;
  FAlignment = l->FAlignment;
  FDX = l->FDX;
  FDY = l->FDY;
  FSpeed = l->FSpeed;
  FDecimalSepChar = l->FDecimalSepChar;
}

int32_t TDibLabelObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  switch (PropID) {
    case 19: Value = FDX; return 2;
    case 20: Value = FDY; return 2;
    case 30: Value = FSpeed; return 2;
    case 92: SValue = FFontname; return 3;
    case 93: Value = FFontBold; return 2;
    case 94: Value = FFontItalic; return 2;
    case 95: Value = FFontUnderline; return 2;
    case 96: Value = FFontSize; return 2;
    case 97: Value = std::nearbyintl(FRealValue) == FValue ? FRealValue : FValue; return 2;
    case 98: Value = FUseDibFont; return 2;
    case 99: Value = FUseValue; return 2;
    case 137: Value = FFontColor; return 2;
    case 138: Value = FOutlineColor; return 2;
    case 139: Value = FShadowColor; return 2;
    case 142: Value = FAlignment; return 2;
    case 170: Value = LabelTextWidth(); return 2;
    case 171: Value = LabelTextHeight(); return 2;
    case 179: Value = FShadow; return 2;
    case 180: Value = FOutline; return 2;
    case 206: SValue = std::string(1, FDecimalSepChar); return 3;
    default: return TAnimateObj::GetValue(PropID, Value, SValue);
  }
}

void TDibLabelObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  int16_t n = PropI16(IValue);
  bool b = IValue != 0;
  uint32_t c = static_cast<uint32_t>(RoundProp(IValue));
  switch (PropID) {
    case 19: FDX = n; break;
    case 20: FDY = n; break;
    case 30: FSpeed = n; break;
    case 92: FFontname = SValue; break;
    case 93: FFontBold = b; break;
    case 94: FFontItalic = b; break;
    case 95: FFontUnderline = b; break;
    case 96: FFontSize = n; break;
    case 97:
      FRealValue = std::isnan(IValue) ? 0 : IValue;
      FValue = n;
      break;
    case 98: FUseDibFont = b; break;
    case 99: FUseValue = b; break;
    case 137: FFontColor = c; break;
    case 138: FOutlineColor = c; break;
    case 139: FShadowColor = c; break;
    case 142: FAlignment = n; break;
    case 179: FShadow = b; break;
    case 180: FOutline = b; break;
    case 206:
      if (!SValue.empty()) FDecimalSepChar = SValue[0];
      break;
    default: TAnimateObj::SetValue(PropID, SValue, IValue); return;
  }
  if (FParent) FParent->NeedDrawNow = true;
}

void TDibLabelObj::GetPropsToList(TPropList& List) {
  TAnimateObj::GetPropsToList(List);
  AddProps(List, {19, 20, 30, 92, 93, 94, 95, 96, 97, 98, 99, 137, 138, 139, 142, 170, 171, 179, 180, 206});
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
