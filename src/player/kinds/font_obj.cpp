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
TDibFontObj::~TDibFontObj() = default;

bool TDibFontObj::ReadFromStream(TRecordReader& r, int32_t Version) {
  if (!TAnimateObj::ReadFromStream(r, Version)) return false;
  FFilename = ReadStringRecord(r, "font file name");
  FFontColor = r.U32("font colour");
  FOutline = ReadBool(r, "font outline flag");
  FOutlineColor = r.U32("font outline colour");
  FShadow = ReadBool(r, "font shadow flag");
  FShadowColor = r.U32("font shadow colour");
  FKerning = r.I16("font kerning");
  return r.Ok();
}

bool TDibFontObj::Write(TRecordWriter& w) {
  TAnimateObj::Write(w);
  WriteStringRecord(w, FFilename);
  w.U32(FFontColor);
  w.U8(FOutline);
  w.U32(FOutlineColor);
  w.U8(FShadow);
  w.U32(FShadowColor);
  w.I16(FKerning);
  return w.Ok();
}

void TDibFontObj::CopyFrom(const TAnimateObj& AObj) {
  TAnimateObj::CopyFrom(AObj);
  auto* f = dynamic_cast<const TDibFontObj*>(&AObj);
  if (!f) return;
  FFilename = f->FFilename;
  FFontColor = f->FFontColor;
  FOutline = f->FOutline;
  FOutlineColor = f->FOutlineColor;
  FShadow = f->FShadow;
  FShadowColor = f->FShadowColor;
  FKerning = f->FKerning;
}

int32_t TDibFontObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  switch (PropID) {
    case 153: SValue = FFilename; return 3;
    case 137: Value = FFontColor; return 2;
    case 138: Value = FOutlineColor; return 2;
    case 139: Value = FShadowColor; return 2;
    case 179: Value = FShadow; return 2;
    case 180: Value = FOutline; return 2;
    case 171:
      Value = Font() ? Font()->TextHeight() : 0;
      return 2;
    default: return TAnimateObj::GetValue(PropID, Value, SValue);
  }
}

void TDibFontObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  uint32_t c = static_cast<uint32_t>(RoundProp(IValue));
  switch (PropID) {
    case 153:
      FFilename = SValue;
      FFont.reset();
      FTried = false;
      if (FParent) FParent->DibFontChanged();
      break;
    case 137: FFontColor = c; break;
    case 138: FOutlineColor = c; break;
    case 139: FShadowColor = c; break;
    case 179: FShadow = IValue != 0; break;
    case 180: FOutline = IValue != 0; break;
    default: TAnimateObj::SetValue(PropID, SValue, IValue); break;
  }
}

void TDibFontObj::GetPropsToList(TPropList& List) {
  TAnimateObj::GetPropsToList(List);
  AddProps(List, {153, 137, 138, 139, 179, 180, 171});
}

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
