#include "text/scene_text.h"
#include "player/kinds/list_obj.h"

#include <algorithm>

#include "dib/dib_base.h"
#include "fonts/dib_font.h"
#include "fonts/glyph_state.h"
#include "player/kinds/font_obj.h"
#include "player/kinds/kinds_common.h"
#include "player/scene/dib_animator.h"

namespace zkw {

namespace {
constexpr int32_t kVkPrior = 0x21, kVkNext = 0x22, kVkEnd = 0x23, kVkHome = 0x24, kVkUp = 0x26, kVkDown = 0x28;
}

TAniListObj::TAniListObj() {
  FStyle = 39;
  macroUserName = "OnDrawItem";
  FKeysNeeded = true;
}

template <class V>
void TAniListObj::Fields(V& v) {
  using namespace fields;
  v.ListOrder({92, 93, 94, 96, 98, 131, 136, 137, 164, 165, 168, 169, 202, 209});
  v(&Self::FFontName, StringRecord("FontName").Prop(92));
  v(&Self::FFontSize, I16("FontSize").Prop(96));
  v(&Self::FFontBold, Bool("FontBold").Prop(93));
  v(&Self::FFontItalic, Bool("FontItalic").Prop(94));
  v(&Self::FFontColor, U32("FontColor").Prop(137));
  v(&Self::FSelFontColor, U32("SelFontColor"));
  v(&Self::FHighlight, U32("Highlight").Prop(136));
  v(&Self::FUseDibFont, Bool("UseDibFont").Prop(98));
  v(&Self::FIndent, I16("Indent"));
  v(&Self::FShowNumber, Bool("ShowNumber"));
  v(&Self::FNumColor, U32("NumColor"));
  v(&Self::FShowLines, Bool("ShowLines"));
  v(&Self::FSpecial, Bool("Special"));
  v(&Self::FAutoHeight, Bool("AutoHeight"));
  v(&Self::FItemHeight, I16("ItemHeight"));
  v(&Self::FScrollbarName, StringRecord("ScrollbarName"));
  v(&Self::FItems, Kept("Items"));
  v(&Self::FItemIndex, Kept("ItemIndex").Prop(165));
  v(&Self::FTopIndex, Kept("TopIndex").Prop(209));
}
template class TKind<TAniListObj, TAnimateObj>;

void TAniListObj::CopyFrom(const TAnimateObj& AObj) {
  TKind::CopyFrom(AObj);
  FKeysNeeded = true;
}

int32_t TAniListObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  bool has = FItemIndex >= 0 && FItemIndex < static_cast<int32_t>(FItems.size());
  switch (PropID) {
    case 131: if (has) SValue = FItems[static_cast<size_t>(FItemIndex)].Text; return 3;
    case 168: Value = has ? FItems[static_cast<size_t>(FItemIndex)].Data : 0; return 2;
    case 169: Value = static_cast<long double>(FItems.size()); return 2;
    case 202: Value = has ? FItems[static_cast<size_t>(FItemIndex)].Data : 0; return 2;
    default: return TKind::GetValue(PropID, Value, SValue);
  }
}

void TAniListObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  int32_t n = RoundProp(IValue);
  bool has = FItemIndex >= 0 && FItemIndex < static_cast<int32_t>(FItems.size());
  switch (PropID) {
    case 131: if (has) FItems[static_cast<size_t>(FItemIndex)].Text = SValue; break;
    case 164: ListAddItem(SValue, n); return;
    case 168: if (has) FItems[static_cast<size_t>(FItemIndex)].Data = n; break;
    case 202: FItemIndex = GetItemDataIndex(n); break;
    default: TKind::SetValue(PropID, SValue, IValue); return;
  }
  UpdateControl();
}

void TAniListObj::PropertyWritten(int32_t PropID) {
  (void)PropID;
  UpdateControl();
}

TSysTextStyle TAniListObj::Style(uint32_t Color, bool Bold) const {
  TSysTextStyle s;
  s.FontName = FFontName;
  s.FontSize = FFontSize;
  s.Bold = Bold;
  s.Italic = FFontItalic;
  s.Color = Color;
  return s;
}

