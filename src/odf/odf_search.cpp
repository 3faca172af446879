// The search language: parsing UTF-16 conditions into formulas and evaluating them per record.
#include "odf/odf_search.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "common/round.h"
#include "expr/functions.h"
#include "odf/odf_file.h"
#include "odf/odf_values.h"
#include "text/ansi_text.h"
#include "text/collation.h"
#include "text/name_tables.h"
#include "text/scene_text.h"

namespace zkw {

namespace {

constexpr uint8_t kNumber = 2, kString = 3, kDate = 4, kLogical = 5;

const char* const kDbFunctions[52] = {
    "INT", "ROUND", "SUM", "RECCOUNT", "SIN", "COS", "TAN", "COTAN", "ABS", "PI", "ARCTAN",
    "ARCSIN", "ARCCOS", "SQR", "SQRT", "LN", "RADIAN", "LEFT", "RIGHT", "IIF", "LEN", "SPACE",
    "REPLICATE", "UPPER", "LOWER", "HEX", "BIN", "AT", "RAT", "SUBSTR", "REPLACE", "STR", "VAL",
    "LTRIM", "RTRIM", "TRIM", "RECNO", "STRVCHANGE", "STRACHANGE", "VUPPER", "VLOWER", "TODAY",
    "DATESTR", "STRDATE", "DAY", "MONTH", "YEAR", "DOW", "DOWNAME", "DOWVNAME", "MONTHNAME",
    "VMONTHNAME"};

// Functions that see their text arguments and result through the 8-bit code page.
bool ThroughCodePage(const std::string& Name) {
  for (const char* n : {"LEFT", "RIGHT", "REPLICATE", "SUBSTR", "REPLACE", "RAT", "STRDATE"})
    if (Name == n) return true;
  return false;
}

ZString CodePageRoundTrip(const ZString& Text) { return FromAnsi(ToAnsi(Text)); }

}  // namespace

enum class TDbNodeKind : uint8_t { dnNumber, dnString, dnField, dnCall, dnGroup, dnZero };

struct TDbNode {
  TDbNodeKind Kind = TDbNodeKind::dnZero;
  long double Number = 0;
  ZString Text;
  TODFFile* Table = nullptr;
  TStructItem* Field = nullptr;
  std::string Function;  // upper-case name of a call
  std::vector<std::unique_ptr<TDbFormula>> Args;
  std::unique_ptr<TDbFormula> Group;
  // A SUM inside another SUM's argument gives the same total at every record of the outer
  // scan (it scans the whole table itself): it is worked out once per outer scan.
  mutable uint64_t SumScan = 0;
  mutable TFieldValue SumValue;
  TFieldValue Evaluate(TODFFile& Table) const;
};

namespace {
// The outermost SUM scan running on this thread (0: none) and how deep SUMs are nested.
thread_local uint64_t gSumScan = 0;
thread_local uint64_t gSumScans = 0;
thread_local int32_t gSumDepth = 0;
}  // namespace

TDbFormula::TDbFormula() = default;
TDbFormula::~TDbFormula() = default;

int32_t DbFunctionCode(const std::string& UpperName) {
  for (int32_t i = 0; i < 52; ++i)
    if (UpperName == kDbFunctions[i]) return i + 6;
  return 0;
}

// --- Parsing ----------------------------------------------------------------------------------

namespace {

// The operator code of the character at P (two characters for "<=" and ">="); 0 for none.
uint8_t OperatorAt(const ZString& S, size_t& P) {
  if (P >= S.size()) return 0;
  ZChar c = S[P];
  if ((c == '<' || c == '>') && P + 1 < S.size() && S[P + 1] == '=') {
    P += 2;
    return c == '<' ? 17 : 16;
  }
  uint8_t code = 0;
  switch (c) {
    case '+': code = 1; break;
    case '-': code = 2; break;
    case '%': code = 5; break;
    case ':': code = 6; break;
    case '&': code = 8; break;
    case '|': code = 9; break;
    case '!': code = 10; break;
    case '@': code = 11; break;
    case '>': code = 12; break;
    case '<': code = 13; break;
    case '=': code = 14; break;
    case '#': code = 15; break;
    default: return 0;
  }
  ++P;
  return code;
}

bool EndsOperand(ZChar c) {
  switch (c) {
    case 0: case '!': case '#': case '%': case '&': case '+': case '-': case ':': case '<':
    case '=': case '>': case '@': case '|': case '(': case ')': case ',': case '*': case '/':
    case '"': case '\'':
      return true;
    default:
      return false;
  }
}

std::string UpperAscii(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c -= 32;
  return s;
}

class TDbParser {
 public:
  TDbParser(ZString Text, TODFFile& Table) : S(std::move(Text)), FTable(Table) {}
  std::unique_ptr<TDbFormula> Expression(int Depth);

