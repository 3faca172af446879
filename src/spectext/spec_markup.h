// The "~" commands of marked-up text and the format they switch. Readers are given the text's
// length and never look past it: a command cut short by the end takes what is there.
#pragma once
#include <cstddef>
#include <cstdint>

#include "base/text16.h"

namespace zkw {

enum class TSpecCmd {
  scSuper,       // "~-"
  scSub,         // "~_"
  scNormal,      // "~0"
  scBold,        // "~B"
  scItalic,      // "~I"
  scUnderline,   // "~U"
  scSymbol,      // "~Y"
  scFormula,     // "~F"
  scHighlight1,  // "~M"
  scHighlight3,  // "~N"
  scColor,       // "~C" RRGGBB
  scEquation,    // "~E" ... "~e"
  scSoftBreak,   // "~/" and "~\"
  scIgnored      // "~P" with its letters on a DIB canvas, any other pair, a lone "~"
};

struct TSpecCommand {
  TSpecCmd Kind = TSpecCmd::scIgnored;
  size_t Length = 1;     // code units, "~" included
  uint32_t Color = 0;    // scColor: COLORREF; 0 means the default colour
  size_t EqBegin = 0;    // scEquation: the text form between the two commands
  size_t EqEnd = 0;
};

// The command at Text[Pos] (a "~") within Len code units. Dib: "~P" takes its two letters.
TSpecCommand ReadCommand(const ZChar* Text, size_t Len, size_t Pos, bool Dib);

enum class TSpecFace { sfBase, sfSymbol, sfFormula };

// The format while laying out: styles, script (-1, 0, 1), face, colour and the highlight on
// (0 none, 1 "~M", 3 "~N").
struct TSpecFormat {
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  int32_t Script = 0;
  TSpecFace Face = TSpecFace::sfBase;
  uint32_t Color = 0;
  int32_t Highlight = 0;
};

// What the commands refer to: the default colour, the highlight colours and whether a
// formula face is set; faces do not change on a DIB canvas.
struct TSpecContext {
  uint32_t DefaultColor = 0;
  uint32_t ColorA = 0;
  uint32_t ColorB = 0;
  bool HasFormulaFace = false;
  bool Dib = false;
};

// Applies a format command (breaks and equations leave the format as it is).
void ApplyCommand(TSpecFormat& Format, const TSpecCommand& Command, const TSpecContext& Context);

}  // namespace zkw
