// Script and procedure records of scene files.
#include "player/scene/script_source.h"

#include <algorithm>

#include "player/scene/record_io.h"

namespace zkw {

namespace {

// The text of a string record: up to its first zero byte.
std::string RecordText(const std::vector<uint8_t>& Record) {
  auto end = std::find(Record.begin(), Record.end(), uint8_t{0});
  return std::string(Record.begin(), end);
}

constexpr uint8_t kProcedureTag = 254;

}  // namespace

TScriptPtr ReadScriptRecord(TRecordReader& r) {
  std::vector<uint8_t> record = r.TextRecord("script text");
  if (!r.Ok()) return nullptr;
  return std::make_unique<TScriptList>(std::move(record));
}

void WriteScriptRecord(TRecordWriter& w, const TScriptList& List, uint8_t Tag) {
  w.U8(Tag);
  if (!List.Record.empty()) w.TextRecord(List.Record);
  else w.TextRecord(TRecordWriter::MakeTextRecord(ScriptToText(&List)));
}

std::unique_ptr<TProcedureInfo> ReadProcedure(TRecordReader& r) {
  int64_t start = r.Position();
  auto proc = std::make_unique<TProcedureInfo>();
  proc->piName = RecordText(r.TextRecord("procedure name"));
  uint16_t params = r.U16("procedure parameter count");
  if (!r.Ok()) return nullptr;
  if (static_cast<int64_t>(params) * 3 > r.Remaining()) {
    r.Fail("procedure parameter count " + std::to_string(params) + " cannot fit in the file");
    return nullptr;
  }
  for (uint16_t i = 0; i < params && r.Ok(); ++i) {
    std::string name = RecordText(r.TextRecord("procedure parameter name"));
    uint8_t type = r.U8("procedure parameter type");
    if (!r.Ok()) break;
    auto v = std::make_unique<TVariableRec>();
    v->Name = name;
    v->VarType = type;
    proc->piParams.Items.push_back(std::move(v));
  }
  proc->piReturnType = r.U8("procedure return type");
  std::string body = RecordText(r.TextRecord("procedure body"));
  if (!r.Ok()) return nullptr;
  proc->piMacro = CompileScript(body, false);
  int64_t end = r.Position();
  proc->Raw.resize(static_cast<size_t>(end - start));
  r.Stream()->Seek(start, SeekOrigin::soBeginning);
  if (!r.Bytes(proc->Raw.data(), end - start, "procedure")) return nullptr;
  return proc;
}

void WriteProcedure(TRecordWriter& w, const TProcedureInfo& Proc) {
  w.U8(kProcedureTag);
  if (!Proc.Raw.empty()) {
    w.Bytes(Proc.Raw.data(), static_cast<int64_t>(Proc.Raw.size()));
    return;
  }
  w.TextRecord(TRecordWriter::MakeTextRecord(Proc.piName));
  w.U16(static_cast<uint16_t>(std::min<size_t>(Proc.piParams.Items.size(), 0xFFFF)));
  for (size_t i = 0; i < Proc.piParams.Items.size() && i < 0xFFFF; ++i) {
    w.TextRecord(TRecordWriter::MakeTextRecord(Proc.piParams.Items[i]->Name));
    w.U8(Proc.piParams.Items[i]->VarType);
  }
  w.U8(Proc.piReturnType);
  std::string body = Proc.piMacro ? ScriptToText(Proc.piMacro.get()) : std::string(" ");
  w.TextRecord(TRecordWriter::MakeTextRecord(body));
}

}  // namespace zkw
