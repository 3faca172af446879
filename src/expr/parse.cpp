// ParseFormula: expression text to a token tree. A single left-to-right scan with an operand
// buffer; "(" opens a group or a call, "," starts the next argument, ")" closes.
#include <charconv>
#include <vector>

#include "expr/formula.h"
#include "expr/functions.h"

namespace zkw {

namespace {

constexpr size_t kMaxDepth = 50;  // open groups at once; deeper parentheses are plain text

// Removes the blanks outside double-quoted runs; cuts the text at an embedded NUL.
void RemoveBlanks(std::string& Text) {
  size_t end = Text.find('\0');
  if (end != std::string::npos) Text.resize(end);
  bool quoted = false;
  size_t out = 0;
  for (char ch : Text) {
    if (ch == '"') quoted = !quoted;
    if (ch == ' ' && !quoted) continue;
    Text[out++] = ch;
  }
  Text.resize(out);
}

// Operator code at position Pos of S (NUL past the end); advances Pos over the "=" of ">=", "<=".
uint8_t ReadOperator(const std::string& S, size_t& Pos) {
  char ch = Pos < S.size() ? S[Pos] : '\0';
  if ((ch == '<' || ch == '>') && Pos + 1 < S.size() && S[Pos + 1] == '=') {
    ++Pos;
    return ch == '<' ? opLessEqual : opGreaterEqual;
  }
  switch (ch) {
    case '+': return opAdd;
    case '-': return opSub;
    case '*': return opMul;
    case '/': return opDiv;
    case '%': return opMod;
    case ':': return opIntDiv;
    case '^': return opPower;
    case '&': return opAnd;
    case '|': return opOr;
    case '!': return opNot;
    case '~': return opXor;
    case '>': return opGreater;
    case '<': return opLess;
    case '=': return opEqual;
    case '#': return opNotEqual;
    default: return opNone;
  }
}

// Operator ending a piece of a term, or 0 for a character that does not split terms.
uint8_t TermOperator(char ch) {
  switch (ch) {
    case '*': return opMul;
    case '/': return opDiv;
    case ':': return opIntDiv;
    case '%': return opMod;
    case '^': return opPower;
    default: return opNone;
  }
}

// True when Text holds only digits, "-" and "." (the empty text too).
bool IsNumberText(const std::string& Text) {
  for (char ch : Text)
    if (!(ch >= '0' && ch <= '9') && ch != '-' && ch != '.') return false;
  return true;
}

// Reads the decimal number at the start of Text ("-", digits, ".", digits); stops at the first
// character that does not fit and keeps what was read; nothing read gives 0.
double ReadNumber(const std::string& Text) {
  size_t i = 0;
  std::string canon;
  if (i < Text.size() && Text[i] == '-') canon += Text[i++];
  size_t intStart = i;
  while (i < Text.size() && Text[i] >= '0' && Text[i] <= '9') ++i;
  std::string intPart = Text.substr(intStart, i - intStart);
  std::string fracPart;
  if (i < Text.size() && Text[i] == '.') {
    size_t fracStart = ++i;
    while (i < Text.size() && Text[i] >= '0' && Text[i] <= '9') ++i;
    fracPart = Text.substr(fracStart, i - fracStart);
  }
  if (intPart.empty() && fracPart.empty()) return 0;
  canon += intPart.empty() ? "0" : intPart;
  if (!fracPart.empty()) canon += "." + fracPart;
  double value = 0;
  auto res = std::from_chars(canon.data(), canon.data() + canon.size(), value,
                             std::chars_format::fixed);
  if (res.ec == std::errc::result_out_of_range) return 0;
  return value;
}

// A number token for number text, otherwise a name token.
TToken* MakeOperand(const std::string& Text, uint8_t Operator) {
  if (IsNumberText(Text)) return new TToken(vkNumber, nullptr, Operator, "", ReadNumber(Text));
  return new TToken(vkProperty, nullptr, Operator, Text, 0);
}

// True when the text between the "(" at Open and its matching ")" is not empty. Blanks are
// already gone, so it is empty only when ")" follows at once (or the text ends).
bool HasArguments(const std::string& S, size_t Open) {
  return Open + 1 < S.size() && S[Open + 1] != ')';
}

// The scanner's state.
struct TParser {
  std::string& S;
  std::unique_ptr<TFormula> Root;
  std::vector<TFormula*> Open;      // open formulas; back() is current
  std::vector<TFormula*> ArgLists;  // open formulas that are argument lists
  std::string Buffer;
  size_t Depth = 0;                 // open groups
  size_t Skipped = 0;               // "(" beyond the depth limit kept as text

  TFormula* Current() const { return Open.back(); }