TDibFont* TAniListObj::DibFont() {
  if (!FParent || !FUseDibFont) return nullptr;
  if (auto* fo = dynamic_cast<TDibFontObj*>(FParent->GetObjectName(FFontName)))
    if (TDibFont* f = fo->Font()) return f;
  return FParent->FFont;
}

int32_t TAniListObj::ItemHeightOf(const std::string& Text) {
  if (!FAutoHeight) return std::max<int32_t>(1, FItemHeight);
  std::u16string text = DecodeSceneText16(Text);
  int32_t width = FWidth - FIndent;
  if (TDibFont* f = DibFont()) {
    ZString z(text.begin(), text.end());
    TFontRect rect{0, 0, width, 0};
    return std::max(1, f->CalcText(rect, z.c_str(), static_cast<int32_t>(z.size())));
  }
  TSysTextCanvas canvas(FParent, nullptr, Style(FFontColor, FFontBold));
  plat::RECT r{0, 0, width, 0};
  int32_t h = plat::DrawTextW(canvas.DC(), reinterpret_cast<const plat::WCHAR*>(text.c_str()),
                              static_cast<int>(text.size()), &r, plat::DT_CALCRECT | plat::DT_WORDBREAK);
  return std::max(1, h);
}

void TAniListObj::UpdateControl() {
  int32_t n = static_cast<int32_t>(FItems.size());
  FItemIndex = std::clamp(FItemIndex, -1, n - 1);
  FTopIndex = std::clamp(FTopIndex, 0, std::max(0, n - 1));
  if (FParent) {
    if (TAnimateObj* bar = FScrollbarName.empty() ? nullptr : FParent->GetObjectName(FScrollbarName))
      bar->SetValue(103, std::string(), std::max(0, n - 1));  // the scroll bar's Max
    FParent->NeedDrawNow = true;
  }
}

bool TAniListObj::ListClear() {
  FItems.clear();
  FItemIndex = -1;
  FTopIndex = 0;
  UpdateControl();
  return true;
}

bool TAniListObj::ListDeleteItem(int32_t Index) {
  if (Index >= 0 && Index < static_cast<int32_t>(FItems.size())) {
    FItems.erase(FItems.begin() + Index);
    if (FItemIndex >= static_cast<int32_t>(FItems.size())) FItemIndex = static_cast<int32_t>(FItems.size()) - 1;
    UpdateControl();
  }
  return true;
}

bool TAniListObj::ListAddItem(const std::string& Text, int32_t Data) {
  FItems.push_back({Text, Data, ItemHeightOf(Text)});
  UpdateControl();
  return true;
}

bool TAniListObj::ListSort() {
  std::stable_sort(FItems.begin(), FItems.end(),
                   [](const TAniListItem& a, const TAniListItem& b) { return a.Text < b.Text; });
  UpdateControl();
  return true;
}

bool TAniListObj::ListItem(int32_t Index, std::string& Text, int32_t& Data) {
  Text.clear();
  Data = 0;
  if (Index >= 0 && Index < static_cast<int32_t>(FItems.size())) {
    Text = FItems[static_cast<size_t>(Index)].Text;
    Data = FItems[static_cast<size_t>(Index)].Data;
  }
  return true;
}

int32_t TAniListObj::GetItemDataIndex(int32_t Data) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].Data == Data) return static_cast<int32_t>(i);
  return -1;
}

int32_t TAniListObj::ItemAt(int32_t Y) const {
  int32_t top = Fy;
  for (size_t i = static_cast<size_t>(std::max(0, FTopIndex)); i < FItems.size(); ++i) {
    int32_t h = FItems[i].Height;
    if (top >= Fy + FHeight) break;
    if (Y >= top && Y < top + h) return static_cast<int32_t>(i);
    top += h;
  }
  return -1;
}