 private:
  std::unique_ptr<TDbNode> Product(int Depth);
  std::unique_ptr<TDbNode> Factor(int Depth);
  std::unique_ptr<TDbNode> Operand(const ZString& Text);
  void BindField(TDbNode& Node, const std::string& Name);
  ZString S;
  size_t P = 0;
  TODFFile& FTable;
};

constexpr int kMaxDepth = 64;

std::unique_ptr<TDbFormula> TDbParser::Expression(int Depth) {
  auto f = std::make_unique<TDbFormula>();
  if (Depth > kMaxDepth) {
    P = S.size();
    return f;
  }
  size_t before = P;
  // A leading operator applies to 0 ("!x" is the complement of x).
  if (P < S.size() && S[P] != '-' && OperatorAt(S, before) != 0) {
    f->Items.push_back(std::make_unique<TDbNode>());
    f->Operators.push_back(OperatorAt(S, P));
  }
  while (true) {
    f->Items.push_back(Product(Depth));
    f->Operators.push_back(OperatorAt(S, P));
    if (f->Operators.back() == 0) break;
  }
  return f;
}

std::unique_ptr<TDbNode> TDbParser::Product(int Depth) {
  std::unique_ptr<TDbNode> first = Factor(Depth);
  if (P >= S.size() || (S[P] != '*' && S[P] != '/')) return first;
  auto group = std::make_unique<TDbNode>();
  group->Kind = TDbNodeKind::dnGroup;
  group->Group = std::make_unique<TDbFormula>();
  group->Group->Items.push_back(std::move(first));
  while (P < S.size() && (S[P] == '*' || S[P] == '/')) {
    group->Group->Operators.push_back(S[P] == '*' ? 3 : 4);
    ++P;
    group->Group->Items.push_back(Factor(Depth + 1));
  }
  group->Group->Operators.push_back(0);
  return group;
}

std::unique_ptr<TDbNode> TDbParser::Factor(int Depth) {
  auto node = std::make_unique<TDbNode>();
  if (P >= S.size()) return node;
  ZChar c = S[P];
  if (c == '(') {
    ++P;
    node->Kind = TDbNodeKind::dnGroup;
    node->Group = Expression(Depth + 1);
    if (P < S.size() && S[P] == ')') ++P;
    return node;
  }
  if (c == '"' || c == '\'') {
    size_t end = S.find(c, P + 1);
    if (end == ZString::npos) end = S.size();
    node->Kind = TDbNodeKind::dnString;
    node->Text = S.substr(P + 1, end - P - 1);
    P = end < S.size() ? end + 1 : end;
    return node;
  }
  // A sign belongs to the operand that follows.
  size_t start = P;
  if (c == '-') ++P;
  while (P < S.size() && !EndsOperand(S[P])) ++P;
  ZString text = S.substr(start, P - start);
  if (P < S.size() && S[P] == '(' && !text.empty() && text[0] != '-') {
    ++P;
    node->Kind = TDbNodeKind::dnCall;
    node->Function = UpperAscii(ToAnsi(text));
    while (P < S.size() && S[P] != ')') {
      node->Args.push_back(Expression(Depth + 1));
      if (P < S.size() && S[P] == ',') ++P;
      else break;
    }
    if (P < S.size() && S[P] == ')') ++P;
    if (node->Args.size() == 1 && node->Args[0]->Items.size() == 1 &&
        node->Args[0]->Items[0]->Kind == TDbNodeKind::dnZero)
      node->Args.clear();  // "f()"
    return node;
  }
  return Operand(text);
}

std::unique_ptr<TDbNode> TDbParser::Operand(const ZString& Text) {
  auto node = std::make_unique<TDbNode>();
  if (Text.empty()) return node;
  bool numeric = true;
  for (ZChar c : Text)
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-')) numeric = false;
  if (numeric) {
    node->Kind = TDbNodeKind::dnNumber;
    std::string ascii = ToAnsi(Text);
    node->Number = std::strtold(ascii.c_str(), nullptr);
    return node;
  }
  if (Text[0] == '-') {  // -name: 0 - name
    node->Kind = TDbNodeKind::dnGroup;
    node->Group = std::make_unique<TDbFormula>();
    node->Group->Items.push_back(std::make_unique<TDbNode>());
    node->Group->Operators.push_back(2);
    node->Group->Items.push_back(Operand(Text.substr(1)));
    node->Group->Operators.push_back(0);
    return node;
  }
  BindField(*node, ToAnsi(Text));
  return node;
}

// A field of this table, or "prefix.field" of another open table: "A3" names registry slot 3,
// any other prefix the table of that file name. Anything else reads 0.
void TDbParser::BindField(TDbNode& Node, const std::string& Name) {
  TODFFile* table = &FTable;
  std::string field = Name;
  size_t dot = Name.find('.');
  if (dot != std::string::npos) {
    std::string prefix = Name.substr(0, dot), digits;
    field = Name.substr(dot + 1);
    for (char c : prefix)
      if (c >= '0' && c <= '9') digits += c;
    table = nullptr;
    if (!digits.empty()) {
      if (digits.size() <= 2) table = RegisteredTable(std::atoi(digits.c_str()));
    } else {
      for (int32_t slot = 1; slot <= kODFRegistrySlots && !table; ++slot) {
        TODFFile* t = RegisteredTable(slot);
        if (t && UpperAscii(ToAnsi(t->GetODFName())) == UpperAscii(prefix)) table = t;
      }
    }
  }
  if (!table || table->odfState != 0) return;
  TStructItem* item = table->GetStructOfName(field);
  if (!item) return;
  Node.Kind = TDbNodeKind::dnField;
  Node.Table = table;
  Node.Field = item;
}

}  // namespace

std::unique_ptr<TDbFormula> CompileCondition(const ZString& Text, TODFFile& Table) {
  ZString compact;
  ZChar quote = 0;
  for (ZChar c : Text) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      continue;
    }
    compact.push_back(c);
  }
  TDbParser parser(compact, Table);
  return parser.Expression(0);
}

