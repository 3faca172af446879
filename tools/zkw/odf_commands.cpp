// zkw odf info|dump|build|index: describe, dump, build and index tables.
#include <cstdio>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "base/last_error.h"
#include "commands.h"
#include "odf/odf_file.h"
#include "odf/odf_index.h"
#include "odf/odf_store.h"
#include "odf/odf_writer.h"
#include "odf_cells.h"
#include "platform/plat.h"

using namespace zkw;
using nlohmann::json;

namespace zkwtool {

namespace {

const char* FormName(THeaderForm form) {
  return form == THeaderForm::hfCurrent ? "3 (current, 126-byte header)"
         : form == THeaderForm::hfKorvanel ? "2 (\"Korvanel DBF\")"
                                           : "1 (\"HG Database File\")";
}

// Opens a table (and its index); prints the reason and gives null when it cannot be used.
std::unique_ptr<TODFFile> OpenTable(const std::string& path, const std::string& index) {
  ClearLastErrorText();
  auto table = std::make_unique<TODFFile>(FromUtf8(path), kODFRead);
  if (table->odfState != 0) {
    Fail("cannot use table " + path);
    return nullptr;
  }
  if (!index.empty()) table->SetIndex(FromUtf8(index), false);
  return table;
}

// Memo data of the current record's field as bytes; false for a broken chain.
bool MemoBytes(TODFFile& t, TStructItem& f, std::vector<uint8_t>& bytes) {
  bytes.clear();
  int32_t size = 0;
  plat::HGLOBAL block = t.ReadFromMemo(f.Name(), &size);
  if (!block) return f.Getfm().mfStyle == msNone || f.Getfm().mfPosition == 0;
  auto* p = static_cast<uint8_t*>(plat::GlobalLock(block));
  bytes.assign(p, p + size);
  plat::GlobalUnlock(block);
  plat::GlobalFree(block);
  return true;
}

std::string MemoFileOf(const std::string& dir, int32_t record, const std::string& field, uint8_t style) {
  return dir + "/r" + std::to_string(record) + "_" + field + ".s" + std::to_string(style) + ".bin";
}

}  // namespace

int CmdOdfInfo(const std::string& path, const std::string& index) {
  std::unique_ptr<TODFFile> t = OpenTable(path, "");
  if (!t) return 1;
  const int64_t inFile = t->RecordsInFile();
  int64_t deleted = 0, memos = 0, broken = 0;
  std::vector<uint8_t> record(t->odfHeader.hdfRecSize), data;
  for (int32_t r = 1; r <= t->odfHeader.hdfRecNum; ++r) {
    t->Go(r);
    deleted += t->GetDeleted();
    for (TStructItem* f = t->odfStructure.First(); f; f = TODFStructure::Next(f)) {
      if (f->Type() != ftMemo || f->Getfm().mfStyle == msNone) continue;
      ++memos;
      broken += !MemoBytes(*t, *f, data);
    }
  }
  std::printf("form: %s\n", FormName(t->HeaderForm()));
  if (t->HeaderForm() == THeaderForm::hfCurrent)
    std::printf("database version: 0x%X\ndescription: %s\n", t->odfHeader.hdDatabaseVersion,
                t->odfHeader.hdfDescription);
  std::printf("record size: %d, first record at %d\n", t->odfHeader.hdfRecSize, t->odfHeader.hdfOffset);
  std::printf("records: %d (in the file: %lld)\n", t->odfHeader.hdfRecNum, static_cast<long long>(inFile));
  std::printf("deleted: %d stored, %lld counted\n", t->odfHeader.hdfDeleteds, static_cast<long long>(deleted));
  std::printf("fields:\n");
  for (TStructItem* f = t->odfStructure.First(); f; f = TODFStructure::Next(f))
    std::printf("  %-12s at %3d, %3d bytes  %s\n", f->Name().c_str(), f->Field().ofPosition,
                f->Length(), FieldHeader(f->Field()).c_str());
  if (t->odfHeader.hdfHasMemo)
    std::printf("memo file: %s, %lld memos, %lld broken chains\n", ToUtf8(t->odfMemoFile).c_str(),
                static_cast<long long>(memos), static_cast<long long>(broken));
  if (!index.empty()) {
    TODFIndex idx;
    bool read = idx.Open(FromUtf8(index));
    std::printf("index: field %s, %d entries, %s%s\n", idx.GetFieldName().c_str(), idx.Count(),
                idx.GetCaseSensitive() ? "case-sensitive" : "ASCII letters folded",
                idx.GetAdvanced() ? ", advanced" : "");
    bool sound = read && idx.Bind(*t) && idx.Verify(*t);
    std::printf("index state: %s\n", sound ? "sound" : ("stale: " + LastErrorText()).c_str());
  }
  return 0;
}

int CmdOdfDump(const std::string& path, const std::string& index, bool asJson, const std::string& memoDir) {
  std::unique_ptr<TODFFile> t = OpenTable(path, index);
  if (!t) return 1;
  std::vector<std::string> header = {"_deleted"};
  json fields = json::array();
  for (TStructItem* f = t->odfStructure.First(); f; f = TODFStructure::Next(f)) {
    header.push_back(FieldHeader(f->Field()));
    fields.push_back(header.back());
  }
  std::string csv = CsvRow(header);
  json records = json::array();
  std::vector<uint8_t> data;
  for (int32_t p = 1; p <= t->GetReccount(); ++p) {
    t->Go(p);
    if (t->CurrentRecord == 0) continue;
    std::vector<std::string> cells = {t->GetDeleted() ? "1" : "0"};
    json row = json::object();
    row["_deleted"] = t->GetDeleted();
    for (TStructItem* f = t->odfStructure.First(); f; f = TODFStructure::Next(f)) {
      std::string cell = CellOf(*f);
      if (f->Type() == ftMemo) {
        uint8_t style = f->Getfm().mfStyle;
        if (!MemoBytes(*t, *f, data)) return Fail("memo " + f->Name() + " of record " + std::to_string(t->CurrentRecord));
        if (style == msText) {
          cell.assign(data.begin(), data.end());
          if (!cell.empty() && cell[0] == '@') cell = "@" + cell;
        } else if (style != msNone) {
          if (memoDir.empty()) return Fail("record " + std::to_string(t->CurrentRecord) + " has a memo that is no text: give --memo-dir");
          std::string file = MemoFileOf(memoDir, t->CurrentRecord, f->Name(), style);
          std::ofstream out(file, std::ios::binary);
          out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
          if (!out) return Fail("cannot write " + file);
          cell = "@" + file;
        }
      }
      cells.push_back(cell);
      row[f->Name()] = cell;
    }
    csv += CsvRow(cells);
    records.push_back(row);
  }
  if (asJson) {
    json doc = {{"fields", fields}, {"records", records}};
    std::puts(doc.dump(1).c_str());
  } else {
    std::fwrite(csv.data(), 1, csv.size(), stdout);
  }
  return 0;
}

namespace {

// Reads a memo cell: text (a leading "@@" is one "@") or "@FILE" named by dump.
bool MemoOfCell(const std::string& cell, uint8_t& style, std::vector<uint8_t>& data, std::string& reason) {
  data.clear();
  style = cell.empty() ? msNone : msText;
  if (cell.size() >= 2 && cell[0] == '@' && cell[1] == '@') {
    data.assign(cell.begin() + 1, cell.end());
    return true;
  }
  if (cell.empty() || cell[0] != '@') {
    data.assign(cell.begin(), cell.end());
    return true;
  }
  const std::string file = cell.substr(1);
  size_t s = file.rfind(".s");
  style = s == std::string::npos ? static_cast<uint8_t>(msUser) : static_cast<uint8_t>(std::atoi(file.c_str() + s + 2));
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    reason = "memo file " + file + " cannot be read";
    return false;
  }
  data.assign(std::istreambuf_iterator<char>(in), {});
  return true;
}

}  // namespace

