// Reading "~" commands and switching the format.
#include "spectext/spec_markup.h"

namespace zkw {

namespace {

int32_t HexValue(ZChar c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;  // a non-hex digit counts as 0
}

ZChar Upper(ZChar c) { return (c >= 'a' && c <= 'z') ? static_cast<ZChar>(c - 32) : c; }

// "~C": up to six digits RRGGBB, missing ones (text ends) counting as 0.
TSpecCommand ReadColor(const ZChar* Text, size_t Len, size_t Pos) {
  TSpecCommand c;
  c.Kind = TSpecCmd::scColor;
  int32_t digits[6] = {0, 0, 0, 0, 0, 0};
  size_t n = 0;
  while (n < 6 && Pos + 2 + n < Len) {
    digits[n] = HexValue(Text[Pos + 2 + n]);
    ++n;
  }
  c.Length = 2 + n;
  const uint32_t r = static_cast<uint32_t>(digits[0] * 16 + digits[1]);
  const uint32_t g = static_cast<uint32_t>(digits[2] * 16 + digits[3]);
  const uint32_t b = static_cast<uint32_t>(digits[4] * 16 + digits[5]);
  c.Color = r | (g << 8) | (b << 16);
  return c;
}

// "~E": the text form runs to the next "~e" (either case) or to the end of the text.
TSpecCommand ReadEquation(const ZChar* Text, size_t Len, size_t Pos) {
  TSpecCommand c;
  c.Kind = TSpecCmd::scEquation;
  c.EqBegin = Pos + 2;
  size_t i = c.EqBegin;
  while (i + 1 < Len && !(Text[i] == '~' && Upper(Text[i + 1]) == 'E')) ++i;
  if (i + 1 < Len) {
    c.EqEnd = i;
    c.Length = i + 2 - Pos;
  } else {
    c.EqEnd = Len;
    c.Length = Len - Pos;
  }
  return c;
}

TSpecCommand Simple(TSpecCmd Kind) {
  TSpecCommand c;
  c.Kind = Kind;
  c.Length = 2;
  return c;
}

}  // namespace

TSpecCommand ReadCommand(const ZChar* Text, size_t Len, size_t Pos, bool Dib) {
  if (Pos + 1 >= Len) return TSpecCommand{};  // a lone "~" at the end
  switch (Upper(Text[Pos + 1])) {
    case '-': return Simple(TSpecCmd::scSuper);
    case '_': return Simple(TSpecCmd::scSub);
    case '0': return Simple(TSpecCmd::scNormal);
    case 'B': return Simple(TSpecCmd::scBold);
    case 'I': return Simple(TSpecCmd::scItalic);
    case 'U': return Simple(TSpecCmd::scUnderline);
    case 'Y': return Simple(TSpecCmd::scSymbol);
    case 'F': return Simple(TSpecCmd::scFormula);
    case 'M': return Simple(TSpecCmd::scHighlight1);
    case 'N': return Simple(TSpecCmd::scHighlight3);
    case 'C': return ReadColor(Text, Len, Pos);
    case 'E': return ReadEquation(Text, Len, Pos);
    case '/':
    case '\\': return Simple(TSpecCmd::scSoftBreak);
    case 'P':
      if (Dib) {
        TSpecCommand c;
        c.Length = Pos + 4 <= Len ? 4 : Len - Pos;
        return c;
      }
      return Simple(TSpecCmd::scIgnored);
    default: return Simple(TSpecCmd::scIgnored);
  }
}

namespace {

void ToggleHighlight(TSpecFormat& f, int32_t Which, uint32_t Color, const TSpecContext& Context) {
  if (f.Highlight == Which) {
    f.Highlight = 0;
    f.Color = Context.DefaultColor;
    f.Bold = f.Italic = f.Underline = false;
    return;
  }
  f.Highlight = Which;
  f.Bold = true;
  f.Color = Color;
}

}  // namespace

void ApplyCommand(TSpecFormat& f, const TSpecCommand& c, const TSpecContext& Context) {
  switch (c.Kind) {
    case TSpecCmd::scSuper: f.Script = 1; break;
    case TSpecCmd::scSub: f.Script = -1; break;
    case TSpecCmd::scNormal: f.Script = 0; break;
    case TSpecCmd::scBold: f.Bold = !f.Bold; break;
    case TSpecCmd::scItalic: f.Italic = !f.Italic; break;
    case TSpecCmd::scUnderline: f.Underline = !f.Underline; break;
    case TSpecCmd::scSymbol:
      if (!Context.Dib) f.Face = f.Face == TSpecFace::sfSymbol ? TSpecFace::sfBase : TSpecFace::sfSymbol;
      break;
    case TSpecCmd::scFormula:
      if (!Context.Dib && Context.HasFormulaFace)
        f.Face = f.Face == TSpecFace::sfFormula ? TSpecFace::sfBase : TSpecFace::sfFormula;
      break;
    case TSpecCmd::scHighlight1: ToggleHighlight(f, 1, Context.ColorB, Context); break;
    case TSpecCmd::scHighlight3: ToggleHighlight(f, 3, Context.ColorA, Context); break;
    // 000000 gives the default colour, so black cannot be asked for under another default.
    case TSpecCmd::scColor: f.Color = c.Color == 0 ? Context.DefaultColor : c.Color; break;
    default: break;
  }
}

}  // namespace zkw
