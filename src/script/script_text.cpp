// Command records back to script text: one line per record, operators spaced, blocks indented.
// Compiling the text again gives the same records.
#include "script/script_list.h"
#include "script/script_text_util.h"

namespace zkw {

// Spaces the operators of a parameter text; quoted runs are copied as they are.
std::string SpaceOperators(const std::string& Text) {
  std::string out;
  bool quoted = false;
  for (size_t i = 0; i < Text.size(); ++i) {
    char ch = Text[i];
    if (ch == '"') quoted = !quoted;
    if (quoted || ch == '"') {
      out += ch;
      continue;
    }
    char next = i + 1 < Text.size() ? Text[i + 1] : '\0';
    char prev = i > 0 ? Text[i - 1] : '\0';
    switch (ch) {
      case '#': case '%': case '&': case '*': case '+': case '/': case '|': case '~': case '-':
        if (i == 0) out += ch;
        else (out += ' ', out += ch) += ' ';
        break;
      // ":" is always spaced on its own: ":=" written together would read back as an
      // assignment (a parameter holds ":" next to "=" only after its blanks were removed).
      case '<': case '>':
        if (next == '=') (out += ' ') += ch;
        else (out += ' ', out += ch) += ' ';
        break;
      case ':':
        (out += ' ', out += ch) += ' ';
        break;
      case '=':
        if (prev == '<' || prev == '>') (out += ch) += ' ';
        else (out += ' ', out += ch) += ' ';
        break;
      default:
        out += ch;
    }
  }
  return out;
}

namespace {

// Indent step of a record's command.
int32_t IndentStep(uint16_t Command) {
  switch (Command) {
    case cmIf: case cmFor: case cmWhile: case cmSelect: case cmRepeat: case cmCase:
    case cmCaseElse:
      return 2;
    case cmEndIf: case cmEndFor: case cmEndWhile: case cmElse: case cmUntil:
      return -2;
    case cmEndSelect:
      return -4;
    default:
      return 0;
  }
}

// The text of one record without indentation and comment.
std::string LineText(const TMacroRec& R) {
  const char* word = CommandWord(R.Command);
  if (R.Command == cmComment || !word) return R.Name;
  std::string w = word;
  // Case values are written as they are: spacing a "-" would change what they match.
  std::string p1 = R.Command == cmCase ? R.Parameter1 : SpaceOperators(R.Parameter1);
  std::string p2 = SpaceOperators(R.Parameter2);
  switch (R.Command) {
    case cmIf: case cmWhile: case cmLoadScene: case cmLoadSubScene: case cmUntil: case cmCase:
      return w + " " + p1;
    case cmEndIf: case cmEndFor: case cmEndWhile: case cmBreak: case cmElse: case cmEndSelect:
    case cmCaseElse: case cmClearSubScene: case cmRepeat: case cmScenePause:
    case cmSceneResume: case cmInvalidate: case cmShowCursor: case cmHideCursor:
      return w;
    case cmFor:
      return "For " + R.Name + " = " + p1 + " to " + p2;
    case cmSet:
      return TrimText(R.Name + " := " + p1 + " " + p2);
    case cmSelect: case cmFreeArray:
      return w + " " + R.Name;
    case cmVar: case cmGlobal: case cmAppVar: case cmDo:
      return w + " " + R.Name + " " + p1;
    default: {
      std::string line = w + " " + (R.Name.empty() ? std::string("NULL") : R.Name);
      if (!R.Parameter2.empty()) return line + " " + p1 + ", " + p2;
      return line + " " + p1;
    }
  }
}

}  // namespace

// The list as text lines joined with CR LF.
std::string ScriptToText(const TScriptList* List) {
  std::string out;
  if (!List) return out;
  int32_t indent = 0;
  uint16_t previous = cmComment;
  for (int32_t i = 0; i < List->Count(); ++i) {
    const TMacroRec& r = *List->Item(i);
    int32_t step = IndentStep(r.Command);
    if ((r.Command == cmCase || r.Command == cmCaseElse) && !(i > 0 && previous == cmSelect))
      indent -= 2;
    int32_t at = step < 0 ? indent + step : indent;
    if (i > 0) out += "\r\n";
    out.append(static_cast<size_t>(at > 0 ? at : 0), ' ');
    out += TrimText(LineText(r)) + r.Comment;
    indent += step + (r.Command == cmElse ? 2 : 0);
    previous = r.Command;
  }
  return out;
}

}  // namespace zkw
