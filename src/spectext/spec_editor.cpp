// The editor window protocol of marked-up text.
#include "spectext/spec_editor.h"

#include <cstring>
#include <memory>
#include <vector>

#include "equation/equation.h"
#include "spectext/spec_markup.h"
#include "text/ansi_text.h"

namespace zkw {

namespace {

constexpr ZChar kCR = 13;
constexpr ZChar kLF = 10;
constexpr ZChar kObjectChar = 1;

plat::LRESULT Send(plat::HWND w, plat::UINT msg, plat::WPARAM wp = 0, plat::LPARAM lp = 0) {
  return plat::SendMessageW(w, msg, wp, lp);
}

// The editor's default format, or a plain 10-point "Arial" in black when it has none.
TSpecCharFormat DefaultFormat(plat::HWND w) {
  TSpecCharFormat f{};
  if (const auto* given = reinterpret_cast<const TSpecCharFormat*>(Send(w, kEdGetDefaultFormat))) {
    std::memcpy(&f, given, sizeof f);
    f.FaceName[sizeof f.FaceName - 1] = 0;
    return f;
  }
  std::memcpy(f.FaceName, "Arial", 6);
  f.Size = 10;
  f.Hundred = 100;
  return f;
}

bool IsSymbolFace(const TSpecCharFormat& f) {
  const char* s = "symbol";
  for (size_t i = 0; i < 7; ++i) {
    char c = f.FaceName[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    if (c != s[i]) return false;
  }
  return true;
}

void AppendAscii(ZString& out, const char* s) {
  while (*s) out += static_cast<ZChar>(*s++);
}

// "~C" and the colour's low 24 bits as RRGGBB in lower-case hex.
void AppendColor(ZString& out, uint32_t color) {
  static const char kHex[] = "0123456789abcdef";
  AppendAscii(out, "~C");
  for (int shift : {0, 8, 16}) {
    const uint32_t byte = (color >> shift) & 0xFF;
    out += static_cast<ZChar>(kHex[byte >> 4]);
    out += static_cast<ZChar>(kHex[byte & 15]);
  }
}

// The markup that turns format a into b; Start is the colour the text began with.
void AppendChanges(ZString& out, const TSpecCharFormat& a, const TSpecCharFormat& b, uint32_t start) {
  const uint32_t ca = a.Color & 0xFFFFFF, cb = b.Color & 0xFFFFFF;
  if (ca != cb) {
    if (cb == (start & 0xFFFFFF))
      AppendAscii(out, "~C000000");
    else
      AppendColor(out, cb);
  }
  const int32_t sa = a.Script > 0 ? 1 : a.Script < 0 ? -1 : 0, sb = b.Script > 0 ? 1 : b.Script < 0 ? -1 : 0;
  if (sa != sb) AppendAscii(out, sb < 0 ? "~_" : sb == 0 ? "~0" : "~-");
  if ((a.Style ^ b.Style) & 1) AppendAscii(out, "~B");
  if ((a.Style ^ b.Style) & 2) AppendAscii(out, "~I");
  if ((a.Underline != 0) != (b.Underline != 0)) AppendAscii(out, "~U");
  if (IsSymbolFace(a) != IsSymbolFace(b)) AppendAscii(out, "~Y");
}

// The formats the editor hands out, asked for once each.
class TFormatCache {
 public:
  TFormatCache(plat::HWND w, int64_t count) : W(w), Count(count < 0 ? 0 : count > 256 ? 256 : count) {
    Known.assign(static_cast<size_t>(Count), false);
    Formats.resize(static_cast<size_t>(Count));
  }
  bool Has(uint8_t index) const { return index < Count; }
  const TSpecCharFormat& Get(uint8_t index) {
    if (!Known[index]) {
      TSpecCharFormat f{};
      Send(W, kEdGetFormat, index, reinterpret_cast<plat::LPARAM>(&f));
      f.FaceName[sizeof f.FaceName - 1] = 0;
      Formats[index] = f;
      Known[index] = true;
    }
    return Formats[index];
  }

 private:
  plat::HWND W;
  int64_t Count;
  std::vector<bool> Known;
  std::vector<TSpecCharFormat> Formats;
};

plat::HGLOBAL ToGlobal(const ZString& text) {
  const size_t bytes = (text.size() + 1) * sizeof(ZChar);
  plat::HGLOBAL mem = plat::GlobalAlloc(plat::GMEM_MOVEABLE | plat::GMEM_ZEROINIT, bytes);
  if (!mem) return nullptr;
  void* p = plat::GlobalLock(mem);
  if (!p) {
    plat::GlobalFree(mem);
    return nullptr;
  }
  std::memcpy(p, text.c_str(), bytes);
  plat::GlobalUnlock(mem);
  return mem;
}

}  // namespace

plat::HGLOBAL GetEquationCode(plat::HWND Window) {
  const auto* text = reinterpret_cast<const ZChar*>(Send(Window, kEdGetText));
  if (!text || !text[0]) return nullptr;
  const auto* indices = reinterpret_cast<const uint8_t*>(Send(Window, kEdGetFormatIndex));
  TFormatCache formats(Window, static_cast<int64_t>(Send(Window, kEdGetFormatCount)));
  const TSpecCharFormat start = DefaultFormat(Window);
  TSpecCharFormat previous = start;
  ZString out;
  for (size_t i = 0; text[i]; ++i) {
    const ZChar c = text[i];
    const uint8_t index = indices ? indices[i] : 0xFF;
    if (c == kObjectChar) {
      auto* eq = reinterpret_cast<TEquation*>(Send(Window, kEdGetObject, index));
      if (!eq) continue;
      ZString form;
      int32_t at = 1;
      eq->ExportTo(form, at);
      AppendAscii(out, "~E");
      out += form;
      AppendAscii(out, "~e");
      continue;
    }
    TSpecCharFormat current = previous;
    if (c == kCR || c == '\\')
      current = start;
    else if (indices && formats.Has(index))
      current = formats.Get(index);
    AppendChanges(out, previous, current, start.Color);
    previous = current;
    out += c;
  }
  if (out.empty()) return nullptr;
  return ToGlobal(out);
}

namespace {

// Walks marked-up text into the editor: runs, paragraphs, formats and equations.
class TReformatter {
 public:
  explicit TReformatter(plat::HWND w) : W(w), Default(DefaultFormat(w)), Current(Default) {}

