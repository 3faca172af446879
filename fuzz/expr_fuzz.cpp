// Expression text of any bytes: parse, then bind and evaluate twice, once without an animator
// and once against a small scene (objects, variables, a user function). No crash, no hang, and
// a second evaluation gives the same result (evaluation must not change the tree).
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "expr/formula.h"
#include "expr/functions.h"
#include "expr/handles.h"
#include "platform/portable/message_box_log.h"

namespace {

// Every variable whose name has an even length exists; odd lengths are missing.
class TFuzzVariables : public zkw::TExprVariables {
 public:
  bool GetVar(const std::string& Name, uint8_t& Kind, long double& Value,
              std::string& Text) override {
    if (Name.size() % 2) return false;
    Kind = Name.size() % 4 ? zkw::vkString : zkw::vkNumber;
    Value = static_cast<long double>(Name.size());
    Text = Name;
    return true;
  }
};

// One object that every name finds; one user function ("F") that doubles its first argument.
class TFuzzHost : public zkw::TExprHost {
 public:
  int Obj = 0;
  TFuzzVariables Vars;
  zkw::TAnimateObj* Me() { return reinterpret_cast<zkw::TAnimateObj*>(&Obj); }
  zkw::TAnimateObj* GetObjectName(const std::string&) override { return Me(); }
  zkw::TAnimateObj* ObjectFromReference(int64_t Ref) override {
    return Ref == static_cast<int64_t>(reinterpret_cast<uintptr_t>(&Obj)) ? Me() : nullptr;
  }
  zkw::TAnimateObj* CurrentObj() override { return Me(); }
  uint8_t GetObjectValue(zkw::TAnimateObj* O, int32_t Code, long double& Value,
                         std::string& Text) override {
    if (O != Me()) std::abort();
    if (Code % 2) return Text = "t", zkw::vkString;
    return Value = Code, zkw::vkNumber;
  }
  void SetObjectValue(zkw::TAnimateObj*, int32_t, const std::string&, long double) override {}
  uint8_t GetFieldValue(zkw::TAnimateObj* O, const std::string& Field, long double& Value,
                        std::string&) override {
    if (O != Me()) std::abort();
    return Value = static_cast<long double>(Field.size()), zkw::vkDate;
  }
  uint8_t GetSystemValue(int32_t Code, long double& Value, std::string&) override {
    return Value = Code, zkw::vkNumber;
  }
  zkw::TExprVariables* GlobalVarList() override { return &Vars; }
  zkw::TExprVariables* AppVarList() override { return nullptr; }
  zkw::TProcedureInfo* GetFunc(const std::string& Name) override {
    return Name == "F" ? reinterpret_cast<zkw::TProcedureInfo*>(&Obj) : nullptr;
  }
  uint8_t CallUserFunction(zkw::TProcedureInfo*, const zkw::TToken& Call,
                           const zkw::TProccessInfo& Info, long double& Value,
                           std::string& Text) override {
    uint8_t kind = zkw::EvaluateArgument(Call, 0, Info, Value, Text);
    Value *= 2;
    return kind;
  }
};

// Evaluates twice and checks both results agree.
void Twice(zkw::TExprHost* Host, zkw::TExprVariables* Locals, const zkw::TFormula& Formula,
           bool Deterministic) {
  std::string t1, t2;
  long double v1 = 0, v2 = 0;
  uint8_t k1 = zkw::EvaluateFormula(Host, nullptr, Locals, t1, v1, &Formula);
  uint8_t k2 = zkw::EvaluateFormula(Host, nullptr, Locals, t2, v2, &Formula);
  if (!Deterministic) return;
  if (k1 != k2 || t1 != t2 || !(v1 == v2 || (v1 != v1 && v2 != v2))) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  std::string text(reinterpret_cast<const char*>(data), size);
  auto formula = zkw::ParseFormula(text);
  if (!formula) std::abort();
  // The clock properties ("@Second", ...) may change between two evaluations, and so do the
  // functions that make new handles, draw random numbers or read the date.
  bool deterministic = text.find('@') == std::string::npos;
  std::string upper = text;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const char* name : {"RND", "SHUFFLE", "TODAY", "ARRAY", "FILE", "SCALEDIB", "SETAPPVAR"})
    if (upper.find(name) != std::string::npos) deterministic = false;
  // Fuzzed texts must not create files.
  zkw::SetExprFileAccess(false);
  formula->Prepare(nullptr);
  Twice(nullptr, nullptr, *formula, deterministic);
  TFuzzHost host;
  formula->Prepare(&host);
  Twice(&host, &host.Vars, *formula, deterministic);
  plat::portable::ClearMessageBoxCalls();
  zkw::FreeAllHandles();
  return 0;
}