// --- Evaluation -------------------------------------------------------------------------------

namespace {

TFieldValue NumberValue(long double V, uint8_t Kind = kNumber) {
  TFieldValue v;
  v.Kind = Kind;
  v.Number = V;
  return v;
}
TFieldValue TextValue(ZString T) {
  TFieldValue v;
  v.Kind = kString;
  v.Text = std::move(T);
  return v;
}

bool Holds(uint8_t Op, int Order) {
  switch (Op) {
    case 12: return Order > 0;
    case 13: return Order < 0;
    case 14: return Order == 0;
    case 15: return Order != 0;
    case 16: return Order >= 0;
    default: return Order <= 0;
  }
}

// The operator between the accumulated value and the next operand's value.
void Apply(uint8_t Op, const TFieldValue& V, TFieldValue& Acc) {
  const uint8_t k = V.Kind;
  switch (Op) {
    case 0: return;
    case 1:
      if (k == kNumber || k == kDate) Acc.Number += V.Number;
      else if (k == kString) Acc.Text += V.Text;
      return;
    case 2: Acc.Number -= V.Number; return;
    case 3: Acc.Number *= V.Number; return;
    case 4:
      if (V.Number != 0) Acc.Number /= V.Number;
      return;
    case 5:
    case 6: {
      int64_t a = Round(Acc.Number), b = Round(V.Number);
      if (b == 0) return;
      if (b == -1) Acc.Number = Op == 5 ? 0 : -static_cast<long double>(a);
      else Acc.Number = static_cast<long double>(Op == 5 ? a % b : a / b);
      return;
    }
    case 8: Acc.Number = static_cast<long double>(Round(Acc.Number) & Round(V.Number)); return;
    case 9: Acc.Number = static_cast<long double>(Round(Acc.Number) | Round(V.Number)); return;
    case 10: Acc.Number = static_cast<long double>(~Round(V.Number)); return;
    case 11: Acc.Number = static_cast<long double>(Round(Acc.Number) ^ Round(V.Number)); return;
    default: break;
  }
  if (k == kNumber || k == kDate) {
    bool unordered = std::isnan(Acc.Number) || std::isnan(V.Number);
    int order = Acc.Number < V.Number ? -1 : Acc.Number > V.Number ? 1 : 0;
    Acc.Number = !unordered && Holds(Op, order) ? 1 : (unordered && Op == 15 ? 1 : 0);
  } else if (k == kString) {
    int order = Acc.Text.compare(V.Text);
    Acc.Number = Holds(Op, order < 0 ? -1 : order > 0 ? 1 : 0) ? 1 : 0;
  }
  Acc.Kind = kLogical;
}

// Calls a function of the expression language with values: texts travel as scene text.
TFieldValue CallShared(const std::string& Name, const std::vector<TFieldValue>& Args, bool CodePage) {
  int32_t code = FunctionCode(Name);
  std::unique_ptr<TFormula> list;
  if (!Args.empty()) {
    list = std::make_unique<TFormula>();
    for (const TFieldValue& a : Args) {
      auto inner = std::make_unique<TFormula>();
      if (a.Kind == kString) {
        ZString t = CodePage ? CodePageRoundTrip(a.Text) : a.Text;
        inner->Append(new TToken(vkString, nullptr, 0, EncodeSceneText(t), 0));
      } else {
        inner->Append(new TToken(vkNumber, nullptr, 0, std::string(), static_cast<double>(a.Number)));
      }
      list->Append(new TToken(vkNumber, std::move(inner), 0, std::string(), 0));
    }
  }
  TToken call(static_cast<uint8_t>(code), std::move(list), 0, std::string(), 0);
  TProccessInfo info;
  long double value = 0;
  std::string text;
  uint8_t kind = CallFunction(call, info, value, text);
  TFieldValue r = NumberValue(value, kind);
  if (kind == kString) {
    r.Text = DecodeSceneText(text);
    if (CodePage) r.Text = CodePageRoundTrip(r.Text);
  }
  return r;
}

ZString MapAsciiLetters(const ZString& Text, bool Upper) {
  std::string bytes = ToAnsi(Text);
  for (char& c : bytes) {
    if (Upper && c >= 'a' && c <= 'z') c -= 32;
    if (!Upper && c >= 'A' && c <= 'Z') c += 32;
  }
  return FromAnsi(bytes);
}

TFieldValue DatePart(const TFieldValue& V, int Part) {
  if (V.Kind != kDate) return Part == 4 ? TextValue(ZString()) : NumberValue(0);
  TODFDate d = SerialToODFDate(V.Number);
  if (Part == 4) {
    if (d.Year == 0) return TextValue(ZString());
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d-%02d-%04d", d.Month, d.Day, d.Year);
    return TextValue(FromAnsi(buf));
  }
  if (Part == 0) return NumberValue(d.Day);
  if (Part == 1) return NumberValue(d.Month);
  if (Part == 2) return NumberValue(d.Year);
  if (d.Year == 0) return NumberValue(0);
  int64_t day = static_cast<int64_t>(std::trunc(V.Number));
  return NumberValue(static_cast<long double>(((day % 7) + 7 + 6) % 7 + 1));  // day 0: Saturday
}

TFieldValue Call(const TDbNode& Node, TODFFile& Table) {
  const std::string& name = Node.Function;
  if (DbFunctionCode(name) == 0) return NumberValue(0);
  const size_t n = Node.Args.size();
  if (name == "RECNO") return NumberValue(Table.GetRecNo());
  if (name == "RECCOUNT") return NumberValue(Table.GetReccount());
  if (name == "SUM") {
    if (n != 1) return NumberValue(0, 0);
    if (gSumDepth > 0 && Node.SumScan == gSumScan) return Node.SumValue;
    if (gSumDepth == 0) gSumScan = ++gSumScans;
    struct TDepth {
      TDepth() { ++gSumDepth; }
      ~TDepth() { --gSumDepth; }
    } depth;
    TScanReadAhead scan(Table);
    const int32_t back = Table.GetRecNo();
    long double sum = 0;
    for (int32_t p = 1; p <= Table.GetReccount(); ++p) {
      Table.Go(p);
      TFieldValue v = Node.Args[0]->Evaluate(Table);
      if (v.Kind == kNumber) sum += v.Number;
    }
    if (back >= 1) Table.Go(back);
    if (gSumDepth > 1) {
      Node.SumScan = gSumScan;
      Node.SumValue = NumberValue(sum);
    }
    return NumberValue(sum);
  }
  std::vector<TFieldValue> args;
  for (const auto& a : Node.Args) args.push_back(a->Evaluate(Table));
  if (name == "IIF") {
    if (n != 3) return NumberValue(0, 0);
    const TFieldValue& v1 = args[1];
    if (args[0].Number != 0 && (v1.Kind == kNumber || v1.Kind == kString || v1.Kind == kDate))
      return v1;
    return args[2];
  }
  const TFieldValue first = n >= 1 ? args[0] : NumberValue(0);
  if (name == "UPPER" || name == "VUPPER" || name == "LOWER" || name == "VLOWER") {
    if (n != 1 || first.Kind != kString) return NumberValue(0, 0);
    return TextValue(MapAsciiLetters(first.Text, name == "UPPER" || name == "VUPPER"));
  }
  if (name == "STRVCHANGE" || name == "STRACHANGE") {
    if (first.Kind != kString) return TextValue(ZString());
    return TextValue(name == "STRVCHANGE" ? CollationForward(first.Text) : CollationBackward(first.Text));
  }
  if (name == "DAY") return DatePart(first, 0);
  if (name == "MONTH") return DatePart(first, 1);
  if (name == "YEAR") return DatePart(first, 2);
  if (name == "DOW") return DatePart(first, 3);
  if (name == "DATESTR") return DatePart(first, 4);
  if (name == "DOWNAME" || name == "DOWVNAME" || name == "MONTHNAME" || name == "VMONTHNAME") {
    if (first.Kind != kNumber) return TextValue(ZString());
    TNameTable table = name == "DOWNAME" ? ntDowName : name == "DOWVNAME" ? ntDowVName
                       : name == "MONTHNAME" ? ntMonthName : ntVMonthName;
    return TextValue(NameOf(table, first.Number));
  }
  return CallShared(name, args, ThroughCodePage(name));
}

}  // namespace