  // Flushes the operand buffer as a token ending with the operator read at Pos.
  void Flush(size_t& Pos) {
    if (Buffer.empty()) return;
    uint8_t op = ReadOperator(S, Pos);
    bool term = false;
    for (char ch : Buffer) term = term || TermOperator(ch) != opNone;
    if (!term) {
      Current()->Append(MakeOperand(Buffer, op));
    } else {
      auto child = std::make_unique<TFormula>();
      size_t start = 0;
      for (size_t i = 0; i <= Buffer.size(); ++i) {
        uint8_t pieceOp = i < Buffer.size() ? TermOperator(Buffer[i]) : opNone;
        if (i < Buffer.size() && pieceOp == opNone) continue;
        child->Append(MakeOperand(Buffer.substr(start, i - start), pieceOp));
        start = i + 1;
      }
      Current()->Append(new TToken(vkNumber, std::move(child), op, "", 0));
    }
    Buffer.clear();
  }

  // Pushes a new formula as the child of Owner and makes it current.
  void PushChild(TToken* Owner) {
    Owner->ttkChildExpr = std::make_unique<TFormula>();
    Open.push_back(Owner->ttkChildExpr.get());
  }

  // "(": a group, or a call when the buffer holds a name.
  void OpenGroup(size_t Pos) {
    auto* group = new TToken(vkNumber, nullptr, opNone, "", 0);
    Current()->Append(group);
    bool arguments = false;
    if (!Buffer.empty()) {
      int32_t code = FunctionCode(Buffer);
      arguments = HasArguments(S, Pos);
      if (code == 0) {
        code = arguments ? vkLastFunction : vkLastFunction - 1;
        group->ttkFieldname = Buffer;
      }
      group->ttkType = static_cast<uint8_t>(code);
      Buffer.clear();
    }
    ++Depth;
    PushChild(group);
    if (group->ttkType >= vkFirstFunction && arguments) {
      auto* arg = new TToken(vkNumber, nullptr, opNone, "", 0);
      Current()->Append(arg);
      ArgLists.push_back(Current());
      PushChild(arg);
    }
  }

  // True when the current formula is one argument of the innermost argument list.
  bool InArgument() const {
    return Open.size() >= 2 && !ArgLists.empty() && Open[Open.size() - 2] == ArgLists.back();
  }

  // ",": the next argument of the innermost call. Outside an argument only the operand ends.
  void NextArgument(size_t& Pos) {
    Flush(Pos);
    if (!InArgument()) return;
    Open.pop_back();
    auto* arg = new TToken(vkNumber, nullptr, opNone, "", 0);
    Current()->Append(arg);
    PushChild(arg);
  }

  // ")": closes the innermost group or call; the closed token takes the operator that follows.
  void CloseGroup(size_t& Pos) {
    Flush(Pos);
    if (Depth == 0) return;  // a ")" without its "(" only ends the operand
    --Depth;
    Open.pop_back();
    if (!ArgLists.empty() && Current() == ArgLists.back()) {
      ArgLists.pop_back();
      Open.pop_back();
    }
    auto* closed = static_cast<TToken*>(Current()->Tail());
    closed->ttkOperator = opNone;
    if (Pos + 1 >= S.size()) return;
    char next = S[Pos + 1];
    if (next == ')' || next == ',') return;
    ++Pos;
    closed->ttkOperator = ReadOperator(S, Pos);
  }

  void Run() {
    Root = std::make_unique<TFormula>();
    Open.push_back(Root.get());
    bool quoted = false;
    for (size_t pos = 0; pos <= S.size(); ++pos) {
      char ch = pos < S.size() ? S[pos] : '\0';
      if (ch == '"') {
        if (quoted) {
          size_t next = pos + 1;
          Current()->Append(new TToken(vkString, nullptr, ReadOperator(S, next), Buffer, 0));
          Buffer.clear();
        }
        quoted = !quoted;
        continue;
      }
      if (quoted) {
        if (pos < S.size()) Buffer += ch;  // an unclosed string is dropped
        continue;
      }
      switch (ch) {
        case '\0': case '#': case '&': case '+': case '-': case '<': case '=': case '>':
        case '|': case '~':
          if (Buffer.empty() && ch == '-')
            Buffer += ch;
          else
            Flush(pos);
          break;
        case '(':
          if (Depth >= kMaxDepth || Skipped > 0) {
            ++Skipped;
            Buffer += ch;
          } else {
            OpenGroup(pos);
          }
          break;
        case ')':
          if (Skipped > 0) {
            --Skipped;
            Buffer += ch;
          } else {
            CloseGroup(pos);
          }
          break;
        case ',':
          if (Skipped > 0)
            Buffer += ch;
          else
            NextArgument(pos);
          break;
        default:
          Buffer += ch;
      }
    }
  }
};

}  // namespace

// Parses Text (blanks outside quotes removed in place) into a formula tree.
std::unique_ptr<TFormula> ParseFormula(std::string& Text) {
  RemoveBlanks(Text);
  TParser parser{Text, nullptr, {}, {}, {}};
  parser.Run();
  return std::move(parser.Root);
}

}  // namespace zkw
