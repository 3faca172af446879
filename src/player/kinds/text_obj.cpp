#include "player/kinds/text_obj.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "dib/dib_base.h"
#include "fonts/dib_font.h"
#include "fonts/glyph_state.h"
#include "player/kinds/font_obj.h"
#include "player/kinds/kinds_common.h"
#include "player/kinds/label_obj.h"
#include "player/scene/dib_animator.h"
#include "text/scene_text.h"

namespace zkw {

namespace {

constexpr size_t kMaxBuffer = 255;
constexpr int32_t kVkEnd = 0x23, kVkHome = 0x24, kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28,
                  kVkDelete = 0x2E, kVkControl = 0x11;

char16_t Upper(char16_t c) {
  if (c >= 'a' && c <= 'z') return static_cast<char16_t>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
  return c;
}
char16_t Lower(char16_t c) {
  if (c >= 'A' && c <= 'Z') return static_cast<char16_t>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
  return c;
}
std::u16string Map(std::u16string s, char16_t (*f)(char16_t)) {
  for (char16_t& c : s) c = f(c);
  return s;
}
std::u16string Trim(const std::u16string& s) {
  size_t a = 0, b = s.size();
  while (a < b && s[a] <= ' ') ++a;
  while (b > a && s[b - 1] <= ' ') --b;
  return s.substr(a, b - a);
}
std::u16string U16(const char* s) {
  std::u16string r;
  while (*s) r.push_back(static_cast<char16_t>(static_cast<unsigned char>(*s++)));
  return r;
}
void ReplaceAll(std::u16string& s, const std::u16string& from, const std::u16string& to) {
  for (size_t p = s.find(from); p != std::u16string::npos; p = s.find(from, p + to.size())) s.replace(p, from.size(), to);
}

}  // namespace

std::u16string RemoveSigns(const std::u16string& Text) {
  std::u16string r;
  size_t i = 0;
  while (i < Text.size() && Text[i] == ' ') ++i;
  for (; i < Text.size(); ++i) {
    char16_t c = Text[i];
    switch (c) {
      case 33: case 34: case 40: case 41: case 44: case 46: case 58: case 59: case 63: case 91: case 93:
      case 0x201C: case 0x201D:
        continue;
      case ' ':
        if (i + 1 < Text.size() && Text[i + 1] == ' ') continue;
        break;
      case 0x2018: case 0x2019: c = '\''; break;
      default: break;
    }
    r.push_back(c);
  }
  while (!r.empty() && r.back() == ' ') r.pop_back();
  return r;
}

std::u16string ExpandContractions(const std::u16string& Text) {
  static const char* const kList[][2] = {
      {"i'm", "i am"},         {"you're", "you are"},     {"we're", "we are"},       {"he's", "he is"},
      {"she's", "she is"},     {"it's", "it is"},         {"they're", "they are"},   {"i'll", "i will"},
      {"he'll", "he will"},    {"she'll", "she will"},    {"it'll", "it will"},      {"we'll", "we will"},
      {"you'll", "you will"},  {"they'll", "they will"},  {"i've", "i have"},        {"we've", "we have"},
      {"you've", "you have"},  {"they've", "they have"},  {"haven't", "have not"},   {"hasn't", "has not"},
      {"hadn't", "had not"},   {"what's", "what is"},     {"where's", "where is"},   {"that's", "that is"},
      {"amn't", "am not"},     {"isn't", "is not"},       {"aren't", "are not"},     {"doesn't", "does not"},
      {"didn't", "did not"},   {"shouldn't", "should not"}, {"wouldn't", "would not"}, {"'s", " is"},
      {"'m", " am"},           {"can't", "can not"},      {"cannot", "can not"},     {"couldn't", "could not"}};
  std::u16string s = Text;
  // Each pass replaces one occurrence; a text of n units can hold at most n contractions, and
  // the expansions never recreate one, so the loop ends.
  for (size_t guard = 0; guard <= Text.size() + 1; ++guard) {
    bool changed = false;
    for (const auto& e : kList) {
      std::u16string from = U16(e[0]);
      size_t p = s.find(from);
      if (p == std::u16string::npos) continue;
      s.replace(p, from.size(), U16(e[1]));
      changed = true;
      break;
    }
    if (!changed) break;
  }
  return s;
}

std::u16string NormaliseEnglish(const std::u16string& Text) {
  std::u16string t = Text;
  for (char16_t& c : t)
    if (c == '\r' || c == '\n') c = ' ';
  t = Trim(t);
  std::u16string r;
  for (size_t i = 0; i < t.size(); ++i) {
    char16_t c = t[i];
    bool last = i + 1 == t.size();
    bool nonSpaceFollows = !last && t[i + 1] != ' ';
    if (c == ' ') {
      if (nonSpaceFollows) r.push_back(' ');
    } else if (c == '!' || c == ',' || c == '.') {
      if (!last && !r.empty() && r.back() != ' ') r.push_back(' ');
    } else if (c == ':' || c == ';') {
      if (nonSpaceFollows && !r.empty() && r.back() != ' ') r.push_back(' ');
    } else {
      r.push_back(c == 0x2019 ? u'\'' : c);
    }
  }
  ReplaceAll(r, u" 's", u"'s");
  return Trim(r);
}

namespace {
bool EnglishSame(const std::u16string& a, const std::u16string& b) {
  if (a.empty() || b.empty()) return false;
  auto prep = [](const std::u16string& s) { return Trim(ExpandContractions(Map(RemoveSigns(s), Lower))); };
  return prep(a) == prep(b);
}
}  // namespace

TDibTextObj::TDibTextObj() {
  FStyle = 31;
  FID = -1;
  FKeysNeeded = true;
  macroUserName = "OnKeyPress";
}

// Only the appearance and the answer rules are stored; the typing rules are copied.
template <class V>
void TDibTextObj::Fields(V& v) {
  using namespace fields;
  v.ListOrder({92, 93, 94, 96, 97, 98, 113, 114, 131, 136, 137, 138, 139, 140, 141, 142, 143, 144, 145, 146, 147,
               170, 171, 173, 174, 179, 180, 204, 205, 206, 207});
  v(&Self::FFontName, CountedText("FontName").Prop(92));
  v(&Self::FFontSize, I16("FontSize").Prop(96));
  v(&Self::FFontBold, Bool("FontBold").Prop(93));
  v(&Self::FFontItalic, Bool("FontItalic").Prop(94));
  v(&Self::FFontColor, U32("FontColor").Prop(137));
  v(&Self::FUseDibFont, Bool("UseDibFont").Prop(98));
  v(&Self::FBorderSize, I16("BorderSize").Prop(141));
  v(&Self::FBorderColor, U32("BorderColor").Prop(140));
  v(&Self::FFill, Bool("Fill"));
  v(&Self::FColor, U32("Color").Prop(136));
  v(&Self::FAlignment, I16("Alignment").Prop(142));
  v(&Self::FOutline, Bool("Outline").Prop(180));
  v(&Self::FOutlineColor, U32("OutlineColor").Prop(138));
  v(&Self::FShadow, Bool("Shadow").Prop(179));
  v(&Self::FShadowColor, U32("ShadowColor").Prop(139));
  v(&Self::FCaseSensitive, Bool("CaseSensitive").Prop(145));
  v(&Self::FIgnoreSigns, Bool("IgnoreSigns").Prop(146));
  v(&Self::FEnglish, Bool("English").Prop(147));
  v(&Self::FOneChar, Bool("OneChar").Prop(143));
  v(&Self::FUpperChar, Bool("UpperChar").Prop(144));
  v(&Self::FEnableEnterKey, Kept("EnableEnterKey").Prop(173));
  v(&Self::FReadOnly, Kept("ReadOnly").Prop(174));
  v(&Self::FNumberInput, Kept("NumberInput").Prop(205).ReadOnly());
  v(&Self::FValidChars, Kept("ValidChars"));
  v(&Self::FDecimalSepChar, Kept("DecimalSepChar"));
  v(&Self::FBlinkColor, Kept("BlinkColor").Prop(207));
}
template class TKind<TDibTextObj, TAnimateObj>;

void TDibTextObj::CopyFrom(const TAnimateObj& AObj) {
  TKind::CopyFrom(AObj);
  FKeysNeeded = true;
}

TSysTextStyle TDibTextObj::Style() const {
  TSysTextStyle s;
  s.FontName = FFontName;
  s.FontSize = FFontSize;
  s.Bold = FFontBold;
  s.Italic = FFontItalic;
  s.Color = FFontColor;
  s.Outline = FOutline;
  s.OutlineColor = FOutlineColor;
  s.Shadow = FShadow;
  s.ShadowColor = FShadowColor;
  return s;
}

TDibFont* TDibTextObj::DibFont() {
  if (!FParent || !FUseDibFont) return nullptr;
  if (auto* fo = dynamic_cast<TDibFontObj*>(FParent->GetObjectName(FFontName)))
    if (TDibFont* f = fo->Font()) return f;
  return FParent->FFont;
}

TSysTextCanvas& TDibTextObj::Measurer() {
  std::string key = FFontName + "|" + std::to_string(FFontSize) + (FFontBold ? "b" : "") + (FFontItalic ? "i" : "");
  if (!FMeasure || key != FMeasureKey) {
    FMeasure.reset();
    FMeasure = std::make_unique<TSysTextCanvas>(FParent, nullptr, Style());
    FMeasureKey = key;
  }
  return *FMeasure;
}

int32_t TDibTextObj::TextWidth(const std::u16string& Text) {
  if (FUseDibFont) {
    TDibFont* f = DibFont();
    if (!f) return 0;
    ZString z(Text.begin(), Text.end());
    return f->TextWidth(z.c_str(), static_cast<uint16_t>(z.size()));
  }
  return Measurer().Extent(Text).cx;
}

int32_t TDibTextObj::LineHeight() {
  if (FUseDibFont) {
    TDibFont* f = DibFont();
    return f ? f->TextHeight() : 0;
  }
  return Measurer().Extent(u"ABgh").cy;
}

void TDibTextObj::Layout() {
  FLineStarts.assign(1, 0);
  int32_t inner = FWidth - 2 * FBorderSize - 4;
  int32_t lineHeight = std::max(1, LineHeight());
  int32_t spaceWidth = TextWidth(u" ");
  if (FUseDibFont && !DibFont()) spaceWidth = 16;
  int32_t lineWidth = 0;
  size_t i = 0, n = FBuffer.size();
  while (i < n) {
    char16_t c = FBuffer[i];
    if (c == '\r') {
      size_t next = i + 1;
      if (next < n && FBuffer[next] == '\n') ++next;
      FLineStarts.push_back(static_cast<int32_t>(next));
      lineWidth = 0;
      i = next;
      continue;
    }
    if (c == '\n') {
      ++i;
      continue;
    }
    if (c == ' ') {
      lineWidth += spaceWidth;
      ++i;
      continue;
    }
    size_t end = i;
    while (end < n && FBuffer[end] != ' ' && FBuffer[end] != '\r' && FBuffer[end] != '\n') ++end;
    int32_t w = TextWidth(FBuffer.substr(i, end - i));
    if (lineWidth > 0 && lineWidth + w > inner) {
      FLineStarts.push_back(static_cast<int32_t>(i));
      lineWidth = 0;
    }
    lineWidth += w;
    i = end;
  }
  // Lines that would run below the box are cut off with their text.
  int32_t available = FHeight - 2 * FBorderSize;
  if (FUseDibFont)
    if (TDibFont* f = DibFont()) available -= std::abs(f->tmAscent);
  int32_t fit = std::max(1, available / lineHeight);
  if (static_cast<int32_t>(FLineStarts.size()) > fit) {
    FBuffer.resize(static_cast<size_t>(FLineStarts[static_cast<size_t>(fit)]));
    FLineStarts.resize(static_cast<size_t>(fit));
    // A cut after CR LF leaves the pair; drop it with the line it ended.
    while (!FBuffer.empty() && (FBuffer.back() == '\n' || FBuffer.back() == '\r')) FBuffer.pop_back();
    FCaretPos = std::min<int32_t>(FCaretPos, static_cast<int32_t>(FBuffer.size()));
  }
}

int32_t TDibTextObj::LineOf(int32_t Offset) const {
  int32_t line = 0;
  for (size_t i = 1; i < FLineStarts.size(); ++i)
    if (FLineStarts[i] <= Offset) line = static_cast<int32_t>(i);
  return line;
}

int32_t TDibTextObj::LineEnd(int32_t Line) const {
  int32_t end = Line + 1 < static_cast<int32_t>(FLineStarts.size()) ? FLineStarts[static_cast<size_t>(Line) + 1]
                                                                     : static_cast<int32_t>(FBuffer.size());
  while (end > FLineStarts[static_cast<size_t>(Line)] &&
         (FBuffer[static_cast<size_t>(end) - 1] == '\r' || FBuffer[static_cast<size_t>(end) - 1] == '\n'))
    --end;
  return end;
}

std::u16string TDibTextObj::LineText(int32_t Line) const {
  int32_t start = FLineStarts[static_cast<size_t>(Line)];
  return FBuffer.substr(static_cast<size_t>(start), static_cast<size_t>(LineEnd(Line) - start));
}

int32_t TDibTextObj::LineX(int32_t Line, int32_t Width) {
  (void)Line;
  int32_t inner = FWidth - 2 * FBorderSize - 4;
  int32_t x = Fx + FBorderSize + 2;
  if (FAlignment == 1) return x + (inner - Width) / 2;
  if (FAlignment == 2) {
    int32_t kerning = 0;
    if (TDibFont* f = DibFont()) kerning = f->Kerning;
    return Fx + FWidth - FBorderSize - 2 - Width - kerning;
  }
  return x;
}

void TDibTextObj::PlaceCaret() {
  if (IsFarAway(this)) return;
  if (!FParent || FParent->FFocused != this) return;
  int32_t lineHeight = LineHeight();
  if (FOneChar) {
    HideCaret();
    return;
  }
  ShowCaret(lineHeight);
  int32_t line = LineOf(FCaretPos);
  std::u16string text = LineText(line);
  int32_t start = FLineStarts[static_cast<size_t>(line)];
  int32_t x = LineX(line, TextWidth(text)) + TextWidth(text.substr(0, static_cast<size_t>(std::max(0, FCaretPos - start))));
  int32_t y = Fy + FBorderSize + line * lineHeight;
  FParent->SetCaretPos(x - Fx, y - Fy);
}

void TDibTextObj::Relayout(bool MoveCaret) {
  Layout();
  if (MoveCaret) FCaretPos = static_cast<int32_t>(FBuffer.size());
  PlaceCaret();
  if (FParent) FParent->NeedDrawNow = true;
}

void TDibTextObj::SetText(const std::u16string& Text) {
  FBuffer = Text.substr(0, kMaxBuffer);
  Relayout(true);
}

bool TDibTextObj::Equal() {
  std::u16string typed = FBuffer, answer = DecodeSceneText16(FTextID);
  if (typed.empty()) return false;
  if (!FEnglish) {
    if (!FCaseSensitive) {
      typed = Map(typed, Upper);
      answer = Map(answer, Upper);
    }
    if (FIgnoreSigns) {
      typed = RemoveSigns(typed);
      answer = RemoveSigns(answer);
    }
    return typed == answer;
  }
  std::u16string t = NormaliseEnglish(typed);
  size_t p = 0;
  while (true) {
    size_t q = answer.find(u'\\', p);
    std::u16string alt = NormaliseEnglish(answer.substr(p, q == std::u16string::npos ? std::u16string::npos : q - p));
    if (EnglishSame(t, alt)) return true;
    if (q == std::u16string::npos) return false;
    p = q + 1;
  }
}

int32_t TDibTextObj::GetValue(int32_t PropID, long double& Value, std::string& SValue) {
  Value = 0;
  SValue.clear();
  switch (PropID) {
    case 97: {
      std::u16string t = Trim(FBuffer);
      bool numeric = !t.empty() && std::all_of(t.begin(), t.end(), [](char16_t c) {
        return (c >= '0' && c <= '9') || c == '-' || c == ',' || c == '.';
      });
      if (numeric) {
        std::string s(t.begin(), t.end());
        std::replace(s.begin(), s.end(), ',', '.');
        char* end = nullptr;
        long double v = std::strtold(s.c_str(), &end);
        Value = (end && *end == 0 && std::isfinite(v)) ? v : 0;
      }
      return 2;
    }
    case 113: Value = Equal(); return 2;
    case 114: Value = FOneChar && !FBuffer.empty() ? FBuffer[0] : 0; return 2;
    case 131: SValue = EncodeSceneText(ZString(FBuffer.begin(), FBuffer.end())); return 3;
    case 170: Value = TextWidth(FBuffer); return 2;
    case 171: Value = LineHeight(); return 2;
    case 204: SValue = EncodeSceneText(ZString(FValidChars.begin(), FValidChars.end())); return 3;
    case 206:
      if (FDecimalSepChar) SValue = EncodeSceneText(ZString(1, static_cast<ZChar>(FDecimalSepChar)));
      return 3;
    default: return TKind::GetValue(PropID, Value, SValue);
  }
}

void TDibTextObj::SetValue(int32_t PropID, const std::string& SValue, long double IValue) {
  switch (PropID) {
    case 97: {
      std::string s = FormatSceneNumber(std::isnan(IValue) ? 0 : IValue, '.');
      std::u16string t(s.begin(), s.end());
      if (FDecimalSepChar) std::replace(t.begin(), t.end(), u'.', FDecimalSepChar);
      SetText(t);
      return;
    }
    case 131: {
      std::u16string t = DecodeSceneText16(SValue);
      if (FOneChar) t = t.empty() ? u" " : t.substr(0, 1);
      SetText(t);
      return;
    }
    case 204: FValidChars = DecodeSceneText16(SValue); break;
    case 205: FNumberInput = IValue > 0; break;
    case 206:
      if (!SValue.empty()) FDecimalSepChar = DecodeSceneText16(SValue)[0];
      break;
    default: TKind::SetValue(PropID, SValue, IValue); return;
  }
  PropertyWritten(PropID);
}

void TDibTextObj::PropertyWritten(int32_t PropID) {
  (void)PropID;
  if (FParent) FParent->NeedDrawNow = true;
}

void TDibTextObj::Action(TDibBaseObj* ADib) {
  (void)ADib;
  FParentSetPos = false;
  if (!FEnabled) return;
  FBlinkPhase = FBlinkPhase <= 1 ? 5 : FBlinkPhase - 1;
}

void TDibTextObj::Draw(TDibBaseObj* ADib) {
  if (IsFarAway(this)) return;
  if (!FEnabled || !ADib) return;
  uint16_t rate = static_cast<uint16_t>(std::clamp<int32_t>(FTrans, 0, 100));
  if (FFill) ADib->BarMerge(Fx, Fy, Fx + FWidth - 1, Fy + FHeight - 1, FColor, rate);
  if (FBorderSize >= 1)
    ADib->RectangleMerge(Fx, Fy, Fx + FWidth - 1, Fy + FHeight - 1, FBorderSize, FBorderColor, rate);
  else if (FBorderSize < 0)
    ADib->LineEx(Fx, Fy + FHeight, Fx + FWidth - 1, Fy + FHeight, -FBorderSize, FBorderColor);
  if (FLineStarts.empty()) Layout();
  int32_t lineHeight = LineHeight();
  TDibFont* font = FUseDibFont ? DibFont() : nullptr;
  if (FUseDibFont && !font) return;
  if (FOneChar) {
    std::u16string ch = FBuffer.empty() ? std::u16string() : FBuffer.substr(0, 1);
    if (font) {
      ZString z(ch.begin(), ch.end());
      int32_t w = font->TextWidth(z.c_str(), static_cast<uint16_t>(z.size()));
      font->SetColor(FFontColor, FOutlineColor);
      font->Opacity = rate;
      font->WriteText(Fx + (FWidth - w) / 2, Fy + (FHeight - font->TextHeight()) / 2 + FBorderSize, z.c_str(),
                      static_cast<int32_t>(z.size()), ADib);
      font->Opacity = 100;
    } else {
      TSysTextCanvas canvas(FParent, ADib, Style());
      int32_t inset = FBorderSize + 2;
      canvas.DrawText(ch, plat::RECT{Fx + inset, Fy + inset, Fx + FWidth - inset, Fy + FHeight - inset},
                      plat::DT_SINGLELINE | plat::DT_NOPREFIX | plat::DT_CENTER);
    }
    if (FParent && FParent->FFocused == this && FActive) {
      // The dotted frame: pixels counted clockwise from the top-left corner; every pixel whose
      // count modulo 5 equals the phase is left out.
      int32_t count = 0, r = Fx + FWidth - 1, b = Fy + FHeight - 1;
      auto dot = [&](int32_t x, int32_t y) {
        if (count++ % 5 != FBlinkPhase % 5) ADib->PutPixel(x, y, FBlinkColor);
      };
      for (int32_t x = Fx; x <= r; ++x) dot(x, Fy);
      for (int32_t y = Fy + 1; y <= b; ++y) dot(r, y);
      for (int32_t x = r - 1; x >= Fx; --x) dot(x, b);
      for (int32_t y = b - 1; y > Fy; --y) dot(Fx, y);
    }
    return;
  }
  if (font) {
    font->SetColor(FFontColor, FOutlineColor);
    font->FShadowColor = static_cast<int32_t>(FShadowColor);
    font->FOutline = FOutline;
    font->FShadow = FShadow;
    font->Opacity = rate;
    TFontRect keep = FontClipRect;
    SetFontClipRegion(Fx, Fy - std::abs(font->tmAscent), Fx + FWidth, Fy + FHeight);
    int32_t y = Fy + FBorderSize + std::abs(font->tmAscent);
    for (size_t line = 0; line < FLineStarts.size(); ++line) {
      std::u16string text = LineText(static_cast<int32_t>(line));
      ZString z(text.begin(), text.end());
      int32_t w = font->TextWidth(z.c_str(), static_cast<uint16_t>(z.size()));
      font->WriteText(LineX(static_cast<int32_t>(line), w), y, z.c_str(), static_cast<int32_t>(z.size()), ADib);
      y += lineHeight;
    }
    FontClipRect = keep;
    font->Opacity = 100;
    return;
  }
  TSysTextCanvas canvas(FParent, ADib, Style());
  uint32_t format = plat::DT_SINGLELINE | plat::DT_NOPREFIX |
                    (FAlignment == 1 ? plat::DT_CENTER : FAlignment == 2 ? plat::DT_RIGHT : 0);
  int32_t inset = FBorderSize + 2;
  for (size_t line = 0; line < FLineStarts.size(); ++line) {
    int32_t top = Fy + inset + static_cast<int32_t>(line) * lineHeight;
    canvas.DrawText(LineText(static_cast<int32_t>(line)),
                    plat::RECT{Fx + inset, top, Fx + FWidth - inset, std::min(top + lineHeight, Fy + FHeight - inset)},
                    format);
  }
}

bool TDibTextObj::MouseDown(TDibAnimator* AParent, int32_t X, int32_t Y) {
  if (IsFarAway(this)) return false;
  bool result = TAnimateObj::MouseDown(AParent, X, Y);
  if (!FEnabled || !InRect(X, Y)) return result;
  SetFocus();
  if (FLineStarts.empty()) Layout();
  if (!FOneChar) {
    int32_t lineHeight = std::max(1, LineHeight());
    int32_t line = std::clamp<int32_t>((Y - Fy - FBorderSize) / lineHeight, 0, static_cast<int32_t>(FLineStarts.size()) - 1);
    std::u16string text = LineText(line);
    int32_t x0 = LineX(line, TextWidth(text));
    int32_t start = FLineStarts[static_cast<size_t>(line)], pos = start + static_cast<int32_t>(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
      int32_t left = TextWidth(text.substr(0, i)), right = TextWidth(text.substr(0, i + 1));
      if (X - x0 < (left + right) / 2) {
        pos = start + static_cast<int32_t>(i);
        break;
      }
    }
    FCaretPos = pos;
  }
  PlaceCaret();
  return true;
}

void TDibTextObj::SetActive(bool Value) {
  TAnimateObj::SetActive(Value);
  if (!Value) HideCaret();
}

bool TDibTextObj::ValidKey(char16_t Key) const {
  if (FNumberInput) {
    if (Key >= '0' && Key <= '9') return true;
    return FDecimalSepChar && Key == FDecimalSepChar && FBuffer.find(FDecimalSepChar) == std::u16string::npos;
  }
  if (!FValidChars.empty()) return FValidChars.find(Key) != std::u16string::npos;
  return true;
}

void TDibTextObj::InsertText(const std::u16string& Text) {
  if (FBuffer.size() + Text.size() > kMaxBuffer) return;
  FBuffer.insert(static_cast<size_t>(FCaretPos), Text);
  FCaretPos += static_cast<int32_t>(Text.size());
  Relayout(false);
}

void TDibTextObj::KeyDown(int32_t Key) {
  if (!FEnabled || !FActive || FOneChar) return;
  if (FLineStarts.empty()) Layout();
  bool control = FParent && FParent->FKeyDown && FParent->FKeyDown(kVkControl);
  int32_t n = static_cast<int32_t>(FBuffer.size());
  auto isPair = [&](int32_t at) { return at >= 0 && at + 1 < n && FBuffer[at] == '\r' && FBuffer[at + 1] == '\n'; };
  int32_t line = LineOf(FCaretPos);
  switch (Key) {
    case kVkLeft:
      if (FCaretPos > 0) FCaretPos -= isPair(FCaretPos - 2) ? 2 : 1;
      break;
    case kVkRight:
      if (FCaretPos < n) FCaretPos += isPair(FCaretPos) ? 2 : 1;
      break;
    case kVkUp:
    case kVkDown: {
      int32_t target = line + (Key == kVkUp ? -1 : 1);
      if (target < 0 || target >= static_cast<int32_t>(FLineStarts.size())) break;
      int32_t offset = FCaretPos - FLineStarts[static_cast<size_t>(line)];
      int32_t start = FLineStarts[static_cast<size_t>(target)];
      FCaretPos = std::min(start + offset, LineEnd(target));
      break;
    }
    case kVkHome: FCaretPos = control ? 0 : FLineStarts[static_cast<size_t>(line)]; break;
    case kVkEnd: FCaretPos = control ? n : LineEnd(line); break;
    case kVkDelete:
      if (FReadOnly || FCaretPos >= n) break;
      FBuffer.erase(static_cast<size_t>(FCaretPos), isPair(FCaretPos) ? 2 : 1);
      Relayout(false);
      return;
    default: return;
  }
  PlaceCaret();
}

void TDibTextObj::KeyPress(int32_t Key) {
  if (!FEnabled || !FActive || FReadOnly) return;
  if (FParent && FParent->FKeyDown && FParent->FKeyDown(kVkControl)) return;
  if (FParent && Macro(ocUser)) {
    FParent->FEventValue1 = Key;
    FParent->FEventValue2 = 0;
    RunMacro(ocUser, 18);
    Key = static_cast<int32_t>(FParent->FEventValue1);
  }
  if (FLineStarts.empty()) Layout();
  if (FOneChar) {
    if (Key < 32 || Key > 255 || !ValidKey(static_cast<char16_t>(Key))) return;
    char16_t c = static_cast<char16_t>(Key);
    if (FUpperChar && c >= 'a' && c <= 'z') c = static_cast<char16_t>(c - 32);
    FBuffer.assign(1, c);
    Relayout(true);
    return;
  }
  int32_t n = static_cast<int32_t>(FBuffer.size());
  if (Key == 8) {
    if (FCaretPos <= 0) return;
    bool pair = FCaretPos >= 2 && FBuffer[static_cast<size_t>(FCaretPos) - 2] == '\r' &&
                FBuffer[static_cast<size_t>(FCaretPos) - 1] == '\n';
    int32_t count = pair ? 2 : 1;
    FBuffer.erase(static_cast<size_t>(FCaretPos - count), static_cast<size_t>(count));
    FCaretPos -= count;
    Relayout(false);
    return;
  }
  if (Key == 13) {
    if (FEnableEnterKey) InsertText(u"\r\n");
    return;
  }
  (void)n;
  if (Key <= 31 || Key > 0xFFFF || !ValidKey(static_cast<char16_t>(Key))) return;
  InsertText(std::u16string(1, static_cast<char16_t>(Key)));
}

bool TDibTextObj::TextOutFor(TDibBaseObj* Frame, int32_t X, int32_t Y, const std::u16string& Text, int32_t& Result) {
  TSysTextCanvas canvas(FParent, Frame, Style());
  Result = canvas.TextOut(X, Y, Text);
  return true;
}

bool TDibTextObj::TextWidthFor(const std::u16string& Text, int32_t& Width) {
  TSysTextCanvas canvas(FParent, nullptr, Style());
  Width = canvas.Extent(Text).cx;
  return true;
}

bool TDibTextObj::TextHeightFor(const std::u16string& Text, int32_t& Height) {
  TSysTextCanvas canvas(FParent, nullptr, Style());
  Height = canvas.Extent(Text).cy;
  return true;
}

}  // namespace zkw
