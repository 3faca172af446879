#include "player/kinds/font_obj.h"

#include <algorithm>
#include <cctype>

#include "fonts/dib_font.h"
#include "fonts/package_font.h"
#include "player/kinds/kinds_common.h"
#include "player/scene/dib_animator.h"
#include "text/ansi_text.h"

namespace zkw {

TDibFontObj::TDibFontObj() { FStyle = 40; }

template <class V>
void TDibFontObj::Fields(V& v) {
  using namespace fields;
  v.ListOrder({153, 137, 138, 139, 179, 180, 171});
  v(&Self::FFilename, StringRecord("Filename").Prop(153));
  v(&Self::FFontColor, U32("FontColor").Prop(137));
  v(&Self::FOutline, Bool("Outline").Prop(180));
  v(&Self::FOutlineColor, U32("OutlineColor").Prop(138));
  v(&Self::FShadow, Bool("Shadow").Prop(179));
  v(&Self::FShadowColor, U32("ShadowColor").Prop(139));
  v(&Self::FKerning, I16("Kerning"));
}
template class TKind<TDibFontObj, TAnimateObj>;

int32_t TDibFontObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  if (PropID != 171) return TKind::GetValue(PropID, Value, SValue);
  SValue.clear();
  Value = Font() ? Font()->TextHeight() : 0;
  return 2;
}

void TDibFontObj::PropertyWritten(int32_t PropID) {
  if (PropID != 153) return;
  FFont.reset();
  FTried = false;
  if (FParent) FParent->DibFontChanged();
}
TDibFontObj::~TDibFontObj() = default;

TDibFont* TDibFontObj::Font() {
  if (FFont || FTried || FFilename.empty()) return FFont.get();
  FTried = true;
  std::string file = FFilename, style;
  size_t bar = file.find('|');
  if (bar != std::string::npos) {
    style = file.substr(bar + 1);
    file.resize(bar);
  }
  ZString path = (FParent ? FParent->DataPath : ZString()) + FromAnsi(file);
  std::string lower = file;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  if (lower.size() >= 4 && lower.compare(lower.size() - 4, 4, ".dfp") == 0) {
    FFont.reset(LoadPackageFont(path.c_str(), style));
  } else {
    auto font = std::make_unique<TDibFont>();
    if (font->LoadFromFile(path.c_str())) FFont = std::move(font);
  }
  Update();
  return FFont.get();
}

void TDibFontObj::Update() {
  if (!FFont) return;
  FFont->Kerning = FKerning;
  FFont->SetColor(FFontColor, FOutlineColor);
  FFont->FShadowColor = static_cast<int32_t>(FShadowColor);
  FFont->FOutline = FOutline;
  FFont->FShadow = FShadow;
}

bool TDibFontObj::TextOutFor(TDibBaseObj* Frame, int32_t X, int32_t Y, const std::u16string& Text, int32_t& Result) {
  SetActive(true);
  Result = 0;
  TDibFont* font = Font();
  if (!font || !Frame) return true;
  Update();
  ZString z(Text.begin(), Text.end());
  font->WriteText(X, Y, z.c_str(), static_cast<int32_t>(z.size()), Frame);
  Result = font->TextWidth(z.c_str(), static_cast<uint16_t>(std::min<size_t>(z.size(), 65535)));
  return true;
}

bool TDibFontObj::TextWidthFor(const std::u16string& Text, int32_t& Width) {
  Width = 0;
  if (TDibFont* font = Font()) {
    Update();
    ZString z(Text.begin(), Text.end());
    Width = font->TextWidth(z.c_str(), static_cast<uint16_t>(std::min<size_t>(z.size(), 65535)));
  }
  return true;
}

bool TDibFontObj::TextHeightFor(const std::u16string& Text, int32_t& Height) {
  (void)Text;
  Height = Font() ? Font()->TextHeight() : 0;
  return true;
}

}  // namespace zkw
