// Records, script lists, variable lists and procedure lists; procedure declarations.
#include "script/script_list.h"

#include <algorithm>

#include "expr/formula.h"
#include "expr/names.h"
#include "expr/formula_program.h"
#include "script/script_text_util.h"

namespace zkw {

TMacroRec::TMacroRec() = default;
TMacroRec::~TMacroRec() = default;

TMacroRec::TMacroRec(const TMacroRec& Other)
    : Command(Other.Command),
      Name(Other.Name),
      Parameter1(Other.Parameter1),
      Parameter2(Other.Parameter2),
      StObj0(Other.StObj0),
      objStyle0(Other.objStyle0),
      Fnc0(Other.Fnc0),
      Fieldname(Other.Fieldname),
      Comment(Other.Comment),
      VarName(Other.VarName) {}

TScriptList::TScriptList() = default;
TScriptList::~TScriptList() = default;

TScriptList::TScriptList(std::vector<uint8_t> record) : Record(std::move(record)) {
  if (auto compiled = CompileScript(Text(), false)) Items = std::move(compiled->Items);
}

TScriptList::TScriptList(const TScriptList& Other) : Record(Other.Record) {
  Items.reserve(Other.Items.size());
  for (const auto& r : Other.Items) Items.push_back(std::make_unique<TMacroRec>(*r));
}

std::string TScriptList::Text() const {
  if (Record.empty()) return ScriptToText(this);
  auto end = std::find(Record.begin(), Record.end(), uint8_t{0});
  return std::string(Record.begin(), end);
}

std::unique_ptr<TScriptList> TScriptList::FromText(const std::string& text) {
  std::vector<uint8_t> record(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(
                                                              std::min<size_t>(text.size(), 0xFFFE)));
  record.push_back(0);
  return std::make_unique<TScriptList>(std::move(record));
}

void FreeScript(TScriptPtr& List) { List.reset(); }

// --- variables --------------------------------------------------------------------------------

uint64_t TVariableList::NextSerial() {
  static uint64_t serial = 0;
  return ++serial;
}

TVariableList::TVariableList(const TVariableList& Other) : TExprVariables() {
  BindSerial = NextSerial();
  for (const auto& v : Other.Items) Items.push_back(std::make_unique<TVariableRec>(*v));
}

TVariableRec* TVariableList::GetVar(const std::string& AName) const {
  for (const auto& v : Items)
    if (SameName(v->Name, AName)) return v.get();
  return nullptr;
}

bool TVariableList::GetVar(const std::string& Name, uint8_t& Kind, long double& Value,
                           std::string& Text) {
  TVariableRec* v = GetVar(Name);
  if (!v) return false;
  if (v->VarType == 3) {
    Kind = 3;
    Text = v->StValue;
  } else {
    Kind = 2;
    Value = v->Value;
  }
  return true;
}

bool TVariableList::SetVar(const std::string& Name, uint8_t Kind, long double Value,
                           const std::string& Text) {
  TVariableRec* v = GetVar(Name);
  if (!v) return false;
  if (Kind == 3) v->StValue = Text;
  else v->Value = Value;
  return true;
}

TVariableRec* TVariableList::Add(const std::string& Name, uint8_t VarType) {
  auto v = std::make_unique<TVariableRec>();
  v->Name = !Name.empty() && Name[0] == '$' ? Name : "$" + Name;
  v->VarType = VarType == 3 ? 3 : 2;
  Items.push_back(std::move(v));
  return Items.back().get();
}

// --- procedures -------------------------------------------------------------------------------

TProcedureInfo::TProcedureInfo() = default;
TProcedureInfo::~TProcedureInfo() = default;
TProcedureList::TProcedureList() = default;
TProcedureList::~TProcedureList() = default;

TProcedureInfo* TProcedureList::GetProc(const std::string& AName) const {
  for (const auto& p : Items)
    if (SameName(p->piName, AName)) return p.get();
  return nullptr;
}

TProcedureInfo* TProcedureList::GetFunc(const std::string& AName) const {
  for (const auto& p : Items)
    if (p->piReturnType != 0 && SameName(p->piName, AName)) return p.get();
  return nullptr;
}

TProcedureInfo* TProcedureList::AddProcedure(const std::string& Declare) {
  std::unique_ptr<TProcedureInfo> p = MakeProcedure(Declare);
  if (!p) return nullptr;
  Items.push_back(std::move(p));
  return Items.back().get();
}

namespace {

// Characters a procedure name may not hold.
bool BadNameChar(char Ch) {
  static const char kBad[] = "!#$&*+,-./:;<>?@[]^_{}";
  for (const char* c = kBad; *c; ++c)
    if (*c == Ch) return true;
  return false;
}

}  // namespace

// "sub Name(params)" or "function Name(params): number|string" to a procedure, else null.
std::unique_ptr<TProcedureInfo> MakeProcedure(const std::string& Declare) {
  std::string text = TrimText(Declare);
  size_t blank = text.find(' ');
  if (blank == std::string::npos) return nullptr;
  std::string kind = text.substr(0, blank), rest = text.substr(blank + 1);
  auto proc = std::make_unique<TProcedureInfo>();
  if (SameName(kind, "function")) {
    size_t colon = rest.find(':');
    if (colon == std::string::npos) return nullptr;
    std::string type = TrimText(rest.substr(colon + 1));
    if (SameName(type, "string")) proc->piReturnType = 3;
    else if (SameName(type, "number")) proc->piReturnType = 2;
    else return nullptr;
    rest.resize(colon);
  } else if (!SameName(kind, "sub")) {
    return nullptr;
  }
  std::string params;
  size_t open = rest.find('(');
  if (open != std::string::npos) {
    std::string trimmed = TrimText(rest);
    if (trimmed.empty() || trimmed.back() != ')') return nullptr;
    open = trimmed.find('(');
    proc->piName = TrimText(trimmed.substr(0, open));
    params = trimmed.substr(open + 1, trimmed.size() - open - 2);
  } else {
    proc->piName = TrimText(rest);
  }
  if (proc->piName.empty() ||
      std::any_of(proc->piName.begin(), proc->piName.end(), BadNameChar))
    return nullptr;
  if (TrimText(params).empty()) return proc;
  size_t start = 0;
  while (start <= params.size()) {
    size_t comma = params.find(',', start);
    if (comma == std::string::npos) comma = params.size();
    std::string part = TrimText(params.substr(start, comma - start));
    size_t sep = part.find(' ');
    if (sep == std::string::npos) return nullptr;
    std::string name = TrimText(part.substr(0, sep)), type = TrimText(part.substr(sep + 1));
    uint8_t varType = SameName(type, "string") ? 3 : (SameName(type, "number") ? 2 : 0);
    if (name.empty() || varType == 0) return nullptr;
    proc->piParams.Add(name, varType);
    start = comma + 1;
  }
  return proc;
}

}  // namespace zkw