int CmdOdfBuild(const std::string& source, const std::string& out, int form) {
  std::ifstream in(source, std::ios::binary);
  if (!in) return Fail("cannot read " + source);
  std::stringstream text;
  text << in.rdbuf();
  std::vector<std::vector<std::string>> rows;
  std::string reason;
  if (!ParseCsv(text.str(), rows, reason)) return Fail(source + ": " + reason);
  if (rows.empty() || rows[0].empty() || rows[0][0] != "_deleted")
    return Fail(source + ": the first row must begin with _deleted and name the fields");
  std::vector<TODFFieldDef> defs;
  for (size_t c = 1; c < rows[0].size(); ++c) {
    TODFFieldDef def;
    if (!ParseFieldHeader(rows[0][c], def, reason)) return Fail(source + ": " + reason);
    defs.push_back(def);
  }
  if (form < 1 || form > 3) return Fail("--form is 3, 2 or 1");
  THeaderForm headerForm = form == 3 ? THeaderForm::hfCurrent
                           : form == 2 ? THeaderForm::hfKorvanel : THeaderForm::hfOldest;
  TODFTableBuilder b(headerForm, defs);
  if (!b.Valid()) return Fail(source + ": " + b.Reason());
  for (size_t r = 1; r < rows.size(); ++r) {
    const std::vector<std::string>& row = rows[r];
    auto where = [&](size_t c) {
      return source + ": row " + std::to_string(r + 1) + ", column " + std::to_string(c + 1) +
             (c < rows[0].size() ? " (" + rows[0][c] + ")" : "");
    };
    if (row.size() != rows[0].size()) return Fail(where(row.size()) + ": the row has " + std::to_string(row.size()) + " cells");
    if (row[0] != "0" && row[0] != "1") return Fail(where(0) + ": not 0 or 1");
    b.AddRecord();
    b.SetDeleted(row[0] == "1");
    for (size_t c = 1; c < row.size(); ++c) {
      TStructItem f;
      b.BindField(static_cast<int32_t>(c - 1), f);
      if (f.Type() == ftMemo) {
        uint8_t style = 0;
        std::vector<uint8_t> data;
        if (!MemoOfCell(row[c], style, data, reason)) return Fail(where(c) + ": " + reason);
        f.Setfm(b.AddMemo(style, data));
      } else if (!StoreCell(row[c], f, reason)) {
        return Fail(where(c) + ": \"" + row[c] + "\" " + reason);
      }
    }
  }
  if (!b.Write(FromUtf8(out))) return Fail("cannot write " + out);
  return 0;
}

int CmdOdfIndex(const std::string& path, const std::string& field, const std::string& out,
                bool caseSensitive, bool advanced) {
  std::unique_ptr<TODFFile> t = OpenTable(path, "");
  if (!t) return 1;
  if (!WriteODFIndex(*t, field, caseSensitive, advanced, FromUtf8(out))) return Fail("cannot write index " + out);
  return 0;
}

}  // namespace zkwtool