  void Run(const ZChar* text) {
    Send(W, kEdBeginReformat);
    SendFormat();
    const size_t len = ZLength(text);
    size_t pos = 0;
    while (pos < len) {
      const ZChar c = text[pos];
      if (c == kCR) {
        InsertRun();
        Send(W, kEdNewParagraph);
        pos += (pos + 1 < len && text[pos + 1] == kLF) ? 2 : 1;
        continue;
      }
      if (c != '~') {
        if (c >= 32 || c == '\t') Pending += c;
        ++pos;
        continue;
      }
      const TSpecCommand cmd = ReadCommand(text, len, pos, false);
      if (cmd.Kind == TSpecCmd::scSoftBreak) {
        Pending.append(text + pos, cmd.Length);  // kept as it is
      } else {
        InsertRun();
        if (cmd.Kind == TSpecCmd::scEquation)
          InsertEquation(text, cmd);
        else if (Apply(cmd))
          SendFormat();
      }
      pos += cmd.Length;
    }
    InsertRun();
  }

 private:
  void SendFormat() {
    Byte = static_cast<uint8_t>(Send(W, kEdSetFormat, reinterpret_cast<plat::WPARAM>(W),
                                     reinterpret_cast<plat::LPARAM>(&Current)) & 0xFF);
  }
  void InsertRun() {
    if (Pending.empty()) return;
    Send(W, kEdInsertText, Byte, reinterpret_cast<plat::LPARAM>(Pending.c_str()));
    Pending.clear();
  }
  // The format commands the editor knows; false for the others.
  bool Apply(const TSpecCommand& cmd) {
    switch (cmd.Kind) {
      case TSpecCmd::scSuper: Current.Script = 1; return true;
      case TSpecCmd::scNormal: Current.Script = 0; return true;
      case TSpecCmd::scSub: Current.Script = -1; return true;
      case TSpecCmd::scBold: Current.Style ^= 1; return true;
      case TSpecCmd::scItalic: Current.Style ^= 2; return true;
      case TSpecCmd::scUnderline:
        Current.Underline = Current.Underline ? 0 : 1;
        Current.UnderlineColor = Current.Color;
        return true;
      case TSpecCmd::scColor: {
        const uint32_t fallback = Default.Color;  // a copy: the record is packed
        Current.Color = cmd.Color == 0 ? fallback : cmd.Color;
        return true;
      }
      case TSpecCmd::scSymbol:
        if (IsSymbolFace(Current))
          std::memcpy(Current.FaceName, Default.FaceName, sizeof Current.FaceName);
        else {
          std::memset(Current.FaceName, 0, sizeof Current.FaceName);
          std::memcpy(Current.FaceName, "Symbol", 7);
        }
        return true;
      default: return false;
    }
  }
  // Measured on a device context of the window with the default face, plain, at the default
  // size and colour; handed over without that context, which is released here.
  void InsertEquation(const ZChar* text, const TSpecCommand& cmd) {
    auto eq = std::make_unique<TEquation>();
    const ZString form(text + cmd.EqBegin, cmd.EqEnd - cmd.EqBegin);
    int32_t index = 1;
    if (!eq->ImportFrom(form, index)) return;
    TFontID font = DefaultFontID();
    SetFaceName(font, std::string(Default.FaceName));
    font.ftSize = Default.Size;
    eq->SetFontID(font);
    eq->SetColor(Default.Color & 0xFFFFFF);
    eq->SetTextColor(Default.Color & 0xFFFFFF);
    plat::HDC dc = plat::GetDC(W);
    eq->SetDC(dc);
    TEquationObjectInfo info{};
    info.Reserved[0] = 1;  // 257
    info.Reserved[1] = 1;
    info.Width = static_cast<uint16_t>(eq->Width());
    info.Ascent = static_cast<uint16_t>(eq->AboveHeight() + eq->FBaseline - 1);
    info.DataSize = static_cast<uint32_t>(eq->DataSize());
    info.BelowHeight = static_cast<uint16_t>(eq->BelowHeight());
    eq->SetDC(nullptr);
    if (dc) plat::ReleaseDC(W, dc);
    Send(W, kEdInsertEquation, reinterpret_cast<plat::WPARAM>(eq.release()), reinterpret_cast<plat::LPARAM>(&info));
  }

  plat::HWND W;
  TSpecCharFormat Default;
  TSpecCharFormat Current;
  ZString Pending;
  uint8_t Byte = 0;
};

}  // namespace

void ReformatSpecText(plat::HWND Window, const ZChar* Text) {
  if (!Text) return;
  TReformatter(Window).Run(Text);
}

}  // namespace zkw