void TAniListObj::Draw(TDibBaseObj* ADib) {
  if (IsFarAway(this)) return;
  if (!FEnabled || !ADib) return;
  uint16_t rate = static_cast<uint16_t>(std::clamp<int32_t>(FTrans, 0, 100));
  TDibFont* font = FUseDibFont ? DibFont() : nullptr;
  int32_t bottom = Fy + FHeight;
  int32_t top = Fy;
  for (size_t i = static_cast<size_t>(std::max(0, FTopIndex)); i < FItems.size() && top < bottom; ++i) {
    TAniListItem& item = FItems[i];
    int32_t h = std::max(1, item.Height);
    int32_t itemBottom = std::min(top + h, bottom);
    bool selected = static_cast<int32_t>(i) == FItemIndex;
    if (selected)
      ADib->BarMerge(Fx + 2, top, Fx + FWidth - 2, itemBottom - 1, FSpecial ? FNumColor : FHighlight, rate);
    uint32_t color = selected ? FSelFontColor : FFontColor;
    std::u16string text = DecodeSceneText16(item.Text);
    if (font) {
      font->SetColor(color, font->FOutlineColor);
      font->Opacity = rate;
      TFontRect keep = FontClipRect;
      SetFontClipRegion(Fx, top, Fx + FWidth, itemBottom);
      ZString z(text.begin(), text.end());
      font->DrawText(TFontRect{Fx + FIndent, top, Fx + FWidth, itemBottom}, z.c_str(), static_cast<int32_t>(z.size()),
                     ADib, 0);
      if (FShowNumber) {
        std::string num = std::to_string(i + 1) + ".";
        ZString zn(num.begin(), num.end());
        font->SetColor(FNumColor, font->FOutlineColor);
        SetFontClipRegion(Fx, Fy - std::abs(font->tmAscent), Fx + FWidth, bottom);
        font->WriteText(Fx + 2, top, zn.c_str(), static_cast<int32_t>(zn.size()), ADib);
      }
      FontClipRect = keep;
      font->Opacity = 100;
    } else if (!FUseDibFont) {
      TSysTextCanvas canvas(FParent, ADib, Style(color, FFontBold));
      canvas.DrawText(text, plat::RECT{Fx + FIndent, top, Fx + FWidth, itemBottom}, plat::DT_WORDBREAK);
      if (FShowNumber) {
        TSysTextCanvas numbers(FParent, ADib, Style(FNumColor, true));
        std::string num = std::to_string(i + 1) + ".";
        numbers.TextOutColor(Fx + 2, top, std::u16string(num.begin(), num.end()), FNumColor);
      }
    }
    bool cut = top + h > bottom;
    if (FShowLines && !selected && i + 1 < FItems.size() && !cut)
      ADib->LineMerge(Fx + 2, top + h - 1, Fx + FWidth - 2, top + h - 1, FHighlight, rate);
    if (FParent) {
      FParent->MoveTo(Fx, top);
      FParent->FEventString = item.Text;
      RaiseUserEvent(this, 16, h, static_cast<intptr_t>(i));
    }
    top += h;
  }
}

bool TAniListObj::MouseDown(TDibAnimator* AParent, int32_t X, int32_t Y) {
  if (IsFarAway(this)) return false;
  bool result = TAnimateObj::MouseDown(AParent, X, Y);
  if (!FEnabled || !InRect(X, Y)) return result;
  SetFocus();
  int32_t i = ItemAt(Y);
  if (i >= 0) FItemIndex = i;
  if (FParent) FParent->NeedDrawNow = true;
  return true;
}

void TAniListObj::KeyDown(int32_t Key) {
  if (!FEnabled || !FActive) return;
  int32_t n = static_cast<int32_t>(FItems.size());
  switch (Key) {
    case kVkPrior: FTopIndex -= 10; break;
    case kVkNext: FTopIndex += 10; break;
    case kVkEnd: FItemIndex = n - 1; break;
    case kVkHome: FItemIndex = n > 0 ? 0 : -1; break;
    case kVkUp: FItemIndex = std::max(n > 0 ? 0 : -1, FItemIndex - 1); break;
    case kVkDown: FItemIndex = std::min(n - 1, FItemIndex + 1); break;
    default: return;
  }
  UpdateControl();
}

void TAniListObj::VScroll(int32_t Dy) {
  FTopIndex += Dy;
  UpdateControl();
}

}  // namespace zkw