TFieldValue TDbNode::Evaluate(TODFFile& Current) const {
  switch (Kind) {
    case TDbNodeKind::dnNumber: return NumberValue(Number);
    case TDbNodeKind::dnString: return TextValue(Text);
    case TDbNodeKind::dnField: return Field->GetValue();
    case TDbNodeKind::dnCall: return Call(*this, Current);
    case TDbNodeKind::dnGroup: return Group->Evaluate(Current);
    default: return NumberValue(0);
  }
}

TFieldValue TDbFormula::Evaluate(TODFFile& Table) const {
  TFieldValue acc;
  uint8_t pending = 0;
  for (size_t i = 0; i < Items.size(); ++i) {
    TFieldValue v = Items[i]->Evaluate(Table);
    if (i == 0) {
      acc = v;
    } else {
      Apply(pending, v, acc);
    }
    pending = Operators[i];
  }
  return acc;
}

// --- Find -------------------------------------------------------------------------------------

int32_t TODFFile::Find(const ZString& Condition) {
  if (odfState != 0) return 0;
  odfLocateRec.lrFormula = CompileCondition(Condition, *this);
  odfLocateRec.lrAt = 1;
  const int32_t count = GetReccount();
  if (count < 1) return 0;
  TScanReadAhead scan(*this);
  Go(1);
  auto holds = [&] {
    TFieldValue v = odfLocateRec.lrFormula->Evaluate(*this);
    return (v.Kind == kNumber || v.Kind == kLogical) && v.Number > 0;
  };
  bool found = holds();
  while (!found && odfLocateRec.lrAt < count) {
    ++odfLocateRec.lrAt;
    Go(odfLocateRec.lrAt);
    found = holds();
  }
  return found ? odfLocateRec.lrAt : 0;
}

}  // namespace zkw
