// Script text to command records: lines are joined, trimmed and parsed one by one; one rejected
// line rejects the whole script.
#include "expr/formula.h"
#include "expr/names.h"
#include "script/script_list.h"
#include "script/script_text_util.h"

namespace zkw {

namespace {

// The parentheses outside double quotes balance (their running sum ends at 0).
bool Balanced(const std::string& S) {
  bool quoted = false;
  int64_t sum = 0;
  for (char ch : S) {
    if (ch == '"') quoted = !quoted;
    if (quoted) continue;
    if (ch == '(') ++sum;
    if (ch == ')') --sum;
  }
  return sum == 0;
}

// Trims and turns every run of blanks outside double quotes into one blank.
std::string NormaliseBlanks(const std::string& S) {
  std::string t = TrimText(S), out;
  bool quoted = false, blank = false;
  for (char ch : t) {
    if (ch == '"') quoted = !quoted;
    if (!quoted && IsBlank(ch)) {
      blank = true;
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += ch;
  }
  return out;
}

// Position of the first comma outside quotes and parentheses, npos when there is none.
size_t TopLevelComma(const std::string& S) {
  bool quoted = false;
  int64_t depth = 0;
  for (size_t i = 0; i < S.size(); ++i) {
    char ch = S[i];
    if (ch == '"') quoted = !quoted;
    if (quoted) continue;
    if (ch == '(') ++depth;
    else if (ch == ')') --depth;
    else if (ch == ',' && depth == 0) return i;
  }
  return std::string::npos;
}

// "$" in front of a variable name that lacks it.
std::string VariableName(const std::string& S) { return !S.empty() && S[0] == '$' ? S : "$" + S; }

// Text before and after the first blank (the whole text and nothing when there is none).
void SplitAtBlank(const std::string& S, std::string& Head, std::string& Tail, bool& HasBlank) {
  size_t blank = S.find(' ');
  HasBlank = blank != std::string::npos;
  Head = HasBlank ? S.substr(0, blank) : S;
  Tail = HasBlank ? S.substr(blank + 1) : std::string();
}

// Fills the record by the form of its command; false rejects the line.
bool ParseForm(TMacroRec& R, const std::string& Rest) {
  switch (R.Command) {
    case cmIf: case cmWhile: case cmLoadScene: case cmLoadSubScene: case cmUntil:
    case cmCase:
      R.Parameter1 = Rest;
      return true;
    case cmEndIf: case cmEndFor: case cmEndWhile: case cmBreak: case cmElse: case cmEndSelect:
    case cmCaseElse: case cmClearSubScene: case cmRepeat: case cmScenePause:
    case cmSceneResume: case cmInvalidate: case cmShowCursor: case cmHideCursor:
      return true;
    case cmFor: {
      size_t eq = Rest.find('=');
      R.Name = TrimText(Rest.substr(0, eq));
      if (R.Name.empty() || R.Name[0] != '$' || eq == std::string::npos) return false;
      std::string range = Rest.substr(eq + 1);
      size_t to = range.find(" to ");
      if (to == std::string::npos) return false;
      R.Parameter1 = TrimText(range.substr(0, to));
      R.Parameter2 = TrimText(range.substr(to + 4));
      return true;
    }
    case cmSelect: case cmFreeArray:
      R.Name = TrimText(Rest);
      return true;
    case cmVar: case cmGlobal: case cmAppVar: {
      size_t blank = Rest.find(' ');
      if (blank == std::string::npos) return false;
      R.Name = VariableName(TrimText(Rest.substr(0, blank)));
      std::string type = TrimText(Rest.substr(blank + 1));
      if (SameName(type, "NUMBER")) R.Parameter1 = "Number";
      else if (SameName(type, "STRING")) R.Parameter1 = "String";
      else return false;
      return true;
    }
    case cmDo: {
      std::string tail;
      bool blank = false;
      SplitAtBlank(Rest, R.Name, tail, blank);
      R.Parameter1 = TrimText(tail);
      return !R.Name.empty();
    }
    default: {
      std::string target, tail;
      bool blank = false;
      SplitAtBlank(Rest, target, tail, blank);
      R.Name = SameName(target, "NULL") ? std::string() : target;
      if (!blank) return true;
      std::string params = TrimText(tail);
      if (!Balanced(params)) return false;
      size_t comma = TopLevelComma(params);
      if (comma == std::string::npos) {
        R.Parameter1 = params;
        return true;
      }
      R.Parameter1 = TrimText(params.substr(0, comma));
      R.Parameter2 = TrimText(params.substr(comma + 1));
      return !R.Parameter2.empty();
    }
  }
}

// Removes the blanks outside double quotes and keeps at most kMaxParameterText characters.
void CompactParameter(std::string& P) {
  std::string out;
  bool quoted = false;
  for (char ch : P) {
    if (ch == '"') quoted = !quoted;
    if (ch == ' ' && !quoted) continue;
    out += ch;
  }
  if (out.size() > kMaxParameterText) out.resize(kMaxParameterText);
  P = std::move(out);
}

}  // namespace

// One joined line to a record, or null when the line is rejected.
std::unique_ptr<TMacroRec> ParseScriptLine(const std::string& Line, bool CheckParentheses) {
  std::string line = TrimText(Line);
  auto rec = std::make_unique<TMacroRec>();
  if (line.size() > 1 && line.compare(0, 2, "//") == 0) {
    rec->Command = cmComment;
    rec->Name = line;
    return rec;
  }
  if (CheckParentheses && !Balanced(line)) return nullptr;
  size_t slashes = line.find("//");
  if (slashes != std::string::npos) {
    size_t start = slashes;
    while (start > 0 && IsBlank(line[start - 1])) --start;
    rec->Comment = line.substr(start);
    line.resize(start);
  }
  line = NormaliseBlanks(line);
  size_t assign = line.find(":=");
  if (assign != std::string::npos) {
    rec->Command = cmSet;
    rec->Name = TrimText(line.substr(0, assign));
    rec->Parameter1 = TrimText(line.substr(assign + 2));
    return rec;
  }
  std::string word, rest;
  bool blank = false;
  SplitAtBlank(line, word, rest, blank);
  if (!blank) rest = line;
  int32_t command = CommandNumber(word);
  if (command == 0) return nullptr;
  rec->Command = static_cast<uint16_t>(command);
  if (!ParseForm(*rec, rest)) return nullptr;
  return rec;
}

// Compiles script text: CR LF, CR or LF separate lines; a line ending with ";" goes on.
std::unique_ptr<TScriptList> CompileScript(const std::string& Text, bool CheckParentheses) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos <= Text.size()) {
    size_t end = Text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = Text.size();
    lines.push_back(TrimText(Text.substr(pos, end - pos)));
    if (end >= Text.size()) break;
    pos = end + ((Text[end] == '\r' && end + 1 < Text.size() && Text[end + 1] == '\n') ? 2 : 1);
    if (pos == Text.size()) break;
  }
  auto list = std::make_unique<TScriptList>();
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string line = lines[i];
    while (!line.empty() && line.back() == ';' && i + 1 < lines.size()) {
      line.pop_back();
      line += lines[++i];
    }
    if (line.empty()) continue;
    std::unique_ptr<TMacroRec> rec = ParseScriptLine(line, CheckParentheses);
    if (!rec) return nullptr;
    if (rec->Command != cmCase) CompactParameter(rec->Parameter1);
    else if (rec->Parameter1.size() > kMaxParameterText) rec->Parameter1.resize(kMaxParameterText);
    CompactParameter(rec->Parameter2);
    list->Items.push_back(std::move(rec));
  }
  if (list->Items.empty()) return nullptr;
  return list;
}

}  // namespace zkw
